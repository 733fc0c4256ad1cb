#pragma once
// "결제": the payment screen. The tender buttons at the left, the selected
// tender's panel and its list in the middle, the summary (due, received,
// change and each tender's amount) and the keypad at the right. TPayModel
// holds every rule; the screen shows the model's state and hands it each
// thing the cashier does, then shows the state again. The screen ends when
// the model has a result: OK once the payment was recorded.

#include "core/ui/TfrmInherit.h"
#include "payment/PayModel.h"
#include "payment/ui/PayLink.h"

#include <array>
#include <functional>
#include <vector>

class QLabel;
class QLineEdit;

namespace pos {

class TfrmKeyFrame;
class TfrmPayFrame;
class TPayTenderButton;
class TZoPosButton;
class TZoRoundRect;

class TfrmPay : public TfrmInherit {
    Q_OBJECT
public:
    TfrmPay(const TScreenEnv& aEnv, TPayModel& aModel, QWidget* aParent = nullptr);
    ~TfrmPay() override;

    TPayModel& Model() { return model_; }
    // The widgets of a field, a tender kind's panel, list, delete button and
    // tender button; null for a kind the terminal does not offer.
    QLineEdit* Edit(TPayField aField) const { return edits_[static_cast<std::size_t>(FieldIndex(aField))]; }
    TZoRoundRect* Panel(TPayKind aKind) const { return kinds_[index(aKind)].panel; }
    TfrmPayFrame* Frame(TPayKind aKind) const { return kinds_[index(aKind)].frame; }
    TZoPosButton* DeleteButton(TPayKind aKind) const { return kinds_[index(aKind)].deleteButton; }
    TPayTenderButton* TenderButton(TPayKind aKind) const { return kinds_[index(aKind)].tender; }
    QLabel* PayAmtLabel(TPayKind aKind) const { return kinds_[index(aKind)].amount; }
    // The looked-up account's labels of a panel, top to bottom.
    const std::vector<QLabel*>& InfoLabels(TPayKind aKind) const { return kinds_[index(aKind)].info; }

    // Shows what the model holds.
    void ShowModel();
    // The waiting panel of a card (aCard) or a cash-receipt request; while
    // it shows the screen takes no input.
    void ShowExecute(bool aCard, bool aShow);

    QWidget* panPay = nullptr;
    QLabel* lblSumAmt = nullptr;
    QLabel* lblGetAmt = nullptr;
    QLabel* lblChangeAmt = nullptr;
    std::vector<TPayTenderButton*> imgPay;
    std::vector<QLabel*> lblPayTitle, lblPayAmt;
    TZoPosButton* btnPayCashMan = nullptr;
    TZoPosButton* btnPayCashComp = nullptr;
    QLabel* lblPayCardHalbu = nullptr;
    QLabel* lblPayEasyCheckHalbu = nullptr;
    TZoPosButton* btnPayRoom = nullptr;
    TZoPosButton* btnLocker = nullptr;
    TZoPosButton* btnPayEvent = nullptr;
    std::array<TZoPosButton*, TGiftCardPages::kButtons> btnPayGiftCard{};
    TZoPosButton* btnPayGiftCardNext = nullptr;
    QLabel* panPayCardExecute = nullptr;
    QLabel* panPayCashExecute = nullptr;
    TfrmKeyFrame* fraKeyPad = nullptr;

public slots:
    // The close button and the window's close: the model's close rules decide.
    void reject() override;

protected:
    void showEvent(QShowEvent* aEvent) override;
    bool eventFilter(QObject* aWatched, QEvent* aEvent) override;

private:
    struct TKindWidgets {
        TPayTenderButton* tender = nullptr;
        QLabel* title = nullptr;
        QLabel* amount = nullptr;
        TZoRoundRect* panel = nullptr;
        TfrmPayFrame* frame = nullptr;
        TZoPosButton* deleteButton = nullptr;
        std::vector<QLabel*> info;
    };
    static std::size_t index(TPayKind aKind) { return static_cast<std::size_t>(KindIndex(aKind)); }

    void buildSummary();
    void buildTender(const TPayTender& aTender, int aPosition);
    void buildPanel(TPayKind aKind);
    void buildCashPanel(TZoRoundRect* aPanel);
    void buildCardPanel(TZoRoundRect* aPanel, TPayKind aKind);
    void buildAccountPanel(TZoRoundRect* aPanel, TPayKind aKind);
    void buildGiftCardPanel(TZoRoundRect* aPanel);
    void buildExecutePanels();
    QLineEdit* makeEdit(QWidget* aParent, TPayField aField, const char* aCaption, int aRow, int aWidth,
                        bool aNumeric, int aMaxLength);
    TZoPosButton* makeButton(QWidget* aParent, const char* aCaption, const QRect& aRect);
    void addInfo(TPayKind aKind, QWidget* aParent, const char* aCaption, int aRow);

    // Runs one cashier action on the model (TPayLink::Act).
    void act(const std::function<void()>& aAction) { link_.Act(aAction); }
    bool keyPress(TPayField aField, QKeyEvent* aKey);
    TPayField fieldOf(const QObject* aWidget) const;
    void showSummary();
    void showFields();
    void showPanels();
    void followFocus();
    std::vector<std::string> infoTexts(TPayKind aKind) const;

    TPayModel& model_;
    TPayLink link_;
    std::array<QLineEdit*, kPayFieldCount> edits_{};
    std::array<TKindWidgets, kPayKindCount> kinds_{};
    bool shown_ = false;
    // A field touched into whose proposal is selected: the touch's press does
    // not put the cursor into it, so what is typed replaces the proposal.
    QObject* keepSelection_ = nullptr;
};

}  // namespace pos
