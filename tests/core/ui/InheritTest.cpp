#include "QtApp.h"
#include "controls/ZoColor.h"
#include "controls/ZoPosButton.h"
#include "core/TerminalContext.h"
#include "core/ui/TfrmInherit.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

namespace pos {
namespace {

class InheritTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::App();
        context.gsMasterUpjangName = "스키 렌탈샵";
        context.gsMasterPosNo = "01";
        context.gsUpjangName = "스키 대여";
        context.gsPosNo = "02";
        context.gsCashier = "1001";
        context.gsCashierName = "김계산";
        context.gsSaleDate = "20240115";
        env.context = &context;
        env.showLineDisplay = [this](const std::string& a, const std::string& b) { display.push_back(a + b); };
        options.caption = QStringLiteral("판매");
    }

    static QColor textColor(const QLabel* aLabel) { return aLabel->palette().color(QPalette::WindowText); }
    static QColor baseColor(const QWidget* aField) { return aField->palette().color(QPalette::Base); }

    TTerminalContext context;
    TScreenEnv env;
    TInheritOptions options;
    std::vector<std::string> display;
};

TEST_F(InheritTest, TitleAndFooterFromTheContext)
{
    context.gbTestMode = true;
    context.gbPreSale = true;
    TfrmInherit screen(env, options);
    EXPECT_EQ(screen.lblTitle->text(), QStringLiteral("판매"));
    EXPECT_EQ(screen.lblTitleS->geometry(), screen.lblTitle->geometry().translated(1, 1));
    EXPECT_EQ(screen.lblMasterUpjangNameTitle->text(), QStringLiteral("스키 렌탈샵"));
    EXPECT_EQ(screen.lblMasterPosNoTitle->text(), QStringLiteral("#01"));
    EXPECT_EQ(screen.lblUpjangNameTitle->text(), QStringLiteral("스키 대여"));
    EXPECT_EQ(screen.lblPosNoTitle->text(), QStringLiteral("#02"));
    EXPECT_EQ(screen.lblFooterCashier->text(), QStringLiteral("김계산"));
    EXPECT_EQ(textColor(screen.lblFooterCashier), QColor(Qt::red)) << "test mode";
    EXPECT_EQ(screen.lblFooterDate->text(), QStringLiteral("2024-01-15"));
    EXPECT_EQ(textColor(screen.lblFooterDate), QColor(Qt::red)) << "pre-sale";
    EXPECT_TRUE(screen.tmrTimer->isActive());
    ASSERT_NE(screen.btnClose, nullptr);
    EXPECT_EQ(screen.btnClose->geometry(), QRect(800 - 9 - 48, 8, 48, 44));

    screen.ShowCashier("박대리", "1002");
    EXPECT_EQ(screen.lblFooterCashier->text(), QStringLiteral("박대리"));
    context.gsCashier.clear();
    screen.ShowCashier();
    EXPECT_TRUE(screen.lblFooterCashier->text().isEmpty());
    screen.ShowDate("20240230");
    EXPECT_TRUE(screen.lblFooterDate->text().isEmpty());
}

TEST_F(InheritTest, SwitchedOffElements)
{
    options.noCI = options.noUpjang = options.noClose = options.noDate = true;
    TfrmInherit screen(env, options);
    EXPECT_FALSE(screen.imgCI->isVisibleTo(&screen));
    EXPECT_FALSE(screen.lblMasterUpjangNameTitle->isVisibleTo(&screen));
    EXPECT_EQ(screen.btnClose, nullptr);
    EXPECT_FALSE(screen.tmrTimer->isActive());
    EXPECT_FALSE(screen.lblFooterTime->isVisibleTo(&screen));
    EXPECT_TRUE(screen.lblFooterCashier->isVisibleTo(&screen));
}

TEST_F(InheritTest, FooterMessageGoesAfterItsTime)
{
    TfrmInherit screen(env, options);
    screen.ShowMsg("저장할 수 없습니다.", true, 10);
    EXPECT_EQ(textColor(screen.lblFooterMessage), ZoColor(0x800080));
    for (int s = 1; s <= 9; ++s) screen.TimerTick(QTime(10, 0, s));
    EXPECT_EQ(screen.lblFooterMessage->text(), QStringLiteral("저장할 수 없습니다."));
    screen.TimerTick(QTime(10, 0, 10));
    EXPECT_TRUE(screen.lblFooterMessage->text().isEmpty());

    screen.TimerTick(QTime(15, 5, 0));  // a new minute shows the time
    EXPECT_EQ(screen.lblFooterTime->text(), QStringLiteral("오후03:05"));

    options.noMsg = true;
    TfrmInherit quiet(env, options);
    quiet.ShowMsg("안 보임");
    EXPECT_TRUE(quiet.FooterMessage().Text().empty());
}

TEST_F(InheritTest, CustomerDisplayClearedOnOpenAndClose)
{
    {
        TfrmInherit screen(env, options);
        EXPECT_EQ(display.size(), 1u);
    }
    EXPECT_EQ(display, (std::vector<std::string>{"", ""}));
}

TEST_F(InheritTest, CloseButtonClosesTheScreen)
{
    TfrmInherit screen(env, options);
    screen.show();
    QTest::mouseClick(screen.btnClose, Qt::LeftButton);
    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(screen.result(), QDialog::Rejected);
}

TEST_F(InheritTest, FieldsPromptColourAndPassOver)
{
    TfrmInherit screen(env, options);
    auto* codeLabel = new QLabel(QStringLiteral("품목 코드"), &screen);
    auto* code = new QLineEdit(&screen);
    codeLabel->setBuddy(code);
    auto* name = new QLineEdit(&screen);  // read-only, tag 0: passed over
    name->setReadOnly(true);
    auto* count = new QLineEdit(&screen);
    auto* amount = new QLineEdit(&screen);  // read-only but tagged: stops
    amount->setReadOnly(true);
    amount->setProperty("tag", 1);
    int y = 80;
    for (QWidget* w : {static_cast<QWidget*>(code), static_cast<QWidget*>(name), static_cast<QWidget*>(count),
                       static_cast<QWidget*>(amount)}) {
        w->setGeometry(150, y, 120, 28);
        y += 40;
    }
    ASSERT_TRUE(test::ShowActive(screen));

    code->setFocus();
    EXPECT_EQ(baseColor(code), ZoColor(TfrmInherit::kFocusColor));
    EXPECT_EQ(screen.FooterMessage().Text(), "품목코드을(를) 입력하십시오.");

    QTest::keyClick(code, Qt::Key_Down);
    QTRY_COMPARE(QApplication::focusWidget(), count);
    EXPECT_EQ(baseColor(name), ZoColor(TfrmInherit::kPassedColor));
    EXPECT_EQ(baseColor(code), QColor(Qt::white));

    QTest::keyClick(count, Qt::Key_Down);
    QTRY_COMPARE(QApplication::focusWidget(), amount);
    EXPECT_EQ(baseColor(amount), ZoColor(TfrmInherit::kFocusColor));

    QTest::keyClick(amount, Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), count);

    screen.ShowMsg("알림");
    QTest::keyClick(count, Qt::Key_5);
    EXPECT_TRUE(screen.FooterMessage().Text().empty()) << "typing clears the footer message";
}

TEST_F(InheritTest, AllFieldsPassedOverDoesNotLoop)
{
    options.noClose = true;
    TfrmInherit screen(env, options);
    auto* a = new QLineEdit(&screen);
    a->setReadOnly(true);
    auto* b = new QLineEdit(&screen);
    b->setReadOnly(true);
    b->move(0, 100);
    ASSERT_TRUE(test::ShowActive(screen));
    a->setFocus();
    for (int i = 0; i < 200; ++i) QApplication::processEvents();
    EXPECT_TRUE(a->hasFocus() || b->hasFocus());
}

}  // namespace
}  // namespace pos
