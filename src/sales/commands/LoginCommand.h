#pragma once
// "Login": a change of cashier. A new cashier starts with a new bill; after a
// closed business day or POS nothing is sold before a login, and leaving
// that login offers the shut-down.

#include "sales/commands/SaleCommand.h"

namespace pos {

class TfrmData;
class TLoginLaunchers;
class TTerminalShutdown;

class TLoginCommand final : public TSaleCommandHandler {
public:
    TLoginCommand(TLoginLaunchers& aLogin, TfrmData& aData, TTerminalShutdown& aShutdown)
        : login_(aLogin), data_(aData), shutdown_(aShutdown)
    {
    }
    void Execute(TSaleView& aView) override;

private:
    TLoginLaunchers& login_;
    TfrmData& data_;
    TTerminalShutdown& shutdown_;
};

}  // namespace pos
