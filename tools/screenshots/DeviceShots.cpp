// The ticket progress window while the third of ten tickets prints.
#include "Shots.h"

#include "devices/TicketProgress.h"
#include "devices/ui/TfrmTicketPrinting.h"

namespace {

bool drawDevices(const QDir& aDir)
{
    pos::TTicketPrintingModel model;
    pos::TfrmTicketPrinting window(model);
    model.TicketsStarted(10);
    model.TicketPrinted();
    model.TicketPrinted();
    window.Refresh();
    const bool ok = shots::Save(window, aDir, "ticketprinting");
    model.TicketsEnded();
    return ok;
}

const shots::TShotRegistrar registrar("devices", drawDevices);

}  // namespace
