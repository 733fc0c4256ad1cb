#include "ByteText.h"

#include "core/Codec.h"
#include "devices/EasyCheckFrame.h"

#include <gtest/gtest.h>

namespace pos {
namespace {

using test::Hex;
using test::ToHex;

TEST(EasyCheckFrameTest, AmountsVatAndInstalments)
{
    struct Case {
        std::int64_t amount, supply, vat;
    };
    for (const Case& c : {Case{11000, 10000, 1000}, Case{-11000, -10000, -1000}, Case{1005, 914, 91},
                          Case{1, 1, 0}, Case{0, 0, 0}}) {
        const TVatSplit s = SplitVat(c.amount);
        EXPECT_EQ(s.supply, c.supply) << c.amount;
        EXPECT_EQ(s.vat, c.vat) << c.amount;
    }
    EXPECT_EQ(InstalmentText(0), " **         ");
    EXPECT_EQ(InstalmentText(1), " **         ");
    EXPECT_EQ(InstalmentText(3), "          3 ");
    EXPECT_EQ(InstalmentText(12), "         12 ");
}

TEST(EasyCheckFrameTest, ReplyIsThreeAcks)
{
    EXPECT_FALSE(EasyCheckReplyComplete(""));
    EXPECT_FALSE(EasyCheckReplyComplete(Hex("06")));      // the rest is still coming
    EXPECT_FALSE(EasyCheckReplyComplete(Hex("06 06")));
    EXPECT_TRUE(EasyCheckReplyComplete(Hex("06 06 06")));
    EXPECT_TRUE(EasyCheckReplyComplete(Hex("15")));       // a NAK: no point waiting
    EXPECT_TRUE(IsEasyCheckAck(Hex("06 06 06")));
    EXPECT_FALSE(IsEasyCheckAck(Hex("06 06 15")));
    EXPECT_FALSE(IsEasyCheckAck(Hex("06 06")));
}

class EasyCheckFrameGolden : public ::testing::Test {
protected:
    TEasyCheckHeader header{"3001", "05", "김대표", "오르보리조트", "1234567890", "강원도 홍천군", "033-123-4567",
                            "T100", "본관", "감사합니다"};
    TEasyCheckSlip slip{12, true, 11000, "1234567812345678", "2712", 0, "A123", "신한", "비씨카드",
                        "M99", "20240105"};
};

TEST_F(EasyCheckFrameGolden, ApprovalSlip)
{
    const std::string SI = "\x0f", SO = "\x0e", LF2 = "\n\n";
    // Built piece by piece from the frame table, widths in columns.
    const std::string expected = ToCp949(
        "\x02\x11" "1" + SI + "3001" + SI + " 05 0012" + LF2 +
        SO + "비씨카드      " + SI + "신용구매" + LF2 +
        SO + "1234-5678-1234-****" + SI + LF2 +
        SI + "27.12     " + SO + "2024/01/05" + SI + "" + LF2 +
        SI + "M99             " + SO + "    " + "   10000" + SI + LF2 +
        SI + " **             " + SO + "    " + "    1000" + SI + LF2 +
        SI + "T100            " + SO + "    " + SI + LF2 +
        SI + "신한            " + SO + "    " + SI + LF2 +
        SI + "                " + SO + "    " + "   11000" + SI + LF2 +
        SI + "김대표           " + SO + "A123" + SI + LF2 +
        SI + "오르보리조트( 본관 )        " + "1234567890" + LF2 +
        SI + "강원도 홍천군" + LF2 +
        SI + "033-123-4567    " + "감사합니다" + LF2 +
        "\x11" "2" "\x03");
    const std::string frame = BuildEasyCheckFrame(slip, header);
    EXPECT_EQ(ToHex(frame), ToHex(expected));
    // The slip kind and the start and end of the frame, byte for byte.
    EXPECT_EQ(ToHex(frame.substr(0, 4)), "02 11 31 0F");
    EXPECT_NE(frame.find(Hex("0F BD C5 BF EB B1 B8 B8 C5 0A 0A")), std::string::npos);
    EXPECT_EQ(ToHex(frame.substr(frame.size() - 5)), "0A 0A 11 32 03");
}

TEST_F(EasyCheckFrameGolden, CancellationSlipIsNegativeAndMarked)
{
    slip.agree = false;
    slip.instalment = 3;
    header.cardTidName.clear();
    header.saupName = "아주아주긴이름의리조트주식회사본점";  // 34 columns: cut to 28
    const std::string frame = FromCp949(BuildEasyCheckFrame(slip, header));
    EXPECT_NE(frame.find("\x0f" "취소전표\n\n"), std::string::npos);
    EXPECT_NE(frame.find("\x0e" "2024/01/05\x0f" "2024/01/05\n\n"), std::string::npos);
    EXPECT_NE(frame.find("\x0e" "취소  -10000\x0f"), std::string::npos);
    EXPECT_NE(frame.find("\x0e" "취소   -1000\x0f"), std::string::npos);
    EXPECT_NE(frame.find("\x0e" "취소  -11000\x0f"), std::string::npos);
    EXPECT_NE(frame.find("\x0f" "          3     \x0e"), std::string::npos);
    EXPECT_NE(frame.find("\x0f" "아주아주긴이름의리조트주식회1234567890"), std::string::npos);
}

}  // namespace
}  // namespace pos
