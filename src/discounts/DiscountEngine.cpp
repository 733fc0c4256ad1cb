#include "discounts/DiscountEngine.h"

#include "core/TerminalContext.h"
#include "sales/SaleLines.h"
#include "store/MasterStore.h"

#include <algorithm>
#include <tuple>

namespace pos {
namespace {

template <class R>
TDCMember memberOf(const R& aRow)
{
    TDCMember member;
    member.AcceptMemberNo = aRow.AcceptMemberNo;
    member.MemberNo = aRow.MemberNo;
    member.MemberAddNo = aRow.MemberAddNo;
    member.MemberName = aRow.MemberName;
    member.MemberCode = aRow.MemberCode;
    member.GuestType = aRow.GuestType;
    member.KeyInYN = aRow.KeyInYN;
    return member;
}

}  // namespace

TDiscountEngine::TDiscountEngine(const TTerminalContext& aContext, const TMasterStore& aStore)
    : context_(aContext), store_(aStore)
{
}

void TDiscountEngine::makeWorkingLists()
{
    menus_.clear();
    members_.clear();
    menus_.reserve(store_.glDCMenuData.size());
    members_.reserve(store_.glDCMemberData.size());
    for (std::size_t i = 0; i < store_.glDCMenuData.size(); ++i) {
        const TDCMenuData& row = store_.glDCMenuData[i];
        TEntry entry{memberOf(row), TUseCounts{row.OnceUseCount, row.DailyUseCount, -1}, row.Seq, static_cast<int>(i)};
        menus_.push_back(std::move(entry));
    }
    for (std::size_t i = 0; i < store_.glDCMemberData.size(); ++i) {
        const TDCMemberData& row = store_.glDCMemberData[i];
        TEntry entry{memberOf(row), TUseCounts{row.OnceUseCount, row.DailyUseCount, row.YearlyUseCount}, row.Seq,
                     static_cast<int>(i)};
        entry.member.Remark = row.Remark;
        members_.push_back(std::move(entry));
    }
    menusByCode_.clear();
    membersByOutlet_.clear();
    for (TEntry& entry : menus_)
        menusByCode_[store_.glDCMenuData[static_cast<std::size_t>(entry.index)].MenuCode].push_back(&entry);
    for (TEntry& entry : members_)
        membersByOutlet_[store_.glDCMemberData[static_cast<std::size_t>(entry.index)].MultiUpjangCode].push_back(&entry);
    // The event is the first accepted member, as the payment records it.
    eventMember_ = members_.empty() ? TDCMember() : members_.front().member;
    eventMember_.Remark.clear();
}

bool TDiscountEngine::ExecDC(const TSaleLines& aLines)
{
    makeWorkingLists();
    units_ = SplitIntoUnits(aLines);
    unitsOf_ = &aLines;
    rowsAtSplit_ = aLines.GetCount();
    if (context_.gbEventMode) return applyEvent();

    bool anyDiscount = false;
    std::vector<TDCUnit> handedOut;
    handedOut.reserve(units_.size() + members_.size() + menus_.size());
    for (TDCUnit run : units_) {
        const TSaleList& line = aLines.Line(run.row);
        // A run takes one entry for as many of its units as the entry has
        // uses left; the rest of the run looks again.
        while (run.units > 0 && discountable(line, run)) {
            TChoice choice = chooseMenu(line);
            if (!choice.entry) choice = chooseMember(line);
            if (!choice.entry) break;
            TDCUnit taken = run;
            taken.units = std::min(run.units, choice.entry->counts.Remaining());
            taken.member = &choice.entry->member;
            taken.discount = choice.discount;
            taken.rate = choice.rate;
            choice.entry->counts.Take(taken.units);
            handedOut.push_back(taken);
            run.units -= taken.units;
            anyDiscount = true;
        }
        if (run.units > 0) handedOut.push_back(run);
    }
    units_ = std::move(handedOut);
    return anyDiscount;
}

bool TDiscountEngine::applyEvent()
{
    if (members_.empty()) return false;
    for (TDCUnit& unit : units_) unit.member = &eventMember_;
    return true;
}

bool TDiscountEngine::discountable(const TSaleList& aLine, const TDCUnit& aUnit) const
{
    return aLine.DCYN && aUnit.saleCount != 0 && !aLine.ModifyYN && aLine.SaleUnitAmt > Currency();
}

bool TDiscountEngine::betterThan(const TChoice& aChoice, const TChoice& aBest)
{
    if (!aBest.entry) return true;
    if (aChoice.discount != aBest.discount) return aChoice.discount > aBest.discount;
    const TEntry& a = *aChoice.entry;
    const TEntry& b = *aBest.entry;
    return std::tie(a.member.AcceptMemberNo, a.member.MemberAddNo, a.seq, a.index) <
           std::tie(b.member.AcceptMemberNo, b.member.MemberAddNo, b.seq, b.index);
}

TDiscountEngine::TChoice TDiscountEngine::chooseMenu(const TSaleList& aLine)
{
    const Currency price = aLine.SaleUnitAmt;
    TChoice best;
    const auto candidates = menusByCode_.find(aLine.MenuCode);
    if (candidates == menusByCode_.end()) return best;
    for (TEntry* entry : candidates->second) {
        const TDCMenuData& menu = store_.glDCMenuData[static_cast<std::size_t>(entry->index)];
        if (menu.MultiUpjangCode != aLine.UpjangCode || menu.MenuCode != aLine.MenuCode ||
            menu.SeasonCode != aLine.SeasonCode || menu.BusinessGubun != aLine.BusinessGubun ||
            entry->counts.Exhausted())
            continue;
        // A menu price at or above the list price takes nothing off.
        const Currency discount = LimitToPrice(price - menu.DCAmt, price);
        const std::int64_t rate = DiscountPercent(discount, price);
        if (rate == 0) continue;
        const TChoice choice{entry, discount, rate};
        if (betterThan(choice, best)) best = choice;
    }
    return best;
}

bool TDiscountEngine::memberFits(const TDCMemberData& aEntry, const TSaleList& aLine) const
{
    const std::string& all = context_.gsDaesoCodeAll;
    const bool daesoFits =
        aEntry.DaesoGubun == all || aLine.DaesoCode == all || aEntry.DaesoGubun == aLine.DaesoCode;
    const bool kindFits = (aEntry.Remark != dcBeverage || aLine.MenuGubunCode == context_.gsMenuGubunBeverage) &&
                          (aEntry.Remark != dcBreakfast || aLine.MenuGubunCode == context_.gsMenuGubunBreakfast);
    // A row the server refused (DCYN false) stays refused whatever its counts say.
    return aEntry.DCYN && aEntry.MultiUpjangCode == aLine.UpjangCode && daesoFits && kindFits;
}

TDiscountEngine::TChoice TDiscountEngine::chooseMember(const TSaleList& aLine)
{
    const Currency price = aLine.SaleUnitAmt;
    TChoice best;
    const auto candidates = membersByOutlet_.find(aLine.UpjangCode);
    if (candidates == membersByOutlet_.end()) return best;
    for (TEntry* entry : candidates->second) {
        const TDCMemberData& member = store_.glDCMemberData[static_cast<std::size_t>(entry->index)];
        if (!memberFits(member, aLine) || entry->counts.Exhausted()) continue;
        Currency discount =
            LimitToPrice(MemberRateDiscount(context_, store_, member.DCRate, price, aLine.DCCalcuCode), price);
        const std::int64_t rate = DiscountPercent(discount, price);
        if (rate == 0) continue;
        if (rate == 100) discount = price;  // a discount shown as 100 % is the whole price
        const TChoice choice{entry, discount, rate};
        if (betterThan(choice, best)) best = choice;
    }
    return best;
}

void TDiscountEngine::RecreateSaleList(TSaleLines& aLines)
{
    if (unitsOf_ != &aLines || rowsAtSplit_ != aLines.GetCount()) ExecDC(aLines);
    const std::vector<TDCMergedRow> merged = MergeUnits(aLines, units_, context_.gsMemberNoEvent);
    // The last merged row of a bill row takes that row over; earlier ones copy it.
    std::vector<std::size_t> lastUse(static_cast<std::size_t>(aLines.GetCount()), 0);
    for (std::size_t i = 0; i < merged.size(); ++i) lastUse[static_cast<std::size_t>(merged[i].first->row)] = i;
    std::vector<TSaleList> rows;
    rows.reserve(merged.size());
    for (std::size_t i = 0; i < merged.size(); ++i) {
        const int row = merged[i].first->row;
        TSaleList& source = aLines.Line(row);
        if (lastUse[static_cast<std::size_t>(row)] == i)
            rows.push_back(std::move(source));
        else
            rows.push_back(source);
        MakeMergedLine(rows.back(), merged[i]);
    }
    units_.clear();
    unitsOf_ = nullptr;
    aLines.ClearList(false);
    for (TSaleList& line : rows) aLines.AddDataList(std::move(line));
    aLines.LastList(false);
    aLines.ShowList();
}

}  // namespace pos
