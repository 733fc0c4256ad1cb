#pragma once
// Cashier passwords. A password is never kept, sent or written in clear or
// under a reversible scramble: the server, "Cashier.dat" and the cashier list
// in memory hold a salted one-way hash in the crypt(3) format of libcrypt.
// The terminal makes yescrypt hashes ("$y$..."); it also accepts the bcrypt
// hashes ("$2a$...") the server makes itself when a password arrives there in
// clear (a manager resetting a cashier to the cashier number). Anything else
// stored as a password (empty text, a clear or scrambled value of an old
// "Cashier.dat") matches no typed password, so such a cashier cannot sign on
// until the server has given the terminal a hash.

#include <cstdint>
#include <string>
#include <string_view>

namespace pos {

class TMasterStore;

// True when aStored is a hash this terminal verifies (yescrypt or bcrypt in
// a well-formed crypt setting).
bool IsPasswordHash(std::string_view aStored);

// A fresh salted yescrypt hash of aPassword; empty text when the system
// could not make one (no randomness): the caller then stores nothing.
std::string HashPassword(std::string_view aPassword);

// True when aPassword is the password aStoredHash was made from. False for a
// stored value that is not a hash. The comparison takes the same time
// whichever byte differs.
bool VerifyPassword(std::string_view aPassword, std::string_view aStoredHash);

// A cashier password value as it may be kept: a hash stays, anything else
// becomes empty text. Installed as both password hooks of the master store,
// so "Cashier.dat" holds the server's hash unchanged and a clear or scrambled
// value (an old file, a server that was not migrated) is never loaded into
// memory nor written to disk.
std::string KeepOnlyPasswordHash(const std::string& aValue);
void InstallCashierPasswordHooks(TMasterStore& aStore);

// What is wrong with a new password, checked in this order.
enum class TPasswordRule {
    Ok,
    UnknownCashier,    // the cashier number has no named cashier
    SameAsCashierNo,   // equal to the cashier number
    SameAsCurrent,     // equal to the current password (checked against its hash)
    BadLength,         // fewer than 5 or more than 20 bytes (CP949)
    RepeatedCharacter  // the same byte three times in a row
};
// aCurrentHash may be empty (no current password). Comparisons are exact and
// case-sensitive.
TPasswordRule CheckNewPassword(std::string_view aPassword, std::string_view aCashierNo, bool aCashierKnown,
                               std::string_view aCurrentHash);
// The message shown for a refused rule (empty for Ok).
std::string PasswordRuleMessage(TPasswordRule aRule);

// The keyed byte stream of the old terminal: two upper-case hexadecimal
// digits per scrambled byte. No cashier password goes through it any more;
// it stays for the update tool's scrambled values that share the stream.
inline constexpr std::uint16_t kCashierFileKey = 38161;
std::string EncryptPassword(std::string_view aPassword, std::uint16_t aKey);
// The inverse under the same key; an odd last digit is ignored, and reading
// stops at the first pair that is not hexadecimal.
std::string DecryptPassword(std::string_view aPassword, std::uint16_t aKey);

}  // namespace pos
