#include "sales/commands/BillCancelCommand.h"

#include "core/DialogService.h"
#include "sales/SaleBill.h"
#include "sales/SaleView.h"
#include "sales/commands/TableKitchen.h"
#include "sales/recording/Settlement.h"
#include "sales/tables/TableBills.h"
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
    const bool table = IsTableOpen(ctx_, store_);
    if (table) cancelForKitchen(aView);
    bill.ClearBill();
    if (table && tables_.DeleteTableDataAlone(bill)) bill.table = TOpenTable{};
}

// Lines the kitchen never heard of go; the others drop to nothing, which the
// kitchen slip tells as cancelled.
void TBillCancelCommand::cancelForKitchen(TSaleView& aView)
{
    TSaleLines& lines = aView.Bill().Lines();
    for (int row = lines.GetCount() - 1; row >= 0; --row) {
        if (lines.Line(row).OldSaleCount == 0) {
            lines.DeleteDataList(row);
        } else {
            lines.Line(row).SaleCount = Currency();
            lines.Line(row).SaleAmt = Currency();
        }
    }
    kitchen_.PrintKitchenBill(aView.Bill());
}

}  // namespace pos
