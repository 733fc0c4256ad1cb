#include "sales/commands/LoginCommand.h"

#include "db/DataModule.h"
#include "sales/SaleBill.h"
#include "sales/SaleView.h"
#include "sales/commands/TerminalServices.h"

namespace pos {

void TLoginCommand::Execute(TSaleView& aView)
{
    TSaleBill& bill = aView.Bill();
    TCommandBar& bar = bill.screen.commands;
    const TTerminalContext& ctx = data_.Context();
    for (;;) {
        if (!login_.Login(true)) {
            // An abandoned change of cashier keeps the one signed on; an
            // abandoned required login ends the program, unless the cashier
            // chose to stay, who is then asked to log in again.
            if (!bar.loginRequired) return;
            if (shutdown_.Shutdown(true) != TShutdownAction::KeepRunning) {
                aView.CloseScreen();
                return;
            }
            continue;
        }
        aView.ShowCashier();
        bill.ClearBill();
        bar.loginRequired = false;
        if (!data_.CheckClosed(ctx.gsSaleDate, ctx.gsMasterUpjangCode, ctx.gsMasterPosNo, true)) return;
        bar.loginRequired = true;
    }
}

}  // namespace pos
