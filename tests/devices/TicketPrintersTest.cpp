// The ticket printers over real pseudo-terminals: the terminal's devices and
// ticket drivers on one side, the virtual TSP800, Boca, Flotec and Star line
// printers on the other, decoding what they received on their own.

#include "QtTestApp.h"
#include "TicketFakes.h"
#include "VirtualDevices.h"

#include "core/DateHelpers.h"
#include "core/ScriptedDialogService.h"
#include "devices/BocaPrinter.h"
#include "devices/DeviceMessages.h"
#include "devices/Devices.h"
#include "devices/TicketPrinters.h"
#include "devices/TicketProgress.h"
#include "ReceiptImage.h"
#include "TicketImage.h"

#include <QDir>

#include <gtest/gtest.h>

#include <optional>
#include <map>
#include <set>

namespace pos {
namespace {

TDeviceTimings testTimings()
{
    TDeviceTimings t;
    t.statusDelayMs = 5;
    t.statusTimeoutMs = 300;
    t.blockPauseMs = 1;
    t.settleMs = 5;
    t.bocaStatusTimeoutMs = 300;
    t.bocaRetryPauseMs = 5;
    t.bocaAfterTicketMs = 20;
    return t;
}

std::vector<std::string> messages(const ScriptedDialogService& aDialogs)
{
    std::vector<std::string> out;
    for (const auto& s : aDialogs.shown) out.push_back(s.text);
    return out;
}

void savePicture(const QImage& aImage, const QString& aName)
{
    QDir().mkpath(POS_ARTIFACT_DIR);
    EXPECT_TRUE(aImage.save(QDir(POS_ARTIFACT_DIR).filePath(aName)));
}

struct NoOutletInfo final : TOutletPrintSource {
    TOutletPrintInfo OutletPrintInfo() const override { return {}; }
};
struct SilentBeeper final : TBeeper {
    void Beep(TBeepType) override {}
};

// Keeps every state of the list its journal was given: per bill text, the
// states it went through ("P" pending, "S" sending, "-" gone), repeats
// folded.
struct RecordingJournal final : TTicketJobStore {
    std::map<std::string, std::string> states;
    void SaveTicketJobs(const std::deque<TTicketData>& aJobs) override
    {
        std::set<std::string> present;
        for (const TTicketData& job : aJobs) {
            present.insert(job.Bill);
            add(job.Bill, job.State == TTicketJobState::Sending ? 'S' : 'P');
        }
        for (auto& [bill, seen] : states)
            if (!present.count(bill)) add(bill, '-');
    }
    void add(const std::string& aBill, char aState)
    {
        std::string& seen = states[aBill];
        if (seen.empty() || seen.back() != aState) seen += aState;
    }
};

// The terminal with printer 1 (and maybe printer 2) on virtual printers; the
// devices drive the ticket printers themselves.
class TicketPrintersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        paths.pattern = "/nonexistent/ttyV{n}";
        context.gsMasterUpjangCode = context.gsUpjangCode = "5001";
        context.gsMasterUpjangName = "솔바람";
        context.gsCEOName = "김대표";
        context.gsSaleDate = GetSysDate();
    }

    void make(TPrinterType aPrinter1, const std::string& aPath1, TPrinterType aPrinter2 = TPrinterType::ptNone,
              const std::string& aPath2 = {})
    {
        devices.reset();
        config = TDeviceConfig{};
        config.printer1.type = aPrinter1;
        config.printer1.enabled = aPrinter1 != TPrinterType::ptNone;
        config.printer1.port = 1;
        config.printer2.type = aPrinter2;
        config.printer2.enabled = aPrinter2 != TPrinterType::ptNone;
        config.printer2.port = 2;
        paths.ports[1] = aPath1;
        if (!aPath2.empty()) paths.ports[2] = aPath2;
        jobs = std::make_unique<TTicketJobList>(kinds, context, aPrinter1, journal);
        devices = std::make_unique<TDevices>(config, paths, context,
                                             TDeviceServices{cashier, outlet, beeper, *jobs, master, progress}, testTimings());
    }

    std::optional<bool> run(const std::function<void(TDevices::Done)>& aStart)
    {
        std::optional<bool> result;
        aStart([&result](bool aOk) { result = aOk; });
        if (!test::SpinUntil([&] { return result.has_value(); })) return std::nullopt;
        return result;
    }
    std::optional<bool> printTicket() { return run([&](auto done) { devices->PrintTicket(0, done); }); }

    // One ticket of kind aKind ("01" lift ... "05" page) named by its bill text.
    void addTicket(const std::string& aKind, const std::string& aBill, const std::string& aTitle)
    {
        jobs->AddTicketData(aKind, {aBill, aTitle, "종일권", GetSysDate(), "대인", "", "10,000원", "50300007"});
    }

    TTerminalContext context;
    ScriptedDialogService cashier;
    NoOutletInfo outlet;
    SilentBeeper beeper;
    test::FakeTicketKinds kinds;
    test::FakeTicketMaster master;
    TSerialPortPaths paths;
    TDeviceConfig config;
    RecordingJournal journal;
    TTicketPrintingModel progress;
    std::unique_ptr<TTicketJobList> jobs;
    std::unique_ptr<TDevices> devices;
};

// ---- TSP800 in page mode -------------------------------------------------------

TEST_F(TicketPrintersTest, Tsp800PrintsADocumentPageByPage)
{
    virt::TVirtualPagePrinter printer;
    ASSERT_TRUE(printer.open());
    make(TPrinterType::ptTSP800, printer.path().toStdString());
    ASSERT_EQ(run([&](auto done) { devices->DeviceInit(done); }), true);

    std::vector<std::string> lines = {"{C}{Z}영 수 증{S}", std::string(42, '='), " 상 품 명         수량      단가      금액",
                                      std::string(42, '-')};
    for (int i = 1; i <= 30; ++i) lines.push_back("김치찌개 " + std::to_string(i) + "          1     8,000     8,000");
    lines.push_back(std::string(42, '='));
    lines.push_back("합    계                              272,000");
    ASSERT_EQ(jobs->AddTicketData("05", "2024-01-05 12:34 5001-01-0012", lines), 2);
    ASSERT_EQ(printTicket(), true);
    EXPECT_TRUE(cashier.shown.empty());
    EXPECT_EQ(jobs->GetTicketCount(), 0);

    ASSERT_EQ(printer.pages().size(), 2u);
    const virt::TPagePrint& first = printer.pages()[0];
    EXPECT_EQ(first.length, 1980);
    EXPECT_FALSE(first.cut);  // more pages follow
    EXPECT_TRUE(printer.pages()[1].cut);
    EXPECT_EQ(first.fields.at(30).text, "       솔바람");
    EXPECT_EQ(first.fields.at(31).text, "김대표");
    EXPECT_EQ(first.fields.at(0).text, "2024-01-05 12:34 5001-01-0012");
    EXPECT_EQ(first.fields.at(1).text, "영 수 증");  // the tags are gone
    EXPECT_EQ(first.fields.at(1).y, 10 + 420 + 55);
    ASSERT_EQ(first.rules.count(2), 1u);
    EXPECT_EQ(first.rules.at(2).kind, 6);
    EXPECT_EQ(first.rules.at(4).kind, 2);
    EXPECT_EQ(first.fields.at(25).text, "김치찌개 21          1     8,000     8,000");
    // The second page is no receipt start: it sits lower.
    EXPECT_EQ(printer.pages()[1].fields.at(1).text, "김치찌개 22          1     8,000     8,000");
    EXPECT_EQ(printer.pages()[1].fields.at(30).y, 140);
    EXPECT_EQ(printer.pages()[1].rules.at(10).kind, 6);
    EXPECT_EQ(printer.statusRequests(), 3);  // start-up and one per page

    savePicture(virt::RenderPage(first), "tsp800-page1.png");
    savePicture(virt::RenderPage(printer.pages()[1]), "tsp800-page2.png");
}

TEST_F(TicketPrintersTest, Tsp800GivenATicketThatIsNoPageSaysSo)
{
    virt::TVirtualPagePrinter printer;
    ASSERT_TRUE(printer.open());
    make(TPrinterType::ptTSP800, printer.path().toStdString());
    ASSERT_EQ(run([&](auto done) { devices->DeviceInit(done); }), true);
    addTicket("01", "L1", "리프트");
    jobs->AddTicketData("05", "영수증", {"한 줄"});

    EXPECT_EQ(printTicket(), false);
    EXPECT_EQ(messages(cashier), std::vector<std::string>{MsgCannotPrintTicketKind(1)});
    // The page printed; the lift pass is still there for another printer.
    ASSERT_EQ(printer.pages().size(), 1u);
    EXPECT_EQ(printer.pages()[0].fields.at(1).text, "한 줄");
    EXPECT_TRUE(printer.pages()[0].cut);
    ASSERT_EQ(jobs->GetTicketCount(), 1);
    EXPECT_EQ(jobs->jobs()[0].TicketType, TTicketType::ttLift);
}

// ---- a failure in the middle, then the cashier prints again ----------------------

// ---- the progress window's model and the journal while tickets print ----------

TEST_F(TicketPrintersTest, ProgressShowsWhileTicketsPrintAndEachPageIsSendingFirst)
{
    virt::TVirtualPagePrinter printer;
    ASSERT_TRUE(printer.open());
    make(TPrinterType::ptTSP800, printer.path().toStdString());
    ASSERT_EQ(run([&](auto done) { devices->DeviceInit(done); }), true);
    for (const char* bill : {"B1", "B2", "B3"}) jobs->AddTicketData("05", bill, {"표"});
    std::vector<bool> told;
    progress.Observe([&](bool aVisible) { told.push_back(aVisible); });
    std::vector<std::string> counts;
    QObject::connect(&printer, &virt::TVirtualDevice::documentPrinted, [&](int) {
        counts.push_back(progress.visible() ? progress.CountText() : "hidden");
    });

    ASSERT_EQ(printTicket(), true);
    EXPECT_EQ(told, (std::vector<bool>{true, false}));
    ASSERT_EQ(counts.size(), 3u);
    EXPECT_EQ(counts.front(), "1 / 3");
    for (const char* bill : {"B1", "B2", "B3"}) EXPECT_EQ(journal.states[bill], "PS-") << bill;
}

TEST_F(TicketPrintersTest, AFailedRunHidesTheProgressAndLeavesItsTicketsPending)
{
    virt::TVirtualPagePrinter printer;
    ASSERT_TRUE(printer.open());
    make(TPrinterType::ptTSP800, printer.path().toStdString());
    ASSERT_EQ(run([&](auto done) { devices->DeviceInit(done); }), true);
    for (const char* bill : {"B1", "B2"}) jobs->AddTicketData("05", bill, {"표"});
    printer.setState(virt::TPrinterState::PaperOut);

    EXPECT_EQ(printTicket(), false);
    EXPECT_FALSE(progress.visible());
    EXPECT_EQ(jobs->GetTicketCount(), 2);
    // Nothing went to the printer: nothing is in doubt.
    EXPECT_EQ(journal.states["B1"], "P");
    EXPECT_EQ(journal.states["B2"], "P");
}

TEST_F(TicketPrintersTest, TheCashierStopsARunAfterTheTicketPrintingNow)
{
    virt::TVirtualPagePrinter page;
    ASSERT_TRUE(page.open());
    make(TPrinterType::ptTSP800, page.path().toStdString());
    ASSERT_EQ(run([&](auto done) { devices->DeviceInit(done); }), true);
    for (const char* bill : {"B1", "B2", "B3"}) jobs->AddTicketData("05", bill, {"표"});
    bool pressed = false;
    QObject::connect(&page, &virt::TVirtualPagePrinter::statusRequested, [&] {
        if (!pressed) progress.Cancel();
        pressed = true;
    });

    EXPECT_EQ(printTicket(), false);
    EXPECT_TRUE(cashier.shown.empty());  // stopping is no fault
    EXPECT_FALSE(progress.visible());
    EXPECT_EQ(page.pages().size(), 1u);
    EXPECT_EQ(jobs->GetTicketCount(), 2);

    // The next print is not stopped by the last one's cancel.
    EXPECT_EQ(printTicket(), true);
    EXPECT_EQ(page.pages().size(), 3u);
}

TEST_F(TicketPrintersTest, ALineTicketPrinterThatStaysOffLineCanBeStopped)
{
    virt::TVirtualReceiptPrinter line;
    ASSERT_TRUE(line.open());
    make(TPrinterType::ptTSP700, line.path().toStdString());
    ASSERT_EQ(run([&](auto done) { devices->DeviceInit(done); }), true);
    addTicket("03", "0112345", "눈썰매");  // printed as bill 12345
    line.setState(virt::TPrinterState::CoverOpen);
    // The cashier reads the third message and stops, instead of the ten
    // thousand the printer would otherwise be given.
    int checks = 0;
    QObject::connect(&line, &virt::TVirtualReceiptPrinter::statusRequested, [&] {
        if (++checks == 3) progress.Cancel();
    });

    EXPECT_EQ(printTicket(), false);
    EXPECT_EQ(cashier.shown.size(), 3u);
    EXPECT_EQ(jobs->GetTicketCount(), 1);
    EXPECT_EQ(journal.states["12345"], "P");
}

struct ResumeCase {
    const char* name;
    TPrinterType type;
};

class TicketResumeTest : public TicketPrintersTest, public ::testing::WithParamInterface<ResumeCase> {};

TEST_P(TicketResumeTest, EveryTicketPrintsExactlyOnce)
{
    const TPrinterType type = GetParam().type;
    virt::TVirtualPagePrinter page;
    virt::TVirtualBoca boca("printer1", type == TPrinterType::ptFlotec);
    virt::TVirtualReceiptPrinter line;
    // Per printer: its virtual device, how it fails and recovers, and the
    // bill texts of the tickets it has printed so far, read from what it
    // decoded.
    virt::TVirtualDevice* device = nullptr;
    std::function<void(bool)> working;
    std::function<std::vector<std::string>()> printed;
    switch (type) {
    case TPrinterType::ptTSP800:
        ASSERT_TRUE(page.open());
        make(type, page.path().toStdString());
        device = &page;
        working = [&](bool aOk) { page.setState(aOk ? virt::TPrinterState::Ready : virt::TPrinterState::PaperOut); };
        printed = [&] {
            std::vector<std::string> out;
            for (const auto& p : page.pages()) out.push_back(p.fields.at(0).text);
            return out;
        };
        break;
    case TPrinterType::ptTSP700:
        ASSERT_TRUE(line.open());
        make(type, line.path().toStdString());
        device = &line;
        working = [&](bool aOk) { line.setState(aOk ? virt::TPrinterState::Ready : virt::TPrinterState::NoReply); };
        printed = [&] {
            // The bill text is the last line of the stub, before the logo.
            std::vector<std::string> out;
            for (const auto& d : line.documents()) {
                const std::string body = d.readable.substr(0, d.readable.find("\n<LOGO"));
                out.push_back(body.substr(body.rfind('\n') + 1));
            }
            return out;
        };
        break;
    default: {
        ASSERT_TRUE(boca.open());
        make(type, boca.path().toStdString());
        device = &boca;
        working = [&](bool aOk) { boca.setState(aOk ? virt::TBocaState::Ready : virt::TBocaState::NoReply); };
        const int billRow = type == TPrinterType::ptBoca ? 500 : 470;
        printed = [&boca, billRow] {
            std::vector<std::string> out;
            for (const auto& t : boca.tickets()) out.push_back(t.at(billRow, 610) ? t.at(billRow, 610)->text : "?");
            return out;
        };
    }
    }
    ASSERT_EQ(run([&](auto done) { devices->DeviceInit(done); }), true);

    // Ten tickets (pages on the TSP800), each named by its bill text; the
    // ticket printers print the bill text from its third character.
    std::vector<std::string> bills;
    for (int i = 1; i <= 10; ++i) {
        bills.push_back("B" + std::to_string(100 + i));
        if (type == TPrinterType::ptTSP800) jobs->AddTicketData("05", bills.back(), {"표 " + std::to_string(i)});
        else addTicket("03", "XX" + bills.back(), "눈썰매");
    }

    // The printer fails right after the fourth ticket.
    QObject::connect(device, &virt::TVirtualDevice::documentPrinted, [&](int aIndex) {
        if (aIndex == 3) working(false);
    });
    EXPECT_EQ(printTicket(), false);
    EXPECT_FALSE(cashier.shown.empty());
    EXPECT_EQ(printed(), std::vector<std::string>(bills.begin(), bills.begin() + 4));
    ASSERT_EQ(jobs->GetTicketCount(), 6);
    EXPECT_EQ(jobs->jobs()[0].Bill, bills[4]);

    // The cashier puts the printer right and prints again.
    working(true);
    cashier.clear();
    EXPECT_EQ(printTicket(), true);
    EXPECT_TRUE(cashier.shown.empty());
    EXPECT_EQ(printed(), bills);
    EXPECT_EQ(jobs->GetTicketCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Printers, TicketResumeTest,
                         ::testing::Values(ResumeCase{"TSP800", TPrinterType::ptTSP800},
                                           ResumeCase{"Boca", TPrinterType::ptBoca},
                                           ResumeCase{"Flotec", TPrinterType::ptFlotec},
                                           ResumeCase{"TSP700", TPrinterType::ptTSP700}),
                         [](const auto& aInfo) { return aInfo.param.name; });

// ---- Boca and Flotec ---------------------------------------------------------------

TEST_F(TicketPrintersTest, BocaStartsUpAndPrintsEachKind)
{
    virt::TVirtualBoca boca;
    ASSERT_TRUE(boca.open());
    make(TPrinterType::ptBoca, boca.path().toStdString());
    ASSERT_EQ(run([&](auto done) { devices->DeviceInit(done); }), true);
    EXPECT_TRUE(devices->lbPrinter1Ready);
    EXPECT_EQ(boca.statusRequests(), 1);
    EXPECT_EQ(boca.startCommands(), 1);

    const std::string today = GetSysDate();
    jobs->AddTicketData("01", {"XX1001", "리프트", "3일권", today, "대인(성인)", "", "40,000원", "", "", "", "Y", "", "",
                               "K7"});
    jobs->AddTicketData("02", {"XX1002", "렌탈", "종일권", today, "소인", "", "20,000원", "", "", "", "", "", "", "", "",
                               "2"});
    jobs->AddTicketData("03", {"XX1003", "눈썰매", "", today, "대인"});
    jobs->AddTicketData("04", {"XX1004", "봅슬레이", "자유이용권", today, "소인", "", "20,000원", "", "", "", "", "", "",
                               "", "", "2"});
    jobs->AddTicketData("05", "영수증", {"김치찌개  1  8,000", "합계 8,000"});
    jobs->AddTicketData("02", {"XX1006", "렌탈"});  // no first day: passed over
    ASSERT_EQ(printTicket(), true);
    EXPECT_TRUE(cashier.shown.empty());
    EXPECT_EQ(jobs->GetTicketCount(), 0);

    const auto& t = boca.tickets();
    ASSERT_EQ(t.size(), 5u);
    const std::string day = today.substr(6, 2);
    auto text = [](const virt::TBocaTicket& aTicket, int aRow, int aColumn) {
        const virt::TBocaPrintField* f = aTicket.at(aRow, aColumn);
        return f ? f->text : std::string("<none>");
    };
    // Lift pass: a member pass, so no period; the bar code marks the member.
    EXPECT_EQ(text(t[0], 250, 140), "리프트");
    EXPECT_EQ(text(t[0], 420, 195), "회원3일대 ");
    EXPECT_EQ(text(t[0], 360, 270), day);
    EXPECT_EQ(t[0].at(360, 270)->font, 12);
    EXPECT_TRUE(t[0].at(250, 140)->storedFont);
    EXPECT_EQ(t[0].at(250, 140)->rotation, 270);
    EXPECT_EQ(text(t[0], 520, 580), "1001");
    EXPECT_TRUE(t[0].at(750, 670)->barcode);
    EXPECT_EQ(text(t[0], 750, 670), "*" + today + "9000*");  // kind 90: not one of the day passes
    EXPECT_FALSE(t[0].cut);  // more tickets follow
    // Rental: fill-in labels and persons.
    EXPECT_EQ(text(t[1], 520, 370), "신분증번호 :");
    EXPECT_EQ(text(t[1], 230, 570), "2권");
    // Etc: no kind text, so "이용권".
    EXPECT_EQ(text(t[2], 400, 230), "이용권");
    // Mini: upright, with its stub and unit price; always cut.
    EXPECT_EQ(t[3].at(10, 100)->rotation, 0);
    EXPECT_EQ(text(t[3], 200, 350), "단가:   10,000원");
    EXPECT_EQ(text(t[3], 320, 750), "1004");
    EXPECT_TRUE(t[3].cut);
    // Page: blanks made visible.
    EXPECT_EQ(text(t[4], 500, 70), "김치찌개__1__8,000");
    EXPECT_TRUE(t[4].cut);

    const char* names[] = {"boca-lift.png", "boca-rental.png", "boca-etc.png", "boca-mini.png", "boca-page.png"};
    for (std::size_t i = 0; i < t.size(); ++i) savePicture(virt::RenderBocaTicket(t[i]), names[i]);
}

TEST_F(TicketPrintersTest, FlotecPrintsAtItsOwnPlaces)
{
    virt::TVirtualBoca flotec("printer1", true);
    ASSERT_TRUE(flotec.open());
    make(TPrinterType::ptFlotec, flotec.path().toStdString());
    ASSERT_EQ(run([&](auto done) { devices->DeviceInit(done); }), true);
    EXPECT_EQ(flotec.startCommands(), 1);
    jobs->AddTicketData("01", {"XX2001", "리프트", "종일권", GetSysDate(), "대인", "", "", "", "", "", "", "", "", "K7"});
    ASSERT_EQ(printTicket(), true);
    ASSERT_EQ(flotec.tickets().size(), 1u);
    const virt::TBocaTicket& t = flotec.tickets()[0];
    ASSERT_NE(t.at(150, 880), nullptr);  // the day, large and upright-turned
    EXPECT_EQ(t.at(150, 880)->rotation, 90);
    EXPECT_EQ(t.at(150, 880)->height, 7);
    EXPECT_EQ(t.at(30, 980)->text, "K7");
    EXPECT_FALSE(t.at(220, 140)->storedFont);  // the Flotec has no stored font
    EXPECT_EQ(t.at(220, 140)->font, 3);
    EXPECT_TRUE(t.cut);
    savePicture(virt::RenderBocaTicket(t), "flotec-lift.png");
}

TEST_F(TicketPrintersTest, SilentBocaIsNotReadyAndTheWaitEnds)
{
    virt::TVirtualBoca boca;
    ASSERT_TRUE(boca.open());
    boca.setState(virt::TBocaState::NoReply);
    make(TPrinterType::ptBoca, boca.path().toStdString());
    ASSERT_EQ(run([&](auto done) { devices->DeviceInit(done); }), true);
    EXPECT_FALSE(devices->lbPrinter1Ready);
    EXPECT_EQ(boca.startCommands(), 0);
    EXPECT_EQ(messages(cashier), std::vector<std::string>{MsgNoAnswer(1)});

    cashier.clear();
    addTicket("03", "XX3001", "눈썰매");
    EXPECT_EQ(printTicket(), false);
    std::vector<std::string> expected(kBocaReadyChecks, MsgNoAnswer(1));
    expected.push_back(kMsgCannotPrint);
    EXPECT_EQ(messages(cashier), expected);
    EXPECT_EQ(boca.statusRequests(), 1 + kBocaReadyChecks);
    EXPECT_TRUE(boca.tickets().empty());
    EXPECT_EQ(jobs->GetTicketCount(), 1);
}

TEST_F(TicketPrintersTest, JammedBocaTicketIsPrintedAgain)
{
    virt::TVirtualBoca boca;
    ASSERT_TRUE(boca.open());
    make(TPrinterType::ptBoca, boca.path().toStdString());
    ASSERT_EQ(run([&](auto done) { devices->DeviceInit(done); }), true);
    addTicket("03", "XX4001", "눈썰매");
    addTicket("03", "XX4002", "눈썰매");
    boca.setState(virt::TBocaState::JamOnce);  // the first ticket jams in the cutter
    ASSERT_EQ(printTicket(), true);
    ASSERT_EQ(boca.tickets().size(), 3u);
    EXPECT_EQ(boca.tickets()[0].at(500, 610)->text, "4001");
    EXPECT_EQ(boca.tickets()[1].at(500, 610)->text, "4001");
    EXPECT_EQ(boca.tickets()[2].at(500, 610)->text, "4002");
    EXPECT_TRUE(boca.tickets()[2].cut);
    // The jam was told to the cashier as it happened.
    EXPECT_EQ(messages(cashier), std::vector<std::string>{"프린터(COM1) 용지가 걸렸습니다."});
    EXPECT_EQ(jobs->GetTicketCount(), 0);
}

TEST_F(TicketPrintersTest, BocaThatAnswersAStatusIsNotReady)
{
    virt::TVirtualBoca boca;
    ASSERT_TRUE(boca.open());
    boca.setState(virt::TBocaState::PaperOut);
    make(TPrinterType::ptBoca, boca.path().toStdString());
    ASSERT_EQ(run([&](auto done) { devices->DeviceInit(done); }), true);
    EXPECT_FALSE(devices->lbPrinter1Ready);
    ASSERT_TRUE(test::SpinUntil([&] { return !cashier.shown.empty(); }));
    EXPECT_EQ(messages(cashier), std::vector<std::string>{"프린터(COM1) 용지가 없거나 잘못 끼워져 있습니다."});
}

// ---- Star line mode ------------------------------------------------------------

TEST_F(TicketPrintersTest, Tsp700TicketsAndAPackageOfTwo)
{
    virt::TVirtualReceiptPrinter printer;
    ASSERT_TRUE(printer.open());
    make(TPrinterType::ptTSP700, printer.path().toStdString());
    master.remark1 = "즐거운 하루 되세요";
    ASSERT_EQ(run([&](auto done) { devices->DeviceInit(done); }), true);
    jobs->AddTicketData("01", {"2024-01-05 12:34 5001-01-0012-0001", "스키리프트", "종일권", "20240105", "대인(성인)",
                               "", "50,000원", "", "", "", "Y", "1234", "홍길동", "", "3"});
    jobs->AddTicketData("08", {"2024-01-05 12:34 5001-01-0012-0002", "패키지", "종일권", "20240105", "대인", "",
                               "30,000원", "50300270"});
    jobs->AddTicketData("06", {"x", "식권"});  // no layout on this printer
    EXPECT_EQ(printTicket(), false);
    EXPECT_EQ(messages(cashier), std::vector<std::string>{MsgCannotPrintTicketKind(1)});
    ASSERT_EQ(jobs->GetTicketCount(), 1);
    EXPECT_EQ(jobs->jobs()[0].TicketType, TTicketType::ttFnB);

    ASSERT_EQ(printer.documents().size(), 3u);
    const std::string& lift = printer.documents()[0].readable;
    EXPECT_TRUE(lift.starts_with("{Z}     스키리프트{S}\n {3}   01.05-07{S}\n{Z}     회원종일권{S}\n")) << lift;
    EXPECT_NE(lift.find("\n240105123450010100120001\n\n{X}     스키리프트{S}\n"), std::string::npos) << lift;
    EXPECT_TRUE(lift.ends_with("<LOGO 1><CUT feed and partial>\n"));
    EXPECT_NE(printer.documents()[1].readable.find("{X}  [ ] 물썰매{S}"), std::string::npos);
    EXPECT_NE(printer.documents()[2].readable.find("{X}  식사 이용권  {S}"), std::string::npos);
    // The outlet's remark comes after each cut, at the head of the next paper.
    EXPECT_TRUE(printer.documents()[1].readable.starts_with("즐거운 하루 되세요\n"));

    virt::TRenderOptions o;
    savePicture(virt::RenderReceipt(printer.documents()[0], o), "tsp700-lift.png");
    savePicture(virt::RenderReceipt(printer.documents()[2], o), "tsp700-package-meal.png");
}

TEST_F(TicketPrintersTest, PrinterTwoTakesItsKindsFirst)
{
    virt::TVirtualPagePrinter page;
    virt::TVirtualReceiptPrinter second("printer2");
    ASSERT_TRUE(page.open());
    ASSERT_TRUE(second.open());
    make(TPrinterType::ptTSP800, page.path().toStdString(), TPrinterType::ptTSP600, second.path().toStdString());
    ASSERT_EQ(run([&](auto done) { devices->DeviceInit(done); }), true);
    jobs->AddTicketData("02", {"bill 1", "렌탈", "종일권", "20240105", "대인", "", "20,000원"});
    jobs->AddTicketData("05", "영수증", {"렌탈 1  20,000"});
    ASSERT_EQ(printTicket(), true);
    EXPECT_TRUE(cashier.shown.empty());
    ASSERT_EQ(second.documents().size(), 1u);
    EXPECT_NE(second.documents()[0].readable.find("{Y}   신분증번호 :\n"), std::string::npos);
    EXPECT_TRUE(second.documents()[0].readable.ends_with("bill 1\n<LOGO 1><CUT partial>\n"));
    ASSERT_EQ(page.pages().size(), 1u);
    EXPECT_EQ(page.pages()[0].fields.at(1).text, "렌탈 1  20,000");
    EXPECT_EQ(jobs->GetTicketCount(), 0);
}

TEST_F(TicketPrintersTest, SecondRequestWhilePrintingJoinsTheRun)
{
    virt::TVirtualPagePrinter printer;
    ASSERT_TRUE(printer.open());
    make(TPrinterType::ptTSP800, printer.path().toStdString());
    ASSERT_EQ(run([&](auto done) { devices->DeviceInit(done); }), true);
    jobs->AddTicketData("05", "첫째", {"1"});
    std::vector<bool> results;
    devices->PrintTicket(0, [&](bool ok) { results.push_back(ok); });
    jobs->AddTicketData("05", "둘째", {"2"});
    devices->PrintTicket(0, [&](bool ok) { results.push_back(ok); });
    ASSERT_TRUE(test::SpinUntil([&] { return results.size() == 2; }));
    EXPECT_EQ(results, (std::vector<bool>{true, true}));
    ASSERT_EQ(printer.pages().size(), 2u);
    EXPECT_EQ(printer.pages()[1].fields.at(0).text, "둘째");
}

}  // namespace
}  // namespace pos
