#pragma once
// How a screen that mirrors a model runs what the cashier does: each thing
// runs as one model action, after which the screen shows the model again
// and ends when the model has ended. While an action runs (a message box of
// the model runs its own event loop) nothing else reaches the model, and the
// screen's own focus moves are told from the cashier's (TFocusFollowing).

#include "core/ui/FocusFollowing.h"

#include <QDialog>
#include <QEvent>
#include <QLineEdit>

#include <functional>
#include <optional>
#include <utility>

namespace pos {

class TModelActions {
public:
    // aShowModel shows what the model holds; it runs after every action.
    // aEnding gives the screen's result once the model has ended (QDialog's
    // Accepted or Rejected), nullopt while it goes on.
    TModelActions(QDialog& aScreen, std::function<void()> aShowModel, std::function<std::optional<int>()> aEnding)
        : screen_(aScreen), showModel_(std::move(aShowModel)), ending_(std::move(aEnding))
    {
    }
    TModelActions(const TModelActions&) = delete;
    TModelActions& operator=(const TModelActions&) = delete;

    void Act(const std::function<void()>& aAction)
    {
        if (inModel_ || !screen_.isVisible()) return;
        inModel_ = true;
        aAction();
        inModel_ = false;
        showModel_();
        if (const std::optional<int> result = ending_()) screen_.done(*result);
    }
    bool InModel() const { return inModel_; }

    // The screen's own focus moves.
    void Following(const std::function<void()>& aShow) { focus_.Following(aShow); }
    void FollowFocus(QLineEdit* aTarget, bool aSelectAll) const { focus_.FollowFocus(aTarget, aSelectAll); }
    // A focus-in the cashier caused; none while a model action runs.
    bool CashierFocusIn(const QEvent* aEvent) const { return !inModel_ && focus_.CashierFocusIn(aEvent); }

private:
    QDialog& screen_;
    std::function<void()> showModel_;
    std::function<std::optional<int>()> ending_;
    bool inModel_ = false;
    TFocusFollowing focus_{screen_};
};

}  // namespace pos
