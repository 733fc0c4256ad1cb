#include "sales/reprint/ReprintReceipt.h"

#include "core/DialogService.h"
#include "db/DataModule.h"

namespace pos {

TReprintResult ReprintReceipt::Run(const TReprintRequest& aRequest)
{
    TReprintRead read = ReadReprintBill(data_, aRequest);
    if (read.status == TReprintStatus::NotFound) dialogs_.ErrBox(read.message, true);
    if (read.status != TReprintStatus::Read) return {read.status};

    const TReprintPrint print = ComposeReprint(data_.Context(), printer_.Printers(), read.bill, aRequest);
    // Counted before the print, so that the number on the paper is the one
    // stored and the next reprint says the next number.
    if (aRequest.saveCount && !CountReprint(data_, read.bill)) return {TReprintStatus::Failed};
    printer_.Print(print);
    return {TReprintStatus::Read};
}

}  // namespace pos
