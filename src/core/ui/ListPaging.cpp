#include "core/ui/ListPaging.h"

#include <algorithm>

namespace pos {

int TListPaging::VisibleRowsFor(int aFrameHeight, int aTitleHeight, int aFooterHeight)
{
    return std::max(0, (aFrameHeight - aTitleHeight - aFooterHeight) / kRowHeight);
}

bool TListPaging::CanUp() const { return cur_ > 0 || (cur_ == 0 && first_ > 0); }

bool TListPaging::CanDown(int aCount) const { return first_ + cur_ < aCount - 1; }

void TListPaging::AfterAdd(int aCount)
{
    first_ = std::max(0, aCount - listCount_);
    cur_ = std::min(aCount, listCount_) - 1;
}

void TListPaging::AfterDelete(int aCount)
{
    if (aCount < first_ + listCount_) first_ = std::max(0, aCount - listCount_);
    if (cur_ < 0) return;
    if (first_ + cur_ > aCount - 1) cur_ = aCount - 1 - first_;
    if (cur_ > listCount_ - 1) cur_ = listCount_ - 1;
    if (cur_ < 0) cur_ = -1;
}

void TListPaging::AfterClear()
{
    first_ = 0;
    cur_ = -1;
}

bool TListPaging::Up()
{
    if (!CanUp()) return false;
    if (cur_ > 0)
        --cur_;
    else
        --first_;
    return true;
}

bool TListPaging::Down(int aCount)
{
    if (!CanDown(aCount)) return false;
    if (cur_ < listCount_ - 1 && first_ + cur_ < aCount - 1)
        ++cur_;
    else if (first_ + listCount_ < aCount)
        ++first_;
    else
        return false;
    return true;
}

void TListPaging::First(int aCount)
{
    first_ = 0;
    cur_ = aCount > 0 && listCount_ > 0 ? 0 : -1;
}

bool TListPaging::Touch(int aRow, int aCount)
{
    if (aRow < 0 || aRow >= listCount_ || first_ + aRow >= aCount) return false;
    cur_ = aRow;
    return true;
}

void TListPaging::SetPosition(int aFirst, int aCur, int aCount)
{
    first_ = std::clamp(aFirst, 0, std::max(0, aCount - 1));
    cur_ = aCur < 0 || first_ + aCur >= aCount ? -1 : std::min(aCur, listCount_ - 1);
}

std::string ListCellText(const Variant& aValue)
{
    if (aValue.isAmount()) return FormatThousands(aValue.asAmount());
    if (aValue.isInteger()) return std::to_string(aValue.asInteger()) + "%";
    return aValue.asText();
}

Currency ListColumnSum(int aCount, int aItem, const std::function<Variant(int, int)>& aGet)
{
    Currency sum;
    if (aItem < 0) return sum;
    for (int i = 0; i < aCount; ++i) {
        const Variant v = aGet(aItem, i);
        if (v.isAmount()) sum += v.asAmount();
    }
    return sum;
}

std::string ListCountText(int aCount) { return FormatThousands(Currency(aCount)); }

std::string ListSumText(Currency aSum) { return FormatThousands(aSum) + "원"; }

}  // namespace pos
