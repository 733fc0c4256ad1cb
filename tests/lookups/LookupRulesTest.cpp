// The rules behind the look-ups that need no server: elapsed time of a golf
// round and adult or child by resident number.

#include "core/TerminalContext.h"
#include "lookups/Lookups.h"

#include <gtest/gtest.h>

namespace pos {
namespace {

TEST(LookupRulesTest, PassTimeCountsHoursAndTwoDigitMinutes)
{
    struct Case {
        const char* start;
        const char* now;
        const char* expected;
    };
    const Case cases[] = {
        {"09:05", "111000", "2시간 05분"},
        {"09:05", "0905", "0시간 00분"},
        {"07:40", "164559", "9시간 05분"},
        // A round that began before midnight.
        {"23:50", "001000", "0시간 20분"},
        // Not "hh:nn" of a real time of day.
        {"9:05", "111000", ""},
        {"09-05", "111000", ""},
        {"24:00", "111000", ""},
        {"09:60", "111000", ""},
        {"ab:cd", "111000", ""},
        {"", "111000", ""},
        {"09:05", "", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(GetPassTime(c.start, c.now), c.expected) << c.start << " at " << c.now;
}

TEST(LookupRulesTest, ChildUpToAndIncludingTheThirteenthBirthday)
{
    TTerminalContext ctx;
    struct Case {
        const char* idNo;
        const char* saleDate;
        const std::string& expected;
    };
    const Case cases[] = {
        {"1101054000000", "20240105", ctx.gsDaesoCodeChild},   // 13th birthday today (2000s digit 4)
        {"1101043000000", "20240105", ctx.gsDaesoCodeAdult},   // a day older
        {"8506152000000", "20240105", ctx.gsDaesoCodeAdult},   // 1900s
        {"8506156000000", "20240105", ctx.gsDaesoCodeAdult},   // foreign resident born in the 1900s
        {"1203037000000", "20240105", ctx.gsDaesoCodeChild},   // foreign resident born in the 2000s
        {"850615200000", "20240105", ctx.gsDaesoCodeAll},      // 12 bytes
        {"", "20240105", ctx.gsDaesoCodeAll},
    };
    for (const Case& c : cases) EXPECT_EQ(DaesoCodeOf(ctx, c.idNo, c.saleDate), c.expected) << c.idNo;
}

}  // namespace
}  // namespace pos
