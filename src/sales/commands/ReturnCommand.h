#pragma once
// "부분(void)": turns an empty bill into a return (every amount and count
// negative) and a return back into a sale.

#include "sales/commands/SaleCommand.h"

namespace pos {

class DialogService;
struct TTerminalContext;

inline constexpr const char* kNoReturnWhileSelling = "판매 중에는 반품을 할 수 없습니다.";

class TReturnCommand final : public TSaleCommandHandler {
public:
    TReturnCommand(TTerminalContext& aContext, DialogService& aDialogs) : context_(aContext), dialogs_(aDialogs) {}
    void Execute(TSaleView& aView) override;

private:
    TTerminalContext& context_;
    DialogService& dialogs_;
};

}  // namespace pos
