#include "sales/commands/ReturnCommand.h"

#include "core/DialogService.h"
#include "core/TerminalContext.h"
#include "sales/SaleBill.h"
#include "sales/SaleView.h"

namespace pos {

void TReturnCommand::Execute(TSaleView& aView)
{
    if (aView.Bill().Lines().GetCount() > 0) {
        dialogs_.ErrBox(kNoReturnWhileSelling, true);
        return;
    }
    const bool toReturn = context_.giSaleGubun != 2;
    context_.giSaleGubun = toReturn ? 2 : 0;
    context_.giSign = toReturn ? -1 : 1;
    aView.ShowSaleGubun();
}

}  // namespace pos
