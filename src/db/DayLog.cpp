#include "db/DayLog.h"

#include "core/Codec.h"
#include "core/DateHelpers.h"
#include "core/FileIO.h"

#include <cstdio>

namespace pos {

std::filesystem::path DayLogPath(const TTerminalContext& aContext)
{
    const std::string day = aContext.gsToday.empty() ? GetSysDate(0) : aContext.gsToday;
    return std::filesystem::path(aContext.gsFolder) / "Log" / (day + ".log");
}

std::string FormatLogEntry(std::string_view aProcedureName, std::string_view aMessage, std::time_t aTime)
{
    std::tm tm{};
    localtime_r(&aTime, &tm);
    // A twelve-hour clock behind the morning/afternoon marker: 0 h shows as 12.
    const int hour12 = tm.tm_hour % 12 == 0 ? 12 : tm.tm_hour % 12;
    char date[40], time[24];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
    std::snprintf(time, sizeof time, "%02d:%02d", hour12, tm.tm_min);
    const std::string head = std::string(date) + (tm.tm_hour < 12 ? " 오전 " : " 오후 ") + time;
    std::string entry = "[" + head + " " + std::string(aProcedureName) + "]\r\n";
    entry += aMessage;
    entry += "\r\n\r\n";
    return entry;
}

bool WriteLogFile(const TTerminalContext& aContext, std::string_view aProcedureName, std::string_view aMessage) noexcept
{
    if (aMessage.empty()) return false;
    try {
        const std::filesystem::path file = DayLogPath(aContext);
        std::error_code ignored;
        std::filesystem::create_directories(file.parent_path(), ignored);
        return AppendToFile(file, ToCp949(FormatLogEntry(aProcedureName, aMessage, std::time(nullptr))),
                            TFileAccess::OwnerOnly);
    } catch (...) {
        // Out of memory or a file-system exception: the log entry is lost,
        // the caller's failure handling is not.
        return false;
    }
}

}  // namespace pos
