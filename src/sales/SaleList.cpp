#include "sales/SaleList.h"

#include <variant>

namespace pos {
namespace {

using Field = std::variant<std::string TSaleList::*, Currency TSaleList::*, std::int64_t TSaleList::*, bool TSaleList::*>;

// Column number -> field. Kept beside the struct so that a new field is added
// in one place and in order.
const Field kColumns[SaleCol::Count] = {
    &TSaleList::MenuCode, &TSaleList::MenuName, &TSaleList::SaleCount, &TSaleList::DCRate, &TSaleList::SaleAmt,
    &TSaleList::AcceptMemberNo, &TSaleList::MemberName, &TSaleList::MemberCodeName, &TSaleList::SaleUnitAmt,
    &TSaleList::ModifyYN, &TSaleList::UpjangCode, &TSaleList::PosNo, &TSaleList::SaleGubun, &TSaleList::SeasonCode,
    &TSaleList::BusinessGubun, &TSaleList::MenuEngName, &TSaleList::TaxYN, &TSaleList::TaxCalcuCode,
    &TSaleList::DCAmt, &TSaleList::KoreanQty, &TSaleList::ForeignQty, &TSaleList::TicketKind,
    &TSaleList::MemberCode, &TSaleList::GuestType, &TSaleList::MemberNo, &TSaleList::MemberAddNo,
    &TSaleList::KeyInYN, &TSaleList::CookMethod, &TSaleList::SetMenu1, &TSaleList::SetMenu2, &TSaleList::SetMenu3,
    &TSaleList::SetMenu4, &TSaleList::SetMenu5, &TSaleList::SeriesTicketCode, &TSaleList::SeriesTicketName,
    &TSaleList::OldSaleCount, &TSaleList::KitchenPrtYN, &TSaleList::DaesoCode, &TSaleList::TicketType,
    &TSaleList::DCYN, &TSaleList::DCCalcuCode, &TSaleList::DCRemarks, &TSaleList::Order, &TSaleList::MenuGubunCode,
    &TSaleList::CorrectAmt, &TSaleList::CaddyYN,
};

bool flagFrom(const Variant& v)
{
    if (v.isText()) return v.asText() == "Y" || v.asText() == "True" || v.asText() == "1";
    return v.asFlag();
}

}  // namespace

void TSaleList::ClearDiscount()
{
    DCRate = 0;
    DCAmt = Currency();
    KoreanQty = 0;
    ForeignQty = 0;
    AcceptMemberNo.clear();
    MemberName.clear();
    MemberCodeName.clear();
    MemberCode.clear();
    GuestType.clear();
    MemberNo.clear();
    MemberAddNo.clear();
    DCRemarks.clear();
}

Variant GetSaleColumn(const TSaleList& aLine, int aColumn)
{
    if (aColumn < 0 || aColumn >= SaleCol::Count) return {};
    return std::visit([&](auto member) { return Variant(aLine.*member); }, kColumns[aColumn]);
}

bool SetSaleColumn(TSaleList& aLine, int aColumn, const Variant& aValue)
{
    if (aColumn < 0 || aColumn >= SaleCol::Count) return false;
    std::visit(
        [&](auto member) {
            using T = std::remove_reference_t<decltype(aLine.*member)>;
            if constexpr (std::is_same_v<T, std::string>) aLine.*member = aValue.asText();
            else if constexpr (std::is_same_v<T, Currency>) aLine.*member = aValue.asAmount();
            else if constexpr (std::is_same_v<T, std::int64_t>) aLine.*member = aValue.asInteger();
            else aLine.*member = flagFrom(aValue);
        },
        kColumns[aColumn]);
    return true;
}

bool IsKeySaleColumn(int aColumn)
{
    return aColumn == SaleCol::MenuCode || aColumn == SaleCol::UpjangCode || aColumn == SaleCol::PosNo ||
           aColumn == SaleCol::SaleGubun || aColumn == SaleCol::SeasonCode || aColumn == SaleCol::BusinessGubun;
}

std::vector<Variant> SaleColumns(const TSaleList& aLine)
{
    std::vector<Variant> out;
    out.reserve(SaleCol::Count);
    for (int c = 0; c < SaleCol::Count; ++c) out.push_back(GetSaleColumn(aLine, c));
    return out;
}

}  // namespace pos
