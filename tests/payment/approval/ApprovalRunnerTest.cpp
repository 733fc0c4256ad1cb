// A request run off the GUI thread: the screen's thread keeps its event loop
// while the driver takes its time, and the answer comes back on that thread,
// journalled already.
#include "ApprovalTestSupport.h"
#include "CardServerSim.h"
#include "payment/approval/ApprovalRunner.h"
#include "payment/approval/ApprovalChannels.h"
#include "payment/approval/QtCompletionPoster.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include <thread>

namespace pos {
namespace {

using namespace std::chrono_literals;

QCoreApplication& app()
{
    static int argc = 1;
    static char name[] = "approval_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* instance = QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)instance;
    return *QCoreApplication::instance();
}

// Runs the event loop until aDone() (false after the guard: a hang, not a timing).
bool spinUntil(const std::function<bool()>& aDone, int aGuardMs = 20000)
{
    QElapsedTimer timer;
    timer.start();
    while (!aDone() && timer.elapsed() < aGuardMs) app().processEvents(QEventLoop::AllEvents, 20);
    return aDone();
}

TEST(ApprovalRunnerTest, SlowApprovalRunsOffTheGuiThreadAndAnswersOnIt)
{
    app();
    test::TempDir dir;
    test::DriverScript script(dir);
    script.Set({"card delay 300 approve"});
    TDriverLoad driver = LoadApprovalDriver(POS_APPROVAL_DRIVER_SIM);
    ASSERT_TRUE(driver.Loaded);
    TTcpCardServerLink link;
    test::ManualClock clock;
    TZoCard cardClient(link, clock);
    TApprovalJournal journal(dir / "Approvals");
    ASSERT_TRUE(journal.Open());
    TApprovalChannels approvals(*driver.Driver, cardClient, journal);

    TQtCompletionPoster poster;
    TApprovalRunner runner(poster);
    TCardApprovalRequest request;
    request.Today = request.SaleDate = "20240105";
    request.UpjangCode = "3101";
    request.PosNo = "01";
    request.BillNo = 12;
    request.CardData = "4111111111111111=2512";
    request.KeyIn = true;
    request.Amount = 15000;

    const std::thread::id gui = std::this_thread::get_id();
    std::thread::id workedOn, answeredOn;
    std::optional<TCardApprovalResult> answer;
    std::size_t journalledWhenAnswered = 0;
    int ticks = 0;
    QTimer clockTick;  // stands for the screen's one-second clock, here much faster
    QObject::connect(&clockTick, &QTimer::timeout, [&] { ++ticks; });
    clockTick.start(10);

    ASSERT_TRUE(runner.Run(
        [&] {
            workedOn = std::this_thread::get_id();
            return approvals.ApproveCard(request);
        },
        [&](TCardApprovalResult aResult) {
            answeredOn = std::this_thread::get_id();
            journalledWhenAnswered = journal.Entries().size();
            answer = std::move(aResult);
        }));
    EXPECT_TRUE(runner.Busy());
    EXPECT_FALSE(runner.Run([] { return 0; }, [](int) {})) << "a second request while one is outstanding";

    ASSERT_TRUE(spinUntil([&] { return answer.has_value(); }));
    EXPECT_EQ(answer->Outcome, TCardOutcome::Approved);
    EXPECT_NE(workedOn, gui);
    EXPECT_EQ(answeredOn, gui);
    EXPECT_EQ(journalledWhenAnswered, 1u);
    EXPECT_GT(ticks, 0) << "the GUI thread's timers ran while the driver worked";
    EXPECT_FALSE(runner.Busy());

    // The next request may start from the completion itself (the cancel-all run).
    bool chained = false;
    ASSERT_TRUE(runner.Run([] { return 1; }, [&](int) {
        chained = runner.Run([] { return 2; }, [](int) {});
    }));
    ASSERT_TRUE(spinUntil([&] { return chained && !runner.Busy(); }));
}

}  // namespace
}  // namespace pos
