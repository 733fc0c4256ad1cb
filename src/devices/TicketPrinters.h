#pragma once
// The ticket printers: prints the pending ticket jobs of one printer position
// with the driver of that printer's kind (Star line mode on a TSP600/TSP700,
// page mode on a TSP800, the Boca language on a Boca or Flotec).
//
// Jobs go out one at a time, each as one job on the printer's port, and each
// is taken off the job list as soon as its bytes have gone to the printer. A
// printer that fails ends the run with the jobs not yet printed still
// pending; printing again resumes with them. A job this printer has no layout
// for stays pending too, and the run says so instead of reporting success.
//
// The jobs it queues on the ports refer to it: the devices own it and delete
// their ports before it.

#include "core/TerminalConfig.h"
#include "core/TerminalContext.h"
#include "devices/BocaPrinter.h"
#include "devices/DevicePort.h"
#include "devices/DeviceTimings.h"
#include "devices/StarPrinter.h"
#include "devices/TicketJobs.h"
#include "devices/TicketRules.h"

#include <QObject>

#include <array>
#include <memory>
#include <vector>

namespace pos {

class DialogService;
class TTicketMasterData;
class TTicketProgress;

// Each failed status check shows its message, so the cashier can fix the
// printer in between.
inline constexpr int kLineTicketStatusChecks = 10000;
inline constexpr int kPageTicketStatusChecks = 5;

class TTicketPrinters : public QObject {
    Q_OBJECT
public:
    TTicketPrinters(TDevicePort& aPrinter1Port, TDevicePort& aPrinter2Port, TTicketJobList& aJobs,
                    const TTicketMasterData& aMaster, const TTerminalContext& aContext, const TDeviceConfig& aConfig,
                    DialogService& aDialogs, TTicketProgress& aProgress, TDeviceTimings aTimings = {},
                    QObject* aParent = nullptr);
    ~TTicketPrinters() override;

    // aDone(true) once every pending job for that printer is printed;
    // aDone(false) when the printer failed (the jobs not yet printed stay
    // pending, so printing can be resumed). A second call for a printer that
    // is still printing joins that run: it hears the same result, and jobs
    // added meanwhile are printed by it.
    void PrintTickets(int aPrinterNo, TPrinterType aType, std::uint8_t aEnglish, std::function<void(bool)> aDone);

private:
    struct Run;
    void next(const std::shared_ptr<Run>& aRun);
    void printLineTicket(const std::shared_ptr<Run>& aRun, const TTicketData& aJob);
    void printPage(const std::shared_ptr<Run>& aRun, const TTicketData& aJob);
    void printBoca(const std::shared_ptr<Run>& aRun, const TTicketData& aJob);
    void checkPageReady(int aChecksLeft, TDevicePort::Done aDone);
    bool printsLater(const Run& aRun, std::uint64_t aAfterJob) const;
    void finish(const std::shared_ptr<Run>& aRun, bool aOk);
    void printed(std::uint64_t aJobId, int aPapers);
    void notSent(std::uint64_t aJobId);
    void onPrinter1Bytes(const QByteArray& aChunk);
    TDevicePort& port(int aPrinterNo) { return aPrinterNo == 1 ? port1_ : port2_; }

    TDevicePort& port1_;
    TDevicePort& port2_;
    TTicketJobList& jobs_;
    const TTicketMasterData& master_;
    const TTerminalContext& context_;
    TDeviceConfig config_;
    DialogService& dialogs_;
    TTicketProgress& progress_;
    TDeviceTimings timings_;
    TStarPrinter star1_, star2_;
    TBocaPrinter boca_;
    // A Boca or Flotec reported a paper jam since the last ticket went out.
    bool jam_ = false;
    std::array<std::shared_ptr<Run>, 3> runs_;  // by printer number
};

// What the cashier reads when some pending tickets cannot be printed on the
// printer at that position.
std::string MsgCannotPrintTicketKind(int aPrinterNo);

}  // namespace pos
