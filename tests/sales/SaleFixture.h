#pragma once
// A terminal with a small resort: outlets, goods and a guest-type code, the
// scripted dialogs and hooks that record what the bill sent out.

#include "core/ScriptedDialogService.h"
#include "core/TerminalContext.h"
#include "store/MasterStore.h"
#include "sales/SaleBill.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace pos::test {

// The bill's outside world, recorded; guest counts answered from a script.
struct RecordingHooks : TSaleHooks {
    explicit RecordingHooks(TTerminalContext& aContext) : context(aContext) {}

    std::vector<std::pair<std::string, std::string>> display;
    int discountRuns = 0;
    int billNumberReads = 0;
    bool reloadMemberDiscounts = false;
    struct GuestCount {
        std::int64_t korean, foreign;
    };
    std::deque<GuestCount> guestCounts;  // none left: the counts are not taken
    int guestCountAsked = 0;

    void ExecDC(TSaleLines&) override { ++discountRuns; }
    void RecreateSaleList(TSaleLines&) override {}
    bool ClearDCModule() override { return reloadMemberDiscounts; }
    void ShowLineDisplay(const std::string& a, const std::string& b) override { display.emplace_back(a, b); }
    void ClearPrintLists() override {}
    void EndPreSale() override {}
    void GetMaxBillNo() override { ++billNumberReads; }
    void ShowSaleGubun() override {}
    void ShowWaitCount() override {}
    void ShowBillNo() override {}
    void PressFirstMenuButtons() override {}
    void OpenSkiSchool() override {}
    bool GetGuestCount(bool) override
    {
        ++guestCountAsked;
        if (guestCounts.empty()) return false;
        context.giKoreanCount = guestCounts.front().korean;
        context.giForeignCount = guestCounts.front().foreign;
        guestCounts.pop_front();
        return true;
    }

    TTerminalContext& context;
};

class SaleFixture : public ::testing::Test {
protected:
    SaleFixture() : store(context, dialogs, noServer), hooks(context), bill(context, store, dialogs, hooks)
    {
        context.gsSaleDate = "20261209";
        context.gsUpjangCode = context.gsMasterUpjangCode = "3101";
        context.gsPosNo = context.gsMasterPosNo = "01";
        addUpjang("3101", "01", "한식당", "30");
        addUpjang("3102", "02", "바", "30");
        addGoods("3101", "1001", "김치찌개", "9000");
        addGoods("3101", "1002", "비빔밥", "11000");
        addGoods("3102", "2001", "생맥주", "7000");
        int row = store.AddCommonData();
        store.SetCommonData(row, 0, context.gsCommonGuestType);
        store.SetCommonData(row, 1, "100");
        store.SetCommonData(row, 2, "임직원");
    }

    int addUpjang(const std::string& code, const std::string& posNo, const std::string& name, const std::string& type)
    {
        const int row = store.AddUpjangData();
        store.SetUpjangData(row, 0, code);
        store.SetUpjangData(row, 1, posNo);
        store.SetUpjangData(row, 2, name);
        store.SetUpjangData(row, 4, type);
        return row;
    }

    int addGoods(const std::string& upjang, const std::string& code, const std::string& name, const std::string& price,
                 const std::string& taxCode = "1")
    {
        const int row = store.AddGoodsData();
        store.SetGoodsData(row, 0, upjang);
        store.SetGoodsData(row, 1, code);
        store.SetGoodsData(row, 2, "1");
        store.SetGoodsData(row, 3, "1");
        store.SetGoodsData(row, 4, name);
        store.SetGoodsData(row, 8, taxCode);
        store.SetGoodsData(row, 9, price);
        return row;
    }

    // Types a code and a quantity and confirms, as the cashier does.
    TAddResult enter(const std::string& code, int quantity = 1, std::optional<Currency> openPrice = std::nullopt)
    {
        bill.entry.menuCode = code;
        bill.entry.saleCount = Currency(quantity);
        return bill.AddSaleList(0, openPrice);
    }

    // Touches row aRow and confirms a new quantity.
    TAddResult recount(int aRow, int quantity)
    {
        bill.Lines().TouchRow(aRow - bill.Lines().FirstRow());
        EXPECT_TRUE(bill.entry.modifyMode);
        bill.entry.saleCount = Currency(quantity);
        return bill.AddSaleList(0, std::nullopt);
    }

    void startReturnBill()
    {
        context.giSaleGubun = 2;
        context.giSign = -1;
    }

    const TSaleList& line(int row) { return bill.Lines().Line(row); }
    int count() { return bill.Lines().GetCount(); }

    TTerminalContext context;
    ScriptedDialogService dialogs;
    TNoMasterServer noServer;
    TMasterStore store;
    RecordingHooks hooks;
    TSaleBill bill;
};

}  // namespace pos::test
