#pragma once
// The terminal's configuration files: "POS.ini" (identity and devices) and
// "POSIP.ini" (addresses). Reading fills the terminal context and the device
// settings; the set-up write-back replaces "POS.ini" whole, atomically, so a
// crash can never leave a terminal without its outlet and POS number.

#include "core/TerminalContext.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace pos {

class IniFile;

enum class TPrinterType { ptNone, ptTSP600, ptTSP700, ptTSP800, ptBoca, ptFlotec, ptSRP350, ptEasyCheck };

// The printer kind a type text names, by the beginning of the text (case
// matters): "TSP600-KOR" is a TSP600. Printer 1 takes TSP600/700/800, BOCA and
// FLOTEC; printer 2 TSP600/700, SRP350 and EasyCheck. Anything else: none.
TPrinterType PrinterTypeFromText(std::string_view aTypeText, int aPrinterNo);

// The approval driver when "POS.ini" names none: beside the program.
inline constexpr const char* kDefaultApprovalDriver = "CardDrv.so";

struct TSerialDevice {
    std::string typeText = "N";
    bool enabled = false;
    std::int64_t port = 0;
    std::int64_t rate = 9600;
};

struct TPrinterSetting : TSerialDevice {
    TPrinterType type = TPrinterType::ptNone;
    // The model at this position, ptNone when the printer is not in use.
    TPrinterType inUse() const { return enabled ? type : TPrinterType::ptNone; }
};

// The devices of "POS.ini" and the kitchen printer of "POSIP.ini".
struct TDeviceConfig {
    TPrinterSetting printer1, printer2;
    bool cashDrawer = false;
    TSerialDevice lineDisplay;
    std::int64_t tsp800TopMargin = 0;
    std::int64_t ticketMargin = 0;
    std::string kitchenHost;
    std::int64_t kitchenPort = 0;
    // The approval driver library: key "ApprovalDriver" of section "CONFIG",
    // a relative path taken from the program folder (ApprovalDriverPath).
    std::string approvalDriver = kDefaultApprovalDriver;
};

// Section "POS": gsMasterUpjangCode and gsMasterPosNo; section "CONFIG":
// the margins and the approval driver.
void ReadIniConfig(const IniFile& aPosIni, TTerminalContext& aContext, TDeviceConfig& aDevices);
// Section "MAIN" (server), "CARD" (card server) and "Kitchen".
void ReadIniIP(const IniFile& aIpIni, TTerminalContext& aContext, TDeviceConfig& aDevices);
// Printers, cash drawer, line display and sign pad (gbSignPadType, giSignPadPort).
void ReadIniDevice(const IniFile& aPosIni, TTerminalContext& aContext, TDeviceConfig& aDevices);
// The approval driver's file: aDevices.approvalDriver, taken from
// aProgramFolder when it is a relative path.
std::filesystem::path ApprovalDriverPath(const TDeviceConfig& aDevices, const std::string& aProgramFolder);
// True when both "ServerDB" and "Host" of section "MAIN" are set.
bool HasServerSettings(const TTerminalContext& aContext);

// Writes the set-up into aPosIni: identity, "N" for the old DEVICE keys, the
// printer, display and sign-pad sections. Other keys are kept.
void WriteIniConfig(IniFile& aPosIni, const TTerminalContext& aContext, const TDeviceConfig& aDevices);
// The same, replacing the file on disk whole and atomically; false with
// aError when it could not be written (the old file then stays).
bool SaveIniConfig(const std::filesystem::path& aPosIniPath, const TTerminalContext& aContext,
                   const TDeviceConfig& aDevices, std::string* aError = nullptr);

// What a shut-down does on this terminal.
enum class TShutdownAction {
    EndProgram,   // development run or POS above "90": the program ends
    KeepRunning,  // the cashier answered no
    PowerOff,     // POS up to "90": the computer is powered off
};
// aAsk is asked (AskBox "시스템을 종료하시겠습니까?") only when it matters.
template <typename Ask>
TShutdownAction DecideShutdown(const TTerminalContext& aContext, bool aAskShutdown, Ask&& aAsk);

inline constexpr const char* kAskShutdown = "시스템을 종료하시겠습니까?";

template <typename Ask>
TShutdownAction DecideShutdown(const TTerminalContext& aContext, bool aAskShutdown, Ask&& aAsk)
{
    // POS numbers are two-digit text and compare as text, as they are stored.
    if (aContext.gbDebugMode || aContext.gsMasterPosNo > "90") return TShutdownAction::EndProgram;
    if (aAskShutdown && !aAsk(kAskShutdown)) return TShutdownAction::KeepRunning;
    return TShutdownAction::PowerOff;
}

}  // namespace pos
