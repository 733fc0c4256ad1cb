#pragma once
// The Boca and Flotec ticket printers on printer 1's port: the status request
// and the start command. Like the Star driver, its operations are steps of a
// job on the port; the caller queues the job.

#include "devices/DevicePort.h"
#include "devices/DeviceTimings.h"

namespace pos {

class DialogService;

// A printer that has not answered ready after this many status requests is
// given up: the cashier has seen why each time, and the tickets stay pending.
inline constexpr int kBocaReadyChecks = 5;

class TBocaPrinter {
public:
    TBocaPrinter(TDevicePort& aPort, DialogService& aDialogs, const TDeviceTimings& aTimings);

    // One status request: aDone(true) when the printer answers ready. A
    // closed port fails without a message; no answer in time shows "power off
    // or no answer"; any other status byte fails at once (the port's status
    // event tells the cashier what it means).
    void check(TDevicePort::Done aDone);
    // At start-up: the status request and, once the printer is ready, the
    // start command. A silent printer is not ready.
    void start(TDevicePort::Done aDone);
    // Status requests until the printer is ready, at most kBocaReadyChecks,
    // with a pause between them; aDone(false) when it never was.
    void awaitReady(TDevicePort::Done aDone);

private:
    void awaitReady(int aChecksLeft, TDevicePort::Done aDone);

    TDevicePort& port_;
    DialogService& dialogs_;
    const TDeviceTimings& timings_;
};

}  // namespace pos
