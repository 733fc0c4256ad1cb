// The reprint screen of a hotel restaurant terminal (so "영문빌" shows): as it
// opens, and after a reprint the terminal could not do off line, with its
// message in the footer.

#include "Shots.h"
#include "core/TerminalContext.h"
#include "sales/reprint/ReprintModel.h"
#include "sales/reprint/ui/TfrmReprint.h"

#include <QApplication>
#include <QDir>

namespace {

// A reprint that always answers the same.
struct TAnswer final : pos::TReprinter {
    explicit TAnswer(pos::TReprintStatus aStatus) : status(aStatus) {}
    pos::TReprintResult Reprint(const pos::TReprintRequest&) override { return {status}; }
    pos::TReprintStatus status;
};

pos::TTerminalContext hotelTerminal()
{
    pos::TTerminalContext ctx;
    ctx.gsMasterUpjangCode = "2101";
    ctx.gsMasterUpjangName = "라비에 뷔페";
    ctx.gsMasterPosNo = "02";
    ctx.gsSaleDate = "20240105";
    ctx.gsCashierName = "김하늘";
    ctx.giBillNo = 13;
    ctx.gbVessa = true;
    return ctx;
}

void showActive(QWidget& aScreen)
{
    aScreen.show();
    aScreen.activateWindow();
    QApplication::processEvents();
}

const shots::TShotRegistrar reg("reprint", [](const QDir& aDir) {
    bool ok = true;
    const pos::TTerminalContext ctx = hotelTerminal();
    pos::TScreenEnv env;
    env.context = &ctx;
    {
        TAnswer answer(pos::TReprintStatus::Read);
        pos::TReprintModel model(ctx, answer);
        pos::TfrmReprint screen(env, model);
        showActive(screen);
        ok &= shots::Save(screen, aDir, "reprint");
    }
    {
        TAnswer answer(pos::TReprintStatus::OffLine);
        pos::TReprintModel model(ctx, answer);
        model.voidBill = true;
        pos::TfrmReprint screen(env, model);
        showActive(screen);
        model.Enter();
        screen.ShowModel();
        QApplication::processEvents();
        ok &= shots::Save(screen, aDir, "reprint-offline");
    }
    return ok;
});

}  // namespace
