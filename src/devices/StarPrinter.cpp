#include "devices/StarPrinter.h"

#include "core/DialogService.h"
#include "devices/DeviceMessages.h"
#include "devices/PrintMarkup.h"
#include "devices/PrinterStatus.h"

#include <vector>

namespace pos {

struct TStarPrinter::Run {
    std::vector<TWireBlock> blocks;
    std::size_t next = 0;
    int attemptsLeft = 0;
    bool firstCheck = true;
    std::function<void()> sending;  // empty for a receipt: nobody keeps its state
    std::function<bool()> stop;     // empty: never given up before its attempts
    TStarPrinter::JobDone done;
};

TStarPrinter::TStarPrinter(int aPrinterNo, TDevicePort& aPort, DialogService& aDialogs, const TDeviceTimings& aTimings)
    : printerNo_(aPrinterNo), port_(aPort), dialogs_(aDialogs), timings_(aTimings)
{
}

void TStarPrinter::error(const std::string& aMessage) { dialogs_.ErrBox(aMessage, true); }

void TStarPrinter::check(TDevicePort::Done aDone)
{
    if (!port_.isOpen()) {
        aDone(false);
        return;
    }
    port_.clearReceived();
    port_.clearWriteFailed();
    if (!port_.write(star::kStatusRequest)) {
        error(MsgCannotSend(printerNo_));
        aDone(false);
        return;
    }
    port_.pause(timings_.statusDelayMs, [this, aDone] {
        auto complete = [](std::string_view aReceived) { return TakeStarStatusReply(aReceived).has_value(); };
        port_.awaitReply(complete, timings_.statusTimeoutMs, [this, aDone](bool aComplete) {
            if (!aComplete) {
                error(port_.writeFailed() ? MsgCannotSend(printerNo_) : MsgNoAnswer(printerNo_));
                aDone(false);
                return;
            }
            const TStarStatus status = EvaluateStarStatus(*TakeStarStatusReply(port_.received()));
            if (status != TStarStatus::OnLine) error(StarStatusMessage(status, printerNo_));
            aDone(status == TStarStatus::OnLine);
        });
    });
}

void TStarPrinter::print(std::string aJob, int aErrCount, TDevicePort::Done aDone)
{
    printJob(std::move(aJob), aErrCount, [aDone = std::move(aDone)](bool, bool aOnLine) { aDone(aOnLine); });
}

void TStarPrinter::printJob(std::string aJob, int aErrCount, JobDone aDone)
{
    printJob(std::move(aJob), aErrCount, {}, {}, std::move(aDone));
}

void TStarPrinter::printJob(std::string aJob, int aErrCount, std::function<void()> aSending,
                            std::function<bool()> aStop, JobDone aDone)
{
    auto run = std::make_shared<Run>();
    run->blocks = SplitIntoBlocks(aJob);
    run->attemptsLeft = aErrCount;
    run->sending = std::move(aSending);
    run->stop = std::move(aStop);
    run->done = std::move(aDone);
    tryStatus(run);
}

void TStarPrinter::tryStatus(std::shared_ptr<Run> aRun)
{
    if (!aRun->firstCheck && aRun->stop && aRun->stop()) {
        aRun->done(false, false);
        return;
    }
    aRun->firstCheck = false;
    if (aRun->attemptsLeft <= 0) {
        error(kMsgCannotPrint);
        aRun->done(false, false);
        return;
    }
    --aRun->attemptsLeft;
    check([this, aRun](bool aOnLine) {
        if (!aOnLine) {
            tryStatus(aRun);
            return;
        }
        if (aRun->sending) aRun->sending();
        sendBlocks(aRun);
    });
}

void TStarPrinter::sendBlocks(std::shared_ptr<Run> aRun)
{
    if (aRun->next < aRun->blocks.size()) {
        const TWireBlock& block = aRun->blocks[aRun->next++];
        port_.write(block.bytes);
        if (block.lines < kLinesPerBlock) {
            sendBlocks(aRun);
            return;
        }
        // Let the block leave before the pause starts: the pause is for the
        // printer's small buffer, not for ours.
        port_.drain(timings_.sendTimeoutMs, [this, aRun](bool) {
            port_.pause(timings_.blockPauseMs, [this, aRun] { sendBlocks(aRun); });
        });
        return;
    }
    port_.drain(timings_.sendTimeoutMs, [this, aRun](bool) {
        port_.pause(timings_.settleMs, [this, aRun] {
            if (port_.writeFailed()) {
                error(MsgCannotSend(printerNo_));
                aRun->done(false, false);
                return;
            }
            check([aRun](bool aOnLine) { aRun->done(true, aOnLine); });
        });
    });
}

}  // namespace pos
