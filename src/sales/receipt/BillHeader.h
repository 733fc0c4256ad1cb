#pragma once
// The header line of a bill ("gsPrintHeader"): date, time, outlet, POS and
// bill number, the table or the cashier. The tender part and the card slips
// are composed before the sale part and carry the same line, so it is made
// here once per bill and handed to each of them.

#include <cstdint>
#include <string>

namespace pos {

struct TTerminalContext;
class TMasterStore;

// "%-11s%-6s%4s-%2s-%4s%7s%-6s": today's date (yyyy-mm-dd), the time (hh:nn),
// the own outlet, POS number and bill number, "(T0012)" at a table outlet or
// "  담당:" elsewhere, and the cashier's name cut to 6 columns; 42 columns.
// It always shows today's date and the current bill number, also during a
// pre-sale. aTime: "hhnnss" as the clock gives it, or already "hh:nn".
std::string BillHeaderLine(const TTerminalContext& aContext, const std::string& aTime, bool aTableOutlet);

// "hhnnss" (or "hhnn") as "hh:nn"; a time already written with a colon
// stays as it is.
std::string ClockTime(const std::string& aTime);

// The same line of a bill told by its own fields (a stored bill read back).
struct TBillHeaderFields {
    std::string date;         // "yyyymmdd"
    std::string time;         // "hhnnss" or "hh:nn"
    std::string upjangCode, posNo, billNo;
    bool table = false;       // "(T" + tableNo + ")" instead of the cashier mark
    std::int64_t tableNo = 0;
    std::string cashierName;
};
std::string BillHeaderLine(const TBillHeaderFields& aFields);

// True when the own outlet's first screen is the table order screen.
bool IsTableOutlet(const TTerminalContext& aContext, const TMasterStore& aStore);

}  // namespace pos
