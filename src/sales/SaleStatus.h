#pragma once
// The status texts of the sale screen and their colours ($BBGGRR): bill
// number, bill kind, held bills or guest counts, on-line state, locker or
// room, and the number of menu buttons the printer leaves room for.

#include "core/TerminalConfig.h"

#include <cstdint>
#include <string>

namespace pos {

struct TTerminalContext;

struct TStatusText {
    std::string text;
    std::uint32_t color = 0x000000;       // font
    std::uint32_t background = 0xFFFFFF;  // face
};

// "T%4d" of the table in blue at table outlets; else the bill number
// "0000", red during a pre-sale.
TStatusText BillNoText(const TTerminalContext& aContext, bool aTableOutlet);
// 0 "판매", 1 "VOID", 2 "반품".
TStatusText SaleGubunText(std::int64_t aSaleGubun);
// Guest counts when the guest-count command counts guests; else the held
// bills ("대기 n건" / "대기 없음").
std::string WaitCountText(bool aShowsGuestCounts, std::int64_t aKorean, std::int64_t aForeign, std::size_t aHeldBills);
// The state label and the caption of the on-line command.
TStatusText OffLineText(bool aOffLine);
std::string OnLineCommandCaption(bool aOffLine);
// Event, else locker, else room; empty when none.
std::string LockerText(const TTerminalContext& aContext);

// Menu buttons: 10 large ones when printer 1 is a ticket or label printer
// (TSP700, Boca, Flotec) whose receipts carry fewer items, else 25.
int MenuButtonCount(TPrinterType aPrinter1);

}  // namespace pos
