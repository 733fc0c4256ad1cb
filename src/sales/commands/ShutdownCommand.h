#pragma once
// "종료": ends the program after the cashier's yes. The question names a
// cashier of this POS whose shift is not closed, and says when the bill on
// the screen will not be kept; at an outlet that keeps cancelled bills the
// bill is stored as one first.

#include "sales/commands/SaleCommand.h"

namespace pos {

class DialogService;
class TfrmData;
class TMasterStore;
class TSettlement;
class TTerminalShutdown;

inline constexpr const char* kNotClosedCashierSuffix = "님이 판매한 자료를 마감하지 않았습니다.\r";
inline constexpr const char* kOpenBillIsLost = "작성 중인 전표가 있습니다. 종료하면 이 전표는 저장되지 않습니다.\r";

class TShutdownCommand final : public TSaleCommandHandler {
public:
    TShutdownCommand(const TMasterStore& aStore, DialogService& aDialogs, TfrmData& aData, TSettlement& aSettlement,
                     TTerminalShutdown& aShutdown)
        : store_(aStore), dialogs_(aDialogs), data_(aData), settlement_(aSettlement), shutdown_(aShutdown)
    {
    }
    void Execute(TSaleView& aView) override;

private:
    const TMasterStore& store_;
    DialogService& dialogs_;
    TfrmData& data_;
    TSettlement& settlement_;
    TTerminalShutdown& shutdown_;
};

}  // namespace pos
