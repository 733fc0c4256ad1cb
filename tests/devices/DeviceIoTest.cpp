// The drivers over real pseudo-terminals and loopback TCP, against the
// virtual devices.

#include "ByteText.h"
#include "QtTestApp.h"
#include "TicketFakes.h"
#include "VirtualDevices.h"

#include "core/ScriptedDialogService.h"
#include "core/TextHelpers.h"
#include "devices/DeviceMessages.h"
#include "devices/Devices.h"
#include "devices/PrintMarkup.h"
#include "devices/TicketProgress.h"

#include <gtest/gtest.h>

#include <optional>

namespace pos {
namespace {

using test::Hex;
using test::ToHex;
using virt::TPrinterState;

// A cashier who fixes the printer when told to.
class Cashier : public ScriptedDialogService {
public:
    std::function<void()> onError;
    void ErrBox(const std::string& aMsg, bool aBeep, int aShowSecond) override
    {
        ScriptedDialogService::ErrBox(aMsg, aBeep, aShowSecond);
        if (onError) onError();
    }
    std::vector<std::string> messages() const
    {
        std::vector<std::string> out;
        for (const Shown& s : shown) out.push_back(s.text);
        return out;
    }
};

TDeviceTimings testTimings()
{
    TDeviceTimings t;
    t.statusDelayMs = 5;
    t.statusTimeoutMs = 1000;
    t.blockPauseMs = 1;
    t.settleMs = 5;
    t.easyCheckTimeoutMs = 1000;
    return t;
}

std::string wire(const std::string& aText)
{
    std::string out;
    for (const TWireBlock& b : SplitIntoBlocks(ComposeStarJob(aText, true, "", ""))) out += b.bytes;
    return out;
}

const std::string kStatusRequest = Hex("1B 06 01");
const std::string kPaperOut = "프린터(COM1) 용지가 없거나 잘못 끼워져 있습니다.";

// The outlet's print information as the test sets it, and a speaker that
// counts.
struct TestOutlet final : TOutletPrintSource {
    TOutletPrintInfo OutletPrintInfo() const override { return info; }
    TOutletPrintInfo info;
};
struct TestBeeper final : TBeeper {
    void Beep(TBeepType aType) override { beeps.push_back(aType); }
    std::vector<TBeepType> beeps;
};

class DeviceIoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(printer.open());
        paths.pattern = "/nonexistent/ttyV{n}";
        paths.ports[1] = printer.path().toStdString();
        context.gsMasterUpjangCode = "3001";
        context.gsMasterPosNo = "05";
    }

    TDeviceConfig config(TPrinterType aPrinter1, TPrinterType aPrinter2 = TPrinterType::ptNone)
    {
        TDeviceConfig c;
        c.printer1.type = aPrinter1;
        c.printer1.enabled = aPrinter1 != TPrinterType::ptNone;
        c.printer1.port = 1;
        c.printer2.type = aPrinter2;
        c.printer2.enabled = aPrinter2 != TPrinterType::ptNone;
        c.printer2.port = 2;
        return c;
    }

    void make(const TDeviceConfig& aConfig)
    {
        devices.reset();
        devices = std::make_unique<TDevices>(aConfig, paths, context, TDeviceServices{cashier, outlet, beeper, ticketJobs, ticketMaster, ticketProgress},
                                             testTimings());
    }

    // An asynchronous operation run to its end.
    std::optional<bool> run(const std::function<void(TDevices::Done)>& aStart)
    {
        std::optional<bool> result;
        aStart([&result](bool aOk) { result = aOk; });
        if (!test::SpinUntil([&] { return result.has_value(); })) return std::nullopt;
        return result;
    }

    TTerminalContext context;
    Cashier cashier;
    TestOutlet outlet;
    TestBeeper beeper;
    test::FakeTicketKinds ticketKinds;
    test::FakeTicketMaster ticketMaster;
    TNoTicketJournal ticketJournal;
    TTicketJobList ticketJobs{ticketKinds, context, TPrinterType::ptNone, ticketJournal};
    TTicketPrintingModel ticketProgress;
    virt::TVirtualReceiptPrinter printer{"printer1"};
    TSerialPortPaths paths;
    std::unique_ptr<TDevices> devices;
};

TEST_F(DeviceIoTest, StatusCheckInEveryPrinterState)
{
    struct Case {
        TPrinterState state;
        bool onLine;
        const char* message;  // nullptr: none
    };
    const Case cases[] = {
        {TPrinterState::Ready, true, nullptr},
        // The answer comes in two reads; it is one answer.
        {TPrinterState::SplitReply, true, nullptr},
        {TPrinterState::PaperOut, false, "프린터(COM1) 용지가 없거나 잘못 끼워져 있습니다."},
        {TPrinterState::CoverOpen, false, "프린터(COM1) 덮개가 열려 있습니다."},
        {TPrinterState::OffLine, false, "프린터(COM1)가 Off Line 상태입니다."},
        {TPrinterState::NoReply, false, "프린터(COM1) 전원이 꺼져있거나 응답이 없습니다."},
        // The newer firmware answers in nine bytes.
        {TPrinterState::NineByteReply, true, nullptr},
        {TPrinterState::CutterError, false, "프린터(COM1) 커터에 문제가 있습니다."},
        {TPrinterState::HeadError, false, "프린터(COM1) 헤드 온도가 높습니다.\r전원을 끄고 10분 후 다시 시도하십시오."},
        {TPrinterState::Unrecoverable, false, "프린터(COM1)에 심각한 문제가 있습니다.\r전원을 껐다 다시 켜십시오."},
        {TPrinterState::BufferFull, false, "프린터(COM1) 버퍼가 꽉 찼습니다.\r잠시 후 다시 시도하십시오."},
    };
    // The newer firmware answers every state in nine bytes; the message is
    // the same (its first seven bytes are the older answer).
    for (const bool nineBytes : {false, true}) {
        printer.setNineByteReplies(nineBytes);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(virt::StateName(c.state)) + (nineBytes ? " in nine bytes" : ""));
            cashier.clear();
            printer.setState(c.state);
            make(config(TPrinterType::ptTSP600));
            EXPECT_EQ(run([&](auto done) { devices->InitTSP600(done); }), c.onLine);
            if (c.message) EXPECT_EQ(cashier.messages(), std::vector<std::string>{c.message});
            else EXPECT_TRUE(cashier.messages().empty());
        }
    }
    EXPECT_EQ(printer.statusRequests(), 22);
}

TEST_F(DeviceIoTest, PrinterTwoSpeaksOfComTwo)
{
    paths.ports[2] = printer.path().toStdString();
    paths.ports.erase(1);
    printer.setState(TPrinterState::OffLine);
    make(config(TPrinterType::ptNone, TPrinterType::ptTSP600));
    EXPECT_EQ(run([&](auto done) { devices->InitTSP600_2(done); }), false);
    EXPECT_EQ(cashier.messages(), std::vector<std::string>{"프린터(COM2)가 Off Line 상태입니다."});
}

TEST_F(DeviceIoTest, JobsOnOnePortRunInOrderAndNeverMix)
{
    TDeviceConfig c = config(TPrinterType::ptTSP600);
    c.cashDrawer = true;
    make(c);
    ASSERT_EQ(run([&](auto done) { devices->InitTSP600(done); }), true);
    const std::size_t before = printer.raw().size();
    std::vector<bool> busy;
    QObject::connect(devices.get(), &TDevices::busyChanged, [&](bool b) { busy.push_back(b); });

    // The second receipt and the drawer come while the first job still
    // waits for its printer (as from a timer or another screen).
    const std::string first = "{C}{Z}영수증{S}\r김치찌개          1     8,000\r";
    const std::string second = "두 번째 영수증\r";
    std::vector<bool> results;
    devices->PrintReceipt1(first, [&](bool ok) { results.push_back(ok); });
    EXPECT_TRUE(devices->busy());
    devices->PrintReceipt1(second, [&](bool ok) { results.push_back(ok); });
    EXPECT_TRUE(devices->OpenCashDrawer([&](bool ok) { results.push_back(ok); }));
    ASSERT_TRUE(test::SpinUntil([&] { return results.size() == 3 && printer.drawerKicks() == 1; }));

    EXPECT_EQ(results, (std::vector<bool>{true, true, true}));
    EXPECT_FALSE(devices->busy());
    EXPECT_EQ(busy, (std::vector<bool>{true, false}));
    EXPECT_EQ(ToHex(printer.raw().substr(before)), ToHex(kStatusRequest + wire(first) + kStatusRequest +
                                                          kStatusRequest + wire(second) + kStatusRequest + "\x1c"));
    ASSERT_EQ(printer.documents().size(), 2u);
    EXPECT_EQ(printer.documents()[0].readable, "{C}{Z}영수증{S}\n김치찌개          1     8,000\n<LOGO 1><CUT partial>\n");
    // The line end after a cut feeds the next paper first.
    EXPECT_EQ(printer.documents()[1].readable, "\n두 번째 영수증\n<LOGO 1><CUT partial>\n");
    EXPECT_TRUE(cashier.messages().empty());

    // A caller that needs the answer before it goes on.
    EXPECT_TRUE(WaitForDone([&](auto done) { devices->CheckTSP600(done); }));
}

TEST_F(DeviceIoTest, LongReceiptGoesOutInBlocksAndArrivesWhole)
{
    make(config(TPrinterType::ptTSP600));
    outlet.info = TOutletPrintInfo{"감사합니다", "", "", ""};
    ASSERT_EQ(run([&](auto done) { devices->InitTSP600(done); }), true);
    std::string text;
    for (int i = 1; i <= 45; ++i) text += "상품 " + std::to_string(i) + "\r";
    ASSERT_EQ(run([&](auto done) { devices->PrintReceipt1(text, done); }), true);
    ASSERT_EQ(printer.documents().size(), 1u);
    EXPECT_EQ(printer.documents()[0].lines.size(), 46u);  // 45 lines and the logo
    // The remark prints at the head of the next paper.
    EXPECT_EQ(printer.pendingText(), "감사합니다\n");
}

TEST_F(DeviceIoTest, FailedChecksAreRetriedThenTheJobGivesUp)
{
    printer.setState(TPrinterState::PaperOut);
    make(config(TPrinterType::ptTSP600));
    run([&](auto done) { devices->InitTSP600(done); });
    cashier.clear();
    std::size_t before = printer.raw().size();

    EXPECT_EQ(run([&](auto done) { devices->PrintTSP600("x\r", 2, true, done); }), false);
    EXPECT_EQ(cashier.messages(), (std::vector<std::string>{kPaperOut, kPaperOut, kMsgCannotPrint}));
    EXPECT_EQ(ToHex(printer.raw().substr(before)), ToHex(kStatusRequest + kStatusRequest));  // nothing printed

    // No attempts allowed: the printer is not even asked.
    cashier.clear();
    before = printer.raw().size();
    EXPECT_EQ(run([&](auto done) { devices->PrintTSP600("x\r", 0, true, done); }), false);
    EXPECT_EQ(cashier.messages(), std::vector<std::string>{kMsgCannotPrint});
    EXPECT_EQ(printer.raw().size(), before);

    // The cashier puts paper in after the first message: the next check
    // passes and the receipt prints.
    cashier.clear();
    cashier.onError = [&] { printer.setState(TPrinterState::Ready); };
    EXPECT_EQ(run([&](auto done) { devices->PrintReceipt1("종이 넣음\r", done); }), true);
    EXPECT_EQ(cashier.messages(), std::vector<std::string>{kPaperOut});
    ASSERT_EQ(printer.documents().size(), 1u);
}

TEST_F(DeviceIoTest, PortThatWillNotOpenIsReportedThenFailsQuietly)
{
    paths.ports[1] = "/nonexistent/ttyV1";
    make(config(TPrinterType::ptTSP600));
    EXPECT_EQ(run([&](auto done) { devices->InitTSP600(done); }), false);
    EXPECT_EQ(cashier.messages(), std::vector<std::string>{"프린터(COM1) 포트를 열 수 없습니다."});
    cashier.clear();
    EXPECT_EQ(run([&](auto done) { devices->PrintReceipt1("x\r", done); }), false);
    EXPECT_EQ(cashier.messages(), std::vector<std::string>{kMsgCannotPrint});
    EXPECT_FALSE(devices->OpenCashDrawer());
}

TEST_F(DeviceIoTest, EasyCheckWaitsForTheWholeAcknowledgement)
{
    virt::TVirtualEasyCheck terminal;
    ASSERT_TRUE(terminal.open());
    paths.ports[2] = terminal.path().toStdString();
    make(config(TPrinterType::ptTSP600, TPrinterType::ptEasyCheck));
    context.gsCEOName = "김대표";
    context.gsSaupName = "오르보리조트";
    outlet.info = TOutletPrintInfo{"감사합니다", "", "T100", "본관"};
    ASSERT_TRUE(devices->InitEasyCheck());
    const TEasyCheckSlip slip{12, true, 11000, "1234567812345678", "2712", 0, "A123", "신한", "비씨카드", "M99",
                              "20240105"};
    const TEasyCheckHeader header{"3001", "05", "김대표", "오르보리조트", "", "", "", "T100", "본관", "감사합니다"};

    struct Case {
        virt::TEasyCheckReply reply;
        bool ok;
    };
    for (const Case& c : {Case{virt::TEasyCheckReply::Ack, true}, Case{virt::TEasyCheckReply::SplitAck, true},
                          Case{virt::TEasyCheckReply::Nak, false}, Case{virt::TEasyCheckReply::NoReply, false}}) {
        SCOPED_TRACE(int(c.reply));
        cashier.clear();
        terminal.setReply(c.reply);
        EXPECT_EQ(run([&](auto done) { devices->PrintEasyCheck(slip, done); }), c.ok);
        if (c.ok) EXPECT_TRUE(cashier.messages().empty());
        else EXPECT_EQ(cashier.messages(), std::vector<std::string>{kMsgEasyCheckNoAnswer});
        ASSERT_FALSE(terminal.frames().empty());
        EXPECT_EQ(ToHex(terminal.frames().back()), ToHex(BuildEasyCheckFrame(slip, header)));
    }
    EXPECT_EQ(terminal.frames().size(), 4u);
    EXPECT_NE(terminal.readable().find("신용구매"), std::string::npos);

    // Printer 2 is no card terminal: nothing to do, and that is fine.
    make(config(TPrinterType::ptTSP600, TPrinterType::ptTSP600));
    EXPECT_EQ(run([&](auto done) { devices->PrintEasyCheck(slip, done); }), true);
    EXPECT_EQ(terminal.frames().size(), 4u);
}

TEST_F(DeviceIoTest, KitchenPrinterOverLoopbackReachableAndNot)
{
    virt::TVirtualKitchenPrinter kitchen;
    ASSERT_TRUE(kitchen.listen());
    TDeviceConfig c = config(TPrinterType::ptTSP600, TPrinterType::ptSRP350);
    c.kitchenHost = "127.0.0.1";
    c.kitchenPort = kitchen.port();
    make(c);

    EXPECT_EQ(run([&](auto done) { devices->CheckSRP350(done); }), true);
    const std::string slip = "{B}김치찌개 2\r";
    EXPECT_EQ(run([&](auto done) { devices->PrintReceipt2(slip, done); }), true);
    ASSERT_TRUE(test::SpinUntil([&] { return kitchen.documents().size() == 1 && kitchen.connections() == 2; }));
    EXPECT_EQ(ToHex(kitchen.raw()), ToHex(ComposeSrp350Job(slip, false)));
    EXPECT_EQ(kitchen.documents()[0].readable, "{B}김치찌개 2\n\n\n\n{Z}   주방 주문 내역{S}\n<FEED 0><CUT partial>\n");
    EXPECT_TRUE(cashier.messages().empty());

    // The printer goes away: every slip that cannot go out is reported.
    kitchen.stop();
    EXPECT_EQ(run([&](auto done) { devices->PrintReceipt2(slip, done); }), false);
    EXPECT_EQ(run([&](auto done) { devices->CheckSRP350(done); }), false);
    EXPECT_EQ(cashier.messages(), std::vector<std::string>(2, "프린터(COM2) 포트를 열 수 없습니다."));

    // No address configured at all is the same.
    cashier.clear();
    c.kitchenPort = 0;
    make(c);
    EXPECT_EQ(run([&](auto done) { devices->PrintSRP350(slip, done); }), false);
    EXPECT_EQ(cashier.messages(), std::vector<std::string>{"프린터(COM2) 포트를 열 수 없습니다."});
}

TEST_F(DeviceIoTest, StartUpOpensEachDeviceAndNamesIt)
{
    virt::TVirtualKitchenPrinter kitchen;
    ASSERT_TRUE(kitchen.listen());
    virt::TVirtualDisplay display;
    ASSERT_TRUE(display.open());
    paths.ports[4] = display.path().toStdString();
    TDeviceConfig c = config(TPrinterType::ptTSP600, TPrinterType::ptSRP350);
    c.kitchenHost = "127.0.0.1";
    c.kitchenPort = kitchen.port();
    c.lineDisplay.enabled = true;
    c.lineDisplay.port = 0;  // the display's default port, 4
    make(c);
    std::vector<std::string> status;
    devices->ShowStatus = [&](const std::string& s) { status.push_back(s); };

    EXPECT_EQ(run([&](auto done) { devices->DeviceInit(done); }), true);
    EXPECT_EQ(status, (std::vector<std::string>{"프린터(COM1)", "프린터(COM2)", "고객 표시장치", ""}));
    EXPECT_TRUE(cashier.messages().empty());
    EXPECT_TRUE(devices->lbLineDisplay);
    EXPECT_EQ(printer.statusRequests(), 1);
    EXPECT_TRUE(test::SpinUntil([&] { return kitchen.connections() == 1; }));

    devices->ShowLineDisplay("", "");
    ASSERT_TRUE(test::SpinUntil([&] { return display.display().line2() == "     Orvo Resort"; }));
    EXPECT_EQ(display.display().line1(), "   Welcome to");
    devices->ShowLineDisplay("A가나다라마바사아자차", "합계 12,000");
    ASSERT_TRUE(test::SpinUntil([&] { return display.display().line2() == "합계 12,000"; }));
    EXPECT_EQ(display.display().line1(), "A가나다라마바사아자 ");  // never half a character
    const std::size_t tail = display.raw().size();
    EXPECT_EQ(ToHex(display.raw().substr(tail - 15)), ToHex(Hex("1B 51 42 C7 D5 B0 E8") + " 12,000\r"));

    devices->DeviceFinish();
    ASSERT_TRUE(test::SpinUntil([&] { return display.display().line1().empty(); }));
    EXPECT_EQ(display.raw().back(), '\x0c');
    devices->ShowLineDisplay("after", "the end");  // closed: nothing is written
    test::Spin(20);
    EXPECT_EQ(display.raw().back(), '\x0c');
}

// The end of the program comes right after the last bill: what was queued
// for the printers still arrives whole before the ports close.
TEST_F(DeviceIoTest, JobsQueuedRightBeforeTheEndArriveWhole)
{
    virt::TVirtualKitchenPrinter kitchen;
    ASSERT_TRUE(kitchen.listen());
    TDeviceConfig c = config(TPrinterType::ptTSP600, TPrinterType::ptSRP350);
    c.kitchenHost = "127.0.0.1";
    c.kitchenPort = kitchen.port();
    make(c);
    ASSERT_EQ(run([&](auto done) { devices->DeviceInit(done); }), true);

    std::string receipt = "{Z}주문 내역{S}\r";
    for (int i = 1; i <= 45; ++i) receipt += "김치찌개 " + std::to_string(i) + "\r";
    const std::string slip = "{X}김치찌개{S}    2건\r";
    std::vector<bool> results;
    devices->PrintReceipt1(receipt, [&](bool ok) { results.push_back(ok); });
    devices->PrintReceipt2(slip, [&](bool ok) { results.push_back(ok); });
    devices->DeviceFinish();

    EXPECT_EQ(results, (std::vector<bool>{true, true}));
    EXPECT_FALSE(devices->printer1Port().isOpen());
    ASSERT_TRUE(test::SpinUntil([&] { return printer.documents().size() == 1 && kitchen.documents().size() == 1; }));
    EXPECT_EQ(printer.documents()[0].readable, Replace(receipt, "\r", "\n") + "<LOGO 1><CUT partial>\n");
    EXPECT_EQ(ToHex(kitchen.raw()), ToHex(ComposeSrp350Job(slip, false)));
    EXPECT_TRUE(cashier.messages().empty());
}

// A printer that does not answer does not hold the end of the program: the
// wait is bounded and the ports close.
TEST_F(DeviceIoTest, SilentPrinterDoesNotHoldTheEnd)
{
    printer.setState(TPrinterState::NoReply);
    TDeviceTimings timings = testTimings();
    timings.finishTimeoutMs = 100;
    devices = std::make_unique<TDevices>(config(TPrinterType::ptTSP600), paths, context,
                                         TDeviceServices{cashier, outlet, beeper, ticketJobs, ticketMaster, ticketProgress}, timings);
    ASSERT_EQ(run([&](auto done) { devices->InitTSP600(done); }), false);
    cashier.clear();
    std::optional<bool> result;
    devices->PrintReceipt1("끝\r", [&](bool ok) { result = ok; });
    devices->DeviceFinish();
    EXPECT_FALSE(devices->printer1Port().isOpen());
    // The job that was cut off ends as failed, on a closed port.
    ASSERT_TRUE(test::SpinUntil([&] { return result.has_value(); }, 15000));
    EXPECT_FALSE(*result);
}

TEST_F(DeviceIoTest, TicketPrinterStatusBytesRaiseTheirMessage)
{
    virt::TVirtualBoca boca;
    ASSERT_TRUE(boca.open());
    paths.ports[1] = boca.path().toStdString();
    make(config(TPrinterType::ptBoca));
    EXPECT_EQ(run([&](auto done) { devices->DeviceInit(done); }), true);
    EXPECT_TRUE(devices->lbPrinter1Ready);

    boca.reportStatus("\x18");
    ASSERT_TRUE(test::SpinUntil([&] { return !cashier.messages().empty(); }));
    EXPECT_EQ(cashier.messages(), std::vector<std::string>{"프린터(COM1) 용지가 걸렸습니다."});
    EXPECT_TRUE(devices->lbPrinter1Jam);
}

}  // namespace
}  // namespace pos
