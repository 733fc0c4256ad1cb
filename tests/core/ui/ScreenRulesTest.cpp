#include "core/ui/ScreenRules.h"

#include <gtest/gtest.h>

namespace pos {
namespace {

int ticksUntilClosed(int aShowSecond)
{
    TSelfCloseCount count(aShowSecond);
    for (int tick = 1; tick <= 100; ++tick)
        if (count.Tick()) return tick;
    return -1;
}

TEST(SelfCloseTest, ClosesOnTheTickAfterTheCountReachedShowSecond)
{
    EXPECT_EQ(ticksUntilClosed(1), 2);
    EXPECT_EQ(ticksUntilClosed(3), 4);
    EXPECT_EQ(ticksUntilClosed(0), -1) << "0 never closes";
    EXPECT_EQ(ticksUntilClosed(-2), -1);
}

TEST(FooterMessageTest, TimedMessageGoesOnTheLastTick)
{
    TFooterMessage m;
    m.Show("확인", 10);
    for (int i = 0; i < 9; ++i) EXPECT_FALSE(m.Tick());
    EXPECT_EQ(m.Text(), "확인");
    EXPECT_TRUE(m.Tick());
    EXPECT_EQ(m.Text(), "");
    EXPECT_EQ(m.DispTime(), -1);
    EXPECT_FALSE(m.Tick());

    m.Show("계속", -1);  // untimed
    for (int i = 0; i < 20; ++i) EXPECT_FALSE(m.Tick());
    EXPECT_EQ(m.Text(), "계속");
    m.Show("", 10);
    EXPECT_EQ(m.DispTime(), -1);
}

TEST(FieldRulesTest, PromptAndPassingOver)
{
    EXPECT_EQ(FieldPrompt("품 목  코드"), "품목코드을(를) 입력하십시오.");
    EXPECT_EQ(FieldEntry(true, false, 0), TFieldEntry::PassOver);
    EXPECT_EQ(FieldEntry(false, true, 0), TFieldEntry::PassOver);
    EXPECT_EQ(FieldEntry(true, false, 1), TFieldEntry::Stop);
    EXPECT_EQ(FieldEntry(false, false, 0), TFieldEntry::Stop);
}

TEST(FieldRulesTest, FooterClock)
{
    EXPECT_EQ(FooterTimeText(0, 5), "오전12:05");
    EXPECT_EQ(FooterTimeText(9, 30), "오전09:30");
    EXPECT_EQ(FooterTimeText(12, 0), "오후12:00");
    EXPECT_EQ(FooterTimeText(15, 5), "오후03:05");
}

}  // namespace
}  // namespace pos
