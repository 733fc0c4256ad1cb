#include "discounts/DiscountRules.h"

#include "core/TerminalContext.h"
#include "core/TextHelpers.h"
#include "store/MasterStore.h"

#include <algorithm>

namespace pos {
namespace {

__extension__ typedef __int128 i128;  // exact intermediate products

}  // namespace

std::int64_t TUseCounts::Remaining() const
{
    std::int64_t left = kUnlimited;
    for (const std::int64_t count : {once, daily, yearly})
        if (count >= 0) left = std::min(left, count);
    return left;
}

void TUseCounts::Take(std::int64_t n)
{
    for (std::int64_t* count : {&once, &daily, &yearly})
        if (*count >= 0) *count = std::max<std::int64_t>(0, *count - n);
}

Currency LimitToPrice(Currency aDiscount, Currency aUnitPrice)
{
    if (aUnitPrice <= Currency() || aDiscount <= Currency()) return Currency();
    return std::min(aDiscount, aUnitPrice);
}

std::int64_t DiscountPercent(Currency aDiscount, Currency aUnitPrice)
{
    if (aUnitPrice <= Currency()) return 0;
    // Tens of percent = discount x 10 / price, rounded half away from zero,
    // in exact integers.
    const i128 numerator = i128(aDiscount.raw()) * 10;
    const i128 price = aUnitPrice.raw();
    const i128 magnitude = numerator < 0 ? -numerator : numerator;
    i128 tens = (2 * magnitude + price) / (2 * price);
    if (numerator < 0) tens = -tens;
    return static_cast<std::int64_t>(tens * 10);
}

Currency DCCalcu(const TTerminalContext& aContext, const TMasterStore& aStore, const std::string& aDCCalcuCode,
                 Currency aAmount)
{
    if (aDCCalcuCode.empty()) return aAmount;
    const char how = aDCCalcuCode.front();
    if (how != '1' && how != '2' && how != '3') return aAmount;
    // A code missing from the table reads as unit 0; it rounds to the won
    // rather than dividing by nothing.
    const std::int64_t tableUnit =
        StringToInteger(aStore.GetCommonData(aContext.gsCommonDCCalcuCode, aDCCalcuCode, CommonItem::Item1));
    const std::int64_t unit = std::max<std::int64_t>(1, tableUnit);
    switch (how) {
    case '1': return RoundNumber(aAmount, unit);
    case '2': return RaiseNumber(aAmount, unit);
    default: return TruncNumber(aAmount, unit);
    }
}

Currency MemberRateDiscount(const TTerminalContext& aContext, const TMasterStore& aStore, std::int64_t aDCRate,
                            Currency aUnitPrice, const std::string& aDCCalcuCode)
{
    if (aDCRate < 0) return aUnitPrice - Currency(-aDCRate);
    return DCCalcu(aContext, aStore, aDCCalcuCode, aUnitPrice * Currency(aDCRate) / Currency(100));
}

}  // namespace pos
