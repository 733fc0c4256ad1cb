#include "sales/receipt/SaleReceipt.h"

#include "core/TerminalContext.h"
#include "core/TextHelpers.h"
#include "sales/CommandBar.h"
#include "sales/SaleList.h"
#include "sales/receipt/ReceiptFormat.h"
#include "store/MasterStore.h"

#include <algorithm>
#include <cstdio>

namespace pos {
namespace {

constexpr std::string_view kCancelledTitle = "거래 중지 전표";
constexpr std::string_view kCancelledTicketMark = "[거래 중지 전표]";
constexpr std::string_view kReturnMark = "반품";
constexpr std::string_view kCashierMark = "  담당";
constexpr std::int64_t kSaleGubunReturn = 2;

std::string fourDigits(std::int64_t aValue)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04lld", static_cast<long long>(aValue));
    return text;
}

}  // namespace

TSaleReceipt::TSaleReceipt(const TTerminalContext& aContext, const TMasterStore& aStore, TPrinters aPrinters,
                           const TCommandBar& aCommandBar, bool aCancelled, std::string aHeader)
    : context_(aContext),
      printers_(aPrinters),
      route_(ReceiptRouteOf(aPrinters)),
      cancelled_(aCancelled),
      groupTicket_(aCommandBar.GroupTicketDown()),
      mealSlipOutlet_(aStore.GetUpjangData(aContext.gsMasterUpjangCode, UpjangItem::TicketPrtYN).asFlag()),
      style_{aContext.gbVessa, aCommandBar.NoSvcDown(), aCommandBar.NoVatDown()},
      header_(std::move(aHeader))
{
    title_ = storeTitle();
}

// T: the outlet's name in double width (19 cells), the return mark, and the
// header line; a cancelled bill on a receipt printer is titled above it.
std::string TSaleReceipt::storeTitle() const
{
    std::string title = TitleLine(context_.gsMasterUpjangName);
    if (context_.giSaleGubun == kSaleGubunReturn) title += kReturnMark;
    title += kLineEnd + header_ + kLineEnd;
    if (cancelled_ && route_ == TReceiptRoute::ReceiptPrinter)
        title = "{Z}" + StringCenterAlign(kCancelledTitle, kReceiptWidth, true) + "{S}" + kLineEnd + title;
    return title;
}

void TSaleReceipt::AddLine(const TSaleList& aLine, const TRowAmounts& aRows)
{
    if (aLine.SaleCount == Currency(0)) return;
    const bool taxFree = aLine.TaxCalcuCode == context_.gsTaxGubunDutyfree;
    AddStoredRows(taxes_, context_, aLine.TaxCalcuCode, aRows);
    // The entered unit price and count x unit price; discounts, corrections,
    // service charge and VAT show only in the totals.
    const std::string name = (aLine.CaddyYN ? "(C)" : "") + aLine.MenuName;
    items_.push_back(ItemLine(taxFree ? "*" : "", name, aLine.SaleCount, aLine.SaleUnitAmt));
    collectMeal(aLine);
}

// Meal slips count food items: per unit, or per item in combined-ticket mode.
void TSaleReceipt::collectMeal(const TSaleList& aLine)
{
    if (aLine.TicketType != context_.gsTicketTypeFnB) return;
    const std::int64_t count = aLine.SaleCount.truncWon();
    if (groupTicket_) {
        auto same = std::find_if(meals_.begin(), meals_.end(), [&](const auto& m) { return m.first == aLine.MenuName; });
        if (same != meals_.end()) same->second += count;
        else meals_.emplace_back(aLine.MenuName, count);
        return;
    }
    for (std::int64_t unit = 0; unit < count; ++unit) meals_.emplace_back(aLine.MenuName, 1);
}

// B: the column header, the item lines, the event, the tax block.
std::vector<std::string> TSaleReceipt::bodyLines() const
{
    const bool ticketMark = cancelled_ && route_ == TReceiptRoute::TicketList;
    std::vector<std::string> lines{ticketMark ? std::string(kCancelledTicketMark) : Rule('='),
                                   std::string(kColumnHeader), Rule('-')};
    lines.insert(lines.end(), items_.begin(), items_.end());
    if (context_.gbEventMode) {
        lines.push_back(Rule('-'));
        lines.push_back(context_.gsEventName + "(" + context_.gsEventNo + ")");
    }
    lines.push_back(Rule('='));
    // The discount and the due come in with Finish; the block is added there.
    return lines;
}

std::vector<std::string> TSaleReceipt::mealSlips() const
{
    std::vector<std::string> slips;
    // Only a ticket outlet with a receipt printer on printer 1 prints them,
    // and a cancelled bill prints its receipt alone.
    if (!mealSlipOutlet_ || !printers_.Is1(TPrinterType::ptTSP600) || cancelled_) return slips;
    for (std::size_t k = 0; k < meals_.size(); ++k) {
        std::string title = title_;
        if (!groupTicket_) {
            // Per-unit slips carry the title up to the bill number and the
            // unit's number; at a table outlet the header has no cashier and
            // the slip carries the number alone.
            const std::size_t cashier = title_.find(kCashierMark);
            title = (cashier == std::string::npos ? std::string() : title_.substr(0, cashier)) + "-" +
                    fourDigits(static_cast<std::int64_t>(k) + 1) + kLineEnd;
        }
        const auto& [name, count] = meals_[k];
        slips.push_back(title + Rule('=') + kLineEnd + kLineEnd + " " + LeftIn(Cut(name, 27), 27) + "{X}" +
                        RightIn(std::to_string(count), 5) + "건{S}" + kLineEnd + kLineEnd + Rule('=') + kLineEnd);
    }
    return slips;
}

TSalePart TSaleReceipt::Finish(Currency aDiscount, Currency aDue) const
{
    TSalePart part;
    part.header = header_;
    part.route = route_;
    part.taxes = taxes_;
    part.mealSlips = mealSlips();

    std::vector<std::string> body = bodyLines();
    for (std::string& line : TaxBlockLines(taxes_, style_, aDiscount, context_.giSign)) body.push_back(std::move(line));
    body.push_back(Rule('-'));

    switch (route_) {
    case TReceiptRoute::ReceiptPrinter:
        part.receiptText = title_ + JoinLines(body) + EnlargedTotalLine(label::kTotal, aDue) + kLineEnd;
        if (cancelled_) part.receiptText += Rule('=') + kLineEnd;
        break;
    case TReceiptRoute::TicketList:
        part.ticketLines = std::move(body);
        part.ticketLines.push_back(TicketTotalLine(label::kTotal, aDue));
        if (cancelled_) part.ticketLines.push_back(Rule('='));
        break;
    case TReceiptRoute::None: break;
    }
    return part;
}

}  // namespace pos
