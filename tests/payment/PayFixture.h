#pragma once
// A payment model on a terminal of its own: the eight tenders of the code
// table offered, an outlet, a few card companies and gift vouchers, scripted
// message boxes, and fakes of the recording, the approvals and the screens
// the payment opens that keep what they were asked. The look-ups are the
// real ones; without a server (PayFixture) they are never reached, with one
// (ServerPayFixture in PayAccountTest.cpp) they ask it.

#include "TestOffLinePolicy.h"

#include "core/ScriptedDialogService.h"
#include "core/TerminalContext.h"
#include "db/Catalogue.h"
#include "db/DataModule.h"
#include "lookups/Lookups.h"
#include "payment/PayModel.h"
#include "store/MasterStore.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace pos::test {

// Keeps every payment it was handed; stores it unless told otherwise.
struct FakeRecorder : TPayRecorder {
    TPaySaveResult SavePayData(const TPayLines& aLines) override
    {
        handed.push_back(aLines);
        if (answers.empty()) return {true, 0};
        const TPaySaveResult answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<TPayLines> handed;
    std::deque<TPaySaveResult> answers;
};

// Approves everything with approval numbers 30000001, 30000002, ... unless
// answers are scripted; keeps every request.
struct FakeApprovals : TCardApprovals {
    TCardAnswer ApproveCard(const TCardRequest& aRequest) override
    {
        approveCard.push_back(aRequest);
        return nextCard();
    }
    TCardAnswer CancelCard(const TCardRequest& aRequest) override
    {
        cancelCard.push_back(aRequest);
        return nextCard();
    }
    TCashAnswer ApproveCash(const TCashRequest& aRequest) override
    {
        approveCash.push_back(aRequest);
        return nextCash();
    }
    TCashAnswer CancelCash(const TCashRequest& aRequest) override
    {
        cancelCash.push_back(aRequest);
        return nextCash();
    }

    static TCardAnswer Refused(const std::string& aCode, const std::string& aMessage,
                               TApprovalOutcome aOutcome = TApprovalOutcome::Refused)
    {
        TCardAnswer answer;
        answer.Outcome = aOutcome;
        answer.ErrCode = aCode;
        answer.Message = aMessage;
        return answer;
    }

    std::vector<TCardRequest> approveCard, cancelCard;
    std::vector<TCashRequest> approveCash, cancelCash;
    std::deque<TCardAnswer> cardAnswers;
    std::deque<TCashAnswer> cashAnswers;
    int issued = 0;

private:
    TCardAnswer nextCard()
    {
        if (!cardAnswers.empty()) {
            TCardAnswer answer = cardAnswers.front();
            cardAnswers.pop_front();
            return answer;
        }
        TCardAnswer answer;
        answer.Outcome = TApprovalOutcome::Approved;
        answer.Line.AgreeNo = std::to_string(30000001 + issued++);
        answer.Line.AgreeDate = "20240105143000";
        answer.Line.CompanyCode = "01";
        answer.Line.CompanyName = "한빛카드";
        answer.Line.BankCode = "011";
        answer.Line.BankName = "한빛은행";
        answer.Line.CardJoinNo = "0012345";
        return answer;
    }
    TCashAnswer nextCash()
    {
        if (!cashAnswers.empty()) {
            TCashAnswer answer = cashAnswers.front();
            cashAnswers.pop_front();
            return answer;
        }
        TCashAnswer answer;
        answer.Outcome = TApprovalOutcome::Approved;
        answer.Line.AgreeNo = std::to_string(50000001 + issued++);
        answer.Line.AgreeDate = "20240105";
        return answer;
    }
};

// The look-up lists choose nothing unless told; the reason dialog answers
// from its queue (nothing queued: cancelled).
struct FakeLaunchers : TPayLaunchers {
    bool GetRoomList(std::string& aRoomNo) override { return choose(rooms, aRoomNo); }
    bool GetGolfList(std::string& aLockerNo, std::string& /*aMemberNo*/, bool /*aMustCome*/) override
    {
        return choose(lockers, aLockerNo);
    }
    bool GetEventList(TEventChoice& aChoice) override { return choose(events, aChoice.EventNo); }
    bool GetRemarks(const std::string& aCaption, std::string& aRemarks, int aMustInputSize, bool aDefMsg) override
    {
        remarksAsked.push_back({aCaption, aMustInputSize, aDefMsg});
        return choose(remarks, aRemarks);
    }

    struct Asked {
        std::string caption;
        int mustInputSize;
        bool defMsg;
    };
    std::deque<std::string> rooms, lockers, events, remarks;
    std::vector<Asked> remarksAsked;

private:
    static bool choose(std::deque<std::string>& aQueue, std::string& aChosen)
    {
        if (aQueue.empty()) return false;
        aChosen = aQueue.front();
        aQueue.pop_front();
        return true;
    }
};

// The terminal of the tests: a restaurant (F&B) selling at POS 01 with the
// eight tenders in code order.
inline void SetUpPayTerminal(TTerminalContext& aContext, TMasterStore& aStore, const std::string& aUpjangType = "30")
{
    aContext.gsMasterUpjangCode = aContext.gsUpjangCode = "3101";
    aContext.gsMasterPosNo = aContext.gsPosNo = "01";
    aContext.gsCashier = "1001";
    aContext.gsToday = aContext.gsSaleDate = "20240105";
    TUpjangData outlet;
    outlet.UpjangCode = "3101";
    outlet.PosNo = "01";
    outlet.UpjangName = "솔바람 한식당";
    outlet.UpjangType = aUpjangType;
    outlet.OffLineYN = true;
    aStore.glUpjangData.push_back(outlet);
    const struct {
        const char* name;
        std::int64_t code;
    } tenders[] = {{"현금", 110}, {"신용카드", 120}, {"이지체크", 125}, {"객실 후불", 130},
                   {"락카 후불", 140}, {"단체 후불", 150}, {"상품권", 160}, {"외상", 170}};
    for (const auto& t : tenders) aStore.AddPayData(t.name, t.code);
    // Card companies and a prefix, for EasyCheck lines.
    const auto common = [&](const char* head, const char* code, const char* name, const char* item1 = "",
                            const char* item2 = "", const char* item3 = "", const char* item4 = "",
                            const char* item6 = "", const char* item7 = "") {
        TCommonData c;
        c.Head = head;
        c.Code = code;
        c.CodeName = name;
        c.Item1 = item1;
        c.Item2 = item2;
        c.Item3 = item3;
        c.Item4 = item4;
        c.Item6 = item6;
        c.Item7 = item7;
        aStore.glCommonData.push_back(c);
    };
    common("Z0021", "01", "한빛카드", "0012345");
    common("Z0021", "999", "기타카드");
    common("Z0022", "011", "한빛은행");
    common("Z0022", "999", "기타");
    common("Z0023", "1", "한빛은행", "411111", "01", "011", "16");
    // Gift vouchers: six in use (two pages), one retired, one not in use.
    common("K0006", "01", "리조트 상품권 1만원", "Y", "N", "", "", "10000", "101");
    common("K0006", "02", "리조트 상품권 5만원", "Y", "N", "", "", "50000", "105");
    common("K0006", "03", "제휴 상품권 1만원", "Y", "N", "", "", "10000", "201");
    common("K0006", "04", "제휴 상품권 3만원", "Y", "N", "", "", "30000", "203");
    common("K0006", "05", "식사권", "Y", "N", "", "", "15000", "301");
    common("K0006", "06", "온천 이용권", "Y", "N", "", "", "20000", "401");
    common("K0006", "07", "구 상품권", "Y", "Y", "", "", "10000", "901");
    common("K0006", "08", "미사용 상품권", "N", "N", "", "", "10000", "902");
}

// A credit card track of 16 digits: number 4111111111111111, expiry 2812.
inline constexpr const char* kTrack = "4111111111111111=28121010000000000";
inline constexpr const char* kCardNo = "4111111111111111";

// What the cashier does: touches a field (unless it has the focus) and types
// over it; presses Enter there.
inline void TypeInto(TPayModel& aModel, TPayField aField, const std::string& aText)
{
    if (aModel.Focused() != aField) aModel.SetFocus(aField);
    aModel.Change(aField, aText);
}
inline void TypeEnter(TPayModel& aModel, TPayField aField, const std::string& aText)
{
    TypeInto(aModel, aField, aText);
    aModel.Enter(aField);
}

class PayFixture : public ::testing::Test {
public:
    PayFixture() { SetUpPayTerminal(ctx, store); }

    // What the cashier does; public, so that tables of cases can drive them.

    // A model for a bill of aDue (signed) as the pay button opens it.
    TPayModel& open(Currency aDue)
    {
        model = std::make_unique<TPayModel>(ctx, store, dialogs, lookups, recorder, approvals, launchers);
        model->SetSumAmt(aDue);
        model->Show();
        return *model;
    }
    void makeReturn()
    {
        ctx.giSaleGubun = 2;
        ctx.giSign = -1;
    }

    void type(TPayField aField, const std::string& aText) { TypeInto(*model, aField, aText); }
    void typeEnter(TPayField aField, const std::string& aText) { TypeEnter(*model, aField, aText); }
    void enter(TPayField aField) { model->Enter(aField); }
    // A swipe: the reader types the track (and the key handling sees it).
    void swipe(TPayField aField, const std::string& aTrack)
    {
        model->KeyPress(aField, aTrack);
        model->Change(aField, model->Text(aField) + aTrack);
        model->Enter(aField);
    }

    // A card line approved on the card panel: amount, swiped card, Enter in
    // the instalment field.
    void payByCard(const std::string& aAmount, const std::string& aHalbu = "0")
    {
        model->Select(TPayKind::Card);
        typeEnter(TPayField::CardAmt, aAmount);
        swipe(TPayField::CardNo, kTrack);
        typeEnter(TPayField::CardHalbuMonth, aHalbu);
    }

protected:
    std::vector<std::string> shown() const
    {
        std::vector<std::string> texts;
        for (const auto& box : dialogs.shown) texts.push_back(box.text);
        return texts;
    }
    bool settled() const { return model->Result() == TPayResult::Settled; }

public:
    TTerminalContext ctx;
    ScriptedDialogService dialogs;
    TNoMasterServer noServer;
    TMasterStore store{ctx, dialogs, noServer};
    TSqlCatalogue catalogue;
    TestOffLinePolicy offLinePolicy;
    TfrmData data{ctx, catalogue, dialogs, offLinePolicy};  // never connected: the look-ups are not reached
    TLookups lookups{data, store};
    FakeRecorder recorder;
    FakeApprovals approvals;
    FakeLaunchers launchers;
    std::unique_ptr<TPayModel> model;
};

}  // namespace pos::test
