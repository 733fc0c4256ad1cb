// "우대할인" as a plain class: a real bill with the real discount engine, the
// member discount screen replaced by a launcher that accepts what a test
// tells it, and scripted message boxes and open prices.

#include "RecordingSaleServices.h"
#include "SaleFixture.h"

#include "core/ScriptedDialogService.h"
#include "discounts/DiscountEngine.h"
#include "sales/SaleBill.h"
#include "sales/SaleView.h"
#include "sales/commands/DCCommand.h"
#include "store/MasterStore.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace pos::test {
namespace {

struct FakeView final : TSaleView {
    explicit FakeView(TSaleBill& aBill) : bill(aBill) {}
    TSaleBill& Bill() override { return bill; }
    void ShowBillNo() override {}
    void ShowSaleGubun() override {}
    void ShowCashier() override {}
    void ShowWaitCount() override {}
    void PressFirstMenuGroup() override {}
    void ReloadMenus() override {}
    void Refresh() override { ++refreshes; }
    void ShowMessage(const std::string&, bool, int) override {}
    void SetEnabled(bool) override {}
    void CloseScreen() override {}
    TSaleBill& bill;
    int refreshes = 0;
};

// The bill's discounts go through the engine, as on the terminal.
struct EngineHooks final : RecordingHooks {
    EngineHooks(TTerminalContext& aContext, const TMasterStore& aStore) : RecordingHooks(aContext), engine(aContext, aStore) {}
    void ExecDC(TSaleLines& aLines) override { engine.ExecDC(aLines); }
    void RecreateSaleList(TSaleLines& aLines) override { engine.RecreateSaleList(aLines); }
    TDiscountEngine engine;
};

// The screen: what it accepts is the test's to say.
struct FakeDCScreen final : TDCLauncher {
    void ShowDC(std::vector<std::string>& aKeyInData) override
    {
        ++opened;
        keyInData = &aKeyInData;
        if (accept) accept();
    }
    std::function<void()> accept;
    int opened = 0;
    std::vector<std::string>* keyInData = nullptr;
};

class DCCommandTest : public ::testing::Test {
protected:
    DCCommandTest()
    {
        ctx.gsSaleDate = "20240105";
        ctx.gsUpjangCode = ctx.gsMasterUpjangCode = "3101";
        ctx.gsPosNo = ctx.gsMasterPosNo = "01";
        ctx.gsMemberNoEvent = "41";
        TUpjangData outlet;
        outlet.UpjangCode = "3101";
        outlet.PosNo = "01";
        store.glUpjangData.push_back(outlet);
        TGoodsData goods;
        goods.UpjangCode = "3101";
        goods.MenuCode = "1001";
        goods.MenuName = "김치찌개";
        goods.SeasonCode = goods.BusinessGubun = "1";
        goods.SaleUnitAmt = Currency(9000);
        goods.DCYN = true;
        store.glGoodsData.push_back(goods);
    }
    void ringUp(int aCount = 1)
    {
        bill.entry.menuCode = "1001";
        bill.entry.saleCount = aCount;
        ASSERT_EQ(bill.AddSaleList(0, std::nullopt), TAddResult::Added);
    }
    void acceptMember(const std::string& aMemberNo, std::int64_t aRate)
    {
        TDCMemberData row;
        row.MultiUpjangCode = "3101";
        row.AcceptMemberNo = row.MemberNo = aMemberNo;
        row.MemberName = "한서윤";
        row.DaesoGubun = ctx.gsDaesoCodeAll;
        row.DCRate = aRate;
        row.OnceUseCount = row.DailyUseCount = row.YearlyUseCount = -1;
        row.DCYN = true;
        store.glDCMemberData.push_back(row);
    }
    TDCCommand command() { return TDCCommand(ctx, store, dialogs, screen, services); }

    TTerminalContext ctx;
    ScriptedDialogService dialogs;
    TNoMasterServer noServer;
    TMasterStore store{ctx, dialogs, noServer};
    EngineHooks hooks{ctx, store};
    TSaleBill bill{ctx, store, dialogs, hooks};
    FakeView view{bill};
    FakeDCScreen screen;
    RecordingSaleServices services{ctx};
};

// The screen opens over the bill's keyed-in list; what it accepted is on the
// bill when it closes, and the button is usable again.
TEST_F(DCCommandTest, TheBillIsRecomputedWithWhatTheScreenAccepted)
{
    ringUp(2);
    bool disabledWhileOpen = false;
    screen.accept = [&] {
        disabledWhileOpen = !bill.screen.commands[TSaleCommand::DC].enabled;
        acceptMember("1071234500", 20);
    };
    command().Execute(view);
    EXPECT_EQ(screen.opened, 1);
    EXPECT_EQ(screen.keyInData, &bill.glKeyInData);
    EXPECT_TRUE(disabledWhileOpen);
    EXPECT_TRUE(bill.screen.commands[TSaleCommand::DC].enabled);
    ASSERT_EQ(bill.Lines().GetCount(), 1);
    EXPECT_EQ(bill.Lines().Line(0).AcceptMemberNo, "1071234500");
    EXPECT_EQ(bill.Totals().due, Currency(14400));
    EXPECT_EQ(bill.Totals().discount, Currency(3600));
    EXPECT_EQ(view.refreshes, 1);

    // The member removed on the screen: the bill is at its price again.
    screen.accept = [&] { store.glDCMemberData.clear(); };
    command().Execute(view);
    EXPECT_EQ(bill.Totals().due, Currency(18000));
    EXPECT_TRUE(bill.Lines().Line(0).AcceptMemberNo.empty());
}

// A member the screen refused to sell to takes the bill with it.
TEST_F(DCCommandTest, AMemberWhoMustNotBeSoldToClearsTheBill)
{
    ringUp();
    screen.accept = [&] { ctx.gbCantSale = true; };
    command().Execute(view);
    EXPECT_TRUE(bill.Lines().IsEmpty());
    EXPECT_TRUE(bill.screen.commands[TSaleCommand::DC].enabled);
}

// A banquet applied with lines on the bill asks each line's banquet price
// (a cancelled dialog keeps the price); when the banquet's member is
// removed, the banquet ends and the lines go back to their goods price.
TEST_F(DCCommandTest, ABanquetPricesTheLinesAndItsEndRestoresThem)
{
    ringUp();
    services.openPrices = {{Currency(7000), 0}};
    screen.accept = [&] {
        ctx.gbEventMode = true;
        ctx.gsEventNo = "4100000100";
        acceptMember("4100000100", 0);
    };
    command().Execute(view);
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, kMsgDCEventPrices);
    EXPECT_EQ(bill.Lines().Line(0).SaleUnitAmt, Currency(7000));
    EXPECT_EQ(bill.Totals().due, Currency(7000));
    EXPECT_EQ(bill.Lines().Line(0).AcceptMemberNo, "4100000100");  // carried, without a discount

    screen.accept = [&] { store.glDCMemberData.clear(); };
    command().Execute(view);
    EXPECT_FALSE(ctx.gbEventMode);
    EXPECT_TRUE(ctx.gsEventNo.empty());
    EXPECT_EQ(bill.Lines().Line(0).SaleUnitAmt, Currency(9000));
    EXPECT_EQ(bill.Totals().due, Currency(9000));
}

// On a ski terminal the button is a mode key, refused during a banquet.
TEST_F(DCCommandTest, OnASkiTerminalTheButtonIsAModeKey)
{
    ctx.gbSki = true;
    command().Execute(view);
    EXPECT_TRUE(bill.screen.commands[TSaleCommand::DC].down);
    command().Execute(view);
    EXPECT_FALSE(bill.screen.commands[TSaleCommand::DC].down);
    ctx.gbEventMode = true;
    command().Execute(view);
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, kMsgDCDuringEvent);
    EXPECT_FALSE(bill.screen.commands[TSaleCommand::DC].down);
    EXPECT_EQ(screen.opened, 0);
}

}  // namespace
}  // namespace pos::test
