#include "sales/receipt/QuickCashReceipt.h"

#include "core/TerminalContext.h"
#include "sales/receipt/ReceiptFormat.h"

#include <string>
#include <string_view>
#include <vector>

namespace pos {

TPayPart QuickCashPart(const TTerminalContext& aContext, TPrinters aPrinters, Currency aTendered, Currency aChange)
{
    TPayPart part;
    const TReceiptRoute route = ReceiptRouteOf(aPrinters);
    if (route == TReceiptRoute::None) return part;

    const bool ticket = route == TReceiptRoute::TicketList;
    auto total = [&](std::string_view aCaption, Currency aAmount) {
        return ticket ? TicketTotalLine(aCaption, aAmount) : EnlargedTotalLine(aCaption, aAmount);
    };
    std::vector<std::string> lines{total(label::kReceived, BillSigned(aTendered, aContext.giSign))};
    if (aChange != Currency(0)) lines.push_back(total(label::kQuickChange, aChange));
    lines.push_back(Rule('-'));
    lines.push_back(TenderLine(label::kCash, "", BillSigned(aTendered - aChange, aContext.giSign)));
    lines.push_back(Rule('='));

    if (ticket) part.ticketLines = std::move(lines);
    else part.receiptText = JoinLines(lines);
    return part;
}

}  // namespace pos
