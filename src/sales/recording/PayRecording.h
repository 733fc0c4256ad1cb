#pragma once
// The recording of a settled payment (SavePayData of the payment screen):
// the account tenders checked again, then one payment row per tender line
// with the rows each tender kind needs elsewhere (cash receipt, card
// approval, room charge, gift voucher, locker charge), the event-account
// rows of a group bill, the change row and the pre-sale rows.
//
// On line the rows are written into the settlement's open transaction as
// one attempt under a savepoint: a refused room transfer or a failing
// statement takes the whole attempt back and the payment screen stays open.
// Off line nothing is written yet: the rows wait, with the sale rows, for
// the settlement to queue the whole bill at its end. Either way the rows of
// the last saved payment are kept, so that a settlement that loses the
// connection later can queue the same payment off line.

#include "payment/PayLines.h"
#include "payment/PayRecorder.h"
#include "sales/recording/StoredRow.h"

#include <functional>
#include <string>
#include <vector>

namespace pos {

struct TTerminalContext;
class DialogService;
class TfrmData;
class TLookups;
class TMasterStore;
class TSaleBill;

inline constexpr const char* kMsgPayNotSaved = "결제 내역을 저장하지 못했습니다.\r";

// Whether card line aIndex of aLines gets stored: not when it repeats the
// line before it (the same card, expiry, approval and amount, as a second
// press of the approval can leave), nor when its amount is 0.
bool CardLineStored(const std::vector<TPayCardList>& aLines, std::size_t aIndex);

class TPayRecording final : public TPayRecorder {
public:
    // aDuplicateBillNo is told when the server refused a row as a duplicate
    // (the bill number is in use): the sale screen advances its number.
    TPayRecording(TTerminalContext& aContext, const TMasterStore& aStore, const TSaleBill& aBill, TfrmData& aData,
                  TLookups& aLookups, DialogService& aDialogs, std::function<void()> aDuplicateBillNo);

    TPaySaveResult SavePayData(const TPayLines& aLines) override;

    // The rows of the last payment saved, built for off-line storage (what
    // the queue keeps), and the lines they came from.
    const TBillRows& OffLineRows() const { return offLineRows_; }
    const TPayLines& Lines() const { return lines_; }
    bool Saved() const { return saved_; }
    void Clear();

private:
    std::int64_t recheckAccounts(const TPayLines& aLines);
    // The rows of the payment; on line, the card base and the room-charge
    // sequences are read from the server first. A room charge row is
    // followed by the room transfer (written by writeOnLine).
    TBillRows buildRows(const TPayLines& aLines, bool aOffLine, std::int64_t aCardBase,
                        const std::vector<std::int64_t>& aRoomSeqs) const;
    bool writeOnLine(const TPayLines& aLines, std::int64_t& aSelectKind);
    bool writeBatch(const TPayLines& aLines);
    void failed(const std::string& aKey, const std::string& aMessage);

    TTerminalContext& ctx_;
    const TMasterStore& store_;
    const TSaleBill& bill_;
    TfrmData& data_;
    TLookups& lookups_;
    DialogService& dialogs_;
    std::function<void()> duplicateBillNo_;
    TPayLines lines_;
    TBillRows offLineRows_;
    bool saved_ = false;
};

}  // namespace pos
