#pragma once
// The restaurant of the screen benchmarks: outlet 3101 selling directly
// from the buttons, one menu group "식사" and aMenus menus in it, each with
// its goods.

#include "store/MasterStore.h"

#include <string>

namespace pos::bench {

inline void AddRestaurant(TMasterStore& aStore, int aMenus)
{
    const int u = aStore.AddUpjangData();
    aStore.SetUpjangData(u, 0, "3101");
    aStore.SetUpjangData(u, 1, "01");
    aStore.SetUpjangData(u, 2, "한식당");
    aStore.SetUpjangData(u, 4, "30");
    aStore.SetUpjangData(u, 21, "Y");  // direct selection
    const int g = aStore.AddMenuGroupData();
    aStore.SetMenuGroupData(g, 0, "3101");
    aStore.SetMenuGroupData(g, 1, "10");
    aStore.SetMenuGroupData(g, 2, "식사");
    for (int i = 0; i < aMenus; ++i) {
        const std::string code = std::to_string(10000 + i);
        const std::string name = "메뉴 " + std::to_string(i + 1);
        const int goods = aStore.AddGoodsData();
        aStore.SetGoodsData(goods, 0, "3101");
        aStore.SetGoodsData(goods, 1, code);
        aStore.SetGoodsData(goods, 2, "1");
        aStore.SetGoodsData(goods, 3, "1");
        aStore.SetGoodsData(goods, 4, name);
        aStore.SetGoodsData(goods, 9, std::to_string(1000 + i * 10));
        const int menu = aStore.AddMenuData();
        aStore.SetMenuData(menu, 0, "3101");
        aStore.SetMenuData(menu, 1, "10");
        aStore.SetMenuData(menu, 3, code);
        aStore.SetMenuData(menu, 4, "1");
        aStore.SetMenuData(menu, 5, "1");
        aStore.SetMenuData(menu, 6, name);
        aStore.SetMenuData(menu, 8, "0000");
        aStore.SetMenuData(menu, 9, "2359");
    }
}

}  // namespace pos::bench
