#pragma once
// What goes to which printer for a settled or a cancelled bill, as a plain
// list of print jobs in order. The devices carry the jobs out one after the
// other; nothing here touches a printer.

#include "sales/receipt/PayReceipt.h"
#include "sales/receipt/ReceiptRoute.h"
#include "sales/receipt/SaleReceipt.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pos {

enum class TPrintStep {
    Receipt,       // print `text` on receipt printer `printer` (1 or 2)
    ListTicket,    // queue a list ticket job: `header` and `lines`
    ItemTicket,    // queue a ticket of `kind` with the values `lines`; `merge`: into an equal pending one
    PrintTickets,  // print the pending ticket jobs
    Message,       // show `text`, closing by itself after `seconds`
    OpenDrawer,    // open the cash drawer
};

struct TPrintJob {
    TPrintStep step = TPrintStep::Receipt;
    int printer = 0;
    std::string text;
    std::string header;
    std::vector<std::string> lines;
    int seconds = 0;
    std::string kind;
    bool merge = false;

    bool operator==(const TPrintJob&) const = default;
};

using TPrintPlan = std::vector<TPrintJob>;

// The jobs of a plan: a text for receipt printer 1 or 2, a list ticket job,
// a step that carries nothing (print the tickets, open the drawer).
TPrintJob ReceiptJob(int aPrinter, std::string aText);
TPrintJob ListTicketJob(const std::string& aHeader, std::vector<std::string> aLines);
TPrintJob StepJob(TPrintStep aStep);
TPrintJob ItemTicketJob(std::string aKind, std::vector<std::string> aValues, bool aMerge);

inline constexpr const char* kMsgReturnDone = "반품 처리 되었습니다.";

// The two fixed lines under a customer receipt.
std::string ReceiptFooter();

struct TSettledBill {
    TPrinters printers;
    std::int64_t saleGubun = 0;  // 0 sale, 1 void, 2 return
    TSalePart sale;
    TPayPart pay;                // of the payment screen, or the quick cash part
    bool openDrawer = false;
};

// The print of a settled bill, in this order: the list tickets of the
// payment (card slips, cash receipts) and of the receipt; then by printer 1:
// a receipt printer prints the meal slips, the receipt, the signature copy
// of a void or return, the card slips and the receipt once more with each
// signature slip; a ticket printer prints the pending tickets (a page-mode
// one then each signature slip under the receipt); then printer 2 likewise;
// the return's message; the drawer.
TPrintPlan PlanSettledBill(const TSettledBill& aBill);

// The print of a cancelled bill: its receipt on the receipt printer (printer
// 1, else printer 2), or its list ticket, printed at once, on a ticket printer.
TPrintPlan PlanCancelledBill(TPrinters aPrinters, const TSalePart& aSale);

}  // namespace pos
