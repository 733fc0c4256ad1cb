// The account tenders (room, locker, group and house credit) against a real
// PostgreSQL server holding the demo resort's guests, players, contracts and
// credit customers: what the look-ups show, which lines they let in and
// which they refuse.

#include "DemoAccounts.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace pos::test {
namespace {

using F = TPayField;
using K = TPayKind;

class PayAccountTest : public ServerTerminal {
protected:
    PayAccountTest() { SetUpDemoBuffet(db, ctx, store); }

    TPayModel& open(Currency aDue)
    {
        model = std::make_unique<TPayModel>(ctx, store, dialogs, lookups, recorder, approvals, launchers);
        model->SetSumAmt(aDue);
        model->Show();
        return *model;
    }
    void type(F aField, const std::string& aText) { TypeInto(*model, aField, aText); }
    void typeEnter(F aField, const std::string& aText) { TypeEnter(*model, aField, aText); }
    void enter(F aField) { model->Enter(aField); }
    bool settled() const { return model->Result() == TPayResult::Settled; }

    TNoMasterServer noServer;
    TMasterStore store{ctx, dialogs, noServer};
    TLookups lookups{*data, store};
    FakeRecorder recorder;
    FakeApprovals approvals;
    FakeLaunchers launchers;
    std::unique_ptr<TPayModel> model;
};

TEST_F(PayAccountTest, ARoomShowsItsGuestAndTheSecondEnterChargesIt)
{
    open(Currency(43000));
    model->Select(K::Room);
    EXPECT_EQ(model->Text(F::RoomAmt), "43000");
    enter(F::RoomAmt);
    EXPECT_EQ(model->Focused(), F::RoomNo);
    typeEnter(F::RoomNo, "1203");
    ASSERT_NE(model->Room(), nullptr) << ::testing::PrintToString(shown());
    EXPECT_EQ(model->Room()->MemberName, "한서윤");
    EXPECT_EQ(model->Room()->ComeName, "한서윤 외 1명");
    EXPECT_EQ(model->Room()->GuestTypeName, "기명 회원");
    EXPECT_TRUE(model->SelectAll());
    EXPECT_TRUE(recorder.handed.empty());
    enter(F::RoomNo);
    ASSERT_TRUE(settled());
    const TPayRoomList& line = recorder.handed[0].room.at(0);
    EXPECT_EQ(line.RoomNo, "01203");
    EXPECT_EQ(line.MemberNo, "1071234500");
    EXPECT_EQ(line.UpjangCode, "2001");
    EXPECT_EQ(line.RsvNo, "H24-00311");
    EXPECT_EQ(line.ManageNo, 1);
    EXPECT_EQ(line.Amt, Currency(43000));
}

TEST_F(PayAccountTest, AMemberNumberFindsTheMembersRoom)
{
    open(Currency(43000));
    model->Select(K::Room);
    enter(F::RoomAmt);
    typeEnter(F::RoomNo, "1072345600");
    EXPECT_EQ(model->Text(F::RoomNo), "10304");
    ASSERT_NE(model->Room(), nullptr);
    EXPECT_EQ(model->Room()->UpjangCode, "2002");
}

TEST_F(PayAccountTest, AGroupRoomIsSentToTheGroupTender)
{
    open(Currency(43000));
    model->Select(K::Room);
    enter(F::RoomAmt);
    typeEnter(F::RoomNo, "1207");
    EXPECT_EQ(shown(), std::vector<std::string>{kMsgGroupRoom});
    EXPECT_EQ(model->Selected(), K::Event);
    EXPECT_EQ(model->Text(F::EventNo), "4124010500");
    EXPECT_EQ(model->Room(), nullptr);
}

TEST_F(PayAccountTest, ARoomWithoutAGuestChargesNothing)
{
    open(Currency(43000));
    model->Select(K::Room);
    enter(F::RoomAmt);
    typeEnter(F::RoomNo, "1204");
    EXPECT_EQ(shown(), std::vector<std::string>{"01204번 객실에는 투숙객이 없습니다."});
    EXPECT_EQ(model->Room(), nullptr);
    enter(F::RoomNo);
    EXPECT_TRUE(model->Lines().room.empty());
}

TEST_F(PayAccountTest, OneLockerLinePerBill)
{
    open(Currency(100000));
    model->Select(K::Locker);
    typeEnter(F::LockerAmt, "30000");
    typeEnter(F::LockerNo, "0102");
    ASSERT_NE(model->Locker(), nullptr) << ::testing::PrintToString(shown());
    EXPECT_EQ(model->Locker()->ComeName, "오지석");
    enter(F::LockerNo);
    ASSERT_EQ(model->Lines().locker.size(), 1u);
    EXPECT_EQ(model->Lines().locker[0].Seq, 1);
    EXPECT_EQ(model->Focused(), F::LockerAmt);
    EXPECT_EQ(model->Text(F::LockerAmt), "70000");

    typeEnter(F::LockerAmt, "30000");
    typeEnter(F::LockerNo, "0103");  // a member: the discount could have been applied
    EXPECT_EQ(shown(), std::vector<std::string>{kMsgLockerMember});
    enter(F::LockerNo);
    EXPECT_EQ(shown().back(), kMsgOneLocker);
    EXPECT_EQ(model->Lines().locker.size(), 1u);
    EXPECT_EQ(model->Focused(), F::LockerAmt);
}

TEST_F(PayAccountTest, AGroupLineNeedsTheGroupDiscountAndTakesTheBillsEvent)
{
    open(Currency(43000));
    model->Select(K::Event);
    enter(F::EventAmt);
    typeEnter(F::EventNo, "4124010500");
    ASSERT_NE(model->Event(), nullptr) << ::testing::PrintToString(shown());
    EXPECT_EQ(model->Event()->EventName, "새봄전자 신년 워크숍");
    EXPECT_EQ(ctx.gsEventNo, "4124010500");
    enter(F::EventNo);
    EXPECT_EQ(shown(), std::vector<std::string>{kMsgEventNeedsDC});
    EXPECT_TRUE(model->Lines().event.empty());

    // With the group's discount applied the amount field proposes its number.
    ctx.gbEventMode = true;
    model->SetFocus(F::EventNo);
    model->SetFocus(F::EventAmt);
    EXPECT_EQ(model->Text(F::EventNo), "4124010500");
    enter(F::EventAmt);
    enter(F::EventNo);
    enter(F::EventNo);
    ASSERT_TRUE(settled()) << ::testing::PrintToString(shown());
    EXPECT_EQ(recorder.handed[0].event.at(0).MemberName, "새봄전자");
}

TEST_F(PayAccountTest, AnotherGroupReplacesTheBillsEventOnlyWhenTheCashierSaysSo)
{
    ctx.gsEventNo = "4224011200";
    open(Currency(43000));
    model->Select(K::Event);
    enter(F::EventAmt);
    dialogs.answers = {false};
    typeEnter(F::EventNo, "4124010500");
    EXPECT_EQ(shown(), std::vector<std::string>{AskChangeEvent("4224011200", "4124010500")});
    EXPECT_EQ(model->Event(), nullptr);
    EXPECT_EQ(ctx.gsEventNo, "4224011200");
    dialogs.answers = {true};
    enter(F::EventNo);
    ASSERT_NE(model->Event(), nullptr);
    EXPECT_EQ(ctx.gsEventNo, "4124010500");
    EXPECT_EQ(ctx.gsEventGuestType, "410");
}

TEST_F(PayAccountTest, APrepaidCustomerIsChargedOnlyWithinTheBalance)
{
    // 500,000 paid in advance, 108,000 spent: 392,000 left, no more.
    open(Currency(500000));
    model->Select(K::Credit);
    enter(F::CreditAmt);
    typeEnter(F::CreditMemberNo, "12345678");
    ASSERT_NE(model->Credit(), nullptr) << ::testing::PrintToString(shown());
    EXPECT_EQ(model->Credit()->RemainAmt, Currency(392000));
    EXPECT_EQ(shown(), std::vector<std::string>{kMsgPrepayShort});
    EXPECT_EQ(model->Focused(), F::CreditAmt);
    EXPECT_NE(model->Credit(), nullptr) << "the customer stays looked up";

    // Going on with the amount unchanged is refused when the line would be added.
    enter(F::CreditAmt);
    enter(F::CreditMemberNo);
    EXPECT_TRUE(model->Lines().credit.empty());
    EXPECT_EQ(shown().size(), 2u);

    type(F::CreditAmt, "300000");
    enter(F::CreditAmt);
    enter(F::CreditMemberNo);
    ASSERT_EQ(model->Lines().credit.size(), 1u);
    EXPECT_EQ(model->Lines().credit[0].MemberNo, "0012345678");
    EXPECT_EQ(model->Lines().credit[0].PrepayAmt, Currency(500000));

    // A second charge counts what the bill already charges to the balance.
    typeEnter(F::CreditAmt, "100000");
    typeEnter(F::CreditMemberNo, "0012345678");
    enter(F::CreditMemberNo);
    EXPECT_EQ(model->Lines().credit.size(), 1u);
    EXPECT_EQ(shown().back(), kMsgPrepayShort);
    EXPECT_TRUE(launchers.remarksAsked.empty()) << "a food and beverage outlet asks no reason";
}

TEST_F(PayAccountTest, CreditOutsideFoodAndBeverageTakesAReason)
{
    store.glUpjangData.front().UpjangType = "50";
    open(Currency(43000));
    model->Select(K::Credit);
    enter(F::CreditAmt);
    typeEnter(F::CreditMemberNo, "0023456700");  // charged monthly: no balance to check
    ASSERT_NE(model->Credit(), nullptr);
    enter(F::CreditMemberNo);  // the reason dialog cancelled
    ASSERT_EQ(launchers.remarksAsked.size(), 1u);
    EXPECT_EQ(launchers.remarksAsked[0].caption, kCaptionCreditRemarks);
    EXPECT_TRUE(launchers.remarksAsked[0].defMsg);
    EXPECT_GE(launchers.remarksAsked[0].mustInputSize, 1);
    EXPECT_TRUE(model->Lines().credit.empty());
    launchers.remarks.push_back("직원 회식");
    enter(F::CreditMemberNo);
    ASSERT_TRUE(settled());
    EXPECT_EQ(recorder.handed[0].credit.at(0).Remarks, "직원 회식");
    EXPECT_EQ(recorder.handed[0].credit.at(0).CustName, "다온관광");
}

}  // namespace
}  // namespace pos::test
