#pragma once
// Typed identity numbers and bar codes: resident registration numbers (check
// digit, age), business registration numbers, member numbers as cashiers type
// them, and EAN check digits. Plain functions of their arguments: no terminal
// state, no messages (the member-number message is TCardRules::CheckMemberNo).

#include <optional>
#include <string>
#include <string_view>

#include "core/IdentityNumbers.h"

namespace pos {


// Age in whole years on aToday ("yyyymmdd") of the holder of a resident
// registration number (foreigners' numbers included). Only digits and capitals
// count; 0 when the number is too short, its birth date is not a real date, it
// lies after aToday, or aToday is not a real date.
int GetAge(std::string_view aIDNo, std::string_view aToday);

// True when aSaupNo is exactly 10 digits whose last digit is the business
// registration check digit.
bool CheckSaupNo(std::string_view aSaupNo);

// A typed member number brought to the 10 digits the server keys members by,
// after dropping everything but digits and capitals. Empty input stays empty;
// nullopt when the number has a length no member number has.
std::optional<std::string> NormaliseMemberNo(std::string_view aMemberNo);

// Builds a bar code: 7 or 12 digits get their EAN check digit appended; 8 or 13
// digits get their last digit REPLACED by the right one. This is for codes the
// terminal makes itself (the scale label's article code with a zeroed price
// needs a fresh check digit); a scanned code must be checked with CheckBarCode
// instead, since a wrong check digit there means a misread. Empty text for any
// other length or for a code holding letters.
std::string BarCode(std::string_view aBarCode);

// True when aBarCode is an EAN-8 or EAN-13 code with the right check digit.
bool CheckBarCode(std::string_view aBarCode);

}  // namespace pos
