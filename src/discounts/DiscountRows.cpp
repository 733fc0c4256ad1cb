#include "discounts/DiscountRows.h"

#include "core/TerminalContext.h"
#include "core/TextHelpers.h"
#include "store/MasterStore.h"

#include <algorithm>

namespace pos {
namespace {

constexpr std::int64_t kMaxQuantity = 9999;

bool todaysRate(const TTerminalContext& aContext, const TMasterStore& aStore, const TDCData& aRate,
                const TUpjangData& aOutlet)
{
    if (aRate.UpjangCode != aOutlet.UpjangCode) return false;
    if (aOutlet.SeasonCodeYN && aRate.SeasonCode != aStore.GetSeasonCode(aContext.gsSaleDate, aOutlet.UpjangCode))
        return false;
    return !aOutlet.BusinessGubunYN ||
           aRate.BusinessGubun == aStore.GetBusinessGubun(aContext.gsSaleDate, aOutlet.UpjangCode);
}

TDCMemberData acceptedRow(const std::string& aUpjangCode, const std::string& aMemberNo, std::int64_t aRate)
{
    TDCMemberData row;
    row.MultiUpjangCode = aUpjangCode;
    row.AcceptMemberNo = aMemberNo;
    row.MemberNo = aMemberNo;
    row.Seq = 1;
    row.DCRate = aRate;
    row.YearlyUseCount = -1;
    row.DCYN = true;
    return row;
}

}  // namespace

std::vector<TDCMemberData> OffLineGuestTypeDiscounts(const TTerminalContext& aContext, const TMasterStore& aStore,
                                                     const TOffLineCard& aCard)
{
    std::vector<TDCMemberData> rows;
    for (const TDCData& rate : aStore.glDCData) {
        if (rate.GuestType != aCard.guestType || rate.DCRate < 1) continue;
        const auto outlet = std::find_if(aStore.glUpjangData.begin(), aStore.glUpjangData.end(),
                                         [&](const TUpjangData& o) { return todaysRate(aContext, aStore, rate, o); });
        if (outlet == aStore.glUpjangData.end()) continue;
        TDCMemberData row = acceptedRow(outlet->UpjangCode, aCard.memberNo, rate.DCRate);
        row.MemberAddNo = aCard.memberAddNo;
        row.MemberName = "Off Line";
        row.GuestType = aCard.guestType;
        row.DaesoGubun = aContext.gsDaesoCodeAll;
        row.OnceUseCount = rate.OnceUseQty;
        row.DailyUseCount = rate.DailyUseQty;
        row.KeyInYN = aCard.keyIn;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::int64_t MasterNumberRate(std::string_view aMasterNo)
{
    if (aMasterNo.size() < 10) return 0;
    const std::string_view digits = aMasterNo.substr(8, 2);
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) return 0;
    const std::int64_t rate = (digits[0] - '0') * 10 + (digits[1] - '0');
    return rate == 0 ? 100 : rate;
}

std::vector<TDCMemberData> MasterNumberDiscounts(const TTerminalContext& aContext, const TMasterStore& aStore,
                                                 std::string_view aMasterNo, std::int64_t aQuantity, bool aKeyIn)
{
    const std::string key(aMasterNo.substr(0, 8));
    const std::string name = aStore.GetCommonData(aContext.gsCommonMasterKey, key, CommonItem::CodeName);
    if (name.empty()) return {};
    const std::string memberCode = aStore.GetCommonData(aContext.gsCommonMasterKey, key, CommonItem::Item1);
    const std::string guestType = aStore.GetCommonData(aContext.gsCommonMasterKey, key, CommonItem::Item2);
    const std::string remark = aStore.GetCommonData(aContext.gsCommonGuestType, guestType, CommonItem::CodeName);
    const std::int64_t rate = MasterNumberRate(aMasterNo);
    std::vector<TDCMemberData> rows;
    for (const TUpjangData& outlet : aStore.glUpjangData) {
        TDCMemberData row = acceptedRow(outlet.UpjangCode, key + "00", rate);
        row.MemberName = name;
        row.MemberCode = memberCode;
        row.GuestType = guestType;
        row.DaesoGubun = aContext.gsDaesoCodeAll;
        row.OnceUseCount = -1;
        row.DailyUseCount = aQuantity;
        row.Remark = remark;
        row.KeyInYN = aKeyIn;
        row.MasterMemberYN = true;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::int64_t AcceptedUseQuantity(std::string_view aText)
{
    return std::clamp<std::int64_t>(StringToInteger(aText), 0, kMaxQuantity);
}

void ApplySchemeUseLimits(TDCMemberData& aRow, std::int64_t aOnceUseQty, std::int64_t aDailyUseQty,
                          std::optional<std::int64_t> aUsedToday)
{
    std::int64_t daily = aDailyUseQty;
    if (daily >= 0) daily = std::max<std::int64_t>(0, daily - aUsedToday.value_or(0));
    if (aOnceUseQty >= 0 && (daily < 0 || aOnceUseQty < daily)) daily = aOnceUseQty;
    aRow.DailyUseCount = daily;
}

}  // namespace pos
