#pragma once
// What the data module needs from the rest of the terminal when the
// connection is lost: whether the terminal's outlet may sell off line, the
// shut-down that an outlet without off-line selling offers, and the table
// order screen that closes for off-line work. The program provides it; the
// data module cannot be made without one.

#include <optional>
#include <string>

namespace pos {

class TOffLinePolicy {
public:
    virtual ~TOffLinePolicy() = default;
    // Whether the terminal's own outlet may sell off line (its OffLineYN);
    // nullopt when no outlet record says so yet.
    virtual std::optional<bool> OutletSellsOffLine() = 0;
    // The outlet's name from the same record, for the refusal a cashier
    // reads before the login has named the outlet (empty when unknown).
    virtual std::string OutletName() = 0;
    // The cashier chose to shut down instead of retrying: Shutdown(true).
    // True when the program is ending, false when the cashier kept it
    // running (the retry question is asked again).
    virtual bool Shutdown() = 0;
    // Closes the table order screen for off-line work when it is active.
    virtual void CloseOrderTable() = 0;
};

// The policy of a program that sells off line and has neither a shut-down
// nor a table screen: the tools and benchmarks that open a data module.
class TSellsOffLinePolicy final : public TOffLinePolicy {
public:
    std::optional<bool> OutletSellsOffLine() override { return true; }
    std::string OutletName() override { return {}; }
    bool Shutdown() override { return true; }
    void CloseOrderTable() override {}
};

}  // namespace pos
