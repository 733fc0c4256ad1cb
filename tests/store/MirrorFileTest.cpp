#include "store/MirrorFile.h"

#include "core/FileIO.h"
#include "store/MasterFields.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <random>

namespace pos {
namespace {

// Quoted field, bare field, and a run of empty quoted fields, as written.
std::string q(const std::string& s) { return "'" + s + "'\t"; }
std::string b(const std::string& s) { return s + "\t"; }
std::string empties(int n)
{
    std::string out;
    for (int i = 0; i < n; ++i) out += "''\t";
    return out;
}
const std::string kCrLf = "\r\n";

// CP949 bytes of the Korean words used below.
const std::string kHong = "\xC8\xAB\xB1\xE6\xB5\xBF";         // 홍길동
const std::string kSikEum = "\xBD\xC4\xC0\xBD";               // 식음
const std::string kHansikdang = "\xC7\xD1\xBD\xC4\xB4\xE7";   // 한식당
const std::string kKimchi = "\xB1\xE8\xC4\xA1\xC2\xEE\xB0\xB3";  // 김치찌개
const std::string kBibim = "\xBA\xF1\xBA\xF6\xB9\xE4";        // 비빔밥
const std::string kSiksa = "\xBD\xC4\xBB\xE7";                // 식사
const std::string kCash = "\xC7\xF6\xB1\xDD";                 // 현금
const std::string kSeongsugi = "\xBC\xBA\xBC\xF6\xB1\xE2";    // 성수기
const std::string kResort = "\xB8\xAE\xC1\xB6\xC6\xAE";       // 리조트
const std::string kSeoul = "\xBC\xAD\xBF\xEF";                // 서울
const std::string kMember = "\xC8\xB8\xBF\xF8";               // 회원
const std::string kSki = "\xBD\xBA\xC5\xB0";                  // 스키

std::string reversed(const std::string& s) { return std::string(s.rbegin(), s.rend()); }

TEST(MirrorFileTest, CashierLineGoldenBytesWithScrambledPassword)
{
    std::vector<TMirrorProblem> problems;
    const std::string bytes = BuildMirrorBytes(TMirrorKind::Cashier, {{"1001", "홍길동", "pw12", "20240105", " 30 ", "Y"}},
                                               reversed, &problems);
    EXPECT_EQ(bytes, q("1001") + q(kHong) + q("21wp") + q("20240105") + b("30") + q("Y") + kCrLf);
    EXPECT_TRUE(problems.empty());
}

TEST(MirrorFileTest, CommonLineGoldenBytes)
{
    std::vector<std::string> row = {"I0001", "01", "식음"};
    row.resize(18);
    row[3] = "A";
    EXPECT_EQ(BuildMirrorBytes(TMirrorKind::Common, {row}), q("I0001") + q("01") + q(kSikEum) + q("A") + empties(14) + kCrLf);
}

TEST(MirrorFileTest, UpjangLineGoldenBytes)
{
    std::vector<std::string> row(31, "N");
    row[0] = "3010", row[1] = "01", row[2] = "한식당", row[3] = "Korean", row[4] = "30", row[5] = "F1", row[6] = "2";
    row[22] = "TID01", row[23] = "리조트", row[24] = "", row[28] = "Y", row[30] = "Y";
    std::string expect = q("3010") + q("01") + q(kHansikdang) + q("Korean") + q("30") + q("F1") + q("2");
    for (int i = 7; i <= 21; ++i) expect += q("N");
    expect += q("TID01") + q(kResort) + q("") + q("N") + q("N") + q("N") + q("Y") + q("N") + q("Y") + kCrLf;
    EXPECT_EQ(BuildMirrorBytes(TMirrorKind::Upjang, {row}), expect);
}

TEST(MirrorFileTest, GoodsLineGoldenBytesAmountQuoted)
{
    std::vector<std::string> row = {"3010", "M001", "1", "2", "김치찌개", "Kimchi stew", "31", "Y", "1", "9000",
                                    "00", "Z", "0000", "2359", "Y", "01", "N", "Y", "06", "", "", "", "", "", "", "", "", ""};
    std::string expect = q("3010") + q("M001") + q("1") + q("2") + q(kKimchi) + q("Kimchi stew") + q("31") + q("Y") +
                         q("1") + q("9000") + q("00") + q("Z") + q("0000") + q("2359") + q("Y") + q("01") + q("N") +
                         q("Y") + q("06") + empties(9) + kCrLf;
    EXPECT_EQ(BuildMirrorBytes(TMirrorKind::Goods, {row}), expect);
}

TEST(MirrorFileTest, MenuGroupSubAndMenuGoldenBytes)
{
    EXPECT_EQ(BuildMirrorBytes(TMirrorKind::MenuGroup, {{"3010", "01", "식사"}}), q("3010") + q("01") + q(kSiksa) + kCrLf);
    EXPECT_EQ(BuildMirrorBytes(TMirrorKind::MenuSub, {{"3010", "01", "02", "비빔밥"}}),
              q("3010") + q("01") + q("02") + q(kBibim) + kCrLf);
    // MenuNo and SaleUnitAmt bare and trimmed; the series column quoted as sent.
    EXPECT_EQ(BuildMirrorBytes(TMirrorKind::Menu, {{"3010", "01", " 7 ", "M001", "1", "1", "비빔밥", "12000 ", "0900",
                                                    "2100", "2", "Z", "A", "", ""}}),
              q("3010") + q("01") + b("7") + q("M001") + q("1") + q("1") + q(kBibim) + b("12000") + q("0900") +
                  q("2100") + q("2") + q("Z") + q("A") + empties(2) + kCrLf);
}

TEST(MirrorFileTest, PayCalendarDCEtcDCCompanyGoldenBytes)
{
    // Server rows of tenders are [code, name]; the file has the name first.
    EXPECT_EQ(BuildMirrorBytes(TMirrorKind::Pay, {{"110", "현금"}}), q(kCash) + b("110") + kCrLf);
    EXPECT_EQ(BuildMirrorBytes(TMirrorKind::Calendar, {{"20240105", "2", "1", "7731"}}),
              q("20240105") + q("2") + q("1") + q("7731") + kCrLf);
    EXPECT_EQ(BuildMirrorBytes(TMirrorKind::DC, {{"100", "3010", "1", "1", "20", "-1", " 3"}}),
              q("100") + q("3010") + q("1") + q("1") + b("20") + b("-1") + b("3") + kCrLf);
    EXPECT_EQ(BuildMirrorBytes(TMirrorKind::EtcDC, {{"3010", "M01", "회원", "No", "6", "N", "Y", "Z", "13", "010", "15",
                                                     "-1", "-1", "0", "01", "5"}}),
              q("3010") + q("M01") + q(kMember) + q("No") + b("6") + q("N") + q("Y") + q("Z") + q("13") + q("010") +
                  b("15") + b("-1") + b("-1") + b("0") + q("01") + b("5") + kCrLf);
    EXPECT_EQ(BuildMirrorBytes(TMirrorKind::Company,
                               {{"리조트", "홍길동", "Hong", "서울", "Seoul", "02-1", "02-2", "123-45-67890"}}),
              q(kResort) + q(kHong) + q("Hong") + q(kSeoul) + q("Seoul") + q("02-1") + q("02-2") + q("123-45-67890") +
                  kCrLf);
}

TEST(MirrorFileTest, ShortAndLongRowsAreWrittenWhileReported)
{
    std::vector<TMirrorProblem> problems;
    const std::string bytes = BuildMirrorBytes(TMirrorKind::Calendar, {{"20240105", "2"}, {"1", "2", "3", "4", "5"}}, {},
                                               &problems);
    EXPECT_EQ(bytes, q("20240105") + q("2") + empties(2) + kCrLf + q("1") + q("2") + q("3") + q("4") + kCrLf);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].Line, 1);
    EXPECT_EQ(problems[1].Line, 2);
    EXPECT_EQ(problems[0].File, "Calendar.dat");
}

TEST(MirrorFileTest, CharacterOutsideCp949IsReported)
{
    std::vector<TMirrorProblem> problems;
    BuildMirrorBytes(TMirrorKind::MenuGroup, {{"3010", "01", "식사😀"}}, {}, &problems);
    ASSERT_EQ(problems.size(), 1u);
}

// ---- escaping (fault 1) ------------------------------------------------------

TEST(MirrorFileTest, EscapesOnlyTheFourCharacters)
{
    EXPECT_EQ(EscapeMirrorValue("a\tb\r\nc\\d'e"), "a\\tb\\r\\nc\\\\d'e");
    EXPECT_EQ(UnescapeMirrorValue("a\\tb\\r\\nc\\\\d'e"), "a\tb\r\nc\\d'e");
    // A backslash before anything else stays as it is.
    EXPECT_EQ(UnescapeMirrorValue("C:\\x\\"), "C:\\x\\");
    EXPECT_EQ(UnescapeMirrorValue("\\\\t"), "\\t");
}

TEST(MirrorFileTest, ValueWithTabLineBreakBackslashAndQuotesRoundTripsWhole)
{
    const std::string nasty = "'A\tB'\r\n\\C \"D\" 한글\\t";
    std::vector<std::string> row = {"3010", "M001", "1", "1", nasty, "tail"};
    row.resize(28);
    const std::string bytes = BuildMirrorBytes(TMirrorKind::Goods, {row, row});
    // Two lines, no raw TAB inside a value: each line has exactly 28 TABs.
    std::size_t lines = 0, pos = 0;
    while ((pos = bytes.find("\r\n", pos)) != std::string::npos) ++lines, pos += 2;
    EXPECT_EQ(lines, 2u);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\t'), 56);

    std::vector<TMirrorProblem> problems;
    TMirrorReader reader(bytes, "Goods.dat", 28, &problems);
    for (int line = 0; line < 2; ++line) {
        ASSERT_TRUE(reader.Next());
        ASSERT_EQ(reader.FieldCount(), 28);
        EXPECT_EQ(reader.Piece(4).Text, nasty);
        EXPECT_EQ(reader.Piece(5).Text, "tail");
    }
    EXPECT_FALSE(reader.Next());
    EXPECT_TRUE(problems.empty());
}

TEST(MirrorFileTest, RandomValuesRoundTripThroughWriterAndReader)
{
    // Values of every length with the characters that matter at every
    // position, so pieces start and end on all sides of the reader's 16-byte steps.
    const std::vector<std::string> atoms = {"a", "Z", "0", " ", "'", "\t", "\r", "\n", "\\", "\\t", "한", "글", "x\\y", "\"", "-"};
    std::mt19937 rng(7);
    TMirrorRows rows;
    for (int r = 0; r < 300; ++r) {
        std::vector<std::string> row;
        for (int c = 0; c < 4; ++c) {
            std::string v;
            const int n = static_cast<int>(rng() % 24);
            for (int k = 0; k < n; ++k) v += atoms[rng() % atoms.size()];
            // The file trims blanks outside the quotes only; keep the value's own.
            row.push_back(v);
        }
        rows.push_back(row);
    }
    std::vector<TMirrorProblem> problems;
    const std::string bytes = BuildMirrorBytes(TMirrorKind::MenuSub, rows, {}, &problems);
    ASSERT_TRUE(problems.empty());
    TMirrorReader reader(bytes, "MenuSub.dat", 4, &problems);
    for (const auto& row : rows) {
        ASSERT_TRUE(reader.Next());
        ASSERT_EQ(reader.FieldCount(), 4);
        for (int c = 0; c < 4; ++c) EXPECT_EQ(reader.Piece(c).Text, row[static_cast<std::size_t>(c)]);
    }
    EXPECT_FALSE(reader.Next());
    EXPECT_TRUE(problems.empty());
}

TEST(MirrorFileTest, WithoutEscapingTheOldFormatWouldShiftFields)
{
    // The fault as the old writer produced it: a raw TAB inside the name.
    const std::string old = "'3010'\t'A\tB'\t'x'\t\r\n";
    TMirrorReader reader(old, "MenuGroup.dat", 3, nullptr);
    ASSERT_TRUE(reader.Next());
    EXPECT_EQ(reader.FieldCount(), 4);  // shifted: reported as a wrong field count
}

// ---- the parser ----------------------------------------------------------------

TEST(MirrorFileTest, ParserTrimsStripsQuotesAndKeepsEmptyPiecesAbsent)
{
    const std::string text = "  'a b'  \t''\t \t'\tx";
    std::vector<TMirrorProblem> problems;
    TMirrorReader reader(text, "T.dat", 4, &problems);
    ASSERT_TRUE(reader.Next());
    ASSERT_EQ(reader.FieldCount(), 4);
    EXPECT_EQ(reader.Piece(0).Text, "a b");
    EXPECT_TRUE(reader.Piece(1).Present);  // '' is two bytes: present, empty
    EXPECT_EQ(reader.Piece(1).Text, "");
    EXPECT_FALSE(reader.Piece(2).Present);  // blank piece: item keeps its default
    EXPECT_EQ(reader.Piece(3).Text, "'");   // a single quote is one byte: kept
    ASSERT_EQ(problems.size(), 1u);         // "x" after the last TAB
    EXPECT_NE(problems[0].Message.find("after the last TAB"), std::string::npos);
}

TEST(MirrorFileTest, ParserReportsDamagedLinesWithoutDroppingThem)
{
    const std::string text = "'ok'\t'" + kSki + "'\t\r\n"  // good
                             "'bad'\t'\xB0'\t\r\n"          // half a Hangul character
                             "\r\n"                          // empty line
                             "'short'\t\r\n"                 // one field of two
                             "'last'\t'x'\t";                // no final line break
    std::vector<TMirrorProblem> problems;
    TMirrorReader reader(text, "T.dat", 2, &problems);
    std::vector<std::string> first;
    while (reader.Next()) first.emplace_back(reader.Piece(0).Text);
    EXPECT_EQ(first, (std::vector<std::string>{"ok", "bad", "short", "last"}));
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(problems[0].Line, 2);
    EXPECT_NE(problems[0].Message.find("CP949"), std::string::npos);
    EXPECT_EQ(problems[1].Line, 3);
    EXPECT_NE(problems[1].Message.find("empty line"), std::string::npos);
    EXPECT_EQ(problems[2].Line, 4);
    EXPECT_NE(problems[2].Message.find("1 fields, expected 2"), std::string::npos);
    EXPECT_EQ(FormatMirrorProblem(problems[2]).substr(0, 12), "T.dat line 4");
}

TEST(MirrorFileTest, LoneCarriageReturnAndLineFeedEndLinesToo)
{
    TMirrorReader reader("'a'\t\r'b'\t\n'c'\t\r\n", "T.dat", 1, nullptr);
    std::vector<std::string> got;
    while (reader.Next()) got.emplace_back(reader.Piece(0).Text);
    EXPECT_EQ(got, (std::vector<std::string>{"a", "b", "c"}));
}

TEST(MirrorFileTest, PayAndCompanyFilesHaveTheirOwnRules)
{
    std::vector<TMirrorProblem> problems;
    const auto pay = ParsePayFile("'" + kCash + " '\t110\t\r\n' Card'\t120\t\r\n'X'\tab\t\r\n", &problems);
    ASSERT_EQ(pay.size(), 3u);
    EXPECT_EQ(pay[0].Name, "현금");
    EXPECT_EQ(pay[0].Code, 110);
    EXPECT_EQ(pay[1].Name, "Card");
    EXPECT_EQ(pay[1].Code, 120);
    EXPECT_EQ(pay[2].Code, 0);
    ASSERT_EQ(problems.size(), 1u);  // "ab" is not a code

    problems.clear();
    const auto company = ParseCompanyFile(q(kResort) + q(" Hong ") + q("") + kCrLf + q("ignored") + kCrLf, &problems);
    ASSERT_EQ(company.size(), 8u);
    EXPECT_EQ(company[0], "리조트");
    EXPECT_EQ(company[1], "Hong");
    EXPECT_EQ(company[2], "");
    EXPECT_EQ(company[7], "");
    ASSERT_EQ(problems.size(), 1u);  // three fields of eight
}

TEST(MirrorFileTest, WriteMirrorFileWritesTheBytesAtomically)
{
    test::TempDir dir;
    std::string error;
    ASSERT_TRUE(WriteMirrorFile(dir.path(), TMirrorKind::MenuGroup, {{"3010", "01", "식사"}}, {}, nullptr, &error)) << error;
    EXPECT_EQ(ReadWholeFile(dir / "MenuGroup.dat").value(), q("3010") + q("01") + q(kSiksa) + kCrLf);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()), 1);
    // No folder: the write fails and says why.
    EXPECT_FALSE(WriteMirrorFile(dir / "missing", TMirrorKind::MenuGroup, {{"a", "b", "c"}}, {}, nullptr, &error));
    EXPECT_FALSE(error.empty());
}

TEST(MirrorFileTest, BareFieldsAreTheListedNumericOnes)
{
    EXPECT_TRUE(MirrorFieldBare(TMirrorKind::Cashier, CashierItem::RemainDay));
    EXPECT_FALSE(MirrorFieldBare(TMirrorKind::Cashier, CashierItem::AdminYN));
    EXPECT_FALSE(MirrorFieldBare(TMirrorKind::Goods, GoodsItem::SaleUnitAmt));
    EXPECT_TRUE(MirrorFieldBare(TMirrorKind::Menu, MenuItem::MenuNo));
    EXPECT_TRUE(MirrorFieldBare(TMirrorKind::Menu, MenuItem::SaleUnitAmt));
    EXPECT_FALSE(MirrorFieldBare(TMirrorKind::Menu, MenuItem::SeriesTicket));
    for (int i : {4, 5, 6}) EXPECT_TRUE(MirrorFieldBare(TMirrorKind::DC, i));
    for (int i : {4, 10, 11, 12, 13, 15}) EXPECT_TRUE(MirrorFieldBare(TMirrorKind::EtcDC, i));
    int bareCount = 0;
    for (int i = 0; i < MirrorFieldCount(TMirrorKind::EtcDC); ++i) bareCount += MirrorFieldBare(TMirrorKind::EtcDC, i);
    EXPECT_EQ(bareCount, 6);
    EXPECT_EQ(MirrorFieldCount(TMirrorKind::Upjang), 31);
    EXPECT_EQ(MirrorFieldCount(TMirrorKind::Goods), 28);
    EXPECT_EQ(MirrorFieldCount(TMirrorKind::Menu), 15);
}

}  // namespace
}  // namespace pos
