#pragma once
// The cash receipt screen "현금영수증" as a model: the amount the reprint
// screen found receiptable, "개인" or "사업자", the identity number, and
// Enter asking the approval and storing the receipt's row.
//
// An approved receipt is in the approval journal until its row is stored.
// When the row cannot be stored (no connection, a statement error) the
// receipt is settled at once the way every left-over approval is: kept when
// a stored row holds it after all, otherwise cancelled with the card
// company; when neither can be done now it stays in the journal, which
// undoes it when selling starts next, and the screen closes, so that no
// second receipt is approved beside one the resort has no row of.

#include "payment/approval/ApprovalJournal.h"

#include <cstdint>
#include <string>

namespace pos {

class DialogService;
class TApprovalReverser;
class TBillCashReceipts;
class TCashReceiptRows;
class TStoredApprovals;

inline constexpr const char* kCashNoCaption = "식별번호";
inline constexpr const char* kMsgMustInput = "를 입력하십시오.";
inline constexpr const char* kMsgCashReceiptError = "현금영수증 승인 에러 :\r";
inline constexpr const char* kMsgCashReceiptWaiting = "현금영수증 승인 요청 중입니다. 잠시(최대 30초) 기다리십시오.";
inline constexpr const char* kMsgCashReceiptUndone =
    "현금영수증을 저장하지 못해 승인을 취소했습니다.\r다시 발행하십시오.";
inline constexpr const char* kMsgCashReceiptKept =
    "현금영수증이 승인되었으나 저장하지 못했습니다.\r판매를 시작할 때 승인이 취소됩니다.";

// What the screen is made with.
struct TCashReceiptServices {
    TBillCashReceipts& approvals;
    TCashReceiptRows& rows;
    TApprovalJournal& journal;
    TStoredApprovals& stored;
    TApprovalReverser& reverser;
    DialogService& dialogs;
};

enum class TCashReceiptEnd {
    Open,       // the screen stays: nothing asked, refused, or undone
    Stored,     // the receipt is approved and its row stored: OK
    Abandoned,  // approved, not stored, left to the journal: the screen closes
};

class TCashReceiptModel {
public:
    TCashReceiptModel(TBillKey aBill, std::int64_t aAmount, TCashReceiptServices aServices);

    std::int64_t Amount() const { return amount_; }
    const TBillKey& Bill() const { return bill_; }
    bool individual = true;  // "개인" down
    std::string identity;    // "식별번호" as typed

    // Enter in the identity field: false (the message line says why) when
    // there is nothing to ask with.
    bool ReadyToApprove();
    // The approval and the row, once ReadyToApprove; blocks while the
    // approval runs (the screen shows its waiting panel).
    TCashReceiptEnd Execute();

    const std::string& Message() const { return message_; }

private:
    TCashReceiptEnd notStored(std::int64_t aJournalId);

    TBillKey bill_;
    std::int64_t amount_;
    TCashReceiptServices services_;
    std::string message_;
};

}  // namespace pos
