#pragma once
// What the cashier's day records on the server: float entries, interim
// deposits, the cashier close and the POS close with the day-end of each of
// the terminal's outlets. Each record is one transaction with its cashier
// event; a failure tells the cashier, is logged and leaves nothing behind.
//
// A close number is read inside the transaction that takes it, so two
// terminals closing at the same moment never print the same number.

#include "closing/CloseReader.h"
#include "core/Currency.h"

#include <string>
#include <vector>

namespace pos {

class DialogService;
class TfrmData;

inline constexpr const char* kMsgFloatNotSaved = "준비금을 입력 하지 못했습니다.";
inline constexpr const char* kMsgDepositNotSaved = "중간 입금을 하지 못했습니다.";
inline constexpr const char* kMsgCloseNotSaved = "마감 내역을 저장 하지 못했습니다.";

class TCloseRecorder {
public:
    TCloseRecorder(TfrmData& aData, DialogService& aDialogs) : data_(aData), dialogs_(aDialogs) {}

    // A float entry of aAmount (negative corrects an earlier one).
    bool SaveOpenData(const std::string& aCloseDate, Currency aAmount);
    // An interim deposit of the counted sum (the pieces are not recorded).
    bool SaveIpgumData(const std::string& aCloseDate, Currency aSum);
    // The close of aCashier with the figures read for them: the close
    // number, 0 when nothing was recorded.
    int SaveCloseData(const std::string& aCloseDate, const std::string& aCashier, const TCloseFigures& aFigures);
    // The POS close of aCloseDate, the day-end run for each of aUpjangCodes
    // (the terminal's outlets, in order) in the same transaction; the
    // pre-sale cashier is closed first when they sold on that date. The POS
    // close number, 0 when nothing was recorded; aRead then holds the
    // figures of the whole POS for the report.
    int SavePosCloseData(const std::string& aCloseDate, const std::vector<std::string>& aUpjangCodes,
                         TCloseRead& aRead);

private:
    bool recordCashEvent(const std::string& aCloseDate, const std::string& aCashier, const char* aKind,
                         Currency aAmount, const char* aKey);
    bool closePreSaleCashier(const std::string& aCloseDate);
    int closePos(const std::string& aCloseDate, const std::vector<std::string>& aUpjangCodes);
    void failed(const char* aMessage);

    TfrmData& data_;
    DialogService& dialogs_;
};

}  // namespace pos
