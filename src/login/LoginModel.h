#pragma once
// The login (IAH010) and the manager check (IAH016) without their windows.
// A screen shows what the model holds (field texts, which fields are
// editable and enabled, the focus, the labels, the buttons, the open panel)
// and hands every cashier action to it; the model answers with its own state,
// the message boxes of the dialog service and the footer line (ShowMsg).
//
// Focus. The screen reports a focus change the cashier made (click, Tab) with
// SetFocus; the model runs the leaving field's exit handling (outlet name,
// cashier look-up, sale date check) and may move the focus itself. When the
// model moves the focus, the screen only follows it (it does not report it
// back). SelectAll() tells that the focused entry is to be selected.
//
// Passwords. The model never holds a stored password, only its hash; the
// typed texts live in the password fields and are cleared once used. See
// Password.h. Every password check goes through the lock-out of LoginGuard.h.
//
// Time. "Now" comes from Clock ("yyyymmddhhnnss"; the terminal's clock, which
// follows the server, unless a test sets another).

#include "core/DialogService.h"
#include "core/TerminalConfig.h"
#include "core/TerminalContext.h"
#include "cards/CardRules.h"
#include "db/DataModule.h"
#include "login/LoginGuard.h"
#include "store/MasterStore.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace pos {

enum class TLoginField {
    None,
    // the login fields (edtUpjangCode, edtPosNo, edtSaleDate, edtCashier, edtPassword)
    UpjangCode,
    PosNo,
    SaleDate,
    Cashier,
    Password,
    // panPasswordChange (edtPasswordOld, edtPasswordNew, edtPasswordConfirm)
    PasswordOld,
    PasswordNew,
    PasswordConfirm,
    // panConfig (edtUpjang, edtPos, edtPrinter1Port, edtPrinter1Rate,
    // edtPrinter2Port, edtPrinter2Rate, edtSignPadPort)
    SetupUpjang,
    SetupPos,
    Printer1Port,
    Printer1Rate,
    Printer2Port,
    Printer2Rate,
    SignPadPort,
    Count
};

enum class TLoginPanel { None, PasswordChange, Config };

// Open while the screen runs; SignedOn ends it with the OK result; Cancelled
// ends it without a login.
enum class TLoginResult { Open, SignedOn, Cancelled };

// A footer message (ShowMsg of the base screen).
struct TLoginMessage {
    std::string Text;
    bool Error = false;
    int Seconds = 0;
};

// The choices of the set-up panel's boxes.
inline const std::vector<std::string> kPrinter1Choices{"없음", "TSP600", "TSP700", "TSP800", "BOCA", "FLOTEC"};
inline const std::vector<std::string> kPrinter2Choices{"없음", "EasyCheck", "SRP350", "TSP600", "TSP700"};
inline const std::vector<std::string> kSignPadChoices{"없음", "COM", "USB"};
inline constexpr const char* kChoiceNone = "없음";

// What the set-up panel shows: the texts of its edits and the chosen entries
// of its boxes (cbbPrinter1, cbbPrinter2, ckbDisplay, cbbSignPad). The edits
// are kept in the model's fields (Text/Change); the boxes are set here.
struct TLoginSetupChoices {
    std::string Printer1 = kChoiceNone;
    std::string Printer2 = kChoiceNone;
    bool Display = false;
    std::string SignPad = kChoiceNone;
};

// Captions of the fields; a field name in a message is its caption without blanks.
inline constexpr const char* kCaptionUpjang = "영    업    장";
inline constexpr const char* kCaptionPosNo = "Ｐ Ｏ Ｓ 번 호";
inline constexpr const char* kCaptionSaleDate = "판  매  일  자";
inline constexpr const char* kCaptionCashier = "사    용    자";
inline constexpr const char* kCaptionPassword = "비  밀  번  호";
inline constexpr const char* kCaptionPasswordOld = "기존  비밀번호";
inline constexpr const char* kCaptionPasswordNew = "신규  비밀번호";
inline constexpr const char* kCaptionPasswordConfirm = "비밀번호  확인";
inline constexpr const char* kCaptionPasswordChange = "비밀번호 변경";
inline constexpr const char* kCaptionConfig = "POS환경";
inline constexpr const char* kCaptionAdminCashier = "담 당 자";
inline constexpr const char* kCaptionAdminPassword = "비밀번호";

inline constexpr const char* kMsgCashierNotClosed = "님 마감을 먼저 하고 Login을 하십시오.";
inline constexpr const char* kMsgFirstUse =
    "처음 접속했거나 관리자가 비밀번호를 초기화 했습니다.\r지금 비밀번호를 변경하고 다시 Login 하십시오.";
inline constexpr const char* kMsgPasswordExpired = "비밀번호 변경 주기가 지났습니다. 지금 변경하십시오.";
inline constexpr const char* kMsgSaleClosed = "일은 판매가 마감되었습니다.";
inline constexpr const char* kMsgWrongEntry = "를(을) 잘못 입력하셨습니다.";
inline constexpr const char* kMsgFieldsDiffer = "이 서로 다릅니다.";
inline constexpr const char* kMsgMustChange = "비밀번호를 반드시 변경하셔야 합니다.";
inline constexpr const char* kMsgOffLineRefused = "는(은) Off Line 상태에서 할 수 없습니다.";
inline constexpr const char* kMsgPortClash = "중복된 COM Port가 있습니다. Port를 다르게 지정하십시오.";
inline constexpr const char* kMsgAdminOnly = "관리자 권한을 가진 담당자만 처리할 수 있습니다.";
inline constexpr const char* kMsgPosIniNotSaved = "POS.ini 파일을 저장할 수 없습니다.\r전산팀에 문의하십시오.";
inline constexpr const char* kMsgCashierFileNotSaved =
    "비밀번호는 변경되었으나 Cashier.dat 파일을 저장할 수 없습니다.\r전산팀에 문의하십시오.";
inline constexpr const char* kMsgPasswordNotHashed = "비밀번호를 변경할 수 없습니다.\r전산팀에 문의하십시오.";

// The caption without blanks, as messages name a field.
std::string FieldName(const std::string& aCaption);
// "<field name>를(을) 잘못 입력하셨습니다."
std::string WrongEntryMessage(const std::string& aCaption);

// The sale date the outlet group's business hours give at aNow
// ("yyyymmddhhnnss"): aOpen and aClose are "hhnnss" (anything else, and
// "000000", is unset). Editable is set when the cashier may change the date
// (only an opening time, and it has passed). Date is empty when the rule
// leaves the date as it stands.
struct TBusinessDate {
    std::string Date;
    bool Editable = false;
};
TBusinessDate BusinessDate(const std::string& aNow, const std::string& aOpen, const std::string& aClose);

// What the login asks of the program: the devices opened again after the
// set-up panel saved them, and the shut-down offered when a login that may
// not be abandoned is closed.
class TLoginProgram {
public:
    virtual ~TLoginProgram() = default;
    virtual void RestartDevices() = 0;  // DeviceFinish, ReadIniDevice, DeviceInit
    virtual bool Shutdown() = 0;        // Shutdown(true): true when the program ends
};

class TLoginModel {
public:
    TLoginModel(TTerminalContext& aContext, DialogService& aDialogs, TMasterStore& aStore, TfrmData& aData,
                TDeviceConfig& aDevices, TLoginGuard& aGuard, TLoginProgram& aProgram);

    // ---- optional hooks
    std::function<std::string()> Clock;                  // "yyyymmddhhnnss"; GetSysTimeStamp() when empty
    std::function<void(const TLoginMessage&)> ShowMsg;   // the footer line; the screen sets it, none without one

    // ---- the launcher (Login) and the screen's life
    // Login(aCanClose) before the screen shows: false (after the closing
    // message) when the current cashier has not closed the shift.
    bool Begin(bool aCanClose);
    // The screen is shown: fields, focus and the sale date.
    void Show();
    // The screen is being closed by the cashier (Esc outside the password
    // panel, the window's close). True when it may close; the result is then
    // Cancelled unless a cashier signed on.
    bool CloseQuery();
    // The screen is destroyed: after a login, a typed outlet code or POS
    // number goes to section "POS" of "POS.ini".
    void Finish();

    // ---- what the cashier does
    void Change(TLoginField aField, const std::string& aText);  // typing (EditChange)
    void SetFocus(TLoginField aField);                           // click or Tab (EditExit of the old field)
    void Enter(TLoginField aField);                              // Enter in that field
    // Esc in the focused field: closes the password panel there, else asks to
    // close the screen (CloseQuery); true when the screen is to close.
    bool Escape();
    void PasswordChangeClick();  // btnPasswordChange
    void ConfigClick();          // btnConfig
    TLoginSetupChoices& SetupChoices() { return choices_; }

    // ---- what the screen shows
    const std::string& Text(TLoginField aField) const { return text_[index(aField)]; }
    bool Editable(TLoginField aField) const;  // read-only identity fields are not
    bool Enabled(TLoginField aField) const;   // disabled while a panel covers them
    bool Visible(TLoginField aField) const;   // panel fields only with their panel
    TLoginField Focused() const { return focus_; }
    bool SelectAll() const { return selectAll_; }
    const std::string& UpjangName() const { return upjangName_; }   // lblUpjangName
    const std::string& CashierName() const { return cashierName_; } // lblCashierName
    bool PasswordChangeEnabled() const { return passwordChangeEnabled_; }
    bool ConfigEnabled() const { return configEnabled_; }
    TLoginPanel Panel() const { return panel_; }
    bool PassMustChange() const { return isPassMustChange_; }
    bool CanClose() const { return isCanClose_; }
    TLoginResult Result() const { return result_; }
    const TLoginMessage& LastMessage() const { return lastMessage_; }

    // ---- the operations the system names
    void SetUpjangName();
    bool CheckPassword(const std::string& aPassword);
    bool CheckPasswordRule(const std::string& aPassword);
    bool ChangePassword();
    void SaveLoginInfo(const std::string& aCashier, const std::string& aDate);

private:
    static std::size_t index(TLoginField aField) { return static_cast<std::size_t>(aField); }
    std::string& text(TLoginField aField) { return text_[index(aField)]; }
    std::string now() const;
    std::int64_t nowSeconds() const;
    std::string today(int aAddDays = 0) const;

    void focusTo(TLoginField aField, bool aSelectAll = false);
    void focusNext(TLoginField aField);
    void exitField(TLoginField aField);
    void showMsg(const std::string& aText);
    void wrongEntry(TLoginField aField, const std::string& aCaption);

    const TCashierData* firstCashier(const std::string& aCashierNo) const;
    int firstCashierRow(const std::string& aCashierNo) const;
    bool anyAdmin(const std::string& aCashierNo) const;
    void lookUpCashier();
    void signOn();
    bool saleDateAcceptable(const std::string& aDate) const;
    std::string posNoText() const;  // "00" format, empty when 0 or none
    // A typed password against the cashier's hash, through the lock-out; the
    // wrong-entry or lock-out message is shown for aField on failure.
    bool guardedCheck(const std::string& aPassword, TLoginField aField, const std::string& aCaption);
    void openPasswordPanel();
    void closePasswordPanel();
    void abandonCashier();
    void openConfigPanel();
    bool closeConfigPanel();
    void refreshConfigButton();
    void setLoginFieldsEnabled(bool aEnabled);
    void fillContext();

    TTerminalContext& ctx_;
    DialogService& dialogs_;
    TMasterStore& store_;
    TfrmData& data_;
    TDeviceConfig& devices_;
    TLoginGuard& guard_;
    TLoginProgram& program_;
    TCardRules cards_;

    std::array<std::string, static_cast<std::size_t>(TLoginField::Count)> text_;
    std::array<bool, 3> editable_{};  // UpjangCode, PosNo, SaleDate
    bool loginFieldsEnabled_ = true;
    TLoginField focus_ = TLoginField::None;
    bool selectAll_ = false;
    int focusMoves_ = 0;
    bool inExit_ = false;

    std::string upjangName_, cashierName_;
    std::int64_t remainDay_ = 0;
    std::string lsOldPassword_;  // the hash of the looked-up cashier's password; empty when unknown
    bool passwordChangeEnabled_ = false, configEnabled_ = false;
    bool lbPasswordChangeEnabled_ = false, lbConfigEnabled_ = false;
    bool isCanClose_ = false;
    bool isPassMustChange_ = false;
    TLoginPanel panel_ = TLoginPanel::None;
    bool upjangModified_ = false, posModified_ = false;
    TLoginResult result_ = TLoginResult::Open;
    TLoginMessage lastMessage_;

    // What the set-up panel showed when it opened, to find the changes.
    std::array<std::string, static_cast<std::size_t>(TLoginField::Count)> setupShown_;
    TLoginSetupChoices choices_, choicesShown_;
};

enum class TAdminField { None, Cashier, Password };

// The manager check (TfrmAdminCheck, "담당자 확인") behind CheckAdmin.
class TAdminCheckModel {
public:
    TAdminCheckModel(TTerminalContext& aContext, DialogService& aDialogs, const TMasterStore& aStore,
                     TLoginGuard& aGuard);

    std::function<std::string()> Clock;
    std::function<void(const TLoginMessage&)> ShowMsg;

    void Show();  // both fields empty, focus on the cashier
    void Change(TAdminField aField, const std::string& aText);
    void SetFocus(TAdminField aField) { focus_ = aField, selectAll_ = false; }
    void Enter(TAdminField aField);
    void Escape() { result_ = TLoginResult::Cancelled; }

    const std::string& Text(TAdminField aField) const { return aField == TAdminField::Cashier ? cashier_ : password_; }
    TAdminField Focused() const { return focus_; }
    bool SelectAll() const { return selectAll_; }
    // SignedOn when a manager confirmed (the OK result); CheckAdmin is true exactly then.
    TLoginResult Result() const { return result_; }
    const TLoginMessage& LastMessage() const { return lastMessage_; }

    // True when the typed cashier is a manager with the typed password.
    bool CheckPassword();

private:
    std::int64_t nowSeconds() const;

    TTerminalContext& ctx_;
    DialogService& dialogs_;
    const TMasterStore& store_;
    TLoginGuard& guard_;
    std::string cashier_, password_;
    TAdminField focus_ = TAdminField::Cashier;
    bool selectAll_ = false;
    TLoginResult result_ = TLoginResult::Open;
    TLoginMessage lastMessage_;
};

}  // namespace pos
