// Draws the pictures of the image library into PNG files and writes the
// resource list that bundles them. Run by the build; every picture is our own
// drawing, so the library has no binary files to keep in the repository.
//
// Pictures shown on buttons and in the footer stand on magenta: the colour of
// their top-left pixel is drawn transparent. The message box backgrounds are
// whole pictures.

#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

const QColor kClear(255, 0, 255);

struct Picture {
    const char* name;
    int width, height;
    std::function<void(QPainter&, const QRect&)> draw;
    bool clearBackground = true;
};

// Sky and snowy peaks, scaled to the picture: the login and splash pictures.
void drawMountains(QPainter& p, const QRect& r)
{
    QLinearGradient g(0, 0, r.width(), r.height());
    g.setColorAt(0, QColor(0x13, 0x49, 0x86));
    g.setColorAt(1, QColor(0x4A, 0xA5, 0xD2));
    p.fillRect(r, g);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 220));
    const double sx = r.width() / 400.0, sy = r.height() / 300.0;
    QPainterPath mountain;
    mountain.moveTo(0, r.height());
    mountain.lineTo(120 * sx, 150 * sy);
    mountain.lineTo(190 * sx, 210 * sy);
    mountain.lineTo(280 * sx, 110 * sy);
    mountain.lineTo(r.width(), r.height());
    mountain.closeSubpath();
    p.drawPath(mountain);
}

QFont glyphFont(int pixelSize)
{
    QFont f(QStringLiteral("NanumGothic"));
    f.setPixelSize(pixelSize);
    f.setBold(true);
    return f;
}

// Background of a message box: a coloured band on top for the caption, a pale
// body and the sign of the box in a disc on the band.
void drawBoxBack(QPainter& p, const QRect& r, const QColor& band, const QString& sign)
{
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(0, 0, 0, r.height());
    body.setColorAt(0, QColor(250, 251, 253));
    body.setColorAt(1, QColor(222, 230, 240));
    p.fillRect(r, body);
    QLinearGradient top(0, 0, 0, 44);
    top.setColorAt(0, band.lighter(135));
    top.setColorAt(1, band);
    p.fillRect(QRect(0, 0, r.width(), 44), top);
    p.setPen(QPen(band.darker(150), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(1, 1, -1, -1));
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(band.darker(115));
    p.drawEllipse(QRect(10, 6, 32, 32));
    p.setFont(glyphFont(22));
    p.setPen(Qt::white);
    p.drawText(QRect(10, 6, 32, 32), Qt::AlignCenter, sign);
}

void drawArrow(QPainter& p, const QRect& r, bool up, const QColor& color)
{
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    const double cx = r.width() / 2.0;
    if (up) {
        path.moveTo(cx, 5);
        path.lineTo(r.width() - 4, r.height() - 8);
        path.lineTo(4, r.height() - 8);
    } else {
        path.moveTo(4, 8);
        path.lineTo(r.width() - 4, 8);
        path.lineTo(cx, r.height() - 5);
    }
    path.closeSubpath();
    p.setPen(QPen(color.darker(160), 2));
    p.setBrush(color);
    p.drawPath(path);
}

void drawExit(QPainter& p, const QRect& r, const QColor& color)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color, 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPoint(7, 7), QPoint(r.width() - 8, r.height() - 8));
    p.drawLine(QPoint(r.width() - 8, 7), QPoint(7, r.height() - 8));
}

std::vector<Picture> pictures()
{
    return {
        {"MsgImg", 420, 240, [](QPainter& p, const QRect& r) { drawBoxBack(p, r, QColor(0x23, 0x65, 0x9E), "i"); }, false},
        {"ErrImg", 420, 240, [](QPainter& p, const QRect& r) { drawBoxBack(p, r, QColor(0xB0, 0x24, 0x24), "!"); }, false},
        {"AskImg", 420, 240, [](QPainter& p, const QRect& r) { drawBoxBack(p, r, QColor(0x2E, 0x7D, 0x32), "?"); }, false},
        {"LoginImg", 400, 300, drawMountains, false},
        {"SplashImg", 480, 300, drawMountains, false},
        {"DownloadImg", 96, 96,
         [](QPainter& p, const QRect& r) {
             p.setRenderHint(QPainter::Antialiasing);
             p.setPen(QPen(QColor(0x13, 0x49, 0x86), 3));
             p.setBrush(QColor(0xD2, 0xE4, 0xF4));
             p.drawRoundedRect(r.adjusted(8, 8, -8, -8), 10, 10);
             QPainterPath arrow;
             arrow.moveTo(38, 22);
             arrow.lineTo(58, 22);
             arrow.lineTo(58, 46);
             arrow.lineTo(70, 46);
             arrow.lineTo(48, 70);
             arrow.lineTo(26, 46);
             arrow.lineTo(38, 46);
             arrow.closeSubpath();
             p.setBrush(QColor(0x23, 0x65, 0x9E));
             p.drawPath(arrow);
         }},
        {"CI", 50, 50,
         [](QPainter& p, const QRect&) {
             p.setRenderHint(QPainter::Antialiasing);
             p.setPen(QPen(Qt::white, 2));
             p.setBrush(QColor(0x13, 0x49, 0x86));
             p.drawEllipse(QRect(3, 3, 44, 44));
             QPainterPath peak;
             peak.moveTo(10, 36);
             peak.lineTo(22, 16);
             peak.lineTo(28, 25);
             peak.lineTo(32, 19);
             peak.lineTo(40, 36);
             peak.closeSubpath();
             p.setBrush(Qt::white);
             p.setPen(Qt::NoPen);
             p.drawPath(peak);
         }},
        {"FooterMemo", 22, 22,
         [](QPainter& p, const QRect&) {
             p.setRenderHint(QPainter::Antialiasing);
             p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
             p.setBrush(QColor(255, 250, 205));
             p.drawRoundedRect(QRect(2, 3, 18, 15), 3, 3);
             p.drawLine(6, 8, 16, 8);
             p.drawLine(6, 12, 13, 12);
         }},
        {"FooterCashier", 22, 22,
         [](QPainter& p, const QRect&) {
             p.setRenderHint(QPainter::Antialiasing);
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(250, 250, 250));
             p.drawEllipse(QRect(7, 2, 8, 8));
             p.drawChord(QRect(3, 11, 16, 16), 0, 180 * 16);
         }},
        {"FooterDate", 22, 22,
         [](QPainter& p, const QRect&) {
             p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
             p.setBrush(Qt::white);
             p.drawRect(QRect(2, 4, 17, 15));
             p.fillRect(QRect(3, 5, 16, 4), QColor(0xC0, 0x30, 0x30));
             for (int y = 11; y < 18; y += 3)
                 for (int x = 5; x < 18; x += 4) p.fillRect(QRect(x, y, 2, 2), QColor(0x50, 0x50, 0x50));
         }},
        {"ExitBtn", 32, 32, [](QPainter& p, const QRect& r) { drawExit(p, r, QColor(250, 250, 250)); }},
        {"ExitBtnD", 32, 32, [](QPainter& p, const QRect& r) { drawExit(p, r, QColor(150, 150, 150)); }},
        {"ArrowUpBtn", 32, 32, [](QPainter& p, const QRect& r) { drawArrow(p, r, true, QColor(0x23, 0x65, 0x9E)); }},
        {"ArrowUpBtnD", 32, 32, [](QPainter& p, const QRect& r) { drawArrow(p, r, true, QColor(170, 170, 170)); }},
        {"ArrowDownBtn", 32, 32, [](QPainter& p, const QRect& r) { drawArrow(p, r, false, QColor(0x23, 0x65, 0x9E)); }},
        {"ArrowDownBtnD", 32, 32, [](QPainter& p, const QRect& r) { drawArrow(p, r, false, QColor(170, 170, 170)); }},
    };
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path())) return 1;

    QString qrc = QStringLiteral("<RCC>\n  <qresource prefix=\"/POSImg\">\n");
    for (const Picture& pic : pictures()) {
        QImage image(pic.width, pic.height, QImage::Format_RGB32);
        image.fill(kClear);
        const QRect r(0, 0, pic.width, pic.height);
        if (!pic.clearBackground) {
            QPainter painter(&image);
            pic.draw(painter, r);
        } else {
            // Drawn on a transparent sheet, then put on the clear colour with
            // hard edges: a blended edge would show as a pink fringe once the
            // clear colour is masked out.
            QImage sheet(pic.width, pic.height, QImage::Format_ARGB32);
            sheet.fill(Qt::transparent);
            {
                QPainter painter(&sheet);
                pic.draw(painter, r);
            }
            for (int y = 0; y < pic.height; ++y)
                for (int x = 0; x < pic.width; ++x) {
                    const QColor c = sheet.pixelColor(x, y);
                    if (c.alpha() >= 128) image.setPixelColor(x, y, QColor(c.red(), c.green(), c.blue()));
                }
            image.setPixelColor(0, 0, kClear);
        }
        const QString file = QStringLiteral("%1.png").arg(QLatin1String(pic.name));
        if (!image.save(out.filePath(file))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(out.filePath(file)));
            return 1;
        }
        qrc += QStringLiteral("    <file>%1</file>\n").arg(file);
    }
    qrc += QStringLiteral("  </qresource>\n</RCC>\n");

    QFile qrcFile(out.filePath(QStringLiteral("posimg.qrc")));
    if (!qrcFile.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 1;
    QTextStream(&qrcFile) << qrc;
    return 0;
}
