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

}  // namespace
}  // namespace pos
