// The sale part of the receipt: golden texts written from the line formats,
// and the tax block's agreement with the stored rows.

#include "ReceiptFixture.h"

#include "sales/receipt/PrintPlan.h"
#include "sales/receipt/QuickCashReceipt.h"

#include <gtest/gtest.h>

namespace pos::test {
namespace {

const std::string kDouble(42, '=');
const std::string kSingle(42, '-');
const std::string kTitle = "{X}     스키하우스    {S}\r";
const std::string kHeader = "2024-01-05 14:30 3101-01-0012  담당:홍길동";
const std::string kColumns = " 상 품 명         수량      단가      금액";

// The lines of the tax block: after the rule that closes the item lines, up
// to the rule above the total.
std::vector<std::string> TaxBlockOf(const std::string& aText)
{
    const std::vector<std::string> lines = SplitLines(aText);
    std::vector<std::string> block;
    int doubles = 0;
    for (const std::string& line : lines) {
        if (line == kDouble && ++doubles == 2) continue;
        if (doubles < 2) continue;
        if (line == kSingle) break;
        block.push_back(line);
    }
    return block;
}

using BillHeaderTest = ReceiptFixture;

TEST_F(BillHeaderTest, CounterShowsTheCashierAndATableOutletTheTable)
{
    EXPECT_EQ(BillHeaderLine(context, "143015", false), kHeader);
    EXPECT_EQ(BillHeaderLine(context, "14:30", false), kHeader);
    context.giTableNo = 12;
    outlet().FirstFormCode = context.gsFormOrderTable;
    EXPECT_TRUE(IsTableOutlet(context, store));
    EXPECT_EQ(header(), "2024-01-05 14:30 3101-01-0012(T0012)홍길동");
    // A pre-sale still prints today's date and today's bill number.
    context.gbPreSale = true;
    context.gsSaleDate = "20240110";
    context.gsPreBillNo = "0003";
    EXPECT_EQ(header(), "2024-01-05 14:30 3101-01-0012(T0012)홍길동");
}

using SaleReceiptTest = ReceiptFixture;

// The whole receipt of a plain cash bill on a receipt printer: sale part,
// the quick cash part and the footer, as the plan hands it to printer 1.
TEST_F(SaleReceiptTest, PlainCashBillOnAReceiptPrinter)
{
    TSaleReceipt sale = receipt(kTSP600);
    sale.AddLine(Line("김치찌개", 2, 8000), {8000, 16000, 14545, 1455, 0, 0, 0});
    sale.AddLine(Line("생맥주", 1, 5000), {5000, 5000, 4545, 455, 0, 0, 0});
    TSettledBill bill{kTSP600, 0, sale.Finish(0, 21000), QuickCashPart(context, kTSP600, 30000, 9000), true};

    const std::string expected = kTitle + kHeader + "\r" +
                                 kDouble + "\r" +
                                 kColumns + "\r" +
                                 kSingle + "\r" +
                                 " 김치찌개            2     8,000    16,000\r"
                                 " 생맥주              1     5,000     5,000\r" +
                                 kDouble + "\r" +
                                 "부가세 과세 물품가 :                19,090\r"
                                 "부　　　가　　  세 :                 1,910\r" +
                                 kSingle + "\r" +
                                 "{X}합　　계 :     21,000{S}\r"
                                 "{X}받은금액 :     30,000{S}\r"
                                 "{X}거스름돈 :      9,000{S}\r" +
                                 kSingle + "\r" +
                                 "현　　금                            21,000\r" +
                                 kDouble + "\r";
    const TPrintPlan plan = PlanSettledBill(bill);
    ASSERT_EQ(plan.size(), 2u);
    EXPECT_EQ(plan[0].step, TPrintStep::Receipt);
    EXPECT_EQ(plan[0].printer, 1);
    EXPECT_EQ(plan[0].text, expected + "교환, 환불시 영수증을 반드시 지참하십시오.\r"
                                       "상품명 앞 * 가 있는 상품은 면세상품입니다.\r");
    EXPECT_EQ(plan[1].step, TPrintStep::OpenDrawer);
    ExpectReceiptWidth(expected);
}

TEST_F(SaleReceiptTest, DutyFreeLineIsMarkedAndCountedTaxFree)
{
    TSaleReceipt sale = receipt(kTSP600);
    sale.AddLine(Line("우동", 1, 6000), {6000, 6000, 5455, 545, 0, 0, 0});
    sale.AddLine(Line("생수", 1, 1000, context.gsTaxGubunDutyfree), TaxFreeRows(1000));
    const TSalePart part = sale.Finish(0, 7000);

    const std::vector<std::string> lines = SplitLines(part.receiptText);
    EXPECT_EQ(lines[5], " 우동                1     6,000     6,000");
    EXPECT_EQ(lines[6], "*생수                1     1,000     1,000");
    EXPECT_EQ(TaxBlockOf(part.receiptText), (std::vector<std::string>{
                                                "부가세 면세 물품가 :                 1,000",
                                                "부가세 과세 물품가 :                 5,455",
                                                "부　　　가　　  세 :                   545",
                                            }));
    ExpectReceiptWidth(part.receiptText);
}

TEST_F(SaleReceiptTest, OnlyTaxFreeGoodsPrintNoNetAndNoVat)
{
    TSaleReceipt sale = receipt(kTSP600);
    sale.AddLine(Line("생수", 3, 1000, context.gsTaxGubunDutyfree), TaxFreeRows(3000));
    EXPECT_EQ(TaxBlockOf(sale.Finish(0, 3000).receiptText),
              (std::vector<std::string>{"부가세 면세 물품가 :                 3,000"}));
}

// "(C)" and the name are cut together at 14 columns; the Korean character
// the cut falls into becomes a blank, never half a character.
TEST_F(SaleReceiptTest, CaddyLineIsCutAt14ColumnsWithoutSplittingACharacter)
{
    TSaleList caddy = Line("골프장갑세트", 1, 50000);
    caddy.CaddyYN = true;
    TSaleReceipt sale = receipt(kTSP600);
    sale.AddLine(caddy, TaxableRows(50000));
    const std::vector<std::string> lines = SplitLines(sale.Finish(0, 50000).receiptText);
    EXPECT_EQ(lines[5], " (C)골프장갑세       1    50,000    50,000");
    EXPECT_EQ(Cp949Width(lines[5]), 42);
}

TEST_F(SaleReceiptTest, DiscountLineFollowsTheBillsSign)
{
    const std::string discountLine = "할　 인　　금　 액 :                -2,000";
    {
        TSaleReceipt sale = receipt(kTSP600);
        sale.AddLine(Line("우동", 1, 6000), {6000, 4000, 3636, 364, 0, 0, 0});
        EXPECT_EQ(TaxBlockOf(sale.Finish(2000, 4000).receiptText).front(), discountLine);
    }
    {
        TSaleReceipt sale = receipt(kTSP600);
        sale.AddLine(Line("우동", 1, 6000), {6000, 6000, 5455, 545, 0, 0, 0});
        EXPECT_NE(TaxBlockOf(sale.Finish(-2000, 6000).receiptText).front(), discountLine);
    }
    startReturnBill();
    TSaleReceipt sale = receipt(kTSP600);
    sale.AddLine(Line("우동", -1, 6000), {6000, -4000, -3636, -364, 0, 0, 0});
    EXPECT_EQ(TaxBlockOf(sale.Finish(-2000, -4000).receiptText).front(),
              "할　 인　　금　 액 :                 2,000");
}

TEST_F(SaleReceiptTest, EventIsNamedUnderTheItems)
{
    context.gbEventMode = true;
    context.gsEventName = "동계연수";
    context.gsEventNo = "E2401";
    TSaleReceipt sale = receipt(kTSP600);
    sale.AddLine(Line("우동", 1, 6000), TaxableRows(6000));
    const std::vector<std::string> lines = SplitLines(sale.Finish(0, 6000).receiptText);
    EXPECT_EQ(lines[6], kSingle);
    EXPECT_EQ(lines[7], "동계연수(E2401)");
    EXPECT_EQ(lines[8], kDouble);
}

TEST_F(SaleReceiptTest, ReturnIsMarkedInTheTitle)
{
    startReturnBill();
    TSaleReceipt sale = receipt(kTSP600);
    sale.AddLine(Line("우동", -1, 6000), {6000, -6000, -5455, -545, 0, 0, 0});
    const TSalePart part = sale.Finish(0, -6000);
    EXPECT_EQ(SplitLines(part.receiptText).front(), "{X}     스키하우스    {S}반품");
    EXPECT_EQ(SplitLines(part.receiptText).back(), "{X}합　　계 :     -6,000{S}");
}

TEST_F(SaleReceiptTest, CancelledBillOnAReceiptPrinter)
{
    TSaleReceipt sale = receipt(kTSP600, true);
    sale.AddLine(Line("우동", 1, 6000), {6000, 6000, 5455, 545, 0, 0, 0});
    const TSalePart part = sale.Finish(0, 6000);
    const std::string expected = "{Z}   거래 중지 전표{S}\r" + kTitle + kHeader + "\r" +
                                 kDouble + "\r" +
                                 kColumns + "\r" +
                                 kSingle + "\r" +
                                 " 우동                1     6,000     6,000\r" +
                                 kDouble + "\r" +
                                 "부가세 과세 물품가 :                 5,455\r"
                                 "부　　　가　　  세 :                   545\r" +
                                 kSingle + "\r" +
                                 "{X}합　　계 :      6,000{S}\r" +
                                 kDouble + "\r";
    EXPECT_EQ(part.receiptText, expected);
    EXPECT_TRUE(part.ticketLines.empty());
    ExpectReceiptWidth(expected);
    EXPECT_EQ(PlanCancelledBill(kTSP600, part), (TPrintPlan{{TPrintStep::Receipt, 1, expected, "", {}, 0}}));
}

// On a page-mode ticket printer the cancelled bill is one list ticket,
// marked in place of the first rule, printed at once.
TEST_F(SaleReceiptTest, CancelledBillOnAPageModeTicketPrinter)
{
    TSaleReceipt sale = receipt(kTSP800, true);
    sale.AddLine(Line("우동", 1, 6000), {6000, 6000, 5455, 545, 0, 0, 0});
    const TSalePart part = sale.Finish(0, 6000);
    const std::vector<std::string> expected{
        "[거래 중지 전표]",
        kColumns,
        kSingle,
        " 우동                1     6,000     6,000",
        kDouble,
        "부가세 과세 물품가 :                 5,455",
        "부　　　가　　  세 :                   545",
        kSingle,
        "        합　　계  :                  6,000",
        kDouble,
    };
    EXPECT_TRUE(part.receiptText.empty());
    EXPECT_EQ(part.ticketLines, expected);
    const TPrintPlan plan = PlanCancelledBill(kTSP800, part);
    ASSERT_EQ(plan.size(), 2u);
    EXPECT_EQ(plan[0], (TPrintJob{TPrintStep::ListTicket, 0, "", kHeader, expected, 0}));
    EXPECT_EQ(plan[1].step, TPrintStep::PrintTickets);
}

// ---- the tax block against the stored rows

struct StoredLine {
    std::string name, taxCode;
    std::int64_t count, unit;
    TRowAmounts rows;
};
struct AgreementCase {
    const char* name;
    std::vector<StoredLine> lines;
    TReceiptTaxes expected;
    std::vector<std::string> block;
};

class StoredRowsAgreementTest : public ReceiptFixture, public ::testing::WithParamInterface<AgreementCase> {};

// Each figure is the sum of what the rows hold, and tax-free + net + service
// + VAT is the bill: a second split of the subtotals would round otherwise.
TEST_P(StoredRowsAgreementTest, ReceiptFiguresAreTheRowSums)
{
    TSaleReceipt sale = receipt(kTSP600);
    Currency billTotal;
    for (const StoredLine& l : GetParam().lines) {
        sale.AddLine(Line(l.name, l.count, l.unit, l.taxCode), l.rows);
        billTotal += l.rows.sale;
    }
    const TSalePart part = sale.Finish(0, billTotal);
    EXPECT_EQ(part.taxes, GetParam().expected);
    EXPECT_EQ(part.taxes.Total(), billTotal);
    EXPECT_EQ(TaxBlockOf(part.receiptText), GetParam().block);
}

INSTANTIATE_TEST_SUITE_P(
    Bills, StoredRowsAgreementTest,
    ::testing::Values(
        // A split of 56,000 would print 50,909 and VAT 5,091: one won more
        // VAT than the rows hold.
        AgreementCase{"TwoLinesOf28000",
                      {{"갈비정식", "1", 1, 28000, {28000, 28000, 25455, 2545, 0, 0, 0}},
                       {"냉면", "1", 2, 14000, {14000, 28000, 25455, 2545, 0, 0, 0}}},
                      {0, 50910, 0, 5090},
                      {"부가세 과세 물품가 :                50,910", "부　　　가　　  세 :                 5,090"}},
        // The tax-free line enters no other figure; a split of the subtotals
        // would print net 11,115, service 1,021, VAT 1,214.
        AgreementCase{"TaxFreeServiceAndTaxable",
                      {{"뷔페", "4", 1, 12345, {12345, 12345, 10203, 1122, 0, 0, 1020}},
                       {"커피", "1", 1, 1005, {1005, 1005, 914, 91, 0, 0, 0}},
                       {"생수", "2", 5, 1000, {1000, 5000, 5000, 0, 0, 0, 0}}},
                      {5000, 11117, 1020, 1213},
                      {"부가세 면세 물품가 :                 5,000", "부가세 과세 물품가 :                11,117",
                       "봉　　　사　　  료 :                 1,020", "부　　　가　　  세 :                 1,213"}},
        // Excise and education tax are part of the VAT base.
        AgreementCase{"EntertainmentAndTaxFree",
                      {{"양주", "5", 1, 12430, {12430, 12430, 10000, 1130, 1000, 300, 0}},
                       {"생수", "2", 1, 1000, {1000, 1000, 1000, 0, 0, 0, 0}}},
                      {1000, 11300, 0, 1130},
                      {"부가세 면세 물품가 :                 1,000", "부가세 과세 물품가 :                11,300",
                       "부　　　가　　  세 :                 1,130"}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- the hotel restaurants' switches

struct SwitchCase {
    const char* name;
    bool noSvc, noVat;
    TRowAmounts rows;  // a service-charge item of net price 10,000 as stored
    std::vector<std::string> block;
};

class HotelSwitchTest : public ReceiptFixture, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(HotelSwitchTest, BlockShowsSubtotalServiceAndVat)
{
    context.gbVessa = true;
    commands.ipgumMode = TIpgumMode::NoSvcNoVat;
    commands[TSaleCommand::IpgumOpen].down = GetParam().noSvc;
    commands[TSaleCommand::IpgumClose].down = GetParam().noVat;
    TSaleReceipt sale = receipt(kTSP600);
    sale.AddLine(Line("스테이크", 1, 10000, context.gsTaxGubunDutyTip), GetParam().rows);
    const TSalePart part = sale.Finish(0, GetParam().rows.sale);
    EXPECT_EQ(TaxBlockOf(part.receiptText), GetParam().block);
    EXPECT_EQ(part.taxes.Total(), GetParam().rows.sale);
    ExpectReceiptWidth(part.receiptText);
}

INSTANTIATE_TEST_SUITE_P(
    Switches, HotelSwitchTest,
    ::testing::Values(
        SwitchCase{"NeitherDown", false, false, {12100, 12100, 10000, 1100, 0, 0, 1000},
                   {"소  　　　　　　계 :                10,000", "봉　　　사　　  료 :                 1,000",
                    "부　　　가　　  세 :                 1,100"}},
        SwitchCase{"NoVat", false, true, {11000, 11000, 10000, 0, 0, 0, 1000},
                   {"소  　　　　　　계 :                10,000", "봉　　　사　　  료 :                 1,000",
                    "부　　　가　　  세 :                    *0"}},
        // The net is the bill less its VAT.
        SwitchCase{"NoSvc", true, false, {11000, 11000, 10000, 1000, 0, 0, 0},
                   {"소  　　　　　　계 :                10,000", "봉　　　사　　  료 :                    *0",
                    "부　　　가　　  세 :                 1,000"}},
        SwitchCase{"BothDown", true, true, {10000, 10000, 10000, 0, 0, 0, 0},
                   {"소  　　　　　　계 :                10,000", "봉　　　사　　  료 :                    *0",
                    "부　　　가　　  세 :                    *0"}}),
    [](const auto& info) { return std::string(info.param.name); });

// A switch down over a figure the rows do hold prints the figure: the block
// never disagrees with what was stored.
TEST_F(SaleReceiptTest, SwitchNeverHidesAStoredFigure)
{
    context.gbVessa = true;
    commands.ipgumMode = TIpgumMode::NoSvcNoVat;
    commands[TSaleCommand::IpgumClose].down = true;
    TSaleReceipt sale = receipt(kTSP600);
    sale.AddLine(Line("와인", 1, 10000), {10000, 10000, 9091, 909, 0, 0, 0});
    EXPECT_EQ(TaxBlockOf(sale.Finish(0, 10000).receiptText).back(), "부　　　가　　  세 :                   909");
}

// ---- meal slips

class MealSlipTest : public ReceiptFixture {
protected:
    MealSlipTest() { outlet().TicketPrtYN = true; }

    TSaleList meal(const std::string& aName, std::int64_t aCount)
    {
        TSaleList line = Line(aName, aCount, 6000);
        line.TicketType = context.gsTicketTypeFnB;
        return line;
    }
};

TEST_F(MealSlipTest, OneSlipPerUnitNumberedAfterTheBill)
{
    TSaleReceipt sale = receipt(kTSP600);
    sale.AddLine(meal("우동", 2), TaxableRows(12000));
    sale.AddLine(Line("생맥주", 1, 5000), TaxableRows(5000));  // no food: no slip
    const TSalePart part = sale.Finish(0, 17000);
    ASSERT_EQ(part.mealSlips.size(), 2u);
    const std::string slip = kTitle + "2024-01-05 14:30 3101-01-0012-0001\r" + kDouble + "\r\r" +
                             " 우동                       {X}    1건{S}\r\r" + kDouble + "\r";
    EXPECT_EQ(part.mealSlips[0], slip);
    EXPECT_NE(part.mealSlips[1].find("3101-01-0012-0002\r"), std::string::npos);
}

TEST_F(MealSlipTest, CombinedTicketModeCountsPerItemUnderTheWholeTitle)
{
    commands[TSaleCommand::GroupPrint].down = true;
    TSaleReceipt sale = receipt(kTSP600);
    sale.AddLine(meal("우동", 2), TaxableRows(12000));
    sale.AddLine(meal("우동", 1), TaxableRows(6000));
    const TSalePart part = sale.Finish(0, 18000);
    ASSERT_EQ(part.mealSlips.size(), 1u);
    EXPECT_EQ(part.mealSlips[0], kTitle + kHeader + "\r" + kDouble + "\r\r" +
                                     " 우동                       {X}    3건{S}\r\r" + kDouble + "\r");
}

TEST_F(MealSlipTest, TableOutletSlipsCarryTheNumberAlone)
{
    outlet().FirstFormCode = context.gsFormOrderTable;
    context.giTableNo = 7;
    TSaleReceipt sale = receipt(kTSP600);
    sale.AddLine(meal("우동", 1), TaxableRows(6000));
    const TSalePart part = sale.Finish(0, 6000);
    ASSERT_EQ(part.mealSlips.size(), 1u);
    EXPECT_TRUE(part.mealSlips[0].starts_with("-0001\r" + kDouble + "\r")) << part.mealSlips[0];
}

TEST_F(MealSlipTest, OnlyATicketOutletWithAReceiptPrinterPrintsThem)
{
    {
        TSaleReceipt sale = receipt(kTSP800);
        sale.AddLine(meal("우동", 1), TaxableRows(6000));
        EXPECT_TRUE(sale.Finish(0, 6000).mealSlips.empty());
    }
    outlet().TicketPrtYN = false;
    TSaleReceipt sale = receipt(kTSP600);
    sale.AddLine(meal("우동", 1), TaxableRows(6000));
    EXPECT_TRUE(sale.Finish(0, 6000).mealSlips.empty());
}

}  // namespace
}  // namespace pos::test
