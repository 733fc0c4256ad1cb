#include "core/DateHelpers.h"

#include <gtest/gtest.h>

namespace pos {
namespace {

TEST(DateHelpersTest, DateToString)
{
    EXPECT_EQ(DateToString("20240230", '-', true), "");
    EXPECT_EQ(DateToString("20240230", '-', false), "20240230");
    EXPECT_EQ(DateToString("2024023", '-', false), "2024023");
    EXPECT_EQ(DateToString("20240105", '.', false), "2024.01.05");
    EXPECT_EQ(DateToString("20240229", '-', true), "2024-02-29");
    EXPECT_EQ(DateToString("20230229", '-', true), "");
    EXPECT_EQ(DateToString("2024O105", '-', true), "");
}

TEST(DateHelpersTest, AddDaysCrossesMonthsAndYears)
{
    EXPECT_EQ(AddDays("20241231", 1), "20250101");
    EXPECT_EQ(AddDays("20240301", -1), "20240229");
    EXPECT_EQ(AddDays("20241301", 1), std::nullopt);
    EXPECT_EQ(GetSysDate(1), AddDays(GetSysDate(0), 1));
    EXPECT_EQ(GetSysTimeStamp().size(), 14u);
}

TEST(DateHelpersTest, ServerClockOffsetMovesEveryReading)
{
    const std::string tomorrow = *AddDays(GetSysDate(), 1);
    const auto offset = ClockOffsetTo(tomorrow + "120000");
    ASSERT_TRUE(offset.has_value());
    SetClockOffset(*offset);
    EXPECT_EQ(GetSysDate(), tomorrow);
    EXPECT_EQ(GetSysTimeStamp().substr(0, 10), tomorrow + "12");
    SetClockOffset(0);
    EXPECT_EQ(ClockOffsetTo("2024013112300"), std::nullopt);  // 13 digits
    EXPECT_EQ(ClockOffsetTo("20240131126000"), std::nullopt);  // 60 minutes
}

}  // namespace
}  // namespace pos
