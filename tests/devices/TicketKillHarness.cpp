// ticket_kill_harness <folder> <printer path>: a terminal with a TSP800 at
// printer 1 and its ticket journal in <folder>. Without a journal it queues
// ten tickets (bills "B101" ... "B110", as one bill's print) and prints
// them; with one it starts as the terminal does after a kill: the tickets the
// journal holds go back on the list, one that was sending is named on
// standard output ("SENDING <bill>") and counted as printed, and the rest
// print. "DONE" once no ticket is pending. The kill test runs it and kills it.

#include "TicketFakes.h"

#include "core/DateHelpers.h"
#include "core/DialogService.h"
#include "devices/Devices.h"
#include "devices/TicketJournal.h"
#include "devices/TicketProgress.h"

#include <QCoreApplication>

#include <cstdio>
#include <filesystem>

namespace {

using namespace pos;

// The cashier of this run: never reprints a ticket that may be on paper,
// always prints the others now; every box goes to standard error.
class Cashier final : public DialogService {
public:
    void MsgBox(const std::string& aMsg, int) override { std::fprintf(stderr, "msg: %s\n", aMsg.c_str()); }
    void ErrBox(const std::string& aMsg, bool, int) override { std::fprintf(stderr, "err: %s\n", aMsg.c_str()); }
    bool AskBox(const std::string& aMsg) override
    {
        std::fprintf(stderr, "ask: %s\n", aMsg.c_str());
        return aMsg.find("다시 인쇄하시겠습니까") == std::string::npos;
    }
};

struct NoOutletInfo final : TOutletPrintSource {
    TOutletPrintInfo OutletPrintInfo() const override { return {}; }
};
struct SilentBeeper final : TBeeper {
    void Beep(TBeepType) override {}
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) return 2;
    QCoreApplication app(argc, argv);
    const std::filesystem::path folder = argv[1];

    TTerminalContext context;
    context.gsMasterUpjangCode = context.gsUpjangCode = "5001";
    context.gsMasterUpjangName = "솔바람";
    context.gsSaleDate = GetSysDate();
    Cashier cashier;
    NoOutletInfo outlet;
    SilentBeeper beeper;
    test::FakeTicketKinds kinds;
    test::FakeTicketMaster master;
    TTicketJournalFile journal(folder / kTicketJournalName, cashier);
    TTicketJobList jobs(kinds, context, TPrinterType::ptTSP800, journal);
    TTicketPrintingModel progress;

    TDeviceConfig config;
    config.printer1.type = TPrinterType::ptTSP800;
    config.printer1.enabled = true;
    config.printer1.port = 1;
    TSerialPortPaths paths;
    paths.pattern = "/nonexistent/ttyV{n}";
    paths.ports[1] = argv[2];
    // Slow enough status answers that kills land while tickets print.
    TDeviceTimings timings;
    timings.statusDelayMs = 30;
    timings.statusTimeoutMs = 3000;
    TDevices devices(config, paths, context, TDeviceServices{cashier, outlet, beeper, jobs, master, progress}, timings);
    if (!WaitForDone([&](TDevices::Done aDone) { devices.DeviceInit(aDone); })) return 3;

    if (!std::filesystem::exists(journal.Path())) {
        TTicketJobList::TBatch bill(jobs);
        for (int i = 1; i <= 10; ++i) jobs.AddTicketData("05", "B" + std::to_string(100 + i), {"표 " + std::to_string(i)});
    } else {
        const TTicketJournalRead read = journal.Load();
        if (read.damaged()) return 4;  // an atomic journal is never damaged
        for (const TTicketData& job : read.jobs)
            if (job.State == TTicketJobState::Sending) std::printf("SENDING %s\n", job.Bill.c_str());
        std::fflush(stdout);
        if (!RecoverTicketJobs(jobs, read, cashier).printNow && jobs.GetTicketCount() > 0) return 5;
    }
    const bool printed = WaitForDone([&](TDevices::Done aDone) { devices.PrintTicket(0, aDone); });
    if (!printed || jobs.GetTicketCount() != 0 || progress.visible()) return 6;
    std::printf("DONE\n");
    std::fflush(stdout);
    return 0;
}
