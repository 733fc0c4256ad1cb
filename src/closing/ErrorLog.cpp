#include "closing/ErrorLog.h"

#include "core/Codec.h"
#include "core/TextHelpers.h"

namespace pos {
namespace {

constexpr int kHeaderMinWidth = 25;  // the stamp alone fills 24 columns
constexpr int kTimeColumn = 13, kTimeWidth = 10;
constexpr int kProcColumn = 24;

// The file's lines: split at LF, a CR before it dropped; the end of the file
// after a final line end opens no line.
std::vector<std::string_view> splitLines(std::string_view aBytes)
{
    std::vector<std::string_view> lines;
    while (!aBytes.empty()) {
        const std::size_t end = aBytes.find('\n');
        std::string_view line = aBytes.substr(0, end);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        aBytes.remove_prefix(end + 1);
    }
    return lines;
}

// An entry's first line begins with its stamp, "[yyyy-mm-dd ". A logged
// database error begins with "[" + SQLSTATE + "]" and is part of the
// message, never an entry of its own.
bool beginsEntry(std::string_view aLine, int aWidth)
{
    if (aWidth < kHeaderMinWidth || aLine.size() < 12 || aLine[0] != '[') return false;
    for (int i = 1; i <= 10; ++i) {
        const char c = aLine[static_cast<std::size_t>(i)];
        const bool dash = i == 5 || i == 8;
        if (dash ? c != '-' : (c < '0' || c > '9')) return false;
    }
    return aLine[11] == ' ';
}

}  // namespace

std::vector<TErrLog> ParseErrorLog(std::string_view aCp949FileBytes)
{
    std::vector<TErrLog> entries;
    for (std::string_view raw : splitLines(aCp949FileBytes)) {
        // The columns are those of the CP949 file: the helpers count them on
        // the decoded line.
        std::string line = FromCp949(raw);
        const int width = Cp949Width(line);
        if (beginsEntry(line, width)) {
            entries.push_back({CopyStr(line, kTimeColumn, kTimeWidth),
                               CopyStr(line, kProcColumn, width - kProcColumn), {}});
        } else if (!entries.empty()) {
            entries.back().Text.push_back(std::move(line));
        }
    }
    return entries;
}

}  // namespace pos
