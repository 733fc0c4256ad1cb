#pragma once
// The member rows the discount screens put on glDCMemberData when the server
// cannot give them: guest-type discounts of a card read off line, master
// numbers, and the use counts of a partner or employee scheme. The rules live
// here, beside the engine that reads the rows, so that the counts and rates
// mean the same on both sides: a count below 0 is no limit, 0 is none, and a
// rate is never signed by the bill (a return takes its sign from the units).

#include "store/MasterRecords.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pos {

struct TTerminalContext;
class TMasterStore;

// A card read off line, with the guest type its number gives.
struct TOffLineCard {
    std::string memberNo;     // the member-number text
    std::string memberAddNo;  // the additional-number text
    std::string guestType;    // the card's guest type
    bool keyIn = false;       // typed rather than read from the card
};

// The guest-type discounts of a card off line, from the local rate table
// glDCData: for every rate row of the card's guest type (in table order) whose
// outlet is loaded and, where that outlet prices by season or business-day
// kind, whose season and kind are the business date's, one row "Off Line" at
// that outlet. A rate below 1 gives no row. The row's once-only count is the
// rate row's OnceUseQty and its daily count the rate row's DailyUseQty.
std::vector<TDCMemberData> OffLineGuestTypeDiscounts(const TTerminalContext& aContext, const TMasterStore& aStore,
                                                     const TOffLineCard& aCard);

// The rate of a master number (an 8-character key and two digits): the two
// digits, "00" being 100; 0 when they are not digits.
std::int64_t MasterNumberRate(std::string_view aMasterNo);

// The rows of a master number whose key is registered in the common codes
// (head gsCommonMasterKey): one per loaded outlet, in outlet order, at the
// number's rate, for aQuantity units a day. No rows when the key is unknown.
std::vector<TDCMemberData> MasterNumberDiscounts(const TTerminalContext& aContext, const TMasterStore& aStore,
                                                 std::string_view aMasterNo, std::int64_t aQuantity, bool aKeyIn);

// The quantity typed for a scheme that takes one: 1 to 9999 as typed, more
// than 9999 as 9999, and 0 (none) for 0, a negative number or no number.
std::int64_t AcceptedUseQuantity(std::string_view aText);

// The daily count a scheme row gets on the member list: the scheme's daily
// quantity less what was used today (never below 0), and no more than its
// once-only quantity when that is set. A quantity below 0 sets no limit, 0
// allows none. Without a daily quantity and a once-only one the row keeps no
// limit (-1). The once-only and yearly counts stay as the server sent them:
// the engine applies each limit itself.
void ApplySchemeUseLimits(TDCMemberData& aRow, std::int64_t aOnceUseQty, std::int64_t aDailyUseQty,
                          std::optional<std::int64_t> aUsedToday);

}  // namespace pos
