// The payment model without a window: the tenders offered, the amounts the
// summary shows, every field's Enter, the approvals it asks for and what it
// makes of their answers, the settling of sales and returns and the close
// rules. The recording, the approvals and the screens it opens are fakes
// that keep what they were asked (PayFixture.h).

#include "PayFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace pos::test {
namespace {

using F = TPayField;
using K = TPayKind;

// ---------------------------------------------------------------------------
// Bills and tender entries: what settles, and with which lines.

struct BillCase {
    const char* name;
    long long due;  // signed
    bool isReturn;
    std::function<void(PayFixture&)> entries;
    bool settles;
    long long received, change;  // as recorded
};

class PayBillTest : public PayFixture, public ::testing::WithParamInterface<BillCase> {};

TEST_P(PayBillTest, SettlesWhenTheLinesCoverTheBill)
{
    const BillCase& c = GetParam();
    if (c.isReturn) makeReturn();
    open(Currency(c.due));
    c.entries(*this);
    EXPECT_EQ(settled(), c.settles) << ::testing::PrintToString(shown());
    if (!c.settles) {
        EXPECT_TRUE(recorder.handed.empty());
        return;
    }
    ASSERT_EQ(recorder.handed.size(), 1u);
    const TPayLines& paid = recorder.handed.front();
    EXPECT_EQ(paid.due, Currency(c.due));
    EXPECT_EQ(paid.received, Currency(c.received));
    EXPECT_EQ(paid.change, Currency(c.change));
    // The summary stays as it was recorded: the sale screen reads it.
    EXPECT_EQ(model->Summary().received, Currency(c.received));
    EXPECT_EQ(model->Summary().change, Currency(c.change));
}

const BillCase kBills[] = {
    {"CashAboveTheBillGivesChange", 43000, false,
     [](PayFixture& f) {
         f.typeEnter(F::CashAmt, "50000");
         f.enter(F::CashNo);
     },
     true, 50000, 7000},
    {"EnterOnTheProposedCashPaysTheBill", 43000, false, [](PayFixture& f) { f.enter(F::CashNo); },
     true, 43000, 0},
    {"BillOfZeroSettlesWithACashLineOfZero", 0, false,
     [](PayFixture& f) { f.typeEnter(F::CashAmt, "0"); }, true, 0, 0},
    {"PartCashDoesNotSettle", 43000, false,
     [](PayFixture& f) {
         f.typeEnter(F::CashAmt, "20000");
         f.enter(F::CashNo);
     },
     false, 0, 0},
    {"TwoCashLinesSettle", 43000, false,
     [](PayFixture& f) {
         f.typeEnter(F::CashAmt, "20000");
         f.enter(F::CashNo);
         f.enter(F::CashNo);  // the rest, proposed
     },
     true, 43000, 0},
    {"CardAboveTheRemainingIsResetWithoutCash", 43000, false,
     [](PayFixture& f) { f.payByCard("50000"); }, true, 43000, 0},
    {"CardAboveTheRemainingStaysWhenCashCoversTheChange", 43000, false,
     [](PayFixture& f) {
         f.typeEnter(F::CashAmt, "10000");
         f.enter(F::CashNo);
         f.payByCard("40000");
     },
     true, 50000, 7000},
    {"CardAboveTheCashCoverIsReset", 43000, false,
     [](PayFixture& f) {
         f.typeEnter(F::CashAmt, "5000");
         f.enter(F::CashNo);
         f.payByCard("45000");  // change 7000 out of 5000 cash: back to 38000
     },
     true, 43000, 0},
    {"ReturnRefundEqualToTheBill", -43000, true, [](PayFixture& f) { f.enter(F::CashNo); },
     true, -43000, 0},
    {"ReturnCashRefundAboveTheBill", -43000, true,
     [](PayFixture& f) {
         f.typeEnter(F::CashAmt, "50000");
         f.enter(F::CashNo);
     },
     true, -50000, -7000},
    {"ReturnVoucherRefundAboveTheBillWithoutCashStaysOpen", -43000, true,
     [](PayFixture& f) {
         f.model->Select(K::GiftCard);
         f.model->GiftCardClick(0);  // 10,000 won vouchers, 5 proposed
         f.typeEnter(F::GiftCardCount, "5");
     },
     false, 0, 0},
    {"ReturnVoucherRefundAboveTheBillWithinTheCash", -43000, true,
     [](PayFixture& f) {
         f.typeEnter(F::CashAmt, "10000");
         f.enter(F::CashNo);
         f.model->Select(K::GiftCard);
         f.model->GiftCardClick(0);
         f.typeEnter(F::GiftCardCount, "4");  // -50,000 refunded: 7,000 over, less than the 10,000 cash
     },
     true, -50000, -7000},
    {"ReturnCardRefundAboveTheBillIsReset", -43000, true,
     [](PayFixture& f) {
         f.model->Select(K::Card);
         f.typeEnter(F::CardAmt, "50000");
         f.swipe(F::CardNo, kTrack);
         f.typeEnter(F::CardHalbuMonth, "0");
         f.typeEnter(F::CardAgreeNo, "12345678");
     },
     true, -43000, 0},
};

INSTANTIATE_TEST_SUITE_P(Bills, PayBillTest, ::testing::ValuesIn(kBills),
                         [](const ::testing::TestParamInfo<BillCase>& i) { return std::string(i.param.name); });

// ---------------------------------------------------------------------------
// Tenders offered and the summary

TEST_F(PayFixture, OffLineOffersOnlyCashCardAndEasyCheckInTheListsOrder)
{
    ctx.gbOffLine = true;
    store.glPayData.clear();
    for (std::int64_t code : {170, 125, 130, 110, 430, 140, 120, 150, 160, 110}) store.AddPayData("x", code);
    open(Currency(43000));
    std::vector<K> kinds;
    for (const TPayTender& t : model->Tenders()) kinds.push_back(t.kind);
    EXPECT_EQ(kinds, (std::vector<K>{K::EasyCheck, K::Cash, K::Card}));
    EXPECT_EQ(model->Lines().offeredKinds, (std::vector<std::int64_t>{125, 110, 120}));
    EXPECT_EQ(model->Selected(), K::EasyCheck);

    ctx.gbOffLine = false;
    open(Currency(43000));
    EXPECT_EQ(model->Tenders().size(), 8u) << "the prepay code has no button and each kind shows once";
}

TEST_F(PayFixture, NoTenderMeansNoScreen)
{
    store.glPayData.clear();
    store.AddPayData("선수금", 430);
    open(Currency(43000));
    EXPECT_TRUE(model->Tenders().empty());
    EXPECT_FALSE(model->Selected());
}

TEST_F(PayFixture, SummaryCountsTheTypedAmountOnceAndFollowsTheLines)
{
    open(Currency(43000));
    EXPECT_EQ(model->Text(F::CashAmt), "43000");
    EXPECT_EQ(model->Summary().received, Currency(43000));

    typeEnter(F::CashAmt, "20000");
    enter(F::CashNo);  // a line of 20,000; 23,000 proposed
    EXPECT_EQ(model->Text(F::CashAmt), "23000");
    EXPECT_EQ(model->PayAmt(K::Cash), Currency(43000));
    EXPECT_EQ(model->Summary().change, Currency(0));

    // A partial card approval counts once, and the rest is proposed again.
    payByCard("13000");
    EXPECT_EQ(model->PayAmt(K::Card), Currency(23000));
    EXPECT_EQ(model->Text(F::CardAmt), "10000");
    EXPECT_EQ(model->Focused(), F::CardNo);

    // Another panel: the card panel's typed amount no longer counts.
    model->Select(K::Room);
    EXPECT_EQ(model->PayAmt(K::Card), Currency(13000));
    EXPECT_EQ(model->PayAmt(K::Cash), Currency(20000));
    EXPECT_EQ(model->Text(F::RoomAmt), "10000");
    EXPECT_EQ(model->Summary().received, Currency(43000));

    // Deleting the cash line proposes its amount again on the cash panel.
    model->Select(K::Cash);
    model->DeleteClick(K::Cash);
    EXPECT_TRUE(model->Lines().cash.empty());
    EXPECT_EQ(model->Text(F::CashAmt), "30000");
}

TEST_F(PayFixture, PageUpAndPageDownWrapRoundTheTenders)
{
    open(Currency(43000));
    model->SelectPrior();
    EXPECT_EQ(model->Selected(), K::Credit);
    model->SelectNext();
    EXPECT_EQ(model->Selected(), K::Cash);
    model->SelectNext();
    EXPECT_EQ(model->Selected(), K::Card);
    EXPECT_EQ(model->Focused(), F::CardAmt);
}

TEST_F(PayFixture, RecordingRefusedStaysOpenOnTheTenderItNames)
{
    recorder.answers.push_back({false, 130});
    open(Currency(43000));
    enter(F::CashNo);
    EXPECT_EQ(model->Result(), TPayResult::Open);
    EXPECT_EQ(model->Selected(), K::Room);
    ASSERT_EQ(model->Lines().cash.size(), 1u);
    // The next line tries again.
    model->Select(K::Cash);
    model->DeleteClick(K::Cash);
    enter(F::CashNo);
    EXPECT_TRUE(settled());
    EXPECT_EQ(recorder.handed.size(), 2u);
}

TEST_F(PayFixture, NothingChangesOnceRecorded)
{
    open(Currency(43000));
    typeEnter(F::CashAmt, "50000");
    enter(F::CashNo);
    ASSERT_TRUE(settled());
    type(F::CashAmt, "1");
    enter(F::CashNo);
    model->Select(K::Card);
    EXPECT_EQ(model->Selected(), K::Cash);
    EXPECT_EQ(model->Lines().cash.size(), 1u);
    EXPECT_EQ(model->PayAmt(K::Cash), Currency(50000));
    EXPECT_TRUE(model->CloseQuery());
}

// ---------------------------------------------------------------------------
// Cards

TEST_F(PayFixture, ASwipedCardIsApprovedWithItsTrackAndLandsInTheList)
{
    open(Currency(43000));
    payByCard("43000", "1");
    ASSERT_EQ(approvals.approveCard.size(), 1u);
    const TCardRequest& r = approvals.approveCard[0];
    EXPECT_TRUE(r.Approval);
    EXPECT_EQ(r.CardData, kTrack);
    EXPECT_FALSE(r.KeyIn);
    EXPECT_EQ(r.ValidThru, "2812");
    EXPECT_EQ(r.Amount, Currency(43000));
    EXPECT_EQ(r.HalbuMonth, 0) << "an instalment below 2 is a lump sum";
    ASSERT_TRUE(settled());
    const TPayCardList& line = recorder.handed[0].card.at(0);
    EXPECT_EQ(line.CardNo, kCardNo);
    EXPECT_EQ(line.VaildThru, "28/12");
    EXPECT_EQ(line.HalbuMonth, "0개월");
    EXPECT_EQ(line.AgreeNo, "30000001");
    EXPECT_EQ(line.Amt, Currency(43000));
    EXPECT_EQ(line.TrackTwo, kTrack);
    EXPECT_EQ(line.CompanyName, "한빛카드");
}

TEST_F(PayFixture, ATypedCardOpensTheExpiryAndIsSentKeyedIn)
{
    open(Currency(43000));
    model->Select(K::Card);
    EXPECT_FALSE(model->Enabled(F::CardValidThru));
    enter(F::CardAmt);
    typeEnter(F::CardNo, kCardNo);
    EXPECT_TRUE(model->Enabled(F::CardValidThru));
    EXPECT_EQ(model->Focused(), F::CardValidThru);
    typeEnter(F::CardValidThru, "2812");
    EXPECT_EQ(model->Focused(), F::CardHalbuMonth);
    type(F::CardHalbuMonth, "3");
    EXPECT_EQ(model->HalbuCaption(K::Card), "할부");
    enter(F::CardHalbuMonth);
    ASSERT_EQ(approvals.approveCard.size(), 1u);
    EXPECT_TRUE(approvals.approveCard[0].KeyIn);
    EXPECT_EQ(approvals.approveCard[0].CardData, std::string(kCardNo) + "=2812");
    EXPECT_EQ(approvals.approveCard[0].HalbuMonth, 3);
    ASSERT_TRUE(settled());
    EXPECT_TRUE(recorder.handed[0].card[0].KeyIn);
    EXPECT_EQ(recorder.handed[0].card[0].HalbuMonth, "3개월");
}

TEST_F(PayFixture, ACardCheckSendsTheFocusToTheFieldAtFault)
{
    open(Currency(43000));
    model->Select(K::Card);
    enter(F::CardAmt);
    typeEnter(F::CardNo, "41111111");  // too short: asks the expiry first
    typeEnter(F::CardValidThru, "2812");
    enter(F::CardHalbuMonth);
    EXPECT_TRUE(approvals.approveCard.empty());
    EXPECT_EQ(model->Focused(), F::CardNo);
    EXPECT_EQ(model->Text(F::CardNo), "");
}

TEST_F(PayFixture, ACardSwipedIntoTheAmountFieldGoesToTheCardNumber)
{
    open(Currency(43000));
    model->Select(K::Card);
    ASSERT_EQ(model->Focused(), F::CardAmt);
    // The reader types the track where the focus is: the amount field.
    const std::string swiped = std::string(";") + kTrack + "?";
    model->KeyPress(F::CardAmt, swiped);
    model->Change(F::CardAmt, "43000" + swiped);
    enter(F::CardAmt);
    EXPECT_EQ(model->Text(F::CardAmt), "43000");
    EXPECT_EQ(model->Text(F::CardNo), kCardNo);
    EXPECT_EQ(model->Text(F::CardValidThru), "2812");
    EXPECT_FALSE(model->Enabled(F::CardValidThru));
    EXPECT_EQ(model->Focused(), F::CardHalbuMonth);
    enter(F::CardHalbuMonth);
    ASSERT_EQ(approvals.approveCard.size(), 1u);
    EXPECT_EQ(approvals.approveCard[0].CardData, kTrack) << "the track without its sentinels";
    EXPECT_EQ(approvals.approveCard[0].Amount, Currency(43000));
}

TEST_F(PayFixture, ACardSwipedOnTheSaleScreenIsTakenAsASwipe)
{
    ctx.gsTempMemberNo = std::string(";") + kTrack + "?";
    open(Currency(43000));
    EXPECT_EQ(model->Selected(), K::Card);
    EXPECT_EQ(model->Text(F::CardNo), kCardNo);
    EXPECT_EQ(model->Text(F::CardValidThru), "2812");
    EXPECT_EQ(model->Text(F::CardAmt), "43000");
    EXPECT_EQ(model->Focused(), F::CardHalbuMonth);
    EXPECT_TRUE(ctx.gsTempMemberNo.empty());
    enter(F::CardHalbuMonth);
    ASSERT_EQ(approvals.approveCard.size(), 1u);
    EXPECT_EQ(approvals.approveCard[0].CardData, kTrack) << "the track reaches the approval";
    EXPECT_FALSE(approvals.approveCard[0].KeyIn);
    EXPECT_TRUE(settled());
}

TEST_F(PayFixture, AMemberNumberLeftForTheDiscountIsNoCard)
{
    ctx.gsTempMemberNo = "1071234500";
    open(Currency(43000));
    EXPECT_EQ(model->Selected(), K::Cash);
    EXPECT_EQ(ctx.gsTempMemberNo, "1071234500");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PayFixture, ASecondIdenticalCardLineIsNotAdded)
{
    open(Currency(43000));
    TCardAnswer same;
    same.Outcome = TApprovalOutcome::Approved;
    same.Line.AgreeNo = "30001234";
    approvals.cardAnswers = {same, same, same};
    payByCard("20000");
    // The same card and amount again: the card company answers with the
    // same approval.
    typeEnter(F::CardAmt, "20000");
    swipe(F::CardNo, kTrack);
    typeEnter(F::CardHalbuMonth, "0");
    // The rest, proposed.
    swipe(F::CardNo, kTrack);
    typeEnter(F::CardHalbuMonth, "0");
    EXPECT_EQ(approvals.approveCard.size(), 3u);
    ASSERT_EQ(model->Lines().card.size(), 2u) << "the same approval of 20,000 once, the one of 23,000 too";
    EXPECT_EQ(model->Lines().card[0].Amt, Currency(20000));
    EXPECT_EQ(model->Lines().card[1].Amt, Currency(23000));
    EXPECT_TRUE(settled());
}

TEST_F(PayFixture, AFailingDriverOffersEasyCheckWithTheCardData)
{
    approvals.cardAnswers.push_back(FakeApprovals::Refused("CONN", "카드 서버에 연결할 수 없습니다"));
    dialogs.answers = {true};
    open(Currency(43000));
    payByCard("43000", "3");
    EXPECT_EQ(shown().front(), "카드 승인 에러 :\r카드 서버에 연결할 수 없습니다(CONN)");
    EXPECT_EQ(shown().back(), kAskPayEasyCheck);
    EXPECT_EQ(model->Selected(), K::EasyCheck);
    EXPECT_EQ(model->Text(F::EasyCheckAmt), "43000");
    EXPECT_EQ(model->Text(F::EasyCheckNo), kCardNo);
    EXPECT_EQ(model->Text(F::EasyCheckValidThru), "2812");
    EXPECT_EQ(model->Text(F::EasyCheckHalbuMonth), "3");
    EXPECT_EQ(model->Focused(), F::EasyCheckHalbuMonth);
    dialogs.answers = {true};
    enter(F::EasyCheckHalbuMonth);
    ASSERT_TRUE(settled());
    const TPayCardList& line = recorder.handed[0].easyCheck.at(0);
    EXPECT_EQ(line.AgreeNo, "이지체크");
    EXPECT_EQ(line.TrackTwo, kTrack);
    EXPECT_FALSE(line.KeyIn);
    EXPECT_EQ(approvals.approveCard.size(), 1u) << "EasyCheck asks for no approval";
}

TEST_F(PayFixture, ARefusalWithACodeOrAnUncertainAnswerOffersNoEasyCheck)
{
    approvals.cardAnswers = {FakeApprovals::Refused("7003", "한도 초과"),
                             FakeApprovals::Refused("TIME", "응답 없음", TApprovalOutcome::Uncertain)};
    open(Currency(43000));
    payByCard("43000");
    payByCard("43000");
    EXPECT_EQ(shown(), (std::vector<std::string>{"카드 승인 에러 :\r한도 초과(7003)", "카드 승인 에러 :\r응답 없음(TIME)"}));
    EXPECT_TRUE(model->Lines().card.empty());
    EXPECT_EQ(model->Selected(), K::Card);
    EXPECT_EQ(model->Text(F::CardAmt), "43000") << "the amount stays for another try";
    EXPECT_EQ(model->Focused(), F::CardNo);
}

TEST_F(PayFixture, AReturnRefundsWithTheOriginalApprovalNumber)
{
    makeReturn();
    open(Currency(-43000));
    model->Select(K::Card);
    EXPECT_TRUE(model->Enabled(F::CardAgreeNo));
    enter(F::CardAmt);
    swipe(F::CardNo, kTrack);
    typeEnter(F::CardHalbuMonth, "0");
    EXPECT_EQ(model->Focused(), F::CardAgreeNo);
    enter(F::CardAgreeNo);  // no number yet
    EXPECT_TRUE(approvals.approveCard.empty());
    typeEnter(F::CardAgreeNo, "30000777");
    ASSERT_EQ(approvals.approveCard.size(), 1u);
    EXPECT_FALSE(approvals.approveCard[0].Approval);
    EXPECT_EQ(approvals.approveCard[0].OrgAgreeNo, "30000777");
    EXPECT_EQ(approvals.approveCard[0].Amount, Currency(43000));
    ASSERT_TRUE(settled());
    EXPECT_EQ(recorder.handed[0].card[0].Amt, Currency(-43000));
    EXPECT_EQ(recorder.handed[0].card[0].OldAgreeNo, "30000777");
}

TEST_F(PayFixture, AnAlreadyCancelledSlipIsStoredOnlyWhenTheCashierInsists)
{
    makeReturn();
    approvals.cardAnswers = {FakeApprovals::Refused("8433", "기취소 거래"), FakeApprovals::Refused("8433", "기취소 거래")};
    dialogs.answers = {false, true};
    open(Currency(-43000));
    for (int i = 0; i < 2; ++i) {
        model->Select(K::Card);
        enter(F::CardAmt);
        swipe(F::CardNo, kTrack);
        typeEnter(F::CardHalbuMonth, "0");
        typeEnter(F::CardAgreeNo, "30000777");
        if (i == 0) {
            EXPECT_TRUE(model->Lines().card.empty());
        }
    }
    ASSERT_TRUE(settled());
    const TPayCardList& line = recorder.handed[0].card.at(0);
    EXPECT_EQ(line.AgreeNo, "30000777");
    EXPECT_EQ(line.AgreeDate, "20240105");
    EXPECT_EQ(line.CompanyCode, "01");
}

TEST_F(PayFixture, DeletingACardLineCancelsItsApprovalFirst)
{
    open(Currency(43000));
    payByCard("20000");
    approvals.cardAnswers.push_back(FakeApprovals::Refused("9999", "취소 불가"));
    dialogs.answers = {false, true, true};
    model->DeleteKey(F::CardNo);  // No
    EXPECT_TRUE(approvals.cancelCard.empty());
    model->DeleteKey(F::CardNo);  // Yes, refused: the line stays
    ASSERT_EQ(approvals.cancelCard.size(), 1u);
    EXPECT_EQ(model->Lines().card.size(), 1u);
    model->DeleteClick(K::Card);  // Yes, cancelled
    EXPECT_TRUE(model->Lines().card.empty());
    const TCardRequest& r = approvals.cancelCard.back();
    EXPECT_FALSE(r.Approval);
    EXPECT_EQ(r.OrgAgreeNo, "30000001");
    EXPECT_EQ(r.Amount, Currency(20000));
    EXPECT_EQ(r.CardData, kTrack);
    EXPECT_EQ(shown()[0], "411111******1111 카드를 승인 취소 하시겠습니까?") << "the card number masked";
    EXPECT_EQ(model->Text(F::CardAmt), "43000");
}

// ---------------------------------------------------------------------------
// EasyCheck and cash receipts

TEST_F(PayFixture, EasyCheckIsRegisteredOnConfirmationWithInstalmentOneAsZero)
{
    open(Currency(43000));
    model->Select(K::EasyCheck);
    enter(F::EasyCheckAmt);
    swipe(F::EasyCheckNo, kTrack);
    type(F::EasyCheckHalbuMonth, "1");
    EXPECT_EQ(model->HalbuCaption(K::EasyCheck), "일시불");
    dialogs.answers = {false};
    enter(F::EasyCheckHalbuMonth);
    EXPECT_TRUE(model->Lines().easyCheck.empty()) << "No adds nothing";
    dialogs.answers = {true};
    enter(F::EasyCheckHalbuMonth);
    ASSERT_TRUE(settled());
    const TPayCardList& line = recorder.handed[0].easyCheck.at(0);
    EXPECT_EQ(line.HalbuMonth, "0개월");
    EXPECT_EQ(line.AgreeNo, "이지체크");
    EXPECT_EQ(line.AgreeDate, "20240105");
    EXPECT_EQ(line.BankName, "한빛은행");
    EXPECT_EQ(line.CardJoinNo, "0012345");
    EXPECT_TRUE(approvals.approveCard.empty());
}

TEST_F(PayFixture, ACashReceiptCoversTheCashThatPaysTheBill)
{
    open(Currency(43000));
    typeEnter(F::CashAmt, "50000");
    model->CashManClick(false);
    typeEnter(F::CashNo, "1234567890");
    ASSERT_EQ(approvals.approveCash.size(), 1u);
    EXPECT_EQ(approvals.approveCash[0].Amount, Currency(43000));
    EXPECT_FALSE(approvals.approveCash[0].Individual);
    ASSERT_TRUE(settled());
    const TPayCashList& line = recorder.handed[0].cash.at(0);
    EXPECT_EQ(line.ManYNName, "사업자");
    EXPECT_EQ(line.AgreeAmt, Currency(43000));
    EXPECT_EQ(line.Amt, Currency(50000));
    EXPECT_EQ(line.Track2, "1234567890");
    EXPECT_EQ(recorder.handed[0].change, Currency(7000));
}

TEST_F(PayFixture, DeletingACashReceiptLineCancelsTheReceiptFirst)
{
    open(Currency(90000));
    typeEnter(F::CashAmt, "20000");
    typeEnter(F::CashNo, "01012345678");
    ASSERT_EQ(model->Lines().cash.size(), 1u);
    EXPECT_EQ(model->Lines().cash[0].ManYNName, "개인");
    dialogs.answers = {true};
    model->DeleteKey(F::CashNo);
    EXPECT_EQ(shown(), std::vector<std::string>{"휴대폰 : 010-1234-**** 현금영수증을 승인 취소 하시겠습니까?"});
    ASSERT_EQ(approvals.cancelCash.size(), 1u);
    const TCashRequest& r = approvals.cancelCash[0];
    EXPECT_FALSE(r.Approval);
    EXPECT_TRUE(r.Individual);
    EXPECT_EQ(r.Identity, "01012345678");
    EXPECT_EQ(r.Amount, Currency(20000));
    EXPECT_EQ(r.OrgAgreeNo, "50000001");
    EXPECT_TRUE(model->Lines().cash.empty());
    EXPECT_EQ(model->Text(F::CashAmt), "90000");
}

TEST_F(PayFixture, ARefusedCashReceiptAddsNoLineAndProposesTheCashAgain)
{
    TCashAnswer refused;
    refused.ErrCode = "1001";
    refused.Message = "식별번호 오류";
    approvals.cashAnswers.push_back(refused);
    open(Currency(43000));
    typeEnter(F::CashAmt, "20000");
    typeEnter(F::CashNo, "01012345678");
    EXPECT_EQ(shown(), std::vector<std::string>{"현금영수증 승인 에러 :\r식별번호 오류(1001)"});
    EXPECT_TRUE(model->Lines().cash.empty());
    EXPECT_EQ(model->Text(F::CashAmt), "43000");
    EXPECT_EQ(model->Text(F::CashNo), "");
    EXPECT_EQ(model->Focused(), F::CashNo);
}

// ---------------------------------------------------------------------------
// Gift vouchers

TEST_F(PayFixture, VoucherButtonsPageThroughTheKindsInUse)
{
    open(Currency(43000));
    const TGiftCardPages& pages = model->GiftCardPages();
    ASSERT_NE(pages.Button(4), nullptr);
    EXPECT_EQ(pages.Button(0)->Name, "리조트 상품권 1만원");
    model->GiftCardNextClick();
    EXPECT_EQ(pages.Button(0)->Name, "온천 이용권");
    EXPECT_EQ(pages.Button(1), nullptr) << "retired and unused vouchers are not offered";
    model->GiftCardNextClick();
    EXPECT_EQ(pages.Button(0)->Name, "리조트 상품권 1만원");
}

TEST_F(PayFixture, AVoucherProposesTheCountThatPaysTheRest)
{
    open(Currency(43000));
    model->Select(K::GiftCard);
    EXPECT_EQ(model->Focused(), F::GiftCardNo);
    typeEnter(F::GiftCardNo, "2");  // the second button: 50,000 won
    EXPECT_EQ(model->Text(F::GiftCardNo), "105");
    EXPECT_EQ(model->Focused(), F::GiftCardCount);
    EXPECT_EQ(model->Text(F::GiftCardCount), "1");
    EXPECT_EQ(model->Summary().change, Currency(7000));
    enter(F::GiftCardCount);
    ASSERT_TRUE(settled());
    const TPayGiftCardList& line = recorder.handed[0].giftCard.at(0);
    EXPECT_EQ(line.GiftCardNo, "105");
    EXPECT_EQ(line.UnitAmt, Currency(50000));
    EXPECT_EQ(line.Count, Currency(1));
    EXPECT_EQ(line.Amt, Currency(50000));
}

TEST_F(PayFixture, ATypedVoucherNumberFindsItsKindByItsCode)
{
    open(Currency(43000));
    model->Select(K::GiftCard);
    typeEnter(F::GiftCardNo, "9990000001");
    EXPECT_EQ(shown(), std::vector<std::string>{kMsgNoGiftCard});
    typeEnter(F::GiftCardNo, "2010004567");
    ASSERT_NE(model->GiftCard(), nullptr);
    EXPECT_EQ(model->GiftCard()->Name, "제휴 상품권 1만원");
    EXPECT_EQ(model->Text(F::GiftCardCount), "5");
    typeEnter(F::GiftCardCount, "2");
    ASSERT_EQ(model->Lines().giftCard.size(), 1u);
    EXPECT_EQ(model->Lines().giftCard[0].GiftCardNo, "2010004567");
    EXPECT_EQ(model->Focused(), F::GiftCardNo);
    EXPECT_EQ(model->PayAmt(K::GiftCard), Currency(20000));
}

// ---------------------------------------------------------------------------
// Closing

struct CloseCase {
    const char* name;
    std::vector<bool> answers;
    bool closes;
    std::vector<std::string> shown;
    std::size_t cancelled;
};

class PayCloseTest : public PayFixture, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(PayCloseTest, ApprovedCardsAreCancelledOrReportedBeforeClosing)
{
    const CloseCase& c = GetParam();
    open(Currency(43000));
    payByCard("10000");
    payByCard("10000");
    ASSERT_EQ(model->Lines().card.size(), 2u);
    model->Select(K::Cash);
    dialogs.answers = {c.answers.begin(), c.answers.end()};
    EXPECT_EQ(model->CloseQuery(), c.closes);
    EXPECT_EQ(shown(), c.shown);
    EXPECT_EQ(model->Result(), c.closes ? TPayResult::Cancelled : TPayResult::Open);
    ASSERT_EQ(approvals.cancelCard.size(), c.cancelled);
    if (c.cancelled > 0) {
        // Last line first, without another question.
        EXPECT_EQ(approvals.cancelCard[0].OrgAgreeNo, "30000002");
        EXPECT_EQ(approvals.cancelCard[1].OrgAgreeNo, "30000001");
        EXPECT_TRUE(model->Lines().card.empty());
        EXPECT_EQ(model->Selected(), K::Card);
        EXPECT_EQ(model->Text(F::CardAmt), "43000");
    }
}

INSTANTIATE_TEST_SUITE_P(Close, PayCloseTest,
                         ::testing::Values(CloseCase{"No", {false}, true, {kAskCancelCards, kMsgCardsLeft}, 0},
                                           CloseCase{"Yes", {true}, false, {kAskCancelCards}, 2}),
                         [](const ::testing::TestParamInfo<CloseCase>& i) { return std::string(i.param.name); });

TEST_F(PayFixture, TheCancelAllRunKeepsALineWhoseCancellationFails)
{
    open(Currency(43000));
    payByCard("10000");
    payByCard("12000");
    approvals.cardAnswers.push_back(FakeApprovals::Refused("9999", "취소 불가"));  // the last line's
    dialogs.answers = {true};
    EXPECT_FALSE(model->CloseQuery());
    EXPECT_EQ(approvals.cancelCard.size(), 2u);
    // The card still stands charged: its line stays, and the cashier is told.
    ASSERT_EQ(model->Lines().card.size(), 1u);
    EXPECT_EQ(model->Lines().card[0].Amt, Currency(12000));
    EXPECT_EQ(shown(), (std::vector<std::string>{kAskCancelCards, "카드 승인 에러 :\r취소 불가(9999)", kMsgCancelKept}));
    // Closing again asks again about the line left.
    dialogs.clear();
    dialogs.answers = {true};
    EXPECT_FALSE(model->CloseQuery());
    EXPECT_EQ(approvals.cancelCard.size(), 3u);
    EXPECT_TRUE(model->Lines().card.empty());
    dialogs.clear();
    EXPECT_TRUE(model->CloseQuery());
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PayFixture, CashReceiptsAreCancelledFromTheLastUpToAPlainCashLine)
{
    open(Currency(90000));
    typeEnter(F::CashAmt, "10000");
    enter(F::CashNo);  // plain
    typeEnter(F::CashAmt, "20000");
    typeEnter(F::CashNo, "01012345678");
    typeEnter(F::CashAmt, "30000");
    typeEnter(F::CashNo, "01098765432");
    ASSERT_EQ(model->Lines().cash.size(), 3u);
    dialogs.answers = {true};
    EXPECT_FALSE(model->CloseQuery());
    ASSERT_EQ(approvals.cancelCash.size(), 2u);
    EXPECT_EQ(approvals.cancelCash[0].Identity, "01098765432");
    EXPECT_EQ(approvals.cancelCash[0].Amount, Currency(30000));
    EXPECT_FALSE(approvals.cancelCash[0].Approval);
    EXPECT_TRUE(model->Lines().cash.empty()) << "the plain line went too and ended the run";
    dialogs.answers = {};
    EXPECT_TRUE(model->CloseQuery());
}

}  // namespace
}  // namespace pos::test
