#pragma once
// One command of the sale screen, and the set of commands the program
// registers. The screen runs a command by its button: StartSale first (a
// finished bill is cleared), then the command, then a repaint. A button
// whose command is not registered does nothing.

#include "sales/CommandBar.h"

#include <array>
#include <memory>

namespace pos {

class TSaleView;

class TSaleCommandHandler {
public:
    virtual ~TSaleCommandHandler() = default;
    virtual void Execute(TSaleView& aView) = 0;
};

class TSaleCommandSet {
public:
    void Register(TSaleCommand aCommand, std::unique_ptr<TSaleCommandHandler> aHandler);
    bool Has(TSaleCommand aCommand) const { return handler(aCommand) != nullptr; }
    // Runs the command's handler; false when none is registered.
    bool Run(TSaleCommand aCommand, TSaleView& aView);

private:
    TSaleCommandHandler* handler(TSaleCommand aCommand) const
    {
        return handlers_[static_cast<std::size_t>(aCommand)].get();
    }
    std::array<std::unique_ptr<TSaleCommandHandler>, kSaleCommandCount> handlers_;
};

}  // namespace pos
