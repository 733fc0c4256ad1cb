#pragma once
// A cash receipt for a bill that is already stored (the after-sale cash
// receipt of the reprint screen): the request names that bill, not the one
// the terminal is ringing up, so the driver, the journal and a later
// reversal all carry the bill the receipt belongs to. The request is
// journalled like every cash receipt; its entry stays until the caller has
// stored the receipt's row (and removes it) or has undone the receipt.

#include "payment/CardApprovals.h"
#include "payment/approval/ApprovalChannels.h"

#include <string>
#include <utility>

namespace pos {

class TBillCashReceipts {
public:
    virtual ~TBillCashReceipts() = default;
    // Blocks until the driver answers; JournalId names the entry that keeps
    // an approved receipt.
    virtual TCashApprovalResult ApproveBillCash(const TBillKey& aBill, const TCashRequest& aRequest) = 0;
};

// The driver's request for a bill's cash receipt.
TCashApprovalRequest BillCashRequest(const TBillKey& aBill, const TCashRequest& aRequest, bool aLive,
                                     std::string aTerminalId);

// Over the channels themselves, blocking its caller (a tool, a test harness).
class TChannelCashReceipts final : public TBillCashReceipts {
public:
    TChannelCashReceipts(TApprovalChannels& aChannels, bool aLive, std::string aTerminalId)
        : channels_(aChannels), live_(aLive), terminalId_(std::move(aTerminalId))
    {
    }
    TCashApprovalResult ApproveBillCash(const TBillKey& aBill, const TCashRequest& aRequest) override
    {
        return channels_.ApproveCash(BillCashRequest(aBill, aRequest, live_, terminalId_));
    }

private:
    TApprovalChannels& channels_;
    bool live_;
    std::string terminalId_;
};

}  // namespace pos
