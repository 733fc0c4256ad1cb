// The statement catalogue "POSSQL.ini" as the terminal reads it at start-up
// (CP949 bytes, then the catalogue's line rules):
//
//   - one entry for every line that starts with "[", in file order;
//   - every name answers with the SQL of its first entry;
//   - the entries written out again as a catalogue read back the same.

#include "FuzzSupport.h"

#include "core/Codec.h"
#include "db/Catalogue.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

using namespace pos;
using namespace pos::fuzz;

namespace {

std::string joined(const std::vector<std::string>& aLines)
{
    std::string text;
    for (const std::string& line : aLines) text += line + "\r\n";
    return text;
}

bool sameEntries(const std::vector<TSQLList>& a, const std::vector<TSQLList>& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].Name != b[i].Name || a[i].SQL != b[i].SQL) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* aData, std::size_t aSize)
{
    const std::string text = FromCp949(AsText(aData, aSize));
    TSqlCatalogue catalogue;
    catalogue.LoadFromText(text);
    const std::vector<TSQLList>& entries = catalogue.Entries();

    // A line starts at the beginning and after every LF but a last one.
    std::size_t openers = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        if (text[pos] == '[') ++openers;
        const std::size_t lf = text.find('\n', pos);
        if (lf == std::string::npos) break;
        pos = lf + 1;
    }
    FUZZ_CHECK(entries.size() == openers);

    std::unordered_map<std::string, std::size_t> first;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        first.try_emplace(entries[i].Name, i);
        for (const std::string& line : entries[i].SQL) {
            FUZZ_CHECK(line.find('\n') == std::string::npos);
            FUZZ_CHECK(line.empty() || line.front() != '[');
        }
    }
    for (const auto& [name, index] : first) {
        FUZZ_CHECK(catalogue.Contains(name));
        FUZZ_CHECK(catalogue.GetSQL(name) == joined(entries[index].SQL));
    }

    std::string written;
    for (const TSQLList& entry : entries) written += "[" + entry.Name + "]\r\n" + joined(entry.SQL);
    TSqlCatalogue again;
    again.LoadFromText(written);
    FUZZ_CHECK(sameEntries(again.Entries(), entries));
    return 0;
}
