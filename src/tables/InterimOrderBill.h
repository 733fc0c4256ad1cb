#pragma once
// The interim order bill of a table ("주문 내역") printed after its bill was
// moved or joined: the table's stored bill read back from the server and
// laid out by the sale screen's order bill composer, so both print alike.

#include "sales/receipt/OrderBill.h"
#include "sales/receipt/PrintPlan.h"
#include "sales/receipt/ReceiptRoute.h"

#include <optional>
#include <string>

namespace pos {

class DialogService;
class TfrmData;
class TPrintDevices;
class TTicketJobList;
struct TTerminalContext;

// Table aTableNo's stored bill (header and lines, "IAI010-LoadTableData-1"
// and "-2"); nullopt when nothing is stored or a statement failed (logged,
// CheckOffLine).
std::optional<TTableBill> ReadTableBill(TfrmData& aData, int aTableNo);

// The whole bill as an interim order bill for table aTableNo: every line
// with a count, its tax figures and total; no kitchen slip, the kitchen was
// told of the lines when they were rung up. Empty unless printer 1 is a
// TSP600 or TSP800. aTime: "hhnnss".
TPrintPlan InterimOrderBill(const TTerminalContext& aContext, TPrinters aPrinters, int aTableNo,
                            const TTableBill& aBill, const std::string& aTime);

class TOrderBillPrinter {
public:
    virtual ~TOrderBillPrinter() = default;
    virtual void PrintOrderBill(int aTableNo) = 0;
};

// Reads the table and prints its interim bill on the terminal's printers.
class TDeviceOrderBillPrinter final : public TOrderBillPrinter {
public:
    TDeviceOrderBillPrinter(TfrmData& aData, TPrintDevices& aDevices, TTicketJobList& aTickets,
                            DialogService& aDialogs)
        : data_(aData), devices_(aDevices), tickets_(aTickets), dialogs_(aDialogs)
    {
    }
    void PrintOrderBill(int aTableNo) override;

private:
    TfrmData& data_;
    TPrintDevices& devices_;
    TTicketJobList& tickets_;
    DialogService& dialogs_;
};

}  // namespace pos
