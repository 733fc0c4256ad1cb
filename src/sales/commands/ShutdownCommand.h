#pragma once
// "종료": ends the program after the cashier's yes. The question names a
// cashier of this POS whose shift is not closed, and says when the bill on
// the screen will not be kept. An open table's bill is stored with its table
// and the kitchen told what changed; at an outlet that keeps cancelled bills
// the bill is stored as one. A bill that cannot be stored keeps the program
// running with the bill on the screen.

#include "sales/commands/SaleCommand.h"

namespace pos {

class DialogService;
class TfrmData;
class TMasterStore;
class TSettlement;
class TTerminalShutdown;
class TTableBills;
class TTableKitchen;

inline constexpr const char* kNotClosedCashierSuffix = "님이 판매한 자료를 마감하지 않았습니다.\r";
inline constexpr const char* kOpenBillIsLost = "작성 중인 전표가 있습니다. 종료하면 이 전표는 저장되지 않습니다.\r";

class TShutdownCommand final : public TSaleCommandHandler {
public:
    TShutdownCommand(const TMasterStore& aStore, DialogService& aDialogs, TfrmData& aData, TSettlement& aSettlement,
                     TTerminalShutdown& aShutdown, TTableBills& aTables, TTableKitchen& aKitchen)
        : store_(aStore), dialogs_(aDialogs), data_(aData), settlement_(aSettlement), shutdown_(aShutdown),
          tables_(aTables), kitchen_(aKitchen)
    {
    }
    void Execute(TSaleView& aView) override;

private:
    // The bill is kept (or there is nothing to keep): the program may end.
    bool keepBill(TSaleView& aView, bool aTableOpen, bool aOpenBill, bool aKeepsCancelled);

    const TMasterStore& store_;
    DialogService& dialogs_;
    TfrmData& data_;
    TSettlement& settlement_;
    TTerminalShutdown& shutdown_;
    TTableBills& tables_;
    TTableKitchen& kitchen_;
};

}  // namespace pos
