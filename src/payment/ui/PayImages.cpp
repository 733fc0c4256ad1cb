#include "payment/ui/PayImages.h"

#include "core/ui/ImageLibrary.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace pos {

namespace {

constexpr int kIcon = 28;

QPixmap drawn(int aWidth, int aHeight, const std::function<void(QPainter&)>& aDraw)
{
    QPixmap pixmap(aWidth, aHeight);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    aDraw(p);
    return pixmap;
}

const QColor kInk(0x20, 0x30, 0x50);

void cash(QPainter& p)
{
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(0x9c, 0xd6, 0x8a));
    p.drawRoundedRect(QRectF(2, 7, 24, 14), 2, 2);
    p.setBrush(QColor(0xe8, 0xf6, 0xe0));
    p.drawEllipse(QPointF(14, 14), 4.5, 4.5);
    p.setFont(QFont(p.font().family(), 6, QFont::Bold));
    p.drawText(QRectF(9.5, 9.5, 9, 9), Qt::AlignCenter, QStringLiteral("₩"));
}

void card(QPainter& p)
{
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(0xf4, 0xc4, 0x4c));
    p.drawRoundedRect(QRectF(2, 6, 24, 16), 3, 3);
    p.fillRect(QRectF(2.8, 9, 22.4, 3.5), kInk);
    p.setBrush(QColor(0xd0, 0xd8, 0xe0));
    p.drawRect(QRectF(6, 15, 6, 4));
}

void easyCheck(QPainter& p)
{
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(0xd8, 0xdc, 0xe4));
    p.drawRoundedRect(QRectF(6, 2, 16, 24), 3, 3);
    p.setBrush(QColor(0x6c, 0xb4, 0xe8));
    p.drawRect(QRectF(9, 5, 10, 6));
    p.setBrush(kInk);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) p.drawRect(QRectF(9.5 + col * 3.5, 14 + row * 3.5, 2, 2));
    p.setBrush(QColor(0xf4, 0xc4, 0x4c));
    p.drawRect(QRectF(1, 9, 7, 10));
}

void room(QPainter& p)
{
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(0xa8, 0x8c, 0xd8));
    p.drawRect(QRectF(3, 14, 22, 7));
    p.drawRect(QRectF(3, 8, 3, 16));
    p.setBrush(QColor(0xf0, 0xf0, 0xf8));
    p.drawRoundedRect(QRectF(7, 10, 7, 4), 1.5, 1.5);
    p.drawLine(QPointF(25, 21), QPointF(25, 24));
}

void locker(QPainter& p)
{
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(0x8c, 0xb8, 0xc8));
    p.drawRect(QRectF(5, 2, 18, 24));
    p.drawLine(QPointF(14, 2), QPointF(14, 26));
    for (int i = 0; i < 3; ++i) {
        p.drawLine(QPointF(7, 6 + i * 2.5), QPointF(12, 6 + i * 2.5));
        p.drawLine(QPointF(16, 6 + i * 2.5), QPointF(21, 6 + i * 2.5));
    }
    p.setBrush(kInk);
    p.drawEllipse(QPointF(11.5, 16), 1.2, 1.2);
    p.drawEllipse(QPointF(16.5, 16), 1.2, 1.2);
}

void event(QPainter& p)
{
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(0xf0, 0x9c, 0x6c));
    for (int i = 0; i < 3; ++i) {
        const qreal x = 6 + i * 8;
        p.drawEllipse(QPointF(x, 9), 3, 3);
        p.drawChord(QRectF(x - 5, 14, 10, 12), 0, 180 * 16);
    }
}

void giftCard(QPainter& p)
{
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(0xe8, 0x6c, 0x8c));
    p.drawRect(QRectF(4, 12, 20, 13));
    p.drawRect(QRectF(3, 8, 22, 5));
    p.setBrush(QColor(0xf8, 0xe0, 0x70));
    p.drawRect(QRectF(12, 8, 4, 17));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(8, 3, 6, 5));
    p.drawEllipse(QRectF(14, 3, 6, 5));
}

void credit(QPainter& p)
{
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(0xf4, 0xee, 0xd8));
    p.drawRect(QRectF(5, 2, 18, 24));
    for (int i = 0; i < 4; ++i) p.drawLine(QPointF(8, 7 + i * 4), QPointF(20, 7 + i * 4));
    p.setPen(QPen(QColor(0xc0, 0x30, 0x30), 2));
    p.drawLine(QPointF(16, 24), QPointF(25, 15));
}

}  // namespace

QString PayIconName(TPayKind aKind)
{
    switch (aKind) {
    case TPayKind::Cash: return QStringLiteral("PayCashBtn");
    case TPayKind::Card: return QStringLiteral("PayCardBtn");
    case TPayKind::EasyCheck: return QStringLiteral("PayEasyCheckBtn");
    case TPayKind::Room: return QStringLiteral("PayRoomBtn");
    case TPayKind::Locker: return QStringLiteral("PayLockerBtn");
    case TPayKind::Event: return QStringLiteral("PayEventBtn");
    case TPayKind::GiftCard: return QStringLiteral("PayGiftCardBtn");
    case TPayKind::Credit: return QStringLiteral("PayCreditBtn");
    }
    return {};
}

QPixmap PayIcon(TPayKind aKind)
{
    const QPixmap library = ImageMaskedPicture(PayIconName(aKind));
    if (!library.isNull()) return library;
    switch (aKind) {
    case TPayKind::Cash: return drawn(kIcon, kIcon, cash);
    case TPayKind::Card: return drawn(kIcon, kIcon, card);
    case TPayKind::EasyCheck: return drawn(kIcon, kIcon, easyCheck);
    case TPayKind::Room: return drawn(kIcon, kIcon, room);
    case TPayKind::Locker: return drawn(kIcon, kIcon, locker);
    case TPayKind::Event: return drawn(kIcon, kIcon, event);
    case TPayKind::GiftCard: return drawn(kIcon, kIcon, giftCard);
    case TPayKind::Credit: return drawn(kIcon, kIcon, credit);
    }
    return {};
}

QPixmap PayBackPicture()
{
    const QPixmap library = ImagePicture(QStringLiteral("PayBackImg"));
    if (!library.isNull()) return library;
    return drawn(101, 43, [](QPainter& p) {
        QLinearGradient g(0, 0, 0, 43);
        g.setColorAt(0, QColor(0xf0, 0x8a, 0x24));
        g.setColorAt(1, QColor(0xc8, 0x5a, 0x0c));
        p.setPen(QPen(QColor(0x8a, 0x3c, 0x06), 1));
        p.setBrush(g);
        p.drawRoundedRect(QRectF(0.5, 0.5, 100, 42), 6, 6);
    });
}

}  // namespace pos
