#pragma once
// The paging of a list frame without the frame: which record is shown in the
// first visible row, which row is current, what the page buttons allow, and
// how the cells and the footer sums read. Plain C++ so it is tested without
// a window; the frame widget only applies it.

#include "core/Currency.h"
#include "core/Variant.h"

#include <functional>
#include <string>

namespace pos {

class TListPaging {
public:
    // Rows of aFrameHeight that fit below the title (and above the footer).
    static int VisibleRowsFor(int aFrameHeight, int aTitleHeight, int aFooterHeight);
    static constexpr int kRowHeight = 26;

    int ListCount() const { return listCount_; }
    void SetListCount(int aRows) { listCount_ = aRows < 0 ? 0 : aRows; }
    int FirstIndex() const { return first_; }
    int CurIndex() const { return cur_; }  // relative to the first row; -1: none
    // Absolute index of the current record, -1 when there is none.
    int CurrentRecord() const { return cur_ < 0 ? -1 : first_ + cur_; }

    bool CanUp() const;
    bool CanDown(int aCount) const;

    // After a record was appended: the last record is current and visible.
    void AfterAdd(int aCount);
    // After the record at some index was removed; aCount is the new count.
    void AfterDelete(int aCount);
    void AfterClear();

    // Each answers whether anything moved.
    bool Up();
    bool Down(int aCount);
    void First(int aCount);
    void Last(int aCount) { AfterAdd(aCount); }
    // A touch on visible row aRow: current when a record is shown there.
    bool Touch(int aRow, int aCount);
    // Positions set from a model that pages itself; clamped to the records.
    void SetPosition(int aFirst, int aCur, int aCount);

private:
    int listCount_ = 0;
    int first_ = 0;
    int cur_ = -1;
};

// Cell text of a list value: amounts "0," (thousands, no decimals), integers
// "0%", anything else as its text.
std::string ListCellText(const Variant& aValue);

// Sum of the amount values of column aItem over aCount records; values of
// other kinds are skipped.
Currency ListColumnSum(int aCount, int aItem, const std::function<Variant(int aItem, int aIndex)>& aGet);

// Footer texts: the count "0," and the sum "0,원".
std::string ListCountText(int aCount);
std::string ListSumText(Currency aSum);

}  // namespace pos
