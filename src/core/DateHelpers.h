#pragma once
// Dates travel as "yyyymmdd", times as "hhnnss", time stamps as
// "yyyymmddhhnnss".

#include <optional>
#include <string>
#include <string_view>

namespace pos {

// "yyyymmdd" shown as yyyy + sep + mm + sep + dd when it is a real date; an
// invalid date gives empty text with aEmptyWhenError, else aDate unchanged.
std::string DateToString(std::string_view aDate, char aSepChar = '-', bool aEmptyWhenError = false);

// True when aDate is eight digits naming a real calendar date.
bool IsValidDate(std::string_view aDate);

// aDate plus aDays as "yyyymmdd"; nullopt when aDate is not a real date.
std::optional<std::string> AddDays(std::string_view aDate, int aDays);

// Local date plus aAddDay days as "yyyymmdd".
std::string GetSysDate(int aAddDay = 0);

// Local time as "hhnnss" and the local time stamp as "yyyymmddhhnnss".
std::string GetSysTime();
std::string GetSysTimeStamp();

}  // namespace pos
