#pragma once
// The terminal as a running program: the start-up sequence with its real
// screens and devices behind its steps, from the splash window to the sale
// screen and the shut-down. The program entry makes one, after the
// one-terminal lock is taken, and runs it.
//
// The program is where every area's collaborators meet: it is the data
// module's off-line policy, the start-up's steps, the login's program, the
// sale commands' shut-down and launchers, and it registers the sale
// screen's commands.

#include "core/TerminalContext.h"
#include "core/ui/ScreenEnv.h"
#include "core/ui/TQtDialogService.h"
#include "db/OffLinePolicy.h"
#include "devices/TicketJobs.h"
#include "devices/TicketJournal.h"
#include "devices/TicketProgress.h"
#include "devices/TicketMasterData.h"
#include "discounts/DiscountEngine.h"
#include "login/LoginGuard.h"
#include "login/LoginModel.h"
#include "sales/commands/CloseCommands.h"
#include "sales/commands/TerminalServices.h"
#include "sales/printing/DeviceBillPrinter.h"
#include "sales/recording/BillNumbers.h"
#include "sales/reprint/DeviceReprintPrinter.h"
#include "startup/ProgramOptions.h"
#include "startup/TerminalStartup.h"
#include "startup/ui/ProgramServices.h"
#include "sync/Download.h"
#include "sync/OffLineQueue.h"

#include <QElapsedTimer>
#include <QObject>

#include <filesystem>
#include <memory>

namespace pos {

class TDevices;
class TfrmSplash;
class TfrmTicketPrinting;
class TOrderTableScreen;

class TTerminalProgram : public QObject,
                         private TStartupSteps,
                         private TOffLinePolicy,
                         private TTerminalShutdown,
                         private TLoginLaunchers,
                         private TDownloadLauncher,
                         private TQueueUploader {
    Q_OBJECT
public:
    // aStarted measures the start-up from the beginning of the process.
    TTerminalProgram(TProgramOptions aOptions, std::filesystem::path aFolder, QElapsedTimer aStarted);
    ~TTerminalProgram() override;

    // The terminal's whole life; the process's exit code.
    int Run();

public slots:
    // Another start asked for the terminal: its front screen comes forward.
    void RaiseTerminal();

private:
    // The start-up's steps.
    void LoadQueues() override;
    void DeviceInit() override;
    bool Login() override;
    void DownloadData() override;
    bool UploadData(bool aShowNoData) override;  // also the close commands' upload
    void RunSaleScreen() override;
    void ClearDCModule() override;
    bool RunPowerOff(const std::string& aCommand) override;

    // The data module's off-line policy.
    std::optional<bool> OutletSellsOffLine() override;
    std::string OutletName() override;
    bool Shutdown() override;
    void CloseOrderTable() override;

    // The login's side of the program: its shut-down ends the start-up
    // normally, where the off-line policy's ends the program at once.
    class LoginSide final : public TLoginProgram {
    public:
        explicit LoginSide(TTerminalProgram& aProgram) : program_(aProgram) {}
        void RestartDevices() override;
        bool Shutdown() override;

    private:
        TTerminalProgram& program_;
    };

    // The printers a stored bill prints on: the devices open now (they are
    // made again when the set-up changes).
    class PrintSide final : public TPrintDevices, public TEasyCheckPrinter {
    public:
        explicit PrintSide(TTerminalProgram& aProgram) : program_(aProgram) {}
        TPrinters Printers() const override;
        void PrintReceipt(int aPrinterNo, const std::string& aText, Done aDone) override;
        void PrintTickets(Done aDone) override;
        void OpenCashDrawer(Done aDone) override;
        void PrintEasyCheck(const TEasyCheckSlip& aSlip) override;

    private:
        TTerminalProgram& program_;
    };

    // The sale commands' services.
    TShutdownAction Shutdown(bool aAskShutdown) override;
    bool Login(bool aCanClose) override;
    bool CheckAdmin() override;
    void DownloadData(bool aDownOnOffLine, bool aSaveSamFile, bool aHideForm) override;

    TScreenEnv screenEnv();
    void reportApprovalProblems(const TTerminalApprovalSetup& aApprovals);
    void createDevices();
    void recoverTickets();
    void restartDevices();
    void reportStartTime(const char* aStep) const;
    TDownloadResult runDownload(bool aDownOnOffLine, bool aSaveSamFile, bool aHideForm);
    // The cashier chose to end the program while it was held off line: it
    // ends now, from wherever the connection was lost.
    [[noreturn]] void endNow();

    TProgramOptions options_;
    std::filesystem::path folder_;
    QElapsedTimer started_;
    TTerminalContext& context_;
    TScreenEnv env_;
    TQtDialogService dialogs_;
    TTerminalStartup startup_;
    TOffLineStore offLine_;
    TLoginGuard loginGuard_;
    TStoreOutletPrintSource outletPrint_;
    TSystemBeeper beeper_;
    TStoreTicketData ticketData_;
    TTicketJournalFile ticketJournal_;  // "Tickets.jnl": the pending tickets outlive a killed terminal
    TTicketJobList ticketJobs_;
    TTicketPrintingModel ticketPrinting_;
    TBillNumbers billNumbers_;
    TDiscountEngine discounts_;
    PrintSide printSide_{*this};
    // Before the devices: the devices' pending jobs go first at the end.
    TDeviceBillPrinter billPrinter_;
    LoginSide loginSide_{*this};
    std::unique_ptr<TDevices> devices_;
    std::unique_ptr<TfrmSplash> splash_;
    std::unique_ptr<TfrmTicketPrinting> ticketWindow_;
    TOrderTableScreen* orderTableScreen_ = nullptr;  // while the sale screen runs
    bool ticketsRecovered_ = false;  // the journal is read once, when the devices first open
    bool shutDown_ = false;        // the cashier chose to end the program
    bool stoppedAtLogin_ = false;  // --exit-at login reached the login
};

// Power-off through the configured command, run by the shell and left to
// finish on its own; false when it cannot be started.
bool RunPowerOffCommand(const std::string& aCommand);

}  // namespace pos
