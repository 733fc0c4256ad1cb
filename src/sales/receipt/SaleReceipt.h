#pragma once
// The sale part of the customer receipt, composed line by line while the
// recording writes the bill's rows: store title, header line, item lines, the
// tax block and the total; and the meal slips of a ticket outlet.
//
// The recording makes one TSaleReceipt per bill, calls AddLine for every bill
// line it stored (count not 0) with the amounts it stored for that line, and
// Finish once. Pure: nothing is printed or queued here (see PrintPlan.h).

#include "core/Currency.h"
#include "sales/receipt/ReceiptRoute.h"
#include "sales/receipt/TaxBlock.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace pos {

struct TTerminalContext;
struct TSaleList;
class TMasterStore;
class TCommandBar;

struct TSalePart {
    std::string header;                    // gsPrintHeader
    TReceiptRoute route = TReceiptRoute::None;
    std::string receiptText;               // gsPrintSaleData1: for a receipt printer
    std::vector<std::string> ticketLines;  // the sale lines of glPrintTicket: for a ticket list
    std::vector<std::string> mealSlips;    // glPrintNormalTicket: one complete text each
    TReceiptTaxes taxes;                   // the figures the tax block shows
};

class TSaleReceipt {
public:
    // aCancelled: the bill is stored as a cancelled bill ("거래 중지 전표").
    // aHeader: this bill's BillHeaderLine. The switches and the ticket mode
    // are read from aCommandBar now, as the bill is being written.
    TSaleReceipt(const TTerminalContext& aContext, const TMasterStore& aStore, TPrinters aPrinters,
                 const TCommandBar& aCommandBar, bool aCancelled, std::string aHeader);

    // One stored bill line with its stored amounts summed over its rows. A
    // line whose count is 0 has no rows and adds nothing.
    void AddLine(const TSaleList& aLine, const TRowAmounts& aRows);

    // The sale part. aDiscount: the screen's discount total; aDue: the
    // amount due, both signed like the bill.
    TSalePart Finish(Currency aDiscount, Currency aDue) const;

private:
    std::string storeTitle() const;
    std::vector<std::string> bodyLines() const;
    std::vector<std::string> mealSlips() const;
    void collectMeal(const TSaleList& aLine);

    const TTerminalContext& context_;
    TPrinters printers_;
    TReceiptRoute route_;
    bool cancelled_;
    bool groupTicket_;
    bool mealSlipOutlet_;
    TTaxBlockStyle style_;
    std::string header_;
    std::string title_;                // store title and header: T
    std::vector<std::string> items_;   // the item lines
    TReceiptTaxes taxes_;
    std::vector<std::pair<std::string, std::int64_t>> meals_;  // (menu name, count)
};

}  // namespace pos
