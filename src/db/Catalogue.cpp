#include "db/Catalogue.h"

#include "core/Codec.h"
#include "core/FileIO.h"

namespace pos {
namespace {

// Lines as a text-file reader splits them: LF or CR LF ends a line, and a
// line break at the very end does not start another (empty) line.
std::vector<std::string_view> splitLines(std::string_view aText)
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

std::string entryName(std::string_view aLine)
{
    // The first and last characters are dropped whatever they are.
    return aLine.size() < 2 ? std::string() : std::string(aLine.substr(1, aLine.size() - 2));
}

}  // namespace

bool TSqlCatalogue::ReadSQLList(const std::filesystem::path& aPath)
{
    const auto bytes = ReadWholeFile(aPath);
    if (!bytes) return false;
    LoadFromText(FromCp949(*bytes));
    return true;
}

void TSqlCatalogue::LoadFromText(std::string_view aUtf8Text)
{
    glSQLList.clear();
    firstByName_.clear();
    for (std::string_view line : splitLines(aUtf8Text)) {
        if (!line.empty() && line.front() == '[') {
            glSQLList.push_back({entryName(line), {}});
            firstByName_.try_emplace(glSQLList.back().Name, glSQLList.size() - 1);
        } else if (!glSQLList.empty()) {
            glSQLList.back().SQL.emplace_back(line);
        }
    }
}

std::string TSqlCatalogue::GetSQL(std::string_view aSQLName) const
{
    const auto found = firstByName_.find(std::string(aSQLName));
    if (found == firstByName_.end()) return {};
    std::string text;
    for (const std::string& line : glSQLList[found->second].SQL) {
        text += line;
        text += "\r\n";
    }
    return text;
}

bool TSqlCatalogue::Contains(std::string_view aSQLName) const
{
    return firstByName_.count(std::string(aSQLName)) != 0;
}

}  // namespace pos
