#include "ByteText.h"

#include "core/Codec.h"
#include "devices/CustomerDisplay.h"
#include "devices/SerialPortPaths.h"
#include "core/IniFile.h"

#include <gtest/gtest.h>

namespace pos {
namespace {

using test::Hex;
using test::ToHex;

TEST(CustomerDisplayTest, TwoLinesAndTheGreeting)
{
    TDisplayWrites w = LineDisplayBytes("", "");
    EXPECT_EQ(w.line1, "\x1bQA   Welcome to\r");
    EXPECT_EQ(w.line2, "\x1bQB     Orvo Resort\r");

    w = LineDisplayBytes("김치 1", "합계 12,000");
    EXPECT_EQ(ToHex(w.line1), ToHex(Hex("1B 51 41 B1 E8 C4 A1") + " 1\r"));
    EXPECT_EQ(ToHex(w.line2), ToHex(Hex("1B 51 42 C7 D5 B0 E8") + " 12,000\r"));
}

TEST(CustomerDisplayTest, LongTextIsCutToTwentyColumnsNeverInsideACharacter)
{
    // 25 ASCII bytes: the first 20.
    EXPECT_EQ(DisplayLineText("ABCDEFGHIJKLMNOPQRSTUVWXY", ""), "ABCDEFGHIJ" "KLMNOPQRST");
    // "A" and ten Hangul syllables: column 20 is the first half of the tenth
    // syllable, which becomes a blank instead of half a character.
    const std::string line = DisplayLineText("A가나다라마바사아자차", "");
    EXPECT_EQ(line, "A가나다라마바사아자 ");
    const std::string bytes = LineDisplayBytes(line, "").line1;
    EXPECT_EQ(bytes.size(), 3u + 20u + 1u);
    bool bad = false;
    FromCp949(bytes.substr(3, 20), &bad);
    EXPECT_FALSE(bad);
}

TEST(CustomerDisplayTest, DrawerKickRoute)
{
    struct Case {
        bool drawer;
        TPrinterType p1, p2;
        bool open1, open2;
        TDrawerRoute route;
    };
    using P = TPrinterType;
    const Case cases[] = {
        {false, P::ptTSP600, P::ptTSP600, true, true, TDrawerRoute::None},
        {true, P::ptTSP600, P::ptTSP600, true, true, TDrawerRoute::Printer1},
        {true, P::ptTSP700, P::ptNone, true, false, TDrawerRoute::Printer1},
        {true, P::ptTSP600, P::ptTSP600, false, true, TDrawerRoute::Printer2},
        {true, P::ptTSP800, P::ptTSP600, true, true, TDrawerRoute::Printer2},
        {true, P::ptTSP800, P::ptSRP350, true, true, TDrawerRoute::None},
        {true, P::ptBoca, P::ptTSP700, true, true, TDrawerRoute::None},
        {true, P::ptTSP800, P::ptTSP600, true, false, TDrawerRoute::None},
    };
    for (const Case& c : cases) {
        TDeviceConfig d;
        d.cashDrawer = c.drawer;
        d.printer1.type = c.p1;
        d.printer1.enabled = c.p1 != P::ptNone;
        d.printer2.type = c.p2;
        d.printer2.enabled = c.p2 != P::ptNone;
        EXPECT_EQ(ChooseDrawerRoute(d, c.open1, c.open2), c.route) << int(c.p1) << " " << int(c.p2);
    }
    EXPECT_EQ(ToHex(kDrawerKick), "1C");
}

TEST(SerialPortPathsTest, PatternOverridesDefaultsAndRates)
{
    TSerialPortPaths paths;
    EXPECT_EQ(paths.path(1), "/dev/ttyS0");
    EXPECT_EQ(paths.path(4), "/dev/ttyS3");

    const IniFile ini = IniFile::fromText("[SerialPorts]\nPattern=/dev/ttyUSB{n}\ncom2 = /dev/pts/7\nCOMx=/nowhere\n");
    paths = ReadSerialPortPaths(ini);
    EXPECT_EQ(paths.path(1), "/dev/ttyUSB1");
    EXPECT_EQ(paths.path(2), "/dev/pts/7");

    EXPECT_EQ(EffectivePortNo(0, 4), 4);
    EXPECT_EQ(EffectivePortNo(-3, 1), 1);
    EXPECT_EQ(EffectivePortNo(3, 1), 3);
    EXPECT_EQ(EffectiveBaudRate(19200), 19200);
    EXPECT_EQ(EffectiveBaudRate(256000), 256000);
    EXPECT_EQ(EffectiveBaudRate(9601), 9600);
    EXPECT_EQ(EffectiveBaudRate(0), 9600);
}

}  // namespace
}  // namespace pos
