#include "core/IniFile.h"

#include "core/Codec.h"
#include "core/FileIO.h"
#include "core/TextHelpers.h"

#include <limits>

namespace pos {
namespace {

constexpr std::size_t npos = std::string::npos;

std::optional<std::int64_t> parseProfileInteger(std::string_view s)
{
    s = Trim(s);
    bool negative = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (!s.empty() && s[0] == '$') { base = 16; s.remove_prefix(1); }
    else if (s.size() > 1 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) { base = 16; s.remove_prefix(2); }
    if (s.empty() || s.size() > 18) return std::nullopt;
    // Eighteen hex digits are far more than 64 bits hold: a value out of
    // range is no number, like any other text that is none.
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t v = 0;
    for (char c : s) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return std::nullopt;
        if (v > (kMax - d) / base) return std::nullopt;
        v = v * base + d;
    }
    return negative ? -v : v;
}

}  // namespace

IniFile::Line IniFile::parseLine(std::string_view aText)
{
    Line line;
    line.text = std::string(aText);
    const std::string_view t = Trim(aText);
    if (t.empty() || t[0] == ';') return line;
    if (t[0] == '[') {
        const std::size_t close = t.find(']');
        line.kind = Line::Section;
        line.section = TrimCopy(t.substr(1, close == npos ? npos : close - 1));
        return line;
    }
    const std::size_t eq = t.find('=');
    if (eq == npos) return line;
    line.kind = Line::Key;
    line.key = TrimCopy(t.substr(0, eq));
    std::string_view v = Trim(t.substr(eq + 1));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
    line.value = std::string(v);
    return line;
}

IniFile IniFile::fromText(std::string_view aUtf8Text)
{
    IniFile ini;
    std::size_t pos = 0;
    while (pos < aUtf8Text.size()) {
        std::size_t end = aUtf8Text.find('\n', pos);
        if (end == npos) end = aUtf8Text.size();
        std::string_view raw = aUtf8Text.substr(pos, end - pos);
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        ini.lines_.push_back(parseLine(raw));
        pos = end + 1;
    }
    return ini;
}

IniFile IniFile::load(const std::filesystem::path& aPath)
{
    const auto bytes = ReadWholeFile(aPath);
    if (!bytes) return IniFile();
    IniFile ini = fromText(FromCp949(*bytes));
    ini.exists_ = true;
    return ini;
}

std::pair<std::size_t, std::size_t> IniFile::sectionRange(std::string_view aSection) const
{
    std::size_t first = npos;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind != Line::Section) continue;
        if (first != npos) return {first, i};
        if (EqualsNoCase(lines_[i].section, aSection)) first = i + 1;
    }
    return {first, lines_.size()};
}

std::optional<std::string> IniFile::value(std::string_view aSection, std::string_view aKey) const
{
    const auto [first, end] = sectionRange(aSection);
    if (first == npos) return std::nullopt;
    for (std::size_t i = first; i < end; ++i)
        if (lines_[i].kind == Line::Key && EqualsNoCase(lines_[i].key, aKey)) return lines_[i].value;
    return std::nullopt;
}

std::string IniFile::readString(std::string_view aSection, std::string_view aKey, std::string_view aDefault) const
{
    auto v = value(aSection, aKey);
    return v ? *v : std::string(aDefault);
}

std::int64_t IniFile::readInteger(std::string_view aSection, std::string_view aKey, std::int64_t aDefault) const
{
    const auto v = value(aSection, aKey);
    if (!v) return aDefault;
    return parseProfileInteger(*v).value_or(aDefault);
}

bool IniFile::readBool(std::string_view aSection, std::string_view aKey, bool aDefault) const
{
    return readInteger(aSection, aKey, aDefault ? 1 : 0) != 0;
}

bool IniFile::sectionExists(std::string_view aSection) const { return sectionRange(aSection).first != npos; }

std::vector<std::string> IniFile::keys(std::string_view aSection) const
{
    std::vector<std::string> out;
    const auto [first, end] = sectionRange(aSection);
    if (first == npos) return out;
    for (std::size_t i = first; i < end; ++i)
        if (lines_[i].kind == Line::Key) out.push_back(lines_[i].key);
    return out;
}

void IniFile::writeString(std::string_view aSection, std::string_view aKey, std::string_view aValue)
{
    std::string text(aKey);
    text.append("=").append(aValue);
    auto [first, end] = sectionRange(aSection);
    if (first == npos) {
        std::string header("[");
        header.append(aSection).append("]");
        lines_.push_back(parseLine(header));
        lines_.push_back(parseLine(text));
        return;
    }
    for (std::size_t i = first; i < end; ++i) {
        if (lines_[i].kind == Line::Key && EqualsNoCase(lines_[i].key, aKey)) {
            lines_[i] = parseLine(text);
            return;
        }
    }
    // New key: after the last non-blank line of the section.
    std::size_t at = end;
    while (at > first && Trim(lines_[at - 1].text).empty()) --at;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), parseLine(text));
}

void IniFile::writeInteger(std::string_view aSection, std::string_view aKey, std::int64_t aValue)
{
    writeString(aSection, aKey, std::to_string(aValue));
}

void IniFile::writeBool(std::string_view aSection, std::string_view aKey, bool aValue)
{
    writeString(aSection, aKey, aValue ? "1" : "0");
}

std::string IniFile::toText() const
{
    std::string out;
    for (const Line& l : lines_) out.append(l.text).append("\r\n");
    return out;
}

bool IniFile::save(const std::filesystem::path& aPath, std::string* aError) const
{
    return WriteFileAtomically(aPath, ToCp949(toText()), aError);
}

bool IniFile::save(const std::filesystem::path& aPath, TFileAccess aAccess, std::string* aError) const
{
    return WriteFileAtomically(aPath, ToCp949(toText()), aAccess, aError);
}

}  // namespace pos
