#pragma once
// How the payment screen drives its model (TPayModel): each thing the cashier
// does runs as one model action, after which the screen shows the model
// again and ends when the model has a result. The link also tells the
// screen's own focus moves (while it shows the model) from the cashier's.
// The same pattern as the login's link (login/ui/ModelLink.h), for the
// payment model's results; both tell focus moves apart with TFocusFollowing.

#include "core/ui/FocusFollowing.h"
#include "core/ui/TfrmInherit.h"
#include "payment/PayModel.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>

#include <functional>
#include <utility>

namespace pos {

class TPayLink {
public:
    // aShowModel shows what the model holds; it runs after every action.
    TPayLink(TfrmInherit& aScreen, TPayModel& aModel, std::function<void()> aShowModel)
        : screen_(aScreen), model_(aModel), showModel_(std::move(aShowModel))
    {
    }
    TPayLink(const TPayLink&) = delete;
    TPayLink& operator=(const TPayLink&) = delete;

    // Runs one cashier action on the model, shows the model's state and ends
    // the screen when the model has a result.
    void Act(const std::function<void()>& aAction)
    {
        // While the model shows a message box or waits for an approval, the
        // focus coming back to a field is no action of the cashier.
        if (inModel_ || !screen_.isVisible()) return;
        inModel_ = true;
        aAction();
        inModel_ = false;
        showModel_();
        switch (model_.Result()) {
        case TPayResult::Settled: screen_.done(QDialog::Accepted); break;
        case TPayResult::Cancelled: screen_.done(QDialog::Rejected); break;
        case TPayResult::Open: break;
        }
    }
    bool InModel() const { return inModel_; }

    // The screen's own focus moves (TFocusFollowing).
    void Following(const std::function<void()>& aShow) { focus_.Following(aShow); }
    // The model's focused field takes the focus (and its text is selected
    // when the model says so).
    void FollowFocus(QLineEdit* aTarget) const { focus_.FollowFocus(aTarget, model_.SelectAll()); }
    // A focus-in the cashier caused; none while a model action runs.
    bool CashierFocusIn(const QEvent* aEvent) const { return !inModel_ && focus_.CashierFocusIn(aEvent); }

private:
    TfrmInherit& screen_;
    TPayModel& model_;
    std::function<void()> showModel_;
    bool inModel_ = false;    // a model action runs (its message boxes run their own loop)
    TFocusFollowing focus_{screen_};
};

}  // namespace pos
