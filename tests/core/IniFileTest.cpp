#include "TempDir.h"
#include "core/Codec.h"
#include "core/FileIO.h"
#include "core/IniFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace pos {
namespace {

TEST(IniFileTest, FollowsWindowsProfileRules)
{
    const IniFile ini = IniFile::fromText(
        "; comment=ignored\r\n"
        "[Device]\r\n"
        "  PrinterPort = 3  \r\n"
        "Name=\"  quoted  \"\r\n"
        "printerport=9\r\n"
        "Hex=$1F\r\n"
        "Bad=12x\r\n"
        "[DEVICE]\r\n"
        "Other=second section of the same name is never read\r\n"
        "[Empty]\r\n");
    EXPECT_EQ(ini.readInteger("device", "PRINTERPORT", 0), 3);  // names ignore case, first key wins
    EXPECT_EQ(ini.readString("Device", "Name"), "  quoted  ");
    EXPECT_EQ(ini.readInteger("Device", "Hex", 0), 31);
    EXPECT_EQ(ini.readInteger("Device", "Bad", 7), 7);
    EXPECT_TRUE(ini.readBool("Device", "PrinterPort", false));
    EXPECT_EQ(ini.readString("Device", "Other", "default"), "default");
    EXPECT_EQ(ini.readString("Missing", "Key", "d"), "d");
    EXPECT_TRUE(ini.sectionExists("empty"));
    EXPECT_EQ(ini.keys("Device").size(), 5u);
}

struct IntegerCase {
    const char* text;
    std::int64_t expected;  // -1 is the default the read is given
};

class IniIntegerTest : public ::testing::TestWithParam<IntegerCase> {};

// A number too large for 64 bits is no number: the default, never an
// overflow (the hex digits above fifteen used to overflow the sum).
TEST_P(IniIntegerTest, ReadsInRangeNumbersOnly)
{
    const IniFile ini = IniFile::fromText(std::string("[A]\r\nKey=") + GetParam().text + "\r\n");
    EXPECT_EQ(ini.readInteger("A", "Key", -1), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Values, IniIntegerTest, ::testing::Values(
    IntegerCase{"$7FFFFFFFFFFFFFFF", INT64_MAX},
    IntegerCase{"-0x7FFFFFFFFFFFFFFF", -INT64_MAX},
    IntegerCase{"$8000000000000000", -1},
    IntegerCase{"0xFFFFFFFFFFFFFFFFFF", -1},
    IntegerCase{"999999999999999999", 999999999999999999},
    IntegerCase{"$0000000000000000FF", 255}));

TEST(IniFileTest, WritesWholeFileInCp949AndKeepsOtherLines)
{
    test::TempDir dir;
    const auto path = dir / "POS.ini";
    ASSERT_TRUE(WriteFileAtomically(path, ToCp949("; 설정\r\n[POS]\r\nUpjangCode=3001\r\n\r\n[Device]\r\nPort=1\r\n")));
    IniFile ini = IniFile::load(path);
    ASSERT_TRUE(ini.exists());
    ini.writeString("pos", "upjangcode", "5001");
    ini.writeString("POS", "PosNo", "02");
    ini.writeString("Printer", "Name", "주방");
    ASSERT_TRUE(ini.save(path));

    const auto bytes = ReadWholeFile(path);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(FromCp949(*bytes),
              "; 설정\r\n[POS]\r\nupjangcode=5001\r\nPosNo=02\r\n\r\n[Device]\r\nPort=1\r\n[Printer]\r\nName=주방\r\n");
    EXPECT_EQ(IniFile::load(path).readString("Printer", "Name"), "주방");
    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(IniFileTest, FailedSaveLeavesTheOldFile)
{
    test::TempDir dir;
    IniFile ini;
    ini.writeString("A", "B", "C");
    std::string error;
    EXPECT_FALSE(ini.save(dir / "no-such-folder" / "x.ini", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(IniFile::load(dir / "missing.ini").exists());
}

}  // namespace
}  // namespace pos
