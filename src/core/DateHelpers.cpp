#include "core/DateHelpers.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace pos {
namespace {

std::optional<std::chrono::year_month_day> parseDate(std::string_view aDate)
{
    if (aDate.size() != 8) return std::nullopt;
    for (char c : aDate)
        if (c < '0' || c > '9') return std::nullopt;
    auto num = [&](std::size_t from, std::size_t len) {
        int v = 0;
        for (std::size_t i = from; i < from + len; ++i) v = v * 10 + (aDate[i] - '0');
        return v;
    };
    const std::chrono::year_month_day ymd{std::chrono::year{num(0, 4)}, std::chrono::month{unsigned(num(4, 2))},
                                          std::chrono::day{unsigned(num(6, 2))}};
    if (!ymd.ok()) return std::nullopt;
    return ymd;
}

std::string formatDate(const std::chrono::year_month_day& ymd)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d%02u%02u", int(ymd.year()), unsigned(ymd.month()), unsigned(ymd.day()));
    return buf;
}

std::atomic<std::int64_t> gClockOffset{0};

std::tm localNow()
{
    const std::time_t now = std::time(nullptr) + static_cast<std::time_t>(gClockOffset.load());
    std::tm tm{};
    localtime_r(&now, &tm);
    return tm;
}

}  // namespace

void SetClockOffset(std::int64_t aSeconds) { gClockOffset.store(aSeconds); }

std::int64_t ClockOffset() { return gClockOffset.load(); }

std::optional<std::int64_t> ClockOffsetTo(std::string_view aServerStamp)
{
    if (aServerStamp.size() != 14 || !IsValidDate(aServerStamp.substr(0, 8))) return std::nullopt;
    int hms[3];
    for (int i = 0; i < 3; ++i) {
        const std::string_view part = aServerStamp.substr(8 + 2 * static_cast<std::size_t>(i), 2);
        if (part[0] < '0' || part[0] > '9' || part[1] < '0' || part[1] > '9') return std::nullopt;
        hms[i] = (part[0] - '0') * 10 + (part[1] - '0');
    }
    if (hms[0] > 23 || hms[1] > 59 || hms[2] > 59) return std::nullopt;
    std::tm tm{};
    tm.tm_year = std::stoi(std::string(aServerStamp.substr(0, 4))) - 1900;
    tm.tm_mon = std::stoi(std::string(aServerStamp.substr(4, 2))) - 1;
    tm.tm_mday = std::stoi(std::string(aServerStamp.substr(6, 2)));
    tm.tm_hour = hms[0];
    tm.tm_min = hms[1];
    tm.tm_sec = hms[2];
    tm.tm_isdst = -1;
    const std::time_t server = std::mktime(&tm);
    if (server == static_cast<std::time_t>(-1)) return std::nullopt;
    return static_cast<std::int64_t>(server - std::time(nullptr));
}

bool IsValidDate(std::string_view aDate) { return parseDate(aDate).has_value(); }

std::string DateToString(std::string_view aDate, char aSepChar, bool aEmptyWhenError)
{
    if (!IsValidDate(aDate)) return aEmptyWhenError ? std::string() : std::string(aDate);
    std::string out;
    out.append(aDate.substr(0, 4)).append(1, aSepChar).append(aDate.substr(4, 2)).append(1, aSepChar).append(aDate.substr(6, 2));
    return out;
}

std::optional<std::string> AddDays(std::string_view aDate, int aDays)
{
    const auto ymd = parseDate(aDate);
    if (!ymd) return std::nullopt;
    return formatDate(std::chrono::year_month_day{std::chrono::sys_days{*ymd} + std::chrono::days{aDays}});
}

std::string GetSysDate(int aAddDay)
{
    const std::tm tm = localNow();
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
    return aAddDay == 0 ? std::string(buf) : AddDays(buf, aAddDay).value_or(buf);
}

std::string GetSysTime()
{
    const std::tm tm = localNow();
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d%02d%02d", tm.tm_hour, tm.tm_min, tm.tm_sec);
    return buf;
}

std::string GetSysTimeStamp()
{
    const std::tm tm = localNow();  // one reading, so date and time agree at midnight
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d%02d%02d%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                  tm.tm_hour, tm.tm_min, tm.tm_sec);
    return buf;
}

}  // namespace pos
