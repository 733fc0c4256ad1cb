// The table order screen driven through its widgets, offscreen, over the
// model with in-memory tables: a touch on a tile chooses its table, a
// disabled tile takes no touch, the table number field and Escape, and the
// off-line switch closing the screen without a table.

#include "QtApp.h"
#include "TableFakes.h"
#include "core/ScriptedDialogService.h"
#include "core/TerminalContext.h"
#include "tables/OrderTableModel.h"
#include "tables/ui/TfrmOrder.h"

#include "controls/ZoPosButton.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

namespace pos::test {
namespace {

class OrderScreenTest : public ::testing::Test {
protected:
    OrderScreenTest()
    {
        ctx.gsMasterPosNo = "01";
        ctx.giOrderReadInterval = 0;
        tables.bill(2);
        tables.held(4, "02", true);
        env.context = &ctx;
    }
    // Runs the screen modally; aThen acts on it once it has opened. The
    // dialog's result.
    int run(const std::function<void(TfrmOrder&)>& aThen)
    {
        TfrmOrder screen(env, model);
        QTimer::singleShot(50, &screen, [&] {
            aThen(screen);
            if (screen.isVisible()) QTimer::singleShot(50, &screen, [&] { screen.done(QDialog::Rejected); });
        });
        return screen.exec();
    }

    AppFirst app;
    TTerminalContext ctx;
    FakeOrderTables tables;
    FakeOrderBills bills;
    ScriptedDialogService dialogs;
    FakeLaunchers launchers;
    TScreenEnv env;
    TOrderTableModel model{ctx, {}, tables, bills, dialogs, launchers, launchers, launchers, launchers};
};

TEST_F(OrderScreenTest, TouchingATileChoosesItsTable)
{
    const int result = run([](TfrmOrder& s) { QTest::mouseClick(s.tiles[1].panel, Qt::LeftButton); });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(model.TableChosen());
    EXPECT_EQ(ctx.giTableNo, 2);
}

TEST_F(OrderScreenTest, ATableAnotherTerminalHoldsTakesNoTouch)
{
    const int result = run([](TfrmOrder& s) {
        EXPECT_FALSE(s.tiles[3].panel->isEnabled());
        EXPECT_EQ(s.tiles[3].list->text(), QStringLiteral("[02]"));
        QTest::mouseClick(s.tiles[3].panel, Qt::LeftButton);
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_FALSE(model.TableChosen());
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(OrderScreenTest, TheTableNumberFieldAndEscape)
{
    run([&](TfrmOrder& s) {
        QTest::mouseClick(s.btnTableMove, Qt::LeftButton);
        EXPECT_EQ(model.OrderMode(), TOrderMode::omMove1st);
        QTest::keyClick(s.edtTableNo, Qt::Key_Escape);
        EXPECT_EQ(model.OrderMode(), TOrderMode::omNormal);
        QTest::keyClicks(s.edtTableNo, "1501");
        QTest::keyClick(s.edtTableNo, Qt::Key_Return);
        EXPECT_EQ(s.lblFooterMessage->text(), QStringLiteral("1500번 이하의 테이블 번호를 입력하십시오."));
        EXPECT_TRUE(s.edtTableNo->text().isEmpty());
        EXPECT_FALSE(s.btnTableSplit->isEnabled());
        EXPECT_FALSE(s.btnTableRestore->isEnabled());
    });
    EXPECT_FALSE(model.Finished());
}

TEST_F(OrderScreenTest, GoingOffLineClosesTheScreenWithoutATable)
{
    ctx.giTableNo = 7;
    const int result = run([](TfrmOrder& s) { s.CloseWhenOffLine(); });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_FALSE(model.TableChosen());
    EXPECT_EQ(ctx.giTableNo, 0);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, kMsgOffLineTables);
}

}  // namespace
}  // namespace pos::test
