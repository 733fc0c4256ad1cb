#include "payment/PayTenders.h"

#include "core/IdentityNumbers.h"
#include "core/TerminalContext.h"
#include "store/MasterStore.h"

#include <algorithm>

namespace pos {

std::int64_t PayCode(const TCodeTable& aCodes, TPayKind aKind)
{
    switch (aKind) {
    case TPayKind::Cash: return aCodes.giPayCash;
    case TPayKind::Card: return aCodes.giPayCard;
    case TPayKind::EasyCheck: return aCodes.giPayEasyCheck;
    case TPayKind::Room: return aCodes.giPayRoom;
    case TPayKind::Locker: return aCodes.giPayLocker;
    case TPayKind::Event: return aCodes.giPayEvent;
    case TPayKind::GiftCard: return aCodes.giPayGiftCard;
    case TPayKind::Credit: return aCodes.giPayCredit;
    }
    return 0;
}

std::optional<TPayKind> PayKindOf(const TCodeTable& aCodes, std::int64_t aCode)
{
    for (TPayKind kind : kPayKinds)
        if (PayCode(aCodes, kind) == aCode) return kind;
    return std::nullopt;
}

namespace {

// Tenders that charge an account on the server; off line they are not offered.
bool NeedsServer(TPayKind aKind)
{
    return aKind == TPayKind::Room || aKind == TPayKind::Locker || aKind == TPayKind::Event ||
           aKind == TPayKind::GiftCard || aKind == TPayKind::Credit;
}

}  // namespace

std::vector<TPayTender> OfferedPayTenders(const TTerminalContext& aContext, const TMasterStore& aStore)
{
    std::vector<TPayTender> tenders;
    for (const TPayData& entry : aStore.glPayData) {
        const std::optional<TPayKind> kind = PayKindOf(aContext, entry.Code);
        if (!kind || (aContext.gbOffLine && NeedsServer(*kind))) continue;
        const bool twice = std::any_of(tenders.begin(), tenders.end(),
                                       [&](const TPayTender& aTender) { return aTender.kind == *kind; });
        if (!twice) tenders.push_back({*kind, entry.Code, entry.Name});
    }
    return tenders;
}

TPayKind KindOfField(TPayField aField)
{
    using F = TPayField;
    switch (aField) {
    case F::CardAmt: case F::CardNo: case F::CardValidThru: case F::CardHalbuMonth: case F::CardAgreeNo:
        return TPayKind::Card;
    case F::EasyCheckAmt: case F::EasyCheckNo: case F::EasyCheckValidThru: case F::EasyCheckHalbuMonth:
        return TPayKind::EasyCheck;
    case F::RoomAmt: case F::RoomNo: return TPayKind::Room;
    case F::LockerAmt: case F::LockerNo: return TPayKind::Locker;
    case F::EventAmt: case F::EventNo: return TPayKind::Event;
    case F::GiftCardNo: case F::GiftCardCount: return TPayKind::GiftCard;
    case F::CreditAmt: case F::CreditMemberNo: return TPayKind::Credit;
    default: return TPayKind::Cash;
    }
}

TPayField AmountField(TPayKind aKind)
{
    switch (aKind) {
    case TPayKind::Cash: return TPayField::CashAmt;
    case TPayKind::Card: return TPayField::CardAmt;
    case TPayKind::EasyCheck: return TPayField::EasyCheckAmt;
    case TPayKind::Room: return TPayField::RoomAmt;
    case TPayKind::Locker: return TPayField::LockerAmt;
    case TPayKind::Event: return TPayField::EventAmt;
    case TPayKind::GiftCard: return TPayField::GiftCardNo;
    case TPayKind::Credit: return TPayField::CreditAmt;
    }
    return TPayField::None;
}

TPayField NumberField(TPayKind aKind)
{
    switch (aKind) {
    case TPayKind::Cash: return TPayField::CashNo;
    case TPayKind::Card: return TPayField::CardNo;
    case TPayKind::EasyCheck: return TPayField::EasyCheckNo;
    case TPayKind::Room: return TPayField::RoomNo;
    case TPayKind::Locker: return TPayField::LockerNo;
    case TPayKind::Event: return TPayField::EventNo;
    case TPayKind::GiftCard: return TPayField::GiftCardNo;
    case TPayKind::Credit: return TPayField::CreditMemberNo;
    }
    return TPayField::None;
}

// ---------------------------------------------------------------- the lists

namespace {

using A = TPayColumn::Align;

const std::vector<TPayColumn> kCashColumns{
    {"구분", 45, A::Center}, {"식별번호", 143, A::Left}, {"승인번호", 65, A::Center},
    {"승인금액", 70, A::Right}, {"결제금액", 70, A::Right}};
const std::vector<TPayColumn> kCardColumns{
    {"카드번호", 120, A::Left}, {"유효기간", 60, A::Center}, {"할부기간", 63, A::Center},
    {"승인번호", 70, A::Center}, {"결제금액", 80, A::Right}};
const std::vector<TPayColumn> kRoomColumns{
    {"객실", 31, A::Center}, {"회원번호", 58, A::Center}, {"회원성명", 56, A::Left}, {"투숙객명", 56, A::Left},
    {"입실일자", 60, A::Center}, {"퇴실일자", 60, A::Center}, {"결제금액", 64, A::Right}};
const std::vector<TPayColumn> kLockerColumns{
    {"락카", 43, A::Center}, {"회원번호", 60, A::Center}, {"내장객명", 60, A::Center},
    {"내장시간", 60, A::Center}, {"경과시간", 86, A::Center}, {"결제금액", 80, A::Right}};
const std::vector<TPayColumn> kEventColumns{
    {"연회번호", 65, A::Center}, {"연 회 명", 65, A::Left}, {"단체번호", 65, A::Center},
    {"단 체 명", 65, A::Left}, {"비고", 73, A::Left}, {"결제금액", 55, A::Right}};
const std::vector<TPayColumn> kGiftCardColumns{
    {"상품권", 60, A::Center}, {"상품권명", 141, A::Left}, {"액면가", 70, A::Right},
    {"매수", 40, A::Right}, {"결제금액", 80, A::Right}};
const std::vector<TPayColumn> kCreditColumns{
    {"우대번호", 65, A::Center}, {"회원번호", 65, A::Left}, {"회원성명", 90, A::Left},
    {"비고", 93, A::Left}, {"결제금액", 80, A::Right}};

template <class T>
const T* lineAt(const std::vector<T>& aList, int aRow)
{
    return aRow >= 0 && aRow < static_cast<int>(aList.size()) ? &aList[static_cast<std::size_t>(aRow)] : nullptr;
}

// The identity as the list shows it: the masked number of "kind : number"
// (the kind would not leave room for it).
std::string identityNumber(const std::string& aCardName)
{
    const std::size_t colon = aCardName.find(" : ");
    return colon == std::string::npos ? aCardName : aCardName.substr(colon + 3);
}

Variant cashItem(const TPayCashList& l, int c)
{
    switch (c) {
    case 0: return l.ManYNName;
    case 1: return identityNumber(l.CardName);
    case 2: return l.AgreeNo;
    case 3: return l.AgreeAmt;
    case 4: return l.Amt;
    default: return {};
    }
}

Variant cardItem(const TPayCardList& l, int c)
{
    switch (c) {
    case 0: return MaskForLog(l.CardNo);
    case 1: return l.VaildThru;
    case 2: return l.HalbuMonth;
    case 3: return l.AgreeNo;
    case 4: return l.Amt;
    default: return {};
    }
}

Variant roomItem(const TPayRoomList& l, int c)
{
    const Variant items[] = {l.RoomNo, l.MemberNo, l.MemberName, l.ComeName, l.CheckIn, l.CheckOut, l.Amt};
    return c >= 0 && c < 7 ? items[c] : Variant();
}

Variant lockerItem(const TPayLockerList& l, int c)
{
    const Variant items[] = {l.LockerNo, l.MemberNo, l.ComeName, l.ComeTime, l.PassTime, l.Amt};
    return c >= 0 && c < 6 ? items[c] : Variant();
}

Variant eventItem(const TPayEventList& l, int c)
{
    const Variant items[] = {l.EventNo, l.EventName, l.MemberNo, l.MemberName, l.Remark, l.Amt};
    return c >= 0 && c < 6 ? items[c] : Variant();
}

Variant giftCardItem(const TPayGiftCardList& l, int c)
{
    const Variant items[] = {l.GiftCardNo, l.GiftCardName, l.UnitAmt, l.Count, l.Amt};
    return c >= 0 && c < 5 ? items[c] : Variant();
}

Variant creditItem(const TPayCreditList& l, int c)
{
    const Variant items[] = {l.MemberNo, l.CustNo, l.CustName, l.Remark, l.Amt};
    return c >= 0 && c < 5 ? items[c] : Variant();
}

template <class T, class F>
Variant itemOf(const std::vector<T>& aList, int aRow, int aColumn, F aItem)
{
    const T* line = lineAt(aList, aRow);
    return line != nullptr ? aItem(*line, aColumn) : Variant();
}

template <class T>
Currency sumOf(const std::vector<T>& aList)
{
    Currency sum;
    for (const T& line : aList) sum += line.Amt;
    return sum;
}

}  // namespace

const std::vector<TPayColumn>& PayColumns(TPayKind aKind)
{
    switch (aKind) {
    case TPayKind::Cash: return kCashColumns;
    case TPayKind::Card:
    case TPayKind::EasyCheck: return kCardColumns;
    case TPayKind::Room: return kRoomColumns;
    case TPayKind::Locker: return kLockerColumns;
    case TPayKind::Event: return kEventColumns;
    case TPayKind::GiftCard: return kGiftCardColumns;
    case TPayKind::Credit: return kCreditColumns;
    }
    return kCashColumns;
}

int PaySumColumn(TPayKind aKind) { return static_cast<int>(PayColumns(aKind).size()) - 1; }

int PayLineCount(const TPayLines& aLines, TPayKind aKind)
{
    switch (aKind) {
    case TPayKind::Cash: return static_cast<int>(aLines.cash.size());
    case TPayKind::Card: return static_cast<int>(aLines.card.size());
    case TPayKind::EasyCheck: return static_cast<int>(aLines.easyCheck.size());
    case TPayKind::Room: return static_cast<int>(aLines.room.size());
    case TPayKind::Locker: return static_cast<int>(aLines.locker.size());
    case TPayKind::Event: return static_cast<int>(aLines.event.size());
    case TPayKind::GiftCard: return static_cast<int>(aLines.giftCard.size());
    case TPayKind::Credit: return static_cast<int>(aLines.credit.size());
    }
    return 0;
}

Variant PayListItem(const TPayLines& aLines, TPayKind aKind, int aRow, int aColumn)
{
    switch (aKind) {
    case TPayKind::Cash: return itemOf(aLines.cash, aRow, aColumn, cashItem);
    case TPayKind::Card: return itemOf(aLines.card, aRow, aColumn, cardItem);
    case TPayKind::EasyCheck: return itemOf(aLines.easyCheck, aRow, aColumn, cardItem);
    case TPayKind::Room: return itemOf(aLines.room, aRow, aColumn, roomItem);
    case TPayKind::Locker: return itemOf(aLines.locker, aRow, aColumn, lockerItem);
    case TPayKind::Event: return itemOf(aLines.event, aRow, aColumn, eventItem);
    case TPayKind::GiftCard: return itemOf(aLines.giftCard, aRow, aColumn, giftCardItem);
    case TPayKind::Credit: return itemOf(aLines.credit, aRow, aColumn, creditItem);
    }
    return {};
}

Currency PayListSum(const TPayLines& aLines, TPayKind aKind)
{
    switch (aKind) {
    case TPayKind::Cash: return sumOf(aLines.cash);
    case TPayKind::Card: return sumOf(aLines.card);
    case TPayKind::EasyCheck: return sumOf(aLines.easyCheck);
    case TPayKind::Room: return sumOf(aLines.room);
    case TPayKind::Locker: return sumOf(aLines.locker);
    case TPayKind::Event: return sumOf(aLines.event);
    case TPayKind::GiftCard: return sumOf(aLines.giftCard);
    case TPayKind::Credit: return sumOf(aLines.credit);
    }
    return {};
}

}  // namespace pos
