// The start-up sequence and the shut-down against a real server: a program
// folder with the shipped catalogue and the configuration files of a
// terminal, scripted dialogs, and hooks that record what the sequence did.
#include "PgTestDatabase.h"
#include "ServerFiles.h"
#include "TempDir.h"
#include "core/DateHelpers.h"
#include "core/FileIO.h"
#include "core/IniFile.h"
#include "core/ScriptedDialogService.h"
#include "core/TextHelpers.h"
#include "db/DbPassword.h"
#include "startup/TerminalStartup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pos::test {
namespace {

class StartupTest : public ::testing::Test {
protected:
    StartupTest() : dialogs(&ctx), startup(ctx, dialogs, hooks())
    {
        CopyCatalogue(dir.path());
        WriteServerFiles(db, dir.path());
        writePosIni("01");
    }

    void writePosIni(const std::string& posNo)
    {
        IniFile pos;
        pos.writeString("POS", "UpjangCode", "3101");
        pos.writeString("POS", "PosNo", posNo);
        pos.writeString("CONFIG", "PowerOffCommand", "true");
        EXPECT_TRUE(pos.save(dir / "POS.ini"));
    }

    TStartupHooks hooks()
    {
        TStartupHooks h;
        h.LoadQueues = [this] { steps.push_back("queues"); };
        h.DeviceInit = [this] { steps.push_back("devices"); };
        h.Login = [this] {
            steps.push_back("login");
            ctx.gsToday = ctx.gsSaleDate;
            ctx.gsCashier = "C01";
            return loginSucceeds;
        };
        h.DownloadData = [this] { steps.push_back("download"); };
        h.UploadData = [this](bool) {
            steps.push_back("upload");
            return true;
        };
        h.RunSaleScreen = [this] { steps.push_back("sale"); };
        h.ClearDCModule = [this] { steps.push_back("clear-dc"); };
        h.RunPowerOff = [this](const std::string& command) {
            steps.push_back("power-off:" + command);
            return true;
        };
        return h;
    }

    // The login-time reads of outlets and common codes, as the server gives them.
    void serveMasterRows(std::vector<std::vector<std::string>> common = {})
    {
        startup.store.Server.ConnectDB = [] { return true; };
        startup.store.Server.ReadRows = [common](TMasterRead read) -> std::optional<TMirrorRows> {
            if (read == TMasterRead::Upjang) return TMirrorRows{{"3101", "01", "한식당", "30", "A"}};
            if (read == TMasterRead::Common) return TMirrorRows(common.begin(), common.end());
            return TMirrorRows{};
        };
    }

    TempDir dir;
    PgTestDatabase db;
    TTerminalContext ctx;
    ScriptedDialogService dialogs;
    std::vector<std::string> steps;
    bool loginSucceeds = true;
    TTerminalStartup startup;
};

TEST_F(StartupTest, CreateReadsTheFilesConnectsAndFollowsTheServerClock)
{
    SetClockOffset(-86400);  // the computer's clock is a day behind
    ASSERT_TRUE(startup.Create(dir.path(), db.user()));
    EXPECT_EQ(ctx.gsMasterUpjangCode, "3101");
    EXPECT_EQ(ctx.gsMasterPosNo, "01");
    EXPECT_FALSE(ctx.gbOffLine);
    // The terminal now reads the server's time (the resort's time zone),
    // whatever the computer's clock and zone say.
    const auto serverNow = ClockOffsetTo(db.query("SELECT to_char(now() AT TIME ZONE 'Asia/Seoul', 'YYYYMMDDHH24MISS')"));
    ASSERT_TRUE(serverNow.has_value());
    EXPECT_LT(std::abs(ClockOffset() - *serverNow), 5);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "Log"));
    EXPECT_EQ(steps, std::vector<std::string>{"queues"});
    SetClockOffset(0);
}

TEST_F(StartupTest, MissingServerSettingsEndTheProgram)
{
    IniFile empty;
    empty.writeString("MAIN", "Host", db.host());
    ASSERT_TRUE(empty.save(dir / "POSIP.ini"));
    EXPECT_FALSE(startup.Create(dir.path(), db.user()));
    ASSERT_NE(dialogs.last(), nullptr);
    EXPECT_EQ(dialogs.last()->text, kMsgNoServerSettings);
    EXPECT_EQ(startup.data, nullptr);
}

TEST_F(StartupTest, ActivationRunsLoginDownloadUploadAndTheSaleScreenInOrder)
{
    ASSERT_TRUE(startup.Create(dir.path(), db.user()));
    serveMasterRows();
    steps.clear();
    EXPECT_TRUE(startup.Activate());
    EXPECT_EQ(steps, (std::vector<std::string>{"devices", "login", "download", "upload", "sale"}));
    EXPECT_FALSE(ctx.gbTestMode);
    EXPECT_EQ(ctx.gsSaleDate, GetSysDate());
}

TEST_F(StartupTest, TestDatabaseIsCheckedBeforeTheQueueIsUploaded)
{
    ASSERT_TRUE(startup.Create(dir.path(), db.user()));
    std::vector<std::string> dbUser(18);
    dbUser[0] = ctx.gsCommonDBUser;
    dbUser[1] = UpperAscii(db.user());
    dbUser[3] = "T";
    serveMasterRows({dbUser});
    steps.clear();
    EXPECT_TRUE(startup.Activate());
    EXPECT_TRUE(ctx.gbTestMode);
    EXPECT_EQ(steps, (std::vector<std::string>{"devices", "login", "download", "sale"}));  // the queue stays
    ASSERT_NE(dialogs.last(), nullptr);
    EXPECT_EQ(dialogs.last()->text, kMsgTestDatabase);
}

TEST_F(StartupTest, UnknownOutletOrFailedLoginEndsBeforeTheSaleScreen)
{
    ASSERT_TRUE(startup.Create(dir.path(), db.user()));
    EXPECT_FALSE(startup.Activate());  // the server gave no outlet
    EXPECT_EQ(dialogs.last()->text, kMsgNoUpjang);
    serveMasterRows();
    loginSucceeds = false;
    steps.clear();
    EXPECT_FALSE(startup.Activate());
    EXPECT_EQ(steps, (std::vector<std::string>{"devices", "login"}));
}

TEST_F(StartupTest, ShutdownSignsOffAndPowersOffOnlyUpToPosNinety)
{
    struct Case {
        const char* posNo;
        TShutdownAction action;
        bool poweredOff;
    } cases[] = {{"90", TShutdownAction::PowerOff, true}, {"91", TShutdownAction::EndProgram, false}};
    for (const Case& c : cases) {
        writePosIni(c.posNo);
        ASSERT_TRUE(startup.Create(dir.path(), db.user()));
        ctx.gsToday = "20261209";
        ctx.gsCashier = "C01";
        steps.clear();
        EXPECT_EQ(startup.Shutdown(false), c.action) << c.posNo;
        const bool poweredOff = !steps.empty() && steps.back() == "power-off:true";
        EXPECT_EQ(poweredOff, c.poweredOff) << c.posNo;
        EXPECT_EQ(steps.front(), "clear-dc");
        EXPECT_EQ(db.query("SELECT count(*) FROM cashier_event WHERE event_kind = 'E' AND pos_no = '" +
                           std::string(c.posNo) + "' AND emp_no = 'C01' AND sale_date = '20261209'"),
                  "1")
            << c.posNo;
    }
}

TEST_F(StartupTest, ShutdownAnsweredNoKeepsTheTerminalRunning)
{
    ASSERT_TRUE(startup.Create(dir.path(), db.user()));
    dialogs.answers.push_back(false);
    steps.clear();
    EXPECT_EQ(startup.Shutdown(true), TShutdownAction::KeepRunning);
    EXPECT_EQ(dialogs.last()->text, kAskShutdown);
    EXPECT_EQ(steps, std::vector<std::string>{"clear-dc"});
}

TEST_F(StartupTest, DevicesAndTheirPortsAreReadAgainAfterTheSetUpSavedThem)
{
    ASSERT_TRUE(startup.Create(dir.path(), db.user()));
    EXPECT_EQ(startup.devices.printer1.type, TPrinterType::ptNone);
    IniFile pos = IniFile::load(dir / "POS.ini");
    pos.writeString("Printer1", "Type", "TSP700");
    pos.writeInteger("Printer1", "Port", 3);
    pos.writeString("SerialPorts", "COM3", "/dev/pts/9");
    ASSERT_TRUE(pos.save(dir / "POS.ini"));
    startup.ReloadDevices();
    EXPECT_EQ(startup.devices.printer1.type, TPrinterType::ptTSP700);
    EXPECT_EQ(startup.devices.printer1.port, 3);
    EXPECT_EQ(startup.serialPorts.path(3), "/dev/pts/9");
}

}  // namespace
}  // namespace pos::test
