// The float and deposit slips: the header line, the slips' texts written out
// from their formats, and which printers print them at all.

#include "CloseFixture.h"

namespace pos::test {
namespace {

using enum TPrinterType;

constexpr TPrinters kTwoReceiptPrinters{ptTSP600, ptTSP600};
constexpr TPrinters kPageModeAndReceipt{ptTSP800, ptTSP600};

TEST(SlipHeaderTest, NameKeepsItsFirstSixColumnsWithoutHalfACharacter)
{
    struct Case {
        const char* name;
        const char* shown;
    };
    const Case cases[] = {
        {"홍길동전", "홍길동"},
        {"김구", "김구  "},
        {"A홍길동", "A홍길 "},  // 동 would straddle the sixth column
    };
    for (const Case& c : cases) {
        TCloseHeader header = SkiHouseHeader();
        header.cashierName = c.name;
        EXPECT_EQ(SlipHeaderLine(header), std::string("2024-01-05 14:30 3101  POS:01  담당:") + c.shown) << c.name;
    }
}

// A float of -5 000 after one of 100 000: the second entry, total 95 000.
TEST(OpenSlipTest, SecondEntryTakesANegativeAmount)
{
    TCloseFigures before;
    before.floats = {1, 100000};
    ExpectLines(OpenSlipLines(SkiHouseHeader(), before, -5000, 95000),
                {kSlipHeader,
                 kDouble,
                 "",
                 "      입력횟수 :                 2회",
                 "      준 비 금 :            -5,000원",
                 "      최종합계 :            95,000원",
                 "",
                 kDouble});
}

// 3 x 10 000 and 2 x 500: two denomination lines, the others left out.
TEST(DepositSlipTest, OnlyCountedDenominationsArePrinted)
{
    TCloseFigures before;
    before.deposits = {2, 50000};
    TDenominationCounts counts{};
    counts[3] = 3;  // 만 원
    counts[6] = 2;  // 오백 원
    ExpectLines(DepositSlipLines(SkiHouseHeader(), before, counts, 31000, 81000),
                {kSlipHeader,
                 kDouble,
                 "      만    원 :     3      30,000원",
                 "      오 백 원 :     2       1,000원",
                 kSingle,
                 "      입력횟수 :                 3회",
                 "      중간입금 :            31,000원",
                 "      최종합계 :            81,000원",
                 kDouble});
}

TEST(DepositSlipTest, LargeCountsAndAmountsHaveSeparators)
{
    TDenominationCounts counts{};
    counts[0] = 12;    // 백만 원
    counts[9] = 1500;  // 십 원
    const std::vector<std::string> lines = DepositSlipLines(SkiHouseHeader(), {}, counts, 12015000, 12015000);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[2], "      백 만 원 :    12  12,000,000원");
    EXPECT_EQ(lines[3], "      십    원 : 1,500      15,000원");
}

// Both slips need a TSP600 on printer 2 beside a TSP600 or TSP800 on
// printer 1; the page-mode printer takes its ticket and printer 2 its text.
TEST(CashSlipPlanTest, PrintersThatPrintTheSlips)
{
    struct Case {
        TPrinters printers;
        std::vector<std::string> steps;
    };
    const Case cases[] = {
        {{ptTSP600, ptNone}, {}},
        {{ptTSP600, ptTSP600}, {"R1"}},
        {{ptTSP800, ptTSP600}, {"T", "P", "R2"}},
        {{ptTSP800, ptNone}, {}},
        {{ptTSP600, ptTSP700}, {}},
        {{ptTSP700, ptTSP600}, {}},
        {{ptBoca, ptTSP600}, {}},
        {{ptNone, ptTSP600}, {}},
        {{ptNone, ptNone}, {}},
    };
    TDenominationCounts counts{};
    counts[3] = 1;
    for (const Case& c : cases) {
        const auto where = ::testing::Message() << static_cast<int>(c.printers.printer1) << "/"
                                                << static_cast<int>(c.printers.printer2);
        EXPECT_EQ(PrintsCashSlips(c.printers), !c.steps.empty()) << where;
        EXPECT_EQ(Steps(PlanOpenSlip(c.printers, SkiHouseHeader(), {}, 1000, 1000, "hdr")), c.steps) << where;
        EXPECT_EQ(Steps(PlanDepositSlip(c.printers, SkiHouseHeader(), {}, counts, 10000, 10000, "hdr")), c.steps)
            << where;
    }
}

TEST(CashSlipPlanTest, ReceiptPrinterGetsTheEnlargedTitleAboveTheSlip)
{
    TCloseFigures before;
    const std::vector<std::string> slip = OpenSlipLines(SkiHouseHeader(), before, 50000, 50000);
    const TPrintPlan plan = PlanOpenSlip(kTwoReceiptPrinters, SkiHouseHeader(), before, 50000, 50000, "hdr");
    ASSERT_EQ(plan.size(), 1u);
    EXPECT_EQ(plan[0].text, "{X} 스키하우스 준비금액{S}\r" + JoinLines(slip));

    TDenominationCounts counts{};
    counts[3] = 1;
    const TPrintPlan deposit = PlanDepositSlip(kTwoReceiptPrinters, SkiHouseHeader(), before, counts, 10000, 10000, "");
    ASSERT_EQ(deposit.size(), 1u);
    EXPECT_TRUE(deposit[0].text.starts_with("{X} 스키하우스 중간입금{S}\r" + kSlipHeader + "\r"));
}

// The TSP800 ticket: the title centred in plain width, then the slip, under
// the bill header; printer 2 prints the same text a receipt printer would.
TEST(CashSlipPlanTest, PageModeTicketAndTheSecondPrinter)
{
    TCloseFigures before;
    const std::vector<std::string> slip = OpenSlipLines(SkiHouseHeader(), before, 50000, 50000);
    const TPrintPlan plan = PlanOpenSlip(kPageModeAndReceipt, SkiHouseHeader(), before, 50000, 50000, "hdr");
    ASSERT_EQ(Steps(plan), (std::vector<std::string>{"T", "P", "R2"}));
    EXPECT_EQ(plan[0].header, "hdr");
    std::vector<std::string> ticket{"           스키하우스 준비금액"};
    ticket.insert(ticket.end(), slip.begin(), slip.end());
    ExpectLines(plan[0].lines, ticket);
    EXPECT_EQ(plan[2].text, "{X} 스키하우스 준비금액{S}\r" + JoinLines(slip));
}

}  // namespace
}  // namespace pos::test
