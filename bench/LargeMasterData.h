#pragma once
// Master data at the size of a large resort, generated for the benchmarks:
// 40 outlets, 100,000 goods (four season/day variants of each code) and
// 20,000 menu buttons, with Korean names.

#include "store/MasterStore.h"
#include "store/MirrorFile.h"

#include <string>
#include <utility>
#include <vector>

namespace pos::bench {

inline constexpr int kOutlets = 40;
inline constexpr int kGoods = 100000;
inline constexpr int kMenus = 20000;
inline constexpr int kMenuCodes = 5000;  // each code is sold by several outlets

inline const char* const kDishes[] = {"김치찌개", "된장찌개", "비빔밥", "불고기 정식", "갈비탕", "냉면", "떡볶이",
                                      "해물파전", "삼계탕", "순두부찌개", "생맥주 500cc", "아메리카노", "리프트 4시간권",
                                      "스키 렌탈 대인", "시즌권 소인", "사우나 이용권"};
inline const char* const kEnglish[] = {"Kimchi stew", "Soybean stew", "Bibimbap", "Bulgogi set", "Galbi soup", "Cold noodles",
                                       "Tteokbokki", "Seafood pancake", "Ginseng chicken", "Soft tofu stew", "Draft beer",
                                       "Americano", "Lift 4 hours", "Ski rental adult", "Season pass child", "Sauna"};

// "text n", built by appending (GCC 12 warns falsely about operator+ chains
// of strings at -O2).
inline std::string numbered(const char* aText, int aNumber)
{
    std::string s(aText);
    s += ' ';
    s += std::to_string(aNumber);
    return s;
}

inline std::string outletCode(int i) { return std::to_string(3001 + i); }
inline std::string menuCode(int i)
{
    std::string code(1, 'M');
    code += std::to_string(100000 + i);
    return code;
}

// Goods and menu rows in mirror-file column order; aKeys (when given) gets
// the (outlet, code) of the first variant of every goods code.
inline void MakeGoodsAndMenuRows(TMirrorRows& goods, TMirrorRows& menus,
                                 std::vector<std::pair<std::string, std::string>>* keys = nullptr)
{
    goods.reserve(kGoods);
    for (int i = 0; i < kGoods; ++i) {
        const int o = i / (kGoods / kOutlets);
        const int k = (i % (kGoods / kOutlets)) / 4;
        const int variant = i % 4;
        const int dish = (o * 7 + k) % 16;
        const std::string code = menuCode((o * 625 + k) % kMenuCodes);
        goods.push_back({outletCode(o), code, variant < 2 ? "1" : "2", variant % 2 ? "2" : "1",
                         numbered(kDishes[dish], k), numbered(kEnglish[dish], k),
                         "31", dish % 5 ? "Y" : "N", "1", std::to_string(3000 + (k % 50) * 500), "00", "Z", "0000", "2359",
                         "Y", "01", k % 17 ? "N" : "Y", "Y", "06", "", "", "", "", "", "", "T1", "", ""});
        if (variant == 0 && keys) keys->emplace_back(outletCode(o), code);
    }
    menus.reserve(kMenus);
    for (int i = 0; i < kMenus; ++i) {
        const int o = i % kOutlets;
        const int dish = i % 16;
        menus.push_back({outletCode(o), std::to_string(10 + i % 20), std::to_string(i % 40 + 1), menuCode(i % kMenuCodes),
                         "1", "1", numbered(kDishes[dish], i), std::to_string(5000 + i % 30 * 100),
                         "0900", "2200", i % 25 ? "1" : "2", "Z", "A1", "", ""});
    }
}

// One outlet row per outlet code, POS "01".
inline TMirrorRows MakeOutletRows()
{
    TMirrorRows upjang;
    for (int o = 0; o < kOutlets; ++o) {
        std::vector<std::string> u(31, std::string(1, 'N'));
        u[0] = outletCode(o), u[1] = "01", u[2] = numbered("영업장", o), u[4] = "30";
        u[12].assign(1, 'Y');  // sells off line: the measured start is an off-line one
        // One-letter flags as characters: GCC 12 warns falsely about
        // assigning one-letter literals here.
        u[28].assign(1, o % 2 ? 'Y' : 'N');
        u[29].assign(1, o % 3 ? 'N' : 'Y');
        u[30].assign(1, 'Y');
        upjang.push_back(u);
    }
    return upjang;
}

}  // namespace pos::bench
