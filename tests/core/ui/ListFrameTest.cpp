#include "QtApp.h"
#include "controls/ZoPosButton.h"
#include "controls/ZoPosLabel.h"
#include "core/ui/TfrmListFrame.h"

#include <QLabel>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace pos {
namespace {

constexpr int kEightRows = 30 + 26 * 8;

class ListFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::App();
        list.resize(400, kEightRows);
        list.CreateList();
        list.AddListItem(QStringLiteral("품명"), 150);
        list.AddListItem(QStringLiteral("할인"), 50, Qt::AlignRight);
        list.AddListItem(QStringLiteral("금액"), 0, Qt::AlignRight);
        list.SetLog([this](const std::string& aProcedure, const std::string& aMessage) {
            log.push_back(aProcedure + ": " + aMessage);
        });
    }

    void add(int aCount)
    {
        for (int i = 0; i < aCount; ++i)
            list.AddList({Variant("품목" + std::to_string(GetCount())), Variant(std::int64_t{10}),
                          Variant(Currency(1000 * (GetCount() + 1)))});
    }
    int GetCount() const { return list.GetCount(); }

    test::AppFirst app_;
    TfrmListFrame list;
    std::vector<std::string> log;
};

TEST_F(ListFrameTest, RowsFitTheHeight)
{
    EXPECT_EQ(list.ListCount(), 8);
    list.SetFooterVisible(true);
    EXPECT_EQ(list.ListCount(), 7);
    EXPECT_TRUE(list.panFooter->isVisibleTo(&list));
}

TEST_F(ListFrameTest, ColumnTitlesSitAfterTheEarlierColumns)
{
    EXPECT_EQ(list.ColumnTitle(0)->geometry(), QRect(0, 0, 154, 30));
    EXPECT_EQ(list.ColumnTitle(1)->x(), 154);
    EXPECT_EQ(list.ColumnTitle(2)->x(), 154 + 55) << "a right-aligned column takes 5 pixels more";
    EXPECT_EQ(list.Row(0)->Items()[2].width, -5) << "width 0 takes the rest of the row";
}

TEST_F(ListFrameTest, AddingShowsTheNewRecordAsCurrent)
{
    QSignalSpy changes(&list, &TfrmListFrame::changed);
    QSignalSpy inserts(&list, &TfrmListFrame::inserted);
    add(1);
    EXPECT_EQ(list.CurIndex(), 0);
    EXPECT_TRUE(list.Row(0)->Selected());
    add(9);
    EXPECT_EQ(list.FirstIndex(), 2);
    EXPECT_EQ(list.CurIndex(), 7);
    EXPECT_EQ(list.Row(7)->Text(0), QStringLiteral("품목9"));
    EXPECT_TRUE(list.btnUp->isEnabled());
    EXPECT_FALSE(list.btnDown->isEnabled());
    EXPECT_EQ(changes.count(), 10);
    EXPECT_EQ(inserts.count(), 10);
}

TEST_F(ListFrameTest, CellsFooterAndSums)
{
    list.SetFooterVisible(true);
    list.SetSumIndex(2);
    list.AddList({Variant("A"), Variant(std::int64_t{10}), Variant(Currency::fromRaw(123456000))});
    list.AddList({Variant("B"), Variant("-"), Variant(Currency(-345))});
    EXPECT_EQ(list.Row(0)->Text(1), QStringLiteral("10%"));
    EXPECT_EQ(list.Row(0)->Text(2), QStringLiteral("12,346"));
    EXPECT_EQ(list.Row(1)->Text(1), QStringLiteral("-"));
    EXPECT_EQ(list.Sum(), Currency::fromRaw(120006000));
    EXPECT_EQ(list.lblSum->text(), QStringLiteral("12,001원"));
    EXPECT_EQ(list.lblCount->text(), QStringLiteral("2"));
    EXPECT_TRUE(list.Row(2)->Text(0).isEmpty());
}

TEST_F(ListFrameTest, EmptyRowsAreInert)
{
    add(3);
    list.FirstList();
    QSignalSpy changes(&list, &TfrmListFrame::changed);
    QTest::mouseClick(list.Row(5), Qt::LeftButton);
    EXPECT_EQ(list.CurIndex(), 0);
    EXPECT_EQ(changes.count(), 0);
    QTest::mouseClick(list.Row(2), Qt::LeftButton);
    EXPECT_EQ(list.CurIndex(), 2);
    EXPECT_TRUE(list.Row(2)->Selected());
    EXPECT_FALSE(list.Row(0)->Selected());
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(ListFrameTest, PageButtonsMoveTheCurrentRow)
{
    add(10);
    list.FirstList();
    EXPECT_FALSE(list.btnUp->isEnabled());
    for (int i = 0; i < 8; ++i) QTest::mouseClick(list.btnDown, Qt::LeftButton);
    EXPECT_EQ(list.FirstIndex(), 1);
    EXPECT_EQ(list.CurIndex(), 7);
    EXPECT_EQ(list.CurrentRecord(), 8);
    list.UpList();
    EXPECT_EQ(list.CurrentRecord(), 7);
}

TEST_F(ListFrameTest, DeletingMovesTheCurrentRow)
{
    QSignalSpy deletes(&list, &TfrmListFrame::deleted);
    add(1);
    EXPECT_TRUE(list.DeleteList());
    EXPECT_EQ(list.CurIndex(), -1);
    EXPECT_FALSE(list.DeleteList()) << "no current record: nothing to delete";
    add(4);
    EXPECT_TRUE(list.DeleteList(3));
    EXPECT_EQ(list.CurrentRecord(), 2);
    EXPECT_EQ(list.GetDataItem(0), Variant("품목2"));
    list.ClearList();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(list.CurIndex(), -1);
    EXPECT_EQ(deletes.count(), 3);
    EXPECT_TRUE(log.empty());
}

TEST_F(ListFrameTest, IndexBeyondTheRecordsIsRefusedAndLogged)
{
    add(3);
    QSignalSpy changes(&list, &TfrmListFrame::changed);
    EXPECT_FALSE(list.ChangeList({Variant("X")}, 3));
    EXPECT_FALSE(list.DeleteList(7));
    EXPECT_FALSE(list.SetDataItem(0, 3, Variant("X")));
    EXPECT_TRUE(list.GetDataItem(0, 9).isEmpty());
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetDataItem(0, 2), Variant("품목2"));
    EXPECT_EQ(changes.count(), 0);
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0], "TfrmListFrame.ChangeList: index 3 out of range, count 3");

    QSignalSpy updates(&list, &TfrmListFrame::updated);
    EXPECT_TRUE(list.ChangeList({Variant("바뀐 품목"), Variant(std::int64_t{0}), Variant(Currency(5))}));
    EXPECT_EQ(list.Row(2)->Text(0), QStringLiteral("바뀐 품목"));
    EXPECT_EQ(updates.count(), 1);
}

// A model that keeps its own rows, page and current row (as the bill list
// does) shown through the frame.
class ModelFrame : public TfrmListFrame {
public:
    std::vector<std::pair<std::string, Currency>> lines;
    int GetCount() const override { return static_cast<int>(lines.size()); }
    Variant GetDataItem(int aItem, int aIndex) const override
    {
        if (aIndex == -1) aIndex = CurrentRecord();
        if (aIndex < 0 || aIndex >= GetCount()) return {};
        const auto& line = lines[static_cast<std::size_t>(aIndex)];
        return aItem == 0 ? Variant(line.first) : Variant(line.second);
    }
};

TEST(ListFrameModelTest, ShowsAModelThatPagesItself)
{
    test::App();
    ModelFrame frame;
    frame.resize(300, 30 + 26 * 3);
    frame.CreateList();
    frame.AddListItem(QStringLiteral("품명"), 150);
    frame.AddListItem(QStringLiteral("금액"), 0, Qt::AlignRight);
    frame.SetSumIndex(1);
    for (int i = 0; i < 5; ++i) frame.lines.emplace_back("품목" + std::to_string(i), Currency(100 * (i + 1)));

    frame.ShowPage(2, 1);
    EXPECT_EQ(frame.Row(0)->Text(0), QStringLiteral("품목2"));
    EXPECT_EQ(frame.CurrentRecord(), 3);
    EXPECT_TRUE(frame.Row(1)->Selected());
    EXPECT_EQ(frame.Sum(), Currency(1500));
    EXPECT_TRUE(frame.btnDown->isEnabled());

    frame.lines.resize(3);
    frame.ShowPage(2, 1);  // the model's row no longer exists
    EXPECT_EQ(frame.CurIndex(), -1);
    EXPECT_TRUE(frame.Row(1)->Text(0).isEmpty());
}

}  // namespace
}  // namespace pos
