#include "core/TerminalConfig.h"

#include "core/IniFile.h"
#include "core/TerminalContext.h"

namespace pos {
namespace {

bool startsWith(std::string_view aText, std::string_view aPrefix)
{
    return aText.substr(0, aPrefix.size()) == aPrefix;
}

// A printer section, or the old key of section "DEVICE" when the section
// says "N".
void readPrinter(const IniFile& aIni, const char* aSection, int aNo, std::int64_t aDefaultPort, TPrinterSetting& aPrinter)
{
    aPrinter.typeText = aIni.readString(aSection, "Type", "N");
    if (aPrinter.typeText == "N") aPrinter.typeText = aIni.readString("DEVICE", aSection, "N");
    aPrinter.port = aIni.readInteger(aSection, "Port", aDefaultPort);
    aPrinter.rate = aIni.readInteger(aSection, "Rate", 9600);
    aPrinter.type = PrinterTypeFromText(aPrinter.typeText, aNo);
    aPrinter.enabled = aPrinter.type != TPrinterType::ptNone;
}

void writeDevice(IniFile& aIni, const char* aSection, const TSerialDevice& aDevice, const std::string& aTypeText)
{
    aIni.writeString(aSection, "Type", aTypeText);
    aIni.writeInteger(aSection, "Port", aDevice.port);
    aIni.writeInteger(aSection, "Rate", aDevice.rate);
}

}  // namespace

TPrinterType PrinterTypeFromText(std::string_view aTypeText, int aPrinterNo)
{
    struct Name {
        const char* prefix;
        TPrinterType type;
    };
    static constexpr Name kFirst[] = {{"TSP600", TPrinterType::ptTSP600}, {"TSP700", TPrinterType::ptTSP700},
                                      {"TSP800", TPrinterType::ptTSP800}, {"BOCA", TPrinterType::ptBoca},
                                      {"FLOTEC", TPrinterType::ptFlotec}};
    static constexpr Name kSecond[] = {{"TSP600", TPrinterType::ptTSP600}, {"TSP700", TPrinterType::ptTSP700},
                                       {"SRP350", TPrinterType::ptSRP350}, {"EasyCheck", TPrinterType::ptEasyCheck}};
    if (aPrinterNo == 1) {
        for (const Name& n : kFirst)
            if (startsWith(aTypeText, n.prefix)) return n.type;
    } else {
        for (const Name& n : kSecond)
            if (startsWith(aTypeText, n.prefix)) return n.type;
    }
    return TPrinterType::ptNone;
}

void ReadIniConfig(const IniFile& aPosIni, TTerminalContext& aContext, TDeviceConfig& aDevices)
{
    aContext.gsMasterUpjangCode = aPosIni.readString("POS", "UpjangCode");
    aContext.gsMasterPosNo = aPosIni.readString("POS", "PosNo");
    aDevices.tsp800TopMargin = aPosIni.readInteger("CONFIG", "TSP800TopMargin", 0);
    aDevices.ticketMargin = aPosIni.readInteger("CONFIG", "TicketMargin", 0);
    aDevices.approvalDriver = aPosIni.readString("CONFIG", "ApprovalDriver", kDefaultApprovalDriver);
    if (aDevices.approvalDriver.empty()) aDevices.approvalDriver = kDefaultApprovalDriver;
}

std::filesystem::path ApprovalDriverPath(const TDeviceConfig& aDevices, const std::string& aProgramFolder)
{
    const std::filesystem::path driver = aDevices.approvalDriver;
    return driver.is_absolute() ? driver : std::filesystem::path(aProgramFolder) / driver;
}

void ReadIniIP(const IniFile& aIpIni, TTerminalContext& aContext, TDeviceConfig& aDevices)
{
    aContext.gsServerDB = aIpIni.readString("MAIN", "ServerDB");
    aContext.gsServerIP = aIpIni.readString("MAIN", "Host");
    aContext.gsCardIP = aIpIni.readString("CARD", "Host");
    aContext.giCardPort = aIpIni.readInteger("CARD", "Port", 0);
    aDevices.kitchenHost = aIpIni.readString("Kitchen", "Host");
    aDevices.kitchenPort = aIpIni.readInteger("Kitchen", "Port", 0);
}

void ReadIniDevice(const IniFile& aPosIni, TTerminalContext& aContext, TDeviceConfig& aDevices)
{
    readPrinter(aPosIni, "Printer1", 1, 1, aDevices.printer1);
    readPrinter(aPosIni, "Printer2", 2, 2, aDevices.printer2);
    aDevices.cashDrawer = aPosIni.readString("DEVICE", "CashDrawer", "N") == "Y";
    TSerialDevice& display = aDevices.lineDisplay;
    display.typeText = aPosIni.readString("LineDisplay", "Type", "N");
    display.enabled = display.typeText != "N";
    display.port = aPosIni.readInteger("LineDisplay", "Port", 4);
    display.rate = aPosIni.readInteger("LineDisplay", "Rate", 9600);
    const std::string signPad = aPosIni.readString("SignPad", "Type", "N");
    aContext.gbSignPadType = signPad == "USB";
    aContext.giSignPadPort = signPad == "N" ? 0 : aPosIni.readInteger("SignPad", "Port", 0);
}

bool HasServerSettings(const TTerminalContext& aContext)
{
    return !aContext.gsServerDB.empty() && !aContext.gsServerIP.empty();
}

void WriteIniConfig(IniFile& aPosIni, const TTerminalContext& aContext, const TDeviceConfig& aDevices)
{
    aPosIni.writeString("POS", "UpjangCode", aContext.gsMasterUpjangCode);
    aPosIni.writeString("POS", "PosNo", aContext.gsMasterPosNo);
    for (const char* key : {"Printer1", "Printer2", "LineDisplay"}) aPosIni.writeString("DEVICE", key, "N");
    writeDevice(aPosIni, "Printer1", aDevices.printer1, aDevices.printer1.typeText);
    writeDevice(aPosIni, "Printer2", aDevices.printer2, aDevices.printer2.typeText);
    writeDevice(aPosIni, "LineDisplay", aDevices.lineDisplay, aDevices.lineDisplay.enabled ? "Crossbow" : "N");
    const char* signPad = aContext.gbSignPadType ? "USB" : aContext.giSignPadPort == 0 ? "N" : "COM";
    aPosIni.writeString("SignPad", "Type", signPad);
    aPosIni.writeInteger("SignPad", "Port", aContext.giSignPadPort);
}

bool SaveIniConfig(const std::filesystem::path& aPosIniPath, const TTerminalContext& aContext,
                   const TDeviceConfig& aDevices, std::string* aError)
{
    IniFile ini = IniFile::load(aPosIniPath);
    WriteIniConfig(ini, aContext, aDevices);
    return ini.save(aPosIniPath, aError);
}

}  // namespace pos
