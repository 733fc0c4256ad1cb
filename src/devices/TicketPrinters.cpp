#include "devices/TicketPrinters.h"

#include "core/DateHelpers.h"
#include "core/DialogService.h"
#include "devices/BocaTickets.h"
#include "devices/DeviceMessages.h"
#include "devices/LineTickets.h"
#include "devices/PageTickets.h"
#include "devices/PrintMarkup.h"
#include "devices/PrinterStatus.h"
#include "devices/TicketMasterData.h"
#include "devices/TicketProgress.h"

namespace pos {

std::string MsgCannotPrintTicketKind(int aPrinterNo) { return PrinterName(aPrinterNo) + "에서 인쇄할 수 없는 티켓이 있습니다."; }

struct TTicketPrinters::Run {
    int printerNo = 1;
    TPrinterType model = TPrinterType::ptNone;
    bool english = false;
    TTicketEnv env;
    std::vector<std::function<void(bool)>> done;
    bool firstPage = true;   // page mode: the first page of the run starts at the top
    bool bocaReady = false;  // Boca: the printer has answered ready in this run
};

TTicketPrinters::TTicketPrinters(TDevicePort& aPrinter1Port, TDevicePort& aPrinter2Port, TTicketJobList& aJobs,
                                 const TTicketMasterData& aMaster, const TTerminalContext& aContext,
                                 const TDeviceConfig& aConfig, DialogService& aDialogs, TTicketProgress& aProgress,
                                 TDeviceTimings aTimings, QObject* aParent)
    : QObject(aParent),
      port1_(aPrinter1Port),
      port2_(aPrinter2Port),
      jobs_(aJobs),
      master_(aMaster),
      context_(aContext),
      config_(aConfig),
      dialogs_(aDialogs),
      progress_(aProgress),
      timings_(aTimings),
      star1_(1, port1_, dialogs_, timings_),
      star2_(2, port2_, dialogs_, timings_),
      boca_(port1_, dialogs_, timings_)
{
    connect(&port1_, &TDevicePort::bytesArrived, this, &TTicketPrinters::onPrinter1Bytes);
}

TTicketPrinters::~TTicketPrinters() = default;

void TTicketPrinters::onPrinter1Bytes(const QByteArray& aChunk)
{
    if (aChunk.isEmpty()) return;
    const auto event = InterpretTicketPrinterStatus(static_cast<unsigned char>(aChunk[0]), config_.printer1.type);
    if (event && event->jam) jam_ = true;
}

void TTicketPrinters::PrintTickets(int aPrinterNo, TPrinterType aType, std::uint8_t aEnglish,
                                   std::function<void(bool)> aDone)
{
    if (aPrinterNo != 1 && aPrinterNo != 2) {
        if (aDone) aDone(false);
        return;
    }
    std::shared_ptr<Run>& active = runs_[static_cast<std::size_t>(aPrinterNo)];
    if (active) {
        active->done.push_back(std::move(aDone));
        return;
    }
    auto run = std::make_shared<Run>();
    run->printerNo = aPrinterNo;
    run->model = aType;
    run->english = aEnglish != 0;
    run->env = MakeTicketEnv(context_, config_, master_, GetSysDate());
    run->done.push_back(std::move(aDone));
    active = run;
    next(run);
}

void TTicketPrinters::next(const std::shared_ptr<Run>& aRun)
{
    if (progress_.StopRequested()) {  // the cashier stopped: the rest stays pending
        finish(aRun, false);
        return;
    }
    for (const TTicketData& job : jobs_.jobs()) {
        if (RouteTicket(aRun->printerNo, aRun->model, job.TicketType) != TTicketRoute::Print) continue;
        const TTicketData copy = job;  // the list may change while the job waits for its port
        if (aRun->printerNo == 2 || aRun->model == TPrinterType::ptTSP700) printLineTicket(aRun, copy);
        else if (aRun->model == TPrinterType::ptTSP800) printPage(aRun, copy);
        else printBoca(aRun, copy);
        return;
    }
    finish(aRun, true);
}

void TTicketPrinters::finish(const std::shared_ptr<Run>& aRun, bool aOk)
{
    runs_[static_cast<std::size_t>(aRun->printerNo)].reset();
    if (aOk) {
        for (const TTicketData& job : jobs_.jobs()) {
            if (RouteTicket(aRun->printerNo, aRun->model, job.TicketType) != TTicketRoute::CannotPrint) continue;
            dialogs_.ErrBox(MsgCannotPrintTicketKind(aRun->printerNo), true);
            aOk = false;
            break;
        }
    }
    for (const auto& done : aRun->done)
        if (done) done(aOk);
}

void TTicketPrinters::printed(std::uint64_t aJobId, int aPapers)
{
    jobs_.PaperPrinted(aJobId, aPapers);
    progress_.TicketPrinted();
}

void TTicketPrinters::notSent(std::uint64_t aJobId) { jobs_.MarkPending(aJobId); }

bool TTicketPrinters::printsLater(const Run& aRun, std::uint64_t aAfterJob) const
{
    bool after = false;
    for (const TTicketData& job : jobs_.jobs()) {
        if (!after) {
            after = job.JobId == aAfterJob;
            continue;
        }
        if (RouteTicket(aRun.printerNo, aRun.model, job.TicketType) != TTicketRoute::Print) continue;
        if (aRun.model != TPrinterType::ptBoca && aRun.model != TPrinterType::ptFlotec) return true;
        if (!BocaJobBytes(job, aRun.env, aRun.model == TPrinterType::ptBoca, false).passOver) return true;
    }
    return false;
}

// ---- Star line mode: TSP700 on printer 1, TSP600 or TSP700 on printer 2 ----

void TTicketPrinters::printLineTicket(const std::shared_ptr<Run>& aRun, const TTicketData& aJob)
{
    const std::vector<std::string> papers = LineTicketTexts(aRun->printerNo, aRun->model, aJob, aRun->env);
    const std::uint64_t id = aJob.JobId;
    if (static_cast<std::size_t>(aJob.PapersPrinted) >= papers.size()) {  // nothing (more) to print
        jobs_.remove(id);
        next(aRun);
        return;
    }
    std::string bytes = ComposeStarJob(papers[static_cast<std::size_t>(aJob.PapersPrinted)],
                                       LineTicketCutsAtOnce(aRun->printerNo, aRun->model), master_.ReceiptRemark1(),
                                       master_.ReceiptRemark2());
    TStarPrinter& star = aRun->printerNo == 1 ? star1_ : star2_;
    const int count = static_cast<int>(papers.size());
    port(aRun->printerNo)
        .enqueue([this, aRun, &star, id, count, bytes = std::move(bytes)](TDevicePort::Next aFinish) {
            auto sending = [this, id] { jobs_.MarkSending(id); };
            auto stop = [this] { return progress_.StopRequested(); };
            star.printJob(bytes, kLineTicketStatusChecks, sending, stop,
                          [this, aRun, id, count, aFinish](bool aWritten, bool aOnLine) {
                if (aWritten) printed(id, count);
                else notSent(id);
                aFinish();
                if (aOnLine) next(aRun);
                else finish(aRun, false);
            });
        });
}

// ---- page mode: TSP800 on printer 1 ------------------------------------------

void TTicketPrinters::checkPageReady(int aChecksLeft, TDevicePort::Done aDone)
{
    star1_.check([this, aChecksLeft, aDone](bool aOnLine) {
        if (aOnLine || aChecksLeft <= 1) aDone(aOnLine);
        else checkPageReady(aChecksLeft - 1, aDone);
    });
}

void TTicketPrinters::printPage(const std::shared_ptr<Run>& aRun, const TTicketData& aJob)
{
    const std::uint64_t id = aJob.JobId;
    port1_.enqueue([this, aRun, id](TDevicePort::Next aFinish) {
        checkPageReady(kPageTicketStatusChecks, [this, aRun, id, aFinish](bool aReady) {
            const TTicketData* page = jobs_.find(id);
            if (!aReady || !page) {  // not ready, or the jobs were cleared meanwhile
                aFinish();
                if (aReady) next(aRun);
                else finish(aRun, false);
                return;
            }
            const bool last = !printsLater(*aRun, id);
            const std::string bytes = Tsp800PageBytes(*page, aRun->env, aRun->english, aRun->firstPage, last);
            jobs_.MarkSending(id);
            port1_.clearWriteFailed();
            port1_.write(bytes);
            port1_.drain(timings_.sendTimeoutMs, [this, aRun, id, aFinish](bool aSent) {
                aFinish();
                if (!aSent || port1_.writeFailed()) {
                    // A page the printer did not get whole is not printed:
                    // it only prints at its end command.
                    notSent(id);
                    dialogs_.ErrBox(MsgCannotSend(1), true);
                    finish(aRun, false);
                    return;
                }
                printed(id, 1);
                aRun->firstPage = false;
                next(aRun);
            });
        });
    });
}

// ---- Boca and Flotec on printer 1 --------------------------------------------

void TTicketPrinters::printBoca(const std::shared_ptr<Run>& aRun, const TTicketData& aJob)
{
    if (!aRun->bocaReady) {
        port1_.enqueue([this, aRun](TDevicePort::Next aFinish) {
            jam_ = false;
            boca_.awaitReady([this, aRun, aFinish](bool aReady) {
                aFinish();
                if (!aReady) {
                    dialogs_.ErrBox(kMsgCannotPrint, true);
                    finish(aRun, false);
                    return;
                }
                aRun->bocaReady = true;
                next(aRun);
            });
        });
        return;
    }
    const std::uint64_t id = aJob.JobId;
    TBocaJob job = BocaJobBytes(aJob, aRun->env, aRun->model == TPrinterType::ptBoca, !printsLater(*aRun, id));
    if (job.passOver) {
        jobs_.remove(id);
        next(aRun);
        return;
    }
    port1_.enqueue([this, aRun, id, bytes = std::move(job.bytes)](TDevicePort::Next aFinish) {
        jobs_.MarkSending(id);
        port1_.clearWriteFailed();
        port1_.write(bytes);
        port1_.drain(timings_.sendTimeoutMs, [this, aRun, id, aFinish](bool aSent) {
            if (!aSent || port1_.writeFailed()) {
                aFinish();
                notSent(id);  // a ticket prints only at its end command
                dialogs_.ErrBox(MsgCannotSend(1), true);
                finish(aRun, false);
                return;
            }
            port1_.pause(timings_.bocaAfterTicketMs, [this, aRun, id, aFinish] {
                boca_.awaitReady([this, aRun, id, aFinish](bool aReady) {
                    // A jam reported meanwhile spoilt the ticket: it stays
                    // first in the list and is printed again.
                    const bool jammed = jam_;
                    jam_ = false;
                    if (jammed) notSent(id);
                    else printed(id, 1);
                    aFinish();
                    if (aReady) {
                        next(aRun);
                        return;
                    }
                    dialogs_.ErrBox(kMsgCannotPrint, true);
                    finish(aRun, false);
                });
            });
        });
    });
}

}  // namespace pos
