#include "ReceiptImage.h"

#include "core/Codec.h"

#include <QFontDatabase>
#include <QPainter>

#include <algorithm>

namespace pos::virt {
namespace {

constexpr int kLogoHeight = 64;
constexpr int kCutHeight = 30;

QString familyOf(const QString& aFile)
{
    const int id = QFontDatabase::addApplicationFont(aFile);
    const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
    return families.isEmpty() ? QStringLiteral("monospace") : families.front();
}

int lineColumns(const TPrintLine& aLine)
{
    int columns = 0;
    for (const TPrintRun& run : aLine.runs) columns += Cp949Width(run.text) * run.attrs.width;
    return columns;
}

int lineHeightFactor(const TPrintLine& aLine)
{
    int factor = 1;
    for (const TPrintRun& run : aLine.runs) factor = std::max(factor, run.attrs.height);
    return factor;
}

int heightOf(const TPrintLine& aLine, const TRenderOptions& o)
{
    if (aLine.logo) return kLogoHeight;
    return o.lineHeight * lineHeightFactor(aLine) + aLine.feedDots / 3;
}

}  // namespace

QImage RenderReceipt(const TPrintDocument& aDoc, const TRenderOptions& o)
{
    static const QString regular = familyOf(o.fontFile);
    static const QString bold = familyOf(o.boldFontFile);

    int height = 2 * o.margin + (aDoc.cut.empty() ? 0 : kCutHeight);
    for (const TPrintLine& line : aDoc.lines) height += heightOf(line, o);
    const int width = o.columns * o.cellWidth + 2 * o.margin;

    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);

    int top = o.margin;
    for (const TPrintLine& line : aDoc.lines) {
        const int lineHeight = heightOf(line, o);
        if (line.logo) {
            const QRect box(width / 2 - 90, top + 8, 180, kLogoHeight - 16);
            p.setPen(QPen(Qt::black, 2));
            p.drawRoundedRect(box, 8, 8);
            QFont f(bold);
            f.setPixelSize(18);
            p.setFont(f);
            p.drawText(box, Qt::AlignCenter, QStringLiteral("LOGO %1").arg(line.logo));
            top += lineHeight;
            continue;
        }
        const int used = lineColumns(line);
        int column = 0;
        if (line.align == TAlign::Center) column = std::max(0, (o.columns - used) / 2);
        else if (line.align == TAlign::Right) column = std::max(0, o.columns - used);
        const int factor = lineHeightFactor(line);
        const int baseline = top + o.lineHeight * factor;

        for (const TPrintRun& run : line.runs) {
            QFont f(run.attrs.bold ? bold : regular);
            f.setPixelSize(o.lineHeight - 4);
            f.setBold(run.attrs.bold);
            p.setFont(f);
            const int descent = p.fontMetrics().descent();
            for (std::size_t i = 0; i < run.text.size();) {
                const CharStep step = NextChar(run.text, i);
                const QString ch = QString::fromUtf8(run.text.data() + i, qsizetype(step.utf8Len));
                i += step.utf8Len;
                const int cellW = step.width * run.attrs.width * o.cellWidth;
                const int cellH = o.lineHeight * run.attrs.height;
                const QRect cell(o.margin + column * o.cellWidth, baseline - cellH, cellW, cellH);
                column += step.width * run.attrs.width;
                if (run.attrs.highlight) p.fillRect(cell, Qt::black);
                p.save();
                p.setPen(run.attrs.highlight ? Qt::white : Qt::black);
                // Each character is drawn in its own cells, stretched by the
                // size factors, so columns stay where the printer puts them.
                p.translate(cell.left(), baseline - descent * run.attrs.height);
                p.scale(run.attrs.width, run.attrs.height);
                p.drawText(QPointF(0, 0), ch);
                p.restore();
                if (run.attrs.underline) p.fillRect(cell.left(), baseline - 1, cellW, 2, Qt::black);
            }
        }
        top += lineHeight;
    }

    if (!aDoc.cut.empty()) {
        const int y = top + kCutHeight / 2;
        p.setPen(QPen(Qt::gray, 1, Qt::DashLine));
        p.drawLine(0, y, width, y);
        QFont f(regular);
        f.setPixelSize(12);
        p.setFont(f);
        const QString label = QStringLiteral(" cut: %1 ").arg(QString::fromStdString(aDoc.cut));
        const QRect box = p.fontMetrics().boundingRect(label);
        p.fillRect(QRect(width - box.width() - 12, y - box.height() / 2, box.width() + 4, box.height()), Qt::white);
        p.setPen(Qt::darkGray);
        p.drawText(QPointF(width - box.width() - 10, y + box.height() / 2 - 3), label);
    }
    return image;
}

}  // namespace pos::virt
