#pragma once
// The terminal of the kill harnesses: outlet 3101, POS 01, on the server of
// POS_DB_HOST, POS_DB_PORT, POS_DB_USER, POS_DB_PASSWORD, with the kill
// test's goods, an off-line queue and bill numbers in its folder, and a
// printer that takes a moment (a kill may land in it). Open() also
// completes or takes back a bill an earlier kill interrupted.

#include "NoOpSale.h"
#include "SettlementKillBill.h"

#include "core/IniFile.h"
#include "core/ScriptedDialogService.h"
#include "db/DataModule.h"
#include "lookups/Lookups.h"
#include "sales/SaleBill.h"
#include "sales/SaleView.h"
#include "sales/recording/BillNumbers.h"
#include "sales/recording/Settlement.h"
#include "store/MasterStore.h"
#include "sync/OffLineBill.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace pos::test {

struct SlowPrinter final : TBillPrinter {
    void PrintBill(const TStoredBill&, bool) override { std::this_thread::sleep_for(std::chrono::milliseconds(15)); }
};

struct KillHarnessTerminal {
    bool Open(const std::string& aFolder, const std::string& aDatabase, const std::string& aCatalogue)
    {
        const char* host = std::getenv("POS_DB_HOST");
        const char* port = std::getenv("POS_DB_PORT");
        const char* user = std::getenv("POS_DB_USER");
        if (!host || !port || !user) return false;
        ctx.gsFolder = aFolder + "/";
        ctx.gsToday = ctx.gsSaleDate = kKillSaleDate;
        ctx.gsMasterUpjangCode = ctx.gsUpjangCode = "3101";
        ctx.gsMasterUpjangName = "한식당";
        ctx.gsMasterPosNo = ctx.gsPosNo = "01";
        ctx.gsCashier = "1001";
        ctx.gsIP = "10.0.0.7";
        ctx.gsServerIP = host;
        ctx.gsServerDB = aDatabase;
        IniFile posIp;
        posIp.writeString("MAIN", "Port", port);
        if (!posIp.save(aFolder + "/POSIP.ini")) return false;
        if (!catalogue.ReadSQLList(aCatalogue)) return false;
        if (!data.DataModuleCreate(user)) return false;
        AddKillOutlet(store);
        queues.LoadOffLineData();
        TOffLineBill(queues).Recover();
        return true;
    }

    // Rings up the bill of the current number and settles it; a stored bill
    // is reported on stdout as "S <bill> <due>".
    void SettleNextBill(TSettlement& aSettlement)
    {
        bill.ClearBill();
        RingUpKillBill(bill, ctx.giBillNo);
        const std::int64_t number = ctx.giBillNo;
        const Currency due = bill.Totals().due;
        if (aSettlement.Pay(view) != TSettlement::TOutcome::Stored) return;
        std::printf("S %lld %lld\n", static_cast<long long>(number), static_cast<long long>(due.truncWon()));
        std::fflush(stdout);
    }

    TTerminalContext ctx;
    TSqlCatalogue catalogue;
    ScriptedDialogService dialogs;
    TSellsOffLinePolicy policy;
    TfrmData data{ctx, catalogue, dialogs, policy};
    TNoMasterServer noServer;
    TMasterStore store{ctx, dialogs, noServer};
    NoSaleHooks hooks;
    TSaleBill bill{ctx, store, dialogs, hooks};
    NoSaleView view{bill};
    TOffLineStore queues{ctx, dialogs};
    TBillNumbers numbers{ctx, dialogs};
    TLookups lookups{data, store};
    SlowPrinter printer;
};

}  // namespace pos::test
