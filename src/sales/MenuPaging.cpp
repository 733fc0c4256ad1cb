#include "sales/MenuPaging.h"

#include "store/MasterRecords.h"

#include <algorithm>

namespace pos {

namespace {
const TButtonEntry kBlankEntry{" ", ""};
}

bool TButtonEntry::Blank() const
{
    return std::all_of(caption.begin(), caption.end(), [](char c) { return c == ' '; });
}

TButtonTier::TButtonTier(int aButtons) : buttons_(std::max(1, aButtons)) {}

void TButtonTier::Clear() { Fill({}); }

void TButtonTier::Fill(std::vector<TButtonEntry> aEntries)
{
    entries_ = std::move(aEntries);
    count_ = static_cast<int>(entries_.size());
    const int pages = std::max(1, (count_ + buttons_ - 1) / buttons_);
    entries_.resize(static_cast<std::size_t>(pages * buttons_), kBlankEntry);
    page_ = 0;
    down_ = -1;
}

int TButtonTier::PageCount() const { return std::max(1, static_cast<int>(entries_.size()) / buttons_); }

void TButtonTier::SetPage(int aPage) { page_ = std::clamp(aPage, 0, PageCount() - 1); }

const TButtonEntry& TButtonTier::Entry(int aButton) const
{
    if (aButton < 0 || aButton >= buttons_) return kBlankEntry;
    const auto index = static_cast<std::size_t>(ListIndex(aButton));
    return index < entries_.size() ? entries_[index] : kBlankEntry;
}

bool TButtonTier::Enabled(int aButton) const { return !Entry(aButton).Blank(); }

int TButtonTier::NextPageWrapping() const { return page_ + 1 >= PageCount() ? 0 : page_ + 1; }

bool MenuTimeWindowApplies(bool aPreSale, const std::string& aMasterPosNo)
{
    return !aPreSale && !(aMasterPosNo > "90");
}

bool MenuVisible(const TMenuData& aMenu, const TMenuFilter& aFilter)
{
    if (aMenu.UpjangCode != aFilter.upjangCode || aMenu.MenuGroupNo != aFilter.menuGroupNo) return false;
    if (aFilter.bySubGroup && aMenu.TypeCode2 != aFilter.menuSubGroupNo) return false;
    if (aMenu.SeasonCode != aFilter.seasonCode || aMenu.BusinessGubun != aFilter.businessGubun) return false;
    if (aFilter.timeWindow && (aMenu.DispTimeFrom > aFilter.now || aMenu.DispTimeTo < aFilter.now)) return false;
    if (aFilter.daesoFilter) {
        const std::string& hidden = aFilter.childMode ? aFilter.daesoCodeAdult : aFilter.daesoCodeChild;
        if (aMenu.DaesoCode == hidden) return false;
    }
    return true;
}

std::vector<TButtonEntry> ShownMenus(const std::vector<TMenuData>& aMenus, const TMenuFilter& aFilter)
{
    std::vector<TButtonEntry> shown;
    for (const TMenuData& menu : aMenus)
        if (MenuVisible(menu, aFilter)) shown.push_back({menu.MenuName, menu.MenuCode});
    return shown;
}

std::int64_t TenMinuteSlot(std::int64_t aDayNumber, int aHour, int aMinute)
{
    return aDayNumber * 144 + aHour * 6 + aMinute / 10;
}

TRotation NextInTier(const TButtonTier& aTier, bool aNextPageEnabled)
{
    const int next = aTier.DownButton() + 1;
    if (aTier.DownButton() >= 0 && next < aTier.Buttons() && aTier.Enabled(next))
        return {TRotation::PressButton, next};
    if (aNextPageEnabled) return {TRotation::PageForward, 0};
    return {TRotation::PressFirst, 0};
}

}  // namespace pos
