#include "sales/commands/ShutdownCommand.h"

#include "core/DialogService.h"
#include "sales/SaleBill.h"
#include "sales/commands/BillCancelCommand.h"
#include "sales/commands/CashierChecks.h"
#include "sales/recording/Settlement.h"
#include "sales/SaleView.h"
#include "sales/commands/TerminalServices.h"

namespace pos {

void TShutdownCommand::Execute(TSaleView& aView)
{
    std::string question = kAskShutdown;
    if (const std::string cashier = CheckNotCloseCashier(data_); !cashier.empty())
        question = cashier + kNotClosedCashierSuffix + question;
    const bool openBill = aView.Bill().Lines().GetCount() > 0 && !aView.Bill().IsFinished();
    const bool keepsIt = KeepsCancelledBills(store_);
    // Table bills cannot be stored yet: a bill that is not kept as a
    // cancelled bill would vanish with the program, so the cashier is told.
    if (openBill && !keepsIt) question = kOpenBillIsLost + question;
    if (!dialogs_.AskBox(question)) return;
    if (openBill && keepsIt && settlement_.SaveCancelData(aView) != TSettlement::TOutcome::Stored) return;
    shutdown_.Shutdown(false);
    aView.CloseScreen();
}

}  // namespace pos
