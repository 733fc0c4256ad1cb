#include "sales/receipt/BillHeader.h"

#include "core/DateHelpers.h"
#include "core/TerminalContext.h"
#include "core/TextHelpers.h"
#include "sales/receipt/ReceiptFormat.h"
#include "store/MasterStore.h"

#include <cstdio>

namespace pos {
namespace {

std::string tableMark(std::int64_t aTableNo)
{
    char digits[32];
    std::snprintf(digits, sizeof digits, "%04lld", static_cast<long long>(aTableNo));
    return std::string("(T") + digits + ")";
}

}  // namespace

std::string ClockTime(const std::string& aTime)
{
    if (aTime.find(':') != std::string::npos || aTime.size() < 4) return aTime;
    return aTime.substr(0, 2) + ":" + aTime.substr(2, 2);
}

std::string BillHeaderLine(const TTerminalContext& aContext, const std::string& aTime, bool aTableOutlet)
{
    const std::string who = aTableOutlet ? tableMark(aContext.giTableNo) : std::string("담당:");
    return LeftIn(DateToString(aContext.gsToday, '-', true), 11) + LeftIn(ClockTime(aTime), 6) +
           RightIn(aContext.gsMasterUpjangCode, 4) + "-" + RightIn(aContext.gsMasterPosNo, 2) + "-" +
           RightIn(aContext.gsBillNo, 4) + RightIn(who, 7) + LeftIn(Cut(aContext.gsCashierName, 6), 6);
}

bool IsTableOutlet(const TTerminalContext& aContext, const TMasterStore& aStore)
{
    return aStore.GetUpjangData(aContext.gsMasterUpjangCode, UpjangItem::FirstFormCode).asText() ==
           aContext.gsFormOrderTable;
}

}  // namespace pos
