#pragma once
// "전표취소": the bill on the screen is given up. At an outlet that keeps
// cancelled bills it is first stored and printed as a cancelled bill, using
// up its number; a bill that cannot be stored stays on the screen.

#include "sales/commands/SaleCommand.h"

namespace pos {

class DialogService;
class TMasterStore;
class TSettlement;

inline constexpr const char* kAskCancelBill = "현재 전표를 정말 취소 하시겠습니까?";

class TBillCancelCommand final : public TSaleCommandHandler {
public:
    TBillCancelCommand(const TMasterStore& aStore, DialogService& aDialogs, TSettlement& aSettlement)
        : store_(aStore), dialogs_(aDialogs), settlement_(aSettlement)
    {
    }
    void Execute(TSaleView& aView) override;

private:
    const TMasterStore& store_;
    DialogService& dialogs_;
    TSettlement& settlement_;
};

// Whether the own outlet keeps cancelled bills (CancelSaveYN).
bool KeepsCancelledBills(const TMasterStore& aStore);

}  // namespace pos
