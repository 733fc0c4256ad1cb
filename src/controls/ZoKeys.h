#pragma once
// Typing a virtual key "as if on the keyboard": the touch keys carry the
// keyboard's virtual-key codes (numeric keypad digits 96..105, backspace 8,
// Enter 13, ...) and deliver them to the focused field as key events.

#include <QString>
#include <Qt>

class QWidget;

namespace pos {

inline constexpr int VK_BACK = 8;
inline constexpr int VK_RETURN = 13;
inline constexpr int VK_ESCAPE = 27;
inline constexpr int VK_NUMPAD0 = 96;

struct TQtKey {
    int key = 0;  // Qt::Key, 0 when the virtual key has no equivalent
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    QString text;
};

TQtKey VirtualKeyToQt(int aVirtualKey);

// Sends the press and release of aVirtualKey to aTarget, or when aTarget is
// null to the application's focused widget. False when there was no target
// or the key is unknown.
bool TypeVirtualKey(int aVirtualKey, QWidget* aTarget = nullptr);

}  // namespace pos
