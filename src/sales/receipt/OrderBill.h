#pragma once
// The interim order bill of an open table ("주문 내역") and its kitchen slip,
// composed when the table bill is put away or the terminal shuts down, and
// the kitchen slip alone when the bill is cancelled. Pure: the plan is carried
// out by the caller (RunPrintPlan) and nothing here touches a printer.
//
// The kitchen hears of every change once. What it has been told is the
// table's kitchen state: per line the quantity already sent (OldSaleCount),
// the lines deleted since (llDeleteList) and the discounts as the last order
// bill showed them. A plan that hands changes over comes with the state after
// it, which the caller keeps with the table bill (TakeSentState), so the next
// put-away sends only what changed since, never the same item again.

#include "sales/SaleList.h"
#include "sales/receipt/PrintPlan.h"
#include "sales/receipt/ReceiptRoute.h"
#include "sales/receipt/TaxBlock.h"
#include "store/MasterRecords.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pos {

struct TTerminalContext;

// The open table as the sale screen holds it.
struct TTableBill {
    std::vector<TSaleList> lines;       // in bill order; OldSaleCount: already sent
    std::vector<TSaleList> deleteList;  // llDeleteList: lines removed since they were sent
    std::vector<TDCMemberData> dcMemberLoaded, dcMember;  // llDCMemberData, glDCMemberData
    std::vector<TDCMenuData> dcMenuLoaded, dcMenu;        // llDCMenuData, glDCMenuData
    bool noSvc = false;  // the hotel restaurants' "No SVC" and "No VAT"
    bool noVat = false;
};

// A plan and the table's kitchen state once it is handed over.
struct TOrderBillPrint {
    TPrintPlan plan;
    // False: the plan is empty and the state stays as it was.
    bool handedOver = false;
    std::vector<std::int64_t> sentCounts;  // the new OldSaleCount of each line, in bill order
    std::vector<TSaleList> deleteList;     // the deleted lines still to be told
    bool discountsShown = false;           // the order bill showed the current discounts
};

// The order bill on printer 1 (a receipt printer, or list tickets on a
// page-mode ticket printer) and, when a kitchen line was added, reduced or
// deleted, the kitchen slip. aTime: "hhnnss" as the clock gives it.
TOrderBillPrint PrintOrderBill(const TTerminalContext& aContext, TPrinters aPrinters, const TTableBill& aBill,
                               const std::string& aTime);

// The kitchen slip alone: the kitchen lines added, reduced and deleted since
// the kitchen was last told, then "최종내역", the table's whole kitchen list.
// On the network kitchen printer (printer 2), else on printer 1. An empty
// plan when no kitchen line changed.
TOrderBillPrint PrintKitchenBill(const TTerminalContext& aContext, TPrinters aPrinters, const TTableBill& aBill,
                                 const std::string& aTime);

// Keeps what a handed-over plan told in the table bill: the lines'
// OldSaleCount, the deleted lines still to tell and, after an order bill, the
// discounts as shown. Nothing changes when nothing was handed over.
void TakeSentState(TTableBill& aBill, const TOrderBillPrint& aPrint);

// The order bill's figures: the tax-free, taxable and service subtotals of
// its lines split into net, service charge and VAT. The split is made line
// by line and summed, so the total is what the lines will be charged (a split
// of the subtotals rounds differently).
TReceiptTaxes OrderBillTaxes(const TTerminalContext& aContext, const std::vector<TSaleList>& aLines, bool aNoSvc,
                             bool aNoVat);

}  // namespace pos
