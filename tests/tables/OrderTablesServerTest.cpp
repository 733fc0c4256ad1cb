// The table order screen's statements and operations on the real server:
// a day with several tables, two terminals (POS "01" and "02") on one
// database, settled table bills in the summary, pages at both ends, taking
// tables (also two terminals at the same moment), releasing a restarted
// terminal's old locks, moving and joining bills and taking them back when
// a statement fails, and the interim bill printed for the target.

#include "ServerTerminal.h"
#include "TableFakes.h"
#include "TicketFakes.h"
#include "db/DbQuery.h"
#include "db/DbWork.h"
#include "devices/TicketJobs.h"
#include "sales/printing/DeviceBillPrinter.h"
#include "tables/InterimOrderBill.h"
#include "tables/OrderTableModel.h"
#include "tables/OrderTables.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace pos::test {
namespace {

using Texts = std::vector<std::string>;

const char* const kDay = R"sql(
INSERT INTO upjang (upjang_code, upjang_name, upjang_eng_name) VALUES ('5101', '한식당', 'Korean');
INSERT INTO goods (upjang_code, menu_code, menu_name, tax_yn, tax_calcu_code) VALUES
 ('5101', '20000001', '김치찌개', 'Y', '1'),
 ('5101', '20000002', '공기밥', 'Y', '1'),
 ('5101', '20000003', '맥주', 'Y', '1');

INSERT INTO table_order (sale_date, upjang_code, table_no, pos_no, sale_gubun, due_amt, korean_count, foreign_count,
                         locker_no, stored_at) VALUES
 ('20240301', '5101', 3, '01', 0, 17000, 2, 1, '', '2024-03-01 12:05+09'),
 ('20240301', '5101', 4, '02', 0, 4000, 1, 0, 'L12', '2024-03-01 12:40+09'),
 ('20240301', '5101', 7, '01', 2, -8000, 0, 0, '', '2024-03-01 13:00+09'),
 ('20240301', '5101', 1476, '01', 0, 1000, 0, 0, '', '2024-03-01 18:00+09'),
 ('20240301', '5101', 1500, '01', 0, 1000, 0, 0, '', '2024-03-01 18:01+09'),
 ('20240301', '5101', 26, '01', 0, 1000, 0, 0, '', '2024-03-01 18:02+09'),
 ('20240229', '5101', 3, '01', 0, 99000, 0, 0, '', '2024-02-29 12:00+09');
INSERT INTO table_order_line (sale_date, upjang_code, table_no, line_no, item_upjang_code, menu_code, season_code,
                              business_gubun, sale_count, old_sale_count, sale_unit_amt) VALUES
 ('20240301', '5101', 3, 1, '5101', '20000001', '1', '1', 2, 2, 8000),
 ('20240301', '5101', 3, 2, '5101', '20000002', '1', '1', 1, 1, 1000),
 ('20240301', '5101', 4, 1, '5101', '20000003', '1', '1', 1, 1, 4000),
 ('20240301', '5101', 7, 1, '5101', '20000001', '1', '1', -1, -1, 8000),
 ('20240301', '5101', 1476, 1, '5101', '20000002', '1', '1', 1, 1, 1000),
 ('20240301', '5101', 1500, 1, '5101', '20000002', '1', '1', 1, 1, 1000),
 ('20240301', '5101', 26, 1, '5101', '20000002', '1', '1', 1, 1, 1000);
INSERT INTO table_order_dc_member (sale_date, upjang_code, table_no, row_no, multi_upjang_code, accept_member_no,
                                   member_name) VALUES
 ('20240301', '5101', 3, 1, '5101', 'A3', '김회원'),
 ('20240301', '5101', 4, 1, '5101', 'A4', '이회원');
INSERT INTO table_order_dc_menu (sale_date, upjang_code, table_no, row_no, multi_upjang_code, accept_member_no,
                                 menu_code, dc_amt) VALUES
 ('20240301', '5101', 3, 1, '5101', 'A3', '20000001', 1000);
INSERT INTO table_lock (sale_date, upjang_code, table_no, pos_no) VALUES
 ('20240301', '5101', 5, '02'),
 ('20240301', '5101', 4, '02');

-- Settled today: two table bills (one with a voided row), a counter bill,
-- another outlet's table bill and yesterday's.
INSERT INTO sale (sale_date, upjang_code, pos_no, bill_no, bill_seq, sale_yn, menu_code, unit_amt, sale_qty,
                  sale_amt, table_no, emp_no) VALUES
 ('20240301', '5101', '01', '0001', 1, 'Y', '20000001', 8000, 2, 16000, 9, 'C01'),
 ('20240301', '5101', '01', '0001', 2, 'Y', '20000002', 1000, 1, 1000, 9, 'C01'),
 ('20240301', '5101', '02', '0001', 1, 'Y', '20000003', 4000, 2, 8000, 11, 'C01'),
 ('20240301', '5101', '02', '0001', 2, '*', '20000003', 4000, 1, 4000, 11, 'C01'),
 ('20240301', '5101', '01', '0002', 1, 'Y', '20000003', 4000, 1, 4000, 0, 'C01'),
 ('20240301', '5199', '01', '0001', 1, 'Y', '20000003', 4000, 1, 4000, 2, 'C01'),
 ('20240229', '5101', '01', '0001', 1, 'Y', '20000003', 4000, 1, 4000, 2, 'C01');
)sql";

// A second terminal, POS "02", on the same database.
struct SecondTerminal {
    SecondTerminal(const TTerminalContext& aFirst, const TSqlCatalogue& aCatalogue, const std::string& aUser)
    {
        ctx = aFirst;
        ctx.gsMasterPosNo = "02";
        data = std::make_unique<TfrmData>(ctx, aCatalogue, dialogs, policy);
        EXPECT_TRUE(data->DataModuleCreate(aUser));
        EXPECT_TRUE(data->ConnectDB(true, false));
    }
    TTerminalContext ctx;
    ScriptedDialogService dialogs;
    TestOffLinePolicy policy;
    std::unique_ptr<TfrmData> data;
};

struct RecordedPrinters final : TPrintDevices {
    TPrinters Printers() const override { return printers; }
    void PrintReceipt(int aPrinterNo, const std::string& aText, Done aDone) override
    {
        receipts.push_back(std::to_string(aPrinterNo) + ":" + aText);
        aDone(true);
    }
    void PrintTickets(Done aDone) override { aDone(true); }
    void OpenCashDrawer(Done aDone) override { aDone(true); }
    TPrinters printers{TPrinterType::ptTSP600, TPrinterType::ptNone};
    Texts receipts;
};

class OrderTablesServerTest : public ServerTerminal {
protected:
    OrderTablesServerTest()
    {
        db.query(kDay);
        ctx.gsToday = ctx.gsSaleDate = "20240301";
        ctx.gsMasterUpjangCode = "5101";
        ctx.gsMasterUpjangName = "한식당";
        ctx.gsMasterPosNo = "01";
        ctx.gsCashierName = "홍길동";
        EXPECT_TRUE(data->ConnectDB(true, false));
    }

    Texts rows(const std::string& aKey, const Texts& aParams, int aColumns)
    {
        TDbQuery query(*data);
        query.SetSQL(aKey);
        for (std::size_t i = 0; i < aParams.size(); ++i) query.SetParam(static_cast<int>(i), aParams[i]);
        if (!query.Open()) {
            ADD_FAILURE() << aKey << ": " << query.Error().message;
            return {"<failed>"};
        }
        Texts out;
        for (; !query.Eof(); query.Next()) {
            std::string row;
            for (int c = 0; c < aColumns; ++c) row += (c ? "|" : "") + query.AsString(c);
            out.push_back(row);
        }
        return out;
    }
    // What is stored for a table today: the header, then each line and
    // discount row.
    std::string stored(int aTableNo) const
    {
        const std::string where =
            " WHERE sale_date = '20240301' AND upjang_code = '5101' AND table_no = " + std::to_string(aTableNo);
        return db.query("SELECT coalesce((SELECT pos_no || '/' || sale_gubun || '/' || trim_scale(due_amt) || '/' || "
                        "korean_count || '/' || foreign_count || '/' || locker_no FROM table_order" + where + "), '-')") +
               " L:" + db.query("SELECT coalesce(string_agg(line_no || '=' || menu_code || 'x' || trim_scale(sale_count), ',' "
                                "ORDER BY line_no), '') FROM table_order_line" + where) +
               " M:" + db.query("SELECT coalesce(string_agg(row_no || '=' || accept_member_no, ',' ORDER BY row_no), '') "
                                "FROM table_order_dc_member" + where) +
               " D:" + db.query("SELECT coalesce(string_agg(row_no || '=' || menu_code, ',' ORDER BY row_no), '') "
                                "FROM table_order_dc_menu" + where);
    }
    std::string locks() const
    {
        return db.query("SELECT coalesce(string_agg(sale_date || ':' || table_no || '=' || pos_no, ',' "
                        "ORDER BY sale_date, table_no), '') FROM table_lock");
    }

    TDbOrderTables tables{*data};
};

TEST_F(OrderTablesServerTest, APageListsItsOccupiedTables)
{
    EXPECT_EQ(rows("IDS010-ReadOrderData-1", {"20240301", "5101", "1"}, 10),
              (Texts{"3|12:05|17000|김치찌개 외 1건|3명|0|2|1||N",
                     "4|12:40|4000|[02]맥주|L12|0|1|0|L12|Y",
                     "5|||[02]||||||Y",
                     "7|13:00|-8000|김치찌개||2|0|0||N"}));
    EXPECT_EQ(rows("IDS010-ReadOrderData-1", {"20240301", "5101", "26"}, 1), Texts{"26"});
    EXPECT_EQ(rows("IDS010-ReadOrderData-1", {"20240301", "5101", "1451"}, 1), Texts{});
    EXPECT_EQ(rows("IDS010-ReadOrderData-1", {"20240301", "5101", "1476"}, 1), (Texts{"1476", "1500"}));
}

TEST_F(OrderTablesServerTest, TheSummaryCountsOpenAndSettledTableBills)
{
    // Open: 3, 4, 7, 26, 1476, 1500 = 17000 + 4000 - 8000 + 3 x 1000; settled:
    // 17000 and 8000 (the voided row left out).
    EXPECT_EQ(rows("IDS010-ReadOrderData-2", {"20240301", "5101"}, 7),
              Texts{"6|16000|2|25000|8|41000|5125"});
    EXPECT_EQ(rows("IDS010-ReadOrderData-2", {"20240302", "5101"}, 7), Texts{"0|0|0|0|0|0|0"});

    // The model's page and figures, as the screen shows them.
    FakeOrderBills bills;
    FakeLaunchers launchers;
    TOrderTableModel model(ctx, {}, tables, bills, dialogs, launchers, launchers, launchers, launchers);
    model.Open();
    EXPECT_EQ(model.SummaryTexts(),
              (std::array<std::string, 7>{"6건", "16,000원", "2건", "25,000원", "8건", "41,000원", "5,125원"}));
    EXPECT_EQ(model.Tiles()[6].amount, "-8,000원");
    EXPECT_FALSE(model.Tiles()[3].enabled);  // held by POS 02
    EXPECT_TRUE(model.Tiles()[2].enabled);
}

TEST_F(OrderTablesServerTest, ATableHeldByAnotherTerminalIsRefused)
{
    SecondTerminal second(ctx, catalogue, db.user());
    TDbOrderTables other(*second.data);
    EXPECT_TRUE(tables.CheckTableOrdering(4));
    EXPECT_EQ(tables.LockTable(4), TLockResult::HeldElsewhere);
    EXPECT_FALSE(other.CheckTableOrdering(4));
    EXPECT_EQ(other.LockTable(4), TLockResult::Locked);  // its own again
    EXPECT_EQ(tables.LockTable(8), TLockResult::Locked);
    EXPECT_EQ(other.LockTable(8), TLockResult::HeldElsewhere);
    EXPECT_EQ(locks(), "20240301:4=02,20240301:5=02,20240301:8=01");
}

// The old way checked and then took the lock: two terminals that both
// found the table free both took it. Here POS 02 finds table 12 free while
// POS 01 is taking it; POS 02's insert waits for POS 01 and then takes
// nothing, and POS 02 is refused.
TEST_F(OrderTablesServerTest, TwoTerminalsTakingOneTableAtOnceGiveItToOne)
{
    SecondTerminal second(ctx, catalogue, db.user());
    TDbOrderTables other(*second.data);
    TDbWork first(*data);
    TDbQuery query(*data);
    query.SetSQL("IDS010-LockTable-3");
    for (const auto& [i, v] : std::vector<std::pair<int, std::string>>{{0, "20240301"}, {1, "5101"}, {2, "12"}, {3, "01"}})
        query.SetParam(i, v);
    ASSERT_TRUE(query.ExecSQL());

    TLockResult secondResult = TLockResult::Failed;
    std::thread racer([&] { secondResult = other.LockTable(12); });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ASSERT_TRUE(first.Commit());
    racer.join();
    EXPECT_EQ(secondResult, TLockResult::HeldElsewhere);
    EXPECT_EQ(locks(), "20240301:4=02,20240301:5=02,20240301:12=01");
}

TEST_F(OrderTablesServerTest, ManyRacesNeverGiveATableTwice)
{
    SecondTerminal second(ctx, catalogue, db.user());
    TDbOrderTables other(*second.data);
    for (int table = 100; table < 120; ++table) {
        TLockResult a = TLockResult::Failed, b = TLockResult::Failed;
        std::thread racer([&] { b = other.LockTable(table); });
        a = tables.LockTable(table);
        racer.join();
        EXPECT_NE(a == TLockResult::Locked, b == TLockResult::Locked) << table;
        EXPECT_EQ(count("SELECT count(*) FROM table_lock WHERE table_no = " + std::to_string(table)), 1);
    }
}

TEST_F(OrderTablesServerTest, ARestartedTerminalReleasesItsOldLocksWhenTheScreenOpens)
{
    db.query("INSERT INTO table_lock (sale_date, upjang_code, table_no, pos_no) VALUES "
             "('20240301', '5101', 9, '01'), ('20240229', '5101', 3, '01'), ('20240229', '5101', 3 + 1, '02')");
    FakeOrderBills bills;
    FakeLaunchers launchers;
    TOrderTableModel model(ctx, {}, tables, bills, dialogs, launchers, launchers, launchers, launchers);
    model.Open();
    EXPECT_EQ(locks(), "20240229:4=02,20240301:4=02,20240301:5=02");
    EXPECT_TRUE(model.Tiles()[8].enabled);
}

TEST_F(OrderTablesServerTest, AMoveTakesTheWholeBillToTheEmptyTable)
{
    const std::string before = stored(3);
    ASSERT_TRUE(tables.MoveOrderTable(3, 8));
    EXPECT_EQ(stored(8), "01/0/17000/2/1/ L:1=20000001x2,2=20000002x1 M:1=A3 D:1=20000001");
    EXPECT_EQ(before.substr(before.find(' ')), stored(8).substr(stored(8).find(' ')));
    EXPECT_EQ(stored(3), "- L: M: D:");
    EXPECT_EQ(rows("IDS010-ReadOrderData-1", {"20240301", "5101", "1"}, 2).at(3), "8|12:05");
}

TEST_F(OrderTablesServerTest, AMoveOntoAnOccupiedTableOrFromAnEmptyOneLeavesBothAsTheyWere)
{
    const std::string three = stored(3), four = stored(4);
    EXPECT_FALSE(tables.MoveOrderTable(3, 4));
    EXPECT_FALSE(tables.MoveOrderTable(8, 9));
    EXPECT_EQ(stored(3), three);
    EXPECT_EQ(stored(4), four);
    EXPECT_EQ(stored(9), "- L: M: D:");
    EXPECT_NE(log().find("IDS010-MoveOrderTable-1"), std::string::npos);
}

TEST_F(OrderTablesServerTest, AJoinAppendsTheSourceAfterTheTarget)
{
    ASSERT_TRUE(tables.JoinOrderTable(3, 4));
    EXPECT_EQ(stored(4), "01/0/21000/3/1/L12 L:1=20000003x1,2=20000001x2,3=20000002x1 M:1=A4,2=A3 D:1=20000001");
    EXPECT_EQ(stored(3), "- L: M: D:");
    // Yesterday's table 3 is another day's bill.
    EXPECT_EQ(count("SELECT count(*) FROM table_order WHERE sale_date = '20240229'"), 1);
}

TEST_F(OrderTablesServerTest, OnlyBillsOfOneKindJoin)
{
    const std::string three = stored(3), seven = stored(7);
    EXPECT_FALSE(tables.JoinOrderTable(3, 7));   // a sale onto a return bill
    EXPECT_FALSE(tables.JoinOrderTable(3, 3));   // onto itself
    EXPECT_FALSE(tables.JoinOrderTable(3, 8));   // onto an empty table
    EXPECT_EQ(stored(3), three);
    EXPECT_EQ(stored(7), seven);
}

// The move's and the join's statements fail half-way (the server refuses
// the discounts written for tables 8 and 4): what ran before is taken back
// with them.
class FailingOperationTest : public OrderTablesServerTest {
protected:
    FailingOperationTest()
    {
        db.query(R"sql(
CREATE FUNCTION refuse_discounts() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
    IF NEW.table_no IN (4, 8) THEN RAISE EXCEPTION 'refused'; END IF;
    RETURN NEW;
END $$;
CREATE TRIGGER refuse_member BEFORE INSERT ON table_order_dc_member FOR EACH ROW EXECUTE FUNCTION refuse_discounts();
CREATE TRIGGER refuse_menu BEFORE INSERT ON table_order_dc_menu FOR EACH ROW EXECUTE FUNCTION refuse_discounts();
)sql");
    }
};

TEST_F(FailingOperationTest, AFailedMoveOrJoinLeavesBothTablesAsTheyWere)
{
    const std::string three = stored(3), four = stored(4);
    EXPECT_FALSE(tables.MoveOrderTable(3, 8));
    EXPECT_EQ(stored(3), three);
    EXPECT_EQ(stored(8), "- L: M: D:");
    EXPECT_FALSE(tables.JoinOrderTable(3, 4));
    EXPECT_EQ(stored(3), three);
    EXPECT_EQ(stored(4), four);
    EXPECT_FALSE(data->InTransaction());
    EXPECT_NE(log().find("IDS010-MoveOrderTable-3"), std::string::npos);
    EXPECT_NE(log().find("IDS010-JoinOrderTable-4"), std::string::npos);
}

TEST_F(OrderTablesServerTest, AfterAMoveTheTargetsInterimBillIsPrinted)
{
    FakeTicketKinds kinds;
    TNoTicketJournal journal;
    TTicketJobList tickets{kinds, ctx, TPrinterType::ptTSP600, journal};
    RecordedPrinters printers;
    TDeviceOrderBillPrinter bills(*data, printers, tickets, dialogs);
    FakeLaunchers launchers;
    TOrderTableModel model(ctx, {}, tables, bills, dialogs, launchers, launchers, launchers, launchers);
    model.Open();
    model.ModeCommand(TOrderCommand::Move);
    model.TouchTable(3);
    model.TouchTable(8);
    ASSERT_EQ(printers.receipts.size(), 1u);
    const std::string& text = printers.receipts[0];
    EXPECT_EQ(text.substr(0, 2), "1:");
    EXPECT_NE(text.find("Table:{X}8{S}"), std::string::npos) << text;
    EXPECT_NE(text.find("김치찌개"), std::string::npos);
    EXPECT_NE(text.find("공기밥"), std::string::npos);
    EXPECT_NE(text.find("17,000"), std::string::npos);
    EXPECT_EQ(text.find("주방"), std::string::npos);  // no kitchen slip
    EXPECT_EQ(ctx.giTableNo, 0);
    EXPECT_EQ(locks(), "20240301:4=02,20240301:5=02");  // both released

    // A terminal without a receipt or page printer at 1 prints no order bill.
    printers.printers.printer1 = TPrinterType::ptTSP700;
    bills.PrintOrderBill(8);
    EXPECT_EQ(printers.receipts.size(), 1u);
}

}  // namespace
}  // namespace pos::test
