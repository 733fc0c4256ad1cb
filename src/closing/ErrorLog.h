#pragma once
// The day log read back for its upload at a close: the entries the terminal
// wrote (see db/DayLog.h), each a header line "[" + stamp + " " + procedure
// + "]" followed by its message lines.

#include <string>
#include <string_view>
#include <vector>

namespace pos {

struct TErrLog {
    std::string Time;               // "오전 hh:nn" or "오후 hh:nn"
    std::string Proc;               // the procedure name
    std::vector<std::string> Text;  // the lines up to the next entry

    bool operator==(const TErrLog&) const = default;
};

// The entries of a day log's bytes (CP949, CRLF or LF line ends), as UTF-8.
// A line wider than 24 columns that begins with the stamp "[yyyy-mm-dd "
// opens an entry: Time is columns 13-22 (the stamp without its date), Proc
// columns 24 to the last but one (the closing bracket dropped). Lines before
// the first entry are no one's and are dropped. A database failure is logged
// as "[SQLSTATE] message": it starts with "[" too, but it is a message line
// of its entry, never an entry of its own.
std::vector<TErrLog> ParseErrorLog(std::string_view aCp949FileBytes);

}  // namespace pos
