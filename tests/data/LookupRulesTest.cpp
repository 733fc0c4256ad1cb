// The rules behind the look-ups that need no server: elapsed time of a golf
// round, adult or child by resident number, and what a failure may write
// into the day log.

#include "core/TerminalContext.h"
#include "data/LookupWork.h"
#include "data/Lookups.h"

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

TEST(LookupRulesTest, LogTextHidesCardAndResidentNumbersOnly)
{
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"duplicate card 9410123412341234 for bill 0012", "duplicate card 941012******1234 for bill 0012"},
        {"track 9410123412341234=2512101", "track 941012******1234=*******"},
        {"card 9410-1234-1234-1234 refused", "card 9410-12**-****-1234 refused"},
        {"resident 8506151234562", "resident 8506151******"},
        // Member, room and locker numbers are what the help desk needs.
        {"member 1012345600 room 01203 locker 0412", "member 1012345600 room 01203 locker 0412"},
        {"[42P01] relation \"member\" does not exist", "[42P01] relation \"member\" does not exist"},
    };
    for (const Case& c : cases) EXPECT_EQ(MaskNumbersForLog(c.text), c.expected) << c.text;
}

}  // namespace
}  // namespace pos
