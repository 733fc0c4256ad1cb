#pragma once
// The close screen "마감" without its window: the float, the interim deposit
// counted by denomination, the cashier close and the POS close, with the
// figures read from the server, the checks of their order, the records and
// the printed slips and reports. The screen shows what the model holds and
// hands it the cashier's keys.

#include "closing/CloseFigures.h"
#include "closing/CloseReader.h"
#include "closing/CloseRecorder.h"
#include "closing/Denominations.h"
#include "sales/receipt/PrintPlan.h"

#include <string>

namespace pos {

class DialogService;
class TCloseGuards;
class TMasterStore;
class TfrmData;

// Carries a print plan out on the terminal's printers.
class TClosePrinter {
public:
    virtual ~TClosePrinter() = default;
    virtual TPrinters Printers() const = 0;
    virtual void Print(const TPrintPlan& aPlan) = 0;
};

inline constexpr const char* kMsgFloatDone = "준비금 입력을 마쳤습니다.";
inline constexpr const char* kMsgDepositDone = "중간 입금을 마쳤습니다.";
inline constexpr const char* kMsgNoFloat = "준비금 입력을 하지 않았습니다.\r준비금을 먼저 입력하십시오.";
inline constexpr const char* kMsgNoDeposit = "중간 입금을 하지 않았습니다.\r중간 입금을 먼저 하십시오.";
inline constexpr const char* kAskSaveDeposit = "중간입금 내역을 저장하시겠습니까?";
inline constexpr const char* kAskCloseReport = "마감을 마쳤습니다.\r마감 리포트를 출력할까요?";
inline constexpr const char* kAskPosCloseReport = "POS 마감을 마쳤습니다.\rPOS 마감 리포트를 출력할까요?";
inline constexpr const char* kAskMenuDetail = "메뉴별 판매 내역을 출력하시겠습니까?";

// The entries of the screen: the float amount and the ten counts.
enum class TCloseEntry { Float, Count };
struct TCloseFocus {
    TCloseEntry entry = TCloseEntry::Float;
    std::size_t count = 0;  // index into kDenominations for a count
    bool operator==(const TCloseFocus&) const = default;
};
inline constexpr std::size_t kCount10000 = 3;  // the count the deposit starts at
inline constexpr std::size_t kCount100 = 7;
inline constexpr std::size_t kCount10 = 9;

class TCloseModel {
public:
    TCloseModel(TfrmData& aData, DialogService& aDialogs, const TMasterStore& aStore, TClosePrinter& aPrinter,
                TCloseGuards& aGuards);

    // The screen opens in aMode for aCloseDate (empty: the sale date). The
    // figures are read at once, except for the POS close, which reads its
    // own; figures that could not be read are named to the cashier.
    void Open(TCloseMode aMode, const std::string& aCloseDate);

    // Entries. The float amount at most 8 digits, a count at most its
    // denomination's digits; longer input is cut.
    void SetFloatAmount(Currency aAmount);
    void SetCount(std::size_t aIndex, std::int64_t aCount);
    Currency FloatAmount() const { return floatAmount_; }
    std::int64_t Count(std::size_t aIndex) const { return counts_[aIndex]; }
    Currency PieceAmount(std::size_t aIndex) const;
    Currency FloatTotal() const { return read_.figures.floats.amount + floatAmount_; }
    Currency CountedSum() const;
    Currency DepositTotal() const { return read_.figures.deposits.amount + CountedSum(); }

    // Commands.
    void FloatCommand();
    void DepositCommand();
    void CloseCommand();
    // The POS close; its number, 0 when nothing was closed.
    int PosCloseCommand();
    // Enter in an entry: the float command, the deposit question at the
    // last counts, else the next entry.
    void Enter(TCloseFocus aAt);
    // The cashier touched an entry.
    void SetFocus(TCloseFocus aAt) { focus_ = aAt; }

    const TCloseFigures& Figures() const { return read_.figures; }
    const std::string& CloseDate() const { return closeDate_; }
    TCloseMode Mode() const { return mode_; }
    TCloseFocus Focus() const { return focus_; }
    // The cashier close ends the screen, whether it was recorded or not.
    bool Finished() const { return finished_; }

private:
    TCloseScope scope(bool aWholePos) const;
    TCloseHeader header() const;
    bool checkOpen();
    bool checkIpgum();
    bool readyToClose();
    void printCloseData(int aCloseNo, bool aPosClose);
    void printMenuDetail(int aCloseNo, bool aPosClose);

    TfrmData& data_;
    DialogService& dialogs_;
    const TMasterStore& store_;
    TClosePrinter& printer_;
    TCloseGuards& guards_;
    TCloseRecorder recorder_;

    TCloseMode mode_ = TCloseMode::cmIpgumOpen;
    std::string closeDate_;
    TCloseRead read_;
    Currency floatAmount_;
    TDenominationCounts counts_{};
    TCloseFocus focus_;
    bool finished_ = false;
};

}  // namespace pos
