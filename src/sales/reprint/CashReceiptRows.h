#pragma once
// The server side of a cash receipt issued for a stored bill afterwards:
// how much of the bill can still be receipted, and the receipt's row, which
// follows the bill's other cash receipts in sequence.

#include "db/DbError.h"
#include "payment/approval/ApprovalJournal.h"

#include <cstdint>
#include <string>

namespace pos {

class DialogService;
class TfrmData;

inline constexpr const char* kMsgCashReceiptNotSold = "판매하지 않은 전표이거나, Off Line 상태입니다.";
inline constexpr const char* kMsgCashReceiptNothingLeft =
    "현금 결제하지 않은 전표이거나, 이미 현금영수증이 발행된 전표입니다.";

struct TCashReceiptAmount {
    enum TStatus { Receiptable, NotSold, NothingLeft, Failed } status = Failed;
    std::int64_t amount = 0;  // whole won, when Receiptable
    TDbError error;           // Failed: what the server said (none: no connection)
};

// The bill's cash, change taken off, less the cash receipts issued for it.
TCashReceiptAmount ReadCashReceiptAmount(TfrmData& aData, const TBillKey& aBill);

// The amount the reprint screen offers, or 0 once the cashier has been told
// why there is none (an error box).
std::int64_t GetCashReceiptAmt(TfrmData& aData, DialogService& aDialogs, const TBillKey& aBill);

struct TCashReceiptRow {
    TBillKey bill;
    bool individual = true;  // income deduction; otherwise a business's expense proof
    std::string identity;    // as typed
    std::int64_t amount = 0;
    std::string agreeNo, agreeDate;
};

struct TCashReceiptStored {
    bool stored = false;
    TDbError error;  // not stored: the statement's error, none when there was no connection
};

class TCashReceiptRows {
public:
    virtual ~TCashReceiptRows() = default;
    virtual TCashReceiptStored Store(const TCashReceiptRow& aRow) = 0;
};

// The row on the server: the next sequence of the bill and the row, in one
// unit of work, with the terminal's cashier and address.
class TServerCashReceiptRows final : public TCashReceiptRows {
public:
    explicit TServerCashReceiptRows(TfrmData& aData) : data_(aData) {}
    TCashReceiptStored Store(const TCashReceiptRow& aRow) override;

private:
    TfrmData& data_;
};

}  // namespace pos
