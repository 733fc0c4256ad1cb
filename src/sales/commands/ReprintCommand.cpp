#include "sales/commands/ReprintCommand.h"

#include "sales/SaleView.h"

namespace pos {

void TReprintCommand::Execute(TSaleView& aView)
{
    launcher_.ShowReprint();
    aView.Refresh();
}

}  // namespace pos
