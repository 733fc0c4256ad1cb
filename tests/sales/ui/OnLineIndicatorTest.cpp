// The on-line indicator of the sale screen follows the data module, with a
// real server behind a loopback proxy that the test cuts and restores (the
// shared server is never stopped).

#include "TestOffLinePolicy.h"
#include "LoopbackProxy.h"
#include "PgTestDatabase.h"
#include "QtApp.h"
#include "RecordingSaleServices.h"
#include "SaleFixture.h"
#include "TempDir.h"

#include "controls/ZoPosButton.h"
#include "core/IniFile.h"
#include "db/Catalogue.h"
#include "db/DataModule.h"
#include "db/DbPassword.h"
#include "devices/TicketProgress.h"
#include "sales/ui/TfrmSale.h"

#include <QLabel>

namespace pos::test {
namespace {

TEST(OnLineIndicator, FollowsTheConnectionThroughTheDataModule)
{
    App();
    PgTestDatabase db;
    LoopbackProxy proxy(db.host(), db.port());
    TempDir dir;
    TTerminalContext ctx;
    ctx.gsFolder = dir.path().string() + "/";
    ctx.gsServerIP = "127.0.0.1";
    ctx.gsServerDB = db.name();
    ctx.gsMasterUpjangCode = ctx.gsUpjangCode = "3101";
    ctx.gsMasterPosNo = ctx.gsPosNo = "01";
    ctx.gsSaleDate = "20261209";
    IniFile posIp;
    posIp.writeInteger("MAIN", "Port", proxy.port());
    ASSERT_TRUE(posIp.save(dir / "POSIP.ini"));
    ASSERT_TRUE(WriteDBPassword(dir / "ZoUpdate.ini", db.password()));
    TSqlCatalogue catalogue;
    catalogue.LoadFromText("[TEST-Ping]\r\nSELECT 1\r\n");
    ScriptedDialogService dialogs;
    test::TestOffLinePolicy offLinePolicy;
    TfrmData data(ctx, catalogue, dialogs, offLinePolicy);
    ASSERT_TRUE(data.DataModuleCreate(db.user()));
    ASSERT_TRUE(data.ConnectDB(false, false));

    TNoMasterServer storeServer;
    TMasterStore store(ctx, dialogs, storeServer);
    RecordingSaleServices services(ctx);
    TSaleCommandSet commands;
    TScreenEnv env;
    env.context = &ctx;
    TTicketPrintingModel ticketPrinting;
    TSaleScreenDeps deps{env, ctx, dialogs, store, data, services, commands, ticketPrinting};
    TfrmSale screen(deps);
    std::vector<bool> signalled;
    QObject::connect(&screen, &TfrmSale::onLineChanged, [&](bool aOffLine) { signalled.push_back(aOffLine); });
    EXPECT_EQ(screen.lblOffLine->text(), "On Line");
    EXPECT_EQ(screen.btnOnLine->CurrentCaption(), "OffLine");

    const auto ping = [&data] {
        data.qryQuery.SetSQL("TEST-Ping");
        if (data.qryQuery.Open()) return true;
        data.ReadFailed(data.qryQuery.Error());
        return false;
    };
    ASSERT_TRUE(ping());

    // The cable is pulled: the next statement finds the connection lost.
    proxy.Cut();
    EXPECT_FALSE(ping());
    EXPECT_TRUE(ctx.gbOffLine);
    EXPECT_EQ(signalled, std::vector<bool>{true});
    // The screen shows it once the event loop has run (a posted message).
    EXPECT_EQ(screen.lblOffLine->text(), "On Line");
    EXPECT_TRUE(QTest::qWaitFor([&] { return screen.lblOffLine->text() == "Off Line"; }));
    EXPECT_EQ(screen.btnOnLine->CurrentCaption(), "OnLine");

    proxy.Restore();
    ASSERT_TRUE(data.ConnectDB(false, true));
    EXPECT_TRUE(QTest::qWaitFor([&] { return screen.lblOffLine->text() == "On Line"; }));
    EXPECT_EQ(signalled, (std::vector<bool>{true, false}));
    EXPECT_TRUE(ping());
}

TEST(OnLineIndicator, ScreenLetsGoOfTheDataModule)
{
    App();
    TTerminalContext ctx;
    TSqlCatalogue catalogue;
    ScriptedDialogService dialogs;
    test::TestOffLinePolicy offLinePolicy;
    TfrmData data(ctx, catalogue, dialogs, offLinePolicy);
    TNoMasterServer storeServer;
    TMasterStore store(ctx, dialogs, storeServer);
    RecordingSaleServices services(ctx);
    TSaleCommandSet commands;
    TScreenEnv env;
    TTicketPrintingModel ticketPrinting;
    TSaleScreenDeps deps{env, ctx, dialogs, store, data, services, commands, ticketPrinting};
    {
        TfrmSale screen(deps);
    }
    // A screen that is gone is no longer told (it would crash if it were).
    data.SetOffLine();
    data.SetOnLine();
    SUCCEED();
}

}  // namespace
}  // namespace pos::test
