#pragma once
// What a terminal's card approvals are made of, set up from its files: the
// card client on the dedicated line (host and port of "POSIP.ini"), the
// approval driver named in "POS.ini", the approval journal in the program
// folder, and the runner that keeps requests off the GUI thread. Made once
// on the GUI thread before the sale screen opens; lives as long as it.

#include "core/TerminalConfig.h"
#include "payment/approval/ApprovalChannels.h"
#include "payment/approval/ApprovalClock.h"
#include "payment/approval/ApprovalDriver.h"
#include "payment/approval/ApprovalJournal.h"
#include "payment/approval/ApprovalRunner.h"
#include "payment/approval/CardServerLink.h"
#include "payment/approval/QtCompletionPoster.h"
#include "payment/approval/TerminalCardApprovals.h"
#include "payment/approval/ZoCard.h"

#include <functional>
#include <string>
#include <vector>

namespace pos {

struct TTerminalContext;

class TTerminalApprovalSetup {
public:
    TTerminalApprovalSetup(const TTerminalContext& aContext, const TDeviceConfig& aDevices,
                           std::function<std::string()> aTerminalId);

    // What the cashier should hear of the set-up: the driver that could not
    // be loaded, a journal that cannot be used or has damaged lines.
    const std::vector<std::string>& Problems() const { return problems_; }
    // The driver loader's own words, for the day log.
    const std::string& DriverDetail() const { return driverDetail_; }

    TCardApprovals& Approvals() { return approvals_; }
    TApprovalJournal& Journal() { return journal_; }
    TApprovalReverser& Reverser() { return approvals_; }
    TBillCashReceipts& CashReceipts() { return approvals_; }

private:
    TTcpCardServerLink link_;
    TSteadyApprovalClock clock_;
    TZoCard client_;
    TApprovalJournal journal_;
    std::vector<std::string> problems_;
    std::string driverDetail_;
    std::unique_ptr<TApprovalDriver> driver_;
    TApprovalChannels channels_;
    TQtCompletionPoster poster_;  // before the runner, which must not outlive it
    TApprovalRunner runner_;
    TTerminalCardApprovals approvals_;
};

}  // namespace pos
