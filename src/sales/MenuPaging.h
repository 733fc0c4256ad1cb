#pragma once
// The three tiers of touch buttons of the sale screen (outlets, menu groups,
// menus) without the buttons: which caption and code each button shows on
// which page, which buttons are live, how the tiers page, which menus pass
// the display filters, and when the menus are refilled by the clock. The
// sale screen only paints what these say.

#include <cstdint>
#include <string>
#include <vector>

namespace pos {

struct TTerminalContext;
struct TMenuData;
class TMasterStore;

struct TButtonEntry {
    std::string caption;
    std::string code;
    bool Blank() const;  // an empty or all-blank caption: the button is off
};

// One tier: n buttons sharing one page index. Entry k of the list goes to
// button k mod n as page k div n; the last page is padded with blank
// entries so that every button has the same number of pages.
class TButtonTier {
public:
    explicit TButtonTier(int aButtons);

    int Buttons() const { return buttons_; }
    void Clear();
    void Fill(std::vector<TButtonEntry> aEntries);  // page back to 0, no button down
    int Count() const { return count_; }            // entries before padding
    int PageCount() const;
    int Page() const { return page_; }
    void SetPage(int aPage);

    // The entry a button shows on the current page; aButton is 0-based.
    const TButtonEntry& Entry(int aButton) const;
    bool Enabled(int aButton) const;
    // The index in the filled list of the entry a button shows.
    int ListIndex(int aButton) const { return page_ * buttons_ + aButton; }

    // The pressed button of an exclusive tier; -1 when none.
    int DownButton() const { return down_; }
    void SetDown(int aButton) { down_ = aButton; }

    // The page after the current one, back to 0 after the last.
    int NextPageWrapping() const;

private:
    int buttons_;
    std::vector<TButtonEntry> entries_;  // padded
    int count_ = 0;
    int page_ = 0;
    int down_ = -1;
};

// What the menu filter needs to know besides the menu record.
struct TMenuFilter {
    std::string upjangCode;
    std::string menuGroupNo;
    bool bySubGroup = false;  // hotel restaurants: menus of one sub-group
    std::string menuSubGroupNo;
    std::string seasonCode;
    std::string businessGubun;
    std::string now;               // local time "hhnn"
    bool timeWindow = true;        // display windows apply (see MenuTimeWindowApplies)
    bool daesoFilter = false;      // the adult/child button is visible
    bool childMode = false;        // the adult/child button is down
    std::string daesoCodeAdult = "1", daesoCodeChild = "2";
};

// Display windows are not applied during a pre-sale and on terminals whose
// number is above "90" (a text comparison: "90" itself is filtered).
bool MenuTimeWindowApplies(bool aPreSale, const std::string& aMasterPosNo);

// Whether a menu record is shown on the menu buttons.
bool MenuVisible(const TMenuData& aMenu, const TMenuFilter& aFilter);

// The menu buttons' entries, (MenuName, MenuCode) in list order.
std::vector<TButtonEntry> ShownMenus(const std::vector<TMenuData>& aMenus, const TMenuFilter& aFilter);

// The ten-minute slot of a moment: display windows are kept to whole ten
// minutes, so the menus need refilling only when the slot changes.
std::int64_t TenMinuteSlot(std::int64_t aDayNumber, int aHour, int aMinute);

// The clock's menu refresh. A refill is due whenever the slot differs from
// the one the menus were last filled in, so a tick that came late (a busy
// screen, a modal dialog) still refreshes at the next tick instead of
// waiting another ten minutes.
class TMenuRefresh {
public:
    void Filled(std::int64_t aSlot) { filled_ = aSlot; known_ = true; }
    bool Due(std::int64_t aSlot) const { return known_ && aSlot != filled_; }

private:
    std::int64_t filled_ = 0;
    bool known_ = false;
};

// Keyboard rotation through a tier (PageUp: outlets, PageDown: groups).
struct TRotation {
    enum Kind { PressButton, PageForward, PressFirst } kind;
    int button = 0;
};
TRotation NextInTier(const TButtonTier& aTier, bool aNextPageEnabled);

}  // namespace pos
