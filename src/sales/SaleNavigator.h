#pragma once
// Navigation of the sale screen: the outlet, menu-group and menu tiers, what
// a press on each does to the terminal's outlet and to the other tiers, the
// paging commands, the keyboard rotation, the adult/child mode and the number
// shortcuts of the code field. The screen owns the buttons and repaints them
// from the tiers when told (Changed).

#include "sales/MenuPaging.h"

#include <functional>
#include <optional>
#include <string>

namespace pos {

struct TTerminalContext;
class TMasterStore;

class TSaleNavigator {
public:
    static constexpr int kMenuGroupButtons = 5;

    TSaleNavigator(TTerminalContext& aContext, const TMasterStore& aStore, int aMaxUpjang, int aMaxMenu);

    // Local time as "hhnn" for the display windows; the screen sets the clock.
    std::function<std::string()> Now;
    // Tiers or toggles changed: repaint. Runs once per call, however many
    // tiers the call refilled.
    std::function<void()> Changed;
    // The outlet in use changed (title bar).
    std::function<void()> UpjangChanged;

    TButtonTier upjang, group, menu;
    bool upjangNextEnabled = false;
    bool groupNextEnabled = false;
    bool menuUpEnabled = false;
    bool menuDownEnabled = false;
    std::string lsMenuGroupNo, lsMenuSubGroupNo;
    bool lbMenuSubGroup = false;  // the menu buttons show sub-groups
    bool daesoVisible = false;    // adult/child button (ski outlets)
    bool daesoDown = false;       // child mode
    std::string DaesoCaption() const { return daesoDown ? "소인" : "대인"; }

    int MaxUpjang() const { return upjang.Buttons(); }
    int MaxMenu() const { return menu.Buttons(); }

    void ReadUpjangList();
    void ReadMenuGroupList();
    void ReadMenuSubGroupList();
    void ReadMenuList();

    // Presses (0-based buttons). A press on a disabled button does nothing.
    void PressUpjang(int aButton);
    void PressMenuGroup(int aButton);
    // A menu button: the code to enter, or nothing when the button chose a
    // sub-group (or is off).
    std::optional<std::string> PressMenu(int aButton);

    void UpjangNextPage();
    void MenuGroupNextPage();
    void MenuUp();
    void MenuDown();
    void SelectNextUpjang();
    void SelectNextMenuGroup();
    void ToggleDaeso();
    void ResetDaeso() { daesoDown = false; }
    // The first outlet and first group, as after a sale at non-food outlets.
    void PressFirstButtons();

    // The number shortcuts of the code field: "n"/"nn" is menu button n,
    // "ugmm" (or "ugm") outlet button u, group button g, menu button mm.
    // Returns the code to look up: the menu button's code, or aText itself
    // when a check fails (the buttons already pressed stay pressed).
    std::string ResolveShortcut(const std::string& aText);

    // The menu filter as it stands now.
    TMenuFilter CurrentFilter() const;

private:
    // Holds Changed back until the outermost call that changed the tiers
    // returns: pressing an outlet refills the groups and the menus, and the
    // screen paints them once.
    class Batch {
    public:
        explicit Batch(TSaleNavigator& aNavigator) : navigator_(aNavigator) { ++navigator_.batchDepth_; }
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        TSaleNavigator& navigator_;
    };

    void changed();
    void showMenuPage(int aPage);

    TTerminalContext& context_;
    const TMasterStore& store_;
    int batchDepth_ = 0;
    bool changedPending_ = false;
};

}  // namespace pos
