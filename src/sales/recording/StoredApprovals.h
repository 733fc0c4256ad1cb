#pragma once
// Whether a stored bill holds a journalled approval: a card row with its
// approval and card number, or a cash-receipt row with its approval number,
// of the terminal's outlet and POS, in the off-line queue or on the server.
// The server is asked only on line and outside any open transaction; when it
// cannot be asked the answer is "cannot tell", never "not stored".

#include "payment/approval/LeftoverApprovals.h"

namespace pos {

class TfrmData;
class TOffLineStore;

class TBillStoredApprovals final : public TStoredApprovals {
public:
    TBillStoredApprovals(TfrmData& aData, const TOffLineStore& aQueues) : data_(aData), queues_(aQueues) {}
    std::optional<bool> Holds(const TJournalEntry& aEntry) override;

private:
    bool queued(const TJournalEntry& aEntry) const;
    std::optional<bool> onServer(const TJournalEntry& aEntry);

    TfrmData& data_;
    const TOffLineStore& queues_;
};

}  // namespace pos
