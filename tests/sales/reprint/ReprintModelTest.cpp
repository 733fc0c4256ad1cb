// The reprint screen's model: what it proposes, where Enter takes the focus,
// what it asks the reprint for, and what the cashier reads when it fails.

#include "core/TerminalContext.h"
#include "sales/reprint/ReprintModel.h"

#include <gtest/gtest.h>

#include <vector>

namespace pos::test {
namespace {

struct RecordedReprinter final : TReprinter {
    TReprintResult Reprint(const TReprintRequest& aRequest) override
    {
        requests.push_back(aRequest);
        return {answer};
    }
    TReprintStatus answer = TReprintStatus::Read;
    std::vector<TReprintRequest> requests;
};

class ReprintModelTest : public ::testing::Test {
protected:
    ReprintModelTest()
    {
        ctx.gsSaleDate = "20240105";
        ctx.gsMasterPosNo = "03";
        ctx.giBillNo = 13;
    }
    TTerminalContext ctx;
    RecordedReprinter reprinter;
};

TEST_F(ReprintModelTest, ProposesTheBusinessDateThisPosAndThePreviousBill)
{
    const TReprintModel model(ctx, reprinter);
    EXPECT_EQ(model.saleDate, "20240105");
    EXPECT_EQ(model.posNo, "03");
    EXPECT_EQ(model.billNo, "0012");
    EXPECT_FALSE(model.EnglishOffered());
    ctx.gbVessa = true;
    EXPECT_TRUE(TReprintModel(ctx, reprinter).EnglishOffered());
}

TEST_F(ReprintModelTest, EnterMovesThroughTheFieldsAndReprintsFromTheBillNumber)
{
    TReprintModel model(ctx, reprinter);
    model.SetFocus(TReprintField::SaleDate);
    EXPECT_FALSE(model.Enter());
    EXPECT_EQ(model.Focus(), TReprintField::PosNo);
    model.posNo = "3";
    EXPECT_FALSE(model.Enter());
    EXPECT_EQ(model.Focus(), TReprintField::BillNo);
    model.billNo = "7";
    model.voidBill = true;
    model.english = true;  // not offered here: ignored
    EXPECT_TRUE(model.Enter());
    ASSERT_EQ(reprinter.requests.size(), 1u);
    const TReprintRequest& r = reprinter.requests[0];
    EXPECT_EQ(r.saleDate, "20240105");
    EXPECT_EQ(r.posNo, "03");
    EXPECT_EQ(r.billNo, 7);
    EXPECT_FALSE(r.sale);
    EXPECT_FALSE(r.english);
    EXPECT_TRUE(r.saveCount);
}

TEST_F(ReprintModelTest, AWrongFieldTakesTheFocusInsteadOfReprinting)
{
    struct Case {
        const char *date, *pos, *bill;
        TReprintField focus;
    };
    for (const Case& c : {Case{"20241301", "03", "0012", TReprintField::SaleDate},
                          Case{"20240105", "00", "0012", TReprintField::PosNo},
                          Case{"20240105", "03", "0000", TReprintField::BillNo}}) {
        TReprintModel model(ctx, reprinter);
        model.saleDate = c.date;
        model.posNo = c.pos;
        model.billNo = c.bill;
        EXPECT_FALSE(model.Enter()) << c.date << c.pos << c.bill;
        EXPECT_EQ(model.Focus(), c.focus) << c.date << c.pos << c.bill;
    }
    EXPECT_TRUE(reprinter.requests.empty());
}

TEST_F(ReprintModelTest, LeavingAWrongSaleDateSaysSo)
{
    TReprintModel model(ctx, reprinter);
    model.saleDate = "20240230";
    model.SetFocus(TReprintField::SaleDate);
    EXPECT_FALSE(model.LeaveSaleDate());
    EXPECT_EQ(model.Message(), kMsgWrongSaleDate);
    EXPECT_EQ(model.Focus(), TReprintField::SaleDate);
}

TEST_F(ReprintModelTest, AFailedReprintSaysWhyAndSelectsTheBillNumber)
{
    struct Case {
        TReprintStatus status;
        const char* message;
    };
    for (const Case& c : {Case{TReprintStatus::NotFound, kMsgReprintFailed},
                          Case{TReprintStatus::Failed, kMsgReprintFailed},
                          Case{TReprintStatus::OffLine, kMsgReprintOffLine}}) {
        reprinter.answer = c.status;
        TReprintModel model(ctx, reprinter);
        EXPECT_FALSE(model.Enter());
        EXPECT_EQ(model.Message(), c.message);
        EXPECT_TRUE(model.SelectBillNo());
        EXPECT_EQ(model.Focus(), TReprintField::BillNo);
    }
}

}  // namespace
}  // namespace pos::test
