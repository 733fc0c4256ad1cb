#include "payment/ui/PayScreen.h"

#include "payment/ui/TfrmPay.h"
#include "payment/ui/TfrmRemark.h"

namespace pos {

template <class Answer, class Call>
Answer TPayWaitingApprovals::waiting(bool aCard, Call aCall)
{
    if (screen_) screen_->ShowExecute(aCard, true);
    // The panel goes again whatever the flow does.
    struct Restore {
        QPointer<TfrmPay>& screen;
        bool card;
        ~Restore()
        {
            if (screen) screen->ShowExecute(card, false);
        }
    } restore{screen_, aCard};
    return aCall();
}

TCardAnswer TPayWaitingApprovals::ApproveCard(const TCardRequest& aRequest)
{
    return waiting<TCardAnswer>(true, [&] { return approvals_.ApproveCard(aRequest); });
}

TCardAnswer TPayWaitingApprovals::CancelCard(const TCardRequest& aRequest)
{
    return waiting<TCardAnswer>(true, [&] { return approvals_.CancelCard(aRequest); });
}

TCashAnswer TPayWaitingApprovals::ApproveCash(const TCashRequest& aRequest)
{
    return waiting<TCashAnswer>(false, [&] { return approvals_.ApproveCash(aRequest); });
}

TCashAnswer TPayWaitingApprovals::CancelCash(const TCashRequest& aRequest)
{
    return waiting<TCashAnswer>(false, [&] { return approvals_.CancelCash(aRequest); });
}

bool TPayScreenLaunchers::GetRoomList(std::string& /*aRoomNo*/) { return false; }

bool TPayScreenLaunchers::GetGolfList(std::string& /*aLockerNo*/, std::string& /*aMemberNo*/, bool /*aMustCome*/)
{
    return false;
}

bool TPayScreenLaunchers::GetEventList(TEventChoice& /*aChoice*/) { return false; }

bool TPayScreenLaunchers::GetRemarks(const std::string& aCaption, std::string& aRemarks, int aMustInputSize,
                                     bool aDefMsg)
{
    return pos::GetRemarks(env_, dialogs_, aCaption, aRemarks, aMustInputSize, aDefMsg, parent_);
}

bool RunPayScreen(TPayDeps& aDeps, Currency aDue, TPaySummary* aSummary)
{
    TPayWaitingApprovals approvals(aDeps.approvals);
    TPayModel model(aDeps.context, aDeps.store, aDeps.dialogs, aDeps.lookups, aDeps.recorder, approvals,
                    aDeps.launchers);
    if (model.Tenders().empty()) return false;
    model.SetSumAmt(aDue);
    TfrmPay screen(aDeps.env, model, aDeps.parent);
    approvals.Attach(&screen);
    screen.exec();
    if (aSummary != nullptr) *aSummary = model.Summary();
    return model.Result() == TPayResult::Settled;
}

}  // namespace pos
