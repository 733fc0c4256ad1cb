#include "QtApp.h"
#include "controls/ZoPosButton.h"
#include "core/ui/TfrmGetBox.h"
#include "core/ui/TfrmKeyFrame.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

namespace pos {
namespace {

class KeyFrameTest : public ::testing::Test {
protected:
    void SetUp() override { test::App(); }
};

TEST_F(KeyFrameTest, TwelveKeysWithTheKeyboardsCodes)
{
    TfrmKeyFrame keypad;
    const char* captions[] = {"7", "8", "9", "4", "5", "6", "1", "2", "3", "0", "←", "Enter"};
    const int codes[] = {103, 104, 105, 100, 101, 102, 97, 98, 99, 96, 8, 13};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(keypad.Key(i)->CurrentCaption(), QString::fromUtf8(captions[i])) << i;
        EXPECT_EQ(keypad.Key(i)->Caption().key, codes[i]) << i;
        EXPECT_EQ(keypad.Key(i)->size(), QSize(64, 46));
    }
    EXPECT_LT(keypad.Key(0)->y(), keypad.Key(3)->y());
    EXPECT_LT(keypad.Key(0)->x(), keypad.Key(1)->x());
}

TEST_F(KeyFrameTest, KeypadTypesIntoTheFocusedFieldOfAnInputDialog)
{
    TInheritOptions o;
    o.caption = QStringLiteral("수량");
    o.width = 460;
    o.height = 340;
    TfrmGetBox box(TScreenEnv{}, o);
    auto* first = new QLineEdit(&box);
    first->setGeometry(20, 90, 100, 30);
    auto* second = new QLineEdit(&box);
    second->setGeometry(20, 130, 100, 30);
    ASSERT_TRUE(test::ShowActive(box));
    second->setFocus();
    QSignalSpy returns(second, &QLineEdit::returnPressed);

    for (const char* caption : {"1", "2", "←", "3", "Enter"})
        QTest::mouseClick(box.fraKeyPad->KeyByCaption(QString::fromUtf8(caption)), Qt::LeftButton);

    EXPECT_EQ(second->text(), QStringLiteral("13"));
    EXPECT_TRUE(first->text().isEmpty());
    EXPECT_EQ(returns.count(), 1);
    EXPECT_EQ(QApplication::focusWidget(), second);
}

TEST_F(KeyFrameTest, InputDialogKeepsTitleCloseAndMessageOnly)
{
    TInheritOptions o;
    o.caption = QStringLiteral("수량");
    o.width = 460;
    o.height = 340;
    TfrmGetBox box(TScreenEnv{}, o);
    EXPECT_EQ(box.lblTitle->text(), QStringLiteral("수량"));
    EXPECT_NE(box.btnClose, nullptr);
    EXPECT_FALSE(box.lblMasterUpjangNameTitle->isVisibleTo(&box));
    EXPECT_FALSE(box.lblFooterCashier->isVisibleTo(&box));
    EXPECT_FALSE(box.lblFooterDate->isVisibleTo(&box));
    EXPECT_TRUE(box.lblFooterMessage->isVisibleTo(&box));
    EXPECT_FALSE(box.tmrTimer->isActive());
}

}  // namespace
}  // namespace pos
