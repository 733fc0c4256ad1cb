// A table's order bill and kitchen slip on the terminal's devices: the plan
// goes to the receipt printer over a pseudo-terminal and to the network
// kitchen printer over loopback TCP, and the virtual printers read back and
// draw what they got (pictures for a person to look at).

#include "ReceiptFixture.h"

#include "QtTestApp.h"
#include "TicketFakes.h"
#include "VirtualDevices.h"

#include "core/TextHelpers.h"
#include "devices/Devices.h"
#include "devices/TicketProgress.h"
#include "sales/receipt/OrderBill.h"

#include <QDir>
#include <QFile>

#include <optional>

namespace pos::test {
namespace {

struct NoOutletInfo final : TOutletPrintSource {
    TOutletPrintInfo OutletPrintInfo() const override { return {}; }
};
struct SilentBeeper final : TBeeper {
    void Beep(TBeepType) override {}
};

using OrderBillPictureTest = ReceiptFixture;

TEST_F(OrderBillPictureTest, OrderBillAndKitchenSlipReadBackAndAreDrawn)
{
    const QString pictures = QStringLiteral(POS_ARTIFACT_DIR "/order-bill");
    QDir(pictures).removeRecursively();
    QDir().mkpath(pictures);
    virt::TVirtualReceiptPrinter printer("printer1");
    printer.setOutputFolder(pictures);
    ASSERT_TRUE(printer.open());
    virt::TVirtualKitchenPrinter kitchen("kitchen");
    kitchen.setOutputFolder(pictures);
    ASSERT_TRUE(kitchen.listen());

    TDeviceConfig config;
    config.printer1.type = TPrinterType::ptTSP600;
    config.printer1.enabled = true;
    config.printer1.port = 1;
    config.printer2.type = TPrinterType::ptSRP350;
    config.printer2.enabled = true;
    config.printer2.port = 2;
    config.kitchenHost = "127.0.0.1";
    config.kitchenPort = kitchen.port();
    TSerialPortPaths paths;
    paths.pattern = "/nonexistent/ttyV{n}";
    paths.ports[1] = printer.path().toStdString();
    NoOutletInfo outlet;
    SilentBeeper beeper;
    FakeTicketKinds kinds;
    FakeTicketMaster master;
    TNoTicketJournal journal;
    TTicketJobList tickets(kinds, context, TPrinterType::ptTSP600, journal);
    TTicketPrintingModel progress;
    TDeviceTimings timings;
    timings.statusDelayMs = 5;
    timings.settleMs = 5;
    TDevices devices(config, paths, context, TDeviceServices{dialogs, outlet, beeper, tickets, master, progress}, timings);
    std::optional<bool> opened;
    devices.DeviceInit([&](bool aOk) { opened = aOk; });
    ASSERT_TRUE(SpinUntil([&] { return opened.has_value(); }));

    // Table 7 had a stew sent; now two more, a pancake and a beer, and the
    // rice cake that had been sent is taken off.
    context.giTableNo = 7;
    TTableBill table;
    TSaleList stew = Line("김치찌개", 3, 8000);
    stew.KitchenPrtYN = true;
    stew.OldSaleCount = 1;
    TSaleList pancake = Line("해물파전", 1, 15000);
    pancake.KitchenPrtYN = true;
    TSaleList beer = Line("생맥주", 2, 5000);
    TSaleList riceCake = Line("떡볶이", 0, 6000);
    riceCake.KitchenPrtYN = true;
    riceCake.OldSaleCount = 1;
    table.lines = {stew, pancake, beer};
    table.deleteList = {riceCake};
    const TOrderBillPrint print = PrintOrderBill(context, {TPrinterType::ptTSP600, TPrinterType::ptSRP350}, table, "193005");
    ASSERT_EQ(print.plan.size(), 2u);
    for (const TPrintJob& job : print.plan) {
        ASSERT_EQ(job.step, TPrintStep::Receipt);
        if (job.printer == 1) devices.PrintReceipt1(job.text);
        else devices.PrintReceipt2(job.text);
    }
    devices.DeviceFinish();

    ASSERT_TRUE(SpinUntil([&] { return printer.documents().size() == 1 && kitchen.documents().size() == 1; }));
    EXPECT_EQ(printer.documents()[0].readable, Replace(print.plan[0].text, "\r", "\n") + "<LOGO 1><CUT partial>\n");
    EXPECT_EQ(kitchen.documents()[0].readable,
              Replace(print.plan[1].text, "\r", "\n") + "\n\n\n{Z}   주방 주문 내역{S}\n<FEED 0><CUT partial>\n");
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(QFile::exists(pictures + "/printer1-0001.png"));
    EXPECT_TRUE(QFile::exists(pictures + "/kitchen-0001.png"));
}

}  // namespace
}  // namespace pos::test
