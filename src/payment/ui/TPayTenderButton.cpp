#include "payment/ui/TPayTenderButton.h"

#include "controls/ZoColor.h"
#include "payment/ui/PayImages.h"

#include <QMouseEvent>
#include <QPainter>

namespace pos {

namespace {

constexpr TColor kSelectedFace = 14737632;  // light grey
constexpr TColor kFace = 11894848;          // blue

}  // namespace

TPayTenderButton::TPayTenderButton(TPayKind aKind, const QString& aCaption, QWidget* aParent)
    : QWidget(aParent), kind_(aKind), caption_(aCaption), icon_(PayIcon(aKind))
{
    setFixedSize(kWidth, kHeight);
    setFocusPolicy(Qt::NoFocus);  // the field being typed in keeps the focus
    setCursor(Qt::PointingHandCursor);
}

void TPayTenderButton::SetSelected(bool aSelected)
{
    if (selected_ == aSelected) return;
    selected_ = aSelected;
    update();
}

void TPayTenderButton::paintEvent(QPaintEvent* /*aEvent*/)
{
    QPainter p(this);
    p.fillRect(rect(), ZoColor(selected_ ? kSelectedFace : kFace));
    p.setPen(QColor(0x30, 0x50, 0x78));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (selected_) p.drawPixmap(7, 9, PayBackPicture());
    p.drawPixmap(11, (height() - icon_.height()) / 2, icon_);
    p.setPen(Qt::white);
    p.setFont(ZoFont(10, true));
    p.drawText(QRect(43, 24 - 4, width() - 43 - 4, 22), Qt::AlignLeft | Qt::AlignVCenter, caption_);
}

void TPayTenderButton::mouseReleaseEvent(QMouseEvent* aEvent)
{
    if (aEvent->button() == Qt::LeftButton && rect().contains(aEvent->position().toPoint())) emit clicked();
    QWidget::mouseReleaseEvent(aEvent);
}

}  // namespace pos
