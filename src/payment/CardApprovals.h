#pragma once
// What the payment screen asks of the card and cash-receipt approval flow: a
// card line and a cash line with a cash receipt exist only once the card
// company approved them, and deleting one cancels its approval first.
//
// The payment model decides what to ask (the panel's checks, the card data,
// the amount, the instalment, the original approval number) and what to do
// with the answer (the line, the messages, the EasyCheck fall-back, the
// cancel-all run). The flow behind this interface talks to the approval
// driver and, when the driver cannot process a request, to the card server
// over the dedicated line; it adds the terminal's values every request
// carries (dates, outlet, POS, bill number, terminal ID, live or test mode,
// sign pad) and journals every approval before it answers, so that an
// approval whose bill is never stored is not forgotten. It never shows the
// refusal itself: the model does.
//
// Each call blocks until the answer is in (the screen shows its waiting
// panel and takes no input meanwhile). EasyCheck lines need no approval: the
// card was paid on the separate EasyCheck terminal.

#include "core/Currency.h"
#include "payment/PayLines.h"

#include <string>

namespace pos {

enum class TApprovalOutcome {
    Approved,   // the card company approved (or cancelled) as asked
    Refused,    // the request was refused or never reached the card company
    Uncertain,  // the answer was lost: the request may have been approved
};

struct TCardRequest {
    // The driver's approve flag: true asks for an approval of Amount, false
    // for the cancellation of the approval OrgAgreeNo.
    bool Approval = true;
    std::string CardNo;     // 14 to 16 digits, as on the panel or the line
    std::string ValidThru;  // expiry "yymm"
    // A swiped card's track 2; a keyed-in card's number, "=" and expiry.
    std::string CardData;
    bool KeyIn = false;       // the number and expiry were typed
    Currency Amount;          // positive, whole won
    int HalbuMonth = 0;       // instalment months, 0 for a lump sum
    std::string OrgAgreeNo;   // approval being cancelled (a refund or a deleted sale line)
};

struct TCardAnswer {
    TApprovalOutcome Outcome = TApprovalOutcome::Refused;
    // Approved: what the card company answered: AgreeNo, AgreeDate,
    // CompanyCode and CompanyName, BankCode and BankName (the issuer),
    // CardJoinNo and SignYN (the customer signed on the sign pad). The model
    // fills the rest of the line (card number, expiry, instalment, amount
    // with the bill's sign, original approval number, card data, keyed in).
    TPayCardList Line;
    // Approved by the card server over the dedicated line after the driver
    // failed: the cashier must have the paper slip signed.
    bool DedicatedLine = false;
    // Refused or Uncertain: the error code and the message to show. A code
    // without a digit is a communication failure of the driver or card
    // client ("CONN", "READ", "TIME", "WRIT", "DATA"); "8433" on a refund
    // means the slip was already cancelled.
    std::string ErrCode, Message;
};

// The card company's answer to the cancellation of a slip it has cancelled
// already.
inline constexpr const char* kCodeAlreadyCancelled = "8433";

struct TCashRequest {
    // The driver's approve flag: true asks for a cash receipt, false cancels
    // the receipt OrgAgreeNo.
    bool Approval = true;
    bool Individual = true;  // "개인" (income deduction) or "사업자" (expense proof)
    std::string Identity;    // telephone, resident, business or card number, or a card track
    Currency Amount;         // receipt amount: positive, whole won
    std::string OrgAgreeNo, OrgAgreeDate;  // the receipt being cancelled
};

struct TCashAnswer {
    TApprovalOutcome Outcome = TApprovalOutcome::Refused;
    TPayCashList Line;  // Approved: AgreeNo and AgreeDate; the model fills the rest
    std::string ErrCode, Message;  // Refused or Uncertain
};

class TCardApprovals {
public:
    virtual ~TCardApprovals() = default;

    // A new card line: on a sale the approval of Amount (Approval true); on
    // a return the refund, i.e. the cancellation of the original sale's
    // approval OrgAgreeNo (Approval false).
    virtual TCardAnswer ApproveCard(const TCardRequest& aRequest) = 0;
    // A card line of this bill is deleted: on a sale its approval OrgAgreeNo
    // is cancelled (Approval false); on a return its refund is undone by a
    // new approval (Approval true). Approved: the line may go.
    virtual TCardAnswer CancelCard(const TCardRequest& aRequest) = 0;
    // A cash receipt for the cash that pays the bill (Approval true on a
    // sale, false on a return, which cancels the sale's receipt).
    virtual TCashAnswer ApproveCash(const TCashRequest& aRequest) = 0;
    // A cash line with a receipt is deleted: its receipt is cancelled (the
    // flag is the other way round on a return).
    virtual TCashAnswer CancelCash(const TCashRequest& aRequest) = 0;
};

}  // namespace pos
