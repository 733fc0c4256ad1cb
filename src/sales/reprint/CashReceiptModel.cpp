#include "sales/reprint/CashReceiptModel.h"

#include "core/DialogService.h"
#include "core/TextHelpers.h"
#include "payment/approval/BillCashReceipts.h"
#include "payment/approval/LeftoverApprovals.h"
#include "sales/reprint/CashReceiptRows.h"

namespace pos {

TCashReceiptModel::TCashReceiptModel(TBillKey aBill, std::int64_t aAmount, TCashReceiptServices aServices)
    : bill_(std::move(aBill)), amount_(aAmount), services_(aServices)
{
}

bool TCashReceiptModel::ReadyToApprove()
{
    message_.clear();
    if (!TrimCopy(identity).empty()) return true;
    message_ = std::string(kCashNoCaption) + kMsgMustInput;
    return false;
}

TCashReceiptEnd TCashReceiptModel::Execute()
{
    TCashRequest request;
    request.Approval = true;
    request.Individual = individual;
    request.Identity = identity;
    request.Amount = Currency(amount_);
    const TCashApprovalResult approval = services_.approvals.ApproveBillCash(bill_, request);
    if (approval.Outcome != TCardOutcome::Approved) {
        services_.dialogs.ErrBox(kMsgCashReceiptError + approval.Message + "(" + approval.ErrCode + ")", true);
        // An answer that never came may stand approved: its journal entry
        // waits for a person, and no second receipt is asked beside it.
        return approval.Outcome == TCardOutcome::Uncertain ? TCashReceiptEnd::Abandoned : TCashReceiptEnd::Open;
    }
    const TCashReceiptRow row{bill_, individual, identity, amount_, approval.AgreeNo, approval.AgreeDate};
    const TCashReceiptStored stored = services_.rows.Store(row);
    if (!stored.stored) {
        if (stored.error) services_.dialogs.ErrBox(stored.error.message);
        return notStored(approval.JournalId);
    }
    // Stored: the receipt no longer needs its journal entry. Should the
    // entry not go, the next settling finds its row and clears it.
    if (approval.JournalId != 0) services_.journal.Remove(approval.JournalId);
    return TCashReceiptEnd::Stored;
}

TCashReceiptEnd TCashReceiptModel::notStored(std::int64_t aJournalId)
{
    const std::optional<TJournalEntry> entry = services_.journal.Find(aJournalId);
    TLeftoverReport report;
    const TLeftoverOutcome outcome =
        entry ? SettleLeftoverApproval(services_.journal, *entry, services_.stored, services_.reverser, report)
              : TLeftoverOutcome::Kept;
    switch (outcome) {
    case TLeftoverOutcome::Cleared: return TCashReceiptEnd::Stored;  // its row is there after all
    case TLeftoverOutcome::Reversed: services_.dialogs.ErrBox(kMsgCashReceiptUndone, true); return TCashReceiptEnd::Open;
    case TLeftoverOutcome::Kept: break;
    }
    std::string text = kMsgCashReceiptKept;
    for (const std::string& line : report.kept) text += "\r" + line;
    services_.dialogs.ErrBox(text, true);
    return TCashReceiptEnd::Abandoned;
}

}  // namespace pos
