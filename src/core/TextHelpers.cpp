#include "core/TextHelpers.h"

#include "core/Codec.h"

#include <limits>

namespace pos {

std::string_view Trim(std::string_view aStr)
{
    while (!aStr.empty() && (aStr.front() == ' ' || aStr.front() == '\t')) aStr.remove_prefix(1);
    while (!aStr.empty() && (aStr.back() == ' ' || aStr.back() == '\t')) aStr.remove_suffix(1);
    return aStr;
}

std::string TrimCopy(std::string_view aStr) { return std::string(Trim(aStr)); }

std::int64_t StringToInteger(std::string_view aValue)
{
    if (Trim(aValue).empty()) return 0;
    std::size_t i = 0;
    while (i < aValue.size() && (aValue[i] == ' ' || aValue[i] == '\t')) ++i;
    bool negative = false;
    if (i < aValue.size() && (aValue[i] == '-' || aValue[i] == '+')) {
        negative = aValue[i] == '-';
        ++i;
    }
    if (i == aValue.size()) return 0;
    std::uint64_t value = 0;
    const std::uint64_t limit = negative ? std::uint64_t(std::numeric_limits<std::int64_t>::max()) + 1
                                         : std::uint64_t(std::numeric_limits<std::int64_t>::max());
    for (; i < aValue.size(); ++i) {
        const char c = aValue[i];
        if (c < '0' || c > '9') return 0;
        value = value * 10 + std::uint64_t(c - '0');
        if (value > limit) return 0;
    }
    return negative ? static_cast<std::int64_t>(0 - value) : static_cast<std::int64_t>(value);
}

std::string GetOnlyNumber(std::string_view aStr)
{
    std::string out;
    for (char c : aStr)
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z')) out += c;
    return out;
}

std::string ChangeSubChar(std::string_view aStr, char aSourceChar, char aDestChar)
{
    std::string out;
    out.reserve(aStr.size());
    for (char c : aStr) {
        if (c != aSourceChar) out += c;
        else if (aDestChar != '\0') out += aDestChar;
    }
    return out;
}

std::string RPad(std::string_view aStr, int aLength, char aPadChar)
{
    std::string out(aStr);
    const int width = Cp949Width(aStr);
    if (width < aLength) out.append(static_cast<std::size_t>(aLength - width), aPadChar);
    return out;
}

std::string LPad(std::string_view aStr, int aLength, char aPadChar)
{
    const int width = Cp949Width(aStr);
    if (width >= aLength) return std::string(aStr);
    return std::string(static_cast<std::size_t>(aLength - width), aPadChar) + std::string(aStr);
}

std::string CopyStr(std::string_view aStr, int aIndex, int aCount)
{
    std::string out;
    if (aCount <= 0) return out;
    // Columns in 64 bits: a window may end past the largest int.
    const std::int64_t from = (aIndex < 1 ? 1 : aIndex) - std::int64_t{1};  // first column wanted, 0-based
    const std::int64_t to = from + aCount;                                 // one past the last column wanted
    std::int64_t column = 0;
    for (std::size_t i = 0; i < aStr.size() && column < to;) {
        const CharStep step = NextChar(aStr, i);
        const std::int64_t start = column, end = column + step.width;
        if (start >= from && end <= to) out.append(aStr.substr(i, step.utf8Len));
        else if (end > from) out += ' ';  // the window cuts this character in two
        column = end;
        i += step.utf8Len;
    }
    return out;
}

std::string StringCenterAlign(std::string_view aStr, int aTotalLen, bool aEnlargeX)
{
    const int field = aEnlargeX ? aTotalLen / 2 : aTotalLen;
    int lead = (field - Cp949Width(aStr)) / 2;
    if (lead < 0) lead = 0;
    return CopyStr(std::string(static_cast<std::size_t>(lead), ' ') + std::string(aStr), 1, field);
}

std::string Replace(std::string_view aStr, std::string_view aOld, std::string_view aNew)
{
    if (aOld.empty()) return std::string(aStr);
    std::string out;
    std::size_t pos = 0;
    while (true) {
        const std::size_t hit = aStr.find(aOld, pos);
        if (hit == std::string_view::npos) break;
        out.append(aStr.substr(pos, hit - pos));
        out.append(aNew);
        pos = hit + aOld.size();
    }
    out.append(aStr.substr(pos));
    return out;
}

std::string UpperAscii(std::string_view aStr)
{
    std::string out(aStr);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return true;
}

}  // namespace pos
