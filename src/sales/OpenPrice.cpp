#include "sales/OpenPrice.h"

#include "core/HotelPrices.h"

namespace pos {

namespace {

bool grossed(const TOpenPriceRules& aRules) { return aRules.vessa && aRules.taxCalcuCode != aRules.dutyFreeCode; }

bool serviceCharge(const TOpenPriceRules& aRules) { return aRules.taxCalcuCode == aRules.serviceChargeCode; }

Currency grossOf(Currency aNet, const TOpenPriceRules& aRules)
{
    if (!grossed(aRules)) return aNet;
    return AddTenths(aNet, serviceCharge(aRules) ? 2 : 1);
}

}  // namespace

Currency OpenSalePrice(Currency aPrice, bool aNetMode, const TOpenPriceRules& aRules)
{
    return aNetMode ? grossOf(aPrice, aRules) : aPrice;
}

TOpenPriceResult ConfirmOpenPrice(Currency aPrice, bool aNetMode, const TOpenPriceRules& aRules)
{
    TOpenPriceResult result{aPrice, aPrice, 0};
    if (!grossed(aRules) || aNetMode) return result;
    const Currency vatFactor = Currency::fromRaw(11000);  // 1.1
    Currency unrounded = aPrice / vatFactor;
    if (serviceCharge(aRules)) unrounded = unrounded / vatFactor;
    const Currency net = RoundNumber(unrounded, 1);
    result.editPrice = result.salePrice = net;
    result.correctAmt = RoundNumber(aPrice - grossOf(net, aRules), 1).truncWon();
    return result;
}

Currency DiscountedOpenPrice(Currency aPrice, int aPercent)
{
    return aPrice - RoundNumber(aPrice * Currency(aPercent) / Currency(100), 1);
}

}  // namespace pos
