#include "QtApp.h"
#include "controls/ZoPosLabel.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace pos {
namespace {

class PosLabelTest : public ::testing::Test {
protected:
    void SetUp() override { test::App(); }

    TZoPosLabel* row(int aY, int aGroup, const QString& aText)
    {
        auto* label = new TZoPosLabel(&parent);
        label->setGeometry(0, aY, 200, 26);
        label->SetGroupIndex(aGroup);
        label->AddItem({}).width = 60;
        label->AddItem({}).width = -5;
        label->SetText(0, aText);
        return label;
    }

    test::AppFirst app_;
    QWidget parent;
};

TEST_F(PosLabelTest, EmptyRowIsInert)
{
    TZoPosLabel* empty = row(0, 1, QString());
    QSignalSpy clicks(empty, &TZoPosLabel::clicked);
    QTest::mouseClick(empty, Qt::LeftButton);
    EXPECT_FALSE(empty->Selected());
    EXPECT_EQ(clicks.count(), 0);

    empty->SetAlwaysEnabled(true);
    QTest::mouseClick(empty, Qt::LeftButton);
    EXPECT_TRUE(empty->Selected());
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(PosLabelTest, OneSelectedPerGroup)
{
    TZoPosLabel* a = row(0, 1, QStringLiteral("A"));
    TZoPosLabel* b = row(26, 1, QStringLiteral("B"));
    TZoPosLabel* other = row(52, 2, QStringLiteral("C"));
    a->SetSelected(true);
    other->SetSelected(true);
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_FALSE(a->Selected());
    EXPECT_TRUE(b->Selected());
    EXPECT_TRUE(other->Selected());

    // Checking a selected label also claims the group.
    a->SetSelected(true);
    EXPECT_FALSE(b->Selected());
}

TEST_F(PosLabelTest, CellsAreOffsetFourPixelsPerCell)
{
    TZoPosLabel* label = row(0, 0, QStringLiteral("A"));
    EXPECT_EQ(label->CellRect(0).left(), 4);
    EXPECT_EQ(label->CellRect(0).right(), 60 + 4 - 1);
    EXPECT_EQ(label->CellRect(1).left(), 60 + 8);
    EXPECT_EQ(label->CellRect(1).right(), 199) << "a negative width runs to the end of the row";
}

TEST_F(PosLabelTest, SelectedAndCheckedBackgrounds)
{
    TZoPosLabel* label = row(0, 0, QStringLiteral("A"));
    label->SetColorSelected(0x0000FF);
    label->SetColorChecked(0x00FF00);
    label->SetSelected(true);
    EXPECT_EQ(label->grab().toImage().pixelColor(190, 3), QColor(255, 0, 0));
    label->SetChecked(true);
    EXPECT_EQ(label->grab().toImage().pixelColor(190, 3), QColor(0, 255, 0));
}

}  // namespace
}  // namespace pos
