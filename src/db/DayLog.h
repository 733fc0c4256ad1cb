#pragma once
// The day log: gsFolder + "Log/" + day + ".log", day being gsToday or, before
// the first login, today's date. Each entry is three CP949 lines:
//   "[" + "yyyy-mm-dd 오전|오후 hh:nn" + " " + procedure name + "]"
//   the message
//   an empty line
// The log serves failures: writing it never throws and never stops the
// caller's own failure handling (its rollback above all). Log files are
// readable by the terminal's user only (an older, shared one is tightened at
// its next entry): even masked, they tell what the terminal did.

#include "core/TerminalContext.h"

#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

namespace pos {

// File the entries of now go to.
std::filesystem::path DayLogPath(const TTerminalContext& aContext);

// The entry as written (UTF-8) for the local time aTime.
std::string FormatLogEntry(std::string_view aProcedureName, std::string_view aMessage, std::time_t aTime);

// Appends an entry; nothing for an empty message. False when the entry could
// not be written (the caller goes on all the same).
bool WriteLogFile(const TTerminalContext& aContext, std::string_view aProcedureName, std::string_view aMessage) noexcept;

}  // namespace pos
