#include "sales/commands/OnLineCommand.h"

#include "db/DataModule.h"
#include "sales/SaleView.h"
#include "sync/Upload.h"

namespace pos {

void TOnLineCommand::Execute(TSaleView& aView)
{
    if (data_.Context().gbOffLine) {
        if (data_.ConnectDB(true, true)) UploadData(data_, queues_, false);
    } else {
        data_.DisconnectDB();
        data_.SetOffLine();
    }
    aView.Refresh();
}

}  // namespace pos
