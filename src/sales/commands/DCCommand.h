#pragma once
// "우대할인": the member discount screen, after which the bill is recomputed
// so that the discount engine applies what was accepted. On a ski terminal
// the button is a mode key the ski item entry reads instead. A member the
// screen refused to sell to clears the bill. A banquet (group contract)
// that starts or ends with lines on the bill prices those lines again.

#include "sales/commands/SaleCommand.h"

#include <string>
#include <vector>

namespace pos {

struct TTerminalContext;
class DialogService;
class TMasterStore;
class TSaleServices;

inline constexpr const char* kMsgDCDuringEvent = "연회는 개별 우대할인을 적용할 수 없습니다.";
inline constexpr const char* kMsgDCEventPrices = "이미 판매된 상품의 연회 적용 금액을 새로 입력받겠습니다.";

// The member discount screen, shown modally until it closes. It fills the
// bill's discount lists and the event and can't-sell flags of the context.
class TDCLauncher {
public:
    virtual ~TDCLauncher() = default;
    // aKeyInData: the bill's member numbers typed by hand.
    virtual void ShowDC(std::vector<std::string>& aKeyInData) = 0;
};

class TDCCommand final : public TSaleCommandHandler {
public:
    // aServices gives the open-price screen a banquet's lines are priced with.
    TDCCommand(TTerminalContext& aContext, const TMasterStore& aStore, DialogService& aDialogs,
               TDCLauncher& aLauncher, TSaleServices& aServices)
        : context_(aContext), store_(aStore), dialogs_(aDialogs), launcher_(aLauncher), services_(aServices)
    {
    }
    void Execute(TSaleView& aView) override;

private:
    void toggleSkiMode(TSaleView& aView);
    void afterScreen(TSaleView& aView, bool aEventBefore);
    void endEventWithoutMember();
    void priceForEvent(TSaleView& aView);
    void priceFromGoods(TSaleView& aView);

    TTerminalContext& context_;
    const TMasterStore& store_;
    DialogService& dialogs_;
    TDCLauncher& launcher_;
    TSaleServices& services_;
};

}  // namespace pos
