#include "sales/commands/CloseCommands.h"

#include "core/DialogService.h"
#include "db/DataModule.h"
#include "sales/SaleBill.h"
#include "sales/SaleView.h"
#include "sales/commands/CashierChecks.h"
#include "store/MasterStore.h"

namespace pos {
namespace {

bool CloseYN(const TMasterStore& aStore)
{
    return !aStore.glUpjangData.empty() && aStore.glUpjangData.front().CloseYN;
}

// The day or the POS is closed: the bill goes and a cashier must log in
// before anything more is sold. True when that was the case.
bool EndSaleWhenClosed(TfrmData& aData, TSaleView& aView, TSaleCommandHandler& aLogin)
{
    const TTerminalContext& ctx = aData.Context();
    if (!aData.CheckClosed(ctx.gsSaleDate, ctx.gsMasterUpjangCode, ctx.gsMasterPosNo, true)) return false;
    aView.Bill().ClearBill();
    aView.Bill().screen.commands.loginRequired = true;
    aLogin.Execute(aView);
    return true;
}

}  // namespace

void TIpgumCommand::Execute(TSaleView& aView)
{
    TCommandBar& bar = aView.Bill().screen.commands;
    if (bar.ipgumMode == TIpgumMode::NoSvcNoVat) {
        bar[command_].down = !bar[command_].down;
        aView.Bill().CalcSaleList(true);
        return;
    }
    launcher_.CloseInput(command_ == TSaleCommand::IpgumOpen ? TCloseMode::cmIpgumOpen : TCloseMode::cmIpgumClose,
                         true, "");
}

void TCashierCloseCommand::Execute(TSaleView& aView)
{
    if (EndSaleWhenClosed(data_, aView, login_)) return;
    uploader_.UploadData(false);
    launcher_.CloseInput(TCloseMode::cmClose, CloseYN(store_), "");
}

void TPosCloseCommand::Execute(TSaleView& aView)
{
    uploader_.UploadData(false);
    const std::optional<std::string> date = launcher_.CloseDate();
    if (!date) return;
    if (*date == data_.Context().gsSaleDate) {
        if (const std::string cashier = CheckNotCloseCashier(data_); !cashier.empty()) {
            dialogs_.ErrBox(cashier + kNotClosedBeforePosClose, true);
            return;
        }
    }
    launcher_.CloseInput(TCloseMode::cmPosClose, CloseYN(store_), *date);
    EndSaleWhenClosed(data_, aView, login_);
}

}  // namespace pos
