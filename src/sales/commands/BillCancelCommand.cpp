#include "sales/commands/BillCancelCommand.h"

#include "core/DialogService.h"
#include "sales/SaleBill.h"
#include "sales/SaleView.h"
#include "sales/recording/Settlement.h"
#include "store/MasterStore.h"

namespace pos {

bool KeepsCancelledBills(const TMasterStore& aStore)
{
    return !aStore.glUpjangData.empty() && aStore.glUpjangData.front().CancelSaveYN;
}

void TBillCancelCommand::Execute(TSaleView& aView)
{
    TSaleBill& bill = aView.Bill();
    if (bill.Lines().GetCount() == 0) {
        bill.ClearBill();
        return;
    }
    if (!dialogs_.AskBox(kAskCancelBill)) return;
    if (KeepsCancelledBills(store_) && settlement_.SaveCancelData(aView) != TSettlement::TOutcome::Stored) return;
    bill.ClearBill();
}

}  // namespace pos
