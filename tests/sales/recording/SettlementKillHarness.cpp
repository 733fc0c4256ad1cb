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

#include "KillHarnessTerminal.h"
#include "SettlementKillBill.h"

#include "payment/PayRecorder.h"
#include "sync/Upload.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace pos;

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
    const int bills = std::atoi(argv[4]);
    test::KillHarnessTerminal t;
    if (!t.Open(argv[1], argv[2], argv[3])) return 3;
    upload(t.data, t.queues);
    CashScreen screen(t.ctx);
    TSettlement settlement(t.ctx, t.store, t.data, t.queues, t.numbers, t.lookups, t.dialogs, screen, t.printer);

    for (;;) {
        t.numbers.Load();
        if (t.ctx.giBillNo > bills) break;
        // Every third bill is settled off line.
        if (t.ctx.giBillNo % 3 == 0) {
            if (!t.ctx.gbOffLine) t.data.SetOffLine();
        } else if (t.ctx.gbOffLine) {
            upload(t.data, t.queues);
        }
        t.numbers.Load();
        if (t.ctx.giBillNo > bills) break;
        t.SettleNextBill(settlement);
    }
    upload(t.data, t.queues);
    if (t.queues.Lines(TOffLineQueue::Sale).empty() && t.queues.Lines(TOffLineQueue::Pay).empty()) {
        std::printf("DONE\n");
        std::fflush(stdout);
        return 0;
    }
    return 5;
}
