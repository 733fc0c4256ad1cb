#include "sales/reprint/ReprintLayout.h"

#include "cards/CardRules.h"
#include "core/TerminalContext.h"
#include "core/TextHelpers.h"
#include "payment/PayLines.h"
#include "sales/receipt/BillHeader.h"
#include "sales/receipt/CashReceiptBlock.h"
#include "sales/receipt/PayReceipt.h"
#include "sales/receipt/PaySlips.h"
#include "sales/receipt/ReceiptFormat.h"
#include "sales/reprint/ReprintTaxBlock.h"

#include <cstdio>
#include <utility>

namespace pos {
namespace {

using enum TPrinterType;
using TLines = std::vector<std::string>;

constexpr std::string_view kReturnMark = "반품";

// The card number of a stored card tender: its track text up to the "=" that
// precedes the expiry.
std::string cardNumberOf(const std::string& aStored) { return aStored.substr(0, aStored.find('=')); }

class TReprintComposer {
public:
    TReprintComposer(const TTerminalContext& aContext, TPrinters aPrinters, const TReprintBill& aBill,
                     const TReprintRequest& aRequest)
        : ctx_(aContext), printers_(aPrinters), bill_(aBill), request_(aRequest)
    {
        header_ = BillHeaderLine(TBillHeaderFields{aBill.date, aBill.time, aContext.gsMasterUpjangCode, aBill.posNo,
                                                   aBill.billNo, aBill.tableNo > 0, aBill.tableNo, aBill.cashierName});
    }

    TReprintPrint Compose()
    {
        composeBody();
        fullLines_ = {TitleLine(bill_.title) + (request_.sale ? "" : std::string(kReturnMark)), "", header_};
        fullLines_.insert(fullLines_.end(), body_.begin(), body_.end());

        for (const TLines& ticket : cashTickets_) out_.plan.push_back(ListTicketJob(header_, ticket));
        printReceipt();
        printCardSlips();
        return std::move(out_);
    }

private:
    // The column header, items, tax block, total, tenders, cash receipts and,
    // on a Korean receipt, the reprint line.
    void composeBody()
    {
        body_ = {Rule('='), std::string(request_.english ? kColumnHeaderEnglish : kColumnHeader), Rule('-')};
        TReprintSums sums;
        for (const TReprintItem& item : bill_.items) {
            body_.push_back(ItemLine(item.mark, item.name, Currency(item.count), item.unit));
            if (item.taxCode == ctx_.gsTaxGubunDutyfree) sums.taxFree += item.amount;
            else if (item.taxCode == ctx_.gsTaxGubunDutyTip) sums.service += item.amount;
            else sums.taxable += item.amount;
        }
        body_.push_back(Rule('='));
        for (std::string& line :
             ReprintTaxBlockLines(sums, {ctx_.gbVessa, request_.english, bill_.noSvc, bill_.noVat}))
            body_.push_back(std::move(line));
        body_.push_back(Rule('-'));
        const Currency total = sums.taxFree + sums.taxable + sums.service;
        const std::string_view caption = request_.english ? label::english::kTotal : label::kTotal;
        // The English caption is too long for double width: on a receipt
        // printer it prints at normal width, in the ticket form's format.
        if (printers_.Either(ptTSP600) && !request_.english) body_.push_back(EnlargedTotalLine(caption, total));
        else if (printers_.Either(ptTSP600)) body_.push_back(TicketTotalLine(caption, total));
        else if (printers_.Is1(ptTSP700) || printers_.Is1(ptTSP800) || printers_.Is2(ptTSP700))
            body_.push_back(TicketTotalLine(caption, total));
        body_.push_back(Rule('-'));
        for (const TReprintTender& tender : bill_.tenders) addTender(tender);
        addCashReceipts();
        body_.push_back(Rule('='));
        if (!request_.english) body_.push_back(ReprintLine(bill_.reprintCount));
    }

    void addTender(const TReprintTender& aTender)
    {
        const std::int64_t code = aTender.code;
        std::string detail;
        if (code == ctx_.giPayCard || code == ctx_.giPayEasyCheck) {
            TPayCardList card;
            card.CardNo = cardNumberOf(aTender.nameOrCard);
            detail = TenderDetail(card);
        } else if (code == ctx_.giPayRoom) {
            TPayRoomList room;
            room.RoomNo = aTender.room;
            room.MemberNo = aTender.number;
            room.MemberName = Cut(aTender.nameOrCard, 17);
            detail = TenderDetail(room);
            roomSlips_.push_back(SignatureSlipLines(
                aTender.name,
                {{"객실번호", aTender.room}, {"회원번호", aTender.number}, {"투숙객명", Cut(aTender.nameOrCard, 10)}}));
        } else if (code == ctx_.giPayLocker) {
            TPayLockerList locker;
            locker.LockerNo = aTender.locker;
            locker.MemberNo = aTender.number;
            locker.ComeName = Cut(aTender.nameOrCard, 17);
            detail = TenderDetail(locker);
            lockerSlips_.push_back(SignatureSlipLines(
                aTender.name,
                {{"락카번호", aTender.locker}, {"회원번호", aTender.number}, {"내장객명", Cut(aTender.nameOrCard, 10)}}));
        } else if (code == ctx_.giPayGiftCard) {
            TPayGiftCardList gift;
            gift.GiftCardName = aTender.nameOrCard;
            detail = TenderDetail(gift);
        } else if (code == ctx_.giPayEvent) {
            TPayEventList event;
            event.EventNo = aTender.number;
            event.EventName = Cut(aTender.nameOrCard, 10);
            detail = TenderDetail(event);
            eventSlips_.push_back(SignatureSlipLines(
                aTender.name, {{"연회번호", aTender.number}, {"연 회 명", Cut(aTender.nameOrCard, 10)}}));
        } else if (code == ctx_.giPayCredit) {
            TPayCreditList credit;
            credit.MemberNo = aTender.number;
            credit.CustName = Cut(aTender.nameOrCard, 10);
            detail = TenderDetail(credit);
            creditSlips_.push_back(SignatureSlipLines(
                aTender.name, {{"우대번호", aTender.number}, {"회원성명", Cut(aTender.nameOrCard, 10)}}));
        }
        body_.push_back(TenderLine(aTender.name, detail, aTender.amount));
    }

    // Each cash receipt closes the receipt, or prints as a list ticket of its
    // own where a TSP700 prints with the tickets.
    void addCashReceipts()
    {
        TLines blocks;
        for (const TReprintCashReceipt& receipt : bill_.cashReceipts) {
            TPayCashList cash;
            cash.ManYN = !receipt.business;
            cash.CardName = CashToString(receipt.identity, true);
            cash.AgreeAmt = receipt.amount;
            cash.AgreeNo = receipt.approvalNo;
            TLines block = CashReceiptBlock(cash);
            if (CashReceiptAsTicket(printers_)) {
                block.push_back(Rule('-'));
                for (std::string& line : CashReceiptEnquiryLines()) block.push_back(std::move(line));
                cashTickets_.push_back(std::move(block));
                continue;
            }
            if (!blocks.empty()) blocks.emplace_back();
            blocks.insert(blocks.end(), block.begin(), block.end());
        }
        if (blocks.empty()) return;
        body_.push_back(Rule('-'));
        body_.insert(body_.end(), blocks.begin(), blocks.end());
        body_.push_back(Rule('-'));
        for (std::string& line : CashReceiptEnquiryLines()) body_.push_back(std::move(line));
    }

    std::vector<const TLines*> signatureSlips() const
    {
        std::vector<const TLines*> slips;
        for (const auto* list : {&roomSlips_, &lockerSlips_, &eventSlips_, &creditSlips_})
            for (const TLines& slip : *list) slips.push_back(&slip);
        return slips;
    }

    // The receipt and, once more each, the receipt with a signature slip.
    void printReceipt()
    {
        const std::string fullText = JoinLines(fullLines_);
        const auto onReceiptPrinter = [&](int aPrinter) {
            out_.plan.push_back(ReceiptJob(aPrinter, fullText + ReceiptFooter()));
            for (const TLines* slip : signatureSlips()) out_.plan.push_back(ReceiptJob(aPrinter, fullText + JoinLines(*slip)));
        };
        const auto asTickets = [&](const TLines& aReceipt, std::size_t aSlipTail) {
            ticket(aReceipt);
            for (const TLines* slip : signatureSlips()) {
                if (slip->size() <= aSlipTail) continue;
                TLines lines = aReceipt;
                lines.insert(lines.end(), slip->begin(), slip->end() - static_cast<std::ptrdiff_t>(aSlipTail));
                ticket(lines);
            }
        };
        if (printers_.Is1(ptTSP600)) onReceiptPrinter(1);
        // The page-mode printer prints the body under its own ticket header,
        // and a slip without its closing lines (the page ends there).
        if (printers_.Is1(ptTSP800)) asTickets(body_, kSignatureSlipTail);
        if (printers_.Is1(ptTSP700) || printers_.Is2(ptTSP700)) asTickets(fullLines_, 0);
        if (!printers_.Is1(ptTSP600) && printers_.Is2(ptTSP600)) onReceiptPrinter(2);
    }

    void ticket(const TLines& aLines)
    {
        out_.plan.push_back(ListTicketJob(header_, aLines));
        out_.plan.push_back(StepJob(TPrintStep::PrintTickets));
    }

    void printCardSlips()
    {
        const TReceiptRoute route = CardSlipRouteOf(printers_);
        const TCardSlipStyle style{request_.sale, route == TReceiptRoute::TicketList, bill_.noVat};
        bool ticketsQueued = false;
        for (const TReprintCard& card : bill_.cards) {
            if (route == TReceiptRoute::None) {
                if (printers_.Is2(ptEasyCheck)) out_.easyCheckSlips.push_back(easyCheckSlip(card));
                continue;
            }
            const TPayCardList line = cardLine(card);
            for (TSlipCopy copy : {TSlipCopy::Company, TSlipCopy::Customer}) {
                TLines lines = CardSlipLines(line, copy, style, header_, ctx_.gsMasterUpjangName);
                if (style.ticketForm) {
                    out_.plan.push_back(ListTicketJob(header_, std::move(lines)));
                    ticketsQueued = true;
                } else {
                    out_.plan.push_back(ReceiptJob(printers_.Is1(ptTSP600) ? 1 : 2, JoinLines(lines)));
                }
            }
        }
        if (ticketsQueued) out_.plan.push_back(StepJob(TPrintStep::PrintTickets));
    }

    static TPayCardList cardLine(const TReprintCard& aCard)
    {
        TPayCardList line;
        line.Amt = aCard.amount;
        line.CardNo = aCard.cardNo;
        line.AgreeDate = aCard.approvalDate;
        line.VaildThru = aCard.validThru;
        line.HalbuMonth = aCard.instalment;
        line.AgreeNo = aCard.approvalNo;
        line.CompanyName = aCard.issuer;
        line.BankName = Cut(aCard.company, 26);
        line.CardJoinNo = aCard.merchantNo;
        line.SignYN = aCard.signedOnPad;
        return line;
    }

    TEasyCheckSlip easyCheckSlip(const TReprintCard& aCard) const
    {
        TEasyCheckSlip slip;
        slip.billNo = StringToInteger(bill_.billNo);
        slip.agree = request_.sale;
        slip.amount = aCard.amount.truncWon();
        slip.cardNo = aCard.cardNo;
        slip.validThru = GetOnlyNumber(aCard.validThru);
        slip.instalment = StringToInteger(GetOnlyNumber(aCard.instalment));
        slip.approvalNo = aCard.approvalNo;
        slip.issuerName = aCard.issuer;
        slip.cardCompanyName = aCard.company;
        slip.merchantNo = aCard.merchantNo;
        slip.approvalDate = aCard.approvalDate;
        return slip;
    }

    const TTerminalContext& ctx_;
    TPrinters printers_;
    const TReprintBill& bill_;
    const TReprintRequest& request_;
    std::string header_;
    TLines body_, fullLines_;
    std::vector<TLines> roomSlips_, lockerSlips_, eventSlips_, creditSlips_;
    std::vector<TLines> cashTickets_;
    TReprintPrint out_;
};

}  // namespace

std::string ReprintLine(std::int64_t aCount)
{
    char text[128];
    std::snprintf(text, sizeof text, "이 영수증은 %lld번째 재발행 된 영수증입니다.", static_cast<long long>(aCount));
    return text;
}

TReprintPrint ComposeReprint(const TTerminalContext& aContext, TPrinters aPrinters, const TReprintBill& aBill,
                             const TReprintRequest& aRequest)
{
    return TReprintComposer(aContext, aPrinters, aBill, aRequest).Compose();
}

}  // namespace pos
