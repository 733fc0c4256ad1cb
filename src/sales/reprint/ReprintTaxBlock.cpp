#include "sales/reprint/ReprintTaxBlock.h"

#include "sales/receipt/ReceiptFormat.h"
#include "sales/receipt/TaxBlock.h"

namespace pos {
namespace {

constexpr const char* kIncluded = "*0";

}  // namespace

TReprintTaxFigures ReprintTaxFigures(const TReprintSums& aSums, bool aNoSvc, bool aNoVat)
{
    TReprintTaxFigures f;
    const Currency tax = aSums.taxable;
    const Currency tip = aSums.service;
    if (tip != Currency(0)) {
        f.shown = f.withService = true;
        const Currency gross = tip + tax;
        if (aNoSvc && aNoVat) {
            f.net = Amount(gross);
            f.service = f.vat = kIncluded;
        } else if (aNoSvc) {
            const Currency net = SupplyOf(gross);
            f.net = Amount(net);
            f.service = kIncluded;
            f.vat = Amount(gross - net);
        } else if (aNoVat) {
            const Currency net = SupplyOf(gross);
            f.net = Amount(net);
            f.service = Amount(gross - net);
            f.vat = kIncluded;
        } else {
            // The charge is a tenth of the goods, VAT a tenth of goods and
            // charge: the goods are the supply of the supply.
            const Currency tipSupply = SupplyOf(tip);
            const Currency goods = SupplyOf(tipSupply);
            f.net = Amount(SupplyOf(tax) + goods);
            f.service = Amount(tipSupply - goods);
            f.vat = Amount(tip - tipSupply + tax - SupplyOf(tax));
        }
    } else if (tax != Currency(0)) {
        // VAT is what the supply leaves of the amount, so the two lines add
        // up to the taxable amount.
        f.shown = true;
        const Currency net = SupplyOf(tax);
        f.net = Amount(net);
        f.vat = Amount(tax - net);
    }
    return f;
}

std::vector<std::string> ReprintTaxBlockLines(const TReprintSums& aSums, const TReprintTaxStyle& aStyle)
{
    namespace en = label::english;
    const auto line = [&](std::string_view aKorean, std::string_view aEnglish, const std::string& aValue) {
        return aStyle.english ? EnglishLabelLine(aEnglish, aValue) : LabelLine(aKorean, aValue);
    };
    std::vector<std::string> lines;
    if (aSums.taxFree != Currency(0)) lines.push_back(line(label::kTaxFree, en::kTaxFree, Amount(aSums.taxFree)));
    const TReprintTaxFigures f = ReprintTaxFigures(aSums, aStyle.noSvc, aStyle.noVat);
    if (!f.shown) return lines;
    lines.push_back(line(aStyle.vessa ? label::kSubtotal : label::kTaxable, en::kNet, f.net));
    if (f.withService) lines.push_back(line(label::kService, en::kService, f.service));
    lines.push_back(line(label::kVat, en::kVat, f.vat));
    return lines;
}

}  // namespace pos
