// The approval driver loaded at run time: the simulator library, a missing
// library and one that lacks a function.
#include "ApprovalTestSupport.h"
#include "payment/approval/ApprovalDriver.h"

#include <gtest/gtest.h>

namespace pos {
namespace {

TDriverCardRequest cardRequest()
{
    TDriverCardRequest r;
    r.Today = "20240105";
    r.UpjangCode = "3101";
    r.PosNo = "01";
    r.BillNo = 12;
    r.CardData = "4111111111111111=2512";
    r.KeyIn = true;
    r.Amount = 15000;
    r.HalbuMonth = 3;
    r.SaleDate = "20240105";
    r.TerminalID = "1234567890";
    return r;
}

class ApprovalDriverTest : public ::testing::Test {
protected:
    test::TempDir dir;
    test::DriverScript script{dir};
    TDriverLoad load = LoadApprovalDriver(POS_APPROVAL_DRIVER_SIM);
};

TEST_F(ApprovalDriverTest, SimulatorIsLoadedAndGetsEveryArgument)
{
    ASSERT_TRUE(load.Loaded) << load.Message << " " << load.Detail;
    const TDriverCardResult r = load.Driver->ApprovalCard(cardRequest());
    EXPECT_TRUE(r.Approved);
    EXPECT_EQ(r.AgreeNo.size(), 8u);
    EXPECT_EQ(r.AgreeAmt, 15000);
    EXPECT_EQ(r.CompName, "비씨카드");
    EXPECT_EQ(r.ErrCode, "");
    ASSERT_EQ(script.Calls().size(), 1u);
    // Kind, approve, masked card, amount, instalment, original number, terminal, bill, answer.
    EXPECT_EQ(script.Calls()[0], "CARD\tAPPROVE\t411111******1111\t15000\t3\t\t1234567890\t12\t0000 " + r.AgreeNo);

    TDriverCardRequest cancel = cardRequest();
    cancel.Approve = false;
    cancel.OrgAgreeNo = r.AgreeNo;
    EXPECT_TRUE(load.Driver->ApprovalCard(cancel).Approved);
    const TDriverCardResult again = load.Driver->ApprovalCard(cancel);
    EXPECT_FALSE(again.Approved);
    EXPECT_EQ(again.ErrCode, "8433");
}

struct Scripted {
    const char* line;
    bool approved;
    const char* code;
    const char* message;
};

void PrintTo(const Scripted& aCase, std::ostream* aOut) { *aOut << aCase.line; }

class ApprovalDriverAnswers : public ApprovalDriverTest, public ::testing::WithParamInterface<Scripted> {};

TEST_P(ApprovalDriverAnswers, ComeBackAsTheDriverGaveThem)
{
    ASSERT_TRUE(load.Loaded);
    script.Set({GetParam().line});
    const TDriverCardResult r = load.Driver->ApprovalCard(cardRequest());
    EXPECT_EQ(r.Approved, GetParam().approved);
    EXPECT_EQ(r.ErrCode, GetParam().code);
    EXPECT_EQ(r.Message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(Lines, ApprovalDriverAnswers,
                         ::testing::Values(Scripted{"card approve", true, "", "정상승인"},
                                           Scripted{"refuse 5100 한도가 초과되었습니다.", false, "5100", "한도가 초과되었습니다."},
                                           Scripted{"card fail 통신 장애", false, "", "통신 장애"},
                                           Scripted{"card delay 50 uncertain", false, "READ", "승인 응답이 없습니다."},
                                           Scripted{"cash refuse 1111 only cash", true, "", "정상승인"}));

TEST_F(ApprovalDriverTest, ValuesTheInterfaceCannotCarryNeverReachTheDriver)
{
    ASSERT_TRUE(load.Loaded);
    TDriverCardRequest longText = cardRequest();
    longText.CardData = std::string(256, '4');  // a scanner that typed on and on
    TDriverCardRequest bigBill = cardRequest();
    bigBill.BillNo = std::int64_t{1} << 32;
    for (const TDriverCardRequest& r : {longText, bigBill}) {
        const TDriverCardResult result = load.Driver->ApprovalCard(r);
        EXPECT_FALSE(result.Approved);
        EXPECT_EQ(result.ErrCode, "SIZE");
    }
    EXPECT_TRUE(script.Calls().empty());
}

TEST_F(ApprovalDriverTest, CashReceiptsAreApprovedAndCancelled)
{
    ASSERT_TRUE(load.Loaded);
    TDriverCashRequest r;
    r.SaleDate = "20240105";
    r.UpjangCode = "3101";
    r.PosNo = "01";
    r.BillNo = 12;
    r.Identity = "01012345678";
    r.Amount = 43000;
    r.TerminalID = "1234567890";
    const TDriverCashResult approved = load.Driver->ApprovalCash(r);
    EXPECT_TRUE(approved.Approved);
    EXPECT_FALSE(approved.AgreeNo.empty());
    r.Approve = false;
    EXPECT_TRUE(load.Driver->ApprovalCash(r).Approved);
    EXPECT_EQ(load.Driver->ApprovalCash(r).ErrCode, "7003");  // nothing left to cancel
}

TEST(ApprovalDriverLoadTest, MissingLibraryOrFunctionIsSaidClearly)
{
    const TDriverLoad missing = LoadApprovalDriver("/nonexistent/CardDrv.so");
    EXPECT_FALSE(missing.Loaded);
    EXPECT_EQ(missing.Message, "카드 승인 모듈(/nonexistent/CardDrv.so)을 읽을 수 없습니다.\r전산팀에 문의하십시오.");
    EXPECT_FALSE(missing.Detail.empty());
    // The stand-in answers "not processed", so cards go over the dedicated line.
    const TDriverCardResult r = missing.Driver->ApprovalCard(cardRequest());
    EXPECT_FALSE(r.Approved);
    EXPECT_EQ(r.ErrCode, "");
    EXPECT_EQ(r.Message, missing.Message);

    const TDriverLoad half = LoadApprovalDriver(POS_APPROVAL_HALF_DRIVER);
    EXPECT_FALSE(half.Loaded);
    EXPECT_EQ(half.Message, std::string("카드 승인 모듈(") + POS_APPROVAL_HALF_DRIVER +
                                ")에 ApprovalCash 기능이 없습니다.\r전산팀에 문의하십시오.");
    EXPECT_FALSE(half.Driver->ApprovalCash({}).Approved);
}

}  // namespace
}  // namespace pos
