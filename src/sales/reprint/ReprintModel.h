#pragma once
// The reprint screen "영수증 재발행" as a model: sale date, POS number and
// bill number, the "Void빌" and "영문빌" toggles, Enter moving from field to
// field and reprinting from the bill number, "현금영수증 추후발행" (a cash
// receipt for the bill typed, then its receipt reprinted with it), and the
// checks and messages of the screen. The screen shows what the model holds.

#include "payment/approval/ApprovalJournal.h"
#include "sales/reprint/ReprintReceipt.h"

#include <cstdint>
#include <string>

namespace pos {

struct TTerminalContext;

inline constexpr const char* kMsgReprintFailed = "판매하지 않은 전표거나, Off Line 상태입니다.";
inline constexpr const char* kMsgReprintOffLine = "Off Line 상태에서는 영수증을 재발행할 수 없습니다.";
inline constexpr const char* kMsgWrongSaleDate = "판매일자를 잘못 입력하셨습니다.";

enum class TReprintField { SaleDate, PosNo, BillNo };

// "현금영수증 추후발행" for the bill on the screen.
class TAfterSaleCashReceipt {
public:
    virtual ~TAfterSaleCashReceipt() = default;
    // What of the bill can still be receipted, in whole won; 0 once the
    // cashier has been told why there is nothing.
    virtual std::int64_t ReceiptableAmount(const TBillKey& aBill) = 0;
    // The cash receipt screen for that amount; true when a receipt was
    // approved and stored.
    virtual bool Issue(const TBillKey& aBill, std::int64_t aAmount) = 0;
};

class TReprintModel {
public:
    // Proposes the business date, this POS and the terminal's previous bill.
    TReprintModel(const TTerminalContext& aContext, TReprinter& aReprinter, TAfterSaleCashReceipt& aCashReceipt);

    // The fields as typed: digits only ("yyyymmdd", "00", "0000").
    std::string saleDate, posNo, billNo;
    bool voidBill = false;   // "Void빌"
    bool english = false;    // "영문빌"

    bool EnglishOffered() const { return englishOffered_; }
    TReprintField Focus() const { return focus_; }
    void SetFocus(TReprintField aField) { focus_ = aField; }

    // Enter in the focused field: on to the next field, or from the bill
    // number the checks and the reprint. True when the screen closes (the
    // receipt went to the printers).
    bool Enter();
    // Leaving the sale date field: false (message, focus back) when its text
    // is no date.
    bool LeaveSaleDate();
    // "현금영수증 추후발행": a cash receipt for the bill typed, then its
    // receipt reprinted with it. True when the screen closes.
    bool CashReceipt();

    // The message line: the last message and whether the bill number is to
    // be selected for typing again.
    const std::string& Message() const { return message_; }
    bool SelectBillNo() const { return selectBillNo_; }
    void ClearMessage() { message_.clear(); selectBillNo_ = false; }

private:
    bool dateValid() const;
    std::int64_t number(const std::string& aText) const;
    bool billTyped();  // false: the focus on the field to correct
    bool reprint(bool aSale, bool aEnglish);
    TBillKey bill() const;

    TReprinter& reprinter_;
    TAfterSaleCashReceipt& cashReceipt_;
    std::string upjangCode_;
    bool englishOffered_;
    TReprintField focus_ = TReprintField::BillNo;
    std::string message_;
    bool selectBillNo_ = false;
};

}  // namespace pos
