#pragma once
// Which printer takes which document, decided once from the two printer
// positions of the terminal, so that the sale part, the tender part, the
// slips and the print plan never disagree about it.

#include "core/TerminalConfig.h"

namespace pos {

struct TPrinters {
    TPrinterType printer1 = TPrinterType::ptNone;
    TPrinterType printer2 = TPrinterType::ptNone;

    bool Is1(TPrinterType aType) const { return printer1 == aType; }
    bool Is2(TPrinterType aType) const { return printer2 == aType; }
    bool Either(TPrinterType aType) const { return Is1(aType) || Is2(aType); }
};

// How the customer receipt is printed.
enum class TReceiptRoute {
    None,            // no printer prints receipts
    ReceiptPrinter,  // one print text for a TSP600 (printer 1, else printer 2)
    TicketList,      // lines of a list ticket job, printed with the tickets
};

// A TSP600 on either position takes the receipt as one text. Otherwise a
// ticket printer prints it as list pages: the page-mode TSP800 and, because
// the receipt is queued with the tickets there, a TSP700, Boca or Flotec on
// printer 1 or a TSP700 on printer 2.
TReceiptRoute ReceiptRouteOf(const TPrinters& aPrinters);

// How card slips are printed: as list tickets when a TSP700 or TSP800 can
// take them (printer 1) or a TSP700 (printer 2); else on a TSP600; else not.
TReceiptRoute CardSlipRouteOf(const TPrinters& aPrinters);

// A cash receipt prints as a list ticket of its own when a TSP700 is on
// either position; otherwise it closes the receipt text.
bool CashReceiptAsTicket(const TPrinters& aPrinters);

}  // namespace pos
