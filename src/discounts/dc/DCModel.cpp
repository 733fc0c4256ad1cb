#include "discounts/dc/DCModel.h"

#include "cards/IdentityRules.h"
#include "core/IdentityNumbers.h"
#include "core/TerminalContext.h"
#include "core/TextHelpers.h"
#include "discounts/DiscountRows.h"
#include "lookups/Lookups.h"
#include "store/MasterStore.h"

#include <algorithm>

namespace pos {
namespace {

constexpr int kNameBytes = 16;        // of a scheme's name on its button
constexpr std::size_t kMemberNoLength = 10;
constexpr std::size_t kAddNoLength = 18;
constexpr const char* kQuantityCaption = "적용수량";
constexpr const char* kQuantityFlags = "   ";

TDCEtcInfo schemeInfo(const TEtcDCData& aScheme)
{
    TDCEtcInfo info;
    info.MemberNo = aScheme.MemberNo;
    info.QtyAcceptYN = aScheme.QtyAcceptYN == "Y";
    info.MemberCode = aScheme.MemberCode;
    info.GuestType = aScheme.GuestType;
    info.DCRate = aScheme.DCRate;
    info.OnceUseQty = aScheme.OnceUseQty;
    info.DailyUseQty = aScheme.DailyUseQty;
    info.LimitAge = aScheme.LimitAge;
    info.CardCompanyCode = aScheme.CardCompanyCode;
    info.SoDCRate = aScheme.SoDCRate;
    return info;
}

std::string flagsOf(const TEtcDCData& aScheme)
{
    const auto flag = [](const std::string& aText) { return aText.empty() ? std::string(" ") : aText.substr(0, 1); };
    return flag(aScheme.MemberAddNoIDNoYN) + flag(aScheme.QtyAcceptYN) + flag(aScheme.GenderCode);
}

std::string withoutSpaces(std::string aText)
{
    std::erase(aText, ' ');
    return aText;
}

}  // namespace

// ---------------------------------------------------------------- the list's cells

std::string DCCellText(const TDCList& aRow, TDCColumn aColumn)
{
    switch (aColumn) {
    case TDCColumn::MemberNo: return aRow.MasterYN ? std::string(8, '*') : aRow.MemberNo;
    case TDCColumn::MemberName: return aRow.MemberName;
    case TDCColumn::MemberCodeName: return aRow.MemberCodeName;
    case TDCColumn::UpjangName: return aRow.UpjangName;
    case TDCColumn::DCRate: return std::to_string(aRow.DCRate) + "%";
    case TDCColumn::Once: return aRow.OnceUseCount;
    case TDCColumn::Daily: return aRow.DailyUseCount;
    case TDCColumn::Yearly: return aRow.YearlyUseCount;
    case TDCColumn::Remark: return aRow.Remark;
    case TDCColumn::Count: break;
    }
    return {};
}

TDCCellColors DCCellColors(const TDCList& aRow, TDCColumn aColumn)
{
    TDCCellColors colors;
    colors.normal = aRow.DCYN ? TDCCellColor::Black : TDCCellColor::Red;
    const bool counted = aColumn == TDCColumn::DCRate || aColumn == TDCColumn::Once ||
                         aColumn == TDCColumn::Daily || aColumn == TDCColumn::Yearly;
    if (!counted) return colors;
    const std::string text = DCCellText(aRow, aColumn);
    if (text == "0%" || text == "0") return {TDCCellColor::Red, true};
    return {TDCCellColor::Black, false};
}

// ---------------------------------------------------------------- the model

TDCModel::TDCModel(TTerminalContext& aContext, TMasterStore& aStore, DialogService& aDialogs, TfrmData& aData,
                   TLookups& aLookups, TDCLaunchers& aLaunchers, std::vector<std::string>& aKeyInData)
    : context_(aContext),
      store_(aStore),
      dialogs_(aDialogs),
      data_(aData),
      lookups_(aLookups),
      launchers_(aLaunchers),
      keyInData_(aKeyInData),
      cards_(aContext, aStore, aDialogs)
{
    cards_.MemberCardCount = MakeMemberCardCountSource(aData);
}

bool TDCModel::isMasterNumber(const std::string& aText) const
{
    return !context_.gsMasterMemberNo.empty() && aText.starts_with(context_.gsMasterMemberNo);
}

void TDCModel::Show()
{
    readButtons();
    readDCList();
    state_.focus = TDCField::MemberNo;
    std::string handedOver;
    if (!context_.gsTempMemberNo.empty()) {
        handedOver = context_.gsTempMemberNo;
        context_.gsTempMemberNo.clear();
    } else {
        handedOver = context_.gsEventNo;
    }
    if (handedOver.empty()) return;
    state_.memberNo = handedOver;
    Enter(TDCField::MemberNo);
}

// ---------------------------------------------------------------- focus and entries

// Moving into the member number starts a new entry: nothing of the scheme
// entered before stays behind it.
void TDCModel::focusMemberNo()
{
    state_.memberNo.clear();
    state_.memberHint.clear();
    state_.addNo.clear();
    state_.addNoEnabled = false;
    state_.addNoFlags.clear();
    state_.addNoLength = 0;
    state_.addNoCaption = kDCAddNoCaption;
    state_.addNoLabelEnabled = false;
    state_.comment.clear();
    state_.focus = TDCField::MemberNo;
    state_.selectAll = false;
}

void TDCModel::focusAddNo()
{
    state_.focus = TDCField::MemberAddNo;
    state_.selectAll = false;
}

void TDCModel::SetFocus(TDCField aField)
{
    if (aField == state_.focus) return;
    if (aField == TDCField::MemberNo) focusMemberNo();
    else if (state_.addNoEnabled) focusAddNo();
}

void TDCModel::Change(TDCField aField, const std::string& aText)
{
    if (aField == TDCField::MemberAddNo) {
        state_.addNo = aText;
        return;
    }
    state_.memberNo = aText;
    if (!aText.empty()) state_.photo.clear();
}

// ---------------------------------------------------------------- the buttons

void TDCModel::readButtons()
{
    state_.buttons = {};
    const auto& schemes = store_.glEtcDCData;
    const std::size_t first = static_cast<std::size_t>(state_.page) * kDCButtonCount;
    std::size_t next = 0;
    for (std::size_t i = first; i < schemes.size() && i < first + kDCButtonCount; ++i) {
        // A scheme valid at several outlets comes once for each: one button.
        const bool shown = std::any_of(state_.buttons.begin(), state_.buttons.begin() + next, [&](const TDCButton& b) {
            return schemes[static_cast<std::size_t>(b.entry)].MemberNo == schemes[i].MemberNo;
        });
        if (shown) continue;
        TDCButton& button = state_.buttons[next++];
        button.caption = CopyStr(schemes[i].MemberName, 1, kNameBytes);
        while (!button.caption.empty() && button.caption.back() == ' ') button.caption.pop_back();
        button.entry = static_cast<int>(i);
        button.enabled = true;
    }
    state_.pageUpEnabled = state_.page > 0;
    state_.pageDownEnabled = schemes.size() >= (static_cast<std::size_t>(state_.page) + 1) * kDCButtonCount;
}

void TDCModel::PageUp()
{
    if (state_.page > 0) --state_.page;
    readButtons();
}

void TDCModel::PageDown()
{
    if (store_.glEtcDCData.size() >= (static_cast<std::size_t>(state_.page) + 1) * kDCButtonCount) ++state_.page;
    readButtons();
}

void TDCModel::PressButton(int aButton)
{
    if (aButton < 1 || aButton > kDCButtonCount) return;
    const TDCButton& button = state_.buttons[static_cast<std::size_t>(aButton - 1)];
    if (!button.enabled || button.entry < 0) return;
    const TEtcDCData scheme = store_.glEtcDCData[static_cast<std::size_t>(button.entry)];
    if (state_.focus != TDCField::MemberNo) focusMemberNo();
    state_.memberNo = scheme.MemberNo;
    pressScheme(scheme, true);
}

// A scheme chosen by its button or by its number: the record of the press,
// then either the registration at once or the additional number it asks for.
void TDCModel::pressScheme(const TEtcDCData& aScheme, bool aPrompt)
{
    state_.memberHint = aScheme.MemberName;
    schemes_.push_back(schemeInfo(aScheme));
    if (aScheme.MemberAddNoTitle.empty()) {
        Enter(TDCField::MemberNo);
        return;
    }
    openAddNo(aScheme, aPrompt);
}

void TDCModel::openAddNo(const TEtcDCData& aScheme, bool aPrompt)
{
    state_.addNoLabelEnabled = true;
    state_.addNoCaption = aScheme.MemberAddNoTitle;
    state_.addNoEnabled = true;
    state_.addNoFlags = flagsOf(aScheme);
    state_.addNoLength = aScheme.MemberAddNoLength;
    state_.comment = !aPrompt || aScheme.MemberAddNoLength <= 0
                         ? std::string()
                         : withoutSpaces(aScheme.MemberAddNoTitle) + " " + std::to_string(aScheme.MemberAddNoLength) +
                               "자리를 입력하십시오.";
    state_.addNo.clear();
    focusAddNo();
}

// ---------------------------------------------------------------- Enter

void TDCModel::Enter(TDCField aField)
{
    if (aField == TDCField::MemberNo ? readMemberCard() : readAddNoCard()) commonSteps();
}

// The member number as a card or a typed number. False: stop here.
bool TDCModel::readMemberCard()
{
    std::string& text = state_.memberNo;
    if (context_.gbOffLine) {
        guestType_ = cards_.GetCardGuestType(text);
        if (!text.empty() && guestType_.empty()) {
            dialogs_.ErrBox(kMsgDCOffLineCard, true);
            state_.selectAll = true;
            return false;
        }
    }
    if (!text.empty()) {
        std::int64_t count = 0;
        const std::string number = cards_.GetCardNumber(text, count);
        // An expired card (its message has been shown) is no number at all:
        // the entry stays for the next card rather than closing the screen.
        if (number.empty()) {
            state_.selectAll = true;
            return false;
        }
        keyIn_ = number == text;
        if (keyIn_) {
            if (!remarksForTypedNumber(number)) return false;
        } else if (!cards_.GetMemberCardCount(number, count)) {
            return false;
        }
        text = number;
    }
    if (text.size() > kMemberNoLength) text.resize(kMemberNoLength);
    return true;
}

// A member number typed by hand needs a reason, except at the restaurants,
// for the master, employee and partner numbers, and for the button numbers
// and scheme numbers that only choose a discount button.
bool TDCModel::remarksForTypedNumber(const std::string& aNumber)
{
    const bool atRestaurant =
        !store_.glUpjangData.empty() && store_.glUpjangData.front().UpjangType == context_.gsUpjangTypeFnB;
    if (atRestaurant || aNumber.size() < 3 || !state_.memberHint.empty()) return true;
    if (isMasterNumber(aNumber) || aNumber.starts_with("10") || aNumber.starts_with("50")) return true;
    const bool scheme = std::any_of(store_.glEtcDCData.begin(), store_.glEtcDCData.end(),
                                    [&](const TEtcDCData& s) { return s.MemberNo == aNumber; });
    if (scheme) return true;
    return launchers_.GetRemarks(kDCKeyInCaption, remarks_, 0, true);
}

bool TDCModel::readAddNoCard()
{
    std::string& text = state_.addNo;
    std::int64_t count = 0;
    const std::string number = cards_.GetCardNumber(text, count);
    if (!number.empty()) {
        keyInAddNo_ = number == text;
        text = number;
    }
    if (state_.addNoLength > 0 && static_cast<std::int64_t>(text.size()) > state_.addNoLength)
        text.resize(static_cast<std::size_t>(state_.addNoLength));
    else if (text.size() > kAddNoLength)
        text.resize(kAddNoLength);
    return true;
}

void TDCModel::commonSteps()
{
    TDCEtcInfo* scheme = pressed();
    if (!state_.memberHint.empty() && scheme != nullptr) scheme->MemberAddNo = state_.addNo;
    // A 6-digit employee number is the employee's member number.
    if (state_.addNoEnabled && scheme != nullptr && scheme->GuestType == context_.gsGuestTypeEmp &&
        state_.addNo.size() == 6) {
        std::string memberNo = cards_.CheckMemberNo(state_.addNo, false);
        if (state_.addNoLength > 0 && static_cast<std::int64_t>(memberNo.size()) > state_.addNoLength)
            memberNo.resize(static_cast<std::size_t>(state_.addNoLength));
        state_.addNo = memberNo;
        scheme->MemberAddNo = memberNo;
    }

    if (!addNoValid()) {
        dialogs_.ErrBox(state_.addNoCaption + kMsgDCEnterCorrectly, true);
        if (!schemes_.empty()) schemes_.pop_back();
        focusMemberNo();
        return;
    }
    if (!ageAccepted()) {
        if (!schemes_.empty()) schemes_.pop_back();
        focusMemberNo();
        return;
    }

    const std::string& text = state_.memberNo;
    if (text.empty()) {
        state_.closed = true;
        return;
    }
    if (text.size() <= 2) {
        const std::int64_t n = StringToInteger(text);
        if (n >= 1 && n <= kDCButtonCount && state_.buttons[static_cast<std::size_t>(n - 1)].enabled)
            PressButton(static_cast<int>(n));
        else
            state_.selectAll = true;
        return;
    }
    enterMemberNumber();
}

// The checks of the additional number a scheme asked for, and the card
// system of the pressed scheme.
bool TDCModel::addNoValid()
{
    if (state_.addNoEnabled) {
        const std::string& addNo = state_.addNo;
        const std::string& flags = state_.addNoFlags;
        if (state_.addNoLength > 0 && static_cast<std::int64_t>(addNo.size()) != state_.addNoLength) return false;
        if (flags.size() > 0 && flags[0] == 'Y' && !CheckIDNo(addNo.substr(0, 13))) return false;
        const char seventh = addNo.size() >= 7 ? addNo[6] : '\0';
        if (flags.size() > 2 && flags[2] == '1' && seventh != '1' && seventh != '3') return false;
        if (flags.size() > 2 && flags[2] == '2' && seventh != '2' && seventh != '4') return false;
    }
    const TDCEtcInfo* scheme = pressed();
    if (scheme != nullptr && !scheme->CardCompanyCode.empty() &&
        !cards_.CheckCardNo(scheme->CardCompanyCode, scheme->MemberAddNo))
        return dialogs_.AskBox(state_.memberHint + kMsgDCCardSystem);
    return true;
}

bool TDCModel::ageAccepted()
{
    const TDCEtcInfo* scheme = pressed();
    if (!state_.addNoEnabled || state_.addNoFlags.empty() || state_.addNoFlags[0] != 'Y' || scheme == nullptr)
        return true;
    const int age = GetAge(state_.addNo, context_.gsSaleDate);
    std::string limit;
    if (scheme->LimitAge > 0 && age < scheme->LimitAge) limit = std::to_string(scheme->LimitAge) + "세 이상";
    if (scheme->LimitAge < 0 && age > -scheme->LimitAge) limit = std::to_string(-scheme->LimitAge) + "세 이하";
    if (limit.empty()) return true;
    return dialogs_.AskBox(state_.memberHint + "는 " + limit + kMsgDCAgeLimit);
}

// A number of three characters or more: a scheme's number, a master number
// or a member.
void TDCModel::enterMemberNumber()
{
    const std::string text = state_.memberNo;
    if (!state_.addNoEnabled && state_.memberHint.empty()) {
        const auto scheme = std::find_if(store_.glEtcDCData.begin(), store_.glEtcDCData.end(),
                                         [&](const TEtcDCData& s) { return s.MemberNo == text; });
        // A scheme's number typed is taken as a press of its button.
        if (scheme != store_.glEtcDCData.end()) {
            pressScheme(TEtcDCData(*scheme), false);
            return;
        }
    }

    const std::string memberNo = cards_.CheckMemberNo(text, true);
    if (memberNo.empty()) {
        state_.selectAll = true;
        return;
    }
    const auto listed = std::find(keyInData_.begin(), keyInData_.end(), memberNo);
    if (!keyIn_ && listed != keyInData_.end()) keyInData_.erase(listed);
    else if (keyIn_ && listed == keyInData_.end()) keyInData_.push_back(memberNo);
    state_.selectAll = true;

    if (isMasterNumber(memberNo)) {
        enterMasterNumber(memberNo);
        return;
    }
    std::int64_t qty = -1;
    const TDCEtcInfo* scheme = pressed();
    if (state_.addNoEnabled && scheme != nullptr && scheme->QtyAcceptYN) qty = AcceptedUseQuantity(state_.addNo);
    showMemberImg(memberNo);
    registerMember(memberNo, qty);
}

// A master number: rows of the terminal's own, at the number's rate at every
// outlet, for the quantity asked.
void TDCModel::enterMasterNumber(const std::string& aMemberNo)
{
    const std::string key = aMemberNo.substr(0, 8);
    const std::string& head = context_.gsCommonMasterKey;
    if (store_.GetCommonData(head, key, CommonItem::CodeName).empty()) {
        dialogs_.ErrBox(kMsgDCMasterUnknown, true);
        return;
    }
    const std::string outletType = store_.GetCommonData(head, key, CommonItem::Item3);
    const std::string firstType = store_.glUpjangData.empty() ? std::string() : store_.glUpjangData.front().UpjangType;
    if (outletType != "00" && outletType != firstType) {
        dialogs_.ErrBox(kMsgDCMasterOutlet, true);
        return;
    }
    if (keyIn_ && store_.GetCommonData(head, key, CommonItem::Item4) != "Y") {
        dialogs_.ErrBox(kMsgDCMasterKeyIn, true);
        return;
    }
    const std::int64_t qty = AcceptedUseQuantity(state_.addNo);
    if (qty == 0) {
        state_.addNoEnabled = true;
        state_.addNoFlags = kQuantityFlags;
        state_.addNoLength = 0;
        state_.addNoLabelEnabled = true;
        state_.addNoCaption = kQuantityCaption;
        state_.addNo.clear();
        focusAddNo();
        return;
    }
    for (TDCMemberData& row : MasterNumberDiscounts(context_, store_, aMemberNo, qty, keyIn_))
        store_.glDCMemberData.push_back(std::move(row));
    readDCList();
    focusMemberNo();
    keyIn_ = keyInAddNo_ = true;
}

}  // namespace pos
