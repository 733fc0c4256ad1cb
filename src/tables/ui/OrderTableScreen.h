#pragma once
// The sale commands' way to the table order screen: each ShowOrderTable
// makes a model over the terminal's tables and printers, shows TfrmOrder
// until a table is chosen or the screen has to close, and then forgets them.

#include "core/ui/ScreenEnv.h"
#include "sales/commands/TerminalServices.h"
#include "tables/InterimOrderBill.h"
#include "tables/OrderTables.h"

class QWidget;

namespace pos {

class DialogService;
class TCloseLauncher;
class TfrmData;
class TfrmOrder;
class TMasterStore;
class TPrintDevices;
class TQueueUploader;
class TTicketJobList;

class TOrderTableScreen final : public TOrderTableLauncher {
public:
    TOrderTableScreen(TScreenEnv aEnv, TfrmData& aData, const TMasterStore& aStore, TPrintDevices& aDevices,
                      TTicketJobList& aTickets, DialogService& aDialogs, TLoginLaunchers& aLogin,
                      TCloseLauncher& aClose, TQueueUploader& aUploader, TTerminalShutdown& aShutdown,
                      QWidget* aParent = nullptr);

    TOutcome ShowOrderTable() override;
    // The off-line switch's CloseOrderTable: the screen, when it is shown,
    // says why and closes without a table.
    void CloseWhenOffLine();

private:
    TScreenEnv env_;
    TfrmData& data_;
    const TMasterStore& store_;
    DialogService& dialogs_;
    TLoginLaunchers& login_;
    TCloseLauncher& close_;
    TQueueUploader& uploader_;
    TTerminalShutdown& shutdown_;
    QWidget* parent_;
    TDbOrderTables tables_;
    TDeviceOrderBillPrinter bills_;
    TfrmOrder* shown_ = nullptr;
};

}  // namespace pos
