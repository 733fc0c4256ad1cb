#pragma once
// How the login screen and the manager check drive their model (TLoginModel,
// TAdminCheckModel): each thing the cashier does runs as one model action,
// after which the screen shows the model again, repeats the model's footer
// message and ends when the model has a result. The link also tells the
// screen's own focus moves (while it shows the model) from the cashier's.

#include "core/ui/FocusFollowing.h"
#include "core/ui/TfrmInherit.h"
#include "login/LoginModel.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>

#include <functional>
#include <optional>
#include <utility>

namespace pos {

template <class Model>
class TModelLink {
public:
    // aShowModel shows what the model holds; it runs after every action.
    TModelLink(TfrmInherit& aScreen, Model& aModel, std::function<void()> aShowModel)
        : screen_(aScreen), model_(aModel), showModel_(std::move(aShowModel)), previousShowMsg_(aModel.ShowMsg)
    {
        // A footer message of the model is shown at once (it may come with a
        // message box), and again once the focus has settled, since a field
        // taking the focus puts its own prompt there.
        model_.ShowMsg = [this](const TLoginMessage& aMsg) {
            message_ = aMsg;
            screen_.ShowMsg(aMsg.Text, aMsg.Error, aMsg.Seconds);
        };
    }
    ~TModelLink() { model_.ShowMsg = previousShowMsg_; }
    TModelLink(const TModelLink&) = delete;
    TModelLink& operator=(const TModelLink&) = delete;

    // Runs one cashier action on the model, shows the model's state, and
    // ends the screen when the model has a result.
    void Act(const std::function<void()>& aAction)
    {
        // While the model shows a message box, the box's own loop delivers
        // the focus coming back to a field: that is no action of the cashier.
        if (inModel_ || !screen_.isVisible()) return;
        inModel_ = true;
        message_.reset();
        aAction();
        inModel_ = false;
        showModel_();
        if (message_) screen_.ShowMsg(message_->Text, message_->Error, message_->Seconds);
        message_.reset();

        switch (model_.Result()) {
        case TLoginResult::SignedOn: screen_.done(QDialog::Accepted); break;
        case TLoginResult::Cancelled: screen_.done(QDialog::Rejected); break;
        case TLoginResult::Open: break;
        }
    }

    // The screen's own focus moves (TFocusFollowing).
    void Following(const std::function<void()>& aShow) { focus_.Following(aShow); }
    // The model's focused field takes the focus (and its text is selected
    // when the model says so).
    void FollowFocus(QLineEdit* aTarget) const { focus_.FollowFocus(aTarget, model_.SelectAll()); }
    bool CashierFocusIn(const QEvent* aEvent) const { return focus_.CashierFocusIn(aEvent); }

private:
    TfrmInherit& screen_;
    Model& model_;
    std::function<void()> showModel_;
    std::function<void(const TLoginMessage&)> previousShowMsg_;
    bool inModel_ = false;    // a model action runs (its message boxes run their own loop)
    TFocusFollowing focus_{screen_};
    std::optional<TLoginMessage> message_;
};

}  // namespace pos
