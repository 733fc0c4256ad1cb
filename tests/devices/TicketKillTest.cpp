// Pending tickets survive a killed terminal: the harness prints ten tickets
// to a virtual TSP800 over a pseudo-terminal (the printer runs here, on a
// thread of its own, so it goes on answering while this test waits) and is
// killed with SIGKILL at random moments, then started again from its
// journal, until a run finishes. Every ticket is on paper exactly once, or
// the run after the kill named it as the one that was sending (the cashier
// then decides): none is lost or printed twice without a word.

#include "QtTestApp.h"
#include "VirtualDevices.h"

#include "../sales/recording/KillSpawn.h"

#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <map>
#include <set>

namespace pos {
namespace {

namespace fs = std::filesystem;

std::set<std::string> namedSending(const fs::path& aDir)
{
    std::set<std::string> named;
    for (const auto& entry : fs::directory_iterator(aDir)) {
        if (entry.path().extension() != ".out") continue;
        std::ifstream in(entry.path());
        std::string word, bill;
        while (in >> word)
            if (word == "SENDING" && in >> bill) named.insert(bill);
    }
    return named;
}

class TicketKillTest : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(TicketKillTest, EveryTicketIsPrintedOnceOrNamed)
{
    const char* base = std::getenv("POS_TEST_TMP");
    const fs::path dir = fs::path(base ? base : fs::temp_directory_path().string()) /
                         ("ticket-kill-" + std::to_string(GetParam()));
    fs::remove_all(dir);
    fs::create_directories(dir / "terminal");

    // The printer is made on its thread, so its pseudo-terminal is watched there.
    QThread printerThread;
    QObject onThread;
    onThread.moveToThread(&printerThread);
    printerThread.start();
    virt::TVirtualPagePrinter* printer = nullptr;
    std::atomic<int> pagesSeen{0};
    QMetaObject::invokeMethod(
        &onThread,
        [&] {
            printer = new virt::TVirtualPagePrinter("printer1");
            if (!printer->open()) return;
            QObject::connect(printer, &virt::TVirtualDevice::documentPrinted, printer, [&] { ++pagesSeen; },
                             Qt::DirectConnection);
        },
        Qt::BlockingQueuedConnection);
    ASSERT_FALSE(printer->path().isEmpty());
    const std::string path = printer->path().toStdString();

    int pagesAtStart = 0;
    const test::HarnessOutput output = test::RunKilled(
        [&](const fs::path& aOut) {
            pagesAtStart = pagesSeen;
            return test::SpawnHarness(POS_TICKET_KILL_HARNESS, {(dir / "terminal").string(), path}, aOut);
        },
        dir, 8, GetParam(), {20, 900},
        // Every other run is killed within a moment of its first page.
        [&] { return pagesSeen > pagesAtStart; }, {0, 120});

    // What the printer decoded, read on its own thread; then it goes.
    std::map<std::string, int> onPaper;
    QMetaObject::invokeMethod(
        printer,
        [&] {
            for (const auto& page : printer->pages()) ++onPaper[page.fields.at(0).text];
            delete printer;
        },
        Qt::BlockingQueuedConnection);
    printerThread.quit();
    printerThread.wait();
    ASSERT_TRUE(output.done) << "the last run did not finish";

    const std::set<std::string> named = namedSending(dir);
    std::set<std::string> bills;
    for (int i = 1; i <= 10; ++i) bills.insert("B" + std::to_string(100 + i));
    for (const auto& [bill, count] : onPaper) EXPECT_EQ(bills.count(bill), 1u) << "a page nobody queued: " << bill;
    for (const std::string& bill : bills) {
        if (named.count(bill)) EXPECT_LE(onPaper[bill], 1) << bill << " was named sending and printed again";
        else EXPECT_EQ(onPaper[bill], 1) << bill << " was neither printed once nor named";
    }
    EXPECT_LE(named.size(), 8u);  // at most one per kill
}

INSTANTIATE_TEST_SUITE_P(Seeds, TicketKillTest, ::testing::Values(20261211u, 7u, 1234567u));

}  // namespace
}  // namespace pos
