// The reprint screen of a hotel restaurant terminal (so "영문빌" shows): as it
// opens, and after a reprint the terminal could not do off line, with its
// message in the footer.

#include "Shots.h"
#include "core/TerminalContext.h"
#include "core/ScriptedDialogService.h"
#include "payment/approval/BillCashReceipts.h"
#include "payment/approval/LeftoverApprovals.h"
#include "sales/reprint/CashReceiptModel.h"
#include "sales/reprint/CashReceiptRows.h"
#include "sales/reprint/ReprintModel.h"
#include "sales/reprint/ui/TfrmCashReceipt.h"
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

// The after-sale cash receipt's collaborators, for pictures only: nothing
// is approved or stored.
struct TNoCashReceipt final : pos::TAfterSaleCashReceipt, pos::TBillCashReceipts, pos::TCashReceiptRows,
                              pos::TStoredApprovals, pos::TApprovalReverser {
    std::int64_t ReceiptableAmount(const pos::TBillKey&) override { return 0; }
    bool Issue(const pos::TBillKey&, std::int64_t) override { return false; }
    pos::TCashApprovalResult ApproveBillCash(const pos::TBillKey&, const pos::TCashRequest&) override { return {}; }
    pos::TCashReceiptStored Store(const pos::TCashReceiptRow&) override { return {}; }
    std::optional<bool> Holds(const pos::TJournalEntry&) override { return std::nullopt; }
    pos::TReversalAnswer Reverse(const pos::TJournalEntry&) override { return {}; }
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
    TNoCashReceipt none;
    {
        TAnswer answer(pos::TReprintStatus::Read);
        pos::TReprintModel model(ctx, answer, none);
        pos::TfrmReprint screen(env, model);
        showActive(screen);
        ok &= shots::Save(screen, aDir, "reprint");
    }
    {
        TAnswer answer(pos::TReprintStatus::OffLine);
        pos::TReprintModel model(ctx, answer, none);
        model.voidBill = true;
        pos::TfrmReprint screen(env, model);
        showActive(screen);
        model.Enter();
        screen.ShowModel();
        QApplication::processEvents();
        ok &= shots::Save(screen, aDir, "reprint-offline");
    }
    pos::ScriptedDialogService dialogs;
    pos::TApprovalJournal journal(std::filesystem::path(aDir.absolutePath().toStdString()) / "cash-receipt-journal");
    const pos::TCashReceiptServices services{none, none, journal, none, none, dialogs};
    const pos::TBillKey bill{"20240105", "2101", "02", 12};
    {
        pos::TCashReceiptModel model(bill, 38000, services);
        pos::TfrmCashReceipt screen(env, model);
        showActive(screen);
        ok &= shots::Save(screen, aDir, "cash-receipt");
    }
    {
        pos::TCashReceiptModel model(bill, 38000, services);
        model.individual = false;
        model.identity = "1208147521";
        pos::TfrmCashReceipt screen(env, model);
        showActive(screen);
        screen.ShowModel();
        screen.ShowExecute(true);
        QApplication::processEvents();
        ok &= shots::Save(screen, aDir, "cash-receipt-executing");
        screen.ShowExecute(false);
    }
    {
        pos::TCashReceiptModel model(bill, 38000, services);
        pos::TfrmCashReceipt screen(env, model);
        showActive(screen);
        model.ReadyToApprove();
        screen.ShowModel();
        QApplication::processEvents();
        ok &= shots::Save(screen, aDir, "cash-receipt-no-identity");
    }
    return ok;
});

}  // namespace
