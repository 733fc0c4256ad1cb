#include "sales/commands/ShutdownCommand.h"

#include "core/DialogService.h"
#include "sales/SaleBill.h"
#include "sales/commands/BillCancelCommand.h"
#include "sales/commands/CashierChecks.h"
#include "sales/recording/Settlement.h"
#include "sales/SaleView.h"
#include "sales/commands/TableKitchen.h"
#include "sales/commands/TerminalServices.h"
#include "sales/tables/TableBills.h"
#include "core/TerminalContext.h"
#include "db/DataModule.h"

namespace pos {

void TShutdownCommand::Execute(TSaleView& aView)
{
    std::string question = kAskShutdown;
    if (const std::string cashier = CheckNotCloseCashier(data_); !cashier.empty())
        question = cashier + kNotClosedCashierSuffix + question;
    const TTerminalContext& ctx = data_.Context();
    // Off line the table's bill cannot be kept: the tables live on the server.
    const bool tableOpen = IsTableOpen(ctx, store_) && !ctx.gbOffLine;
    const bool openBill = aView.Bill().Lines().GetCount() > 0 && !aView.Bill().IsFinished();
    const bool keepsCancelled = KeepsCancelledBills(store_);
    // A bill neither kept with its table nor as a cancelled bill would
    // vanish with the program, so the cashier is told.
    if (openBill && !tableOpen && !keepsCancelled) question = kOpenBillIsLost + question;
    if (!dialogs_.AskBox(question)) return;
    if (!keepBill(aView, tableOpen, openBill, keepsCancelled)) return;
    shutdown_.Shutdown(false);
    aView.CloseScreen();
}

bool TShutdownCommand::keepBill(TSaleView& aView, bool aTableOpen, bool aOpenBill, bool aKeepsCancelled)
{
    if (aTableOpen) {
        if (!tables_.SaveTableData(aView.Bill())) return false;
        // The printers finish their queued jobs before their ports close.
        kitchen_.PrintOrderBill(aView.Bill());
        return true;
    }
    return !aOpenBill || !aKeepsCancelled || settlement_.SaveCancelData(aView) == TSettlement::TOutcome::Stored;
}

}  // namespace pos
