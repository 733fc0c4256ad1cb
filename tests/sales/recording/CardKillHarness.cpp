// A terminal that settles bills by card, for the card kill test: bill after
// bill on line, each paid with one card approved on the dedicated line (the
// card server simulator runs in the test) and journalled until its bill is
// stored. Bill n is paid with card KillCardNo(n). It reports on stdout:
//   "S <bill> <due>"  the bill is stored
//   "DONE"            every bill is stored and no approval is left to undo
// At its start it completes or takes back a bill a kill interrupted and
// settles the approvals the journal holds without a stored bill, as the
// terminal does when selling starts. The test kills it with SIGKILL at
// random moments and starts it again.
//
// Usage: card_kill_harness <folder> <database> <catalogue> <bills> <card server port>
// The server comes from POS_DB_HOST, POS_DB_PORT, POS_DB_USER, POS_DB_PASSWORD.

#include "KillHarnessTerminal.h"
#include "SettlementKillBill.h"

#include "payment/PayRecorder.h"
#include "payment/approval/ApprovalChannels.h"
#include "payment/approval/ApprovalClock.h"
#include "payment/approval/ApprovalDriver.h"
#include "payment/approval/ApprovalJournal.h"
#include "payment/approval/CardServerLink.h"
#include "payment/approval/LeftoverApprovals.h"
#include "payment/approval/ZoCard.h"
#include "sales/recording/StoredApprovals.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace pos;

// The cashier takes the whole bill on the bill's card.
struct CardScreen final : TPaymentScreen {
    CardScreen(TTerminalContext& aContext, TApprovalChannels& aChannels, TApprovalJournal& aJournal,
               TStoredApprovals& aStored, TApprovalReverser& aReverser)
        : ctx(aContext), channels(aChannels), journal(aJournal), stored(aStored), reverser(aReverser)
    {
    }
    bool OffersTenders() override { return true; }
    bool Run(TPayRecorder& aRecorder, Currency aDue, TPayShown& aShown) override
    {
        TCardApprovalRequest request;
        request.Today = request.SaleDate = ctx.gsToday;
        request.UpjangCode = ctx.gsMasterUpjangCode;
        request.PosNo = ctx.gsMasterPosNo;
        request.BillNo = ctx.giBillNo;
        request.CardData = test::KillCardNo(ctx.giBillNo) + "=2912";
        request.KeyIn = true;
        request.Amount = aDue.truncWon();
        request.TerminalID = "7001001";
        const TCardApprovalResult approved = channels.ApproveCard(request);
        if (approved.Outcome != TCardOutcome::Approved) return false;
        TPayLines lines;
        lines.offeredKinds = {ctx.giPayCash, ctx.giPayCard};
        TPayCardList card;
        card.CardNo = test::KillCardNo(ctx.giBillNo);
        card.VaildThru = "29/12";
        card.HalbuMonth = "0개월";
        card.AgreeNo = approved.AgreeNo;
        card.AgreeDate = approved.AgreeDate;
        card.Amt = aDue;
        card.KeyIn = true;
        lines.card.push_back(card);
        lines.due = lines.received = aDue;
        if (!aRecorder.SavePayData(lines).saved) return false;
        aShown = {aDue, Currency(), Currency()};
        return true;
    }
    void BillStored(const TPayLines& aLines) override { journal.CommitLines(aLines); }
    void BillNotStored(const TPayLines&) override { SettleLeftoverApprovals(journal, stored, reverser); }

    TTerminalContext& ctx;
    TApprovalChannels& channels;
    TApprovalJournal& journal;
    TStoredApprovals& stored;
    TApprovalReverser& reverser;
};

bool noDoneEntries(const TApprovalJournal& aJournal)
{
    for (const TJournalEntry& e : aJournal.Entries())
        if (e.State == TJournalState::Done) return false;
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s folder database catalogue bills port\n", argv[0]);
        return 2;
    }
    const int bills = std::atoi(argv[4]);
    test::KillHarnessTerminal t;
    if (!t.Open(argv[1], argv[2], argv[3])) return 3;

    TTcpCardServerLink link;
    TSteadyApprovalClock clock;
    TZoCard cardClient(link, clock);
    cardClient.SetHost("127.0.0.1");
    cardClient.SetPort(std::atoi(argv[5]));
    TMissingApprovalDriver noDriver("no driver here: cards go over the dedicated line");
    TApprovalJournal journal(std::string(argv[1]) + "/Approvals");
    if (!journal.Open()) return 4;
    TApprovalChannels channels(noDriver, cardClient, journal);
    TBillStoredApprovals stored(t.data, t.queues);
    TChannelReverser reverser(channels, TReversalContext{true, t.ctx.gsToday, false, 0});
    SettleLeftoverApprovals(journal, stored, reverser);

    CardScreen screen(t.ctx, channels, journal, stored, reverser);
    TSettlement settlement(t.ctx, t.store, t.data, t.queues, t.numbers, t.lookups, t.dialogs, screen, t.printer);
    for (;;) {
        t.numbers.Load();
        if (t.ctx.giBillNo > bills) break;
        t.SettleNextBill(settlement);
    }
    if (!noDoneEntries(journal)) return 5;
    std::printf("DONE\n");
    std::fflush(stdout);
    return 0;
}
