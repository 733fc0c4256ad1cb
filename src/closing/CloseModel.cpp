#include "closing/CloseModel.h"

#include "closing/CloseGuards.h"
#include "closing/ErrorLogUpload.h"
#include "core/DateHelpers.h"
#include "core/DialogService.h"
#include "db/DataModule.h"
#include "store/MasterStore.h"

namespace pos {
namespace {

constexpr std::int64_t kFloatLimit = 100000000;  // 8 digits

std::int64_t PowerOfTen(int aDigits)
{
    std::int64_t value = 1;
    for (int i = 0; i < aDigits; ++i) value *= 10;
    return value;
}

constexpr TCloseFocus kFloatEntry{TCloseEntry::Float, 0};
constexpr TCloseFocus kDepositStart{TCloseEntry::Count, kCount10000};

}  // namespace

TCloseModel::TCloseModel(TfrmData& aData, DialogService& aDialogs, const TMasterStore& aStore,
                         TClosePrinter& aPrinter, TCloseGuards& aGuards)
    : data_(aData), dialogs_(aDialogs), store_(aStore), printer_(aPrinter), guards_(aGuards),
      recorder_(aData, aDialogs)
{
}

void TCloseModel::Open(TCloseMode aMode, const std::string& aCloseDate)
{
    mode_ = aMode;
    closeDate_ = aCloseDate.empty() ? data_.Context().gsSaleDate : aCloseDate;
    finished_ = false;
    // The cashier close starts at the float entry unless the outlet's
    // CloseYN flag is set.
    const bool closeYN = !store_.glUpjangData.empty() && store_.glUpjangData.front().CloseYN;
    const bool atFloat = aMode == TCloseMode::cmIpgumOpen || (aMode == TCloseMode::cmClose && !closeYN);
    focus_ = atFloat ? kFloatEntry : kDepositStart;
    if (aMode == TCloseMode::cmPosClose) return;
    read_ = ReadCloseData(data_, scope(false));
    if (!read_.Complete()) dialogs_.ErrBox(UnreadFiguresMessage(read_.unread, false), true);
}

TCloseScope TCloseModel::scope(bool aWholePos) const
{
    return {closeDate_, aWholePos ? std::string() : data_.Context().gsCashier, aWholePos};
}

TCloseHeader TCloseModel::header() const
{
    const TTerminalContext& ctx = data_.Context();
    const std::string now = GetSysTime();
    TCloseHeader header;
    header.upjangName = ctx.gsMasterUpjangName;
    header.closeDate = closeDate_;
    header.time = now.substr(0, 2) + ":" + now.substr(2, 2);
    header.upjangCode = ctx.gsMasterUpjangCode;
    header.posNo = ctx.gsMasterPosNo;
    header.cashier = ctx.gsCashier;
    header.cashierName = ctx.gsCashierName;
    return header;
}

// ------------------------------------------------------------------ entries

void TCloseModel::SetFloatAmount(Currency aAmount)
{
    // The entry takes 8 digits; a longer amount is not taken.
    const std::int64_t won = aAmount.truncWon();
    if (won > -kFloatLimit && won < kFloatLimit) floatAmount_ = won;
}

void TCloseModel::SetCount(std::size_t aIndex, std::int64_t aCount)
{
    if (aIndex >= counts_.size()) return;
    const std::int64_t limit = PowerOfTen(kDenominations[aIndex].maxDigits);
    counts_[aIndex] = aCount < 0 ? 0 : aCount % limit;
}

Currency TCloseModel::PieceAmount(std::size_t aIndex) const
{
    return Currency(counts_[aIndex] * kDenominations[aIndex].faceValue);
}

Currency TCloseModel::CountedSum() const
{
    Currency sum;
    for (std::size_t i = 0; i < counts_.size(); ++i) sum += PieceAmount(i);
    return sum;
}

// ----------------------------------------------------------------- commands

bool TCloseModel::checkOpen()
{
    if (read_.figures.floatEntries != 0) return true;
    dialogs_.MsgBox(kMsgNoFloat);
    focus_ = kFloatEntry;
    return false;
}

bool TCloseModel::checkIpgum()
{
    if (read_.figures.depositEntries != 0) return true;
    dialogs_.MsgBox(kMsgNoDeposit);
    focus_ = kDepositStart;
    return false;
}

void TCloseModel::FloatCommand()
{
    focus_ = kFloatEntry;
    if (floatAmount_ == 0) return;
    if (!recorder_.SaveOpenData(closeDate_, floatAmount_)) return;
    TCloseFigures& f = read_.figures;
    const Currency total = FloatTotal();
    printer_.Print(PlanOpenSlip(printer_.Printers(), header(), f, floatAmount_, total, data_.Context().gsPrintHeader));
    ++f.floats.count;
    ++f.floatEntries;
    f.floats.amount = total;
    floatAmount_ = 0;
    dialogs_.MsgBox(kMsgFloatDone);
    focus_ = kDepositStart;
}

void TCloseModel::DepositCommand()
{
    focus_ = kDepositStart;
    const Currency sum = CountedSum();
    if (sum == 0) return;
    if (!checkOpen()) return;
    // Not saved: the counts stay entered for another try.
    if (!recorder_.SaveIpgumData(closeDate_, sum)) return;
    TCloseFigures& f = read_.figures;
    const Currency total = DepositTotal();
    printer_.Print(
        PlanDepositSlip(printer_.Printers(), header(), f, counts_, sum, total, data_.Context().gsPrintHeader));
    ++f.deposits.count;
    ++f.depositEntries;
    f.deposits.amount = total;
    counts_ = {};
    dialogs_.MsgBox(kMsgDepositDone);
}

// Nothing may be left out of the figures a close records: unsent bills
// refuse it, and figures that could not be read are read once more.
bool TCloseModel::readyToClose()
{
    const std::string unsent = guards_.UnsentWork();
    if (!unsent.empty()) {
        dialogs_.ErrBox(unsent, true);
        return false;
    }
    if (!read_.Complete()) read_ = ReadCloseData(data_, scope(false));
    if (!read_.Complete()) {
        dialogs_.ErrBox(UnreadFiguresMessage(read_.unread, true), true);
        return false;
    }
    return true;
}

void TCloseModel::CloseCommand()
{
    if (!checkOpen() || !checkIpgum() || !readyToClose()) return;
    // Approvals without a bill are the cashier's to account for before the
    // cash is handed in; they do not stop the close.
    const std::string approvals = OpenApprovalsMessage(guards_.OpenApprovals());
    if (!approvals.empty()) dialogs_.MsgBox(approvals);
    const int closeNo = recorder_.SaveCloseData(closeDate_, "", read_.figures);
    finished_ = true;
    if (closeNo > 0 && dialogs_.AskBox(kAskCloseReport)) printCloseData(closeNo, false);
}

int TCloseModel::PosCloseCommand()
{
    const std::string unsent = guards_.UnsentWork();
    if (!unsent.empty()) {
        dialogs_.ErrBox(unsent, true);
        return 0;
    }
    std::vector<std::string> upjangCodes;
    for (const TUpjangData& upjang : store_.glUpjangData) upjangCodes.push_back(upjang.UpjangCode);
    const int closeNo = recorder_.SavePosCloseData(closeDate_, upjangCodes, read_);
    if (closeNo > 0 && dialogs_.AskBox(kAskPosCloseReport)) printCloseData(closeNo, true);
    return closeNo;
}

void TCloseModel::Enter(TCloseFocus aAt)
{
    if (aAt.entry == TCloseEntry::Float) return FloatCommand();
    if ((aAt.count == kCount100 || aAt.count == kCount10) && CountedSum() > 0) {
        if (dialogs_.AskBox(kAskSaveDeposit)) DepositCommand();
        return;
    }
    focus_ = aAt.count + 1 < kDenominations.size() ? TCloseFocus{TCloseEntry::Count, aAt.count + 1} : kFloatEntry;
}

// ------------------------------------------------------------------ reports

void TCloseModel::printCloseData(int aCloseNo, bool aPosClose)
{
    printer_.Print(PlanCloseReport(printer_.Printers(), header(), read_.figures, aCloseNo, aPosClose));
    SaveErrorLog(data_);
    printMenuDetail(aCloseNo, aPosClose);
}

void TCloseModel::printMenuDetail(int aCloseNo, bool aPosClose)
{
    const TPrinters printers = printer_.Printers();
    if (!OffersMenuDetail(printers) || !dialogs_.AskBox(kAskMenuDetail)) return;
    const TTerminalContext& ctx = data_.Context();
    const bool fnb = !store_.glUpjangData.empty() && store_.glUpjangData.front().UpjangType == ctx.gsUpjangTypeFnB;
    const std::optional<TMenuDetail> detail =
        ReadMenuDetail(data_, scope(aPosClose), read_.openTime, aPosClose && fnb, aPosClose);
    if (!detail) return;
    const auto upjangName = [this](const std::string& aCode) { return store_.GetUpjangName(aCode); };
    printer_.Print(PlanMenuDetail(printers, header(), *detail, aCloseNo, aPosClose, fnb, upjangName, ctx.gsPrintHeader));
}

}  // namespace pos
