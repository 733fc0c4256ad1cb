#pragma once
// The tables of a table-service outlet as the table order screen sees them
// on the server: the occupied tables of a page with the day's summary, who
// holds a table, taking and releasing tables, moving and joining bills.
//
// A terminal holds the table it works on (one lock row per table). Taking a
// table is refused while another terminal holds it, also when two terminals
// touch a free table at the same moment: only one of them gets it, so two
// terminals never ring up the same table and store over each other's bill.

#include "core/Currency.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace pos {

class TfrmData;

// One occupied table of a page, in the statement's column order.
struct TOrderTableRow {
    int tableNo = 0;
    std::string time;       // "hh:nn" the bill was stored; empty: held without a bill
    std::string amount;     // amount due as decimal text; empty without a bill
    std::string listText;   // "[pos]" of the terminal holding it, then the first item
    std::string footer;
    std::string saleGubun;  // bill kind
    int koreanCount = 0;
    int foreignCount = 0;
    std::string lockerNo;
    bool ordering = false;  // a terminal holds the table
};

struct TOrderSummary {
    std::int64_t openCount = 0;
    Currency openAmt;
    std::int64_t settledCount = 0;
    Currency settledAmt;
    std::int64_t totalCount = 0;
    Currency totalAmt;
    Currency average;
};

struct TOrderPage {
    std::vector<TOrderTableRow> rows;
    std::optional<TOrderSummary> summary;  // nullopt: not read
};

enum class TLockResult { Locked, HeldElsewhere, Failed };

class TOrderTables {
public:
    virtual ~TOrderTables() = default;
    // The server can be reached (it is connected again when it can).
    virtual bool Reachable() = 0;
    // The occupied tables of the page starting at aFirstTable and the
    // summary; what failed to read stays empty (logged, CheckOffLine).
    virtual TOrderPage ReadOrderData(int aFirstTable) = 0;
    // True when another terminal holds the table; a failure counts as false.
    virtual bool CheckTableOrdering(int aTableNo) = 0;
    virtual TLockResult LockTable(int aTableNo) = 0;
    // Releases every table this terminal holds (also those of earlier days).
    virtual bool UnLockTable() = 0;
    // The whole bill of aFrom to the empty table aTo, in one transaction.
    virtual bool MoveOrderTable(int aFrom, int aTo) = 0;
    // aFrom's lines and discounts after aTo's (same bill kind only), guests
    // added, aFrom emptied; in one transaction.
    virtual bool JoinOrderTable(int aFrom, int aTo) = 0;
};

// Over the data module's connection, each writing operation a unit of work
// (TDbWork) of its own: a failing statement takes the whole operation back.
class TDbOrderTables final : public TOrderTables {
public:
    explicit TDbOrderTables(TfrmData& aData) : data_(aData) {}

    bool Reachable() override;
    TOrderPage ReadOrderData(int aFirstTable) override;
    bool CheckTableOrdering(int aTableNo) override;
    TLockResult LockTable(int aTableNo) override;
    bool UnLockTable() override;
    bool MoveOrderTable(int aFrom, int aTo) override;
    bool JoinOrderTable(int aFrom, int aTo) override;

private:
    std::vector<std::string> own(std::vector<std::string> aFurther) const;
    bool runSteps(std::span<const char* const> aKeys, bool aJoin, int aFrom, int aTo);

    TfrmData& data_;
};

}  // namespace pos
