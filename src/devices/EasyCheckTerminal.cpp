#include "devices/EasyCheckTerminal.h"

#include "core/DialogService.h"
#include "devices/DeviceMessages.h"
#include "devices/EasyCheckFrame.h"

namespace pos {

TEasyCheckTerminal::TEasyCheckTerminal(TDevicePort& aPort, DialogService& aDialogs, const TDeviceTimings& aTimings)
    : port_(aPort), dialogs_(aDialogs), timings_(aTimings)
{
}

void TEasyCheckTerminal::print(std::string aFrame, TDevicePort::Done aDone)
{
    port_.clearReceived();
    port_.clearWriteFailed();
    if (!port_.write(aFrame)) {
        dialogs_.ErrBox(kMsgEasyCheckNoAnswer, true);
        aDone(false);
        return;
    }
    port_.awaitReply(&EasyCheckReplyComplete, timings_.easyCheckTimeoutMs, [this, aDone](bool) {
        const bool acknowledged = IsEasyCheckAck(port_.received());
        if (!acknowledged) dialogs_.ErrBox(kMsgEasyCheckNoAnswer, true);
        aDone(acknowledged);
    });
}

}  // namespace pos
