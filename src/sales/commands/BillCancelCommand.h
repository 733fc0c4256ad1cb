#pragma once
// "전표취소": the bill on the screen is given up. At an outlet that keeps
// cancelled bills it is first stored and printed as a cancelled bill, using
// up its number; a bill that cannot be stored stays on the screen. At a
// table the kitchen hears once that what it was sent is cancelled, and the
// table's stored bill is deleted.

#include "sales/commands/SaleCommand.h"

namespace pos {

struct TTerminalContext;
class DialogService;
class TMasterStore;
class TSettlement;
class TTableBills;
class TTableKitchen;

inline constexpr const char* kAskCancelBill = "현재 전표를 정말 취소 하시겠습니까?";

class TBillCancelCommand final : public TSaleCommandHandler {
public:
    TBillCancelCommand(const TTerminalContext& aContext, const TMasterStore& aStore, DialogService& aDialogs,
                       TSettlement& aSettlement, TTableBills& aTables, TTableKitchen& aKitchen)
        : ctx_(aContext), store_(aStore), dialogs_(aDialogs), settlement_(aSettlement), tables_(aTables),
          kitchen_(aKitchen)
    {
    }
    void Execute(TSaleView& aView) override;

private:
    void cancelForKitchen(TSaleView& aView);

    const TTerminalContext& ctx_;
    const TMasterStore& store_;
    DialogService& dialogs_;
    TSettlement& settlement_;
    TTableBills& tables_;
    TTableKitchen& kitchen_;
};

// Whether the own outlet keeps cancelled bills (CancelSaveYN).
bool KeepsCancelledBills(const TMasterStore& aStore);

}  // namespace pos
