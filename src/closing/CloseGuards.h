#pragma once
// What must be settled before a close: bills still waiting in the off-line
// queue or set aside by an upload would be left out of the figures, and card
// approvals without a stored bill are money the cashier must account for.

#include <string>
#include <vector>

namespace pos {

class TOffLineStore;

class TCloseGuards {
public:
    virtual ~TCloseGuards() = default;
    // Why the figures would leave stored work out: empty when nothing is
    // left in the off-line queues and nothing was set aside.
    virtual std::string UnsentWork() = 0;
    // One masked line per card approval or cash receipt that no stored bill
    // holds.
    virtual std::vector<std::string> OpenApprovals() = 0;
};

// The lines still queued and the lines in the queues' aside files.
struct TUnsentLines {
    int queued = 0;
    int setAside = 0;
};
TUnsentLines CountUnsentLines(const TOffLineStore& aStore);

// The cashier's message for unsent lines; empty when there are none.
std::string UnsentWorkMessage(const TUnsentLines& aLines);

// The cashier's message for approvals without a bill; empty when none.
std::string OpenApprovalsMessage(const std::vector<std::string>& aLines);

}  // namespace pos
