#include "devices/Devices.h"

#include "core/DialogService.h"
#include "devices/BocaPrinter.h"
#include "devices/DeviceMessages.h"
#include "devices/EasyCheckTerminal.h"
#include "devices/KitchenPrinter.h"
#include "devices/PrintMarkup.h"
#include "devices/PrinterStatus.h"
#include "devices/StarPrinter.h"
#include "devices/TicketPrinters.h"
#include "devices/TicketProgress.h"

#include <QEventLoop>
#include <QTimer>

namespace pos {
namespace {

bool isStar(TPrinterType aType)
{
    return aType == TPrinterType::ptTSP600 || aType == TPrinterType::ptTSP700 || aType == TPrinterType::ptTSP800;
}

// Queues aOperation on aPort as one job. The port is free for the next job
// once the operation has reported, before aDone hears the result, so aDone
// may queue further work on the same port.
void queueJob(TDevicePort& aPort, std::function<void(TDevicePort::Done)> aOperation, TDevicePort::Done aDone)
{
    aPort.enqueue([aOperation = std::move(aOperation), aDone = std::move(aDone)](TDevicePort::Next aFinish) {
        aOperation([aFinish, aDone](bool aOk) {
            aFinish();
            if (aDone) aDone(aOk);
        });
    });
}

}  // namespace

TDevices::TDevices(TDeviceConfig aConfig, TSerialPortPaths aPaths, const TTerminalContext& aContext,
                   TDeviceServices aServices, TDeviceTimings aTimings, QObject* aParent)
    : QObject(aParent),
      config_(std::move(aConfig)),
      paths_(std::move(aPaths)),
      context_(aContext),
      dialogs_(aServices.dialogs),
      outlet_(aServices.outlet),
      beeper_(aServices.beeper),
      timings_(aTimings),
      ticketJobs_(aServices.ticketJobs),
      ticketProgress_(aServices.ticketProgress),
      port1_(new TDevicePort("printer1", this)),
      port2_(new TDevicePort("printer2", this)),
      kitchen_(new TDevicePort("kitchen", this)),
      display_(new TDevicePort("display", this))
{
    star1_ = std::make_unique<TStarPrinter>(1, *port1_, dialogs_, timings_);
    star2_ = std::make_unique<TStarPrinter>(2, *port2_, dialogs_, timings_);
    const auto kitchenPort = static_cast<quint16>(config_.kitchenPort > 0 && config_.kitchenPort < 65536 ? config_.kitchenPort : 0);
    kitchenPrinter_ = std::make_unique<TKitchenPrinter>(*kitchen_, dialogs_, timings_,
                                                        QString::fromStdString(config_.kitchenHost), kitchenPort);
    easyCheck_ = std::make_unique<TEasyCheckTerminal>(*port2_, dialogs_, timings_);
    tickets_ = std::make_unique<TTicketPrinters>(*port1_, *port2_, aServices.ticketJobs, aServices.ticketMaster,
                                                 context_, config_, dialogs_, ticketProgress_, timings_);
    for (TDevicePort* port : {port1_, port2_, kitchen_, display_})
        connect(port, &TDevicePort::busyChanged, this, &TDevices::onPortBusy);
    connect(port1_, &TDevicePort::bytesArrived, this, &TDevices::onPrinter1Bytes);
}

TDevices::~TDevices()
{
    // Ports hold the drivers' pending steps; they go before the drivers.
    for (TDevicePort* port : {port1_, port2_, kitchen_, display_}) delete port;
}

bool TDevices::busy() const
{
    return port1_->busy() || port2_->busy() || kitchen_->busy() || display_->busy();
}

void TDevices::onPortBusy()
{
    const bool now = busy();
    if (now == busyReported_) return;
    busyReported_ = now;
    emit busyChanged(now);
}

void TDevices::status(const std::string& aText)
{
    if (ShowStatus) ShowStatus(aText);
}

// ---- start and end ---------------------------------------------------------

void TDevices::runSteps(std::shared_ptr<std::vector<Step>> aSteps, std::size_t aIndex, Done aDone)
{
    if (aIndex >= aSteps->size()) {
        status("");
        if (aDone) aDone(true);
        return;
    }
    Step& step = (*aSteps)[aIndex];
    step([this, aSteps, aIndex, aDone] { runSteps(aSteps, aIndex + 1, aDone); });
}

void TDevices::DeviceInit(Done aDone)
{
    auto steps = std::make_shared<std::vector<Step>>();
    const TPrinterType p1 = config_.printer1.inUse();
    const TPrinterType p2 = config_.printer2.inUse();
    if (p1 != TPrinterType::ptNone) {
        steps->push_back([this, p1](TDevicePort::Next aNext) {
            status(kStatusPrinter1);
            if (isStar(p1)) {
                initStar(1, [aNext](bool) { aNext(); });
                return;
            }
            // Boca and Flotec: the status request, then the start command
            // once the printer answers ready. A silent printer is not ready.
            lbPrinter1Ready = false;
            if (!openPrinterPort(1)) {
                dialogs_.ErrBox(MsgCannotOpenPort(1), true);
                aNext();
                return;
            }
            // The port's waits hold the last reference to the printer until
            // it has answered.
            auto boca = std::make_shared<TBocaPrinter>(*port1_, dialogs_, timings_);
            queueJob(*port1_, [boca](Done aReport) { boca->start(std::move(aReport)); },
                     [this, aNext, boca](bool aReady) {
                         lbPrinter1Ready = aReady;
                         aNext();
                     });
        });
    }
    if (p2 != TPrinterType::ptNone) {
        steps->push_back([this, p2](TDevicePort::Next aNext) {
            status(kStatusPrinter2);
            if (p2 == TPrinterType::ptTSP600 || p2 == TPrinterType::ptTSP700) {
                initStar(2, [aNext](bool) { aNext(); });
            } else if (p2 == TPrinterType::ptSRP350) {
                InitSRP350([aNext](bool) { aNext(); });
            } else {
                InitEasyCheck();
                aNext();
            }
        });
    }
    if (config_.lineDisplay.enabled) {
        steps->push_back([this](TDevicePort::Next aNext) {
            status(kStatusLineDisplay);
            lbLineDisplay = InitLineDisplay();
            aNext();
        });
    }
    runSteps(steps, 0, std::move(aDone));
}

void TDevices::DeviceFinish()
{
    finishQueuedJobs();
    FinishLineDisplay();
    port1_->close();
    port2_->close();
    kitchen_->close();
}

// A job queued just before the end must not be cut off by the ports closing
// under it. Each port that has work gets one last job behind the others, which
// waits for the written bytes to leave; the ports work side by side, so one
// bound covers them all. Input stays out meanwhile; painting goes on.
void TDevices::finishQueuedJobs()
{
    QEventLoop loop;
    auto waiting = std::make_shared<int>(0);
    auto loopGone = std::make_shared<bool>(false);
    for (TDevicePort* port : {port1_, port2_, kitchen_, display_}) {
        if (!port->busy() && !port->isOpen()) continue;
        ++*waiting;
        port->enqueue([this, port, waiting, loopGone, &loop](TDevicePort::Next aFinish) {
            port->drain(timings_.sendTimeoutMs, [aFinish, waiting, loopGone, &loop](bool) {
                aFinish();
                if (--*waiting == 0 && !*loopGone) loop.quit();
            });
        });
    }
    if (*waiting == 0) return;
    QTimer::singleShot(timings_.finishTimeoutMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    *loopGone = true;
}

// ---- print entry points ----------------------------------------------------

void TDevices::PrintReceipt1(const std::string& aText, Done aDone) { PrintTSP600(aText, 5, true, std::move(aDone)); }

void TDevices::PrintReceipt2(const std::string& aText, Done aDone)
{
    if (config_.printer2.enabled && config_.printer2.type == TPrinterType::ptTSP600) {
        PrintTSP600_2(aText, 5, true, std::move(aDone));
    } else if (config_.printer2.enabled && config_.printer2.type == TPrinterType::ptSRP350) {
        PrintSRP350(aText, std::move(aDone));
    } else if (aDone) {
        aDone(false);  // nothing to print on
    }
}

void TDevices::PrintTicket(std::uint8_t aEnglish, Done aDone)
{
    // The guard ends the progress when the run reports, or when the run is
    // dropped unreported (its ports closed under it).
    auto shown = std::make_shared<TTicketRunShown>(ticketProgress_, ticketJobs_.GetTicketCount());
    aDone = [aDone = std::move(aDone), shown](bool aOk) {
        shown->End();
        if (aDone) aDone(aOk);
    };
    const TPrinterType p1 = config_.printer1.inUse();
    const TPrinterType p2 = config_.printer2.inUse();
    auto printer1 = [this, p1, aEnglish, aDone] {
        const bool ticketPrinter = p1 == TPrinterType::ptTSP700 || p1 == TPrinterType::ptTSP800 ||
                                   p1 == TPrinterType::ptBoca || p1 == TPrinterType::ptFlotec;
        if (ticketPrinter) tickets_->PrintTickets(1, p1, aEnglish, aDone);
        else aDone(false);
    };
    if (p2 == TPrinterType::ptTSP600 || p2 == TPrinterType::ptTSP700)
        tickets_->PrintTickets(2, p2, aEnglish, [printer1](bool) { printer1(); });
    else
        printer1();
}

// ---- Star line mode --------------------------------------------------------

bool TDevices::openPrinterPort(int aPrinterNo)
{
    const TPrinterSetting& setting = aPrinterNo == 1 ? config_.printer1 : config_.printer2;
    TDevicePort& port = aPrinterNo == 1 ? *port1_ : *port2_;
    const std::string path = paths_.path(EffectivePortNo(setting.port, aPrinterNo));
    return port.openSerial(QString::fromStdString(path), EffectiveBaudRate(setting.rate));
}

void TDevices::initStar(int aPrinterNo, Done aDone)
{
    if (!openPrinterPort(aPrinterNo)) {
        dialogs_.ErrBox(MsgCannotOpenPort(aPrinterNo), true);
        if (aDone) aDone(false);
        return;
    }
    checkStar(aPrinterNo, std::move(aDone));
}

void TDevices::checkStar(int aPrinterNo, Done aDone)
{
    TDevicePort& port = aPrinterNo == 1 ? *port1_ : *port2_;
    TStarPrinter& printer = aPrinterNo == 1 ? *star1_ : *star2_;
    queueJob(port, [&printer](Done aReport) { printer.check(std::move(aReport)); }, std::move(aDone));
}

void TDevices::printStar(int aPrinterNo, const std::string& aText, int aErrCount, bool aCutImmediate, Done aDone)
{
    TDevicePort& port = aPrinterNo == 1 ? *port1_ : *port2_;
    TStarPrinter& printer = aPrinterNo == 1 ? *star1_ : *star2_;
    const TOutletPrintInfo info = outlet_.OutletPrintInfo();
    std::string job = ComposeStarJob(aText, aCutImmediate, info.receiptRemark1, info.receiptRemark2);
    queueJob(
        port, [&printer, aErrCount, job = std::move(job)](Done aReport) { printer.print(job, aErrCount, std::move(aReport)); },
        std::move(aDone));
}

void TDevices::InitTSP600(Done aDone) { initStar(1, std::move(aDone)); }
void TDevices::InitTSP600_2(Done aDone) { initStar(2, std::move(aDone)); }
void TDevices::FinishTSP600() { port1_->close(); }
void TDevices::FinishTSP600_2() { port2_->close(); }
void TDevices::CheckTSP600(Done aDone) { checkStar(1, std::move(aDone)); }
void TDevices::CheckTSP600_2(Done aDone) { checkStar(2, std::move(aDone)); }

void TDevices::PrintTSP600(const std::string& aText, int aErrCount, bool aCutImmediate, Done aDone)
{
    printStar(1, aText, aErrCount, aCutImmediate, std::move(aDone));
}

void TDevices::PrintTSP600_2(const std::string& aText, int aErrCount, bool aCutImmediate, Done aDone)
{
    printStar(2, aText, aErrCount, aCutImmediate, std::move(aDone));
}

// ---- kitchen printer -------------------------------------------------------

void TDevices::InitSRP350(Done aDone) { CheckSRP350(std::move(aDone)); }

void TDevices::FinishSRP350() { kitchen_->close(); }

void TDevices::CheckSRP350(Done aDone)
{
    queueJob(*kitchen_, [this](Done aReport) { kitchenPrinter_->check(std::move(aReport)); }, std::move(aDone));
}

void TDevices::PrintSRP350(const std::string& aText, Done aDone)
{
    std::string job = ComposeSrp350Job(aText, context_.gbTestMode);
    queueJob(
        *kitchen_, [this, job = std::move(job)](Done aReport) { kitchenPrinter_->print(job, std::move(aReport)); },
        std::move(aDone));
}

// ---- EasyCheck -------------------------------------------------------------

bool TDevices::InitEasyCheck()
{
    if (openPrinterPort(2)) return true;
    dialogs_.ErrBox(MsgCannotOpenPort(2), true);
    return false;
}

void TDevices::FinishEasyCheck() { port2_->close(); }

void TDevices::PrintEasyCheck(const TEasyCheckSlip& aSlip, Done aDone)
{
    if (!config_.printer2.enabled || config_.printer2.type != TPrinterType::ptEasyCheck) {
        if (aDone) aDone(true);
        return;
    }
    const TOutletPrintInfo info = outlet_.OutletPrintInfo();
    const TEasyCheckHeader header{context_.gsMasterUpjangCode, context_.gsMasterPosNo, context_.gsCEOName,
                                  context_.gsSaupName,         context_.gsSaupNo,      context_.gsAddress,
                                  context_.gsTel,              info.cardTid,           info.cardTidName,
                                  info.receiptRemark1};
    std::string frame = BuildEasyCheckFrame(aSlip, header);
    queueJob(
        *port2_, [this, frame = std::move(frame)](Done aReport) { easyCheck_->print(frame, std::move(aReport)); },
        std::move(aDone));
}

// ---- customer display, drawer, beep, status events ---------------------------

bool TDevices::InitLineDisplay()
{
    if (!config_.lineDisplay.enabled) return false;
    const std::string path = paths_.path(EffectivePortNo(config_.lineDisplay.port, 4));
    if (!display_->openSerial(QString::fromStdString(path), EffectiveBaudRate(config_.lineDisplay.rate))) return false;
    return display_->write(kDisplayClear);
}

void TDevices::FinishLineDisplay()
{
    if (display_->isOpen()) {
        display_->write(kDisplayClear);
        display_->flushAndClose(500);
    }
    lbLineDisplay = false;
}

void TDevices::ShowLineDisplay(const std::string& aLine1, const std::string& aLine2)
{
    if (!lbLineDisplay || !display_->isOpen()) return;
    TDisplayWrites writes = LineDisplayBytes(aLine1, aLine2);
    display_->enqueue([this, writes = std::move(writes)](TDevicePort::Next aFinish) {
        display_->write(writes.line1);
        display_->write(writes.line2);
        aFinish();
    });
}

bool TDevices::OpenCashDrawer(Done aDone)
{
    const TDrawerRoute route = ChooseDrawerRoute(config_, port1_->isOpen(), port2_->isOpen());
    if (route == TDrawerRoute::None) {
        if (aDone) aDone(false);
        return false;
    }
    // Behind the receipt on the same port: the kick never lands inside it.
    TDevicePort& port = route == TDrawerRoute::Printer1 ? *port1_ : *port2_;
    queueJob(
        port,
        [&port](Done aReport) {
            port.clearWriteFailed();
            aReport(port.write(kDrawerKick));
        },
        std::move(aDone));
    return true;
}

void TDevices::BeepSpeaker(TBeepType aType)
{
    beeper_.Beep(aType);
}

void TDevices::onPrinter1Bytes(const QByteArray& aChunk)
{
    if (aChunk.isEmpty()) return;
    const auto event = InterpretTicketPrinterStatus(static_cast<unsigned char>(aChunk[0]), config_.printer1.type);
    if (!event) return;
    if (event->jam) lbPrinter1Jam = true;
    // Shown once the receive event has returned, so a modal box never sits
    // inside the port's own notification.
    QTimer::singleShot(0, this, [this, message = event->message] { dialogs_.ErrBox(message, true); });
}

}  // namespace pos
