// The close screen driven through its widgets, offscreen, over a model on a
// terminal with a real PostgreSQL server (scripts/db).

#include "QtApp.h"
#include "ServerTerminal.h"

#include "closing/CloseGuards.h"
#include "closing/CloseModel.h"
#include "closing/ui/TfrmClose.h"
#include "core/ui/ScreenEnv.h"
#include "store/MasterStore.h"
#include "sync/MasterServer.h"

#include <QLabel>
#include <QLineEdit>

#include <memory>

namespace pos::test {
namespace {

struct NoPrinter final : TClosePrinter {
    TPrinters Printers() const override { return {}; }
    void Print(const TPrintPlan&) override {}
};
struct NothingUnsent final : TCloseGuards {
    std::string UnsentWork() override { return {}; }
    std::vector<std::string> OpenApprovals() override { return {}; }
};

class CloseScreenTest : public AppFirst, public ServerTerminal {
protected:
    CloseScreenTest()
    {
        ctx.gsSaleDate = ctx.gsToday = "20261209";
        ctx.gsMasterUpjangCode = "3101";
        ctx.gsMasterPosNo = "01";
        ctx.gsCashier = "1001";
        model.Open(TCloseMode::cmIpgumClose, "");
        screen = std::make_unique<TfrmClose>(TScreenEnv{}, model);
        EXPECT_TRUE(ShowActive(*screen));
    }

    TNoMasterServer noServer;
    TMasterStore store{ctx, dialogs, noServer};
    NoPrinter printer;
    NothingUnsent guards;
    TCloseModel model{*data, dialogs, store, printer, guards};
    std::unique_ptr<TfrmClose> screen;
};

TEST_F(CloseScreenTest, CountsTypedWhereTheCashierTouchedStayThere)
{
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("마감"));
    EXPECT_EQ(QApplication::focusWidget(), screen->edtIpgum[kCount10000]);

    // A touch on the 100,000-won count: what is typed goes there, and Enter
    // moves on to the next count.
    QLineEdit* hundredThousand = screen->edtIpgum[2];
    QTest::mouseClick(hundredThousand, Qt::LeftButton);
    QTest::keyClicks(hundredThousand, QStringLiteral("1"));
    EXPECT_EQ(model.Count(2), 1);
    EXPECT_EQ(QApplication::focusWidget(), hundredThousand);
    QTest::keyClick(hundredThousand, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), screen->edtIpgum[kCount10000]);
    QTest::keyClicks(screen->edtIpgum[kCount10000], QStringLiteral("5"));

    EXPECT_EQ(model.CountedSum(), Currency(150000));
    EXPECT_EQ(screen->lblIpgumPiece[2]->text(), QStringLiteral("100,000"));
    EXPECT_EQ(screen->lblIpgumPiece[kCount10000]->text(), QStringLiteral("50,000"));
    EXPECT_EQ(screen->lblIpgumSum->text(), QStringLiteral("150,000"));
}

}  // namespace
}  // namespace pos::test
