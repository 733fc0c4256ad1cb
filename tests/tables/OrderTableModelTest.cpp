// The table order screen's rules without a window or a server: which tiles
// and commands each mode lets the cashier touch, paging to its ends, the
// refresh timer, typing and touching tables, moving and joining, and the
// screen's other commands.

#include "TableFakes.h"
#include "core/ScriptedDialogService.h"
#include "core/TerminalContext.h"
#include "tables/OrderTableModel.h"

#include <gtest/gtest.h>

namespace pos::test {
namespace {

using enum TOrderMode;

class OrderTableModelTest : public ::testing::Test {
protected:
    OrderTableModelTest()
    {
        ctx.gsMasterPosNo = "01";
        ctx.giOrderReadInterval = 5;
    }
    TOrderTableModel& open()
    {
        model = std::make_unique<TOrderTableModel>(ctx, outlet, tables, bills, dialogs, launchers, launchers,
                                                   launchers, launchers);
        model->Open();
        return *model;
    }
    const TOrderTile& tile(int aTableNo) const { return model->Tiles().at((aTableNo - 1) % 25); }
    std::vector<std::string> messages() const
    {
        std::vector<std::string> texts;
        for (const auto& box : dialogs.shown) texts.push_back(box.text);
        return texts;
    }

    TTerminalContext ctx;
    TOrderOutlet outlet;
    FakeOrderTables tables;
    FakeOrderBills bills;
    ScriptedDialogService dialogs;
    FakeLaunchers launchers;
    std::unique_ptr<TOrderTableModel> model;
};

// Tile kinds of the first page: 1 empty, 2 a sale bill (the source of a
// join or move), 3 another sale bill, 4 a return bill, 5 held by another
// terminal with a bill, 6 held by another terminal without one, 7 held by
// this terminal.
TEST_F(OrderTableModelTest, EachModeEnablesItsTiles)
{
    tables.bill(2);
    tables.bill(3);
    tables.bill(4, "-8000", "2");
    tables.held(5, "02", true);
    tables.held(6, "02", false);
    tables.held(7, "01", true);
    open();
    struct Case {
        TOrderMode mode;
        std::array<bool, 7> enabled;  // tables 1..7
    } const cases[] = {
        {omNormal, {true, true, true, true, false, false, true}},
        {omMove1st, {false, true, true, true, false, false, true}},
        {omJoin1st, {false, true, true, true, false, false, true}},
        {omSplit1st, {false, true, true, true, false, false, true}},
        {omMove2nd, {true, false, false, false, false, false, false}},
        {omSplit2nd, {true, false, false, false, false, false, false}},
        {omRestore, {true, false, false, false, false, false, false}},
        // the source 2 itself, and the return bill 4, cannot be joined to
        {omJoin2nd, {false, false, true, false, false, false, true}},
    };
    for (const Case& c : cases) {
        model->SetOrderMode(omNormal);
        if (c.mode == omJoin2nd) {
            model->SetOrderMode(omJoin1st);
            model->TouchTable(2);
        } else {
            model->SetOrderMode(c.mode);
        }
        ASSERT_EQ(model->OrderMode(), c.mode);
        for (int t = 1; t <= 7; ++t)
            EXPECT_EQ(tile(t).enabled, c.enabled[t - 1]) << "mode " << static_cast<int>(c.mode) << " table " << t;
    }
}

TEST_F(OrderTableModelTest, TilesShowAmountsAndWhoHoldsThem)
{
    tables.bill(2, "25000");
    tables.bill(4, "-8000", "2");
    tables.held(6, "02", false);
    open();
    EXPECT_EQ(tile(2).amount, "25,000원");
    EXPECT_FALSE(tile(2).negative);
    EXPECT_EQ(tile(4).amount, "-8,000원");
    EXPECT_TRUE(tile(4).negative);
    EXPECT_TRUE(tile(6).ordering);
    EXPECT_EQ(tile(6).amount, "");
    EXPECT_FALSE(tile(6).occupied());
    EXPECT_EQ(tile(1).tableNo, 1);
    EXPECT_EQ(model->Tiles().back().tableNo, 25);
}

TEST_F(OrderTableModelTest, CommandsFollowTheMode)
{
    outlet.orderRestore = true;
    open();
    const auto commands = [&] {
        const TOrderCommands& c = model->Commands();
        return std::array<bool, 4>{c.move, c.join, c.split, c.restore};
    };
    // Split and restore stay disabled: their screens are not built.
    EXPECT_EQ(commands(), (std::array<bool, 4>{true, true, false, false}));
    model->ModeCommand(TOrderCommand::Move);
    EXPECT_EQ(model->OrderMode(), omMove1st);
    EXPECT_EQ(commands(), (std::array<bool, 4>{true, false, false, false}));
    model->ModeCommand(TOrderCommand::Join);  // not this mode's: nothing
    EXPECT_EQ(model->OrderMode(), omMove1st);
    model->ModeCommand(TOrderCommand::Move);  // pressed again: back
    EXPECT_EQ(model->OrderMode(), omNormal);
    model->ModeCommand(TOrderCommand::Join);
    EXPECT_EQ(commands(), (std::array<bool, 4>{false, true, false, false}));
    model->Escape();
    EXPECT_EQ(model->OrderMode(), omNormal);
}

TEST_F(OrderTableModelTest, PromptsNameTheSourceAndReturningReleasesTheLocks)
{
    tables.bill(3);
    open();
    EXPECT_EQ(model->Prompt().text, "주문할 테이블을 선택하십시오.");
    EXPECT_FALSE(model->Prompt().alert);
    model->ModeCommand(TOrderCommand::Move);
    EXPECT_EQ(model->Prompt().text, "이동하고 싶은 테이블을 선택하십시오.");
    EXPECT_TRUE(model->Prompt().alert);
    model->TouchTable(3);
    EXPECT_EQ(model->Prompt().text, "3번 테이블을 이동할 대상 테이블을 선택하십시오.");
    EXPECT_EQ(tables.locks.at(3), "01");
    tables.calls.clear();
    model->Escape();
    EXPECT_EQ(tables.calls, std::vector<std::string>{"unlock"});
    EXPECT_TRUE(tables.locks.empty());
    model->ModeCommand(TOrderCommand::Join);
    model->TouchTable(3);
    EXPECT_EQ(model->Prompt().text, "3번 테이블을 합석할 대상 테이블을 선택하십시오.");
}

TEST_F(OrderTableModelTest, PagingStopsAtBothEnds)
{
    open();
    EXPECT_FALSE(model->Commands().forward);
    EXPECT_FALSE(model->Commands().pageUp);
    for (int i = 0; i < 4; ++i) model->Backward();
    model->PageDown();
    EXPECT_EQ(model->OrderPage(), 8);
    EXPECT_EQ(tables.reads.back(), 201);
    EXPECT_EQ(tile(201).tableNo, 201);
    model->PageUp();
    model->PageUp();
    model->PageUp();
    EXPECT_EQ(model->OrderPage(), 0);
    for (int i = 0; i < 57; ++i) model->Backward();
    model->PageDown();
    EXPECT_EQ(model->OrderPage(), 59);
    EXPECT_EQ(tables.reads.back(), 1476);
    EXPECT_EQ(model->Tiles().back().tableNo, 1500);
    EXPECT_FALSE(model->Commands().backward);
    EXPECT_FALSE(model->Commands().pageDown);
    EXPECT_TRUE(model->Commands().forward);
    model->Forward();
    EXPECT_EQ(model->OrderPage(), 58);
}

TEST_F(OrderTableModelTest, TheTimerRefreshesEveryIntervalOnDemandAndAfterHandHeldOrders)
{
    open();
    ASSERT_EQ(tables.reads.size(), 1u);  // the first tick after opening
    const auto ticksToNextRead = [&] {
        const std::size_t before = tables.reads.size();
        int ticks = 0;
        while (tables.reads.size() == before && ticks < 1000) {
            model->Tick();
            ++ticks;
        }
        return ticks;
    };
    EXPECT_EQ(ticksToNextRead(), 51);  // 5 s: the tag reaches 50, the next tick reads
    ctx.gbPDAOrderPrinted = true;
    EXPECT_EQ(ticksToNextRead(), 1);
    EXPECT_FALSE(ctx.gbPDAOrderPrinted);
    model->RefreshNow();
    EXPECT_EQ(ticksToNextRead(), 1);

    ctx.giOrderReadInterval = 0;
    EXPECT_EQ(ticksToNextRead(), 1000);  // never by itself
    EXPECT_EQ(model->TimerTag(), 0);
    model->RefreshNow();
    EXPECT_EQ(ticksToNextRead(), 1);
}

TEST_F(OrderTableModelTest, TypingATableNumber)
{
    open();
    for (const char* wrong : {"1501", "0", "", "12a"}) {
        model->EnterTableNo(wrong);
        EXPECT_EQ(model->Prompt().text, "1500번 이하의 테이블 번호를 입력하십시오.") << wrong;
        EXPECT_TRUE(model->Prompt().alert);
        EXPECT_EQ(model->Prompt().dispTime, 10);
        EXPECT_FALSE(model->Finished());
    }
    model->EnterTableNo("30");  // on another page
    EXPECT_TRUE(model->Finished());
    EXPECT_TRUE(model->TableChosen());
    EXPECT_EQ(ctx.giTableNo, 30);
    EXPECT_EQ(tables.locks.at(30), "01");
}

TEST_F(OrderTableModelTest, ATableAnotherTerminalHoldsIsRefused)
{
    tables.held(5, "02", true);
    open();
    model->EnterTableNo("5");
    EXPECT_EQ(messages(), std::vector<std::string>{"5번 테이블은 다른 POS에서 주문 중입니다."});
    EXPECT_TRUE(dialogs.shown.back().beep);
    EXPECT_FALSE(model->Finished());
    EXPECT_EQ(model->TimerTag(), -1);
    // Taken by another terminal between the check and the lock.
    tables.lockResult = TLockResult::HeldElsewhere;
    model->TouchTable(9);
    EXPECT_EQ(messages().back(), "9번 테이블은 다른 POS에서 주문 중입니다.");
    EXPECT_FALSE(model->Finished());
    // The lock could not be written: the screen stays.
    tables.lockResult = TLockResult::Failed;
    model->TouchTable(10);
    EXPECT_FALSE(model->Finished());
    EXPECT_EQ(ctx.giTableNo, 0);
}

TEST_F(OrderTableModelTest, AMoveKeepsBothTablesHeldUntilItIsDoneThenPrintsTheTarget)
{
    tables.bill(3);
    open();
    model->ModeCommand(TOrderCommand::Move);
    tables.calls.clear();
    model->TouchTable(3);
    model->TouchTable(8);
    EXPECT_EQ(tables.calls,
              (std::vector<std::string>{"check 3", "lock 3", "check 8", "lock 8", "move 3>8", "unlock"}));
    EXPECT_EQ(bills.printed, std::vector<int>{8});
    EXPECT_EQ(model->OrderMode(), omNormal);
    EXPECT_TRUE(model->TakeBringToFront());
    EXPECT_EQ(model->TimerTag(), -1);
    EXPECT_FALSE(model->Finished());
}

TEST_F(OrderTableModelTest, AFailedMoveOrJoinSaysSoAndPrintsNothing)
{
    tables.bill(3);
    tables.bill(4);
    tables.operationsSucceed = false;
    open();
    model->ModeCommand(TOrderCommand::Move);
    model->TouchTable(3);
    model->TouchTable(8);
    model->ModeCommand(TOrderCommand::Join);
    model->TouchTable(3);
    model->TouchTable(4);
    EXPECT_EQ(messages(), (std::vector<std::string>{kMsgMoveFailed, kMsgJoinFailed}));
    EXPECT_TRUE(bills.printed.empty());
    EXPECT_EQ(model->OrderMode(), omNormal);
}

TEST_F(OrderTableModelTest, AJoinPrintsTheTarget)
{
    tables.bill(3);
    tables.bill(4);
    open();
    model->ModeCommand(TOrderCommand::Join);
    model->TouchTable(3);
    model->TouchTable(4);
    EXPECT_EQ(tables.calls.at(tables.calls.size() - 2), "join 3>4");
    EXPECT_EQ(bills.printed, std::vector<int>{4});
}

TEST_F(OrderTableModelTest, OffLineTheScreenLeavesWithoutATable)
{
    open();
    ctx.giTableNo = 12;
    tables.reachable = false;
    model->TouchTable(3);
    EXPECT_EQ(messages(), std::vector<std::string>{"Off Line 상태에서는 테이블별 주문을 할 수 없습니다."});
    EXPECT_TRUE(model->Finished());
    EXPECT_FALSE(model->TableChosen());
    EXPECT_EQ(ctx.giTableNo, 0);
    model->CloseWhenOffLine();  // told again by the off-line switch: once is enough
    EXPECT_EQ(messages().size(), 1u);
}

TEST_F(OrderTableModelTest, SummaryFigures)
{
    tables.summary = TOrderSummary{2, Currency(35000), 1234, Currency(1234567), 1236, Currency(1269567), Currency(1027)};
    open();
    EXPECT_EQ(model->SummaryTexts(),
              (std::array<std::string, 7>{"2건", "35,000원", "1,234건", "1,234,567원", "1,236건", "1,269,567원", "1,027원"}));
}

TEST_F(OrderTableModelTest, TheOtherCommands)
{
    outlet.closeYN = false;
    outlet.sellsOffLine = true;
    open();
    EXPECT_FALSE(model->Commands().ipgum);
    model->LoginCommand();
    model->FloatCommand();
    model->DepositCommand();
    model->CloseCommand();
    EXPECT_EQ(launchers.calls, (std::vector<std::string>{"login(true)", "close 0 shown", "close 1 shown", "upload",
                                                         "close 2 hidden"}));
}

TEST_F(OrderTableModelTest, ShuttingDownAsksWhileOrdersAreOpen)
{
    tables.summary = TOrderSummary{0, Currency(0), 3, Currency(9000), 3, Currency(9000), Currency(3000)};
    open();
    launchers.shutdownAction = TShutdownAction::KeepRunning;
    model->ShutdownCommand();
    EXPECT_EQ(launchers.calls, std::vector<std::string>{"shutdown(true)"});
    EXPECT_FALSE(model->Finished());

    tables.summary->openCount = 2;
    model->ReadOrderData();
    launchers.calls.clear();
    dialogs.answers = {false};
    model->ShutdownCommand();
    EXPECT_EQ(messages(), std::vector<std::string>{kMsgOpenOrders});
    EXPECT_TRUE(launchers.calls.empty());
    dialogs.answers = {true};
    launchers.shutdownAction = TShutdownAction::EndProgram;
    model->ShutdownCommand();
    EXPECT_EQ(launchers.calls, std::vector<std::string>{"shutdown(false)"});
    EXPECT_TRUE(model->Finished());
    EXPECT_FALSE(model->TableChosen());
    EXPECT_TRUE(model->ProgramEnds());
}

}  // namespace
}  // namespace pos::test
