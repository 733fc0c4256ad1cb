#pragma once
// The unit price a reprinted item line shows: the one the receipt printed at
// the sale showed, the price as entered. At the hotel restaurants a row
// stores its unit grossed up with the service charge and VAT (what the guest
// pays per unit), while the receipt's item lines show the entered net price
// and leave service charge and VAT to the totals; the reprint takes the
// entered price back out of the stored unit.

#include "core/Currency.h"

#include <string>

namespace pos {

struct TTerminalContext;

// aStoredUnit: the row's unit amount; aNoSvc, aNoVat: the bill's switches the
// rows carry.
Currency EnteredUnitPrice(const TTerminalContext& aContext, const std::string& aTaxCalcuCode, Currency aStoredUnit,
                          bool aNoSvc, bool aNoVat);

}  // namespace pos
