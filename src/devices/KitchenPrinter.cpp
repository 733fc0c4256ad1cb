#include "devices/KitchenPrinter.h"

#include "core/DialogService.h"
#include "devices/DeviceMessages.h"

namespace pos {

TKitchenPrinter::TKitchenPrinter(TDevicePort& aPort, DialogService& aDialogs, const TDeviceTimings& aTimings,
                                 QString aHost, quint16 aPortNo)
    : port_(aPort), dialogs_(aDialogs), timings_(aTimings), host_(std::move(aHost)), portNo_(aPortNo)
{
}

void TKitchenPrinter::connectOrReport(TDevicePort::Done aDone)
{
    port_.connectTcp(host_, portNo_, timings_.connectTimeoutMs, [this, aDone](bool aConnected) {
        if (!aConnected) dialogs_.ErrBox(MsgCannotOpenPort(2), true);
        aDone(aConnected);
    });
}

void TKitchenPrinter::check(TDevicePort::Done aDone)
{
    connectOrReport([this, aDone](bool aConnected) {
        if (!aConnected) {
            aDone(false);
            return;
        }
        port_.closeTcp(timings_.sendTimeoutMs, [aDone](bool) { aDone(true); });
    });
}

void TKitchenPrinter::print(std::string aJob, TDevicePort::Done aDone)
{
    connectOrReport([this, aDone, job = std::move(aJob)](bool aConnected) {
        if (!aConnected) {
            aDone(false);
            return;
        }
        port_.write(job);
        port_.closeTcp(timings_.sendTimeoutMs, [this, aDone](bool aDelivered) {
            if (!aDelivered) dialogs_.ErrBox(MsgCannotSend(2), true);
            aDone(aDelivered);
        });
    });
}

}  // namespace pos
