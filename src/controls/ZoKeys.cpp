#include "controls/ZoKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace pos {

TQtKey VirtualKeyToQt(int vk)
{
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) {
        const int digit = vk - VK_NUMPAD0;
        return {Qt::Key_0 + digit, Qt::KeypadModifier, QString(QChar('0' + digit))};
    }
    if (vk >= '0' && vk <= '9') return {Qt::Key_0 + (vk - '0'), Qt::NoModifier, QString(QChar(vk))};
    if (vk >= 'A' && vk <= 'Z') return {Qt::Key_A + (vk - 'A'), Qt::NoModifier, QString(QChar(vk)).toLower()};
    switch (vk) {
    case VK_BACK: return {Qt::Key_Backspace, Qt::NoModifier, QString()};
    case 9: return {Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t")};
    case VK_RETURN: return {Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")};
    case VK_ESCAPE: return {Qt::Key_Escape, Qt::NoModifier, QString()};
    case 32: return {Qt::Key_Space, Qt::NoModifier, QStringLiteral(" ")};
    case 38: return {Qt::Key_Up, Qt::NoModifier, QString()};
    case 40: return {Qt::Key_Down, Qt::NoModifier, QString()};
    case 46: return {Qt::Key_Delete, Qt::NoModifier, QString()};
    case 106: return {Qt::Key_Asterisk, Qt::KeypadModifier, QStringLiteral("*")};
    case 107: return {Qt::Key_Plus, Qt::KeypadModifier, QStringLiteral("+")};
    case 109: return {Qt::Key_Minus, Qt::KeypadModifier, QStringLiteral("-")};
    case 110: return {Qt::Key_Period, Qt::KeypadModifier, QStringLiteral(".")};
    default: break;
    }
    if (vk >= 112 && vk <= 123) return {Qt::Key_F1 + (vk - 112), Qt::NoModifier, QString()};
    return {};
}

bool TypeVirtualKey(int aVirtualKey, QWidget* aTarget)
{
    const TQtKey k = VirtualKeyToQt(aVirtualKey);
    QPointer<QWidget> target = aTarget != nullptr ? aTarget : QApplication::focusWidget();
    if (k.key == 0 || target.isNull()) return false;
    QKeyEvent press(QEvent::KeyPress, k.key, k.modifiers, k.text);
    QApplication::sendEvent(target, &press);
    // The press may close the screen the field was on (Enter on a dialog).
    if (target.isNull()) return true;
    QKeyEvent release(QEvent::KeyRelease, k.key, k.modifiers, k.text);
    QApplication::sendEvent(target, &release);
    return true;
}

}  // namespace pos
