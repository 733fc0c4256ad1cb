#pragma once
// How the payment screen drives its model (TPayModel): each thing the cashier
// does runs as one model action, after which the screen shows the model
// again and ends when the model has a result. The link also tells the
// screen's own focus moves (while it shows the model) from the cashier's.
// The same pattern as the login's link (login/ui/ModelLink.h), for the
// payment model's results.

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

    // Runs aShow as the screen's own doing: enabling, hiding and focusing
    // fields moves the focus by itself, and that is no move of the cashier.
    void Following(const std::function<void()>& aShow)
    {
        const bool following = following_;
        following_ = true;
        aShow();
        following_ = following;
    }

    // The model's focused field takes the focus (and its text is selected
    // when the model says so).
    void FollowFocus(QLineEdit* aTarget) const
    {
        if (aTarget == nullptr) return;
        if (screen_.focusWidget() != aTarget) aTarget->setFocus(Qt::OtherFocusReason);
        if (model_.SelectAll()) aTarget->selectAll();
    }

    // A touch, Tab or Up/Down into a field: true for a focus-in the cashier
    // caused. Focus coming back with the window (after a message box) or
    // from a popup is none, nor is a move the screen makes itself.
    bool CashierFocusIn(const QEvent* aEvent) const
    {
        if (aEvent->type() != QEvent::FocusIn || following_ || inModel_) return false;
        const Qt::FocusReason reason = static_cast<const QFocusEvent*>(aEvent)->reason();
        return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
    }

private:
    TfrmInherit& screen_;
    TPayModel& model_;
    std::function<void()> showModel_;
    bool inModel_ = false;    // a model action runs (its message boxes run their own loop)
    bool following_ = false;  // the screen moves the focus itself
};

}  // namespace pos
