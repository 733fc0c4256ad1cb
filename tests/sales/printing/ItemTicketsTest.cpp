// The tickets of a stored bill, from hand-computed bills at the ski ticket
// office: what each ticket carries, and when a bill gives none.

#include "TicketFakes.h"

#include "core/ScriptedDialogService.h"
#include "core/TerminalContext.h"
#include "devices/TicketJobs.h"
#include "sales/SaleList.h"
#include "sales/printing/DeviceBillPrinter.h"
#include "sales/printing/ItemTickets.h"
#include "sales/recording/Settlement.h"
#include "store/MasterStore.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace pos::test {
namespace {

// A resident registration number with a valid check digit, and its mask.
constexpr const char* kResidentNo = "8001011234560";
constexpr const char* kHeader = "2026-12-09 10:30 5001-01-0007  담당:김철수";

std::string joined(const std::vector<std::string>& aValues)
{
    std::string out;
    for (std::size_t i = 0; i < aValues.size(); ++i) out += (i ? "|" : "") + aValues[i];
    return out;
}

class ItemTicketsTest : public ::testing::Test {
public:
    ItemTicketsTest()
    {
        ctx.gbSki = true;
        ctx.gsToday = ctx.gsSaleDate = "20261209";
        ctx.gsMasterUpjangCode = ctx.gsUpjangCode = "5001";
        upjang("5001", "리프트", true);
        upjang("5002", "렌탈샵", true);
        upjang("5099", "스키패키지", false);
        common(ctx.gsCommonTicketKind, "33", "종일권", "1");
        common(ctx.gsCommonTicketKind, "41", "렌탈 1일", "1");
        common(ctx.gsCommonGuestType, "001", "일반", "", "N");
        common(ctx.gsCommonGuestType, "100", "직원", "", "Y");
        const int day = store.AddCalendarData();
        store.SetCalendarData(day, CalendarItem::Date, "20261209");
        store.SetCalendarData(day, CalendarItem::SecretCode, "K7");
    }

    void upjang(const char* aCode, const char* aName, bool aTickets)
    {
        const int u = store.AddUpjangData();
        store.SetUpjangData(u, UpjangItem::UpjangCode, aCode);
        store.SetUpjangData(u, UpjangItem::UpjangName, aName);
        store.SetUpjangData(u, UpjangItem::TicketPrtYN, aTickets ? "Y" : "N");
    }
    void common(const std::string& aHead, const char* aCode, const char* aName, const char* aItem4,
                const char* aItem7 = "")
    {
        const int c = store.AddCommonData();
        store.SetCommonData(c, CommonItem::Head, aHead);
        store.SetCommonData(c, CommonItem::Code, aCode);
        store.SetCommonData(c, CommonItem::CodeName, aName);
        store.SetCommonData(c, 4, aItem4);
        store.SetCommonData(c, 7, aItem7);
    }

    // A stored line: aCount units for aSale won in all, under row aSeq.
    TStoredLine& line(const char* aOutlet, const char* aCode, const char* aName, int aCount, std::int64_t aSale,
                      const char* aKind, const char* aTicketKind, int aSeq)
    {
        TSaleList& l = lines.emplace_back();
        l.UpjangCode = aOutlet;
        l.MenuCode = aCode;
        l.MenuName = aName;
        l.SaleCount = Currency(aCount);
        l.SaleAmt = Currency(aSale);
        l.TicketType = aKind;
        l.TicketKind = aTicketKind;
        l.GuestType = "001";
        TStoredLine stored;
        stored.line = &l;
        stored.sale = Currency(aSale);
        stored.seq = aSeq;
        stored.guestType = "001";
        bill.sale.lines.push_back(stored);
        return bill.sale.lines.back();
    }

    std::vector<std::string> tickets()
    {
        std::vector<std::string> out;
        for (const TItemTicket& t : ItemTicketsOf(ctx, store, printers, bill, kHeader))
            out.push_back(t.kind + (t.merge ? " merge" : "") + ": " + joined(t.values));
        return out;
    }

    TTerminalContext ctx;
    ScriptedDialogService dialogs;
    TNoMasterServer noServer;
    TMasterStore store{ctx, dialogs, noServer};
    std::deque<TSaleList> lines;
    TStoredBill bill;
    TPrinters printers{TPrinterType::ptBoca, TPrinterType::ptNone};
};

TEST_F(ItemTicketsTest, EachUnitOfEachLineIsATicket)
{
    line("5001", "50010001", "대인 종일권", 2, 100000, "01", "33", 1);
    line("5002", "50020001", "대인 스키렌탈", 1, 27000, "02", "41", 2);
    lines.back().DCRate = 10;
    // A member of the staff with a resident number as additional number.
    TStoredLine& member = line("5001", "50010002", "대인 종일권", 1, 50000, "01", "33", 3);
    member.guestType = "104";
    member.memberAddNo = kResidentNo;
    member.acceptMemberNo = "M-7";
    lines.back().GuestType = "104";
    lines.back().MemberName = "홍길동";
    // Without an additional number the accepted member number shows.
    TStoredLine& accepted = line("5001", "50010002", "대인 종일권", 1, 50000, "01", "33", 4);
    accepted.acceptMemberNo = "M-8";

    EXPECT_EQ(tickets(), (std::vector<std::string>{
        "01: 2026-12-09 10:30 5001-01-0007-0002|리프트|종일권|20261209|대인 종일권|일반|50,000원|50010001|0%|001|N|||K7|1",
        "01: 2026-12-09 10:30 5001-01-0007-0002|리프트|종일권|20261209|대인 종일권|일반|50,000원|50010001|0%|001|N|||K7|1",
        "02: 2026-12-09 10:30 5001-01-0007-0003|렌탈샵|렌탈 1일|20261209|대인 스키렌탈|일반|27,000원|50020001|10%|001|N|||K7|1",
        "01: 2026-12-09 10:30 5001-01-0007-0004|리프트|종일권|20261209|대인 종일권|직원|50,000원|50010002|0%|104|Y|"
        "8001011XXXXX0|홍길동|K7|1",
        "01: 2026-12-09 10:30 5001-01-0007-0005|리프트|종일권|20261209|대인 종일권|일반|50,000원|50010002|0%|001|N|"
        "M-8||K7|1",
    }));
}

TEST_F(ItemTicketsTest, APackageGivesALiftTicketPerComponentAndUnit)
{
    TStoredLine& package = line("5099", "9901", "1박2일 패키지", 2, 300000, "01", "33", 1);
    package.components = {{"5001", "50010001", Currency(50000)}, {"5002", "50020001", Currency(27000)}};
    lines.back().TicketType = "";  // the package goods carry no ticket kind of their own

    const std::string lift = "01: 2026-12-09 10:30 5001-01-0007-0002|리프트|종일권|20261209|1박2일 패키지|일반|0원|"
                             "50010001|0%|001|N|||K7|1";
    const std::string rental = "01: 2026-12-09 10:30 5001-01-0007-0002|렌탈샵|종일권|20261209|1박2일 패키지|일반|0원|"
                               "50020001|0%|001|N|||K7|1";
    EXPECT_EQ(tickets(), (std::vector<std::string>{lift, lift, rental, rental}));
}

TEST_F(ItemTicketsTest, BillsThatGiveNoTickets)
{
    struct Case {
        const char* name;
        std::function<void(ItemTicketsTest&)> change;
    };
    const std::vector<Case> cases = {
        {"return", [](ItemTicketsTest& t) { t.ctx.giSaleGubun = 2; }},
        {"cancelled", [](ItemTicketsTest& t) { t.bill.cancelled = true; }},
        {"receipt printer only", [](ItemTicketsTest& t) { t.printers = {TPrinterType::ptTSP600, TPrinterType::ptNone}; }},
        {"page printer", [](ItemTicketsTest& t) { t.printers = {TPrinterType::ptTSP800, TPrinterType::ptNone}; }},
    };
    line("5001", "50010001", "대인 종일권", 2, 100000, "01", "33", 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TTerminalContext savedCtx = ctx;
        const TStoredBill savedBill = bill;
        const TPrinters savedPrinters = printers;
        c.change(*this);
        EXPECT_TRUE(tickets().empty());
        ctx = savedCtx, bill = savedBill, printers = savedPrinters;
    }
    // A TSP600 at printer 2 prints them, and so does a TSP700 at either.
    for (const TPrinters p : {TPrinters{TPrinterType::ptTSP600, TPrinterType::ptTSP600},
                              TPrinters{TPrinterType::ptTSP700, TPrinterType::ptNone},
                              TPrinters{TPrinterType::ptNone, TPrinterType::ptTSP700}}) {
        printers = p;
        EXPECT_EQ(tickets().size(), 2u);
    }
}

// The plan's devices: every printer answers at once that all went well.
struct AllPrinted final : TPrintDevices {
    TPrinters Printers() const override { return {TPrinterType::ptBoca, TPrinterType::ptNone}; }
    void PrintReceipt(int, const std::string&, Done aDone) override { aDone(true); }
    void PrintTickets(Done aDone) override { aDone(true); }
    void OpenCashDrawer(Done aDone) override { aDone(true); }
};

TEST_F(ItemTicketsTest, CombinedTicketsMergeIntoOneForTheWholeLine)
{
    bill.commands.groupPrintMode = TGroupPrintMode::Tickets;
    bill.commands[TSaleCommand::GroupPrint].down = true;
    line("5001", "50010001", "대인 종일권", 2, 100000, "01", "33", 1);
    const std::vector<TItemTicket> made = ItemTicketsOf(ctx, store, printers, bill, kHeader);
    ASSERT_EQ(made.size(), 2u);
    EXPECT_TRUE(made[0].merge);
    EXPECT_EQ(made[0].values[0], "2026-12-09 10:30 5001-01-0007-0000");

    TPrintPlan plan;
    for (const TItemTicket& t : made) plan.push_back(ItemTicketJob(t.kind, t.values, t.merge));
    FakeTicketKinds kinds;
    TNoTicketJournal journal;
    TTicketJobList jobs(kinds, ctx, TPrinterType::ptBoca, journal);
    AllPrinted devices;
    RunPrintPlan(plan, ctx, devices, jobs, dialogs, TPlanKind::Bill);
    ASSERT_EQ(jobs.GetTicketCount(), 1);
    EXPECT_EQ(jobs.GetTicketData(15, 0), "2");
    EXPECT_EQ(jobs.GetTicketData(6, 0), "100,000원");
    EXPECT_TRUE(dialogs.shown.empty());  // nothing failed: nothing to say
}

TEST(TicketMemberNoTest, OnlyAResidentNumberIsMasked)
{
    EXPECT_EQ(TicketMemberNo(kResidentNo), "8001011XXXXX0");
    EXPECT_EQ(TicketMemberNo("8001011234567"), "8001011234567");  // wrong check digit: no resident number
    EXPECT_EQ(TicketMemberNo("12345"), "12345");
}

}  // namespace
}  // namespace pos::test
