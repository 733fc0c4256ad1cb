// A table's bill stored on leaving the table and loaded on choosing it
// again, against the real server: what comes back, what the kitchen is
// taken to know, and that a bill that cannot be stored whole leaves the
// table's previous bill untouched.

#include "TableFixture.h"

#include "core/TerminalContext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pos::test {
namespace {

TDCMemberData member(const std::string& aAcceptNo, const std::string& aMemberCode)
{
    TDCMemberData d;
    d.MultiUpjangCode = "3101";
    d.AcceptMemberNo = aAcceptNo;
    d.Seq = 1;
    d.MemberNo = "M" + aAcceptNo;
    d.MemberAddNo = "01";
    d.MemberName = "홍길동";
    d.MemberCode = aMemberCode;
    d.GuestType = "100";
    d.DCRate = 10;
    d.OnceUseCount = 2;
    d.DailyUseCount = 3;
    d.YearlyUseCount = 40;
    d.Remark = "";
    d.DCYN = true;
    return d;
}

TDCMenuData menuDiscount(const std::string& aAcceptNo)
{
    TDCMenuData d;
    d.MultiUpjangCode = "3101";
    d.AcceptMemberNo = aAcceptNo;
    d.Seq = 1;
    d.MenuCode = "1002";
    d.SeasonCode = "1";
    d.BusinessGubun = "1";
    d.MemberNo = "M" + aAcceptNo;
    d.MemberName = "홍길동";
    d.MemberCode = "10";
    d.GuestType = "100";
    d.DCAmt = Currency(1500);
    d.OnceUseCount = 1;
    d.DailyUseCount = 1;
    return d;
}

using TableBills = TableFixture;

TEST_F(TableBills, ABillComesBackAsItWasLeftWithEverythingCountedAsSent)
{
    bill.screen.commands.ipgumMode = TIpgumMode::NoSvcNoVat;
    bill.screen.commands[TSaleCommand::IpgumOpen].down = true;  // "No SVC"
    ringUp("1001", 2);
    ringUp("2001", 1, "3102");
    ringUp("1002");
    ctx.giKoreanCount = 3;
    ctx.giForeignCount = 1;
    ctx.gsLockerNo = "L12";
    store.glDCMemberData = {member("A1", "10"), member("A2", "10")};
    store.glDCMenuData = {menuDiscount("A1")};
    bill.glKeyInData = {"A1"};  // A1 keyed in by hand, A2 read from a card
    const Currency due = bill.Totals().due;

    ASSERT_TRUE(tables.SaveTableData(bill));
    EXPECT_TRUE(bill.glKeyInData.empty());
    EXPECT_EQ(db.query("SELECT due_amt::bigint FROM table_order"), due.toText());
    EXPECT_EQ(db.query("SELECT string_agg(not_typed_yn, ',' ORDER BY row_no) FROM table_order_dc_member"), "N,Y");

    bill.screen.commands[TSaleCommand::IpgumOpen].down = false;
    reload();
    ASSERT_EQ(bill.Lines().GetCount(), 3);
    const TSaleList& kimchi = bill.Lines().Line(0);
    EXPECT_EQ(kimchi.MenuName, "김치찌개");
    EXPECT_EQ(kimchi.SaleCount, Currency(2));
    EXPECT_EQ(kimchi.OldSaleCount, 2);
    EXPECT_TRUE(kimchi.KitchenPrtYN);
    EXPECT_EQ(kimchi.MenuGubunCode, "A");
    EXPECT_EQ(kimchi.Order, 1);
    const TSaleList& beer = bill.Lines().Line(1);
    EXPECT_EQ(beer.UpjangCode, "3102");
    EXPECT_EQ(beer.PosNo, "02");  // the POS the terminal sells the bar's goods under
    EXPECT_FALSE(beer.KitchenPrtYN);
    EXPECT_EQ(beer.SaleAmt, Currency(7000));
    EXPECT_EQ(bill.Lines().Line(2).Order, 3);
    EXPECT_EQ(bill.Totals().due, due);

    EXPECT_EQ(ctx.giKoreanCount, 3);
    EXPECT_EQ(ctx.giForeignCount, 1);
    EXPECT_EQ(ctx.gsLockerNo, "L12");
    EXPECT_TRUE(bill.screen.commands[TSaleCommand::IpgumOpen].down);
    EXPECT_FALSE(bill.screen.commands[TSaleCommand::IpgumClose].down);

    ASSERT_EQ(store.glDCMemberData.size(), 2u);
    EXPECT_EQ(store.glDCMemberData[0].AcceptMemberNo, "A1");
    EXPECT_EQ(store.glDCMemberData[0].DCRate, 10);
    EXPECT_EQ(store.glDCMemberData[0].YearlyUseCount, 40);
    EXPECT_TRUE(store.glDCMemberData[0].DCYN);
    ASSERT_EQ(store.glDCMenuData.size(), 1u);
    EXPECT_EQ(store.glDCMenuData[0].DCAmt, Currency(1500));
    EXPECT_EQ(store.glDCMenuData[0].MenuCode, "1002");
    EXPECT_EQ(bill.glKeyInData, std::vector<std::string>{"A1"});
    EXPECT_FALSE(ctx.gbEventMode);
    // The kitchen state begins afresh with the discounts as loaded.
    EXPECT_TRUE(bill.table.llDeleteList.empty());
    EXPECT_EQ(bill.table.llDCMemberData, store.glDCMemberData);
    EXPECT_EQ(bill.table.llDCMenuData, store.glDCMenuData);
    // The loaded table's discounts are this terminal's discount work now.
    EXPECT_EQ(count("SELECT count(*) FROM dc_member_work WHERE upjang_code = '3101' AND pos_no = '01'"), 2);
    EXPECT_EQ(count("SELECT count(*) FROM dc_menu_work WHERE upjang_code = '3101' AND pos_no = '01'"), 1);
}

TEST_F(TableBills, AReturnBillComesBackAsAReturnWithItsGuestCounts)
{
    ctx.giSaleGubun = 2;
    ctx.giSign = -1;
    ringUp("1001");
    ctx.giKoreanCount = -2;  // the guest-count dialog signs the counts of a return
    ASSERT_TRUE(tables.SaveTableData(bill)) << testing::PrintToString(shown());

    reload();
    EXPECT_EQ(ctx.giSaleGubun, 2);
    EXPECT_EQ(ctx.giSign, -1);
    EXPECT_EQ(ctx.giKoreanCount, -2);
    ASSERT_EQ(bill.Lines().GetCount(), 1);
    EXPECT_EQ(bill.Lines().Line(0).SaleCount, Currency(-1));
    EXPECT_EQ(bill.Lines().Line(0).OldSaleCount, -1);
    EXPECT_EQ(bill.Lines().Line(0).SaleGubun, 2);
}

TEST_F(TableBills, ABillEmptiedByDeletingItsLoadedLinesLeavesTheHeaderOnly)
{
    ringUp("1001");
    ASSERT_TRUE(tables.SaveTableData(bill));
    reload();
    bill.Lines().TouchRow(0);
    bill.DeleteCurrentLine();
    ASSERT_EQ(bill.Lines().GetCount(), 0);
    ASSERT_EQ(bill.table.llDeleteList.size(), 1u);

    ASSERT_TRUE(tables.SaveTableData(bill));
    EXPECT_TRUE(stored());
    EXPECT_EQ(storedLines(), 0);
    reload();
    EXPECT_EQ(bill.Lines().GetCount(), 0);
}

TEST_F(TableBills, AnEmptyBillWithNothingDeletedWritesNothing)
{
    EXPECT_TRUE(tables.SaveTableData(bill));
    EXPECT_FALSE(stored());
}

TEST_F(TableBills, ALineStoredWithoutCountIsSkippedAndTheNextKeepsItsOrder)
{
    db.query("INSERT INTO table_order (sale_date, upjang_code, table_no, pos_no) VALUES ('20261209', '3101', 7, '01')");
    db.query("INSERT INTO table_order_line (sale_date, upjang_code, table_no, line_no, item_upjang_code, menu_code, "
             "season_code, business_gubun, sale_count, old_sale_count, sale_unit_amt) VALUES "
             "('20261209', '3101', 7, 1, '3101', '1001', '1', '1', 0, 1, 9000), "
             "('20261209', '3101', 7, 2, '3101', '1002', '1', '1', 2, 2, 11000)");
    reload();
    ASSERT_EQ(bill.Lines().GetCount(), 1);
    EXPECT_EQ(bill.Lines().Line(0).MenuCode, "1002");
    EXPECT_EQ(bill.Lines().Line(0).Order, 2);
}

TEST_F(TableBills, ABanquetMemberRowBringsTheBillBackInEventMode)
{
    ringUp("1001");
    TDCMemberData banquet = member("E77", ctx.gsMemberNoEvent);
    banquet.MemberName = "창립기념 연회";
    store.glDCMemberData = {banquet, member("A2", "10")};
    ASSERT_TRUE(tables.SaveTableData(bill));

    reload();
    EXPECT_TRUE(ctx.gbEventMode);
    EXPECT_EQ(ctx.gsEventNo, "E77");
    EXPECT_EQ(ctx.gsEventName, "창립기념 연회");
    EXPECT_EQ(ctx.gsEventMemberNo, "ME77");
    EXPECT_EQ(ctx.gsEventMemberCode, ctx.gsMemberNoEvent);
    EXPECT_EQ(ctx.gsEventMemberCodeName, "연회");
    EXPECT_EQ(ctx.gsEventGuestType, "100");
    ASSERT_EQ(store.glDCMemberData.size(), 1u);  // the rows after the banquet's are not read
}

TEST_F(TableBills, ABillThatCannotBeStoredWholeLeavesThePreviousBillOfTheTable)
{
    ringUp("1001", 2);
    ASSERT_TRUE(tables.SaveTableData(bill));
    // The server refuses the menu discount, the last part written.
    db.query("CREATE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN RAISE EXCEPTION 'refused'; END $$");
    db.query("CREATE TRIGGER refuse BEFORE INSERT ON table_order_dc_menu FOR EACH ROW EXECUTE FUNCTION refuse()");
    ringUp("1002");
    store.glDCMenuData = {menuDiscount("A1")};

    EXPECT_FALSE(tables.SaveTableData(bill));
    EXPECT_EQ(shown(), std::vector<std::string>{kMsgTableNotSaved});
    EXPECT_EQ(db.query("SELECT string_agg(menu_code || 'x' || sale_count::integer, ',' ORDER BY line_no) "
                       "FROM table_order_line"),
              "1001x2");
    EXPECT_FALSE(data->InTransaction());
    EXPECT_NE(log().find("IAI010-SaveTableData-4"), std::string::npos);
    EXPECT_EQ(bill.Lines().GetCount(), 2);  // the bill stays on the screen
}

TEST_F(TableBills, DeletingTakesTheWholeTableUnderTheDateItIsStoredUnder)
{
    ringUp("1001");
    store.glDCMemberData = {member("A1", "10")};
    ASSERT_TRUE(tables.SaveTableData(bill));
    reload();
    ctx.gsSaleDate = "20261210";  // the business date moved on while the table was open
    ASSERT_TRUE(tables.DeleteTableDataAlone(bill));
    EXPECT_EQ(count("SELECT (SELECT count(*) FROM table_order) + (SELECT count(*) FROM table_order_line) + "
                    "(SELECT count(*) FROM table_order_dc_member)"),
              0);
}

}  // namespace
}  // namespace pos::test
