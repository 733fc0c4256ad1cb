#pragma once
// "재발행": the reprint screen, over the sale screen, on its thread. The
// screen waits on nothing but the server while it reads the bill; the
// printers take the reprint's jobs in their own queues.

#include "sales/commands/SaleCommand.h"

namespace pos {

// The reprint screen, shown modally until it closes.
class TReprintLauncher {
public:
    virtual ~TReprintLauncher() = default;
    virtual void ShowReprint() = 0;
};

class TReprintCommand final : public TSaleCommandHandler {
public:
    explicit TReprintCommand(TReprintLauncher& aLauncher) : launcher_(aLauncher) {}
    void Execute(TSaleView& aView) override;

private:
    TReprintLauncher& launcher_;
};

}  // namespace pos
