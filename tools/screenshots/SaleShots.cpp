// The sale screen at three outlets of the demo resort (restaurant, lift
// ticket office, shop) with a few lines rung up, and the open-price dialog.

#include "Shots.h"
#include "RecordingSaleServices.h"

#include "controls/ZoPosButton.h"
#include "core/ScriptedDialogService.h"
#include "core/TerminalContext.h"
#include "db/Catalogue.h"
#include "db/DataModule.h"
#include "store/MasterStore.h"
#include "sales/ui/TfrmOpenPrice.h"
#include "devices/TicketProgress.h"
#include "sales/ui/TfrmSale.h"
#include "sales/ui/TfrmSaleFrame.h"

#include <QLineEdit>

#include <string>
#include <vector>

namespace {

struct Item {
    const char* group;
    const char* code;
    const char* name;
    long long price;
    const char* daeso;
};

struct Outlet {
    const char* code;
    const char* name;
    const char* type;
    std::vector<std::pair<const char*, const char*>> groups;
    std::vector<Item> items;
};

void addOutlet(pos::TMasterStore& aStore, const Outlet& aOutlet)
{
    const int u = aStore.AddUpjangData();
    aStore.SetUpjangData(u, 0, aOutlet.code);
    aStore.SetUpjangData(u, 1, "01");
    aStore.SetUpjangData(u, 2, aOutlet.name);
    aStore.SetUpjangData(u, 4, aOutlet.type);
    for (const char* flag : {"7", "9", "15", "14", "17", "11", "19"}) aStore.SetUpjangData(u, std::stoi(flag), "Y");
    for (const auto& [no, name] : aOutlet.groups) {
        const int g = aStore.AddMenuGroupData();
        aStore.SetMenuGroupData(g, 0, aOutlet.code);
        aStore.SetMenuGroupData(g, 1, no);
        aStore.SetMenuGroupData(g, 2, name);
    }
    for (const Item& item : aOutlet.items) {
        const int m = aStore.AddMenuData();
        aStore.SetMenuData(m, 0, aOutlet.code);
        aStore.SetMenuData(m, 1, item.group);
        aStore.SetMenuData(m, 3, item.code);
        aStore.SetMenuData(m, 4, "1");
        aStore.SetMenuData(m, 5, "1");
        aStore.SetMenuData(m, 6, item.name);
        aStore.SetMenuData(m, 8, "0000");
        aStore.SetMenuData(m, 9, "2359");
        aStore.SetMenuData(m, 11, item.daeso);
        const int g = aStore.AddGoodsData();
        aStore.SetGoodsData(g, 0, aOutlet.code);
        aStore.SetGoodsData(g, 1, item.code);
        aStore.SetGoodsData(g, 2, "1");
        aStore.SetGoodsData(g, 3, "1");
        aStore.SetGoodsData(g, 4, item.name);
        aStore.SetGoodsData(g, 8, "1");
        aStore.SetGoodsData(g, 9, std::to_string(item.price));
    }
}

const Outlet kRestaurant{"3101", "솔바람 한식당", "30", {{"10", "식사"}, {"20", "요리"}, {"30", "음료·추가"}},
                         {{"10", "31010001", "한우 불고기 정식", 28000, "Z"},
                          {"10", "31010002", "돌솥 비빔밥", 14000, "Z"},
                          {"10", "31010003", "황태 해장국", 12000, "Z"},
                          {"10", "31010004", "곤드레 나물밥", 13000, "Z"},
                          {"10", "31010005", "어린이 돈가스", 11000, "2"},
                          {"20", "31010101", "해물 파전", 18000, "Z"},
                          {"20", "31010102", "메밀 전병", 9000, "Z"},
                          {"30", "31010201", "공기밥", 1000, "Z"},
                          {"30", "31010202", "강원 막걸리", 7000, "Z"},
                          {"30", "31010203", "식혜", 4000, "Z"}}};
const Outlet kBar{"3102", "별빛 라운지 바", "30", {{"10", "주류"}, {"20", "안주"}},
                  {{"10", "31020001", "생맥주 500cc", 8000, "Z"}, {"20", "31020102", "감자튀김", 9000, "Z"}}};
const Outlet kLift{"5001", "리프트 매표소", "50", {{"10", "리프트권"}, {"20", "연속권·곤돌라"}},
                   {{"10", "50010001", "리프트 주간권 대인", 79000, "1"},
                    {"10", "50010002", "리프트 주간권 소인", 59000, "2"},
                    {"10", "50010003", "리프트 야간권 대인", 55000, "1"},
                    {"10", "50010004", "리프트 1회권", 15000, "Z"},
                    {"20", "50010101", "리프트 5일 연속권", 320000, "1"},
                    {"20", "50010102", "곤돌라 왕복권", 20000, "Z"}}};
const Outlet kRental{"5003", "스키 렌탈샵", "50", {{"10", "장비"}}, {{"10", "50030001", "스키 장비 세트", 45000, "Z"}}};
const Outlet kShop{"6101", "리조트 편의점", "60", {{"10", "간식·생활"}, {"20", "특산품"}},
                   {{"10", "61010001", "생수 500ml", 1000, "Z"},
                    {"10", "61010002", "컵라면", 1800, "Z"},
                    {"10", "61010003", "핫팩", 1500, "Z"},
                    {"20", "61010101", "평창 감자 (1kg)", 6000, "Z"},
                    {"20", "61010102", "스키 양말", 9000, "Z"}}};

// An off-line terminal with no server and no devices behind the screen.
struct Scene {
    Scene() { context.gbOffLine = true; }
    pos::TTerminalContext context;
    pos::ScriptedDialogService dialogs;
    pos::TSqlCatalogue catalogue;
    pos::TSellsOffLinePolicy offLinePolicy;
    pos::TfrmData data{context, catalogue, dialogs, offLinePolicy};
    pos::TNoMasterServer storeServer;
    pos::TMasterStore store{context, dialogs, storeServer};
    pos::test::RecordingSaleServices services{context};
    pos::TSaleCommandSet commands;
};

void setUp(Scene& aScene, const std::vector<const Outlet*>& aOutlets, const char* aPosNo)
{
    pos::TTerminalContext& c = aScene.context;
    c.gsMasterUpjangCode = aOutlets.front()->code;
    c.gsMasterUpjangName = aOutlets.front()->name;
    c.gsMasterPosNo = aPosNo;
    c.gsCashier = "1001";
    c.gsCashierName = "김계산";
    c.gsSaleDate = "20261210";
    c.giBillNo = 17;
    for (const Outlet* o : aOutlets) addOutlet(aScene.store, *o);
    aScene.store.AddPayData("현금", c.giPayCash);
    aScene.store.AddPayData("카드", 120);
}

// Taps menu buttons (0-based) with quantities, as the cashier would.
void ringUp(pos::TfrmSale& aScreen, const std::vector<std::pair<int, int>>& aTaps)
{
    for (const auto& [button, count] : aTaps) {
        aScreen.Entry().MenuTap(button);
        aScreen.Bill().entry.saleCount = pos::Currency(count);
        aScreen.Entry().CountEnter();
    }
    aScreen.Refresh();
}

bool saleShot(Scene& aScene, const QDir& aDir, const char* aName, const std::function<void(pos::TfrmSale&)>& aRing,
              const std::function<bool(pos::TfrmSale&)>& aMore = {})
{
    pos::TScreenEnv env;
    env.context = &aScene.context;
    pos::TTicketPrintingModel ticketPrinting;
    pos::TSaleScreenDeps deps(env, aScene.context, aScene.dialogs, aScene.store, aScene.data, aScene.services,
                             aScene.commands, ticketPrinting);
    deps.version = "Ver 0.1.0";
    pos::TfrmSale screen(deps);
    aRing(screen);
    bool ok = shots::Save(screen, aDir, aName);
    if (aMore) ok &= aMore(screen);
    return ok;
}

}  // namespace

static shots::TShotRegistrar reg("sale", [](const QDir& dir) {
    bool ok = true;
    {
        Scene s;
        setUp(s, {&kRestaurant, &kBar}, "01");
        ok &= saleShot(s, dir, "sale-restaurant", [](pos::TfrmSale& screen) {
            ringUp(screen, {{0, 2}, {1, 1}, {2, 1}});
            screen.Navigator().PressMenuGroup(2);
            ringUp(screen, {{1, 2}, {0, 3}});
            screen.Bill().Lines().TouchRow(1);
            screen.Refresh();
        }, [&dir](pos::TfrmSale& screen) {
            // The wide list with the member columns, and the second command panel.
            screen.fraList->SetWide(true);
            bool ok = shots::Save(screen, dir, "sale-wide");
            screen.fraList->SetWide(false);
            screen.btnMenuToggle->Click();
            return ok && shots::Save(screen, dir, "sale-commands");
        });
    }
    {
        Scene s;
        s.context.gbSki = true;
        setUp(s, {&kLift, &kRental}, "01");
        s.context.giKoreanCount = 3;
        ok &= saleShot(s, dir, "sale-ski", [](pos::TfrmSale& screen) {
            ringUp(screen, {{0, 2}, {1, 1}});
            screen.Navigator().ToggleDaeso();
            screen.Bill().screen.daesoDown = true;
            ringUp(screen, {{0, 1}});
            screen.Bill().EndSale();
            screen.Refresh();
        });
    }
    {
        Scene s;
        setUp(s, {&kShop}, "02");
        s.context.gbOffLine = true;
        ok &= saleShot(s, dir, "sale-shop", [](pos::TfrmSale& screen) {
            ringUp(screen, {{0, 2}, {1, 3}, {2, 1}});
            screen.Navigator().PressMenuGroup(1);
            ringUp(screen, {{0, 1}});
            screen.ShowOffLine();
            screen.Bill().SetTendered(pos::Currency(20000));
            screen.Refresh();
        });
    }
    {
        Scene s;
        setUp(s, {&kShop}, "02");
        pos::TScreenEnv env;
        env.context = &s.context;
        pos::TfrmOpenPrice box(env, s.context);
        box.Prepare("한우 불고기 정식", "1", pos::Currency(28000), "");
        ok &= shots::Save(box, dir, "open-price");
        s.context.gbVessa = true;
        pos::TfrmOpenPrice hotel(env, s.context);
        hotel.Prepare("석식 뷔페 성인", "4", pos::Currency(69000), "");
        ok &= shots::Save(hotel, dir, "open-price-hotel");
    }
    return ok;
});
