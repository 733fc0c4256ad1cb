#include "devices/CustomerDisplay.h"

#include "core/Codec.h"
#include "core/TextHelpers.h"

namespace pos {

std::string DisplayLineText(std::string_view aUtf8, std::string_view aGreeting)
{
    return CopyStr(aUtf8.empty() ? aGreeting : aUtf8, 1, kDisplayColumns);
}

TDisplayWrites LineDisplayBytes(std::string_view aLine1Utf8, std::string_view aLine2Utf8)
{
    return {"\x1bQA" + ToCp949(DisplayLineText(aLine1Utf8, kDisplayGreeting1)) + "\r",
            "\x1bQB" + ToCp949(DisplayLineText(aLine2Utf8, kDisplayGreeting2)) + "\r"};
}

TDrawerRoute ChooseDrawerRoute(const TDeviceConfig& aDevices, bool aPrinter1Open, bool aPrinter2Open)
{
    if (!aDevices.cashDrawer) return TDrawerRoute::None;
    const TPrinterType p1 = aDevices.printer1.type;
    if (aDevices.printer1.enabled && (p1 == TPrinterType::ptTSP600 || p1 == TPrinterType::ptTSP700) && aPrinter1Open)
        return TDrawerRoute::Printer1;
    if (aDevices.printer2.enabled && aDevices.printer2.type == TPrinterType::ptTSP600 && aPrinter2Open)
        return TDrawerRoute::Printer2;
    return TDrawerRoute::None;
}

}  // namespace pos
