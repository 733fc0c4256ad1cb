// Settling the bill of an open table: the table's stored bill is deleted in
// the bill's own transaction, so the bill is settled and its table freed
// together or not at all, whatever the business date and whatever fails.

#include "SettlementFixture.h"

#include "sales/tables/TableBills.h"

#include <gtest/gtest.h>

#include <string>

namespace pos::test {
namespace {

class TableSettlement : public SettlementFixture {
protected:
    TableSettlement()
    {
        store.SetUpjangData(0, UpjangItem::FirstFormCode, ctx.gsFormOrderTable);
        ctx.giTableNo = 7;
        EXPECT_TRUE(data->ConnectDB(true, false));
    }
    // The table chosen, a line rung up and the table left once.
    void openTable()
    {
        tables.LoadTableData(bill);
        ringUp("1001");
        ASSERT_TRUE(tables.SaveTableData(bill));
    }
    bool tableStored() const { return count("SELECT count(*) FROM table_order WHERE table_no = 7") == 1; }

    TTableBills tables{ctx, store, *data, dialogs};
};

TEST_F(TableSettlement, SettlingFreesTheTableWithTheBill)
{
    openTable();
    payScreen.cash(Currency(9000));
    ASSERT_EQ(settle(), TSettlement::TOutcome::Stored);
    EXPECT_EQ(saleRows("0001"), 1);
    EXPECT_FALSE(tableStored());
    // The settled table is not stored again when the cashier leaves it.
    bill.StartSale();
    EXPECT_TRUE(tables.SaveTableData(bill));
    EXPECT_FALSE(tableStored());
}

TEST_F(TableSettlement, ABillSettledAfterMidnightFreesTheTableOfItsBusinessDate)
{
    ctx.gsToday = "20261210";  // the calendar moved on; the business day did not
    openTable();
    payScreen.cash(Currency(9000));
    ASSERT_EQ(settle(), TSettlement::TOutcome::Stored);
    EXPECT_EQ(count("SELECT count(*) FROM table_order"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM table_order_line"), 0);
}

TEST_F(TableSettlement, WhenTheSaleRowsFailTheTableKeepsItsBill)
{
    openTable();
    db.query("CREATE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN RAISE EXCEPTION 'refused'; END $$");
    db.query("CREATE TRIGGER refuse BEFORE INSERT ON sale FOR EACH ROW EXECUTE FUNCTION refuse()");
    payScreen.cash(Currency(9000));
    EXPECT_EQ(settle(), TSettlement::TOutcome::Failed);
    EXPECT_TRUE(tableStored());
    EXPECT_EQ(paid("0001"), "0");
    EXPECT_EQ(payScreen.notStored.size(), 1u);
}

TEST_F(TableSettlement, WhenTheTableCannotBeFreedTheBillIsNotStored)
{
    openTable();
    db.query("CREATE FUNCTION refuse() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN RAISE EXCEPTION 'refused'; END $$");
    db.query("CREATE TRIGGER refuse BEFORE DELETE ON table_order FOR EACH ROW EXECUTE FUNCTION refuse()");
    payScreen.cash(Currency(9000));
    EXPECT_EQ(settle(), TSettlement::TOutcome::Failed);
    EXPECT_EQ(shown().back(), kMsgTableNotDeleted);
    EXPECT_EQ(saleRows("0001"), 0);
    EXPECT_EQ(paid("0001"), "0");
    EXPECT_EQ(payScreen.notStored.size(), 1u);  // its approvals are undone
    EXPECT_TRUE(tableStored());
    EXPECT_EQ(lines(), 1);  // the bill stays for another try
}

TEST_F(TableSettlement, OffLineAnOpenTableIsNotSettledNorQueued)
{
    openTable();
    data->SetOffLine();
    payScreen.cash(Currency(9000));
    for (const bool quickCash : {false, true}) {
        SCOPED_TRACE(quickCash ? "현금결제" : "결제");
        EXPECT_EQ(quickCash ? settlement->PayCash(view) : settle(), TSettlement::TOutcome::Failed);
        EXPECT_EQ(shown().back(), kMsgTableNotSettledOffLine);
        EXPECT_EQ(queued(TOffLineQueue::Sale), 0);
        EXPECT_EQ(lines(), 1);
    }
    EXPECT_TRUE(payScreen.stored.empty());
    EXPECT_TRUE(payScreen.notStored.empty());  // the payment screen was never opened
}

}  // namespace
}  // namespace pos::test
