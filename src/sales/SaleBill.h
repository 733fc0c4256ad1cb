#pragma once
// The bill being rung up on the sale screen: how an entered code becomes a
// line or is merged into one, how a selected line is re-counted, how lines are
// deleted, how the totals are computed, and how a bill is cleared, started and
// finished. The screen owns the widgets; this class owns what they show.

#include "core/Currency.h"
#include "sales/CommandBar.h"
#include "sales/SaleLines.h"
#include "store/MasterRecords.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pos {

struct TTerminalContext;
class TMasterStore;
class DialogService;
struct TUpjangData;

inline constexpr const char* kEndOfSaleText = "거래 종료";
inline constexpr const char* kSaleAmountTooLarge = "판매 금액이 너무 큽니다.\r판매 내역을 조정하십시오.";

// What an entry is made of; cleared after every entry.
struct TSaleEntry {
    std::string menuCode;                // the code edit
    Currency saleCount = Currency(1);    // the quantity edit
    std::string upjangCode, posNo;       // outlet and POS the code is looked up for
    std::string acceptMemberNo, memberAddNo;  // member key: the selected line's in modify mode
    bool modifyMode = false;             // a line was selected and is being re-counted
    bool menuSelect = false;             // the code came from a menu button
    std::optional<Currency> lineUnitAmt; // unit price of the selected line in modify mode
    std::optional<Currency> scalePrice;  // price carried by a scale bar code, in won
};

// The open table of a table-service outlet as the bill keeps it: the
// business date its bill is stored under, and what the kitchen has been told
// of it besides each line's OldSaleCount (the quantity already sent): the
// lines deleted since they were sent and the discounts as the last order
// bill showed them. Set when the table is loaded, renewed by every kitchen
// print, and given up when the table's bill is settled or cancelled.
struct TOpenTable {
    std::string saleDate;                       // empty: no table loaded yet (gsSaleDate then)
    std::vector<TSaleList> llDeleteList;        // lines deleted from the loaded table bill
    std::vector<TDCMemberData> llDCMemberData;  // the discounts as last shown
    std::vector<TDCMenuData> llDCMenuData;
};

// The state of the sale screen's widgets that the bill logic reads or sets.
struct TSaleScreenState {
    bool showing = false;  // the screen is shown (focus and button presses apply only then)
    bool enabled = true;

    TCommandBar commands;   // the command buttons: enabled, down, and what they serve for
    bool daesoDown = false; // ski outlets: the adult/child toggle shows "소인" (child)
    std::string lockerLabel;

    std::string menuNameText;  // the name label
    bool menuNameRed = false;  // red: it shows the end-of-sale text

    enum class Focus { Code, Count, Tendered } focus = Focus::Code;
    bool focusTextSelected = false;
};

struct TBillTotals {
    Currency due;       // "받을금액"
    Currency discount;  // "할인금액"
    Currency total;     // "합　　계"
    Currency tendered;  // "받은금액"
    Currency change;    // "거스름돈"
};

// What the bill asks of the rest of the terminal: the discount engine, the
// devices, the bill numbers, the screen's displays. The sale screen provides
// it (passing on what is not its own to the program's services); a test
// records the calls.
class TSaleHooks {
public:
    virtual ~TSaleHooks() = default;
    // The discount engine: re-applies the bill's discounts to its lines.
    virtual void ExecDC(TSaleLines&) = 0;
    virtual void RecreateSaleList(TSaleLines&) = 0;
    // True when the discount module asks for the member lists to be reloaded.
    virtual bool ClearDCModule() = 0;
    virtual void ShowLineDisplay(const std::string& aLine1, const std::string& aLine2) = 0;
    virtual void ClearPrintLists() = 0;   // tender print lists and joined cards
    virtual void EndPreSale() = 0;        // the pre-sale command's end
    virtual void GetMaxBillNo() = 0;
    virtual void ShowSaleGubun() = 0;
    virtual void ShowWaitCount() = 0;
    virtual void ShowBillNo() = 0;
    virtual void PressFirstMenuButtons() = 0;  // first outlet and first menu-group button
    virtual void OpenSkiSchool() = 0;          // ski school registration, through the order-table button
    // The guest-count dialog (Korean and foreign counts into the context);
    // true when the counts were taken.
    virtual bool GetGuestCount(bool aMustInput) = 0;
};

enum class TAddResult {
    Added,       // a new line
    Merged,      // merged into a line of the same code (or re-counted in modify mode)
    Corrected,   // modify-save: reduced with two correction lines
    Unchanged,   // modify mode with the same quantity
    UnknownCode, // nothing added; the code stays in the edit
};

class TSaleBill {
public:
    TSaleBill(TTerminalContext& aContext, TMasterStore& aStore, DialogService& aDialogs, TSaleHooks& aHooks);

    TSaleLines& Lines() { return lines_; }
    const TSaleLines& Lines() const { return lines_; }
    const TBillTotals& Totals() const { return totals_; }

    TSaleEntry entry;
    TSaleScreenState screen;
    TOpenTable table;                      // the open table of a table-service outlet
    std::vector<std::string> glKeyInData;  // member numbers keyed in by hand on this bill

    // Turns the entry into a line. aOpenPrice is the unit price to use, none
    // for the goods price.
    TAddResult AddSaleList(std::int64_t aCorrectAmt, std::optional<Currency> aOpenPrice);
    // With aCalc: re-applies discounts, recomputes and shows the totals.
    // Always: resets the entry.
    void CalcSaleList(bool aCalc);
    // Gross of a net amount at the hotel restaurants; aAmt elsewhere.
    Currency CalcSaleAmt(const std::string& aTaxCalcuCode, Currency aAmt) const;
    // What a line adds to the amount due, and its unit price as stored: at
    // the hotel restaurants the gross of the net, with a line's unit-price
    // correction; elsewhere the line's own amounts. The amount due is the sum
    // of the lines' amounts, so what the rows store adds up to it.
    Currency LineSaleAmount(const TSaleList& aLine) const;
    Currency LineUnitAmount(const TSaleList& aLine) const;

    void ClearBill();
    void StartSale();
    void EndSale();
    bool IsFinished() const { return screen.menuNameRed; }

    // "목록삭제": deletes the current line.
    void DeleteCurrentLine();
    // A row became current: the line goes into modify mode when it may.
    void ListChanged();

    // The amount tendered and the change it leaves.
    void SetTendered(Currency aTendered);
    // The tendered field was entered: at 0 it takes the amount due.
    void TenderedEntered();
    // The code field was entered: a quantity of 0 becomes 1.
    void CodeEntered();

private:
    TSaleList newLine(int aGoodsRow, Currency aCount, Currency aPrice, std::int64_t aOrder, std::int64_t aCorrectAmt,
                      bool aCaddy) const;
    int findMergeableLine(const std::optional<Currency>& aOpenPrice, bool aCaddy) const;
    void showPrice(Currency aPrice);
    void askGuestCountFirst();
    Currency dueAmount() const;
    Currency changeFor(Currency aTendered) const;
    void resetEntry();
    const TUpjangData* ownUpjang() const;  // the terminal's own outlet: the first of the list

    TTerminalContext& context_;
    TMasterStore& store_;
    DialogService& dialogs_;
    TSaleHooks& hooks_;
    TSaleLines lines_;
    TBillTotals totals_;
};

}  // namespace pos
