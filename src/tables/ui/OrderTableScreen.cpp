#include "tables/ui/OrderTableScreen.h"

#include "db/DataModule.h"
#include "store/MasterRecords.h"
#include "store/MasterStore.h"
#include "tables/OrderTableModel.h"
#include "tables/ui/TfrmOrder.h"

#include <memory>

namespace pos {

TOrderTableScreen::TOrderTableScreen(TScreenEnv aEnv, TfrmData& aData, const TMasterStore& aStore,
                                     TPrintDevices& aDevices, TTicketJobList& aTickets, DialogService& aDialogs,
                                     TLoginLaunchers& aLogin, TCloseLauncher& aClose, TQueueUploader& aUploader,
                                     TTerminalShutdown& aShutdown, QWidget* aParent)
    : env_(std::move(aEnv)),
      data_(aData),
      store_(aStore),
      dialogs_(aDialogs),
      login_(aLogin),
      close_(aClose),
      uploader_(aUploader),
      shutdown_(aShutdown),
      parent_(aParent),
      tables_(aData),
      bills_(aData, aDevices, aTickets, aDialogs)
{
}

TOrderTableLauncher::TOutcome TOrderTableScreen::ShowOrderTable()
{
    TTerminalContext& ctx = data_.Context();
    const std::string& outlet = ctx.gsMasterUpjangCode;
    const TOrderOutlet flags{store_.GetUpjangData(outlet, UpjangItem::OrderRestoreYN).asFlag(),
                             store_.GetUpjangData(outlet, UpjangItem::CloseYN).asFlag(),
                             store_.GetUpjangData(outlet, UpjangItem::OffLineYN).asFlag()};
    TOrderTableModel model(ctx, flags, tables_, bills_, dialogs_, login_, close_, uploader_, shutdown_);
    auto screen = std::make_unique<TfrmOrder>(env_, model, parent_);
    shown_ = screen.get();
    screen->exec();
    shown_ = nullptr;
    if (model.ProgramEnds()) return TOutcome::ProgramEnds;
    return model.TableChosen() ? TOutcome::Chosen : TOutcome::NoTable;
}

void TOrderTableScreen::CloseWhenOffLine()
{
    if (shown_) shown_->CloseWhenOffLine();
}

}  // namespace pos
