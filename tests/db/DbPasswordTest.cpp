#include "TempDir.h"
#include "core/IniFile.h"
#include "db/DbPassword.h"

#include <gtest/gtest.h>

namespace pos {
namespace {

TEST(DbPasswordTest, DecryptUndoesEncrypt)
{
    for (const char* password : {"pos", "", "Secret#2024", "a-password-longer-than-sixteen-bytes", "\xff\x01"}) {
        const std::string scrambled = Encrypt(password, kDBPasswordKey);
        EXPECT_EQ(scrambled.find_first_not_of("0123456789ABCDEF"), std::string::npos) << scrambled;
        if (*password != '\0') {
            EXPECT_NE(scrambled, password);
        }
        EXPECT_EQ(Decrypt(scrambled, kDBPasswordKey), password);
    }
    // The key matters.
    EXPECT_NE(Decrypt(Encrypt("pos", kDBPasswordKey), 1234), "pos");
}

TEST(DbPasswordTest, DecryptFollowsTheTwoStages)
{
    // Inner stage by hand: under key 0x0100 the cipher byte 0x40 gives 'A'
    // (0x40 ^ 0x01), then key = (0x40 + 0x100) * 27253 + 16729 = 0x5399 in 16
    // bits, and 0x11 gives 'B' (0x11 ^ 0x53). Inner text "4011", each byte
    // shifted back by the low byte of its SecretCode entry, as hexadecimal.
    std::string outer;
    const std::string inner = "4011";
    for (std::size_t i = 0; i < inner.size(); ++i) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned char>(inner[i] - (SecretCode[i] & 0xFF)));
        outer += hex;
    }
    EXPECT_EQ(Decrypt(outer, 0x0100), "AB");
    // Text that stops being hexadecimal ends the reading there.
    EXPECT_EQ(Decrypt(outer + "ZZ", 0x0100), "AB");
}

TEST(DbPasswordTest, PasswordComesFromZoUpdateOrIsTheUserName)
{
    test::TempDir dir;
    EXPECT_EQ(GetDBPassword(dir.path(), "posuser"), "posuser");

    IniFile ini;
    ini.writeString("PROGRAM", "Version", "3");
    ini.writeString("PROGRAM", "PASS", "");
    ASSERT_TRUE(ini.save(dir / "ZoUpdate.ini"));
    EXPECT_EQ(GetDBPassword(dir.path(), "posuser"), "posuser");

    ASSERT_TRUE(WriteDBPassword(dir / "ZoUpdate.ini", "s3cret"));
    EXPECT_EQ(GetDBPassword(dir.path(), "posuser"), "s3cret");
    // The update tool's own keys stay.
    EXPECT_EQ(IniFile::load(dir / "ZoUpdate.ini").readString("PROGRAM", "Version"), "3");
}

}  // namespace
}  // namespace pos
