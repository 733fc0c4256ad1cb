#pragma once
// Approvals left in the journal without a stored bill: after a crash, or
// after a settlement that failed once the payment screen had the cards
// approved. Each one is settled the one way that leaves the customer charged
// exactly for what the resort stored:
//   - a stored bill holds it (the crash came between the commit and the
//     journal's clean-up): its entry goes;
//   - it is done and no stored bill holds it: it is reversed with the same
//     data, and its entry goes when the reversal is answered, or when the
//     card company says it has cancelled that slip already (a cancellation
//     that went out just before a crash);
//   - it is pending or uncertain (no approval number to undo), it cannot be
//     told now whether a bill holds it (off line, the server does not
//     answer), or its reversal is refused: it stays, named in the report,
//     for the next settling or for a person to check with the card company.

#include "payment/CardApprovals.h"
#include "payment/approval/ApprovalChannels.h"
#include "payment/approval/ApprovalJournal.h"

#include <optional>
#include <string>
#include <vector>

namespace pos {

// Whether a stored bill holds an approval: on the server or in the off-line
// queue.
class TStoredApprovals {
public:
    virtual ~TStoredApprovals() = default;
    // nullopt when it cannot be told now.
    virtual std::optional<bool> Holds(const TJournalEntry& aEntry) = 0;
};

struct TReversalAnswer {
    bool Reversed = false;
    std::string ErrCode, Message;  // why not
};

// A channel's answer to a reversal (card or cash receipt).
template <class Result>
TReversalAnswer ReversalAnswerOf(const Result& aResult)
{
    return {aResult.Outcome == TCardOutcome::Approved, aResult.ErrCode, aResult.Message};
}

// Sends the opposite of a done entry and waits for the answer.
class TApprovalReverser {
public:
    virtual ~TApprovalReverser() = default;
    virtual TReversalAnswer Reverse(const TJournalEntry& aEntry) = 0;
};

// The reverser over the channels themselves; it blocks its caller for as
// long as the channel takes (a worker, a tool, a test harness).
class TChannelReverser final : public TApprovalReverser {
public:
    TChannelReverser(TApprovalChannels& aChannels, TReversalContext aContext)
        : channels_(aChannels), context_(std::move(aContext))
    {
    }
    TReversalAnswer Reverse(const TJournalEntry& aEntry) override;

private:
    TApprovalChannels& channels_;
    TReversalContext context_;
};

struct TLeftoverReport {
    int cleared = 0;                // held by a stored bill
    int reversed = 0;               // undone at the card company
    std::vector<std::string> kept;  // one line per entry that stays, numbers masked
    std::string journalProblem;     // the journal could not be written
    bool Quiet() const { return reversed == 0 && kept.empty() && journalProblem.empty(); }
};

TLeftoverReport SettleLeftoverApprovals(TApprovalJournal& aJournal, TStoredApprovals& aStored,
                                        TApprovalReverser& aReverser);

// One journal entry settled the same way, its result added to aReport.
enum class TLeftoverOutcome { Cleared, Reversed, Kept };
TLeftoverOutcome SettleLeftoverApproval(TApprovalJournal& aJournal, const TJournalEntry& aEntry,
                                        TStoredApprovals& aStored, TApprovalReverser& aReverser,
                                        TLeftoverReport& aReport);

// What the cashier reads of a report (empty when there is nothing to say).
std::string LeftoverMessage(const TLeftoverReport& aReport);

// "저장되지 않은 전표의 승인 N건을 취소했습니다.", "저장된 전표가 없는 승인 N건이
// 남아 있습니다." with the kept lines, and:
inline constexpr const char* kMsgLeftoverCheck = "카드사에 확인한 뒤 정리하십시오.";

}  // namespace pos
