#pragma once
// The figures of a close, read from the server statement by statement. A
// statement that fails is logged and its figures stay 0, but the read says
// which figures are missing: a close is never recorded, and a report never
// printed, with figures that were not read.

#include "closing/CloseFigures.h"
#include "closing/CloseReports.h"

#include <optional>
#include <string>
#include <vector>

namespace pos {

class TfrmData;

// Whose figures are read.
struct TCloseScope {
    std::string closeDate;  // "yyyymmdd"
    std::string cashier;    // empty: every cashier of the POS (the POS close)
    // The period starts the day before the close date (the POS close and the
    // pre-sale cashier), else where the cashier's last close of the date
    // left off.
    bool fromDayBefore = false;
};

struct TCloseRead {
    TCloseFigures figures;
    std::string openTime;             // start of the period, "yyyymmddhhnnss"
    std::vector<std::string> unread;  // the figures that could not be read
    bool Complete() const { return unread.empty(); }
};

// The names the cashier reads for the figure groups.
namespace figure {
inline constexpr const char* kCashPosition = "준비금/중간입금";
inline constexpr const char* kPeriod = "마감 시작 시각";
inline constexpr const char* kSales = "판매 집계";
inline constexpr const char* kComp = "COMP 집계";
inline constexpr const char* kCancelled = "전표취소";
inline constexpr const char* kTenders = "입금 집계";
}  // namespace figure

// "마감 자료를 읽지 못했습니다." with the names of the figures; when the
// close is refused for them (aRefused), "마감하지 않았습니다." under it.
std::string UnreadFiguresMessage(const std::vector<std::string>& aUnread, bool aRefused);

// Reads every figure of aScope for the terminal's own outlet and POS; when
// the server cannot be reached every figure is unread.
TCloseRead ReadCloseData(TfrmData& aData, const TCloseScope& aScope);

// The sales-by-menu detail (menus, COMP menus, and for the POS close the
// guest and void rows); nullopt when a statement failed (logged).
std::optional<TMenuDetail> ReadMenuDetail(TfrmData& aData, const TCloseScope& aScope, const std::string& aOpenTime,
                                          bool aWithGuests, bool aWithVoids);

}  // namespace pos
