#pragma once
// Ini files read with the Windows profile rules the terminal's files were
// made for: section and key names compare without regard to case, the first
// of two equal sections or keys wins, names and values are trimmed, a value
// in matching quotes loses them, lines starting with ';' are comments. Files
// are CP949 on disk and UTF-8 in memory. Changes are kept in memory and
// written whole, atomically, by save().

#include "core/FileIO.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pos {

class IniFile {
public:
    IniFile() = default;
    // Reads aPath; a missing file gives an empty ini (exists() false).
    static IniFile load(const std::filesystem::path& aPath);
    static IniFile fromText(std::string_view aUtf8Text);

    bool exists() const { return exists_; }

    std::optional<std::string> value(std::string_view aSection, std::string_view aKey) const;
    std::string readString(std::string_view aSection, std::string_view aKey, std::string_view aDefault = {}) const;
    // Decimal, "$hex" or "0xhex"; aDefault when missing or not a number.
    std::int64_t readInteger(std::string_view aSection, std::string_view aKey, std::int64_t aDefault) const;
    // An integer that is not 0; aDefault when missing or not a number.
    bool readBool(std::string_view aSection, std::string_view aKey, bool aDefault) const;
    bool sectionExists(std::string_view aSection) const;
    std::vector<std::string> keys(std::string_view aSection) const;

    void writeString(std::string_view aSection, std::string_view aKey, std::string_view aValue);
    void writeInteger(std::string_view aSection, std::string_view aKey, std::int64_t aValue);
    void writeBool(std::string_view aSection, std::string_view aKey, bool aValue);

    // The whole file as UTF-8 text with CR LF line ends.
    std::string toText() const;
    // Writes the whole file (CP949) atomically; false with aError on failure.
    bool save(const std::filesystem::path& aPath, std::string* aError = nullptr) const;
    // The same, readable by the owner only when aAccess says so.
    bool save(const std::filesystem::path& aPath, TFileAccess aAccess, std::string* aError = nullptr) const;

private:
    struct Line {
        std::string text;     // the line as read or written
        std::string section;  // for a section header: its name
        std::string key;      // for a key line: its trimmed name
        std::string value;    // for a key line: its trimmed value without quotes
        enum Kind { Other, Section, Key } kind = Other;
    };
    static Line parseLine(std::string_view aText);
    // Index range [first, end) of the lines of the first section so named;
    // first is npos when there is no such section.
    std::pair<std::size_t, std::size_t> sectionRange(std::string_view aSection) const;

    std::vector<Line> lines_;
    bool exists_ = false;
};

}  // namespace pos
