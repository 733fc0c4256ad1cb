// The close report: both layouts written out from their line formats, the
// lines that appear only for some figures, and the printer that takes it.

#include "CloseFixture.h"

namespace pos::test {
namespace {

using enum TPrinterType;

// A day with every kind of figure: a shortage of 1 200, corrections,
// cancelled bills and COMP bills, and both kinds of pre-sale.
TCloseFigures BusyDay()
{
    TCloseFigures f;
    f.floats = {1, 100000};
    f.deposits = {2, 350000};
    f.sales = {120, 2345000};
    f.returns = {3, -45000};
    f.voids = {2, -30000};
    f.corrections = {1, -5000};
    f.cancelledBills = {4, 60000};
    f.salesTotal = 2300000;
    f.compSales = 2;
    f.compVoids = 1;
    f.compCorrections = 1;
    f.cash = {80, 251200};
    f.card = {30, 1500000};
    f.room = {5, 300000};
    f.locker = {2, 40000};
    f.event = {1, 100000};
    f.giftCard = {1, 50000};
    f.credit = {1, 20000};
    f.preSale = {2, 30000};
    f.preSaleTransfer = {3, 45000};
    return f;
}

// The tender total: 120 bills over the seven tenders; the amount also takes
// the 30 000 and 45 000 of the pre-sales.
const std::vector<std::string> kFullBody{
    kDouble,
    "[입금 집계]",
    "      현　　금 :    80     251,200원",
    "      신용카드 :    30   1,500,000원",
    "      객실후불 :     5     300,000원",
    "      락카후불 :     2      40,000원",
    "      단체후불 :     1     100,000원",
    "      상 품 권 :     1      50,000원",
    "      외　　상 :     1      20,000원",
    "      예약대체 :     2      30,000원",
    "      예약판매 :     3      45,000원",
    kSingle,
    "      합　　계 :   120   2,336,200원",
    kDouble,
    "[현금 시재]",
    "      준비금액 :     1     100,000원",
    "      중간입금 :     2     350,000원",
    "      현금판매 :           251,200원",
    "      현금시재 :           350,000원",
    "      과부족액 :(부족)      -1,200원",
    kDouble,
    "[판매 집계]",
    "      판　　매 :   120   2,345,000원",
    "      반　　품 :     3     -45,000원",
    "       V O I D :           -30,000원",
    "      정　　정 :     1      -5,000원",
    "     *전표취소 :     4      60,000원",
    kSingle,
    "      합　　계 :         2,300,000원",
    kDouble,
    "[COMP 집계]",
    "      판　　매 :     2             0",
    "      반　　품 :     0             0",
    "       V O I D :     1             0",
    "      정　　정 :     1             0",
    kDouble,
};

const std::vector<std::string> kNarrowBody{
    "(입금 집계)",
    "현금:            251,200",
    "카드:  30      1,500,000",
    "객실:   5        300,000",
    "락카:   2         40,000",
    "단체:   1        100,000",
    "상품:   1         50,000",
    "외상:   1         20,000",
    "예대:   2         30,000",
    "예약:   3         45,000",
    kSingle,
    "합계:          2,336,200",
    kDouble,
    "(현금 시재)",
    "준비:   1        100,000",
    "입금:   2        350,000",
    "현금:            251,200",
    "시재:            350,000",
    "부족:부족         -1,200",
    kDouble,
    "(판매 집계)",
    "판매:          2,345,000",
    "반품:            -45,000",
    "보이:            -30,000",
    kSingle,
    "합계:          2,300,000",
    kDouble,
    "(COMP 집계)",
    "판매:   2              0",
    "반품:   0              0",
    "보이:   1              0",
    kDouble,
};

const std::vector<std::string> kCashierCloseHeader{
    "              [사용자 마감]",
    kSlipHeader,
    "마감차수:   3회",
};

TEST(CloseReportTest, FullLayout)
{
    ExpectLines(CloseReportLines(BusyDay(), false), kFullBody);
}

TEST(CloseReportTest, NarrowLayout)
{
    ExpectLines(CloseReportLines(BusyDay(), true), kNarrowBody);
}

TEST(CloseReportTest, HeaderNamesTheKindAndTheCloseNumber)
{
    ExpectLines(CloseReportHeaderLines(SkiHouseHeader(), 3, false), kCashierCloseHeader);
    ExpectLines(CloseReportHeaderLines(SkiHouseHeader(), 1234, true),
                {"                [POS 마감]", kSlipHeader, "마감차수:1234회"});
}

// A surplus, a shortage and cash that is right, in both layouts.
TEST(CloseReportTest, OverShortMark)
{
    struct Case {
        std::int64_t deposited;  // float 100 000, cash sales 251 200
        const char* full;
        const char* narrow;
    };
    const Case cases[] = {
        {350000, "      과부족액 :(부족)      -1,200원", "부족:부족         -1,200"},
        {351700, "      과부족액 :(남음)         500원", "부족:남음            500"},
        {351200, "      과부족액 :                 0원", "부족:                  0"},
    };
    for (const Case& c : cases) {
        TCloseFigures f = BusyDay();
        f.deposits.amount = c.deposited;
        EXPECT_EQ(CloseReportLines(f, false).at(19), c.full);
        EXPECT_EQ(CloseReportLines(f, true).at(18), c.narrow);
    }
}

bool Has(const std::vector<std::string>& aLines, const std::string& aLine)
{
    return std::find(aLines.begin(), aLines.end(), aLine) != aLines.end();
}

// The correction and cancelled-bill lines only for such bills; the COMP
// section only for a COMP sale, return or void, a COMP correction alone not
// being one.
TEST(CloseReportTest, OptionalLinesAndSections)
{
    struct Case {
        const char* name;
        void (*change)(TCloseFigures&);
        bool correction, cancelled, comp, compCorrection;
    };
    const Case cases[] = {
        {"all", [](TCloseFigures&) {}, true, true, true, true},
        {"noCorrection", [](TCloseFigures& f) { f.corrections = {0, 0}; }, false, true, true, true},
        {"noCancelled", [](TCloseFigures& f) { f.cancelledBills = {0, 0}; }, true, false, true, true},
        {"compCorrectionOnly", [](TCloseFigures& f) { f.compSales = f.compVoids = 0; }, true, true, false, false},
        {"compReturnOnly", [](TCloseFigures& f) { f.compSales = f.compVoids = 0, f.compReturns = 1; }, true, true,
         true, true},
        {"noCompCorrection", [](TCloseFigures& f) { f.compCorrections = 0; }, true, true, true, false},
    };
    for (const Case& c : cases) {
        TCloseFigures f = BusyDay();
        c.change(f);
        const std::vector<std::string> full = CloseReportLines(f, false);
        const std::vector<std::string> narrow = CloseReportLines(f, true);
        EXPECT_EQ(Has(full, "      정　　정 :     1      -5,000원"), c.correction) << c.name;
        EXPECT_EQ(Has(full, "     *전표취소 :     4      60,000원"), c.cancelled) << c.name;
        EXPECT_EQ(Has(full, "[COMP 집계]"), c.comp) << c.name;
        EXPECT_EQ(Has(full, "      정　　정 :     1             0"), c.compCorrection) << c.name;
        EXPECT_EQ(Has(narrow, "(COMP 집계)"), c.comp) << c.name;
        // The report closes with its double rule either way.
        EXPECT_EQ(full.back(), kDouble) << c.name;
        EXPECT_EQ(narrow.back(), kDouble) << c.name;
    }
}

struct RouteCase {
    const char* name;
    TPrinters printers;
    std::vector<std::string> steps;
    bool narrow;

    friend void PrintTo(const RouteCase& aCase, std::ostream* aOut) { *aOut << aCase.name; }
};

class CloseReportRouteTest : public ::testing::TestWithParam<RouteCase> {};

// A receipt printer takes the report in the full layout; otherwise a ticket
// printer, in the narrow layout when a Boca or Flotec is printer 1.
TEST_P(CloseReportRouteTest, PrinterAndLayout)
{
    const RouteCase& c = GetParam();
    EXPECT_EQ(UsesNarrowLayout(c.printers), c.narrow);
    const TPrintPlan plan = PlanCloseReport(c.printers, SkiHouseHeader(), BusyDay(), 3, false);
    ASSERT_EQ(Steps(plan), c.steps);
    if (plan.empty()) return;
    const std::vector<std::string>& body = c.narrow ? kNarrowBody : kFullBody;
    if (plan[0].step == TPrintStep::Receipt) {
        std::vector<std::string> lines = kCashierCloseHeader;
        lines.insert(lines.end(), body.begin(), body.end());
        EXPECT_EQ(plan[0].text, "{X}   스키하우스 마감{S}\r" + JoinLines(lines));
        return;
    }
    EXPECT_EQ(plan[0].header, "");
    std::vector<std::string> lines;
    if (c.narrow) {
        // Eight columns of the centred title are dropped on the narrow
        // ticket, which has its own short header.
        lines = {"     스키하우스 마감", "사용자 마감 홍길동", "2024-01-05 14:30", "3101-01 1234", kDouble};
    } else {
        lines = {"             스키하우스 마감"};
        lines.insert(lines.end(), kCashierCloseHeader.begin(), kCashierCloseHeader.end());
    }
    lines.insert(lines.end(), body.begin(), body.end());
    ExpectLines(plan[0].lines, lines);
}

INSTANTIATE_TEST_SUITE_P(
    Printers, CloseReportRouteTest,
    ::testing::Values(RouteCase{"TSP600", {ptTSP600, ptNone}, {"R1"}, false},
                      RouteCase{"TSP600AndTSP600", {ptTSP600, ptTSP600}, {"R1"}, false},
                      RouteCase{"TSP600AndTSP700", {ptTSP600, ptTSP700}, {"R1"}, false},
                      RouteCase{"TSP700AndTSP600", {ptTSP700, ptTSP600}, {"R2"}, false},
                      RouteCase{"BocaAndTSP600", {ptBoca, ptTSP600}, {"R2"}, false},
                      RouteCase{"SecondTSP600", {ptNone, ptTSP600}, {"R2"}, false},
                      RouteCase{"TSP700", {ptTSP700, ptNone}, {"T", "P"}, false},
                      RouteCase{"TSP800", {ptTSP800, ptNone}, {"T", "P"}, false},
                      RouteCase{"SecondTSP700", {ptNone, ptTSP700}, {"T", "P"}, false},
                      RouteCase{"Boca", {ptBoca, ptNone}, {"T", "P"}, true},
                      RouteCase{"FlotecAndTSP700", {ptFlotec, ptTSP700}, {"T", "P"}, true},
                      RouteCase{"KitchenPrinterOnly", {ptNone, ptSRP350}, {}, false},
                      RouteCase{"NoPrinter", {ptNone, ptNone}, {}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CloseReportTest, NarrowTicketHeaderOfAPosClose)
{
    ExpectLines(NarrowTicketHeaderLines(SkiHouseHeader(), true),
                {"POS 마감", "2024-01-05 14:30", "3101-01 1234", kDouble});
    const TPrintPlan plan = PlanCloseReport({ptFlotec, ptNone}, SkiHouseHeader(), BusyDay(), 7, true);
    ASSERT_EQ(Steps(plan), (std::vector<std::string>{"T", "P"}));
    EXPECT_EQ(plan[0].lines.at(1), "POS 마감");
}

}  // namespace
}  // namespace pos::test
