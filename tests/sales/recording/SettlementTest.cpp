// Settling bills against the real server and the real off-line queue: on
// line, off line, with the connection cut in the middle, with statements
// that fail, a duplicate bill number and a refused room transfer. After
// every case a bill is on the server or in the queue whole, or nowhere with
// its lines still on the screen, and no bill number is used twice.

#include "LoopbackProxy.h"
#include "SettlementFixture.h"

#include "core/IniFile.h"
#include "db/DbPassword.h"
#include "lookups/Lookups.h"
#include "sales/SaleBill.h"
#include "sales/SaleView.h"
#include "sales/recording/BillNumbers.h"
#include "sales/recording/PayRecording.h"
#include "sales/recording/Settlement.h"
#include "sales/recording/StoredApprovals.h"
#include "db/DbWork.h"
#include "sync/OffLineBill.h"
#include "sync/OffLineQueue.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pos::test {
namespace {

class SettlementTest : public SettlementFixture {};

TEST_F(SettlementTest, OnLineABillIsStoredWholeAndTheNextNumberIsKept)
{
    ringUp("1001");
    ringUp("1002", 2);  // 9,000 + 22,000
    payScreen.cash(Currency(50000));
    ASSERT_EQ(settle(), TSettlement::TOutcome::Stored) << (dialogs.last() ? dialogs.last()->text : "");
    EXPECT_EQ(saleRows("0001"), 2);
    EXPECT_EQ(paid("0001"), "31000");  // 50,000 in, 19,000 change out
    EXPECT_EQ(db.query("SELECT amt::bigint FROM pay WHERE bill_no = '0001' AND pay_seq = 0"), "-19000");
    EXPECT_EQ(printer.printed, std::vector<Currency>{Currency(31000)});
    EXPECT_EQ(payScreen.stored, std::vector<Currency>{Currency(50000)});
    EXPECT_TRUE(bill.IsFinished());
    EXPECT_EQ(numbers.NextOf("20261209"), 2);
    EXPECT_EQ(ctx.gsBillNo, "0002");
    EXPECT_FALSE(data->InTransaction());
    struct stat st {};
    ASSERT_EQ(::stat((dir / kBillNoFile).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);  // the bill-number file is the owner's only
}

TEST_F(SettlementTest, TheServersNumberIsTakenBeforeTheBill)
{
    // Another terminal of this POS number stored bill 0007 (a restored
    // computer, say): this one catches up instead of colliding.
    db.query("INSERT INTO pay (sale_date, upjang_code, pos_no, bill_no, pay_yn, pay_code, pay_seq, amt) "
             "VALUES ('20261209', '3101', '01', '0007', 'Y', '110', 1, 1000)");
    ringUp("1001");
    payScreen.cash(Currency(9000));
    ASSERT_EQ(settle(), TSettlement::TOutcome::Stored);
    EXPECT_EQ(saleRows("0008"), 1);
    EXPECT_EQ(numbers.NextOf("20261209"), 9);
}

TEST_F(SettlementTest, OffLineTheBillGoesIntoTheQueueAsOneBill)
{
    ctx.gbOffLine = true;
    ringUp("1002");
    payScreen.cash(Currency(11000));
    ASSERT_EQ(settle(), TSettlement::TOutcome::Stored);
    EXPECT_EQ(queued(TOffLineQueue::Sale), 1);
    EXPECT_EQ(queued(TOffLineQueue::Pay), 1);
    EXPECT_FALSE(std::filesystem::exists(dir / kPendingBillFile));
    EXPECT_TRUE(std::filesystem::exists(dir / "Sale"));
    EXPECT_EQ(saleRows("0001"), 0);
    EXPECT_EQ(numbers.NextOf("20261209"), 2);

    // At an outlet that may not sell off line the cashier is told so, and
    // nothing is taken.
    bill.ClearBill();
    store.SetUpjangData(0, UpjangItem::OffLineYN, "N");
    ringUp("1001");
    payScreen.tenders = {};
    payScreen.tenders.offeredKinds = {ctx.giPayCash};
    payScreen.cash(Currency(9000));
    EXPECT_EQ(settle(), TSettlement::TOutcome::Failed);
    EXPECT_EQ(dialogs.last()->text, "Off Line 상태입니다.\r한식당은(는) Off Line시 판매를 할 수 없습니다.");
    EXPECT_EQ(lines(), 1);
    EXPECT_EQ(queued(TOffLineQueue::Sale), 1);
    EXPECT_EQ(numbers.NextOf("20261209"), 2);
}

TEST_F(SettlementTest, AStatementThatFailsLeavesNothingAndTheBillOpen)
{
    // The server refuses sale rows of a menu it was told to refuse.
    db.query("CREATE FUNCTION refuse_sale() RETURNS trigger LANGUAGE plpgsql AS "
             "$$BEGIN IF NEW.menu_code = '1002' THEN RAISE EXCEPTION 'refused'; END IF; RETURN NEW; END$$");
    db.query("CREATE TRIGGER refuse_sale BEFORE INSERT ON sale FOR EACH ROW EXECUTE FUNCTION refuse_sale()");
    ringUp("1001");
    ringUp("1002");
    payScreen.cash(Currency(20000));
    // The payment screen hears of the failure once the attempt is taken
    // back, so that what it asks the server is not lost with the attempt.
    payScreen.whenNotStored = [this] { EXPECT_FALSE(data->InTransaction()); };
    EXPECT_EQ(settle(), TSettlement::TOutcome::Failed);
    EXPECT_EQ(dialogs.last()->text.rfind(kMsgSaleNotSaved, 0), 0u);
    // The payment rows written before went with the attempt.
    EXPECT_EQ(count("SELECT count(*) FROM pay"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM sale"), 0);
    EXPECT_EQ(lines(), 2);
    EXPECT_FALSE(bill.IsFinished());
    EXPECT_FALSE(data->InTransaction());
    EXPECT_TRUE(payScreen.stored.empty());
    EXPECT_EQ(payScreen.notStored, std::vector<Currency>{Currency(20000)});  // its approvals are undone
    // Once the server takes it, the same bill goes through under its number.
    db.query("DROP TRIGGER refuse_sale ON sale");
    EXPECT_EQ(settle(), TSettlement::TOutcome::Stored);
    EXPECT_EQ(saleRows("0001"), 2);
    EXPECT_EQ(paid("0001"), "20000");
}

TEST_F(SettlementTest, AFailedCommitUsesUpTheNumber)
{
    // A check the server makes only at the commit.
    db.query("CREATE FUNCTION refuse_at_commit() RETURNS trigger LANGUAGE plpgsql AS "
             "$$BEGIN RAISE EXCEPTION 'refused at commit'; END$$");
    db.query("CREATE CONSTRAINT TRIGGER refuse_at_commit AFTER INSERT ON sale DEFERRABLE INITIALLY DEFERRED "
             "FOR EACH ROW EXECUTE FUNCTION refuse_at_commit()");
    ringUp("1001");
    payScreen.cash(Currency(9000));
    EXPECT_EQ(settle(), TSettlement::TOutcome::Failed);
    EXPECT_EQ(count("SELECT count(*) FROM sale"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM pay"), 0);
    EXPECT_EQ(payScreen.notStored.size(), 1u);
    // The number was taken before the commit: the next attempt has its own.
    EXPECT_EQ(numbers.NextOf("20261209"), 2);
    db.query("DROP TRIGGER refuse_at_commit ON sale");
    numbers.Load();
    EXPECT_EQ(settle(), TSettlement::TOutcome::Stored);
    EXPECT_EQ(saleRows("0002"), 1);
}

TEST_F(SettlementTest, ADuplicateNumberAdvancesItForTheNextAttempt)
{
    // The server holds a sale row under bill 0001 without its payment rows
    // (so the number check does not see it): the bill is refused as a
    // duplicate, and the next attempt uses 0002.
    db.query("INSERT INTO sale (sale_date, upjang_code, pos_no, bill_no, bill_seq, sale_yn, menu_code) "
             "VALUES ('20261210', '3101', '01', '0001', 1, 'Y', 'X')");
    db.query("CREATE FUNCTION clash() RETURNS trigger LANGUAGE plpgsql AS "
             "$$BEGIN IF NEW.bill_no = '0001' THEN NEW.sale_date := '20261210'; END IF; RETURN NEW; END$$");
    db.query("CREATE TRIGGER clash BEFORE INSERT ON sale FOR EACH ROW EXECUTE FUNCTION clash()");
    ringUp("1001");
    payScreen.cash(Currency(9000));
    EXPECT_EQ(settle(), TSettlement::TOutcome::Failed);
    EXPECT_EQ(ctx.gsBillNo, "0002");
    EXPECT_EQ(settle(), TSettlement::TOutcome::Stored);
    EXPECT_EQ(saleRows("0002"), 1);
}

TEST_F(SettlementTest, APaymentRowThatFailsKeepsThePaymentScreenOpen)
{
    db.query("CREATE FUNCTION refuse_pay() RETURNS trigger LANGUAGE plpgsql AS "
             "$$BEGIN IF NEW.pay_seq = 0 THEN RAISE EXCEPTION 'refused'; END IF; RETURN NEW; END$$");
    db.query("CREATE TRIGGER refuse_pay BEFORE INSERT ON pay FOR EACH ROW EXECUTE FUNCTION refuse_pay()");
    ringUp("1001");
    payScreen.cash(Currency(10000));  // the change row (sequence 0) is refused
    EXPECT_EQ(settle(), TSettlement::TOutcome::Cancelled);
    EXPECT_EQ(dialogs.last()->text.rfind(kMsgPayNotSaved, 0), 0u);
    EXPECT_EQ(count("SELECT count(*) FROM pay"), 0);
    EXPECT_EQ(numbers.NextOf("20261209"), 1);
    EXPECT_EQ(lines(), 1);
}

// A server's refusal may quote the row it refused: the card number in it
// is masked on the screen and in the day log, for the payment rows and for
// the sale rows alike.
TEST_F(SettlementTest, ARefusalQuotingACardNumberIsShownAndLoggedMasked)
{
    db.query("CREATE FUNCTION refuse_quoting() RETURNS trigger LANGUAGE plpgsql AS "
             "$$BEGIN RAISE EXCEPTION 'refused 9410123456781234'; END$$");
    const struct {
        const char* table;
        TSettlement::TOutcome outcome;
    } cases[] = {{"card_approval", TSettlement::TOutcome::Cancelled}, {"sale", TSettlement::TOutcome::Failed}};
    for (const auto& c : cases) {
        db.query(std::string("CREATE TRIGGER refuse_quoting BEFORE INSERT ON ") + c.table +
                 " FOR EACH ROW EXECUTE FUNCTION refuse_quoting()");
        bill.ClearBill();
        ringUp("1001");
        payScreen.tenders = {};
        payScreen.tenders.offeredKinds = {ctx.giPayCash, ctx.giPayCard};
        payScreen.card(Currency(9000), "9410123456781234", "50001");
        EXPECT_EQ(settle(), c.outcome) << c.table;
        ASSERT_NE(dialogs.last(), nullptr);
        EXPECT_EQ(dialogs.last()->text.find("9410123456781234"), std::string::npos) << dialogs.last()->text;
        EXPECT_NE(dialogs.last()->text.find("941012"), std::string::npos) << dialogs.last()->text;
        EXPECT_EQ(log().find("9410123456781234"), std::string::npos) << c.table;
        db.query(std::string("DROP TRIGGER refuse_quoting ON ") + c.table);
    }
}

TEST_F(SettlementTest, ABillNumberThatCannotBeKeptStoresNothing)
{
    for (const bool offLine : {false, true}) {
        ctx.gbOffLine = offLine;
        std::filesystem::create_directory(dir / kBillNoFile);  // the file cannot be replaced
        ringUp("1001");
        payScreen.tenders = {};
        payScreen.tenders.offeredKinds = {ctx.giPayCash};
        payScreen.cash(Currency(9000));
        EXPECT_EQ(settle(), TSettlement::TOutcome::Failed) << offLine;
        EXPECT_EQ(dialogs.last()->text, kMsgBillNoNotSaved);
        EXPECT_EQ(count("SELECT count(*) FROM sale"), 0);
        EXPECT_EQ(queued(TOffLineQueue::Sale), 0);
        EXPECT_EQ(payScreen.notStored.size(), offLine ? 2u : 1u);
        std::filesystem::remove(dir / kBillNoFile);
        bill.ClearBill();
    }
}

TEST_F(SettlementTest, AQueueThatCannotBeWrittenTakesTheWholeBillBack)
{
    ctx.gbOffLine = true;
    std::filesystem::create_directory(dir / "Pay");  // the payment queue file cannot be replaced
    ringUp("1002");
    payScreen.cash(Currency(11000));
    EXPECT_EQ(settle(), TSettlement::TOutcome::Failed);
    // Neither the sale nor the payment stays queued, in memory or in the files.
    EXPECT_EQ(queued(TOffLineQueue::Sale), 0);
    EXPECT_EQ(queued(TOffLineQueue::Pay), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "Sale"));
    EXPECT_FALSE(std::filesystem::exists(dir / kPendingBillFile));
    EXPECT_EQ(lines(), 1);
    EXPECT_EQ(payScreen.notStored.size(), 1u);
}

// The cable is pulled after the payment was recorded: the server loses the
// open transaction with the payment rows, and the whole bill, payment and
// sale, goes into the queue instead.
class SettlementLostTest : public SettlementTest {
protected:
    SettlementLostTest() : proxy(db.host(), db.port())
    {
        IniFile posIp = IniFile::load(dir / "POSIP.ini");
        posIp.writeInteger("MAIN", "Port", proxy.port());
        posIp.writeString("MAIN", "Host", "127.0.0.1");
        EXPECT_TRUE(posIp.save(dir / "POSIP.ini"));
        ctx.gsServerIP = "127.0.0.1";
        EXPECT_TRUE(data->DataModuleCreate(db.user()));
        EXPECT_TRUE(data->ConnectDB(true, true));
    }
    LoopbackProxy proxy;
};

TEST_F(SettlementLostTest, ABillCutInTheMiddleIsQueuedWhole)
{
    ringUp("1002");
    payScreen.cash(Currency(11000));
    payScreen.afterSave = [this] { proxy.Cut(); };
    ASSERT_EQ(settle(), TSettlement::TOutcome::Stored) << (dialogs.last() ? dialogs.last()->text : "");
    EXPECT_TRUE(ctx.gbOffLine);
    EXPECT_EQ(queued(TOffLineQueue::Sale), 1);
    EXPECT_EQ(queued(TOffLineQueue::Pay), 1);
    EXPECT_NE(queues.Lines(TOffLineQueue::Sale)[0].find("'Off Line'"), std::string::npos);
    EXPECT_EQ(count("SELECT count(*) FROM sale"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM pay"), 0);
    EXPECT_EQ(numbers.NextOf("20261209"), 2);
    EXPECT_EQ(payScreen.stored.size(), 1u);  // queued counts as stored
}

TEST_F(SettlementLostTest, AnOutletThatMayNotSellOffLineKeepsTheBill)
{
    store.SetUpjangData(0, UpjangItem::OffLineYN, "N");
    offLinePolicy.sellsOffLine = true;  // the data module's question is not what this test is about
    ringUp("1002");
    payScreen.cash(Currency(11000));
    payScreen.afterSave = [this] { proxy.Cut(); };
    EXPECT_EQ(settle(), TSettlement::TOutcome::Failed);
    EXPECT_EQ(queued(TOffLineQueue::Sale), 0);
    EXPECT_EQ(queued(TOffLineQueue::Pay), 0);
    EXPECT_EQ(lines(), 1);
    EXPECT_FALSE(bill.IsFinished());
    EXPECT_TRUE(payScreen.stored.empty());
    EXPECT_EQ(payScreen.notStored.size(), 1u);
    proxy.Restore();
    EXPECT_EQ(count("SELECT count(*) FROM pay"), 0);
}

// An account tender is asked again when the payment is stored: a room the
// hotel does not know (or a guest who checked out meanwhile) refuses the
// payment, selects the room tender again and writes nothing.
TEST_F(SettlementTest, AnAccountNoLongerValidIsRefusedWhenThePaymentIsStored)
{
    TPayRoomList room;
    room.RoomNo = "01201";
    room.Amt = Currency(9000);
    room.UpjangCode = "2001";
    room.RsvNo = "R1";
    room.ManageNo = 1;
    ringUp("1001");
    payScreen.tenders.room.push_back(room);
    payScreen.tenders.received = Currency(9000);
    EXPECT_EQ(settle(), TSettlement::TOutcome::Cancelled);
    EXPECT_EQ(payScreen.refused, ctx.giPayRoom);
    EXPECT_EQ(count("SELECT count(*) FROM pay"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM room_charge"), 0);
    EXPECT_EQ(lines(), 1);
}

// Which approvals left in the journal a stored bill holds: on the server, in
// the off-line queue, or, when neither can be asked, no answer at all.
TEST_F(SettlementTest, AJournalledApprovalIsFoundInTheBillThatHoldsIt)
{
    const auto entry = [](const std::string& aAgreeNo, const std::string& aCardNo) {
        TJournalEntry e;
        e.State = TJournalState::Done;
        e.Bill = {"20261209", "3101", "01", 1};
        e.Time = "20261209101500";
        e.CardNo = aCardNo;
        e.AgreeNo = aAgreeNo;
        return e;
    };
    payScreen.tenders.offeredKinds = {ctx.giPayCash, ctx.giPayCard};
    ringUp("1001");
    payScreen.card(Currency(9000), "9410123456781234", "30001");
    ASSERT_EQ(settle(), TSettlement::TOutcome::Stored);
    ctx.gbOffLine = true;
    bill.ClearBill();
    ringUp("1002");
    payScreen.tenders = {};
    payScreen.tenders.offeredKinds = {ctx.giPayCash, ctx.giPayCard};
    payScreen.card(Currency(11000), "9410999988887777", "30002");
    ASSERT_EQ(settle(), TSettlement::TOutcome::Stored);

    TBillStoredApprovals stored(*data, queues);
    // Off line only the queue can be asked.
    EXPECT_EQ(stored.Holds(entry("30002", "9410999988887777")), std::optional<bool>(true));
    EXPECT_EQ(stored.Holds(entry("30001", "9410123456781234")), std::nullopt);
    ASSERT_TRUE(data->ConnectDB(false, true));
    ctx.gbOffLine = false;
    struct Case {
        const char* agreeNo;
        const char* cardNo;
        std::optional<bool> held;
    };
    const Case cases[] = {
        {"30001", "9410123456781234", true},   // on the server
        {"30002", "9410999988887777", true},   // in the queue
        {"30001", "9410999988887777", false},  // the approval number of another card
        {"39999", "9410123456781234", false},  // an approval no bill holds
    };
    for (const Case& c : cases) EXPECT_EQ(stored.Holds(entry(c.agreeNo, c.cardNo)), c.held) << c.agreeNo;
    // A leftover is never looked up inside a bill's open transaction.
    TDbWork open(*data);
    EXPECT_EQ(stored.Holds(entry("30001", "9410123456781234")), std::nullopt);
}

}  // namespace
}  // namespace pos::test

