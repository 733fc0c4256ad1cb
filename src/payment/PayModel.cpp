#include "payment/PayModel.h"

#include "core/IdentityNumbers.h"
#include "core/TextHelpers.h"
#include "store/MasterStore.h"

#include <algorithm>
#include <cctype>

namespace pos {

using F = TPayField;
using K = TPayKind;

std::string AskChangeEvent(const std::string& aCurrent, const std::string& aNew)
{
    return "기존 연회(" + aCurrent + ")를 새로 선택한 연회(" + aNew + ")로 변경하시겠습니까?";
}

namespace {

constexpr std::size_t kCardSlot = 0;
constexpr std::size_t kEasyCheckSlot = 1;
std::size_t trackSlot(TPayKind aKind) { return aKind == K::EasyCheck ? kEasyCheckSlot : kCardSlot; }

struct TCardFields {
    F amount, number, validThru, halbu;
};
TCardFields cardFields(TPayKind aKind)
{
    if (aKind == K::EasyCheck) return {F::EasyCheckAmt, F::EasyCheckNo, F::EasyCheckValidThru, F::EasyCheckHalbuMonth};
    return {F::CardAmt, F::CardNo, F::CardValidThru, F::CardHalbuMonth};
}

std::string wholeText(Currency aAmount) { return std::to_string(aAmount.truncWon()); }

// "yymm" (or fewer digits) as the list shows an expiry: "YY/MM".
std::string slashedExpiry(const std::string& aExpiry)
{
    const std::string four = LPad(std::to_string(StringToInteger(aExpiry)), 4, '0');
    return four.substr(0, 2) + "/" + four.substr(2, 2);
}

// A name as a card line keeps it: at most 20 bytes, no trailing blank.
std::string cutName(const std::string& aName, int aBytes)
{
    std::string cut = CopyStr(aName, 1, aBytes);
    return std::string(Trim(cut));
}

bool hasDigit(const std::string& aText)
{
    return std::any_of(aText.begin(), aText.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

// A card number as typed or read: 14 to 16 characters.
bool cardNumberLength(const std::string& aCardNo) { return aCardNo.size() >= 14 && aCardNo.size() <= 16; }

// The track of a card panel: a text read with its start sentinel loses its
// first and last character.
std::string keptTrack(const std::string& aText)
{
    if (aText.size() > 2 && aText.front() == ';') return aText.substr(1, aText.size() - 2);
    return aText;
}

// A swipe from the sale screen is track data: it has the separator.
bool holdsTrack(const std::string& aText) { return aText.find('=') != std::string::npos; }

// The amount fields whose panel proposes the remaining amount on entry.
bool isProposingAmount(TPayField aField)
{
    return aField == F::CashAmt || aField == F::CardAmt || aField == F::EasyCheckAmt || aField == F::RoomAmt ||
           aField == F::LockerAmt || aField == F::EventAmt || aField == F::CreditAmt;
}

}  // namespace

TPayModel::TPayModel(TTerminalContext& aContext, TMasterStore& aStore, DialogService& aDialogs, TLookups& aLookups,
                     TPayRecorder& aRecorder, TCardApprovals& aApprovals, TPayLaunchers& aLaunchers)
    : context_(aContext),
      store_(aStore),
      dialogs_(aDialogs),
      lookups_(aLookups),
      recorder_(aRecorder),
      approvals_(aApprovals),
      launchers_(aLaunchers),
      cardRules_(aContext, aStore, aDialogs),
      tenders_(OfferedPayTenders(aContext, aStore)),
      giftPages_(GiftCardKinds(aContext, aStore))
{
    current_.fill(-1);
    enabled_.fill(true);
    // The expiry fields open for typing only for a keyed-in card; the
    // original approval number is asked on a return only.
    enabled_[FieldIndex(F::CardValidThru)] = false;
    enabled_[FieldIndex(F::EasyCheckValidThru)] = false;
    for (const TPayTender& tender : tenders_) lines_.offeredKinds.push_back(tender.code);
}

bool TPayModel::Offers(TPayKind aKind) const
{
    return std::any_of(tenders_.begin(), tenders_.end(), [&](const TPayTender& t) { return t.kind == aKind; });
}

void TPayModel::SetSumAmt(Currency aDue) { lines_.due = aDue; }

void TPayModel::Show()
{
    if (tenders_.empty() || !open()) return;
    giftPages_.Next();
    if (holdsTrack(context_.gsTempMemberNo) && Offers(K::Card)) {
        Select(K::Card);
        handOverCard();
    } else {
        Select(tenders_.front().kind);
    }
}

// A card swiped on the sale screen: the card panel takes it as a swipe of
// its own, so the approval sends the track and the line is not keyed in.
void TPayModel::handOverCard()
{
    const std::string track = context_.gsTempMemberNo;
    context_.gsTempMemberNo.clear();
    std::string cardNo, validThru;
    if (!cardRules_.GetCreditCardInfo(track, cardNo, validThru, true)) return;
    setText(F::CardNo, cardNo);
    setText(F::CardValidThru, validThru);
    enabled_[FieldIndex(F::CardValidThru)] = false;
    cardTrack_[kCardSlot] = keptTrack(track);
    context_.gsCardTrack2 = track;
    moveFocus(F::CardHalbuMonth, false);
}

// ---------------------------------------------------------------- amounts

Currency TPayModel::typedAmt(TPayField aField) const
{
    return Currency::fromText(ChangeSubChar(Trim(Text(aField)), ',', '\0'));
}

TPaySummary TPayModel::Summary() const
{
    if (settled_) return *settled_;
    TPaySummary s;
    s.due = lines_.due;
    for (const TPayTender& tender : tenders_) {
        Currency amount = PayListSum(lines_, tender.kind);
        if (tender.kind == K::GiftCard)
            amount += giftCardAmt_;
        else
            amount += signedAmt(typedAmt(AmountField(tender.kind)).abs());
        s.kinds[static_cast<std::size_t>(KindIndex(tender.kind))] = amount;
        s.received += amount;
    }
    s.change = s.received - s.due;
    return s;
}

Currency TPayModel::remainingAmt() const
{
    const TPaySummary s = Summary();
    return TruncNumber((s.due - s.received).abs(), 1);
}

// Change can only be given out of cash and vouchers.
bool TPayModel::changeBeyondCash() const
{
    const TPaySummary s = Summary();
    const Currency cashAndVouchers = s.Kind(K::Cash) + s.Kind(K::GiftCard);
    return sale() ? cashAndVouchers < s.change : cashAndVouchers > s.change;
}

Currency TPayModel::listTotal() const
{
    Currency total;
    for (TPayKind kind : kPayKinds) total += PayListSum(lines_, kind);
    return total;
}

// ---------------------------------------------------------------- tender kinds

void TPayModel::Select(TPayKind aKind)
{
    if (!open() || !Offers(aKind) || selected_ == aKind) return;
    if (selected_) exitPanel(*selected_);
    selected_ = aKind;
    enterPanel(aKind);
}

void TPayModel::SelectPrior()
{
    if (tenders_.empty() || !selected_) return;
    const auto at = std::find_if(tenders_.begin(), tenders_.end(), [&](const TPayTender& t) { return t.kind == *selected_; });
    Select(at == tenders_.begin() ? tenders_.back().kind : std::prev(at)->kind);
}

void TPayModel::SelectNext()
{
    if (tenders_.empty() || !selected_) return;
    const auto at = std::find_if(tenders_.begin(), tenders_.end(), [&](const TPayTender& t) { return t.kind == *selected_; });
    const auto next = at == tenders_.end() ? tenders_.begin() : std::next(at);
    Select(next == tenders_.end() ? tenders_.front().kind : next->kind);
}

void TPayModel::enterPanel(TPayKind aKind)
{
    switch (aKind) {
    case K::Cash:
        proposeAmount(K::Cash);
        moveFocus(F::CashNo, false);
        break;
    case K::Locker:
        if (!context_.gsLockerNo.empty()) setText(F::LockerNo, context_.gsLockerNo);
        moveFocus(F::LockerAmt);
        break;
    default: moveFocus(AmountField(aKind)); break;
    }
}

// Leaving a panel takes back what was typed on it: its amount no longer counts.
void TPayModel::exitPanel(TPayKind aKind)
{
    if (aKind == K::GiftCard)
        giftCardAmt_ = Currency();
    else
        setText(AmountField(aKind), "0");
}

// After a line went: the panel proposes what is left to pay.
void TPayModel::reenterPanel(TPayKind aKind)
{
    if (selected_ != aKind) return;
    switch (aKind) {
    case K::Cash: enterPanel(K::Cash); break;
    case K::Card:
        proposeAmount(K::Card);
        moveFocus(F::CardNo);
        break;
    default: moveFocus(AmountField(aKind)); break;
    }
}

// ---------------------------------------------------------------- fields

bool TPayModel::Enabled(TPayField aField) const
{
    if (aField == F::CardAgreeNo) return !sale();
    return enabled_[static_cast<std::size_t>(FieldIndex(aField))];
}

std::string TPayModel::HalbuCaption(TPayKind aKind) const
{
    return StringToInteger(Text(cardFields(aKind).halbu)) >= 2 ? "할부" : "일시불";
}

void TPayModel::SetFocus(TPayField aField)
{
    if (!open() || aField == focus_ || aField == F::None || !Enabled(aField)) return;
    moveFocus(aField);
}

void TPayModel::Change(TPayField aField, const std::string& aText)
{
    if (!open()) return;
    selectAll_ = false;  // the cashier types on from here
    setText(aField, aText);
}

void TPayModel::KeyPress(TPayField aField, const std::string& aTyped)
{
    if (aField != F::CardAmt && aField != F::EasyCheckAmt && aField != F::CashNo) return;
    for (const char c : aTyped)
        if (std::isdigit(static_cast<unsigned char>(c)) != 0 || c == '=') cardNoTemp_ += c;
}

void TPayModel::setText(TPayField aField, const std::string& aText)
{
    std::string& current = text(aField);
    if (current == aText) return;
    current = aText;
    changed(aField);
}

// What a change of a field's text does (typed, or written by the model).
void TPayModel::changed(TPayField aField)
{
    switch (aField) {
    case F::CardNo:
    case F::EasyCheckNo: {
        const TCardFields f = cardFields(KindOfField(aField));
        if (!Text(f.validThru).empty()) {
            setText(f.validThru, "");
            setText(f.halbu, "");
            if (aField == F::CardNo) setText(F::CardAgreeNo, "");
        }
        cardTrack_[trackSlot(KindOfField(aField))].clear();  // a new number: the old swipe is no longer it
        break;
    }
    // A new number needs a new look-up.
    case F::RoomNo: room_.reset(); break;
    case F::LockerNo: locker_.reset(); break;
    case F::EventNo: event_.reset(); break;
    case F::CreditMemberNo: credit_.reset(); break;
    case F::GiftCardNo:
        giftCard_.reset();
        updateGiftAmount();
        break;
    case F::GiftCardCount: updateGiftAmount(); break;
    default: break;
    }
}

void TPayModel::updateGiftAmount()
{
    const Currency count(StringToInteger(Text(F::GiftCardCount)));
    giftCardAmt_ = giftCard_ ? signedAmt(count * giftCard_->Face) : Currency();
}

void TPayModel::moveFocus(TPayField aField, bool aEnter)
{
    focus_ = aField;
    selectAll_ = false;
    if (aEnter) enterField(aField);
}

// Entering a field (by the cashier or the model).
void TPayModel::enterField(TPayField aField)
{
    if (isProposingAmount(aField)) {
        proposeAmount(KindOfField(aField));
        return;
    }
    switch (aField) {
    case F::CardNo:
    case F::EasyCheckNo: setText(aField, ""); break;
    case F::GiftCardNo:
        setText(F::GiftCardNo, "");
        setText(F::GiftCardCount, "");
        break;
    case F::GiftCardCount: proposeGiftCount(); break;
    default: break;
    }
}

// The amount field of a panel proposes what is left to pay and the panel
// starts a new line.
void TPayModel::proposeAmount(TPayKind aKind)
{
    const F amount = AmountField(aKind);
    setText(amount, "0");
    const Currency remaining = remainingAmt();
    setText(amount, wholeText(remaining));
    if (focus_ == amount) selectAll_ = true;
    switch (aKind) {
    case K::Cash:
        setText(F::CashNo, "");
        cashIndividual_ = true;
        break;
    case K::Card:
    case K::EasyCheck:
        setText(NumberField(aKind), "");
        cardAmtBack_ = remaining;
        cardNoTemp_.clear();
        break;
    case K::Room:
        setText(F::RoomNo, context_.gsRoomNo);
        room_.reset();
        break;
    case K::Locker:
        setText(F::LockerNo, context_.gsLockerNo);
        locker_.reset();
        break;
    case K::Event: {
        std::string eventNo;
        if (context_.gbEventMode)
            eventNo = !store_.glDCMemberData.empty() ? store_.GetDCMemberData(0, 1).asText() : context_.gsEventNo;
        setText(F::EventNo, eventNo);
        event_.reset();
        break;
    }
    case K::Credit:
        setText(F::CreditMemberNo, "");
        credit_.reset();
        break;
    case K::GiftCard: break;
    }
}

// The number of vouchers that pays what is left, rounded up.
void TPayModel::proposeGiftCount()
{
    setText(F::GiftCardCount, "");
    if (!giftCard_ || giftCard_->Face <= Currency()) return;
    const TPaySummary s = Summary();
    const Currency count = RaiseNumber((s.due - s.received).abs() / giftCard_->Face, 1);
    setText(F::GiftCardCount, wholeText(count));
    selectAll_ = focus_ == F::GiftCardCount;
}

// ---------------------------------------------------------------- Enter

void TPayModel::Enter(TPayField aField)
{
    if (!open()) return;
    switch (aField) {
    case F::CashAmt: enterCashAmt(); break;
    case F::CashNo: enterCashNo(); break;
    case F::CardAmt: enterAmount(K::Card); break;
    case F::EasyCheckAmt: enterAmount(K::EasyCheck); break;
    case F::RoomAmt: enterAmount(K::Room); break;
    case F::LockerAmt: enterAmount(K::Locker); break;
    case F::EventAmt: enterAmount(K::Event); break;
    case F::CreditAmt: enterAmount(K::Credit); break;
    case F::CardNo: enterCardNo(K::Card); break;
    case F::EasyCheckNo: enterCardNo(K::EasyCheck); break;
    case F::CardValidThru: moveFocus(F::CardHalbuMonth); break;
    case F::EasyCheckValidThru: moveFocus(F::EasyCheckHalbuMonth); break;
    case F::CardHalbuMonth: enterHalbuMonth(); break;
    case F::CardAgreeNo:
        if (!sale()) execCard();
        break;
    case F::EasyCheckHalbuMonth: addEasyCheck(); break;
    case F::RoomNo:
        if (reduceMemberCard(F::RoomNo)) enterRoomNo();
        break;
    case F::LockerNo: enterLockerNo(); break;
    case F::EventNo:
        if (reduceMemberCard(F::EventNo)) enterEventNo();
        break;
    case F::GiftCardNo: enterGiftCardNo(); break;
    case F::GiftCardCount: enterGiftCardCount(); break;
    case F::CreditMemberNo:
        if (reduceMemberCard(F::CreditMemberNo)) enterCreditMemberNo();
        break;
    default: break;
    }
}

// Enter in the amount field of card, EasyCheck, room, locker, event or credit.
void TPayModel::enterAmount(TPayKind aKind)
{
    const F number = NumberField(aKind);
    if (aKind == K::Card || aKind == K::EasyCheck) {
        // A card swiped into the amount field: its digits landed there too.
        const std::size_t separator = cardNoTemp_.find('=');
        if (cardNoTemp_.size() >= 20 && separator != std::string::npos && separator >= 13) {
            const std::string captured = cardNoTemp_;
            setText(AmountField(aKind), wholeText(cardAmtBack_));
            moveFocus(number);
            setText(number, captured);
            enterCardNo(aKind);
            return;
        }
    }
    if (changeBeyondCash()) proposeAmount(aKind);
    moveFocus(number);
}

void TPayModel::enterCashAmt()
{
    if (typedAmt(F::CashAmt) != Currency() || lines_.due != Currency()) {
        moveFocus(F::CashNo);
        return;
    }
    // A bill of 0 is settled with a cash line of 0 at once.
    TPayCashList line;
    line.ManYNName = "현금";
    line.AgreeDate = context_.gsToday;
    addLine(K::Cash, lines_.cash, line);
}

void TPayModel::enterCashNo()
{
    if (!Trim(Text(F::CashNo)).empty()) {
        execCash();
        return;
    }
    const Currency amount = typedAmt(F::CashAmt).abs();
    if (amount == Currency() && lines_.due != Currency()) {
        moveFocus(F::CashAmt);  // nothing to take
        return;
    }
    TPayCashList line;
    line.ManYNName = "현금";
    line.AgreeAmt = line.Amt = signedAmt(amount);
    line.AgreeDate = context_.gsToday;
    if (addLine(K::Cash, lines_.cash, line)) return;
    enterPanel(K::Cash);
}

// Enter in a card number field: a swipe (more than 18 characters) gives
// number and expiry; a typed number asks for the expiry.
void TPayModel::enterCardNo(TPayKind aKind)
{
    const TCardFields f = cardFields(aKind);
    const std::string typed = Text(f.number);
    if (typed.size() > 18) {
        std::string cardNo, validThru;
        if (cardRules_.GetCreditCardInfo(typed, cardNo, validThru, true)) {
            setText(f.number, cardNo);
            setText(f.validThru, validThru);
            enabled_[FieldIndex(f.validThru)] = false;
            cardTrack_[trackSlot(aKind)] = aKind == K::Card ? keptTrack(typed) : typed;
        }
    }
    if (StringToInteger(Text(f.validThru)) > 100) {
        moveFocus(f.halbu);
    } else {
        enabled_[FieldIndex(f.validThru)] = true;  // a keyed-in card
        moveFocus(f.validThru);
    }
}

void TPayModel::enterHalbuMonth()
{
    if (sale())
        execCard();
    else
        moveFocus(F::CardAgreeNo);  // a refund needs the original approval number
}

// A card paid on the EasyCheck terminal: registered here, never approved.
void TPayModel::addEasyCheck()
{
    const Currency amount = typedAmt(F::EasyCheckAmt);
    const std::string cardNo = Text(F::EasyCheckNo);
    const std::int64_t validThru = StringToInteger(Text(F::EasyCheckValidThru));
    if (amount == Currency()) return moveFocus(F::EasyCheckAmt);
    if (!cardNumberLength(cardNo)) return moveFocus(F::EasyCheckNo);
    if (validThru < 100) {
        enabled_[FieldIndex(F::EasyCheckValidThru)] = true;
        return moveFocus(F::EasyCheckValidThru);
    }
    if (amount < Currency() || !dialogs_.AskBox(kAskEasyCheck)) return;
    if (StringToInteger(Text(F::EasyCheckHalbuMonth)) == 1) setText(F::EasyCheckHalbuMonth, "0");
    const TCardCompanyInfo company = cardRules_.GetCardCompanyInfo(cardNo);
    TPayCardList line;
    line.CardNo = cardNo;
    line.VaildThru = slashedExpiry(Text(F::EasyCheckValidThru));
    line.HalbuMonth = std::to_string(StringToInteger(Text(F::EasyCheckHalbuMonth))) + "개월";
    line.AgreeNo = kEasyCheckAgreeNo;
    line.Amt = signedAmt(amount);
    line.AgreeDate = context_.gsToday;
    line.CompanyCode = company.CompCode;
    line.CompanyName = cutName(company.CompName, 20);
    line.BankCode = company.IssueCode;
    line.BankName = cutName(company.IssueName, 20);
    line.CardJoinNo = company.JoinNo;
    line.TrackTwo = cardTrack_[kEasyCheckSlot];
    line.KeyIn = Enabled(F::EasyCheckValidThru);
    line.SignYN = false;
    if (addCardLine(K::EasyCheck, line)) return;
    moveFocus(F::EasyCheckAmt);
}

// A member card read into a number field is reduced to its member number.
// False when the card is refused (expired): nothing is looked up.
bool TPayModel::reduceMemberCard(TPayField aField)
{
    const std::string typed = Text(aField);
    if (typed.size() <= 10) return true;
    std::int64_t count = 0;
    const std::string number = cardRules_.GetCardNumber(typed, count);
    if (number.empty()) {
        selectAll_ = true;
        return false;
    }
    setText(aField, number.substr(0, 10));
    return true;
}

void TPayModel::enterRoomNo()
{
    if (room_) {
        const Currency amount = typedAmt(F::RoomAmt);
        if (amount <= Currency()) return;
        TPayRoomList line;
        line.RoomNo = roomNo_;
        line.MemberNo = room_->MemberNo;
        line.MemberName = room_->MemberName;
        line.ComeName = room_->ComeName;
        line.CheckIn = room_->CheckInDate;
        line.CheckOut = room_->CheckOutDate;
        line.Amt = signedAmt(amount);
        line.UpjangCode = room_->UpjangCode;
        line.RsvNo = room_->RsvNo;
        line.ManageNo = room_->ManageNo;
        if (addLine(K::Room, lines_.room, line)) return;
        moveFocus(F::RoomAmt);
        return;
    }
    std::string number(Trim(Text(F::RoomNo)));
    if (number.size() > 5) {
        // A member number finds the member's room.
        const std::string memberNo = cardRules_.CheckMemberNo(number, true);
        number = memberNo.empty() ? std::string() : lookups_.GetRoomMemberInfo(memberNo);
        if (!memberNo.empty()) setText(F::RoomNo, number);
    }
    selectAll_ = true;
    if (number.empty()) return;
    const std::string roomNo = LPad(number, 5, '0');
    TRoomInfo info;
    if (!lookups_.GetRoomInfo(roomNo, info)) return;
    if (!info.EventNo.empty()) {
        // The group's rooms are paid by the group.
        dialogs_.MsgBox(kMsgGroupRoom);
        if (Offers(K::Event)) {
            Select(K::Event);
            setText(F::EventNo, info.EventNo);
        }
        return;
    }
    room_ = info;
    roomNo_ = roomNo;
}

void TPayModel::enterLockerNo()
{
    if (locker_) {
        const Currency amount = typedAmt(F::LockerAmt);
        if (amount <= Currency()) return;
        if (!lines_.locker.empty()) {
            dialogs_.ErrBox(kMsgOneLocker, true);
        } else {
            TPayLockerList line;
            line.LockerNo = Text(F::LockerNo);
            line.MemberNo = locker_->MemberNo;
            line.ComeName = locker_->ComeName;
            line.ComeTime = locker_->ComeTime;
            line.PassTime = locker_->PassTime;
            line.Amt = signedAmt(amount);
            line.Seq = locker_->LockerSeq;
            if (addLine(K::Locker, lines_.locker, line)) return;
        }
        moveFocus(F::LockerAmt);
        return;
    }
    selectAll_ = true;
    const std::string lockerNo(Trim(Text(F::LockerNo)));
    if (lockerNo.empty()) return;
    TLockerInfo info;
    if (!lookups_.GetLockerInfo(lockerNo, info)) return;
    if (!info.MemberNo.empty() && store_.glDCMemberData.empty()) dialogs_.MsgBox(kMsgLockerMember);
    locker_ = info;
}

void TPayModel::enterEventNo()
{
    if (event_) {
        const Currency amount = typedAmt(F::EventAmt);
        if (amount <= Currency()) return;
        if (!context_.gbEventMode) {
            dialogs_.ErrBox(kMsgEventNeedsDC, true);
        } else {
            TPayEventList line;
            line.EventNo = eventNo_;
            line.EventName = event_->EventName;
            line.MemberNo = event_->MemberNo;
            line.MemberName = event_->MemberName;
            line.Remark = event_->Remark;
            line.Amt = signedAmt(amount);
            if (addLine(K::Event, lines_.event, line)) return;
        }
        moveFocus(F::EventAmt);
        return;
    }
    selectAll_ = true;
    std::string eventNo(Trim(Text(F::EventNo)));
    if (eventNo.empty()) return;
    TEventInfo info;
    if (!lookups_.GetEventInfo(eventNo, info)) return;
    // Another group than the bill's: the bill's event changes only when the
    // cashier says so. A bill without an event takes this one.
    if (!context_.gsEventNo.empty() && eventNo != context_.gsEventNo &&
        !dialogs_.AskBox(AskChangeEvent(context_.gsEventNo, eventNo)))
        return;
    setText(F::EventNo, eventNo);
    event_ = info;
    eventNo_ = eventNo;
    context_.gsEventNo = eventNo;
    context_.gsEventName = info.EventName;
    context_.gsEventMemberCode = info.MemberCode;
    context_.gsEventMemberCodeName = info.MemberCodeName;
    context_.gsEventGuestType = info.GuestType;
    selectAll_ = true;
}

void TPayModel::enterGiftCardNo()
{
    const std::string typed(Trim(Text(F::GiftCardNo)));
    if (typed.size() == 1 && typed[0] >= '1' && typed[0] <= '5') {
        GiftCardClick(typed[0] - '1');
        return;
    }
    if (!giftCard_) {
        const TGiftCardKind* kind = GiftCardKindOf(giftPages_.Kinds(), typed);
        if (kind == nullptr) {
            if (!typed.empty()) dialogs_.ErrBox(kMsgNoGiftCard, true);
            selectAll_ = true;
            return;
        }
        giftCard_ = TGiftCardKind{typed, kind->Name, kind->Face};  // the voucher's own number
        updateGiftAmount();
    }
    moveFocus(F::GiftCardCount);
}

void TPayModel::enterGiftCardCount()
{
    if (!giftCard_) return moveFocus(F::GiftCardNo);
    const Currency count(StringToInteger(Text(F::GiftCardCount)));
    if (count <= Currency()) return;
    TPayGiftCardList line;
    line.GiftCardNo = giftCard_->Code;
    line.GiftCardName = cutName(giftCard_->Name, 30);
    line.UnitAmt = giftCard_->Face;
    line.Count = signedAmt(count);
    line.Amt = signedAmt(count * giftCard_->Face);
    if (addLine(K::GiftCard, lines_.giftCard, line)) return;
    moveFocus(F::GiftCardNo);
}

void TPayModel::enterCreditMemberNo()
{
    if (!credit_) {
        selectAll_ = true;
        std::string memberNo(Trim(Text(F::CreditMemberNo)));
        TCreditInfo info;
        if (!lookups_.GetCreditInfo(memberNo, info)) return;
        setText(F::CreditMemberNo, memberNo);
        credit_ = info;
        creditNo_ = memberNo;
        if (!prepayCovers(typedAmt(F::CreditAmt).abs())) {
            dialogs_.ErrBox(kMsgPrepayShort, true);
            moveFocus(F::CreditAmt, false);  // the customer stays looked up: a smaller amount may do
            selectAll_ = true;
        }
        return;
    }
    const Currency amount = typedAmt(F::CreditAmt);
    if (amount < Currency() || (amount == Currency() && lines_.due != Currency())) return;
    // The balance is checked again for the amount that is charged now.
    if (!prepayCovers(amount)) {
        dialogs_.ErrBox(kMsgPrepayShort, true);
        moveFocus(F::CreditAmt, false);
        selectAll_ = true;
        return;
    }
    std::string reason;
    const bool fnb = store_.GetUpjangData(0, UpjangItem::UpjangType).asText() == context_.gsUpjangTypeFnB;
    if (!fnb && !launchers_.GetRemarks(kCaptionCreditRemarks, reason, 1, true)) return;
    TPayCreditList line;
    line.MemberNo = LPad(creditNo_, 10, '0');
    line.CustNo = credit_->CustNo;
    line.CustName = credit_->CustName;
    line.Remark = credit_->Remark;
    line.Amt = signedAmt(amount);
    line.PrepayAmt = credit_->PrepayAmt;
    line.RemainAmt = credit_->RemainAmt;
    line.Remarks = reason;
    if (addLine(K::Credit, lines_.credit, line)) return;
    moveFocus(F::CreditAmt);
}

// A customer who pays in advance and may not go beyond the balance: the
// balance covers aAmt together with what this bill already charges to it.
// A refund always may.
bool TPayModel::prepayCovers(Currency aAmt) const
{
    if (!credit_ || !sale() || credit_->PrepayAmt <= Currency() || credit_->JustDo) return true;
    Currency charged;
    for (const TPayCreditList& line : lines_.credit)
        if (line.MemberNo == LPad(creditNo_, 10, '0')) charged += line.Amt;
    return charged + aAmt <= credit_->RemainAmt;
}

// ---------------------------------------------------------------- card approvals

void TPayModel::execCard()
{
    const Currency amount = typedAmt(F::CardAmt);
    const std::string cardNo = Text(F::CardNo);
    const std::int64_t validThru = StringToInteger(Text(F::CardValidThru));
    if (amount <= Currency()) return moveFocus(F::CardAmt);
    if (!cardNumberLength(cardNo)) return moveFocus(F::CardNo);
    if (validThru < 100) {
        enabled_[FieldIndex(F::CardValidThru)] = true;
        return moveFocus(F::CardValidThru);
    }
    if (!sale() && StringToInteger(Text(F::CardAgreeNo)) == 0) return moveFocus(F::CardAgreeNo);
    if (StringToInteger(Text(F::CardHalbuMonth)) < 2) setText(F::CardHalbuMonth, "0");

    TCardRequest request;
    request.Approval = sale();
    request.CardNo = cardNo;
    request.ValidThru = LPad(std::to_string(validThru), 4, '0');
    request.KeyIn = Enabled(F::CardValidThru) || cardTrack_[kCardSlot].empty();
    request.CardData = request.KeyIn ? cardNo + "=" + request.ValidThru : cardTrack_[kCardSlot];
    request.Amount = TruncNumber(amount, 1);
    request.HalbuMonth = static_cast<int>(StringToInteger(Text(F::CardHalbuMonth)));
    if (!sale()) request.OrgAgreeNo = TrimCopy(Text(F::CardAgreeNo));

    const TCardAnswer answer = approvals_.ApproveCard(request);
    if (answer.Outcome == TApprovalOutcome::Approved) {
        if (answer.DedicatedLine) dialogs_.MsgBox(kMsgDedicatedLine);
        TPayCardList line = answer.Line;
        line.CardNo = request.CardNo;
        line.VaildThru = slashedExpiry(request.ValidThru);
        line.HalbuMonth = std::to_string(request.HalbuMonth) + "개월";
        line.AgreeNo = TrimCopy(line.AgreeNo);
        line.Amt = signedAmt(request.Amount);
        line.OldAgreeNo = request.OrgAgreeNo;
        line.CompanyName = cutName(line.CompanyName, 20);
        line.BankName = cutName(line.BankName, 20);
        line.CardJoinNo = TrimCopy(line.CardJoinNo);
        line.TrackTwo = request.CardData;
        line.KeyIn = request.KeyIn;
        if (addCardLine(K::Card, line)) return;
        proposeAmount(K::Card);
    } else if (cardRefused(answer, request)) {
        return;
    }
    moveFocus(F::CardNo);  // cleared for the next card
}

// A refused (or unanswered) new card line. True when the focus went
// elsewhere (EasyCheck, or a refund stored anyway).
bool TPayModel::cardRefused(const TCardAnswer& aAnswer, const TCardRequest& aRequest)
{
    dialogs_.ErrBox(kMsgCardError + MaskNumbersForLog(aAnswer.Message) + "(" + aAnswer.ErrCode + ")", true);
    // An unanswered request may have been approved: nothing is offered that
    // would charge the card a second time.
    if (aAnswer.Outcome != TApprovalOutcome::Refused) return false;
    if (sale()) {
        // A communication failure: the card may go through the EasyCheck terminal.
        if (hasDigit(aAnswer.ErrCode) || !Offers(K::EasyCheck) || !dialogs_.AskBox(kAskPayEasyCheck)) return false;
        copyCardToEasyCheck();
        return true;
    }
    // A refund of a slip the card company already cancelled may be stored anyway.
    if (aAnswer.ErrCode != kCodeAlreadyCancelled || !dialogs_.AskBox(kAskForceRefund)) return false;
    const TCardCompanyInfo company = cardRules_.GetCardCompanyInfo(aRequest.CardNo);
    TPayCardList line;
    line.CardNo = aRequest.CardNo;
    line.VaildThru = slashedExpiry(aRequest.ValidThru);
    line.HalbuMonth = std::to_string(aRequest.HalbuMonth) + "개월";
    line.AgreeNo = aRequest.OrgAgreeNo;
    line.Amt = signedAmt(aRequest.Amount);
    line.AgreeDate = context_.gsToday;
    line.OldAgreeNo = aRequest.OrgAgreeNo;
    line.CompanyCode = company.CompCode;
    line.CompanyName = cutName(company.CompName, 20);
    line.BankCode = company.IssueCode;
    line.BankName = cutName(company.IssueName, 20);
    line.CardJoinNo = company.JoinNo;
    line.TrackTwo = aRequest.CardData;
    line.KeyIn = aRequest.KeyIn;
    line.SignYN = false;
    if (addCardLine(K::Card, line)) return true;
    moveFocus(F::CardAmt);
    return true;
}

void TPayModel::copyCardToEasyCheck()
{
    const std::string amount = Text(F::CardAmt), cardNo = Text(F::CardNo), validThru = Text(F::CardValidThru),
                      halbu = Text(F::CardHalbuMonth), track = cardTrack_[kCardSlot];
    const bool keyIn = Enabled(F::CardValidThru);
    Select(K::EasyCheck);
    setText(F::EasyCheckAmt, amount);
    setText(F::EasyCheckNo, cardNo);
    setText(F::EasyCheckValidThru, validThru);
    enabled_[FieldIndex(F::EasyCheckValidThru)] = keyIn;
    setText(F::EasyCheckHalbuMonth, halbu);
    cardTrack_[kEasyCheckSlot] = track;
    moveFocus(F::EasyCheckHalbuMonth, false);
}

// Cancels the current card line's approval (the cashier's delete, or one
// step of the cancel-all run). True when the line went.
bool TPayModel::cancelCard(bool aByCashier)
{
    const int row = Current(K::Card);
    if (row < 0 || row >= static_cast<int>(lines_.card.size())) return false;
    const TPayCardList line = lines_.card[static_cast<std::size_t>(row)];
    if (aByCashier && !dialogs_.AskBox(MaskForLog(line.CardNo) + kAskCancelCard)) return false;

    TCardRequest request;
    request.Approval = !sale();  // a sale's approval is cancelled; a refund is undone by a new approval
    request.CardNo = line.CardNo;
    request.ValidThru = GetOnlyNumber(line.VaildThru);
    request.KeyIn = line.KeyIn;
    request.CardData = line.KeyIn ? line.CardNo + "=" + request.ValidThru : line.TrackTwo;
    request.Amount = line.Amt.abs();
    request.HalbuMonth = static_cast<int>(StringToInteger(GetOnlyNumber(line.HalbuMonth)));
    if (sale()) request.OrgAgreeNo = line.AgreeNo;

    const TCardAnswer answer = approvals_.CancelCard(request);
    const bool approved = answer.Outcome == TApprovalOutcome::Approved;
    if (approved && answer.DedicatedLine) dialogs_.MsgBox(kMsgDedicatedLine);
    if (!approved) {
        // The line stays: the card stands charged until a cancellation goes
        // through, or the bill is settled with it.
        dialogs_.ErrBox(kMsgCardError + MaskNumbersForLog(answer.Message) + "(" + answer.ErrCode + ")", true);
        return false;
    }
    eraseCurrent(K::Card);
    return true;
}

// The screen's run over the card lines from the last: each approval is
// cancelled and its line removed; a line whose cancellation fails stays, and
// the cashier is told that it did.
void TPayModel::cancelAllCards()
{
    Select(K::Card);
    bool kept = false;
    for (int row = static_cast<int>(lines_.card.size()) - 1; row >= 0; --row) {
        current(K::Card) = row;
        if (!cancelCard(false)) kept = true;
    }
    if (kept) dialogs_.MsgBox(kMsgCancelKept);
    reenterPanel(K::Card);
}

void TPayModel::execCash()
{
    const Currency cash = TruncNumber(typedAmt(F::CashAmt).abs(), 1);
    const Currency change = Summary().change;
    // The receipt covers the part of the cash that pays the bill.
    Currency receipt = cash;
    if (sale() && change > Currency()) receipt -= change;
    if (!sale() && change < Currency()) receipt += change;
    if (receipt <= Currency()) return moveFocus(F::CashAmt);

    TCashRequest request;
    request.Approval = sale();
    request.Individual = cashIndividual_;
    request.Identity = Text(F::CashNo);
    request.Amount = receipt;
    const TCashAnswer answer = approvals_.ApproveCash(request);
    if (answer.Outcome == TApprovalOutcome::Approved) {
        TPayCashList line = answer.Line;
        line.AgreeNo = TrimCopy(line.AgreeNo);
        line.ManYNName = line.AgreeNo.empty() ? "현금" : (request.Individual ? "개인" : "사업자");
        line.CardName = CashToString(request.Identity, true);
        line.AgreeAmt = signedAmt(receipt);
        line.Amt = signedAmt(cash);
        line.ManYN = request.Individual;
        line.Track2 = request.Identity;
        line.CardNo = GetCreditCardNo(request.Identity);
        if (addLine(K::Cash, lines_.cash, line)) return;
    } else {
        dialogs_.ErrBox(kMsgCashError + MaskNumbersForLog(answer.Message) + "(" + answer.ErrCode + ")", true);
    }
    enterPanel(K::Cash);
}

bool TPayModel::hasCashReceipt() const
{
    return std::any_of(lines_.cash.begin(), lines_.cash.end(), [](const TPayCashList& l) { return !l.AgreeNo.empty(); });
}

// Deletes the current cash line, cancelling its receipt first. True when
// the line went.
bool TPayModel::cancelCash(bool aByCashier)
{
    const int row = Current(K::Cash);
    if (row < 0 || row >= static_cast<int>(lines_.cash.size())) return false;
    const TPayCashList line = lines_.cash[static_cast<std::size_t>(row)];
    if (line.CardNo.empty()) {  // plain cash
        eraseCurrent(K::Cash);
        return true;
    }
    if (aByCashier && !dialogs_.AskBox(line.CardName + kAskCancelCashReceipt)) return false;
    TCashRequest request;
    request.Approval = !sale();
    request.Individual = line.ManYN;
    request.Identity = line.Track2;
    request.Amount = line.AgreeAmt.abs();
    request.OrgAgreeNo = line.AgreeNo;
    request.OrgAgreeDate = line.AgreeDate;
    const TCashAnswer answer = approvals_.CancelCash(request);
    const bool approved = answer.Outcome == TApprovalOutcome::Approved;
    if (!approved) {
        dialogs_.ErrBox(kMsgCashError + MaskNumbersForLog(answer.Message) + "(" + answer.ErrCode + ")", true);
        return false;
    }
    eraseCurrent(K::Cash);
    return true;
}

// The screen's run over the cash lines from the last: each receipt is
// cancelled and its line removed; a plain cash line is removed and ends it.
// A receipt whose cancellation fails stays, and the cashier is told.
void TPayModel::cancelAllCash()
{
    Select(K::Cash);
    bool kept = false;
    for (int row = static_cast<int>(lines_.cash.size()) - 1; row >= 0; --row) {
        current(K::Cash) = row;
        const bool plain = lines_.cash[static_cast<std::size_t>(row)].CardNo.empty();
        if (!cancelCash(false)) kept = true;
        if (plain) break;
    }
    if (kept) dialogs_.MsgBox(kMsgCancelKept);
    reenterPanel(K::Cash);
}

// ---------------------------------------------------------------- lines

// The card lists take a second identical line (same number, expiry, amount
// and approval number) as the one they have.
bool TPayModel::addCardLine(TPayKind aKind, const TPayCardList& aLine)
{
    std::vector<TPayCardList>& list = aKind == K::EasyCheck ? lines_.easyCheck : lines_.card;
    const bool known = std::any_of(list.begin(), list.end(), [&](const TPayCardList& l) {
        return l.CardNo == aLine.CardNo && l.VaildThru == aLine.VaildThru && l.Amt == aLine.Amt &&
               l.AgreeNo == aLine.AgreeNo;
    });
    if (known) return settle();
    return addLine(aKind, list, aLine);
}

template <class T>
bool TPayModel::addLine(TPayKind aKind, std::vector<T>& aList, T aLine)
{
    aList.push_back(std::move(aLine));
    current(aKind) = static_cast<int>(aList.size()) - 1;
    return settle();
}

void TPayModel::eraseCurrent(TPayKind aKind)
{
    const auto erase = [&](auto& aList) {
        const int row = Current(aKind);
        if (row < 0 || row >= static_cast<int>(aList.size())) return;
        aList.erase(aList.begin() + row);
        const int count = static_cast<int>(aList.size());
        if (Current(aKind) >= count) current(aKind) = count - 1;
    };
    switch (aKind) {
    case K::Cash: erase(lines_.cash); break;
    case K::Card: erase(lines_.card); break;
    case K::EasyCheck: erase(lines_.easyCheck); break;
    case K::Room: erase(lines_.room); break;
    case K::Locker: erase(lines_.locker); break;
    case K::Event: erase(lines_.event); break;
    case K::GiftCard: erase(lines_.giftCard); break;
    case K::Credit: erase(lines_.credit); break;
    }
}

// The lines cover the bill: the recording stores the payment. On a return
// the refund may exceed the bill only by less than the cash refunded.
bool TPayModel::settle()
{
    const Currency total = listTotal();
    const Currency cash = PayListSum(lines_, K::Cash);
    const Currency due = lines_.due;
    const bool covered = sale() ? total >= due : (total == due || (total < due && cash < total - due));
    if (!covered) return false;

    TPayLines lines = lines_;
    lines.received = total;
    lines.change = total - due;
    const TPaySaveResult saved = recorder_.SavePayData(lines);
    if (!saved.saved) {
        if (const std::optional<TPayKind> kind = PayKindOf(context_, saved.selectKind); kind && saved.selectKind != 0)
            Select(*kind);
        return false;
    }
    TPaySummary summary;
    summary.due = due;
    summary.received = total;
    summary.change = total - due;
    for (TPayKind kind : kPayKinds) summary.kinds[static_cast<std::size_t>(KindIndex(kind))] = PayListSum(lines_, kind);
    settled_ = summary;
    lines_ = lines;
    result_ = TPayResult::Settled;
    return true;
}

void TPayModel::deleteLine(TPayKind aKind)
{
    if (!open() || Current(aKind) < 0) return;
    switch (aKind) {
    case K::Cash:
        if (cancelCash(true)) reenterPanel(K::Cash);
        break;
    case K::Card:
        if (cancelCard(true)) reenterPanel(K::Card);
        break;
    default:
        eraseCurrent(aKind);
        reenterPanel(aKind);
        break;
    }
}

void TPayModel::DeleteKey(TPayField aField)
{
    if (aField == F::None) return;
    const TPayKind kind = KindOfField(aField);
    // The group lines are deleted with their button only.
    if (kind == K::Event || !DeleteEnabled(kind)) return;
    deleteLine(kind);
}

void TPayModel::DeleteClick(TPayKind aKind)
{
    if (DeleteEnabled(aKind)) deleteLine(aKind);
}

void TPayModel::TouchRow(TPayKind aKind, int aRow)
{
    if (!open() || aRow < 0 || aRow >= PayLineCount(lines_, aKind)) return;
    current(aKind) = aRow;
}

void TPayModel::RowUp(TPayKind aKind)
{
    if (open() && Current(aKind) > 0) --current(aKind);
}

void TPayModel::RowDown(TPayKind aKind)
{
    if (open() && Current(aKind) >= 0 && Current(aKind) < PayLineCount(lines_, aKind) - 1) ++current(aKind);
}

// ---------------------------------------------------------------- buttons

void TPayModel::CashManClick(bool aIndividual)
{
    if (open()) cashIndividual_ = aIndividual;
}

void TPayModel::GiftCardClick(int aButton)
{
    if (!open()) return;
    const TGiftCardKind* kind = giftPages_.Button(aButton);
    if (kind == nullptr) return;
    const TGiftCardKind chosen = *kind;
    setText(F::GiftCardNo, chosen.Code);
    giftCard_ = chosen;
    updateGiftAmount();
    moveFocus(F::GiftCardCount);
}

void TPayModel::GiftCardNextClick()
{
    if (open()) giftPages_.Next();
}

void TPayModel::RoomListClick()
{
    if (!open()) return;
    std::string roomNo = Text(F::RoomNo);
    if (!launchers_.GetRoomList(roomNo)) return;
    setText(F::RoomNo, roomNo);
    moveFocus(F::RoomNo, false);
}

void TPayModel::LockerListClick()
{
    if (!open()) return;
    std::string lockerNo = Text(F::LockerNo), memberNo;
    if (!launchers_.GetGolfList(lockerNo, memberNo, true)) return;
    setText(F::LockerNo, lockerNo);
    moveFocus(F::LockerNo, false);
}

void TPayModel::EventListClick()
{
    if (!open()) return;
    TEventChoice choice;
    choice.EventNo = Text(F::EventNo);
    if (!launchers_.GetEventList(choice)) return;
    setText(F::EventNo, choice.EventNo);
    moveFocus(F::EventNo, false);
}

// ---------------------------------------------------------------- closing

bool TPayModel::CloseQuery()
{
    if (!open()) return true;
    if (!lines_.card.empty()) {
        if (dialogs_.AskBox(kAskCancelCards)) {
            cancelAllCards();
            return false;
        }
        dialogs_.MsgBox(kMsgCardsLeft);
    }
    if (hasCashReceipt() && dialogs_.AskBox(kAskCancelCash)) {
        cancelAllCash();
        return false;
    }
    result_ = TPayResult::Cancelled;
    return true;
}

}  // namespace pos
