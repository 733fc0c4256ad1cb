#pragma once
// What the device drivers say to the cashier. A printer is named by its
// position on the terminal ("COM1" is printer 1, "COM2" printer 2), not by the
// serial device it happens to sit on, so the cashier always reads the same
// name for the same printer.

#include <string>

namespace pos {

inline std::string PrinterName(int aPrinterNo) { return "프린터(COM" + std::to_string(aPrinterNo) + ")"; }

inline std::string MsgCannotOpenPort(int aPrinterNo) { return PrinterName(aPrinterNo) + " 포트를 열 수 없습니다."; }
inline std::string MsgNoAnswer(int aPrinterNo) { return PrinterName(aPrinterNo) + " 전원이 꺼져있거나 응답이 없습니다."; }
inline std::string MsgCannotSend(int aPrinterNo) { return PrinterName(aPrinterNo) + "에 자료를 전송할 수 없습니다."; }

inline constexpr const char* kMsgCannotPrint = "인쇄를 할 수 없습니다.";
inline constexpr const char* kMsgEasyCheckNoAnswer =
    "프린터(COM2)로부터 응답이 없습니다.\r프린터를 점검하고 결제 완료 후 재발행을 하십시오.";

// Names on the splash window's status line while a device is opened.
inline constexpr const char* kStatusPrinter1 = "프린터(COM1)";
inline constexpr const char* kStatusPrinter2 = "프린터(COM2)";
inline constexpr const char* kStatusLineDisplay = "고객 표시장치";

}  // namespace pos
