#pragma once
// A row of text cells with normal, selected and checked colours: the rows of
// every list. One label per group is selected at a time. A label whose first
// cell is empty is inert: it paints nothing and takes no touch, which is what
// makes the empty rows below the last record of a list do nothing.

#include "controls/ZoColor.h"

#include <QString>
#include <QWidget>

#include <vector>

namespace pos {

struct TZoPosLabelItem {
    QString text;
    int width = 50;  // negative: from the left edge to the end of the row
    Qt::Alignment alignment = Qt::AlignLeft;
    TColor color = clWindowText;
    TColor colorSelected = clHighlightText;
    TColor colorChecked = 0x808080;
    TColor colorSChecked = clWhite;  // selected and checked
};

class TZoPosLabel : public QWidget {
    Q_OBJECT
public:
    explicit TZoPosLabel(QWidget* aParent = nullptr);

    std::vector<TZoPosLabelItem>& Items() { return items_; }
    const std::vector<TZoPosLabelItem>& Items() const { return items_; }
    TZoPosLabelItem& AddItem(const TZoPosLabelItem& aItem);
    void SetText(int aItem, const QString& aText);
    QString Text(int aItem) const;

    void SetFontSize(int aPointSize, bool aBold = false);
    void SetColorSelected(TColor aColor);
    TColor ColorSelected() const { return colorSelected_; }
    void SetColorChecked(TColor aColor);

    bool Selected() const { return selected_; }
    void SetSelected(bool aSelected);
    bool Checked() const { return checked_; }
    void SetChecked(bool aChecked);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int aGroup) { groupIndex_ = aGroup; }
    void SetAlwaysEnabled(bool aAlways);

    // Takes touches and paints: always-enabled or the first cell has text.
    bool Active() const;

    // Left and right edge of cell aItem as painted (see paintEvent).
    QRect CellRect(int aItem) const;

    // A touch: selects the label and raises clicked. Inert labels ignore it.
    void Click();

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* aEvent) override;
    void mouseReleaseEvent(QMouseEvent* aEvent) override;

private:
    void unselectOthers();

    std::vector<TZoPosLabelItem> items_;
    int pointSize_ = 9;
    bool bold_ = false;
    TColor colorSelected_ = clHighlight;
    TColor colorChecked_ = 0xC0C0C0;
    bool selected_ = false;
    bool checked_ = false;
    int groupIndex_ = 0;
    bool alwaysEnabled_ = false;
};

}  // namespace pos
