#include "sales/commands/DCCommand.h"

#include "core/DialogService.h"
#include "core/TerminalContext.h"
#include "sales/SaleBill.h"
#include "sales/SaleServices.h"
#include "sales/SaleView.h"
#include "store/MasterStore.h"

namespace pos {
namespace {

// A line without its discount or member: the price alone decides its amount.
void clearDiscount(TSaleList& aLine, Currency aUnitPrice)
{
    aLine.SaleUnitAmt = aUnitPrice;
    aLine.SaleAmt = aLine.SaleCount * aUnitPrice;
    aLine.DCRate = 0;
    aLine.DCAmt = Currency();
    aLine.AcceptMemberNo.clear();
    aLine.MemberName.clear();
    aLine.MemberCodeName.clear();
}

}  // namespace

void TDCCommand::Execute(TSaleView& aView)
{
    if (context_.gbSki) {
        toggleSkiMode(aView);
        return;
    }
    // The button stays disabled while the screen is open: a card read on
    // the sale screen meanwhile must not open a second one.
    TCommandState& button = aView.Bill().screen.commands[TSaleCommand::DC];
    button.enabled = false;
    const bool eventBefore = context_.gbEventMode;
    launcher_.ShowDC(aView.Bill().glKeyInData);
    afterScreen(aView, eventBefore);
    button.enabled = true;
    aView.Refresh();
}

void TDCCommand::toggleSkiMode(TSaleView& aView)
{
    if (context_.gbEventMode) {
        dialogs_.ErrBox(kMsgDCDuringEvent, true);
        return;
    }
    TCommandState& button = aView.Bill().screen.commands[TSaleCommand::DC];
    button.down = !button.down;
    aView.Refresh();
}

void TDCCommand::afterScreen(TSaleView& aView, bool aEventBefore)
{
    TSaleBill& bill = aView.Bill();
    if (context_.gbCantSale) {
        bill.ClearBill();
        return;
    }
    endEventWithoutMember();
    const bool hasLines = !bill.Lines().IsEmpty();
    if (hasLines && !aEventBefore && context_.gbEventMode) priceForEvent(aView);
    if (hasLines && aEventBefore && !context_.gbEventMode) priceFromGoods(aView);
    bill.CalcSaleList(true);
}

// The screen removed the banquet's member: the banquet is over.
void TDCCommand::endEventWithoutMember()
{
    if (!context_.gbEventMode || !store_.glDCMemberData.empty()) return;
    context_.gbEventMode = false;
    context_.gsEventNo.clear();
    context_.gsEventName.clear();
    context_.gsEventMemberCode.clear();
    context_.gsEventMemberCodeName.clear();
    context_.gsEventGuestType.clear();
}

// A banquet has prices of its own: every line already on the bill is asked
// for the banquet's price (a cancelled dialog keeps the price it had).
void TDCCommand::priceForEvent(TSaleView& aView)
{
    dialogs_.MsgBox(kMsgDCEventPrices);
    TSaleLines& lines = aView.Bill().Lines();
    for (int i = 0; i < lines.GetCount(); ++i) {
        TSaleList& line = lines.Line(i);
        std::int64_t correct = 0;
        const Currency price = services_.GetOpenCodePrice(line.MenuName, line.TaxCalcuCode, line.SaleUnitAmt, correct, "");
        const bool cancelled = price < Currency();
        clearDiscount(line, cancelled ? line.SaleUnitAmt : price);
        line.CorrectAmt = cancelled ? 0 : correct;
    }
}

// The banquet ended: every line goes back to its goods price.
void TDCCommand::priceFromGoods(TSaleView& aView)
{
    TSaleLines& lines = aView.Bill().Lines();
    for (int i = 0; i < lines.GetCount(); ++i) {
        TSaleList& line = lines.Line(i);
        const int goods = store_.GetGoodsDataIndex(line.UpjangCode, line.MenuCode);
        const Currency price = goods >= 0 ? store_.glGoodsData[static_cast<std::size_t>(goods)].SaleUnitAmt
                                          : line.SaleUnitAmt;
        clearDiscount(line, price);
    }
}

}  // namespace pos
