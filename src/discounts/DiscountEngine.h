#pragma once
// The discount engine: decides which units of the bill get which of the
// discounts accepted for it. The member discount screen only collects what is
// allowed (glDCMemberData: members with their rates and use counts;
// glDCMenuData: menu prices for members); after every change of the bill the
// engine recomputes every discount from scratch.
//
// ExecDC splits every line into units (DiscountUnits.h) and goes through them
// in their fixed order. A discountable unit (goods DCYN, quantity not 0, line
// not closed by ModifyYN, price above 0) first looks for a menu price of its
// outlet, menu, season and business-day kind, then for a member discount of
// its outlet that fits its adult/child code and, for the free-beverage and
// free-breakfast marks, its menu kind. Of the entries that fit and still have
// uses left, the one that takes the most off the unit wins (ties: the lowest
// accepted member number, member-add number and sequence, then list order).
// Each use counts against
// the entry's once-only, daily and yearly count. In event mode every unit
// carries the event member without any discount. RecreateSaleList then puts
// the units back as bill lines, merging those that came out alike.
//
// The engine reads the lists and never changes them: every run starts again
// from their counts. It holds only the units of its last ExecDC, for the
// RecreateSaleList that follows it. It reads nothing from the server: the
// counts the server shares among terminals arrive in glDCMemberData when a
// member is registered, and the engine runs at every key press.

#include "discounts/DiscountRules.h"
#include "discounts/DiscountUnits.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace pos {

struct TTerminalContext;
class TMasterStore;
class TSaleLines;
struct TSaleList;
struct TDCMemberData;
struct TDCMenuData;

// Remarks that restrict a member discount to one menu kind.
inline constexpr const char* dcBeverage = "[음료무료]";   // lines of kind gsMenuGubunBeverage only
inline constexpr const char* dcBreakfast = "[조식무료]";  // lines of kind gsMenuGubunBreakfast only

class TDiscountEngine {
public:
    TDiscountEngine(const TTerminalContext& aContext, const TMasterStore& aStore);

    // Recomputes every discount of the bill. True when at least one unit is
    // discounted; in event mode, when there is an event member to carry.
    bool ExecDC(const TSaleLines& aLines);
    // Replaces the rows of the bill by the merged units of the last ExecDC of
    // this list and redraws it; the last row becomes current. When ExecDC did
    // not just run on this list, it runs first.
    void RecreateSaleList(TSaleLines& aLines);

private:
    struct TEntry {
        TDCMember member;  // what a line discounted by the entry carries
        TUseCounts counts;
        std::int64_t seq = 0;
        int index = 0;  // position in its master list
    };
    struct TChoice {
        TEntry* entry = nullptr;
        Currency discount;
        std::int64_t rate = 0;
    };

    void makeWorkingLists();
    bool applyEvent();
    bool discountable(const TSaleList& aLine, const TDCUnit& aUnit) const;
    TChoice chooseMenu(const TSaleList& aLine);
    TChoice chooseMember(const TSaleList& aLine);
    bool memberFits(const TDCMemberData& aEntry, const TSaleList& aLine) const;
    static bool betterThan(const TChoice& aChoice, const TChoice& aBest);

    const TTerminalContext& context_;
    const TMasterStore& store_;
    std::vector<TEntry> menus_;    // one per glDCMenuData row, in list order
    std::vector<TEntry> members_;  // one per glDCMemberData row, in list order
    // Where a unit looks: menu prices by menu code, members by outlet.
    std::unordered_map<std::string, std::vector<TEntry*>> menusByCode_;
    std::unordered_map<std::string, std::vector<TEntry*>> membersByOutlet_;
    TDCMember eventMember_;
    std::vector<TDCUnit> units_;
    const TSaleLines* unitsOf_ = nullptr;  // the list the units were split from
    int rowsAtSplit_ = 0;
};

}  // namespace pos
