#pragma once
// What the guest pays for a price entered net at the hotel restaurants
// (gbVessa): a tenth is added for the service charge on service-charge
// items (unless "No SVC" is down), then a tenth of that total for VAT
// (unless "No VAT" is down), each rounded to the won. Tax-free items, and
// every other outlet, add nothing. The sale's amounts, the open-price
// dialog and the reprint's entered price all follow this one rule.

#include "core/Currency.h"

#include <string>

namespace pos {

struct TTerminalContext;

// How many tenths an item of aTaxCalcuCode adds to its entered price: 0, 1
// or 2.
int HotelTenths(const TTerminalContext& aContext, const std::string& aTaxCalcuCode, bool aNoSvc, bool aNoVat);

// aNet with aTenths tenths added one after the other.
Currency AddTenths(Currency aNet, int aTenths);

}  // namespace pos
