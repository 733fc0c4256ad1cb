// The payment screen driven through its widgets, offscreen: what the cashier
// types, swipes and touches reaches the model, and the model's state (texts,
// focus, panels, summary, lists, waiting panel, result) reaches the widgets.
// The rules themselves are the model's and are tested with it.

#include "../DemoAccounts.h"
#include "../PayFixture.h"
#include "QtApp.h"
#include "controls/ZoPosButton.h"
#include "controls/ZoPosLabel.h"
#include "controls/ZoRoundRect.h"
#include "core/ui/TfrmKeyFrame.h"
#include "payment/ui/PayScreen.h"
#include "payment/ui/TPayTenderButton.h"
#include "payment/ui/TfrmPay.h"
#include "payment/ui/TfrmPayFrame.h"
#include "payment/ui/TfrmRemark.h"

#include <QLabel>
#include <QLineEdit>

#include <memory>
#include <string>

namespace pos::test {
namespace {

using F = TPayField;
using K = TPayKind;

// The approvals as the screen sees them while a request is out.
struct PeekingApprovals : FakeApprovals {
    TCardAnswer ApproveCard(const TCardRequest& aRequest) override
    {
        if (screen != nullptr) {
            waitingShown = screen->panPayCardExecute->isVisible();
            screenDisabled = !screen->isEnabled();
        }
        return FakeApprovals::ApproveCard(aRequest);
    }
    TfrmPay* screen = nullptr;
    bool waitingShown = false, screenDisabled = false;
};

// What the cashier does on a shown screen.
struct Hands {
    TfrmPay* screen = nullptr;

    QWidget* focused() const { return QApplication::focusWidget(); }
    void keypad(const QString& aKeys) const
    {
        for (const QChar c : aKeys) screen->fraKeyPad->KeyByCaption(QString(c))->Click();
    }
    void keypadEnter() const { screen->fraKeyPad->KeyByCaption(QStringLiteral("Enter"))->Click(); }
    void touch(QWidget* aWidget) const { QTest::mouseClick(aWidget, Qt::LeftButton); }
    void typeEnter(QLineEdit* aEdit, const QString& aText) const
    {
        ASSERT_EQ(focused(), aEdit);
        QTest::keyClicks(aEdit, aText);
        QTest::keyClick(aEdit, Qt::Key_Return);
    }
    bool closedWith(QDialog::DialogCode aCode) const { return !screen->isVisible() && screen->result() == aCode; }
};

class PayScreenTest : public AppFirst, public PayFixture {
protected:
    TfrmPay& show(Currency aDue)
    {
        model = std::make_unique<TPayModel>(ctx, store, dialogs, lookups, recorder, waiting, launchers);
        model->SetSumAmt(aDue);
        screen = std::make_unique<TfrmPay>(TScreenEnv{}, *model);
        waiting.Attach(screen.get());
        peeking.screen = screen.get();
        hands.screen = screen.get();
        EXPECT_TRUE(ShowActive(*screen));
        return *screen;
    }

    PeekingApprovals peeking;
    TPayWaitingApprovals waiting{peeking};
    std::unique_ptr<TfrmPay> screen;
    Hands hands;
};

TEST_F(PayScreenTest, CashThroughTheKeypadRecordsThePaymentAndClosesWithOk)
{
    TfrmPay& s = show(Currency(43000));
    EXPECT_EQ(s.windowTitle(), QStringLiteral("결제"));
    EXPECT_EQ(s.size(), QSize(800, 600));
    EXPECT_TRUE(s.Panel(K::Cash)->isVisible());
    EXPECT_FALSE(s.Panel(K::Card)->isVisible());
    EXPECT_EQ(hands.focused(), s.Edit(F::CashNo));
    EXPECT_EQ(s.Edit(F::CashAmt)->text(), QStringLiteral("43000"));
    EXPECT_EQ(s.lblSumAmt->text(), QStringLiteral("43,000"));

    hands.touch(s.Edit(F::CashAmt));
    EXPECT_EQ(hands.focused(), s.Edit(F::CashAmt));
    EXPECT_EQ(s.Edit(F::CashAmt)->selectedText(), QStringLiteral("43000")) << "the proposal is typed over";
    hands.keypad(QStringLiteral("50000"));
    EXPECT_EQ(s.PayAmtLabel(K::Cash)->text(), QStringLiteral("50,000"));
    EXPECT_EQ(s.lblChangeAmt->text(), QStringLiteral("7,000"));
    hands.keypadEnter();
    EXPECT_EQ(hands.focused(), s.Edit(F::CashNo));
    hands.keypadEnter();

    EXPECT_TRUE(hands.closedWith(QDialog::Accepted));
    ASSERT_EQ(recorder.handed.size(), 1u);
    EXPECT_EQ(recorder.handed[0].cash.at(0).Amt, Currency(50000));
    EXPECT_EQ(s.lblGetAmt->text(), QStringLiteral("50,000"));
    EXPECT_EQ(s.lblChangeAmt->text(), QStringLiteral("7,000"));
}

TEST_F(PayScreenTest, TenderButtonsLabelsAndPageKeysSelectThePanels)
{
    TfrmPay& s = show(Currency(43000));
    ASSERT_EQ(s.imgPay.size(), 8u);
    hands.touch(s.TenderButton(K::Card));
    EXPECT_TRUE(s.TenderButton(K::Card)->Selected());
    EXPECT_FALSE(s.TenderButton(K::Cash)->Selected());
    EXPECT_TRUE(s.Panel(K::Card)->isVisible());
    EXPECT_TRUE(s.Frame(K::Card)->isVisible());
    EXPECT_FALSE(s.Frame(K::Cash)->isVisible());
    EXPECT_EQ(hands.focused(), s.Edit(F::CardAmt));
    EXPECT_FALSE(s.Edit(F::CardAgreeNo)->isEnabled()) << "asked on a return only";

    QTest::keyClick(s.Edit(F::CardAmt), Qt::Key_PageDown);
    EXPECT_TRUE(s.Panel(K::EasyCheck)->isVisible());
    QTest::keyClick(s.Edit(F::EasyCheckAmt), Qt::Key_PageUp);
    QTest::keyClick(s.Edit(F::CardAmt), Qt::Key_PageUp);
    QTest::keyClick(s.Edit(F::CashNo), Qt::Key_PageUp);
    EXPECT_TRUE(s.Panel(K::Credit)->isVisible()) << "from the first to the last";

    hands.touch(s.PayAmtLabel(K::GiftCard));
    EXPECT_TRUE(s.Panel(K::GiftCard)->isVisible());
    EXPECT_EQ(s.btnPayGiftCard[0]->CurrentCaption(), QStringLiteral("리조트 상품권 1만원"));
    hands.touch(s.btnPayGiftCard[1]);
    EXPECT_EQ(s.Edit(F::GiftCardNo)->text(), QStringLiteral("105"));
    EXPECT_EQ(hands.focused(), s.Edit(F::GiftCardCount));
    EXPECT_EQ(s.InfoLabels(K::GiftCard).at(0)->text(), QStringLiteral("리조트 상품권 5만원"));
    EXPECT_EQ(s.InfoLabels(K::GiftCard).at(2)->text(), QStringLiteral("50,000"));
    hands.touch(s.btnPayGiftCardNext);
    EXPECT_EQ(s.btnPayGiftCard[0]->CurrentCaption(), QStringLiteral("온천 이용권"));
    EXPECT_FALSE(s.btnPayGiftCard[1]->isEnabled());
}

TEST_F(PayScreenTest, ACardSwipedIntoTheAmountFieldIsApprovedBehindTheWaitingPanel)
{
    TfrmPay& s = show(Currency(43000));
    hands.touch(s.TenderButton(K::Card));
    ASSERT_EQ(hands.focused(), s.Edit(F::CardAmt));
    hands.typeEnter(s.Edit(F::CardAmt), QStringLiteral(";") + QString::fromLatin1(kTrack) + QStringLiteral("?"));
    EXPECT_EQ(s.Edit(F::CardAmt)->text(), QStringLiteral("43000"));
    EXPECT_EQ(s.Edit(F::CardNo)->text(), QString::fromLatin1(kCardNo));
    EXPECT_EQ(s.Edit(F::CardValidThru)->text(), QStringLiteral("2812"));
    EXPECT_FALSE(s.Edit(F::CardValidThru)->isEnabled());
    EXPECT_EQ(hands.focused(), s.Edit(F::CardHalbuMonth));
    QTest::keyClicks(s.Edit(F::CardHalbuMonth), QStringLiteral("3"));
    EXPECT_EQ(s.lblPayCardHalbu->text(), QStringLiteral("할부"));
    QTest::keyClick(s.Edit(F::CardHalbuMonth), Qt::Key_Return);

    ASSERT_EQ(peeking.approveCard.size(), 1u);
    EXPECT_EQ(peeking.approveCard[0].CardData, kTrack);
    EXPECT_TRUE(peeking.waitingShown);
    EXPECT_TRUE(peeking.screenDisabled);
    EXPECT_TRUE(hands.closedWith(QDialog::Accepted));
    EXPECT_FALSE(s.panPayCardExecute->isVisible());
    EXPECT_TRUE(s.isEnabled());
}

TEST_F(PayScreenTest, EscapeWithApprovedCardsAsksFirst)
{
    TfrmPay& s = show(Currency(43000));
    hands.touch(s.TenderButton(K::Card));
    hands.typeEnter(s.Edit(F::CardAmt), QStringLiteral("10000"));
    hands.typeEnter(s.Edit(F::CardNo), QString::fromLatin1(kTrack));
    hands.typeEnter(s.Edit(F::CardHalbuMonth), QStringLiteral("0"));
    ASSERT_EQ(model->Lines().card.size(), 1u);
    EXPECT_EQ(s.Frame(K::Card)->Row(0)->Text(0), QStringLiteral("411111******1111"));
    EXPECT_TRUE(s.DeleteButton(K::Card)->isEnabled());

    dialogs.answers = {true};  // cancel them all
    QTest::keyClick(hands.focused(), Qt::Key_Escape);
    EXPECT_TRUE(s.isVisible());
    EXPECT_EQ(peeking.cancelCard.size(), 1u);
    EXPECT_EQ(s.Frame(K::Card)->GetCount(), 0);
    EXPECT_FALSE(s.DeleteButton(K::Card)->isEnabled());

    EXPECT_EQ(s.Edit(F::CardAmt)->text(), QStringLiteral("43000"));
    hands.touch(s.Edit(F::CardAmt));
    hands.typeEnter(s.Edit(F::CardAmt), QStringLiteral("10000"));
    hands.typeEnter(s.Edit(F::CardNo), QString::fromLatin1(kTrack));
    hands.typeEnter(s.Edit(F::CardHalbuMonth), QStringLiteral("0"));
    ASSERT_EQ(model->Lines().card.size(), 1u);
    hands.touch(s.TenderButton(K::Cash));
    dialogs.answers = {false};  // leave them with the card company
    s.btnClose->Click();
    EXPECT_TRUE(hands.closedWith(QDialog::Rejected));
    EXPECT_EQ(shown().back(), kMsgCardsLeft);
    EXPECT_TRUE(recorder.handed.empty());
}

TEST_F(PayScreenTest, DeleteInAFieldDeletesTheCurrentLineOfItsPanel)
{
    TfrmPay& s = show(Currency(43000));
    hands.touch(s.Edit(F::CashAmt));
    hands.typeEnter(s.Edit(F::CashAmt), QStringLiteral("10000"));
    QTest::keyClick(s.Edit(F::CashNo), Qt::Key_Return);
    hands.touch(s.Edit(F::CashAmt));
    hands.typeEnter(s.Edit(F::CashAmt), QStringLiteral("20000"));
    QTest::keyClick(s.Edit(F::CashNo), Qt::Key_Return);
    ASSERT_EQ(s.Frame(K::Cash)->GetCount(), 2);
    hands.touch(s.Frame(K::Cash)->Row(0));
    EXPECT_EQ(model->Current(K::Cash), 0);
    QTest::keyClick(hands.focused(), Qt::Key_Delete);
    ASSERT_EQ(model->Lines().cash.size(), 1u);
    EXPECT_EQ(model->Lines().cash[0].Amt, Currency(20000));
    EXPECT_EQ(s.Edit(F::CashAmt)->text(), QStringLiteral("23000"));
    EXPECT_EQ(s.Frame(K::Cash)->lblSum->text(), QStringLiteral("20,000원"));
}

TEST_F(PayScreenTest, NoTenderShowsNoScreen)
{
    store.glPayData.clear();
    TScreenEnv env;
    TPayDeps deps{env, ctx, store, dialogs, lookups, recorder, approvals, launchers};
    TPaySummary summary;
    summary.received = Currency(1);
    EXPECT_FALSE(RunPayScreen(deps, Currency(43000), &summary));
    EXPECT_EQ(summary.received, Currency(1)) << "nothing ran";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// ---------------------------------------------------------------------------
// The reason dialog

class RemarkScreenTest : public AppFirst, public ::testing::Test {
protected:
    TTerminalContext ctx;
    ScriptedDialogService dialogs;
};

TEST_F(RemarkScreenTest, ConfirmsAReasonOfTheMinimumAndCancelsEmpty)
{
    TfrmRemark remark(TScreenEnv{}, dialogs, "'외상 결제' 사유를 입력하십시오.", "", 2);
    ASSERT_TRUE(ShowActive(remark));
    EXPECT_EQ(remark.windowTitle(), QStringLiteral("사유"));
    remark.edtRemark->insert(QStringLiteral("회"));  // typed by an input method
    QTest::keyClick(remark.edtRemark, Qt::Key_Return);
    EXPECT_TRUE(remark.isVisible());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "사유를 2 글자 이상 입력하셔야 합니다.");
    remark.edtRemark->insert(QStringLiteral("식 비용"));
    remark.btnOK->Click();
    EXPECT_EQ(remark.result(), QDialog::Accepted);
    EXPECT_EQ(remark.Remarks(), "회식 비용");

    TfrmRemark cancelled(TScreenEnv{}, dialogs, "사유", "처음 사유", 2);
    ASSERT_TRUE(ShowActive(cancelled));
    QTest::keyClick(cancelled.edtRemark, Qt::Key_Escape);
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
    EXPECT_TRUE(cancelled.edtRemark->text().isEmpty());
}

// ---------------------------------------------------------------------------
// The account tenders against the demo resort's database

class PayScreenServerTest : public AppFirst, public ServerTerminal {
protected:
    PayScreenServerTest() { SetUpDemoBuffet(db, ctx, store); }

    TfrmPay& show(Currency aDue)
    {
        model = std::make_unique<TPayModel>(ctx, store, dialogs, lookups, recorder, approvals, launchers);
        model->SetSumAmt(aDue);
        screen = std::make_unique<TfrmPay>(TScreenEnv{}, *model);
        hands.screen = screen.get();
        EXPECT_TRUE(ShowActive(*screen));
        return *screen;
    }
    std::vector<std::string> shown() const
    {
        std::vector<std::string> texts;
        for (const auto& box : dialogs.shown) texts.push_back(box.text);
        return texts;
    }

    TNoMasterServer noServer;
    TMasterStore store{ctx, dialogs, noServer};
    TLookups lookups{*data, store};
    FakeRecorder recorder;
    FakeApprovals approvals;
    FakeLaunchers launchers;
    std::unique_ptr<TPayModel> model;
    std::unique_ptr<TfrmPay> screen;
    Hands hands;
};

TEST_F(PayScreenServerTest, ARoomIsLookedUpShownAndCharged)
{
    TfrmPay& s = show(Currency(96000));
    hands.touch(s.TenderButton(K::Room));
    hands.typeEnter(s.Edit(F::RoomAmt), QStringLiteral("60000"));
    ASSERT_EQ(hands.focused(), s.Edit(F::RoomNo));
    hands.typeEnter(s.Edit(F::RoomNo), QStringLiteral("1203"));
    const std::vector<QLabel*>& info = s.InfoLabels(K::Room);
    EXPECT_EQ(info.at(0)->text(), QStringLiteral("1071234500"));
    EXPECT_EQ(info.at(1)->text(), QStringLiteral("한서윤"));
    EXPECT_EQ(info.at(5)->text(), QStringLiteral("기명 회원"));
    EXPECT_EQ(s.Edit(F::RoomNo)->selectedText(), QStringLiteral("1203"));
    QTest::keyClick(s.Edit(F::RoomNo), Qt::Key_Return);
    ASSERT_EQ(s.Frame(K::Room)->GetCount(), 1);
    EXPECT_EQ(s.Frame(K::Room)->Row(0)->Text(0), QStringLiteral("01203"));
    EXPECT_EQ(s.Frame(K::Room)->Row(0)->Text(6), QStringLiteral("60,000"));
    EXPECT_EQ(hands.focused(), s.Edit(F::RoomAmt));
    EXPECT_EQ(s.Edit(F::RoomAmt)->text(), QStringLiteral("36000"));
    EXPECT_TRUE(info.at(1)->text().isEmpty()) << "the next room is looked up anew";
}

TEST_F(PayScreenServerTest, ACreditCustomerBeyondTheBalanceIsRefusedOnTheScreen)
{
    TfrmPay& s = show(Currency(500000));
    hands.touch(s.TenderButton(K::Credit));
    QTest::keyClick(s.Edit(F::CreditAmt), Qt::Key_Return);
    hands.typeEnter(s.Edit(F::CreditMemberNo), QStringLiteral("0012345678"));
    EXPECT_EQ(shown(), std::vector<std::string>{kMsgPrepayShort});
    EXPECT_EQ(s.InfoLabels(K::Credit).at(1)->text(), QStringLiteral("청솔건설"));
    EXPECT_EQ(s.InfoLabels(K::Credit).at(3)->text(), QStringLiteral("392,000"));
    EXPECT_EQ(hands.focused(), s.Edit(F::CreditAmt));
    QTest::keyClick(s.Edit(F::CreditAmt), Qt::Key_Return);
    QTest::keyClick(s.Edit(F::CreditMemberNo), Qt::Key_Return);
    EXPECT_EQ(s.Frame(K::Credit)->GetCount(), 0);
    EXPECT_EQ(shown().size(), 2u);
    EXPECT_TRUE(s.isVisible());
}

}  // namespace
}  // namespace pos::test
