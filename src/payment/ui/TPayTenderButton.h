#pragma once
// A tender button of the payment screen (115 x 61): blue with white text,
// or light with the "PayBackImg" back when its tender is selected; the
// tender's icon at the left, its name beside it.

// Qt's headers come first: moc reads the standard headers after them
// without tripping over the library's C++20 parts.
#include <QPixmap>
#include <QWidget>

#include "payment/PayTenders.h"

namespace pos {

class TPayTenderButton : public QWidget {
    Q_OBJECT
public:
    TPayTenderButton(TPayKind aKind, const QString& aCaption, QWidget* aParent = nullptr);

    static constexpr int kWidth = 115;
    static constexpr int kHeight = 61;

    TPayKind Kind() const { return kind_; }
    QString Caption() const { return caption_; }
    bool Selected() const { return selected_; }
    void SetSelected(bool aSelected);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* aEvent) override;
    void mouseReleaseEvent(QMouseEvent* aEvent) override;

private:
    TPayKind kind_;
    QString caption_;
    QPixmap icon_;
    bool selected_ = false;
};

}  // namespace pos
