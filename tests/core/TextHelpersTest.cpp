#include "core/Codec.h"
#include "core/TextHelpers.h"

#include <gtest/gtest.h>

#include <climits>

namespace pos {
namespace {

TEST(TextHelpersTest, StringToIntegerAcceptsOnlyLeadingBlanks)
{
    EXPECT_EQ(StringToInteger(""), 0);
    EXPECT_EQ(StringToInteger("   "), 0);
    EXPECT_EQ(StringToInteger(" 12"), 12);
    EXPECT_EQ(StringToInteger("12 "), 0);
    EXPECT_EQ(StringToInteger("-7"), -7);
    EXPECT_EQ(StringToInteger("1a"), 0);
    EXPECT_EQ(StringToInteger("99999999999999999999"), 0);
}

TEST(TextHelpersTest, SmallHelpers)
{
    EXPECT_EQ(GetOnlyNumber("a1-B2"), "1B2");
    EXPECT_EQ(ChangeSubChar("1-2-3", '-', '\0'), "123");
    EXPECT_EQ(ChangeSubChar("1-2-3", '-', '/'), "1/2/3");
    EXPECT_EQ(LPad("7", 3, '0'), "007");
    EXPECT_EQ(LPad("1234", 3, '0'), "1234");
    EXPECT_EQ(RPad("ab", 4, '.'), "ab..");
    EXPECT_EQ(Replace("aaa", "a", "aa"), "aaaaaa");  // inserted text is not scanned again
    EXPECT_EQ(Replace("x-y-z", "-", ""), "xyz");
}

TEST(TextHelpersTest, PaddingCountsKoreanAsTwoColumns)
{
    EXPECT_EQ(RPad("김치", 6), "김치  ");
    EXPECT_EQ(LPad("김치", 5), " 김치");
    EXPECT_EQ(Cp949Width(RPad("비빔밥", 10)), 10);
}

struct CutCase {
    const char* text;
    int index;
    int count;
    const char* expected;
};

void PrintTo(const CutCase& c, std::ostream* os) { *os << "CopyStr(" << c.text << ", " << c.index << ", " << c.count << ")"; }

class CopyStrTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(CopyStrTest, NeverSplitsACharacter)
{
    const CutCase& c = GetParam();
    const std::string got = CopyStr(c.text, c.index, c.count);
    EXPECT_EQ(got, c.expected) << "CopyStr(\"" << c.text << "\", " << c.index << ", " << c.count << ")";
    EXPECT_TRUE(Cp949Width(got) <= c.count);
}

INSTANTIATE_TEST_SUITE_P(Cases, CopyStrTest, ::testing::Values(
    CutCase{"ABCDEF", 1, 3, "ABC"},
    CutCase{"ABCDEF", 3, 2, "CD"},
    CutCase{"AB", 1, 5, "AB"},            // shorter text: what there is
    CutCase{"A가나", 1, 3, "A가"},        // ends on a boundary
    CutCase{"A가나", 1, 4, "A가 "},       // byte 4 is the first byte of 나: blank instead
    CutCase{"가나다", 1, 5, "가나 "},
    CutCase{"가나다", 2, 4, " 나 "},      // starts on the second byte of 가
    CutCase{"가나다", 3, 2, "나"},
    CutCase{"아메리카노(ICE)", 1, 9, "아메리카 "},
    // CP949 trail bytes overlap ASCII letters (갂 is 81 41) and lead bytes
    // (가 is B0 A1): only a scan from the start finds the boundaries.
    CutCase{"갂갃가", 1, 5, "갂갃 "},
    CutCase{"X똠똠", 1, 4, "X똠 "},
    // A window whose end lies past the largest int: the rest of the text, or
    // nothing when it starts past the text.
    CutCase{"가나다", 3, INT_MAX, "나다"},
    CutCase{"ABC", INT_MAX, 2, ""}));

TEST(TextHelpersTest, CentreAlign)
{
    EXPECT_EQ(StringCenterAlign("ABC", 10, false), "   ABC");
    EXPECT_EQ(StringCenterAlign("ABC", 10, true), " ABC");
    EXPECT_EQ(StringCenterAlign("영수증", 12, false), "   영수증");
    EXPECT_EQ(StringCenterAlign("ABCDEFGH", 4, false), "ABCD");
    EXPECT_EQ(StringCenterAlign("가나다", 5, false), "가나 ");
}

}  // namespace
}  // namespace pos
