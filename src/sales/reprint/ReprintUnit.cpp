#include "sales/reprint/ReprintUnit.h"

#include "core/HotelPrices.h"

namespace pos {

Currency EnteredUnitPrice(const TTerminalContext& aContext, const std::string& aTaxCalcuCode, Currency aStoredUnit,
                          bool aNoSvc, bool aNoVat)
{
    const int tenths = HotelTenths(aContext, aTaxCalcuCode, aNoSvc, aNoVat);
    if (tenths == 0) return aStoredUnit;
    Currency estimate = aStoredUnit;
    for (int i = 0; i < tenths; ++i) estimate = estimate / Currency::fromRaw(11000);  // 1.1
    estimate = RoundNumber(estimate, 1);
    // Grossing up adds one or two won per won, so at most one whole-won
    // price grosses to the stored unit; it lies within a won or two of the
    // estimate.
    for (const std::int64_t step : {0, -1, 1, -2, 2}) {
        const Currency candidate = estimate + Currency(step);
        if (AddTenths(candidate, tenths) == aStoredUnit) return candidate;
    }
    // A price typed gross on the open-price dialog: the unit is the typed
    // price (the net price's gross plus its correction) and the entered net
    // price is its rounded share, as the dialog worked it out.
    return estimate;
}

}  // namespace pos
