// The master-data download and the off-line upload on the local server, in
// one run:
//   BM_CopyGoodsAndMenus      COPY (the download's goods and menu selects) TO STDOUT,
//                             raw libpq: the floor the download is held to;
//   BM_DownloadGoodsAndMenus  the download's goods and menu steps into the lists
//                             and the mirror files "Goods.dat" and "Menu.dat";
//   BM_Upload10000Bills       UploadData of 10,000 queued bills (two sale rows and
//                             a payment row each); bills_per_second is the figure.
// The data comes from tools/large-data/large-data.sql (100,000 goods, 20,000
// menus), loaded into a database of its own made from the migrated template.
// Run with the cluster of scripts/db: eval "$(scripts/db env)".

#include "core/FileIO.h"
#include "core/IniFile.h"
#include "core/ScriptedDialogService.h"
#include "db/DataModule.h"
#include "sync/Download.h"
#include "db/SqlParams.h"
#include "sync/Upload.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace pos {
namespace {

namespace fs = std::filesystem;
const char* const kNoServer = "POS_DB_* not set: scripts/db start && eval \"$(scripts/db env)\"";
const char* const kDatabase = "pos_bench_sync";

// The terminal's role, or the schema's owner (who makes the database and
// may empty its tables).
std::optional<TDbLogin> benchLogin(const char* aDatabase, bool aOwner = false)
{
    const char* host = std::getenv("POS_DB_HOST");
    const char* port = std::getenv("POS_DB_PORT");
    const char* user = std::getenv(aOwner ? "POS_DB_OWNER" : "POS_DB_USER");
    const char* password = std::getenv(aOwner ? "POS_DB_OWNER_PASSWORD" : "POS_DB_PASSWORD");
    if (!host || !port || !user || !password) return std::nullopt;
    TDbLogin login;
    login.host = host;
    login.port = std::atoi(port);
    login.database = aDatabase;
    login.user = user;
    login.password = password;
    return login;
}

bool exec(PGconn* aConn, const std::string& aSql, std::string* aError = nullptr)
{
    PgResultHandle r(PQexec(aConn, aSql.c_str()));
    const auto status = PQresultStatus(r.get());
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return true;
    if (aError) *aError = PQerrorMessage(aConn);
    return false;
}

// The benchmark database with the large data set, made once per run.
const char* prepareDatabase()
{
    static std::string failure = [] {
        const auto admin = benchLogin("postgres", true);
        if (!admin) return std::string(kNoServer);
        TConnectResult c = OpenConnection(*admin, TDbTimeouts{});
        if (!c.conn) return c.error.message;
        const char* tmpl = std::getenv("POS_DB_TEMPLATE");
        std::string error;
        if (!exec(c.conn.get(), std::string("DROP DATABASE IF EXISTS ") + kDatabase + " WITH (FORCE)", &error) ||
            !exec(c.conn.get(), std::string("CREATE DATABASE ") + kDatabase + " TEMPLATE " + (tmpl ? tmpl : "pos_template"), &error))
            return error;
        TConnectResult db = OpenConnection(*benchLogin(kDatabase, true), TDbTimeouts{});
        if (!db.conn) return db.error.message;
        exec(db.conn.get(), "SET statement_timeout = 0");
        const auto sql = ReadWholeFile(fs::path(POS_SOURCE_DIR) / "tools" / "large-data" / "large-data.sql");
        if (!sql || !exec(db.conn.get(), *sql, &error)) return "large-data.sql: " + error;
        return std::string();
    }();
    return failure.empty() ? nullptr : failure.c_str();
}

// A terminal 7001/01 wired to the benchmark database.
struct Terminal {
    Terminal()
    {
        folder = fs::temp_directory_path() / "bench_sync";
        fs::remove_all(folder);
        fs::create_directories(folder);
        const auto login = benchLogin(kDatabase);
        IniFile posIp;
        posIp.writeInteger("MAIN", "Port", login->port);
        posIp.save(folder / "POSIP.ini");
        ctx.gsFolder = folder.string() + "/";
        ctx.gsToday = "20240105";
        ctx.gsMasterUpjangCode = ctx.gsUpjangCode = "7001";
        ctx.gsMasterPosNo = ctx.gsPosNo = "01";
        ctx.gsServerIP = login->host;
        ctx.gsServerDB = login->database;
        catalogue.ReadSQLList(fs::path(POS_SOURCE_DIR) / "db" / "POSSQL.ini");
        data = std::make_unique<TfrmData>(ctx, catalogue, dialogs, offLinePolicy);
        data->DataModuleCreate(login->user);
        TDbTimeouts timeouts;
        timeouts.statementTimeoutMs = 0;
        data->SetTimeouts(timeouts);
    }
    fs::path folder;
    TTerminalContext ctx;
    TSqlCatalogue catalogue;
    ScriptedDialogService dialogs;
    TSellsOffLinePolicy offLinePolicy;
    std::unique_ptr<TfrmData> data;
    TNoMasterServer storeServer;
    TMasterStore store{ctx, dialogs, storeServer};
    TOffLineStore queues{ctx, dialogs};
};

// A catalogue statement with its parameters written in, for COPY (which
// takes none).
std::string withLiterals(const TSqlCatalogue& aCatalogue, const char* aKey, const std::vector<std::string>& aValues)
{
    const TBoundSql bound = RewriteParameters(aCatalogue.GetSQL(aKey));
    std::string sql = bound.text;
    for (std::size_t k = bound.parameters.size(); k-- > 0;) {
        std::string marker(1, '$');
        marker.append(std::to_string(k + 1));
        std::string literal(1, '\'');
        literal.append(aValues[static_cast<std::size_t>(bound.parameters[k])]).push_back('\'');
        for (std::size_t at = sql.find(marker); at != std::string::npos; at = sql.find(marker, at + literal.size()))
            sql.replace(at, marker.size(), literal);
    }
    return sql;
}

void BM_CopyGoodsAndMenus(benchmark::State& state)
{
    if (const char* failure = prepareDatabase()) return state.SkipWithError(failure);
    Terminal t;
    TConnectResult c = OpenConnection(*benchLogin(kDatabase), TDbTimeouts{});
    if (!c.conn) return state.SkipWithError(c.error.message.c_str());
    const std::vector<std::string> params = {"7001", "01", "Y", "N"};
    std::string goods = "COPY (", menus = "COPY (";
    goods.append(withLiterals(t.catalogue, "IAB030-DownloadGoods", params)).append(") TO STDOUT");
    menus.append(withLiterals(t.catalogue, "IAB030-DownloadMenu-1", params)).append(") TO STDOUT");
    std::int64_t bytes = 0, rows = 0;
    for (auto _ : state) {
        for (const std::string* select : {&goods, &menus}) {
            PgResultHandle r(PQexec(c.conn.get(), select->c_str()));
            if (PQresultStatus(r.get()) != PGRES_COPY_OUT) return state.SkipWithError(PQerrorMessage(c.conn.get()));
            char* buffer = nullptr;
            int n;
            while ((n = PQgetCopyData(c.conn.get(), &buffer, 0)) > 0) {
                bytes += n;
                ++rows;
                PQfreemem(buffer);
            }
            PgResultHandle end(PQgetResult(c.conn.get()));
        }
    }
    state.counters["rows"] = benchmark::Counter(static_cast<double>(rows) / static_cast<double>(state.iterations()));
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_CopyGoodsAndMenus)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_DownloadGoodsAndMenus(benchmark::State& state)
{
    if (const char* failure = prepareDatabase()) return state.SkipWithError(failure);
    Terminal t;
    TDataDownload down(*t.data, t.store);
    if (!down.DownloadUpjang()) return state.SkipWithError(down.LastReason().c_str());
    for (auto _ : state) {
        if (!down.DownloadGoods() || !down.DownloadMenu()) return state.SkipWithError(down.LastReason().c_str());
    }
    state.counters["goods"] = static_cast<double>(t.store.glGoodsData.size());
    state.counters["menus"] = static_cast<double>(t.store.glMenuData.size());
    state.counters["file_bytes"] = static_cast<double>(fs::file_size(t.folder / "Goods.dat") + fs::file_size(t.folder / "Menu.dat"));
}
BENCHMARK(BM_DownloadGoodsAndMenus)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_Upload10000Bills(benchmark::State& state)
{
    if (const char* failure = prepareDatabase()) return state.SkipWithError(failure);
    constexpr int kBills = 10000;
    Terminal t;
    t.queues.Now = [] { return std::string("20240105120000"); };
    for (int bill = 1; bill <= kBills; ++bill) {
        char no[8];
        std::snprintf(no, sizeof no, "%04d", bill % 10000);
        const std::string date = bill < 10000 ? "20240105" : "20240106";
        for (int seq = 1; seq <= 2; ++seq) {
            std::vector<std::string> v(52, "0");
            const std::pair<int, std::string> values[] = {
                {0, date}, {1, "7001"}, {2, "01"}, {3, no}, {4, std::to_string(seq)}, {5, "Y"},
                {6, seq == 1 ? "00100001" : "00100002"}, {9, "Y"}, {10, "1"}, {11, "12000"}, {12, "1"},
                {15, "12000"}, {16, "10909"}, {17, "1091"}, {36, "N"}, {37, "N"}, {38, ""}, {47, "Off Line"},
                {49, "7999"}, {50, "{-}"}, {51, "10.0.0.7"}};
            for (const auto& [i, value] : values) v[static_cast<std::size_t>(i)] = value;
            t.queues.AddOffLineData("Sale", v);
        }
        std::vector<std::string> p = {date, "7001", "01", no, "Y", "110", "1", "24000"};
        p.resize(17);
        p.insert(p.end(), {"24000", "7999", "{-}", "10.0.0.7"});
        t.queues.AddOffLineData("Pay", p);
    }
    const std::vector<std::string> sale = t.queues.Lines(TOffLineQueue::Sale), pay = t.queues.Lines(TOffLineQueue::Pay);
    TConnectResult c = OpenConnection(*benchLogin(kDatabase, true), TDbTimeouts{});
    for (auto _ : state) {
        state.PauseTiming();
        exec(c.conn.get(), "TRUNCATE sale, pay");
        for (const std::string& line : sale) t.queues.Requeue(TOffLineQueue::Sale, line);
        for (const std::string& line : pay) t.queues.Requeue(TOffLineQueue::Pay, line);
        t.queues.SaveOffLineData();
        state.ResumeTiming();
        TOffLineUpload upload(*t.data, t.queues);
        if (!upload.UploadData(false) || upload.Report().Left() != 3 * kBills) {
            static std::string why;
            why = "the upload did not send every line: " + upload.Report().Error.message;
            for (const auto& q : upload.Report().Queues)
                why += " " + q.Name + " sent " + std::to_string(q.Sent) + " failed " + std::to_string(q.Failed) +
                       " aside " + std::to_string(q.Conflicts + q.Damaged);
            if (!t.dialogs.shown.empty()) why += " / " + t.dialogs.shown.back().text;
            return state.SkipWithError(why.c_str());
        }
    }
    state.counters["bills_per_second"] =
        benchmark::Counter(static_cast<double>(kBills) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Upload10000Bills)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
}  // namespace pos
