#include "tables/OrderTables.h"

#include "core/TerminalContext.h"
#include "db/DataModule.h"
#include "db/DbQuery.h"
#include "db/DbWork.h"

#include <array>

namespace pos {
namespace {

// Runs aKey with its parameters by position inside aWork; a failure goes
// the work's one failure path.
bool run(TDbWork& aWork, TDbQuery& aQuery, const std::string& aKey, const std::vector<std::string>& aParams,
         bool aRows)
{
    aQuery.SetSQL(aKey);
    for (std::size_t i = 0; i < aParams.size(); ++i) aQuery.SetParam(static_cast<int>(i), aParams[i]);
    if (aRows ? aQuery.Open() : aQuery.ExecSQL()) return true;
    aWork.Fail(aQuery.Error());
    return false;
}

// A statement that ran but found nothing to work on fails the operation:
// a move or join that touched no bill is not a success.
TDbError nothingFound(const std::string& aKey)
{
    return TDbError{TDbErrorKind::Other, aKey, {}, "no table bill to work on"};
}

constexpr std::array<const char*, 4> kMoveKeys = {"IDS010-MoveOrderTable-1", "IDS010-MoveOrderTable-2",
                                                  "IDS010-MoveOrderTable-3", "IDS010-MoveOrderTable-4"};
constexpr std::array<const char*, 7> kJoinKeys = {"IDS010-JoinOrderTable-1", "IDS010-JoinOrderTable-2",
                                                  "IDS010-JoinOrderTable-3", "IDS010-JoinOrderTable-4",
                                                  "IDS010-JoinOrderTable-5", "IDS010-JoinOrderTable-6",
                                                  "IDS010-JoinOrderTable-7"};

}  // namespace

std::vector<std::string> TDbOrderTables::own(std::vector<std::string> aFurther) const
{
    const TTerminalContext& ctx = data_.Context();
    std::vector<std::string> params{ctx.gsSaleDate, ctx.gsMasterUpjangCode};
    params.insert(params.end(), aFurther.begin(), aFurther.end());
    return params;
}

bool TDbOrderTables::Reachable() { return data_.ConnectDB(true, false); }

TOrderPage TDbOrderTables::ReadOrderData(int aFirstTable)
{
    TOrderPage page;
    TDbQuery query(data_);
    {
        TDbWork work(data_, TDbWork::Read);
        if (!work.Active() || !run(work, query, "IDS010-ReadOrderData-1", own({std::to_string(aFirstTable)}), true))
            return page;
        for (; !query.Eof(); query.Next())
            page.rows.push_back({static_cast<int>(query.AsInteger(0)), query.AsString(1), query.AsString(2),
                                 query.AsString(3), query.AsString(4), query.AsString(5),
                                 static_cast<int>(query.AsInteger(6)), static_cast<int>(query.AsInteger(7)),
                                 query.AsString(8), query.AsString(9) == "Y"});
        work.Commit();
    }
    TDbWork work(data_, TDbWork::Read);
    if (!work.Active() || !run(work, query, "IDS010-ReadOrderData-2", own({}), true)) return page;
    if (!query.Eof() && !query.IsNull(0))
        page.summary = TOrderSummary{query.AsInteger(0), query.AsCurrency(1), query.AsInteger(2), query.AsCurrency(3),
                                     query.AsInteger(4), query.AsCurrency(5), query.AsCurrency(6)};
    work.Commit();
    return page;
}

bool TDbOrderTables::CheckTableOrdering(int aTableNo)
{
    TDbWork work(data_, TDbWork::Read);
    TDbQuery query(data_);
    if (!work.Active() ||
        !run(work, query, "IDS010-CheckTableOrdering",
             own({std::to_string(aTableNo), data_.Context().gsMasterPosNo}), true))
        return false;
    const bool held = !query.Eof() && query.AsString(0) == "Y";
    work.Commit();
    return held;
}

// The lock row is taken only when it is free or already this terminal's;
// who holds the table is read again inside the same transaction, after the
// insert waited for any terminal taking it at the same moment.
TLockResult TDbOrderTables::LockTable(int aTableNo)
{
    const std::string table = std::to_string(aTableNo);
    const std::string posNo = data_.Context().gsMasterPosNo;
    TDbWork work(data_);
    TDbQuery query(data_);
    if (!work.Active() || !run(work, query, "IDS010-LockTable-1", own({table}), true)) return TLockResult::Failed;
    const bool exists = !query.Eof() && query.AsInteger(0) > 0;
    if (!run(work, query, exists ? "IDS010-LockTable-2" : "IDS010-LockTable-3", own({table, posNo}), false))
        return TLockResult::Failed;
    if (!run(work, query, "IDS010-CheckTableOrdering", own({table, posNo}), true)) return TLockResult::Failed;
    if (!query.Eof() && query.AsString(0) == "Y") return TLockResult::HeldElsewhere;  // rolled back
    return work.Commit() ? TLockResult::Locked : TLockResult::Failed;
}

bool TDbOrderTables::UnLockTable()
{
    const std::vector<std::string> params = own({data_.Context().gsMasterPosNo});
    TDbWork work(data_);
    TDbQuery query(data_);
    return work.Active() && run(work, query, "IDS010-UnLockTable-1", params, false) &&
           run(work, query, "IDS010-UnLockTable-2", params, false) && work.Commit();
}

bool TDbOrderTables::MoveOrderTable(int aFrom, int aTo) { return runSteps(kMoveKeys, false, aFrom, aTo); }

bool TDbOrderTables::JoinOrderTable(int aFrom, int aTo) { return runSteps(kJoinKeys, true, aFrom, aTo); }

// The statements of a move or join in key order, each with the parameters
// its number takes: the first also names the terminal; the join's second
// takes only the source and its last two only the target. The first must
// find the bill it works on.
bool TDbOrderTables::runSteps(std::span<const char* const> aKeys, bool aJoin, int aFrom, int aTo)
{
    const std::string from = std::to_string(aFrom), to = std::to_string(aTo);
    TDbWork work(data_);
    TDbQuery query(data_);
    if (!work.Active()) return false;
    for (std::size_t i = 0; i < aKeys.size(); ++i) {
        const int step = static_cast<int>(i) + 1;
        const std::string key = aKeys[i];
        std::vector<std::string> params;
        if (step == 1) params = own({from, to, data_.Context().gsMasterPosNo});
        else if (aJoin && step == 2) params = own({from});
        else if (aJoin && step >= 6) params = own({to});
        else params = own({from, to});
        if (!run(work, query, key, params, false)) return false;
        if (step == 1 && query.RowsAffected() != 1) {
            work.Fail(nothingFound(key));
            return false;
        }
    }
    return work.Commit();
}

}  // namespace pos
