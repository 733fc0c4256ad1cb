#pragma once
// The arithmetic of one discount on one unit: how much a rate or a fixed
// price takes off, how the goods' rounding code rounds it, the percentage the
// bill shows, and the use counts an entry has left. Plain functions, so that
// the engine and the discount screens share one rule for each.

#include "core/Currency.h"

#include <cstdint>
#include <limits>
#include <string>

namespace pos {

struct TTerminalContext;
class TMasterStore;

// Uses left on one discount entry. A negative count never runs out, 0 means
// none, a positive count is what may still be used. Every limit that is set
// binds: the once-only count (uses on this bill), the daily and the yearly one.
struct TUseCounts {
    std::int64_t once = -1;
    std::int64_t daily = -1;
    std::int64_t yearly = -1;

    static constexpr std::int64_t kUnlimited = std::numeric_limits<std::int64_t>::max();

    // Units the entry may still discount: the smallest limit that is set.
    std::int64_t Remaining() const;
    bool Exhausted() const { return Remaining() == 0; }
    // Counts n uses against every limit that is set.
    void Take(std::int64_t n);
};

// The discount a unit price can bear: never below 0, never above the price, so
// that a discounted unit never costs more than the undiscounted one nor less
// than nothing. A price of 0 or below takes no discount at all.
Currency LimitToPrice(Currency aDiscount, Currency aUnitPrice);

// The percentage shown for a discount on a unit price: discount / price x 100
// rounded to tens, halves away from zero (15 % shows 20, under 5 % shows 0).
// 0 for a price of 0 or below, so nothing is ever divided by zero.
std::int64_t DiscountPercent(Currency aDiscount, Currency aUnitPrice);

// Rounds a discount amount by the goods' discount rounding code: the first
// character says how ("1" half away from zero, "2" up, "3" down), the code's
// entry in the rounding-code table (item 1 of head gsCommonDCCalcuCode) gives
// the unit in won. A code without a usable unit rounds to the whole won; any
// other code leaves the amount as it is.
Currency DCCalcu(const TTerminalContext& aContext, const TMasterStore& aStore, const std::string& aDCCalcuCode,
                 Currency aAmount);

// What a member entry's rate takes off a unit price, before the limits of
// LimitToPrice: a negative rate is a fixed unit price of |rate| won, any other
// rate a percentage rounded by the goods' rounding code.
Currency MemberRateDiscount(const TTerminalContext& aContext, const TMasterStore& aStore, std::int64_t aDCRate,
                            Currency aUnitPrice, const std::string& aDCCalcuCode);

}  // namespace pos
