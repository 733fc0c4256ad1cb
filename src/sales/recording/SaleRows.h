#pragma once
// The rows that store a bill's sale: one sale row per bill line (with its
// event-sale row while a group discount is applied), the pre-sale link row,
// the transfer rows that move other outlets' shares to them, and the cash
// rows of the quick cash settlement. Built as plain data from the bill and
// the terminal context; nothing here touches the server or the queue.

#include "core/Currency.h"
#include "sales/recording/SaleTax.h"
#include "sales/recording/StoredRow.h"

#include <functional>
#include <string>
#include <vector>

namespace pos {

struct TTerminalContext;
struct TSaleList;
class TMasterStore;
class TSaleBill;

// The statements of the sale rows.
inline constexpr const char* kKeySaveSale = "IAI010-SaveSaleData";
inline constexpr const char* kKeySaveSaleCancel = "IAI010-SaveSaleCancelData";
inline constexpr const char* kKeySaveSaleEvent = "IAI010-SaveSaleData-Event";
inline constexpr const char* kKeySavePay = "IAI010-SavePayData-1";
inline constexpr const char* kKeySavePayEvent = "ICI010-SavePayData-Event-2";

inline constexpr std::int64_t kMaxBillAmount = 2'000'000'000;
inline constexpr const char* kMsgSaleTooLarge = "판매 금액이 너무 큽니다.\r판매 내역을 조정하십시오.";

// A component of a ski package or camp line, one row per unit each.
struct TStoredComponent {
    std::string upjangCode, menuCode;
    Currency unitAmt;
};

// One stored bill line: what its rows hold, for the receipt and the tickets.
struct TStoredLine {
    const TSaleList* line = nullptr;
    Currency unit, sale;  // the row's unit and sale amounts
    TTaxSplit split;
    bool taxFree = false;
    int seq = 0;          // the sequence of the line's row
    // The member fields the row was stored with (a group discount lends its
    // member to lines without one).
    std::string guestType, acceptMemberNo, memberAddNo;
    // A package or camp line: its components as they were stored.
    std::vector<TStoredComponent> components;
};

struct TSaleRows {
    TBillRows rows;                  // in the order they are written
    std::vector<TStoredLine> lines;  // the bill lines that got a row
    Currency total;                  // the stored sale amounts, summed
    int nextSeq = 1;                 // the row sequence after the last row
};

// How the rows are to be stored: on line, or into the queue (the remarks
// then say "Off Line"); a cancelled bill goes to the cancelled-bill
// statement and queue.
struct TSaleRowsMode {
    bool offLine = false;
    bool cancel = false;
};

// The POS number under which this terminal records sales of an outlet.
using TPosNoOf = std::function<std::string(const std::string& aUpjangCode)>;

class TSaleRowsBuilder {
public:
    TSaleRowsBuilder(const TTerminalContext& aContext, const TMasterStore& aStore, const TSaleBill& aBill)
        : ctx_(aContext), store_(aStore), bill_(aBill)
    {
    }

    // The sale rows of the bill (and the pre-sale link row).
    TSaleRows SaleRows(TSaleRowsMode aMode) const;

    // The transfer rows of lines sold for other outlets (none with one
    // outlet loaded): for each other outlet, in the order first met, a row
    // of its share for that outlet and the same amount negative for the
    // own outlet.
    TBillRows TransferRows(const TPosNoOf& aPosNoOf) const;

    // The cash rows of the quick cash settlement: the tendered amount and,
    // when there is change, the change row; their event-account rows while
    // a group discount is applied; and the pre-sale transfer rows.
    TBillRows QuickCashRows(bool aOffLine, Currency aTendered, Currency aChange) const;

    // A payment row ("IAI010-SavePayData-1") of the bill: P0..P4, P18 and
    // P19 as the recording prepares them, the tender part given.
    std::vector<std::string> PayRowParams(std::int64_t aTenderCode, const std::string& aSeq, Currency aAmount) const;
    // The pre-sale transfer rows of a pre-sale bill, after its tenders.
    TBillRows PreSaleRows(Currency aDue) const;
    // The event-account row that follows a payment row while a group
    // discount is applied; none otherwise.
    std::vector<TStoredRow> EventPayRow(std::int64_t aTenderCode, const std::string& aSeq, Currency aAmount) const;

private:
    struct TMemberFields {
        std::string memberCode, guestType, acceptMemberNo, memberNo, memberAddNo;
    };
    TMemberFields memberFields(const TSaleList& aLine) const;
    std::vector<std::string> lineRow(const TSaleList& aLine, const TStoredLine& aStored, int aSeq,
                                     std::int64_t aKorean, std::int64_t aForeign, bool aOffLine) const;
    std::vector<std::string> linkRow(bool aOffLine) const;
    std::vector<std::string> eventSaleRow(const std::vector<std::string>& aSaleRow) const;
    std::string remarks(const std::string& aOwn, bool aOffLine) const;
    bool preSale() const;
    std::string rowDate() const;
    std::string rowBillNo() const;

    const TTerminalContext& ctx_;
    const TMasterStore& store_;
    const TSaleBill& bill_;
};

}  // namespace pos
