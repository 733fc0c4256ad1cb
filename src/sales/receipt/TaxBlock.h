#pragma once
// The tax block of the receipt: discount, tax-free goods, taxable goods (or
// the hotel restaurants' subtotal), service charge and VAT.
//
// The figures are the sums of what the sale rows store, never a second split
// of the receipt's subtotals: the rows are split line by line, and a split of
// the sums rounds differently (two lines of 28,000 store VAT 2,545 each, a
// split of 56,000 gives 5,091). So tax-free + taxable + service + VAT is the
// sum of the rows' sale amounts, and each figure is what the rows hold.
// Tax-free lines count only as tax-free.

#include "core/Currency.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pos {

struct TCodeTable;

// What the recording stored for one bill line, summed over the line's rows
// (a package or a per-unit line has several). unit is the stored unit amount
// of the row; the receipt prints the line's entered unit price instead.
struct TRowAmounts {
    Currency unit, sale, net, vat, excise, eduTax, service;
};

struct TReceiptTaxes {
    Currency taxFree;  // sale of the tax-free lines
    Currency net;      // the VAT base of the other lines: net, excise and education tax
    Currency service;  // service charge
    Currency vat;

    Currency Total() const { return taxFree + net + service + vat; }
    bool operator==(const TReceiptTaxes&) const = default;
};

// The supply value of a VAT-inclusive amount: amount / 1.1 in whole won,
// halves away from zero. The VAT it holds is the amount minus this.
Currency SupplyOf(Currency aGross);

// Adds one line's stored rows under its tax code.
void AddStoredRows(TReceiptTaxes& aTaxes, const TCodeTable& aCodes, const std::string& aTaxCalcuCode,
                   const TRowAmounts& aRows);

// How the block is shown: the hotel restaurants label the net "소계" and
// always show service and VAT; their "No SVC" / "No VAT" switches print "*0"
// for a figure the bill does not carry.
struct TTaxBlockStyle {
    bool vessa = false;
    bool noSvc = false;
    bool noVat = false;
};

// The block's lines (without line ends): the discount line when aDiscount has
// the bill's sign (printed as minus the discount), the tax-free line when
// there is a tax-free amount, then net, service and VAT at the hotel
// restaurants or whenever there is a service charge, otherwise net and VAT
// when there is a net amount.
std::vector<std::string> TaxBlockLines(const TReceiptTaxes& aTaxes, const TTaxBlockStyle& aStyle, Currency aDiscount,
                                       std::int64_t aSign);

}  // namespace pos
