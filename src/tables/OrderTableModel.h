#pragma once
// The table order screen "주문 테이블" as plain logic: 60 pages of 25 tables,
// the order modes with their prompts, which tiles and commands can be
// touched, the refresh timer, touching or typing a table, moving and joining
// bills and the screen's other commands. The screen shows what this holds
// and hands it every touch and tick.

#include "core/TerminalConfig.h"
#include "tables/OrderTables.h"

#include <array>
#include <string>

namespace pos {

class DialogService;
class TCloseLauncher;
class TLoginLaunchers;
class TOrderBillPrinter;
class TQueueUploader;
class TTerminalShutdown;
struct TTerminalContext;

enum class TOrderMode { omNone, omNormal, omMove1st, omMove2nd, omJoin1st, omJoin2nd, omSplit1st, omSplit2nd, omRestore };
enum class TOrderCommand { Move, Join, Split, Restore };

inline constexpr int kTablesPerPage = 25;
inline constexpr int kLastOrderPage = 59;
inline constexpr int kMaxTableNo = kTablesPerPage * (kLastOrderPage + 1);  // 1500

inline constexpr const char* kMsgOrderedElsewhere = "번 테이블은 다른 POS에서 주문 중입니다.";
inline constexpr const char* kMsgTableNoTooHigh = "번 이하의 테이블 번호를 입력하십시오.";
inline constexpr const char* kMsgOffLineTables = "Off Line 상태에서는 테이블별 주문을 할 수 없습니다.";
inline constexpr const char* kMsgMoveFailed = "테이블 이동을 정상적으로 실행하지 못했습니다.\r전산팀에 문의하십시오.";
inline constexpr const char* kMsgJoinFailed = "테이블 합석을 정상적으로 실행하지 못했습니다.\r전산팀에 문의하십시오.";
inline constexpr const char* kMsgOpenOrders = "결제가 완료되지 않은 주문이 있습니다.\r종료하시겠습니까?";

// The flags of the terminal's own outlet the screen follows.
struct TOrderOutlet {
    bool orderRestore = false;  // OrderRestoreYN
    bool closeYN = false;       // CloseYN: float and deposit commands, the close screen shown
    bool sellsOffLine = false;  // OffLineYN: the queue is uploaded before a close
};

// One tile as shown.
struct TOrderTile {
    int tableNo = 0;
    std::string time, amount, listText, footer;  // amount formatted "0,원"
    bool negative = false;  // amount in red
    bool ordering = false;  // a terminal holds it: list text in fuchsia
    std::string saleGubun;
    bool enabled = false;
    bool occupied() const { return !time.empty(); }
};

struct TOrderCommands {
    bool forward = false, backward = false, pageUp = false, pageDown = false;
    bool move = false, join = false, split = false, restore = false;
    bool ipgum = false;  // "준비금 입력", "중간 입금"
};

// A footer message: untimed when dispTime is -1.
struct TOrderPrompt {
    std::string text;
    bool alert = false;
    int dispTime = -1;
    int serial = 0;  // grows with every prompt, also a repeated one
};

class TOrderTableModel {
public:
    TOrderTableModel(TTerminalContext& aContext, const TOrderOutlet& aOutlet, TOrderTables& aTables,
                     TOrderBillPrinter& aBills, DialogService& aDialogs, TLoginLaunchers& aLogin,
                     TCloseLauncher& aClose, TQueueUploader& aUploader, TTerminalShutdown& aShutdown);

    // The screen opened: page 0, this terminal's locks released (also those
    // a terminal with this number left when it stopped), the list read.
    void Open();

    // One 100 ms tick of the refresh timer.
    void Tick();
    // The next tick refreshes.
    void RefreshNow() { timerTag_ = -1; }
    void ReadOrderData();

    void SetOrderMode(TOrderMode aMode);
    void ModeCommand(TOrderCommand aCommand);
    void Forward();   // previous page
    void Backward();  // next page
    void PageUp();    // 4 back
    void PageDown();  // 4 on
    void TouchTable(int aTableNo);
    // Enter in the table number field with its text.
    void EnterTableNo(const std::string& aText);
    // Escape in the table number field.
    void Escape();

    void LoginCommand();
    void FloatCommand();
    void DepositCommand();
    void CloseCommand();
    void ShutdownCommand();

    // Leaving when the server cannot be reached: no table.
    void CloseWhenOffLine();

    TOrderMode OrderMode() const { return mode_; }
    int OrderPage() const { return page_; }
    int SelectedTable() const { return selectedTable_; }
    const std::array<TOrderTile, kTablesPerPage>& Tiles() const { return tiles_; }
    const TOrderCommands& Commands() const { return commands_; }
    const TOrderPrompt& Prompt() const { return prompt_; }
    // "주문중 :", "주문중 합계 :", "계산완료:", "계산완료 합계 :", "총 건수 :", "총 합계 :", "테이블 단가 :"
    const std::array<std::string, 7>& SummaryTexts() const { return summaryTexts_; }
    int TimerTag() const { return timerTag_; }
    // The screen ends; with a table in giTableNo when TableChosen().
    bool Finished() const { return finished_; }
    bool TableChosen() const { return chosen_; }
    // The cashier shut the program down from the screen.
    bool ProgramEnds() const { return programEnds_; }
    // A "2nd" mode or restore finished: the screen comes to the front.
    bool TakeBringToFront();

private:
    void ShowButtons();
    void SetButtonsEnable();
    bool tileEnabled(const TOrderTile& aTile) const;
    bool heldElsewhere(const TOrderTile& aTile) const;
    void goToPage(int aPage);
    void UnLockTable();
    bool CheckTableOrdering(int aTableNo);
    void refuseOrdered(int aTableNo);
    void MoveOrderTable(int aFrom, int aTo);
    void JoinOrderTable(int aFrom, int aTo);
    void showSummary(const TOrderSummary& aSummary);
    void finish(bool aChosen);
    void prompt(std::string aText, bool aAlert, int aDispTime);
    std::string saleGubunOf(int aTableNo) const;

    TTerminalContext& ctx_;
    TOrderOutlet outlet_;
    TOrderTables& tables_;
    TOrderBillPrinter& bills_;
    DialogService& dialogs_;
    TLoginLaunchers& login_;
    TCloseLauncher& close_;
    TQueueUploader& uploader_;
    TTerminalShutdown& shutdown_;

    TOrderMode mode_ = TOrderMode::omNone;
    int page_ = 0;
    int selectedTable_ = 0;
    std::string selectedSaleGubun_;
    int timerTag_ = -1;
    std::int64_t openCount_ = 0;
    std::array<TOrderTile, kTablesPerPage> tiles_{};
    TOrderCommands commands_;
    TOrderPrompt prompt_;
    std::array<std::string, 7> summaryTexts_{};
    bool finished_ = false;
    bool chosen_ = false;
    bool programEnds_ = false;
    bool bringToFront_ = false;
};

// "0,건" and "0,원".
std::string CountText(std::int64_t aCount);
std::string WonText(Currency aAmount);

}  // namespace pos
