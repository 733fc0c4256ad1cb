// The start-up sequence and the shut-down against a real server: a program
// folder with the shipped catalogue and the configuration files of a
// terminal, scripted dialogs, and steps that record what the sequence did.
#include "PgTestDatabase.h"
#include "ServerFiles.h"
#include "TempDir.h"
#include "TestOffLinePolicy.h"
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

// The steps of the sequence, each recorded by name.
class RecordingSteps final : public TStartupSteps {
public:
    explicit RecordingSteps(TTerminalContext& aContext) : ctx_(aContext) {}
    void LoadQueues() override { steps.push_back("queues"); }
    void DeviceInit() override { steps.push_back("devices"); }
    bool Login() override
    {
        steps.push_back("login");
        ctx_.gsToday = ctx_.gsSaleDate;
        ctx_.gsCashier = "C01";
        return loginSucceeds;
    }
    void DownloadData() override { steps.push_back("download"); }
    bool UploadData(bool) override
    {
        steps.push_back("upload");
        return true;
    }
    void RunSaleScreen() override { steps.push_back("sale"); }
    void ClearDCModule() override { steps.push_back("clear-dc"); }
    bool RunPowerOff(const std::string& aCommand) override
    {
        steps.push_back("power-off:" + aCommand);
        return true;
    }

    std::vector<std::string> steps;
    bool loginSucceeds = true;

private:
    TTerminalContext& ctx_;
};

class StartupTest : public ::testing::Test {
protected:
    StartupTest() : recorded(ctx), startup(ctx, dialogs, offLinePolicy, recorded)
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

    // The outlet that the login-time read finds on the server, and a common
    // code (head, code, item1) when given.
    void serveOutlet(const std::vector<std::string>& aCommon = {})
    {
        db.query("INSERT INTO upjang (upjang_code, upjang_name, upjang_type, sod_gubun_code) "
                 "VALUES ('3101', '한식당', '30', 'A')");
        db.query("INSERT INTO upjang_pos (upjang_code, pos_no) VALUES ('3101', '01')");
        if (!aCommon.empty())
            db.query("INSERT INTO common_code (head, code, item1) VALUES ('" + aCommon[0] + "', '" + aCommon[1] +
                     "', '" + aCommon[2] + "')");
    }

    TempDir dir;
    PgTestDatabase db;
    TTerminalContext ctx;
    ScriptedDialogService dialogs;
    TestOffLinePolicy offLinePolicy;
    RecordingSteps recorded;
    std::vector<std::string>& steps = recorded.steps;
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
    EXPECT_FALSE(startup.data.Connected());
}

TEST_F(StartupTest, ActivationRunsLoginDownloadUploadAndTheSaleScreenInOrder)
{
    ASSERT_TRUE(startup.Create(dir.path(), db.user()));
    serveOutlet();
    steps.clear();
    EXPECT_TRUE(startup.Activate());
    EXPECT_EQ(steps, (std::vector<std::string>{"devices", "login", "download", "upload", "sale"}));
    EXPECT_FALSE(ctx.gbTestMode);
    EXPECT_EQ(ctx.gsSaleDate, GetSysDate());
}

TEST_F(StartupTest, TestDatabaseIsCheckedBeforeTheQueueIsUploaded)
{
    ASSERT_TRUE(startup.Create(dir.path(), db.user()));
    serveOutlet({ctx.gsCommonDBUser, UpperAscii(db.user()), "T"});
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
    serveOutlet();
    recorded.loginSucceeds = false;
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
