// The card client against the card server simulator over loopback TCP.
#include "ApprovalTestSupport.h"
#include "CardServerSim.h"
#include "payment/approval/ZoCard.h"

#include <gtest/gtest.h>

#include <future>

namespace pos {
namespace {

using namespace std::chrono_literals;
using test::ManualClock;

constexpr const char* kCardA = "4111111111111111";
constexpr const char* kCardB = "5555444433332222";

TCardServerRequest keyedIn(const std::string& aCardNo, std::int64_t aAmount = 15000)
{
    TCardServerRequest r;
    r.UpjangCode = "3101";
    r.UpjangSeq = "01";
    r.SaleDate = "20240105";
    r.SeqNo1 = 12;
    r.TerminalID = "1234567890";
    r.SaleAmt = aAmount;
    r.KeyIn = true;
    r.CardTrack2 = aCardNo + "=2512";
    return r;
}

class ZoCardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.Listen());
        card.SetHost("127.0.0.1");
        card.SetPort(server.Port());
    }

    sim::TCardServerSim server;
    TTcpCardServerLink link{TCardServerTimeouts{2000ms, 2000ms, 1500ms, 100ms}};
    ManualClock clock;
    TZoCard card{link, clock};
};

TEST_F(ZoCardTest, KeyedInAndSwipedCardsAreApprovedAndDecodedByTheServer)
{
    const TCardServerAnswer keyed = card.Execute(keyedIn(kCardA));
    EXPECT_EQ(keyed.Outcome, TCardOutcome::Approved);
    EXPECT_EQ(keyed.ErrCode, "0000");
    EXPECT_TRUE(keyed.Sent);
    EXPECT_EQ(card.Response().AgreeAmt(), 15000);
    EXPECT_EQ(card.Response().CompName(), "비씨카드");
    EXPECT_EQ(card.Response().AgreeNo().size(), 8u);

    TCardServerRequest swiped = keyedIn(kCardB, 230000);
    swiped.KeyIn = false;
    swiped.CardTrack2 = std::string(";") + kCardB + "=27011010000000000000?";
    swiped.HalbuMonth = 3;
    EXPECT_EQ(card.Execute(swiped).Outcome, TCardOutcome::Approved);

    const auto received = server.Received();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_TRUE(received[0].WellFormed) << received[0].Problem;
    EXPECT_TRUE(received[0].KeyIn);
    EXPECT_EQ(received[0].CardNo, kCardA);
    EXPECT_EQ(received[0].Expiry, "2512");
    EXPECT_EQ(received[0].Amount, 15000);
    EXPECT_EQ(received[0].BillNo, 12);
    EXPECT_EQ(received[0].SeqNo, 1);
    EXPECT_EQ(received[0].TerminalID, "1234567890");
    EXPECT_EQ(received[0].SaleDate, "240105");
    EXPECT_TRUE(received[1].WellFormed) << received[1].Problem;
    EXPECT_FALSE(received[1].KeyIn);
    EXPECT_EQ(received[1].Track, std::string(kCardB) + "=27011010000000000000");
    EXPECT_EQ(received[1].Expiry, "2701");
    EXPECT_EQ(received[1].HalbuMonth, 3);
    EXPECT_EQ(server.Charged(kCardA), 15000);
    EXPECT_EQ(server.Charged(kCardB), 230000);
}

TEST_F(ZoCardTest, RefusalCarriesTheServersCodeAndMessage)
{
    server.Queue(*sim::ParseReply("refuse 5100 한도가 초과되었습니다."));
    const TCardServerAnswer answer = card.Execute(keyedIn(kCardA));
    EXPECT_EQ(answer.Outcome, TCardOutcome::Refused);
    EXPECT_EQ(answer.ErrCode, "5100");
    EXPECT_EQ(answer.Note, "한도가 초과되었습니다.");
    EXPECT_EQ(server.Charged(kCardA), 0);
}

TEST_F(ZoCardTest, CardNumberQuotedByTheServerIsMasked)
{
    server.Queue(*sim::ParseReply("refuse 7100 카드 4111-1111-1111-1111 거래정지"));
    EXPECT_EQ(card.Execute(keyedIn(kCardA)).Note, "카드 4111-11**-****-1111 거래정지");
}

TEST_F(ZoCardTest, AnswerSplitOverSeveralWritesIsOneAnswer)
{
    server.Queue(*sim::ParseReply("split 7"));
    EXPECT_EQ(card.Execute(keyedIn(kCardA)).Outcome, TCardOutcome::Approved);
    EXPECT_EQ(card.Response().AgreeAmt(), 15000);
}

TEST_F(ZoCardTest, NoServerIsAConnectionFailureAndNothingWasSent)
{
    card.SetPort(test::UnusedPort());
    const TCardServerAnswer answer = card.Execute(keyedIn(kCardA));
    EXPECT_EQ(answer.Outcome, TCardOutcome::Refused);
    EXPECT_EQ(answer.ErrCode, "CONN");
    EXPECT_FALSE(answer.Sent);
    EXPECT_EQ(answer.Note, "신용카드 서버(127.0.0.1:" + std::to_string(card.Port()) + ")와 연결할 수 없습니다.");
    EXPECT_EQ(card.Response().ErrCode(), "CONN");
}

TEST_F(ZoCardTest, AmountsTheLineCannotCarryAreNotSent)
{
    for (std::int64_t amount : {std::int64_t{0}, std::int64_t{-5000}, std::int64_t{100'000'000}}) {
        const TCardServerAnswer answer = card.Execute(keyedIn(kCardA, amount));
        EXPECT_EQ(answer.ErrCode, "AMNT") << amount;
        EXPECT_FALSE(answer.Sent) << amount;
    }
    EXPECT_EQ(server.Requests(), 0);
}

// A request that went out and came back broken may have been approved: the
// card company did approve it here, so calling it a refusal would let the
// cashier charge the card a second time.
struct BrokenAnswer {
    const char* reply;
    const char* code;
};

void PrintTo(const BrokenAnswer& aCase, std::ostream* aOut) { *aOut << aCase.reply; }

class ZoCardBrokenAnswer : public ZoCardTest, public ::testing::WithParamInterface<BrokenAnswer> {};

TEST_P(ZoCardBrokenAnswer, IsUncertainNeverAnApprovalNorAPlainRefusal)
{
    server.Queue(*sim::ParseReply(GetParam().reply));
    const TCardServerAnswer answer = card.Execute(keyedIn(kCardA));
    EXPECT_EQ(answer.Outcome, TCardOutcome::Uncertain);
    EXPECT_EQ(answer.ErrCode, GetParam().code);
    EXPECT_TRUE(answer.Sent);
    EXPECT_FALSE(card.Response().Approved());
    EXPECT_EQ(server.Charged(kCardA), 15000);
}

INSTANTIATE_TEST_SUITE_P(Replies, ZoCardBrokenAnswer,
                         ::testing::Values(BrokenAnswer{"short", "DATA"}, BrokenAnswer{"long", "DATA"},
                                           BrokenAnswer{"wrong-kind", "DATA"}, BrokenAnswer{"silent", "READ"},
                                           BrokenAnswer{"close", "READ"}, BrokenAnswer{"delay 3000 approve", "READ"}),
                         [](const auto& aInfo) {
                             std::string name = aInfo.param.reply;
                             std::erase_if(name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
                             return name;
                         });

TEST_F(ZoCardTest, ReadTimeOutEndsTheWaitForAServerThatNeverAnswers)
{
    EXPECT_EQ(TCardServerTimeouts{}.read, 30s);  // what the waiting panel promises

    server.SetDefault(*sim::ParseReply("silent"));
    auto pending = std::async(std::launch::async, [&] { return card.Execute(keyedIn(kCardA)); });
    // A guard, not a timing: without a read time-out the call would only end
    // when the server goes away.
    ASSERT_EQ(pending.wait_for(15s), std::future_status::ready);
    EXPECT_EQ(pending.get().ErrCode, "READ");
}

// The repeat rule: a second request with the same card and amount.
struct RepeatCase {
    const char* name;
    const char* firstReply;
    std::chrono::seconds later;
    void (*change)(TCardServerRequest& aSecond, const std::string& aFirstAgreeNo);
    int requestsSent;        // by both calls together
    TCardOutcome second;
    bool sameApproval;       // the second call gives the first one's approval
};

void PrintTo(const RepeatCase& aCase, std::ostream* aOut) { *aOut << aCase.name; }

class ZoCardRepeat : public ZoCardTest, public ::testing::WithParamInterface<RepeatCase> {};

TEST_P(ZoCardRepeat, Rule)
{
    const RepeatCase& c = GetParam();
    server.Queue(*sim::ParseReply(c.firstReply));
    card.Execute(keyedIn(kCardA));
    const std::string firstAgreeNo = card.Response().AgreeNo();

    clock.Advance(c.later);
    TCardServerRequest second = keyedIn(kCardA);
    if (c.change) c.change(second, firstAgreeNo);
    const TCardServerAnswer answer = card.Execute(second);
    EXPECT_EQ(answer.Outcome, c.second);
    EXPECT_EQ(server.Requests(), c.requestsSent);
    EXPECT_EQ(answer.Sent, c.requestsSent == 2);
    if (c.second == TCardOutcome::Approved) {
        EXPECT_EQ(card.Response().AgreeNo() == firstAgreeNo, c.sameApproval);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ZoCardRepeat,
    ::testing::Values(
        RepeatCase{"SameRequestWithinTenSecondsGivesTheSameApproval", "approve", 9s, nullptr, 1,
                   TCardOutcome::Approved, true},
        RepeatCase{"AfterTenSecondsItIsSentAgain", "approve", 10s, nullptr, 2, TCardOutcome::Approved, false},
        RepeatCase{"AfterARefusalItIsSentAgain", "refuse 5100 한도 초과", 1s, nullptr, 2, TCardOutcome::Approved, false},
        RepeatCase{"WithoutAKeptAnswerItIsRefusedWithTime", "close", 1s, nullptr, 1, TCardOutcome::Refused, false},
        // The kept answer belongs to its request: another instalment is
        // another request, and must not come back with the first one's terms.
        RepeatCase{"OtherInstalmentIsSent", "approve", 1s, [](TCardServerRequest& r, const std::string&) { r.HalbuMonth = 3; },
                   2, TCardOutcome::Approved, false},
        RepeatCase{"CancellationRightAfterTheApprovalIsSent", "approve", 1s,
                   [](TCardServerRequest& r, const std::string& aAgreeNo) {
                       r.Approval = false;
                       r.OrgAgreeNo = aAgreeNo;
                   },
                   2, TCardOutcome::Approved, false}),
    [](const auto& aInfo) { return std::string(aInfo.param.name); });

TEST_F(ZoCardTest, TimeRefusalSaysSo)
{
    server.Queue(*sim::ParseReply("close"));
    card.Execute(keyedIn(kCardA));
    clock.Advance(2s);
    const TCardServerAnswer answer = card.Execute(keyedIn(kCardA));
    EXPECT_EQ(answer.ErrCode, "TIME");
    EXPECT_EQ(answer.Note, "같은 카드로 10초 이내에 재승인을 할 수 없습니다.");
    EXPECT_EQ(card.Response().ErrCode(), "TIME");
}

// Card A is approved; card B's request then fails; B again within ten
// seconds must never come back with A's approval.
TEST_F(ZoCardTest, FailedRequestNeverInheritsTheAnswerOfAnEarlierCard)
{
    const struct {
        const char* name;
        bool deadServer;
        const char* reply;
    } failures[] = {{"no connection", true, "approve"}, {"no answer", false, "silent"}};
    std::int64_t amount = 15000;
    for (const auto& f : failures) {
        amount += 1000;  // a fresh card-and-amount pair for each case
        clock.Advance(60s);
        ASSERT_EQ(card.Execute(keyedIn(kCardA, amount)).Outcome, TCardOutcome::Approved) << f.name;
        const std::string approvalOfA = card.Response().AgreeNo();

        clock.Advance(1s);
        card.SetPort(f.deadServer ? test::UnusedPort() : server.Port());
        server.Queue(*sim::ParseReply(f.reply));
        EXPECT_NE(card.Execute(keyedIn(kCardB, amount)).Outcome, TCardOutcome::Approved) << f.name;

        clock.Advance(1s);
        card.SetPort(server.Port());
        const TCardServerAnswer retry = card.Execute(keyedIn(kCardB, amount));
        EXPECT_EQ(retry.Outcome, TCardOutcome::Refused) << f.name;
        EXPECT_EQ(retry.ErrCode, "TIME") << f.name;
        EXPECT_NE(card.Response().AgreeNo(), approvalOfA) << f.name;
    }
}

}  // namespace
}  // namespace pos
