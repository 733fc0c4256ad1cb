#pragma once
// Dates travel as "yyyymmdd", times as "hhnnss", time stamps as
// "yyyymmddhhnnss".

#include <cstdint>
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

// The terminal keeps the server's clock without setting the computer's: the
// offset (server minus local, seconds) is added to every reading below.
void SetClockOffset(std::int64_t aSeconds);
std::int64_t ClockOffset();
// The offset that makes the local clock read aServerStamp ("yyyymmddhhnnss",
// local time of the resort); nullopt for a stamp that is not a time.
std::optional<std::int64_t> ClockOffsetTo(std::string_view aServerStamp);

// Local date plus aAddDay days as "yyyymmdd".
std::string GetSysDate(int aAddDay = 0);

// Local time as "hhnnss" and the local time stamp as "yyyymmddhhnnss".
std::string GetSysTime();
std::string GetSysTimeStamp();

}  // namespace pos
