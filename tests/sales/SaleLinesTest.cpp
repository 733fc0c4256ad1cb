#include "SaleFixture.h"

namespace pos::test {
namespace {

std::vector<Variant> lineValues(const std::string& code, std::int64_t order)
{
    TSaleList l;
    l.MenuCode = code;
    l.MenuName = "메뉴" + code;
    l.UpjangCode = "3101";
    l.PosNo = "01";
    l.SeasonCode = "1";
    l.BusinessGubun = "1";
    l.Order = order;
    l.SaleCount = Currency(1);
    l.SaleAmt = Currency(1000);
    l.DCAmt = Currency(-100);
    l.GuestType = "100";
    l.MemberCodeName = "ignored";
    return SaleColumns(l);
}

using BillList = SaleFixture;

TEST_F(BillList, RejectsLinesWithoutTheirKeys)
{
    TSaleLines& list = bill.Lines();
    for (int column : {SaleCol::MenuCode, SaleCol::UpjangCode, SaleCol::PosNo, SaleCol::SeasonCode, SaleCol::BusinessGubun}) {
        auto values = lineValues("A", 1);
        values[static_cast<std::size_t>(column)] = Variant(std::string());
        EXPECT_FALSE(list.AddDataList(values)) << column;
    }
    auto noKind = lineValues("A", 1);
    noKind[SaleCol::SaleGubun] = Variant();
    EXPECT_FALSE(list.AddDataList(noKind));
    EXPECT_EQ(list.GetCount(), 0);

    ASSERT_TRUE(list.AddList(lineValues("A", 1), true));
    EXPECT_EQ(list.GetDataItem(SaleCol::MemberCodeName).asText(), "임직원");  // recomputed, not taken
    EXPECT_FALSE(list.SetDataItem(SaleCol::UpjangCode, Variant(std::string())));
    EXPECT_EQ(list.GetDataItem(SaleCol::UpjangCode).asText(), "3101");
    EXPECT_TRUE(list.SetDataItem(SaleCol::MenuName, Variant("새 이름")));
    EXPECT_EQ(list.Line(0).MenuName, "새 이름");
    EXPECT_FALSE(list.SetDataItem(SaleCol::MenuName, Variant("x"), 5));  // out of range: a checked no-op
    EXPECT_TRUE(list.GetDataItem(SaleCol::MenuName, 5).isEmpty());
}

TEST_F(BillList, OrdersByEntrySequenceAndSums)
{
    TSaleLines& list = bill.Lines();
    list.AddList(lineValues("C", 3), false);
    list.AddList(lineValues("A", 1), false);
    list.AddList(lineValues("B", 2), true);
    EXPECT_EQ(list.Line(0).MenuCode, "A");
    EXPECT_EQ(list.Line(2).MenuCode, "C");
    EXPECT_EQ(list.Sum1(), Currency(3000));
    EXPECT_EQ(list.Sum2(), Currency(-300));
    EXPECT_EQ(list.MaxOrder(), 3);

    context.gbSki = true;  // ski bills keep their entry order as stored
    list.AddList(lineValues("0", 0), true);
    EXPECT_EQ(list.Line(3).MenuCode, "0");
}

TEST_F(BillList, CurrentRowPagingAndEvents)
{
    TSaleLines& list = bill.Lines();
    std::vector<TSaleLinesEvent> events;
    list.Subscribe([&](TSaleLinesEvent e) { events.push_back(e); });
    list.SetVisibleRows(3);
    for (int i = 1; i <= 5; ++i) list.AddList(lineValues(std::to_string(i), i), true);
    EXPECT_EQ(list.CurrentRow(), 4);
    EXPECT_EQ(list.FirstRow(), 2);
    list.TouchRow(2);  // beyond the last row of a short page: inert
    EXPECT_EQ(list.CurrentRow(), 4);
    for (int i = 0; i < 4; ++i) list.UpList();
    EXPECT_EQ(list.CurrentRow(), 0);
    EXPECT_EQ(list.FirstRow(), 0);
    list.UpList();
    EXPECT_EQ(list.CurrentRow(), 0);

    events.clear();
    list.DeleteList(-1, true);
    EXPECT_EQ((std::vector<TSaleLinesEvent>{TSaleLinesEvent::Redraw, TSaleLinesEvent::Change, TSaleLinesEvent::Delete}),
              events);
    EXPECT_EQ(list.CurrentRow(), 0);
    list.LastList(false);
    list.DeleteList(-1, false);
    EXPECT_EQ(list.CurrentRow(), 2);  // kept inside the list
    EXPECT_FALSE(list.DeleteList(7, true));
}

TEST_F(BillList, CellsAndStyles)
{
    TSaleLines& list = bill.Lines();
    auto values = lineValues("A", 1);
    values[SaleCol::MenuName] = Variant("돈까스-소인(12세)");
    values[SaleCol::SaleAmt] = Variant(Currency(-1234567));
    values[SaleCol::DCRate] = Variant(10);
    values[SaleCol::ModifyYN] = Variant("Y");
    list.AddList(values, true);
    EXPECT_EQ(list.CellText(0, SaleCol::SaleAmt), "-1,234,567");
    EXPECT_EQ(list.CellText(0, SaleCol::DCRate), "10%");
    const TSaleRowStyle style = list.RowStyle(0);
    EXPECT_TRUE(style.childPrice);
    EXPECT_TRUE(style.discounted);
    EXPECT_TRUE(style.checked);
    EXPECT_EQ(std::string(TSaleLines::ColumnTitle(7)), "우대구분");
    EXPECT_EQ(SaleColumnWidths(true).code, 85);
    EXPECT_EQ(SaleColumnWidths(false).name, 185);
}

TEST(SaleColumnsTest, EveryColumnRoundTrips)
{
    TSaleList l;
    l.MenuCode = "X";
    l.SaleCount = Currency(-3);
    l.DCRate = 15;
    l.ModifyYN = true;
    l.CaddyYN = true;
    l.CorrectAmt = -2;
    TSaleList copy;
    const auto values = SaleColumns(l);
    ASSERT_EQ(values.size(), static_cast<std::size_t>(SaleCol::Count));
    for (int c = 0; c < SaleCol::Count; ++c) ASSERT_TRUE(SetSaleColumn(copy, c, values[static_cast<std::size_t>(c)]));
    EXPECT_EQ(SaleColumns(copy), values);
    EXPECT_FALSE(SetSaleColumn(copy, SaleCol::Count, Variant(1)));
}

}  // namespace
}  // namespace pos::test
