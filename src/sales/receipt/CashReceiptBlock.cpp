#include "sales/receipt/CashReceiptBlock.h"

#include "core/TextHelpers.h"
#include "payment/PayLines.h"
#include "sales/receipt/ReceiptFormat.h"

namespace pos {
namespace {

// "                 %8s : %12s"
std::string valueLine(std::string_view aLabel, std::string_view aValue)
{
    return std::string(17, ' ') + RightIn(aLabel, 8) + " : " + RightIn(aValue, 12);
}

}  // namespace

std::vector<std::string> CashReceiptEnquiryLines()
{
    return {"현금영수증 국세청 문의처 : " + std::string(cashreceipt::kEnquiryPhone),
            "현금영수증 홈페이지 : " + std::string(cashreceipt::kEnquiryWeb)};
}

std::vector<std::string> CashReceiptBlock(const TPayCashList& aLine)
{
    const std::string& identity = aLine.CardName;
    const std::size_t colon = identity.find(':');
    const std::string kind = colon == std::string::npos ? std::string() : TrimCopy(identity.substr(0, colon));
    const std::string number =
        colon == std::string::npos ? identity : TrimCopy(identity.substr(colon + 1));
    return {
        "{C}{X}" + std::string(aLine.ManYN ? "현금(소득공제)" : "현금(지출증빙)") + "{S}",
        "{L}  식별번호 : " + kind,
        "{X}" + RightIn(Cut(number, 20), 20) + " {S}",
        valueLine("승인금액", Amount(aLine.AgreeAmt)),
        valueLine("승인번호", aLine.AgreeNo),
    };
}

}  // namespace pos
