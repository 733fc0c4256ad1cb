#pragma once
// The reprint's jobs carried out on the terminal's printers: the plan as a
// stored bill's plan is carried out, then the EasyCheck slips.

#include "devices/EasyCheckFrame.h"
#include "sales/reprint/ReprintReceipt.h"

namespace pos {

struct TTerminalContext;
class DialogService;
class TPrintDevices;
class TTicketJobList;

// The EasyCheck card terminal on printer 2; it tells the cashier itself when
// it does not answer.
class TEasyCheckPrinter {
public:
    virtual ~TEasyCheckPrinter() = default;
    virtual void PrintEasyCheck(const TEasyCheckSlip& aSlip) = 0;
};

class TDeviceReprintPrinter final : public TReprintPrinter {
public:
    TDeviceReprintPrinter(const TTerminalContext& aContext, TPrintDevices& aDevices, TEasyCheckPrinter& aEasyCheck,
                          TTicketJobList& aTickets, DialogService& aDialogs)
        : ctx_(aContext), devices_(aDevices), easyCheck_(aEasyCheck), tickets_(aTickets), dialogs_(aDialogs)
    {
    }
    TPrinters Printers() const override;
    void Print(const TReprintPrint& aPrint) override;

private:
    const TTerminalContext& ctx_;
    TPrintDevices& devices_;
    TEasyCheckPrinter& easyCheck_;
    TTicketJobList& tickets_;
    DialogService& dialogs_;
};

}  // namespace pos
