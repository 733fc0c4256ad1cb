#include "controls/ZoRoundRect.h"

#include <QPainter>

namespace pos {

TZoRoundRect::TZoRoundRect(QWidget* aParent) : QWidget(aParent)
{
    setFocusPolicy(Qt::NoFocus);
    resize(100, 100);
}

void TZoRoundRect::SetColors(TColor aBrush, TColor aPen, TColor aShadow)
{
    brush_ = aBrush;
    pen_ = aPen;
    shadowColor_ = aShadow;
    update();
}

void TZoRoundRect::SetShadow(bool aShadow, int aShadowSize)
{
    shadow_ = aShadow;
    shadowSize_ = aShadowSize;
    update();
}

void TZoRoundRect::SetRoundSize(int aRoundSize)
{
    roundSize_ = aRoundSize;
    update();
}

QRect TZoRoundRect::BodyRect() const
{
    const int s = shadow_ && shadowSize_ > 0 ? shadowSize_ : 0;
    return QRect(0, 0, width() - s, height() - s);
}

void TZoRoundRect::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, roundSize_ > 0);
    const QRect body = BodyRect().adjusted(0, 0, -1, -1);
    auto shape = [&](const QRect& r) {
        if (roundSize_ > 0)
            p.drawRoundedRect(r, roundSize_ / 2.0, roundSize_ / 2.0);
        else
            p.drawRect(r);
    };
    if (shadow_ && shadowSize_ > 0) {
        p.setPen(ZoColor(shadowColor_));
        p.setBrush(ZoColor(shadowColor_));
        shape(body.translated(shadowSize_, shadowSize_));
    }
    p.setPen(ZoColor(pen_));
    p.setBrush(ZoColor(brush_));
    shape(body);
}

}  // namespace pos
