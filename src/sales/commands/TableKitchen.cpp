#include "sales/commands/TableKitchen.h"

#include "sales/SaleBill.h"
#include "sales/printing/DeviceBillPrinter.h"
#include "sales/receipt/OrderBill.h"
#include "store/MasterStore.h"

namespace pos {

TTableBill TableBillOf(const TSaleBill& aBill, const TMasterStore& aStore)
{
    TTableBill table;
    for (int row = 0; row < aBill.Lines().GetCount(); ++row) table.lines.push_back(aBill.Lines().Line(row));
    table.deleteList = aBill.table.llDeleteList;
    table.dcMemberLoaded = aBill.table.llDCMemberData;
    table.dcMember = aStore.glDCMemberData;
    table.dcMenuLoaded = aBill.table.llDCMenuData;
    table.dcMenu = aStore.glDCMenuData;
    table.noSvc = aBill.screen.commands.NoSvcDown();
    table.noVat = aBill.screen.commands.NoVatDown();
    return table;
}

TTableKitchen::TTableKitchen(const TTerminalContext& aContext, const TMasterStore& aStore, TPrintDevices& aDevices,
                             TTicketJobList& aTickets, DialogService& aDialogs, std::function<std::string()> aClock)
    : ctx_(aContext), store_(aStore), devices_(aDevices), tickets_(aTickets), dialogs_(aDialogs),
      clock_(std::move(aClock))
{
}

// What a handed-over print told goes back into the bill at once: the lines'
// sent counts (the bill's lines are the table bill's, row for row), the
// deleted lines still to tell and the discounts as shown.
template <class Compose>
void TTableKitchen::print(TSaleBill& aBill, Compose aCompose)
{
    TTableBill table = TableBillOf(aBill, store_);
    const TOrderBillPrint printed = aCompose(ctx_, devices_.Printers(), table, clock_());
    if (!printed.handedOver) return;
    RunPrintPlan(printed.plan, ctx_, devices_, tickets_, dialogs_, TPlanKind::Report);
    TakeSentState(table, printed);
    for (int row = 0; row < aBill.Lines().GetCount(); ++row)
        aBill.Lines().Line(row).OldSaleCount = table.lines[static_cast<std::size_t>(row)].OldSaleCount;
    aBill.table.llDeleteList = std::move(table.deleteList);
    aBill.table.llDCMemberData = std::move(table.dcMemberLoaded);
    aBill.table.llDCMenuData = std::move(table.dcMenuLoaded);
}

void TTableKitchen::PrintOrderBill(TSaleBill& aBill) { print(aBill, &pos::PrintOrderBill); }

void TTableKitchen::PrintKitchenBill(TSaleBill& aBill) { print(aBill, &pos::PrintKitchenBill); }

}  // namespace pos
