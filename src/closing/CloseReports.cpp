#include "closing/CloseReports.h"

#include "core/Codec.h"
#include "core/DateHelpers.h"
#include "core/TextHelpers.h"
#include "sales/receipt/ReceiptFormat.h"

#include <string_view>

namespace pos {
namespace {

using enum TPrinterType;
using TLines = std::vector<std::string>;

constexpr std::string_view kFloatCaption = "준비금액";
constexpr std::string_view kDepositCaption = "중간입금";
constexpr std::string_view kCloseCaption = "마감";
constexpr std::string_view kPosCloseKind = "POS 마감";
constexpr std::string_view kCashierCloseKind = "사용자 마감";
constexpr std::string_view kTotalCaption = "합　　계";  // "　" is the ideographic space, two columns

// The columns the cashier's name keeps on a header.
constexpr int kNameWidth = 6;
// A Boca or Flotec ticket drops this many leading columns of the centred
// title: its page is narrower than the 42 columns the title is centred in.
constexpr int kNarrowTitleSkip = 8;

// --- Line formats ----------------------------------------------------------

// "%14s :%6s %13s": caption, count column and amount column of the slips and
// the full report.
std::string figureLine(std::string_view aCaption, std::string_view aCount, std::string_view aAmount)
{
    return RightIn(aCaption, 14) + " :" + RightIn(aCount, 6) + " " + RightIn(aAmount, 13);
}

// The narrow report's two formats: "%4s:%19s" (an amount alone) and
// "%4s:%4s%15s" (a count and an amount).
std::string narrowAmountLine(std::string_view aName, std::string_view aAmount)
{
    return RightIn(aName, 4) + ":" + RightIn(aAmount, 19);
}
std::string narrowCountLine(std::string_view aName, std::string_view aCount, std::string_view aAmount)
{
    return RightIn(aName, 4) + ":" + RightIn(aCount, 4) + RightIn(aAmount, 15);
}

std::string count(std::int64_t aCount) { return Amount(Currency(aCount)); }  // "0,"
std::string won(Currency aAmount) { return Amount(aAmount) + "원"; }         // "0,원"
std::string times(std::int64_t aCount) { return count(aCount) + "회"; }       // "0,회"

std::string figureLine(std::string_view aCaption, const TCountAmount& aFigure)
{
    return figureLine(aCaption, count(aFigure.count), won(aFigure.amount));
}
std::string narrowCountLine(std::string_view aName, const TCountAmount& aFigure)
{
    return narrowCountLine(aName, std::to_string(aFigure.count), Amount(aFigure.amount));
}

void append(TLines& aLines, const TLines& aMore) { aLines.insert(aLines.end(), aMore.begin(), aMore.end()); }

// --- Print jobs ------------------------------------------------------------

// The title as a receipt printer prints it: centred in double width.
std::string enlargedTitle(std::string_view aTitle)
{
    return "{X}" + StringCenterAlign(aTitle, kReceiptWidth, true) + "{S}" + kLineEnd;
}

std::string closeTitle(const TCloseHeader& aHeader)
{
    return aHeader.upjangName + " " + std::string(kCloseCaption);
}

// A list ticket of the given lines, printed at once.
void addTickets(TPrintPlan& aPlan, const std::string& aHeader, TLines aLines)
{
    aPlan.push_back(ListTicketJob(aHeader, std::move(aLines)));
    aPlan.push_back(StepJob(TPrintStep::PrintTickets));
}

// A slip or report in both forms: the receipt printer's text with the
// enlarged title, and the ticket lines under the plain centred title.
struct TPrintout {
    std::string receiptText;
    TLines ticketLines;
};

TPrintout printout(std::string_view aTitle, const TLines& aLines)
{
    TPrintout out{enlargedTitle(aTitle) + JoinLines(aLines), {StringCenterAlign(aTitle, kReceiptWidth, false)}};
    append(out.ticketLines, aLines);
    return out;
}

TPrintPlan planCashSlip(TPrinters aPrinters, std::string_view aCaption, const TCloseHeader& aHeader,
                        const TLines& aLines, const std::string& aPrintHeader)
{
    TPrintPlan plan;
    if (!PrintsCashSlips(aPrinters)) return plan;
    const TPrintout slip = printout(aHeader.upjangName + " " + std::string(aCaption), aLines);
    if (aPrinters.Is1(ptTSP600)) plan.push_back(ReceiptJob(1, slip.receiptText));
    else if (aPrinters.Is1(ptTSP800)) addTickets(plan, aPrintHeader, slip.ticketLines);
    if (!aPrinters.Is1(ptTSP600) && aPrinters.Is2(ptTSP600)) plan.push_back(ReceiptJob(2, slip.receiptText));
    return plan;
}

// --- The close report's body -----------------------------------------------

// The tenders in report order with the captions of both layouts. The cash
// line of the narrow layout shows the amount alone.
struct TTenderCaption {
    std::string_view full, narrow;
    TCountAmount TCloseFigures::*figure;
};
// "예약대체" takes the pre-sale rows under the reserved date and "예약판매"
// those on the day they were paid, as the close report has always paired
// them.
constexpr TTenderCaption kTenders[] = {
    {"현　　금", "현금", &TCloseFigures::cash},         {"신용카드", "카드", &TCloseFigures::card},
    {"객실후불", "객실", &TCloseFigures::room},         {"락카후불", "락카", &TCloseFigures::locker},
    {"단체후불", "단체", &TCloseFigures::event},        {"상 품 권", "상품", &TCloseFigures::giftCard},
    {"외　　상", "외상", &TCloseFigures::credit},       {"예약대체", "예대", &TCloseFigures::preSale},
    {"예약판매", "예약", &TCloseFigures::preSaleTransfer},
};

// "남음" for a surplus, "부족" for a shortage, nothing when the cash is right.
std::string overShortMark(Currency aOverShort)
{
    if (aOverShort > Currency(0)) return "남음";
    if (aOverShort < Currency(0)) return "부족";
    return "";
}

TLines fullTenders(const TCloseFigures& f)
{
    TLines lines{Rule('='), "[입금 집계]"};
    for (const TTenderCaption& tender : kTenders) lines.push_back(figureLine(tender.full, f.*tender.figure));
    lines.push_back(Rule('-'));
    lines.push_back(figureLine(kTotalCaption, count(f.TenderCount()), won(f.TenderAmount())));
    return lines;
}

TLines fullCash(const TCloseFigures& f)
{
    const std::string mark = overShortMark(f.OverShort());
    return {Rule('='),
            "[현금 시재]",
            figureLine("준비금액", f.floats),
            figureLine("중간입금", f.deposits),
            figureLine("현금판매", "", won(f.CashSales())),
            figureLine("현금시재", "", won(f.CashInHand())),
            figureLine("과부족액", mark.empty() ? mark : "(" + mark + ")", won(f.OverShort())),
            Rule('=')};
}

TLines fullSales(const TCloseFigures& f)
{
    TLines lines{"[판매 집계]", figureLine("판　　매", f.sales), figureLine("반　　품", f.returns),
                 figureLine("V O I D", "", won(f.voids.amount))};
    if (f.corrections.count != 0) lines.push_back(figureLine("정　　정", f.corrections));
    if (f.cancelledBills.count != 0) lines.push_back(figureLine("*전표취소", f.cancelledBills));
    lines.push_back(Rule('-'));
    lines.push_back(figureLine(kTotalCaption, "", won(f.salesTotal)));
    lines.push_back(Rule('='));
    return lines;
}

// Complimentary bills carry counts only; the amount column shows "0".
TLines fullComp(const TCloseFigures& f)
{
    if (!f.HasComp()) return {};
    TLines lines{"[COMP 집계]", figureLine("판　　매", count(f.compSales), "0"),
                 figureLine("반　　품", count(f.compReturns), "0"), figureLine("V O I D", count(f.compVoids), "0")};
    if (f.compCorrections != 0) lines.push_back(figureLine("정　　정", count(f.compCorrections), "0"));
    lines.push_back(Rule('='));
    return lines;
}

TLines narrowTenders(const TCloseFigures& f)
{
    TLines lines{"(입금 집계)"};
    for (const TTenderCaption& tender : kTenders) {
        const TCountAmount& figure = f.*tender.figure;
        lines.push_back(tender.figure == &TCloseFigures::cash ? narrowAmountLine(tender.narrow, Amount(figure.amount))
                                                              : narrowCountLine(tender.narrow, figure));
    }
    lines.push_back(Rule('-'));
    lines.push_back(narrowAmountLine("합계", Amount(f.TenderAmount())));
    return lines;
}

TLines narrowCash(const TCloseFigures& f)
{
    return {Rule('='),
            "(현금 시재)",
            narrowCountLine("준비", f.floats),
            narrowCountLine("입금", f.deposits),
            narrowAmountLine("현금", Amount(f.CashSales())),
            narrowAmountLine("시재", Amount(f.CashInHand())),
            narrowCountLine("부족", overShortMark(f.OverShort()), Amount(f.OverShort())),
            Rule('=')};
}

TLines narrowSales(const TCloseFigures& f)
{
    return {"(판매 집계)",
            narrowAmountLine("판매", Amount(f.sales.amount)),
            narrowAmountLine("반품", Amount(f.returns.amount)),
            narrowAmountLine("보이", Amount(f.voids.amount)),
            Rule('-'),
            narrowAmountLine("합계", Amount(f.salesTotal)),
            Rule('=')};
}

TLines narrowComp(const TCloseFigures& f)
{
    if (!f.HasComp()) return {};
    return {"(COMP 집계)", narrowCountLine("판매", std::to_string(f.compSales), "0"),
            narrowCountLine("반품", std::to_string(f.compReturns), "0"),
            narrowCountLine("보이", std::to_string(f.compVoids), "0"), Rule('=')};
}

// --- Sales by menu ---------------------------------------------------------

// "  %-14s : %6d %13s" under a line with the outlet's name whenever the
// outlet changes.
void appendMenuRows(TLines& aLines, const std::vector<TMenuRow>& aRows,
                    const std::function<std::string(const std::string&)>& aUpjangName)
{
    std::string outlet;
    for (const TMenuRow& row : aRows) {
        if (row.upjangCode != outlet) {
            outlet = row.upjangCode;
            aLines.push_back(aUpjangName(outlet));
        }
        aLines.push_back("  " + LeftIn(row.menuName, 14) + " : " + RightIn(std::to_string(row.qty), 6) + " " +
                         RightIn(Amount(row.amount), 13));
    }
}

// "  %-14s : %3d/%3d%13s" under a line with the group title whenever it
// changes.
void appendGuestRows(TLines& aLines, const std::vector<TGuestRow>& aRows)
{
    std::string group;
    for (const TGuestRow& row : aRows) {
        if (row.groupTitle != group) {
            group = row.groupTitle;
            aLines.push_back(group);
        }
        aLines.push_back("  " + LeftIn(row.lineTitle, 14) + " : " + RightIn(std::to_string(row.domestic), 3) + "/" +
                         RightIn(std::to_string(row.foreign), 3) + RightIn(Amount(row.amount), 13));
    }
}

// "  %4s : %-17s%13s": the outlet is shown only where it changes.
void appendVoidRows(TLines& aLines, const std::vector<TVoidRow>& aRows)
{
    std::string outlet;
    for (const TVoidRow& row : aRows) {
        const bool same = row.upjangCode == outlet;
        outlet = row.upjangCode;
        aLines.push_back("  " + RightIn(same ? "" : outlet, 4) + " : " + LeftIn(Cut(row.itemText, 17), 17) +
                         RightIn(Amount(row.amount), 13));
    }
}

// A section's opening: the double rule, its caption, the single rule.
void appendSectionHead(TLines& aLines, std::string_view aCaption)
{
    aLines.push_back(Rule('='));
    aLines.emplace_back(aCaption);
    aLines.push_back(Rule('-'));
}

}  // namespace

std::string SlipHeaderLine(const TCloseHeader& aHeader)
{
    return LeftIn(DateToString(aHeader.closeDate), 11) + LeftIn(aHeader.time, 6) + LeftIn(aHeader.upjangCode, 6) +
           "POS:" + LeftIn(aHeader.posNo, 4) + "담당:" + LeftIn(CopyStr(aHeader.cashierName, 1, kNameWidth), 6);
}

// Both slips need a TSP600 on printer 2 beside a TSP600 or TSP800 on
// printer 1; a terminal with one receipt printer keeps its floats and
// deposits for the close report alone.
bool PrintsCashSlips(TPrinters aPrinters)
{
    return (aPrinters.Is1(ptTSP600) || aPrinters.Is1(ptTSP800)) && aPrinters.Is2(ptTSP600);
}

std::vector<std::string> OpenSlipLines(const TCloseHeader& aHeader, const TCloseFigures& aBefore, Currency aEntered,
                                       Currency aTotal)
{
    return {SlipHeaderLine(aHeader),
            Rule('='),
            "",
            figureLine("입력횟수", "", times(aBefore.floats.count + 1)),
            figureLine("준 비 금", "", won(aEntered)),
            figureLine("최종합계", "", won(aTotal)),
            "",
            Rule('=')};
}

std::vector<std::string> DepositSlipLines(const TCloseHeader& aHeader, const TCloseFigures& aBefore,
                                          const TDenominationCounts& aCounts, Currency aSum, Currency aTotal)
{
    TLines lines{SlipHeaderLine(aHeader), Rule('=')};
    for (std::size_t k = 0; k < kDenominations.size(); ++k) {
        if (aCounts[k] == 0) continue;
        lines.push_back(figureLine(kDenominations[k].caption, count(aCounts[k]),
                                   won(Currency(aCounts[k] * kDenominations[k].faceValue))));
    }
    lines.push_back(Rule('-'));
    lines.push_back(figureLine("입력횟수", "", times(aBefore.deposits.count + 1)));
    lines.push_back(figureLine("중간입금", "", won(aSum)));
    lines.push_back(figureLine("최종합계", "", won(aTotal)));
    lines.push_back(Rule('='));
    return lines;
}

TPrintPlan PlanOpenSlip(TPrinters aPrinters, const TCloseHeader& aHeader, const TCloseFigures& aBefore,
                        Currency aEntered, Currency aTotal, const std::string& aPrintHeader)
{
    return planCashSlip(aPrinters, kFloatCaption, aHeader, OpenSlipLines(aHeader, aBefore, aEntered, aTotal),
                        aPrintHeader);
}

TPrintPlan PlanDepositSlip(TPrinters aPrinters, const TCloseHeader& aHeader, const TCloseFigures& aBefore,
                           const TDenominationCounts& aCounts, Currency aSum, Currency aTotal,
                           const std::string& aPrintHeader)
{
    return planCashSlip(aPrinters, kDepositCaption, aHeader,
                        DepositSlipLines(aHeader, aBefore, aCounts, aSum, aTotal), aPrintHeader);
}

bool UsesNarrowLayout(TPrinters aPrinters)
{
    return (aPrinters.Is1(ptBoca) || aPrinters.Is1(ptFlotec)) && !aPrinters.Is2(ptTSP600);
}

std::vector<std::string> CloseReportHeaderLines(const TCloseHeader& aHeader, int aCloseNo, bool aPosClose)
{
    const std::string kind = "[" + std::string(aPosClose ? kPosCloseKind : kCashierCloseKind) + "]";
    const std::string number = std::to_string(aCloseNo);
    return {StringCenterAlign(kind, kReceiptWidth, false), SlipHeaderLine(aHeader),
            "마감차수:" + RightIn(number, 4) + "회"};
}

std::vector<std::string> NarrowTicketHeaderLines(const TCloseHeader& aHeader, bool aPosClose)
{
    const std::string kind = aPosClose ? std::string(kPosCloseKind)
                                       : std::string(kCashierCloseKind) + " " +
                                             CopyStr(aHeader.cashierName, 1, kNameWidth);
    return {kind, DateToString(aHeader.closeDate) + " " + aHeader.time,
            aHeader.upjangCode + "-" + aHeader.posNo + " " + aHeader.cashier, Rule('=')};
}

std::vector<std::string> CloseReportLines(const TCloseFigures& aFigures, bool aNarrow)
{
    TLines lines = aNarrow ? narrowTenders(aFigures) : fullTenders(aFigures);
    append(lines, aNarrow ? narrowCash(aFigures) : fullCash(aFigures));
    append(lines, aNarrow ? narrowSales(aFigures) : fullSales(aFigures));
    append(lines, aNarrow ? narrowComp(aFigures) : fullComp(aFigures));
    return lines;
}

// A receipt printer takes the report first (printer 1, else printer 2);
// otherwise a ticket printer prints it as a list ticket without a ticket
// header, a Boca or Flotec one with its own short header.
TPrintPlan PlanCloseReport(TPrinters aPrinters, const TCloseHeader& aHeader, const TCloseFigures& aFigures,
                           int aCloseNo, bool aPosClose)
{
    TPrintPlan plan;
    const bool narrow = UsesNarrowLayout(aPrinters);
    const std::string title = closeTitle(aHeader);
    const TLines body = CloseReportLines(aFigures, narrow);

    if (aPrinters.Is1(ptTSP600) || aPrinters.Is2(ptTSP600)) {
        TLines lines = CloseReportHeaderLines(aHeader, aCloseNo, aPosClose);
        append(lines, body);
        plan.push_back(ReceiptJob(aPrinters.Is1(ptTSP600) ? 1 : 2, printout(title, lines).receiptText));
    } else if (aPrinters.Is1(ptTSP700) || aPrinters.Is1(ptTSP800) || aPrinters.Is2(ptTSP700) || narrow) {
        const bool ticketPrinter = aPrinters.Is1(ptBoca) || aPrinters.Is1(ptFlotec);
        std::string ticketTitle = StringCenterAlign(title, kReceiptWidth, false);
        if (ticketPrinter) ticketTitle = CopyStr(ticketTitle, kNarrowTitleSkip + 1, Cp949Width(ticketTitle));
        TLines lines{ticketTitle};
        append(lines, ticketPrinter ? NarrowTicketHeaderLines(aHeader, aPosClose)
                                    : CloseReportHeaderLines(aHeader, aCloseNo, aPosClose));
        append(lines, body);
        addTickets(plan, "", std::move(lines));
    }
    return plan;
}

bool OffersMenuDetail(TPrinters aPrinters)
{
    return aPrinters.Is1(ptTSP600) || aPrinters.Is1(ptTSP700) || aPrinters.Is1(ptTSP800) ||
           aPrinters.Is2(ptTSP600) || aPrinters.Is2(ptTSP700);
}

std::vector<std::string> MenuDetailLines(const TMenuDetail& aDetail, bool aPosClose, bool aFnB,
                                         const std::function<std::string(const std::string&)>& aUpjangName)
{
    TLines lines;
    appendSectionHead(lines, "메뉴별 판매 집계");
    appendMenuRows(lines, aDetail.sales, aUpjangName);
    if (!aDetail.compSales.empty()) {
        appendSectionHead(lines, "메뉴별 COMP 집계");
        appendMenuRows(lines, aDetail.compSales, aUpjangName);
    }
    if (aPosClose && aFnB && !aDetail.guests.empty()) {
        appendSectionHead(lines, "유형별/시간별 집계 (내/외국인      금액)");
        appendGuestRows(lines, aDetail.guests);
    }
    if (aPosClose && !aDetail.voids.empty()) {
        appendSectionHead(lines, "VOID 내역 (영업장             VOID 금액)");
        appendVoidRows(lines, aDetail.voids);
    }
    lines.push_back(Rule('='));
    return lines;
}

// Printed like the report, under its title and header: a receipt printer or
// a list ticket on printer 1, then printer 2 when printer 1 did not take that
// form already.
TPrintPlan PlanMenuDetail(TPrinters aPrinters, const TCloseHeader& aHeader, const TMenuDetail& aDetail, int aCloseNo,
                          bool aPosClose, bool aFnB, const std::function<std::string(const std::string&)>& aUpjangName,
                          const std::string& aPrintHeader)
{
    TPrintPlan plan;
    TLines lines = CloseReportHeaderLines(aHeader, aCloseNo, aPosClose);
    append(lines, MenuDetailLines(aDetail, aPosClose, aFnB, aUpjangName));
    const TPrintout detail = printout(closeTitle(aHeader), lines);

    if (aPrinters.Is1(ptTSP600)) plan.push_back(ReceiptJob(1, detail.receiptText));
    else if (aPrinters.Is1(ptTSP700) || aPrinters.Is1(ptTSP800)) addTickets(plan, aPrintHeader, detail.ticketLines);

    if (!aPrinters.Is1(ptTSP600) && aPrinters.Is2(ptTSP600)) plan.push_back(ReceiptJob(2, detail.receiptText));
    else if (!aPrinters.Is1(ptTSP700) && aPrinters.Is2(ptTSP700)) addTickets(plan, aPrintHeader, detail.ticketLines);
    return plan;
}

}  // namespace pos
