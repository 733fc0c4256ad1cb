#pragma once
// The terminal as a running program: the start-up sequence with its real
// screens and devices behind the hooks, from the splash window to the sale
// screen and the shut-down. The program entry makes one, after the
// one-terminal lock is taken, and runs it.

#include "core/TerminalContext.h"
#include "core/ui/ScreenEnv.h"
#include "core/ui/TQtDialogService.h"
#include "sync/Download.h"
#include "login/LoginGuard.h"
#include "sync/OffLineQueue.h"
#include "startup/ProgramOptions.h"
#include "sales/SaleBill.h"
#include "startup/TerminalStartup.h"

#include <QElapsedTimer>
#include <QObject>

#include <filesystem>
#include <memory>

namespace pos {

class TDevices;
class TfrmSplash;
class TTerminalProgram;

// The program's dialog service: the message boxes, and the screens other
// areas open through the service (login, manager check, download).
class TProgramDialogs : public TQtDialogService {
public:
    TProgramDialogs(TScreenEnv aEnv, TTerminalProgram& aProgram) : TQtDialogService(std::move(aEnv)), program_(aProgram) {}
    bool Login(bool aCanClose) override;
    bool CheckAdmin() override;
    void DownloadData(bool aDownOnOffLine, bool aSaveSamFile, bool aHideForm) override;
    Currency GetOpenCodePrice(const std::string& aMenuName, const std::string& aTaxCalcuCode, Currency aPrice,
                              std::int64_t& aCorrectAmt, const std::string& aComment) override;

private:
    TTerminalProgram& program_;
};

class TTerminalProgram : public QObject {
    Q_OBJECT
public:
    // aStarted measures the start-up from the beginning of the process.
    TTerminalProgram(TProgramOptions aOptions, std::filesystem::path aFolder, QElapsedTimer aStarted);
    ~TTerminalProgram() override;

    // The terminal's whole life; the process's exit code.
    int Run();

    // The screens behind the dialog service's launchers.
    bool RunLogin(bool aCanClose);
    bool RunAdminCheck();
    TDownloadResult RunDownload(bool aDownOnOffLine, bool aSaveSamFile, bool aHideForm);
    Currency RunOpenPrice(const std::string& aMenuName, const std::string& aTaxCalcuCode, Currency aPrice,
                          std::int64_t& aCorrectAmt, const std::string& aComment);
    // The cashier's end of the program (the sale screen's "종료"); true when
    // the program ends.
    bool ShutdownFromSaleScreen();

public slots:
    // Another start asked for the terminal: its front screen comes forward.
    void RaiseTerminal();

private:
    TScreenEnv screenEnv();
    TStartupHooks hooks();
    void createDevices();
    void initDevices();
    void restartDevices();
    bool login();
    bool uploadData(bool aShowNoData);
    void runSaleScreen();
    void clearDCModule();
    void reportStartTime(const char* aStep) const;

    TProgramOptions options_;
    std::filesystem::path folder_;
    QElapsedTimer started_;
    TTerminalContext& context_;
    TScreenEnv env_;
    TProgramDialogs dialogs_;
    TTerminalStartup startup_;
    TOffLineStore offLine_;
    TLoginGuard loginGuard_;
    std::unique_ptr<TDevices> devices_;
    std::unique_ptr<TfrmSplash> splash_;
    TSaleHooks saleHooks_;  // the discount engine and recording install theirs as they come
    bool shutDown_ = false;        // the cashier chose to end the program
    bool stoppedAtLogin_ = false;  // --exit-at login reached the login
};

// Power-off through the configured command, run by the shell and left to
// finish on its own; false when it cannot be started.
bool RunPowerOffCommand(const std::string& aCommand);

}  // namespace pos
