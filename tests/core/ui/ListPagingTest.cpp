#include "core/ui/ListPaging.h"

#include <gtest/gtest.h>

namespace pos {
namespace {

TEST(ListPagingTest, VisibleRows)
{
    EXPECT_EQ(TListPaging::VisibleRowsFor(30 + 26 * 8, 30, 0), 8);
    EXPECT_EQ(TListPaging::VisibleRowsFor(30 + 26 * 8, 30, 26), 7);
    EXPECT_EQ(TListPaging::VisibleRowsFor(20, 30, 0), 0);
}

TListPaging page(int aRows)
{
    TListPaging p;
    p.SetListCount(aRows);
    return p;
}

TEST(ListPagingTest, AddingKeepsTheNewRecordCurrentAndVisible)
{
    TListPaging p = page(8);
    p.AfterAdd(1);
    EXPECT_EQ(p.FirstIndex(), 0);
    EXPECT_EQ(p.CurIndex(), 0);
    p.AfterAdd(9);  // a full page scrolls by one
    EXPECT_EQ(p.FirstIndex(), 1);
    EXPECT_EQ(p.CurIndex(), 7);
    EXPECT_EQ(p.CurrentRecord(), 8);
}

struct DeleteCase {
    const char* name;
    int first, cur, countAfter;
    int firstAfter, curAfter;
};

class ListPagingDeleteTest : public ::testing::TestWithParam<DeleteCase> {};

TEST_P(ListPagingDeleteTest, CurrentRowAfterDelete)
{
    const DeleteCase& c = GetParam();
    TListPaging p = page(8);
    p.SetPosition(c.first, c.cur, c.countAfter + 1);
    p.AfterDelete(c.countAfter);
    EXPECT_EQ(p.FirstIndex(), c.firstAfter);
    EXPECT_EQ(p.CurIndex(), c.curAfter);
}

INSTANTIATE_TEST_SUITE_P(Cases, ListPagingDeleteTest,
                         ::testing::Values(DeleteCase{"OnlyRecordLeavesNone", 0, 0, 0, 0, -1},
                                           DeleteCase{"LastOfSeveralMakesNewLastCurrent", 0, 4, 4, 0, 3},
                                           DeleteCase{"MiddleKeepsRow", 0, 2, 4, 0, 2},
                                           DeleteCase{"ScrolledPageMovesBack", 4, 7, 11, 3, 7},
                                           DeleteCase{"NoCurrentStaysNone", 0, -1, 3, 0, -1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ListPagingTest, UpAndDownScrollAtThePageEdges)
{
    TListPaging p = page(3);
    p.AfterAdd(5);  // first 2, current row 2 (record 4)
    EXPECT_FALSE(p.CanDown(5));
    EXPECT_FALSE(p.Down(5));
    EXPECT_TRUE(p.Up());
    EXPECT_TRUE(p.Up());
    EXPECT_EQ(p.CurIndex(), 0);
    EXPECT_TRUE(p.Up());  // on the first row the page scrolls
    EXPECT_EQ(p.FirstIndex(), 1);
    EXPECT_EQ(p.CurIndex(), 0);
    p.First(5);
    EXPECT_FALSE(p.CanUp());
    EXPECT_TRUE(p.Down(5));
    EXPECT_TRUE(p.Down(5));
    EXPECT_TRUE(p.Down(5));  // on the last row the page scrolls
    EXPECT_EQ(p.FirstIndex(), 1);
    EXPECT_EQ(p.CurIndex(), 2);

    EXPECT_FALSE(p.Touch(2, 3)) << "a row without a record cannot become current";
    EXPECT_TRUE(p.Touch(0, 5));
    EXPECT_EQ(p.CurrentRecord(), 1);
}

TEST(ListPagingTest, CellAndFooterTexts)
{
    EXPECT_EQ(ListCellText(Variant(std::int64_t{10})), "10%");
    EXPECT_EQ(ListCellText(Variant(Currency::fromRaw(123456000))), "12,346");
    EXPECT_EQ(ListCellText(Variant("리프트")), "리프트");
    EXPECT_EQ(ListCellText(Variant()), "");
    EXPECT_EQ(ListSumText(Currency(12000)), "12,000원");
    EXPECT_EQ(ListCountText(1234), "1,234");
}

TEST(ListPagingTest, SumsSkipValuesThatAreNotAmounts)
{
    const std::vector<Variant> column{Variant(Currency(1000)), Variant("x"), Variant(std::int64_t{5}), Variant(Currency(-300))};
    const auto get = [&](int, int aIndex) { return column[static_cast<std::size_t>(aIndex)]; };
    EXPECT_EQ(ListColumnSum(4, 0, get), Currency(700));
    EXPECT_EQ(ListColumnSum(4, -1, get), Currency(0));
}

}  // namespace
}  // namespace pos
