#include "login/Password.h"

#include "core/Codec.h"
#include "store/MasterStore.h"

#include <crypt.h>

#include <array>
#include <cctype>
#include <cstring>
#include <memory>

namespace pos {

namespace {

bool startsWith(std::string_view aText, std::string_view aPrefix)
{
    return aText.substr(0, aPrefix.size()) == aPrefix;
}

// Scratch of crypt_rn. It holds the password while hashing, so it is wiped
// before it goes back to the heap.
struct TCryptScratch {
    crypt_data data{};
    ~TCryptScratch()
    {
        volatile unsigned char* bytes = reinterpret_cast<volatile unsigned char*>(&data);
        for (std::size_t i = 0; i < sizeof data; ++i) bytes[i] = 0;
    }
};

bool equalInConstantTime(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    unsigned char diff = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a[i]) ^ static_cast<unsigned char>(b[i]);
    return diff == 0;
}

// The hash of aPassword under aSetting; empty when libcrypt refuses.
std::string cryptWith(std::string_view aPassword, const std::string& aSetting)
{
    // A password with a NUL byte cannot be passed to crypt; it is simply no
    // password of ours.
    if (aPassword.find('\0') != std::string_view::npos) return {};
    const std::string phrase(aPassword);
    auto scratch = std::make_unique<TCryptScratch>();
    const char* hashed = crypt_rn(phrase.c_str(), aSetting.c_str(), &scratch->data, sizeof scratch->data);
    if (hashed == nullptr || hashed[0] == '*') return {};
    return hashed;
}

}  // namespace

bool IsPasswordHash(std::string_view aStored)
{
    if (!startsWith(aStored, "$y$") && !startsWith(aStored, "$2a$") && !startsWith(aStored, "$2b$") &&
        !startsWith(aStored, "$2y$"))
        return false;
    for (const char c : aStored)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '/' || c == '$')) return false;
    const std::string stored(aStored);
    return crypt_checksalt(stored.c_str()) == CRYPT_SALT_OK && aStored.size() >= 50;
}

std::string HashPassword(std::string_view aPassword)
{
    std::array<char, CRYPT_GENSALT_OUTPUT_SIZE> setting{};
    if (crypt_gensalt_rn("$y$", 0, nullptr, 0, setting.data(), static_cast<int>(setting.size())) == nullptr) return {};
    std::string hashed = cryptWith(aPassword, setting.data());
    return IsPasswordHash(hashed) ? hashed : std::string();
}

bool VerifyPassword(std::string_view aPassword, std::string_view aStoredHash)
{
    if (!IsPasswordHash(aStoredHash)) return false;
    const std::string computed = cryptWith(aPassword, std::string(aStoredHash));
    return !computed.empty() && equalInConstantTime(computed, aStoredHash);
}

std::string KeepOnlyPasswordHash(const std::string& aValue)
{
    return IsPasswordHash(aValue) ? aValue : std::string();
}

void InstallCashierPasswordHooks(TMasterStore& aStore)
{
    aStore.ScramblePassword = KeepOnlyPasswordHash;
    aStore.UnscramblePassword = KeepOnlyPasswordHash;
}

TPasswordRule CheckNewPassword(std::string_view aPassword, std::string_view aCashierNo, bool aCashierKnown,
                               std::string_view aCurrentHash)
{
    if (!aCashierKnown) return TPasswordRule::UnknownCashier;
    if (aPassword == aCashierNo) return TPasswordRule::SameAsCashierNo;
    if (!aCurrentHash.empty() && VerifyPassword(aPassword, aCurrentHash)) return TPasswordRule::SameAsCurrent;
    const std::string bytes = ToCp949(aPassword);
    if (bytes.size() < 5 || bytes.size() > 20) return TPasswordRule::BadLength;
    for (std::size_t i = 2; i < bytes.size(); ++i)
        if (bytes[i] == bytes[i - 1] && bytes[i] == bytes[i - 2]) return TPasswordRule::RepeatedCharacter;
    return TPasswordRule::Ok;
}

std::string PasswordRuleMessage(TPasswordRule aRule)
{
    switch (aRule) {
    case TPasswordRule::Ok: return {};
    case TPasswordRule::UnknownCashier: return "등록되지 않은 사용자번호 입니다.";
    case TPasswordRule::SameAsCashierNo: return "비밀번호와 사용자번호는 서로 달라야 합니다.";
    case TPasswordRule::SameAsCurrent: return "기존 비밀번호와 다르게 입력하셔야 합니다.";
    case TPasswordRule::BadLength: return "비밀번호는 5~20자리로 입력하셔야 합니다.";
    case TPasswordRule::RepeatedCharacter: return "같은 글자를 4번 이상 반복 입력할 수 없습니다.";
    }
    return {};
}

namespace {

std::uint16_t nextKey(std::uint8_t aScrambled, std::uint16_t aKey)
{
    return static_cast<std::uint16_t>((static_cast<std::uint32_t>(aScrambled) + aKey) * 27253u + 16729u);
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::string EncryptPassword(std::string_view aPassword, std::uint16_t aKey)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(aPassword.size() * 2);
    std::uint16_t key = aKey;
    for (const char ch : aPassword) {
        const auto c = static_cast<std::uint8_t>(static_cast<std::uint8_t>(ch) ^ (key >> 8));
        out += kDigits[c >> 4];
        out += kDigits[c & 0x0F];
        key = nextKey(c, key);
    }
    return out;
}

std::string DecryptPassword(std::string_view aPassword, std::uint16_t aKey)
{
    std::string out;
    std::uint16_t key = aKey;
    for (std::size_t i = 0; i + 1 < aPassword.size(); i += 2) {
        const int high = hexValue(aPassword[i]);
        const int low = hexValue(aPassword[i + 1]);
        if (high < 0 || low < 0) break;
        const auto c = static_cast<std::uint8_t>(high * 16 + low);
        out += static_cast<char>(c ^ (key >> 8));
        key = nextKey(c, key);
    }
    return out;
}

}  // namespace pos
