// Master-data store benchmarks.
//
// Loading: "Goods.dat" with 100,000 goods and "Menu.dat" with 20,000 menus,
// generated here with Korean names, against reading the same bytes raw
// (ReadWholeFile) and raw plus splitting into lines. Look-ups: the goods
// look-ups by outlet, code, season and business day at 100,000 goods, with a
// plain scan for comparison.

#include "core/FileIO.h"
#include "core/ScriptedDialogService.h"
#include "LargeMasterData.h"
#include "store/MasterStore.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace pos {
namespace {

using namespace pos::bench;

struct Fixture {
    std::filesystem::path folder;
    TTerminalContext ctx;
    ScriptedDialogService dialogs;
    std::size_t goodsBytes = 0, menuBytes = 0;
    std::vector<std::pair<std::string, std::string>> keys;  // (outlet, menu) present in the goods

    Fixture()
    {
        folder = std::filesystem::temp_directory_path() / ("pos-bench-store-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        ctx.gsFolder = folder.string() + "/";
        ctx.gsSaleDate = "20240105";
        ctx.gsUpjangCode = outletCode(0);

        TMirrorRows goods, menus, calendar;
        const TMirrorRows upjang = bench::MakeOutletRows();
        bench::MakeGoodsAndMenuRows(goods, menus, &keys);
        calendar.push_back({"20240105", "2", "1", "7731"});
        WriteMirrorFile(folder, TMirrorKind::Upjang, upjang);
        WriteMirrorFile(folder, TMirrorKind::Calendar, calendar);
        WriteMirrorFile(folder, TMirrorKind::Goods, goods);
        WriteMirrorFile(folder, TMirrorKind::Menu, menus);
        goodsBytes = std::filesystem::file_size(folder / "Goods.dat");
        menuBytes = std::filesystem::file_size(folder / "Menu.dat");
    }
    ~Fixture() { std::filesystem::remove_all(folder); }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

// A store with outlets, calendar and goods loaded.
TMasterStore& loadedStore()
{
    static TMasterStore* store = [] {
        Fixture& f = fixture();
        static TNoMasterServer noServer;
        auto* s = new TMasterStore(f.ctx, f.dialogs, noServer);
        s->LoadMirrorFile(TMirrorKind::Upjang);
        s->LoadMirrorFile(TMirrorKind::Calendar);
        s->LoadMirrorFile(TMirrorKind::Goods);
        return s;
    }();
    return *store;
}

void BM_RawRead(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        auto goods = ReadWholeFile(f.folder / "Goods.dat");
        auto menus = ReadWholeFile(f.folder / "Menu.dat");
        benchmark::DoNotOptimize(goods->data());
        benchmark::DoNotOptimize(menus->data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * (f.goodsBytes + f.menuBytes)));
}
BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond);

void BM_RawReadSplitLines(benchmark::State& state)
{
    Fixture& f = fixture();
    std::vector<std::string_view> lines;
    for (auto _ : state) {
        for (const char* name : {"Goods.dat", "Menu.dat"}) {
            auto bytes = ReadWholeFile(f.folder / name);
            lines.clear();
            const char* p = bytes->data();
            const char* end = p + bytes->size();
            while (p < end) {
                const char* nl = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
                if (!nl) nl = end;
                lines.emplace_back(p, static_cast<std::size_t>(nl - p));
                p = nl + 1;
            }
            benchmark::DoNotOptimize(lines.data());
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * (f.goodsBytes + f.menuBytes)));
}
BENCHMARK(BM_RawReadSplitLines)->Unit(benchmark::kMillisecond);

// Reload into the same store (the download's off-line step replaces the lists).
void BM_LoadGoodsAndMenus(benchmark::State& state)
{
    Fixture& f = fixture();
    TNoMasterServer storeServer;
    TMasterStore store(f.ctx, f.dialogs, storeServer);
    for (auto _ : state) {
        store.LoadMirrorFile(TMirrorKind::Goods);
        store.LoadMirrorFile(TMirrorKind::Menu);
        benchmark::DoNotOptimize(store.glGoodsData.data());
    }
    if (store.glGoodsData.size() != kGoods || store.glMenuData.size() != kMenus || !store.MirrorProblems.empty())
        state.SkipWithError("load incomplete");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * (f.goodsBytes + f.menuBytes)));
    state.counters["goods"] = static_cast<double>(store.glGoodsData.size());
    state.counters["menus"] = static_cast<double>(store.glMenuData.size());
}
BENCHMARK(BM_LoadGoodsAndMenus)->Unit(benchmark::kMillisecond);

// A fresh store each time (start-up: nothing allocated yet).
void BM_LoadGoodsAndMenusFreshStore(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        TNoMasterServer storeServer;
        TMasterStore store(f.ctx, f.dialogs, storeServer);
        store.LoadMirrorFile(TMirrorKind::Goods);
        store.LoadMirrorFile(TMirrorKind::Menu);
        benchmark::DoNotOptimize(store.glGoodsData.data());
        state.PauseTiming();  // freeing 100,000 records is not loading
        store.glGoodsData = {};
        store.glMenuData = {};
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * (f.goodsBytes + f.menuBytes)));
}
BENCHMARK(BM_LoadGoodsAndMenusFreshStore)->Unit(benchmark::kMillisecond);

// The floor set by the record layout: the same 120,000 records built from
// values that are already cut and decoded (no file, no parsing).
void BM_FillFromDecodedRows(benchmark::State& state)
{
    Fixture& f = fixture();
    TMirrorRows goodsRows, menuRows;
    MakeGoodsAndMenuRows(goodsRows, menuRows);
    TNoMasterServer storeServer;
    TMasterStore store(f.ctx, f.dialogs, storeServer);
    for (auto _ : state) {
        store.FillFromServerRows(TMirrorKind::Goods, goodsRows);
        store.FillFromServerRows(TMirrorKind::Menu, menuRows);
        benchmark::DoNotOptimize(store.glGoodsData.data());
    }
}
BENCHMARK(BM_FillFromDecodedRows)->Unit(benchmark::kMillisecond);

void BM_GoodsIndexBuild(benchmark::State& state)
{
    TMasterStore& s = loadedStore();
    for (auto _ : state) {
        s.InvalidateIndexes();
        benchmark::DoNotOptimize(s.GetGoodsDataIndex(outletCode(1), menuCode(1)));
    }
}
BENCHMARK(BM_GoodsIndexBuild)->Unit(benchmark::kMillisecond);

void BM_GetGoodsDataIndex(benchmark::State& state)
{
    TMasterStore& s = loadedStore();
    const auto& keys = fixture().keys;
    std::mt19937 rng(1);
    std::size_t hits = 0, i = rng() % keys.size();
    s.GetGoodsDataIndex(keys[0].first, keys[0].second);  // index built
    for (auto _ : state) {
        const auto& k = keys[i];
        hits += s.GetGoodsDataIndex(k.first, k.second) >= 0;
        i = (i + 7919) % keys.size();
    }
    benchmark::DoNotOptimize(hits);
    state.counters["hit%"] = 100.0 * static_cast<double>(hits) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_GetGoodsDataIndex)->Unit(benchmark::kMicrosecond);

void BM_GetGoodsDataIndexAnyOutlet(benchmark::State& state)
{
    TMasterStore& s = loadedStore();
    std::size_t hits = 0;
    int i = 0;
    std::string upjang, pos;
    for (auto _ : state) {
        hits += s.GetGoodsDataIndex(menuCode(i), upjang, pos) >= 0;
        i = (i + 7919) % kMenuCodes;
    }
    benchmark::DoNotOptimize(hits);
    state.counters["hit%"] = 100.0 * static_cast<double>(hits) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_GetGoodsDataIndexAnyOutlet)->Unit(benchmark::kMicrosecond);

void BM_GetGoodsDataByKeys(benchmark::State& state)
{
    TMasterStore& s = loadedStore();
    const auto& keys = fixture().keys;
    std::size_t i = 0;
    std::int64_t sum = 0;
    const std::string season = "2", kind = "1";
    for (auto _ : state) {
        const auto& k = keys[i];
        sum += s.GetGoodsData(k.first, k.second, season, kind, GoodsItem::SaleUnitAmt).asAmount().truncWon();
        i = (i + 7919) % keys.size();
    }
    benchmark::DoNotOptimize(sum);
}
BENCHMARK(BM_GetGoodsDataByKeys)->Unit(benchmark::kMicrosecond);

// The plain scan the index replaces, for comparison.
void BM_GetGoodsDataIndexPlainScan(benchmark::State& state)
{
    TMasterStore& s = loadedStore();
    const auto& keys = fixture().keys;
    std::size_t i = 0;
    for (auto _ : state) {
        const auto& k = keys[i];
        int found = -1;
        for (std::size_t r = 0; r < s.glGoodsData.size(); ++r)
            if (s.glGoodsData[r].UpjangCode == k.first && s.glGoodsData[r].MenuCode == k.second) found = static_cast<int>(r);
        benchmark::DoNotOptimize(found);
        i = (i + 7919) % keys.size();
    }
}
BENCHMARK(BM_GetGoodsDataIndexPlainScan)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pos
