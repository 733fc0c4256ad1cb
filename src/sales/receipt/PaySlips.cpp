#include "sales/receipt/PaySlips.h"

#include "core/Codec.h"
#include "core/DateHelpers.h"
#include "core/TextHelpers.h"
#include "payment/PayLines.h"
#include "sales/receipt/ReceiptFormat.h"
#include "sales/receipt/TaxBlock.h"

#include <utility>

namespace pos {
namespace {

// "    %s : %-s", the value cut so that the line stays 42 columns wide.
std::string slipItem(std::string_view aLabel, std::string_view aValue)
{
    const std::string head = "    " + std::string(aLabel) + " : ";
    return head + Cut(aValue, kReceiptWidth - Cp949Width(head));
}

std::string instalment(const std::string& aHalbuMonth)
{
    return aHalbuMonth.starts_with("0") ? std::string("일시불") : aHalbuMonth + " 할부";
}

// The amount with the VAT it holds, a tenth of the supply value.
std::string approvedAmount(Currency aAmount)
{
    return Amount(aAmount) + "원(VAT " + Amount(aAmount - SupplyOf(aAmount)) + "포함)";
}

std::string approvalDate(const std::string& aAgreeDate)
{
    return DateToString(GetOnlyNumber(aAgreeDate).substr(0, 8), '-');
}

}  // namespace

std::vector<std::string> SignatureSlipLines(std::string_view aTenderName, const std::vector<TSlipField>& aFields)
{
    std::vector<std::string> lines{"{X}[" + std::string(aTenderName) + "]{S}"};
    for (const auto& [label, value] : aFields) lines.push_back("{X}" + LeftIn(label, 9) + ": " + LeftIn(value, 10) + "{S}");
    lines.push_back(SignatureRule());
    lines.insert(lines.end(), 5, std::string());
    lines.push_back(Rule('='));
    return lines;
}

std::vector<std::string> CardSlipLines(const TPayCardList& aLine, TSlipCopy aCopy, const TCardSlipStyle& aStyle,
                                       const std::string& aHeader, const std::string& aOutletName)
{
    const bool company = aCopy == TSlipCopy::Company;
    const std::string title = std::string("신용카드 ") + (aStyle.approval ? "승인" : "취소") + "전표";
    const std::string copy = company ? "(회사용)" : "(고객용)";
    std::vector<std::string> lines{
        aStyle.ticketForm ? StringCenterAlign("[" + title + "] " + copy, kReceiptWidth, false)
                          : "{Z}" + title + "{S}" + copy,
        "",
        aHeader,
        Rule('='),
        "",
        slipItem("품　　목", aOutletName + " 이용료"),
        slipItem("카드종류", aLine.BankName + "(" + aLine.CompanyName + ")"),
        slipItem("카드번호", MaskedCardNo(aLine.CardNo)),
    };
    if (company) lines.push_back(slipItem("유효기간", aLine.VaildThru));
    lines.push_back(slipItem("승인일자", approvalDate(aLine.AgreeDate)));
    lines.push_back(slipItem("할부기간", instalment(aLine.HalbuMonth)));
    lines.push_back(slipItem("승인금액", aStyle.noVat ? Amount(aLine.Amt) + "원" : approvedAmount(aLine.Amt)));
    lines.push_back(slipItem("승인번호", aLine.AgreeNo));
    lines.push_back(slipItem("가맹번호", aLine.CardJoinNo));
    lines.emplace_back();
    if (company && !aLine.SignYN) {
        lines.push_back(SignatureRule());
        lines.insert(lines.end(), aStyle.ticketForm ? 3 : 4, std::string());
    }
    lines.push_back(Rule('='));
    return lines;
}

std::vector<std::string> RoomSignatureSlip(const TPayRoomList& aLine, std::string_view aTenderName)
{
    return SignatureSlipLines(aTenderName, {{"객실번호", aLine.RoomNo},
                                       {"회원번호", aLine.MemberNo},
                                       {"회원성명", Cut(aLine.MemberName, 10)},
                                       {"투숙객명", Cut(aLine.ComeName, 10)}});
}

std::vector<std::string> LockerSignatureSlip(const TPayLockerList& aLine, std::string_view aTenderName)
{
    return SignatureSlipLines(aTenderName, {{"락카번호", aLine.LockerNo},
                                       {"회원번호", aLine.MemberNo},
                                       {"내장객명", Cut(aLine.ComeName, 10)}});
}

std::vector<std::string> EventSignatureSlip(const TPayEventList& aLine, std::string_view aTenderName)
{
    return SignatureSlipLines(aTenderName, {{"연회번호", aLine.EventNo}, {"연 회 명", Cut(aLine.EventName, 10)}});
}

std::vector<std::string> CreditSignatureSlip(const TPayCreditList& aLine, std::string_view aTenderName)
{
    return SignatureSlipLines(aTenderName, {{"우대번호", aLine.MemberNo}, {"회원성명", Cut(aLine.CustName, 10)}});
}

}  // namespace pos
