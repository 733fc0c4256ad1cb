#pragma once
// The tax block of a reprinted receipt, worked out from the stored sale
// amounts of the bill's items: tax-free goods, taxable goods, goods that
// carry a service charge, and the bill's "No SVC" / "No VAT" switches.
//
// A tax-free amount has its own exempt line and never enters the net,
// service-charge or VAT figures: no VAT is taken out of an exempt amount.

#include "core/Currency.h"

#include <string>
#include <vector>

namespace pos {

struct TReprintSums {
    Currency taxFree;  // FREE
    Currency taxable;  // TAX
    Currency service;  // TIP: items that carry a service charge, VAT and charge included
};

struct TReprintTaxStyle {
    bool vessa = false;    // the hotel restaurants label the net "소계"
    bool english = false;
    bool noSvc = false;
    bool noVat = false;
};

// The figures the block shows, formatted; "*0" is an amount that is included
// and not shown. Nothing is shown when shown is false; the service charge
// only withService.
struct TReprintTaxFigures {
    bool shown = false;
    bool withService = false;
    std::string net, service, vat;
};
TReprintTaxFigures ReprintTaxFigures(const TReprintSums& aSums, bool aNoSvc, bool aNoVat);

// The block's lines, without line ends: the exempt line when there is a
// tax-free amount, then net, service charge (only with a service charge) and
// VAT.
std::vector<std::string> ReprintTaxBlockLines(const TReprintSums& aSums, const TReprintTaxStyle& aStyle);

}  // namespace pos
