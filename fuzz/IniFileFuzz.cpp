// An ini file ("POS.ini", "POSIP.ini", "POSData.ini", "ZoUpdate.ini",
// "POSBill.ini") as the terminal reads it, then changed and saved:
//
//   - every key of every section reads back the same after the file is
//     saved and loaded again, and reads as an integer without fault;
//   - a value written reads back as the profile rules make it (trimmed,
//     outer quotes dropped), in memory and after a save, and leaves every
//     other key as it was; writing it again replaces it.

#include "FuzzSupport.h"

#include "core/Codec.h"
#include "core/IniFile.h"
#include "core/TextHelpers.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using namespace pos;
using namespace pos::fuzz;

namespace {

// The lines of a text as the ini reader splits them.
std::vector<std::string_view> linesOf(std::string_view aText)
{
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < aText.size()) {
        std::size_t end = aText.find('\n', pos);
        if (end == std::string_view::npos) end = aText.size();
        std::string_view line = aText.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        pos = end + 1;
    }
    return lines;
}

// The names of the sections a text opens: a trimmed line starting with "["
// names the section up to the first "]" (or the end of the line), trimmed.
std::vector<std::string> sectionsOf(std::string_view aText)
{
    std::vector<std::string> names;
    for (std::string_view line : linesOf(aText)) {
        const std::string_view t = Trim(line);
        if (t.empty() || t[0] != '[') continue;
        const std::size_t close = t.find(']');
        names.push_back(TrimCopy(t.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
    }
    return names;
}

using Answers = std::map<std::pair<std::string, std::string>, std::optional<std::string>>;

// What the ini answers for every key of the named sections.
Answers answersOf(const IniFile& aIni, const std::vector<std::string>& aSections)
{
    Answers answers;
    for (const std::string& section : aSections) {
        FUZZ_CHECK(aIni.sectionExists(section));
        for (const std::string& key : aIni.keys(section)) {
            const std::optional<std::string> value = aIni.value(section, key);
            FUZZ_CHECK(value.has_value());
            aIni.readInteger(section, key, 0);
            aIni.readBool(section, key, false);
            answers[{UpperAscii(section), UpperAscii(key)}] = value;
        }
    }
    return answers;
}

// Saved (CP949) and loaded again.
IniFile savedAndLoaded(const IniFile& aIni)
{
    return IniFile::fromText(FromCp949(ToCp949(aIni.toText())));
}

// A value as the profile rules read it back: trimmed, and without one pair
// of matching outer quotes.
std::string asRead(std::string_view aValue)
{
    std::string_view v = Trim(aValue);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
    return std::string(v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* aData, std::size_t aSize)
{
    // As the terminal loads a file, with the U+FFFD of damaged bytes already
    // written as what a save makes of them, so that a save loses nothing.
    const std::string text = AsReEncoded(FromCp949(AsText(aData, aSize)));
    IniFile ini = IniFile::fromText(text);
    const std::vector<std::string> sections = sectionsOf(text);

    const Answers before = answersOf(ini, sections);
    FUZZ_CHECK(answersOf(savedAndLoaded(ini), sections) == before);

    // A value to write: the file's first line (a value never holds a line
    // end), under an existing key of the first section when there is one,
    // else under a key of its own, in a section of its own when the file
    // has none.
    const std::vector<std::string_view> lines = linesOf(text);
    const std::string value = lines.empty() ? std::string() : std::string(lines.front());
    const std::string section = sections.empty() ? "FuzzSection" : sections.front();
    const std::vector<std::string> keys = ini.keys(section);
    const std::string key = !keys.empty() && aSize % 2 ? keys.front() : "FuzzKey";

    ini.writeString(section, key, value);
    FUZZ_CHECK(ini.readString(section, key) == asRead(value));

    std::vector<std::string> sectionsNow = sections;
    sectionsNow.push_back(section);
    Answers expected = before;
    expected[{UpperAscii(section), UpperAscii(key)}] = asRead(value);
    const Answers after = answersOf(ini, sectionsNow);
    FUZZ_CHECK(after == expected);
    FUZZ_CHECK(answersOf(savedAndLoaded(ini), sectionsNow) == after);

    const std::size_t keyCount = ini.keys(section).size();
    ini.writeString(section, key, "0");
    FUZZ_CHECK(ini.keys(section).size() == keyCount);
    FUZZ_CHECK(ini.readInteger(section, key, -1) == 0);
    return 0;
}
