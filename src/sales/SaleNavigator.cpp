#include "sales/SaleNavigator.h"

#include "core/TerminalContext.h"
#include "store/MasterStore.h"

#include <algorithm>

namespace pos {

namespace {

bool allDigits(const std::string& aText)
{
    return !aText.empty() && std::all_of(aText.begin(), aText.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A 1-based button number within 1..aButtons that is live on the tier;
// the 0-based button, or -1.
int liveButton(const TButtonTier& aTier, int aNumber)
{
    if (aNumber < 1 || aNumber > aTier.Buttons() || !aTier.Enabled(aNumber - 1)) return -1;
    return aNumber - 1;
}

}  // namespace

TSaleNavigator::TSaleNavigator(TTerminalContext& aContext, const TMasterStore& aStore, int aMaxUpjang, int aMaxMenu)
    : upjang(aMaxUpjang), group(kMenuGroupButtons), menu(aMaxMenu), context_(aContext), store_(aStore)
{
}

TSaleNavigator::Batch::~Batch()
{
    if (--navigator_.batchDepth_ > 0 || !navigator_.changedPending_) return;
    navigator_.changedPending_ = false;
    if (navigator_.Changed) navigator_.Changed();
}

void TSaleNavigator::changed()
{
    const Batch batch(*this);
    changedPending_ = true;
}

// ---------------------------------------------------------------- outlets

void TSaleNavigator::ReadUpjangList()
{
    const Batch batch(*this);
    std::vector<TButtonEntry> entries;
    for (const TUpjangData& outlet : store_.glUpjangData) entries.push_back({outlet.UpjangName, outlet.UpjangCode});
    upjang.Fill(std::move(entries));
    upjangNextEnabled = upjang.Count() > upjang.Buttons();
    changed();
    if (upjang.Enabled(0))
        PressUpjang(0);
    else
        ReadMenuGroupList();
}

void TSaleNavigator::PressUpjang(int aButton)
{
    const Batch batch(*this);
    if (!upjang.Enabled(aButton)) return;
    upjang.SetDown(aButton);
    context_.gsUpjangCode = upjang.Entry(aButton).code;
    context_.gsUpjangName = store_.GetUpjangName(context_.gsUpjangCode);
    const auto row = static_cast<std::size_t>(upjang.ListIndex(aButton));
    if (row < store_.glUpjangData.size()) context_.gsPosNo = store_.glUpjangData[row].PosNo;
    if (UpjangChanged) UpjangChanged();
    daesoDown = false;
    ReadMenuGroupList();
}

void TSaleNavigator::UpjangNextPage()
{
    const Batch batch(*this);
    const int page = upjang.NextPageWrapping();
    if (page == upjang.Page()) return;
    upjang.SetPage(page);
    upjang.SetDown(-1);
    changed();
    if (upjang.Enabled(0)) PressUpjang(0);
}

void TSaleNavigator::SelectNextUpjang()
{
    const TRotation next = NextInTier(upjang, upjangNextEnabled);
    if (next.kind == TRotation::PageForward)
        UpjangNextPage();
    else
        PressUpjang(next.button);
}

// ---------------------------------------------------------------- groups

void TSaleNavigator::ReadMenuGroupList()
{
    const Batch batch(*this);
    std::vector<TButtonEntry> entries;
    for (const TMenuGroupData& g : store_.glMenuGroupData)
        if (g.UpjangCode == context_.gsUpjangCode) entries.push_back({g.MenuGroupName, g.MenuGroupNo});
    group.Fill(std::move(entries));
    groupNextEnabled = group.Count() >= group.Buttons();
    changed();
    if (group.Enabled(0))
        PressMenuGroup(0);
    else if (context_.gbVessa)
        ReadMenuSubGroupList();
    else
        ReadMenuList();
}

void TSaleNavigator::PressMenuGroup(int aButton)
{
    if (!group.Enabled(aButton)) return;
    group.SetDown(aButton);
    lsMenuGroupNo = group.Entry(aButton).code;
    daesoDown = false;
    if (context_.gbVessa)
        ReadMenuSubGroupList();
    else
        ReadMenuList();
}

void TSaleNavigator::MenuGroupNextPage()
{
    const Batch batch(*this);
    const int page = group.NextPageWrapping();
    if (page == group.Page()) return;
    group.SetPage(page);
    group.SetDown(-1);
    changed();
    if (group.Enabled(0)) PressMenuGroup(0);
}

void TSaleNavigator::SelectNextMenuGroup()
{
    const TRotation next = NextInTier(group, groupNextEnabled);
    if (next.kind == TRotation::PageForward)
        MenuGroupNextPage();
    else
        PressMenuGroup(next.button);
}

// ---------------------------------------------------------------- menus

void TSaleNavigator::ReadMenuSubGroupList()
{
    std::vector<TButtonEntry> entries;
    for (const TMenuSubGroupData& s : store_.glMenuSubGroupData)
        if (s.UpjangCode == context_.gsUpjangCode && s.MenuGroupNo == lsMenuGroupNo)
            entries.push_back({s.MenuSubGroupName, s.MenuSubGroupNo});
    menu.Fill(std::move(entries));
    menuUpEnabled = false;
    menuDownEnabled = menu.Count() >= menu.Buttons();
    lbMenuSubGroup = true;
    changed();
}

TMenuFilter TSaleNavigator::CurrentFilter() const
{
    TMenuFilter filter;
    filter.upjangCode = context_.gsUpjangCode;
    filter.menuGroupNo = lsMenuGroupNo;
    filter.bySubGroup = context_.gbVessa;
    filter.menuSubGroupNo = lsMenuSubGroupNo;
    filter.seasonCode = store_.GetSeasonCode("", context_.gsUpjangCode);
    filter.businessGubun = store_.GetBusinessGubun("", context_.gsUpjangCode);
    filter.now = Now ? Now() : std::string("0000");
    filter.timeWindow = MenuTimeWindowApplies(context_.gbPreSale, context_.gsMasterPosNo);
    filter.daesoFilter = daesoVisible;
    filter.childMode = daesoDown;
    filter.daesoCodeAdult = context_.gsDaesoCodeAdult;
    filter.daesoCodeChild = context_.gsDaesoCodeChild;
    return filter;
}

void TSaleNavigator::ReadMenuList()
{
    menu.Fill(ShownMenus(store_.glMenuData, CurrentFilter()));
    menuUpEnabled = false;
    menuDownEnabled = menu.Count() >= menu.Buttons();
    lbMenuSubGroup = false;
    changed();
}

std::optional<std::string> TSaleNavigator::PressMenu(int aButton)
{
    if (!menu.Enabled(aButton)) return std::nullopt;
    if (lbMenuSubGroup) {
        lsMenuSubGroupNo = menu.Entry(aButton).code;
        ReadMenuList();
        return std::nullopt;
    }
    return menu.Entry(aButton).code;
}

void TSaleNavigator::showMenuPage(int aPage)
{
    menu.SetPage(aPage);
    menuUpEnabled = menu.Page() > 0;
    menuDownEnabled = menu.Page() < menu.PageCount() - 1;
    changed();
}

void TSaleNavigator::MenuUp()
{
    showMenuPage(menu.Page() - 1);
}

void TSaleNavigator::MenuDown()
{
    showMenuPage(menu.Page() + 1);
}

void TSaleNavigator::ToggleDaeso()
{
    daesoDown = !daesoDown;
    ReadMenuList();
}

void TSaleNavigator::PressFirstButtons()
{
    if (upjang.Page() != 0) upjang.SetPage(0);
    PressUpjang(0);  // fills the groups and presses the first one
}

// ---------------------------------------------------------------- shortcuts

std::string TSaleNavigator::ResolveShortcut(const std::string& aText)
{
    const Batch batch(*this);
    if (!allDigits(aText)) return aText;
    if (aText.size() <= 2) {
        const int button = liveButton(menu, std::stoi(aText));
        return button < 0 ? aText : menu.Entry(button).code;
    }
    if (aText.size() > 4) return aText;
    // "abc" reads as "ab0c": outlet a, group b, menu c.
    const std::string text = aText.size() == 3 ? aText.substr(0, 2) + "0" + aText.substr(2) : aText;
    const int outlet = liveButton(upjang, text[0] - '0');
    if (outlet < 0) return aText;
    PressUpjang(outlet);
    const int groupButton = liveButton(group, text[1] - '0');
    if (groupButton < 0) return aText;
    PressMenuGroup(groupButton);
    const int menuButton = liveButton(menu, std::stoi(text.substr(2)));
    if (menuButton < 0 || lbMenuSubGroup) return aText;
    return menu.Entry(menuButton).code;
}

}  // namespace pos
