#include "payment/approval/ApprovalChannels.h"

#include "cards/CardRules.h"
#include "core/DateHelpers.h"
#include "core/IdentityNumbers.h"
#include "core/TextHelpers.h"
#include "payment/approval/ApprovalDriverApi.h"

#include <algorithm>

namespace pos {
namespace {

// A request refused here, before anything is sent.
template <class Result>
Result refusal(const char* aCode, const char* aMessage)
{
    Result r;
    r.ErrCode = aCode;
    r.Message = aMessage;
    return r;
}

template <typename Request>
TBillKey billOf(const Request& aRequest)
{
    return TBillKey{aRequest.SaleDate, aRequest.UpjangCode, aRequest.PosNo, aRequest.BillNo};
}

TCardOutcome driverRefusal(const std::string& aCode)
{
    return aCode == POS_APPROVAL_UNCERTAIN_CODE ? TCardOutcome::Uncertain : TCardOutcome::Refused;
}

TJournalEntry cardEntry(const TCardApprovalRequest& aRequest)
{
    const TCardNumber card = CardNumberOf(aRequest.CardData);
    TJournalEntry e;
    e.Kind = TJournalKind::Card;
    e.Approve = aRequest.Approve;
    e.Time = GetSysTimeStamp();
    e.Bill = billOf(aRequest);
    e.Amount = aRequest.Amount;
    e.HalbuMonth = aRequest.HalbuMonth;
    e.CardNo = card.CardNo;
    e.ValidThru = card.ValidThru;
    e.KeyIn = aRequest.KeyIn;
    e.OrgAgreeNo = TrimCopy(aRequest.OrgAgreeNo);
    e.TerminalID = aRequest.TerminalID;
    e.Masked = MaskForLog(card.CardNo);
    return e;
}

TJournalEntry cashEntry(const TCashApprovalRequest& aRequest)
{
    TJournalEntry e;
    e.Kind = TJournalKind::Cash;
    e.Approve = aRequest.Approve;
    e.Time = GetSysTimeStamp();
    e.Bill = billOf(aRequest);
    e.Amount = aRequest.Amount;
    e.Individual = aRequest.Individual;
    // A receipt asked for with a card swipe keeps the card number, never
    // the track.
    e.Identity = GetCreditCardNo(aRequest.Identity);
    if (ParseCreditTrack(aRequest.Identity)) e.CardNo = e.Identity;
    e.TerminalID = aRequest.TerminalID;
    e.Masked = MaskForLog(e.Identity);
    return e;
}

const char* channelCode(TApprovalChannel aChannel)
{
    switch (aChannel) {
    case TApprovalChannel::Driver: return "DRV";
    case TApprovalChannel::CardServer: return "SRV";
    case TApprovalChannel::None: break;
    }
    return "";
}

bool sameTransaction(const TJournalEntry& a, const TJournalEntry& b)
{
    return a.Id != b.Id && a.State == TJournalState::Done && a.Kind == b.Kind && a.Approve == b.Approve &&
           a.CardNo == b.CardNo && a.Identity == b.Identity && a.AgreeNo == b.AgreeNo && a.Amount == b.Amount;
}

}  // namespace

TCardNumber CardNumberOf(std::string_view aCardData)
{
    if (const std::optional<TCreditTrack> track = ParseCreditTrack(aCardData)) return {track->CardNo, track->ValidThru};
    const std::string text = StripSentinels(aCardData);
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos) return {GetCreditCardNo(text), {}};
    return {GetCreditCardNo(text), text.substr(equals + 1, 4)};
}

TApprovalChannels::TApprovalChannels(TApprovalDriver& aDriver, TZoCard& aCardClient, TApprovalJournal& aJournal)
    : driver_(aDriver), cardClient_(aCardClient), journal_(aJournal)
{
}

std::optional<TJournalEntry> TApprovalChannels::undoneBy(const TCardApprovalRequest& aRequest) const
{
    const std::string cardNo = CardNumberOf(aRequest.CardData).CardNo;
    const std::string orgAgreeNo = TrimCopy(aRequest.OrgAgreeNo);
    const TBillKey bill = billOf(aRequest);
    const std::vector<TJournalEntry> entries = journal_.Entries();
    const auto found = std::find_if(entries.rbegin(), entries.rend(), [&](const TJournalEntry& e) {
        if (e.State != TJournalState::Done || e.Kind != TJournalKind::Card || e.CardNo != cardNo ||
            e.Amount != aRequest.Amount || e.Approve == aRequest.Approve)
            return false;
        // Cancelling an approval names it; undoing a refund is a new approval
        // of the same card and amount on the same bill.
        return aRequest.Approve ? orgAgreeNo.empty() && e.Bill == bill : !orgAgreeNo.empty() && e.AgreeNo == orgAgreeNo;
    });
    if (found == entries.rend()) return std::nullopt;
    return *found;
}

std::optional<TJournalEntry> TApprovalChannels::undoneBy(const TCashApprovalRequest& aRequest) const
{
    const std::string identity = GetCreditCardNo(aRequest.Identity);
    const TBillKey bill = billOf(aRequest);
    const std::vector<TJournalEntry> entries = journal_.Entries();
    const auto found = std::find_if(entries.rbegin(), entries.rend(), [&](const TJournalEntry& e) {
        return e.State == TJournalState::Done && e.Kind == TJournalKind::Cash && e.Approve != aRequest.Approve &&
               e.Identity == identity && e.Amount == aRequest.Amount && e.Bill == bill;
    });
    if (found == entries.rend()) return std::nullopt;
    return *found;
}

void TApprovalChannels::settle(TJournalEntry aEntry, TCardOutcome aOutcome, std::string& aProblem, std::int64_t& aJournalId)
{
    if (aOutcome == TCardOutcome::Refused) {
        journal_.Remove(aEntry.Id, &aProblem);
        return;
    }
    aEntry.State = aOutcome == TCardOutcome::Approved ? TJournalState::Done : TJournalState::Uncertain;
    // The same approval given a second time (the card client's repeat rule)
    // is one transaction, kept once.
    const std::vector<TJournalEntry> entries = journal_.Entries();
    const auto same = std::find_if(entries.begin(), entries.end(),
                                   [&](const TJournalEntry& e) { return sameTransaction(e, aEntry); });
    if (aOutcome == TCardOutcome::Approved && same != entries.end()) {
        journal_.Remove(aEntry.Id, &aProblem);
        aJournalId = same->Id;
        return;
    }
    // Should this write fail, the pending entry is still on disk: the request
    // is listed as unanswered rather than forgotten.
    if (journal_.Replace(aEntry, &aProblem)) aJournalId = aEntry.Id;
}

TCardApprovalResult TApprovalChannels::askCardServer(const TCardApprovalRequest& r)
{
    TCardServerRequest request;
    request.UpjangCode = r.UpjangCode;
    request.UpjangSeq = r.PosNo;
    request.SaleDate = r.Today;
    request.SeqNo1 = r.BillNo;
    request.SeqNo2 = 1;
    request.TerminalID = r.TerminalID;
    request.SaleAmt = r.Amount;
    request.Approval = r.Approve;
    request.KeyIn = r.KeyIn;
    request.CardTrack2 = r.CardData;
    request.HalbuMonth = r.HalbuMonth;
    request.OrgAgreeNo = r.OrgAgreeNo;
    const TCardServerAnswer answer = cardClient_.Execute(request);

    TCardApprovalResult result;
    result.Outcome = answer.Outcome;
    result.Channel = TApprovalChannel::CardServer;
    result.ErrCode = answer.ErrCode;
    result.Message = answer.Note;
    if (answer.Outcome == TCardOutcome::Approved) {
        const TCardResponseText& response = cardClient_.Response();
        result.AgreeDate = response.AgreeDate();
        result.AgreeNo = response.AgreeNo();
        result.CompCode = response.CompCode();
        result.CompName = response.CompName();
        result.IssueCode = response.BalgupsaCode();
        result.IssueName = response.BalgupsaName();
        result.JoinNo = response.KamaengNo();
        result.AgreeAmt = response.AgreeAmt();
    }
    return result;
}

TCardApprovalResult TApprovalChannels::askCard(const TCardApprovalRequest& r)
{
    const TDriverCardResult d = driver_.ApprovalCard(r);
    if (!d.Approved && d.ErrCode.empty()) return askCardServer(r);

    TCardApprovalResult result;
    result.Outcome = d.Approved ? TCardOutcome::Approved : driverRefusal(d.ErrCode);
    result.Channel = TApprovalChannel::Driver;
    result.ErrCode = d.ErrCode;
    result.Message = MaskNumbersForLog(d.Message);
    if (d.Approved) {
        result.AgreeDate = d.AgreeDate;
        result.AgreeNo = TrimCopy(d.AgreeNo);
        result.CompCode = d.CompCode;
        result.CompName = d.CompName;
        result.IssueCode = d.IssueCode;
        result.IssueName = d.IssueName;
        result.JoinNo = d.JoinNo;
        result.AgreeAmt = d.AgreeAmt;
    }
    return result;
}

TCardApprovalResult TApprovalChannels::ApproveCard(const TCardApprovalRequest& aRequest)
{
    if (aRequest.Amount < 1 || aRequest.Amount > kCardMaxAmount) {
        return refusal<TCardApprovalResult>(kCardAmountCode, kCardAmountNote);
    }
    const std::optional<TJournalEntry> undone = undoneBy(aRequest);
    TJournalEntry entry;
    if (!undone) {
        entry = cardEntry(aRequest);
        std::string problem;
        if (!journal_.Add(entry, &problem)) {
            TCardApprovalResult refused = refusal<TCardApprovalResult>(kJournalCode, kJournalNote);
            refused.JournalProblem = problem;
            return refused;
        }
    }

    TCardApprovalResult result = askCard(aRequest);

    if (undone) {
        if (result.Outcome == TCardOutcome::Approved) journal_.Remove(undone->Id, &result.JournalProblem);
        return result;
    }
    entry.Channel = channelCode(result.Channel);
    entry.AgreeNo = result.AgreeNo;
    entry.AgreeDate = result.AgreeDate;
    settle(std::move(entry), result.Outcome, result.JournalProblem, result.JournalId);
    return result;
}

TCashApprovalResult TApprovalChannels::ApproveCash(const TCashApprovalRequest& aRequest)
{
    if (aRequest.Amount < 1) {
        return refusal<TCashApprovalResult>(kCardAmountCode, kCardAmountNote);
    }
    const std::optional<TJournalEntry> undone = undoneBy(aRequest);
    TJournalEntry entry;
    if (!undone) {
        entry = cashEntry(aRequest);
        std::string problem;
        if (!journal_.Add(entry, &problem)) {
            TCashApprovalResult refused = refusal<TCashApprovalResult>(kJournalCode, kJournalNote);
            refused.JournalProblem = problem;
            return refused;
        }
    }

    const TDriverCashResult d = driver_.ApprovalCash(aRequest);
    TCashApprovalResult result;
    result.Outcome = d.Approved ? TCardOutcome::Approved : driverRefusal(d.ErrCode);
    result.ErrCode = d.ErrCode;
    result.Message = MaskNumbersForLog(d.Message);
    if (d.Approved) {
        result.AgreeDate = d.AgreeDate;
        result.AgreeNo = TrimCopy(d.AgreeNo);
    }

    if (undone) {
        if (result.Outcome == TCardOutcome::Approved) journal_.Remove(undone->Id, &result.JournalProblem);
        return result;
    }
    entry.Channel = channelCode(TApprovalChannel::Driver);
    entry.AgreeNo = result.AgreeNo;
    entry.AgreeDate = result.AgreeDate;
    settle(std::move(entry), result.Outcome, result.JournalProblem, result.JournalId);
    return result;
}

TCardApprovalResult TApprovalChannels::ReverseCard(const TJournalEntry& aEntry, const TReversalContext& aContext)
{
    if (aEntry.Kind != TJournalKind::Card || aEntry.State != TJournalState::Done) {
        return refusal<TCardApprovalResult>(kNoReversalCode, kNoReversalNote);
    }
    TCardApprovalRequest r;
    r.Live = aContext.Live;
    r.Approve = !aEntry.Approve;
    r.Today = aContext.Today;
    r.UpjangCode = aEntry.Bill.UpjangCode;
    r.PosNo = aEntry.Bill.PosNo;
    r.BillNo = aEntry.Bill.BillNo;
    r.SaleDate = aEntry.Bill.SaleDate;
    // No track is kept: the card goes as keyed in.
    r.CardData = aEntry.CardNo + "=" + aEntry.ValidThru;
    r.KeyIn = true;
    r.Amount = aEntry.Amount;
    r.HalbuMonth = aEntry.HalbuMonth;
    r.OrgAgreeNo = aEntry.Approve ? aEntry.AgreeNo : std::string{};
    r.TerminalID = aEntry.TerminalID;
    r.SignPadType = aContext.SignPadType;
    r.SignPadPort = aContext.SignPadPort;
    return ApproveCard(r);
}

TCashApprovalResult TApprovalChannels::ReverseCash(const TJournalEntry& aEntry, const TReversalContext& aContext)
{
    if (aEntry.Kind != TJournalKind::Cash || aEntry.State != TJournalState::Done) {
        return refusal<TCashApprovalResult>(kNoReversalCode, kNoReversalNote);
    }
    TCashApprovalRequest r;
    r.Live = aContext.Live;
    r.Approve = !aEntry.Approve;
    r.SaleDate = aEntry.Bill.SaleDate;
    r.UpjangCode = aEntry.Bill.UpjangCode;
    r.PosNo = aEntry.Bill.PosNo;
    r.BillNo = aEntry.Bill.BillNo;
    r.Individual = aEntry.Individual;
    r.Identity = aEntry.Identity;
    r.Amount = aEntry.Amount;
    r.TerminalID = aEntry.TerminalID;
    return ApproveCash(r);
}

}  // namespace pos
