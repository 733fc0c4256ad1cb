#pragma once
// Title bars and screen backgrounds: a colour change in bands, with plain
// stretches at either end and an optional two-pixel border.

#include "controls/ZoColor.h"
#include "controls/ZoGradientBands.h"

#include <QWidget>

namespace pos {

class TZoGradient : public QWidget {
    Q_OBJECT
public:
    explicit TZoGradient(QWidget* aParent = nullptr);

    bool Vertical() const { return vertical_; }
    void SetVertical(bool aVertical);
    void SetColors(TColor aFrom, TColor aTo);
    TColor ColorFrom() const { return from_; }
    TColor ColorTo() const { return to_; }
    int Step() const { return step_; }
    void SetStep(int aStep);
    void SetSkip(int aSkipStart, int aSkipEnd);
    int SkipStart() const { return skipStart_; }
    int SkipEnd() const { return skipEnd_; }
    // Border colours top, left, right, bottom.
    void SetBorder(bool aBorder, TColor aUp = clWhite, TColor aLeft = clWhite, TColor aRight = 0x808080,
                   TColor aDown = 0x808080);

    // What the control paints for its present size.
    std::vector<TGradientFill> Fills() const;

protected:
    void paintEvent(QPaintEvent* aEvent) override;

private:
    bool vertical_ = true;
    TColor from_ = 0xFF0000;
    TColor to_ = clBlack;
    int step_ = 50;
    int skipStart_ = 0;
    int skipEnd_ = 0;
    bool border_ = false;
    TColor borderUp_ = clWhite, borderLeft_ = clWhite, borderRight_ = 0x808080, borderDown_ = 0x808080;
};

}  // namespace pos
