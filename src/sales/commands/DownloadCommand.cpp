#include "sales/commands/DownloadCommand.h"

#include "sales/SaleView.h"
#include "sales/commands/TerminalServices.h"

namespace pos {

void TDownloadCommand::Execute(TSaleView& aView)
{
    download_.DownloadData(false, true, false);
    aView.ReloadMenus();
}

}  // namespace pos
