#pragma once
// The terminal context: every process-wide g... value of the terminal under
// its own name, with the code table mixed in, in one object. Logic takes it by
// reference; the program keeps one instance (Terminal()); a test makes its own
// or calls Reset() between cases.

#include "core/CodeTable.h"

#include <cstdint>
#include <string>

namespace pos {

struct TTerminalContext : TCodeTable {
    // Terminal identity and outlet.
    std::string gsMasterUpjangCode, gsMasterUpjangName;
    std::string gsUpjangCode, gsUpjangName;
    std::string gsMasterPosNo, gsPosNo;

    // Cashier and dates.
    std::string gsCashier, gsCashierName;
    std::string gsSaleDate, gsSaleDateBackup, gsPreSaleDateFrom, gsToday;

    // Bill numbering.
    std::int64_t giBillNo = 0;
    std::string gsBillNo, gsPreBillNo;

    // Company header printed on receipts.
    std::string gsSaupName, gsCEOName, gsCEOEngName, gsAddress, gsAddressEng, gsTel, gsFax, gsSaupNo;

    // Context of the bill being rung up (reset with the bill: ResetBill()).
    bool gbPreSale = false;
    bool gbEventMode = false;
    std::string gsEventNo, gsEventName, gsEventMemberNo, gsEventMemberCode, gsEventMemberCodeName, gsEventGuestType;
    std::int64_t giTableNo = 0;
    std::int64_t giWaitNo = 0;
    std::int64_t giSaleGubun = 0;  // 0 sale, 2 return
    std::int64_t giSign = 1;       // +1 sale, -1 return
    std::string gsLockerNo, gsRoomNo;
    std::int64_t giKoreanCount = 0, giForeignCount = 0;
    std::string gsTempMemberNo;
    bool gbScaned = false;
    bool gbCantSale = false;
    bool gbPDAOrderPrinted = false;
    std::string gsCardTrack2;
    std::string gsPrintHeader, gsPrintSaleData1, gsPrintPayData1;

    // Terminal state.
    bool gbOffLine = false;
    bool gbSki = false;
    bool gbVessa = false;
    bool gbTestMode = false;
    bool gbOldVersion = false;
    bool gbDebugMode = false;
    std::string gsFolder, gsWinFolder, gsIP;
    std::string gsServerDB, gsServerIP;
    std::string gsCardIP;
    std::int64_t giCardPort = 0;
    bool gbSignPadType = false;
    std::int64_t giSignPadPort = 0;

    // Ski school customer being registered.
    bool gbSchoolSki = false;
    std::string gsSchoolMemberNo, gsSchoolName, gsSchoolIDNo, gsSchoolGender, gsSchoolAge, gsSchoolPhoneNo,
        gsSchoolMobileNo, gsSchoolAddr1, gsSchoolAddr2, gsSchoolZipCode;

    // Everything back to its start value, code table included.
    void Reset() { *this = TTerminalContext(); }
    // The context that lives through one bill, as bill clearing leaves it.
    void ResetBill();
    // The ski school customer fields emptied.
    void ClearSchoolCustomer();
    // True when aUpjangCode is one of the hotel restaurants of the code table.
    bool IsVessaUpjang(const std::string& aUpjangCode) const;
};

// The program's one context. Logic never reaches for it: it is handed down.
TTerminalContext& Terminal();

}  // namespace pos
