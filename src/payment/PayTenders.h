#pragma once
// The tender kinds of the payment screen, the input fields of their panels,
// the tender buttons a terminal offers and what the tender lists show: the
// vocabulary the payment model and its screen share.

#include "core/Variant.h"
#include "payment/PayLines.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pos {

struct TCodeTable;
struct TTerminalContext;
class TMasterStore;

// The eight tender kinds, in the order of their panels.
enum class TPayKind { Cash, Card, EasyCheck, Room, Locker, Event, GiftCard, Credit };
inline constexpr int kPayKindCount = 8;
inline constexpr TPayKind kPayKinds[kPayKindCount] = {TPayKind::Cash,   TPayKind::Card,   TPayKind::EasyCheck,
                                                      TPayKind::Room,   TPayKind::Locker, TPayKind::Event,
                                                      TPayKind::GiftCard, TPayKind::Credit};
inline constexpr int KindIndex(TPayKind aKind) { return static_cast<int>(aKind); }

// The tender code of a kind in the code table (giPayCash ...), and back.
std::int64_t PayCode(const TCodeTable& aCodes, TPayKind aKind);
std::optional<TPayKind> PayKindOf(const TCodeTable& aCodes, std::int64_t aCode);

// One tender button: kind, code and the name of its entry in glPayData.
struct TPayTender {
    TPayKind kind;
    std::int64_t code;
    std::string name;
};

// The tender buttons, in glPayData order: one per entry whose code is one of
// the eight kinds (transfer, prepay and pre-sale codes have no button), each
// kind once. Off line only cash, card and EasyCheck are offered. Empty: the
// payment screen is not shown.
std::vector<TPayTender> OfferedPayTenders(const TTerminalContext& aContext, const TMasterStore& aStore);

// The input fields of the panels, each panel's amount field first.
enum class TPayField {
    None,
    CashAmt, CashNo,
    CardAmt, CardNo, CardValidThru, CardHalbuMonth, CardAgreeNo,
    EasyCheckAmt, EasyCheckNo, EasyCheckValidThru, EasyCheckHalbuMonth,
    RoomAmt, RoomNo,
    LockerAmt, LockerNo,
    EventAmt, EventNo,
    GiftCardNo, GiftCardCount,
    CreditAmt, CreditMemberNo,
    Count
};
inline constexpr int kPayFieldCount = static_cast<int>(TPayField::Count);
inline constexpr int FieldIndex(TPayField aField) { return static_cast<int>(aField); }

// The panel a field is on (None: Cash, which is never asked for it).
TPayKind KindOfField(TPayField aField);
// The amount field of a panel (GiftCardNo for the voucher panel, which has
// none of its own) and its number field (the identity number for cash).
TPayField AmountField(TPayKind aKind);
TPayField NumberField(TPayKind aKind);

// ---- the tender lists

struct TPayColumn {
    const char* title;
    int width;  // pixels
    enum Align { Left, Center, Right } align;
};

// Columns of a tender list, left to right; the list sums its last column.
const std::vector<TPayColumn>& PayColumns(TPayKind aKind);
int PaySumColumn(TPayKind aKind);

// Number of lines of a kind.
int PayLineCount(const TPayLines& aLines, TPayKind aKind);
// Value of column aColumn of line aRow as the list shows it (amounts as
// amounts, texts as texts; card numbers masked, a cash receipt's identity
// as its masked number). Empty out of range.
Variant PayListItem(const TPayLines& aLines, TPayKind aKind, int aRow, int aColumn);
// Sum of the amounts of a kind's lines.
Currency PayListSum(const TPayLines& aLines, TPayKind aKind);

}  // namespace pos
