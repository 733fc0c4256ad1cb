#pragma once
// The cashier's day in the running program: the close screen and the
// close-date dialog over the sale screen, the close reports printed on the
// terminal's printers, and the checks of unsent bills (the off-line queues)
// and of approvals without a bill (the approval journal).

#include "closing/CloseGuards.h"
#include "closing/CloseModel.h"
#include "core/ui/ScreenEnv.h"
#include "sales/commands/CloseCommands.h"
#include "sales/printing/DeviceBillPrinter.h"

namespace pos {

class TApprovalJournal;
class TMasterStore;
class TOffLineStore;
class TTicketJobList;

class TProgramClose final : public TCloseLauncher, private TClosePrinter, private TCloseGuards {
public:
    TProgramClose(TScreenEnv aEnv, TfrmData& aData, DialogService& aDialogs, const TMasterStore& aStore,
                  TPrintDevices& aPrinters, TTicketJobList& aTickets, const TOffLineStore& aQueues,
                  const TApprovalJournal& aJournal)
        : env_(std::move(aEnv)),
          data_(aData),
          dialogs_(aDialogs),
          store_(aStore),
          printers_(aPrinters),
          tickets_(aTickets),
          queues_(aQueues),
          journal_(aJournal)
    {
    }

    void CloseInput(TCloseMode aMode, bool aShowForm, const std::string& aDate) override;
    std::optional<std::string> CloseDate() override;

private:
    TPrinters Printers() const override;
    void Print(const TPrintPlan& aPlan) override;
    std::string UnsentWork() override;
    std::vector<std::string> OpenApprovals() override;

    TScreenEnv env_;
    TfrmData& data_;
    DialogService& dialogs_;
    const TMasterStore& store_;
    TPrintDevices& printers_;
    TTicketJobList& tickets_;
    const TOffLineStore& queues_;
    const TApprovalJournal& journal_;
};

}  // namespace pos
