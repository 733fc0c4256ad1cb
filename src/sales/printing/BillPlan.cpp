#include "sales/printing/BillPlan.h"

#include "sales/printing/ItemTickets.h"

#include "core/TerminalContext.h"
#include "sales/receipt/BillHeader.h"
#include "sales/receipt/QuickCashReceipt.h"
#include "sales/recording/PayRecording.h"
#include "sales/recording/Settlement.h"

namespace pos {
namespace {

TSalePart salePart(const TTerminalContext& aContext, const TMasterStore& aStore, TPrinters aPrinters,
                   const TStoredBill& aBill, const std::string& aHeader)
{
    TSaleReceipt receipt(aContext, aStore, aPrinters, aBill.commands, aBill.cancelled, aHeader);
    for (const TStoredLine& stored : aBill.sale.lines) {
        const TTaxSplit& tax = stored.split;
        receipt.AddLine(*stored.line,
                        TRowAmounts{stored.unit, stored.sale, tax.net, tax.vat, tax.excise, tax.eduTax, tax.service});
    }
    return receipt.Finish(aBill.discount, aBill.due);
}

// The tender lines in the order the payment stored them.
TPayPart payPart(const TTerminalContext& aContext, const TMasterStore& aStore, TPrinters aPrinters,
                 const TPayLines& aPay, const std::string& aHeader)
{
    TPayReceipt receipt(aContext, aStore, aPrinters, aHeader, aPay.received, aPay.change);
    const auto cards = [](const std::vector<TPayCardList>& aLines, const auto& aAdd) {
        for (std::size_t i = 0; i < aLines.size(); ++i)
            if (CardLineStored(aLines, i)) aAdd(aLines[i]);
    };
    for (const std::int64_t kind : aPay.offeredKinds) {
        if (kind == aContext.giPayCash) {
            for (const auto& line : aPay.cash) receipt.AddCash(line);
        } else if (kind == aContext.giPayCard) {
            cards(aPay.card, [&](const TPayCardList& aLine) { receipt.AddCard(aLine); });
        } else if (kind == aContext.giPayEasyCheck) {
            cards(aPay.easyCheck, [&](const TPayCardList& aLine) { receipt.AddEasyCheck(aLine); });
        } else if (kind == aContext.giPayRoom) {
            for (const auto& line : aPay.room) receipt.AddRoom(line);
        } else if (kind == aContext.giPayGiftCard) {
            for (const auto& line : aPay.giftCard) receipt.AddGiftCard(line);
        } else if (kind == aContext.giPayCredit) {
            for (const auto& line : aPay.credit) receipt.AddCredit(line);
        } else if (kind == aContext.giPayEvent) {
            for (const auto& line : aPay.event) receipt.AddEvent(line);
        } else if (kind == aContext.giPayLocker) {
            for (const auto& line : aPay.locker) receipt.AddLocker(line);
        }
    }
    return receipt.Finish();
}

}  // namespace

TPrintPlan PlanStoredBill(const TTerminalContext& aContext, const TMasterStore& aStore, TPrinters aPrinters,
                          const TStoredBill& aBill, bool aOpenDrawer, const std::string& aTime)
{
    const std::string header = BillHeaderLine(aContext, aTime, IsTableOutlet(aContext, aStore));
    TSalePart sale = salePart(aContext, aStore, aPrinters, aBill, header);
    if (aBill.cancelled) return PlanCancelledBill(aPrinters, sale);

    TSettledBill settled;
    settled.printers = aPrinters;
    settled.saleGubun = aContext.giSaleGubun;
    settled.sale = std::move(sale);
    settled.pay = aBill.quickCash ? QuickCashPart(aContext, aPrinters, aBill.tendered, aBill.change)
                                  : payPart(aContext, aStore, aPrinters, aBill.pay, header);
    settled.openDrawer = aOpenDrawer;
    // The bill's own tickets are queued first, so they print before the
    // payment's slips and the receipt's list that the plan queues behind them.
    TPrintPlan plan;
    for (TItemTicket& ticket : ItemTicketsOf(aContext, aStore, aPrinters, aBill, header))
        plan.push_back(ItemTicketJob(std::move(ticket.kind), std::move(ticket.values), ticket.merge));
    for (TPrintJob& job : PlanSettledBill(settled)) plan.push_back(std::move(job));
    return plan;
}

}  // namespace pos
