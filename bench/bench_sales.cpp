// Ringing up one item on a long bill: AddSaleList (with the CalcSaleList it
// ends in) on a bill of 300 lines, for a new line and for a merge.

#include "NoOpSale.h"

#include "core/ScriptedDialogService.h"
#include "core/TerminalContext.h"
#include "store/MasterStore.h"
#include "sales/SaleBill.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace pos;

struct Terminal300 {
    TTerminalContext context;
    ScriptedDialogService dialogs;
    TNoMasterServer storeServer;
    TMasterStore store{context, dialogs, storeServer};
    test::NoSaleHooks hooks;
    TSaleBill bill{context, store, dialogs, hooks};

    explicit Terminal300(int goods)
    {
        context.gsSaleDate = "20261209";
        context.gsUpjangCode = "3101";
        context.gsPosNo = "01";
        const int upjang = store.AddUpjangData();
        store.SetUpjangData(upjang, 0, "3101");
        store.SetUpjangData(upjang, 1, "01");
        for (int i = 0; i < goods; ++i) {
            const int row = store.AddGoodsData();
            store.SetGoodsData(row, 0, "3101");
            store.SetGoodsData(row, 1, std::to_string(100000 + i));
            store.SetGoodsData(row, 2, "1");
            store.SetGoodsData(row, 3, "1");
            store.SetGoodsData(row, 4, "메뉴 " + std::to_string(i));
            store.SetGoodsData(row, 9, std::to_string(1000 + i % 50 * 100));
        }
        for (int i = 0; i < 300; ++i) enter(100000 + i);
    }

    void enter(int code)
    {
        bill.entry.menuCode = std::to_string(code);
        bill.entry.saleCount = Currency(1);
        bill.AddSaleList(0, std::nullopt);
    }
};

void BM_AddNewLineTo300LineBill(benchmark::State& state)
{
    Terminal300 t(100000);
    int next = 300;
    for (auto _ : state) {
        t.enter(100000 + next);
        state.PauseTiming();
        t.bill.Lines().DeleteList(-1, false);  // back to 300 lines
        next = next + 1 < 100000 ? next + 1 : 300;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddNewLineTo300LineBill)->Unit(benchmark::kMicrosecond);

void BM_MergeInto300LineBill(benchmark::State& state)
{
    Terminal300 t(1000);
    int code = 0;
    for (auto _ : state) {
        t.enter(100000 + code);  // merges and moves the line to the end
        code = (code + 1) % 300;
    }
}
BENCHMARK(BM_MergeInto300LineBill)->Unit(benchmark::kMicrosecond);

}  // namespace
