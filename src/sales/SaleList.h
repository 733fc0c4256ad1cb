#pragma once
// One bill line. The fields stand in declaration order, which is also the
// column number by which the bill list reads and writes a single field
// (column 0 MenuCode ... column 45 CaddyYN); the first eight are displayed.

#include "core/Currency.h"
#include "core/Variant.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pos {

struct TSaleList {
    std::string MenuCode;         // 0
    std::string MenuName;         // 1
    Currency SaleCount;           // 2  signed: negative on a return
    std::int64_t DCRate = 0;      // 3  percent
    Currency SaleAmt;             // 4  after discount
    std::string AcceptMemberNo;   // 5
    std::string MemberName;       // 6
    std::string MemberCodeName;   // 7  always the guest type's name, recomputed by the list
    Currency SaleUnitAmt;         // 8
    bool ModifyYN = false;        // 9  closed to merging, re-counting and modify mode
    std::string UpjangCode;       // 10
    std::string PosNo;            // 11
    std::int64_t SaleGubun = 0;   // 12 0 sale, 2 return
    std::string SeasonCode;       // 13
    std::string BusinessGubun;    // 14
    std::string MenuEngName;      // 15
    bool TaxYN = false;           // 16
    std::string TaxCalcuCode;     // 17
    Currency DCAmt;               // 18
    std::int64_t KoreanQty = 0;   // 19
    std::int64_t ForeignQty = 0;  // 20
    std::string TicketKind;       // 21
    std::string MemberCode;       // 22
    std::string GuestType;        // 23
    std::string MemberNo;         // 24
    std::string MemberAddNo;      // 25
    bool KeyInYN = false;         // 26
    std::string CookMethod;       // 27
    std::string SetMenu1, SetMenu2, SetMenu3, SetMenu4, SetMenu5;  // 28-32
    std::string SeriesTicketCode;   // 33
    std::string SeriesTicketName;   // 34
    std::int64_t OldSaleCount = 0;  // 35 quantity already stored for the table
    bool KitchenPrtYN = false;      // 36
    std::string DaesoCode;          // 37
    std::string TicketType;         // 38
    bool DCYN = false;              // 39
    std::string DCCalcuCode;        // 40
    std::string DCRemarks;          // 41
    std::int64_t Order = 0;         // 42 entry sequence
    std::string MenuGubunCode;      // 43
    std::int64_t CorrectAmt = 0;    // 44 per-unit correction at the hotel restaurants
    bool CaddyYN = false;           // 45

    // Clears what a line's discount wrote: rate, amount, guest counts and the
    // member fields with the discount remark. Used whenever a line is re-made
    // from another one.
    void ClearDiscount();
};

namespace SaleCol {
enum : int {
    MenuCode = 0, MenuName, SaleCount, DCRate, SaleAmt, AcceptMemberNo, MemberName, MemberCodeName, SaleUnitAmt,
    ModifyYN, UpjangCode, PosNo, SaleGubun, SeasonCode, BusinessGubun, MenuEngName, TaxYN, TaxCalcuCode, DCAmt,
    KoreanQty, ForeignQty, TicketKind, MemberCode, GuestType, MemberNo, MemberAddNo, KeyInYN, CookMethod, SetMenu1,
    SetMenu2, SetMenu3, SetMenu4, SetMenu5, SeriesTicketCode, SeriesTicketName, OldSaleCount, KitchenPrtYN,
    DaesoCode, TicketType, DCYN, DCCalcuCode, DCRemarks, Order, MenuGubunCode, CorrectAmt, CaddyYN,
    Count  // 46
};
}

// A line's field by column number (empty Variant for a column out of range).
Variant GetSaleColumn(const TSaleList& aLine, int aColumn);
// Writes one field by column number, converting text, numbers and flags
// ("Y"/"True" are true). False for a column out of range.
bool SetSaleColumn(TSaleList& aLine, int aColumn, const Variant& aValue);
// True for the columns a line cannot be without: code, outlet, POS number,
// bill kind, season code and business-day kind.
bool IsKeySaleColumn(int aColumn);
// The 46 fields in column order.
std::vector<Variant> SaleColumns(const TSaleList& aLine);

}  // namespace pos
