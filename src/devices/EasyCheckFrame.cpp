#include "devices/EasyCheckFrame.h"

#include "core/Codec.h"
#include "core/Currency.h"
#include "core/DateHelpers.h"
#include "core/TextHelpers.h"
#include "cards/CardRules.h"

#include <cstdio>

namespace pos {
namespace {

constexpr char kSO = 0x0E, kSI = 0x0F;

// Slip frames are built in UTF-8 with widths in CP949 columns and converted
// once at the end; the control bytes are ASCII and pass unchanged.
std::string left(std::string_view aText, int aWidth) { return RPad(aText, aWidth); }
std::string right(std::string_view aText, int aWidth) { return LPad(aText, aWidth); }

}  // namespace

TVatSplit SplitVat(std::int64_t aAmount)
{
    const Currency supply = RoundNumber(Currency(aAmount) / Currency::fromRaw(11000), 1);
    return {supply.truncWon(), aAmount - supply.truncWon()};
}

std::string InstalmentText(std::int64_t aMonths)
{
    if (aMonths >= 2) return right(std::to_string(aMonths), 11) + " ";
    return left(" **", 12);
}

std::string BuildEasyCheckFrame(const TEasyCheckSlip& aSlip, const TEasyCheckHeader& aHeader)
{
    char billNo[24];
    std::snprintf(billNo, sizeof billNo, "%04lld", static_cast<long long>(aSlip.billNo));
    const std::string terminalLine = " " + aHeader.posNo + " " + billNo;
    const std::string slipKind = aSlip.agree ? "신용구매" : "취소전표";
    const std::string cancel = right(aSlip.agree ? "" : "취소", 4);
    const std::int64_t magnitude = aSlip.amount < 0 ? -aSlip.amount : aSlip.amount;
    const std::int64_t amount = aSlip.agree ? aSlip.amount : -magnitude;
    const TVatSplit vat = SplitVat(amount);
    const std::string approvalDate = DateToString(aSlip.approvalDate, '/');
    const std::string cancelledDate = aSlip.agree ? "" : approvalDate;
    const std::string expiry =
        aSlip.validThru.substr(0, 2) + "." + (aSlip.validThru.size() > 2 ? aSlip.validThru.substr(2, 2) : "");
    const std::string tidName = aHeader.cardTidName.empty() ? "" : "( " + aHeader.cardTidName + " )";

    const std::string SO(1, kSO), SI(1, kSI), LF2 = "\n\n", SI_LF2 = SI + LF2;
    std::string f;
    f += "\x02\x11" "1" + SI;
    f += aHeader.upjangCode + SI + terminalLine + LF2;
    f += SO + left(aSlip.cardCompanyName, 14) + SI + slipKind + LF2;
    f += SO + CardToString(aSlip.cardNo, true) + SI_LF2;
    f += SI + left(expiry, 10) + SO + approvalDate + SI + cancelledDate + LF2;
    f += SI + left(aSlip.merchantNo, 16) + SO + cancel + right(std::to_string(vat.supply), 8) + SI_LF2;
    f += SI + left(InstalmentText(aSlip.instalment), 16) + SO + cancel + right(std::to_string(vat.vat), 8) + SI_LF2;
    f += SI + left(aHeader.cardTid, 16) + SO + cancel + SI_LF2;
    f += SI + left(aSlip.issuerName, 16) + SO + cancel + SI_LF2;
    f += SI + std::string(16, ' ') + SO + cancel + right(std::to_string(amount), 8) + SI_LF2;
    f += SI + left(aHeader.ceoName, 17) + SO + aSlip.approvalNo + SI_LF2;
    f += SI + left(CopyStr(aHeader.saupName + tidName, 1, 28), 28) + aHeader.saupNo + LF2;
    f += SI + aHeader.address + LF2;
    f += SI + left(aHeader.tel, 16) + aHeader.receiptRemark1 + LF2;
    f += "\x11" "2" "\x03";
    return ToCp949(f);
}

bool EasyCheckReplyComplete(std::string_view aReceived)
{
    for (char c : aReceived)
        if (c != '\x06') return true;
    return aReceived.size() >= 3;
}

bool IsEasyCheckAck(std::string_view aReceived) { return aReceived.substr(0, 3) == kEasyCheckAck; }

}  // namespace pos
