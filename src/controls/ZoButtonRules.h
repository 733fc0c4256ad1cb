#pragma once
// The rules of the touch button that do not need a window: how toggle groups
// press and release, and what a click does (raise the event, type a key, put a
// code into the associate field). The button widget only applies them.

#include <cstddef>
#include <string>
#include <vector>

namespace pos {

// One toggle button as the group rules see it.
struct TToggleState {
    int groupIndex = 0;      // 0: not a toggle
    bool down = false;
    bool allowAllUp = false;
};

// Asks button aIndex of aButtons (the buttons of one parent) to become
// pressed or released. Nothing happens when the state is unchanged or when a
// pressed button may not be released. When the button becomes pressed, every
// other pressed button of its group is released and takes over the
// presser's allowAllUp. Returns the indices whose state changed.
std::vector<std::size_t> SetToggleDown(std::vector<TToggleState>& aButtons, std::size_t aIndex, bool aDown);

// What the mouse release of a toggle button asks for: a flip when it may be
// released, otherwise pressed.
bool ToggleOnRelease(const TToggleState& aButton);

struct TButtonClickInput {
    bool enabled = true;
    bool down = false;
    bool allowAllUp = false;
    bool hasCodes = false;        // the button carries code texts
    int key = 0;                  // virtual-key code to type, 0: none
    bool fromKeyboard = false;    // the click was triggered by a key, not a touch
    bool dontKeyPress = false;
    bool hasAssociate = false;
    std::string code;             // code at the caption index
};

enum class TButtonClickEffect {
    None,          // disabled: nothing at all
    EventOnly,     // the click event and nothing more
    EventAndKey,   // the click event, then the button's key is typed
    EventAndCode,  // the click event, then the code goes into the associate field and Enter is typed
};

TButtonClickEffect ResolveButtonClick(const TButtonClickInput& aInput);

}  // namespace pos
