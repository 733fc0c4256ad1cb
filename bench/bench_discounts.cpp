// The discount engine's share of CalcSaleList on a long bill: one more line
// rung up on a bill of 300 lines at two outlets, with 20 accepted members
// (rates, fixed prices, once-only, daily and yearly limits) and 50 menu
// prices; then ExecDC, RecreateSaleList and the totals.

#include "core/ScriptedDialogService.h"
#include "core/TerminalContext.h"
#include "discounts/DiscountEngine.h"
#include "sales/SaleLines.h"
#include "store/MasterStore.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace pos;

struct DiscountedBill {
    TTerminalContext context;
    ScriptedDialogService dialogs;
    TNoMasterServer noServer;
    TMasterStore store{context, dialogs, noServer};
    TSaleLines lines{context, store};
    TDiscountEngine engine{context, store};
    std::vector<TSaleList> settled;  // the bill after its last recompute

    DiscountedBill()
    {
        context.gsSaleDate = "20261209";
        const char* outlets[] = {"3101", "3102"};
        for (const char* code : outlets) {
            const int row = store.AddUpjangData();
            store.SetUpjangData(row, UpjangItem::UpjangCode, code);
            store.SetUpjangData(row, UpjangItem::PosNo, "01");
        }
        const int rounding = store.AddCommonData();
        store.SetCommonData(rounding, CommonItem::Head, context.gsCommonDCCalcuCode);
        store.SetCommonData(rounding, CommonItem::Code, "110");
        store.SetCommonData(rounding, CommonItem::Item1, "10");
        for (int i = 0; i < 300; ++i) lines.AddDataList(line(i, outlets[i % 2], 1 + i % 3));
        for (int i = 0; i < 20; ++i) store.glDCMemberData.push_back(member(i, outlets[i % 2]));
        for (int i = 0; i < 50; ++i) store.glDCMenuData.push_back(menu(i, outlets[i % 2]));
        calcSaleList();
        for (int i = 0; i < lines.GetCount(); ++i) settled.push_back(lines.Line(i));
    }

    TSaleList line(int i, const std::string& outlet, int count)
    {
        TSaleList l;
        l.MenuCode = std::to_string(100000 + i);
        l.MenuName = "메뉴 " + l.MenuCode;
        l.UpjangCode = outlet;
        l.PosNo = "01";
        l.SeasonCode = std::string(1, '1');
        l.BusinessGubun = l.SeasonCode;
        l.SaleCount = Currency(count);
        l.SaleUnitAmt = Currency(3000 + i % 40 * 500);
        l.SaleAmt = l.SaleCount * l.SaleUnitAmt;
        l.DCYN = i % 10 != 0;
        l.DCCalcuCode = i % 3 == 0 ? "110" : "";
        l.DaesoCode = std::string(1, i % 7 == 0 ? '2' : '1');
        l.MenuGubunCode = i % 5 == 0 ? "33" : "31";
        l.Order = i + 1;
        return l;
    }

    TDCMemberData member(int i, const std::string& outlet)
    {
        TDCMemberData m;
        m.MultiUpjangCode = outlet;
        m.AcceptMemberNo = m.MemberNo = std::to_string(2000000000 + i);
        m.MemberName = "회원 " + std::to_string(i);
        m.DaesoGubun = i % 4 == 0 ? "2" : context.gsDaesoCodeAll;
        m.DCRate = i % 5 == 0 ? -(2000 + i * 100) : 5 + i * 2;
        m.OnceUseCount = i % 3 == 0 ? 2 : -1;
        m.DailyUseCount = 5 + i;
        m.YearlyUseCount = i % 2 == 0 ? 40 : -1;
        m.Remark = i == 7 ? "[음료무료]" : "";
        m.DCYN = true;
        return m;
    }

    TDCMenuData menu(int i, const std::string& outlet)
    {
        TDCMenuData m;
        m.MultiUpjangCode = outlet;
        m.AcceptMemberNo = m.MemberNo = std::to_string(2000000000 + i % 20);
        m.MenuCode = std::to_string(100000 + i * 6 + (outlet == "3102" ? 1 : 0));
        m.SeasonCode = m.BusinessGubun = "1";
        m.DCAmt = Currency(2500);
        m.OnceUseCount = -1;
        m.DailyUseCount = 1 + i % 4;
        return m;
    }

    // The totals step of CalcSaleList, around the engine.
    Currency calcSaleList()
    {
        engine.ExecDC(lines);
        engine.RecreateSaleList(lines);
        Currency due;
        for (int i = 0; i < lines.GetCount(); ++i) due += lines.Line(i).SaleAmt;
        return due;
    }

    void restore()
    {
        lines.ClearList(false);
        for (const TSaleList& l : settled) lines.AddDataList(l);
    }
};

void BM_CalcSaleListAfterOneMoreLine(benchmark::State& state)
{
    DiscountedBill bill;
    const TSaleList extra = bill.line(300, "3101", 2);
    for (auto _ : state) {
        state.PauseTiming();
        bill.restore();
        state.ResumeTiming();
        bill.lines.AddDataList(extra);
        benchmark::DoNotOptimize(bill.calcSaleList());
    }
    state.counters["rows"] = static_cast<double>(bill.lines.GetCount());
}
BENCHMARK(BM_CalcSaleListAfterOneMoreLine)->Unit(benchmark::kMicrosecond);

}  // namespace
