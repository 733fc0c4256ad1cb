#include "startup/ui/TerminalProgram.h"

#include "core/Environment.h"
#include "core/ui/ImageLibrary.h"
#include "core/ui/TfrmMsgBox.h"
#include "db/DayLog.h"
#include "sync/Download.h"
#include "lookups/Lookups.h"
#include "sync/Upload.h"
#include "devices/DevicePort.h"
#include "devices/Devices.h"
#include "login/ui/Login.h"
#include "sales/ui/TfrmOpenPrice.h"
#include "sales/ui/TfrmSale.h"
#include "startup/ui/TfrmDataDown.h"
#include "startup/ui/TfrmSplash.h"

#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace pos {

TTerminalProgram::TTerminalProgram(TProgramOptions aOptions, std::filesystem::path aFolder, QElapsedTimer aStarted)
    : options_(std::move(aOptions)),
      folder_(std::move(aFolder)),
      started_(aStarted),
      context_(Terminal()),
      env_(screenEnv()),
      dialogs_(env_, *this),
      startup_(context_, dialogs_, hooks()),
      offLine_(context_, dialogs_)
{
    // A measured or smoke-tested start has nobody at the screen: each box
    // says its text on standard error and is answered "no" at once.
    if (options_.exitAt != TExitAt::Never) {
        dialogs_.beforeShow = [](TfrmMsgBox& aBox) {
            for (const QLabel* label : aBox.findChildren<QLabel*>())
                if (!label->text().isEmpty()) std::fprintf(stderr, "resortpos: box: %s\n", qPrintable(label->text()));
            QTimer::singleShot(0, &aBox, &QDialog::reject);
        };
    }
}

TScreenEnv TTerminalProgram::screenEnv()
{
    TScreenEnv env;
    env.context = &context_;
    env.writeLog = [this](const std::string& aProcedure, const std::string& aMessage) {
        WriteLogFile(context_, aProcedure, aMessage);
    };
    env.showLineDisplay = [this](const std::string& aLine1, const std::string& aLine2) {
        if (devices_) devices_->ShowLineDisplay(aLine1, aLine2);
    };
    return env;
}

TTerminalProgram::~TTerminalProgram()
{
    if (devices_) devices_->DeviceFinish();
}

TStartupHooks TTerminalProgram::hooks()
{
    TStartupHooks h;
    h.ShowStatus = [this](const std::string& aText) {
        if (splash_) splash_->ShowStatus(aText);
    };
    h.LoadQueues = [this] { offLine_.LoadOffLineData(); };
    h.DeviceInit = [this] { initDevices(); };
    h.Login = [this] { return login(); };
    // After the start-up login: on line, or from the mirror files off line;
    // the mirror files are rewritten; the window shows.
    h.DownloadData = [this] { RunDownload(true, true, false); };
    h.UploadData = [this](bool aShowNoData) { return uploadData(aShowNoData); };
    h.RunSaleScreen = [this] { runSaleScreen(); };
    h.ClearDCModule = [this] { clearDCModule(); };
    h.RunPowerOff = [](const std::string& aCommand) { return RunPowerOffCommand(aCommand); };
    return h;
}

int TTerminalProgram::Run()
{
    InitImageLibrary();
    if (!startup_.Create(folder_, options_.dbUser)) return 1;
    splash_ = std::make_unique<TfrmSplash>(GetVersion());
    splash_->show();
    createDevices();
    const bool reachedSale = startup_.Activate();
    splash_->hide();
    // Ending at the cashier's wish, or where a measured start stops, is a
    // normal end; anything else stopped the start-up after its message.
    return reachedSale || shutDown_ || stoppedAtLogin_ ? 0 : 1;
}

void TTerminalProgram::createDevices()
{
    devices_ = std::make_unique<TDevices>(startup_.devices, startup_.serialPorts, context_, dialogs_);
    devices_->ShowStatus = [this](const std::string& aText) {
        if (splash_) splash_->ShowStatus(aText);
    };
}

void TTerminalProgram::initDevices()
{
    if (!devices_) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    WaitForDone([this](std::function<void(bool)> aDone) { devices_->DeviceInit(std::move(aDone)); });
    QApplication::restoreOverrideCursor();
}

// The set-up panel saved new devices into "POS.ini": the old ones close and
// the new ones open from the file.
void TTerminalProgram::restartDevices()
{
    if (devices_) devices_->DeviceFinish();
    startup_.ReloadDevices();
    createDevices();
    initDevices();
}

void TTerminalProgram::reportStartTime(const char* aStep) const
{
    std::printf("resortpos: %s reached %lld ms after the program started\n", aStep,
                static_cast<long long>(started_.elapsed()));
    std::fflush(stdout);
}

bool TTerminalProgram::login()
{
    if (options_.exitAt == TExitAt::Login) {
        reportStartTime("login");
        stoppedAtLogin_ = true;
        return false;
    }
    // The start-up login cannot be dismissed: closing it offers the shut-down.
    return RunLogin(false);
}

bool TTerminalProgram::RunLogin(bool aCanClose)
{
    if (!startup_.data) return false;
    TLoginModel model(context_, dialogs_, startup_.store, *startup_.data, startup_.devices, loginGuard_);
    model.RestartDevices = [this] { restartDevices(); };
    model.Shutdown = [this] {
        shutDown_ = startup_.Shutdown(true) != TShutdownAction::KeepRunning;
        return shutDown_;
    };
    return Login(env_, model, aCanClose, QApplication::activeModalWidget());
}

bool TTerminalProgram::RunAdminCheck()
{
    TAdminCheckModel check(context_, dialogs_, startup_.store, loginGuard_);
    return AdminCheck(env_, check, QApplication::activeModalWidget());
}

TDownloadResult TTerminalProgram::RunDownload(bool aDownOnOffLine, bool aSaveSamFile, bool aHideForm)
{
    if (!startup_.data) return {};
    TDataDownload download(*startup_.data, startup_.store);
    download.isDownOnOffLine = aDownOnOffLine;
    download.isSaveSamFile = aSaveSamFile;
    return DownloadData(env_, download, aHideForm);
}

bool TTerminalProgram::uploadData(bool aShowNoData) { return UploadData(*startup_.data, offLine_, aShowNoData); }

namespace {

// The sale screen's commands that exist so far; every other button stays
// inert until its flow is built.
class TProgramSaleCommands : public TSaleCommands {
public:
    explicit TProgramSaleCommands(TTerminalProgram& aProgram) : program_(aProgram) {}
    void Run(TSaleCommand aCommand, TfrmSale& aScreen) override
    {
        switch (aCommand) {
        case TSaleCommand::Shutdown:
            if (program_.ShutdownFromSaleScreen()) aScreen.CloseScreen();
            break;
        case TSaleCommand::Login:
            program_.RunLogin(true);  // a change of cashier, which may be abandoned
            aScreen.ShowCashier();
            break;
        case TSaleCommand::Download:
            program_.RunDownload(true, true, false);
            break;
        default:
            break;
        }
    }

private:
    TTerminalProgram& program_;
};

}  // namespace

void TTerminalProgram::runSaleScreen()
{
    TProgramSaleCommands commands(*this);
    TSaleScreenDeps deps(env_, context_, dialogs_, startup_.store, saleHooks_);
    deps.data = startup_.data.get();
    deps.commands = &commands;
    deps.printer1 = startup_.devices.printer1.type;
    deps.version = GetVersion();
    RunSaleScreen(deps);
}

// The question comes first and is asked at every POS; the shut-down itself
// then asks nothing more. (Storing an open table bill or a cancelled bill
// comes with the recording of bills.)
bool TTerminalProgram::ShutdownFromSaleScreen()
{
    if (!dialogs_.AskBox(kAskShutdown)) return false;
    startup_.Shutdown(false);
    shutDown_ = true;
    return true;
}

Currency TTerminalProgram::RunOpenPrice(const std::string& aMenuName, const std::string& aTaxCalcuCode, Currency aPrice,
                                        std::int64_t& aCorrectAmt, const std::string& aComment)
{
    return pos::GetOpenCodePrice(env_, context_, aMenuName, aTaxCalcuCode, aPrice, aCorrectAmt, aComment,
                                 QApplication::activeModalWidget());
}

void TTerminalProgram::clearDCModule()
{
    if (!startup_.data) return;
    TLookups lookups(*startup_.data, startup_.store);
    lookups.ClearDCModule();
}

void TTerminalProgram::RaiseTerminal()
{
    // The sale screen when it is open, else whatever screen is in front.
    QWidget* front = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible()) continue;
        if (w->windowTitle() == QStringLiteral("판매")) {
            front = w;
            break;
        }
        if (w == QApplication::activeModalWidget()) front = w;
    }
    if (!front) front = QApplication::activeModalWidget();
    if (!front && splash_) front = splash_.get();
    if (!front) return;
    front->showNormal();
    front->raise();
    front->activateWindow();
}

bool TProgramDialogs::Login(bool aCanClose) { return program_.RunLogin(aCanClose); }
bool TProgramDialogs::CheckAdmin() { return program_.RunAdminCheck(); }
Currency TProgramDialogs::GetOpenCodePrice(const std::string& aMenuName, const std::string& aTaxCalcuCode,
                                           Currency aPrice, std::int64_t& aCorrectAmt, const std::string& aComment)
{
    return program_.RunOpenPrice(aMenuName, aTaxCalcuCode, aPrice, aCorrectAmt, aComment);
}
void TProgramDialogs::DownloadData(bool aDownOnOffLine, bool aSaveSamFile, bool aHideForm)
{
    program_.RunDownload(aDownOnOffLine, aSaveSamFile, aHideForm);
}

bool RunPowerOffCommand(const std::string& aCommand)
{
    return QProcess::startDetached(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QString::fromStdString(aCommand)});
}

}  // namespace pos
