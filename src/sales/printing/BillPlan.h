#pragma once
// The print plan of a stored bill: the receipt's sale part composed from the
// lines as they were stored (with the amounts stored for them), the tender
// part from the tender lines in the order they were stored, and the plan of
// what goes to which printer. Pure: nothing is printed here.

#include "sales/receipt/PrintPlan.h"

#include <string>

namespace pos {

struct TTerminalContext;
class TMasterStore;
struct TStoredBill;

// aTime: the time on the bill's header line, "hhnnss". aOpenDrawer: the
// settlement's decision whether the drawer opens after the print.
TPrintPlan PlanStoredBill(const TTerminalContext& aContext, const TMasterStore& aStore, TPrinters aPrinters,
                          const TStoredBill& aBill, bool aOpenDrawer, const std::string& aTime);

}  // namespace pos
