// The payment screen through its real widgets, offscreen: on a sale screen
// showing a bill of 300 lines, the pay button's work until the payment
// screen is shown and painted over it (the bill's total read, the tenders
// and vouchers taken from the master data, the model, the screen with its
// panels and lists, the first paint). Target: well under 100 ms.

#include "devices/TicketProgress.h"
#include "BenchRestaurant.h"
#include "RecordingSaleServices.h"

#include "controls/ZoPosButton.h"
#include "core/ScriptedDialogService.h"
#include "core/TerminalContext.h"
#include "db/Catalogue.h"
#include "db/DataModule.h"
#include "lookups/Lookups.h"
#include "payment/PayModel.h"
#include "payment/ui/PayScreen.h"
#include "payment/ui/TfrmPay.h"
#include "sales/ui/TfrmSale.h"
#include "store/MasterStore.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

using namespace pos;

QApplication& app()
{
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* instance = new QApplication(argc, argv);
    return *instance;
}

void paint()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

struct NeverRecorded : TPayRecorder {
    TPaySaveResult SavePayData(const TPayLines&) override { return {}; }
};
struct NoApprovals : TCardApprovals {
    TCardAnswer ApproveCard(const TCardRequest&) override { return {}; }
    TCardAnswer CancelCard(const TCardRequest&) override { return {}; }
    TCashAnswer ApproveCash(const TCashRequest&) override { return {}; }
    TCashAnswer CancelCash(const TCashRequest&) override { return {}; }
};
struct NoScreens : TPayLaunchers {
    bool GetRoomList(std::string&) override { return false; }
    bool GetGolfList(std::string&, std::string&, bool) override { return false; }
    bool GetEventList(TEventChoice&) override { return false; }
    bool GetRemarks(const std::string&, std::string&, int, bool) override { return false; }
};

// A restaurant selling directly from the buttons with the eight tenders and
// a dozen gift vouchers, and its sale screen showing a bill of 300 lines.
struct Terminal {
    TTerminalContext context;
    ScriptedDialogService dialogs;
    TNoMasterServer storeServer;
    TMasterStore store{context, dialogs, storeServer};
    TSqlCatalogue catalogue;
    TSellsOffLinePolicy offLinePolicy;
    TfrmData data{context, catalogue, dialogs, offLinePolicy};
    TLookups lookups{data, store};
    NeverRecorded recorder;
    NoApprovals approvals;
    NoScreens launchers;
    test::RecordingSaleServices services{context};
    TSaleCommandSet commands;
    TScreenEnv env;
    TTicketPrintingModel ticketPrinting;
    std::unique_ptr<TSaleScreenDeps> deps;
    std::unique_ptr<TfrmSale> sale;

    Terminal()
    {
        app();
        context.gsSaleDate = context.gsToday = "20261209";
        context.gsMasterUpjangCode = "3101";
        context.gsMasterPosNo = "01";
        bench::AddRestaurant(store, 300);
        const struct {
            const char* name;
            std::int64_t code;
        } tenders[] = {{"현금", 110}, {"신용카드", 120}, {"이지체크", 125}, {"객실후불", 130},
                       {"락카후불", 140}, {"단체후불", 150}, {"상품권", 160}, {"외상", 170}};
        for (const auto& t : tenders) store.AddPayData(t.name, t.code);
        for (int i = 0; i < 12; ++i) {
            TCommonData voucher;
            voucher.Head = context.gsCommonGiftCardCode;
            voucher.Code = std::to_string(i);
            voucher.CodeName = "상품권 " + std::to_string(i + 1);
            voucher.Item1 = "Y";
            voucher.Item2 = "N";
            voucher.Item6 = "10000";
            voucher.Item7 = std::to_string(100 + i);
            store.glCommonData.push_back(voucher);
        }
        env.context = &context;
        context.gbOffLine = true;
        deps = std::make_unique<TSaleScreenDeps>(env, context, dialogs, store, data, services, commands, ticketPrinting);
        sale = std::make_unique<TfrmSale>(*deps);
        sale->show();
        for (int i = 0; i < 300; ++i) {
            if (i > 0 && i % 25 == 0) sale->btnMenuDown->Click();
            sale->btnMenu[static_cast<std::size_t>(i % 25)]->Click();
        }
        paint();
    }
};

void BM_OpenPayScreenOn300Lines(benchmark::State& state)
{
    Terminal t;
    std::unique_ptr<TPayWaitingApprovals> waiting;
    std::unique_ptr<TPayModel> model;
    std::unique_ptr<TfrmPay> pay;
    for (auto _ : state) {
        waiting = std::make_unique<TPayWaitingApprovals>(t.approvals);
        model = std::make_unique<TPayModel>(t.context, t.store, t.dialogs, t.lookups, t.recorder, *waiting, t.launchers);
        model->SetSumAmt(t.sale->Bill().Totals().due);
        pay = std::make_unique<TfrmPay>(t.env, *model, t.sale.get());
        waiting->Attach(pay.get());
        pay->show();
        paint();

        state.PauseTiming();
        pay->hide();
        pay.reset();
        model.reset();
        waiting.reset();
        paint();
        state.ResumeTiming();
    }
    state.counters["lines"] = t.sale->Bill().Lines().GetCount();
}
BENCHMARK(BM_OpenPayScreenOn300Lines)->Unit(benchmark::kMillisecond);

}  // namespace
