// Regression tests of faults found in the discount rules, one per fault.

#include "DiscountFixture.h"

#include "discounts/DiscountRows.h"
#include "discounts/DiscountRules.h"

namespace pos::test {
namespace {

class DiscountFaultTest : public ::testing::Test, public DiscountFixture {};

// On a return bill the discount took the bill's sign twice, so the refund
// was the price plus the discount.
TEST_F(DiscountFaultTest, ReturnBillRefundsWhatTheSaleCharged)
{
    addLine("A1", 1, 9000);
    addMember("M1", 20);
    recompute();
    const Currency charged = due();
    ASSERT_EQ(charged, Currency(7200));

    lines.ClearList(false);
    startReturnBill();
    addLine("A1", -1, 9000);
    recompute();
    EXPECT_EQ(due(), -charged);
    EXPECT_EQ(discount(), Currency(-1800));
    EXPECT_EQ(due() + discount(), Currency(-9000));  // the bill's total: the list price refunded
}

// The rate on the member list took the bill's sign when it was read, and the
// engine signed the discount again: on a return a 20 % rate became a fixed
// price of 20 won, and a fixed price a rate of thousands of percent.
TEST_F(DiscountFaultTest, RatesAreNeverSignedByTheBill)
{
    startReturnBill();
    std::vector<std::string> row(16);
    row[0] = "3101", row[1] = "M1", row[10] = "20", row[12] = "-1", row[13] = "-1";
    EXPECT_EQ(MapReadDCMemberRow(row, context).DCRate, 20);
    row[10] = "-5000";
    EXPECT_EQ(MapReadDCMemberRow(row, context).DCRate, -5000);

    addCommon(context.gsCommonMasterKey, "90000001", "마스터", "13");
    const std::vector<TDCMemberData> master = MasterNumberDiscounts(context, store, "9000000115", 2, false);
    ASSERT_EQ(master.size(), 2u);
    EXPECT_EQ(master[0].DCRate, 15);

    store.glDCMemberData = master;
    addLine("A1", -1, 9000);
    addLine("B1", -1, 7000, LineOptions().upjang("3102"));
    recompute();
    EXPECT_EQ(rows(), (std::vector<Row>{{"A1", -1, 20, -7650, -1350, "9000000100"},
                                        {"B1", -1, 20, -5950, -1050, "9000000100"}}));
}

// A fixed price above the list price, a menu price above it, or a discount
// rounded up past the price made the unit dearer (or negative).
TEST_F(DiscountFaultTest, AFixedPriceAboveTheListPriceChangesNothing)
{
    addLine("A1", 1, 7000);
    addMember("M1", -9000);
    recompute();
    EXPECT_EQ(rows(), (std::vector<Row>{{"A1", 1, 0, 7000, 0, ""}}));
}

TEST_F(DiscountFaultTest, AMenuPriceAboveTheListPriceChangesNothing)
{
    addLine("A1", 1, 7000);
    addMenu("M2", "A1", 8000);
    recompute();
    EXPECT_EQ(rows(), (std::vector<Row>{{"A1", 1, 0, 7000, 0, ""}}));
}

TEST_F(DiscountFaultTest, ADiscountRoundedUpStopsAtThePrice)
{
    addLine("A1", 1, 8000, LineOptions().dcCalcuCode("25000"));  // 95 % = 7,600, up to the 5,000s = 10,000
    addMember("M1", 95);
    recompute();
    EXPECT_EQ(rows(), (std::vector<Row>{{"A1", 1, 100, 0, 8000, "M1"}}));
}

// The percentage was computed against the unit price, and a rounding code
// without a table entry rounded to a unit of 0: both divided by zero.
TEST_F(DiscountFaultTest, AZeroPriceTakesNoDiscount)
{
    addLine("A1", 2, 0);
    addLine("B1", 1, 0);
    addMenu("M2", "A1", 500);
    addMember("M1", 20);
    recompute();
    EXPECT_EQ(rows(), (std::vector<Row>{{"A1", 2, 0, 0, 0, ""}, {"B1", 1, 0, 0, 0, ""}}));
    EXPECT_EQ(DiscountPercent(Currency(100), Currency()), 0);
}

TEST_F(DiscountFaultTest, ARoundingCodeWithoutTableEntryRoundsToTheWon)
{
    addLine("A1", 1, 7777, LineOptions().dcCalcuCode("1X"));
    addLine("B1", 1, 7777, LineOptions().dcCalcuCode("2X"));
    addMember("M1", 15);
    recompute();
    EXPECT_EQ(rows(), (std::vector<Row>{{"A1", 1, 20, 6610, 1167, "M1"}, {"B1", 1, 20, 6610, 1167, "M1"}}));
}

// Units that tie on outlet, price and amount came in whatever order the sort
// left them, so which line got a limited discount depended on row order.
TEST_F(DiscountFaultTest, EqualUnitsTakeALimitedDiscountInEntryOrder)
{
    const auto billWith = [this](bool laterFirst) {
        lines.ClearList(false);
        TSaleList first, second;
        addLine("A1", 1, 9000);
        addLine("B1", 1, 9000);
        first = lines.Line(0);
        second = lines.Line(1);
        lines.ClearList(false);
        lines.AddDataList(laterFirst ? second : first);  // a recalled bill need not be in entry order
        lines.AddDataList(laterFirst ? first : second);
        recompute();
        const std::vector<Row> once = rows();
        recompute();
        EXPECT_EQ(rows(), once) << "a recompute moved the discount";
        return once;
    };
    addMember("M1", 20, -1, 1);
    const std::vector<Row> expected{{"A1", 1, 20, 7200, 1800, "M1"}, {"B1", 1, 0, 9000, 0, ""}};
    EXPECT_EQ(billWith(false), expected);
    EXPECT_EQ(billWith(true), expected);
}

TEST_F(DiscountFaultTest, EqualMembersAreChosenByNumberNotListOrder)
{
    addLine("A1", 1, 9000);
    addMember("M2", 20);
    addMember("M1", 20);
    recompute();
    EXPECT_EQ(rows(), (std::vector<Row>{{"A1", 1, 20, 7200, 1800, "M1"}}));
}

// A use quantity of 0 counted as 9999 uses: it allows none.
TEST_F(DiscountFaultTest, AUseQuantityOfZeroAllowsNone)
{
    EXPECT_EQ(AcceptedUseQuantity("0"), 0);
    EXPECT_EQ(AcceptedUseQuantity("3"), 3);
    EXPECT_EQ(AcceptedUseQuantity("12000"), 9999);
    EXPECT_EQ(AcceptedUseQuantity("-4"), 0);

    TDCMemberData& daily = addMember("M1", 20, -1, 7);
    ApplySchemeUseLimits(daily, -1, 0, std::nullopt);
    EXPECT_EQ(daily.DailyUseCount, 0);
    TDCMemberData& once = addMember("M2", 10, -1, 7);
    ApplySchemeUseLimits(once, 0, 5, 1);
    EXPECT_EQ(once.DailyUseCount, 0);

    addLine("A1", 1, 9000);
    recompute();
    EXPECT_EQ(rows(), (std::vector<Row>{{"A1", 1, 0, 9000, 0, ""}}));
}

// Candidates were ordered by their rate as text, so any fixed price ("-5000")
// came before any percentage: the guest got whichever came first.
TEST_F(DiscountFaultTest, TheDiscountWorthMoreToTheGuestWins)
{
    addLine("A1", 1, 7000);
    addMember("FIX", -5000);  // 2,000 off
    addMember("PCT", 50);     // 3,500 off
    addLine("B1", 1, 7000, LineOptions().upjang("3102"));
    addMember("FIX", -3000, -1, -1, -1, "3102");  // 4,000 off
    addMember("PCT", 50, -1, -1, -1, "3102");     // 3,500 off
    recompute();
    EXPECT_EQ(rows(), (std::vector<Row>{{"A1", 1, 50, 3500, 3500, "PCT"}, {"B1", 1, 60, 3000, 4000, "FIX"}}));
}

// The once-only count was never read: a member allowed one use a visit was
// discounted up to the daily count.
TEST_F(DiscountFaultTest, TheOnceOnlyCountLimitsTheBill)
{
    addLine("A1", 3, 9000);
    addMenu("M2", "B1", 5000, 1, 3);
    addLine("B1", 2, 6000);
    addMember("M1", 20, 1, 3);
    recompute();
    EXPECT_EQ(rows(), (std::vector<Row>{{"A1", 1, 20, 7200, 1800, "M1"},
                                        {"A1", 2, 0, 18000, 0, ""},
                                        {"B1", 1, 20, 5000, 1000, "M2"},
                                        {"B1", 1, 0, 6000, 0, ""}}));
}

// Off line a card's guest-type discount took its daily count from the
// once-only quantity of the rate table.
TEST_F(DiscountFaultTest, OffLineGuestTypeDiscountTakesTheDailyQuantity)
{
    for (const auto& [upjang, rate] : {std::pair{"3101", 20}, std::pair{"3102", 0}, std::pair{"9999", 30}}) {
        const int row = store.AddDCData();
        store.SetDCData(row, DCItem::GuestType, "010");
        store.SetDCData(row, DCItem::UpjangCode, upjang);
        store.SetDCData(row, DCItem::SeasonCode, "1");
        store.SetDCData(row, DCItem::BusinessGubun, "1");
        store.SetDCData(row, DCItem::DCRate, std::to_string(rate));
        store.SetDCData(row, DCItem::OnceUseQty, "1");
        store.SetDCData(row, DCItem::DailyUseQty, "5");
    }
    const std::vector<TDCMemberData> rowsOff =
        OffLineGuestTypeDiscounts(context, store, TOffLineCard{"1234567890", "", "010", false});
    ASSERT_EQ(rowsOff.size(), 1u);  // no rate at 3102, outlet 9999 not loaded
    EXPECT_EQ(rowsOff[0].MultiUpjangCode, "3101");
    EXPECT_EQ(rowsOff[0].MemberName, "Off Line");
    EXPECT_EQ(rowsOff[0].DCRate, 20);
    EXPECT_EQ(rowsOff[0].OnceUseCount, 1);
    EXPECT_EQ(rowsOff[0].DailyUseCount, 5);
    EXPECT_EQ(rowsOff[0].YearlyUseCount, -1);
}

// Found on the way: a row the server refused (DCYN false) was applied when
// the screen's count refresh gave it uses again.
TEST_F(DiscountFaultTest, ARefusedRowIsNeverApplied)
{
    addLine("A1", 1, 9000);
    addMember("M1", 20, -1, 3).DCYN = false;
    recompute();
    EXPECT_EQ(rows(), (std::vector<Row>{{"A1", 1, 0, 9000, 0, ""}}));
}

// Found on the way: the count refresh raised a yearly count below the daily
// one up to the daily one, so the last yearly use became a day's worth.
TEST_F(DiscountFaultTest, SchemeLimitsNeverRaiseTheYearlyCount)
{
    TDCMemberData& m = addMember("M1", 20, -1, -1, 1);
    ApplySchemeUseLimits(m, -1, 5, 2);
    EXPECT_EQ(m.DailyUseCount, 3);
    EXPECT_EQ(m.YearlyUseCount, 1);
    addLine("A1", 3, 9000);
    recompute();
    EXPECT_EQ(rows(), (std::vector<Row>{{"A1", 1, 20, 7200, 1800, "M1"}, {"A1", 2, 0, 18000, 0, ""}}));
}

}  // namespace
}  // namespace pos::test
