#include "sales/commands/ShutdownCommand.h"

#include "core/DialogService.h"
#include "sales/SaleBill.h"
#include "sales/commands/CashierChecks.h"
#include "sales/SaleView.h"
#include "sales/commands/TerminalServices.h"

namespace pos {

void TShutdownCommand::Execute(TSaleView& aView)
{
    std::string question = kAskShutdown;
    if (const std::string cashier = CheckNotCloseCashier(data_); !cashier.empty())
        question = cashier + kNotClosedCashierSuffix + question;
    // Neither a table bill nor a cancelled bill can be stored yet: a bill
    // with lines would vanish with the program, so the cashier is told.
    if (aView.Bill().Lines().GetCount() > 0 && !aView.Bill().IsFinished()) question = kOpenBillIsLost + question;
    if (!dialogs_.AskBox(question)) return;
    shutdown_.Shutdown(false);
    aView.CloseScreen();
}

}  // namespace pos
