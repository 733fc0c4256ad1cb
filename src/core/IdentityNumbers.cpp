#include "core/IdentityNumbers.h"

#include <algorithm>
#include <iterator>

namespace pos {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool allDigits(std::string_view aText) { return std::all_of(aText.begin(), aText.end(), isDigit); }
int digit(std::string_view aText, std::size_t aIndex) { return aText[aIndex] - '0'; }
std::string beforeEquals(std::string_view aText) { return std::string(aText.substr(0, aText.find('='))); }

}  // namespace

std::string StripSentinels(std::string_view aText)
{
    if (aText.size() > 2 && aText.front() == ';' && aText.back() == '?') aText = aText.substr(1, aText.size() - 2);
    return std::string(aText);
}

bool CheckIDNo(std::string_view aIDNo)
{
    if (aIDNo.size() != 13 || !allDigits(aIDNo)) return false;
    static constexpr int kWeights[12] = {2, 3, 4, 5, 6, 7, 8, 9, 2, 3, 4, 5};
    int sum = 0;
    for (std::size_t i = 0; i < 12; ++i) sum += digit(aIDNo, i) * kWeights[i];
    return (11 - sum % 11) % 10 == digit(aIDNo, 12);
}

std::string MaskForLog(std::string_view aText)
{
    const std::string text = StripSentinels(aText);
    const std::string number = beforeEquals(text);
    std::string digits;
    std::copy_if(number.begin(), number.end(), std::back_inserter(digits), isDigit);
    const std::size_t count = digits.size();
    // Visible digits by their place among the digits: a resident number keeps
    // birth date and sex digit, a card number its issuer prefix and last four,
    // anything shorter only its last four, and only when it has enough digits
    // left to hide.
    std::size_t keepHead = 0, keepTail = count >= 8 ? 4 : 0;
    if (CheckIDNo(digits)) {
        keepHead = 7;
        keepTail = 0;
    } else if (count >= 13) {
        keepHead = 6;
    }
    std::string out;
    std::size_t index = 0;
    for (char c : number) {
        if (!isDigit(c)) {
            out += c;
            continue;
        }
        out += (index < keepHead || index >= count - keepTail) ? c : '*';
        ++index;
    }
    // Expiry, service code and card data behind "=" are never shown.
    if (number.size() < text.size()) {
        out += '=';
        out.append(text.size() - number.size() - 1, '*');
    }
    return out;
}

std::string MaskNumbersForLog(std::string_view aText)
{
    const auto joinsNumber = [](char c) { return c == '-' || c == ' ' || c == '='; };
    std::string out;
    std::size_t i = 0;
    while (i < aText.size()) {
        if (!isDigit(aText[i])) {
            out += aText[i++];
            continue;
        }
        // A run: digits, each separator followed by another digit.
        std::size_t end = i, digits = 0;
        while (end < aText.size()) {
            if (isDigit(aText[end])) {
                ++digits;
                ++end;
            } else if (joinsNumber(aText[end]) && end + 1 < aText.size() && isDigit(aText[end + 1])) {
                ++end;
            } else {
                break;
            }
        }
        const std::string_view run = aText.substr(i, end - i);
        out += digits >= 13 ? MaskForLog(run) : std::string(run);
        i = end;
    }
    return out;
}

}  // namespace pos
