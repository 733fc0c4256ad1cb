#pragma once
// A terminal of the table-service restaurant "3101" (which also sells the
// bar "3102"'s drinks under its POS "02") against the real server of
// scripts/db: the outlets and goods are on the server too, so a table bill
// loads its goods' names and flags from there.

#include "SaleFixture.h"
#include "ServerTerminal.h"

#include "sales/SaleBill.h"
#include "sales/tables/TableBills.h"
#include "store/MasterStore.h"

#include <gtest/gtest.h>

#include <string>

namespace pos::test {

class TableFixture : public ServerTerminal {
protected:
    TableFixture()
    {
        ctx.gsSaleDate = ctx.gsToday = "20261209";
        ctx.gsMasterUpjangCode = ctx.gsUpjangCode = "3101";
        ctx.gsMasterPosNo = ctx.gsPosNo = "01";
        ctx.giTableNo = 7;
        const int u = store.AddUpjangData();
        store.SetUpjangData(u, UpjangItem::UpjangCode, "3101");
        store.SetUpjangData(u, UpjangItem::PosNo, "01");
        store.SetUpjangData(u, UpjangItem::UpjangType, "30");
        store.SetUpjangData(u, UpjangItem::FirstFormCode, ctx.gsFormOrderTable);
        store.SetUpjangData(u, UpjangItem::OffLineYN, "Y");
        const int bar = store.AddUpjangData();
        store.SetUpjangData(bar, UpjangItem::UpjangCode, "3102");
        store.SetUpjangData(bar, UpjangItem::PosNo, "02");
        store.SetUpjangData(bar, UpjangItem::UpjangType, "30");
        addGoods("3101", "1001", "김치찌개", "9000", true);
        addGoods("3101", "1002", "비빔밥", "11000", true);
        addGoods("3102", "2001", "생맥주", "7000", false);
        db.query("INSERT INTO upjang (upjang_code, upjang_name) VALUES ('3101', '한식당'), ('3102', '바')");
        db.query("INSERT INTO upjang_pos (upjang_code, pos_no) VALUES ('3101', '01')");
        db.query("INSERT INTO pos_sale_upjang (upjang_code, pos_no, sale_upjang_code, sale_pos_no) "
                 "VALUES ('3101', '01', '3102', '02')");
        db.query("INSERT INTO goods (upjang_code, menu_code, menu_name, sale_unit_amt, kitchen_prt_yn, menu_gubun) "
                 "VALUES ('3101', '1001', '김치찌개', 9000, 'Y', 'A'), ('3101', '1002', '비빔밥', 11000, 'Y', 'A'), "
                 "('3102', '2001', '생맥주', 7000, 'N', 'B')");
        EXPECT_TRUE(data->ConnectDB(true, false));
    }

    void addGoods(const std::string& aUpjang, const std::string& aCode, const std::string& aName,
                  const std::string& aPrice, bool aKitchen)
    {
        const int g = store.AddGoodsData();
        store.SetGoodsData(g, GoodsItem::UpjangCode, aUpjang);
        store.SetGoodsData(g, GoodsItem::MenuCode, aCode);
        store.SetGoodsData(g, GoodsItem::MenuName, aName);
        store.SetGoodsData(g, GoodsItem::SeasonCode, "1");
        store.SetGoodsData(g, GoodsItem::BusinessGubun, "1");
        store.SetGoodsData(g, GoodsItem::SaleUnitAmt, aPrice);
        store.SetGoodsData(g, GoodsItem::KitchenPrtYN, aKitchen ? "Y" : "N");
    }
    void ringUp(const std::string& aCode, int aCount = 1, const std::string& aUpjang = "3101")
    {
        bill.entry.menuCode = aCode;
        bill.entry.saleCount = Currency(aCount);
        bill.entry.upjangCode = aUpjang;
        bill.entry.posNo = aUpjang == "3101" ? "01" : "02";
        ASSERT_NE(bill.AddSaleList(0, std::nullopt), TAddResult::UnknownCode);
    }
    // What the server holds for a table, read behind the terminal's back.
    int storedLines(int aTable = 7, const char* aDate = "20261209") const
    {
        return count("SELECT count(*) FROM table_order_line WHERE table_no = " + std::to_string(aTable) +
                     " AND sale_date = '" + aDate + "'");
    }
    bool stored(int aTable = 7, const char* aDate = "20261209") const
    {
        return count("SELECT count(*) FROM table_order WHERE table_no = " + std::to_string(aTable) +
                     " AND sale_date = '" + aDate + "'") == 1;
    }
    // The bill left and chosen again: cleared, then loaded.
    void reload()
    {
        bill.ClearBill();
        tables.LoadTableData(bill);
    }

    TNoMasterServer noServer;
    TMasterStore store{ctx, dialogs, noServer};
    RecordingHooks hooks{ctx};
    TSaleBill bill{ctx, store, dialogs, hooks};
    TTableBills tables{ctx, store, *data, dialogs};
};

}  // namespace pos::test
