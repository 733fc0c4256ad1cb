#pragma once
// "테이블" at a table-service outlet: the bill on the screen is put away
// with its table (stored, and the kitchen told what changed), the table
// screen opens, and the bill of the table chosen there is loaded. Off line
// nothing happens but the message: the tables live on the server. At other
// outlets the button serves the held bills or the ski school and this
// command leaves it alone.

#include "sales/commands/SaleCommand.h"

namespace pos {

struct TTerminalContext;
class DialogService;
class TMasterStore;
class TOrderTableLauncher;
class TSaleServices;
class TTableBills;
class TTableKitchen;

class TOrderTableCommand final : public TSaleCommandHandler {
public:
    // aServices gives the guest-count screen a newly opened table asks with.
    TOrderTableCommand(const TTerminalContext& aContext, DialogService& aDialogs, TTableBills& aTables,
                       TTableKitchen& aKitchen, TOrderTableLauncher& aLauncher, TSaleServices& aServices)
        : ctx_(aContext), dialogs_(aDialogs), tables_(aTables), kitchen_(aKitchen), launcher_(aLauncher),
          services_(aServices)
    {
    }
    void Execute(TSaleView& aView) override;

private:
    void askGuestCount(TSaleView& aView);

    const TTerminalContext& ctx_;
    DialogService& dialogs_;
    TTableBills& tables_;
    TTableKitchen& kitchen_;
    TOrderTableLauncher& launcher_;
    TSaleServices& services_;
};

}  // namespace pos
