#include "sales/commands/SaleCommand.h"

namespace pos {

void TSaleCommandSet::Register(TSaleCommand aCommand, std::unique_ptr<TSaleCommandHandler> aHandler)
{
    handlers_[static_cast<std::size_t>(aCommand)] = std::move(aHandler);
}

bool TSaleCommandSet::Run(TSaleCommand aCommand, TSaleView& aView)
{
    TSaleCommandHandler* command = handler(aCommand);
    if (command == nullptr) return false;
    command->Execute(aView);
    return true;
}

}  // namespace pos
