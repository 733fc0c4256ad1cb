#include "sales/SaleStatus.h"

#include "core/TerminalContext.h"

#include <cstdio>

namespace pos {

TStatusText BillNoText(const TTerminalContext& aContext, bool aTableOutlet)
{
    char text[32];
    if (aTableOutlet) {
        std::snprintf(text, sizeof text, "T%4lld", static_cast<long long>(aContext.giTableNo));
        return {text, 0xFF0000};
    }
    std::snprintf(text, sizeof text, "%04lld", static_cast<long long>(aContext.giBillNo));
    return {text, aContext.gbPreSale ? 0x0000FFu : 0x000000u};
}

TStatusText SaleGubunText(std::int64_t aSaleGubun)
{
    switch (aSaleGubun) {
    case 1: return {"VOID", 0x00FFFF, 0xFF0000};
    case 2: return {"반품", 0xFFFFFF, 0x0000FF};
    default: return {"판매", 0x000000, 0xF0FBFF};
    }
}

std::string WaitCountText(bool aShowsGuestCounts, std::int64_t aKorean, std::int64_t aForeign, std::size_t aHeldBills)
{
    char text[64];
    if (aShowsGuestCounts) {
        std::snprintf(text, sizeof text, "내국인:%5lld\r\r외국인:%5lld", static_cast<long long>(aKorean),
                      static_cast<long long>(aForeign));
        return text;
    }
    if (aHeldBills == 0) return "대기 없음";
    std::snprintf(text, sizeof text, "대기 %2zu건", aHeldBills);
    return text;
}

TStatusText OffLineText(bool aOffLine)
{
    if (aOffLine) return {"Off Line", 0x00FFFF, 0x0000FF};
    return {"On Line", 0x000000, 0xE1FFFF};
}

std::string OnLineCommandCaption(bool aOffLine) { return aOffLine ? "OnLine" : "OffLine"; }

std::string LockerText(const TTerminalContext& aContext)
{
    if (!aContext.gsEventNo.empty()) return "연회 : " + aContext.gsEventNo;
    if (!aContext.gsLockerNo.empty()) return "락카번호 : " + aContext.gsLockerNo;
    if (!aContext.gsRoomNo.empty()) return "객실번호 : " + aContext.gsRoomNo;
    return {};
}

int MenuButtonCount(TPrinterType aPrinter1)
{
    const bool fewItems =
        aPrinter1 == TPrinterType::ptTSP700 || aPrinter1 == TPrinterType::ptBoca || aPrinter1 == TPrinterType::ptFlotec;
    return fewItems ? 10 : 25;
}

}  // namespace pos
