#pragma once
// Prints stored bills on the terminal's printers: each bill's plan is
// carried out step by step as soon as the bill is stored. The printer ports
// keep their jobs in order, so a bill's receipt, its tickets and the drawer
// kick behind them never mix with the next bill's; the cashier can go on
// selling while they print.

#include "sales/receipt/PrintPlan.h"
#include "sales/recording/Settlement.h"

#include <functional>
#include <string>

namespace pos {

struct TTerminalContext;
class DialogService;
class TMasterStore;
class TTicketJobList;

// What printing a plan asks of the devices. Each operation reports through
// aDone (true: done and the printer still on line); a failing printer has
// shown its own message.
class TPrintDevices {
public:
    using Done = std::function<void(bool)>;
    virtual ~TPrintDevices() = default;
    virtual TPrinters Printers() const = 0;
    virtual void PrintReceipt(int aPrinterNo, const std::string& aText, Done aDone) = 0;
    // The pending ticket jobs, on every ticket printer.
    virtual void PrintTickets(Done aDone) = 0;
    virtual void OpenCashDrawer(Done aDone) = 0;
};

inline constexpr const char* kMsgReceiptNotPrinted = "영수증을 인쇄하지 못했습니다.\r재발행으로 다시 인쇄하십시오.";
inline constexpr const char* kMsgReportNotPrinted = "출력물을 인쇄하지 못했습니다.";
// "인쇄하지 못한 티켓이 N장 있습니다. 지금 인쇄하시겠습니까?"
std::string AskPrintPendingTickets(int aCount);

// What a plan prints: a stored bill, whose receipt the reprint command
// ("재발행") gives again, or a report.
enum class TPlanKind { Bill, Report };

// Carries out aPlan: item tickets and list tickets are queued (list tickets
// as jobs of the list kind, aContext.gsTicketTypeList) before the tickets
// that follow them print. Each printer's answer is collected; once the last
// one is in, the cashier hears once what did not print: a receipt (to be
// reprinted), and tickets left pending, which are offered to be printed
// again at once (declined, they stay pending and go out with the next
// tickets printed).
void RunPrintPlan(const TPrintPlan& aPlan, const TTerminalContext& aContext, TPrintDevices& aDevices,
                  TTicketJobList& aTickets, DialogService& aDialogs, TPlanKind aKind);

class TDeviceBillPrinter final : public TBillPrinter {
public:
    TDeviceBillPrinter(const TTerminalContext& aContext, const TMasterStore& aStore, TPrintDevices& aDevices,
                       TTicketJobList& aTickets, DialogService& aDialogs)
        : ctx_(aContext), store_(aStore), devices_(aDevices), tickets_(aTickets), dialogs_(aDialogs)
    {
    }

    void PrintBill(const TStoredBill& aBill, bool aOpenDrawer) override;

private:
    const TTerminalContext& ctx_;
    const TMasterStore& store_;
    TPrintDevices& devices_;
    TTicketJobList& tickets_;
    DialogService& dialogs_;
};

}  // namespace pos
