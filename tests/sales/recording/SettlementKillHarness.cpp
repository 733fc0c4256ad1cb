// A terminal that settles bills in cash, for the kill test: bill after bill,
// on line and off line in turn, uploading the queue now and then. The
// content of a bill follows from its number (KillBillDue), so the test can
// check every stored bill against it. It reports on stdout:
//   "S <bill> <due>"  the bill is stored (on the server or in the queue)
//   "DONE"            every bill is stored and the queue uploaded
// At its start it completes or takes back a bill a kill interrupted, and
// uploads. The test kills it with SIGKILL at random moments and starts it
// again.
//
// Usage: settlement_kill_harness <folder> <database> <catalogue> <bills>
// The server comes from POS_DB_HOST, POS_DB_PORT, POS_DB_USER, POS_DB_PASSWORD.

#include "SettlementKillBill.h"

#include "core/IniFile.h"
#include "core/ScriptedDialogService.h"
#include "db/DataModule.h"
#include "lookups/Lookups.h"
#include "payment/PayRecorder.h"
#include "sales/SaleBill.h"
#include "sales/SaleView.h"
#include "sales/recording/BillNumbers.h"
#include "sales/recording/Settlement.h"
#include "store/MasterStore.h"
#include "sync/OffLineBill.h"
#include "sync/Upload.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

using namespace pos;

struct Hooks final : TSaleHooks {
    void ExecDC(TSaleLines&) override {}
    void RecreateSaleList(TSaleLines&) override {}
    bool ClearDCModule() override { return false; }
    void ShowLineDisplay(const std::string&, const std::string&) override {}
    void ClearTicketData() override {}
    void ClearPrintLists() override {}
    void EndPreSale() override {}
    void GetMaxBillNo() override {}
    void ShowSaleGubun() override {}
    void ShowWaitCount() override {}
    void ShowBillNo() override {}
    void PressFirstMenuButtons() override {}
    void OpenSkiSchool() override {}
    bool GetGuestCount(bool) override { return false; }
};

struct View final : TSaleView {
    explicit View(TSaleBill& aBill) : bill(aBill) {}
    TSaleBill& Bill() override { return bill; }
    void ShowBillNo() override {}
    void ShowSaleGubun() override {}
    void ShowCashier() override {}
    void ReloadMenus() override {}
    void Refresh() override {}
    void ShowMessage(const std::string&, bool, int) override {}
    void SetEnabled(bool) override {}
    void CloseScreen() override {}
    TSaleBill& bill;
};

// The cashier takes the amount due in cash, rounded up to ten thousand.
struct CashScreen final : TPaymentScreen {
    explicit CashScreen(TTerminalContext& aContext) : ctx(aContext) {}
    bool OffersTenders() override { return true; }
    void BillStored(const TPayLines&) override {}  // cash only: no approvals to settle
    void BillNotStored(const TPayLines&) override {}
    bool Run(TPayRecorder& aRecorder, Currency aDue, TPayShown& aShown) override
    {
        TPayLines lines;
        lines.offeredKinds = {ctx.giPayCash};
        const Currency given = Currency((aDue.truncWon() + 9999) / 10000 * 10000);
        TPayCashList cash;
        cash.ManYNName = "현금";
        cash.Amt = cash.AgreeAmt = given;
        cash.AgreeDate = ctx.gsToday;
        lines.cash.push_back(cash);
        lines.due = aDue;
        lines.received = given;
        lines.change = given - aDue;
        if (!aRecorder.SavePayData(lines).saved) return false;
        aShown = {lines.received, lines.change, given};
        return true;
    }
    TTerminalContext& ctx;
};

// Printing takes a moment, as a receipt printer does; a kill may land in it.
struct SlowPrinter final : TBillPrinter {
    void PrintBill(const TStoredBill&, bool) override { std::this_thread::sleep_for(std::chrono::milliseconds(15)); }
};

void upload(TfrmData& aData, TOffLineStore& aQueues)
{
    if (aData.ConnectDB(false, true)) TOffLineUpload(aData, aQueues).UploadData(false);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s folder database catalogue bills\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const int bills = std::atoi(argv[4]);
    const char* host = std::getenv("POS_DB_HOST");
    const char* port = std::getenv("POS_DB_PORT");
    const char* user = std::getenv("POS_DB_USER");
    if (!host || !port || !user) return 2;

    TTerminalContext ctx;
    ctx.gsFolder = folder + "/";
    ctx.gsToday = ctx.gsSaleDate = test::kKillSaleDate;
    ctx.gsMasterUpjangCode = ctx.gsUpjangCode = "3101";
    ctx.gsMasterUpjangName = "한식당";
    ctx.gsMasterPosNo = ctx.gsPosNo = "01";
    ctx.gsCashier = "1001";
    ctx.gsIP = "10.0.0.7";
    ctx.gsServerIP = host;
    ctx.gsServerDB = argv[2];
    IniFile posIp;
    posIp.writeString("MAIN", "Port", port);
    if (!posIp.save(folder + "/POSIP.ini")) return 3;
    TSqlCatalogue catalogue;
    if (!catalogue.ReadSQLList(argv[3])) return 3;
    ScriptedDialogService dialogs;
    TSellsOffLinePolicy policy;
    TfrmData data(ctx, catalogue, dialogs, policy);
    if (!data.DataModuleCreate(user)) return 3;
    TNoMasterServer noServer;
    TMasterStore store(ctx, dialogs, noServer);
    test::AddKillOutlet(store);
    Hooks hooks;
    TSaleBill bill(ctx, store, dialogs, hooks);
    View view(bill);
    TOffLineStore queues(ctx, dialogs);
    queues.LoadOffLineData();
    TOffLineBill(queues).Recover();
    upload(data, queues);
    TBillNumbers numbers(ctx, dialogs);
    TLookups lookups(data, store);
    CashScreen screen(ctx);
    SlowPrinter printer;
    TSettlement settlement(ctx, store, data, queues, numbers, lookups, dialogs, screen, printer);

    for (;;) {
        numbers.Load();
        if (ctx.giBillNo > bills) break;
        // Every third bill is settled off line.
        if (ctx.giBillNo % 3 == 0) {
            if (!ctx.gbOffLine) data.SetOffLine();
        } else if (ctx.gbOffLine) {
            upload(data, queues);
        }
        numbers.Load();
        if (ctx.giBillNo > bills) break;
        bill.ClearBill();
        test::RingUpKillBill(bill, ctx.giBillNo);
        const std::int64_t number = ctx.giBillNo;
        const Currency due = bill.Totals().due;
        if (settlement.Pay(view) == TSettlement::TOutcome::Stored) {
            std::printf("S %lld %lld\n", static_cast<long long>(number), static_cast<long long>(due.truncWon()));
            std::fflush(stdout);
        }
    }
    upload(data, queues);
    if (queues.Lines(TOffLineQueue::Sale).empty() && queues.Lines(TOffLineQueue::Pay).empty()) {
        std::printf("DONE\n");
        std::fflush(stdout);
        return 0;
    }
    return 5;
}
