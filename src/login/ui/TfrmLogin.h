#pragma once
// The login screen ("Login"): outlet, POS number, sale date, cashier and
// password, the password change panel and the terminal set-up panel
// ("POS환경"), with the on-screen keypad. TLoginModel holds every rule; the
// screen shows the model's state (texts, which fields are editable, enabled
// and visible, the focus, the names, the buttons, the open panel, the footer
// message) and hands it each thing the cashier does, then shows the state
// again. The screen ends when the model has a result.

#include "core/ui/TfrmInherit.h"
#include "login/LoginModel.h"
#include "login/ui/ModelLink.h"

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace pos {

class TfrmKeyFrame;
class TZoPosButton;
class TZoRoundRect;

class TfrmLogin : public TfrmInherit {
    Q_OBJECT
public:
    TfrmLogin(const TScreenEnv& aEnv, TLoginModel& aModel, QWidget* aParent = nullptr);
    ~TfrmLogin() override;

    // The edit of a model field; null for None.
    QLineEdit* Edit(TLoginField aField) const;
    // Shows what the model holds.
    void ShowModel();

    QLabel* imgBack = nullptr;  // the "LoginImg" picture behind the fields
    TZoRoundRect* panLogin = nullptr;
    QLineEdit* edtUpjangCode = nullptr;
    QLineEdit* edtPosNo = nullptr;
    QLineEdit* edtSaleDate = nullptr;
    QLineEdit* edtCashier = nullptr;
    QLineEdit* edtPassword = nullptr;
    QLabel* lblUpjangName = nullptr;
    QLabel* lblCashierName = nullptr;
    TZoPosButton* btnPasswordChange = nullptr;
    TZoPosButton* btnConfig = nullptr;
    TfrmKeyFrame* fraKeyPad = nullptr;

    TZoRoundRect* panPasswordChange = nullptr;
    QLineEdit* edtPasswordOld = nullptr;
    QLineEdit* edtPasswordNew = nullptr;
    QLineEdit* edtPasswordConfirm = nullptr;

    TZoRoundRect* panConfig = nullptr;
    QLineEdit* edtUpjang = nullptr;
    QLineEdit* edtPos = nullptr;
    QComboBox* cbbPrinter1 = nullptr;
    QLineEdit* edtPrinter1Port = nullptr;
    QLineEdit* edtPrinter1Rate = nullptr;
    QComboBox* cbbPrinter2 = nullptr;
    QLineEdit* edtPrinter2Port = nullptr;
    QLineEdit* edtPrinter2Rate = nullptr;
    QCheckBox* ckbDisplay = nullptr;
    QComboBox* cbbSignPad = nullptr;
    QLineEdit* edtSignPadPort = nullptr;

public slots:
    // The close button and the window's close: the model decides whether
    // the screen may close (at start-up it asks for the shut-down instead).
    void reject() override;

protected:
    void showEvent(QShowEvent* aEvent) override;
    void keyPressEvent(QKeyEvent* aEvent) override;
    bool eventFilter(QObject* aWatched, QEvent* aEvent) override;

private:
    void buildLoginFields();
    void buildPasswordPanel();
    void buildConfigPanel();
    void buildButtons();
    QLineEdit* makeEdit(QWidget* aParent, TLoginField aField, const QRect& aRect, int aMaxLength, bool aSecret);
    QLabel* makeCaption(QWidget* aParent, const char* aCaption, const QRect& aRect, QLineEdit* aBuddy);
    QComboBox* makeChoices(QWidget* aParent, const std::vector<std::string>& aChoices, const QRect& aRect,
                           std::string TLoginSetupChoices::*aChoice);
    TLoginField fieldOf(const QObject* aWidget) const;

    // Runs one cashier action on the model (TModelLink::Act).
    void act(const std::function<void()>& aAction) { link_.Act(aAction); }
    void showFields();
    void showChoices();
    void followFocus();

    TLoginModel& model_;
    TModelLink<TLoginModel> link_;
    std::array<QLineEdit*, static_cast<std::size_t>(TLoginField::Count)> edits_{};
    bool shown_ = false;
};

}  // namespace pos
