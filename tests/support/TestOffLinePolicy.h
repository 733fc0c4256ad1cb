#pragma once
// The off-line policy of a test terminal: the outlet's off-line flag as the
// test sets it (selling off line unless told otherwise), and the shut-downs
// the cashier chose, counted.

#include "db/OffLinePolicy.h"

#include <optional>
#include <string>

namespace pos::test {

class TestOffLinePolicy final : public TOffLinePolicy {
public:
    std::optional<bool> OutletSellsOffLine() override { return sellsOffLine; }
    std::string OutletName() override { return outletName; }
    bool Shutdown() override
    {
        ++shutdowns;
        return shutdownEnds;
    }
    void CloseOrderTable() override { ++tableClosings; }

    std::optional<bool> sellsOffLine = true;
    std::string outletName;
    bool shutdownEnds = true;
    int shutdowns = 0;
    int tableClosings = 0;
};

}  // namespace pos::test
