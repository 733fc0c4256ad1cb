// Hand-computed bills: the lines as they stand after the engine has handed
// out the accepted discounts and merged the units back.

#include "DiscountFixture.h"

#include <functional>

namespace pos::test {
namespace {

struct BillCase {
    const char* name;
    std::function<void(DiscountFixture&)> setUp;
    std::vector<Row> expected;
};

void PrintTo(const BillCase& aCase, std::ostream* os) { *os << aCase.name; }

class DiscountBillTest : public ::testing::TestWithParam<BillCase>, public DiscountFixture {};

TEST_P(DiscountBillTest, LinesAfterRecreateSaleList)
{
    GetParam().setUp(*this);
    recompute();
    EXPECT_EQ(rows(), GetParam().expected);
    // Running again on its own result changes nothing.
    recompute();
    EXPECT_EQ(rows(), GetParam().expected);
}

const BillCase kBills[] = {
    {"RateDiscount",
     [](DiscountFixture& f) {
         f.addLine("A1", 2, 9000);
         f.addMember("M1", 20);
     },
     {{"A1", 2, 20, 14400, 3600, "M1"}}},
    {"FifteenPercentShowsTwentyAndThreePercentNothing",
     [](DiscountFixture& f) {
         f.addLine("A1", 1, 9000);
         f.addLine("B1", 1, 8000, LineOptions().upjang("3102"));
         f.addMember("M1", 15);
         f.addMember("M2", 3, -1, -1, -1, "3102");
     },
     {{"A1", 1, 20, 7650, 1350, "M1"}, {"B1", 1, 0, 8000, 0, ""}}},
    {"FixedMenuPrice",
     [](DiscountFixture& f) {
         f.addLine("B1", 1, 11000);
         f.addMenu("M2", "B1", 8000, -1, 5);
     },
     {{"B1", 1, 30, 8000, 3000, "M2"}}},
    {"FixedMemberPrice",
     [](DiscountFixture& f) {
         f.addLine("A1", 1, 7000);
         f.addMember("M1", -5000);
     },
     {{"A1", 1, 30, 5000, 2000, "M1"}}},
    {"OnceOnlyLimitAcrossThreeUnits",
     [](DiscountFixture& f) {
         f.addLine("A1", 3, 9000);
         f.addMember("M1", 50, 2, 5);
     },
     {{"A1", 2, 50, 9000, 9000, "M1"}, {"A1", 1, 0, 9000, 0, ""}}},
    {"DailyLimitAcrossThreeUnits",
     [](DiscountFixture& f) {
         f.addLine("A1", 3, 9000);
         f.addMember("M1", 20, -1, 2);
     },
     {{"A1", 2, 20, 14400, 3600, "M1"}, {"A1", 1, 0, 9000, 0, ""}}},
    {"YearlyLimitAcrossThreeUnits",
     [](DiscountFixture& f) {
         f.addLine("A1", 3, 9000);
         f.addMember("M1", 20, -1, 5, 1);
     },
     {{"A1", 1, 20, 7200, 1800, "M1"}, {"A1", 2, 0, 18000, 0, ""}}},
    {"TwoMembersCompeteForTheSameUnits",
     [](DiscountFixture& f) {
         f.addLine("A1", 3, 9000);
         f.addMember("Y", 20);
         f.addMember("X", 30, -1, 2);
     },
     {{"A1", 2, 30, 12600, 5400, "X"}, {"A1", 1, 20, 7200, 1800, "Y"}}},
    {"LimitedDiscountGoesToTheDearestUnit",
     [](DiscountFixture& f) {
         f.addLine("A1", 1, 9000);
         f.addLine("B1", 1, 11000);
         f.addMember("X", 50, -1, 1);
     },
     {{"A1", 1, 0, 9000, 0, ""}, {"B1", 1, 50, 5500, 5500, "X"}}},
    {"MembersOfAnotherOutletDoNotApply",
     [](DiscountFixture& f) {
         f.addLine("A1", 1, 9000);
         f.addLine("C1", 1, 7000, LineOptions().upjang("3102"));
         f.addMember("X", 20, -1, -1, -1, "3102");
     },
     {{"A1", 1, 0, 9000, 0, ""}, {"C1", 1, 20, 5600, 1400, "X"}}},
    {"ReturnBill",
     [](DiscountFixture& f) {
         f.startReturnBill();
         f.addLine("A1", -2, 9000);
         f.addMember("M1", 20);
     },
     {{"A1", -2, 20, -14400, -3600, "M1"}}},
    {"RoundingHalfUpToTen",
     [](DiscountFixture& f) {
         f.addLine("A1", 1, 7777, LineOptions().dcCalcuCode("110"));
         f.addMember("M1", 15);
     },
     {{"A1", 1, 20, 6607, 1170, "M1"}}},
    {"RoundingUpToHundred",
     [](DiscountFixture& f) {
         f.addLine("A1", 1, 7777, LineOptions().dcCalcuCode("2100"));
         f.addMember("M1", 15);
     },
     {{"A1", 1, 20, 6577, 1200, "M1"}}},
    {"RoundingDownToHundred",
     [](DiscountFixture& f) {
         f.addLine("A1", 1, 7777, LineOptions().dcCalcuCode("3100"));
         f.addMember("M1", 15);
     },
     {{"A1", 1, 10, 6677, 1100, "M1"}}},
    {"FreeBeverageOnlyOnBeverages",
     [](DiscountFixture& f) {
         f.addLine("A1", 1, 9000);
         f.addLine("D1", 1, 5000, LineOptions().menuGubun("33"));
         f.addMember("B", 100).Remark = dcBeverage;
         f.addMember("Y", 10);
     },
     {{"A1", 1, 10, 8100, 900, "Y"}, {"D1", 1, 100, 0, 5000, "B"}}},
    {"ChildRateOnlyOnChildGoods",
     [](DiscountFixture& f) {
         f.addLine("A1", 1, 9000, LineOptions().daeso("1"));
         f.addLine("A2", 1, 6000, LineOptions().daeso("2"));
         f.addMember("K", 50).DaesoGubun = "2";
     },
     {{"A1", 1, 0, 9000, 0, ""}, {"A2", 1, 50, 3000, 3000, "K"}}},
    {"MenuPriceComesBeforeAMemberRate",
     [](DiscountFixture& f) {
         f.addLine("A1", 2, 9000);
         f.addMenu("M2", "A1", 8000, -1, 1);
         f.addMember("M1", 50);
     },
     {{"A1", 1, 10, 8000, 1000, "M2"}, {"A1", 1, 50, 4500, 4500, "M1"}}},
    {"MenuPriceAtTheListPriceLeavesTheMemberRate",
     [](DiscountFixture& f) {
         f.addLine("A1", 1, 9000);
         f.addMenu("M2", "A1", 9000);
         f.addMember("M1", 20);
     },
     {{"A1", 1, 20, 7200, 1800, "M1"}}},
    {"NotDiscountableAndClosedLinesStayAtFullPrice",
     [](DiscountFixture& f) {
         f.addLine("A1", 1, 9000, LineOptions().notDiscountable());
         f.addLine("B1", 1, 8000, LineOptions().closed());
         f.addMember("M1", 20);
     },
     {{"A1", 1, 0, 9000, 0, ""}, {"B1", 1, 0, 8000, 0, ""}}},
    {"TableLineReducedWithoutDiscount",
     [](DiscountFixture& f) { f.addLine("A1", 1, 9000, LineOptions().oldSaleCount(3)); },
     {{"A1", 1, 0, 9000, 0, "", 3}}},
    {"TableLineReducedWithDiscount",
     [](DiscountFixture& f) {
         f.addLine("A1", 1, 9000, LineOptions().oldSaleCount(3));
         f.addMember("M1", 20);
     },
     {{"A1", 1, 20, 7200, 1800, "M1", 1}, {"A1", 0, 0, 0, 0, "", 2}}},
    {"EventCarriesTheMemberWithoutDiscount",
     [](DiscountFixture& f) {
         f.context.gbEventMode = true;
         f.addLine("A1", 2, 9000);
         f.addLine("C1", 1, 7000, LineOptions().notDiscountable());
         f.addMember("4100000123", 0);
     },
     {{"A1", 2, 0, 18000, 0, "4100000123"}, {"C1", 1, 0, 7000, 0, "4100000123"}}},
    {"NoAcceptedDiscounts",
     [](DiscountFixture& f) {
         f.addLine("A1", 2, 9000);
         f.addLine("A1", 1, 9000, LineOptions().upjang("3102"));
     },
     {{"A1", 2, 0, 18000, 0, ""}, {"A1", 1, 0, 9000, 0, ""}}},
};

INSTANTIATE_TEST_SUITE_P(Bills, DiscountBillTest, ::testing::ValuesIn(kBills),
                         [](const ::testing::TestParamInfo<BillCase>& info) { return info.param.name; });

class DiscountEngineTest : public ::testing::Test, public DiscountFixture {};

TEST_F(DiscountEngineTest, ExecDCSaysWhetherAnythingWasDiscounted)
{
    addLine("A1", 1, 9000);
    EXPECT_FALSE(recompute());
    addMember("M1", 20);
    EXPECT_TRUE(recompute());
    context.gbEventMode = true;  // an event with no member to carry
    store.glDCMemberData.clear();
    EXPECT_FALSE(recompute());
}

TEST_F(DiscountEngineTest, TheListsAreNeverChangedAndEveryRunStartsFromTheirCounts)
{
    addLine("A1", 3, 9000);
    addMember("M1", 20, -1, 2);
    addMenu("M2", "B1", 5000, -1, 1);
    recompute();
    recompute();
    EXPECT_EQ(store.glDCMemberData[0].DailyUseCount, 2);
    EXPECT_EQ(store.glDCMenuData[0].DailyUseCount, 1);
    EXPECT_EQ(rows(), (std::vector<Row>{{"A1", 2, 20, 14400, 3600, "M1"}, {"A1", 1, 0, 9000, 0, ""}}));
}

TEST_F(DiscountEngineTest, RebuiltLinesCarryTheMemberAndKeepTheirGoodsFields)
{
    TSaleList& entered = addLine("A1", 1, 9000, LineOptions().dcCalcuCode("110"));
    entered.CorrectAmt = 150;
    entered.KitchenPrtYN = true;
    TDCMemberData& m = addMember("M1", 20);
    m.MemberCode = "13";
    m.MemberAddNo = "77";
    m.Remark = "[조식무료]x";
    m.KeyInYN = true;
    recompute();
    ASSERT_EQ(lines.GetCount(), 1);
    const TSaleList& l = lines.Line(0);
    EXPECT_EQ(l.MemberCode, "13");
    EXPECT_EQ(l.MemberAddNo, "77");
    EXPECT_EQ(l.MemberName, "회원 M1");
    EXPECT_EQ(l.GuestType, "010");
    EXPECT_EQ(l.MemberCodeName, "우대");
    EXPECT_EQ(l.DCRemarks, "[조식무료]x");
    EXPECT_TRUE(l.KeyInYN);
    EXPECT_EQ(l.CorrectAmt, 150);
    EXPECT_TRUE(l.KitchenPrtYN);
    EXPECT_EQ(l.DCCalcuCode, "110");
    EXPECT_EQ(lines.CurrentRow(), 0);
    EXPECT_EQ(lines.Sum1(), Currency(7200));
    EXPECT_EQ(lines.Sum2(), Currency(1800));
}

TEST_F(DiscountEngineTest, RecreateWithoutExecDCRecomputesInsteadOfEmptyingTheBill)
{
    addLine("A1", 2, 9000);
    addMember("M1", 20);
    engine.RecreateSaleList(lines);
    EXPECT_EQ(rows(), (std::vector<Row>{{"A1", 2, 20, 14400, 3600, "M1"}}));
    addLine("B1", 1, 5000);  // the bill changed after the last ExecDC
    engine.RecreateSaleList(lines);
    EXPECT_EQ(lines.GetCount(), 2);
}

TEST_F(DiscountEngineTest, ALongLineIsDiscountedWithoutAUnitPerRecord)
{
    addLine("A1", 100000, 1000);
    addMember("M1", 10, -1, 3);
    recompute();
    EXPECT_EQ(rows(), (std::vector<Row>{{"A1", 3, 10, 2700, 300, "M1"}, {"A1", 99997, 0, 99997000, 0, ""}}));
}

}  // namespace
}  // namespace pos::test
