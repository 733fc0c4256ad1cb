#include "SaleFixture.h"

namespace pos::test {
namespace {

using Entry = SaleFixture;

TEST_F(Entry, NewLineTakesTheGoodsRecord)
{
    EXPECT_EQ(enter("1002", 2), TAddResult::Added);
    ASSERT_EQ(count(), 1);
    const TSaleList& l = line(0);
    EXPECT_EQ(l.MenuName, "비빔밥");
    EXPECT_EQ(l.SaleCount, Currency(2));
    EXPECT_EQ(l.SaleUnitAmt, Currency(11000));
    EXPECT_EQ(l.SaleAmt, Currency(22000));
    EXPECT_EQ(l.UpjangCode, "3101");
    EXPECT_EQ(l.PosNo, "01");
    EXPECT_EQ(l.Order, 1);
    EXPECT_TRUE(l.TaxYN);
    EXPECT_EQ(bill.Totals().due, Currency(22000));
    EXPECT_EQ(bill.entry.menuCode, "");          // the entry is reset
    EXPECT_EQ(bill.entry.saleCount, Currency(1));
    EXPECT_FALSE(bill.entry.modifyMode);
    ASSERT_GE(hooks.display.size(), 2u);
    EXPECT_EQ(hooks.display[0].first, "Price:        11,000");
    EXPECT_EQ(hooks.display.back().second, "Total:        22,000");
}

TEST_F(Entry, UnknownCodeAddsNothingAndKeepsTheCode)
{
    EXPECT_EQ(enter("9999"), TAddResult::UnknownCode);
    EXPECT_EQ(count(), 0);
    EXPECT_EQ(bill.entry.menuCode, "9999");
}

TEST_F(Entry, CodeOfAnotherOutletIsSoldForThatOutlet)
{
    enter("2001");
    ASSERT_EQ(count(), 1);
    EXPECT_EQ(line(0).UpjangCode, "3102");
    EXPECT_EQ(line(0).PosNo, "02");
}

TEST_F(Entry, SameCodeMergesAndMovesToTheEnd)
{
    enter("1001");
    enter("1002");
    EXPECT_EQ(enter("1001"), TAddResult::Merged);
    ASSERT_EQ(count(), 2);
    EXPECT_EQ(line(0).MenuCode, "1002");
    EXPECT_EQ(line(1).MenuCode, "1001");
    EXPECT_EQ(line(1).SaleCount, Currency(2));
    EXPECT_EQ(line(1).Order, 3);
    EXPECT_EQ(bill.Totals().due, Currency(29000));
}

TEST_F(Entry, ReturnBillMergesNegativeQuantities)
{
    startReturnBill();
    enter("1001");
    enter("1001");
    ASSERT_EQ(count(), 1);
    EXPECT_EQ(line(0).SaleCount, Currency(-2));
    EXPECT_EQ(line(0).SaleAmt, Currency(-18000));
    EXPECT_EQ(line(0).SaleGubun, 2);
}

TEST_F(Entry, LinesThatMustStaySeparate)
{
    // A different open price makes a new line; the same one merges.
    enter("1001", 1, Currency(5000));
    enter("1001", 1, Currency(6000));
    enter("1001", 1, Currency(5000));
    ASSERT_EQ(count(), 2);
    EXPECT_EQ(line(1).SaleUnitAmt, Currency(5000));
    EXPECT_EQ(line(1).SaleCount, Currency(2));

    // A line carrying a member discount is never merged with a fresh entry.
    bill.ClearBill();
    enter("1002");
    bill.Lines().Line(0).AcceptMemberNo = "M1";
    enter("1002");
    EXPECT_EQ(count(), 2);

    // A caddy entry and a normal entry of the same code make two lines.
    bill.ClearBill();
    bill.screen.commands[TSaleCommand::GuestCount].enabled = true;
    bill.screen.commands.guestCountMode = TGuestCountMode::Caddy;
    context.giKoreanCount = 1;  // no guest-count question
    enter("1002");
    bill.screen.commands[TSaleCommand::GuestCount].down = true;
    enter("1002");
    ASSERT_EQ(count(), 2);
    EXPECT_FALSE(line(0).CaddyYN);
    EXPECT_TRUE(line(1).CaddyYN);
    EXPECT_EQ(bill.Lines().CellText(1, SaleCol::MenuName), "(C)비빔밥");
}

TEST_F(Entry, ScaleBarCodeSellsAtTheCarriedPrice)
{
    addGoods("3101", "2112345000008", "한우 등심", "0");
    bill.entry.menuCode = "2112345000008";
    bill.entry.scalePrice = Currency(1230);
    bill.AddSaleList(0, std::nullopt);
    ASSERT_EQ(count(), 1);
    EXPECT_EQ(line(0).SaleUnitAmt, Currency(1230));
}

TEST_F(Entry, GuestCountIsAskedBeforeTheFirstItem)
{
    bill.screen.commands[TSaleCommand::GuestCount].enabled = true;
    bill.screen.commands.guestCountMode = TGuestCountMode::GuestCount;
    hooks.guestCounts.push_back({2, 1});
    enter("1001");
    enter("1002");
    EXPECT_EQ(hooks.guestCountAsked, 1);
    EXPECT_EQ(context.giKoreanCount, 2);
    EXPECT_EQ(context.giForeignCount, 1);
}

TEST_F(Entry, TooLargeABillIsReportedAndKept)
{
    enter("1001", 300000);  // 2,700,000,000 won
    ASSERT_NE(dialogs.last(), nullptr);
    EXPECT_EQ(dialogs.last()->text, kSaleAmountTooLarge);
    EXPECT_TRUE(dialogs.last()->beep);
    EXPECT_EQ(count(), 1);
}

using ModifyMode = SaleFixture;

TEST_F(ModifyMode, SameQuantityChangesNothingAndNewQuantityReplaces)
{
    enter("1001", 3);
    enter("1002");
    EXPECT_EQ(recount(0, 3), TAddResult::Unchanged);
    EXPECT_EQ(line(0).SaleCount, Currency(3));
    EXPECT_EQ(recount(0, 5), TAddResult::Merged);
    ASSERT_EQ(count(), 2);
    EXPECT_EQ(line(1).MenuCode, "1001");
    EXPECT_EQ(line(1).SaleCount, Currency(5));
    EXPECT_EQ(line(1).SaleAmt, Currency(45000));
}

TEST_F(ModifyMode, LineOfAnotherOutletIsRecountedNotAppended)
{
    enter("2001", 2);  // sold for outlet 3102
    EXPECT_EQ(recount(0, 4), TAddResult::Merged);
    ASSERT_EQ(count(), 1);
    EXPECT_EQ(line(0).SaleCount, Currency(4));
    EXPECT_EQ(line(0).UpjangCode, "3102");
}

struct ModifySaveCase {
    const char* name;
    int sign;
    int before, after;
    int correction;  // the first correction line; the second is its negative
};

void PrintTo(const ModifySaveCase& c, std::ostream* os) { *os << c.name; }

class ModifySave : public SaleFixture, public ::testing::WithParamInterface<ModifySaveCase> {};

TEST_P(ModifySave, ReducesTheLineAndRecordsTheDifference)
{
    const ModifySaveCase& c = GetParam();
    store.SetUpjangData(0, 13, "Y");
    if (c.sign < 0) startReturnBill();
    enter("1001", c.before);
    const Currency dueBefore = bill.Totals().due;
    EXPECT_EQ(recount(0, c.after), TAddResult::Corrected);
    ASSERT_EQ(count(), 3);
    EXPECT_EQ(line(0).SaleCount, Currency(c.after * c.sign));
    EXPECT_FALSE(line(0).ModifyYN);
    EXPECT_EQ(line(1).SaleCount, Currency(c.correction));
    EXPECT_EQ(line(2).SaleCount, Currency(-c.correction));
    for (int row : {1, 2}) {
        EXPECT_TRUE(line(row).ModifyYN);
        EXPECT_EQ(line(row).Order, 2);
        EXPECT_EQ(line(row).SaleAmt, line(row).SaleCount * Currency(9000));
    }
    EXPECT_EQ(bill.Totals().due, dueBefore - Currency((c.before - c.after) * c.sign * 9000));
}

INSTANTIATE_TEST_SUITE_P(Cases, ModifySave, ::testing::Values(
    ModifySaveCase{"Sale", 1, 3, 1, -2},
    // A return line of -3 changed to 1 becomes -1: the refund shrinks.
    ModifySaveCase{"Return", -1, 3, 1, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ModifyMode, ClosedAndFinishedLinesAreNotModified)
{
    enter("1001");
    enter("1002");
    bill.EndSale();
    EXPECT_EQ(bill.screen.menuNameText, kEndOfSaleText);
    EXPECT_TRUE(line(0).ModifyYN && line(1).ModifyYN);
    bill.Lines().TouchRow(0);
    EXPECT_FALSE(bill.entry.modifyMode);
    bill.StartSale();  // the next command clears the finished bill
    EXPECT_EQ(count(), 0);
    EXPECT_FALSE(bill.IsFinished());
}

TEST_F(ModifyMode, SkiLinesWithAGuestTypeAreLockedOutsideEventMode)
{
    context.gbSki = true;
    enter("1001");
    bill.Lines().Line(0).GuestType = "100";
    bill.Lines().TouchRow(0);
    EXPECT_FALSE(bill.entry.modifyMode);
    bill.Lines().Line(0).GuestType = context.gsGuestTypeSkiPackage;
    bill.Lines().TouchRow(0);
    EXPECT_TRUE(bill.entry.modifyMode);
}

using Delete = SaleFixture;

TEST_F(Delete, DeletingTheLastLineClearsTheBillContext)
{
    startReturnBill();
    context.giKoreanCount = 2;
    context.gbEventMode = true;
    context.gsLockerNo = "L12";
    enter("1001");
    bill.DeleteCurrentLine();
    EXPECT_EQ(count(), 0);
    EXPECT_EQ(context.giSign, 1);
    EXPECT_EQ(context.giSaleGubun, 0);
    EXPECT_EQ(context.giKoreanCount, 0);
    EXPECT_FALSE(context.gbEventMode);
    EXPECT_EQ(context.gsLockerNo, "");
}

TEST_F(Delete, StoredTableLinesAreRememberedWithoutAmounts)
{
    enter("1001", 2);
    enter("1002");
    bill.Lines().Line(0).OldSaleCount = 2;
    bill.Lines().Line(0).DCAmt = Currency(-900);
    bill.Lines().TouchRow(0);
    bill.DeleteCurrentLine();
    ASSERT_EQ(bill.table.llDeleteList.size(), 1u);
    const TSaleList& kept = bill.table.llDeleteList[0];
    EXPECT_EQ(kept.MenuCode, "1001");
    EXPECT_EQ(kept.OldSaleCount, 2);
    EXPECT_EQ(kept.SaleCount, Currency(0));
    EXPECT_EQ(kept.DCAmt, Currency(0));
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(bill.Totals().due, Currency(11000));
}

TEST_F(Delete, NothingSelectedIsANoOp)
{
    bill.DeleteCurrentLine();
    EXPECT_EQ(count(), 0);
}

// Hotel restaurants hold prices net of service charge and VAT.
struct HotelCase {
    const char* name;
    bool noSvc, noVat;
    const char* taxCode;
    int due;
};

void PrintTo(const HotelCase& c, std::ostream* os) { *os << c.name; }

class HotelTotals : public SaleFixture, public ::testing::WithParamInterface<HotelCase> {};

TEST_P(HotelTotals, GrossFromNet)
{
    const HotelCase& c = GetParam();
    context.gbVessa = true;
    addGoods("3101", "7001", "스테이크", "10000", c.taxCode);
    bill.screen.commands.ipgumMode = TIpgumMode::NoSvcNoVat;
    bill.screen.commands[TSaleCommand::IpgumOpen].down = c.noSvc;
    bill.screen.commands[TSaleCommand::IpgumClose].down = c.noVat;
    enter("7001");
    EXPECT_EQ(bill.Totals().due, Currency(c.due));
}

INSTANTIATE_TEST_SUITE_P(Cases, HotelTotals, ::testing::Values(
    HotelCase{"Taxable", false, false, "1", 11000},
    HotelCase{"ServiceCharge", false, false, "4", 12100},
    HotelCase{"ServiceChargeNoVat", false, true, "4", 11000},
    HotelCase{"TaxableNoVat", false, true, "1", 10000},
    HotelCase{"ServiceChargeNoSvc", true, false, "4", 11000},
    HotelCase{"TaxableNoSvc", true, false, "1", 11000},
    HotelCase{"BothDown", true, true, "4", 10000},
    HotelCase{"DutyFree", false, false, "2", 10000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SaleFixture, HotelCorrectionAmountIsAddedPerUnit)
{
    context.gbVessa = true;
    addGoods("3101", "7002", "와인", "9091", "1");  // 9091 net -> 10000.1 gross -> 10000
    bill.entry.menuCode = "7002";
    bill.entry.saleCount = Currency(3);
    bill.AddSaleList(0, std::nullopt);
    EXPECT_EQ(bill.Totals().due, Currency(30000));
    bill.Lines().Line(0).CorrectAmt = 1;  // the open-price screen's rounding correction
    bill.CalcSaleList(true);
    EXPECT_EQ(bill.Totals().due, Currency(30003));
    EXPECT_EQ(bill.CalcSaleAmt("1", Currency(9091)), Currency(10000));
    context.gbVessa = false;
    EXPECT_EQ(bill.CalcSaleAmt("4", Currency(9091)), Currency(9091));
}

TEST_F(SaleFixture, TenderedAmountAndChange)
{
    enter("1001");
    enter("1002");
    bill.TenderedEntered();
    EXPECT_EQ(bill.Totals().tendered, Currency(20000));
    EXPECT_EQ(bill.Totals().change, Currency(0));
    bill.SetTendered(Currency(50000));
    EXPECT_EQ(bill.Totals().change, Currency(30000));

    bill.ClearBill();
    startReturnBill();
    enter("1001");
    bill.TenderedEntered();  // pre-filled without sign
    EXPECT_EQ(bill.Totals().tendered, Currency(9000));
    EXPECT_EQ(bill.Totals().change, Currency(0));
}

TEST_F(SaleFixture, ClearBillResetsScreenStateAndReadsTheNextBillNumber)
{
    store.SetUpjangData(0, 8, "Y");  // one ticket per group at this outlet
    enter("1001");
    bill.screen.daesoDown = true;
    bill.screen.commands[TSaleCommand::DC].down = true;
    bill.glKeyInData.push_back("M1");
    const int reads = hooks.billNumberReads;
    bill.ClearBill();
    EXPECT_EQ(count(), 0);
    EXPECT_FALSE(bill.screen.daesoDown);
    EXPECT_FALSE(bill.screen.commands[TSaleCommand::DC].down);
    EXPECT_TRUE(bill.screen.commands.GroupTicketDown());
    EXPECT_EQ(bill.screen.commands.Caption(TSaleCommand::GroupPrint, false), "통합발권");
    EXPECT_TRUE(bill.glKeyInData.empty());
    EXPECT_EQ(hooks.billNumberReads, reads + 1);
    EXPECT_EQ(bill.Totals().due, Currency(0));

    bill.screen.commands.groupPrintMode = TGroupPrintMode::UnitPrice;  // the unit-price toggle is left alone
    bill.screen.commands[TSaleCommand::GroupPrint].down = true;
    bill.ClearBill();
    EXPECT_TRUE(bill.screen.commands.UnitPriceDown());
}

TEST_F(SaleFixture, DiscountEngineRunsExceptAtSkiOutlets)
{
    enter("1001");
    const int runs = hooks.discountRuns;
    EXPECT_GT(runs, 0);
    context.gbSki = true;
    enter("1002");
    EXPECT_EQ(hooks.discountRuns, runs);
}

}  // namespace
}  // namespace pos::test
