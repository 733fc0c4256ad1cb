#pragma once
// The statement catalogue "POSSQL.ini": no SQL text is built into the
// terminal; every statement is looked up here by key. The file is read line
// by line, not as an ini file:
//   - a line starting with '[' opens an entry named by the line without its
//     first and last character (so "[abc" names "ab");
//   - every other line, empty ones included, belongs unchanged to the SQL of
//     the latest entry; lines before the first entry are dropped;
//   - names are case-sensitive, and of two entries with one name the first
//     one counts.

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pos {

struct TSQLList {
    std::string Name;
    std::vector<std::string> SQL;  // lines, UTF-8
};

class TSqlCatalogue {
public:
    // Reads aPath (CP949). False when the file cannot be read: the terminal
    // cannot start without its statements.
    bool ReadSQLList(const std::filesystem::path& aPath);
    // Same rules over text already in memory (UTF-8).
    void LoadFromText(std::string_view aUtf8Text);

    // The SQL of the first entry named aSQLName, each line followed by CR LF;
    // empty when there is no such entry.
    std::string GetSQL(std::string_view aSQLName) const;
    bool Contains(std::string_view aSQLName) const;

    // Entries in file order (duplicates included).
    const std::vector<TSQLList>& Entries() const { return glSQLList; }

private:
    std::vector<TSQLList> glSQLList;
    std::unordered_map<std::string, std::size_t> firstByName_;
};

}  // namespace pos
