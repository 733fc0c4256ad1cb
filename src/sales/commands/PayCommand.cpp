#include "sales/commands/PayCommand.h"

#include "sales/SaleBill.h"
#include "sales/SaleView.h"
#include "sales/recording/Settlement.h"

namespace pos {

void TPayCommand::Execute(TSaleView& aView)
{
    // The button stays disabled while its settlement runs: a second press
    // must not start a second one.
    TCommandBar& bar = aView.Bill().screen.commands;
    const TSaleCommand button = quickCash_ ? TSaleCommand::PayCash : TSaleCommand::Pay;
    bar[button].enabled = false;
    const TSettlement::TOutcome outcome = quickCash_ ? settlement_.PayCash(aView) : settlement_.Pay(aView);
    bar[button].enabled = true;
    if (outcome == TSettlement::TOutcome::DayClosed) {
        bar.loginRequired = true;
        login_.Execute(aView);
    }
    aView.Refresh();
}

}  // namespace pos
