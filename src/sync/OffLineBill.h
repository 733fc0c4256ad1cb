#pragma once
// One bill into the off-line queue as one unit. A bill's records go to
// several queue files (sales, payments, cards ...), and no two files can be
// replaced at once; so the bill's lines are first written to a pending file
// of their own, then the queues are saved, then the pending file goes. A
// crash in between leaves the pending file, and the next start completes the
// bill from it; a failed save takes the bill back out of the queues and
// marks the pending file so, so the next start takes back whatever a
// half-finished save left. Either way a bill is in the queue whole or not at
// all.

#include "sync/OffLineQueue.h"

#include <filesystem>
#include <string>
#include <vector>

namespace pos {

struct TQueuedRecord {
    std::string queue;                // queue name ("Sale", "Pay", ...)
    std::vector<std::string> values;  // the record's values, "{-}" for the queuing time
};

// "Pending.bill" in the program folder.
inline constexpr const char* kPendingBillFile = "Pending.bill";

class TOffLineBill {
public:
    explicit TOffLineBill(TOffLineStore& aQueues) : queues_(aQueues) {}

    // Queues every record and saves the queue files. False (after the
    // queue's own message) when a record is refused or a file cannot be
    // written; nothing of the bill is queued then.
    bool QueueBill(const std::vector<TQueuedRecord>& aRecords);

    // Start-up, after the queues are loaded: completes or takes back the
    // bill a crash interrupted. The number of bills completed (0 or 1).
    int Recover();

    std::filesystem::path PendingPath() const;

private:
    struct TLine {
        TOffLineQueue queue;
        std::string line;  // CP949, as in the queue file
    };
    bool writePending(const std::vector<TLine>& aLines, bool aTakeBack);
    void takeBack(const std::vector<TLine>& aLines);
    void removePending();

    TOffLineStore& queues_;
};

}  // namespace pos
