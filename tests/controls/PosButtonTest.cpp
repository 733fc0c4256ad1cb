#include "QtApp.h"
#include "controls/ZoKeys.h"
#include "controls/ZoPosButton.h"

#include <QLineEdit>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace pos {
namespace {

// A window with a focused field and touch buttons beside it.
class PosButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::App();
        window.resize(300, 200);
        field = new QLineEdit(&window);
        field->setGeometry(10, 10, 120, 30);
        ASSERT_TRUE(test::ShowActive(window));
        field->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), field);
    }

    TZoPosButton* button(int aX = 150)
    {
        auto* b = new TZoPosButton(&window);
        b->setGeometry(aX, 10, 60, 55);
        b->show();
        return b;
    }

    test::AppFirst app_;
    QWidget window;
    QLineEdit* field = nullptr;
};

TEST_F(PosButtonTest, KeyTypesIntoTheFocusedFieldButNotFromTheKeyboard)
{
    TZoPosButton* enter = button();
    enter->SetCaption(QStringLiteral("Enter"));
    enter->SetKey(VK_RETURN);
    TZoPosButton* seven = button(220);
    seven->SetKey(103);
    QSignalSpy returns(field, &QLineEdit::returnPressed);
    QSignalSpy clicks(enter, &TZoPosButton::clicked);

    QTest::mouseClick(seven, Qt::LeftButton);
    QTest::mouseClick(enter, Qt::LeftButton);
    EXPECT_EQ(field->text(), QStringLiteral("7"));
    EXPECT_EQ(returns.count(), 1);
    EXPECT_EQ(QApplication::focusWidget(), field) << "a touch button never takes the focus";

    enter->KeyClick();
    EXPECT_EQ(returns.count(), 1);
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(PosButtonTest, CodeGoesIntoTheAssociateFieldWithEnter)
{
    TZoPosButton* b = button();
    b->Add(QStringLiteral("대인"), QStringLiteral("41"));
    b->Add(QStringLiteral("소인"), QStringLiteral("42"));
    b->SetCaptionIndex(1);
    b->SetKey(VK_RETURN);  // codes win over the key
    b->SetAssociate(field);
    QSignalSpy returns(field, &QLineEdit::returnPressed);

    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(field->text(), QStringLiteral("42"));
    EXPECT_EQ(returns.count(), 1);

    b->SetCaptionIndex(7);  // no such caption: the index stays
    EXPECT_EQ(b->CurrentCaption(), QStringLiteral("소인"));
    b->Clear();
    EXPECT_EQ(b->Caption().index, 0);
    EXPECT_TRUE(b->Caption().codes.isEmpty());
}

TEST_F(PosButtonTest, ToggleGroupByTouch)
{
    TZoPosButton* first = button();
    TZoPosButton* second = button(220);
    for (TZoPosButton* b : {first, second}) {
        b->SetGroupIndex(1);
        b->SetKey(VK_RETURN);
    }
    QSignalSpy returns(field, &QLineEdit::returnPressed);
    QSignalSpy secondClicks(second, &TZoPosButton::clicked);

    QTest::mouseClick(first, Qt::LeftButton);
    QTest::mouseClick(second, Qt::LeftButton);
    EXPECT_FALSE(first->Down());
    EXPECT_TRUE(second->Down());

    QTest::mouseClick(second, Qt::LeftButton);
    EXPECT_TRUE(second->Down()) << "a pressed toggle that may not be released stays pressed";
    EXPECT_EQ(secondClicks.count(), 2);
    EXPECT_EQ(returns.count(), 0) << "a pressed toggle only raises its click";

    QSignalSpy doubles(second, &TZoPosButton::doubleClicked);
    QTest::mouseDClick(second, Qt::LeftButton);
    EXPECT_EQ(doubles.count(), 1);
}

TEST_F(PosButtonTest, DisabledButtonIgnoresTheMouse)
{
    TZoPosButton* b = button();
    b->SetKey(103);
    b->setEnabled(false);
    QSignalSpy clicks(b, &TZoPosButton::clicked);
    QTest::mouseClick(b, Qt::LeftButton);
    b->Click();
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_TRUE(field->text().isEmpty());
}

TEST_F(PosButtonTest, FacePaintsTheDownColourWhilePressed)
{
    TZoPosButton* b = button();
    b->SetColor(TZoPosButtonColor::Face, 0x0000FF);
    b->SetColor(TZoPosButtonColor::FaceDown, 0xFF0000);
    EXPECT_EQ(b->grab().toImage().pixelColor(30, 45), QColor(255, 0, 0));
    b->SetGroupIndex(3);
    b->SetDown(true);
    EXPECT_EQ(b->grab().toImage().pixelColor(30, 45), QColor(0, 0, 255));
}

}  // namespace
}  // namespace pos
