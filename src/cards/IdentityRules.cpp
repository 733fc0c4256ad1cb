#include "cards/IdentityRules.h"

#include "core/DateHelpers.h"
#include "core/TextHelpers.h"

#include <algorithm>

namespace pos {
namespace {

bool allDigits(std::string_view aText)
{
    return std::all_of(aText.begin(), aText.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int digit(std::string_view aText, std::size_t aIndex) { return aText[aIndex] - '0'; }

int number(std::string_view aText, std::size_t aFrom, std::size_t aLength)
{
    int value = 0;
    for (std::size_t i = aFrom; i < aFrom + aLength; ++i) value = value * 10 + digit(aText, i);
    return value;
}

// The 7th digit of a resident registration number carries the century of
// birth (and the sex): 9/0 the 1800s, 1/2 (5/6 for foreigners) the 1900s, 3/4
// (7/8 for foreigners) the 2000s.
int centuryOf(char aSeventh)
{
    switch (aSeventh) {
    case '9': case '0': return 1800;
    case '1': case '2': case '5': case '6': return 1900;
    default: return 2000;  // '3', '4', '7', '8'
    }
}

// EAN check digit of an 8- or 13-digit code (its last digit is ignored).
char eanCheckDigit(std::string_view aDigits)
{
    // Weight 3 falls on the digit that stands just left of the check digit and
    // on every second one before it: the odd positions of EAN-8, the even
    // positions of EAN-13, counted from the left.
    const std::size_t body = aDigits.size() - 1;
    int sum = 0;
    for (std::size_t i = 0; i < body; ++i) sum += digit(aDigits, i) * ((body - i) % 2 == 1 ? 3 : 1);
    return char('0' + (10 - sum % 10) % 10);
}

}  // namespace

int GetAge(std::string_view aIDNo, std::string_view aToday)
{
    const std::string id = GetOnlyNumber(aIDNo);
    if (id.size() <= 12 || !allDigits(std::string_view(id).substr(0, 7)) || !IsValidDate(aToday)) return 0;
    const int birthYear = centuryOf(id[6]) + number(id, 0, 2);
    const std::string birth = std::to_string(birthYear) + id.substr(2, 4);
    if (!IsValidDate(birth) || birth > aToday) return 0;
    // Whole years: one less until month and day of the birthday are reached.
    const int years = number(aToday, 0, 4) - birthYear;
    return aToday.substr(4, 4) < std::string_view(birth).substr(4, 4) ? years - 1 : years;
}

bool CheckSaupNo(std::string_view aSaupNo)
{
    if (aSaupNo.size() != 10 || !allDigits(aSaupNo)) return false;
    static constexpr int kWeights[9] = {1, 3, 7, 1, 3, 7, 1, 3, 5};
    int sum = 0;
    for (std::size_t i = 0; i < 9; ++i) sum += digit(aSaupNo, i) * kWeights[i];
    sum += digit(aSaupNo, 8) * 5 / 10;  // the carry of the last weighted digit counts once more
    return (10 - sum % 10) % 10 == digit(aSaupNo, 9);
}

std::optional<std::string> NormaliseMemberNo(std::string_view aMemberNo)
{
    const std::string digits = GetOnlyNumber(aMemberNo);
    switch (digits.size()) {
    case 0:
    case 10: return digits;
    case 6: return "10" + digits + "00";  // short employee number
    case 7: return "00" + digits + "0";
    case 8: return digits.starts_with("00") ? digits + "00" : "00" + digits;
    default: return std::nullopt;
    }
}

std::string BarCode(std::string_view aBarCode)
{
    std::string code = GetOnlyNumber(aBarCode);
    if (!allDigits(code)) return {};
    if (code.size() == 7 || code.size() == 12) code += '0';  // placeholder for the check digit
    if (code.size() != 8 && code.size() != 13) return {};
    code.back() = eanCheckDigit(code);
    return code;
}

bool CheckBarCode(std::string_view aBarCode)
{
    if ((aBarCode.size() != 8 && aBarCode.size() != 13) || !allDigits(aBarCode)) return false;
    return eanCheckDigit(aBarCode) == aBarCode.back();
}

}  // namespace pos
