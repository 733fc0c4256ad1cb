// The day log read back for its upload: from what the day log writer wrote,
// and from hand-made files for the edges of the line rules.

#include "TempDir.h"
#include "closing/ErrorLog.h"
#include "core/Codec.h"
#include "core/FileIO.h"
#include "core/TerminalContext.h"
#include "db/DayLog.h"

#include <gtest/gtest.h>

#include <ctime>
#include <cctype>

namespace pos {

void PrintTo(const TErrLog& aEntry, std::ostream* aOut)
{
    *aOut << "{" << aEntry.Time << " | " << aEntry.Proc << " |";
    for (const std::string& line : aEntry.Text) *aOut << " '" << line << "'";
    *aOut << "}";
}

namespace test {
namespace {

std::time_t LocalTime(int aHour, int aMinute)
{
    std::tm tm{};
    tm.tm_year = 2024 - 1900;
    tm.tm_mon = 0;
    tm.tm_mday = 5;
    tm.tm_hour = aHour;
    tm.tm_min = aMinute;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

// Entries as the writer formats them: the stamp's time and the procedure
// come back apart, the message with the entry's empty closing line.
TEST(ErrorLogTest, EntriesAsTheWriterFormatsThem)
{
    const std::string file =
        ToCp949(FormatLogEntry("IEB010-SaveCloseData-1", "서버 연결이 끊겼습니다", LocalTime(14, 30)) +
                FormatLogEntry("마감", "두 줄\r\n메시지", LocalTime(9, 5)));
    const std::vector<TErrLog> expected{
        {"오후 02:30", "IEB010-SaveCloseData-1", {"서버 연결이 끊겼습니다", ""}},
        {"오전 09:05", "마감", {"두 줄", "메시지", ""}},
    };
    EXPECT_EQ(ParseErrorLog(file), expected);
}

// The file the terminal wrote today, read back whole.
TEST(ErrorLogTest, DayLogFileWrittenByTheTerminal)
{
    TempDir dir;
    TTerminalContext ctx;
    ctx.gsFolder = dir.path().string() + "/";
    ctx.gsToday = "20240105";
    ASSERT_TRUE(WriteLogFile(ctx, "IEB010-ReadCloseData-2", "relation missing"));
    ASSERT_TRUE(WriteLogFile(ctx, "영업장", "한글 메시지"));

    const std::vector<TErrLog> entries = ParseErrorLog(ReadWholeFile(DayLogPath(ctx)).value());
    ASSERT_EQ(entries.size(), 2u);
    // "오전 hh:nn" or "오후 hh:nn": the stamp without its date.
    const std::string& time = entries[0].Time;
    const bool half = time.rfind("오전 ", 0) == 0 || time.rfind("오후 ", 0) == 0;
    const std::string clock = half ? time.substr(std::string("오전 ").size()) : "";
    EXPECT_TRUE(half && clock.size() == 5 && clock[2] == ':' && std::isdigit(clock[0]) && std::isdigit(clock[1]) &&
                std::isdigit(clock[3]) && std::isdigit(clock[4]))
        << time;
    EXPECT_EQ(entries[0].Proc, "IEB010-ReadCloseData-2");
    EXPECT_EQ(entries[0].Text, (std::vector<std::string>{"relation missing", ""}));
    EXPECT_EQ(entries[1].Proc, "영업장");
    EXPECT_EQ(entries[1].Text, (std::vector<std::string>{"한글 메시지", ""}));
}

TEST(ErrorLogTest, LineRules)
{
    struct Case {
        const char* name;
        std::string file;  // UTF-8, converted to CP949 for the parse
        std::vector<TErrLog> entries;
    };
    const Case cases[] = {
        {"empty", "", {}},
        {"linesBeforeTheFirstEntryAreDropped",
         "stray\r\n\r\n[2024-01-05 오전 09:30 Start]\r\nv1\r\n",
         {{"오전 09:30", "Start", {"v1"}}}},
        {"lfLineEndsAndNoFinalLineEnd",
         "[2024-01-05 오전 09:30 A]\nx\n[2024-01-05 오후 11:59 B]\ny",
         {{"오전 09:30", "A", {"x"}}, {"오후 11:59", "B", {"y"}}}},
        // 24 columns are not yet a header; 25 are.
        {"widthBoundary",
         "[2024-01-05 오전 09:30 X]\r\n[2024-01-05 오전 09:30 ]\r\n[short]\r\n",
         {{"오전 09:30", "X", {"[2024-01-05 오전 09:30 ]", "[short]"}}}},
        // The last column is dropped whatever it holds.
        {"headerWithoutClosingBracket", "[2024-01-05 오전 09:30 ConnectDB\r\n", {{"오전 09:30", "ConnectD", {}}}},
        // A logged database failure is a message line, however wide.
        {"sqlStateLineStaysInItsEntry",
         "[2024-01-05 오전 09:30 IAI010-SaveSaleData]\r\n[08006] server closed the connection unexpectedly\r\n",
         {{"오전 09:30", "IAI010-SaveSaleData", {"[08006] server closed the connection unexpectedly"}}}},
        {"bracketInsideTheText",
         "[2024-01-05 오전 09:30 P]\r\n 자리 [들여쓴 대괄호는 본문]\r\n",
         {{"오전 09:30", "P", {" 자리 [들여쓴 대괄호는 본문]"}}}},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseErrorLog(ToCp949(c.file)), c.entries) << c.name;
}

}  // namespace
}  // namespace test
}  // namespace pos
