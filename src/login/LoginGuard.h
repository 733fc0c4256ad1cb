#pragma once
// The lock-out of wrong passwords. Every place that checks a typed password
// against a cashier (the sign-on, the old password of a password change, the
// manager check, opening the set-up) reports here, so guessing cannot move
// from one field to another. After kMaxWrongEntries wrong passwords in a row
// the cashier number is locked for kLockSeconds; while it is locked no
// password of that number is even checked. A right password clears the count.
//
// The guard lives as long as the program (the start-up owns one and hands it
// to every login and manager check), so closing and reopening a screen does
// not reset it. Time comes in from the caller, in seconds.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace pos {

class TLoginGuard {
public:
    static constexpr int kMaxWrongEntries = 5;
    static constexpr std::int64_t kLockSeconds = 300;

    // Seconds the number is still locked at aNow; 0 when it is not.
    std::int64_t LockedFor(const std::string& aCashierNo, std::int64_t aNow) const;
    // A wrong password for the number; true when this one locked it.
    bool Wrong(const std::string& aCashierNo, std::int64_t aNow);
    // A right password: the count starts again.
    void Right(const std::string& aCashierNo);

    // Message when the number has just been locked, and while it is locked.
    static std::string LockedNowMessage();
    static std::string StillLockedMessage(std::int64_t aSeconds);

private:
    struct TEntry {
        int wrong = 0;
        std::int64_t lockedUntil = 0;
    };
    std::map<std::string, TEntry> entries_;
};

// Seconds since 1970-01-01 of a time stamp "yyyymmddhhnnss" read as it stands
// (no time zone: only differences between stamps matter); nullopt when the
// text is not such a stamp.
std::optional<std::int64_t> StampSeconds(std::string_view aStamp);

}  // namespace pos
