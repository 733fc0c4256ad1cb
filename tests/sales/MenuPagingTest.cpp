#include "EntryFixture.h"

#include "store/MasterRecords.h"
#include "sales/MenuPaging.h"
#include "sales/OpenPrice.h"
#include "sales/SaleStatus.h"

namespace pos::test {
namespace {

std::vector<TButtonEntry> entries(int n)
{
    std::vector<TButtonEntry> list;
    for (int i = 0; i < n; ++i) list.push_back({"메뉴" + std::to_string(i + 1), std::to_string(1000 + i)});
    return list;
}

TEST(ButtonTier, EntriesGoToButtonsPageByPagePadded)
{
    TButtonTier tier(5);
    tier.Fill(entries(12));
    EXPECT_EQ(tier.PageCount(), 3);
    EXPECT_EQ(tier.Entry(0).code, "1000");
    tier.SetPage(2);
    EXPECT_EQ(tier.Entry(0).code, "1010");
    EXPECT_EQ(tier.Entry(1).code, "1011");
    EXPECT_TRUE(tier.Enabled(1));
    for (int b = 2; b < 5; ++b) {
        EXPECT_FALSE(tier.Enabled(b));
        EXPECT_EQ(tier.Entry(b).caption, " ");
    }
    EXPECT_EQ(tier.NextPageWrapping(), 0);
    tier.SetPage(7);
    EXPECT_EQ(tier.Page(), 2);  // clamped

    tier.Fill({});
    EXPECT_EQ(tier.PageCount(), 1);
    EXPECT_FALSE(tier.Enabled(0));
    EXPECT_EQ(tier.NextPageWrapping(), 0);
}

TEST(MenuFilter, EachRuleHidesAMenu)
{
    TMenuData base;
    base.UpjangCode = "3101";
    base.MenuGroupNo = "10";
    base.SeasonCode = "1";
    base.BusinessGubun = "1";
    base.DispTimeFrom = "1100";
    base.DispTimeTo = "1400";
    base.DaesoCode = "Z";
    base.TypeCode2 = "S1";
    TMenuFilter filter;
    filter.upjangCode = "3101";
    filter.menuGroupNo = "10";
    filter.seasonCode = "1";
    filter.businessGubun = "1";
    filter.now = "1200";
    filter.menuSubGroupNo = "S1";

    const struct {
        const char* what;
        std::function<void(TMenuData&, TMenuFilter&)> change;
        bool visible;
    } cases[] = {
        {"as is", [](TMenuData&, TMenuFilter&) {}, true},
        {"other outlet", [](TMenuData& m, TMenuFilter&) { m.UpjangCode = "3102"; }, false},
        {"other group", [](TMenuData& m, TMenuFilter&) { m.MenuGroupNo = "20"; }, false},
        {"other season", [](TMenuData& m, TMenuFilter&) { m.SeasonCode = "2"; }, false},
        {"other business day", [](TMenuData& m, TMenuFilter&) { m.BusinessGubun = "2"; }, false},
        {"before the window", [](TMenuData&, TMenuFilter& f) { f.now = "1059"; }, false},
        {"window opens", [](TMenuData&, TMenuFilter& f) { f.now = "1100"; }, true},
        {"window closes", [](TMenuData&, TMenuFilter& f) { f.now = "1400"; }, true},
        {"after the window", [](TMenuData&, TMenuFilter& f) { f.now = "1401"; }, false},
        {"no windows", [](TMenuData&, TMenuFilter& f) { f.now = "0500"; f.timeWindow = false; }, true},
        {"sub-group", [](TMenuData&, TMenuFilter& f) { f.bySubGroup = true; }, true},
        {"other sub-group", [](TMenuData&, TMenuFilter& f) { f.bySubGroup = true; f.menuSubGroupNo = "S2"; }, false},
        {"child in adult mode", [](TMenuData& m, TMenuFilter& f) { m.DaesoCode = "2"; f.daesoFilter = true; }, false},
        {"adult in adult mode", [](TMenuData& m, TMenuFilter& f) { m.DaesoCode = "1"; f.daesoFilter = true; }, true},
        {"adult in child mode",
         [](TMenuData& m, TMenuFilter& f) { m.DaesoCode = "1"; f.daesoFilter = true; f.childMode = true; }, false},
        {"all in child mode", [](TMenuData&, TMenuFilter& f) { f.daesoFilter = true; f.childMode = true; }, true},
        {"child without the button", [](TMenuData& m, TMenuFilter&) { m.DaesoCode = "2"; }, true},
    };
    for (const auto& c : cases) {
        TMenuData menu = base;
        TMenuFilter f = filter;
        c.change(menu, f);
        EXPECT_EQ(MenuVisible(menu, f), c.visible) << c.what;
    }
}

TEST(MenuFilter, WindowsApplyExceptDuringPreSaleAndAboveTerminal90)
{
    EXPECT_TRUE(MenuTimeWindowApplies(false, "01"));
    EXPECT_TRUE(MenuTimeWindowApplies(false, "90"));
    EXPECT_FALSE(MenuTimeWindowApplies(false, "91"));
    EXPECT_FALSE(MenuTimeWindowApplies(true, "01"));
}

TEST(MenuRefresh, RefillsWheneverTheTenMinuteSlotChanged)
{
    TMenuRefresh refresh;
    EXPECT_FALSE(refresh.Due(TenMinuteSlot(1, 10, 59)));  // nothing filled yet
    refresh.Filled(TenMinuteSlot(1, 10, 52));
    EXPECT_FALSE(refresh.Due(TenMinuteSlot(1, 10, 59)));
    // The tick at 11:00:00 was missed; 11:00:03 still refreshes.
    EXPECT_TRUE(refresh.Due(TenMinuteSlot(1, 11, 0)));
    EXPECT_TRUE(refresh.Due(TenMinuteSlot(1, 11, 7)));
    refresh.Filled(TenMinuteSlot(1, 11, 7));
    EXPECT_FALSE(refresh.Due(TenMinuteSlot(1, 11, 9)));
    // The same time on the next day is another slot.
    EXPECT_TRUE(refresh.Due(TenMinuteSlot(2, 11, 7)));
}

using Navigation = EntryFixture;

TEST_F(Navigation, OutletPagesWrapAndSelectTheirFirstOutlet)
{
    store.glUpjangData.clear();
    for (int i = 0; i < 12; ++i) addUpjang(std::to_string(4001 + i), "0" + std::to_string(i % 9 + 1), "영업장" + std::to_string(i + 1), "30");
    navigator.ReadUpjangList();
    EXPECT_EQ(navigator.upjang.PageCount(), 3);
    EXPECT_TRUE(navigator.upjangNextEnabled);
    EXPECT_EQ(context.gsUpjangCode, "4001");
    navigator.UpjangNextPage();
    navigator.UpjangNextPage();
    EXPECT_EQ(navigator.upjang.Page(), 2);
    EXPECT_EQ(context.gsUpjangCode, "4011");
    EXPECT_EQ(context.gsPosNo, "02");  // the outlet record at page x 5 + button
    EXPECT_FALSE(navigator.upjang.Enabled(2));
    navigator.UpjangNextPage();
    EXPECT_EQ(navigator.upjang.Page(), 0);
    EXPECT_EQ(context.gsUpjangCode, "4001");
    EXPECT_EQ(navigator.upjang.DownButton(), 0);
}

TEST_F(Navigation, OutletPressFillsGroupsAndMenus)
{
    navigator.ReadUpjangList();
    EXPECT_EQ(context.gsUpjangCode, "3101");
    EXPECT_EQ(navigator.group.Entry(0).caption, "식사");
    EXPECT_EQ(navigator.lsMenuGroupNo, "10");
    EXPECT_EQ(navigator.menu.Entry(0).code, "1001");
    EXPECT_EQ(navigator.menu.Count(), 2);
    navigator.PressUpjang(1);
    EXPECT_EQ(context.gsUpjangCode, "3102");
    EXPECT_EQ(context.gsUpjangName, "바");
    EXPECT_EQ(navigator.menu.Entry(0).code, "2001");
    navigator.PressMenuGroup(3);  // an empty button does nothing
    EXPECT_EQ(navigator.lsMenuGroupNo, "10");
}

// An outlet press refills the groups and the menus; the screen is told once,
// when both hold what it is to paint.
TEST_F(Navigation, EachCallAsksForOneRepaintOfItsFinalTiers)
{
    std::vector<std::string> painted;  // the first menu code at each repaint
    navigator.Changed = [&] { painted.push_back(navigator.menu.Entry(0).code); };
    navigator.ReadUpjangList();
    EXPECT_EQ(painted, std::vector<std::string>{"1001"});
    navigator.PressUpjang(1);
    EXPECT_EQ(painted, (std::vector<std::string>{"1001", "2001"}));
    navigator.UpjangNextPage();  // a single page: nothing changes
    EXPECT_EQ(painted.size(), 2u);
    EXPECT_EQ(navigator.ResolveShortcut("1201"), "1003");  // outlet 1, group 2, menu 1
    EXPECT_EQ(painted, (std::vector<std::string>{"1001", "2001", "1003"}));
    navigator.MenuDown();
    EXPECT_EQ(painted.size(), 4u);
}

TEST_F(Navigation, MenuPagesMoveWithoutWrapping)
{
    for (int i = 0; i < 27; ++i) addMenu("3101", "20", std::to_string(5000 + i), "메뉴");
    navigator.ReadUpjangList();
    navigator.PressMenuGroup(1);  // 식혜 + 27 = 28 menus: 2 pages
    EXPECT_FALSE(navigator.menuUpEnabled);
    EXPECT_TRUE(navigator.menuDownEnabled);
    navigator.MenuDown();
    EXPECT_EQ(navigator.menu.Page(), 1);
    EXPECT_TRUE(navigator.menuUpEnabled);
    EXPECT_FALSE(navigator.menuDownEnabled);
    EXPECT_EQ(navigator.menu.Entry(2).code, "5026");
    navigator.MenuDown();
    EXPECT_EQ(navigator.menu.Page(), 1);
    navigator.MenuUp();
    navigator.MenuUp();
    EXPECT_EQ(navigator.menu.Page(), 0);
}

TEST_F(Navigation, ExactlyOnePageOfMenusStillOffersDown)
{
    for (int i = 0; i < 24; ++i) addMenu("3101", "20", std::to_string(5000 + i), "메뉴");
    navigator.ReadUpjangList();
    navigator.PressMenuGroup(1);  // 25 menus
    EXPECT_TRUE(navigator.menuDownEnabled);
    navigator.MenuDown();
    EXPECT_EQ(navigator.menu.Page(), 0);
    EXPECT_FALSE(navigator.menuDownEnabled);
}

TEST_F(Navigation, KeyboardRotationWalksTheTier)
{
    navigator.ReadUpjangList();
    navigator.SelectNextUpjang();
    EXPECT_EQ(context.gsUpjangCode, "3102");
    navigator.SelectNextUpjang();  // no next button, no next page: the first
    EXPECT_EQ(context.gsUpjangCode, "3101");
    navigator.SelectNextMenuGroup();
    EXPECT_EQ(navigator.lsMenuGroupNo, "20");
    navigator.SelectNextMenuGroup();
    EXPECT_EQ(navigator.lsMenuGroupNo, "10");
}

TEST_F(Navigation, DisplayWindowsAndChildModeFilterTheButtons)
{
    const int lunch = addMenu("3101", "10", "1010", "점심 특선", "1100", "1400");
    const int child = addMenu("3101", "10", "1011", "어린이 세트");
    store.SetMenuData(child, 11, context.gsDaesoCodeChild);
    navigator.daesoVisible = true;
    now = "1059";
    navigator.ReadUpjangList();
    const auto codes = [this] {
        std::vector<std::string> list;
        for (int b = 0; b < navigator.menu.Count(); ++b) list.push_back(navigator.menu.Entry(b).code);
        return list;
    };
    EXPECT_EQ(codes(), (std::vector<std::string>{"1001", "1002"}));
    now = "1100";
    navigator.ReadMenuList();
    EXPECT_EQ(codes(), (std::vector<std::string>{"1001", "1002", "1010"}));
    navigator.ToggleDaeso();
    EXPECT_EQ(navigator.DaesoCaption(), "소인");
    EXPECT_EQ(codes(), (std::vector<std::string>{"1001", "1002", "1010", "1011"}));
    store.SetMenuData(lunch, 11, context.gsDaesoCodeAdult);
    navigator.ReadMenuList();
    EXPECT_EQ(codes(), (std::vector<std::string>{"1001", "1002", "1011"}));
    // An outlet press returns to adult mode.
    navigator.PressUpjang(0);
    EXPECT_FALSE(navigator.daesoDown);

    // Terminal 91 sees the lunch menu at 3 in the morning (the child set
    // stays hidden in adult mode).
    now = "0300";
    context.gsMasterPosNo = "91";
    navigator.ReadMenuList();
    EXPECT_EQ(codes(), (std::vector<std::string>{"1001", "1002", "1010"}));
}

TEST_F(Navigation, HotelRestaurantsShowSubGroupsFirst)
{
    context.gbVessa = true;
    const int row = store.AddMenuSubGroupData();
    store.SetMenuSubGroupData(row, 0, "3101");
    store.SetMenuSubGroupData(row, 1, "10");
    store.SetMenuSubGroupData(row, 2, "S1");
    store.SetMenuSubGroupData(row, 3, "찌개류");
    store.SetMenuData(0, 13, "S1");  // 김치찌개 in S1
    navigator.ReadUpjangList();
    EXPECT_TRUE(navigator.lbMenuSubGroup);
    EXPECT_EQ(navigator.menu.Entry(0).caption, "찌개류");
    EXPECT_FALSE(navigator.PressMenu(0).has_value());
    EXPECT_FALSE(navigator.lbMenuSubGroup);
    EXPECT_EQ(navigator.menu.Count(), 1);
    EXPECT_EQ(navigator.PressMenu(0), std::optional<std::string>("1001"));
}

TEST(OpenPrice, SalePriceAndConfirmation)
{
    TOpenPriceRules plain;  // not a hotel restaurant
    EXPECT_EQ(OpenSalePrice(Currency(10000), true, plain), Currency(10000));
    const TOpenPriceResult p = ConfirmOpenPrice(Currency(10000), false, plain);
    EXPECT_EQ(p.salePrice, Currency(10000));
    EXPECT_EQ(p.correctAmt, 0);

    TOpenPriceRules hotel{true, "1"};
    TOpenPriceRules tip{true, "4"};
    TOpenPriceRules free{true, "2"};
    EXPECT_EQ(OpenSalePrice(Currency(10000), true, hotel), Currency(11000));
    EXPECT_EQ(OpenSalePrice(Currency(10000), true, tip), Currency(12100));
    EXPECT_EQ(OpenSalePrice(Currency(10000), true, free), Currency(10000));
    EXPECT_EQ(OpenSalePrice(Currency(12100), false, tip), Currency(12100));

    // Including mode: 11,000 for an ordinary item is 10,000 net, no correction.
    const TOpenPriceResult inc = ConfirmOpenPrice(Currency(11000), false, hotel);
    EXPECT_EQ(inc.salePrice, Currency(10000));
    EXPECT_EQ(inc.correctAmt, 0);
    // 10,000 including service charge and VAT: 8,264 net, whose gross is
    // 8,264 + 826 + 909 = 9,999: one won is corrected.
    const TOpenPriceResult incTip = ConfirmOpenPrice(Currency(10000), false, tip);
    EXPECT_EQ(incTip.salePrice, Currency(8264));
    EXPECT_EQ(incTip.correctAmt, 1);
    // NET mode hands on the net price, not the gross the label shows (the
    // bill adds service charge and VAT itself).
    const TOpenPriceResult net = ConfirmOpenPrice(Currency(10000), true, tip);
    EXPECT_EQ(net.salePrice, Currency(10000));
    EXPECT_EQ(net.correctAmt, 0);

    EXPECT_EQ(DiscountedOpenPrice(Currency(12345), 10), Currency(11110));
    EXPECT_EQ(DiscountedOpenPrice(Currency(10000), 15), Currency(8500));
}

TEST(SaleStatus, Texts)
{
    TTerminalContext c;
    c.giBillNo = 42;
    EXPECT_EQ(BillNoText(c, false).text, "0042");
    EXPECT_EQ(BillNoText(c, false).color, 0x000000u);
    c.gbPreSale = true;
    EXPECT_EQ(BillNoText(c, false).color, 0x0000FFu);
    c.giTableNo = 7;
    EXPECT_EQ(BillNoText(c, true).text, "T   7");
    EXPECT_EQ(SaleGubunText(2).text, "반품");
    EXPECT_EQ(WaitCountText(true, 3, 12, 0), "내국인:    3\r\r외국인:   12");
    EXPECT_EQ(WaitCountText(false, 3, 12, 0), "대기 없음");
    EXPECT_EQ(WaitCountText(false, 0, 0, 4), "대기  4건");
    EXPECT_EQ(OffLineText(true).text, "Off Line");
    EXPECT_EQ(OnLineCommandCaption(true), "OnLine");
    c.gsLockerNo = "105";
    c.gsRoomNo = "1203";
    EXPECT_EQ(LockerText(c), "락카번호 : 105");
    c.gsEventNo = "E1";
    EXPECT_EQ(LockerText(c), "연회 : E1");
    EXPECT_EQ(MenuButtonCount(TPrinterType::ptBoca), 10);
    EXPECT_EQ(MenuButtonCount(TPrinterType::ptSRP350), 25);
}

}  // namespace
}  // namespace pos::test
