#include "controls/ZoColor.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPalette>
#include <QWidget>

namespace pos {

QColor ZoColor(TColor aColor)
{
    if ((aColor & 0xFF000000u) == 0xFF000000u) {
        const QPalette pal = QGuiApplication::palette();
        switch (aColor & 0xFFu) {
        case 0x0D: return pal.color(QPalette::Highlight);
        case 0x0E: return pal.color(QPalette::HighlightedText);
        case 0x08: return pal.color(QPalette::WindowText);
        case 0x14: return pal.color(QPalette::Light);
        case 0x10: return pal.color(QPalette::Mid);
        case 0x0F: return pal.color(QPalette::Button);
        case 0x05: return pal.color(QPalette::Base);
        default: return pal.color(QPalette::Window);
        }
    }
    return QColor(static_cast<int>(aColor & 0xFFu), static_cast<int>((aColor >> 8) & 0xFFu),
                  static_cast<int>((aColor >> 16) & 0xFFu));
}

namespace {

void setRole(QWidget* aWidget, QPalette::ColorRole aRole, TColor aColor)
{
    QPalette pal = aWidget->palette();
    pal.setColor(aRole, ZoColor(aColor));
    aWidget->setPalette(pal);
}

}  // namespace

void ZoSetTextColor(QWidget* aWidget, TColor aColor) { setRole(aWidget, QPalette::WindowText, aColor); }
void ZoSetBackColor(QWidget* aWidget, TColor aColor) { setRole(aWidget, QPalette::Window, aColor); }
void ZoSetBaseColor(QWidget* aWidget, TColor aColor) { setRole(aWidget, QPalette::Base, aColor); }

QString ZoFontFamily()
{
    // Loaded once per process; the application font database outlives every
    // screen.
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont(
            QStringLiteral("/usr/share/fonts/truetype/nanum/NanumGothicCoding.ttf"));
        if (id >= 0) {
            const QStringList families = QFontDatabase::applicationFontFamilies(id);
            if (!families.isEmpty()) return families.front();
        }
        if (QFontDatabase::hasFamily(QStringLiteral("NanumGothicCoding"))) return QStringLiteral("NanumGothicCoding");
        return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    }();
    return family;
}

QFont ZoFont(int aPointSize, bool aBold)
{
    QFont font(ZoFontFamily());
    font.setPixelSize((aPointSize * 96 + 36) / 72);
    font.setBold(aBold);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

}  // namespace pos
