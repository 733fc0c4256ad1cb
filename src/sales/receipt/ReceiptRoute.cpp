#include "sales/receipt/ReceiptRoute.h"

namespace pos {

using enum TPrinterType;

TReceiptRoute ReceiptRouteOf(const TPrinters& aPrinters)
{
    if (aPrinters.Either(ptTSP600)) return TReceiptRoute::ReceiptPrinter;
    if (aPrinters.Is1(ptTSP800) || aPrinters.Is1(ptTSP700) || aPrinters.Is1(ptBoca) || aPrinters.Is1(ptFlotec) ||
        aPrinters.Is2(ptTSP700))
        return TReceiptRoute::TicketList;
    return TReceiptRoute::None;
}

TReceiptRoute CardSlipRouteOf(const TPrinters& aPrinters)
{
    if (aPrinters.Is1(ptTSP700) || aPrinters.Is1(ptTSP800) || aPrinters.Is2(ptTSP700)) return TReceiptRoute::TicketList;
    if (aPrinters.Either(ptTSP600)) return TReceiptRoute::ReceiptPrinter;
    return TReceiptRoute::None;
}

bool CashReceiptAsTicket(const TPrinters& aPrinters) { return aPrinters.Either(ptTSP700); }

}  // namespace pos
