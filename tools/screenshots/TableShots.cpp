// The table order screen of a restaurant terminal (POS 01) with some tables
// taken: one held by POS 02 (its list text fuchsia, the tile disabled), a
// return bill in red, one this terminal holds; in the normal mode and while
// a bill is being moved (only empty tables can be touched).

#include "Shots.h"
#include "TableFakes.h"
#include "core/ScriptedDialogService.h"
#include "core/TerminalContext.h"
#include "tables/OrderTableModel.h"
#include "tables/ui/TfrmOrder.h"

#include <QApplication>
#include <QDir>

namespace {

using namespace pos;

TTerminalContext restaurantTerminal()
{
    TTerminalContext ctx;
    ctx.gsMasterUpjangCode = "5101";
    ctx.gsMasterUpjangName = "한식당 소나무";
    ctx.gsMasterPosNo = "01";
    ctx.gsSaleDate = "20240301";
    ctx.gsCashier = "C01";
    ctx.gsCashierName = "김하늘";
    ctx.giOrderReadInterval = 0;
    return ctx;
}

void someTables(test::FakeOrderTables& aTables)
{
    aTables.rows = {
        {2, "12:05", "25000", "김치찌개 외 2건", "3명", "0", 3, 0, "", false},
        {4, "12:40", "48000", "[02]삼겹살 외 4건", "L12", "0", 4, 0, "L12", true},
        {7, "13:00", "-8000", "김치찌개", "", "2", 0, 0, "", false},
        {8, "13:10", "16000", "[01]된장찌개 외 1건", "2명", "0", 2, 0, "", true},
        {12, "13:25", "9000", "비빔밥", "1명", "0", 1, 0, "", false},
        {19, "", "", "[02]", "", "", 0, 0, "", true},
    };
    aTables.locks = {{4, "02"}, {19, "02"}};
    aTables.summary = TOrderSummary{5, Currency(90000), 14, Currency(512000), 19, Currency(602000), Currency(31684)};
}

void settle(QWidget& aScreen)
{
    aScreen.show();
    aScreen.activateWindow();
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

const shots::TShotRegistrar reg("tables", [](const QDir& aDir) {
    bool ok = true;
    TTerminalContext ctx = restaurantTerminal();
    TScreenEnv env;
    env.context = &ctx;
    test::FakeOrderTables tables;
    someTables(tables);
    test::FakeOrderBills bills;
    ScriptedDialogService dialogs;
    test::FakeLaunchers launchers;
    TOrderTableModel model(ctx, TOrderOutlet{true, true, true}, tables, bills, dialogs, launchers, launchers,
                           launchers, launchers);
    TfrmOrder screen(env, model);
    settle(screen);
    ok &= shots::Save(screen, aDir, "order-table");
    model.ModeCommand(TOrderCommand::Move);
    model.TouchTable(2);
    screen.ShowModel();
    QApplication::processEvents();
    ok &= shots::Save(screen, aDir, "order-table-move");
    return ok;
});

}  // namespace
