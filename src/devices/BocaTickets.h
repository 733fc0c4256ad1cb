#pragma once
// Tickets on the Boca and Flotec printers, which take their own command
// language of tags in angle brackets: each ticket is a list of fields, each
// placed by row and column with a rotation, a font and a magnification. The
// Flotec takes the same language with a few fields of its own and the
// printer's fonts only.

#include "devices/TicketJobs.h"
#include "devices/TicketRules.h"

#include <cstdint>
#include <string>

namespace pos {

namespace boca {
inline constexpr std::string_view kStatusRequest = "<S1>";
inline constexpr std::string_view kStart = "<dpl>";
inline constexpr unsigned char kReady = 0x11;  // DC1: the answer of a printer that is ready
}  // namespace boca

// One field. A negative font is the Boca's stored (Korean) font.
struct TBocaField {
    int row = 0, column = 0, rotation = 270, font = -1, height = 1, width = 1;
    std::string text;  // UTF-8
};

// The field's bytes: rotation, position (a Flotec's row 30 dots lower, the
// ticket margin taken off the column, neither below 0), magnification, font
// and the text in CP949.
std::string FormatBoca(const TBocaField& aField, bool aBoca, std::int64_t aTicketMargin);

// One job: passed over (a single ticket without its first day, a lift pass
// without a guest class), or its bytes: clear, the fields, and the end of the
// ticket (print and cut after the last ticket of the run and after every
// mini ticket and list page; print and hold between tickets).
struct TBocaJob {
    bool passOver = false;
    std::string bytes;
};
TBocaJob BocaJobBytes(const TTicketData& aJob, const TTicketEnv& aEnv, bool aBoca, bool aLast);

// The two-digit code of a ticket kind text on the lift bar code.
std::string LiftKindCode(const std::string& aKindText);

}  // namespace pos
