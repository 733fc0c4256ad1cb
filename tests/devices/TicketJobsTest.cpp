// The pending ticket jobs: the two ways of adding them, merging equal tickets
// and the list operations.

#include "TicketFakes.h"

#include "core/ScriptedDialogService.h"
#include "devices/TicketJobs.h"
#include "devices/TicketMasterData.h"
#include "store/MasterStore.h"

#include <gtest/gtest.h>

namespace pos {
namespace {

using test::FakeTicketKinds;

class TicketJobsTest : public ::testing::Test {
protected:
    TTicketJobList list(TPrinterType aPrinter1) { return TTicketJobList(kinds, context, aPrinter1, journal); }

    std::vector<std::string> lines(int aCount)
    {
        std::vector<std::string> out;
        for (int i = 1; i <= aCount; ++i) out.push_back("줄 " + std::to_string(i));
        return out;
    }

    FakeTicketKinds kinds;
    TTerminalContext context;
    TNoTicketJournal journal;
};

TEST_F(TicketJobsTest, KindWithoutTicketTypeAddsNothing)
{
    TTicketJobList jobs = list(TPrinterType::ptTSP800);
    EXPECT_FALSE(jobs.AddTicketData("99", {"bill", "title"}));  // no such code
    EXPECT_FALSE(jobs.AddTicketData("00", {"bill", "title"}));  // its type is 0
    EXPECT_EQ(jobs.GetTicketCount(), 0);
    EXPECT_TRUE(jobs.AddTicketData("01", {"bill", "리프트"}));
    ASSERT_EQ(jobs.GetTicketCount(), 1);
    EXPECT_EQ(jobs.jobs()[0].TicketType, TTicketType::ttLift);
    EXPECT_EQ(jobs.GetTicketData(1, 0), "리프트");
}

struct BillCase {
    TPrinterType printer1;
    const char* bill;
};

class TicketBillTest : public TicketJobsTest, public ::testing::WithParamInterface<BillCase> {};

// The header "2024-01-05 12:34 5001-01-0012" of a receipt, as the bill text
// of a ticket.
TEST_P(TicketBillTest, BillIsShortOnTicketPrinters)
{
    TTicketJobList jobs = list(GetParam().printer1);
    jobs.AddTicketData("01", {"2024-01-05 12:34 5001-01-0012-0001"});
    EXPECT_EQ(jobs.GetTicketData(0, 0), GetParam().bill);
}

INSTANTIATE_TEST_SUITE_P(Printers, TicketBillTest,
                         ::testing::Values(BillCase{TPrinterType::ptTSP700, "240105123450010100120001"},
                                           BillCase{TPrinterType::ptBoca, "240105123450010100120001"},
                                           BillCase{TPrinterType::ptFlotec, "240105123450010100120001"},
                                           BillCase{TPrinterType::ptTSP800, "2024-01-05 12:34 5001-01-0012-0001"},
                                           BillCase{TPrinterType::ptTSP600, "2024-01-05 12:34 5001-01-0012-0001"}));

TEST_F(TicketJobsTest, MasterNumberMarksAMemberAndIsNotPrinted)
{
    context.gsMasterMemberNo = "M1234567";
    TTicketJobList jobs = list(TPrinterType::ptBoca);
    std::vector<std::string> v(16);
    v[10] = "N";
    v[11] = "M123456700";  // the master number itself
    jobs.AddTicketData("01", v);
    v[11] = "M123456715";  // a master number with a rate
    jobs.AddTicketData("01", v);
    v[11] = "10004567";  // an ordinary member number
    jobs.AddTicketData("01", v);
    ASSERT_EQ(jobs.GetTicketCount(), 3);
    EXPECT_EQ(jobs.jobs()[0].Str(10), "Y");
    EXPECT_EQ(jobs.jobs()[0].Str(11), "");
    EXPECT_EQ(jobs.jobs()[1].Str(10), "N");
    EXPECT_EQ(jobs.jobs()[1].Str(11), "");
    EXPECT_EQ(jobs.jobs()[2].Str(11), "10004567");

    // Without a master number nothing is a master number.
    context.gsMasterMemberNo.clear();
    jobs.AddTicketData("01", v);
    EXPECT_EQ(jobs.jobs()[3].Str(11), "10004567");
}

TEST_F(TicketJobsTest, EqualTicketsMergeIntoOneWithACount)
{
    TTicketJobList jobs = list(TPrinterType::ptBoca);
    std::vector<std::string> v = {"b", "리프트", "종일권", "20240105", "대인", "", "10,000원", "50300001", "0%", "001"};
    jobs.ChangeTicketData("01", v);
    jobs.ChangeTicketData("01", v);
    ASSERT_EQ(jobs.GetTicketCount(), 1);
    EXPECT_EQ(jobs.GetTicketData(15, 0), "2");
    EXPECT_EQ(jobs.GetTicketData(6, 0), "20,000원");
    jobs.ChangeTicketData("01", v);
    EXPECT_EQ(jobs.GetTicketData(15, 0), "3");
    EXPECT_EQ(jobs.GetTicketData(6, 0), "30,000원");

    v[7] = "50300002";  // another menu: another ticket
    jobs.ChangeTicketData("01", v);
    ASSERT_EQ(jobs.GetTicketCount(), 2);
    EXPECT_EQ(jobs.GetTicketData(15, 1), "");
}

struct DocumentCase {
    TPrinterType printer1;
    std::string outlet;
    int lines;
    std::vector<int> pageLines;
};

class TicketDocumentTest : public TicketJobsTest, public ::testing::WithParamInterface<DocumentCase> {};

TEST_P(TicketDocumentTest, DocumentIsCutIntoPages)
{
    const DocumentCase& c = GetParam();
    context.gsMasterUpjangCode = c.outlet;
    context.gsUpjangSkiSchool = "5004";
    TTicketJobList jobs = list(c.printer1);
    EXPECT_EQ(jobs.AddTicketData("05", "{Z}헤더{S}", lines(c.lines)), int(c.pageLines.size()));
    ASSERT_EQ(jobs.GetTicketCount(), int(c.pageLines.size()));
    int line = 1;
    for (int page = 0; page < jobs.GetTicketCount(); ++page) {
        const TTicketData& job = jobs.jobs()[std::size_t(page)];
        EXPECT_EQ(job.TicketType, TTicketType::ttList);
        for (int i = 1; i <= 25; ++i) {
            const std::string expected = i <= c.pageLines[std::size_t(page)] ? "줄 " + std::to_string(line++) : "";
            EXPECT_EQ(job.Str(i), expected) << "page " << page << " line " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Printers, TicketDocumentTest,
    ::testing::Values(DocumentCase{TPrinterType::ptTSP800, "5001", 51, {25, 25, 1}},
                      DocumentCase{TPrinterType::ptTSP700, "5001", 51, {20, 20, 11}},
                      DocumentCase{TPrinterType::ptFlotec, "5001", 17, {8, 8, 1}},
                      // The ski school prints whole pages on its Flotec.
                      DocumentCase{TPrinterType::ptFlotec, "5004", 17, {17}},
                      DocumentCase{TPrinterType::ptBoca, "5001", 25, {25}}));

TEST_F(TicketJobsTest, DocumentPagesLoseTheirTagsAndEmptyPages)
{
    TTicketJobList jobs = list(TPrinterType::ptTSP800);
    std::vector<std::string> doc = lines(25);
    doc[0] = "{C}{B}영수증{N}";
    doc.resize(75);  // a second page of empty lines, then one more line
    doc[74] = "{X}끝{S}";
    EXPECT_EQ(jobs.AddTicketData("05", "{Z}2024-01-05{S} {B}5001{N}", doc), 2);
    ASSERT_EQ(jobs.GetTicketCount(), 2);
    // The header keeps the tags that are not about size.
    EXPECT_EQ(jobs.GetTicketData(0, 0), "2024-01-05 {B}5001");
    EXPECT_EQ(jobs.GetTicketData(1, 0), "영수증");
    EXPECT_EQ(jobs.GetTicketData(25, 1), "끝");
    // A document line that begins like a master number is printed as it is.
    context.gsMasterMemberNo = "M1";
    std::vector<std::string> eleven(11, "x");
    eleven[10] = "M100 회원";
    jobs.AddTicketData("05", "h", eleven);
    EXPECT_EQ(jobs.GetTicketData(11, 2), "M100 회원");
}

TEST_F(TicketJobsTest, ListOperationsIgnoreIndexesOutsideTheList)
{
    TTicketJobList jobs = list(TPrinterType::ptTSP800);
    jobs.AddTicketData("01", {"a", "1"});
    jobs.AddTicketData("01", {"b", "2"});
    jobs.AddTicketData("01", {"c", "3"});
    EXPECT_EQ(jobs.GetTicketData(0, 3), "");
    EXPECT_EQ(jobs.GetTicketData(26, 0), "");
    jobs.DeleteTicketData(3);
    jobs.DeleteTicketData(-1);
    EXPECT_EQ(jobs.GetTicketCount(), 3);
    jobs.DeleteTicketData(1);
    EXPECT_EQ(jobs.GetTicketData(0, 1), "c");
    // A job keeps its id whatever goes before it.
    const std::uint64_t id = jobs.jobs()[1].JobId;
    jobs.DeleteTicketData(0);
    ASSERT_NE(jobs.find(id), nullptr);
    EXPECT_EQ(jobs.find(id)->Bill, "c");
    jobs.remove(id);
    EXPECT_EQ(jobs.find(id), nullptr);
    jobs.AddTicketData("01", {"d"});
    jobs.ClearTicketData();
    EXPECT_EQ(jobs.GetTicketCount(), 0);
}

// The kinds come from the ticket-type group of the common codes: item 3 of a
// code is its ticket type.
TEST(StoreTicketDataTest, ReadsKindsAndTheFirstOutlet)
{
    TTerminalContext context;
    ScriptedDialogService dialogs;
    TNoMasterServer noServer;
    TMasterStore store(context, dialogs, noServer);
    TCommonData kind;
    kind.Head = context.gsCommonTicketType;
    kind.Code = "05";
    kind.Item1 = "5";
    store.glCommonData.push_back(kind);
    kind.Head = "other";
    kind.Code = "01";
    store.glCommonData.push_back(kind);
    TUpjangData outlet;
    outlet.UpjangName = "솔바람 스키장";
    outlet.UpjangEngName = "Solbaram Ski";
    outlet.ReceiptRemark1 = "감사합니다";
    store.glUpjangData.push_back(outlet);

    const TStoreTicketData data(store, context);
    EXPECT_EQ(data.TicketTypeNumber("05"), 5);
    EXPECT_EQ(data.TicketTypeNumber("01"), 0);  // a code of another group
    EXPECT_EQ(data.FirstOutletName(), "솔바람 스키장");
    EXPECT_EQ(data.FirstOutletEngName(), "Solbaram Ski");
    EXPECT_EQ(data.ReceiptRemark1(), "감사합니다");
    EXPECT_EQ(data.ReceiptRemark2(), "");
}

TEST(NumberInTextTest, ReadsAmountsAndCounts)
{
    EXPECT_EQ(NumberInText("10,000원"), 10000);
    EXPECT_EQ(NumberInText(" 2 "), 2);
    EXPECT_EQ(NumberInText("-5,000원"), -5000);
    EXPECT_EQ(NumberInText("원"), 0);
    EXPECT_EQ(NumberInText(""), 0);
}

}  // namespace
}  // namespace pos
