#include "core/Codec.h"

#include <gtest/gtest.h>

namespace pos {
namespace {

TEST(CodecTest, RoundTripsKoreanThroughCp949)
{
    const std::string utf8 = "판매 금액이 너무 큽니다.\r갂똠힣 ABC 123";
    const std::string cp949 = ToCp949(utf8);
    EXPECT_EQ(cp949.substr(0, 2), "\xC6\xC7");  // 판
    EXPECT_EQ(static_cast<int>(cp949.size()), Cp949Width(utf8));
    bool bad = false;
    EXPECT_EQ(FromCp949(cp949, &bad), utf8);
    EXPECT_FALSE(bad);
}

TEST(CodecTest, KnownCodes)
{
    EXPECT_EQ(ToCp949("가"), "\xB0\xA1");
    EXPECT_EQ(ToCp949("갂"), "\x81\x41");  // extended Hangul of the code page
    EXPECT_EQ(ToCp949("￦"), "\xA3\xDC");   // full-width won sign
    EXPECT_EQ(FromCp949("\xC7\xD1\xB1\xDB"), "한글");
}

TEST(CodecTest, CharactersOutsideTheCodePageKeepTheirWidth)
{
    const std::string text = "A😀B";  // an emoji CP949 cannot hold
    const std::string out = ToCp949(text);
    EXPECT_EQ(static_cast<int>(out.size()), Cp949Width(text));
    EXPECT_EQ(out, "A\xA3\xBF" "B");
    EXPECT_EQ(ToCp949("A\xFF" "B"), "A?B");  // not UTF-8
}

TEST(CodecTest, DamagedCp949IsReported)
{
    bool bad = false;
    EXPECT_EQ(FromCp949("A\xB0", &bad), "A\xEF\xBF\xBD");
    EXPECT_TRUE(bad);
    bad = false;
    EXPECT_EQ(FromCp949("\xFF" "A", &bad), "\xEF\xBF\xBD" "A");
    EXPECT_TRUE(bad);
}

// U+FFFD, what every damaged byte decodes to.
const std::string kBad = "\xEF\xBF\xBD";

// 0xFF is never a trail byte. Behind lead 0xFE it used to be looked up past
// the end of the code table, behind any other lead it gave the first
// character of the next lead's row, silently.
TEST(CodecTest, NoLeadBytePairsWithFF)
{
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        const std::string bytes = {static_cast<char>(lead), '\xFF', 'A'};
        bool bad = false;
        EXPECT_EQ(FromCp949(bytes, &bad), kBad + kBad + "A") << "lead byte " << std::hex << lead;
        EXPECT_TRUE(bad) << "lead byte " << std::hex << lead;
    }
}

// A lead byte whose next byte cannot finish it is damaged input like any
// other: the lead becomes U+FFFD and the next byte is read on its own.
struct InvalidPair {
    const char* name;
    std::string bytes;
    std::string utf8;
};

class CodecInvalidPairTest : public ::testing::TestWithParam<InvalidPair> {};

TEST_P(CodecInvalidPairTest, DecodesTheLeadAsDamaged)
{
    bool bad = false;
    EXPECT_EQ(FromCp949(GetParam().bytes, &bad), GetParam().utf8);
    EXPECT_TRUE(bad);
}

INSTANTIATE_TEST_SUITE_P(
    Trails, CodecInvalidPairTest,
    ::testing::Values(InvalidPair{"BelowTheTrails", "\xB0\x40", kBad + "@"},
                      InvalidPair{"ControlByte", "\xB0\t", kBad + "\t"},
                      InvalidPair{"GapAfterCapitals", "\xB0\x5B", kBad + "["},
                      InvalidPair{"GapBeforeSmallLetters", "\xB0\x60", kBad + "`"},
                      InvalidPair{"GapAfterSmallLetters", "\xB0\x7B", kBad + "{"},
                      InvalidPair{"NoCharacterAt80", "\xB0\x80", kBad + kBad},
                      InvalidPair{"LeadWithoutExtendedRow", "\xC9\x41", kBad + "A"},
                      InvalidPair{"LastLeadLowTrail", "\xFE\x41", kBad + "A"},
                      InvalidPair{"LastLeadAtTheEnd", "\xFE", kBad}),
    [](const ::testing::TestParamInfo<InvalidPair>& aInfo) { return std::string(aInfo.param.name); });

}  // namespace
}  // namespace pos
