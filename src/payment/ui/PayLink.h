#pragma once
// How the payment screen drives its model (TPayModel): each thing the cashier
// does runs as one model action, after which the screen shows the model
// again and ends when the model has a result. The link also tells the
// screen's own focus moves (while it shows the model) from the cashier's.
// The model actions of core/ui/ModelActions.h, for the payment model's
// results.

#include "core/ui/ModelActions.h"
#include "core/ui/TfrmInherit.h"
#include "payment/PayModel.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>

#include <functional>
#include <optional>
#include <utility>

namespace pos {

class TPayLink {
public:
    // aShowModel shows what the model holds; it runs after every action.
    TPayLink(TfrmInherit& aScreen, TPayModel& aModel, std::function<void()> aShowModel)
        : model_(aModel), actions_(aScreen, std::move(aShowModel), [this] { return ending(); })
    {
    }
    TPayLink(const TPayLink&) = delete;
    TPayLink& operator=(const TPayLink&) = delete;

    // Runs one cashier action on the model, shows the model's state and ends
    // the screen when the model has a result. While the model shows a
    // message box or waits for an approval, nothing else reaches it.
    void Act(const std::function<void()>& aAction) { actions_.Act(aAction); }
    bool InModel() const { return actions_.InModel(); }

    // The screen's own focus moves (TFocusFollowing).
    void Following(const std::function<void()>& aShow) { actions_.Following(aShow); }
    // The model's focused field takes the focus (and its text is selected
    // when the model says so).
    void FollowFocus(QLineEdit* aTarget) const { actions_.FollowFocus(aTarget, model_.SelectAll()); }
    // A focus-in the cashier caused; none while a model action runs.
    bool CashierFocusIn(const QEvent* aEvent) const { return actions_.CashierFocusIn(aEvent); }

private:
    std::optional<int> ending() const
    {
        switch (model_.Result()) {
        case TPayResult::Settled: return QDialog::Accepted;
        case TPayResult::Cancelled: return QDialog::Rejected;
        case TPayResult::Open: break;
        }
        return std::nullopt;
    }

    TPayModel& model_;
    TModelActions actions_;
};

}  // namespace pos
