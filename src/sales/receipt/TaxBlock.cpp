#include "sales/receipt/TaxBlock.h"

#include "core/CodeTable.h"
#include "sales/receipt/ReceiptFormat.h"

namespace pos {
namespace {

// "*0" says the bill carries no such charge because the switch is down. A
// figure the rows do hold is printed as it is, so the block always adds up
// to what was stored.
std::string switchedFigure(Currency aFigure, bool aSwitchDown)
{
    return aSwitchDown && aFigure == Currency(0) ? std::string("*0") : Amount(aFigure);
}

}  // namespace

Currency SupplyOf(Currency aGross) { return RoundNumber(aGross / Currency::fromRaw(11000), 1); }

void AddStoredRows(TReceiptTaxes& aTaxes, const TCodeTable& aCodes, const std::string& aTaxCalcuCode,
                   const TRowAmounts& aRows)
{
    if (aTaxCalcuCode == aCodes.gsTaxGubunDutyfree) {
        aTaxes.taxFree += aRows.sale;
        return;
    }
    // Excise and education tax are part of the VAT base (VAT is a tenth of
    // net + excise + education tax), so they print within the taxable figure.
    aTaxes.net += aRows.net + aRows.excise + aRows.eduTax;
    aTaxes.service += aRows.service;
    aTaxes.vat += aRows.vat;
}

std::vector<std::string> TaxBlockLines(const TReceiptTaxes& aTaxes, const TTaxBlockStyle& aStyle, Currency aDiscount,
                                       std::int64_t aSign)
{
    std::vector<std::string> lines;
    const bool discountOfTheBill = aSign < 0 ? aDiscount < Currency(0) : aDiscount > Currency(0);
    if (discountOfTheBill) lines.push_back(LabelLine(label::kDiscount, Amount(-aDiscount)));
    if (aTaxes.taxFree != Currency(0)) lines.push_back(LabelLine(label::kTaxFree, Amount(aTaxes.taxFree)));

    const std::string_view netLabel = aStyle.vessa ? label::kSubtotal : label::kTaxable;
    if (aStyle.vessa || aTaxes.service != Currency(0)) {
        lines.push_back(LabelLine(netLabel, Amount(aTaxes.net)));
        lines.push_back(LabelLine(label::kService, switchedFigure(aTaxes.service, aStyle.noSvc)));
        lines.push_back(LabelLine(label::kVat, switchedFigure(aTaxes.vat, aStyle.noVat)));
    } else if (aTaxes.net != Currency(0)) {
        lines.push_back(LabelLine(netLabel, Amount(aTaxes.net)));
        lines.push_back(LabelLine(label::kVat, Amount(aTaxes.vat)));
    }
    return lines;
}

}  // namespace pos
