#include "sales/recording/SaleTax.h"

#include "core/TerminalContext.h"

namespace pos {
namespace {

const Currency kVatFactor = Currency(11) / Currency(10);          // 1.1
const Currency kSaloonFactor = Currency(1243) / Currency(1000);   // 1.243

Currency r1(Currency aValue) { return RoundNumber(aValue, 1); }
Currency r10(Currency aValue) { return RoundNumber(aValue, 10); }

}  // namespace

TTaxSplit SplitSaleTax(const TTerminalContext& aContext, const std::string& aTaxCalcuCode, Currency aSale,
                       bool aNoSvc, bool aNoVat)
{
    const Currency s = aSale;
    TTaxSplit t;
    if (aTaxCalcuCode == aContext.gsTaxGubunDutyfree) {
        t.net = s;
    } else if (aTaxCalcuCode == aContext.gsTaxGubunDutySaloon) {
        const Currency base = s / kSaloonFactor;
        t.net = r10(base);
        t.excise = r10(base * Currency(1) / Currency(10));
        t.eduTax = r10(base * Currency(3) / Currency(100));
        t.vat = s - t.net - t.excise - t.eduTax;
    } else if (aTaxCalcuCode == aContext.gsTaxGubunDutyTip) {
        if (aNoSvc && aNoVat) {
            t.net = s;
        } else if (aNoSvc) {
            t.vat = s - r1(s / kVatFactor);
            t.net = s - t.vat;
        } else if (aNoVat) {
            t.net = r1(s / kVatFactor);
            t.service = s - t.net;
        } else {
            t.vat = s - r1(s / kVatFactor);
            t.net = r1((s - t.vat) / kVatFactor);
            t.service = s - t.net - t.vat;
        }
    } else if (aNoVat) {
        // The hotel restaurants' "No VAT": the price carries no VAT, so the
        // row stores none.
        t.net = s;
    } else {
        t.net = r1(s / kVatFactor);
        t.vat = s - t.net;
    }
    return t;
}

const char* TaxFlag(const TTerminalContext& aContext, const std::string& aTaxCalcuCode)
{
    return aTaxCalcuCode == aContext.gsTaxGubunDutyfree ? "N" : "Y";
}

}  // namespace pos
