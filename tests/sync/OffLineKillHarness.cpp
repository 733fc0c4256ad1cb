// A terminal that only queues and uploads, for the kill test: it queues
// bills aFrom..aTo off line (two sale rows and a payment row each, the
// queues saved after every bill, as the sale screen does), uploads every
// aEvery bills and at the end, and reports on stdout:
//   "Q <bill>"  the bill's rows are in the queue files
//   "U <ok> <d>" an upload run ended (1 committed, 0 not) and met d lines the
//               server already held (sent by a run killed after its commit)
//   "DONE"      everything queued and a last upload run committed
// The test kills it with SIGKILL at arbitrary moments and starts it again.
//
// Usage: offline_kill_harness <folder> <database> <catalogue> <from> <to> <every>
// The server comes from POS_DB_HOST, POS_DB_PORT, POS_DB_USER, POS_DB_PASSWORD.

#include "core/IniFile.h"
#include "core/ScriptedDialogService.h"
#include "db/DataModule.h"
#include "db/DbPassword.h"
#include "OffLineKillBill.h"
#include "sync/Upload.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool upload(pos::TfrmData& aData, pos::TOffLineStore& aStore)
{
    pos::TOffLineUpload run(aData, aStore);
    const bool ok = run.UploadData(false);
    int duplicates = 0;
    for (const auto& q : run.Report().Queues) duplicates += q.Duplicates;
    std::printf("U %d %d\n", ok ? 1 : 0, duplicates);
    std::fflush(stdout);
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace pos;
    if (argc != 7) {
        std::fprintf(stderr, "usage: %s folder database catalogue from to every\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const int from = std::atoi(argv[4]), to = std::atoi(argv[5]), every = std::max(1, std::atoi(argv[6]));
    const char* host = std::getenv("POS_DB_HOST");
    const char* port = std::getenv("POS_DB_PORT");
    const char* user = std::getenv("POS_DB_USER");
    if (!host || !port || !user) return 2;

    TTerminalContext ctx;
    ctx.gsFolder = folder + "/";
    ctx.gsToday = test::kKillBillDate;
    ctx.gsMasterUpjangCode = "3101";
    ctx.gsMasterPosNo = "01";
    ctx.gsServerIP = host;
    ctx.gsServerDB = argv[2];
    IniFile posIp;
    posIp.writeString("MAIN", "Port", port);
    if (!posIp.save(folder + "/POSIP.ini")) return 3;
    TSqlCatalogue catalogue;
    if (!catalogue.ReadSQLList(argv[3])) return 3;
    ScriptedDialogService dialogs;
    pos::TSellsOffLinePolicy offLinePolicy;
    TfrmData data(ctx, catalogue, dialogs, offLinePolicy);
    if (!data.DataModuleCreate(user)) return 3;
    TOffLineStore store(ctx, dialogs);
    store.LoadOffLineData();

    for (int bill = from; bill <= to; ++bill) {
        for (const auto& [queue, values] : test::KillBillRecords(bill))
            if (!store.AddOffLineData(queue, values)) return 4;
        if (!store.SaveOffLineData()) return 4;
        std::printf("Q %d\n", bill);
        std::fflush(stdout);
        if ((bill - from + 1) % every == 0) {
            // A run that fails (the server is fine here) is simply repeated later.
            upload(data, store);
            std::fflush(stdout);
        }
    }
    // A second save after the last upload, as the sale screen's next bill
    // would: lines already sent must not come back.
    if (!store.SaveOffLineData()) return 4;
    if (!upload(data, store)) return 5;
    std::printf("DONE\n");
    std::fflush(stdout);
    return 0;
}
