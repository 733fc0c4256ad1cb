// The member rows the discount screens build: master numbers, guest-type
// rows off line, and the use counts of a scheme.

#include "DiscountFixture.h"

#include "discounts/DiscountRows.h"

#include <optional>

namespace pos::test {
namespace {

class DiscountRowsTest : public ::testing::Test, public DiscountFixture {};

TEST_F(DiscountRowsTest, MasterNumberRate)
{
    EXPECT_EQ(MasterNumberRate("9000000115"), 15);
    EXPECT_EQ(MasterNumberRate("9000000100"), 100);
    EXPECT_EQ(MasterNumberRate("90000001"), 0);    // no rate digits
    EXPECT_EQ(MasterNumberRate("900000011A"), 0);  // not digits
}

TEST_F(DiscountRowsTest, MasterNumberGivesOneRowPerOutlet)
{
    const int code = store.AddCommonData();
    for (const auto& [item, value] : {std::pair{CommonItem::Head, context.gsCommonMasterKey},
                                      std::pair{CommonItem::Code, std::string("90000001")},
                                      std::pair{CommonItem::CodeName, std::string("마스터")},
                                      std::pair{CommonItem::Item1, std::string("13")},
                                      std::pair{CommonItem::Item2, std::string("010")}})
        store.SetCommonData(code, item, value);
    EXPECT_TRUE(MasterNumberDiscounts(context, store, "9100000115", 3, true).empty());  // unknown key

    const std::vector<TDCMemberData> rows = MasterNumberDiscounts(context, store, "9000000115", 3, true);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].MultiUpjangCode, "3101");
    EXPECT_EQ(rows[1].MultiUpjangCode, "3102");
    const TDCMemberData& r = rows[1];
    EXPECT_EQ(r.AcceptMemberNo, "9000000100");
    EXPECT_EQ(r.MemberNo, "9000000100");
    EXPECT_EQ(r.MemberName, "마스터");
    EXPECT_EQ(r.MemberCode, "13");
    EXPECT_EQ(r.GuestType, "010");
    EXPECT_EQ(r.Remark, "우대");
    EXPECT_EQ(r.DaesoGubun, context.gsDaesoCodeAll);
    EXPECT_EQ(r.DCRate, 15);
    EXPECT_EQ(r.OnceUseCount, -1);
    EXPECT_EQ(r.DailyUseCount, 3);
    EXPECT_EQ(r.YearlyUseCount, -1);
    EXPECT_TRUE(r.KeyInYN && r.DCYN && r.MasterMemberYN);
}

TEST_F(DiscountRowsTest, OffLineRatesFollowTheOutletsSeasonAndBusinessDay)
{
    store.glUpjangData[0].SeasonCodeYN = true;
    store.glUpjangData[1].BusinessGubunYN = true;
    const int day = store.AddCalendarData();
    store.SetCalendarData(day, CalendarItem::Date, "20261209");
    store.SetCalendarData(day, CalendarItem::SeasonCode, "2");
    store.SetCalendarData(day, CalendarItem::BusinessGubun, "3");
    struct RateRow {
        const char *upjang, *season, *business;
        int rate;
    };
    for (const RateRow& r : {RateRow{"3101", "1", "1", 10}, RateRow{"3101", "2", "9", 20},
                             RateRow{"3102", "2", "1", 30}, RateRow{"3102", "1", "3", 40}}) {
        TDCData d;
        d.GuestType = "010";
        d.UpjangCode = r.upjang;
        d.SeasonCode = r.season;
        d.BusinessGubun = r.business;
        d.DCRate = r.rate;
        store.glDCData.push_back(d);
    }
    const std::vector<TDCMemberData> rows =
        OffLineGuestTypeDiscounts(context, store, TOffLineCard{"1234567890", "55", "010", true});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].DCRate, 20);  // 3101 prices by season only
    EXPECT_EQ(rows[1].DCRate, 40);  // 3102 by business-day kind only
    EXPECT_EQ(rows[1].MemberAddNo, "55");
    EXPECT_TRUE(rows[1].KeyInYN);
    EXPECT_TRUE(OffLineGuestTypeDiscounts(context, store, TOffLineCard{"1234567890", "", "020", false}).empty());
}

struct SchemeCase {
    std::int64_t once, daily;
    std::optional<std::int64_t> used;
    std::int64_t expected;
};

void PrintTo(const SchemeCase& c, std::ostream* os)
{
    *os << "once " << c.once << " daily " << c.daily << " used " << (c.used ? std::to_string(*c.used) : "-");
}

class SchemeUseLimitsTest : public ::testing::TestWithParam<SchemeCase> {};

TEST_P(SchemeUseLimitsTest, DailyCount)
{
    TDCMemberData row;
    row.DailyUseCount = 77;
    row.YearlyUseCount = 2;
    ApplySchemeUseLimits(row, GetParam().once, GetParam().daily, GetParam().used);
    EXPECT_EQ(row.DailyUseCount, GetParam().expected);
    EXPECT_EQ(row.YearlyUseCount, 2);
}

INSTANTIATE_TEST_SUITE_P(Schemes, SchemeUseLimitsTest,
                         ::testing::Values(SchemeCase{-1, 5, 5, 0},              // used up today
                                           SchemeCase{-1, 5, 7, 0},              // never below 0
                                           SchemeCase{-1, -1, 3, -1},            // no daily limit
                                           SchemeCase{2, 5, std::nullopt, 2},    // once-only binds
                                           SchemeCase{2, 5, 4, 1},               // what is left today binds
                                           SchemeCase{3, -1, std::nullopt, 3},   // once-only alone
                                           SchemeCase{-1, 0, std::nullopt, 0}));  // 0 allows none

}  // namespace
}  // namespace pos::test
