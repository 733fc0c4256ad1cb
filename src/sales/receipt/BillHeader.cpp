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

std::string BillHeaderLine(const TBillHeaderFields& aFields)
{
    const std::string who = aFields.table ? tableMark(aFields.tableNo) : std::string("담당:");
    return LeftIn(DateToString(aFields.date, '-', true), 11) + LeftIn(ClockTime(aFields.time), 6) +
           RightIn(aFields.upjangCode, 4) + "-" + RightIn(aFields.posNo, 2) + "-" + RightIn(aFields.billNo, 4) +
           RightIn(who, 7) + LeftIn(Cut(aFields.cashierName, 6), 6);
}

std::string BillHeaderLine(const TTerminalContext& aContext, const std::string& aTime, bool aTableOutlet)
{
    return BillHeaderLine(TBillHeaderFields{aContext.gsToday, aTime, aContext.gsMasterUpjangCode,
                                            aContext.gsMasterPosNo, aContext.gsBillNo, aTableOutlet,
                                            aContext.giTableNo, aContext.gsCashierName});
}

bool IsTableOutlet(const TTerminalContext& aContext, const TMasterStore& aStore)
{
    return aStore.GetUpjangData(aContext.gsMasterUpjangCode, UpjangItem::FirstFormCode).asText() ==
           aContext.gsFormOrderTable;
}

}  // namespace pos
