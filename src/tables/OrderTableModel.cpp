#include "tables/OrderTableModel.h"

#include "closing/CloseFigures.h"
#include "core/DialogService.h"
#include "core/TerminalContext.h"
#include "sales/commands/CloseCommands.h"
#include "sales/commands/TerminalServices.h"
#include "tables/InterimOrderBill.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <utility>

namespace pos {
namespace {

using enum TOrderMode;

// The split and restore screens are not part of the terminal yet: their
// commands stay on the screen, never enabled.
constexpr bool kSplitRestoreBuilt = false;

bool firstMode(TOrderMode aMode) { return aMode == omMove1st || aMode == omJoin1st || aMode == omSplit1st; }

TOrderMode modeOf(TOrderCommand aCommand)
{
    switch (aCommand) {
    case TOrderCommand::Move: return omMove1st;
    case TOrderCommand::Join: return omJoin1st;
    case TOrderCommand::Split: return omSplit1st;
    case TOrderCommand::Restore: return omRestore;
    }
    return omNormal;
}

// The command a mode belongs to (omNormal: none).
std::optional<TOrderCommand> commandOf(TOrderMode aMode)
{
    switch (aMode) {
    case omMove1st:
    case omMove2nd: return TOrderCommand::Move;
    case omJoin1st:
    case omJoin2nd: return TOrderCommand::Join;
    case omSplit1st:
    case omSplit2nd: return TOrderCommand::Split;
    case omRestore: return TOrderCommand::Restore;
    default: return std::nullopt;
    }
}

std::string promptOf(TOrderMode aMode, int aSource)
{
    const std::string source = std::to_string(aSource);
    switch (aMode) {
    case omNormal: return "주문할 테이블을 선택하십시오.";
    case omMove1st: return "이동하고 싶은 테이블을 선택하십시오.";
    case omMove2nd: return source + "번 테이블을 이동할 대상" + " 테이블을 선택하십시오.";
    case omJoin1st: return "합석하고 싶은 테이블을 선택하십시오.";
    case omJoin2nd: return source + "번 테이블을 합석할 대상" + " 테이블을 선택하십시오.";
    case omSplit1st: return "주문 내역을 분리하고 싶은 테이블을 선택하십시오.";
    case omSplit2nd: return source + "번 테이블을 분리할 대상" + " 테이블을 선택하십시오.";
    case omRestore: return "주문 내역을 환원하고 싶은 빈 테이블을 선택하십시오.";
    default: return {};
    }
}

// A table number typed in full: digits only.
std::optional<int> tableNumber(const std::string& aText)
{
    int value = 0;
    const char* end = aText.data() + aText.size();
    const auto [ptr, ec] = std::from_chars(aText.data(), end, value);
    if (aText.empty() || ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

}  // namespace

std::string CountText(std::int64_t aCount) { return FormatThousands(Currency(aCount)) + "건"; }
std::string WonText(Currency aAmount) { return FormatThousands(aAmount) + "원"; }

TOrderTableModel::TOrderTableModel(TTerminalContext& aContext, const TOrderOutlet& aOutlet, TOrderTables& aTables,
                                   TOrderBillPrinter& aBills, DialogService& aDialogs, TLoginLaunchers& aLogin,
                                   TCloseLauncher& aClose, TQueueUploader& aUploader, TTerminalShutdown& aShutdown)
    : ctx_(aContext),
      outlet_(aOutlet),
      tables_(aTables),
      bills_(aBills),
      dialogs_(aDialogs),
      login_(aLogin),
      close_(aClose),
      uploader_(aUploader),
      shutdown_(aShutdown)
{
    for (int i = 0; i < kTablesPerPage; ++i) tiles_[i].tableNo = i + 1;
}

void TOrderTableModel::Open()
{
    page_ = 0;
    selectedTable_ = 0;
    RefreshNow();
    SetOrderMode(omNormal);
    Tick();
}

// Every 100 ms: the list is read again when asked for, every
// giOrderReadInterval seconds (never by itself at 0), and after a hand-held
// order was printed.
void TOrderTableModel::Tick()
{
    if (finished_) return;
    const int interval = static_cast<int>(ctx_.giOrderReadInterval);
    if (timerTag_ == -1 || (interval > 0 && timerTag_ >= interval * 10) || ctx_.gbPDAOrderPrinted) {
        timerTag_ = 0;
        ctx_.gbPDAOrderPrinted = false;
        ReadOrderData();
        return;
    }
    if (interval > 0) ++timerTag_;
}

void TOrderTableModel::ReadOrderData()
{
    if (!tables_.Reachable()) {
        CloseWhenOffLine();
        return;
    }
    const TOrderPage page = tables_.ReadOrderData(kTablesPerPage * page_ + 1);
    if (page.summary) showSummary(*page.summary);
    for (int i = 0; i < kTablesPerPage; ++i) {
        tiles_[i] = TOrderTile();
        tiles_[i].tableNo = kTablesPerPage * page_ + i + 1;
    }
    for (const TOrderTableRow& row : page.rows) {
        const int i = row.tableNo - (kTablesPerPage * page_ + 1);
        if (i < 0 || i >= kTablesPerPage) continue;
        TOrderTile& tile = tiles_[i];
        const Currency amount = Currency::fromText(row.amount);
        tile.time = row.time;
        tile.amount = row.amount.empty() ? std::string() : WonText(amount);
        tile.negative = amount < Currency(0);
        tile.listText = row.listText;
        tile.footer = row.footer;
        tile.ordering = row.ordering;
        tile.saleGubun = row.saleGubun;
    }
    ShowButtons();
}

void TOrderTableModel::showSummary(const TOrderSummary& s)
{
    openCount_ = s.openCount;
    summaryTexts_ = {CountText(s.openCount),    WonText(s.openAmt),     CountText(s.settledCount),
                     WonText(s.settledAmt),     CountText(s.totalCount), WonText(s.totalAmt),
                     WonText(s.average)};
}

// The marker "[pos]" opens the list text of a held table.
bool TOrderTableModel::heldElsewhere(const TOrderTile& aTile) const
{
    return aTile.ordering && (aTile.listText.size() < 3 || aTile.listText.substr(1, 2) != ctx_.gsMasterPosNo);
}

bool TOrderTableModel::tileEnabled(const TOrderTile& aTile) const
{
    if (heldElsewhere(aTile)) return false;
    switch (mode_) {
    case omNormal: return true;
    case omMove1st:
    case omJoin1st:
    case omSplit1st: return aTile.occupied();
    case omJoin2nd:
        return aTile.occupied() && aTile.tableNo != selectedTable_ && aTile.saleGubun == selectedSaleGubun_;
    case omMove2nd:
    case omSplit2nd:
    case omRestore: return !aTile.occupied();
    default: return false;
    }
}

void TOrderTableModel::ShowButtons()
{
    for (TOrderTile& tile : tiles_) tile.enabled = tileEnabled(tile);
    SetButtonsEnable();
}

void TOrderTableModel::SetButtonsEnable()
{
    TOrderCommands c;
    c.forward = c.pageUp = page_ > 0;
    c.backward = c.pageDown = page_ < kLastOrderPage;
    c.ipgum = outlet_.closeYN;
    const int occupied =
        static_cast<int>(std::count_if(tiles_.begin(), tiles_.end(), [](const TOrderTile& t) { return t.occupied(); }));
    const std::optional<TOrderCommand> own = commandOf(mode_);
    if (mode_ == omNormal) {
        c.move = c.join = c.split = true;
        c.restore = outlet_.orderRestore && occupied < kTablesPerPage;
    } else if (own && *own != TOrderCommand::Restore) {
        c.move = *own == TOrderCommand::Move;
        c.join = *own == TOrderCommand::Join;
        c.split = *own == TOrderCommand::Split;
    } else if (mode_ == omRestore) {
        c.restore = outlet_.orderRestore;
    }
    c.split = c.split && kSplitRestoreBuilt;
    c.restore = c.restore && kSplitRestoreBuilt;
    commands_ = c;
}

void TOrderTableModel::SetOrderMode(TOrderMode aMode)
{
    if (aMode == mode_) return;
    mode_ = aMode;
    prompt(promptOf(aMode, selectedTable_), aMode != omNormal, -1);
    if (aMode == omNormal) UnLockTable();
    ShowButtons();
}

void TOrderTableModel::ModeCommand(TOrderCommand aCommand)
{
    if (finished_) return;
    if (mode_ == omNormal) SetOrderMode(modeOf(aCommand));
    else if (commandOf(mode_) == aCommand) SetOrderMode(omNormal);
}

void TOrderTableModel::goToPage(int aPage)
{
    page_ = std::clamp(aPage, 0, kLastOrderPage);
    timerTag_ = 0;
    ReadOrderData();
}

void TOrderTableModel::Forward() { goToPage(page_ - 1); }
void TOrderTableModel::Backward() { goToPage(page_ + 1); }
void TOrderTableModel::PageUp() { goToPage(page_ - 4); }
void TOrderTableModel::PageDown() { goToPage(page_ + 4); }

void TOrderTableModel::UnLockTable()
{
    if (!tables_.Reachable()) {
        CloseWhenOffLine();
        return;
    }
    tables_.UnLockTable();
    RefreshNow();
}

bool TOrderTableModel::CheckTableOrdering(int aTableNo) { return tables_.CheckTableOrdering(aTableNo); }

void TOrderTableModel::refuseOrdered(int aTableNo)
{
    dialogs_.ErrBox(std::to_string(aTableNo) + kMsgOrderedElsewhere, true);
    RefreshNow();
}

std::string TOrderTableModel::saleGubunOf(int aTableNo) const
{
    for (const TOrderTile& tile : tiles_)
        if (tile.tableNo == aTableNo) return tile.saleGubun;
    return {};
}

// The source and the target stay held by this terminal until the move or
// join has committed, so no other terminal opens either table meanwhile;
// going back to omNormal afterwards releases both.
void TOrderTableModel::TouchTable(int aTableNo)
{
    if (finished_) return;
    if (!tables_.Reachable()) {
        CloseWhenOffLine();
        return;
    }
    if (CheckTableOrdering(aTableNo)) {
        refuseOrdered(aTableNo);
        return;
    }
    switch (tables_.LockTable(aTableNo)) {
    case TLockResult::HeldElsewhere: refuseOrdered(aTableNo); return;
    case TLockResult::Failed: RefreshNow(); return;
    case TLockResult::Locked: break;
    }
    if (finished_) return;
    if (mode_ == omNormal) {
        ctx_.giTableNo = aTableNo;
        finish(true);
        return;
    }
    if (firstMode(mode_)) {
        selectedTable_ = aTableNo;
        if (mode_ == omJoin1st) selectedSaleGubun_ = saleGubunOf(aTableNo);
        SetOrderMode(mode_ == omMove1st ? omMove2nd : mode_ == omJoin1st ? omJoin2nd : omSplit2nd);
        return;
    }
    if (mode_ == omMove2nd) MoveOrderTable(selectedTable_, aTableNo);
    else if (mode_ == omJoin2nd) JoinOrderTable(selectedTable_, aTableNo);
    if (finished_) return;
    SetOrderMode(omNormal);
    bringToFront_ = true;
    RefreshNow();
}

void TOrderTableModel::MoveOrderTable(int aFrom, int aTo)
{
    if (!tables_.Reachable()) {
        CloseWhenOffLine();
        return;
    }
    if (tables_.MoveOrderTable(aFrom, aTo)) bills_.PrintOrderBill(aTo);
    else dialogs_.ErrBox(kMsgMoveFailed, true);
}

void TOrderTableModel::JoinOrderTable(int aFrom, int aTo)
{
    if (!tables_.Reachable()) {
        CloseWhenOffLine();
        return;
    }
    if (tables_.JoinOrderTable(aFrom, aTo)) bills_.PrintOrderBill(aTo);
    else dialogs_.ErrBox(kMsgJoinFailed, true);
}

void TOrderTableModel::EnterTableNo(const std::string& aText)
{
    const std::optional<int> table = tableNumber(aText);
    if (table && *table >= 1 && *table <= kMaxTableNo) {
        TouchTable(*table);
        return;
    }
    prompt(std::to_string(kMaxTableNo) + kMsgTableNoTooHigh, true, 10);
}

void TOrderTableModel::Escape()
{
    if (mode_ != omNormal) SetOrderMode(omNormal);
}

void TOrderTableModel::LoginCommand()
{
    login_.Login(true);
    RefreshNow();
}

void TOrderTableModel::FloatCommand()
{
    close_.CloseInput(TCloseMode::cmIpgumOpen, true, {});
    RefreshNow();
}

void TOrderTableModel::DepositCommand()
{
    close_.CloseInput(TCloseMode::cmIpgumClose, true, {});
    RefreshNow();
}

void TOrderTableModel::CloseCommand()
{
    if (outlet_.sellsOffLine) uploader_.UploadData(false);
    close_.CloseInput(TCloseMode::cmClose, outlet_.closeYN, {});
    RefreshNow();
}

void TOrderTableModel::ShutdownCommand()
{
    TShutdownAction action = TShutdownAction::KeepRunning;
    if (openCount_ == 0) action = shutdown_.Shutdown(true);
    else if (dialogs_.AskBox(kMsgOpenOrders)) action = shutdown_.Shutdown(false);
    if (action == TShutdownAction::KeepRunning) return;
    ctx_.giTableNo = 0;
    programEnds_ = true;
    finish(false);
}

void TOrderTableModel::CloseWhenOffLine()
{
    if (finished_) return;
    dialogs_.ErrBox(kMsgOffLineTables, true);
    ctx_.giTableNo = 0;
    finish(false);
}

void TOrderTableModel::prompt(std::string aText, bool aAlert, int aDispTime)
{
    prompt_ = {std::move(aText), aAlert, aDispTime, prompt_.serial + 1};
}

void TOrderTableModel::finish(bool aChosen)
{
    finished_ = true;
    chosen_ = aChosen;
}

bool TOrderTableModel::TakeBringToFront() { return std::exchange(bringToFront_, false); }

}  // namespace pos
