#include "controls/ZoButtonRules.h"

#include "core/TextHelpers.h"

namespace pos {

std::vector<std::size_t> SetToggleDown(std::vector<TToggleState>& aButtons, std::size_t aIndex, bool aDown)
{
    std::vector<std::size_t> changed;
    if (aIndex >= aButtons.size()) return changed;
    TToggleState& self = aButtons[aIndex];
    if (self.down == aDown) return changed;
    if (self.down && !aDown && !self.allowAllUp) return changed;

    self.down = aDown;
    changed.push_back(aIndex);
    if (!aDown || self.groupIndex == 0) return changed;

    for (std::size_t i = 0; i < aButtons.size(); ++i) {
        TToggleState& other = aButtons[i];
        if (i == aIndex || other.groupIndex != self.groupIndex) continue;
        if (other.down) {
            other.down = false;
            changed.push_back(i);
        }
        other.allowAllUp = self.allowAllUp;
    }
    return changed;
}

bool ToggleOnRelease(const TToggleState& aButton) { return aButton.allowAllUp ? !aButton.down : true; }

TButtonClickEffect ResolveButtonClick(const TButtonClickInput& aInput)
{
    if (!aInput.enabled) return TButtonClickEffect::None;
    if (aInput.down && !aInput.allowAllUp) return TButtonClickEffect::EventOnly;
    if (aInput.fromKeyboard) return TButtonClickEffect::EventOnly;
    if (!aInput.hasCodes && aInput.key > 0 && !aInput.dontKeyPress) return TButtonClickEffect::EventAndKey;
    if (aInput.hasAssociate && !Trim(aInput.code).empty()) return TButtonClickEffect::EventAndCode;
    return TButtonClickEffect::EventOnly;
}

}  // namespace pos
