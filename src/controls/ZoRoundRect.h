#pragma once
// Field groups: a rounded panel with a drop shadow.

#include "controls/ZoColor.h"

#include <QWidget>

namespace pos {

class TZoRoundRect : public QWidget {
    Q_OBJECT
public:
    explicit TZoRoundRect(QWidget* aParent = nullptr);

    void SetColors(TColor aBrush, TColor aPen, TColor aShadow);
    void SetShadow(bool aShadow, int aShadowSize);
    void SetRoundSize(int aRoundSize);
    // The body: the control less the shadow.
    QRect BodyRect() const;

protected:
    void paintEvent(QPaintEvent* aEvent) override;

private:
    TColor brush_ = clWhite;
    TColor pen_ = clBlack;
    TColor shadowColor_ = 0xC0C0C0;
    bool shadow_ = true;
    int roundSize_ = 10;
    int shadowSize_ = 10;
};

}  // namespace pos
