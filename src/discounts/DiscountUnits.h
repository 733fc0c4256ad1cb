#pragma once
// The bill as the discount engine sees it: every line split into units of one
// (a line of three is three units that can each take a different discount),
// and the units merged back into bill lines once each has its discount.

#include "core/Currency.h"
#include "sales/SaleList.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pos {

class TSaleLines;

// The member a discount was accepted under, as a bill line carries it.
struct TDCMember {
    std::string AcceptMemberNo, MemberNo, MemberAddNo, MemberName, MemberCode, GuestType;
    std::string Remark;  // becomes the line's DCRemarks
    bool KeyInYN = false;
};

// A run of identical units of one bill row. The engine hands discounts out
// unit by unit; a run stands for `units` units that came out alike, so a line
// of 500 is not 500 records.
struct TDCUnit {
    int row = 0;                     // the bill row the units were split from
    std::int64_t units = 1;          // how many identical units
    std::int64_t saleCount = 0;      // of each unit: +1, -1 on a return, 0 for a stored unit taken off the bill
    std::int64_t oldSaleCount = 0;   // of each unit: its share of the row's OldSaleCount
    const TDCMember* member = nullptr;  // none: the unit is at its full price without member data
    Currency discount;               // per unit, between 0 and the unit price
    std::int64_t rate = 0;           // the percentage shown
};

// Splits every row of the bill into its units and orders them as discounts
// are handed out: outlet code descending, unit price descending, unit amount
// descending; units that tie on all three come in entry order (Order), then
// row order, so the same bill always gives its limited discounts to the same
// units. A row of quantity 0 is one unit of 0 carrying the whole OldSaleCount;
// a recalled table line reduced below its stored quantity gets one unit of 0
// for every stored unit taken off.
std::vector<TDCUnit> SplitIntoUnits(const TSaleLines& aLines);

// One bill row the units make: the unit that started it, and the counts and
// amounts of every unit merged into it.
struct TDCMergedRow {
    const TDCUnit* first = nullptr;
    Currency saleCount, dcAmt, saleAmt;
    std::int64_t oldSaleCount = 0;
};

// The bill rows the units make, in unit order. A unit joins the first row
// made so far with the same outlet, menu, season, business-day kind, shown
// rate, unit price, closed flag and caddy flag, and either the same accepted
// member and member-add number, or no accepted member on either, or a row of
// an event member (accepted number beginning with aEventMemberNo); otherwise
// it starts a row of its own. Counts and amounts add up; a row started by a
// unit of 0 has no discount and is open.
std::vector<TDCMergedRow> MergeUnits(const TSaleLines& aLines, const std::vector<TDCUnit>& aUnits,
                                     const std::string& aEventMemberNo);

// Turns a copy of a merged row's source row into the merged line: the merged
// counts and amounts with the first unit's discount and member.
void MakeMergedLine(TSaleList& aLine, const TDCMergedRow& aRow);

}  // namespace pos
