#pragma once
// The terminal and the bills of the settlement kill test, shared by the
// harness and the test: an outlet that sells off line, two goods, and the
// content of a bill, which follows from its number.

#include "sales/SaleBill.h"
#include "store/MasterStore.h"

#include <cstdint>
#include <string>

namespace pos::test {

inline constexpr const char* kKillSaleDate = "20261209";

inline void AddKillOutlet(TMasterStore& aStore)
{
    const int u = aStore.AddUpjangData();
    aStore.SetUpjangData(u, UpjangItem::UpjangCode, "3101");
    aStore.SetUpjangData(u, UpjangItem::PosNo, "01");
    aStore.SetUpjangData(u, UpjangItem::UpjangType, "30");
    aStore.SetUpjangData(u, UpjangItem::OffLineYN, "Y");
    for (const auto& [code, price] : {std::pair{"1001", "9000"}, std::pair{"1002", "11000"}}) {
        const int g = aStore.AddGoodsData();
        aStore.SetGoodsData(g, GoodsItem::UpjangCode, "3101");
        aStore.SetGoodsData(g, GoodsItem::MenuCode, code);
        aStore.SetGoodsData(g, GoodsItem::MenuName, code);
        aStore.SetGoodsData(g, GoodsItem::SeasonCode, "1");
        aStore.SetGoodsData(g, GoodsItem::BusinessGubun, "1");
        aStore.SetGoodsData(g, GoodsItem::SaleUnitAmt, price);
    }
}

// The card that pays bill n in the card kill test: one card per bill, so
// the card company's ledger tells what each bill's customer was charged.
inline std::string KillCardNo(std::int64_t aBillNo)
{
    std::string digits = std::to_string(aBillNo);
    return "94100000" + std::string(8 - digits.size(), '0') + digits;
}

// Bill n: 1 + n % 3 of the 9,000 item, and the 11,000 item on odd bills.
inline std::int64_t KillBillDue(std::int64_t aBillNo) { return 9000 * (1 + aBillNo % 3) + 11000 * (aBillNo % 2); }

inline void RingUpKillBill(TSaleBill& aBill, std::int64_t aBillNo)
{
    aBill.entry.menuCode = "1001";
    aBill.entry.saleCount = Currency(1 + aBillNo % 3);
    aBill.AddSaleList(0, std::nullopt);
    if (aBillNo % 2 == 1) {
        aBill.entry.menuCode = "1002";
        aBill.entry.saleCount = Currency(1);
        aBill.AddSaleList(0, std::nullopt);
    }
}

}  // namespace pos::test
