#pragma once
// Item tables of the master records: for every item of every record its name,
// its type, whether the mirror file writes it bare (unquoted, trimmed) and
// where it lives in the structure. One generic Set/Get pair built on these
// tables serves every list of the store and the mirror-file parser, so the
// text conversion is the same everywhere:
//
//   text    stored as given (an EtcDC item 5 or 6 set from empty text becomes
//           "N", item 7 "Z");
//   flag    true when the text is "Y"; SeriesTicket true when it is "2";
//   integer StringToInteger (blank or not a number gives 0);
//   amount  Currency::fromText (not a number gives 0).

#include "core/Currency.h"
#include "core/TextHelpers.h"
#include "core/Variant.h"
#include "store/MasterRecords.h"

#include <cstdint>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pos {

enum class TFieldType : std::uint8_t { Text, Flag, SeriesFlag, Integer, Amount };

template <class R>
struct TField {
    const char* Name;
    TFieldType Type;
    bool Bare;            // the mirror file writes the value unquoted and trimmed
    const char* EmptyAs;  // a text item set from empty text takes this value instead
    std::string R::*Text;
    bool R::*Flag;
    std::int64_t R::*Int;
    Currency R::*Amt;
};

template <class R>
constexpr TField<R> FText(const char* aName, std::string R::*aMember, bool aBare = false, const char* aEmptyAs = nullptr)
{
    return {aName, TFieldType::Text, aBare, aEmptyAs, aMember, nullptr, nullptr, nullptr};
}
template <class R>
constexpr TField<R> FFlag(const char* aName, bool R::*aMember)
{
    return {aName, TFieldType::Flag, false, nullptr, nullptr, aMember, nullptr, nullptr};
}
template <class R>
constexpr TField<R> FSeries(const char* aName, bool R::*aMember)
{
    return {aName, TFieldType::SeriesFlag, false, nullptr, nullptr, aMember, nullptr, nullptr};
}
template <class R>
constexpr TField<R> FInt(const char* aName, std::int64_t R::*aMember, bool aBare = false)
{
    return {aName, TFieldType::Integer, aBare, nullptr, nullptr, nullptr, aMember, nullptr};
}
template <class R>
constexpr TField<R> FAmt(const char* aName, Currency R::*aMember, bool aBare = false)
{
    return {aName, TFieldType::Amount, aBare, nullptr, nullptr, nullptr, nullptr, aMember};
}

// TRecordFields<R>::kFields: the item table of record R; kName its list name.
template <class R>
struct TRecordFields;

template <>
struct TRecordFields<TCashierData> {
    using R = TCashierData;
    static constexpr const char* kName = "Cashier";
    static constexpr TField<R> kFields[] = {
        FText<R>("CashierNo", &R::CashierNo),
        FText<R>("CashierName", &R::CashierName),
        FText<R>("Password", &R::Password),
        FText<R>("LastLoginDate", &R::LastLoginDate),
        FInt<R>("RemainDay", &R::RemainDay, true),
        FFlag<R>("AdminYN", &R::AdminYN),
    };
    static_assert(std::size(kFields) == CashierItem::Count);
};

template <>
struct TRecordFields<TCommonData> {
    using R = TCommonData;
    static constexpr const char* kName = "Common";
    static constexpr TField<R> kFields[] = {
        FText<R>("Head", &R::Head),
        FText<R>("Code", &R::Code),
        FText<R>("CodeName", &R::CodeName),
        FText<R>("Item1", &R::Item1),
        FText<R>("Item2", &R::Item2),
        FText<R>("Item3", &R::Item3),
        FText<R>("Item4", &R::Item4),
        FText<R>("Item5", &R::Item5),
        FText<R>("Item6", &R::Item6),
        FText<R>("Item7", &R::Item7),
        FText<R>("Item8", &R::Item8),
        FText<R>("Item9", &R::Item9),
        FText<R>("Item10", &R::Item10),
        FText<R>("Item11", &R::Item11),
        FText<R>("Item12", &R::Item12),
        FText<R>("Item13", &R::Item13),
        FText<R>("Item14", &R::Item14),
        FText<R>("Item15", &R::Item15),
    };
    static_assert(std::size(kFields) == CommonItem::Count);
};

template <>
struct TRecordFields<TUpjangData> {
    using R = TUpjangData;
    static constexpr const char* kName = "Upjang";
    static constexpr TField<R> kFields[] = {
        FText<R>("UpjangCode", &R::UpjangCode),
        FText<R>("PosNo", &R::PosNo),
        FText<R>("UpjangName", &R::UpjangName),
        FText<R>("UpjangEngName", &R::UpjangEngName),
        FText<R>("UpjangType", &R::UpjangType),
        FText<R>("SodGubunCode", &R::SodGubunCode),
        FText<R>("FirstFormCode", &R::FirstFormCode),
        FFlag<R>("TicketPrtYN", &R::TicketPrtYN),
        FFlag<R>("GroupTicketYN", &R::GroupTicketYN),
        FFlag<R>("CancelYN", &R::CancelYN),
        FFlag<R>("CancelSaveYN", &R::CancelSaveYN),
        FFlag<R>("CloseYN", &R::CloseYN),
        FFlag<R>("OffLineYN", &R::OffLineYN),
        FFlag<R>("MidifySaveYN", &R::MidifySaveYN),
        FFlag<R>("VoidYN", &R::VoidYN),
        FFlag<R>("ReturnYN", &R::ReturnYN),
        FFlag<R>("OrderRestoreYN", &R::OrderRestoreYN),
        FFlag<R>("WaitYN", &R::WaitYN),
        FFlag<R>("MemberImgYN", &R::MemberImgYN),
        FFlag<R>("PreSaleYN", &R::PreSaleYN),
        FFlag<R>("GuestCountYN", &R::GuestCountYN),
        FFlag<R>("DirectSelectYN", &R::DirectSelectYN),
        FText<R>("CardTID", &R::CardTID),
        FText<R>("ReceiptRemark1", &R::ReceiptRemark1),
        FText<R>("ReceiptRemark2", &R::ReceiptRemark2),
        FFlag<R>("KeyInYN", &R::KeyInYN),
        FFlag<R>("MasterKeyYN", &R::MasterKeyYN),
        FFlag<R>("VoidPriceChangeYN", &R::VoidPriceChangeYN),
        FFlag<R>("SeasonCodeYN", &R::SeasonCodeYN),
        FFlag<R>("BusinessGubunYN", &R::BusinessGubunYN),
        FFlag<R>("SpecialMemberSaleYN", &R::SpecialMemberSaleYN),
    };
    static_assert(std::size(kFields) == UpjangItem::Count);
};

template <>
struct TRecordFields<TGoodsData> {
    using R = TGoodsData;
    static constexpr const char* kName = "Goods";
    static constexpr TField<R> kFields[] = {
        FText<R>("UpjangCode", &R::UpjangCode),
        FText<R>("MenuCode", &R::MenuCode),
        FText<R>("SeasonCode", &R::SeasonCode),
        FText<R>("BusinessGubun", &R::BusinessGubun),
        FText<R>("MenuName", &R::MenuName),
        FText<R>("MenuEngName", &R::MenuEngName),
        FText<R>("MenuGubun", &R::MenuGubun),
        FFlag<R>("TaxYN", &R::TaxYN),
        FText<R>("TaxCalcuCode", &R::TaxCalcuCode),
        FAmt<R>("SaleUnitAmt", &R::SaleUnitAmt),
        FText<R>("TicketKind", &R::TicketKind),
        FText<R>("DaesoCode", &R::DaesoCode),
        FText<R>("DispTimeFrom", &R::DispTimeFrom),
        FText<R>("DispTimeTo", &R::DispTimeTo),
        FFlag<R>("DCYN", &R::DCYN),
        FText<R>("DCCalcuCode", &R::DCCalcuCode),
        FFlag<R>("OpenCodeYN", &R::OpenCodeYN),
        FFlag<R>("KitchenPrtYN", &R::KitchenPrtYN),
        FText<R>("TicketType", &R::TicketType),
        FText<R>("CookMethod", &R::CookMethod),
        FText<R>("SetMenu1", &R::SetMenu1),
        FText<R>("SetMenu2", &R::SetMenu2),
        FText<R>("SetMenu3", &R::SetMenu3),
        FText<R>("SetMenu4", &R::SetMenu4),
        FText<R>("SetMenu5", &R::SetMenu5),
        FText<R>("TypeCode1", &R::TypeCode1),
        FText<R>("TypeCode2", &R::TypeCode2),
        FText<R>("TypeCode3", &R::TypeCode3),
    };
    static_assert(std::size(kFields) == GoodsItem::Count);
};

template <>
struct TRecordFields<TMenuGroupData> {
    using R = TMenuGroupData;
    static constexpr const char* kName = "MenuGroup";
    static constexpr TField<R> kFields[] = {
        FText<R>("UpjangCode", &R::UpjangCode),
        FText<R>("MenuGroupNo", &R::MenuGroupNo),
        FText<R>("MenuGroupName", &R::MenuGroupName),
    };
    static_assert(std::size(kFields) == MenuGroupItem::Count);
};

template <>
struct TRecordFields<TMenuSubGroupData> {
    using R = TMenuSubGroupData;
    static constexpr const char* kName = "MenuSubGroup";
    static constexpr TField<R> kFields[] = {
        FText<R>("UpjangCode", &R::UpjangCode),
        FText<R>("MenuGroupNo", &R::MenuGroupNo),
        FText<R>("MenuSubGroupNo", &R::MenuSubGroupNo),
        FText<R>("MenuSubGroupName", &R::MenuSubGroupName),
    };
    static_assert(std::size(kFields) == MenuSubGroupItem::Count);
};

template <>
struct TRecordFields<TMenuData> {
    using R = TMenuData;
    static constexpr const char* kName = "Menu";
    static constexpr TField<R> kFields[] = {
        FText<R>("UpjangCode", &R::UpjangCode),
        FText<R>("MenuGroupNo", &R::MenuGroupNo),
        FInt<R>("MenuNo", &R::MenuNo, true),
        FText<R>("MenuCode", &R::MenuCode),
        FText<R>("SeasonCode", &R::SeasonCode),
        FText<R>("BusinessGubun", &R::BusinessGubun),
        FText<R>("MenuName", &R::MenuName),
        FAmt<R>("SaleUnitAmt", &R::SaleUnitAmt, true),
        FText<R>("DispTimeFrom", &R::DispTimeFrom),
        FText<R>("DispTimeTo", &R::DispTimeTo),
        FSeries<R>("SeriesTicket", &R::SeriesTicket),
        FText<R>("DaesoCode", &R::DaesoCode),
        FText<R>("TypeCode1", &R::TypeCode1),
        FText<R>("TypeCode2", &R::TypeCode2),
        FText<R>("TypeCode3", &R::TypeCode3),
    };
    static_assert(std::size(kFields) == MenuItem::Count);
};

template <>
struct TRecordFields<TCalendarData> {
    using R = TCalendarData;
    static constexpr const char* kName = "Calendar";
    static constexpr TField<R> kFields[] = {
        FText<R>("Date", &R::Date),
        FText<R>("SeasonCode", &R::SeasonCode),
        FText<R>("BusinessGubun", &R::BusinessGubun),
        FText<R>("SecretCode", &R::SecretCode),
    };
    static_assert(std::size(kFields) == CalendarItem::Count);
};

template <>
struct TRecordFields<TDCData> {
    using R = TDCData;
    static constexpr const char* kName = "DC";
    static constexpr TField<R> kFields[] = {
        FText<R>("GuestType", &R::GuestType),
        FText<R>("UpjangCode", &R::UpjangCode),
        FText<R>("SeasonCode", &R::SeasonCode),
        FText<R>("BusinessGubun", &R::BusinessGubun),
        FInt<R>("DCRate", &R::DCRate, true),
        FInt<R>("OnceUseQty", &R::OnceUseQty, true),
        FInt<R>("DailyUseQty", &R::DailyUseQty, true),
    };
    static_assert(std::size(kFields) == DCItem::Count);
};

template <>
struct TRecordFields<TEtcDCData> {
    using R = TEtcDCData;
    static constexpr const char* kName = "EtcDC";
    static constexpr TField<R> kFields[] = {
        FText<R>("MultiUpjangCode", &R::MultiUpjangCode),
        FText<R>("MemberNo", &R::MemberNo),
        FText<R>("MemberName", &R::MemberName),
        FText<R>("MemberAddNoTitle", &R::MemberAddNoTitle),
        FInt<R>("MemberAddNoLength", &R::MemberAddNoLength, true),
        FText<R>("MemberAddNoIDNoYN", &R::MemberAddNoIDNoYN, false, "N"),
        FText<R>("QtyAcceptYN", &R::QtyAcceptYN, false, "N"),
        FText<R>("GenderCode", &R::GenderCode, false, "Z"),
        FText<R>("MemberCode", &R::MemberCode),
        FText<R>("GuestType", &R::GuestType),
        FInt<R>("DCRate", &R::DCRate, true),
        FInt<R>("OnceUseQty", &R::OnceUseQty, true),
        FInt<R>("DailyUseQty", &R::DailyUseQty, true),
        FInt<R>("LimitAge", &R::LimitAge, true),
        FText<R>("CardCompanyCode", &R::CardCompanyCode),
        FInt<R>("SoDCRate", &R::SoDCRate, true),
    };
    static_assert(std::size(kFields) == EtcDCItem::Count);
};

template <>
struct TRecordFields<TDCMemberData> {
    using R = TDCMemberData;
    static constexpr const char* kName = "DCMember";
    static constexpr TField<R> kFields[] = {
        FText<R>("MultiUpjangCode", &R::MultiUpjangCode),
        FText<R>("AcceptMemberNo", &R::AcceptMemberNo),
        FInt<R>("Seq", &R::Seq),
        FText<R>("MemberNo", &R::MemberNo),
        FText<R>("MemberAddNo", &R::MemberAddNo),
        FText<R>("IDNo", &R::IDNo),
        FText<R>("MemberName", &R::MemberName),
        FText<R>("MemberCode", &R::MemberCode),
        FText<R>("GuestType", &R::GuestType),
        FText<R>("DaesoGubun", &R::DaesoGubun),
        FInt<R>("DCRate", &R::DCRate),
        FInt<R>("OnceUseCount", &R::OnceUseCount),
        FInt<R>("DailyUseCount", &R::DailyUseCount),
        FInt<R>("YearlyUseCount", &R::YearlyUseCount),
        FText<R>("Remark", &R::Remark),
        FFlag<R>("KeyInYN", &R::KeyInYN),
        FFlag<R>("DCYN", &R::DCYN),
        FFlag<R>("MasterMemberYN", &R::MasterMemberYN),
    };
    static_assert(std::size(kFields) == DCMemberItem::Count);
};

template <>
struct TRecordFields<TDCMenuData> {
    using R = TDCMenuData;
    static constexpr const char* kName = "DCMenu";
    static constexpr TField<R> kFields[] = {
        FText<R>("MultiUpjangCode", &R::MultiUpjangCode),
        FText<R>("AcceptMemberNo", &R::AcceptMemberNo),
        FInt<R>("Seq", &R::Seq),
        FText<R>("MenuCode", &R::MenuCode),
        FText<R>("SeasonCode", &R::SeasonCode),
        FText<R>("BusinessGubun", &R::BusinessGubun),
        FText<R>("MemberNo", &R::MemberNo),
        FText<R>("MemberAddNo", &R::MemberAddNo),
        FText<R>("IDNo", &R::IDNo),
        FText<R>("MemberName", &R::MemberName),
        FText<R>("MemberCode", &R::MemberCode),
        FText<R>("GuestType", &R::GuestType),
        FText<R>("DaesoGubun", &R::DaesoGubun),
        FAmt<R>("DCAmt", &R::DCAmt),
        FInt<R>("OnceUseCount", &R::OnceUseCount),
        FInt<R>("DailyUseCount", &R::DailyUseCount),
        FFlag<R>("KeyInYN", &R::KeyInYN),
    };
    static_assert(std::size(kFields) == DCMenuItem::Count);
};

template <>
struct TRecordFields<TWaitData> {
    using R = TWaitData;
    static constexpr const char* kName = "Wait";
    static constexpr TField<R> kFields[] = {
        FInt<R>("WaitNo", &R::WaitNo),
        FText<R>("Time", &R::Time),
        FAmt<R>("Amt", &R::Amt),
        FText<R>("List", &R::List),
        FText<R>("Footer", &R::Footer),
        FInt<R>("SaleGubun", &R::SaleGubun),
        FInt<R>("KoreanQty", &R::KoreanQty),
        FInt<R>("ForeignQty", &R::ForeignQty),
        FText<R>("LockerNo", &R::LockerNo),
        FFlag<R>("OrderYN", &R::OrderYN),
    };
    static_assert(std::size(kFields) == WaitItem::Count);
};

template <>
struct TRecordFields<TWaitListData> {
    using R = TWaitListData;
    static constexpr const char* kName = "WaitList";
    static constexpr TField<R> kFields[] = {
        FInt<R>("WaitNo", &R::WaitNo),
        FText<R>("UpjangCode", &R::UpjangCode),
        FText<R>("PosNo", &R::PosNo),
        FText<R>("MenuCode", &R::MenuCode),
        FText<R>("SeasonCode", &R::SeasonCode),
        FText<R>("BusinessGubun", &R::BusinessGubun),
        FInt<R>("SaleCount", &R::SaleCount),
        FFlag<R>("ModifyYN", &R::ModifyYN),
        FAmt<R>("UnitAmt", &R::UnitAmt),
        FInt<R>("CorrectAmt", &R::CorrectAmt),
        FFlag<R>("CaddyYN", &R::CaddyYN),
    };
    static_assert(std::size(kFields) == WaitListItem::Count);
};

template <>
struct TRecordFields<TWaitDCMemberData> {
    using R = TWaitDCMemberData;
    static constexpr const char* kName = "WaitDCMember";
    static constexpr TField<R> kFields[] = {
        FInt<R>("WaitNo", &R::WaitNo),
        FText<R>("MultiUpjangCode", &R::MultiUpjangCode),
        FText<R>("AcceptMemberNo", &R::AcceptMemberNo),
        FInt<R>("Seq", &R::Seq),
        FText<R>("MemberNo", &R::MemberNo),
        FText<R>("MemberAddNo", &R::MemberAddNo),
        FText<R>("IDNo", &R::IDNo),
        FText<R>("MemberName", &R::MemberName),
        FText<R>("MemberCode", &R::MemberCode),
        FText<R>("GuestType", &R::GuestType),
        FText<R>("DaesoGubun", &R::DaesoGubun),
        FInt<R>("DCRate", &R::DCRate),
        FInt<R>("OnceUseCount", &R::OnceUseCount),
        FInt<R>("DailyUseCount", &R::DailyUseCount),
        FInt<R>("YearlyUseCount", &R::YearlyUseCount),
        FText<R>("Remark", &R::Remark),
        FFlag<R>("KeyInYN", &R::KeyInYN),
        FFlag<R>("DCYN", &R::DCYN),
        FFlag<R>("MasterMemberYN", &R::MasterMemberYN),
    };
    static_assert(std::size(kFields) == WaitDCMemberItem::Count);
};

template <>
struct TRecordFields<TWaitDCMenuData> {
    using R = TWaitDCMenuData;
    static constexpr const char* kName = "WaitDCMenu";
    static constexpr TField<R> kFields[] = {
        FInt<R>("WaitNo", &R::WaitNo),
        FText<R>("MultiUpjangCode", &R::MultiUpjangCode),
        FText<R>("AcceptMemberNo", &R::AcceptMemberNo),
        FInt<R>("Seq", &R::Seq),
        FText<R>("MenuCode", &R::MenuCode),
        FText<R>("SeasonCode", &R::SeasonCode),
        FText<R>("BusinessGubun", &R::BusinessGubun),
        FText<R>("MemberNo", &R::MemberNo),
        FText<R>("MemberAddNo", &R::MemberAddNo),
        FText<R>("IDNo", &R::IDNo),
        FText<R>("MemberName", &R::MemberName),
        FText<R>("MemberCode", &R::MemberCode),
        FText<R>("GuestType", &R::GuestType),
        FText<R>("DaesoGubun", &R::DaesoGubun),
        FAmt<R>("DCAmt", &R::DCAmt),
        FInt<R>("OnceUseCount", &R::OnceUseCount),
        FInt<R>("DailyUseCount", &R::DailyUseCount),
        FFlag<R>("KeyInYN", &R::KeyInYN),
    };
    static_assert(std::size(kFields) == WaitDCMenuItem::Count);
};

template <class R>
constexpr std::span<const TField<R>> FieldsOf()
{
    return TRecordFields<R>::kFields;
}
template <class R>
constexpr int FieldCountOf()
{
    return static_cast<int>(std::size(TRecordFields<R>::kFields));
}

// Stores text into item aItem, converted as described above. An item number
// outside the record is ignored (false).
template <class R>
bool SetFieldText(R& aRecord, int aItem, std::string_view aText)
{
    if (aItem < 0 || aItem >= FieldCountOf<R>()) return false;
    const TField<R>& f = TRecordFields<R>::kFields[aItem];
    switch (f.Type) {
    case TFieldType::Text:
        if (aText.empty() && f.EmptyAs) aRecord.*f.Text = f.EmptyAs;
        else (aRecord.*f.Text).assign(aText.data(), aText.size());
        break;
    case TFieldType::Flag: aRecord.*f.Flag = aText == "Y"; break;
    case TFieldType::SeriesFlag: aRecord.*f.Flag = aText == "2"; break;
    case TFieldType::Integer: aRecord.*f.Int = StringToInteger(aText); break;
    case TFieldType::Amount: aRecord.*f.Amt = Currency::fromText(aText); break;
    }
    return true;
}

// As SetFieldText, taking the text's buffer when the item is text.
template <class R>
bool SetFieldText(R& aRecord, int aItem, std::string&& aText)
{
    if (aItem < 0 || aItem >= FieldCountOf<R>()) return false;
    const TField<R>& f = TRecordFields<R>::kFields[aItem];
    if (f.Type == TFieldType::Text && !(aText.empty() && f.EmptyAs)) {
        aRecord.*f.Text = std::move(aText);
        return true;
    }
    return SetFieldText(aRecord, aItem, std::string_view(aText));
}

// Copies item aItem from aFrom (used to put an item back to its default
// while keeping the string's buffer).
template <class R>
void CopyField(R& aTo, const R& aFrom, int aItem)
{
    if (aItem < 0 || aItem >= FieldCountOf<R>()) return;
    const TField<R>& f = TRecordFields<R>::kFields[aItem];
    switch (f.Type) {
    case TFieldType::Text: aTo.*f.Text = aFrom.*f.Text; break;
    case TFieldType::Flag:
    case TFieldType::SeriesFlag: aTo.*f.Flag = aFrom.*f.Flag; break;
    case TFieldType::Integer: aTo.*f.Int = aFrom.*f.Int; break;
    case TFieldType::Amount: aTo.*f.Amt = aFrom.*f.Amt; break;
    }
}

// Stores a variant: a text variant converts as text; otherwise a text item
// takes asText(), a flag asFlag(), an integer asInteger(), an amount asAmount().
template <class R>
bool SetFieldValue(R& aRecord, int aItem, const Variant& aValue)
{
    if (aItem < 0 || aItem >= FieldCountOf<R>()) return false;
    if (aValue.isText() || aValue.isEmpty()) return SetFieldText(aRecord, aItem, std::string_view(aValue.asText()));
    const TField<R>& f = TRecordFields<R>::kFields[aItem];
    switch (f.Type) {
    case TFieldType::Text: aRecord.*f.Text = aValue.asText(); break;
    case TFieldType::Flag:
    case TFieldType::SeriesFlag: aRecord.*f.Flag = aValue.asFlag(); break;
    case TFieldType::Integer: aRecord.*f.Int = aValue.asInteger(); break;
    case TFieldType::Amount: aRecord.*f.Amt = aValue.asAmount(); break;
    }
    return true;
}

// Item aItem as a variant of its type; empty for an item outside the record.
template <class R>
Variant GetFieldValue(const R& aRecord, int aItem)
{
    if (aItem < 0 || aItem >= FieldCountOf<R>()) return {};
    const TField<R>& f = TRecordFields<R>::kFields[aItem];
    switch (f.Type) {
    case TFieldType::Text: return Variant(aRecord.*f.Text);
    case TFieldType::Flag:
    case TFieldType::SeriesFlag: return Variant(aRecord.*f.Flag);
    case TFieldType::Integer: return Variant(aRecord.*f.Int);
    case TFieldType::Amount: return Variant(aRecord.*f.Amt);
    }
    return {};
}

// Item aItem as the server would deliver it (the inverse of SetFieldText):
// text as is, flags "Y"/"N" (SeriesTicket "2"/"1"), integers and amounts as
// plain decimal text.
template <class R>
std::string FieldServerText(const R& aRecord, int aItem)
{
    if (aItem < 0 || aItem >= FieldCountOf<R>()) return {};
    const TField<R>& f = TRecordFields<R>::kFields[aItem];
    switch (f.Type) {
    case TFieldType::Text: return aRecord.*f.Text;
    case TFieldType::Flag: return aRecord.*f.Flag ? "Y" : "N";
    case TFieldType::SeriesFlag: return aRecord.*f.Flag ? "2" : "1";
    case TFieldType::Integer: return std::to_string(aRecord.*f.Int);
    case TFieldType::Amount: return (aRecord.*f.Amt).toText();
    }
    return {};
}

// The whole record as a server row (FieldServerText of every item).
template <class R>
std::vector<std::string> RecordToServerRow(const R& aRecord)
{
    std::vector<std::string> row;
    row.reserve(FieldCountOf<R>());
    for (int i = 0; i < FieldCountOf<R>(); ++i) row.push_back(FieldServerText(aRecord, i));
    return row;
}

}  // namespace pos
