#include "sales/SaleLines.h"

#include "core/TerminalContext.h"
#include "store/MasterStore.h"

#include <algorithm>
#include <optional>

namespace pos {
namespace {

// A line from 46 values in column order; none when a key column is empty.
std::optional<TSaleList> lineFromValues(const std::vector<Variant>& aList)
{
    if (aList.size() < SaleCol::Count) return std::nullopt;
    TSaleList line;
    for (int c = 0; c < SaleCol::Count; ++c) {
        const Variant& value = aList[static_cast<std::size_t>(c)];
        if (IsKeySaleColumn(c) && value.asText().empty()) return std::nullopt;
        SetSaleColumn(line, c, value);
    }
    return line;
}

}  // namespace

TSaleLines::TSaleLines(const TTerminalContext& aContext, const TMasterStore& aStore)
    : context_(aContext), store_(aStore)
{
}

void TSaleLines::notify(TSaleLinesEvent aEvent)
{
    for (const Observer& o : observers_) o(aEvent);
}

std::string TSaleLines::guestTypeName(const std::string& aGuestType) const
{
    return store_.GetCommonData(context_.gsCommonGuestType, aGuestType, 2);
}

bool TSaleLines::AddDataList(TSaleList aLine)
{
    if (aLine.MenuCode.empty() || aLine.UpjangCode.empty() || aLine.PosNo.empty() || aLine.SeasonCode.empty() ||
        aLine.BusinessGubun.empty())
        return false;
    aLine.MemberCodeName = guestTypeName(aLine.GuestType);
    lines_.push_back(std::make_unique<TSaleList>(std::move(aLine)));
    return true;
}

bool TSaleLines::AddDataList(const std::vector<Variant>& aList)
{
    std::optional<TSaleList> line = lineFromValues(aList);
    return line && AddDataList(std::move(*line));
}

bool TSaleLines::ChangeDataList(int aIndex, const std::vector<Variant>& aList)
{
    std::optional<TSaleList> line = lineFromValues(aList);
    if (!ValidRow(aIndex) || !line) return false;
    line->MemberCodeName = guestTypeName(line->GuestType);
    Line(aIndex) = std::move(*line);
    return true;
}

void TSaleLines::DeleteDataList(int aIndex)
{
    if (ValidRow(aIndex)) lines_.erase(lines_.begin() + aIndex);
}

Variant TSaleLines::GetDataItem(int aType, int aIndex) const
{
    const int row = rowOf(aIndex);
    if (!ValidRow(row)) return {};
    return GetSaleColumn(Line(row), aType);
}

bool TSaleLines::SetDataItem(int aType, const Variant& aData, int aIndex)
{
    const int row = rowOf(aIndex);
    if (!ValidRow(row)) return false;
    if (IsKeySaleColumn(aType) && aData.asText().empty()) return false;
    TSaleList& line = Line(row);
    if (!SetSaleColumn(line, aType, aData)) return false;
    if (aType == SaleCol::GuestType || aType == SaleCol::MemberCodeName) line.MemberCodeName = guestTypeName(line.GuestType);
    return true;
}

void TSaleLines::ShowList()
{
    const auto byOrder = [](const std::unique_ptr<TSaleList>& a, const std::unique_ptr<TSaleList>& b) {
        return a->Order < b->Order;
    };
    // New and merged lines take the next Order, so the bill is nearly always
    // in order already.
    if (!context_.gbSki && !std::is_sorted(lines_.begin(), lines_.end(), byOrder))
        std::stable_sort(lines_.begin(), lines_.end(), byOrder);
    sum1_ = Currency();
    sum2_ = Currency();
    for (const auto& line : lines_) {
        sum1_ += line->SaleAmt;
        sum2_ += line->DCAmt;
    }
    notify(TSaleLinesEvent::Redraw);
}

bool TSaleLines::AddList(TSaleList aLine, bool aShow)
{
    if (!AddDataList(std::move(aLine))) return false;
    current_ = GetCount() - 1;
    scrollToCurrent();
    if (aShow) ShowList();
    notify(TSaleLinesEvent::Change);
    notify(TSaleLinesEvent::Insert);
    return true;
}

bool TSaleLines::AddList(const std::vector<Variant>& aList, bool aShow)
{
    std::optional<TSaleList> line = lineFromValues(aList);
    return line && AddList(std::move(*line), aShow);
}

bool TSaleLines::DeleteList(int aIndex, bool aShow)
{
    const int row = rowOf(aIndex);
    if (!ValidRow(row)) return false;
    DeleteDataList(row);
    keepCurrentInside();
    if (aShow) ShowList();
    notify(TSaleLinesEvent::Change);
    notify(TSaleLinesEvent::Delete);
    return true;
}

void TSaleLines::ClearList(bool aShow)
{
    lines_.clear();
    current_ = -1;
    first_ = 0;
    if (aShow) ShowList();
}

void TSaleLines::LastList(bool aShow)
{
    current_ = GetCount() - 1;
    scrollToCurrent();
    if (aShow) ShowList();
}

void TSaleLines::UpList()
{
    if (current_ <= 0) return;
    --current_;
    scrollToCurrent();
    notify(TSaleLinesEvent::Change);
}

void TSaleLines::DownList()
{
    if (current_ + 1 >= GetCount()) return;
    ++current_;
    scrollToCurrent();
    notify(TSaleLinesEvent::Change);
}

void TSaleLines::TouchRow(int aVisibleRow)
{
    const int row = first_ + aVisibleRow;
    if (aVisibleRow < 0 || aVisibleRow >= visibleRows_ || !ValidRow(row)) return;  // an empty row is inert
    current_ = row;
    notify(TSaleLinesEvent::Change);
}

void TSaleLines::SetVisibleRows(int aRows)
{
    visibleRows_ = std::max(1, aRows);
    scrollToCurrent();
}

std::int64_t TSaleLines::MaxOrder() const
{
    std::int64_t highest = 0;
    for (const auto& line : lines_) highest = std::max(highest, line->Order);
    return highest;
}

void TSaleLines::keepCurrentInside()
{
    if (current_ >= GetCount()) current_ = GetCount() - 1;
    if (current_ < 0 && !lines_.empty()) current_ = 0;
    scrollToCurrent();
}

void TSaleLines::scrollToCurrent()
{
    if (current_ < 0) {
        first_ = 0;
        return;
    }
    if (current_ < first_) first_ = current_;
    if (current_ >= first_ + visibleRows_) first_ = current_ - visibleRows_ + 1;
    first_ = std::max(0, std::min(first_, std::max(0, GetCount() - visibleRows_)));
}

const char* TSaleLines::ColumnTitle(int aColumn)
{
    static const char* const kTitles[] = {"메뉴코드", "메뉴명", "수량", "할인", "금액", "우대번호", "우대고객 성명", "우대구분"};
    return aColumn >= 0 && aColumn < 8 ? kTitles[aColumn] : "";
}

std::string TSaleLines::CellText(int aRow, int aColumn) const
{
    if (!ValidRow(aRow) || aColumn < 0 || aColumn >= 8) return {};
    const TSaleList& line = Line(aRow);
    switch (aColumn) {
    case SaleCol::MenuName: return line.CaddyYN ? "(C)" + line.MenuName : line.MenuName;
    case SaleCol::SaleCount: return FormatThousands(line.SaleCount);
    case SaleCol::DCRate: return std::to_string(line.DCRate) + "%";
    case SaleCol::SaleAmt: return FormatThousands(line.SaleAmt);
    default: return GetSaleColumn(line, aColumn).asText();
    }
}

TSaleRowStyle TSaleLines::RowStyle(int aRow) const
{
    TSaleRowStyle style;
    if (!ValidRow(aRow)) return style;
    const TSaleList& line = Line(aRow);
    style.childPrice = line.MenuName.find("-소인(") != std::string::npos;
    style.discounted = line.DCRate != 0;
    style.checked = line.ModifyYN;
    return style;
}

TSaleColumnWidths SaleColumnWidths(bool aShopOutlet)
{
    if (aShopOutlet) return {85, 100, 33, 30, 67, 80, 170, 152};
    return {0, 185, 33, 30, 72, 80, 170, 152};
}

}  // namespace pos
