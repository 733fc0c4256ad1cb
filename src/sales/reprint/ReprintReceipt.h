#pragma once
// The reprint of a stored bill: read it back whole, compose every receipt
// and slip, count the reprint, then hand the jobs to the printers.
//
// Nothing reaches a printer before the whole bill was read and composed and,
// when the reprint is counted, the count was stored: a failure on the way
// prints nothing. The read and the count are units of work of their own and
// never commit or roll back work the caller began (see ReprintReader.h).

#include "sales/receipt/ReceiptRoute.h"
#include "sales/reprint/ReprintLayout.h"
#include "sales/reprint/ReprintReader.h"

namespace pos {

class DialogService;
class TfrmData;

// Where the reprint's jobs go. A printer that fails tells the cashier itself.
class TReprintPrinter {
public:
    virtual ~TReprintPrinter() = default;
    virtual TPrinters Printers() const = 0;
    virtual void Print(const TReprintPrint& aPrint) = 0;
};

struct TReprintResult {
    TReprintStatus status = TReprintStatus::Failed;
    bool Printed() const { return status == TReprintStatus::Read; }
};

// What the reprint screen reprints with.
class TReprinter {
public:
    virtual ~TReprinter() = default;
    virtual TReprintResult Reprint(const TReprintRequest& aRequest) = 0;
};

class ReprintReceipt final : public TReprinter {
public:
    ReprintReceipt(TfrmData& aData, TReprintPrinter& aPrinter, DialogService& aDialogs)
        : data_(aData), printer_(aPrinter), dialogs_(aDialogs)
    {
    }

    // Read: composed, counted (when asked) and handed to the printers.
    TReprintResult Run(const TReprintRequest& aRequest);
    TReprintResult Reprint(const TReprintRequest& aRequest) override { return Run(aRequest); }

private:
    TfrmData& data_;
    TReprintPrinter& printer_;
    DialogService& dialogs_;
};

}  // namespace pos
