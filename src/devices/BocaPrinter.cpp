#include "devices/BocaPrinter.h"

#include "core/DialogService.h"
#include "devices/BocaTickets.h"
#include "devices/DeviceMessages.h"

namespace pos {

TBocaPrinter::TBocaPrinter(TDevicePort& aPort, DialogService& aDialogs, const TDeviceTimings& aTimings)
    : port_(aPort), dialogs_(aDialogs), timings_(aTimings)
{
}

void TBocaPrinter::check(TDevicePort::Done aDone)
{
    if (!port_.isOpen()) {
        aDone(false);
        return;
    }
    port_.clearReceived();
    port_.clearWriteFailed();
    if (!port_.write(boca::kStatusRequest)) {
        dialogs_.ErrBox(MsgCannotSend(1), true);
        aDone(false);
        return;
    }
    auto answered = [](std::string_view aReceived) { return !aReceived.empty(); };
    port_.awaitReply(answered, timings_.bocaStatusTimeoutMs, [this, aDone](bool aAnswered) {
        if (!aAnswered) {
            dialogs_.ErrBox(port_.writeFailed() ? MsgCannotSend(1) : MsgNoAnswer(1), true);
            aDone(false);
            return;
        }
        aDone(static_cast<unsigned char>(port_.received().front()) == boca::kReady);
    });
}

void TBocaPrinter::start(TDevicePort::Done aDone)
{
    check([this, aDone](bool aReady) {
        if (aReady && !port_.write(boca::kStart)) {
            dialogs_.ErrBox(MsgCannotSend(1), true);
            aReady = false;
        }
        aDone(aReady);
    });
}

void TBocaPrinter::awaitReady(TDevicePort::Done aDone) { awaitReady(kBocaReadyChecks, std::move(aDone)); }

void TBocaPrinter::awaitReady(int aChecksLeft, TDevicePort::Done aDone)
{
    check([this, aChecksLeft, aDone](bool aReady) {
        if (aReady || aChecksLeft <= 1) {
            aDone(aReady);
            return;
        }
        port_.pause(timings_.bocaRetryPauseMs, [this, aChecksLeft, aDone] { awaitReady(aChecksLeft - 1, aDone); });
    });
}

}  // namespace pos
