#pragma once
// The payment screen's launcher and what it wires: the pay command of the
// sale screen calls RunPayScreen with the bill's total.

#include "core/DialogService.h"
#include "core/TerminalContext.h"
#include "core/ui/ScreenEnv.h"
#include "payment/CardApprovals.h"
#include "payment/PayLaunchers.h"
#include "payment/PayModel.h"
#include "payment/PayRecorder.h"

#include <QPointer>
#include <QWidget>

namespace pos {

class TfrmPay;
class TLookups;
class TMasterStore;

// The approvals as the screen runs them: the waiting panel shows, the screen
// takes no input and the cursor is the hourglass while a request is out.
class TPayWaitingApprovals : public TCardApprovals {
public:
    explicit TPayWaitingApprovals(TCardApprovals& aApprovals) : approvals_(aApprovals) {}
    void Attach(TfrmPay* aScreen) { screen_ = aScreen; }

    TCardAnswer ApproveCard(const TCardRequest& aRequest) override;
    TCardAnswer CancelCard(const TCardRequest& aRequest) override;
    TCashAnswer ApproveCash(const TCashRequest& aRequest) override;
    TCashAnswer CancelCash(const TCashRequest& aRequest) override;

private:
    template <class Answer, class Call>
    Answer waiting(bool aCard, Call aCall);

    TCardApprovals& approvals_;
    QPointer<TfrmPay> screen_;
};

// The screens the payment opens: the reason dialog (TfrmRemark); the room,
// golf and contract lists are not built yet and choose nothing.
class TPayScreenLaunchers : public TPayLaunchers {
public:
    TPayScreenLaunchers(TScreenEnv aEnv, DialogService& aDialogs, QWidget* aParent = nullptr)
        : env_(std::move(aEnv)), dialogs_(aDialogs), parent_(aParent)
    {
    }
    bool GetRoomList(std::string& aRoomNo) override;
    bool GetGolfList(std::string& aLockerNo, std::string& aMemberNo, bool aMustCome) override;
    bool GetEventList(TEventChoice& aChoice) override;
    bool GetRemarks(const std::string& aCaption, std::string& aRemarks, int aMustInputSize, bool aDefMsg) override;

private:
    TScreenEnv env_;
    DialogService& dialogs_;
    QPointer<QWidget> parent_;
};

// Everything the payment screen needs. The references must outlive the call.
struct TPayDeps {
    TScreenEnv env;  // title, footer, customer display clearing, day log
    TTerminalContext& context;
    TMasterStore& store;
    DialogService& dialogs;
    TLookups& lookups;
    TPayRecorder& recorder;     // SavePayData into the bill's open transaction
    TCardApprovals& approvals;  // the card and cash-receipt approval flow
    TPayLaunchers& launchers;   // TPayScreenLaunchers in the program
    QWidget* parent = nullptr;
};

// The pay button: runs the payment screen for a bill of aDue (signed) until
// it closes. True when the payment was recorded; aSummary (when given) then
// holds what the sale screen shows and prints: received, change and the
// cash amount. A terminal that offers no tender (OfferedPayTenders) shows no
// screen and answers false.
bool RunPayScreen(TPayDeps& aDeps, Currency aDue, TPaySummary* aSummary = nullptr);

}  // namespace pos
