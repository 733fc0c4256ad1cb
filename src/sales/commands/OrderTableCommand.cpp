#include "sales/commands/OrderTableCommand.h"

#include "core/DialogService.h"
#include "core/TerminalContext.h"
#include "login/LoginModel.h"
#include "sales/SaleBill.h"
#include "sales/SaleServices.h"
#include "sales/SaleView.h"
#include "sales/commands/TableKitchen.h"
#include "sales/commands/TerminalServices.h"
#include "sales/tables/TableBills.h"

namespace pos {

void TOrderTableCommand::Execute(TSaleView& aView)
{
    TSaleBill& bill = aView.Bill();
    const TCommandBar& bar = bill.screen.commands;
    if (bar.orderTableMode != TOrderTableMode::Table || !bar[TSaleCommand::OrderTable].enabled) return;
    if (ctx_.gbOffLine) {
        dialogs_.ErrBox(bar.Caption(TSaleCommand::OrderTable, false) + kMsgOffLineRefused, true);
        return;
    }
    // The bill stays on the screen when it cannot be stored; the kitchen
    // hears only of what the server holds.
    if (!tables_.SaveTableData(bill)) return;
    kitchen_.PrintOrderBill(bill);
    switch (launcher_.ShowOrderTable()) {
    case TOrderTableLauncher::TOutcome::Chosen: break;
    case TOrderTableLauncher::TOutcome::NoTable: return;
    case TOrderTableLauncher::TOutcome::ProgramEnds: aView.CloseScreen(); return;
    }

    bill.ClearBill();
    tables_.LoadTableData(bill);
    askGuestCount(aView);
    aView.ShowSaleGubun();
    aView.ShowWaitCount();
    aView.ShowBillNo();
    aView.PressFirstMenuGroup();
}

// A table opened without guests asks for them, except where the button is
// the golf course's caddy toggle.
void TOrderTableCommand::askGuestCount(TSaleView& aView)
{
    const TCommandBar& bar = aView.Bill().screen.commands;
    if (!bar[TSaleCommand::GuestCount].enabled || bar.guestCountMode != TGuestCountMode::GuestCount) return;
    if (ctx_.giKoreanCount != 0 || ctx_.giForeignCount != 0) return;
    if (services_.GetGuestCount(true)) aView.ShowWaitCount();
}

}  // namespace pos
