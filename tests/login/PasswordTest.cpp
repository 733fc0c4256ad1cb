// Password hashes, the new-password rules, the old keyed scramble, the
// lock-out and the business date: everything of the login that needs
// neither a screen nor the server.

#include "login/LoginGuard.h"
#include "login/LoginModel.h"
#include "login/Password.h"

#include <gtest/gtest.h>

#include <string>

namespace pos::test {
namespace {

TEST(PasswordHash, VerifiesOnlyThePasswordItWasMadeFrom)
{
    const std::string hash = HashPassword("sky1001");
    ASSERT_TRUE(IsPasswordHash(hash)) << hash;
    EXPECT_EQ(hash.rfind("$y$", 0), 0u);
    EXPECT_EQ(hash.find("sky1001"), std::string::npos);
    EXPECT_TRUE(VerifyPassword("sky1001", hash));
    for (const char* wrong : {"sky1002", "Sky1001", "sky100", "sky10011", ""}) EXPECT_FALSE(VerifyPassword(wrong, hash)) << wrong;
    // salted: the same password never gives the same text twice
    EXPECT_NE(HashPassword("sky1001"), hash);
    // Korean passwords are hashed as typed
    EXPECT_TRUE(VerifyPassword("하늘1001", HashPassword("하늘1001")));
}

TEST(PasswordHash, StoredValuesThatAreNoHashOpenNothing)
{
    // What an old cashier file or an unmigrated server might hold: clear
    // text, the old scramble, empty text, a weak crypt format.
    const std::string stored[] = {"",
                                  "sky1001",
                                  EncryptPassword("sky1001", kCashierFileKey),
                                  "$1$abcdefgh$abcdefghijklmnopqrstuv",
                                  "$y$j9T$short",
                                  "$2b$10$" + std::string(53, '!')};
    for (const std::string& value : stored) {
        EXPECT_FALSE(IsPasswordHash(value)) << value;
        EXPECT_FALSE(VerifyPassword("sky1001", value)) << value;
        EXPECT_FALSE(VerifyPassword(value, value)) << value;
        EXPECT_EQ(KeepOnlyPasswordHash(value), "") << value;
    }
    // a bcrypt hash as the server makes it (pgcrypto) is accepted
    const std::string bcrypt = "$2a$06$umD5yPDMfX1HqcX3pACsR.tNj5X0BMqcBDt5ZdeFmmpF0pGr2EV6G";  // "password"
    EXPECT_TRUE(IsPasswordHash(bcrypt));
    EXPECT_TRUE(VerifyPassword("password", bcrypt));
    EXPECT_FALSE(VerifyPassword("Password", bcrypt));
    EXPECT_EQ(KeepOnlyPasswordHash(bcrypt), bcrypt);
}

TEST(PasswordRule, NewPasswordsAreCheckedInOrder)
{
    const std::string current = HashPassword("sky1001");
    struct Case {
        const char* password;
        bool known;
        TPasswordRule expected;
    };
    const Case cases[] = {
        {"newpass1", false, TPasswordRule::UnknownCashier},  // checked first, before anything else
        {"1001", true, TPasswordRule::SameAsCashierNo},
        {"sky1001", true, TPasswordRule::SameAsCurrent},
        {"Sky1001", true, TPasswordRule::Ok},  // case counts
        {"abcd", true, TPasswordRule::BadLength},
        {"abcde", true, TPasswordRule::Ok},
        {"abcdefghij0123456789", true, TPasswordRule::Ok},
        {"abcdefghij0123456789x", true, TPasswordRule::BadLength},
        {"하늘", true, TPasswordRule::BadLength},    // 4 bytes
        {"하늘바다", true, TPasswordRule::Ok},        // 8 bytes
        {"하늘바다하늘바다하늘바", true, TPasswordRule::BadLength},  // 22 bytes
        {"abbbc1", true, TPasswordRule::RepeatedCharacter},
        {"abbcc1", true, TPasswordRule::Ok},
        {"ab111", true, TPasswordRule::RepeatedCharacter},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckNewPassword(c.password, "1001", c.known, current), c.expected) << c.password;
    EXPECT_EQ(CheckNewPassword("sky1001", "1001", true, ""), TPasswordRule::Ok);  // no current password

    EXPECT_EQ(PasswordRuleMessage(TPasswordRule::UnknownCashier), "등록되지 않은 사용자번호 입니다.");
    EXPECT_EQ(PasswordRuleMessage(TPasswordRule::SameAsCashierNo), "비밀번호와 사용자번호는 서로 달라야 합니다.");
    EXPECT_EQ(PasswordRuleMessage(TPasswordRule::SameAsCurrent), "기존 비밀번호와 다르게 입력하셔야 합니다.");
    EXPECT_EQ(PasswordRuleMessage(TPasswordRule::BadLength), "비밀번호는 5~20자리로 입력하셔야 합니다.");
    EXPECT_EQ(PasswordRuleMessage(TPasswordRule::RepeatedCharacter), "같은 글자를 4번 이상 반복 입력할 수 없습니다.");
}

TEST(PasswordScramble, KeyedStreamRoundTripsAsHexadecimal)
{
    EXPECT_EQ(EncryptPassword("", kCashierFileKey), "");
    // 'A' (0x41) xor the key's high byte (38161 = 0x9511) = 0xD4
    EXPECT_EQ(EncryptPassword("A", kCashierFileKey), "D4");
    const std::string scrambled = EncryptPassword("abc123", kCashierFileKey);
    EXPECT_EQ(scrambled.size(), 12u);
    EXPECT_EQ(scrambled.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    for (const std::uint16_t key : {std::uint16_t{0}, std::uint16_t{1}, kCashierFileKey, std::uint16_t{52906},
                                    std::uint16_t{65535}})
        for (const std::string& p : {std::string(), std::string("a"), std::string("abc123"), std::string("하늘바다"), std::string("\0\xff", 2)})
            EXPECT_EQ(DecryptPassword(EncryptPassword(p, key), key), p) << key;
    EXPECT_EQ(DecryptPassword(scrambled + "7", kCashierFileKey), "abc123");  // an odd last digit is ignored
}

TEST(LoginGuard, LocksANumberAfterFiveWrongPasswordsForFiveMinutes)
{
    TLoginGuard guard;
    const std::int64_t t = 1'000'000;
    for (int i = 1; i < TLoginGuard::kMaxWrongEntries; ++i) EXPECT_FALSE(guard.Wrong("1001", t + i));
    EXPECT_EQ(guard.LockedFor("1001", t + 10), 0);
    EXPECT_TRUE(guard.Wrong("1001", t + 10));
    EXPECT_EQ(guard.LockedFor("1001", t + 10), TLoginGuard::kLockSeconds);
    EXPECT_EQ(guard.LockedFor("1002", t + 10), 0);       // per number
    EXPECT_FALSE(guard.Wrong("1001", t + 20));            // no new lock while locked
    EXPECT_EQ(guard.LockedFor("1001", t + 20), TLoginGuard::kLockSeconds - 10);
    EXPECT_EQ(guard.LockedFor("1001", t + 10 + TLoginGuard::kLockSeconds), 0);
    EXPECT_FALSE(guard.Wrong("1001", t + 10 + TLoginGuard::kLockSeconds));  // counting starts again
    guard.Right("1001");
    for (int i = 1; i < TLoginGuard::kMaxWrongEntries; ++i) EXPECT_FALSE(guard.Wrong("1001", t + 400 + i));

    EXPECT_EQ(TLoginGuard::LockedNowMessage(), "비밀번호를 5번 잘못 입력하셨습니다.\r5분 후에 다시 입력하십시오.");
    EXPECT_EQ(TLoginGuard::StillLockedMessage(61), "비밀번호를 여러 번 잘못 입력하여 잠겨 있습니다.\r2분 후에 다시 입력하십시오.");
}

TEST(LoginGuard, StampSecondsCountAcrossDaysAndMonths)
{
    EXPECT_EQ(StampSeconds("19700101000000"), 0);
    EXPECT_EQ(*StampSeconds("20240301000000") - *StampSeconds("20240229235959"), 1);
    EXPECT_EQ(*StampSeconds("20250101000500") - *StampSeconds("20241231235500"), 600);
    for (const char* bad : {"", "20240230120000", "2024010512000", "20240105246000", "2024010512x000"})
        EXPECT_FALSE(StampSeconds(bad).has_value()) << bad;
}

TEST(BusinessDate, FollowsTheOutletGroupsHours)
{
    struct Case {
        const char* now;
        const char* open;
        const char* close;
        const char* date;  // "" = left as it stands
        bool editable;
    };
    const Case cases[] = {
        {"20240105050000", "060000", "230000", "20240104", false},
        {"20240105060000", "060000", "230000", "20240105", false},
        {"20240105120000", "060000", "230000", "20240105", false},
        {"20240105233000", "060000", "230000", "20240106", false},
        {"20240301050000", "060000", "230000", "20240229", false},  // across a month end
        {"20241231233000", "060000", "230000", "20250101", false},
        {"20240105223000", "220000", "", "20240106", true},         // only opening time, passed
        {"20240105220000", "220000", "", "", false},                // at it: left as it is
        {"20240105210000", "220000", "000000", "", false},          // 000000 is unset
        {"20240105013000", "", "020000", "20240104", false},        // only closing time
        {"20240105030000", "", "020000", "", false},
        {"20240105120000", "", "", "20240105", false},
        {"20240105050000", "6000", "2300", "20240105", false},      // malformed: unset
        {"20240105050000", "250000", "23a000", "20240105", false},
        // a business day running past midnight (open 10:00, close 02:00)
        {"20240105013000", "100000", "020000", "20240104", false},
        {"20240105120000", "100000", "020000", "20240105", false},
        {"20240105233000", "100000", "020000", "20240105", false},
    };
    for (const Case& c : cases) {
        const TBusinessDate got = BusinessDate(c.now, c.open, c.close);
        EXPECT_EQ(got.Date, c.date) << c.now << " " << c.open << "-" << c.close;
        EXPECT_EQ(got.Editable, c.editable) << c.now << " " << c.open << "-" << c.close;
    }
}

TEST(LoginMessages, FieldNamesDropTheirBlanks)
{
    EXPECT_EQ(WrongEntryMessage(kCaptionPassword), "비밀번호를(을) 잘못 입력하셨습니다.");
    EXPECT_EQ(WrongEntryMessage(kCaptionSaleDate), "판매일자를(을) 잘못 입력하셨습니다.");
    EXPECT_EQ(WrongEntryMessage(kCaptionPasswordOld), "기존비밀번호를(을) 잘못 입력하셨습니다.");
}

}  // namespace
}  // namespace pos::test
