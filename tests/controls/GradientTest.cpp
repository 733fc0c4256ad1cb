#include "QtApp.h"
#include "controls/ZoGradient.h"
#include "controls/ZoRoundRect.h"

#include <QImage>

#include <gtest/gtest.h>

namespace pos {
namespace {

TEST(GradientFillsTest, FourBandsBlackToRed)
{
    // t = 30 / 3 = 10; the fourth band starts at the lower edge.
    TGradientLayout layout{30, 4, 0, 0, 0x000000, 0x0000FF};
    const std::vector<TGradientFill> expected{{0, 11, 0x000000}, {10, 11, 0x000055}, {20, 11, 0x0000AA}, {30, 11, 0x0000FF}};
    EXPECT_EQ(GradientFills(layout), expected);
}

TEST(GradientFillsTest, SkipsFillPlainEnds)
{
    TGradientLayout layout{40, 4, 1, 1, 0x000000, 0xFFFFFF};
    const auto fills = GradientFills(layout);
    ASSERT_EQ(fills.size(), 4u);
    EXPECT_EQ(fills.front(), (TGradientFill{0, 10, 0x000000}));
    EXPECT_EQ(fills.back(), (TGradientFill{30, 10, 0xFFFFFF}));
}

struct PlainCase {
    const char* name;
    int step, skipStart, skipEnd;
};

class GradientPlainTest : public ::testing::TestWithParam<PlainCase> {};

// Fewer than two colour bands leave nothing to divide the thickness by: the
// middle is one plain fill in the start colour and the whole extent is covered.
TEST_P(GradientPlainTest, CoversTheExtentInOnePiece)
{
    const PlainCase& c = GetParam();
    const auto fills = GradientFills({30, c.step, c.skipStart, c.skipEnd, 0x123456, 0xABCDEF});
    ASSERT_FALSE(fills.empty());
    int covered = 0;
    for (const auto& f : fills) {
        EXPECT_EQ(f.start, covered);
        covered += f.length;
    }
    EXPECT_EQ(covered, 30);
    EXPECT_EQ(fills.front().color, 0x123456u);
}

INSTANTIATE_TEST_SUITE_P(Cases, GradientPlainTest,
                         ::testing::Values(PlainCase{"OneBand", 1, 0, 0}, PlainCase{"NoBands", 0, 0, 0},
                                           PlainCase{"NegativeStep", -3, 0, 0}, PlainCase{"SkipsLeaveOne", 3, 1, 1},
                                           PlainCase{"SkipsBeyondStep", 2, 5, 5}),
                         [](const auto& info) { return std::string(info.param.name); });

class GradientPaintTest : public ::testing::Test {
protected:
    void SetUp() override { test::App(); }
};

TEST_F(GradientPaintTest, BandColoursReadFromPixels)
{
    for (bool vertical : {true, false}) {
        TZoGradient g;
        g.SetVertical(vertical);
        g.resize(vertical ? QSize(12, 30) : QSize(30, 12));
        g.SetStep(4);
        g.SetColors(0x000000, 0x0000FF);
        const QImage img = g.grab().toImage();
        auto at = [&](int along) { return vertical ? img.pixelColor(5, along) : img.pixelColor(along, 5); };
        EXPECT_EQ(at(5), QColor(0, 0, 0)) << vertical;
        EXPECT_EQ(at(15), QColor(0x55, 0, 0)) << vertical;
        EXPECT_EQ(at(25), QColor(0xAA, 0, 0)) << vertical;
        EXPECT_EQ(at(29), QColor(0xAA, 0, 0)) << "the end colour shows only through skipEnd";
    }
}

TEST_F(GradientPaintTest, SingleBandPaintsPlainAndBorderOnTop)
{
    TZoGradient g;
    g.resize(20, 20);
    g.SetStep(1);
    g.SetColors(0xFF0000, 0x000000);
    g.SetBorder(true, 0x00FF00, 0x00FF00, 0x0000FF, 0x0000FF);
    const QImage img = g.grab().toImage();
    EXPECT_EQ(img.pixelColor(10, 10), QColor(0, 0, 255));  // $FF0000 is blue
    EXPECT_EQ(img.pixelColor(10, 0), QColor(0, 255, 0));
    EXPECT_EQ(img.pixelColor(10, 19), QColor(255, 0, 0));
}

TEST_F(GradientPaintTest, RoundRectShadowSitsBehindTheBody)
{
    TZoRoundRect r;
    r.resize(100, 100);
    r.SetRoundSize(0);
    r.SetColors(0xFFFFFF, 0x000000, 0x808080);
    EXPECT_EQ(r.BodyRect(), QRect(0, 0, 90, 90));
    const QImage img = r.grab().toImage();
    EXPECT_EQ(img.pixelColor(50, 50), QColor(255, 255, 255));
    EXPECT_EQ(img.pixelColor(95, 95), QColor(128, 128, 128));
}

}  // namespace
}  // namespace pos
