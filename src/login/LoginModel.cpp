#include "login/LoginModel.h"

#include "core/Codec.h"
#include "core/DateHelpers.h"
#include "core/IniFile.h"
#include "core/TextHelpers.h"
#include "db/DayLog.h"
#include "db/DbQuery.h"
#include "db/DbWork.h"
#include "login/Password.h"

#include <algorithm>
#include <filesystem>
#include <initializer_list>

namespace pos {

namespace {

constexpr int kPasswordMaxBytes = 20;

using F = TLoginField;

constexpr F kLoginOrder[] = {F::UpjangCode, F::PosNo, F::SaleDate, F::Cashier, F::Password};
constexpr F kPasswordOrder[] = {F::PasswordOld, F::PasswordNew, F::PasswordConfirm};
constexpr F kSetupOrder[] = {F::SetupUpjang,  F::SetupPos,     F::Printer1Port, F::Printer1Rate,
                             F::Printer2Port, F::Printer2Rate, F::SignPadPort};

bool isLoginField(F aField) { return aField >= F::UpjangCode && aField <= F::Password; }
bool isPasswordField(F aField) { return aField >= F::PasswordOld && aField <= F::PasswordConfirm; }
bool isSetupField(F aField) { return aField >= F::SetupUpjang && aField <= F::SignPadPort; }

bool allDigits(std::string_view aText)
{
    return !aText.empty() && std::all_of(aText.begin(), aText.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Typed text cut to aMaxBytes CP949 bytes without splitting a character, as
// an edit with that maximum length takes it.
std::string cutToWidth(const std::string& aText, int aMaxBytes)
{
    std::size_t pos = 0;
    int width = 0;
    while (pos < aText.size()) {
        const CharStep step = NextChar(aText, pos);
        if (width + step.width > aMaxBytes) break;
        width += step.width;
        pos += step.utf8Len;
    }
    return aText.substr(0, pos);
}

bool validTime(const std::string& aTime)
{
    if (aTime.size() != 6 || !allDigits(aTime) || aTime == "000000") return false;
    return std::stoi(aTime.substr(0, 2)) < 24 && std::stoi(aTime.substr(2, 2)) < 60 &&
           std::stoi(aTime.substr(4, 2)) < 60;
}

std::string chosenOr(const std::vector<std::string>& aChoices, const std::string& aText)
{
    return std::find(aChoices.begin(), aChoices.end(), aText) != aChoices.end() ? aText : std::string(kChoiceNone);
}

// One device of the set-up as it would be saved, for the port clash check.
struct TPortUse {
    bool used;
    std::int64_t port;
};

}  // namespace

std::string FieldName(const std::string& aCaption)
{
    std::string name;
    for (const char c : aCaption)
        if (c != ' ') name += c;
    return name;
}

std::string WrongEntryMessage(const std::string& aCaption)
{
    return FieldName(aCaption) + kMsgWrongEntry;
}

TBusinessDate BusinessDate(const std::string& aNow, const std::string& aOpen, const std::string& aClose)
{
    const std::string date = aNow.substr(0, 8);
    const std::string time = aNow.size() >= 14 ? aNow.substr(8, 6) : std::string("000000");
    const auto shifted = [&](int aDays) { return AddDays(date, aDays).value_or(date); };
    const bool open = validTime(aOpen);
    const bool close = validTime(aClose);
    if (open && close) {
        // A closing time before the opening time is a business day that runs
        // past midnight: until it closes, the sales still belong to the day
        // before; after it, to today.
        if (aClose < aOpen) return {time < aClose ? shifted(-1) : date, false};
        if (time < aOpen) return {shifted(-1), false};
        if (time > aClose) return {shifted(1), false};
        return {date, false};
    }
    if (open) return time > aOpen ? TBusinessDate{shifted(1), true} : TBusinessDate{};
    if (close) return time < aClose ? TBusinessDate{shifted(-1), false} : TBusinessDate{};
    return {date, false};
}

// ---------------------------------------------------------------- TLoginModel

TLoginModel::TLoginModel(TTerminalContext& aContext, DialogService& aDialogs, TMasterStore& aStore, TfrmData& aData,
                         TDeviceConfig& aDevices, TLoginGuard& aGuard, TLoginProgram& aProgram)
    : ctx_(aContext),
      dialogs_(aDialogs),
      store_(aStore),
      data_(aData),
      devices_(aDevices),
      guard_(aGuard),
      program_(aProgram),
      cards_(aContext, aStore, aDialogs)
{
}

std::string TLoginModel::now() const
{
    return Clock ? Clock() : GetSysTimeStamp();
}

std::int64_t TLoginModel::nowSeconds() const
{
    return StampSeconds(now()).value_or(0);
}

std::string TLoginModel::today(int aAddDays) const
{
    const std::string date = now().substr(0, 8);
    return AddDays(date, aAddDays).value_or(date);
}

bool TLoginModel::Begin(bool aCanClose)
{
    isCanClose_ = aCanClose;
    result_ = TLoginResult::Open;
    if (aCanClose && !data_.CheckEmpClose()) {
        dialogs_.ErrBox(ctx_.gsCashierName + kMsgCashierNotClosed, true);
        result_ = TLoginResult::Cancelled;
        return false;
    }
    return true;
}

void TLoginModel::Show()
{
    for (auto& t : text_) t.clear();
    editable_ = {};
    loginFieldsEnabled_ = true;
    panel_ = TLoginPanel::None;
    upjangName_.clear();
    cashierName_.clear();
    lsOldPassword_.clear();
    remainDay_ = 0;
    passwordChangeEnabled_ = configEnabled_ = false;
    isPassMustChange_ = false;
    result_ = TLoginResult::Open;
    focus_ = F::None;
    selectAll_ = false;

    text(F::SaleDate) = today(0);
    if (StringToInteger(ctx_.gsMasterPosNo) != 0) {
        text(F::PosNo) = ctx_.gsMasterPosNo;
    } else {
        editable_[1] = true;
        focusTo(F::PosNo);
    }
    if (!ctx_.gsMasterUpjangCode.empty()) {
        text(F::UpjangCode) = ctx_.gsMasterUpjangCode;
        SetUpjangName();
        focusTo(F::Cashier);
    } else {
        editable_[0] = true;
        focusTo(F::UpjangCode);
    }
    upjangModified_ = posModified_ = false;
    lbPasswordChangeEnabled_ = lbConfigEnabled_ = false;
}

bool TLoginModel::CloseQuery()
{
    if (result_ == TLoginResult::SignedOn) return true;
    if (isCanClose_ || program_.Shutdown()) {
        result_ = TLoginResult::Cancelled;
        return true;
    }
    return false;
}

void TLoginModel::Finish()
{
    // Only a login makes the typed values the terminal's; they are then in
    // the context already.
    if (result_ != TLoginResult::SignedOn || (!upjangModified_ && !posModified_)) return;
    const std::filesystem::path path = std::filesystem::path(ctx_.gsFolder) / "POS.ini";
    IniFile ini = IniFile::load(path);
    if (upjangModified_) ini.writeString("POS", "UpjangCode", ctx_.gsMasterUpjangCode);
    if (posModified_) ini.writeString("POS", "PosNo", ctx_.gsMasterPosNo);
    std::string error;
    if (!ini.save(path, &error)) {
        WriteLogFile(ctx_, "POS.ini", error);
        dialogs_.ErrBox(kMsgPosIniNotSaved, true);
    }
    upjangModified_ = posModified_ = false;
}

bool TLoginModel::Editable(TLoginField aField) const
{
    switch (aField) {
    case F::UpjangCode: return editable_[0];
    case F::PosNo: return editable_[1];
    case F::SaleDate: return editable_[2];
    default: return aField != F::None && aField != F::Count;
    }
}

bool TLoginModel::Visible(TLoginField aField) const
{
    if (isPasswordField(aField)) return panel_ == TLoginPanel::PasswordChange;
    if (isSetupField(aField)) return panel_ == TLoginPanel::Config;
    return isLoginField(aField);
}

bool TLoginModel::Enabled(TLoginField aField) const
{
    if (isLoginField(aField)) return loginFieldsEnabled_;
    return Visible(aField);
}

void TLoginModel::focusTo(TLoginField aField, bool aSelectAll)
{
    const TLoginField previous = focus_;
    focus_ = aField;
    selectAll_ = aSelectAll;
    if (inExit_ || previous == aField || previous == F::None) return;
    // Leaving a field runs its exit handling, which may move the focus on
    // its own (a wrong sale date back to itself, a forced password panel).
    inExit_ = true;
    exitField(previous);
    inExit_ = false;
}

void TLoginModel::focusNext(TLoginField aField)
{
    const auto next = [&](const auto& aOrder) {
        const std::size_t n = std::size(aOrder);
        const std::size_t at = static_cast<std::size_t>(std::find(std::begin(aOrder), std::end(aOrder), aField) -
                                                        std::begin(aOrder));
        for (std::size_t step = 1; step <= n; ++step) {
            const TLoginField candidate = aOrder[(at + step) % n];
            if (Enabled(candidate) && Editable(candidate)) return candidate;
        }
        return aField;
    };
    if (isLoginField(aField)) focusTo(next(kLoginOrder));
    else if (isPasswordField(aField)) focusTo(next(kPasswordOrder));
    else if (isSetupField(aField)) focusTo(next(kSetupOrder));
}

void TLoginModel::SetFocus(TLoginField aField)
{
    if (!Enabled(aField) || !Editable(aField)) return;  // read-only fields take no focus
    focusTo(aField);
}

void TLoginModel::showMsg(const std::string& aText)
{
    lastMessage_ = {aText, true, 10};
    if (ShowMsg) ShowMsg(lastMessage_);
}

void TLoginModel::wrongEntry(TLoginField aField, const std::string& aCaption)
{
    focusTo(aField, true);
    showMsg(WrongEntryMessage(aCaption));
}

void TLoginModel::Change(TLoginField aField, const std::string& aText)
{
    if (!Enabled(aField) || !Editable(aField)) return;
    std::string value = aText;
    switch (aField) {
    case F::UpjangCode:
    case F::PosNo:
    case F::SaleDate: {
        // numeric edits: digits only, up to their width
        const std::size_t width = aField == F::UpjangCode ? 4 : aField == F::PosNo ? 2 : 8;
        if (!value.empty() && !allDigits(value)) return;
        if (value.size() > width) value.resize(width);
        break;
    }
    case F::Password:
    case F::PasswordOld:
    case F::PasswordNew:
    case F::PasswordConfirm: value = cutToWidth(value, kPasswordMaxBytes); break;
    case F::SetupUpjang: value = cutToWidth(value, 4); break;
    case F::SetupPos: value = cutToWidth(value, 2); break;
    default: break;
    }
    text(aField) = value;
    selectAll_ = false;

    switch (aField) {
    case F::UpjangCode:
        upjangModified_ = true;
        upjangName_.clear();
        break;
    case F::PosNo: posModified_ = true; break;
    case F::Cashier:
        if (!cashierName_.empty()) {
            cashierName_.clear();
            passwordChangeEnabled_ = configEnabled_ = false;
            lbPasswordChangeEnabled_ = lbConfigEnabled_ = false;
        }
        break;
    case F::Password: refreshConfigButton(); break;
    default: break;
    }
}

// The set-up is offered only at the start-up login and only to a manager;
// the password itself is checked when the button is pressed (ConfigClick),
// through the lock-out, so that the button's state never tells whether a
// typed password is right.
void TLoginModel::refreshConfigButton()
{
    const bool offered = !isCanClose_ && panel_ == TLoginPanel::None && !cashierName_.empty() &&
                         anyAdmin(text(F::Cashier)) && !text(F::Password).empty();
    configEnabled_ = lbConfigEnabled_ = offered;
}

void TLoginModel::exitField(TLoginField aField)
{
    switch (aField) {
    case F::UpjangCode:
        if (!text(F::UpjangCode).empty() && upjangName_.empty()) {
            text(F::UpjangCode) = LPad(text(F::UpjangCode), 4, '0');
            SetUpjangName();
        }
        break;
    case F::PosNo:
        if (!text(F::PosNo).empty()) text(F::PosNo) = LPad(text(F::PosNo), 2, '0');
        break;
    case F::SaleDate:
        if (Editable(F::SaleDate) && !saleDateAcceptable(text(F::SaleDate)))
            wrongEntry(F::SaleDate, kCaptionSaleDate);
        break;
    case F::Cashier:
        if (!text(F::Cashier).empty() && cashierName_.empty()) lookUpCashier();
        break;
    default: break;
    }
}

const TCashierData* TLoginModel::firstCashier(const std::string& aCashierNo) const
{
    const int row = firstCashierRow(aCashierNo);
    return row < 0 ? nullptr : &store_.glCashierData[static_cast<std::size_t>(row)];
}

int TLoginModel::firstCashierRow(const std::string& aCashierNo) const
{
    for (std::size_t i = 0; i < store_.glCashierData.size(); ++i)
        if (store_.glCashierData[i].CashierNo == aCashierNo) return static_cast<int>(i);
    return -1;
}

bool TLoginModel::anyAdmin(const std::string& aCashierNo) const
{
    return std::any_of(store_.glCashierData.begin(), store_.glCashierData.end(),
                       [&](const TCashierData& c) { return c.CashierNo == aCashierNo && c.AdminYN; });
}

void TLoginModel::lookUpCashier()
{
    const TCashierData* cashier = firstCashier(text(F::Cashier));
    cashierName_ = cashier ? cashier->CashierName : std::string();
    remainDay_ = cashier ? cashier->RemainDay : 0;
    passwordChangeEnabled_ = lbPasswordChangeEnabled_ = !cashierName_.empty() && !ctx_.gbOffLine;
    lsOldPassword_ = cashier ? cashier->Password : std::string();
    refreshConfigButton();
    if (cashier && VerifyPassword(cashier->CashierNo, cashier->Password)) {
        dialogs_.ErrBox(kMsgFirstUse, true);
        isPassMustChange_ = true;
        openPasswordPanel();
    } else if (!cashierName_.empty() && remainDay_ <= 0 && !ctx_.gbOffLine) {
        dialogs_.ErrBox(kMsgPasswordExpired, true);
        isPassMustChange_ = true;
        openPasswordPanel();
    }
}

void TLoginModel::SetUpjangName()
{
    upjangName_ = store_.GetUpjangName(text(F::UpjangCode));
    if (store_.glUpjangData.empty()) return;
    const std::string group = store_.GetUpjangData(text(F::UpjangCode), UpjangItem::SodGubunCode).asText();
    const std::string open = store_.GetCommonData(ctx_.gsCommonSODGubunCode, group, CommonItem::Item1);
    const std::string close = store_.GetCommonData(ctx_.gsCommonSODGubunCode, group, CommonItem::Item2);
    const TBusinessDate business = BusinessDate(now(), open, close);
    if (!business.Date.empty()) text(F::SaleDate) = business.Date;
    if (business.Editable) editable_[2] = true;
}

bool TLoginModel::saleDateAcceptable(const std::string& aDate) const
{
    return IsValidDate(aDate) && aDate >= today(-1) && aDate <= today(1);
}

std::string TLoginModel::posNoText() const
{
    const std::string& pos = text_[index(F::PosNo)];
    if (!allDigits(pos) || StringToInteger(pos) == 0) return {};
    return LPad(std::to_string(StringToInteger(pos)), 2, '0');
}

bool TLoginModel::CheckPassword(const std::string& aPassword)
{
    const TCashierData* cashier = firstCashier(text(F::Cashier));
    return cashier && VerifyPassword(aPassword, cashier->Password);
}

bool TLoginModel::guardedCheck(const std::string& aPassword, TLoginField aField, const std::string& aCaption)
{
    const std::string cashierNo = text(F::Cashier);
    if (const std::int64_t locked = guard_.LockedFor(cashierNo, nowSeconds())) {
        dialogs_.ErrBox(TLoginGuard::StillLockedMessage(locked), true);
        focusTo(aField, true);
        return false;
    }
    if (CheckPassword(aPassword)) {
        guard_.Right(cashierNo);
        return true;
    }
    if (guard_.Wrong(cashierNo, nowSeconds())) dialogs_.ErrBox(TLoginGuard::LockedNowMessage(), true);
    wrongEntry(aField, aCaption);
    return false;
}

void TLoginModel::Enter(TLoginField aField)
{
    if (!Enabled(aField) || !Editable(aField)) return;
    switch (aField) {
    case F::Password: signOn(); return;
    case F::Cashier: {
        std::int64_t count = 0;
        const std::string number = cards_.GetCardNumber(text(F::Cashier), count);
        if (number != text(F::Cashier)) Change(F::Cashier, number);
        focusNext(F::Cashier);
        return;
    }
    case F::PasswordOld:
        if (guardedCheck(text(F::PasswordOld), F::PasswordOld, kCaptionPasswordOld)) focusNext(F::PasswordOld);
        return;
    case F::PasswordConfirm: {
        for (const F field : kPasswordOrder)
            if (text(field).empty()) {
                focusTo(field);
                return;
            }
        if (text(F::PasswordNew) != text(F::PasswordConfirm)) {
            focusTo(F::PasswordConfirm, true);
            showMsg(FieldName(kCaptionPasswordNew) + "와 " + FieldName(kCaptionPasswordConfirm) + kMsgFieldsDiffer);
            return;
        }
        // Enter in the old password's field can be skipped with a click, so
        // the old password is checked here again before anything changes.
        if (!guardedCheck(text(F::PasswordOld), F::PasswordOld, kCaptionPasswordOld)) return;
        if (ChangePassword()) PasswordChangeClick();
        return;
    }
    default: focusNext(aField); return;
    }
}

bool TLoginModel::Escape()
{
    if (isPasswordField(focus_)) {
        PasswordChangeClick();
        return false;
    }
    return CloseQuery();
}

void TLoginModel::signOn()
{
    if (upjangName_.empty()) return focusTo(F::UpjangCode);
    if (posNoText().empty()) return focusTo(F::PosNo);
    if (cashierName_.empty()) return focusTo(F::Cashier);
    // A typed sale date is taken only when it is a real date the business
    // hours can give (yesterday, today or tomorrow).
    if (!saleDateAcceptable(text(F::SaleDate))) return wrongEntry(F::SaleDate, kCaptionSaleDate);

    const std::string saleDate = text(F::SaleDate);
    switch (data_.ClosedState(saleDate, text(F::UpjangCode), posNoText(), false)) {
    case TClosedState::Open: break;
    case TClosedState::Closed:
        if (Editable(F::SaleDate)) focusTo(F::SaleDate);
        dialogs_.ErrBox(DateToString(saleDate, '-', true) + kMsgSaleClosed, true);
        return;
    case TClosedState::Unknown:
        // Nobody could tell whether the day is closed: no sale goes into it,
        // and the cashier is told so rather than that the day is closed.
        dialogs_.ErrBox(kMsgCloseUnknown, true);
        return;
    }
    const std::string password = text(F::Password);
    if (!guardedCheck(password, F::Password, kCaptionPassword)) return;
    if (password == text(F::Cashier)) {
        // Still the first-use password: it opens nothing but the change.
        dialogs_.ErrBox(kMsgFirstUse, true);
        isPassMustChange_ = true;
        openPasswordPanel();
        return;
    }
    text(F::Password).clear();
    fillContext();
    SaveLoginInfo(ctx_.gsCashier, ctx_.gsToday);
    result_ = TLoginResult::SignedOn;
}

void TLoginModel::fillContext()
{
    ctx_.gsCashier = text(F::Cashier);
    ctx_.gsCashierName = cashierName_;
    ctx_.gsSaleDate = text(F::SaleDate);
    ctx_.gsToday = ctx_.gsSaleDate;
    ctx_.gsMasterUpjangCode = text(F::UpjangCode);
    ctx_.gsMasterUpjangName = upjangName_;
    ctx_.gsMasterPosNo = posNoText();
    ctx_.gsUpjangCode = ctx_.gsMasterUpjangCode;
    ctx_.gsUpjangName = ctx_.gsMasterUpjangName;
    ctx_.gsPosNo = ctx_.gsMasterPosNo;
    ctx_.gbSki = store_.GetUpjangData(ctx_.gsMasterUpjangCode, UpjangItem::UpjangType).asText() == ctx_.gsUpjangTypeSki;
    ctx_.gbVessa = ctx_.IsVessaUpjang(ctx_.gsMasterUpjangCode);
}

void TLoginModel::setLoginFieldsEnabled(bool aEnabled)
{
    loginFieldsEnabled_ = aEnabled;
}

// ------------------------------------------------------------ password panel

void TLoginModel::PasswordChangeClick()
{
    if (panel_ == TLoginPanel::PasswordChange) {
        if (isPassMustChange_) {
            // Off line the change cannot be made at all; rather than hold the
            // terminal in the panel, the cashier is let go (and cannot sign
            // on: the same number forces the panel again).
            if (ctx_.gbOffLine) return abandonCashier();
            dialogs_.ErrBox(kMsgMustChange, true);
            return;
        }
        closePasswordPanel();
    } else if (panel_ == TLoginPanel::None && passwordChangeEnabled_) {
        openPasswordPanel();
    }
}

void TLoginModel::openPasswordPanel()
{
    setLoginFieldsEnabled(false);
    panel_ = TLoginPanel::PasswordChange;
    for (const F field : kPasswordOrder) text(field).clear();
    lbConfigEnabled_ = configEnabled_;
    configEnabled_ = false;
    focusTo(F::PasswordOld);
}

void TLoginModel::closePasswordPanel()
{
    for (const F field : kPasswordOrder) text(field).clear();
    panel_ = TLoginPanel::None;
    setLoginFieldsEnabled(true);
    configEnabled_ = lbConfigEnabled_;
    focusTo(F::Cashier);
}

void TLoginModel::abandonCashier()
{
    dialogs_.ErrBox(std::string(kCaptionPasswordChange) + kMsgOffLineRefused, true);
    isPassMustChange_ = false;
    lbConfigEnabled_ = false;
    closePasswordPanel();
    text(F::Cashier).clear();
    text(F::Password).clear();
    cashierName_.clear();
    lsOldPassword_.clear();
    remainDay_ = 0;
    passwordChangeEnabled_ = configEnabled_ = false;
    lbPasswordChangeEnabled_ = false;
}

bool TLoginModel::CheckPasswordRule(const std::string& aPassword)
{
    const std::string cashierNo = text(F::Cashier);
    const TCashierData* cashier = firstCashier(cashierNo);
    const TPasswordRule rule =
        CheckNewPassword(aPassword, cashierNo, cashier && !cashier->CashierName.empty(), lsOldPassword_);
    if (rule == TPasswordRule::Ok) return true;
    dialogs_.ErrBox(PasswordRuleMessage(rule), true);
    if (rule == TPasswordRule::UnknownCashier) return false;
    if (panel_ == TLoginPanel::PasswordChange) {
        text(F::PasswordConfirm).clear();
        focusTo(F::PasswordNew, true);
    } else {
        isPassMustChange_ = true;
        openPasswordPanel();
    }
    return false;
}

bool TLoginModel::ChangePassword()
{
    if (!data_.ConnectDB(true, false)) {
        dialogs_.ErrBox(std::string(kCaptionPasswordChange) + kMsgOffLineRefused, true);
        return false;
    }
    const std::string cashierNo = text(F::Cashier);
    if (!CheckPasswordRule(text(F::PasswordNew))) return false;
    const std::string hash = HashPassword(text(F::PasswordNew));
    if (hash.empty()) {
        WriteLogFile(ctx_, "IAH010-ChangePassword", "no password hash could be made");
        dialogs_.ErrBox(kMsgPasswordNotHashed, true);
        return false;
    }

    TDbWork transaction(data_);
    if (!transaction.Active()) {
        transaction.Fail(transaction.Error());
        return false;
    }
    TDbQuery query(data_);
    query.SetSQL("IAH010-ChangePassword");
    query.SetParam(0, cashierNo);
    query.SetParam(1, hash);
    query.SetParam(2, ctx_.gsIP);
    if (!query.Open()) {
        transaction.Fail(query.Error());
        return false;
    }
    if (query.Eof()) {
        // The server does not know the cashier: nothing was changed.
        WriteLogFile(ctx_, "IAH010-ChangePassword", "cashier " + cashierNo + " is not on the server");
        dialogs_.ErrBox(PasswordRuleMessage(TPasswordRule::UnknownCashier), true);
        return false;
    }
    const std::string remainDay = std::to_string(query.AsInteger(0));
    query.Close();
    if (!transaction.Commit()) return false;

    const int row = firstCashierRow(cashierNo);
    if (row >= 0) {
        store_.SetCashierData(row, CashierItem::Password, hash);
        store_.SetCashierData(row, CashierItem::RemainDay, remainDay);
    }
    lsOldPassword_ = hash;
    remainDay_ = StringToInteger(remainDay);
    // The cashier file is what an off-line sign-on checks: the old password
    // must stop opening the terminal now, not at the next download.
    std::string error;
    if (!store_.SaveMirrorFile(TMirrorKind::Cashier, &error)) {
        WriteLogFile(ctx_, "IAH010-ChangePassword", "Cashier.dat: " + error);
        dialogs_.ErrBox(kMsgCashierFileNotSaved, true);
    }
    isPassMustChange_ = false;
    return true;
}

void TLoginModel::SaveLoginInfo(const std::string& aCashier, const std::string& aDate)
{
    if (!data_.ConnectDB(true, false)) return;
    TDbWork transaction(data_);
    if (!transaction.Active()) {
        transaction.Fail(transaction.Error());
        return;
    }
    TDbQuery query(data_);
    query.SetSQL("IAH010-SaveLoginInfo-1");
    query.SetParam(0, aCashier);
    query.SetParam(1, aDate);
    if (!query.ExecSQL()) return transaction.Fail(query.Error());

    const std::vector<std::string> shift{ctx_.gsSaleDate, ctx_.gsMasterUpjangCode, ctx_.gsMasterPosNo, aCashier};
    query.SetSQL("IAH010-SaveLoginInfo-2");
    for (std::size_t i = 0; i < shift.size(); ++i) query.SetParam(static_cast<int>(i), shift[i]);
    if (!query.Open()) return transaction.Fail(query.Error());
    const bool firstOfShift = query.Eof() || query.IsNull(0);
    query.Close();
    if (firstOfShift) {
        query.SetSQL("IAH010-SaveLoginInfo-3");
        for (std::size_t i = 0; i < shift.size(); ++i) query.SetParam(static_cast<int>(i), shift[i]);
        query.SetParam(4, ctx_.gsIP);
        if (!query.ExecSQL()) return transaction.Fail(query.Error());
    }
    query.SetSQL("IAH010-SaveLoginInfo-4");
    for (std::size_t i = 0; i < shift.size(); ++i) query.SetParam(static_cast<int>(i), shift[i]);
    query.SetParam(4, std::string("L"));
    query.SetParam(5, std::string("0"));
    query.SetParam(6, ctx_.gsIP);
    if (!query.ExecSQL()) return transaction.Fail(query.Error());
    transaction.Commit();  // a failure is logged there; the sign-on stands
}

// -------------------------------------------------------------- set-up panel

void TLoginModel::ConfigClick()
{
    if (panel_ == TLoginPanel::Config) {
        closeConfigPanel();
        return;
    }
    if (panel_ != TLoginPanel::None || !configEnabled_) return;
    if (!guardedCheck(text(F::Password), F::Password, kCaptionPassword)) return;
    openConfigPanel();
}

void TLoginModel::openConfigPanel()
{
    setLoginFieldsEnabled(false);
    panel_ = TLoginPanel::Config;
    text(F::SetupUpjang) = ctx_.gsMasterUpjangCode;
    text(F::SetupPos) = ctx_.gsMasterPosNo;
    choices_.Display = devices_.lineDisplay.enabled;
    choices_.Printer1 = chosenOr(kPrinter1Choices, devices_.printer1.typeText);
    text(F::Printer1Port) = std::to_string(devices_.printer1.port);
    text(F::Printer1Rate) = std::to_string(devices_.printer1.rate);
    choices_.Printer2 = chosenOr(kPrinter2Choices, devices_.printer2.typeText);
    text(F::Printer2Port) = std::to_string(devices_.printer2.port);
    text(F::Printer2Rate) = std::to_string(devices_.printer2.rate);
    choices_.SignPad = ctx_.giSignPadPort == 0 ? kChoiceNone : ctx_.gbSignPadType ? "USB" : "COM";
    text(F::SignPadPort) = std::to_string(ctx_.giSignPadPort);
    setupShown_ = text_;
    choicesShown_ = choices_;
    lbPasswordChangeEnabled_ = passwordChangeEnabled_;
    passwordChangeEnabled_ = false;
    focusTo(F::SetupUpjang);
}

// All changes apply at once, and only when they can be saved: a refused or
// unsaved set-up leaves the panel open and the terminal as it was.
bool TLoginModel::closeConfigPanel()
{
    const auto changed = [&](F aField) { return text(aField) != setupShown_[index(aField)]; };
    TTerminalContext next = ctx_;
    TDeviceConfig devices = devices_;

    bool upjangChanged = false, posChanged = false;
    if (changed(F::SetupUpjang) && text(F::SetupUpjang).size() == 4) {
        if (!allDigits(text(F::SetupUpjang))) return wrongEntry(F::SetupUpjang, "영업장 - POS"), false;
        next.gsMasterUpjangCode = text(F::SetupUpjang);
        upjangChanged = true;
    }
    if (changed(F::SetupPos) && text(F::SetupPos).size() == 2) {
        if (!allDigits(text(F::SetupPos)) || text(F::SetupPos) == "00")
            return wrongEntry(F::SetupPos, "영업장 - POS"), false;
        next.gsMasterPosNo = text(F::SetupPos);
        posChanged = true;
    }
    if (choices_.Display != choicesShown_.Display) {
        devices.lineDisplay.enabled = choices_.Display;
        devices.lineDisplay.typeText = choices_.Display ? "Crossbow" : "N";
    }
    struct TPrinterEdit {
        TPrinterSetting& setting;
        const std::string& choice;
        const std::string& shown;
        F port, rate;
        int no;
    };
    for (const TPrinterEdit& p :
         {TPrinterEdit{devices.printer1, choices_.Printer1, choicesShown_.Printer1, F::Printer1Port, F::Printer1Rate, 1},
          TPrinterEdit{devices.printer2, choices_.Printer2, choicesShown_.Printer2, F::Printer2Port, F::Printer2Rate, 2}}) {
        if (p.choice != p.shown) {
            p.setting.typeText = p.choice == kChoiceNone ? std::string("N") : p.choice;
            p.setting.type = PrinterTypeFromText(p.setting.typeText, p.no);
            p.setting.enabled = p.setting.type != TPrinterType::ptNone;
        }
        if (changed(p.port)) {
            if (!allDigits(text(p.port)) || text(p.port).size() > 3) return wrongEntry(p.port, "COM"), false;
            p.setting.port = StringToInteger(text(p.port));
        }
        if (changed(p.rate)) {
            if (!allDigits(text(p.rate)) || StringToInteger(text(p.rate)) <= 0 || text(p.rate).size() > 7)
                return wrongEntry(p.rate, "BaudRate"), false;
            p.setting.rate = StringToInteger(text(p.rate));
        }
    }
    if (changed(F::SignPadPort)) {
        if (!allDigits(text(F::SignPadPort)) || text(F::SignPadPort).size() > 3)
            return wrongEntry(F::SignPadPort, "COM"), false;
        next.giSignPadPort = StringToInteger(text(F::SignPadPort));
    }
    if (choices_.SignPad != choicesShown_.SignPad) {
        if (choices_.SignPad == kChoiceNone) next.giSignPadPort = 0;
        else next.gbSignPadType = choices_.SignPad == "USB";
    }

    // Two devices on one port would fight over it: such a set-up is refused.
    const TPortUse uses[] = {
        {devices.printer1.enabled && devices.printer1.port != 0, devices.printer1.port},
        {devices.printer2.enabled && devices.printer2.port != 0, devices.printer2.port},
        {next.giSignPadPort != 0, next.giSignPadPort},
        {devices.lineDisplay.enabled && devices.lineDisplay.port != 0, devices.lineDisplay.port},
    };
    for (std::size_t i = 0; i < std::size(uses); ++i)
        for (std::size_t k = i + 1; k < std::size(uses); ++k)
            if (uses[i].used && uses[k].used && uses[i].port == uses[k].port) {
                dialogs_.ErrBox(kMsgPortClash, true);
                return false;
            }

    std::string error;
    if (!SaveIniConfig(std::filesystem::path(ctx_.gsFolder) / "POS.ini", next, devices, &error)) {
        WriteLogFile(ctx_, "POS.ini", error);
        dialogs_.ErrBox(kMsgPosIniNotSaved, true);
        return false;
    }
    ctx_.gsMasterUpjangCode = next.gsMasterUpjangCode;
    ctx_.gsMasterPosNo = next.gsMasterPosNo;
    ctx_.gbSignPadType = next.gbSignPadType;
    ctx_.giSignPadPort = next.giSignPadPort;
    devices_ = devices;
    program_.RestartDevices();

    passwordChangeEnabled_ = lbPasswordChangeEnabled_;
    panel_ = TLoginPanel::None;
    for (const F field : kSetupOrder) text(field).clear();
    setLoginFieldsEnabled(true);
    if (upjangChanged) {
        text(F::UpjangCode) = ctx_.gsMasterUpjangCode;
        SetUpjangName();
    }
    if (posChanged) text(F::PosNo) = ctx_.gsMasterPosNo;
    focusTo(F::Cashier);
    return true;
}

// ----------------------------------------------------------- manager check

TAdminCheckModel::TAdminCheckModel(TTerminalContext& aContext, DialogService& aDialogs, const TMasterStore& aStore,
                                   TLoginGuard& aGuard)
    : ctx_(aContext), dialogs_(aDialogs), store_(aStore), guard_(aGuard)
{
}

std::int64_t TAdminCheckModel::nowSeconds() const
{
    return StampSeconds(Clock ? Clock() : GetSysTimeStamp()).value_or(0);
}

void TAdminCheckModel::Show()
{
    cashier_.clear();
    password_.clear();
    focus_ = TAdminField::Cashier;
    selectAll_ = false;
    result_ = TLoginResult::Open;
}

void TAdminCheckModel::Change(TAdminField aField, const std::string& aText)
{
    if (aField == TAdminField::Cashier) cashier_ = aText;
    else if (aField == TAdminField::Password) password_ = cutToWidth(aText, kPasswordMaxBytes);
    selectAll_ = false;
}

bool TAdminCheckModel::CheckPassword()
{
    const TCashierData* cashier = nullptr;
    for (const auto& c : store_.glCashierData)
        if (c.CashierNo == cashier_) {
            cashier = &c;
            break;
        }
    if (const std::int64_t locked = guard_.LockedFor(cashier_, nowSeconds())) {
        dialogs_.ErrBox(TLoginGuard::StillLockedMessage(locked), true);
        return false;
    }
    if (!cashier || !VerifyPassword(password_, cashier->Password)) {
        if (guard_.Wrong(cashier_, nowSeconds())) dialogs_.ErrBox(TLoginGuard::LockedNowMessage(), true);
        return false;
    }
    guard_.Right(cashier_);
    if (cashier->AdminYN) return true;
    dialogs_.ErrBox(kMsgAdminOnly, true);
    return false;
}

void TAdminCheckModel::Enter(TAdminField aField)
{
    if (aField == TAdminField::Cashier) {
        focus_ = TAdminField::Password;
        selectAll_ = false;
        return;
    }
    if (aField != TAdminField::Password) return;
    if (cashier_.empty()) {
        focus_ = TAdminField::Cashier;
        selectAll_ = false;
        return;
    }
    if (CheckPassword()) {
        password_.clear();
        result_ = TLoginResult::SignedOn;
        return;
    }
    focus_ = TAdminField::Password;
    selectAll_ = true;
    lastMessage_ = {WrongEntryMessage(kCaptionAdminPassword), true, 10};
    if (ShowMsg) ShowMsg(lastMessage_);
}

}  // namespace pos
