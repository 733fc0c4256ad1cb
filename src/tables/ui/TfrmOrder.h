#pragma once
// The table order screen "주문 테이블": 25 table tiles of the page shown, the
// day's order summary, the page and mode commands, the table number field
// and the cashier's other commands. TOrderTableModel holds every rule; the
// screen shows the model after each touch and each tick of its 100 ms timer
// and ends when the model has finished.

#include "core/ui/ModelActions.h"
#include "core/ui/TfrmInherit.h"

#include <array>
#include <functional>

class QFrame;
class QLabel;
class QLineEdit;
class QTimer;

namespace pos {

class TOrderTableModel;
class TZoPosButton;

class TfrmOrder : public TfrmInherit {
    Q_OBJECT
public:
    static constexpr int kTiles = 25;

    TfrmOrder(const TScreenEnv& aEnv, TOrderTableModel& aModel, QWidget* aParent = nullptr);
    ~TfrmOrder() override;

    void ShowModel();
    // The terminal went off line: the model says so and the screen ends,
    // also when this comes in the middle of one of its own actions.
    void CloseWhenOffLine();

    struct TTile {
        QFrame* panel = nullptr;
        QLabel *number = nullptr, *time = nullptr, *amount = nullptr, *list = nullptr, *footer = nullptr;
    };
    QFrame* panTable = nullptr;
    std::array<TTile, kTiles> tiles{};
    QWidget* panSum = nullptr;
    std::array<QLabel*, 7> lblSum{};
    QLineEdit* edtTableNo = nullptr;
    TZoPosButton *btnTableMove = nullptr, *btnTableJoin = nullptr, *btnTableSplit = nullptr,
                 *btnTableRestore = nullptr;
    TZoPosButton *btnForward = nullptr, *btnBackward = nullptr, *btnPageUp = nullptr, *btnPageDown = nullptr;
    TZoPosButton *btnLogin = nullptr, *btnIpgumOpen = nullptr, *btnIpgumClose = nullptr, *btnClose = nullptr,
                 *btnShutdown = nullptr;
    QTimer* tmrOrder = nullptr;

public slots:
    void reject() override;  // the screen has no close: Esc goes to the table number field

protected:
    void showEvent(QShowEvent* aEvent) override;
    bool eventFilter(QObject* aWatched, QEvent* aEvent) override;

private:
    void CreateButtons();
    void buildSummary();
    void buildCommands();
    TZoPosButton* command(QWidget* aParent, const char* aCaption, const QRect& aRect,
                          const std::function<void()>& aAction);
    void showTile(int aIndex);
    void act(const std::function<void()>& aAction) { actions_.Act(aAction); }

    TOrderTableModel& model_;
    TModelActions actions_;
    int promptShown_ = -1;
    bool shown_ = false;
};

}  // namespace pos
