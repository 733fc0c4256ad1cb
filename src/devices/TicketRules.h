#pragma once
// What every ticket printer shares: the values of the terminal a ticket
// shows, which printer prints which kind of job, and the rules that turn the
// fields of a single ticket into what is printed (period of validity, season,
// last day).

#include "core/TerminalConfig.h"
#include "devices/TicketJobs.h"

#include <cstdint>
#include <optional>
#include <string>

namespace pos {

// The terminal's values a ticket run prints, read once when the run starts.
struct TTicketEnv {
    bool testMode = false;        // gbTestMode: "SAMPLE" on every ticket
    bool preSale = false;         // gbPreSale: advance sale marks
    std::string saleDate;         // gsSaleDate: periods of validity start on it
    std::string today;            // "yyyymmdd": season and bar code
    std::string upjangCode;       // gsUpjangCode
    std::string masterUpjangCode; // gsMasterUpjangCode
    std::string upjangSkiCamp, upjangSkiSchool;
    std::string firstOutletName, firstOutletEngName;
    std::string masterUpjangName, ceoName, ceoEngName;
    std::int64_t tsp800TopMargin = 0;  // tens of dots
    std::int64_t ticketMargin = 0;     // tens of dots, Boca and Flotec columns
};

class TTicketMasterData;
TTicketEnv MakeTicketEnv(const TTerminalContext& aContext, const TDeviceConfig& aConfig,
                         const TTicketMasterData& aMaster, const std::string& aToday);

// What a printer position does with a pending job: print it, leave it for
// the other printer (printer 2 takes only some kinds; printer 1 prints after
// it), or find that it has no layout for it.
enum class TTicketRoute { Print, LeaveForOtherPrinter, CannotPrint };
TTicketRoute RouteTicket(int aPrinterNo, TPrinterType aModel, TTicketType aType);

// "mm" and "dd" of a "yyyymmdd" date (empty when it is too short).
std::string MonthOf(const std::string& aDate);
std::string DayOf(const std::string& aDate);

// The ticket's last day of validity as "-dd" when it is valid for two days
// or more (aDays counted from aFirstDay), else empty.
std::string LastDayText(const std::string& aFirstDay, const std::string& aDays);

// The days a kind text ("3일권", "30일권") is valid: its leading number when it
// begins with "30" or with one of 2, 3, 4, 5, 7; else 0 (no period).
int ValidityDays(const std::string& aKindText);
// The first and last day of month ("dd") of the period of validity starting
// on aSaleDate; nullopt when the kind has no period.
struct TDayRange {
    std::string first, last;
};
std::optional<TDayRange> ValidityPeriod(const std::string& aKindText, const std::string& aSaleDate);

// The ski season today falls in: "2006/2007" from October 2006 to September
// 2007.
std::string SeasonText(const std::string& aToday);

// The cuts every single ticket gets before it is laid out: the guest class
// without its bracketed note, the small text cut to 12 bytes, the days of
// validity as the "-dd" of the last day.
void PrepareSingleTicket(TTicketData& aJob);

}  // namespace pos
