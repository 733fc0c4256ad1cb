#include "discounts/DiscountUnits.h"

#include "sales/SaleLines.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <unordered_map>

namespace pos {
namespace {

std::int64_t signOf(std::int64_t v) { return (v > 0) - (v < 0); }

void addRun(std::vector<TDCUnit>& aUnits, int aRow, std::int64_t aCount, std::int64_t aSaleCount,
            std::int64_t aOldSaleCount)
{
    if (aCount <= 0) return;
    TDCUnit unit;
    unit.row = aRow;
    unit.units = aCount;
    unit.saleCount = aSaleCount;
    unit.oldSaleCount = aOldSaleCount;
    aUnits.push_back(unit);
}

// The units of one row, in the order the row is split.
void splitRow(std::vector<TDCUnit>& aUnits, int aRow, const TSaleList& aLine)
{
    const std::int64_t sale = aLine.SaleCount.truncWon();
    const std::int64_t old = aLine.OldSaleCount;
    if (sale == 0) {
        addRun(aUnits, aRow, 1, 0, old);
        return;
    }
    const std::int64_t oldSign = signOf(old);
    const std::int64_t quantity = std::abs(sale);
    std::int64_t stored = std::abs(old);
    // Stored units beyond the new quantity were taken off the bill.
    const std::int64_t takenOff = std::max<std::int64_t>(0, stored - quantity);
    addRun(aUnits, aRow, takenOff, 0, oldSign);
    stored -= takenOff;
    const std::int64_t stillStored = std::min(quantity, stored);
    addRun(aUnits, aRow, stillStored, signOf(sale), oldSign);
    addRun(aUnits, aRow, quantity - stillStored, signOf(sale), 0);
}

// The fields a unit and a row must share to be merged, apart from the member.
std::string mergeKey(const TSaleList& aLine, std::int64_t aRate, bool aModify)
{
    std::string key;
    key.reserve(64);
    for (const std::string_view part :
         {std::string_view(aLine.UpjangCode), std::string_view(aLine.MenuCode), std::string_view(aLine.SeasonCode),
          std::string_view(aLine.BusinessGubun)}) {
        key += part;
        key += '\x1f';
    }
    key += std::to_string(aRate);
    key += '\x1f';
    key += std::to_string(aLine.SaleUnitAmt.raw());
    key += aModify ? "\x1fY" : "\x1fN";
    key += aLine.CaddyYN ? "Y" : "N";
    return key;
}

Currency unitDiscount(const TDCUnit& aUnit) { return Currency(aUnit.saleCount) * aUnit.discount; }

Currency unitAmount(const TSaleList& aLine, const TDCUnit& aUnit)
{
    return Currency(aUnit.saleCount) * (aLine.SaleUnitAmt - aUnit.discount);
}

// A unit of member (aAcceptMemberNo, aMemberAddNo) may join a row of member
// (aRowAcceptMemberNo, aRowMemberAddNo).
bool sameMember(const std::string& aRowAcceptMemberNo, const std::string& aRowMemberAddNo,
                const std::string& aAcceptMemberNo, const std::string& aMemberAddNo, const std::string& aEventMemberNo)
{
    if (aRowAcceptMemberNo == aAcceptMemberNo && aRowMemberAddNo == aMemberAddNo) return true;
    if (aRowAcceptMemberNo.empty() && aAcceptMemberNo.empty()) return true;
    return !aEventMemberNo.empty() && aRowAcceptMemberNo.starts_with(aEventMemberNo);
}

}  // namespace

std::vector<TDCUnit> SplitIntoUnits(const TSaleLines& aLines)
{
    std::vector<TDCUnit> units;
    units.reserve(static_cast<std::size_t>(aLines.GetCount()) * 2);
    for (int row = 0; row < aLines.GetCount(); ++row) splitRow(units, row, aLines.Line(row));
    const auto before = [&aLines](const TDCUnit& a, const TDCUnit& b) {
        const TSaleList& la = aLines.Line(a.row);
        const TSaleList& lb = aLines.Line(b.row);
        if (la.UpjangCode != lb.UpjangCode) return la.UpjangCode > lb.UpjangCode;
        if (la.SaleUnitAmt != lb.SaleUnitAmt) return la.SaleUnitAmt > lb.SaleUnitAmt;
        const Currency amountA = la.SaleUnitAmt * Currency(a.saleCount);
        const Currency amountB = lb.SaleUnitAmt * Currency(b.saleCount);
        if (amountA != amountB) return amountA > amountB;
        if (la.Order != lb.Order) return la.Order < lb.Order;
        return a.row < b.row;
    };
    std::stable_sort(units.begin(), units.end(), before);
    return units;
}

std::vector<TDCMergedRow> MergeUnits(const TSaleLines& aLines, const std::vector<TDCUnit>& aUnits,
                                     const std::string& aEventMemberNo)
{
    static const std::string kNone;
    std::vector<TDCMergedRow> rows;
    rows.reserve(static_cast<std::size_t>(aLines.GetCount()) + 8);
    // Rows by everything they must share but the member; each key holds the
    // rows in the order they were made.
    std::unordered_map<std::string, std::vector<std::size_t>> rowsByKey;
    for (const TDCUnit& unit : aUnits) {
        const TSaleList& line = aLines.Line(unit.row);
        const std::string& accept = unit.member ? unit.member->AcceptMemberNo : kNone;
        const std::string& addNo = unit.member ? unit.member->MemberAddNo : kNone;
        std::vector<std::size_t>& sameKey = rowsByKey[mergeKey(line, unit.rate, line.ModifyYN)];
        TDCMergedRow* match = nullptr;
        for (const std::size_t index : sameKey) {
            const TDCMergedRow& candidate = rows[index];
            const TDCMember* member = candidate.first->member;
            if (sameMember(member ? member->AcceptMemberNo : kNone, member ? member->MemberAddNo : kNone, accept,
                           addNo, aEventMemberNo)) {
                match = &rows[index];
                break;
            }
        }
        if (!match) {
            rows.push_back(TDCMergedRow{&unit, {}, {}, {}, 0});
            match = &rows.back();
            // A row started by a unit of 0 is open, so it is found under that key.
            if (unit.saleCount == 0 && line.ModifyYN)
                rowsByKey[mergeKey(line, unit.rate, false)].push_back(rows.size() - 1);
            else
                sameKey.push_back(rows.size() - 1);
        }
        const Currency units(unit.units);
        match->saleCount += units * Currency(unit.saleCount);
        match->dcAmt += units * unitDiscount(unit);
        match->saleAmt += units * unitAmount(line, unit);
        match->oldSaleCount += unit.units * unit.oldSaleCount;
    }
    return rows;
}

void MakeMergedLine(TSaleList& aLine, const TDCMergedRow& aRow)
{
    static const TDCMember kNoMember;
    const TDCUnit& unit = *aRow.first;
    const TDCMember& member = unit.member ? *unit.member : kNoMember;
    aLine.SaleCount = aRow.saleCount;
    aLine.OldSaleCount = aRow.oldSaleCount;
    aLine.DCRate = unit.rate;
    aLine.DCAmt = aRow.dcAmt;
    aLine.SaleAmt = aRow.saleAmt;
    aLine.AcceptMemberNo = member.AcceptMemberNo;
    aLine.MemberNo = member.MemberNo;
    aLine.MemberAddNo = member.MemberAddNo;
    aLine.MemberName = member.MemberName;
    aLine.MemberCode = member.MemberCode;
    aLine.GuestType = member.GuestType;
    aLine.MemberCodeName.clear();  // the bill list names the guest type itself
    aLine.DCRemarks = member.Remark;
    aLine.KeyInYN = member.KeyInYN;
    if (unit.saleCount == 0) {
        aLine.DCRate = 0;
        aLine.ModifyYN = false;
    }
}

}  // namespace pos
