#pragma once
// The terminal's devices: printer 1 and printer 2 (serial, or the network
// kitchen printer over TCP), the customer display and the cash drawer. This
// is where other areas print, open the drawer and update the display.
//
// Every operation that talks to a printer is asynchronous: it queues a job on
// the printer's port and reports through aDone (true: done and the printer
// still on line). Messages to the cashier go through the dialog service. While
// any device job runs or waits, busy() is true; timers that would start other
// work (hand-held order poll, table refresh, menu refresh) skip their turn.

#include "core/TerminalConfig.h"
#include "core/TerminalContext.h"
#include "devices/CustomerDisplay.h"
#include "devices/DevicePort.h"
#include "devices/DeviceTimings.h"
#include "devices/EasyCheckFrame.h"
#include "devices/SerialPortPaths.h"
#include "devices/TicketJobs.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pos {

class DialogService;
class TStarPrinter;
class TKitchenPrinter;
class TEasyCheckTerminal;
class TTicketMasterData;
class TTicketPrinters;
class TTicketProgress;

// What the printers need of the current outlet's record.
struct TOutletPrintInfo {
    std::string receiptRemark1, receiptRemark2;  // printed after the cut of a receipt
    std::string cardTid, cardTidName;            // card terminal id and its name, for card slips
};

// Where that comes from: the outlet the terminal is selling for now.
class TOutletPrintSource {
public:
    virtual ~TOutletPrintSource() = default;
    virtual TOutletPrintInfo OutletPrintInfo() const = 0;
};

// The computer's speaker.
class TBeeper {
public:
    virtual ~TBeeper() = default;
    virtual void Beep(TBeepType aType) = 0;
};

// The collaborators the devices cannot work without.
struct TDeviceServices {
    DialogService& dialogs;           // messages to the cashier
    const TOutletPrintSource& outlet; // receipt remarks and card terminal of the outlet
    TBeeper& beeper;
    TTicketJobList& ticketJobs;       // the pending ticket jobs PrintTicket prints
    const TTicketMasterData& ticketMaster;  // outlet names and remarks on tickets
    TTicketProgress& ticketProgress;  // the progress window while tickets print
};

class TDevices : public QObject {
    Q_OBJECT
public:
    using Done = std::function<void(bool)>;

    TDevices(TDeviceConfig aConfig, TSerialPortPaths aPaths, const TTerminalContext& aContext,
             TDeviceServices aServices, TDeviceTimings aTimings = {}, QObject* aParent = nullptr);
    ~TDevices() override;

    // The splash window's status line while the devices open; empty when
    // there is no splash window to tell (nothing is shown then).
    std::function<void(const std::string&)> ShowStatus;

    // Opens every configured device in turn, naming it on the status line.
    // A device that fails has shown its message; the start-up goes on.
    void DeviceInit(Done aDone = {});
    // Lets the jobs still queued on the ports finish (the last receipt or
    // kitchen slip of the day), within TDeviceTimings::finishTimeoutMs, then
    // closes every device. The screen keeps painting meanwhile.
    void DeviceFinish();

    // The print entry points.
    void PrintReceipt1(const std::string& aText, Done aDone = {});
    void PrintReceipt2(const std::string& aText, Done aDone = {});
    // The progress window shows from the start of the run to its end, and the
    // sale screen is disabled meanwhile, however the run ends.
    void PrintTicket(std::uint8_t aEnglish, Done aDone);

    // Star line-mode driver on printer 1 and (the _2 twins) printer 2.
    void InitTSP600(Done aDone = {});
    void InitTSP600_2(Done aDone = {});
    void FinishTSP600();
    void FinishTSP600_2();
    void CheckTSP600(Done aDone);
    void CheckTSP600_2(Done aDone);
    void PrintTSP600(const std::string& aText, int aErrCount, bool aCutImmediate, Done aDone = {});
    void PrintTSP600_2(const std::string& aText, int aErrCount, bool aCutImmediate, Done aDone = {});

    // Network kitchen printer on printer 2.
    void InitSRP350(Done aDone = {});
    void FinishSRP350();
    void CheckSRP350(Done aDone);
    void PrintSRP350(const std::string& aText, Done aDone = {});

    // EasyCheck card terminal on printer 2. PrintEasyCheck is done(true) at
    // once when printer 2 is no EasyCheck.
    bool InitEasyCheck();
    void FinishEasyCheck();
    void PrintEasyCheck(const TEasyCheckSlip& aSlip, Done aDone = {});

    // Customer display and cash drawer.
    bool InitLineDisplay();
    void FinishLineDisplay();
    void ShowLineDisplay(const std::string& aLine1, const std::string& aLine2);
    // True when a kick was queued on an open printer port; aDone tells whether
    // it was written.
    bool OpenCashDrawer(Done aDone = {});
    void BeepSpeaker(TBeepType aType);

    bool busy() const;

    const TDeviceConfig& config() const { return config_; }
    TDevicePort& printer1Port() { return *port1_; }
    TDevicePort& printer2Port() { return *port2_; }
    TDevicePort& kitchenPort() { return *kitchen_; }
    TDevicePort& displayPort() { return *display_; }

    // Flags of a Boca or Flotec on printer 1, kept up to date by its status
    // bytes (the ticket drivers wait on them).
    bool lbPrinter1Ready = false;
    bool lbPrinter1Jam = false;
    bool lbLineDisplay = false;

signals:
    void busyChanged(bool aBusy);

private:
    bool openPrinterPort(int aPrinterNo);
    void initStar(int aPrinterNo, Done aDone);
    void checkStar(int aPrinterNo, Done aDone);
    void printStar(int aPrinterNo, const std::string& aText, int aErrCount, bool aCutImmediate, Done aDone);
    void onPrinter1Bytes(const QByteArray& aChunk);
    void onPortBusy();
    void finishQueuedJobs();
    using Step = std::function<void(TDevicePort::Next)>;
    void runSteps(std::shared_ptr<std::vector<Step>> aSteps, std::size_t aIndex, Done aDone);
    void status(const std::string& aText);

    TDeviceConfig config_;
    TSerialPortPaths paths_;
    const TTerminalContext& context_;
    DialogService& dialogs_;
    const TOutletPrintSource& outlet_;
    TBeeper& beeper_;
    TDeviceTimings timings_;
    TTicketJobList& ticketJobs_;
    TTicketProgress& ticketProgress_;

    TDevicePort* port1_;
    TDevicePort* port2_;
    TDevicePort* kitchen_;
    TDevicePort* display_;
    std::unique_ptr<TStarPrinter> star1_, star2_;
    std::unique_ptr<TKitchenPrinter> kitchenPrinter_;
    std::unique_ptr<TEasyCheckTerminal> easyCheck_;
    std::unique_ptr<TTicketPrinters> tickets_;
    bool busyReported_ = false;
};

}  // namespace pos
