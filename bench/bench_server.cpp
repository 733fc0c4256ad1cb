// A one-row select on the local server, through the data module (catalogue
// key, :P0 binding, query object, column read) and through raw PQexecParams,
// in one run so the two compare on the same server and load. Run it with the
// cluster of scripts/db: eval "$(scripts/db env)".

#include "core/IniFile.h"
#include "core/ScriptedDialogService.h"
#include "db/DataModule.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace pos {
namespace {

std::optional<TDbLogin> benchLogin()
{
    const char* host = std::getenv("POS_DB_HOST");
    const char* port = std::getenv("POS_DB_PORT");
    const char* user = std::getenv("POS_DB_USER");
    const char* password = std::getenv("POS_DB_PASSWORD");
    const char* database = std::getenv("POS_DB_NAME");
    if (!host || !port || !user || !password || !database) return std::nullopt;
    TDbLogin login;
    login.host = host;
    login.port = std::atoi(port);
    login.database = database;
    login.user = user;
    login.password = password;
    return login;
}

const char* const kNoServer = "POS_DB_* not set: scripts/db start && eval \"$(scripts/db env)\"";

void BM_RawPQexecParams(benchmark::State& state)
{
    const auto login = benchLogin();
    if (!login) return state.SkipWithError(kNoServer);
    TConnectResult opened = OpenConnection(*login, TDbTimeouts{});
    if (!opened.conn) return state.SkipWithError(opened.error.message.c_str());
    std::int64_t sum = 0;
    for (auto _ : state) {
        const char* values[] = {"41"};
        PgResultHandle result(
            PQexecParams(opened.conn.get(), "SELECT $1::int + 1", 1, nullptr, values, nullptr, nullptr, 0));
        if (PQresultStatus(result.get()) != PGRES_TUPLES_OK) return state.SkipWithError("select failed");
        sum += std::atoll(PQgetvalue(result.get(), 0, 0));
    }
    benchmark::DoNotOptimize(sum);
}
BENCHMARK(BM_RawPQexecParams);

void BM_DataModuleQuery(benchmark::State& state)
{
    const auto login = benchLogin();
    if (!login) return state.SkipWithError(kNoServer);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "bench_server";
    std::filesystem::create_directories(folder);
    IniFile posIp;
    posIp.writeInteger("MAIN", "Port", login->port);
    posIp.save(folder / "POSIP.ini");

    TTerminalContext ctx;
    ctx.gsFolder = folder.string() + "/";
    ctx.gsServerIP = login->host;
    ctx.gsServerDB = login->database;
    TSqlCatalogue catalogue;
    catalogue.LoadFromText("[BENCH-SelectOne]\r\nSELECT :P0::int + 1\r\n");
    ScriptedDialogService dialogs;
    pos::TSellsOffLinePolicy offLinePolicy;
    TfrmData data(ctx, catalogue, dialogs, offLinePolicy);
    data.DataModuleCreate(login->user);
    if (!data.ConnectDB(false, false)) return state.SkipWithError("cannot connect");

    std::int64_t sum = 0;
    for (auto _ : state) {
        TDbQuery& query = data.qryQuery;
        query.SetSQL("BENCH-SelectOne");
        query.SetParam(0, "41");
        if (!query.Open()) return state.SkipWithError("select failed");
        sum += query.AsInteger(0);
        query.Close();
    }
    benchmark::DoNotOptimize(sum);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_DataModuleQuery);

}  // namespace
}  // namespace pos
