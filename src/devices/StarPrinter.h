#pragma once
// The Star line-mode driver (TSP600, and the TSP700/TSP800 opened and checked
// the same way) on one printer position. Its operations are steps of a job on
// the printer's port: the caller queues the job, so nothing here ever runs
// beside another job on the same port.

#include "devices/DevicePort.h"
#include "devices/DeviceTimings.h"

#include <functional>
#include <memory>
#include <string>

namespace pos {

class DialogService;

class TStarPrinter {
public:
    TStarPrinter(int aPrinterNo, TDevicePort& aPort, DialogService& aDialogs, const TDeviceTimings& aTimings);

    // Automatic-status request and evaluation: aDone(true) when the printer is
    // on line. A closed port fails without a message; every other failure
    // shows its message first.
    void check(TDevicePort::Done aDone);

    // One print job of composed bytes (ComposeStarJob): up to aErrCount status
    // checks (one message per failed check, so the cashier can fix the
    // printer in between), the lines in blocks with a pause after each full
    // block, a settle time, and a last status check.
    void print(std::string aJob, int aErrCount, TDevicePort::Done aDone);
    // The same job, telling also whether its bytes went to the printer (a
    // ticket that went out is not printed again, whatever the last check
    // says).
    using JobDone = std::function<void(bool aWritten, bool aOnLine)>;
    void printJob(std::string aJob, int aErrCount, JobDone aDone);
    // A ticket's job: aSending is told just before its first byte goes out,
    // and aStop asked before each further status check whether the cashier
    // gave up (the job then ends not written, without a message).
    void printJob(std::string aJob, int aErrCount, std::function<void()> aSending, std::function<bool()> aStop,
                  JobDone aDone);

    int printerNo() const { return printerNo_; }

private:
    struct Run;
    void tryStatus(std::shared_ptr<Run> aRun);
    void sendBlocks(std::shared_ptr<Run> aRun);
    void error(const std::string& aMessage);

    int printerNo_;
    TDevicePort& port_;
    DialogService& dialogs_;
    const TDeviceTimings& timings_;
};

}  // namespace pos
