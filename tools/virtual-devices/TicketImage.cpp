#include "TicketImage.h"

#include "core/Codec.h"

#include <QFontDatabase>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <map>

namespace pos::virt {
namespace {

const QString& fontFamily()
{
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont("/usr/share/fonts/truetype/nanum/NanumGothicCoding.ttf");
        const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
        return families.isEmpty() ? QStringLiteral("monospace") : families.front();
    }();
    return family;
}

// Draws aText from the painter's origin in cells of aCellW x aCellH (two
// cells for a Korean character); the painter's transformation places and
// rotates it.
void drawCells(QPainter& p, const std::string& aText, double aCellW, double aCellH)
{
    QFont f(fontFamily());
    f.setPixelSize(24);
    p.setFont(f);
    const QFontMetricsF m(f);
    double x = 0;
    for (std::size_t i = 0; i < aText.size();) {
        const CharStep step = NextChar(aText, i);
        const QString ch = QString::fromUtf8(aText.data() + i, qsizetype(step.utf8Len));
        i += step.utf8Len;
        const double w = aCellW * step.width;
        p.save();
        // The glyph (24 pixels high, about 12 wide per cell) stretched into its cells.
        p.translate(x, 0);
        p.scale(w / (12.0 * step.width), aCellH / 26.0);
        p.drawText(QPointF(0, m.ascent()), ch);
        p.restore();
        x += w;
    }
}

// Stripes for the characters of a bar code: wide and narrow bars by the
// bits of each character, so different codes look different.
void drawBarcode(QPainter& p, const std::string& aCode, double aHeight)
{
    double x = 0;
    for (unsigned char c : aCode) {
        for (int bit = 0; bit < 5; ++bit) {
            const double w = (c >> bit) & 1 ? 4 : 2;
            p.fillRect(QRectF(x, 0, w, aHeight), Qt::black);
            x += w + 2;
        }
        x += 3;
    }
    p.save();
    p.translate(0, aHeight + 2);
    drawCells(p, aCode, 10, 20);
    p.restore();
}

constexpr double kPageCellW = 17.5;  // dots per column: 42 columns from x 140 to 880
constexpr double kPageCellH = 36;

}  // namespace

QImage RenderPage(const TPagePrint& aPage)
{
    int height = std::max(aPage.length, 200);
    for (const auto& [no, f] : aPage.fields) height = std::max(height, f.y + int(kPageCellH * f.height) + 20);
    const int width = 960;
    QImage image(width, height + 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(Qt::black);
    for (const auto& [no, f] : aPage.fields) {
        if (!f.filled) continue;
        p.save();
        p.translate(f.x, f.y);
        p.rotate(f.rotation);
        drawCells(p, f.text, kPageCellW * f.width, kPageCellH * f.height);
        p.restore();
    }
    for (const auto& [no, r] : aPage.rules) {
        p.fillRect(QRectF(r.x1, r.y1, r.x2 - r.x1, 2), Qt::black);
        if (r.kind == 6) p.fillRect(QRectF(r.x1, r.y1 + 5, r.x2 - r.x1, 2), Qt::black);
    }
    const int y = height + 15;
    p.setPen(QPen(Qt::gray, 1, Qt::DashLine));
    if (aPage.cut) p.drawLine(0, y, width, y);
    QFont f(fontFamily());
    f.setPixelSize(12);
    p.setFont(f);
    p.setPen(Qt::darkGray);
    p.drawText(QPointF(width - 120, y - 3), aPage.cut ? QStringLiteral("cut") : QStringLiteral("no cut"));
    return image;
}

namespace {

// Cell size of a Boca font, in dots at magnification 1.
QSizeF bocaCell(const TBocaPrintField& f)
{
    static const std::map<int, QSizeF> fonts = {{1, {7, 11}},   {2, {10, 16}}, {3, {12, 24}}, {5, {14, 28}},
                                                {6, {12, 20}},  {9, {16, 32}}, {12, {20, 40}}};
    const auto it = fonts.find(f.font);
    const QSizeF base = f.storedFont || it == fonts.end() ? QSizeF(12, 24) : it->second;
    return {base.width() * f.width, base.height() * f.height};
}

QRectF localBox(const TBocaPrintField& f)
{
    const QSizeF cell = bocaCell(f);
    if (f.barcode) return QRectF(0, 0, double(f.text.size()) * 33, cell.height() * 2 + 24);
    return QRectF(0, 0, std::max(1, Cp949Width(f.text)) * cell.width(), cell.height());
}

QTransform placeOf(const TBocaPrintField& f)
{
    QTransform t;
    t.translate(f.column, f.row);
    t.rotate(f.rotation);
    return t;
}

}  // namespace

QImage RenderBocaTicket(const TBocaTicket& aTicket)
{
    QRectF bounds(0, 0, 1, 1);
    std::map<int, int> rotations;
    for (const TBocaPrintField& f : aTicket.fields) {
        if (f.text.empty()) continue;
        bounds = bounds.united(placeOf(f).mapRect(localBox(f)));
        ++rotations[f.rotation];
    }
    const int margin = 20;
    QImage image(int(bounds.width()) + 2 * margin, int(bounds.height()) + 2 * margin, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setPen(QPen(Qt::gray, 1));
        p.drawRect(image.rect().adjusted(0, 0, -1, -1));
        p.setPen(Qt::black);
        for (const TBocaPrintField& f : aTicket.fields) {
            if (f.text.empty()) continue;
            p.save();
            p.translate(margin - bounds.left(), margin - bounds.top());
            p.setTransform(placeOf(f), true);
            if (f.barcode) drawBarcode(p, f.text, bocaCell(f).height() * 2);
            else drawCells(p, f.text, bocaCell(f).width(), bocaCell(f).height());
            p.restore();
        }
    }
    int mostly = 0, count = 0;
    for (const auto& [rotation, n] : rotations)
        if (n > count) mostly = rotation, count = n;
    QImage turned = image.transformed(QTransform().rotate((360 - mostly) % 360));

    // A strip below the ticket says how it left the printer.
    QImage out(turned.width(), turned.height() + 24, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(0, 0, turned);
    QFont f(fontFamily());
    f.setPixelSize(12);
    p.setFont(f);
    p.setPen(Qt::darkGray);
    p.drawText(QPointF(8, out.height() - 8), aTicket.cut ? QStringLiteral("printed and cut")
                                                          : QStringLiteral("printed, not cut (more follow)"));
    return out;
}

}  // namespace pos::virt
