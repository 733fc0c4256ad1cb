#pragma once
// The tender part of the quick cash settlement ("현금결제" on the sale
// screen): the tendered amount, the change, and the one cash line.

#include "core/Currency.h"
#include "sales/receipt/PayReceipt.h"
#include "sales/receipt/ReceiptRoute.h"

namespace pos {

struct TTerminalContext;

// aTendered: the tendered field as typed (whole won, without sign); aChange:
// the change shown. The received amount and the cash line carry the bill's
// sign, as on the payment screen's tender part: a refund prints negative.
// Only receiptText or ticketLines is filled, by the receipt's route.
TPayPart QuickCashPart(const TTerminalContext& aContext, TPrinters aPrinters, Currency aTendered, Currency aChange);

}  // namespace pos
