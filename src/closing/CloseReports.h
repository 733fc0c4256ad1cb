#pragma once
// The printed texts of the cashier's day: the float slip, the deposit slip,
// the close report (cashier or POS close) and the sales-by-menu detail that
// may follow it. Each is a pure function: the line builders give the lines,
// the plans say which printer takes them (see sales/receipt/PrintPlan.h).
// Nothing here reads the server or touches a printer.
//
// Every line is counted in printer columns (CP949 bytes, a Korean character
// two); the formats are those of ReceiptFormat.h.

#include "closing/CloseFigures.h"
#include "closing/Denominations.h"
#include "core/Currency.h"
#include "sales/receipt/PrintPlan.h"
#include "sales/receipt/ReceiptRoute.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace pos {

// Who and where, for the slips' header line.
struct TCloseHeader {
    std::string upjangName;  // the terminal's own outlet name (title)
    std::string closeDate;   // "yyyymmdd"
    std::string time;        // "hh:nn"
    std::string upjangCode, posNo, cashier, cashierName;
};

// Date, time, outlet, POS and the cashier's name (its first 6 columns), 42
// columns: "%-11s%-6s%-6sPOS:%-4s담당:%-6s".
std::string SlipHeaderLine(const TCloseHeader& aHeader);

// --- The float and deposit slips -------------------------------------------

// Whether this terminal prints the float and deposit slips at all.
bool PrintsCashSlips(TPrinters aPrinters);

// The slip lines under the title: the header line, the figures and the
// rules. aBefore: the figures before this entry (its number is the count so
// far + 1); aTotal: the float (deposit) total after it.
std::vector<std::string> OpenSlipLines(const TCloseHeader& aHeader, const TCloseFigures& aBefore, Currency aEntered,
                                       Currency aTotal);
std::vector<std::string> DepositSlipLines(const TCloseHeader& aHeader, const TCloseFigures& aBefore,
                                          const TDenominationCounts& aCounts, Currency aSum, Currency aTotal);

// aPrintHeader: gsPrintHeader, the header of the ticket job (TSP800).
TPrintPlan PlanOpenSlip(TPrinters aPrinters, const TCloseHeader& aHeader, const TCloseFigures& aBefore,
                        Currency aEntered, Currency aTotal, const std::string& aPrintHeader);
TPrintPlan PlanDepositSlip(TPrinters aPrinters, const TCloseHeader& aHeader, const TCloseFigures& aBefore,
                           const TDenominationCounts& aCounts, Currency aSum, Currency aTotal,
                           const std::string& aPrintHeader);

// --- The close report ------------------------------------------------------

// The narrow layout serves a ticket printer (Boca, Flotec) on printer 1 when
// no receipt printer on printer 2 takes the report instead.
bool UsesNarrowLayout(TPrinters aPrinters);

// The header of the full layout: "[POS 마감]" or "[사용자 마감]" centred, the
// slip header line and the close number. The menu detail repeats it.
std::vector<std::string> CloseReportHeaderLines(const TCloseHeader& aHeader, int aCloseNo, bool aPosClose);
// The header a Boca or Flotec ticket carries instead: the kind (with the
// cashier's name), date and time, outlet-POS and cashier, a rule.
std::vector<std::string> NarrowTicketHeaderLines(const TCloseHeader& aHeader, bool aPosClose);
// The body (tenders, cash, sales, COMP) in the full or the narrow layout.
std::vector<std::string> CloseReportLines(const TCloseFigures& aFigures, bool aNarrow);

// The report with its number; the layout and the route follow the printers.
TPrintPlan PlanCloseReport(TPrinters aPrinters, const TCloseHeader& aHeader, const TCloseFigures& aFigures,
                           int aCloseNo, bool aPosClose);

// --- Sales by menu ---------------------------------------------------------

// Whether the sales-by-menu question is asked at all for these printers.
bool OffersMenuDetail(TPrinters aPrinters);

struct TMenuRow {
    std::string upjangCode, menuName;
    std::int64_t qty = 0;
    Currency amount;
};
struct TGuestRow {
    std::string groupTitle, lineTitle;
    std::int64_t domestic = 0, foreign = 0;
    Currency amount;
};
struct TVoidRow {
    std::string upjangCode, itemText;
    Currency amount;
};
struct TMenuDetail {
    std::vector<TMenuRow> sales, compSales;
    std::vector<TGuestRow> guests;
    std::vector<TVoidRow> voids;
};

// The detail's lines, from its opening rule to its closing one. The guest
// section is printed only for a POS close at a food-and-beverage terminal
// (aFnB), the voids only for a POS close; an empty list prints no section.
// aUpjangName gives an outlet's name by its code.
std::vector<std::string> MenuDetailLines(const TMenuDetail& aDetail, bool aPosClose, bool aFnB,
                                         const std::function<std::string(const std::string&)>& aUpjangName);

// The detail under the report's title and header (aCloseNo as on the report).
TPrintPlan PlanMenuDetail(TPrinters aPrinters, const TCloseHeader& aHeader, const TMenuDetail& aDetail, int aCloseNo,
                          bool aPosClose, bool aFnB, const std::function<std::string(const std::string&)>& aUpjangName,
                          const std::string& aPrintHeader);

}  // namespace pos
