#include "sales/reprint/DeviceReprintPrinter.h"

#include "sales/printing/DeviceBillPrinter.h"

namespace pos {

TPrinters TDeviceReprintPrinter::Printers() const { return devices_.Printers(); }

void TDeviceReprintPrinter::Print(const TReprintPrint& aPrint)
{
    RunPrintPlan(aPrint.plan, ctx_, devices_, tickets_, dialogs_, TPlanKind::Bill);
    for (const TEasyCheckSlip& slip : aPrint.easyCheckSlips) easyCheck_.PrintEasyCheck(slip);
}

}  // namespace pos
