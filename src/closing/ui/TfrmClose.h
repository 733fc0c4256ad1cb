#pragma once
// The close screen "마감": the float panel ("준 비 금") and the deposit panel
// ("중간입금") with the commands "준비금 입력", "중간 입금" and "사용자 마감".
// TCloseModel holds every rule; the screen shows the model after each thing
// the cashier does and ends when the model has finished.

#include "closing/Denominations.h"
#include "core/ui/ModelActions.h"
#include "core/ui/TfrmInherit.h"

#include <array>
#include <optional>
#include <functional>

class QLabel;
class QLineEdit;

namespace pos {

class TCloseModel;
struct TCloseFocus;
class TfrmKeyFrame;
class TZoPosButton;

class TfrmClose : public TfrmInherit {
    Q_OBJECT
public:
    TfrmClose(const TScreenEnv& aEnv, TCloseModel& aModel, QWidget* aParent = nullptr);
    ~TfrmClose() override;

    void ShowModel();

    QLineEdit* edtOpenAmt = nullptr;
    std::array<QLineEdit*, kDenominations.size()> edtIpgum{};
    std::array<QLabel*, kDenominations.size()> lblIpgumPiece{};
    QLabel *lblOpenCount = nullptr, *lblOpenAmt = nullptr, *lblOpenTotal = nullptr;
    QLabel *lblIpgumCount = nullptr, *lblIpgumAmt = nullptr, *lblIpgumSum = nullptr, *lblIpgumTotal = nullptr;
    TZoPosButton *btnOpen = nullptr, *btnIpgum = nullptr, *btnClose = nullptr;
    TfrmKeyFrame* fraKeyPad = nullptr;

public slots:
    void reject() override;  // Esc and the close button

protected:
    void showEvent(QShowEvent* aEvent) override;
    bool eventFilter(QObject* aWatched, QEvent* aEvent) override;

private:
    void buildFloatPanel();
    void buildDepositPanel();
    QLineEdit* makeEdit(QWidget* aParent, const QRect& aRect, int aMaxLength);
    QLineEdit* focusedEdit() const;
    // The entry aWidget is, if it is one.
    std::optional<TCloseFocus> entryOf(const QObject* aWidget) const;
    void act(const std::function<void()>& aAction) { actions_.Act(aAction); }

    TCloseModel& model_;
    // The screen ends when the model has finished.
    TModelActions actions_;
    bool shown_ = false;
};

// Shows the close screen over aModel, already opened, until it ends.
void ShowClose(const TScreenEnv& aEnv, TCloseModel& aModel, QWidget* aParent);

}  // namespace pos
