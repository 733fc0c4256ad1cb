#pragma once
// The open-price screen's arithmetic: the sale price shown for the typed
// price, the price and correction it hands back on confirmation, and the
// three quick-discount buttons.
//
// At the hotel restaurants prices are held net of service charge and VAT and
// the bill adds them when it totals (TSaleBill::CalcSaleAmt). The typed price
// is either already net (NET mode: the label shows what the guest will pay)
// or includes both (Including mode: it is turned into a net price and a
// correction that keeps the guest's total at the typed amount).

#include "core/Currency.h"

#include <cstdint>
#include <string>

namespace pos {

struct TOpenPriceRules {
    bool vessa = false;           // a hotel restaurant
    std::string taxCalcuCode;     // of the menu
    std::string dutyFreeCode = "2";
    std::string serviceChargeCode = "4";
};

// The sale price label for typed price aPrice.
Currency OpenSalePrice(Currency aPrice, bool aNetMode, const TOpenPriceRules& aRules);

struct TOpenPriceResult {
    Currency editPrice;           // what the price edit holds after confirmation
    Currency salePrice;           // the unit price the line is sold at
    std::int64_t correctAmt = 0;  // won the rounding of the gross would lose or add
};

// Confirmation of a typed price (aPrice >= 0). The unit price handed to the
// bill is always the edit's price: at a hotel restaurant in NET mode the
// label shows the gross, and handing that on would have the bill add service
// charge and VAT a second time.
TOpenPriceResult ConfirmOpenPrice(Currency aPrice, bool aNetMode, const TOpenPriceRules& aRules);

// The quick discounts: price less the rounded percentage.
Currency DiscountedOpenPrice(Currency aPrice, int aPercent);

}  // namespace pos
