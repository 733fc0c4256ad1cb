#pragma once
// How the sale amount of a stored row divides into net amount, VAT, excise,
// education tax and service charge, by the line's tax kind. One rule for the
// rows and for every figure printed from them.

#include "core/Currency.h"

#include <string>

namespace pos {

struct TTerminalContext;

struct TTaxSplit {
    Currency net, vat, excise, eduTax, service;
    TTaxSplit& operator+=(const TTaxSplit& aOther)
    {
        net += aOther.net;
        vat += aOther.vat;
        excise += aOther.excise;
        eduTax += aOther.eduTax;
        service += aOther.service;
        return *this;
    }
};

// The split of sale aSale of tax kind aTaxCalcuCode. aNoSvc and aNoVat are
// the hotel restaurants' switches of the bill ("No SVC", "No VAT"); they are
// never down elsewhere. net + vat + excise + eduTax + service == aSale.
TTaxSplit SplitSaleTax(const TTerminalContext& aContext, const std::string& aTaxCalcuCode, Currency aSale,
                       bool aNoSvc, bool aNoVat);

// The tax flag of a row: "N" for a duty-free line, else "Y".
const char* TaxFlag(const TTerminalContext& aContext, const std::string& aTaxCalcuCode);

}  // namespace pos
