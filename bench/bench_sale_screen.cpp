// The sale screen through its real widgets, offscreen: a tap on a menu
// button on a bill of 300 lines until the new line and the totals are
// painted, and paging a page of 25 menu buttons. Target: a tap well inside
// one frame (16 ms).

#include "devices/TicketProgress.h"
#include "BenchRestaurant.h"
#include "RecordingSaleServices.h"

#include "controls/ZoPosButton.h"
#include "core/ScriptedDialogService.h"
#include "core/TerminalContext.h"
#include "db/Catalogue.h"
#include "db/DataModule.h"
#include "store/MasterStore.h"
#include "sales/ui/TfrmSale.h"

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

// A terminal selling directly from the buttons, with 340 menus in one group
// (so the menu buttons have 14 pages) and a screen showing.
struct SaleScreen {
    TTerminalContext context;
    ScriptedDialogService dialogs;
    TNoMasterServer storeServer;
    TMasterStore store{context, dialogs, storeServer};
    TSqlCatalogue catalogue;
    TSellsOffLinePolicy offLinePolicy;
    TfrmData data{context, catalogue, dialogs, offLinePolicy};
    test::RecordingSaleServices services{context};
    TSaleCommandSet commands;
    TScreenEnv env;
    TTicketPrintingModel ticketPrinting;
    std::unique_ptr<TSaleScreenDeps> deps;
    std::unique_ptr<TfrmSale> screen;

    SaleScreen()
    {
        app();
        context.gsSaleDate = "20261209";
        context.gsMasterUpjangCode = "3101";
        context.gsMasterPosNo = "01";
        bench::AddRestaurant(store, 340);
        env.context = &context;
        context.gbOffLine = true;
        deps = std::make_unique<TSaleScreenDeps>(env, context, dialogs, store, data, services, commands, ticketPrinting);
        screen = std::make_unique<TfrmSale>(*deps);
        screen->show();
        paint();
    }

    // Rings up 300 lines, one per menu, paging through the buttons.
    void fillBill()
    {
        for (int i = 0; i < 300; ++i) {
            if (i > 0 && i % 25 == 0) screen->btnMenuDown->Click();
            screen->btnMenu[static_cast<std::size_t>(i % 25)]->Click();
        }
        paint();
    }

    static void paint()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
};

void BM_TapMergeOn300Lines(benchmark::State& state)
{
    SaleScreen s;
    s.fillBill();
    TZoPosButton* button = s.screen->btnMenu[5];  // a menu already on the bill
    for (auto _ : state) {
        button->Click();
        SaleScreen::paint();
    }
    state.counters["lines"] = s.screen->Bill().Lines().GetCount();
}
BENCHMARK(BM_TapMergeOn300Lines)->Unit(benchmark::kMillisecond);

// The same with the whole screen repainted at once: the upper bound of what
// a tap can cost on screen.
void BM_TapMergeFullRepaintOn300Lines(benchmark::State& state)
{
    SaleScreen s;
    s.fillBill();
    TZoPosButton* button = s.screen->btnMenu[5];
    for (auto _ : state) {
        button->Click();
        s.screen->repaint();
    }
}
BENCHMARK(BM_TapMergeFullRepaintOn300Lines)->Unit(benchmark::kMillisecond);

void BM_TapNewLineOn300Lines(benchmark::State& state)
{
    SaleScreen s;
    s.fillBill();
    s.screen->btnMenuDown->Click();  // page 13: menus not yet on the bill
    TZoPosButton* button = s.screen->btnMenu[10];
    for (auto _ : state) {
        button->Click();
        SaleScreen::paint();
        state.PauseTiming();
        s.screen->Bill().DeleteCurrentLine();
        s.screen->Refresh();
        SaleScreen::paint();
        state.ResumeTiming();
    }
    state.counters["lines"] = s.screen->Bill().Lines().GetCount();
}
BENCHMARK(BM_TapNewLineOn300Lines)->Unit(benchmark::kMillisecond);

void BM_MenuPage25Buttons(benchmark::State& state)
{
    SaleScreen s;
    bool down = true;
    for (auto _ : state) {
        (down ? s.screen->btnMenuDown : s.screen->btnMenuUp)->Click();
        SaleScreen::paint();
        down = !down;
    }
}
BENCHMARK(BM_MenuPage25Buttons)->Unit(benchmark::kMillisecond);

}  // namespace
