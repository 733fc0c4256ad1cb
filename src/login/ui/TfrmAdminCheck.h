#pragma once
// The manager check ("담당자 확인"): cashier number and password of a manager
// for a guarded operation. TAdminCheckModel holds the rules; the screen shows
// its state and hands it what the cashier types. It ends with the OK result
// when a manager confirmed, and without it on Esc or the close button.

#include "core/ui/TfrmGetBox.h"
#include "login/LoginModel.h"
#include "login/ui/ModelLink.h"

#include <functional>

class QLabel;
class QLineEdit;

namespace pos {

class TfrmAdminCheck : public TfrmGetBox {
    Q_OBJECT
public:
    TfrmAdminCheck(const TScreenEnv& aEnv, TAdminCheckModel& aModel, QWidget* aParent = nullptr);
    ~TfrmAdminCheck() override;

    void ShowModel();

    QLineEdit* edtCashier = nullptr;
    QLineEdit* edtPassword = nullptr;

    static constexpr int kWidth = 470;
    static constexpr int kHeight = 320;

public slots:
    void reject() override;  // Esc and the close button

protected:
    void showEvent(QShowEvent* aEvent) override;
    bool eventFilter(QObject* aWatched, QEvent* aEvent) override;

private:
    QLineEdit* makeEdit(TAdminField aField, const char* aCaption, int aTop, int aMaxLength, bool aSecret);
    QLineEdit* edit(TAdminField aField) const;
    TAdminField fieldOf(const QObject* aWidget) const;
    // Runs one cashier action on the model (TModelLink::Act).
    void act(const std::function<void()>& aAction) { link_.Act(aAction); }

    TAdminCheckModel& model_;
    TModelLink<TAdminCheckModel> link_;
    bool shown_ = false;
};

}  // namespace pos
