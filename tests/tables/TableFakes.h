#pragma once
// The collaborators of the table order screen's model, in memory: the
// tables on the server (a page's rows, locks, what was asked), the interim
// bill printer and the other screens' launchers.

#include "core/TerminalConfig.h"
#include "sales/commands/CloseCommands.h"
#include "sales/commands/TerminalServices.h"
#include "tables/InterimOrderBill.h"
#include "tables/OrderTables.h"

#include <map>
#include <string>
#include <vector>

namespace pos::test {

struct FakeOrderTables final : TOrderTables {
    bool Reachable() override { return reachable; }
    TOrderPage ReadOrderData(int aFirstTable) override
    {
        reads.push_back(aFirstTable);
        TOrderPage page;
        for (const TOrderTableRow& row : rows)
            if (row.tableNo >= aFirstTable && row.tableNo < aFirstTable + 25) page.rows.push_back(row);
        page.summary = summary;
        return page;
    }
    bool CheckTableOrdering(int aTableNo) override
    {
        calls.push_back("check " + std::to_string(aTableNo));
        const auto held = locks.find(aTableNo);
        return held != locks.end() && held->second != posNo;
    }
    TLockResult LockTable(int aTableNo) override
    {
        calls.push_back("lock " + std::to_string(aTableNo));
        if (lockResult != TLockResult::Locked) return lockResult;
        locks[aTableNo] = posNo;
        return TLockResult::Locked;
    }
    bool UnLockTable() override
    {
        calls.push_back("unlock");
        std::erase_if(locks, [&](const auto& l) { return l.second == posNo; });
        return true;
    }
    bool MoveOrderTable(int aFrom, int aTo) override
    {
        calls.push_back("move " + std::to_string(aFrom) + ">" + std::to_string(aTo));
        return operationsSucceed;
    }
    bool JoinOrderTable(int aFrom, int aTo) override
    {
        calls.push_back("join " + std::to_string(aFrom) + ">" + std::to_string(aTo));
        return operationsSucceed;
    }
    // A stored bill (occupied tile) of kind aKind.
    void bill(int aTableNo, const std::string& aAmount = "10000", const std::string& aKind = "0")
    {
        rows.push_back({aTableNo, "12:00", aAmount, "김치찌개", "", aKind, 0, 0, "", false});
    }
    // A table held by terminal aPos, with or without a bill.
    void held(int aTableNo, const std::string& aPos, bool aWithBill)
    {
        locks[aTableNo] = aPos;
        rows.push_back({aTableNo, aWithBill ? "12:00" : "", aWithBill ? "5000" : "", "[" + aPos + "]", "", "0", 0, 0,
                        "", true});
    }

    std::string posNo = "01";
    bool reachable = true;
    bool operationsSucceed = true;
    TLockResult lockResult = TLockResult::Locked;
    std::vector<TOrderTableRow> rows;
    std::optional<TOrderSummary> summary;
    std::map<int, std::string> locks;
    std::vector<int> reads;
    std::vector<std::string> calls;
};

struct FakeOrderBills final : TOrderBillPrinter {
    void PrintOrderBill(int aTableNo) override { printed.push_back(aTableNo); }
    std::vector<int> printed;
};

struct FakeLaunchers final : TLoginLaunchers, TCloseLauncher, TQueueUploader, TTerminalShutdown {
    bool Login(bool aCanClose) override
    {
        calls.push_back(aCanClose ? "login(true)" : "login(false)");
        return true;
    }
    bool CheckAdmin() override { return true; }
    void CloseInput(TCloseMode aMode, bool aShowForm, const std::string&) override
    {
        calls.push_back("close " + std::to_string(static_cast<int>(aMode)) + (aShowForm ? " shown" : " hidden"));
    }
    std::optional<std::string> CloseDate() override { return std::nullopt; }
    bool UploadData(bool) override
    {
        calls.push_back("upload");
        return true;
    }
    TShutdownAction Shutdown(bool aAsk) override
    {
        calls.push_back(aAsk ? "shutdown(true)" : "shutdown(false)");
        return shutdownAction;
    }
    TShutdownAction shutdownAction = TShutdownAction::EndProgram;
    std::vector<std::string> calls;
};

}  // namespace pos::test
