#include "sales/printing/DeviceBillPrinter.h"

#include "core/DateHelpers.h"
#include "core/DialogService.h"
#include "core/TerminalContext.h"
#include "devices/TicketJobs.h"
#include "sales/printing/BillPlan.h"

namespace pos {

void RunPrintPlan(const TPrintPlan& aPlan, const TTerminalContext& aContext, TPrintDevices& aDevices,
                  TTicketJobList& aTickets, DialogService& aDialogs)
{
    // A printer that fails has told the cashier; the bill is stored, so the
    // rest of the plan goes on (a reprint gives the receipt again).
    const auto ignore = [](bool) {};
    for (const TPrintJob& job : aPlan) {
        switch (job.step) {
        case TPrintStep::Receipt:
            aDevices.PrintReceipt(job.printer, job.text, ignore);
            break;
        case TPrintStep::ListTicket:
            aTickets.AddTicketData(aContext.gsTicketTypeList, job.header, job.lines);
            break;
        case TPrintStep::PrintTickets:
            aDevices.PrintTickets(ignore);
            break;
        case TPrintStep::Message:
            aDialogs.MsgBox(job.text, job.seconds);
            break;
        case TPrintStep::OpenDrawer:
            aDevices.OpenCashDrawer(ignore);
            break;
        }
    }
}

void TDeviceBillPrinter::PrintBill(const TStoredBill& aBill, bool aOpenDrawer)
{
    const TPrintPlan plan = PlanStoredBill(ctx_, store_, devices_.Printers(), aBill, aOpenDrawer, GetSysTime());
    RunPrintPlan(plan, ctx_, devices_, tickets_, dialogs_);
}

}  // namespace pos
