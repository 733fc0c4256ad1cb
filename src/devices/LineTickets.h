#pragma once
// Tickets on the line-mode Star printers (TSP700 on printer 1 or 2, TSP600 on
// printer 2): each ticket is composed as marked-up text for the Star job of
// the receipts, with its stub below a blank line.

#include "core/TerminalConfig.h"
#include "devices/TicketJobs.h"
#include "devices/TicketRules.h"

#include <string>
#include <vector>

namespace pos {

// The texts of one job on that printer, one per paper in printing order
// (lines ended by CR); empty when the printer does not print this kind.
std::vector<std::string> LineTicketTexts(int aPrinterNo, TPrinterType aModel, const TTicketData& aJob,
                                         const TTicketEnv& aEnv);

// A TSP600 on printer 2 cuts each ticket at once; a TSP700 feeds it to the
// cutter first.
bool LineTicketCutsAtOnce(int aPrinterNo, TPrinterType aModel);

}  // namespace pos
