#include "db/DbPassword.h"

#include "core/IniFile.h"
#include "core/TextHelpers.h"

namespace pos {
namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string fromHex(std::string_view aHex)
{
    std::string bytes;
    for (std::size_t i = 0; i + 1 < aHex.size(); i += 2) {
        const int hi = hexDigit(aHex[i]), lo = hexDigit(aHex[i + 1]);
        if (hi < 0 || lo < 0) break;
        bytes.push_back(static_cast<char>(hi * 16 + lo));
    }
    return bytes;
}

std::string toHex(std::string_view aBytes)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (unsigned char c : aBytes) {
        hex.push_back(digits[c >> 4]);
        hex.push_back(digits[c & 15]);
    }
    return hex;
}

// Adds (aSign +1) or takes away (-1) the SecretCode shifts of the first 32 bytes.
std::string shiftBySecretCode(std::string aBytes, int aSign)
{
    for (std::size_t i = 0; i < aBytes.size() && i < SecretCode.size(); ++i)
        aBytes[i] = static_cast<char>(static_cast<unsigned char>(aBytes[i]) + aSign * (SecretCode[i] & 0xFF));
    return aBytes;
}

std::uint16_t nextKey(unsigned char aCipher, std::uint16_t aKey)
{
    return static_cast<std::uint16_t>((aCipher + aKey) * 27253u + 16729u);
}

}  // namespace

std::string Decrypt(std::string_view aStr, std::uint16_t aKey)
{
    const std::string inner = TrimCopy(shiftBySecretCode(fromHex(aStr), +1));
    std::string clear;
    for (unsigned char c : fromHex(inner)) {
        clear.push_back(static_cast<char>(c ^ (aKey >> 8)));
        aKey = nextKey(c, aKey);
    }
    return clear;
}

std::string Encrypt(std::string_view aStr, std::uint16_t aKey)
{
    std::string cipher;
    for (unsigned char p : aStr) {
        const auto c = static_cast<unsigned char>(p ^ (aKey >> 8));
        cipher.push_back(static_cast<char>(c));
        aKey = nextKey(c, aKey);
    }
    return toHex(shiftBySecretCode(toHex(cipher), -1));
}

std::string GetDBPassword(const std::filesystem::path& aFolder, const std::string& aUser)
{
    const std::string scrambled = IniFile::load(aFolder / "ZoUpdate.ini").readString("PROGRAM", "PASS");
    return scrambled.empty() ? aUser : Decrypt(scrambled, kDBPasswordKey);
}

bool WriteDBPassword(const std::filesystem::path& aIniPath, std::string_view aPassword, std::string* aError)
{
    IniFile ini = IniFile::load(aIniPath);
    ini.writeString("PROGRAM", "PASS", Encrypt(aPassword, kDBPasswordKey));
    return ini.save(aIniPath, aError);
}

}  // namespace pos
