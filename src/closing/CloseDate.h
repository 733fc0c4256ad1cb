#pragma once
// The date of a POS close as the close-date dialog accepts it: a real date
// no later than today. An earlier date closes that day again and prints its
// report once more.

#include <optional>
#include <string>
#include <string_view>

namespace pos {

inline constexpr const char* kCloseDateNote =
    "마감 일자를 기존 날짜로 입력하면 해당 날짜의\n마감 전표를 다시 출력할 수 있습니다.";
inline constexpr const char* kMsgWrongCloseDate = "마감일자를(을) 잘못 입력하셨습니다.";

// The "yyyymmdd" of aText (its digits; separators are ignored), or nullopt
// when it is no real date or later than aToday ("yyyymmdd").
std::optional<std::string> AcceptCloseDate(std::string_view aText, std::string_view aToday);

}  // namespace pos
