#include "TempDir.h"
#include "core/FileIO.h"
#include "core/IniFile.h"
#include "core/TerminalConfig.h"
#include "core/TerminalContext.h"

#include <gtest/gtest.h>

namespace pos {
namespace {

TEST(TerminalConfigTest, PrinterKindIsTheTypeTextsBeginning)
{
    struct Case {
        const char* text;
        int printer;
        TPrinterType type;
    } cases[] = {
        {"TSP600-KOR", 1, TPrinterType::ptTSP600}, {"tsp600", 1, TPrinterType::ptNone},
        {"TSP800", 1, TPrinterType::ptTSP800},     {"TSP800", 2, TPrinterType::ptNone},
        {"BOCA-46", 1, TPrinterType::ptBoca},      {"FLOTEC", 1, TPrinterType::ptFlotec},
        {"SRP350", 2, TPrinterType::ptSRP350},     {"SRP350", 1, TPrinterType::ptNone},
        {"EasyCheck", 2, TPrinterType::ptEasyCheck}, {"N", 1, TPrinterType::ptNone},
    };
    for (const Case& c : cases) EXPECT_EQ(PrinterTypeFromText(c.text, c.printer), c.type) << c.text << " " << c.printer;
}

TEST(TerminalConfigTest, ReadsDevicesWithTheirFallbacks)
{
    const IniFile ini = IniFile::fromText(
        "[POS]\nUpjangCode=3101\nPosNo=02\n"
        "[DEVICE]\nPrinter1=TSP700\nCashDrawer=Y\n"
        "[Printer2]\nType=SRP350\nPort=5\nRate=19200\n"
        "[SignPad]\nType=COM\nPort=3\n");
    TTerminalContext ctx;
    TDeviceConfig devices;
    ReadIniConfig(ini, ctx, devices);
    ReadIniDevice(ini, ctx, devices);
    EXPECT_EQ(ctx.gsMasterUpjangCode, "3101");
    EXPECT_EQ(ctx.gsMasterPosNo, "02");
    EXPECT_EQ(devices.printer1.type, TPrinterType::ptTSP700);  // "Type" missing: the DEVICE key
    EXPECT_EQ(devices.printer1.port, 1);
    EXPECT_EQ(devices.printer2.type, TPrinterType::ptSRP350);
    EXPECT_EQ(devices.printer2.port, 5);
    EXPECT_EQ(devices.printer2.rate, 19200);
    EXPECT_TRUE(devices.cashDrawer);
    EXPECT_FALSE(devices.lineDisplay.enabled);
    EXPECT_EQ(devices.lineDisplay.port, 4);
    EXPECT_FALSE(ctx.gbSignPadType);
    EXPECT_EQ(ctx.giSignPadPort, 3);

    ReadIniDevice(IniFile::fromText("[SignPad]\nType=N\nPort=3\n"), ctx, devices);
    EXPECT_EQ(ctx.giSignPadPort, 0);  // "N" forces port 0
    ReadIniDevice(IniFile::fromText("[SignPad]\nType=USB\n"), ctx, devices);
    EXPECT_TRUE(ctx.gbSignPadType);
}

TEST(TerminalConfigTest, SetupWrittenAndReadBackGivesTheSameDevices)
{
    test::TempDir dir;
    const auto path = dir / "POS.ini";
    ASSERT_TRUE(WriteFileAtomically(path, "[POS]\r\nUpjangCode=3101\r\n[DEVICE]\r\nPrinter1=TSP700\r\nCashDrawer=Y\r\n"
                                          "[CONFIG]\r\nTicketMargin=3\r\n"));
    TTerminalContext ctx;
    TDeviceConfig devices;
    ReadIniConfig(IniFile::load(path), ctx, devices);
    ReadIniDevice(IniFile::load(path), ctx, devices);
    ctx.gsMasterPosNo = "07";
    devices.printer2 = {};
    devices.printer2.typeText = "EasyCheck";
    devices.printer2.port = 6;
    devices.lineDisplay.enabled = true;
    devices.lineDisplay.port = 8;
    ctx.giSignPadPort = 9;
    ASSERT_TRUE(SaveIniConfig(path, ctx, devices));

    const IniFile saved = IniFile::load(path);
    for (const char* key : {"Printer1", "Printer2", "LineDisplay"}) EXPECT_EQ(saved.readString("DEVICE", key), "N");
    EXPECT_EQ(saved.readString("LineDisplay", "Type"), "Crossbow");
    EXPECT_EQ(saved.readString("SignPad", "Type"), "COM");
    EXPECT_EQ(saved.readInteger("CONFIG", "TicketMargin", 0), 3);  // other keys are kept

    TTerminalContext again;
    TDeviceConfig reread;
    ReadIniConfig(saved, again, reread);
    ReadIniDevice(saved, again, reread);
    EXPECT_EQ(again.gsMasterUpjangCode, "3101");
    EXPECT_EQ(again.gsMasterPosNo, "07");
    EXPECT_EQ(reread.printer1.type, TPrinterType::ptTSP700);
    EXPECT_EQ(reread.printer2.type, TPrinterType::ptEasyCheck);
    EXPECT_EQ(reread.printer2.port, 6);
    EXPECT_TRUE(reread.lineDisplay.enabled);
    EXPECT_EQ(reread.lineDisplay.port, 8);
    EXPECT_TRUE(reread.cashDrawer);
    EXPECT_EQ(again.giSignPadPort, 9);
}

TEST(TerminalConfigTest, ApprovalDriverIsTakenFromTheProgramFolderUnlessAbsolute)
{
    struct Case {
        const char* ini;
        const char* path;
    } cases[] = {
        {"[POS]\nUpjangCode=3101\n", "/opt/pos/CardDrv.so"},  // no key: the default beside the program
        {"[CONFIG]\nApprovalDriver=\n", "/opt/pos/CardDrv.so"},
        {"[config]\napprovaldriver=drivers/libSim.so\n", "/opt/pos/drivers/libSim.so"},
        {"[CONFIG]\nApprovalDriver=/usr/lib/pos/libKicc.so\n", "/usr/lib/pos/libKicc.so"},
    };
    for (const Case& c : cases) {
        TTerminalContext ctx;
        TDeviceConfig devices;
        ReadIniConfig(IniFile::fromText(c.ini), ctx, devices);
        EXPECT_EQ(ApprovalDriverPath(devices, "/opt/pos/"), std::filesystem::path(c.path)) << c.ini;
    }
}

TEST(TerminalConfigTest, ShutdownPowersOffOnlyUpToPosNinety)
{
    struct Case {
        const char* posNo;
        bool debug, ask, answer;
        TShutdownAction expected;
        int asked;
    } cases[] = {
        {"90", false, false, false, TShutdownAction::PowerOff, 0},
        {"01", false, true, true, TShutdownAction::PowerOff, 1},
        {"01", false, true, false, TShutdownAction::KeepRunning, 1},
        {"91", false, true, true, TShutdownAction::EndProgram, 0},
        {"05", true, true, true, TShutdownAction::EndProgram, 0},
    };
    for (const Case& c : cases) {
        TTerminalContext ctx;
        ctx.gsMasterPosNo = c.posNo;
        ctx.gbDebugMode = c.debug;
        int asked = 0;
        const auto action = DecideShutdown(ctx, c.ask, [&](const char* text) {
            EXPECT_STREQ(text, "시스템을 종료하시겠습니까?");
            ++asked;
            return c.answer;
        });
        EXPECT_EQ(action, c.expected) << c.posNo;
        EXPECT_EQ(asked, c.asked) << c.posNo;
    }
}

TEST(TerminalConfigTest, ServerAddressesAndMissingSettings)
{
    TTerminalContext ctx;
    TDeviceConfig devices;
    ReadIniIP(IniFile::fromText("[MAIN]\nServerDB=pos\n[CARD]\nHost=127.0.0.1\nPort=9100\n[Kitchen]\nHost=10.0.0.9\nPort=9100\n"),
              ctx, devices);
    EXPECT_FALSE(HasServerSettings(ctx));  // "Host" missing
    EXPECT_EQ(ctx.gsCardIP, "127.0.0.1");
    EXPECT_EQ(ctx.giCardPort, 9100);
    EXPECT_EQ(devices.kitchenHost, "10.0.0.9");
    ctx.gsServerIP = "127.0.0.1";
    EXPECT_TRUE(HasServerSettings(ctx));
}

}  // namespace
}  // namespace pos
