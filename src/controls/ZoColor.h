#pragma once
// Colours and fonts of the touch controls. Colours are given the way the
// screens were laid out: $BBGGRR values, blue in the high byte; a value of the
// form $FF0000xx names a system colour by its index.

#include <QColor>
#include <QFont>
#include <QString>

#include <cstdint>

class QWidget;

namespace pos {

using TColor = std::uint32_t;

// System colours the controls use by default.
inline constexpr TColor clHighlight = 0xFF00000D;
inline constexpr TColor clHighlightText = 0xFF00000E;
inline constexpr TColor clWindowText = 0xFF000008;
inline constexpr TColor clBtnHighlight = 0xFF000014;
inline constexpr TColor clBtnShadow = 0xFF000010;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clBlack = 0x000000;

// $BBGGRR (or a system colour) as a QColor.
QColor ZoColor(TColor aColor);

// One role of a widget's palette set to a colour: the text (WindowText), the
// background it fills when it fills one (Window), and the input area of a
// field (Base).
void ZoSetTextColor(QWidget* aWidget, TColor aColor);
void ZoSetBackColor(QWidget* aWidget, TColor aColor);
void ZoSetBaseColor(QWidget* aWidget, TColor aColor);

// The fixed-width Korean face the screens are drawn in, at the point size the
// layouts were made for (96 dots per inch, so 9 points are 12 pixels). Falls
// back to the platform's fixed-width face when the font is not installed.
QFont ZoFont(int aPointSize, bool aBold = false);
QString ZoFontFamily();

}  // namespace pos
