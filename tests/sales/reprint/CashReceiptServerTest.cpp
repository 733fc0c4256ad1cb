// The after-sale cash receipt against the real server and the approval
// driver simulator: what of a stored bill can still be receipted, the
// receipt approved, journalled and stored after the bill's other receipts,
// and a receipt whose row cannot be stored: undone at once when the server
// says no row holds it, left to the journal (and undone when selling starts
// next) when the server is lost between the approval and the row.

#include "ApprovalTestSupport.h"
#include "LoopbackProxy.h"
#include "ServerTerminal.h"

#include "core/IniFile.h"
#include "payment/approval/ApprovalChannels.h"
#include "payment/approval/BillCashReceipts.h"
#include "payment/approval/CardServerLink.h"
#include "payment/approval/LeftoverApprovals.h"
#include "payment/approval/ZoCard.h"
#include "sales/recording/StoredApprovals.h"
#include "sales/reprint/CashReceiptModel.h"
#include "sales/reprint/CashReceiptRows.h"
#include "sync/OffLineQueue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pos::test {
namespace {

using namespace std::chrono_literals;
using Texts = std::vector<std::string>;

// Bill 0012 paid 50,000 in cash with 12,000 change and a card; 0013 with a
// cash receipt of 10,000 for its 25,000 cash; 0014 by card alone; 0015 in
// cash and voided (its reversal rows).
const char* const kBills = R"sql(
INSERT INTO pay (sale_date, upjang_code, pos_no, bill_no, pay_yn, pay_code, pay_seq, amt) VALUES
 ('20261209', '3001', '01', '0012', 'Y', '110', 1,  50000),
 ('20261209', '3001', '01', '0012', 'Y', '110', 0, -12000),
 ('20261209', '3001', '01', '0012', 'Y', '120', 1,  20000),
 ('20261209', '3001', '01', '0013', 'Y', '110', 1,  25000),
 ('20261209', '3001', '01', '0014', 'Y', '120', 1,  30000),
 ('20261209', '3001', '01', '0015', 'Y', '110', 1,   9000),
 ('20261209', '3001', '01', '0015', '*', '110', 1,  -9000);
INSERT INTO cash_receipt (sale_date, upjang_code, pos_no, bill_no, cash_yn, cash_seq, sale_kind, man_yn, card_no,
                          agree_amt, agree_no, agree_date) VALUES
 ('20261209', '3001', '01', '0013', 'Y', 1, 'Y', 'Y', '01012345678', 10000, '11110000', '20261209');
)sql";

TBillKey bill(std::int64_t aBillNo) { return {"20261209", "3001", "01", aBillNo}; }

class CashReceiptServerTest : public ServerTerminal {
protected:
    CashReceiptServerTest() : proxy(db.host(), db.port())
    {
        db.query(kBills);
        // The terminal reaches the server through a cable the test can pull.
        IniFile posIp = IniFile::load(dir / "POSIP.ini");
        posIp.writeInteger("MAIN", "Port", proxy.port());
        posIp.writeString("MAIN", "Host", "127.0.0.1");
        EXPECT_TRUE(posIp.save(dir / "POSIP.ini"));
        ctx.gsServerIP = "127.0.0.1";
        ctx.gsToday = ctx.gsSaleDate = "20261210";
        ctx.gsMasterUpjangCode = "3001";
        ctx.gsMasterPosNo = "01";
        ctx.gsCashier = "1001";
        ctx.gsIP = "10.0.0.7";
        EXPECT_TRUE(data->DataModuleCreate(db.user()));
        EXPECT_TRUE(data->ConnectDB(true, true));
        EXPECT_TRUE(driverLoad.Loaded) << driverLoad.Message;
        EXPECT_TRUE(journal.Open());
        cardClient.SetHost("127.0.0.1");
        cardClient.SetPort(UnusedPort());  // cash receipts have only the driver
    }

    TCashReceiptModel model(std::int64_t aBillNo, std::int64_t aAmount, const std::string& aIdentity)
    {
        TCashReceiptModel m(bill(aBillNo), aAmount, services);
        m.identity = aIdentity;
        return m;
    }
    Texts receipts(const char* aBillNo) const
    {
        const std::string rows = db.query(
            std::string("SELECT string_agg(cash_seq || '|' || man_yn || '|' || card_no || '|' || trim_scale(agree_amt)"
                        " || '|' || coalesce(emp_no, ''), ',' ORDER BY cash_seq) FROM cash_receipt WHERE bill_no = '") +
            aBillNo + "'");
        Texts out;
        for (std::size_t from = 0; from < rows.size();) {
            const std::size_t comma = rows.find(',', from);
            out.push_back(rows.substr(from, comma == std::string::npos ? std::string::npos : comma - from));
            from = comma == std::string::npos ? rows.size() : comma + 1;
        }
        return out;
    }
    // The driver's calls: kind, approve or cancel, amount and bill.
    Texts calls() const
    {
        Texts out;
        for (const std::string& call : script.Calls()) {
            std::vector<std::string> v;
            for (std::size_t from = 0;;) {
                const std::size_t tab = call.find('\t', from);
                v.push_back(call.substr(from, tab == std::string::npos ? std::string::npos : tab - from));
                if (tab == std::string::npos) break;
                from = tab + 1;
            }
            out.push_back(v.at(0) + " " + v.at(1) + " " + v.at(3) + " " + v.at(7));
        }
        return out;
    }

    LoopbackProxy proxy;
    TempDir approvalDir;
    DriverScript script{approvalDir};
    TDriverLoad driverLoad = LoadApprovalDriver(POS_APPROVAL_DRIVER_SIM);
    TTcpCardServerLink link{TCardServerTimeouts{500ms, 500ms, 500ms, 100ms}};
    ManualClock clock;
    TZoCard cardClient{link, clock};
    TApprovalJournal journal{approvalDir / "Approvals"};
    TApprovalChannels channels{*driverLoad.Driver, cardClient, journal};
    TChannelCashReceipts approvals{channels, false, "1234567890"};
    TChannelReverser reverser{channels, TReversalContext{false, "20261210", false, 0}};
    TOffLineStore queues{ctx, dialogs};
    TBillStoredApprovals stored{*data, queues};
    TServerCashReceiptRows rows{*data};
    TCashReceiptServices services{approvals, rows, journal, stored, reverser, dialogs};
};

TEST_F(CashReceiptServerTest, TheCashOfTheBillLessItsReceiptsIsOffered)
{
    struct Case {
        std::int64_t billNo;
        std::int64_t amount;
        const char* message;  // the error box, when nothing is offered
    };
    const Case cases[] = {
        {12, 38000, nullptr},                       // the cash, change taken off; the card does not count
        {13, 15000, nullptr},                       // less the receipt issued at the sale
        {14, 0, kMsgCashReceiptNothingLeft},        // no cash
        {15, 0, kMsgCashReceiptNothingLeft},        // voided
        {99, 0, kMsgCashReceiptNotSold},            // never sold
    };
    for (const Case& c : cases) {
        dialogs.shown.clear();
        EXPECT_EQ(GetCashReceiptAmt(*data, dialogs, bill(c.billNo)), c.amount) << c.billNo;
        EXPECT_EQ(shown(), c.message ? Texts{c.message} : Texts{}) << c.billNo;
    }
}

TEST_F(CashReceiptServerTest, AnApprovedReceiptIsStoredAfterTheBillsReceiptsAndLeavesTheJournal)
{
    TCashReceiptModel first = model(12, 38000, "01099998888");
    first.individual = false;
    ASSERT_TRUE(first.ReadyToApprove());
    EXPECT_EQ(first.Execute(), TCashReceiptEnd::Stored) << testing::PrintToString(shown());
    EXPECT_EQ(receipts("0012"), Texts{"1|N|01099998888|38000|1001"});
    EXPECT_EQ(calls(), Texts{"CASH APPROVE 38000 12"});  // for the reprinted bill, not the terminal's
    EXPECT_TRUE(journal.Entries().empty());
    EXPECT_EQ(GetCashReceiptAmt(*data, dialogs, bill(12)), 0);  // nothing left

    TCashReceiptModel second = model(13, 15000, "01012345678");
    ASSERT_TRUE(second.ReadyToApprove());
    EXPECT_EQ(second.Execute(), TCashReceiptEnd::Stored);
    EXPECT_EQ(receipts("0013"), (Texts{"1|Y|01012345678|10000|", "2|Y|01012345678|15000|1001"}));
}

TEST_F(CashReceiptServerTest, AnEmptyIdentityOrARefusalStoresNothing)
{
    TCashReceiptModel empty = model(12, 38000, "   ");
    EXPECT_FALSE(empty.ReadyToApprove());
    EXPECT_EQ(empty.Message(), "식별번호를 입력하십시오.");

    script.Set({"cash refuse 8001 식별번호 오류"});
    TCashReceiptModel refused = model(12, 38000, "0101234");
    EXPECT_EQ(refused.Execute(), TCashReceiptEnd::Open);
    EXPECT_EQ(shown(), Texts{"현금영수증 승인 에러 :\r식별번호 오류(8001)"});
    EXPECT_EQ(receipts("0012"), Texts{});
    EXPECT_TRUE(journal.Entries().empty());
}

// Another terminal issued the bill's receipt after this one offered the
// amount: checked again with the bill locked, the row is not stored and the
// second receipt is cancelled, so the bill is never receipted twice.
TEST_F(CashReceiptServerTest, AReceiptAnotherTerminalIssuedMeanwhileIsNotIssuedTwice)
{
    TCashReceiptModel m = model(12, 38000, "01099998888");
    db.query("INSERT INTO cash_receipt (sale_date, upjang_code, pos_no, bill_no, cash_yn, cash_seq, sale_kind, man_yn, "
             "card_no, agree_amt, agree_no, agree_date) VALUES ('20261209', '3001', '01', '0012', 'Y', 1, 'Y', 'Y', "
             "'01055556666', 38000, '22220000', '20261209')");
    EXPECT_EQ(m.Execute(), TCashReceiptEnd::Open);
    EXPECT_EQ(calls(), (Texts{"CASH APPROVE 38000 12", "CASH CANCEL 38000 12"}));
    EXPECT_EQ(receipts("0012"), Texts{"1|Y|01055556666|38000|"});
    ASSERT_FALSE(shown().empty());
    EXPECT_EQ(shown().front(), kMsgCashReceiptNothingLeft);
    EXPECT_TRUE(journal.Entries().empty());
}

// The row is refused by the server: no row holds the receipt, so it is
// cancelled with the card company at once and the cashier may try again.
TEST_F(CashReceiptServerTest, AReceiptWhoseRowIsRefusedIsCancelledAtOnce)
{
    db.query("ALTER TABLE cash_receipt ADD CONSTRAINT test_refuses_rows CHECK (agree_amt < 20000) NOT VALID");
    TCashReceiptModel m = model(12, 38000, "01099998888");
    EXPECT_EQ(m.Execute(), TCashReceiptEnd::Open);
    EXPECT_EQ(calls(), (Texts{"CASH APPROVE 38000 12", "CASH CANCEL 38000 12"}));
    EXPECT_TRUE(journal.Entries().empty());
    EXPECT_EQ(receipts("0012"), Texts{});
    ASSERT_EQ(shown().size(), 2u);  // the server's error, then what became of the receipt
    EXPECT_EQ(shown()[1], kMsgCashReceiptUndone);
    EXPECT_NE(log().find("ICI010-SavePayData-Cash-1"), std::string::npos) << log();
}

// The cable is pulled between the approval and the row: whether a row holds
// the receipt cannot be told, so it stays in the journal and the screen
// closes (no second receipt beside it); when selling starts on line again,
// the left-over settling finds no row and cancels it.
TEST_F(CashReceiptServerTest, AReceiptApprovedJustBeforeTheServerIsLostIsUndoneFromTheJournal)
{
    struct CutAfterApproval final : TBillCashReceipts {
        CutAfterApproval(TBillCashReceipts& aInner, LoopbackProxy& aProxy) : inner(aInner), proxy(aProxy) {}
        TCashApprovalResult ApproveBillCash(const TBillKey& aBill, const TCashRequest& aRequest) override
        {
            TCashApprovalResult r = inner.ApproveBillCash(aBill, aRequest);
            proxy.Cut();
            return r;
        }
        TBillCashReceipts& inner;
        LoopbackProxy& proxy;
    } cutting{approvals, proxy};
    TCashReceiptModel m(bill(12), 38000, TCashReceiptServices{cutting, rows, journal, stored, reverser, dialogs});
    m.identity = "01099998888";
    EXPECT_EQ(m.Execute(), TCashReceiptEnd::Abandoned);
    ASSERT_EQ(journal.Entries().size(), 1u);
    EXPECT_EQ(journal.Entries()[0].State, TJournalState::Done);
    EXPECT_EQ(journal.Entries()[0].Bill, bill(12));
    ASSERT_FALSE(shown().empty());
    EXPECT_EQ(shown().back().rfind(kMsgCashReceiptKept, 0), 0u) << shown().back();
    EXPECT_EQ(calls(), Texts{"CASH APPROVE 38000 12"});

    proxy.Restore();
    ASSERT_TRUE(data->ConnectDB(false, true));
    const TLeftoverReport report = SettleLeftoverApprovals(journal, stored, reverser);
    EXPECT_EQ(report.reversed, 1);
    EXPECT_TRUE(journal.Entries().empty());
    EXPECT_EQ(calls(), (Texts{"CASH APPROVE 38000 12", "CASH CANCEL 38000 12"}));
    EXPECT_EQ(receipts("0012"), Texts{});
}

}  // namespace
}  // namespace pos::test
