// The commands of a table-service outlet over the real server: leaving and
// choosing tables ("테이블"), cancelling a table's bill and shutting down
// with a table open, with the table screen's choice scripted and the
// printers recorded.

#include "KitchenFakes.h"
#include "RecordingSaleServices.h"
#include "tables/TableFixture.h"
#include "store/MasterStore.h"

#include "lookups/Lookups.h"
#include "payment/PayRecorder.h"
#include "sales/SaleView.h"
#include "sales/commands/BillCancelCommand.h"
#include "sales/commands/OrderTableCommand.h"
#include "sales/commands/ShutdownCommand.h"
#include "sales/commands/TerminalServices.h"
#include "sales/recording/BillNumbers.h"
#include "sales/recording/Settlement.h"
#include "sync/OffLineQueue.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace pos::test {
namespace {

struct TableView final : TSaleView {
    explicit TableView(TSaleBill& aBill) : bill(aBill) {}
    TSaleBill& Bill() override { return bill; }
    void ShowBillNo() override { calls.push_back("bill-no"); }
    void ShowSaleGubun() override { calls.push_back("sale-gubun"); }
    void ShowCashier() override {}
    void ShowWaitCount() override { calls.push_back("wait-count"); }
    void PressFirstMenuGroup() override { calls.push_back("menu-group"); }
    void ReloadMenus() override {}
    void Refresh() override {}
    void ShowMessage(const std::string&, bool, int) override {}
    void SetEnabled(bool) override {}
    void CloseScreen() override { calls.push_back("closed"); }
    TSaleBill& bill;
    std::vector<std::string> calls;
};

// The table screen: each showing "chooses" the next scripted table (0: the
// screen was left without one, -1: the program was shut down from it).
struct ScriptedTables final : TOrderTableLauncher {
    explicit ScriptedTables(TTerminalContext& aContext) : context(aContext) {}
    TOutcome ShowOrderTable() override
    {
        ++shown;
        if (choices.empty() || choices.front() == 0) {
            if (!choices.empty()) choices.pop_front();
            return TOutcome::NoTable;
        }
        if (choices.front() < 0) return TOutcome::ProgramEnds;
        context.giTableNo = choices.front();
        choices.pop_front();
        return TOutcome::Chosen;
    }
    TTerminalContext& context;
    std::deque<int> choices;
    int shown = 0;
};

struct NoPayScreen final : TPaymentScreen {
    bool OffersTenders() override { return false; }
    void BillStored(const TPayLines&) override {}
    void BillNotStored(const TPayLines&) override {}
    bool Run(TPayRecorder&, Currency, TPayShown&) override { return false; }
};
struct NoPrinter final : TBillPrinter {
    void PrintBill(const TStoredBill&, bool) override {}
};
struct Program final : TTerminalShutdown {
    TShutdownAction Shutdown(bool) override
    {
        ++shutdowns;
        return TShutdownAction::EndProgram;
    }
    int shutdowns = 0;
};

class TableCommands : public TableFixture {
protected:
    TableCommands()
    {
        store.SetUpjangData(0, UpjangItem::GuestCountYN, "Y");
        bill.screen.commands = TCommandBar::FromOutlet(ctx, store);
        ctx.giTableNo = 0;  // no table open yet
    }
    void press() { command.Execute(view); }
    int kitchenSlips() const { return parts.printers.KitchenSlips(); }

    TableView view{bill};
    ScriptedTables launcher{ctx};
    RecordingSaleServices services{ctx};
    KitchenParts parts{ctx, store, dialogs};
    TOrderTableCommand command{ctx, dialogs, tables, parts.kitchen, launcher, services};
    TOffLineStore queues{ctx, dialogs};
    TBillNumbers numbers{ctx, dialogs};
    TLookups lookups{*data, store};
    NoPayScreen payScreen;
    NoPrinter printer;
    TSettlement settlement{ctx, store, *data, queues, numbers, lookups, dialogs, payScreen, printer};
    Program program;
};

TEST_F(TableCommands, TheKitchenHearsOfAnAddedLineOnceAcrossPutAways)
{
    launcher.choices = {7};
    services.guestCounts = {{2, 0}};
    press();  // the first table of the day: nothing to put away
    EXPECT_EQ(ctx.giTableNo, 7);
    EXPECT_EQ(services.guestCounts.size(), 0u);  // a table without guests asks for them
    EXPECT_EQ(ctx.giKoreanCount, 2);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"wait-count", "sale-gubun", "wait-count", "bill-no", "menu-group"}));
    EXPECT_TRUE(parts.printers.receipts.empty());

    ringUp("1001");
    launcher.choices = {7};
    press();  // put away: stored, the kitchen told; the same table chosen again
    EXPECT_EQ(kitchenSlips(), 1);
    EXPECT_EQ(storedLines(), 1);
    ASSERT_EQ(bill.Lines().GetCount(), 1);
    EXPECT_EQ(bill.Lines().Line(0).OldSaleCount, 1);
    EXPECT_EQ(ctx.giKoreanCount, 2);  // stored with the table: not asked again

    launcher.choices = {0};
    press();  // put away again unchanged, the screen left without a table
    EXPECT_EQ(kitchenSlips(), 1);
    EXPECT_EQ(bill.Lines().GetCount(), 1);  // the bill just stored stays on the screen

    ringUp("1002");
    launcher.choices = {0};
    press();
    press();  // the added line once, though the bill was put away twice more
    EXPECT_EQ(kitchenSlips(), 2);
    EXPECT_NE(parts.printers.receipts.back().find("비빔밥"), std::string::npos);
}

TEST_F(TableCommands, OffLineTheTablesAreNotOpened)
{
    ctx.gbOffLine = true;
    press();
    EXPECT_EQ(shown(), std::vector<std::string>{"테이블는(은) Off Line 상태에서 할 수 없습니다."});
    EXPECT_EQ(launcher.shown, 0);
}

// Shut down from the table screen: the bill was stored before the screen
// opened, and the sale screen ends with the program.
TEST_F(TableCommands, AShutdownFromTheTableScreenEndsTheSaleScreen)
{
    launcher.choices = {7};
    press();
    ringUp("1001");
    launcher.choices = {-1};
    press();
    EXPECT_EQ(view.calls.back(), "closed");
    EXPECT_EQ(db.query("SELECT count(*) FROM table_order_line WHERE table_no = 7"), "1");
}

TEST_F(TableCommands, ABillThatCannotBeStoredStaysAndNothingIsPrinted)
{
    launcher.choices = {7};
    press();
    ringUp("1001");
    db.query("CREATE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN RAISE EXCEPTION 'refused'; END $$");
    db.query("CREATE TRIGGER refuse BEFORE INSERT ON table_order_line FOR EACH ROW EXECUTE FUNCTION refuse()");
    launcher.choices = {8};
    press();
    EXPECT_EQ(shown(), std::vector<std::string>{kMsgTableNotSaved});
    EXPECT_EQ(launcher.shown, 1);
    EXPECT_TRUE(parts.printers.receipts.empty());
    EXPECT_EQ(ctx.giTableNo, 7);
    EXPECT_EQ(bill.Lines().GetCount(), 1);
}

TEST_F(TableCommands, CancellingATableTellsTheKitchenAndFreesTheTable)
{
    launcher.choices = {7, 0};
    press();
    ringUp("1001", 2);
    press();  // sent: two 김치찌개
    ringUp("1002");  // not sent yet
    dialogs.answers = {true};
    TBillCancelCommand(ctx, store, dialogs, settlement, tables, parts.kitchen).Execute(view);
    EXPECT_EQ(kitchenSlips(), 2);
    const std::string& slip = parts.printers.receipts.back();
    EXPECT_NE(slip.find("*취소"), std::string::npos);
    EXPECT_NE(slip.find("김치찌개"), std::string::npos);
    EXPECT_EQ(slip.find("비빔밥"), std::string::npos);  // the kitchen never heard of it
    EXPECT_EQ(bill.Lines().GetCount(), 0);
    EXPECT_FALSE(stored());
    // Nothing of the cancelled table is stored again when the cashier leaves it.
    launcher.choices = {0};
    press();
    EXPECT_FALSE(stored());
}

TEST_F(TableCommands, ShuttingDownKeepsTheOpenTableAndTellsTheKitchen)
{
    launcher.choices = {7};
    press();
    ringUp("1001");
    dialogs.answers = {true};
    TShutdownCommand(store, dialogs, *data, settlement, program, tables, parts.kitchen).Execute(view);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.front().text.find(kOpenBillIsLost), std::string::npos);  // it is kept
    EXPECT_EQ(storedLines(), 1);
    EXPECT_EQ(kitchenSlips(), 1);
    EXPECT_EQ(program.shutdowns, 1);
}

TEST_F(TableCommands, AShutdownWhoseTableBillCannotBeStoredKeepsTheProgramRunning)
{
    launcher.choices = {7};
    press();
    ringUp("1001");
    db.query("CREATE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN RAISE EXCEPTION 'refused'; END $$");
    db.query("CREATE TRIGGER refuse BEFORE INSERT ON table_order FOR EACH ROW EXECUTE FUNCTION refuse()");
    dialogs.answers = {true};
    TShutdownCommand(store, dialogs, *data, settlement, program, tables, parts.kitchen).Execute(view);
    EXPECT_EQ(program.shutdowns, 0);
    EXPECT_TRUE(parts.printers.receipts.empty());
    EXPECT_EQ(bill.Lines().GetCount(), 1);
}

}  // namespace
}  // namespace pos::test
