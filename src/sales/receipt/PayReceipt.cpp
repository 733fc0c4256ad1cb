#include "sales/receipt/PayReceipt.h"

#include "core/TerminalContext.h"
#include "payment/PayLines.h"
#include "sales/receipt/CashReceiptBlock.h"
#include "sales/receipt/PaySlips.h"
#include "sales/receipt/ReceiptFormat.h"
#include "store/MasterStore.h"

#include <algorithm>
#include <utility>

namespace pos {
namespace {

std::string withNumber(const std::string& aText, const std::string& aNumber)
{
    return aNumber.empty() ? aText : aText + "(" + aNumber + ")";
}

}  // namespace

std::string TenderDetail(const TPayCardList& aLine) { return MaskedCardNo(aLine.CardNo); }
std::string TenderDetail(const TPayRoomList& aLine)
{
    return withNumber(aLine.RoomNo + " " + aLine.MemberName, aLine.MemberNo);
}
std::string TenderDetail(const TPayLockerList& aLine)
{
    return withNumber(aLine.LockerNo + " " + aLine.ComeName, aLine.MemberNo);
}
std::string TenderDetail(const TPayEventList& aLine) { return aLine.EventName + " (" + aLine.EventNo + ")"; }
std::string TenderDetail(const TPayGiftCardList& aLine) { return aLine.GiftCardName; }
std::string TenderDetail(const TPayCreditList& aLine) { return aLine.CustName + " (" + aLine.MemberNo + ")"; }

TPayReceipt::TPayReceipt(const TTerminalContext& aContext, const TMasterStore& aStore, TPrinters aPrinters,
                         std::string aHeader, Currency aReceived, Currency aChange)
    : context_(aContext),
      store_(aStore),
      printers_(aPrinters),
      route_(ReceiptRouteOf(aPrinters)),
      header_(std::move(aHeader)),
      received_(aReceived),
      change_(aChange)
{
}

// The tender's name as the outlet's tender list has it.
std::string TPayReceipt::tenderName(std::int64_t aCode, std::string_view aFallback) const
{
    const auto& tenders = store_.glPayData;
    const auto it = std::find_if(tenders.begin(), tenders.end(), [&](const TPayData& t) { return t.Code == aCode; });
    return it != tenders.end() && !it->Name.empty() ? it->Name : std::string(aFallback);
}

void TPayReceipt::addTenderLine(std::string_view aName, std::string_view aDetail, Currency aAmount)
{
    tenderLines_.push_back(TenderLine(aName, aDetail, aAmount));
}

void TPayReceipt::AddCash(const TPayCashList& aLine)
{
    addTenderLine(tenderName(context_.giPayCash, "현금"), "", aLine.Amt);
    if (aLine.AgreeNo.empty()) return;
    std::vector<std::string> block = CashReceiptBlock(aLine);
    if (CashReceiptAsTicket(printers_)) {
        block.push_back(Rule('-'));
        for (std::string& line : CashReceiptEnquiryLines()) block.push_back(std::move(line));
        slips_.ticketJobs.push_back(std::move(block));
        return;
    }
    if (!cashReceipts_.empty()) cashReceipts_.emplace_back();
    cashReceipts_.insert(cashReceipts_.end(), block.begin(), block.end());
}

void TPayReceipt::addCardSlips(const TPayCardList& aLine)
{
    const TReceiptRoute route = CardSlipRouteOf(printers_);
    if (route == TReceiptRoute::None) return;
    const TCardSlipStyle style{context_.giSaleGubun == 0, route == TReceiptRoute::TicketList};
    for (TSlipCopy copy : {TSlipCopy::Company, TSlipCopy::Customer}) {
        std::vector<std::string> lines = CardSlipLines(aLine, copy, style, header_, context_.gsMasterUpjangName);
        if (style.ticketForm) slips_.ticketJobs.push_back(std::move(lines));
        else slips_.cardSlips.push_back(JoinLines(lines));
    }
}

void TPayReceipt::AddCard(const TPayCardList& aLine)
{
    addTenderLine(tenderName(context_.giPayCard, "신용카드"), TenderDetail(aLine), aLine.Amt);
    addCardSlips(aLine);
}

void TPayReceipt::AddEasyCheck(const TPayCardList& aLine)
{
    addTenderLine(tenderName(context_.giPayEasyCheck, "이지체크"), TenderDetail(aLine), aLine.Amt);
    addCardSlips(aLine);
}

void TPayReceipt::AddRoom(const TPayRoomList& aLine)
{
    const std::string name = tenderName(context_.giPayRoom, "객실후불");
    addTenderLine(name, TenderDetail(aLine), aLine.Amt);
    slips_.roomSlips.push_back(JoinLines(RoomSignatureSlip(aLine, name)));
}

void TPayReceipt::AddLocker(const TPayLockerList& aLine)
{
    const std::string name = tenderName(context_.giPayLocker, "락카후불");
    addTenderLine(name, TenderDetail(aLine), aLine.Amt);
    slips_.lockerSlips.push_back(JoinLines(LockerSignatureSlip(aLine, name)));
}

void TPayReceipt::AddEvent(const TPayEventList& aLine)
{
    const std::string name = tenderName(context_.giPayEvent, "단체후불");
    addTenderLine(name, TenderDetail(aLine), aLine.Amt);
    slips_.eventSlips.push_back(JoinLines(EventSignatureSlip(aLine, name)));
}

void TPayReceipt::AddGiftCard(const TPayGiftCardList& aLine)
{
    addTenderLine(tenderName(context_.giPayGiftCard, "상품권"), TenderDetail(aLine), aLine.Amt);
}

void TPayReceipt::AddCredit(const TPayCreditList& aLine)
{
    const std::string name = tenderName(context_.giPayCredit, "외상");
    addTenderLine(name, TenderDetail(aLine), aLine.Amt);
    slips_.creditSlips.push_back(JoinLines(CreditSignatureSlip(aLine, name)));
}

TPayPart TPayReceipt::Finish() const
{
    TPayPart part = slips_;
    if (route_ == TReceiptRoute::None) return part;

    const bool ticket = route_ == TReceiptRoute::TicketList;
    auto total = [&](std::string_view aCaption, Currency aAmount) {
        return ticket ? TicketTotalLine(aCaption, aAmount) : EnlargedTotalLine(aCaption, aAmount);
    };
    std::vector<std::string> lines{total(label::kReceived, BillSigned(received_, context_.giSign))};
    if (change_ != Currency(0)) lines.push_back(total(label::kChange, change_));
    lines.push_back(Rule('-'));
    lines.insert(lines.end(), tenderLines_.begin(), tenderLines_.end());
    if (!cashReceipts_.empty()) {
        lines.push_back(Rule('-'));
        lines.insert(lines.end(), cashReceipts_.begin(), cashReceipts_.end());
        lines.push_back(Rule('-'));
        for (std::string& line : CashReceiptEnquiryLines()) lines.push_back(std::move(line));
    }
    lines.push_back(Rule('='));

    if (ticket) part.ticketLines = std::move(lines);
    else part.receiptText = JoinLines(lines);
    return part;
}

}  // namespace pos
