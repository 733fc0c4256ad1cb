#pragma once
// The bill list: the ordered lines of the bill on the sale screen, with the
// current row, the first visible row of the page and the two running sums
// (amount and discount). It is the document the bill's views follow: every
// change is reported through one observer callback with its kind, so the
// screen, the customer display and the totals react to the list instead of
// being poked one by one.

#include "sales/SaleList.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pos {

struct TTerminalContext;
class TMasterStore;

enum class TSaleLinesEvent {
    Change,  // the current row changed (add, delete, touch, up/down)
    Insert,  // a row was added
    Delete,  // a row was removed
    Redraw,  // rows were re-ordered and the sums recomputed: repaint
};

// How a row is painted.
struct TSaleRowStyle {
    bool childPrice = false;   // name red on fuchsia: a "-소인(" variant
    bool discounted = false;   // discount cell blue on yellow
    bool checked = false;      // check mark: the line is closed (ModifyYN)
};

class TSaleLines {
public:
    TSaleLines(const TTerminalContext& aContext, const TMasterStore& aStore);

    using Observer = std::function<void(TSaleLinesEvent)>;
    void Subscribe(Observer aObserver) { observers_.push_back(std::move(aObserver)); }

    // --- Data operations of the bill list ---
    // Appends a line built from 46 values in column order. Nothing is added
    // (false) when code, outlet, POS number, bill kind, season code or
    // business-day kind is empty.
    bool AddDataList(const std::vector<Variant>& aList);
    bool AddDataList(TSaleList aLine);
    // Same checks; replaces every field of row aIndex.
    bool ChangeDataList(int aIndex, const std::vector<Variant>& aList);
    void DeleteDataList(int aIndex);
    // One field by column; row -1 is the current row. A row out of range
    // reads empty and writes nothing (and says so in the return value).
    Variant GetDataItem(int aType, int aIndex = -1) const;
    // An empty text for a key column is ignored: the field keeps its value.
    bool SetDataItem(int aType, const Variant& aData, int aIndex = -1);
    // Orders the rows (by Order, except at ski outlets), recomputes the sums
    // and asks the views to repaint.
    void ShowList();

    // --- The common list frame ---
    bool AddList(const std::vector<Variant>& aList, bool aShow);
    bool AddList(TSaleList aLine, bool aShow);
    bool DeleteList(int aIndex, bool aShow);
    void ClearList(bool aShow);
    void LastList(bool aShow);
    void UpList();
    void DownList();
    // A touch on a visible row (0-based within the page).
    void TouchRow(int aVisibleRow);
    int GetCount() const { return static_cast<int>(lines_.size()); }
    bool IsEmpty() const { return lines_.empty(); }

    int CurrentRow() const { return current_; }
    int FirstRow() const { return first_; }
    void SetVisibleRows(int aRows);
    int VisibleRows() const { return visibleRows_; }
    Currency Sum1() const { return sum1_; }  // SaleAmt
    Currency Sum2() const { return sum2_; }  // DCAmt

    const TSaleList& Line(int aIndex) const { return *lines_.at(static_cast<std::size_t>(aIndex)); }
    TSaleList& Line(int aIndex) { return *lines_.at(static_cast<std::size_t>(aIndex)); }
    bool ValidRow(int aIndex) const { return aIndex >= 0 && aIndex < GetCount(); }
    // The highest Order of the bill, 0 for an empty bill.
    std::int64_t MaxOrder() const;

    // --- Display ---
    static const char* ColumnTitle(int aColumn);  // the eight displayed columns
    // Text of a displayed cell: amounts "0,", integers "0%", a caddy line's
    // name prefixed "(C)".
    std::string CellText(int aRow, int aColumn) const;
    TSaleRowStyle RowStyle(int aRow) const;

private:
    void notify(TSaleLinesEvent aEvent);
    std::string guestTypeName(const std::string& aGuestType) const;
    void keepCurrentInside();
    void scrollToCurrent();
    int rowOf(int aIndex) const { return aIndex == -1 ? current_ : aIndex; }

    const TTerminalContext& context_;
    const TMasterStore& store_;
    // Owned records by pointer: deleting or re-ordering rows of a long bill
    // moves pointers, not 46-field records.
    std::vector<std::unique_ptr<TSaleList>> lines_;
    std::vector<Observer> observers_;
    int current_ = -1;
    int first_ = 0;
    int visibleRows_ = 10;
    Currency sum1_, sum2_;
};

// Column widths in pixels of the displayed columns (0 means no width given).
struct TSaleColumnWidths {
    int code, name, count, discount, amount, memberNo, memberName, guestType;
};
TSaleColumnWidths SaleColumnWidths(bool aShopOutlet);

}  // namespace pos
