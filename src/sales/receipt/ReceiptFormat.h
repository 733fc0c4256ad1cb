#pragma once
// The line formats of the customer receipt and its slips, in one place. Every
// receipt line is 42 printer columns (CP949 bytes) wide and ends with a
// carriage return; widths are counted with the text helpers, never with the
// size of the UTF-8 text. The same formats serve the receipt printed at
// settlement, its page-mode ticket form and the slips.

#include "core/Currency.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pos {

inline constexpr int kReceiptWidth = 42;
inline constexpr char kLineEnd = '\r';

// 42 times aChar ("=" double rule, "-" single rule).
std::string Rule(char aChar);

// "%-Ns" and "%Ns" of the system's formats: padded to aWidth columns, never
// cut. Cut: the first aWidth columns, never half a Korean character.
std::string LeftIn(std::string_view aText, int aWidth);
std::string RightIn(std::string_view aText, int aWidth);
std::string Cut(std::string_view aText, int aWidth);

// "0," of an amount: whole won with thousands separators, minus kept.
std::string Amount(Currency aValue);

// The amount a tender total prints with: the bill's sign (negative on a
// return, where the customer gets the money back), whatever sign the caller's
// figure has. The receipt and the quick cash part both go through it.
Currency BillSigned(Currency aAmount, std::int64_t aSign);

// The item line: symbol (1), name cut to 14 and padded to 17, count (4,
// whole units), unit price (10), count x unit price (10).
std::string ItemLine(std::string_view aSymbol, std::string_view aName, Currency aCount, Currency aUnit);

// The store title of a receipt: centred for double width and cut to 19
// cells, between "{X}" and "{S}".
std::string TitleLine(std::string_view aTitle);

// The column header over the item lines.
inline constexpr std::string_view kColumnHeader = " 상 품 명         수량      단가      금액";
inline constexpr std::string_view kColumnHeaderEnglish = " Menu              Qty      Unit    Amount";

// The labels of the tax block, each 18 columns wide ("　" is the ideographic
// space, two columns).
namespace label {
inline constexpr std::string_view kDiscount = "할　 인　　금　 액";
inline constexpr std::string_view kTaxFree = "부가세 면세 물품가";
inline constexpr std::string_view kTaxable = "부가세 과세 물품가";
inline constexpr std::string_view kSubtotal = "소  　　　　　　계";  // the hotel restaurants' net label
inline constexpr std::string_view kService = "봉　　　사　　  료";
inline constexpr std::string_view kVat = "부　　　가　　  세";
inline constexpr std::string_view kTotal = "합　　계";
inline constexpr std::string_view kReceived = "받은금액";
inline constexpr std::string_view kChange = "거 스 름";        // the payment screen's change caption
inline constexpr std::string_view kQuickChange = "거스름돈";   // the sale screen's change caption
inline constexpr std::string_view kCash = "현　　금";
}  // namespace label

// The labels of an English receipt: 19 columns before the colon.
namespace label::english {
inline constexpr std::string_view kTaxFree = "Tax Exemption Price";
inline constexpr std::string_view kNet = "Net Price";
inline constexpr std::string_view kService = "Service Charge";
inline constexpr std::string_view kVat = "VAT";
inline constexpr std::string_view kTotal = "Total Amount";
}  // namespace label::english

// "<label> :%22s": a tax-block line with an amount or a text ("*0").
std::string LabelLine(std::string_view aLabel, std::string_view aValue);

// "%-19s:%22s": the same line on an English receipt.
std::string EnglishLabelLine(std::string_view aLabel, std::string_view aValue);

// "{X}%8s : %10s{S}": a total in double width (receipt printers).
std::string EnlargedTotalLine(std::string_view aCaption, Currency aAmount);
// "%16s  :  %21s": the same total on a page-mode ticket line.
std::string TicketTotalLine(std::string_view aCaption, Currency aAmount);
// "%-10s%-22s%10s": one tender line; name cut to 10, detail to 22.
std::string TenderLine(std::string_view aName, std::string_view aDetail, Currency aAmount);

// The customer-signature rule: "--- 고객서명 " and dashes, 42 columns.
std::string SignatureRule();

// A card number as every receipt and slip prints it: grouped like the card
// number rules group it, with at most the first 6 and the last 4 digits shown.
std::string MaskedCardNo(std::string_view aCardNo);

// A print text split at its carriage returns (a final one opens no line), and
// lines joined back, each followed by a carriage return.
std::vector<std::string> SplitLines(std::string_view aText);
std::string JoinLines(const std::vector<std::string>& aLines);

}  // namespace pos
