#pragma once
// "OnLine" / "OffLine": off line, a fresh connection is tried and, once on
// line, the off-line queue is uploaded; on line, the cashier takes the
// terminal off line.

#include "sales/commands/SaleCommand.h"

namespace pos {

class TfrmData;
class TOffLineStore;

class TOnLineCommand final : public TSaleCommandHandler {
public:
    TOnLineCommand(TfrmData& aData, TOffLineStore& aQueues) : data_(aData), queues_(aQueues) {}
    void Execute(TSaleView& aView) override;

private:
    TfrmData& data_;
    TOffLineStore& queues_;
};

}  // namespace pos
