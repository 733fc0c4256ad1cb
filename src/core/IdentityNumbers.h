#pragma once
// Numbers that name a card or a person, as the terminal may read and log
// them: the sentinels of a swipe, the resident-number check digit, and the
// masks every log line and server message goes through, so that no card,
// track or resident number reaches a log or a message box whole.

#include <string>
#include <string_view>

namespace pos {

// A swipe types track 2 into the focused field, sometimes with its start and
// end sentinels (";" ... "?"): they are dropped before any rule looks at it.
std::string StripSentinels(std::string_view aText);

// True when aIDNo is exactly 13 digits whose last digit is the resident
// registration check digit.
bool CheckIDNo(std::string_view aIDNo);

// A swipe, card number or identity number as it may go into a log: sentinels
// dropped, nothing after "=" (expiry and card data) shown, and of the number
// at most the first 6 and the last 4 digits (a resident number shows its birth
// date and sex digit only).
std::string MaskForLog(std::string_view aText);

// A text as it may go into the day log or a message box when it may quote a
// value (a server's message above all): every run of 13 or more digits
// (card, resident and track numbers, with or without "-", " " or "=" inside)
// masked with MaskForLog. Shorter numbers (member, room, bill numbers) stay.
std::string MaskNumbersForLog(std::string_view aText);

}  // namespace pos
