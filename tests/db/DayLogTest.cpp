#include "TempDir.h"
#include "core/Codec.h"
#include "core/DateHelpers.h"
#include "core/FileIO.h"
#include "db/DayLog.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pos {
namespace {

std::time_t localTime(int year, int month, int day, int hour, int minute)
{
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

TEST(DayLogTest, EntryHasTheTwelveHourStampAndThreeLines)
{
    struct Case {
        int hour, minute;
        const char* stamp;
    };
    const Case cases[] = {
        {0, 5, "2024-01-05 오전 12:05"},
        {9, 30, "2024-01-05 오전 09:30"},
        {12, 0, "2024-01-05 오후 12:00"},
        {23, 59, "2024-01-05 오후 11:59"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatLogEntry("IZD000-ConnectDB", "[08006] gone", localTime(2024, 1, 5, c.hour, c.minute)),
                  std::string("[") + c.stamp + " IZD000-ConnectDB]\r\n[08006] gone\r\n\r\n");
}

TEST(DayLogTest, AppendsCp949EntriesToTheFileOfTheDay)
{
    test::TempDir dir;
    TTerminalContext ctx;
    ctx.gsFolder = dir.path().string() + "/";

    // Before the first login the file is named by today's date; the Log
    // folder is made when missing.
    EXPECT_EQ(DayLogPath(ctx), dir.path() / "Log" / (GetSysDate(0) + ".log"));
    ctx.gsToday = "20240105";
    const auto file = dir.path() / "Log" / "20240105.log";
    ASSERT_EQ(DayLogPath(ctx), file);

    EXPECT_TRUE(WriteLogFile(ctx, "first", "영업장 하나"));
    EXPECT_TRUE(WriteLogFile(ctx, "second", "two"));
    const std::string text = FromCp949(ReadWholeFile(file).value());
    EXPECT_EQ(text.find("first]\r\n영업장 하나\r\n\r\n["), text.find("first]"));
    EXPECT_NE(text.find("second]\r\ntwo\r\n\r\n"), std::string::npos);
    EXPECT_LT(text.find("first]"), text.find("second]"));
    // Only the terminal's user may read what it logged.
    EXPECT_EQ(std::filesystem::status(file).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST(DayLogTest, EmptyMessageWritesNothingAndFailuresDoNotThrow)
{
    test::TempDir dir;
    TTerminalContext ctx;
    ctx.gsFolder = dir.path().string() + "/";
    ctx.gsToday = "20240105";
    EXPECT_FALSE(WriteLogFile(ctx, "proc", ""));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "Log"));

    // A file where the Log folder should be: the entry cannot be written,
    // and the caller simply goes on.
    ASSERT_TRUE(WriteFileAtomically(dir.path() / "Log", "not a folder"));
    EXPECT_FALSE(WriteLogFile(ctx, "proc", "message"));
}

}  // namespace
}  // namespace pos
