// Stored bills printed: the settlement hands each stored bill to the
// device bill printer, which plans it from the stored lines and tenders and
// carries the plan out. What the printers were asked is recorded first;
// the last case prints on the real devices to a virtual receipt printer.

#include "QtTestApp.h"
#include "SettlementFixture.h"
#include "TicketFakes.h"
#include "VirtualDevices.h"

#include "core/ScriptedDialogService.h"
#include "devices/Devices.h"
#include "devices/TicketJobs.h"
#include "devices/TicketProgress.h"
#include "sales/printing/DeviceBillPrinter.h"

#include <QDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pos::test {
namespace {

bool Has(const std::string& aText, const std::string& aPart) { return aText.find(aPart) != std::string::npos; }

// What the printers were asked, in order: "receipt 1", "tickets", "drawer".
struct RecordedDevices final : TPrintDevices {
    TPrinters Printers() const override { return printers; }
    void PrintReceipt(int aPrinterNo, const std::string& aText, Done aDone) override
    {
        calls.push_back("receipt " + std::to_string(aPrinterNo));
        receipts.push_back(aText);
        aDone(true);
    }
    void PrintTickets(Done aDone) override
    {
        calls.push_back("tickets");
        aDone(true);
    }
    void OpenCashDrawer(Done aDone) override
    {
        calls.push_back("drawer");
        aDone(true);
    }
    TPrinters printers{TPrinterType::ptTSP600, TPrinterType::ptNone};
    std::vector<std::string> calls, receipts;
};

class BillPrintTest : public SettlementFixture {
protected:
    BillPrintTest()
    {
        settlement = std::make_unique<TSettlement>(ctx, store, *data, queues, numbers, lookups, dialogs, payScreen,
                                                   devicePrinter);
    }

    FakeTicketKinds kinds;
    TNoTicketJournal ticketJournal;
    TTicketJobList tickets{kinds, ctx, TPrinterType::ptTSP600, ticketJournal};
    TTicketPrintingModel ticketProgress;
    RecordedDevices devices;
    TDeviceBillPrinter devicePrinter{ctx, store, devices, tickets, dialogs};
};

TEST_F(BillPrintTest, AReceiptShowsTheStoredBillThenTheDrawerOpens)
{
    ringUp("1001");
    ringUp("1002", 2);
    payScreen.cash(Currency(50000));
    ASSERT_EQ(settle(), TSettlement::TOutcome::Stored);

    EXPECT_EQ(devices.calls, (std::vector<std::string>{"receipt 1", "drawer"}));
    ASSERT_EQ(devices.receipts.size(), 1u);
    const std::string& receipt = devices.receipts[0];
    // The number the bill was stored under, its lines, what was paid.
    EXPECT_TRUE(Has(receipt, "3101-01-0001")) << receipt;
    EXPECT_TRUE(Has(receipt, "김치찌개")) << receipt;
    EXPECT_TRUE(Has(receipt, "비빔밥")) << receipt;
    EXPECT_TRUE(Has(receipt, "31,000")) << receipt;
    EXPECT_TRUE(Has(receipt, "50,000")) << receipt;
    EXPECT_TRUE(Has(receipt, "19,000")) << receipt;

    // The next bill prints under its own number.
    ringUp("1001");
    payScreen.tenders.cash.clear();
    payScreen.tenders.received = Currency();
    payScreen.cash(Currency(9000));
    ASSERT_EQ(settle(), TSettlement::TOutcome::Stored);
    ASSERT_EQ(devices.receipts.size(), 2u);
    EXPECT_TRUE(Has(devices.receipts[1], "3101-01-0002")) << devices.receipts[1];
}

TEST_F(BillPrintTest, ABillThatIsNotStoredPrintsNothing)
{
    db.query("CREATE FUNCTION refuse_sale() RETURNS trigger LANGUAGE plpgsql AS "
             "$$BEGIN RAISE EXCEPTION 'refused'; END$$");
    db.query("CREATE TRIGGER refuse_sale BEFORE INSERT ON sale FOR EACH ROW EXECUTE FUNCTION refuse_sale()");
    ringUp("1001");
    payScreen.cash(Currency(9000));
    EXPECT_EQ(settle(), TSettlement::TOutcome::Failed);
    EXPECT_TRUE(devices.calls.empty());
    EXPECT_EQ(settlement->PayCash(view), TSettlement::TOutcome::Failed);
    EXPECT_TRUE(devices.calls.empty());
}

TEST_F(BillPrintTest, QuickCashAtATicketPrinterQueuesTheReceiptWithTheTickets)
{
    devices.printers = {TPrinterType::ptTSP700, TPrinterType::ptNone};
    ringUp("1002");
    bill.SetTendered(Currency(20000));
    ASSERT_EQ(settlement->PayCash(view), TSettlement::TOutcome::Stored);

    EXPECT_EQ(devices.calls, (std::vector<std::string>{"tickets", "drawer"}));
    ASSERT_GE(tickets.GetTicketCount(), 1);
    std::string pages;
    for (int i = 0; i < tickets.GetTicketCount(); ++i)
        for (int item = 1; item <= 25; ++item) pages += tickets.GetTicketData(item, i) + "\n";
    EXPECT_TRUE(Has(pages, "비빔밥")) << pages;
    EXPECT_TRUE(Has(pages, "20,000")) << pages;  // tendered
    EXPECT_TRUE(Has(pages, "9,000")) << pages;   // change
}

TEST_F(BillPrintTest, ACancelledBillPrintsAsOneWithoutTheDrawer)
{
    ringUp("1001");
    ASSERT_EQ(settlement->SaveCancelData(view), TSettlement::TOutcome::Stored);
    EXPECT_EQ(devices.calls, (std::vector<std::string>{"receipt 1"}));
    ASSERT_EQ(devices.receipts.size(), 1u);
    EXPECT_TRUE(Has(devices.receipts[0], "거래 중지 전표")) << devices.receipts[0];
    EXPECT_TRUE(Has(devices.receipts[0], "김치찌개")) << devices.receipts[0];
}

// The devices as the program hands them to the bill printer.
struct OneDevices final : TPrintDevices {
    explicit OneDevices(TDevices& aDevices) : devices(aDevices) {}
    TPrinters Printers() const override
    {
        return {devices.config().printer1.inUse(), devices.config().printer2.inUse()};
    }
    void PrintReceipt(int aPrinterNo, const std::string& aText, Done aDone) override
    {
        if (aPrinterNo == 1) devices.PrintReceipt1(aText, std::move(aDone));
        else devices.PrintReceipt2(aText, std::move(aDone));
    }
    void PrintTickets(Done aDone) override { devices.PrintTicket(0, std::move(aDone)); }
    void OpenCashDrawer(Done aDone) override { devices.OpenCashDrawer(std::move(aDone)); }
    TDevices& devices;
};

struct NoOutletInfo final : TOutletPrintSource {
    TOutletPrintInfo OutletPrintInfo() const override { return {}; }
};
struct SilentBeeper final : TBeeper {
    void Beep(TBeepType) override {}
};

TEST_F(BillPrintTest, OnTheDevicesTheReceiptIsCutBeforeTheDrawerKicks)
{
    virt::TVirtualReceiptPrinter printer("printer1");
    const QString pictures = QStringLiteral(POS_ARTIFACT_DIR "/bill-printing");  // the receipt, to look at
    QDir().mkpath(pictures);
    printer.setOutputFolder(pictures);
    ASSERT_TRUE(printer.open());
    TDeviceConfig config;
    config.printer1.type = TPrinterType::ptTSP600;
    config.printer1.enabled = true;
    config.printer1.port = 1;
    config.cashDrawer = true;
    TSerialPortPaths paths;
    paths.pattern = "/nonexistent/ttyV{n}";
    paths.ports[1] = printer.path().toStdString();
    ScriptedDialogService cashier;
    NoOutletInfo outlet;
    SilentBeeper beeper;
    FakeTicketMaster master;
    TDeviceTimings timings;
    timings.statusDelayMs = 5;
    timings.settleMs = 5;
    TDevices real(config, paths, ctx, TDeviceServices{cashier, outlet, beeper, tickets, master, ticketProgress}, timings);
    std::optional<bool> opened;
    real.DeviceInit([&](bool aOk) { opened = aOk; });
    ASSERT_TRUE(SpinUntil([&] { return opened.has_value(); }));
    OneDevices onDevices(real);
    TDeviceBillPrinter onPaper(ctx, store, onDevices, tickets, cashier);
    settlement = std::make_unique<TSettlement>(ctx, store, *data, queues, numbers, lookups, dialogs, payScreen,
                                               onPaper);

    ringUp("1002");
    payScreen.cash(Currency(11000));
    int documentsAtKick = -1;
    QObject::connect(&printer, &virt::TVirtualReceiptPrinter::drawerKicked,
                     [&] { documentsAtKick = static_cast<int>(printer.documents().size()); });
    ASSERT_EQ(settle(), TSettlement::TOutcome::Stored);
    ASSERT_TRUE(SpinUntil([&] { return printer.drawerKicks() == 1; }));
    ASSERT_EQ(printer.documents().size(), 1u);
    EXPECT_EQ(documentsAtKick, 1);  // the kick came after the cut receipt
    const std::string& paper = printer.documents()[0].readable;
    EXPECT_TRUE(Has(paper, "3101-01-0001")) << paper;
    EXPECT_TRUE(Has(paper, "비빔밥")) << paper;
    EXPECT_TRUE(Has(paper, "11,000")) << paper;
    EXPECT_FALSE(printer.documents()[0].cut.empty());
}

// The cashier who is asked to print the pending tickets again puts the
// ticket printer right first.
struct FixingCashier final : ScriptedDialogService {
    bool AskBox(const std::string& aMsg) override
    {
        asked.push_back(aMsg);
        if (beforeAnswer) beforeAnswer();
        return ScriptedDialogService::AskBox(aMsg);
    }
    std::vector<std::string> asked;
    std::function<void()> beforeAnswer;
};

TEST_F(BillPrintTest, WhatDidNotPrintIsToldOnceAndTheTicketsResumeWhereTheyStopped)
{
    // A Boca prints the tickets at printer 1; the receipt printer at printer
    // 2 stops answering once the terminal has started.
    virt::TVirtualBoca boca("printer1");
    virt::TVirtualReceiptPrinter receipt("printer2");
    ASSERT_TRUE(boca.open());
    ASSERT_TRUE(receipt.open());
    TDeviceConfig config;
    config.printer1 = {};
    config.printer1.type = TPrinterType::ptBoca;
    config.printer1.enabled = true;
    config.printer1.port = 1;
    config.printer2.type = TPrinterType::ptTSP600;
    config.printer2.enabled = true;
    config.printer2.port = 2;
    TSerialPortPaths paths;
    paths.pattern = "/nonexistent/ttyV{n}";
    paths.ports[1] = boca.path().toStdString();
    paths.ports[2] = receipt.path().toStdString();
    FixingCashier cashier;
    NoOutletInfo outlet;
    SilentBeeper beeper;
    FakeTicketMaster master;
    TDeviceTimings timings;
    timings.statusDelayMs = 5;
    timings.statusTimeoutMs = 200;
    timings.settleMs = 5;
    timings.bocaStatusTimeoutMs = 200;
    timings.bocaRetryPauseMs = 5;
    timings.bocaAfterTicketMs = 20;
    TTicketJobList bocaTickets{kinds, ctx, TPrinterType::ptBoca, ticketJournal};
    TDevices real(config, paths, ctx, TDeviceServices{cashier, outlet, beeper, bocaTickets, master, ticketProgress}, timings);
    std::optional<bool> opened;
    real.DeviceInit([&](bool aOk) { opened = aOk; });
    ASSERT_TRUE(SpinUntil([&] { return opened.has_value(); }));
    receipt.setState(virt::TPrinterState::NoReply);
    OneDevices onDevices(real);
    TDeviceBillPrinter onPaper(ctx, store, onDevices, bocaTickets, cashier);
    settlement = std::make_unique<TSettlement>(ctx, store, *data, queues, numbers, lookups, dialogs, payScreen,
                                               onPaper);

    // Ten lift passes, each its own line, so each ticket has its own number.
    for (int i = 1; i <= 10; ++i) {
        const std::string code = std::to_string(2000 + i);
        addGoods(code, "대인 종일권 " + std::to_string(i), "10000");
        ringUp(code);
        bill.Lines().Line(i - 1).TicketType = "01";
    }
    payScreen.cash(Currency(100000));
    // The Boca stops answering right after the fourth ticket.
    QObject::connect(&boca, &virt::TVirtualDevice::documentPrinted, [&](int aIndex) {
        if (aIndex == 3) boca.setState(virt::TBocaState::NoReply);
    });
    cashier.answers = {true};
    cashier.beforeAnswer = [&] {
        EXPECT_EQ(boca.tickets().size(), 4u);
        boca.setState(virt::TBocaState::Ready);
    };
    ASSERT_EQ(settle(), TSettlement::TOutcome::Stored);
    EXPECT_EQ(saleRows("0001"), 10);  // the bill is stored whatever printed

    ASSERT_TRUE(SpinUntil([&] { return !cashier.asked.empty() && bocaTickets.GetTicketCount() == 0; }, 60000));
    // Told once, after the plan: the receipt to reprint, the six tickets left.
    ASSERT_EQ(cashier.asked.size(), 1u);
    EXPECT_EQ(cashier.asked[0], std::string(kMsgReceiptNotPrinted) + "\r" + AskPrintPendingTickets(6));
    EXPECT_EQ(AskPrintPendingTickets(6), "인쇄하지 못한 티켓이 6장 있습니다. 지금 인쇄하시겠습니까?");
    ASSERT_TRUE(SpinUntil([&] { return boca.tickets().size() >= 10u; }));
    // Each of the ten exactly once, in bill order (the row sequence after
    // each line's row ends the ticket number).
    std::vector<std::string> printed;
    for (const auto& t : boca.tickets()) printed.push_back(t.at(520, 580) ? t.at(520, 580)->text : "?");
    ASSERT_EQ(printed.size(), 10u);
    for (int i = 0; i < 10; ++i) {
        char seq[16];
        std::snprintf(seq, sizeof seq, "%04d", i + 2);
        EXPECT_TRUE(printed[static_cast<std::size_t>(i)].ends_with(std::string("31010100") + "01" + seq))
            << printed[static_cast<std::size_t>(i)];
    }
    const auto asks = std::count_if(cashier.shown.begin(), cashier.shown.end(),
                                    [](const auto& aShown) { return aShown.kind == ScriptedDialogService::Kind::Ask; });
    EXPECT_EQ(asks, 1);
    EXPECT_TRUE(receipt.documents().empty());
}

}  // namespace
}  // namespace pos::test
