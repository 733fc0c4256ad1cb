// Settling a bill on the local server: a 10-line bill paid with two tenders
// (cash and a card paid on the EasyCheck terminal) through the settlement,
// against the minimum, the same statements sent as one batch in one round
// trip; and 8 terminals settling at once for 30 seconds, with a count of
// the bills stored against those reported. Run it with the cluster of
// scripts/db: eval "$(scripts/db env)".

#include "NoOpSale.h"
#include "PgTestDatabase.h"

#include "core/IniFile.h"
#include "core/ScriptedDialogService.h"
#include "db/DataModule.h"
#include "db/SqlParams.h"
#include "lookups/Lookups.h"
#include "payment/PayRecorder.h"
#include "sales/SaleBill.h"
#include "sales/SaleView.h"
#include "sales/recording/BillNumbers.h"
#include "sales/recording/PayRecording.h"
#include "sales/recording/SaleRows.h"
#include "sales/recording/Settlement.h"
#include "store/MasterStore.h"
#include "sync/OffLineQueue.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace pos {
namespace {

// Two tenders: 50,000 on a card through the EasyCheck terminal, the rest in
// cash.
TPayLines twoTenders(const TTerminalContext& aCtx, Currency aDue)
{
    TPayLines lines;
    lines.offeredKinds = {aCtx.giPayCash, aCtx.giPayEasyCheck};
    TPayCardList card;
    card.CardNo = "9410123412341234";
    card.VaildThru = "28/12";
    card.HalbuMonth = "0개월";
    card.AgreeNo = "이지체크";
    card.Amt = Currency(50000);
    card.AgreeDate = aCtx.gsToday;
    lines.easyCheck.push_back(card);
    TPayCashList cash;
    cash.ManYNName = "현금";
    cash.Amt = cash.AgreeAmt = aDue - card.Amt;
    cash.AgreeDate = aCtx.gsToday;
    lines.cash.push_back(cash);
    lines.due = aDue;
    lines.received = aDue;
    return lines;
}

struct PayScreen final : TPaymentScreen {
    explicit PayScreen(TTerminalContext& aCtx) : ctx(aCtx) {}
    bool OffersTenders() override { return true; }
    void BillStored(const TPayLines&) override {}  // cash only: no approvals to settle
    void BillNotStored(const TPayLines&) override {}
    bool Run(TPayRecorder& aRecorder, Currency aDue, TPayShown& aShown) override
    {
        const TPayLines lines = twoTenders(ctx, aDue);
        if (!aRecorder.SavePayData(lines).saved) return false;
        aShown = {lines.received, Currency(), lines.cash.front().Amt};
        return true;
    }
    TTerminalContext& ctx;
};

struct NoPrinter final : TBillPrinter {
    void PrintBill(const TStoredBill&, bool) override {}
};

// One terminal on the benchmark database: POS aPosNo of outlet 3101, ten
// goods, its own program folder.
struct Terminal {
    Terminal(const test::PgTestDatabase& aDb, const std::string& aPosNo)
    {
        folder = std::filesystem::temp_directory_path() / ("bench_settlement_" + aPosNo);
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        IniFile posIp;
        posIp.writeInteger("MAIN", "Port", aDb.port());
        posIp.save(folder / "POSIP.ini");
        ctx.gsFolder = folder.string() + "/";
        ctx.gsServerIP = aDb.host();
        ctx.gsServerDB = aDb.name();
        ctx.gsToday = ctx.gsSaleDate = "20261209";
        ctx.gsMasterUpjangCode = ctx.gsUpjangCode = "3101";
        ctx.gsMasterUpjangName = "한식당";
        ctx.gsMasterPosNo = ctx.gsPosNo = aPosNo;
        ctx.gsCashier = "1001";
        ctx.gsIP = "10.0.0.7";
        catalogue.ReadSQLList(std::filesystem::path(POS_SOURCE_DIR) / "db" / "POSSQL.ini");
        data = std::make_unique<TfrmData>(ctx, catalogue, dialogs, policy);
        data->DataModuleCreate(aDb.user());
        const int u = store.AddUpjangData();
        store.SetUpjangData(u, UpjangItem::UpjangCode, "3101");
        store.SetUpjangData(u, UpjangItem::PosNo, aPosNo);
        store.SetUpjangData(u, UpjangItem::UpjangType, "30");
        for (int i = 0; i < 10; ++i) {
            const int g = store.AddGoodsData();
            store.SetGoodsData(g, GoodsItem::UpjangCode, "3101");
            store.SetGoodsData(g, GoodsItem::MenuCode, std::to_string(1001 + i));
            store.SetGoodsData(g, GoodsItem::MenuName, "메뉴 " + std::to_string(i + 1));
            store.SetGoodsData(g, GoodsItem::SeasonCode, "1");
            store.SetGoodsData(g, GoodsItem::BusinessGubun, "1");
            store.SetGoodsData(g, GoodsItem::SaleUnitAmt, std::to_string(8000 + 500 * i));
        }
        lookups = std::make_unique<TLookups>(*data, store);
        made = std::make_unique<TSettlement>(ctx, store, *data, queues, numbers, *lookups, dialogs, payScreen, printer);
    }
    void ringUp()
    {
        bill.ClearBill();
        for (int i = 0; i < 10; ++i) {
            bill.entry.menuCode = std::to_string(1001 + i);
            bill.entry.saleCount = Currency(1);
            bill.AddSaleList(0, std::nullopt);
        }
    }
    bool connect() { return data->ConnectDB(false, false); }

    std::filesystem::path folder;
    TTerminalContext ctx;
    TSqlCatalogue catalogue;
    ScriptedDialogService dialogs;
    TSellsOffLinePolicy policy;
    std::unique_ptr<TfrmData> data;
    TNoMasterServer noServer;
    TMasterStore store{ctx, dialogs, noServer};
    test::NoSaleHooks hooks;
    TSaleBill bill{ctx, store, dialogs, hooks};
    test::NoSaleView view{bill};
    TOffLineStore queues{ctx, dialogs};
    TBillNumbers numbers{ctx, dialogs};
    PayScreen payScreen{ctx};
    NoPrinter printer;
    std::unique_ptr<TLookups> lookups;      // made with the data module, in the constructor
    std::unique_ptr<TSettlement> made;
    TSettlement& settlement() { return *made; }
};

// A catalogue statement with its values written in (an empty value is NULL,
// as the data module binds it).
std::string literal(const TSqlCatalogue& aCatalogue, const std::string& aKey, const std::vector<std::string>& aValues)
{
    const TBoundSql bound = RewriteParameters(aCatalogue.GetSQL(aKey));
    std::string sql = bound.text;
    for (std::size_t k = bound.parameters.size(); k-- > 0;) {
        std::string marker(1, '$');
        marker += std::to_string(k + 1);
        const std::string& value = aValues.at(static_cast<std::size_t>(bound.parameters[k]));
        std::string text("NULL");
        if (!value.empty()) {
            text.assign(1, '\'');
            for (char c : value) {
                text.push_back(c);
                if (c == '\'') text.push_back(c);
            }
            text.push_back('\'');
        }
        for (std::size_t at = sql.find(marker); at != std::string::npos; at = sql.find(marker, at + text.size()))
            if (at + marker.size() >= sql.size() || !std::isdigit(static_cast<unsigned char>(sql[at + marker.size()])))
                sql.replace(at, marker.size(), text);
    }
    return sql;
}

void BM_SettleTenLinesTwoTenders(benchmark::State& state)
{
    test::PgTestDatabase db;
    Terminal t(db, "01");
    if (!t.connect()) return state.SkipWithError("cannot connect: scripts/db start && eval \"$(scripts/db env)\"");
    t.numbers.Load();
    for (auto _ : state) {
        state.PauseTiming();
        t.ringUp();
        state.ResumeTiming();
        if (t.settlement().Pay(t.view) != TSettlement::TOutcome::Stored) return state.SkipWithError("not stored");
    }
}
BENCHMARK(BM_SettleTenLinesTwoTenders)->Unit(benchmark::kMillisecond)->Iterations(300);

// The same statements, written in, as one batch in one round trip: the
// closing checks, the number check, the card base, the payment rows and the
// sale rows, in one transaction.
void BM_MinimumOneBatch(benchmark::State& state)
{
    test::PgTestDatabase db;
    Terminal t(db, "01");
    if (!t.connect()) return state.SkipWithError("cannot connect");
    TConnectResult raw = OpenConnection(TDbLogin{db.host(), db.port(), db.name(), db.user(), db.password(), {}}, TDbTimeouts{});
    if (!raw.conn) return state.SkipWithError(raw.error.message.c_str());
    std::int64_t billNo = 0;
    for (auto _ : state) {
        state.PauseTiming();
        t.ringUp();
        t.ctx.giBillNo = ++billNo;
        t.ctx.gsBillNo = FormatBillNo(billNo);
        // The rows the settlement writes for this bill.
        t.ctx.gbOffLine = true;
        TPayRecording recording(t.ctx, t.store, t.bill, *t.data, *t.lookups, t.dialogs, [] {});
        recording.SavePayData(twoTenders(t.ctx, t.bill.Totals().due));
        t.ctx.gbOffLine = false;
        const TSaleRows sale = TSaleRowsBuilder(t.ctx, t.store, t.bill).SaleRows({false, false});
        const std::vector<std::string> bill{t.ctx.gsToday, "3101", "01", t.ctx.gsBillNo, "Y"};
        std::string batch = "BEGIN;\n";
        batch += literal(t.catalogue, "IZD000-CheckClosed-1", {t.ctx.gsSaleDate, "3101"}) + ";\n";
        batch += literal(t.catalogue, "IZD000-CheckClosed-2", {t.ctx.gsSaleDate, "3101", "01"}) + ";\n";
        batch += literal(t.catalogue, "IZD000-CheckClosed-3", {}) + ";\n";
        batch += literal(t.catalogue, "IAI010-CheckMaxBillNo", {t.ctx.gsSaleDate, "3101", "01"}) + ";\n";
        batch += literal(t.catalogue, "ICI010-SavePayData-Card-1", bill) + ";\n";
        for (const TStoredRow& row : recording.OffLineRows()) batch += literal(t.catalogue, row.key, row.params) + ";\n";
        for (const TStoredRow& row : sale.rows) batch += literal(t.catalogue, row.key, row.params) + ";\n";
        batch += "COMMIT;";
        state.ResumeTiming();
        PgResultHandle result(PQexec(raw.conn.get(), batch.c_str()));
        if (PQresultStatus(result.get()) != PGRES_COMMAND_OK) {
            std::fprintf(stderr, "%s\n", batch.c_str());
            return state.SkipWithError(PQerrorMessage(raw.conn.get()));
        }
    }
}
BENCHMARK(BM_MinimumOneBatch)->Unit(benchmark::kMillisecond)->Iterations(300);

// Eight terminals (POS 01 .. 08 of one outlet) settle as fast as they can
// for 30 seconds. Every bill a terminal reports stored must be on the server
// once, and nothing else.
void BM_EightTerminalsThirtySeconds(benchmark::State& state)
{
    test::PgTestDatabase db;
    std::vector<std::unique_ptr<Terminal>> terminals;
    for (int i = 1; i <= 8; ++i) {
        const std::string posNo = "0" + std::to_string(i);
        db.query("INSERT INTO upjang (upjang_code, upjang_name) VALUES ('3101', '한식당') ON CONFLICT DO NOTHING");
        db.query("INSERT INTO upjang_pos (upjang_code, pos_no) VALUES ('3101', '" + posNo + "')");
        terminals.push_back(std::make_unique<Terminal>(db, posNo));
        if (!terminals.back()->connect()) return state.SkipWithError("cannot connect");
        terminals.back()->numbers.Load();
    }
    for (auto _ : state) {
        std::atomic<long> stored{0}, failed{0};
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        std::vector<std::thread> threads;
        for (auto& terminal : terminals)
            threads.emplace_back([&, t = terminal.get()] {
                while (std::chrono::steady_clock::now() < until) {
                    t->ringUp();
                    if (t->settlement().Pay(t->view) == TSettlement::TOutcome::Stored) ++stored;
                    else ++failed;
                }
            });
        for (auto& thread : threads) thread.join();
        const long onServer = std::stol(db.query("SELECT count(*) FROM (SELECT DISTINCT pos_no, bill_no FROM pay) b"));
        const long whole = std::stol(db.query(
            "SELECT count(*) FROM (SELECT pos_no, bill_no, sum(amt) AS p FROM pay GROUP BY 1, 2) p "
            "JOIN (SELECT pos_no, bill_no, sum(sale_amt) AS s FROM sale GROUP BY 1, 2) s USING (pos_no, bill_no) "
            "WHERE p = s"));
        state.counters["bills_per_s"] = static_cast<double>(stored) / 30.0;
        state.counters["stored"] = static_cast<double>(stored);
        state.counters["failed"] = static_cast<double>(failed);
        state.counters["missing_or_extra"] = static_cast<double>(onServer - stored);
        state.counters["not_whole"] = static_cast<double>(onServer - whole);
    }
}
BENCHMARK(BM_EightTerminalsThirtySeconds)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace
}  // namespace pos
