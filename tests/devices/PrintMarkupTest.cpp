#include "ByteText.h"

#include "devices/PrintMarkup.h"

#include <gtest/gtest.h>

namespace pos {
namespace {

using test::Hex;
using test::ToHex;

struct TagCase {
    const char* tag;
    const char* star;    // hex
    const char* escPos;  // hex; empty: printed as text
};

class MarkupTagTest : public ::testing::TestWithParam<TagCase> {};

TEST_P(MarkupTagTest, EveryTagHasItsCommandOnEachPrinterKind)
{
    const TagCase c = GetParam();
    // Korean text around the tag must pass unchanged, as CP949.
    const std::string text = std::string("한") + c.tag + "글";
    const std::string han = Hex("C7 D1"), geul = Hex("B1 DB");
    EXPECT_EQ(ToHex(ReplaceStarTags(han + c.tag + geul)), ToHex(han + Hex(c.star) + geul));
    const std::string escPos = *c.escPos ? Hex(c.escPos) : std::string(c.tag);
    EXPECT_EQ(ToHex(ReplaceEscPosTags(han + c.tag + geul)), ToHex(han + escPos + geul));
    EXPECT_EQ(StripMarkupTags(text), "한글");
}

INSTANTIATE_TEST_SUITE_P(AllTags, MarkupTagTest,
                         ::testing::Values(TagCase{"{N}", "1B 46 1B 35 1B 2D 30", ""},
                                           TagCase{"{B}", "1B 45", ""},
                                           TagCase{"{I}", "1B 34", ""},
                                           TagCase{"{U}", "1B 2D 31", ""},
                                           TagCase{"{L}", "1B 1D 61 30", ""},
                                           TagCase{"{C}", "1B 1D 61 31", ""},
                                           TagCase{"{R}", "1B 1D 61 32", ""},
                                           TagCase{"{S}", "1B 69 30 30", "1D 21 00"},
                                           TagCase{"{X}", "1B 69 30 31", "1D 21 10"},
                                           TagCase{"{Y}", "1B 69 31 30", "1D 21 01"},
                                           TagCase{"{Z}", "1B 69 31 31", "1D 21 11"},
                                           TagCase{"{3}", "1B 69 32 32", ""}));

TEST(PrintMarkupTest, TagsAreExactAndRepeatable)
{
    // Twice in a row gives the command twice; other braces, lower case and
    // a tag split by a line end print as written.
    EXPECT_EQ(ToHex(ReplaceStarTags("{X}{X}")), "1B 69 30 31 1B 69 30 31");
    EXPECT_EQ(ReplaceStarTags("{A}{b}{n}{}{X"), "{A}{b}{n}{}{X");
    EXPECT_EQ(ToHex(ReplaceStarTags("{{B}}")), ToHex("{" + Hex("1B 45") + "}"));
}

TEST(PrintMarkupTest, StarJobFramesTheTextAndEndsLinesWithCrLf)
{
    // No tags: initialise, the text, logo 1, the cut.
    EXPECT_EQ(ToHex(ComposeStarJob("AB", true, "", "")), "1B 40 41 42 1B 1C 70 01 30 1B 64 31");
    EXPECT_EQ(ToHex(ComposeStarJob("AB", false, "", "")), "1B 40 41 42 1B 1C 70 01 30 1B 64 33");

    // A Korean receipt with tags and the outlet's remarks after the cut.
    const std::string job = ComposeStarJob("{C}{Z}영수증{S}\r{B}합계{N} 1,000\r", true, "감사합니다", "");
    const std::string expected = Hex("1B 40") + Hex("1B 1D 61 31") + Hex("1B 69 31 31") + Hex("BF B5 BC F6 C1 F5") +
                                 Hex("1B 69 30 30") + "\r\n" + Hex("1B 45") + Hex("C7 D5 B0 E8") +
                                 Hex("1B 46 1B 35 1B 2D 30") + " 1,000\r\n" + Hex("1B 1C 70 01 30 1B 64 31") +
                                 Hex("B0 A8 BB E7 C7 D5 B4 CF B4 D9") + "\r\n";
    EXPECT_EQ(ToHex(job), ToHex(expected));
}

TEST(PrintMarkupTest, WireLinesEndInLfAndComeInBlocksOfTwenty)
{
    struct Case {
        const char* job;
        const char* wire;
    };
    // CR, LF and CR LF each end one line; CR LF in the composed text of a
    // caller that already wrote CR LF gives an empty line after each line.
    for (const Case& c : {Case{"a\r\nb\r\n", "a\nb\n"}, Case{"a\rb", "a\nb\n"}, Case{"a\nb\r\n\r\n", "a\nb\n\n"},
                          Case{"a\r\n\n", "a\n\n"}, Case{"", ""}}) {
        std::string wire;
        for (const TWireBlock& b : SplitIntoBlocks(c.job)) wire += b.bytes;
        EXPECT_EQ(wire, c.wire) << ToHex(c.job);
    }

    std::string text;
    for (int i = 1; i <= 44; ++i) text += "line " + std::to_string(i) + "\r";
    const std::vector<TWireBlock> blocks = SplitIntoBlocks(ComposeStarJob(text, true, "", ""));
    ASSERT_EQ(blocks.size(), 3u);  // 44 lines and the logo/cut line
    EXPECT_EQ(blocks[0].lines, 20);
    EXPECT_EQ(blocks[1].lines, 20);
    EXPECT_EQ(blocks[2].lines, 5);
    EXPECT_EQ(blocks[1].bytes.substr(0, 8), "line 21\n");
    EXPECT_EQ(ToHex(blocks[2].bytes.substr(blocks[2].bytes.size() - 9)), "1B 1C 70 01 30 1B 64 31 0A");
}

TEST(PrintMarkupTest, KitchenSlipUsesOnlyTheSizeTags)
{
    // Title centred for double width over 42 columns: 14 columns of text in
    // 21 cells leave 3 blanks in front.
    const std::string job = ComposeSrp350Job("{B}김치{X}2{S}\r{C}끝", false);
    const std::string expected = Hex("1B 40") + "{B}" + Hex("B1 E8 C4 A1") + Hex("1D 21 10") + "2" + Hex("1D 21 00") +
                                 "\r\n{C}" + Hex("B3 A1") + "\r\n\r\n\r\n" + Hex("1D 21 11") + "   " +
                                 Hex("C1 D6 B9 E6 20 C1 D6 B9 AE 20 B3 BB BF AA") + Hex("1D 21 00") + "\r\n" +
                                 Hex("1B 4A 00 1D 56 01") + "\r\n";
    EXPECT_EQ(ToHex(job), ToHex(expected));

    const std::string sample = ComposeSrp350Job("", true);
    EXPECT_NE(sample.find(Hex("1D 21 11") + "       SAMPLE" + Hex("1D 21 00")), std::string::npos);
}

}  // namespace
}  // namespace pos
