// The rows that store a bill, computed by hand from real bills: the tax
// split of a row, the values of sale, transfer and cash rows, guest counts,
// the pre-sale link, and the same bills as off-line queue values.

#include "SaleFixture.h"

#include "sales/recording/SaleRows.h"
#include "sales/recording/SaleTax.h"

#include <gtest/gtest.h>

namespace pos::test {
namespace {

struct SplitCase {
    const char* name;
    const char* taxCode;
    std::int64_t sale;
    bool noSvc, noVat;
    std::int64_t net, vat, excise, eduTax, service;
};

class TaxSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(TaxSplit, AddsUpToTheSale)
{
    const SplitCase& c = GetParam();
    const TTerminalContext ctx;
    const TTaxSplit t = SplitSaleTax(ctx, c.taxCode, Currency(c.sale), c.noSvc, c.noVat);
    EXPECT_EQ(t.net, Currency(c.net));
    EXPECT_EQ(t.vat, Currency(c.vat));
    EXPECT_EQ(t.excise, Currency(c.excise));
    EXPECT_EQ(t.eduTax, Currency(c.eduTax));
    EXPECT_EQ(t.service, Currency(c.service));
    EXPECT_EQ(t.net + t.vat + t.excise + t.eduTax + t.service, Currency(c.sale));
}

INSTANTIATE_TEST_SUITE_P(Rows, TaxSplit, ::testing::Values(
    SplitCase{"Taxable", "1", 11000, false, false, 10000, 1000, 0, 0, 0},
    SplitCase{"TaxableSmall", "1", 1000, false, false, 909, 91, 0, 0, 0},
    SplitCase{"TaxableHalf", "1", 28000, false, false, 25455, 2545, 0, 0, 0},
    SplitCase{"Return", "1", -22000, false, false, -20000, -2000, 0, 0, 0},
    SplitCase{"DutyFree", "2", 5000, false, false, 5000, 0, 0, 0, 0},
    SplitCase{"Entertainment", "5", 12430, false, false, 10000, 1130, 1000, 300, 0},
    SplitCase{"ServiceNeither", "4", 12100, false, false, 10000, 1100, 0, 0, 1000},
    SplitCase{"ServiceNoVat", "4", 11000, false, true, 10000, 0, 0, 0, 1000},
    SplitCase{"ServiceNoSvc", "4", 11000, true, false, 10000, 1000, 0, 0, 0},
    SplitCase{"ServiceBoth", "4", 10000, true, true, 10000, 0, 0, 0, 0},
    SplitCase{"TaxableNoVat", "1", 10000, false, true, 10000, 0, 0, 0, 0}),
    [](const auto& aInfo) { return std::string(aInfo.param.name); });

class SaleRows : public SaleFixture {
protected:
    SaleRows()
    {
        context.gsToday = "20261209";
        context.gsBillNo = "0017";
        context.giBillNo = 17;
        context.gsCashier = "1001";
        context.gsIP = "10.0.0.7";
    }
    TSaleRows rows(bool aOffLine = false) const { return TSaleRowsBuilder(context, store, bill).SaleRows({aOffLine, false}); }
};

TEST_F(SaleRows, ALineBecomesOneRowWithEveryValueInPlace)
{
    enter("1002", 2);  // 비빔밥 2 x 11,000
    const TSaleRows r = rows();
    ASSERT_EQ(r.rows.size(), 1u);
    const TStoredRow& row = r.rows[0];
    EXPECT_EQ(row.key, "IAI010-SaveSaleData");
    EXPECT_EQ(row.queue, TOffLineQueue::Sale);
    ASSERT_EQ(row.params.size(), 51u);
    const std::vector<std::string> expected{
        "20261209", "3101", "01", "0017", "1", "Y", "1002", "1", "1", "Y", "1", "11000", "2", "0", "0", "22000",
        "20000", "2000", "0", "0", "0", "0", "0", "0", "0", "0", "0",
        "2", "0",  // a restaurant counts its guests by the quantity
        "", "0", "", "", "", "", "", "N", "N", "", "", "0", "", "", "", "", "", "", "", "", "1001", "10.0.0.7"};
    EXPECT_EQ(row.params, expected);
    EXPECT_EQ(r.total, Currency(22000));
    EXPECT_EQ(r.nextSeq, 2);
}

TEST_F(SaleRows, LinesOfNothingWriteNothingAndTheOthersAreNumberedOnwards)
{
    enter("1001");
    enter("1002");
    bill.Lines().Line(0).SaleCount = Currency();  // a line brought down to 0
    const TSaleRows r = rows();
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.rows[0].params[4], "1");
    EXPECT_EQ(r.rows[0].params[6], "1002");
}

TEST_F(SaleRows, AReturnStoresEverythingNegative)
{
    startReturnBill();
    enter("1002", 2);
    const TStoredRow row = rows().rows.at(0);
    EXPECT_EQ(row.params[12], "-2");
    EXPECT_EQ(row.params[15], "-22000");
    EXPECT_EQ(row.params[16], "-20000");
    EXPECT_EQ(row.params[17], "-2000");
    EXPECT_EQ(row.params[27], "-2");
}

TEST_F(SaleRows, AHotelLineStoresItsGrossSplitIntoServiceAndVat)
{
    context.gbVessa = true;
    addGoods("3101", "7001", "스테이크", "10000", "4");  // net price, service charge on top
    enter("7001");
    const TSaleRows r = rows();
    const TStoredRow& row = r.rows.at(0);
    EXPECT_EQ(row.params[11], "12100");  // unit, gross
    EXPECT_EQ(row.params[15], "12100");
    EXPECT_EQ(row.params[16], "10000");
    EXPECT_EQ(row.params[17], "1100");
    EXPECT_EQ(row.params[24], "1000");
    EXPECT_EQ(row.params[45], "N");  // "No SVC" up
    EXPECT_EQ(row.params[46], "N");  // "No VAT" up
    EXPECT_EQ(r.total, bill.Totals().due);
}

TEST_F(SaleRows, EnteredGuestCountsGoOnTheFirstRowOnly)
{
    context.giKoreanCount = 3;
    context.giForeignCount = 1;
    enter("1001");
    enter("1002");
    const TSaleRows r = rows();
    EXPECT_EQ(r.rows[0].params[27], "3");
    EXPECT_EQ(r.rows[0].params[28], "1");
    EXPECT_EQ(r.rows[1].params[27], "0");
    EXPECT_EQ(r.rows[1].params[28], "0");
}

TEST_F(SaleRows, ATicketOutletCountsOneGuestPerRunOfOutletLines)
{
    store.SetUpjangData(0, UpjangItem::UpjangType, "50");
    store.SetUpjangData(0, UpjangItem::TicketPrtYN, "Y");
    addGoods("3101", "5101", "대여", "1000");
    addGoods("3102", "5201", "보관", "1000");
    for (const char* code : {"5101", "5101", "5201", "5101"}) {
        bill.entry.upjangCode = code[1] == '1' ? "3101" : "3102";
        context.gsUpjangCode = bill.entry.upjangCode;
        enter(code);
        bill.Lines().Line(bill.Lines().GetCount() - 1).ModifyYN = true;  // no merging: four lines
        bill.Lines().Line(bill.Lines().GetCount() - 1).TicketType = context.gsTicketPrtYNNone;
    }
    ASSERT_EQ(count(), 4);
    std::vector<std::string> korean;
    for (const TStoredRow& row : rows().rows) korean.push_back(row.params[27]);
    EXPECT_EQ(korean, (std::vector<std::string>{"1", "0", "1", "1"}));
}

TEST_F(SaleRows, OtherOutletsGetTheirSharesMovedToThem)
{
    enter("1001");  // 9,000 for the own outlet
    context.gsUpjangCode = "3102";
    enter("2001");  // 7,000 for the bar
    const TBillRows t = TSaleRowsBuilder(context, store, bill).TransferRows([](const std::string& aUpjang) {
        return aUpjang == "3102" ? std::string("11") : std::string();
    });
    ASSERT_EQ(t.size(), 2u);
    const std::vector<std::string> toBar{"20261209", "3102", "11", "0017", "Y", "000", "1", "7000",
                                         "", "", "", "", "", "", "", "", "", "", "1001", "10.0.0.7"};
    const std::vector<std::string> fromOwn{"20261209", "3101", "01", "0017", "Y", "000", "1", "-7000",
                                           "", "", "", "", "", "", "", "", "", "", "1001", "10.0.0.7"};
    EXPECT_EQ(t[0].params, toBar);
    EXPECT_EQ(t[1].params, fromOwn);
}

TEST_F(SaleRows, QuickCashOf50000For43000StoresTheTenderAndTheChange)
{
    addGoods("3101", "1003", "정식", "43000");
    enter("1003");
    bill.SetTendered(Currency(50000));
    const TBillRows cash = TSaleRowsBuilder(context, store, bill).QuickCashRows(false, Currency(50000), bill.Totals().change);
    ASSERT_EQ(cash.size(), 2u);
    EXPECT_EQ(cash[0].params, (std::vector<std::string>{"20261209", "3101", "01", "0017", "Y", "110", "1", "50000",
                                                       "", "", "", "", "", "", "", "", "", "", "1001", "10.0.0.7"}));
    EXPECT_EQ(cash[1].params[6], "0");
    EXPECT_EQ(cash[1].params[7], "-7000");
    EXPECT_EQ(Currency::fromText(cash[0].params[7]) + Currency::fromText(cash[1].params[7]), bill.Totals().due);
}

TEST_F(SaleRows, AZeroBillStoresItsRowsAndOneCashRowOfNothing)
{
    addGoods("3101", "1009", "서비스", "0");
    enter("1009");
    const TSaleRows r = rows();
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.rows[0].params[15], "0");
    const TBillRows cash = TSaleRowsBuilder(context, store, bill).QuickCashRows(false, Currency(), Currency());
    ASSERT_EQ(cash.size(), 1u);
    EXPECT_EQ(cash[0].params[7], "0");
}

TEST_F(SaleRows, APreSaleStoresUnderItsDayAndLinksToToday)
{
    context.gbPreSale = true;
    context.gsSaleDate = "20261215";
    context.gsPreBillNo = "0003";
    enter("1001");
    const TSaleRows r = rows();
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[0].params[0], "20261215");
    EXPECT_EQ(r.rows[0].params[3], "0003");
    EXPECT_EQ(r.rows[0].params[49], context.gsCashierPreSale);
    const TStoredRow& link = r.rows[1];
    EXPECT_EQ(link.params[0], "20261209");
    EXPECT_EQ(link.params[3], "0017");
    EXPECT_EQ(link.params[4], "0");
    EXPECT_EQ(link.params[6], "00000000");
    EXPECT_EQ(link.params[29], "00");
    EXPECT_EQ(link.params[47], "20261215-0003에서 판매");
    EXPECT_EQ(link.params[49], "1001");

    const TBillRows presale = TSaleRowsBuilder(context, store, bill).PreSaleRows(Currency(9000));
    ASSERT_EQ(presale.size(), 2u);
    EXPECT_EQ(presale[0].params[5], "002");
    EXPECT_EQ(presale[0].params[7], "-9000");
    EXPECT_EQ(presale[0].params[17], "20261215-0003");
    EXPECT_EQ(presale[1].params[0], "20261215");
    EXPECT_EQ(presale[1].params[3], "0003");
    EXPECT_EQ(presale[1].params[5], "001");
    EXPECT_EQ(presale[1].params[17], "20261209-0017");
}

TEST_F(SaleRows, OffLineTheSameRowsAreQueueValuesRemarkedOffLine)
{
    enter("1002");
    const TStoredRow row = rows(true).rows.at(0);
    EXPECT_EQ(row.params[47], "Off Line");
    const std::vector<std::string> queued = QueueValues(row);
    ASSERT_EQ(queued.size(), 52u);
    EXPECT_EQ(queued[50], "{-}");
    EXPECT_EQ(queued[51], "10.0.0.7");
    const TBillRows cash = TSaleRowsBuilder(context, store, bill).QuickCashRows(true, Currency(11000), Currency());
    EXPECT_EQ(cash.at(0).params[17], "Off Line");
    EXPECT_EQ(QueueValues(cash.at(0)).size(), 21u);
}

TEST_F(SaleRows, AGroupDiscountAddsAnEventRowAfterEachSaleRow)
{
    context.gbEventMode = true;
    context.gsEventNo = "E100";
    context.gsEventName = "가을 연회";
    context.gsEventMemberNo = "G7";
    enter("1001");
    const TSaleRows r = rows(true);
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[0].params[47], "가을 연회");
    EXPECT_EQ(r.rows[0].params[33], "E100");
    const TStoredRow& event = r.rows[1];
    EXPECT_EQ(event.key, "IAI010-SaveSaleData-Event");
    EXPECT_EQ(event.queue, TOffLineQueue::SaleEvent);
    ASSERT_EQ(event.params.size(), 31u);
    EXPECT_EQ(event.params[0], "E100");
    EXPECT_EQ(event.params[5], "1");
    EXPECT_EQ(QueueValues(event).size(), 32u);
}

}  // namespace
}  // namespace pos::test
