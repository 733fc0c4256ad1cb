#pragma once
// The network kitchen printer on printer 2 (ESC/POS over raw TCP). The
// connection is made for each job and closed after it. A printer that cannot
// be reached, or a slip that cannot be handed over whole, is reported: a
// kitchen order must never vanish without the cashier knowing.

#include "devices/DevicePort.h"
#include "devices/DeviceTimings.h"

#include <QString>

#include <string>

namespace pos {

class DialogService;

class TKitchenPrinter {
public:
    TKitchenPrinter(TDevicePort& aPort, DialogService& aDialogs, const TDeviceTimings& aTimings, QString aHost,
                    quint16 aPortNo);

    // Reachability: connects and closes again. aDone(false) after the message
    // "프린터(COM2) 포트를 열 수 없습니다." when the printer cannot be reached.
    void check(TDevicePort::Done aDone);
    // One slip of composed bytes (ComposeSrp350Job): connect, send, close
    // once everything has left.
    void print(std::string aJob, TDevicePort::Done aDone);

private:
    void connectOrReport(TDevicePort::Done aDone);

    TDevicePort& port_;
    DialogService& dialogs_;
    const TDeviceTimings& timings_;
    QString host_;
    quint16 portNo_;
};

}  // namespace pos
