#pragma once
// TApprovalChannels: one card or cash-receipt request through the channels the
// terminal has, with the approval journal kept on the way.
//
// Cards go to the approval driver first; when the driver could not process
// the request (false with an empty code) the card client takes over on the
// dedicated line. Cash receipts have only the driver.
//
// Journal: a new approval (or refund) is journalled as pending before it is
// sent; a request refused outright is removed again, an approved one is
// completed with its approval data, an uncertain one is marked so. A request
// that undoes a journalled entry (the cancellation of an approval made for
// this bill, the new approval that undoes a refund) is not journalled
// itself: the entry it undoes goes once it is answered, and stays when it is
// not. When the journal cannot be written, nothing is sent.
//
// What the caller gets back is all it needs for the screen: the outcome, the
// channel (a card approved on the dedicated line wants its paper slip
// signed), the approval data, or the code and message to show. Every call
// blocks until the channel answers: run it on a worker (ApprovalRunner.h).
// One request at a time per instance.

#include "payment/approval/ApprovalDriver.h"
#include "payment/approval/ApprovalJournal.h"
#include "payment/approval/ZoCard.h"

#include <cstdint>
#include <optional>
#include <string>

namespace pos {

// The values of one card request, in the driver's terms (the bill is
// SaleDate, UpjangCode, PosNo, BillNo).
using TCardApprovalRequest = TDriverCardRequest;
using TCashApprovalRequest = TDriverCashRequest;

enum class TApprovalChannel { None, Driver, CardServer };

struct TCardApprovalResult {
    TCardOutcome Outcome = TCardOutcome::Refused;
    TApprovalChannel Channel = TApprovalChannel::None;
    std::string ErrCode, Message;  // to show on a refusal or an uncertain outcome (card numbers masked)
    std::string AgreeDate, AgreeNo, CompCode, CompName, IssueCode, IssueName, JoinNo;
    std::int64_t AgreeAmt = 0;
    std::int64_t JournalId = 0;   // the entry that keeps this approval until its bill is stored; 0: none
    std::string JournalProblem;   // the journal could not follow the answer (the request itself stands)
};

struct TCashApprovalResult {
    TCardOutcome Outcome = TCardOutcome::Refused;
    std::string ErrCode, Message;
    std::string AgreeDate, AgreeNo;
    std::int64_t JournalId = 0;
    std::string JournalProblem;
};

// What a reversal of a left-over entry needs besides the entry.
struct TReversalContext {
    bool Live = true;
    std::string Today;
    bool SignPadType = false;
    std::int64_t SignPadPort = 0;
};

// Codes of this layer: the journal refused to take the request; an entry
// that cannot be reversed automatically.
inline constexpr const char* kJournalCode = "JRNL";
inline constexpr const char* kJournalNote = "카드 승인 기록을 남길 수 없어 승인을 요청하지 않았습니다.\r전산팀에 문의하십시오.";
inline constexpr const char* kNoReversalCode = "CHCK";
inline constexpr const char* kNoReversalNote =
    "승인 여부가 확인되지 않은 거래입니다.\r카드사에 확인한 뒤 정리하십시오.";

// For the screen to show with an uncertain outcome, after the code and
// message: the card may stand charged, so it must not be charged another way
// (EasyCheck, a second card request) before someone has asked the card
// company.
inline constexpr const char* kUncertainApprovalNote =
    "승인 결과를 받지 못했습니다. 카드사에서 승인되었을 수 있으니\r확인하기 전에는 같은 카드로 다시 결제하지 마십시오.";

class TApprovalChannels {
public:
    TApprovalChannels(TApprovalDriver& aDriver, TZoCard& aCardClient, TApprovalJournal& aJournal);

    TCardApprovalResult ApproveCard(const TCardApprovalRequest& aRequest);
    TCashApprovalResult ApproveCash(const TCashApprovalRequest& aRequest);

    // Sends the opposite of a done entry left in the journal with the same
    // data (a card: number and expiry keyed in, the approval number as the
    // original one); the entry goes when that is answered. Pending and
    // uncertain entries carry no approval number to undo: they are refused
    // with kNoReversalCode and stay until a person discards them.
    TCardApprovalResult ReverseCard(const TJournalEntry& aEntry, const TReversalContext& aContext);
    TCashApprovalResult ReverseCash(const TJournalEntry& aEntry, const TReversalContext& aContext);

private:
    TCardApprovalResult askCard(const TCardApprovalRequest& aRequest);
    TCardApprovalResult askCardServer(const TCardApprovalRequest& aRequest);
    std::optional<TJournalEntry> undoneBy(const TCardApprovalRequest& aRequest) const;
    std::optional<TJournalEntry> undoneBy(const TCashApprovalRequest& aRequest) const;
    void settle(TJournalEntry aEntry, TCardOutcome aOutcome, std::string& aProblem, std::int64_t& aJournalId);

    TApprovalDriver& driver_;
    TZoCard& cardClient_;
    TApprovalJournal& journal_;
};

// Card number and expiry ("yymm") of a request's card data: a track, or a
// keyed-in number "=" expiry.
struct TCardNumber {
    std::string CardNo, ValidThru;
};
TCardNumber CardNumberOf(std::string_view aCardData);

}  // namespace pos
