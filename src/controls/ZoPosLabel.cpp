#include "controls/ZoPosLabel.h"

#include <QMouseEvent>
#include <QPainter>

namespace pos {

TZoPosLabel::TZoPosLabel(QWidget* aParent) : QWidget(aParent)
{
    setFocusPolicy(Qt::NoFocus);
    resize(100, 25);
}

TZoPosLabelItem& TZoPosLabel::AddItem(const TZoPosLabelItem& aItem)
{
    items_.push_back(aItem);
    update();
    return items_.back();
}

void TZoPosLabel::SetText(int aItem, const QString& aText)
{
    if (aItem < 0 || aItem >= static_cast<int>(items_.size())) return;
    auto& item = items_[static_cast<std::size_t>(aItem)];
    if (item.text == aText) return;
    item.text = aText;
    update();
}

QString TZoPosLabel::Text(int aItem) const
{
    if (aItem < 0 || aItem >= static_cast<int>(items_.size())) return {};
    return items_[static_cast<std::size_t>(aItem)].text;
}

void TZoPosLabel::SetFontSize(int aPointSize, bool aBold)
{
    pointSize_ = aPointSize;
    bold_ = aBold;
    update();
}

void TZoPosLabel::SetColorSelected(TColor aColor)
{
    colorSelected_ = aColor;
    update();
}

void TZoPosLabel::SetColorChecked(TColor aColor)
{
    colorChecked_ = aColor;
    update();
}

void TZoPosLabel::SetSelected(bool aSelected)
{
    if (selected_ == aSelected) return;
    selected_ = aSelected;
    if (selected_) unselectOthers();
    update();
}

void TZoPosLabel::SetChecked(bool aChecked)
{
    if (checked_ == aChecked) return;
    checked_ = aChecked;
    if (selected_) unselectOthers();
    update();
}

void TZoPosLabel::SetAlwaysEnabled(bool aAlways)
{
    alwaysEnabled_ = aAlways;
    update();
}

bool TZoPosLabel::Active() const { return alwaysEnabled_ || (!items_.empty() && !items_.front().text.isEmpty()); }

void TZoPosLabel::unselectOthers()
{
    if (groupIndex_ == 0 || parentWidget() == nullptr) return;
    for (TZoPosLabel* other : parentWidget()->findChildren<TZoPosLabel*>(Qt::FindDirectChildrenOnly)) {
        if (other != this && other->groupIndex_ == groupIndex_ && other->selected_) {
            other->selected_ = false;
            other->update();
        }
    }
}

QRect TZoPosLabel::CellRect(int aItem) const
{
    int left = 0;
    for (int i = 0; i < aItem && i < static_cast<int>(items_.size()); ++i) left += items_[static_cast<std::size_t>(i)].width;
    const int width = items_[static_cast<std::size_t>(aItem)].width;
    const int pad = 4 * (aItem + 1);
    const int right = width < 0 ? this->width() : left + width + pad;
    return QRect(QPoint(left + pad, 0), QPoint(right - 1, height() - 1));
}

void TZoPosLabel::Click()
{
    if (!Active()) return;
    SetSelected(true);
    emit clicked();
}

void TZoPosLabel::mouseReleaseEvent(QMouseEvent* aEvent)
{
    if (aEvent->button() == Qt::LeftButton && rect().contains(aEvent->position().toPoint())) Click();
}

void TZoPosLabel::paintEvent(QPaintEvent*)
{
    if (!Active()) return;
    QPainter p(this);
    if (selected_) p.fillRect(rect(), ZoColor(checked_ ? colorChecked_ : colorSelected_));
    p.setFont(ZoFont(pointSize_, bold_));
    for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
        const TZoPosLabelItem& item = items_[static_cast<std::size_t>(i)];
        if (item.text.isEmpty()) continue;
        TColor color = item.color;
        if (checked_ && selected_) color = item.colorSChecked;
        else if (checked_) color = item.colorChecked;
        else if (selected_) color = item.colorSelected;
        p.setPen(ZoColor(color));
        const Qt::Alignment align = item.width < 0 ? Qt::AlignLeft : item.alignment;
        p.drawText(CellRect(i), static_cast<int>(align | Qt::AlignVCenter | Qt::TextSingleLine), item.text);
    }
}

}  // namespace pos
