#pragma once
// The pictures of the payment screen: the tender icons ("PayCashBtn",
// "PayCardBtn", "PayEasyCheckBtn", "PayRoomBtn", "PayLockerBtn",
// "PayEventBtn", "PayGiftCardBtn", "PayCreditBtn") and the back of the
// selected tender button ("PayBackImg"). The image library's picture of that
// name is used when it has one; otherwise our own drawing of it.

#include "payment/PayTenders.h"

#include <QPixmap>
#include <QString>

namespace pos {

QString PayIconName(TPayKind aKind);
// The icon of a tender kind, its top-left colour transparent (28 x 28 when drawn here).
QPixmap PayIcon(TPayKind aKind);
// The back of the selected tender button (101 x 43 when drawn here).
QPixmap PayBackPicture();

}  // namespace pos
