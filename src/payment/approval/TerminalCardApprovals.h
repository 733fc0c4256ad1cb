#pragma once
// The card approvals the payment screen asks for, answered through the
// terminal's approval channels (driver, then the dedicated line) with the
// values every request carries: today and the business date, the own outlet
// and POS, the current bill number, the outlet's card terminal, live or
// test mode, the sign pad.
//
// Each call blocks the payment screen's flow until the answer is in, as the
// screen expects, but the request itself runs on the runner's worker and
// the GUI thread keeps its event loop going meanwhile (the waiting panel
// paints, the devices go on printing).

#include "payment/CardApprovals.h"
#include "payment/approval/ApprovalChannels.h"
#include "payment/approval/ApprovalRunner.h"
#include "payment/approval/BillCashReceipts.h"
#include "payment/approval/LeftoverApprovals.h"

#include <string>

namespace pos {

struct TTerminalContext;

class TTerminalCardApprovals final : public TCardApprovals, public TApprovalReverser, public TBillCashReceipts {
public:
    // aTerminalId: the own outlet's card terminal ID (CardTID), read when a
    // request goes out.
    TTerminalCardApprovals(const TTerminalContext& aContext, TApprovalChannels& aChannels, TApprovalRunner& aRunner,
                           std::function<std::string()> aTerminalId)
        : ctx_(aContext), channels_(aChannels), runner_(aRunner), terminalId_(std::move(aTerminalId))
    {
    }

    TCardAnswer ApproveCard(const TCardRequest& aRequest) override { return card(aRequest); }
    TCardAnswer CancelCard(const TCardRequest& aRequest) override { return card(aRequest); }
    TCashAnswer ApproveCash(const TCashRequest& aRequest) override { return cash(aRequest); }
    TCashAnswer CancelCash(const TCashRequest& aRequest) override { return cash(aRequest); }
    // A left-over journal entry undone, on the runner like every request.
    TReversalAnswer Reverse(const TJournalEntry& aEntry) override;
    // The after-sale cash receipt of a stored bill, on the runner too.
    TCashApprovalResult ApproveBillCash(const TBillKey& aBill, const TCashRequest& aRequest) override;

    // The driver's values of a request (the request's own, and the
    // terminal's).
    TDriverCardRequest DriverRequest(const TCardRequest& aRequest) const;
    TDriverCashRequest DriverRequest(const TCashRequest& aRequest) const;

private:
    TCardAnswer card(const TCardRequest& aRequest);
    TCashAnswer cash(const TCashRequest& aRequest);
    // Runs aWork on the runner and waits for its completion.
    template <class Result, class Work>
    Result await(Work aWork);

    const TTerminalContext& ctx_;
    TApprovalChannels& channels_;
    TApprovalRunner& runner_;
    std::function<std::string()> terminalId_;
};

// What the payment screen reads of a channel's outcome.
TApprovalOutcome ScreenOutcome(TCardOutcome aOutcome);

}  // namespace pos
