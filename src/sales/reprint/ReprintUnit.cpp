#include "sales/reprint/ReprintUnit.h"

#include "core/TerminalContext.h"

namespace pos {
namespace {

Currency tenth(Currency aAmount) { return RoundNumber(aAmount / Currency(10), 1); }

// How many tenths the sale added to the entered price: the service charge
// then VAT on the total, one of the two, or none (the sale's CalcSaleAmt).
int tenthsAdded(const TTerminalContext& aContext, const std::string& aTaxCalcuCode, bool aNoSvc, bool aNoVat)
{
    if (!aContext.gbVessa || aTaxCalcuCode == aContext.gsTaxGubunDutyfree) return 0;
    const bool withService = aTaxCalcuCode == aContext.gsTaxGubunDutyTip && !aNoSvc;
    const bool withVat = !aNoVat;
    return static_cast<int>(withService) + static_cast<int>(withVat);
}

Currency grossOf(Currency aNet, int aTenths)
{
    for (int i = 0; i < aTenths; ++i) aNet += tenth(aNet);
    return aNet;
}

}  // namespace

Currency EnteredUnitPrice(const TTerminalContext& aContext, const std::string& aTaxCalcuCode, Currency aStoredUnit,
                          bool aNoSvc, bool aNoVat)
{
    const int tenths = tenthsAdded(aContext, aTaxCalcuCode, aNoSvc, aNoVat);
    if (tenths == 0) return aStoredUnit;
    Currency estimate = aStoredUnit;
    for (int i = 0; i < tenths; ++i) estimate = estimate / Currency::fromRaw(11000);  // 1.1
    estimate = RoundNumber(estimate, 1);
    // Grossing up adds one or two won per won, so at most one whole-won
    // price grosses to the stored unit; it lies within a won or two of the
    // estimate.
    for (const std::int64_t step : {0, -1, 1, -2, 2}) {
        const Currency candidate = estimate + Currency(step);
        if (grossOf(candidate, tenths) == aStoredUnit) return candidate;
    }
    // A price typed gross on the open-price dialog: the unit is the typed
    // price (the net price's gross plus its correction) and the entered net
    // price is its rounded share, as the dialog worked it out.
    return estimate;
}

}  // namespace pos
