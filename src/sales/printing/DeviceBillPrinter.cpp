#include "sales/printing/DeviceBillPrinter.h"

#include "core/DateHelpers.h"
#include "core/DialogService.h"
#include "core/TerminalContext.h"
#include "devices/TicketJobs.h"
#include "sales/printing/BillPlan.h"

#include <memory>

namespace pos {

std::string AskPrintPendingTickets(int aCount)
{
    return "인쇄하지 못한 티켓이 " + std::to_string(aCount) + "장 있습니다. 지금 인쇄하시겠습니까?";
}

namespace {

// The answers of one plan's printers. The printers answer later, each in
// its own time; the report waits for the last of them.
class TPlanAnswers : public std::enable_shared_from_this<TPlanAnswers> {
public:
    TPlanAnswers(TPrintDevices& aDevices, TTicketJobList& aTickets, DialogService& aDialogs, TPlanKind aKind)
        : devices_(aDevices), tickets_(aTickets), dialogs_(aDialogs), kind_(aKind)
    {
    }

    // A printer was asked: its answer is awaited before the report.
    TPrintDevices::Done Await(bool aReceipt)
    {
        ++waiting_;
        return [self = shared_from_this(), aReceipt](bool aOk) {
            if (aReceipt && !aOk) self->receiptFailed_ = true;
            self->Answered();
        };
    }
    void TicketsAsked() { ticketsAsked_ = true; }

    // The plan itself counts as one answer, given when all of it was handed
    // to the printers, so an answer that comes at once cannot report early.
    void Answered()
    {
        if (--waiting_ == 0) report();
    }

private:
    void report()
    {
        // Tickets left on the list did not print, whatever the drivers
        // answered (printer 2's answer is not passed on).
        const int pending = ticketsAsked_ ? tickets_.GetTicketCount() : 0;
        std::string notPrinted;
        if (receiptFailed_) notPrinted = kind_ == TPlanKind::Bill ? kMsgReceiptNotPrinted : kMsgReportNotPrinted;
        receiptFailed_ = false;
        if (pending == 0) {
            if (!notPrinted.empty()) dialogs_.MsgBox(notPrinted);
            return;
        }
        if (!notPrinted.empty()) notPrinted += "\r";
        if (!dialogs_.AskBox(notPrinted + AskPrintPendingTickets(pending))) return;
        waiting_ = 1;
        devices_.PrintTickets(Await(false));
        Answered();
    }

    TPrintDevices& devices_;
    TTicketJobList& tickets_;
    DialogService& dialogs_;
    TPlanKind kind_;
    int waiting_ = 1;
    bool receiptFailed_ = false;
    bool ticketsAsked_ = false;
};

}  // namespace

void RunPrintPlan(const TPrintPlan& aPlan, const TTerminalContext& aContext, TPrintDevices& aDevices,
                  TTicketJobList& aTickets, DialogService& aDialogs, TPlanKind aKind)
{
    // The bill is stored whatever prints: a printer that fails has shown its
    // own message, the rest of the plan goes on, and the cashier hears at the
    // end what is missing.
    const auto answers = std::make_shared<TPlanAnswers>(aDevices, aTickets, aDialogs, aKind);
    for (const TPrintJob& job : aPlan) {
        switch (job.step) {
        case TPrintStep::Receipt:
            aDevices.PrintReceipt(job.printer, job.text, answers->Await(true));
            break;
        case TPrintStep::ListTicket:
            aTickets.AddTicketData(aContext.gsTicketTypeList, job.header, job.lines);
            break;
        case TPrintStep::ItemTicket:
            if (job.merge) aTickets.ChangeTicketData(job.kind, job.lines);
            else aTickets.AddTicketData(job.kind, job.lines);
            break;
        case TPrintStep::PrintTickets:
            answers->TicketsAsked();
            aDevices.PrintTickets(answers->Await(false));
            break;
        case TPrintStep::Message:
            aDialogs.MsgBox(job.text, job.seconds);
            break;
        case TPrintStep::OpenDrawer:
            aDevices.OpenCashDrawer(answers->Await(false));
            break;
        }
    }
    answers->Answered();
}

void TDeviceBillPrinter::PrintBill(const TStoredBill& aBill, bool aOpenDrawer)
{
    const TPrintPlan plan = PlanStoredBill(ctx_, store_, devices_.Printers(), aBill, aOpenDrawer, GetSysTime());
    RunPrintPlan(plan, ctx_, devices_, tickets_, dialogs_, TPlanKind::Bill);
}

}  // namespace pos
