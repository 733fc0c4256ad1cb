#pragma once
// Settling a bill: the pay command ("결제", through the payment screen) and
// the quick cash command ("현금결제"). A bill is stored exactly once or not
// at all:
//
// - On line, the payment rows (written by the payment screen) and the sale
//   and transfer rows are one server transaction, each part an attempt
//   under its own savepoint; the bill number is taken before the commit, so
//   a crash after the commit can never reuse it (a failed bill leaves a gap
//   instead).
// - Off line, every row goes into the queue at the end, as one bill.
// - When the connection is lost in the middle, nothing half-written stays on
//   the server (the transaction is lost); the whole bill is then queued off
//   line, or, at an outlet that may not sell off line, stays on the screen
//   with a message.
//
// Printing comes after the bill is stored and never undoes it.

#include "core/Currency.h"
#include "payment/PayLines.h"
#include "sales/CommandBar.h"
#include "sales/recording/SaleRows.h"

#include <string>

namespace pos {

struct TTerminalContext;
class DialogService;
class TfrmData;
class TLookups;
class TMasterStore;
class TOffLineStore;
class TPayRecorder;
class TSaleBill;
class TSaleView;
class TBillNumbers;

inline constexpr const char* kMsgNothingToPay = "결제할 내용이 없습니다.";
inline constexpr const char* kMsgNoTenders = "결제 가능한 수단이 없습니다.";
inline constexpr const char* kMsgSaleNotSaved = "판매 내역을 저장하지 못했습니다.\r";
inline constexpr const char* kMsgLostWhileSettling =
    "결제 중 서버와의 연결이 끊어져 전표를 저장하지 못했습니다.\r다시 결제하십시오.";
inline constexpr const char* kMsgNotSoldOffLine = "은(는) Off Line시 판매를 할 수 없습니다.";
inline constexpr const char* kMsgTableNotSettledOffLine =
    "Off Line 상태에서는 테이블 전표를 결제할 수 없습니다.\r서버에 연결된 후 다시 결제하십시오.";

// What the payment screen showed when it closed with the payment recorded.
struct TPayShown {
    Currency received, change, cash;
};

// The payment screen, as the settlement opens it.
class TPaymentScreen {
public:
    virtual ~TPaymentScreen() = default;
    // False when the terminal offers no tender at all.
    virtual bool OffersTenders() = 0;
    // Runs the screen for a bill of aDue with aRecorder behind it; true when
    // it closed with the payment recorded.
    virtual bool Run(TPayRecorder& aRecorder, Currency aDue, TPayShown& aShown) = 0;
    // The bill of the last recorded payment is stored (committed or queued):
    // the card approvals of its tender lines belong to a stored bill now.
    virtual void BillStored(const TPayLines& aLines) = 0;
    // The bill of the last recorded payment could not be stored after all
    // (its transaction is over): its approvals must not stay charged.
    virtual void BillNotStored(const TPayLines& aLines) = 0;
};

// A stored bill, as its printing needs it.
struct TStoredBill {
    TSaleRows sale;         // the stored bill lines and their amounts
    TCommandBar commands;   // the sale screen's switches as the bill was stored
    Currency discount, due; // the screen's discount total and amount due
    TPayLines pay;          // the tender lines (quick cash: one cash line; a cancelled bill: none)
    bool quickCash = false;
    bool cancelled = false; // a bill cancelled before settlement ("거래 중지 전표")
    Currency tendered, change;
    bool offLine = false;
};

// Prints a stored bill: receipt, slips, tickets, the drawer.
class TBillPrinter {
public:
    virtual ~TBillPrinter() = default;
    virtual void PrintBill(const TStoredBill& aBill, bool aOpenDrawer) = 0;
};

class TSettlement {
public:
    enum class TOutcome {
        NothingToPay,  // the message line said so; nothing happened
        DayClosed,     // the day or POS is closed: the bill was cleared, a login is due
        NoTenders,
        Cancelled,     // the payment screen was left: the bill stays
        Failed,        // not stored (after its message): the bill stays
        Stored,        // stored, printed, the sale ended
    };

    TSettlement(TTerminalContext& aContext, const TMasterStore& aStore, TfrmData& aData, TOffLineStore& aQueues,
                TBillNumbers& aNumbers, TLookups& aLookups, DialogService& aDialogs, TPaymentScreen& aPayScreen,
                TBillPrinter& aPrinter)
        : ctx_(aContext),
          store_(aStore),
          data_(aData),
          queues_(aQueues),
          numbers_(aNumbers),
          lookups_(aLookups),
          dialogs_(aDialogs),
          payScreen_(aPayScreen),
          printer_(aPrinter)
    {
    }

    // "결제".
    TOutcome Pay(TSaleView& aView);
    // "현금결제": the tendered amount of the sale screen, or the amount due
    // when that does not cover the bill.
    TOutcome PayCash(TSaleView& aView);
    // SaveCancelData: the bill on the screen stored and printed as a
    // cancelled bill, using up its number (outlets that keep cancelled
    // bills). The bill itself is not cleared.
    TOutcome SaveCancelData(TSaleView& aView);

private:
    // What the printing of a bill needs, apart from its tenders.
    TStoredBill storedBill(const TSaleBill& aBill, const TSaleRows& aSale) const;
    bool nothingToPay(TSaleView& aView) const;
    bool dayClosed() const;
    bool sellsOffLine() const;
    // Stores the rows of one bill: on line as the last attempt of the open
    // transaction (aBill owns it) and commit, with the bill number taken
    // first; off line into the queue. aOffLineRows are what the queue keeps
    // should the connection be lost on the way. aFreesTable: the bill is an
    // open table's, whose stored table bill is deleted in the same
    // transaction.
    TOutcome store(TSaleView& aView, class TDbWork* aBill, const TBillRows& aRows,
                   const std::function<TBillRows()>& aOffLineRows, bool aFreesTable);
    TOutcome queueOffLine(const TBillRows& aRows);
    // An open table's bill is never queued: the server would keep the
    // table's stored bill open, to be settled a second time.
    TOutcome tableNotSettledOffLine();
    bool freesTable() const;
    std::string posNoOf(const std::string& aUpjangCode);

    TTerminalContext& ctx_;
    const TMasterStore& store_;
    TfrmData& data_;
    TOffLineStore& queues_;
    TBillNumbers& numbers_;
    TLookups& lookups_;
    DialogService& dialogs_;
    TPaymentScreen& payScreen_;
    TBillPrinter& printer_;
};

}  // namespace pos
