#include "startup/ui/ProgramClose.h"

#include "closing/ui/TfrmClose.h"
#include "closing/ui/TfrmCloseDate.h"
#include "db/DataModule.h"
#include "payment/approval/ApprovalJournal.h"
#include "sales/receipt/ReceiptFormat.h"

#include <QApplication>

namespace pos {

void TProgramClose::CloseInput(TCloseMode aMode, bool aShowForm, const std::string& aDate)
{
    const bool shown = aShowForm || aMode == TCloseMode::cmClose || aMode == TCloseMode::cmPosClose;
    if (!shown) return;
    TCloseModel model(data_, dialogs_, store_, *this, *this);
    model.Open(aMode, aDate);
    if (aMode == TCloseMode::cmPosClose) {
        model.PosCloseCommand();
        return;
    }
    ShowClose(env_, model, QApplication::activeModalWidget());
}

std::optional<std::string> TProgramClose::CloseDate()
{
    const TTerminalContext& ctx = data_.Context();
    return GetCloseDate(env_, ctx.gsSaleDate, ctx.gsToday, QApplication::activeModalWidget());
}

TPrinters TProgramClose::Printers() const { return printers_.Printers(); }

void TProgramClose::Print(const TPrintPlan& aPlan)
{
    RunPrintPlan(aPlan, data_.Context(), printers_, tickets_, dialogs_, TPlanKind::Report);
}

std::string TProgramClose::UnsentWork() { return UnsentWorkMessage(CountUnsentLines(queues_)); }

std::vector<std::string> TProgramClose::OpenApprovals()
{
    std::vector<std::string> lines;
    for (const TJournalEntry& entry : journal_.Entries())
        lines.push_back(entry.Masked + " " + Amount(Currency(entry.Amount)) + "원");
    return lines;
}

}  // namespace pos
