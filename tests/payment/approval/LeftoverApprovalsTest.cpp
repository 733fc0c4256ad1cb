// Settling the approvals the journal holds without a stored bill: each
// state of an entry and each answer of the bill check and the reversal, on a
// journal on disk.

#include "TempDir.h"
#include "payment/approval/LeftoverApprovals.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace pos::test {
namespace {

// What the bill check says per approval number; a number it does not know
// cannot be told.
struct Stored final : TStoredApprovals {
    std::optional<bool> Holds(const TJournalEntry& aEntry) override
    {
        asked.push_back(aEntry.AgreeNo);
        const auto it = held.find(aEntry.AgreeNo);
        if (it == held.end()) return std::nullopt;
        return it->second;
    }
    std::map<std::string, bool> held;
    std::vector<std::string> asked;
};

// Reverses what it is told to and removes the entry, as the channels do.
struct Reverser final : TApprovalReverser {
    explicit Reverser(TApprovalJournal& aJournal) : journal(aJournal) {}
    TReversalAnswer Reverse(const TJournalEntry& aEntry) override
    {
        reversed.push_back(aEntry.AgreeNo);
        if (refuse.count(aEntry.AgreeNo)) return {false, "7001", "취소할 수 없습니다"};
        if (cancelledAlready.count(aEntry.AgreeNo)) return {false, kCodeAlreadyCancelled, "이미 취소된 전표입니다."};
        journal.Remove(aEntry.Id);
        return {true, "", ""};
    }
    TApprovalJournal& journal;
    std::set<std::string> refuse, cancelledAlready;
    std::vector<std::string> reversed;
};

TJournalEntry entry(TJournalState aState, const std::string& aAgreeNo, std::int64_t aAmount)
{
    TJournalEntry e;
    e.State = aState;
    e.Kind = TJournalKind::Card;
    e.Bill = {"20261210", "3101", "01", 7};
    e.Time = "20261210120000";
    e.Amount = aAmount;
    e.CardNo = "9410123456781234";
    e.ValidThru = "2912";
    e.AgreeNo = aAgreeNo;
    e.Masked = "941012******1234";
    return e;
}

TEST(LeftoverApprovals, EachEntryIsClearedReversedOrKeptForAPerson)
{
    TempDir dir;
    TApprovalJournal journal(dir / "Approvals");
    ASSERT_TRUE(journal.Open());
    struct Case {
        TJournalState state;
        std::string agreeNo;
        std::optional<bool> held;  // what the bill check says
        bool refused;              // the reversal is refused
        bool staysInJournal;
        bool cancelledAlready = false;  // the card company cancelled it before
    };
    const Case cases[] = {
        {TJournalState::Done, "1001", true, false, false},      // stored: only the clean-up was missed
        {TJournalState::Done, "1002", false, false, false},     // no bill holds it: reversed
        {TJournalState::Done, "1003", std::nullopt, false, true},  // cannot tell (off line): kept
        {TJournalState::Done, "1004", false, true, true},       // reversal refused: kept
        {TJournalState::Done, "1005", false, false, false, true},  // cancelled before a crash: gone
        {TJournalState::Uncertain, "", std::nullopt, false, true},  // may be charged: kept
        {TJournalState::Pending, "", std::nullopt, false, true},    // a crash during the request: kept
    };
    Stored stored;
    Reverser reverser(journal);
    for (const Case& c : cases) {
        TJournalEntry e = entry(c.state, c.agreeNo, 10000);
        ASSERT_TRUE(journal.Add(e));
        if (c.held) stored.held[c.agreeNo] = *c.held;
        if (c.refused) reverser.refuse.insert(c.agreeNo);
        if (c.cancelledAlready) reverser.cancelledAlready.insert(c.agreeNo);
    }

    const TLeftoverReport report = SettleLeftoverApprovals(journal, stored, reverser);

    EXPECT_EQ(report.cleared, 2);
    EXPECT_EQ(report.reversed, 1);
    ASSERT_EQ(report.kept.size(), 4u);
    // Only done entries are looked up, and only those no bill holds undone.
    EXPECT_EQ(stored.asked, (std::vector<std::string>{"1001", "1002", "1003", "1004", "1005"}));
    EXPECT_EQ(reverser.reversed, (std::vector<std::string>{"1002", "1004", "1005"}));
    std::vector<std::string> left, staying;
    for (const TJournalEntry& e : journal.Entries()) left.push_back(e.AgreeNo);
    for (const Case& c : cases)
        if (c.staysInJournal) staying.push_back(c.agreeNo);
    EXPECT_EQ(left, staying);
    // The cashier reads what was undone and what to check, numbers masked.
    const std::string message = LeftoverMessage(report);
    EXPECT_NE(message.find("승인 1건을 취소했습니다."), std::string::npos) << message;
    EXPECT_NE(message.find("승인 4건이 남아 있습니다."), std::string::npos) << message;
    EXPECT_NE(message.find("카드 941012******1234 10,000원 (취소 안 됨 7001 취소할 수 없습니다)"),
              std::string::npos)
        << message;
    EXPECT_EQ(message.find("9410123456781234"), std::string::npos);
    EXPECT_NE(message.find(kMsgLeftoverCheck), std::string::npos);
}

TEST(LeftoverApprovals, NothingLeftSaysNothing)
{
    TempDir dir;
    TApprovalJournal journal(dir / "Approvals");
    ASSERT_TRUE(journal.Open());
    TJournalEntry stored = entry(TJournalState::Done, "2001", 5000);
    ASSERT_TRUE(journal.Add(stored));
    Stored check;
    check.held["2001"] = true;
    Reverser reverser(journal);
    const TLeftoverReport report = SettleLeftoverApprovals(journal, check, reverser);
    EXPECT_TRUE(report.Quiet());
    EXPECT_EQ(LeftoverMessage(report), "");
    EXPECT_TRUE(journal.Entries().empty());
}

}  // namespace
}  // namespace pos::test
