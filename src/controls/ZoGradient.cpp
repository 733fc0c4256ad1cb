#include "controls/ZoGradient.h"

#include <QPainter>

namespace pos {

TZoGradient::TZoGradient(QWidget* aParent) : QWidget(aParent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(150, 50);
}

void TZoGradient::SetVertical(bool aVertical)
{
    if (vertical_ == aVertical) return;
    vertical_ = aVertical;
    update();
}

void TZoGradient::SetColors(TColor aFrom, TColor aTo)
{
    if (from_ == aFrom && to_ == aTo) return;
    from_ = aFrom;
    to_ = aTo;
    update();
}

void TZoGradient::SetStep(int aStep)
{
    if (step_ == aStep) return;
    step_ = aStep;
    update();
}

void TZoGradient::SetSkip(int aSkipStart, int aSkipEnd)
{
    if (skipStart_ == aSkipStart && skipEnd_ == aSkipEnd) return;
    skipStart_ = aSkipStart;
    skipEnd_ = aSkipEnd;
    update();
}

void TZoGradient::SetBorder(bool aBorder, TColor aUp, TColor aLeft, TColor aRight, TColor aDown)
{
    border_ = aBorder;
    borderUp_ = aUp;
    borderLeft_ = aLeft;
    borderRight_ = aRight;
    borderDown_ = aDown;
    update();
}

std::vector<TGradientFill> TZoGradient::Fills() const
{
    TGradientLayout layout;
    layout.extent = vertical_ ? height() : width();
    layout.step = step_;
    layout.skipStart = skipStart_;
    layout.skipEnd = skipEnd_;
    layout.colorFrom = from_;
    layout.colorTo = to_;
    return GradientFills(layout);
}

void TZoGradient::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setClipRect(rect());
    for (const TGradientFill& f : Fills()) {
        const QRect r = vertical_ ? QRect(0, f.start, width(), f.length) : QRect(f.start, 0, f.length, height());
        p.fillRect(r, ZoColor(f.color));
    }
    if (border_) {
        p.fillRect(0, 0, width(), 2, ZoColor(borderUp_));
        p.fillRect(0, 0, 2, height(), ZoColor(borderLeft_));
        p.fillRect(width() - 2, 0, 2, height(), ZoColor(borderRight_));
        p.fillRect(0, height() - 2, width(), 2, ZoColor(borderDown_));
    }
}

}  // namespace pos
