#include "sales/receipt/OrderBill.h"

#include "core/DateHelpers.h"
#include "core/TerminalContext.h"
#include "core/TextHelpers.h"
#include "sales/receipt/BillHeader.h"
#include "sales/receipt/ReceiptFormat.h"

#include <algorithm>

namespace pos {
namespace {

using enum TPrinterType;

constexpr std::string_view kOrderTitle = "주문 내역";
constexpr std::string_view kKitchenTitle = "주방 주문 내역";
constexpr std::string_view kFinalList = "최종내역";
constexpr std::string_view kNothingOrdered = " 주문 내역 없음";
constexpr std::string_view kCancelMark = "*취소";
constexpr std::string_view kOrderColumns = " 상 품 명         수량      단가      금액";
constexpr std::string_view kChangeColumns = " 주문   상 품 명            수량      금액";
constexpr std::string_view kFinalColumns = " 상 품 명                   수량      금액";

// What a line changed since the kitchen was last told: above 0 added, below
// 0 cancelled.
Currency changeOf(const TSaleList& aLine) { return aLine.SaleCount - Currency(aLine.OldSaleCount); }

bool anyLine(const std::vector<TSaleList>& aLines, bool (*aTest)(const TSaleList&))
{
    return std::any_of(aLines.begin(), aLines.end(), aTest);
}

bool addedKitchen(const TSaleList& l) { return l.KitchenPrtYN && changeOf(l) > Currency(0); }
bool reducedKitchen(const TSaleList& l) { return l.KitchenPrtYN && changeOf(l) < Currency(0); }
bool deletedAfterSent(const TSaleList& l) { return l.KitchenPrtYN && l.OldSaleCount > 0; }

bool kitchenChanged(const TTableBill& aBill)
{
    return anyLine(aBill.lines, addedKitchen) || anyLine(aBill.lines, reducedKitchen) ||
           anyLine(aBill.deleteList, deletedAfterSent);
}

bool discountsChanged(const TTableBill& aBill)
{
    return aBill.dcMember != aBill.dcMemberLoaded || aBill.dcMenu != aBill.dcMenuLoaded;
}

// The table number ends the header in double width; a padded number would
// push the line past the paper, so it stands as it is.
std::string tableHeader(const TTerminalContext& aContext, const std::string& aTime, int aTimeWidth,
                        int aCashierWidth, bool aEnlargedTable)
{
    const std::string table = std::to_string(aContext.giTableNo);
    return LeftIn(DateToString(aContext.gsSaleDate, '-', true), 11) + LeftIn(ClockTime(aTime), aTimeWidth) +
           "담당:" + LeftIn(Cut(aContext.gsCashierName, 6), aCashierWidth) + RightIn("Table", 4) + ":" +
           (aEnlargedTable ? "{X}" + table + "{S}" : table);
}

std::string outletTitle(const TTerminalContext& aContext)
{
    return "{X}" + StringCenterAlign("(" + aContext.gsMasterUpjangName + ")", kReceiptWidth, true) + "{S}";
}

// "%-6s%-19s%5d건%10s": a change on the kitchen slip.
std::string changeLine(std::string_view aMark, std::string_view aName, Currency aCount, std::string_view aAmount)
{
    return LeftIn(aMark, 6) + LeftIn(Cut(aName, 19), 19) + RightIn(std::to_string(aCount.truncWon()), 5) + "건" +
           RightIn(aAmount, 10);
}

// " %-24s%5d건%10s": a line of the kitchen's whole list.
std::string finalLine(std::string_view aName, Currency aCount, Currency aAmount)
{
    return " " + LeftIn(Cut(aName, 24), 24) + RightIn(std::to_string(aCount.truncWon()), 5) + "건" +
           RightIn(Amount(aAmount), 10);
}

// O: what was added, then what was reduced, then what was deleted after it
// had been sent.
std::vector<std::string> changeLines(const TTableBill& aBill)
{
    std::vector<std::string> lines{Rule('='), std::string(kChangeColumns), Rule('-')};
    bool added = false;
    for (const TSaleList& line : aBill.lines) {
        if (!addedKitchen(line)) continue;
        const Currency d = changeOf(line);
        lines.push_back(changeLine("", line.MenuName, d, Amount(line.SaleUnitAmt * d)));
        added = true;
    }
    if (added && anyLine(aBill.lines, reducedKitchen)) lines.emplace_back();
    for (const TSaleList& line : aBill.lines) {
        if (!reducedKitchen(line)) continue;
        const Currency d = changeOf(line);
        lines.push_back(changeLine(kCancelMark, line.MenuName, d, Amount(line.SaleUnitAmt * d)));
    }
    for (const TSaleList& line : aBill.deleteList)
        if (deletedAfterSent(line))
            lines.push_back(changeLine(kCancelMark, line.MenuName, -Currency(line.OldSaleCount), "0"));
    lines.push_back(Rule('='));
    lines.emplace_back();
    return lines;
}

// Fl: every kitchen line the table has now.
std::vector<std::string> finalLines(const TTableBill& aBill)
{
    std::vector<std::string> lines{Rule('='), std::string(kFinalColumns), Rule('-')};
    bool listed = false;
    for (const TSaleList& line : aBill.lines) {
        if (!line.KitchenPrtYN || line.SaleCount == Currency(0)) continue;
        lines.push_back(finalLine(line.MenuName, line.SaleCount, line.SaleAmt));
        listed = true;
    }
    if (!listed) lines.emplace_back(kNothingOrdered);
    lines.push_back(Rule('='));
    return lines;
}

TPrintPlan kitchenPlan(const TTerminalContext& aContext, TPrinters aPrinters, const TTableBill& aBill,
                       const std::string& aTime)
{
    if (!kitchenChanged(aBill)) return {};
    const bool network = aPrinters.Is2(ptSRP350);
    const std::string header = network ? tableHeader(aContext, aTime, 6, 7, true) : tableHeader(aContext, aTime, 7, 10, false);
    const std::vector<std::string> changes = changeLines(aBill);
    const std::vector<std::string> final = finalLines(aBill);
    std::string finalText = JoinLines(final);
    finalText.pop_back();  // the list ends with its rule, the printer adds the line end
    const std::string text = outletTitle(aContext) + kLineEnd + kLineEnd + header + kLineEnd + JoinLines(changes) +
                             "{X}" + std::string(kFinalList) + "{S}" + kLineEnd + finalText;
    if (network) return {ReceiptJob(2, text)};
    if (aPrinters.Is1(ptTSP600)) return {ReceiptJob(1, text)};
    if (aPrinters.Is1(ptTSP800)) {
        std::vector<std::string> lines{StringCenterAlign(kKitchenTitle, kReceiptWidth, false)};
        lines.insert(lines.end(), changes.begin(), changes.end());
        lines.push_back("[" + std::string(kFinalList) + "]");
        lines.insert(lines.end(), final.begin(), final.end());
        return {ListTicketJob(header, std::move(lines)), StepJob(TPrintStep::PrintTickets)};
    }
    return {};
}

// The unit an order bill line shows: a line priced by amount (a negative
// rate marks it) shows its amount per unit, any other its entered price.
Currency orderUnit(const TSaleList& aLine)
{
    return aLine.DCRate < 0 ? aLine.SaleAmt / aLine.SaleCount : aLine.SaleUnitAmt;
}

// L: every line with a count, then the rule.
std::vector<std::string> orderLines(const TTableBill& aBill)
{
    std::vector<std::string> lines{Rule('='), std::string(kOrderColumns), Rule('-')};
    bool listed = false;
    for (const TSaleList& line : aBill.lines) {
        if (line.SaleCount == Currency(0)) continue;
        lines.push_back(ItemLine("", (line.CaddyYN ? "(C)" : "") + line.MenuName, line.SaleCount, orderUnit(line)));
        listed = true;
    }
    if (!listed) lines.emplace_back(kNothingOrdered);
    lines.push_back(Rule('-'));
    return lines;
}

Currency discountOf(const std::vector<TSaleList>& aLines)
{
    Currency sum;
    for (const TSaleList& line : aLines)
        if (line.SaleCount != Currency(0)) sum += line.DCAmt;
    return sum;
}

TPrintPlan orderPlan(const TTerminalContext& aContext, TPrinters aPrinters, const TTableBill& aBill,
                     const std::string& aTime)
{
    const std::string header = tableHeader(aContext, aTime, 6, 7, true);
    const std::vector<std::string> lines = orderLines(aBill);
    const TReceiptTaxes taxes = OrderBillTaxes(aContext, aBill.lines, aBill.noSvc, aBill.noVat);
    if (aPrinters.Is1(ptTSP600)) {
        const std::string text = "{Z}" + StringCenterAlign(kOrderTitle, kReceiptWidth, true) + "{S}" + kLineEnd +
                                 outletTitle(aContext) + kLineEnd + kLineEnd + header + kLineEnd + JoinLines(lines) +
                                 EnlargedTotalLine(label::kTotal, taxes.Total()) + kLineEnd + Rule('=');
        return {ReceiptJob(1, text)};
    }
    if (aPrinters.Is1(ptTSP800)) {
        std::vector<std::string> ticket = lines;
        const TTaxBlockStyle style{aContext.gbVessa, aBill.noSvc, aBill.noVat};
        for (std::string& line : TaxBlockLines(taxes, style, discountOf(aBill.lines), aContext.giSign))
            ticket.push_back(std::move(line));
        ticket.push_back(Rule('-'));
        ticket.push_back(TicketTotalLine(label::kTotal, taxes.Total()));
        ticket.push_back(Rule('='));
        return {ListTicketJob(header, std::move(ticket)), StepJob(TPrintStep::PrintTickets)};
    }
    return {};
}

std::vector<std::int64_t> countsNow(const TTableBill& aBill, bool aKitchenOnly)
{
    std::vector<std::int64_t> counts;
    for (const TSaleList& line : aBill.lines)
        counts.push_back(!aKitchenOnly || line.KitchenPrtYN ? line.SaleCount.truncWon() : line.OldSaleCount);
    return counts;
}

TOrderBillPrint unchanged(const TTableBill& aBill)
{
    TOrderBillPrint print;
    for (const TSaleList& line : aBill.lines) print.sentCounts.push_back(line.OldSaleCount);
    print.deleteList = aBill.deleteList;
    return print;
}

// R(x) of the hotel restaurants: a tenth, to the won.
Currency tenth(Currency aAmount) { return RoundNumber(aAmount / Currency(10), 1); }

}  // namespace

TReceiptTaxes OrderBillTaxes(const TTerminalContext& aContext, const std::vector<TSaleList>& aLines, bool aNoSvc,
                             bool aNoVat)
{
    TReceiptTaxes taxes;
    for (const TSaleList& line : aLines) {
        if (line.SaleCount == Currency(0)) continue;
        const Currency amount = line.SaleAmt;
        if (line.TaxCalcuCode == aContext.gsTaxGubunDutyfree) {
            taxes.taxFree += amount;
            continue;
        }
        const bool serviceLine = line.TaxCalcuCode == aContext.gsTaxGubunDutyTip;
        if (!aContext.gbVessa) {
            // Prices hold their VAT; a service-charge line is service charge
            // as it stands.
            if (serviceLine) {
                taxes.service += amount;
            } else {
                const Currency vat = amount - RoundNumber(amount / (Currency(11) / Currency(10)), 1);
                taxes.net += amount - vat;
                taxes.vat += vat;
            }
            continue;
        }
        // The hotel restaurants price net: the service charge is a tenth of a
        // service-charge line, VAT a tenth of what is charged before it.
        taxes.net += amount;
        const Currency service = serviceLine && !aNoSvc ? tenth(amount) : Currency(0);
        taxes.service += service;
        if (!aNoVat) taxes.vat += tenth(amount + service);
    }
    return taxes;
}

TOrderBillPrint PrintOrderBill(const TTerminalContext& aContext, TPrinters aPrinters, const TTableBill& aBill,
                               const std::string& aTime)
{
    if (aBill.lines.empty() && aBill.deleteList.empty()) return unchanged(aBill);
    const bool added = discountsChanged(aBill) || std::any_of(aBill.lines.begin(), aBill.lines.end(), [](const auto& l) {
                           return changeOf(l) > Currency(0);
                       });
    const bool reduced = !aBill.deleteList.empty() || std::any_of(aBill.lines.begin(), aBill.lines.end(), [](const auto& l) {
                             return changeOf(l) < Currency(0);
                         });
    if (!added && !reduced) return unchanged(aBill);

    // A table outlet prints its order bills on a receipt or page printer at
    // printer 1; without one it prints neither them nor the kitchen slips.
    if (!aPrinters.Is1(ptTSP600) && !aPrinters.Is1(ptTSP800)) return unchanged(aBill);
    TOrderBillPrint print;
    print.plan = orderPlan(aContext, aPrinters, aBill, aTime);
    for (TPrintJob& job : kitchenPlan(aContext, aPrinters, aBill, aTime)) print.plan.push_back(std::move(job));
    if (print.plan.empty()) return unchanged(aBill);
    print.handedOver = true;
    print.sentCounts = countsNow(aBill, false);
    print.discountsShown = true;
    return print;
}

TOrderBillPrint PrintKitchenBill(const TTerminalContext& aContext, TPrinters aPrinters, const TTableBill& aBill,
                                 const std::string& aTime)
{
    TOrderBillPrint print = unchanged(aBill);
    print.plan = kitchenPlan(aContext, aPrinters, aBill, aTime);
    if (print.plan.empty()) return print;
    print.handedOver = true;
    print.sentCounts = countsNow(aBill, true);
    // The deleted lines that were not the kitchen's are still the order
    // bill's to show.
    std::erase_if(print.deleteList, [](const TSaleList& l) { return l.KitchenPrtYN; });
    return print;
}

void TakeSentState(TTableBill& aBill, const TOrderBillPrint& aPrint)
{
    if (!aPrint.handedOver) return;
    for (std::size_t i = 0; i < aBill.lines.size() && i < aPrint.sentCounts.size(); ++i)
        aBill.lines[i].OldSaleCount = aPrint.sentCounts[i];
    aBill.deleteList = aPrint.deleteList;
    if (aPrint.discountsShown) {
        aBill.dcMemberLoaded = aBill.dcMember;
        aBill.dcMenuLoaded = aBill.dcMenu;
    }
}

}  // namespace pos
