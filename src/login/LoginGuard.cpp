#include "login/LoginGuard.h"

#include "core/DateHelpers.h"

namespace pos {

std::int64_t TLoginGuard::LockedFor(const std::string& aCashierNo, std::int64_t aNow) const
{
    const auto it = entries_.find(aCashierNo);
    if (it == entries_.end() || it->second.lockedUntil <= aNow) return 0;
    return it->second.lockedUntil - aNow;
}

bool TLoginGuard::Wrong(const std::string& aCashierNo, std::int64_t aNow)
{
    TEntry& entry = entries_[aCashierNo];
    if (entry.lockedUntil != 0 && entry.lockedUntil <= aNow) entry = TEntry{};  // the lock has run out
    if (entry.lockedUntil > aNow) return false;
    if (++entry.wrong < kMaxWrongEntries) return false;
    entry.lockedUntil = aNow + kLockSeconds;
    return true;
}

void TLoginGuard::Right(const std::string& aCashierNo)
{
    entries_.erase(aCashierNo);
}

std::string TLoginGuard::LockedNowMessage()
{
    return "비밀번호를 " + std::to_string(kMaxWrongEntries) + "번 잘못 입력하셨습니다.\r" +
           std::to_string(kLockSeconds / 60) + "분 후에 다시 입력하십시오.";
}

std::string TLoginGuard::StillLockedMessage(std::int64_t aSeconds)
{
    const std::int64_t minutes = (aSeconds + 59) / 60;
    return "비밀번호를 여러 번 잘못 입력하여 잠겨 있습니다.\r" + std::to_string(minutes) +
           "분 후에 다시 입력하십시오.";
}

std::optional<std::int64_t> StampSeconds(std::string_view aStamp)
{
    if (aStamp.size() != 14 || !IsValidDate(aStamp.substr(0, 8))) return std::nullopt;
    int v[6];
    const int widths[6] = {4, 2, 2, 2, 2, 2};
    std::size_t pos = 0;
    for (int i = 0; i < 6; ++i) {
        v[i] = 0;
        for (int k = 0; k < widths[i]; ++k, ++pos) {
            const char c = aStamp[pos];
            if (c < '0' || c > '9') return std::nullopt;
            v[i] = v[i] * 10 + (c - '0');
        }
    }
    if (v[3] > 23 || v[4] > 59 || v[5] > 59) return std::nullopt;
    // Days from the civil date (proleptic Gregorian).
    const int y = v[0] - (v[1] <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int mp = (v[1] + 9) % 12;
    const int doy = (153 * mp + 2) / 5 + v[2] - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const std::int64_t days = static_cast<std::int64_t>(era) * 146097 + doe - 719468;
    return days * 86400 + v[3] * 3600 + v[4] * 60 + v[5];
}

}  // namespace pos
