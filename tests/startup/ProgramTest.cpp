// The program around the start-up: its command line, the master-data
// download window over a real server, and the program itself as a process
// (one terminal per computer; an off-line start up to the login).
#include "PgTestDatabase.h"
#include "ServerFiles.h"
#include "QtApp.h"
#include "TempDir.h"
#include "TestOffLinePolicy.h"
#include "core/FileIO.h"
#include "core/IniFile.h"
#include "core/ScriptedDialogService.h"
#include "db/DataModule.h"
#include "db/DbPassword.h"
#include "sync/Download.h"
#include "sync/MasterServer.h"
#include "startup/ProgramOptions.h"
#include "startup/ui/TfrmDataDown.h"
#include "startup/ui/TfrmSplash.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <memory>

namespace pos::test {
namespace {

namespace fs = std::filesystem;

TEST(ProgramOptionsTest, CommandLines)
{
    struct Case {
        std::vector<std::string> args;
        bool ok;
        std::string folder, instance, dbUser;
        TExitAt exitAt;
    } cases[] = {
        {{}, true, "", "ORVO_I", "", TExitAt::Never},
        {{"resort"}, true, "", "ORVO_I", "resort", TExitAt::Never},
        {{"--folder", "/srv/pos", "--instance", "t1", "--exit-at", "login", "pos"}, true, "/srv/pos", "t1", "pos",
         TExitAt::Login},
        {{"--exit-at", "sale"}, false, "", "", "", TExitAt::Never},
        {{"--folder"}, false, "", "", "", TExitAt::Never},
        {{"--instance", ""}, false, "", "", "", TExitAt::Never},
        {{"--colour"}, false, "", "", "", TExitAt::Never},
        {{"pos", "other"}, false, "", "", "", TExitAt::Never},
    };
    for (const Case& c : cases) {
        std::string error;
        const auto options = ParseProgramOptions(c.args, error);
        ASSERT_EQ(options.has_value(), c.ok) << testing::PrintToString(c.args);
        if (!c.ok) {
            EXPECT_FALSE(error.empty());
            continue;
        }
        EXPECT_EQ(options->folder, c.folder);
        EXPECT_EQ(options->instanceName, c.instance);
        EXPECT_EQ(options->dbUser, c.dbUser);
        EXPECT_EQ(options->exitAt, c.exitAt);
    }
}

TEST(SplashTest, StatusLineNamesTheDeviceBeingPrepared)
{
    App();
    TfrmSplash splash("1.0.0");
    splash.ShowStatus("프린터(COM1)");
    EXPECT_EQ(splash.StatusText(), QStringLiteral("프린터(COM1)를 초기화 하고 있습니다."));
    splash.ShowStatus("");
    EXPECT_TRUE(splash.StatusText().isEmpty());
    EXPECT_EQ(splash.windowTitle(), QStringLiteral("POS 메인"));
}

// A terminal of the demo restaurant wired to a fresh database holding the
// demo resort's master data.
class DataDownWindowTest : public ::testing::Test, public AppFirst {
protected:
    DataDownWindowTest()
    {
        LoadDemoMasterData(db);
        ctx.gsFolder = dir.path().string() + "/";
        ctx.gsMasterUpjangCode = ctx.gsUpjangCode = "3101";
        ctx.gsMasterPosNo = ctx.gsPosNo = "01";
        ctx.gsServerIP = db.host();
        ctx.gsServerDB = db.name();
        WriteServerFiles(db, dir.path());
        EXPECT_TRUE(catalogue.ReadSQLList(fs::path(POS_SOURCE_DIR) / "db" / "POSSQL.ini"));
        data = std::make_unique<TfrmData>(ctx, catalogue, dialogs, offLinePolicy);
        EXPECT_TRUE(data->DataModuleCreate(db.user()));
        storeServer = std::make_unique<TDbMasterServer>(*data);
        store = std::make_unique<TMasterStore>(ctx, dialogs, *storeServer);
        env.context = &ctx;
    }

    TempDir dir;
    PgTestDatabase db;
    TTerminalContext ctx;
    ScriptedDialogService dialogs;
    TSqlCatalogue catalogue;
    test::TestOffLinePolicy offLinePolicy;
    std::unique_ptr<TfrmData> data;
    // Made after the data module, which it reads through.
    std::unique_ptr<TDbMasterServer> storeServer;
    std::unique_ptr<TMasterStore> store;
    TScreenEnv env;
};

TEST_F(DataDownWindowTest, ACompletePassFillsEveryGaugeAndClosesTheWindow)
{
    TDataDownload download(*data, *store);
    TfrmDataDown window(env, download);
    EXPECT_EQ(window.exec(), QDialog::Accepted);  // no key pressed: the window closed itself
    ASSERT_TRUE(window.Result().Completed) << window.Result().Reason;
    EXPECT_EQ(window.Tag(), 2);
    const std::string goods = db.query("SELECT count(*) FROM goods WHERE upjang_code IN ('3101', '3102')");
    EXPECT_EQ(window.TotalText(TDownloadGauge::Goods).toStdString(), std::to_string(download.Total(TDownloadGauge::Goods)));
    EXPECT_EQ(window.CountText(TDownloadGauge::Goods), window.TotalText(TDownloadGauge::Goods));
    EXPECT_EQ(window.GaugePercent(TDownloadGauge::Goods), 100);
    EXPECT_GT(download.Total(TDownloadGauge::Goods), 0);
    EXPECT_FALSE(goods.empty());
    EXPECT_TRUE(fs::exists(dir / "Goods.dat"));
}

TEST_F(DataDownWindowTest, AStoppedPassKeepsTheWindowUntilEscAndEscWhileRunningIsIgnored)
{
    ctx.gbOffLine = true;  // off line and no mirror files: the cashier step stops the pass
    TDataDownload download(*data, *store);
    TfrmDataDown window(env, download);
    window.show();
    window.reject();  // Esc before the pass has ended
    EXPECT_EQ(window.Tag(), 1);
    EXPECT_TRUE(window.isVisible());

    window.RunPass();
    EXPECT_FALSE(window.Result().Completed);
    EXPECT_EQ(window.Result().StoppedAt, TDownloadStep::Cashier);
    EXPECT_EQ(window.Tag(), 2);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.FooterMessage().Text(), kDataDownStopped);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
}

// The program as a person starts it.
class ProgramProcessTest : public ::testing::Test {
protected:
    ProgramProcessTest()
    {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // The test build's program runs under the leak checker: the system
        // libraries' own leaks are not the terminal's.
        env.insert(QStringLiteral("LSAN_OPTIONS"),
                   QStringLiteral("suppressions=" POS_SOURCE_DIR "/tests/support/lsan.supp"));
        instance = QStringLiteral("resortpos-test-%1").arg(QCoreApplication::applicationPid());
    }

    QProcess* start(const QStringList& aArgs)
    {
        auto* p = new QProcess;
        p->setProcessEnvironment(env);
        p->start(QStringLiteral(POS_RESORTPOS_PATH), aArgs);
        p->waitForStarted();
        processes.emplace_back(p);
        return p;
    }

    ~ProgramProcessTest() override
    {
        for (auto& p : processes) {
            p->kill();
            p->waitForFinished();
        }
    }

    TempDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QString instance;
    std::vector<std::unique_ptr<QProcess>> processes;
};

TEST_F(ProgramProcessTest, ASecondStartEndsAtOnceWhileTheFirstRuns)
{
    // Without server settings the first terminal stops at its message and waits.
    const QStringList args{QStringLiteral("--folder"), QString::fromStdString(dir.path().string()),
                           QStringLiteral("--instance"), instance};
    QProcess* first = start(args);
    QTest::qWait(1500);
    ASSERT_EQ(first->state(), QProcess::Running);

    QProcess* second = start(args);
    ASSERT_TRUE(second->waitForFinished(10000));
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(first->state(), QProcess::Running);
}

// A program folder whose server is not there, for outlet 3101/01, with the
// outlet record the last download left; aSellsOffLine is its OffLineYN.
void writeOffLineTerminal(const std::filesystem::path& aFolder, bool aSellsOffLine)
{
    CopyCatalogue(aFolder);
    IniFile posIp;
    posIp.writeString("MAIN", "ServerDB", "pos");
    posIp.writeString("MAIN", "Host", "127.0.0.1");
    posIp.writeInteger("MAIN", "Port", 1);
    ASSERT_TRUE(posIp.save(aFolder / "POSIP.ini"));
    IniFile pos;
    pos.writeString("POS", "UpjangCode", "3101");
    pos.writeString("POS", "PosNo", "01");
    ASSERT_TRUE(pos.save(aFolder / "POS.ini"));
    std::vector<std::string> outlet(31, "N");
    outlet[0] = "3101", outlet[1] = "01", outlet[2] = "솔바람 한식당", outlet[3] = "30", outlet[4] = "10";
    outlet[UpjangItem::OffLineYN] = aSellsOffLine ? "Y" : "N";
    ASSERT_TRUE(WriteMirrorFile(aFolder, TMirrorKind::Upjang, {outlet}));
}

TEST_F(ProgramProcessTest, AnOffLineStartReachesTheLoginFromTheMirrorFiles)
{
    writeOffLineTerminal(dir.path(), true);
    QProcess* terminal = start({QStringLiteral("--folder"), QString::fromStdString(dir.path().string()),
                                QStringLiteral("--instance"), instance, QStringLiteral("--exit-at"),
                                QStringLiteral("login"), QStringLiteral("pos")});
    ASSERT_TRUE(terminal->waitForFinished(30000));
    const QString out = QString::fromUtf8(terminal->readAllStandardOutput());
    const QString err = QString::fromUtf8(terminal->readAllStandardError());
    EXPECT_EQ(terminal->exitCode(), 0) << err.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("login reached"))) << out.toStdString() << err.toStdString();
    // The unreachable server was said once, as a box.
    EXPECT_TRUE(err.contains(QStringLiteral("box:"))) << err.toStdString();
    EXPECT_FALSE(err.contains(QStringLiteral("On Line을 다시 시도할까요"))) << err.toStdString();
}

// The program itself holds an outlet that may not sell off line: the outlet
// record of the last download says so (the start-up's own outlet read has no
// such flag), the cashier is told and asked to reconnect, and "no" ends the
// program without a login.
TEST_F(ProgramProcessTest, AnOutletThatMayNotSellOffLineAsksToReconnectOrShutDown)
{
    writeOffLineTerminal(dir.path(), false);
    QProcess* terminal = start({QStringLiteral("--folder"), QString::fromStdString(dir.path().string()),
                                QStringLiteral("--instance"), instance, QStringLiteral("--exit-at"),
                                QStringLiteral("login"), QStringLiteral("pos")});
    ASSERT_TRUE(terminal->waitForFinished(30000));
    const QString out = QString::fromUtf8(terminal->readAllStandardOutput());
    const QString err = QString::fromUtf8(terminal->readAllStandardError());
    EXPECT_EQ(terminal->exitCode(), 0) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("솔바람 한식당은(는) Off Line시 판매를 할 수 없습니다."))) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("지금 On Line을 다시 시도할까요?"))) << err.toStdString();
    EXPECT_FALSE(out.contains(QStringLiteral("login reached"))) << out.toStdString();
}

}  // namespace
}  // namespace pos::test
