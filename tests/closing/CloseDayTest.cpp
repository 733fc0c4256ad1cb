// The cashier's day against the real server of scripts/db: the figures read
// by statement, the float, deposit, cashier close and POS close recorded in
// one transaction each, what a failure at each step leaves behind, and what
// is printed. The printers and the queue checks are fakes that record.

#include "ServerTerminal.h"

#include "closing/CloseGuards.h"
#include "closing/CloseModel.h"
#include "closing/ErrorLogUpload.h"
#include "sales/commands/CashierChecks.h"
#include "db/DayLog.h"
#include "db/DbError.h"
#include "store/MasterStore.h"
#include "sync/MasterServer.h"
#include "sync/OffLineQueue.h"
#include "core/FileIO.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pos::test {
namespace {

struct RecordingPrinter final : TClosePrinter {
    TPrinters Printers() const override { return printers; }
    void Print(const TPrintPlan& aPlan) override { plans.push_back(aPlan); }
    // Everything sent to printer 1 as receipts, in order.
    std::string Receipts() const
    {
        std::string all;
        for (const TPrintPlan& plan : plans)
            for (const TPrintJob& job : plan)
                if (job.step == TPrintStep::Receipt) all += job.text;
        return all;
    }
    TPrinters printers{TPrinterType::ptTSP600, TPrinterType::ptTSP600};
    std::vector<TPrintPlan> plans;
};

struct ScriptedGuards final : TCloseGuards {
    std::string UnsentWork() override { return unsent; }
    std::vector<std::string> OpenApprovals() override { return approvals; }
    std::string unsent;
    std::vector<std::string> approvals;
};

class CloseDay : public ServerTerminal {
protected:
    CloseDay()
    {
        ctx.gsSaleDate = ctx.gsToday = "20261209";
        ctx.gsMasterUpjangCode = ctx.gsUpjangCode = "3101";
        ctx.gsMasterUpjangName = "한식당";
        ctx.gsMasterPosNo = ctx.gsPosNo = "01";
        ctx.gsCashier = "1001";
        ctx.gsCashierName = "김하늘";
        ctx.gsIP = "10.0.0.9";
        addOutlet("3101");
        EXPECT_TRUE(data->ConnectDB(true, false));
    }

    // An outlet of the terminal with this POS as its only one.
    void addOutlet(const std::string& aCode)
    {
        db.query("INSERT INTO upjang (upjang_code, upjang_name) VALUES ('" + aCode + "', '" + aCode + "')");
        db.query("INSERT INTO upjang_pos (upjang_code, pos_no) VALUES ('" + aCode + "', '01')");
        const int u = store.AddUpjangData();
        store.SetUpjangData(u, UpjangItem::UpjangCode, aCode);
        store.SetUpjangData(u, UpjangItem::PosNo, "01");
        store.SetUpjangData(u, UpjangItem::UpjangType, "30");
    }

    // A settled bill of one row, paid with aPayCode.
    void sell(const std::string& aBillNo, const std::string& aAmount, const std::string& aPayCode = "110",
              const std::string& aCashier = "1001")
    {
        db.query("INSERT INTO sale (sale_date, upjang_code, pos_no, bill_no, bill_seq, sale_yn, menu_code, "
                 "unit_amt, sale_qty, sale_amt, net_amt, emp_no) VALUES ('20261209', '3101', '01', '" +
                 aBillNo + "', 1, 'Y', '1001', " + aAmount + ", 1, " + aAmount + ", " + aAmount + ", '" +
                 aCashier + "')");
        db.query("INSERT INTO pay (sale_date, upjang_code, pos_no, bill_no, pay_yn, pay_code, pay_seq, amt, emp_no) "
                 "VALUES ('20261209', '3101', '01', '" + aBillNo + "', 'Y', '" + aPayCode + "', 1, " + aAmount +
                 ", '" + aCashier + "')");
    }

    void open(TCloseMode aMode = TCloseMode::cmClose) { model.Open(aMode, ""); }

    void enterFloat(std::int64_t aAmount)
    {
        model.SetFloatAmount(Currency(aAmount));
        model.FloatCommand();
    }

    void deposit(std::size_t aIndex, std::int64_t aCount)
    {
        model.SetCount(aIndex, aCount);
        model.DepositCommand();
    }

    // Refuses every insert into aTable from now on.
    void refuseInserts(const std::string& aTable)
    {
        db.query("CREATE OR REPLACE FUNCTION refuse_row() RETURNS trigger LANGUAGE plpgsql AS "
                 "$$BEGIN RAISE EXCEPTION 'refused'; END$$");
        db.query("CREATE TRIGGER refuse_" + aTable + " BEFORE INSERT OR UPDATE ON " + aTable +
                 " FOR EACH ROW EXECUTE FUNCTION refuse_row()");
    }

    int rows(const std::string& aTable) { return count("SELECT count(*) FROM " + aTable); }

    TNoMasterServer noServer;
    TMasterStore store{ctx, dialogs, noServer};
    RecordingPrinter printer;
    ScriptedGuards guards;
    TCloseModel model{*data, dialogs, store, printer, guards};
};

TEST_F(CloseDay, FloatDepositAndCloseRecordTheDayAndPrintItsSlips)
{
    sell("0001", "43000");
    sell("0002", "12000", "120");
    open(TCloseMode::cmIpgumOpen);
    EXPECT_EQ(model.Focus(), (TCloseFocus{TCloseEntry::Float, 0}));
    EXPECT_EQ(model.Figures().cash.amount, Currency(43000));
    EXPECT_EQ(model.Figures().card.amount, Currency(12000));

    enterFloat(100000);
    enterFloat(-5000);  // a correction of the float
    EXPECT_EQ(model.Figures().floats, (TCountAmount{2, Currency(95000)}));
    EXPECT_EQ(rows("cash_float"), 2);
    EXPECT_EQ(count("SELECT count(*) FROM cashier_event WHERE event_kind = 'S'"), 2);
    EXPECT_EQ(dialogs.last()->text, kMsgFloatDone);
    EXPECT_EQ(model.Focus(), (TCloseFocus{TCloseEntry::Count, kCount10000}));

    // 3 x 10,000 and 2 x 500 make 31,000; a deposit records only the sum.
    model.SetCount(kCount10000, 3);
    model.SetCount(6, 2);
    EXPECT_EQ(model.PieceAmount(kCount10000), Currency(30000));
    EXPECT_EQ(model.CountedSum(), Currency(31000));
    model.DepositCommand();
    EXPECT_EQ(db.query("SELECT trunc(sum(amount))::text FROM cash_deposit"), "31000");
    EXPECT_EQ(model.CountedSum(), Currency(0));
    EXPECT_EQ(model.Figures().deposits, (TCountAmount{1, Currency(31000)}));
    EXPECT_EQ(dialogs.last()->text, kMsgDepositDone);

    // 31,000 in hand against a float of 95,000 and cash sales of 43,000.
    EXPECT_EQ(model.Figures().OverShort(), Currency(31000 - 95000 - 43000));
    dialogs.answers = {true, false};  // the report, not the menu detail
    model.CloseCommand();
    EXPECT_TRUE(model.Finished());
    EXPECT_EQ(db.query("SELECT close_no || ':' || trunc(cash_sale_amt) || ':' || trunc(sale_total_amt) "
                       "FROM cashier_close"),
              "1:43000:55000");
    EXPECT_EQ(db.query("SELECT closed_at IS NOT NULL FROM cashier_signon WHERE emp_no = '1001'"), "t");
    // Two float slips, one deposit slip and the close report numbered 1.
    ASSERT_EQ(printer.plans.size(), 4u);
    EXPECT_NE(printer.Receipts().find("마감차수:   1회"), std::string::npos);
    EXPECT_NE(printer.Receipts().find("(부족)"), std::string::npos);
}

TEST_F(CloseDay, TheOrderIsFloatThenDepositThenClose)
{
    open();
    deposit(kCount10000, 1);
    EXPECT_EQ(dialogs.last()->text, kMsgNoFloat);
    EXPECT_EQ(model.Focus(), (TCloseFocus{TCloseEntry::Float, 0}));
    EXPECT_EQ(model.Count(kCount10000), 1);  // the count stays for another try
    model.CloseCommand();
    EXPECT_EQ(dialogs.last()->text, kMsgNoFloat);
    enterFloat(50000);
    model.CloseCommand();
    EXPECT_EQ(dialogs.last()->text, kMsgNoDeposit);
    EXPECT_FALSE(model.Finished());
    EXPECT_EQ(rows("cash_deposit"), 0);
    EXPECT_EQ(rows("cashier_close"), 0);

    // Nothing typed: nothing recorded, the focus goes back.
    model.SetCount(kCount10000, 0);
    model.FloatCommand();
    model.DepositCommand();
    EXPECT_EQ(rows("cash_float"), 1);
    EXPECT_EQ(rows("cash_deposit"), 0);
}

TEST_F(CloseDay, EnterMovesOnAndAsksForTheDepositAtTheLastCounts)
{
    open(TCloseMode::cmIpgumClose);
    EXPECT_EQ(model.Focus(), (TCloseFocus{TCloseEntry::Count, kCount10000}));
    model.Enter({TCloseEntry::Count, kCount10000});
    EXPECT_EQ(model.Focus(), (TCloseFocus{TCloseEntry::Count, kCount10000 + 1}));
    // Nothing counted: Enter at the 100-won count moves on without a question.
    model.Enter({TCloseEntry::Count, kCount100});
    EXPECT_EQ(model.Focus(), (TCloseFocus{TCloseEntry::Count, kCount100 + 1}));
    EXPECT_TRUE(dialogs.shown.empty());

    enterFloat(10000);
    model.SetCount(kCount100, 4);
    dialogs.answers = {false};
    model.Enter({TCloseEntry::Count, kCount10});
    EXPECT_EQ(dialogs.last()->text, kAskSaveDeposit);
    EXPECT_EQ(rows("cash_deposit"), 0);
    dialogs.answers = {true};
    model.Enter({TCloseEntry::Count, kCount100});
    EXPECT_EQ(db.query("SELECT trunc(amount)::text FROM cash_deposit"), "400");
}

TEST_F(CloseDay, AFailureAtEachStepOfARecordLeavesNothingBehind)
{
    struct Case {
        const char* refusedTable;
        TCloseMode mode;
        const char* message;
    } cases[] = {
        {"cash_float", TCloseMode::cmIpgumOpen, kMsgFloatNotSaved},
        {"cashier_event", TCloseMode::cmIpgumOpen, kMsgFloatNotSaved},
        {"cashier_event", TCloseMode::cmClose, kMsgCloseNotSaved},
        {"cashier_signon", TCloseMode::cmClose, kMsgCloseNotSaved},
        {"close_counter", TCloseMode::cmClose, kMsgCloseNotSaved},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.refusedTable) + (c.mode == TCloseMode::cmClose ? " close" : " float"));
        db.query("DELETE FROM cash_float; DELETE FROM cash_deposit; DELETE FROM cashier_close; "
                 "DELETE FROM cashier_event; DELETE FROM cashier_signon; DELETE FROM close_counter");
        if (c.mode == TCloseMode::cmClose) {
            // The float and deposit stand; the close itself fails.
            open();
            enterFloat(10000);
            deposit(kCount10000, 1);
        }
        const int events = rows("cashier_event");
        refuseInserts(c.refusedTable);
        dialogs.clear();
        open(c.mode);
        if (c.mode == TCloseMode::cmClose) {
            model.CloseCommand();
            EXPECT_TRUE(model.Finished());  // the screen closes all the same
        } else {
            enterFloat(10000);
            EXPECT_EQ(model.FloatAmount(), Currency(10000));  // kept for another try
        }
        db.query("DROP TRIGGER refuse_" + std::string(c.refusedTable) + " ON " + c.refusedTable);
        ASSERT_NE(dialogs.last(), nullptr);
        EXPECT_EQ(dialogs.last()->text, c.message);
        EXPECT_EQ(rows("cashier_event"), events);
        EXPECT_EQ(rows("cashier_close"), 0);
        EXPECT_EQ(rows("cash_float"), c.mode == TCloseMode::cmClose ? 1 : 0);
        EXPECT_FALSE(data->InTransaction());
    }
}

TEST_F(CloseDay, AServerLostInTheMiddleOfACloseRecordsNothing)
{
    open();
    enterFloat(10000);
    deposit(kCount10000, 2);
    // The connection dies on the close number, after the close row was written.
    db.query("CREATE FUNCTION die_on_close() RETURNS trigger LANGUAGE plpgsql AS "
             "$$BEGIN PERFORM pg_terminate_backend(pg_backend_pid()); RETURN NEW; END$$");
    db.query("CREATE TRIGGER die_on_close AFTER INSERT ON cashier_event FOR EACH ROW "
             "WHEN (NEW.event_kind = 'C') EXECUTE FUNCTION die_on_close()");
    model.CloseCommand();
    EXPECT_EQ(rows("cashier_close"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM cashier_signon WHERE closed_at IS NOT NULL"), 0);
    EXPECT_EQ(dialogs.last()->text, kMsgCloseNotSaved);
    EXPECT_EQ(printer.plans.size(), 2u);  // the float and deposit slips, no report
}

TEST_F(CloseDay, AFigureThatCannotBeReadIsNamedAndNothingIsClosed)
{
    open();
    enterFloat(10000);
    deposit(kCount10000, 1);
    // The tenders cannot be read: the pay table is gone from under the
    // statement.
    db.query("ALTER TABLE pay RENAME TO pay_away");
    open();
    ASSERT_NE(dialogs.last(), nullptr);
    EXPECT_EQ(dialogs.last()->text, UnreadFiguresMessage({figure::kTenders}, false));
    model.CloseCommand();
    EXPECT_EQ(dialogs.last()->text, UnreadFiguresMessage({figure::kTenders}, true));
    EXPECT_FALSE(model.Finished());
    EXPECT_EQ(rows("cashier_close"), 0);
    // Once the server answers again the close goes through.
    db.query("ALTER TABLE pay_away RENAME TO pay");
    dialogs.answers = {false};
    model.CloseCommand();
    EXPECT_EQ(rows("cashier_close"), 1);
}

TEST_F(CloseDay, UnsentBillsRefuseTheCloseAndOpenApprovalsAreShown)
{
    open();
    enterFloat(10000);
    deposit(kCount10000, 1);
    guards.unsent = UnsentWorkMessage({2, 1});
    model.CloseCommand();
    EXPECT_EQ(dialogs.last()->text, guards.unsent);
    EXPECT_NE(guards.unsent.find("2건"), std::string::npos);
    EXPECT_NE(guards.unsent.find("1건"), std::string::npos);
    EXPECT_EQ(rows("cashier_close"), 0);
    EXPECT_EQ(model.PosCloseCommand(), 0);
    EXPECT_EQ(rows("pos_close"), 0);

    guards.unsent.clear();
    guards.approvals = {"9410-12**-****-3456 12,000원"};
    dialogs.clear();
    dialogs.answers = {false};
    model.CloseCommand();
    ASSERT_GE(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown.front().text, OpenApprovalsMessage(guards.approvals));
    EXPECT_EQ(rows("cashier_close"), 1);
}

TEST_F(CloseDay, UnsentLinesAreTheQueuedOnesAndThoseSetAside)
{
    TOffLineStore queues(ctx, dialogs);
    EXPECT_EQ(UnsentWorkMessage(CountUnsentLines(queues)), "");
    queues.Requeue(TOffLineQueue::Sale, "a queued sale line");
    queues.Requeue(TOffLineQueue::Pay, "a queued pay line");
    ASSERT_TRUE(WriteFileAtomically(queues.AsidePath(TOffLineQueue::Card), "one\r\ntwo\r\n\r\nthree"));
    const TUnsentLines unsent = CountUnsentLines(queues);
    EXPECT_EQ(unsent.queued, 2);
    EXPECT_EQ(unsent.setAside, 3);
}

TEST_F(CloseDay, TwoClosesOfADayAreNumberedInTurnAndTheSecondStartsFromNothing)
{
    sell("0001", "10000");
    open();
    enterFloat(10000);
    deposit(kCount10000, 2);
    dialogs.answers = {true, false};
    model.CloseCommand();
    // The second shift of the same cashier starts after the first close,
    // and is open again until it is closed in turn.
    open();
    EXPECT_EQ(model.Figures().cash.amount, Currency(0));
    EXPECT_EQ(model.Figures().floatEntries, 0);
    enterFloat(10000);
    EXPECT_EQ(CheckNotCloseCashier(*data), "(1001)");
    deposit(kCount10000, 1);
    dialogs.answers = {true, false};
    model.CloseCommand();
    EXPECT_EQ(db.query("SELECT string_agg(close_no::text, ',' ORDER BY close_no) FROM cashier_close"), "1,2");
    EXPECT_NE(printer.Receipts().find("마감차수:   2회"), std::string::npos);
}

TEST_F(CloseDay, ThePosCloseRunsTheDayEndForEveryOutletInOneTransaction)
{
    // The terminal sells for 3102 under its own POS number there.
    addOutlet("3102");
    db.query("INSERT INTO pos_sale_upjang (upjang_code, pos_no, sale_upjang_code, sale_pos_no) "
             "VALUES ('3101', '01', '3102', '01')");
    sell("0001", "10000");
    // A day-end that answers with an error for the second outlet did not
    // do its work: the POS is not closed and neither outlet's day is.
    db.query("ALTER FUNCTION PR_KEI010_99(text, text, text, text, text) RENAME TO pr_kei010_99_real");
    db.query("CREATE FUNCTION PR_KEI010_99(ASALE_DATE text, AUPJANG_CODE text, AU_EMP_NO text, AU_IP text, "
             "AEDITSTATUS text, OUT AERROR_MSG text) LANGUAGE plpgsql AS $$BEGIN "
             "IF AUPJANG_CODE = '3102' THEN AERROR_MSG := 'not ready'; RETURN; END IF; "
             "AERROR_MSG := pr_kei010_99_real(ASALE_DATE, AUPJANG_CODE, AU_EMP_NO, AU_IP, AEDITSTATUS); END$$");
    model.Open(TCloseMode::cmPosClose, "");
    EXPECT_EQ(model.PosCloseCommand(), 0);
    EXPECT_EQ(dialogs.last()->text, kMsgCloseNotSaved);
    EXPECT_EQ(rows("pos_close"), 0);
    EXPECT_EQ(rows("day_end"), 0);
    EXPECT_NE(log().find("not ready"), std::string::npos);

    db.query("DROP FUNCTION PR_KEI010_99(text, text, text, text, text)");
    db.query("ALTER FUNCTION pr_kei010_99_real(text, text, text, text, text) RENAME TO PR_KEI010_99");
    dialogs.answers = {true, false};
    EXPECT_EQ(model.PosCloseCommand(), 1);
    EXPECT_EQ(rows("pos_close"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM day_end WHERE sale_date = '20261209'"), 2);
    EXPECT_EQ(count("SELECT count(*) FROM day_close WHERE sale_date = '20261209'"), 2);
    EXPECT_NE(printer.Receipts().find("[POS 마감]"), std::string::npos);
    // Run again for the date, the POS close prints its report once more
    // under the next number.
    dialogs.answers = {true, false};
    EXPECT_EQ(model.PosCloseCommand(), 2);
    EXPECT_EQ(rows("pos_close"), 1);
}

TEST_F(CloseDay, ThePreSaleCashierIsClosedBeforeThePos)
{
    sell("0001", "30000", "001", ctx.gsCashierPreSale);
    model.Open(TCloseMode::cmPosClose, "");
    dialogs.answers = {false};
    EXPECT_EQ(model.PosCloseCommand(), 1);
    EXPECT_EQ(db.query("SELECT emp_no FROM cashier_close"), ctx.gsCashierPreSale);
    EXPECT_EQ(db.query("SELECT closed_at IS NOT NULL FROM cashier_signon WHERE emp_no = '" + ctx.gsCashierPreSale +
                       "'"),
              "t");
    EXPECT_TRUE(printer.plans.empty());  // no report for the pre-sale cashier, none asked for the POS
}

TEST_F(CloseDay, TheDayLogGoesToTheServerWithItsNumbersMasked)
{
    // A server refusal quoting a card number, logged the way every refused
    // statement is.
    data->ReadFailed({TDbErrorKind::Other, "IAI010-SavePayData-1", "22P02",
                      "invalid input syntax for type bigint: \"9410-1234-5678-3456\""});
    WriteLogFile(ctx, "IEB010-Test", "second entry\rwith two lines");
    EXPECT_TRUE(SaveErrorLog(*data));
    EXPECT_EQ(rows("terminal_log"), 2);
    EXPECT_EQ(db.query("SELECT proc FROM terminal_log WHERE entry_no = 1"), "IAI010-SavePayData-1");
    EXPECT_EQ(count("SELECT count(*) FROM terminal_log WHERE body LIKE '%5678%'"), 0);
    // Uploaded again, the day's log replaces the copy, never doubles it.
    EXPECT_TRUE(SaveErrorLog(*data));
    EXPECT_EQ(rows("terminal_log"), 2);
}

}  // namespace
}  // namespace pos::test
