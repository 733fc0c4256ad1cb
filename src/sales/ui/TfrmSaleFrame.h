#pragma once
// The bill list of the sale screen: the list frame showing the bill's lines
// (TSaleLines, which pages itself) with the bill's columns, colours and
// check marks. Touches and the page buttons go to the bill's lines, which
// raise the change event the bill turns into modify mode; the frame repaints
// on every event of the lines. Touching the title bar toggles the wide view
// with the member columns.

#include "core/ui/TfrmListFrame.h"

namespace pos {

class TSaleLines;

class TfrmSaleFrame : public TfrmListFrame {
    Q_OBJECT
public:
    TfrmSaleFrame(TSaleLines& aLines, bool aShopOutlet, int aWidth, QWidget* aParent = nullptr);

    static constexpr int kWideExtra = 415;
    bool Wide() const { return wide_; }
    void SetWide(bool aWide);

    int GetCount() const override;
    Variant GetDataItem(int aItem, int aIndex = -1) const override;

    // Repaints from the lines (first row, current row, cells, colours).
    void Redraw();

signals:
    void wideChanged(bool aWide);
    // The cashier moved the current line (touch or page button): the line
    // may have entered modify mode.
    void currentMoved();

protected:
    QString CellText(int aItem, int aIndex) const override;
    void StyleRow(int aIndex, TZoPosLabel& aRow) const override;
    void resizeEvent(QResizeEvent* aEvent) override;
    bool eventFilter(QObject* aWatched, QEvent* aEvent) override;

private:
    void routeTouches();

    TSaleLines& lines_;
    bool showCode_;
    bool wide_ = false;
    int normalWidth_ = 0;
};

}  // namespace pos
