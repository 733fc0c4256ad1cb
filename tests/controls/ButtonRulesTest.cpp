#include "controls/ZoButtonRules.h"

#include <gtest/gtest.h>

namespace pos {
namespace {

struct ToggleCase {
    const char* name;
    std::vector<TToggleState> before;
    std::size_t index;
    bool down;
    std::vector<bool> downAfter;
};

class ToggleGroupTest : public ::testing::TestWithParam<ToggleCase> {};

TEST_P(ToggleGroupTest, PressAndRelease)
{
    const ToggleCase& c = GetParam();
    std::vector<TToggleState> buttons = c.before;
    SetToggleDown(buttons, c.index, c.down);
    std::vector<bool> after;
    for (const auto& b : buttons) after.push_back(b.down);
    EXPECT_EQ(after, c.downAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToggleGroupTest,
    ::testing::Values(
        ToggleCase{"PressingSecondReleasesFirst", {{1, true, false}, {1, false, false}}, 1, true, {false, true}},
        ToggleCase{"PressedWithoutAllowAllUpStaysPressed", {{1, true, false}, {1, false, false}}, 0, false, {true, false}},
        ToggleCase{"AllowAllUpReleases", {{1, true, true}, {1, false, true}}, 0, false, {false, false}},
        ToggleCase{"OtherGroupUntouched", {{1, true, false}, {2, true, false}, {1, false, false}}, 2, true,
                   {false, true, true}},
        ToggleCase{"GroupZeroIsNoGroup", {{0, true, false}, {0, false, false}}, 1, true, {true, true}},
        ToggleCase{"IndexOutOfRangeChangesNothing", {{1, true, false}}, 5, false, {true}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ToggleGroupTest, PresserHandsItsAllowAllUpToTheGroup)
{
    std::vector<TToggleState> buttons{{1, true, false}, {1, false, true}};
    const auto changed = SetToggleDown(buttons, 1, true);
    EXPECT_EQ(changed, (std::vector<std::size_t>{1, 0}));
    EXPECT_TRUE(buttons[0].allowAllUp);
    // The release of a mouse asks a flip only of a releasable toggle.
    EXPECT_FALSE(ToggleOnRelease(buttons[1]));
    EXPECT_TRUE(ToggleOnRelease({1, true, false}));
}

struct ClickCase {
    const char* name;
    TButtonClickInput in;
    TButtonClickEffect effect;
};

TButtonClickInput input(auto&& aSet)
{
    TButtonClickInput in;
    aSet(in);
    return in;
}

class ButtonClickTest : public ::testing::TestWithParam<ClickCase> {};

TEST_P(ButtonClickTest, Effect) { EXPECT_EQ(ResolveButtonClick(GetParam().in), GetParam().effect); }

INSTANTIATE_TEST_SUITE_P(
    Cases, ButtonClickTest,
    ::testing::Values(
        ClickCase{"KeyWithoutCodesIsTyped", input([](auto& i) { i.key = 13; }), TButtonClickEffect::EventAndKey},
        ClickCase{"KeyboardClickTypesNothing", input([](auto& i) { i.key = 13; i.fromKeyboard = true; }),
                  TButtonClickEffect::EventOnly},
        ClickCase{"DontKeyPress", input([](auto& i) { i.key = 13; i.dontKeyPress = true; }), TButtonClickEffect::EventOnly},
        ClickCase{"CodeGoesToAssociate",
                  input([](auto& i) { i.hasCodes = true; i.key = 13; i.hasAssociate = true; i.code = "42"; }),
                  TButtonClickEffect::EventAndCode},
        ClickCase{"BlankCodeTypesNothing", input([](auto& i) { i.hasCodes = true; i.hasAssociate = true; i.code = "  "; }),
                  TButtonClickEffect::EventOnly},
        ClickCase{"CodeWithoutAssociate", input([](auto& i) { i.hasCodes = true; i.code = "42"; }),
                  TButtonClickEffect::EventOnly},
        ClickCase{"PressedToggleOnlyRaisesEvent", input([](auto& i) { i.key = 13; i.down = true; }),
                  TButtonClickEffect::EventOnly},
        ClickCase{"ReleasableToggleTypes", input([](auto& i) { i.key = 13; i.down = true; i.allowAllUp = true; }),
                  TButtonClickEffect::EventAndKey},
        ClickCase{"DisabledDoesNothing", input([](auto& i) { i.key = 13; i.enabled = false; }), TButtonClickEffect::None}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pos
