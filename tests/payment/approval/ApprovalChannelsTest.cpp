// A request through the approval driver and the card server, with the
// journal kept on the way: the simulator library as the driver, the card
// server simulator on loopback, the journal in a folder of the test.
#include "ApprovalTestSupport.h"
#include "CardServerSim.h"
#include "payment/PayLines.h"
#include "payment/approval/ApprovalChannels.h"

#include <gtest/gtest.h>

namespace pos {
namespace {

using namespace std::chrono_literals;

constexpr const char* kCard = "4111111111111111";
constexpr const char* kOtherCard = "5555444433332222";

TCardApprovalRequest cardRequest(const std::string& aCardNo, std::int64_t aAmount)
{
    TCardApprovalRequest r;
    r.Today = "20240105";
    r.UpjangCode = "3101";
    r.PosNo = "01";
    r.BillNo = 12;
    r.SaleDate = "20240105";
    r.CardData = aCardNo + "=2512";
    r.KeyIn = true;
    r.Amount = aAmount;
    r.TerminalID = "1234567890";
    return r;
}

// The cancellation the payment screen sends when a card line is deleted.
TCardApprovalRequest cancellationOf(const TCardApprovalRequest& aApproval, const std::string& aAgreeNo)
{
    TCardApprovalRequest r = aApproval;
    r.Approve = false;
    r.OrgAgreeNo = aAgreeNo;
    return r;
}

class ApprovalChannelsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(driverLoad.Loaded) << driverLoad.Message;
        ASSERT_TRUE(server.Listen());
        ASSERT_TRUE(journal.Open());
        cardClient.SetHost("127.0.0.1");
        cardClient.SetPort(server.Port());
    }

    std::vector<TJournalEntry> reopenedJournal() const
    {
        TApprovalJournal again(dir / "Approvals");
        EXPECT_TRUE(again.Open());
        return again.Entries();
    }

    test::TempDir dir;
    test::DriverScript script{dir};
    TDriverLoad driverLoad = LoadApprovalDriver(POS_APPROVAL_DRIVER_SIM);
    sim::TCardServerSim server;
    TTcpCardServerLink link{TCardServerTimeouts{2000ms, 2000ms, 1500ms, 100ms}};
    test::ManualClock clock;
    TZoCard cardClient{link, clock};
    TApprovalJournal journal{dir / "Approvals"};
    TApprovalChannels approvals{*driverLoad.Driver, cardClient, journal};
};

TEST_F(ApprovalChannelsTest, DriverApprovalIsJournalledWithoutTheTrack)
{
    TCardApprovalRequest swiped = cardRequest(kCard, 15000);
    swiped.KeyIn = false;
    swiped.CardData = std::string(kCard) + "=25121019876543210000";
    const TCardApprovalResult r = approvals.ApproveCard(swiped);
    ASSERT_EQ(r.Outcome, TCardOutcome::Approved);
    EXPECT_EQ(r.Channel, TApprovalChannel::Driver);
    EXPECT_NE(r.JournalId, 0);
    EXPECT_EQ(server.Requests(), 0);

    const auto entries = reopenedJournal();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].State, TJournalState::Done);
    EXPECT_EQ(entries[0].CardNo, kCard);
    EXPECT_EQ(entries[0].ValidThru, "2512");
    EXPECT_EQ(entries[0].AgreeNo, r.AgreeNo);
    EXPECT_EQ(entries[0].Masked, "411111******1111");
    EXPECT_EQ(entries[0].Channel, "DRV");
    EXPECT_EQ(ReadWholeFile(journal.FilePath())->find("9876543210"), std::string::npos);  // track data never stored
}

TEST_F(ApprovalChannelsTest, RefusalLeavesNothingAndGoesNowhereElse)
{
    script.Set({"card refuse 5100 4111111111111111 한도가 초과되었습니다."});
    const TCardApprovalResult r = approvals.ApproveCard(cardRequest(kCard, 15000));
    EXPECT_EQ(r.Outcome, TCardOutcome::Refused);
    EXPECT_EQ(r.ErrCode, "5100");
    EXPECT_EQ(r.Message, "411111******1111 한도가 초과되었습니다.");  // a quoted card number is masked
    EXPECT_EQ(server.Requests(), 0);
    EXPECT_TRUE(reopenedJournal().empty());
}

TEST_F(ApprovalChannelsTest, DriverThatCannotProcessHandsTheCardToTheDedicatedLine)
{
    script.Set({"card fail"});
    const TCardApprovalResult r = approvals.ApproveCard(cardRequest(kCard, 15000));
    ASSERT_EQ(r.Outcome, TCardOutcome::Approved);
    EXPECT_EQ(r.Channel, TApprovalChannel::CardServer);
    EXPECT_EQ(r.AgreeAmt, 15000);
    EXPECT_EQ(r.CompName, "비씨카드");
    EXPECT_EQ(server.Charged(kCard), 15000);
    const auto received = server.Received();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].SaleDate, "240105");
    EXPECT_EQ(received[0].BillNo, 12);

    const auto entries = reopenedJournal();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Channel, "SRV");
    EXPECT_EQ(entries[0].AgreeNo, r.AgreeNo);
}

// Sent without an answer: the card company may have approved. The request
// is kept as uncertain and never tried another way.
TEST_F(ApprovalChannelsTest, UncertainRequestIsKeptAndNotRetriedElsewhere)
{
    const struct {
        const char* name;
        const char* driver;
        const char* server;
        int serverRequests;
    } cases[] = {{"driver lost the answer", "card uncertain", nullptr, 0},
                 {"card server lost the answer", "card fail", "close", 1}};
    std::int64_t amount = 1000;
    for (const auto& c : cases) {
        script.Set({c.driver});
        if (c.server) server.Queue(*sim::ParseReply(c.server));
        const int before = server.Requests();
        const TCardApprovalResult r = approvals.ApproveCard(cardRequest(kOtherCard, amount += 1000));
        EXPECT_EQ(r.Outcome, TCardOutcome::Uncertain) << c.name;
        EXPECT_EQ(r.ErrCode, "READ") << c.name;
        EXPECT_EQ(server.Requests() - before, c.serverRequests) << c.name;
        const auto entry = journal.Find(r.JournalId);
        ASSERT_TRUE(entry) << c.name;
        EXPECT_EQ(entry->State, TJournalState::Uncertain) << c.name;
        // Nothing to undo it with: it waits for a person.
        EXPECT_EQ(approvals.ReverseCard(*entry, {}).ErrCode, kNoReversalCode) << c.name;
    }
    EXPECT_EQ(reopenedJournal().size(), 2u);
}

TEST_F(ApprovalChannelsTest, CancellingALineClearsItsEntryOnlyWhenTheCancellationIsAnswered)
{
    const TCardApprovalRequest approval = cardRequest(kCard, 21000);
    const TCardApprovalResult approved = approvals.ApproveCard(approval);
    ASSERT_EQ(approved.Outcome, TCardOutcome::Approved);

    script.Set({"card refuse 9999 취소할 수 없습니다."});
    EXPECT_EQ(approvals.ApproveCard(cancellationOf(approval, approved.AgreeNo)).Outcome, TCardOutcome::Refused);
    ASSERT_EQ(journal.Entries().size(), 1u);  // the approval still stands

    const TCardApprovalResult cancelled = approvals.ApproveCard(cancellationOf(approval, approved.AgreeNo));
    EXPECT_EQ(cancelled.Outcome, TCardOutcome::Approved);
    EXPECT_EQ(cancelled.JournalId, 0);  // a cancellation of a journalled approval is not journalled itself
    EXPECT_TRUE(reopenedJournal().empty());
}

TEST_F(ApprovalChannelsTest, RefundOnAReturnIsJournalledAndUndoneByANewApproval)
{
    // The refund cancels an approval of an earlier, stored bill.
    TCardApprovalRequest refund = cardRequest(kOtherCard, 33000);
    script.Set({"card fail"});
    TCardApprovalRequest original = refund;
    original.BillNo = 3;
    const TCardApprovalResult sale = approvals.ApproveCard(original);
    ASSERT_EQ(sale.Outcome, TCardOutcome::Approved);
    TPayLines storedSale;
    TPayCardList line;
    line.CardNo = kOtherCard;
    line.AgreeNo = sale.AgreeNo;
    line.Amt = Currency(33000);
    storedSale.card.push_back(line);
    ASSERT_TRUE(journal.CommitLines(storedSale));
    ASSERT_TRUE(journal.Entries().empty());

    script.Set({"card fail", "card fail"});
    refund.Approve = false;
    refund.OrgAgreeNo = sale.AgreeNo;
    const TCardApprovalResult refunded = approvals.ApproveCard(refund);
    ASSERT_EQ(refunded.Outcome, TCardOutcome::Approved);
    ASSERT_EQ(journal.Entries().size(), 1u);
    EXPECT_FALSE(journal.Entries()[0].Approve);
    EXPECT_EQ(journal.Entries()[0].OrgAgreeNo, sale.AgreeNo);
    EXPECT_EQ(server.Charged(kOtherCard), 0);

    // Deleting the refund line is a new approval of the same card and amount.
    clock.Advance(20s);
    TCardApprovalRequest undo = refund;
    undo.Approve = true;
    undo.OrgAgreeNo.clear();
    EXPECT_EQ(approvals.ApproveCard(undo).Outcome, TCardOutcome::Approved);
    EXPECT_TRUE(journal.Entries().empty());
    EXPECT_EQ(server.Charged(kOtherCard), 33000);
}

TEST_F(ApprovalChannelsTest, UnwritableJournalMeansNothingIsSent)
{
    TApprovalJournal broken(dir / "NotOpened");  // never opened: unusable
    TApprovalChannels withBrokenJournal(*driverLoad.Driver, cardClient, broken);
    const TCardApprovalResult r = withBrokenJournal.ApproveCard(cardRequest(kCard, 15000));
    EXPECT_EQ(r.Outcome, TCardOutcome::Refused);
    EXPECT_EQ(r.ErrCode, kJournalCode);
    EXPECT_FALSE(r.JournalProblem.empty());
    EXPECT_TRUE(script.Calls().empty());
    EXPECT_EQ(server.Requests(), 0);
}

// The terminal stops with two approvals of an unstored bill; at the next
// start they are listed and reversed, and the cards end up charged nothing.
TEST_F(ApprovalChannelsTest, LeftOverApprovalsAreReversedWithTheSameData)
{
    script.Set({"card fail", "card fail"});
    ASSERT_EQ(approvals.ApproveCard(cardRequest(kCard, 12000)).Outcome, TCardOutcome::Approved);
    TCardApprovalRequest second = cardRequest(kOtherCard, 8000);
    second.HalbuMonth = 3;
    ASSERT_EQ(approvals.ApproveCard(second).Outcome, TCardOutcome::Approved);
    ASSERT_EQ(server.Charged(kCard), 12000);
    ASSERT_EQ(server.Charged(kOtherCard), 8000);

    // A new start: journal, card client and service made afresh.
    TApprovalJournal reopened(dir / "Approvals");
    ASSERT_TRUE(reopened.Open());
    TZoCard freshClient(link, clock);
    freshClient.SetHost("127.0.0.1");
    freshClient.SetPort(server.Port());
    TApprovalChannels afterRestart(*driverLoad.Driver, freshClient, reopened);
    script.Set({"card fail", "card fail"});
    const auto left = reopened.Entries();
    ASSERT_EQ(left.size(), 2u);
    for (const TJournalEntry& e : left) {
        const TCardApprovalResult r = afterRestart.ReverseCard(e, TReversalContext{true, "20240106", false, 0});
        EXPECT_EQ(r.Outcome, TCardOutcome::Approved) << e.Masked << " " << r.ErrCode << " " << r.Message;
    }
    EXPECT_TRUE(reopened.Entries().empty());
    EXPECT_EQ(server.Charged(kCard), 0);
    EXPECT_EQ(server.Charged(kOtherCard), 0);
    const auto received = server.Received();
    ASSERT_EQ(received.size(), 4u);
    EXPECT_EQ(received[3].Kind, "D2");
    EXPECT_TRUE(received[3].KeyIn);
    EXPECT_EQ(received[3].HalbuMonth, 3);
    EXPECT_EQ(received[3].SaleDate, "240106");
}

TEST_F(ApprovalChannelsTest, SameApprovalGivenTwiceIsKeptOnce)
{
    script.Set({"card fail", "card fail"});
    const TCardApprovalRequest r = cardRequest(kCard, 17000);
    const TCardApprovalResult first = approvals.ApproveCard(r);
    clock.Advance(2s);
    const TCardApprovalResult second = approvals.ApproveCard(r);  // the card client's repeat rule
    ASSERT_EQ(second.Outcome, TCardOutcome::Approved);
    EXPECT_EQ(second.AgreeNo, first.AgreeNo);
    EXPECT_EQ(second.JournalId, first.JournalId);
    EXPECT_EQ(journal.Entries().size(), 1u);
    EXPECT_EQ(server.Requests(), 1);
}

TEST_F(ApprovalChannelsTest, CashReceiptFromACardSwipeKeepsTheNumberOnly)
{
    TCashApprovalRequest r;
    r.SaleDate = "20240105";
    r.UpjangCode = "3101";
    r.PosNo = "01";
    r.BillNo = 12;
    r.Identity = std::string(";") + kOtherCard + "=27011019876500000?";
    r.Amount = 43000;
    r.TerminalID = "1234567890";
    const TCashApprovalResult approved = approvals.ApproveCash(r);
    ASSERT_EQ(approved.Outcome, TCardOutcome::Approved);
    auto entries = reopenedJournal();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Kind, TJournalKind::Cash);
    EXPECT_EQ(entries[0].Identity, kOtherCard);
    EXPECT_EQ(ReadWholeFile(journal.FilePath())->find("98765"), std::string::npos);

    // Reversed from the journal: the cancellation goes with the card number.
    EXPECT_EQ(approvals.ReverseCash(entries[0], {}).Outcome, TCardOutcome::Approved);
    EXPECT_TRUE(reopenedJournal().empty());
    ASSERT_EQ(script.Calls().size(), 2u);
    EXPECT_EQ(script.Calls()[1].rfind("CASH\tCANCEL\t555544******2222\t43000\t", 0), 0u) << script.Calls()[1];
}

}  // namespace
}  // namespace pos
