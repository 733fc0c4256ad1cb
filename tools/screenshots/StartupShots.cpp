// The start-up's windows: the splash with a device being prepared, and the
// master-data download window part-way through its pass.
#include "Shots.h"

#include "core/ScriptedDialogService.h"
#include "core/TerminalContext.h"
#include "db/DataModule.h"
#include "sync/Download.h"
#include "startup/ui/TfrmDataDown.h"
#include "startup/ui/TfrmSplash.h"

namespace {

bool drawStartup(const QDir& aDir)
{
    bool ok = true;
    {
        pos::TfrmSplash splash("1.0.0");
        splash.ShowStatus("프린터(COM1)");
        ok &= shots::Save(splash, aDir, "splash");
    }
    pos::TTerminalContext context;
    context.gsMasterUpjangName = context.gsUpjangName = "솔바람 한식당";
    context.gsMasterPosNo = context.gsPosNo = "01";
    context.gsSaleDate = "20261210";
    pos::ScriptedDialogService dialogs;
    pos::TSqlCatalogue catalogue;
    pos::TSellsOffLinePolicy offLinePolicy;
    pos::TfrmData data(context, catalogue, dialogs, offLinePolicy);
    pos::TNoMasterServer storeServer;
    pos::TMasterStore store(context, dialogs, storeServer);
    pos::TDataDownload download(data, store);
    pos::TScreenEnv env;
    env.context = &context;
    pos::TfrmDataDown window(env, download);
    using G = pos::TDownloadGauge;
    const struct {
        G gauge;
        std::int64_t count, total;
    } progress[] = {{G::Cashier, 3, 3},       {G::Common, 41, 41},    {G::Upjang, 14, 14},
                    {G::Goods, 61250, 100000}, {G::MenuGroup, 0, 120}, {G::Menu, 0, 20000},
                    {G::Pay, 0, 12},          {G::Calendar, 0, 365},  {G::DC, 0, 24}};
    for (const auto& p : progress) download.OnProgress(p.gauge, p.count, p.total);
    ok &= shots::Save(window, aDir, "datadown");
    return ok;
}

const shots::TShotRegistrar registrar("startup", drawStartup);

}  // namespace
