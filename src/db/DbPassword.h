#pragma once
// The database password of "ZoUpdate.ini" (section "PROGRAM", key "PASS"),
// a file the terminal shares with the program-update tool. The value is
// scrambled twice: the password is enciphered under a 16-bit key and written
// as hexadecimal text; the first 32 bytes of that text are then shifted by
// the SecretCode table and the result written as hexadecimal again.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace pos {

// Key of the database password.
inline constexpr std::uint16_t kDBPasswordKey = 52906;

// Shifts of the first 32 bytes; only the low byte of each entry counts.
inline constexpr std::array<std::uint16_t, 32> SecretCode = {
    0x3A71, 0x1C0E, 0x52B3, 0x0F27, 0x6D95, 0x2848, 0x71D2, 0x4B0C, 0x19E6, 0x6633, 0x0A5F, 0x3C81,
    0x57AA, 0x2E14, 0x4479, 0x7B3D, 0x05C8, 0x6E52, 0x31B7, 0x2A09, 0x4F6E, 0x13D4, 0x68A1, 0x0C3B,
    0x75F0, 0x2267, 0x4D1A, 0x3888, 0x61C5, 0x1729, 0x5E4F, 0x0793};

// The clear text of a scrambled value; text that is not hexadecimal ends
// the reading where it stops being so.
std::string Decrypt(std::string_view aStr, std::uint16_t aKey);
// The scrambled value Decrypt turns back into aStr.
std::string Encrypt(std::string_view aStr, std::uint16_t aKey);

// The password for aUser: "PASS" of "ZoUpdate.ini" in aFolder unscrambled,
// or aUser itself when that value is empty or missing.
std::string GetDBPassword(const std::filesystem::path& aFolder, const std::string& aUser);

// Writes aPassword scrambled as "PASS" of section "PROGRAM" of the ini file
// aIniPath, keeping everything else in it. False with aError on failure.
bool WriteDBPassword(const std::filesystem::path& aIniPath, std::string_view aPassword, std::string* aError = nullptr);

}  // namespace pos
