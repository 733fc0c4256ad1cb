#include "core/DateHelpers.h"

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

std::tm localNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return tm;
}

}  // namespace

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
