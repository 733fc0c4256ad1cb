#pragma once
// The customer pole display (two lines of 20 columns) and the cash drawer.

#include "core/TerminalConfig.h"

#include <string>
#include <string_view>

namespace pos {

inline constexpr int kDisplayColumns = 20;
inline constexpr std::string_view kDisplayClear{"\x0c", 1};
inline constexpr const char* kDisplayGreeting1 = "   Welcome to";
inline constexpr const char* kDisplayGreeting2 = "     Orvo Resort";

// The text of one display line: the greeting when empty, else cut to 20
// columns without ever splitting a Korean character (a character that would
// be cut becomes a blank). UTF-8.
std::string DisplayLineText(std::string_view aUtf8, std::string_view aGreeting);

// The two writes that show two lines: ESC "Q" "A" line 1 CR, then
// ESC "Q" "B" line 2 CR. CP949 bytes.
struct TDisplayWrites {
    std::string line1;
    std::string line2;
};
TDisplayWrites LineDisplayBytes(std::string_view aLine1Utf8, std::string_view aLine2Utf8);

// The drawer opens through a receipt printer: the byte FS on its port.
inline constexpr std::string_view kDrawerKick{"\x1c", 1};

enum class TDrawerRoute { None, Printer1, Printer2 };
// Where the kick goes, first matching rule: no drawer, none; printer 1 a
// TSP600 or TSP700 with its port open; printer 2 a TSP600 with its port open;
// otherwise none (the old hardware port of one PC family does not exist here).
TDrawerRoute ChooseDrawerRoute(const TDeviceConfig& aDevices, bool aPrinter1Open, bool aPrinter2Open);

enum class TBeepType { btNormal, btError, btSpecial, btEtc };

}  // namespace pos
