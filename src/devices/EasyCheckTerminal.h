#pragma once
// The EasyCheck card terminal on printer 2: it prints card slips from a frame
// and acknowledges each frame with three ACKs.

#include "devices/DevicePort.h"
#include "devices/DeviceTimings.h"

#include <string>

namespace pos {

class DialogService;

class TEasyCheckTerminal {
public:
    TEasyCheckTerminal(TDevicePort& aPort, DialogService& aDialogs, const TDeviceTimings& aTimings);

    // Sends one frame (BuildEasyCheckFrame) and waits for the whole
    // acknowledgement, however it is split; anything else, or nothing in
    // time, shows the message that tells the cashier to reissue the slip.
    void print(std::string aFrame, TDevicePort::Done aDone);

private:
    TDevicePort& port_;
    DialogService& dialogs_;
    const TDeviceTimings& timings_;
};

}  // namespace pos
