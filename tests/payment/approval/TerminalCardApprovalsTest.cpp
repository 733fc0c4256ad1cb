// The payment screen's card approvals over the terminal's channels: the
// terminal's values go with every request, the answer comes back in the
// screen's terms, and the GUI thread keeps its event loop while a request
// is out.
#include "ApprovalTestSupport.h"
#include "CardServerSim.h"
#include "core/TerminalContext.h"
#include "payment/approval/ApprovalChannels.h"
#include "payment/approval/QtCompletionPoster.h"
#include "payment/approval/TerminalCardApprovals.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

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

TCardRequest keyedIn(std::int64_t aAmount)
{
    TCardRequest r;
    r.CardNo = "4111111111111111";
    r.ValidThru = "2512";
    r.CardData = "4111111111111111=2512";
    r.KeyIn = true;
    r.Amount = Currency(aAmount);
    r.HalbuMonth = 3;
    return r;
}

class TerminalCardApprovalsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(driverLoad.Loaded) << driverLoad.Message;
        ASSERT_TRUE(server.Listen());
        ASSERT_TRUE(journal.Open());
        cardClient.SetHost("127.0.0.1");
        cardClient.SetPort(server.Port());
        ctx.gsToday = "20261210";
        ctx.gsSaleDate = "20261209";
        ctx.gsMasterUpjangCode = "3101";
        ctx.gsMasterPosNo = "02";
        ctx.giBillNo = 17;
    }

    QCoreApplication& application = app();  // before the poster, which lives on its thread
    test::TempDir dir;
    test::DriverScript script{dir};
    TDriverLoad driverLoad = LoadApprovalDriver(POS_APPROVAL_DRIVER_SIM);
    sim::TCardServerSim server;
    TTcpCardServerLink link{TCardServerTimeouts{2000ms, 2000ms, 1500ms, 100ms}};
    test::ManualClock clock;
    TZoCard cardClient{link, clock};
    TApprovalJournal journal{dir / "Approvals"};
    TApprovalChannels channels{*driverLoad.Driver, cardClient, journal};
    TQtCompletionPoster poster;
    TApprovalRunner runner{poster};
    TTerminalContext ctx;
    TTerminalCardApprovals approvals{ctx, channels, runner, [] { return std::string("7001234567"); }};
};

TEST_F(TerminalCardApprovalsTest, ARequestCarriesTheTerminalsValues)
{
    ctx.gbTestMode = true;
    ctx.gbSignPadType = true;
    ctx.giSignPadPort = 5;
    TCardRequest refund = keyedIn(12000);
    refund.Approval = false;
    refund.OrgAgreeNo = "30001234";
    const TDriverCardRequest card = approvals.DriverRequest(refund);
    EXPECT_FALSE(card.Live);
    EXPECT_FALSE(card.Approve);
    EXPECT_EQ(card.Today, "20261210");
    EXPECT_EQ(card.SaleDate, "20261209");
    EXPECT_EQ(card.UpjangCode, "3101");
    EXPECT_EQ(card.PosNo, "02");
    EXPECT_EQ(card.BillNo, 17);
    EXPECT_EQ(card.CardData, "4111111111111111=2512");
    EXPECT_TRUE(card.KeyIn);
    EXPECT_EQ(card.Amount, 12000);
    EXPECT_EQ(card.HalbuMonth, 3);
    EXPECT_EQ(card.OrgAgreeNo, "30001234");
    EXPECT_EQ(card.TerminalID, "7001234567");
    EXPECT_TRUE(card.SignPadType);
    EXPECT_EQ(card.SignPadPort, 5);

    TCashRequest receipt;
    receipt.Individual = false;
    receipt.Identity = "1234567890";
    receipt.Amount = Currency(8000);
    const TDriverCashRequest cash = approvals.DriverRequest(receipt);
    EXPECT_FALSE(cash.Live);
    EXPECT_TRUE(cash.Approve);
    EXPECT_EQ(cash.SaleDate, "20261209");
    EXPECT_EQ(cash.BillNo, 17);
    EXPECT_FALSE(cash.Individual);
    EXPECT_EQ(cash.Identity, "1234567890");
    EXPECT_EQ(cash.Amount, 8000);
    EXPECT_EQ(cash.TerminalID, "7001234567");
}

TEST_F(TerminalCardApprovalsTest, TheAnswerComesBackWhileTheEventLoopRuns)
{
    ctx.giSignPadPort = 5;
    script.Set({"card delay 300 approve"});
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(20);
    const TCardAnswer answer = approvals.ApproveCard(keyedIn(15000));
    ASSERT_EQ(answer.Outcome, TApprovalOutcome::Approved) << answer.Message;
    EXPECT_GT(ticks, 3);  // the GUI thread was not blocked
    EXPECT_FALSE(answer.Line.AgreeNo.empty());
    EXPECT_FALSE(answer.Line.CompanyName.empty());
    EXPECT_FALSE(answer.DedicatedLine);
    EXPECT_TRUE(answer.Line.SignYN);  // signed on the sign pad
}

TEST_F(TerminalCardApprovalsTest, OverTheDedicatedLineThePaperSlipIsSigned)
{
    ctx.giSignPadPort = 5;
    script.Set({"card fail"});
    const TCardAnswer answer = approvals.ApproveCard(keyedIn(15000));
    ASSERT_EQ(answer.Outcome, TApprovalOutcome::Approved) << answer.Message;
    EXPECT_TRUE(answer.DedicatedLine);
    EXPECT_FALSE(answer.Line.SignYN);
    EXPECT_EQ(server.Charged("4111111111111111"), 15000);
}

TEST_F(TerminalCardApprovalsTest, RefusalsAndUncertainAnswersKeepTheirCodes)
{
    const struct {
        const char* script;
        TApprovalOutcome outcome;
        const char* code;
    } cases[] = {
        {"card refuse 5100 한도가 초과되었습니다.", TApprovalOutcome::Refused, "5100"},
        {"card uncertain", TApprovalOutcome::Uncertain, "READ"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        script.Set({c.script});
        const TCardAnswer answer = approvals.ApproveCard(keyedIn(15000));
        EXPECT_EQ(answer.Outcome, c.outcome);
        EXPECT_EQ(answer.ErrCode, c.code);
        EXPECT_FALSE(answer.Message.empty());
        EXPECT_TRUE(answer.Line.AgreeNo.empty());
    }
    script.Set({"cash approve"});
    TCashRequest receipt;
    receipt.Identity = "01012345678";
    receipt.Amount = Currency(8000);
    const TCashAnswer cash = approvals.ApproveCash(receipt);
    EXPECT_EQ(cash.Outcome, TApprovalOutcome::Approved) << cash.Message;
    EXPECT_FALSE(cash.Line.AgreeNo.empty());
}

}  // namespace
}  // namespace pos
