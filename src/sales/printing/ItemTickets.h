#pragma once
// The tickets of a stored sale bill: one per sold unit of each line (one per
// component and unit of a ski package or camp), with the fifteen values the
// ticket layouts read, composed from what was stored. In combined-ticket
// mode ("통합발권") equal tickets are merged by the ticket job list. Pure:
// the tickets are queued when the bill's print plan is carried out.

#include "sales/receipt/ReceiptRoute.h"

#include <string>
#include <vector>

namespace pos {

struct TTerminalContext;
class TMasterStore;
struct TStoredBill;

struct TItemTicket {
    std::string kind;                 // a code of the ticket-type group
    std::vector<std::string> values;  // values 0-14: the bill text, then Str1-Str14
    bool merge = false;               // merged into an equal pending ticket

    bool operator==(const TItemTicket&) const = default;
};

// Ticket printers that print item tickets: a TSP700, Boca or Flotec at
// printer 1, or a TSP600 or TSP700 at printer 2.
bool PrintsItemTickets(const TPrinters& aPrinters);

// None for a return or void, for a cancelled bill, or when no printer
// prints item tickets. aHeader: the bill's header line.
std::vector<TItemTicket> ItemTicketsOf(const TTerminalContext& aContext, const TMasterStore& aStore,
                                       TPrinters aPrinters, const TStoredBill& aBill, const std::string& aHeader);

// A resident registration number as a ticket shows it: its first seven
// characters, "XXXXX" and its last; any other number as it is.
std::string TicketMemberNo(const std::string& aNumber);

}  // namespace pos
