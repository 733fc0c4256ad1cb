#include "closing/CloseDate.h"

#include "core/DateHelpers.h"
#include "core/TextHelpers.h"

namespace pos {

std::optional<std::string> AcceptCloseDate(std::string_view aText, std::string_view aToday)
{
    const std::string date = GetOnlyNumber(aText);
    if (!IsValidDate(date) || date > aToday) return std::nullopt;
    return date;
}

}  // namespace pos
