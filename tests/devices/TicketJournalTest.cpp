// The journal of the pending ticket jobs: what it writes reads back the same,
// a damaged file is read as far as it can be, kept aside and reported, the
// list keeps the journal current, and the start-up questions restore, drop or
// reprint what a killed terminal left.

#include "TicketFakes.h"

#include "core/FileIO.h"
#include "core/ScriptedDialogService.h"
#include "devices/TicketJournal.h"
#include "devices/TicketProgress.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>

namespace pos {
namespace {

namespace fs = std::filesystem;

TTicketData job(TTicketType aType, const std::string& aBill, const std::string& aTitle,
                TTicketJobState aState = TTicketJobState::Pending, int aPapers = 0)
{
    TTicketData j;
    j.TicketType = aType;
    j.Bill = aBill;
    j.Str(1) = aTitle;
    j.State = aState;
    j.PapersPrinted = aPapers;
    return j;
}

// What the journal keeps of a job (its id is the list's, not the journal's).
std::string kept(const TTicketData& aJob)
{
    std::string text = std::to_string(static_cast<int>(aJob.TicketType)) + "|" + aJob.Bill + "|" +
                       std::to_string(aJob.PapersPrinted) + "|" +
                       (aJob.State == TTicketJobState::Sending ? "S" : "P");
    for (const std::string& s : aJob.Strs) text += "|" + s;
    return text;
}

std::vector<std::string> kept(const std::vector<TTicketData>& aJobs)
{
    std::vector<std::string> out;
    for (const TTicketData& j : aJobs) out.push_back(kept(j));
    return out;
}

std::vector<std::string> kept(const std::deque<TTicketData>& aJobs)
{
    return kept(std::vector<TTicketData>(aJobs.begin(), aJobs.end()));
}

std::deque<TTicketData> sampleJobs()
{
    std::deque<TTicketData> jobs;
    jobs.push_back(job(TTicketType::ttLift, "0112", "리프트 종일권"));
    TTicketData odd = job(TTicketType::ttList, "2026-12-11 0007", "  상 품 명\t탭", TTicketJobState::Sending);
    odd.Str(2) = "줄\r바꿈\n그리고 \\ 역슬래시";
    odd.Str(25) = "끝줄";
    odd.Str(26) = "[ ] 관광곤도라";
    jobs.push_back(odd);
    jobs.push_back(job(TTicketType::ttEvent, "0113", "패키지", TTicketJobState::Sending, 1));
    return jobs;
}

// A folder of the running test's own: the tests run as processes side by
// side, and two tests of a fixture must never share (and wipe) one folder.
fs::path tempDir(const char* aName)
{
    const char* base = std::getenv("POS_TEST_TMP");
    const char* test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::path dir = fs::path(base ? base : fs::temp_directory_path().string()) / aName / test;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

TEST(TicketJournal, WhatIsWrittenReadsBackTheSame)
{
    const std::deque<TTicketData> jobs = sampleJobs();
    const std::string text = EncodeTicketJournal(jobs);
    const TTicketJournalRead read = DecodeTicketJournal(text);
    EXPECT_FALSE(read.damaged());
    EXPECT_EQ(kept(read.jobs), kept(jobs));
    // One line per job between the first and the end line: no value breaks one.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5);

    const TTicketJournalRead empty = DecodeTicketJournal(EncodeTicketJournal({}));
    EXPECT_FALSE(empty.damaged());
    EXPECT_TRUE(empty.jobs.empty());
}

struct DamageCase {
    const char* name;
    std::function<std::string(const std::string&)> damage;
    int jobsRead;      // of the three sample jobs
    int damagedLines;
    bool torn;
};

class TicketJournalDamage : public ::testing::TestWithParam<DamageCase> {};

TEST_P(TicketJournalDamage, IsReadAsFarAsItCanBeAndSaysSo)
{
    const std::string good = EncodeTicketJournal(sampleJobs());
    const std::string bad = GetParam().damage(good);
    const TTicketJournalRead read = DecodeTicketJournal(bad);
    EXPECT_TRUE(read.damaged());
    EXPECT_EQ(static_cast<int>(read.jobs.size()), GetParam().jobsRead);
    EXPECT_EQ(read.damagedLines, GetParam().damagedLines);
    EXPECT_EQ(read.torn, GetParam().torn);
    // What is read is what was written, never a changed job.
    const std::vector<std::string> sample = kept(sampleJobs());
    for (const std::string& j : kept(read.jobs)) EXPECT_NE(std::find(sample.begin(), sample.end(), j), sample.end());
}

std::string flipIn(std::string aText, const std::string& aInside)
{
    const std::size_t at = aText.find(aInside);
    aText[at] = static_cast<char>(aText[at] ^ 0x20);
    return aText;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TicketJournalDamage,
    ::testing::Values(
        // Cut inside the last job line: the end line is gone too.
        DamageCase{"CutInALine", [](const std::string& g) { return g.substr(0, g.rfind("패키지") + 3); }, 2, 1, true},
        DamageCase{"EndLineMissing", [](const std::string& g) { return g.substr(0, g.rfind("END")); }, 3, 0, true},
        DamageCase{"ByteChangedInAValue", [](const std::string& g) { return flipIn(g, "0112"); }, 2, 1, false},
        DamageCase{"FirstLineMissing", [](const std::string& g) { return g.substr(g.find('\n') + 1); }, 3, 0, true},
        DamageCase{"CountDisagrees",
                   [](const std::string& g) { return g.substr(0, g.rfind("END")) + "END\t9\n"; }, 3, 0, true},
        DamageCase{"EndLineWithoutItsLineEnd", [](const std::string& g) { return g.substr(0, g.size() - 1); }, 3, 0,
                   true},
        // The right count, spelt as the journal never writes it.
        DamageCase{"CountWithLeadingZeros",
                   [](const std::string& g) { return g.substr(0, g.rfind("END")) + "END\t0003\n"; }, 3, 0, true},
        DamageCase{"ZerosOverTheEnd",
                   [](const std::string& g) { return g.substr(0, g.size() / 2) + std::string(200, '\0'); }, 1, 1,
                   true},
        DamageCase{"Empty", [](const std::string&) { return std::string(); }, 0, 0, true},
        DamageCase{"NotAJournal", [](const std::string&) { return std::string("\xff\xfe\t\t\n\x01\x02"); }, 0, 2,
                   true}),
    [](const auto& aInfo) { return aInfo.param.name; });

TEST(TicketJournalFile, ADamagedFileIsKeptAsideAndReported)
{
    const fs::path dir = tempDir("ticket-journal-damaged");
    ScriptedDialogService cashier;
    TTicketJournalFile journal(dir / kTicketJournalName, cashier);

    EXPECT_TRUE(journal.Load().jobs.empty());  // no journal yet: nothing, and no word
    EXPECT_TRUE(cashier.shown.empty());

    const std::string good = EncodeTicketJournal(sampleJobs());
    const std::string torn = good.substr(0, good.rfind("패키지"));
    ASSERT_TRUE(WriteFileAtomically(journal.Path(), torn));
    const TTicketJournalRead read = journal.Load();
    EXPECT_EQ(read.jobs.size(), 2u);
    ASSERT_EQ(cashier.shown.size(), 1u);
    EXPECT_EQ(cashier.shown[0].text, MsgTicketJournalDamaged("Tickets.jnl.bad"));
    EXPECT_EQ(ReadWholeFile(journal.AsidePath()), torn);
    EXPECT_EQ(fs::status(journal.AsidePath()).permissions() & fs::perms::others_read, fs::perms::none);
}

TEST(TicketJournalFile, AJournalThatCannotBeWrittenIsReportedOnce)
{
    const fs::path dir = tempDir("ticket-journal-unwritable");
    ScriptedDialogService cashier;
    TTicketJournalFile journal(dir / "missing-folder" / kTicketJournalName, cashier);
    journal.SaveTicketJobs(sampleJobs());
    journal.SaveTicketJobs(sampleJobs());
    ASSERT_EQ(cashier.shown.size(), 1u);
    EXPECT_EQ(cashier.shown[0].text, MsgTicketJournalNotWritten());
}

// The list over a real journal file.
class TicketJournalListTest : public ::testing::Test {
protected:
    TicketJournalListTest() : dir(tempDir("ticket-journal-list")), journal(dir / kTicketJournalName, cashier) {}

    // What a terminal starting now would read.
    std::vector<std::string> onDisk() { return kept(journal.Load().jobs); }
    void addTicket(const std::string& aBill, const std::string& aTitle)
    {
        jobs.AddTicketData("03", {aBill, aTitle, "종일권", "20261211", "대인", "", "10,000원", "50300007"});
    }

    fs::path dir;
    ScriptedDialogService cashier;
    TTicketJournalFile journal;
    test::FakeTicketKinds kinds;
    TTerminalContext context;
    TTicketJobList jobs{kinds, context, TPrinterType::ptTSP800, journal};
};

TEST_F(TicketJournalListTest, EveryChangeOfTheListIsOnDisk)
{
    addTicket("B1", "눈썰매");
    addTicket("B2", "눈썰매");
    jobs.AddTicketData("05", "영수증", {"줄 1", "줄 2"});
    EXPECT_EQ(onDisk(), kept(jobs.jobs()));
    ASSERT_EQ(onDisk().size(), 3u);

    const std::uint64_t first = jobs.jobs()[0].JobId;
    jobs.MarkSending(first);
    EXPECT_EQ(journal.Load().jobs[0].State, TTicketJobState::Sending);
    jobs.PaperPrinted(first, 1);
    EXPECT_EQ(onDisk(), kept(jobs.jobs()));
    EXPECT_EQ(onDisk().size(), 2u);

    // A package: its first ticket out, the job stays for the second.
    jobs.AddTicketData("08", {"B3", "패키지"});
    const std::uint64_t package = jobs.jobs().back().JobId;
    jobs.MarkSending(package);
    jobs.PaperPrinted(package, 2);
    const TTicketData left = journal.Load().jobs.back();
    EXPECT_EQ(left.PapersPrinted, 1);
    EXPECT_EQ(left.State, TTicketJobState::Pending);

    jobs.MarkSending(package);
    jobs.MarkPending(package);  // its bytes never went out
    EXPECT_EQ(journal.Load().jobs.back().State, TTicketJobState::Pending);

    jobs.ChangeTicketData("03", {"B2", "눈썰매", "종일권", "20261211", "대인", "", "10,000원", "50300007"});
    EXPECT_EQ(onDisk(), kept(jobs.jobs()));
    jobs.DeleteTicketData(0);
    EXPECT_EQ(onDisk(), kept(jobs.jobs()));
    jobs.ClearTicketData();
    EXPECT_TRUE(onDisk().empty());
    EXPECT_TRUE(cashier.shown.empty());
}

TEST_F(TicketJournalListTest, ABatchReachesTheDiskWhole)
{
    {
        TTicketJobList::TBatch batch(jobs);
        addTicket("B1", "리프트");
        addTicket("B1", "렌탈");
        EXPECT_TRUE(onDisk().empty());  // a crash now leaves none of the bill's tickets
    }
    EXPECT_EQ(onDisk().size(), 2u);
}

// The start-up over what a killed terminal left.
struct RecoveryCase {
    const char* name;
    std::deque<bool> answers;         // the cashier's, in the order asked
    std::vector<std::string> listed;  // bill texts on the list afterwards
    std::vector<int> papers;          // their papers already out
    bool printNow;
    std::vector<std::string> notPrinted;  // bill texts named for the day log
};

class TicketRecoveryTest : public ::testing::TestWithParam<RecoveryCase> {};

TEST_P(TicketRecoveryTest, TheCashierDecidesWhatWasSending)
{
    const RecoveryCase& c = GetParam();
    TTicketJournalRead read;
    read.jobs = {job(TTicketType::ttLift, "P1", "대기 1"), job(TTicketType::ttLift, "S1", "전송 중", TTicketJobState::Sending),
                 job(TTicketType::ttEvent, "S2", "패키지", TTicketJobState::Sending),
                 job(TTicketType::ttLift, "P2", "대기 2")};
    ScriptedDialogService cashier;
    cashier.answers = c.answers;
    test::FakeTicketKinds kinds;
    TTerminalContext context;
    TNoTicketJournal none;
    TTicketJobList jobs(kinds, context, TPrinterType::ptTSP700, none);

    const TTicketRecovery recovery = RecoverTicketJobs(jobs, read, cashier);

    // Each sending job is named before anything is printed.
    ASSERT_GE(cashier.shown.size(), 2u);
    EXPECT_EQ(cashier.shown[0].text, MsgTicketInDoubt(read.jobs[1]));
    EXPECT_NE(cashier.shown[0].text.find("영수증 S1 전송 중"), std::string::npos);
    EXPECT_EQ(cashier.shown[1].text, MsgTicketInDoubt(read.jobs[2]));
    std::vector<std::string> listed;
    std::vector<int> papers;
    for (const TTicketData& j : jobs.jobs()) {
        listed.push_back(j.Bill);
        papers.push_back(j.PapersPrinted);
        EXPECT_EQ(j.State, TTicketJobState::Pending);
    }
    EXPECT_EQ(listed, c.listed);
    EXPECT_EQ(papers, c.papers);
    EXPECT_EQ(recovery.printNow, c.printNow);
    std::vector<std::string> named;
    for (const std::string& n : recovery.notPrinted) named.push_back(n.substr(n.find(' ') + 1, 2));
    EXPECT_EQ(named, c.notPrinted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TicketRecoveryTest,
    ::testing::Values(
        RecoveryCase{"ReprintBoth", {true, true, true}, {"P1", "S1", "S2", "P2"}, {0, 0, 0, 0}, true, {}},
        // Counted as out: the lift pass is done, the package goes on with its
        // second ticket.
        RecoveryCase{"DropBoth", {false, false, true}, {"P1", "S2", "P2"}, {0, 1, 0}, true, {"S1", "S2"}},
        RecoveryCase{"NotNow", {true, false, false}, {}, {}, false, {"S2", "P1", "S1", "S2", "P2"}}),
    [](const auto& aInfo) { return aInfo.param.name; });

TEST(TicketRecovery, AnEmptyJournalAsksNothing)
{
    ScriptedDialogService cashier;
    test::FakeTicketKinds kinds;
    TTerminalContext context;
    TNoTicketJournal none;
    TTicketJobList jobs(kinds, context, TPrinterType::ptTSP800, none);
    EXPECT_FALSE(RecoverTicketJobs(jobs, {}, cashier).printNow);
    EXPECT_TRUE(cashier.shown.empty());
}

// ---- the progress window's model ----------------------------------------------

TEST(TicketPrintingModel, ShowsFromTheFirstStartToTheLastEnd)
{
    TTicketPrintingModel model;
    std::vector<bool> told;
    const int observer = model.Observe([&](bool aVisible) { told.push_back(aVisible); });

    model.TicketsStarted(3);
    EXPECT_TRUE(model.visible());
    EXPECT_EQ(model.CountText(), "1 / 3");
    model.TicketPrinted();
    EXPECT_EQ(model.CountText(), "2 / 3");
    model.TicketsStarted(2);  // a second print joins: its two come after the one printed
    EXPECT_EQ(model.CountText(), "2 / 3");
    model.TicketPrinted();
    model.TicketPrinted();
    model.TicketPrinted();  // never beyond the last
    EXPECT_EQ(model.CountText(), "3 / 3");
    model.TicketsEnded();
    EXPECT_TRUE(model.visible());
    model.TicketsEnded();
    EXPECT_FALSE(model.visible());
    model.TicketsEnded();  // an end too many changes nothing
    EXPECT_EQ(told, (std::vector<bool>{true, false}));

    // The cancel holds for the run it was pressed in only.
    model.Cancel();
    EXPECT_FALSE(model.StopRequested());
    model.TicketsStarted(1);
    model.Cancel();
    EXPECT_TRUE(model.StopRequested());
    model.TicketsEnded();
    EXPECT_FALSE(model.StopRequested());

    model.Forget(observer);
    model.TicketsStarted(1);
    EXPECT_EQ(told.size(), 4u);
}

TEST(TicketPrintingModel, ARunDroppedUnreportedStillEnds)
{
    TTicketPrintingModel model;
    {
        auto shown = std::make_shared<TTicketRunShown>(model, 2);
        std::function<void(bool)> done = [shown](bool) { shown->End(); };
        EXPECT_TRUE(model.visible());
        // The run's callback is thrown away without being called.
    }
    EXPECT_FALSE(model.visible());
}

}  // namespace
}  // namespace pos
