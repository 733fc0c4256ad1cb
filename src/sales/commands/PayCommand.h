#pragma once
// "결제" and "현금결제": the bill settled through the payment screen, or in
// cash at once (sales/recording/Settlement.h). When the business day or
// the POS turns out closed the bill is cleared and a login is required
// before anything more is sold.

#include "sales/commands/SaleCommand.h"

namespace pos {

class TSettlement;

class TPayCommand final : public TSaleCommandHandler {
public:
    // aLogin is the login command, run when the day is found closed.
    TPayCommand(TSettlement& aSettlement, TSaleCommandHandler& aLogin, bool aQuickCash)
        : settlement_(aSettlement), login_(aLogin), quickCash_(aQuickCash)
    {
    }
    void Execute(TSaleView& aView) override;

private:
    TSettlement& settlement_;
    TSaleCommandHandler& login_;
    bool quickCash_;
};

}  // namespace pos
