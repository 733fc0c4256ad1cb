#include "startup/ui/TerminalProgram.h"

#include "core/Environment.h"
#include "core/ui/ImageLibrary.h"
#include "core/ui/TfrmMsgBox.h"
#include "db/DayLog.h"
#include "devices/DevicePort.h"
#include "devices/Devices.h"
#include "devices/ui/TfrmTicketPrinting.h"
#include "login/ui/Login.h"
#include "lookups/Lookups.h"
#include "sales/commands/BillCancelCommand.h"
#include "sales/commands/CloseCommands.h"
#include "sales/commands/DCCommand.h"
#include "sales/commands/ReprintCommand.h"
#include "sales/commands/DownloadCommand.h"
#include "sales/commands/LoginCommand.h"
#include "sales/commands/OnLineCommand.h"
#include "sales/commands/PayCommand.h"
#include "sales/commands/ReturnCommand.h"
#include "sales/commands/ShutdownCommand.h"
#include "sales/commands/TableKitchen.h"
#include "sales/tables/TableBills.h"
#include "sales/commands/OrderTableCommand.h"
#include "tables/ui/OrderTableScreen.h"
#include "core/DateHelpers.h"
#include "sales/ui/TfrmSale.h"
#include "startup/ui/ProgramClose.h"
#include "startup/ui/TfrmDataDown.h"
#include "startup/ui/TfrmSplash.h"
#include "sync/OffLineBill.h"
#include "sync/Upload.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QProcess>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace pos {

TTerminalProgram::TTerminalProgram(TProgramOptions aOptions, std::filesystem::path aFolder, QElapsedTimer aStarted)
    : options_(std::move(aOptions)),
      folder_(std::move(aFolder)),
      started_(aStarted),
      context_(Terminal()),
      env_(screenEnv()),
      dialogs_(env_),
      startup_(context_, dialogs_, *this, *this),
      offLine_(context_, dialogs_),
      outletPrint_(context_, startup_.store),
      ticketData_(startup_.store, context_),
      ticketJournal_(folder_ / kTicketJournalName, dialogs_),
      ticketJobs_(ticketData_, context_, TPrinterType::ptNone, ticketJournal_),
      billNumbers_(context_, dialogs_),
      discounts_(context_, startup_.store),
      billPrinter_(context_, startup_.store, printSide_, ticketJobs_, dialogs_)
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

int TTerminalProgram::Run()
{
    InitImageLibrary();
    if (!startup_.Create(folder_, options_.dbUser)) return 1;
    splash_ = std::make_unique<TfrmSplash>(GetVersion());
    splash_->show();
    ticketWindow_ = std::make_unique<TfrmTicketPrinting>(ticketPrinting_);
    createDevices();
    const bool reachedSale = startup_.Activate();
    splash_->hide();
    // Ending at the cashier's wish, or where a measured start stops, is a
    // normal end; anything else stopped the start-up after its message.
    return reachedSale || shutDown_ || stoppedAtLogin_ ? 0 : 1;
}

void TTerminalProgram::createDevices()
{
    ticketJobs_.UsePrinter1(startup_.devices.printer1.inUse());
    const TDeviceServices services{dialogs_, outletPrint_, beeper_, ticketJobs_, ticketData_, ticketPrinting_};
    devices_ = std::make_unique<TDevices>(startup_.devices, startup_.serialPorts, context_, services);
    devices_->ShowStatus = [this](const std::string& aText) {
        if (splash_) splash_->ShowStatus(aText);
    };
}

void TTerminalProgram::reportStartTime(const char* aStep) const
{
    std::printf("resortpos: %s reached %lld ms after the program started\n", aStep,
                static_cast<long long>(started_.elapsed()));
    std::fflush(stdout);
}

// ---------------------------------------------------------------- the start-up's steps

void TTerminalProgram::LoadQueues()
{
    offLine_.LoadOffLineData();
    // A bill a crash interrupted while it was being queued is completed
    // (or taken back) before anything else reads the queues.
    TOffLineBill(offLine_).Recover();
}

void TTerminalProgram::DeviceInit()
{
    if (!devices_) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    WaitForDone([this](std::function<void(bool)> aDone) { devices_->DeviceInit(std::move(aDone)); });
    QApplication::restoreOverrideCursor();
    if (!ticketsRecovered_) recoverTickets();
}

// The tickets a killed terminal had not printed, once the printers are open
// and before anyone logs in: the one that was going to the printer is named
// and the cashier decides; the others print now or are left out at the
// cashier's word. What is left out goes to the day log.
void TTerminalProgram::recoverTickets()
{
    ticketsRecovered_ = true;
    const TTicketRecovery recovery = RecoverTicketJobs(ticketJobs_, ticketJournal_.Load(), dialogs_);
    for (const std::string& name : recovery.notPrinted)
        WriteLogFile(context_, "TicketJournal", "not printed after restart: " + name);
    if (!recovery.printNow) return;
    // The progress window's cancel stays usable while they print.
    QEventLoop loop;
    bool done = false;
    devices_->PrintTicket(0, [&](bool) {
        done = true;
        loop.quit();
    });
    if (!done) loop.exec();
}

bool TTerminalProgram::Login()
{
    if (options_.exitAt == TExitAt::Login) {
        reportStartTime("login");
        stoppedAtLogin_ = true;
        return false;
    }
    // The start-up login cannot be dismissed: closing it offers the shut-down.
    return Login(false);
}

// After the start-up login: on line, or from the mirror files off line; the
// mirror files are rewritten; the window shows.
void TTerminalProgram::DownloadData() { runDownload(true, true, false); }

bool TTerminalProgram::UploadData(bool aShowNoData) { return pos::UploadData(startup_.data, offLine_, aShowNoData); }

void TTerminalProgram::RunSaleScreen()
{
    TLookups lookups(startup_.data, startup_.store);
    TProgramSaleServices services(env_, context_, startup_.store, startup_.data, discounts_, billNumbers_,
                                  [this](const std::string& aLine1, const std::string& aLine2) {
                                      if (devices_) devices_->ShowLineDisplay(aLine1, aLine2);
                                  });
    TTerminalApprovalSetup approvals(context_, startup_.devices, [this] { return OwnCardTerminalId(startup_.store); });
    reportApprovalProblems(approvals);
    SettleLeftovers(context_, dialogs_, approvals, startup_.data, offLine_);
    TProgramPaymentScreen payScreen(env_, context_, startup_.store, dialogs_, lookups, approvals, startup_.data,
                                    offLine_);
    TSettlement settlement(context_, startup_.store, startup_.data, offLine_, billNumbers_, lookups, dialogs_,
                           payScreen, billPrinter_);
    TTerminalShutdown& shutdown = *this;

    TTableBills tables(context_, startup_.store, startup_.data, dialogs_);
    TTableKitchen kitchen(context_, startup_.store, printSide_, ticketJobs_, dialogs_, [] { return GetSysTime(); });
    TSaleCommandSet commands;
    auto login = std::make_unique<TLoginCommand>(static_cast<TLoginLaunchers&>(*this), startup_.data, shutdown);
    TSaleCommandHandler& loginCommand = *login;
    commands.Register(TSaleCommand::Login, std::move(login));
    commands.Register(TSaleCommand::Shutdown, std::make_unique<TShutdownCommand>(startup_.store, dialogs_, startup_.data,
                                                                                 settlement, shutdown, tables, kitchen));
    commands.Register(TSaleCommand::Pay, std::make_unique<TPayCommand>(settlement, loginCommand, false));
    commands.Register(TSaleCommand::PayCash, std::make_unique<TPayCommand>(settlement, loginCommand, true));
    commands.Register(TSaleCommand::BillCancel,
                      std::make_unique<TBillCancelCommand>(context_, startup_.store, dialogs_, settlement, tables,
                                                           kitchen));
    commands.Register(TSaleCommand::Download,
                      std::make_unique<TDownloadCommand>(static_cast<TDownloadLauncher&>(*this)));
    commands.Register(TSaleCommand::OnLine, std::make_unique<TOnLineCommand>(startup_.data, offLine_));
    commands.Register(TSaleCommand::Return, std::make_unique<TReturnCommand>(context_, dialogs_));
    // A member card read on the sale screen presses this command too.
    TProgramDCScreen dcScreen(env_, context_, startup_.store, dialogs_, startup_.data, lookups);
    commands.Register(TSaleCommand::DC,
                      std::make_unique<TDCCommand>(context_, startup_.store, dialogs_, dcScreen, services));

    TProgramClose close(env_, startup_.data, dialogs_, startup_.store, printSide_, ticketJobs_, offLine_,
                        approvals.Journal());
    TQueueUploader& uploader = *this;
    commands.Register(TSaleCommand::IpgumOpen, std::make_unique<TIpgumCommand>(close, TSaleCommand::IpgumOpen));
    commands.Register(TSaleCommand::IpgumClose, std::make_unique<TIpgumCommand>(close, TSaleCommand::IpgumClose));
    commands.Register(TSaleCommand::Close, std::make_unique<TCashierCloseCommand>(startup_.data, startup_.store, close,
                                                                                 uploader, loginCommand));
    commands.Register(TSaleCommand::POSClose,
                      std::make_unique<TPosCloseCommand>(startup_.data, startup_.store, dialogs_, close, uploader,
                                                         loginCommand));

    TDeviceReprintPrinter reprintPrinter(context_, printSide_, printSide_, ticketJobs_, dialogs_);
    TProgramReprintScreen reprintScreen(env_, context_, startup_.data, dialogs_, reprintPrinter, approvals,
                                        offLine_);
    commands.Register(TSaleCommand::Reprint, std::make_unique<TReprintCommand>(reprintScreen));

    TOrderTableScreen orderTables(env_, startup_.data, startup_.store, printSide_, ticketJobs_, dialogs_,
                                  static_cast<TLoginLaunchers&>(*this), close, uploader, shutdown);
    commands.Register(TSaleCommand::OrderTable, std::make_unique<TOrderTableCommand>(context_, dialogs_, tables, kitchen,
                                                                                     orderTables, services));
    orderTableScreen_ = &orderTables;

    TSaleScreenDeps deps(env_, context_, dialogs_, startup_.store, startup_.data, services, commands,
                         ticketPrinting_);
    deps.printer1 = startup_.devices.printer1.type;
    deps.version = GetVersion();
    pos::RunSaleScreen(deps);
    orderTableScreen_ = nullptr;
}

// The cashier hears at once when cards cannot be approved the usual way;
// the loader's own words go to the day log for the IT team.
void TTerminalProgram::reportApprovalProblems(const TTerminalApprovalSetup& aApprovals)
{
    if (!aApprovals.DriverDetail().empty()) WriteLogFile(context_, "ICI010-LoadApprovalDriver", aApprovals.DriverDetail());
    for (const std::string& problem : aApprovals.Problems()) dialogs_.ErrBox(problem, true);
}

void TTerminalProgram::ClearDCModule()
{
    TLookups lookups(startup_.data, startup_.store);
    lookups.ClearDCModule();
}

bool TTerminalProgram::RunPowerOff(const std::string& aCommand) { return RunPowerOffCommand(aCommand); }

// ---------------------------------------------------------------- the off-line policy

std::optional<bool> TTerminalProgram::OutletSellsOffLine() { return startup_.OutletSellsOffLine(); }

std::string TTerminalProgram::OutletName() { return startup_.OutletName(); }

bool TTerminalProgram::Shutdown()
{
    // An unattended run has nobody to ask whether to shut down.
    const bool ask = options_.exitAt == TExitAt::Never;
    if (startup_.Shutdown(ask) == TShutdownAction::KeepRunning) return false;
    shutDown_ = true;
    endNow();
}

// The server was lost: a table screen that is shown says so and closes
// without a table.
void TTerminalProgram::CloseOrderTable()
{
    if (orderTableScreen_) orderTableScreen_->CloseWhenOffLine();
}

void TTerminalProgram::endNow()
{
    if (devices_) devices_->DeviceFinish();
    std::fflush(nullptr);
    std::exit(0);
}

// ---------------------------------------------------------------- the login's side

// The set-up panel saved new devices into "POS.ini": the old ones close and
// the new ones open from the file.
void TTerminalProgram::restartDevices()
{
    if (devices_) devices_->DeviceFinish();
    startup_.ReloadDevices();
    createDevices();
    DeviceInit();
}

TPrinters TTerminalProgram::PrintSide::Printers() const
{
    const TDeviceConfig& devices = program_.startup_.devices;
    return {devices.printer1.inUse(), devices.printer2.inUse()};
}

void TTerminalProgram::PrintSide::PrintReceipt(int aPrinterNo, const std::string& aText, Done aDone)
{
    if (!program_.devices_) return aDone(false);
    if (aPrinterNo == 1) program_.devices_->PrintReceipt1(aText, std::move(aDone));
    else program_.devices_->PrintReceipt2(aText, std::move(aDone));
}

void TTerminalProgram::PrintSide::PrintTickets(Done aDone)
{
    if (!program_.devices_) return aDone(false);
    program_.devices_->PrintTicket(0, std::move(aDone));
}

void TTerminalProgram::PrintSide::OpenCashDrawer(Done aDone)
{
    if (!program_.devices_) return aDone(false);
    program_.devices_->OpenCashDrawer(std::move(aDone));
}

void TTerminalProgram::PrintSide::PrintEasyCheck(const TEasyCheckSlip& aSlip)
{
    if (program_.devices_) program_.devices_->PrintEasyCheck(aSlip);
}

void TTerminalProgram::LoginSide::RestartDevices() { program_.restartDevices(); }

bool TTerminalProgram::LoginSide::Shutdown()
{
    return program_.Shutdown(true) != TShutdownAction::KeepRunning;
}

// ---------------------------------------------------------------- the sale commands' services

TShutdownAction TTerminalProgram::Shutdown(bool aAskShutdown)
{
    const TShutdownAction action = startup_.Shutdown(aAskShutdown);
    if (action != TShutdownAction::KeepRunning) shutDown_ = true;
    return action;
}

bool TTerminalProgram::Login(bool aCanClose)
{
    TLoginModel model(context_, dialogs_, startup_.store, startup_.data, startup_.devices, loginGuard_, loginSide_);
    return pos::Login(env_, model, aCanClose, QApplication::activeModalWidget());
}

bool TTerminalProgram::CheckAdmin()
{
    TAdminCheckModel check(context_, dialogs_, startup_.store, loginGuard_);
    return AdminCheck(env_, check, QApplication::activeModalWidget());
}

void TTerminalProgram::DownloadData(bool aDownOnOffLine, bool aSaveSamFile, bool aHideForm)
{
    runDownload(aDownOnOffLine, aSaveSamFile, aHideForm);
}

TDownloadResult TTerminalProgram::runDownload(bool aDownOnOffLine, bool aSaveSamFile, bool aHideForm)
{
    TDataDownload download(startup_.data, startup_.store);
    download.isDownOnOffLine = aDownOnOffLine;
    download.isSaveSamFile = aSaveSamFile;
    return pos::DownloadData(env_, download, aHideForm);
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

bool RunPowerOffCommand(const std::string& aCommand)
{
    return QProcess::startDetached(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QString::fromStdString(aCommand)});
}

}  // namespace pos
