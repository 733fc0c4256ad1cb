#pragma once
// The master data behind ticket jobs, for tests: the ticket kind codes of the
// common-code table and the outlet's names.

#include "devices/TicketJobs.h"
#include "devices/TicketMasterData.h"

#include <map>
#include <string>

namespace pos::test {

class FakeTicketKinds : public TTicketKinds {
public:
    // "01" lift ... "08" event, "00" a kind without a ticket type.
    std::map<std::string, int> types = {{"00", 0}, {"01", 1}, {"02", 2}, {"03", 3}, {"04", 4},
                                        {"05", 5}, {"06", 6}, {"07", 7}, {"08", 8}};
    int TicketTypeNumber(const std::string& aKindCode) const override
    {
        const auto it = types.find(aKindCode);
        return it == types.end() ? 0 : it->second;
    }
};

class FakeTicketMaster : public TTicketMasterData {
public:
    std::string name = "솔바람 스키장", engName = "Solbaram Ski", remark1, remark2;
    std::string FirstOutletName() const override { return name; }
    std::string FirstOutletEngName() const override { return engName; }
    std::string ReceiptRemark1() const override { return remark1; }
    std::string ReceiptRemark2() const override { return remark2; }
};

}  // namespace pos::test
