// The sale screen's commands as plain classes: a real bill, a fake view of
// the screen, scripted message boxes and launchers, and the data module
// against the real server of scripts/db.

#include "KitchenFakes.h"
#include "SaleFixture.h"
#include "ServerTerminal.h"

#include "sales/SaleBill.h"
#include "lookups/Lookups.h"
#include "payment/PayRecorder.h"
#include "sales/commands/BillCancelCommand.h"
#include "sales/commands/DownloadCommand.h"
#include "sales/commands/LoginCommand.h"
#include "sales/commands/ReturnCommand.h"
#include "sales/SaleView.h"
#include "sales/commands/ShutdownCommand.h"
#include "sales/commands/TerminalServices.h"
#include "sales/tables/TableBills.h"
#include "sales/recording/BillNumbers.h"
#include "sales/recording/Settlement.h"
#include "sync/OffLineQueue.h"
#include "store/MasterStore.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace pos::test {
namespace {

// The screen as a command sees it: every call recorded.
struct FakeView final : TSaleView {
    explicit FakeView(TSaleBill& aBill) : bill(aBill) {}
    TSaleBill& Bill() override { return bill; }
    void ShowBillNo() override { calls.push_back("bill-no"); }
    void ShowSaleGubun() override { calls.push_back("sale-gubun"); }
    void ShowCashier() override { calls.push_back("cashier"); }
    void ShowWaitCount() override { calls.push_back("wait-count"); }
    void PressFirstMenuGroup() override { calls.push_back("menu-group"); }
    void ReloadMenus() override { calls.push_back("menus"); }
    void Refresh() override { calls.push_back("refresh"); }
    void ShowMessage(const std::string& aText, bool, int) override { calls.push_back("message:" + aText); }
    void SetEnabled(bool aEnabled) override { calls.push_back(aEnabled ? "enabled" : "disabled"); }
    void CloseScreen() override { calls.push_back("closed"); }
    TSaleBill& bill;
    std::vector<std::string> calls;
};

// The program around the commands: scripted logins and shut-downs.
struct FakeProgram final : TLoginLaunchers, TDownloadLauncher, TTerminalShutdown {
    bool Login(bool aCanClose) override
    {
        logins.push_back(aCanClose);
        if (loginAnswers.empty()) return false;
        const bool ok = loginAnswers.front();
        loginAnswers.pop_front();
        return ok;
    }
    bool CheckAdmin() override { return false; }
    void DownloadData(bool aDownOnOffLine, bool aSaveSamFile, bool aHideForm) override
    {
        downloads.push_back({aDownOnOffLine, aSaveSamFile, aHideForm});
    }
    TShutdownAction Shutdown(bool aAskShutdown) override
    {
        shutdowns.push_back(aAskShutdown);
        return shutdownAction;
    }

    std::deque<bool> loginAnswers;
    std::vector<bool> logins;
    std::vector<std::vector<bool>> downloads;
    std::vector<bool> shutdowns;
    TShutdownAction shutdownAction = TShutdownAction::EndProgram;
};

// No payment screen or printer is needed by these commands: a cancelled
// bill is stored and printed without tenders.
struct NoPayScreen final : TPaymentScreen {
    bool OffersTenders() override { return false; }
    void BillStored(const TPayLines&) override {}  // cash only: no approvals to settle
    void BillNotStored(const TPayLines&) override {}
    bool Run(TPayRecorder&, Currency, TPayShown&) override { return false; }
};
struct CountingPrinter final : TBillPrinter {
    void PrintBill(const TStoredBill& aBill, bool) override { cancelled += aBill.cancelled ? 1 : 0; }
    int cancelled = 0;
};

class SaleCommands : public ServerTerminal {
protected:
    SaleCommands()
    {
        ctx.gsSaleDate = ctx.gsToday = "20261209";
        ctx.gsMasterUpjangCode = ctx.gsUpjangCode = "3101";
        ctx.gsMasterPosNo = ctx.gsPosNo = "01";
        const int u = store.AddUpjangData();
        store.SetUpjangData(u, UpjangItem::UpjangCode, "3101");
        store.SetUpjangData(u, UpjangItem::PosNo, "01");
        store.SetUpjangData(u, UpjangItem::UpjangType, "30");
        const int g = store.AddGoodsData();
        store.SetGoodsData(g, GoodsItem::UpjangCode, "3101");
        store.SetGoodsData(g, GoodsItem::MenuCode, "1001");
        store.SetGoodsData(g, GoodsItem::MenuName, "김치찌개");
        store.SetGoodsData(g, GoodsItem::SeasonCode, "1");
        store.SetGoodsData(g, GoodsItem::BusinessGubun, "1");
        store.SetGoodsData(g, GoodsItem::SaleUnitAmt, "9000");
        EXPECT_TRUE(data->ConnectDB(true, false));
    }

    void ringUp()
    {
        bill.entry.menuCode = "1001";
        ASSERT_EQ(bill.AddSaleList(0, std::nullopt), TAddResult::Added);
    }

    TNoMasterServer noServer;
    TMasterStore store{ctx, dialogs, noServer};
    RecordingHooks hooks{ctx};
    TSaleBill bill{ctx, store, dialogs, hooks};
    FakeView view{bill};
    FakeProgram program;
    TOffLineStore queues{ctx, dialogs};
    TBillNumbers numbers{ctx, dialogs};
    TLookups lookups{*data, store};
    NoPayScreen payScreen;
    CountingPrinter printer;
    TSettlement settlement{ctx, store, *data, queues, numbers, lookups, dialogs, payScreen, printer};
    TTableBills tables{ctx, store, *data, dialogs};
    KitchenParts kitchenParts{ctx, store, dialogs};
};

TEST_F(SaleCommands, ANewCashierStartsANewBillAndShowsNameAndDate)
{
    ringUp();
    program.loginAnswers = {true};
    TLoginCommand(program, *data, program).Execute(view);
    EXPECT_EQ(program.logins, std::vector<bool>{true});  // a change of cashier may be abandoned
    EXPECT_EQ(bill.Lines().GetCount(), 0);
    EXPECT_EQ(view.calls, std::vector<std::string>{"cashier"});
    EXPECT_FALSE(bill.screen.commands.loginRequired);

    // Abandoned, the change keeps the cashier and the bill.
    ringUp();
    view.calls.clear();
    TLoginCommand(program, *data, program).Execute(view);
    EXPECT_EQ(bill.Lines().GetCount(), 1);
    EXPECT_TRUE(view.calls.empty());
    EXPECT_TRUE(program.shutdowns.empty());
}

TEST_F(SaleCommands, AfterACloseNothingIsSoldBeforeALogin)
{
    db.query("INSERT INTO day_close (sale_date, upjang_code) VALUES ('20261209', '3101')");
    bill.screen.commands.loginRequired = true;
    // The first login finds the day still closed and asks again; the second
    // is abandoned: the shut-down is offered, the cashier stays, a third
    // login is asked and abandoned too, and then the program ends.
    program.loginAnswers = {true, false, false};
    struct EndAfterTwo : TTerminalShutdown {
        TShutdownAction Shutdown(bool aAsk) override
        {
            asked.push_back(aAsk);
            return asked.size() < 2 ? TShutdownAction::KeepRunning : TShutdownAction::EndProgram;
        }
        std::vector<bool> asked;
    } shutdown;
    TLoginCommand(program, *data, shutdown).Execute(view);
    EXPECT_EQ(program.logins.size(), 3u);
    EXPECT_EQ(shutdown.asked, (std::vector<bool>{true, true}));
    EXPECT_TRUE(bill.screen.commands.loginRequired);
    EXPECT_EQ(view.calls.back(), "closed");
    EXPECT_EQ(shown(), std::vector<std::string>{"오늘 영업회계가 마감되었습니다."});
}

TEST_F(SaleCommands, ShutdownAsksFirstAndNamesWhatIsLeftOpen)
{
    struct Case {
        bool lines, openShift, answer;
        std::string question;
    } cases[] = {
        {false, false, false, kAskShutdown},
        {true, false, true, std::string(kOpenBillIsLost) + kAskShutdown},
        {false, true, true, std::string("김하늘(1001)") + kNotClosedCashierSuffix + kAskShutdown},
    };
    db.query("INSERT INTO cashier (emp_no, emp_name, password) VALUES ('1001', '김하늘', 'x')");
    for (const Case& c : cases) {
        bill.ClearBill();
        if (c.lines) ringUp();
        db.query(c.openShift ? "INSERT INTO cashier_signon (sale_date, upjang_code, pos_no, emp_no) "
                               "VALUES ('20261209', '3101', '01', '1001') ON CONFLICT DO NOTHING"
                             : "DELETE FROM cashier_signon");
        dialogs.clear();
        view.calls.clear();
        program.shutdowns.clear();
        dialogs.answers = {c.answer};
        TShutdownCommand(store, dialogs, *data, settlement, program, tables, kitchenParts.kitchen).Execute(view);
        ASSERT_NE(dialogs.last(), nullptr);
        EXPECT_EQ(dialogs.last()->text, c.question);
        EXPECT_EQ(program.shutdowns, c.answer ? std::vector<bool>{false} : std::vector<bool>{});
        EXPECT_EQ(view.calls, c.answer ? std::vector<std::string>{"closed"} : std::vector<std::string>{});
    }
}

// An outlet that keeps cancelled bills stores the open bill as one, and the
// shut-down question then says nothing of a lost bill.
TEST_F(SaleCommands, AtShutdownAnOpenBillIsKeptAsACancelledBill)
{
    store.SetUpjangData(0, UpjangItem::CancelSaveYN, "Y");
    numbers.Load();
    ringUp();
    dialogs.answers = {true};
    TShutdownCommand(store, dialogs, *data, settlement, program, tables, kitchenParts.kitchen).Execute(view);
    EXPECT_EQ(dialogs.shown.front().text, kAskShutdown);
    EXPECT_EQ(count("SELECT count(*) FROM sale_cancel WHERE bill_no = '0001'"), 1);
    EXPECT_EQ(printer.cancelled, 1);
    EXPECT_EQ(program.shutdowns, std::vector<bool>{false});
}

TEST_F(SaleCommands, CancellingABillKeepsItWhereTheOutletSaysSo)
{
    struct Case {
        bool keeps, answer;
        int stored, linesAfter;
    } cases[] = {{false, true, 0, 0}, {true, false, 0, 1}, {true, true, 1, 0}};
    numbers.Load();
    for (const Case& c : cases) {
        store.SetUpjangData(0, UpjangItem::CancelSaveYN, c.keeps ? "Y" : "N");
        bill.ClearBill();
        ringUp();
        dialogs.answers = {c.answer};
        const int before = count("SELECT count(*) FROM sale_cancel");
        TBillCancelCommand(ctx, store, dialogs, settlement, tables, kitchenParts.kitchen).Execute(view);
        EXPECT_EQ(dialogs.last()->text, kAskCancelBill);
        EXPECT_EQ(count("SELECT count(*) FROM sale_cancel") - before, c.stored) << c.keeps << c.answer;
        EXPECT_EQ(bill.Lines().GetCount(), c.linesAfter) << c.keeps << c.answer;
    }
    // The cancelled bill used up its number.
    EXPECT_EQ(numbers.NextOf("20261209"), 2);
}

TEST_F(SaleCommands, DownloadRebuildsTheMenuButtons)
{
    TDownloadCommand(program).Execute(view);
    EXPECT_EQ(program.downloads, (std::vector<std::vector<bool>>{{false, true, false}}));
    EXPECT_EQ(view.calls, std::vector<std::string>{"menus"});
}

TEST_F(SaleCommands, ReturnModeOnlyOnAnEmptyBill)
{
    TReturnCommand toggle(ctx, dialogs);
    toggle.Execute(view);
    EXPECT_EQ(ctx.giSaleGubun, 2);
    EXPECT_EQ(ctx.giSign, -1);
    toggle.Execute(view);
    EXPECT_EQ(ctx.giSaleGubun, 0);
    EXPECT_EQ(ctx.giSign, 1);
    ringUp();
    toggle.Execute(view);
    EXPECT_EQ(ctx.giSaleGubun, 0);
    EXPECT_EQ(shown(), std::vector<std::string>{kNoReturnWhileSelling});
}

}  // namespace
}  // namespace pos::test
