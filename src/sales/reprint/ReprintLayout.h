#pragma once
// The reprint of a stored bill as print jobs: the receipt (title, header
// line, items, tax block, total, tenders, cash receipts, the reprint line),
// the signature slips of the tenders the guest signs for, the company and
// customer copy of every card approval, routed by the printer models of the
// terminal. Pure: nothing is printed here; the same bill and printers give
// the same jobs.

#include "devices/EasyCheckFrame.h"
#include "sales/receipt/PrintPlan.h"
#include "sales/receipt/ReceiptRoute.h"
#include "sales/reprint/ReprintBill.h"

#include <string>
#include <vector>

namespace pos {

struct TTerminalContext;

struct TReprintPrint {
    TPrintPlan plan;
    // Card slips for the EasyCheck terminal on printer 2, sent after the
    // plan, when no printer of the terminal prints card slips.
    std::vector<TEasyCheckSlip> easyCheckSlips;
};

TReprintPrint ComposeReprint(const TTerminalContext& aContext, TPrinters aPrinters, const TReprintBill& aBill,
                             const TReprintRequest& aRequest);

// "이 영수증은 %d번째 재발행 된 영수증입니다."
std::string ReprintLine(std::int64_t aCount);

}  // namespace pos
