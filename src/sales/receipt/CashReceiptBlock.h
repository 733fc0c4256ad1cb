#pragma once
// The cash-receipt block of a cash line approved as a cash receipt, and the
// tax service's enquiry lines printed under it.

#include <string>
#include <string_view>
#include <vector>

namespace pos {

struct TPayCashList;

// The tax service's cash-receipt enquiry numbers: configuration of the
// terminal, kept here in one place.
namespace cashreceipt {
inline constexpr std::string_view kEnquiryPhone = "126";
inline constexpr std::string_view kEnquiryWeb = "www.hometax.go.kr";
}  // namespace cashreceipt

// "현금영수증 국세청 문의처 : <phone>" and the web address line.
std::vector<std::string> CashReceiptEnquiryLines();

// The block of one cash line (its CardName is "<kind> : <masked number>" as
// the identity rules print it): the receipt's kind centred in double width,
// the identity kind, the number in double width, the approved amount and the
// approval number.
std::vector<std::string> CashReceiptBlock(const TPayCashList& aLine);

}  // namespace pos
