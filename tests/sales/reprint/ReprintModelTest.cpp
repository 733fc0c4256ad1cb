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

// The after-sale cash receipt: the amount the server offers, and whether
// the cash receipt screen stored a receipt.
struct RecordedCashReceipt final : TAfterSaleCashReceipt {
    std::int64_t ReceiptableAmount(const TBillKey& aBill) override
    {
        asked.push_back(aBill);
        return amount;
    }
    bool Issue(const TBillKey&, std::int64_t aAmount) override
    {
        issued.push_back(aAmount);
        return stored;
    }
    std::int64_t amount = 15000;
    bool stored = true;
    std::vector<TBillKey> asked;
    std::vector<std::int64_t> issued;
};

class ReprintModelTest : public ::testing::Test {
protected:
    ReprintModelTest()
    {
        ctx.gsSaleDate = "20240105";
        ctx.gsMasterPosNo = "03";
        ctx.giBillNo = 13;
        ctx.gsMasterUpjangCode = "3001";
    }
    TTerminalContext ctx;
    RecordedReprinter reprinter;
    RecordedCashReceipt cashReceipt;
};

TEST_F(ReprintModelTest, ProposesTheBusinessDateThisPosAndThePreviousBill)
{
    const TReprintModel model(ctx, reprinter, cashReceipt);
    EXPECT_EQ(model.saleDate, "20240105");
    EXPECT_EQ(model.posNo, "03");
    EXPECT_EQ(model.billNo, "0012");
    EXPECT_FALSE(model.EnglishOffered());
    ctx.gbVessa = true;
    EXPECT_TRUE(TReprintModel(ctx, reprinter, cashReceipt).EnglishOffered());
}

TEST_F(ReprintModelTest, EnterMovesThroughTheFieldsAndReprintsFromTheBillNumber)
{
    TReprintModel model(ctx, reprinter, cashReceipt);
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
        TReprintModel model(ctx, reprinter, cashReceipt);
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
    TReprintModel model(ctx, reprinter, cashReceipt);
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
        TReprintModel model(ctx, reprinter, cashReceipt);
        EXPECT_FALSE(model.Enter());
        EXPECT_EQ(model.Message(), c.message);
        EXPECT_TRUE(model.SelectBillNo());
        EXPECT_EQ(model.Focus(), TReprintField::BillNo);
    }
}

// A cash receipt is offered for the bill typed; once stored, the bill is
// reprinted as sold (whatever "Void빌" says) so the receipt shows its block.
TEST_F(ReprintModelTest, AStoredCashReceiptIsReprintedWithItsBill)
{
    ctx.gbVessa = true;
    TReprintModel model(ctx, reprinter, cashReceipt);
    model.posNo = "2";
    model.billNo = "31";
    model.voidBill = true;
    model.english = true;
    EXPECT_TRUE(model.CashReceipt());
    ASSERT_EQ(cashReceipt.asked.size(), 1u);
    EXPECT_EQ(cashReceipt.asked[0], (TBillKey{"20240105", "3001", "02", 31}));
    EXPECT_EQ(cashReceipt.issued, std::vector<std::int64_t>{15000});
    ASSERT_EQ(reprinter.requests.size(), 1u);
    EXPECT_TRUE(reprinter.requests[0].sale);
    EXPECT_TRUE(reprinter.requests[0].english);
    EXPECT_EQ(reprinter.requests[0].billNo, 31);
}

TEST_F(ReprintModelTest, NoCashReceiptNoReprint)
{
    struct Case {
        const char* bill;
        std::int64_t amount;
        bool stored;
        std::size_t asked, issued;
    };
    for (const Case& c : {Case{"0000", 15000, true, 0, 0},  // no bill typed: nothing asked
                          Case{"0012", 0, true, 1, 0},      // nothing receiptable: the screen does not open
                          Case{"0012", 15000, false, 1, 1}}) {  // the cash receipt screen stored none
        RecordedCashReceipt receipt;
        receipt.amount = c.amount;
        receipt.stored = c.stored;
        TReprintModel model(ctx, reprinter, receipt);
        model.billNo = c.bill;
        EXPECT_FALSE(model.CashReceipt()) << c.bill << c.amount;
        EXPECT_EQ(receipt.asked.size(), c.asked) << c.bill << c.amount;
        EXPECT_EQ(receipt.issued.size(), c.issued) << c.bill << c.amount;
    }
    EXPECT_TRUE(reprinter.requests.empty());
}

}  // namespace
}  // namespace pos::test
