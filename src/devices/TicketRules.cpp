#include "devices/TicketRules.h"

#include "core/DateHelpers.h"
#include "core/TextHelpers.h"
#include "devices/TicketMasterData.h"

namespace pos {

TTicketEnv MakeTicketEnv(const TTerminalContext& aContext, const TDeviceConfig& aConfig,
                         const TTicketMasterData& aMaster, const std::string& aToday)
{
    TTicketEnv env;
    env.testMode = aContext.gbTestMode;
    env.preSale = aContext.gbPreSale;
    env.saleDate = aContext.gsSaleDate;
    env.today = aToday;
    env.upjangCode = aContext.gsUpjangCode;
    env.masterUpjangCode = aContext.gsMasterUpjangCode;
    env.upjangSkiCamp = aContext.gsUpjangSkiCamp;
    env.upjangSkiSchool = aContext.gsUpjangSkiSchool;
    env.firstOutletName = aMaster.FirstOutletName();
    env.firstOutletEngName = aMaster.FirstOutletEngName();
    env.masterUpjangName = aContext.gsMasterUpjangName;
    env.ceoName = aContext.gsCEOName;
    env.ceoEngName = aContext.gsCEOEngName;
    env.tsp800TopMargin = aConfig.tsp800TopMargin;
    env.ticketMargin = aConfig.ticketMargin;
    return env;
}

TTicketRoute RouteTicket(int aPrinterNo, TPrinterType aModel, TTicketType aType)
{
    using enum TTicketType;
    auto in = [aType](std::initializer_list<TTicketType> aTypes) {
        for (TTicketType t : aTypes)
            if (t == aType) return true;
        return false;
    };
    if (aPrinterNo == 2) {
        bool takes = false;
        if (aModel == TPrinterType::ptTSP600) takes = in({ttRental, ttEtc, ttMini});
        if (aModel == TPrinterType::ptTSP700) takes = in({ttRental, ttEtc, ttMini, ttList, ttBig3, ttEvent});
        return takes ? TTicketRoute::Print : TTicketRoute::LeaveForOtherPrinter;
    }
    bool prints = false;
    switch (aModel) {
    case TPrinterType::ptTSP700: prints = in({ttLift, ttRental, ttEtc, ttMini, ttList, ttBig3, ttEvent}); break;
    case TPrinterType::ptTSP800: prints = aType == ttList; break;
    case TPrinterType::ptBoca:
    case TPrinterType::ptFlotec: prints = in({ttLift, ttRental, ttEtc, ttMini, ttList}); break;
    default: break;
    }
    return prints ? TTicketRoute::Print : TTicketRoute::CannotPrint;
}

std::string MonthOf(const std::string& aDate) { return aDate.size() >= 6 ? aDate.substr(4, 2) : std::string(); }
std::string DayOf(const std::string& aDate) { return aDate.size() >= 8 ? aDate.substr(6, 2) : std::string(); }

std::string LastDayText(const std::string& aFirstDay, const std::string& aDays)
{
    const std::int64_t days = StringToInteger(aDays);
    if (days < 2) return {};
    const std::optional<std::string> last = AddDays(aFirstDay, static_cast<int>(days - 1));
    return last ? "-" + DayOf(*last) : std::string();
}

int ValidityDays(const std::string& aKindText)
{
    if (aKindText.starts_with("30")) return 30;
    if (aKindText.empty()) return 0;
    switch (aKindText[0]) {
    case '2': case '3': case '4': case '5': case '7': return aKindText[0] - '0';
    default: return 0;
    }
}

std::optional<TDayRange> ValidityPeriod(const std::string& aKindText, const std::string& aSaleDate)
{
    const int days = ValidityDays(aKindText);
    if (days == 0) return std::nullopt;
    const std::optional<std::string> last = AddDays(aSaleDate, days - 1);
    if (!last) return std::nullopt;
    return TDayRange{DayOf(aSaleDate), DayOf(*last)};
}

std::string SeasonText(const std::string& aToday)
{
    if (aToday.size() < 6) return {};
    const std::int64_t year = StringToInteger(aToday.substr(0, 4));
    const std::int64_t month = StringToInteger(aToday.substr(4, 2));
    const std::int64_t from = month >= 10 ? year : year - 1;
    return std::to_string(from) + "/" + std::to_string(from + 1);
}

void PrepareSingleTicket(TTicketData& aJob)
{
    std::string& guest = aJob.Str(4);
    if (const std::size_t bracket = guest.find('('); bracket != std::string::npos) guest.erase(bracket);
    aJob.Str(5) = CopyStr(aJob.Str(5), 1, 12);
    aJob.Str(14) = LastDayText(aJob.Str(3), aJob.Str(14));
}

}  // namespace pos
