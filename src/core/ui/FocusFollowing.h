#pragma once
// Tells a screen's own focus moves from the cashier's, for the screens that
// mirror a model (the login screens, the payment screen): while the screen
// shows its model it enables, hides and focuses fields itself, and those
// focus-ins are no touch of the cashier.

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QWidget>

#include <functional>

namespace pos {

class TFocusFollowing {
public:
    explicit TFocusFollowing(QWidget& aScreen) : screen_(aScreen) {}

    // Runs aShow as the screen's own doing.
    void Following(const std::function<void()>& aShow)
    {
        const bool following = following_;
        following_ = true;
        aShow();
        following_ = following;
    }

    // The model's focused field takes the focus, its text selected when
    // aSelectAll.
    void FollowFocus(QLineEdit* aTarget, bool aSelectAll) const
    {
        if (aTarget == nullptr) return;
        if (screen_.focusWidget() != aTarget) aTarget->setFocus(Qt::OtherFocusReason);
        if (aSelectAll) aTarget->selectAll();
    }

    // A touch, Tab or Up/Down into a field: true for a focus-in the cashier
    // caused. Focus coming back with the window (after a message box) or
    // from a popup is none, nor is a move the screen makes itself.
    bool CashierFocusIn(const QEvent* aEvent) const
    {
        if (aEvent->type() != QEvent::FocusIn || following_) return false;
        const Qt::FocusReason reason = static_cast<const QFocusEvent*>(aEvent)->reason();
        return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
    }

private:
    QWidget& screen_;
    bool following_ = false;
};

}  // namespace pos
