// The approval journal on disk: written, cleared, left over after a crash,
// damaged.
#include "TempDir.h"
#include "core/FileIO.h"
#include "payment/PayLines.h"
#include "payment/approval/ApprovalJournal.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace pos {
namespace {

TJournalEntry cardApproval(const std::string& aCardNo, std::int64_t aAmount, const std::string& aAgreeNo)
{
    TJournalEntry e;
    e.State = TJournalState::Done;
    e.Kind = TJournalKind::Card;
    e.Channel = "DRV";
    e.Time = "20240105103000";
    e.Bill = TBillKey{"20240105", "3101", "01", 12};
    e.Amount = aAmount;
    e.CardNo = aCardNo;
    e.ValidThru = "2512";
    e.KeyIn = true;
    e.AgreeNo = aAgreeNo;
    e.AgreeDate = "20240105";
    e.TerminalID = "1234567890";
    e.Masked = "411111******1111";
    return e;
}

unsigned modeOf(const std::filesystem::path& aPath)
{
    struct stat st {};
    ::stat(aPath.c_str(), &st);
    return st.st_mode & 0777;
}

class ApprovalJournalTest : public ::testing::Test {
protected:
    std::filesystem::path folder() const { return dir / "Approvals"; }

    test::TempDir dir;
};

TEST_F(ApprovalJournalTest, WrittenOwnerOnlyAndClearedAgain)
{
    TApprovalJournal journal(folder());
    ASSERT_TRUE(journal.Open());
    TJournalEntry pending = cardApproval("4111111111111111", 15000, "");
    pending.State = TJournalState::Pending;
    ASSERT_TRUE(journal.Add(pending));
    EXPECT_EQ(pending.Id, 1);
    EXPECT_EQ(modeOf(folder()), 0700u);
    EXPECT_EQ(modeOf(journal.FilePath()), 0600u);

    pending.State = TJournalState::Done;
    pending.AgreeNo = "00012345";
    ASSERT_TRUE(journal.Replace(pending));
    TApprovalJournal reread(folder());
    ASSERT_TRUE(reread.Open());
    ASSERT_EQ(reread.Entries().size(), 1u);
    EXPECT_EQ(reread.Entries()[0].AgreeNo, "00012345");
    EXPECT_EQ(reread.Entries()[0].State, TJournalState::Done);

    ASSERT_TRUE(journal.Remove(pending.Id));
    EXPECT_EQ(*ReadWholeFile(journal.FilePath()), "ApprovalJournal 1\r\n");
    EXPECT_EQ(modeOf(journal.FilePath()), 0600u);
}

TEST_F(ApprovalJournalTest, EveryValueReadsBackAsWritten)
{
    TJournalEntry e = cardApproval("4111111111111111", 99'999'999, "A1\tB2");
    e.Id = 42;
    e.Kind = TJournalKind::Cash;
    e.Approve = false;
    e.State = TJournalState::Uncertain;
    e.Individual = false;
    e.Identity = "01012345678";
    e.Masked = "휴대폰 : 010-1234-****\r\nback\\slash";
    e.OrgAgreeNo = "87654321";
    e.HalbuMonth = 12;
    const std::string line = JournalLine(e);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    const auto back = ParseJournalLine(line);
    ASSERT_TRUE(back);
    EXPECT_EQ(JournalLine(*back), line);
    EXPECT_EQ(back->Masked, e.Masked);
    EXPECT_EQ(back->AgreeNo, e.AgreeNo);
    EXPECT_EQ(back->Bill, e.Bill);
    EXPECT_FALSE(back->Individual);
    EXPECT_EQ(back->State, TJournalState::Uncertain);
}

// The terminal dies with approvals in the journal (here: a child process
// that ends without clearing them, in the middle of its next write); the
// next start lists them.
TEST_F(ApprovalJournalTest, WhatACrashLeavesIsListedWhenReopened)
{
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        TApprovalJournal journal(folder());
        TJournalEntry a = cardApproval("4111111111111111", 15000, "00000001");
        TJournalEntry b = cardApproval("5555444433332222", 8000, "");
        b.State = TJournalState::Pending;
        const bool ok = journal.Open() && journal.Add(a) && journal.Add(b);
        // Killed while replacing the file: its temporary file stays behind.
        WriteFileAtomically(folder() / "ApprovalJournal.dat.tmp.1", "ApprovalJournal 1\r\nhalf a li");
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    TApprovalJournal reopened(folder());
    ASSERT_TRUE(reopened.Open());
    EXPECT_TRUE(reopened.Problems().empty());
    const auto left = reopened.Entries();
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].CardNo, "4111111111111111");
    EXPECT_EQ(left[0].State, TJournalState::Done);
    EXPECT_EQ(left[1].State, TJournalState::Pending);
    EXPECT_EQ(left[1].Amount, 8000);
}

TEST_F(ApprovalJournalTest, StoredBillClearsOnlyItsDoneApprovals)
{
    TApprovalJournal journal(folder());
    ASSERT_TRUE(journal.Open());
    TJournalEntry stored = cardApproval("4111111111111111", 15000, "00000001");
    TJournalEntry otherBill = cardApproval("4111111111111111", 15000, "00000002");
    TJournalEntry uncertain = cardApproval("5555444433332222", 7000, "");
    uncertain.State = TJournalState::Uncertain;
    TJournalEntry cash = cardApproval("", 43000, "C0000009");
    cash.Kind = TJournalKind::Cash;
    cash.Identity = "01012345678";
    for (TJournalEntry* e : {&stored, &otherBill, &uncertain, &cash}) ASSERT_TRUE(journal.Add(*e));

    TPayLines lines;
    TPayCardList card;
    card.CardNo = "4111111111111111";
    card.AgreeNo = "00000001 ";
    card.Amt = Currency(-15000);  // a return's refund line: the sign does not matter
    lines.card.push_back(card);
    TPayCashList receipt;
    receipt.AgreeNo = "C0000009";
    receipt.AgreeAmt = Currency(43000);
    receipt.Amt = Currency(50000);
    receipt.Track2 = "01012345678";
    lines.cash.push_back(receipt);
    ASSERT_TRUE(journal.CommitLines(lines));

    std::vector<std::int64_t> left;
    for (const auto& e : journal.Entries()) left.push_back(e.Id);
    EXPECT_EQ(left, (std::vector<std::int64_t>{otherBill.Id, uncertain.Id}));
}

TEST_F(ApprovalJournalTest, DamagedLinesAreSetAsideAndReportedNeverDropped)
{
    TApprovalJournal journal(folder());
    ASSERT_TRUE(journal.Open());
    for (const char* no : {"00000001", "00000002", "00000003"}) {
        TJournalEntry e = cardApproval("4111111111111111", 15000, no);
        ASSERT_TRUE(journal.Add(e));
    }
    std::string text = *ReadWholeFile(journal.FilePath());
    const std::size_t second = text.find("00000002");
    text[second + 7] = '9';  // one digit changed: its check sum no longer fits
    const std::size_t lineStart = text.rfind("\r\n", second) + 2;
    const std::string damagedLine = text.substr(lineStart, text.find("\r\n", second) - lineStart);
    ASSERT_TRUE(WriteFileAtomically(journal.FilePath(), text));

    TApprovalJournal reopened(folder());
    ASSERT_TRUE(reopened.Open());
    ASSERT_EQ(reopened.Problems().size(), 1u);
    EXPECT_NE(reopened.Problems()[0].find("line 3"), std::string::npos) << reopened.Problems()[0];
    EXPECT_NE(reopened.Problems()[0].find("ApprovalJournal.bad"), std::string::npos);
    ASSERT_EQ(reopened.Entries().size(), 2u);
    EXPECT_EQ(reopened.Entries()[1].AgreeNo, "00000003");
    EXPECT_EQ(*ReadWholeFile(reopened.AsidePath()), damagedLine + "\r\n");
    EXPECT_EQ(modeOf(reopened.AsidePath()), 0600u);

    // The file now holds the two good entries; opening again finds nothing wrong.
    TApprovalJournal third(folder());
    ASSERT_TRUE(third.Open());
    EXPECT_TRUE(third.Problems().empty());
    EXPECT_EQ(third.Entries().size(), 2u);
}

TEST_F(ApprovalJournalTest, FileOfAnotherFormatIsSetAsideWhole)
{
    std::filesystem::create_directories(folder());
    const std::string foreign = "something else\r\nwith two lines\r\n";
    ASSERT_TRUE(WriteFileAtomically(folder() / kApprovalJournalFile, foreign));
    TApprovalJournal journal(folder());
    ASSERT_TRUE(journal.Open());
    EXPECT_FALSE(journal.Problems().empty());
    EXPECT_TRUE(journal.Entries().empty());
    EXPECT_EQ(*ReadWholeFile(journal.AsidePath()), foreign);
}

// When the damage cannot be set aside, or the file cannot be read, nothing
// is written over it and the journal refuses new entries.
TEST_F(ApprovalJournalTest, UnreadableOrUnsettableJournalIsLeftAsItIs)
{
    TApprovalJournal first(folder());
    ASSERT_TRUE(first.Open());
    TJournalEntry e = cardApproval("4111111111111111", 15000, "00000001");
    ASSERT_TRUE(first.Add(e));
    const std::string damaged = *ReadWholeFile(first.FilePath()) + "garbage\r\n";
    ASSERT_TRUE(WriteFileAtomically(first.FilePath(), damaged));
    std::filesystem::create_directory(first.AsidePath());  // the aside file cannot be written

    TApprovalJournal journal(folder());
    EXPECT_FALSE(journal.Open());
    EXPECT_FALSE(journal.Usable());
    ASSERT_FALSE(journal.Problems().empty());
    TJournalEntry next = cardApproval("4111111111111111", 1000, "00000002");
    std::string error;
    EXPECT_FALSE(journal.Add(next, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(*ReadWholeFile(journal.FilePath()), damaged);

    test::TempDir other;
    std::filesystem::create_directories(other / "Approvals" / kApprovalJournalFile);  // a folder: cannot be read
    TApprovalJournal unreadable(other / "Approvals");
    EXPECT_FALSE(unreadable.Open());
    EXPECT_FALSE(unreadable.Add(next));
}

}  // namespace
}  // namespace pos
