// Every statement key the code names is in the shipped catalogue. Keys are
// found as string literals of the shape module code + "-" + operation
// ("IZD000-CheckClosed-1", "IAB030-DownloadMenu", "IZC002-..."), anywhere
// under src/ and app/, so a key added later is checked without a list.

#include "db/Catalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace pos {
namespace {

namespace fs = std::filesystem;

// Names that are only log headings, never statements.
const std::set<std::string> kLogOnlyNames = {"IZD000-ConnectDB", "IZC000-UploadData", "IZC002-AddOffLineData-",
                                             "IZC002-SaveOffLineData-1", "IZC002-SaveOffLineData-2",
                                             "IZC002-LoadOffLineData", "IZC002-QueueBill",
                                             "IAI010-SaveBillNo", "IAI010-btnPayClick", "ICI010-ExecCard",
                                             "ICI010-ApprovalJournal", "ICI010-LoadApprovalDriver",
                                             "ICI010-LeftoverApprovals"};

bool isUpperOrDigit(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }
bool isKeyChar(char c) { return isUpperOrDigit(c) || (c >= 'a' && c <= 'z') || c == '_' || c == '-'; }

// A whole literal "I" + area letter + four letters or digits + "-" + the rest.
bool looksLikeKey(const std::string& aText)
{
    if (aText.size() < 7 || aText[0] != 'I' || !(aText[1] >= 'A' && aText[1] <= 'Z') || aText[6] != '-') return false;
    for (std::size_t i = 2; i < 6; ++i)
        if (!isUpperOrDigit(aText[i])) return false;
    for (char c : aText)
        if (!isKeyChar(c)) return false;
    return true;
}

std::set<std::string> literalKeys(const std::string& aSource)
{
    std::set<std::string> keys;
    for (std::size_t open = aSource.find('"'); open != std::string::npos; open = aSource.find('"', open + 1)) {
        const std::size_t close = aSource.find('"', open + 1);
        if (close == std::string::npos) break;
        const std::string text = aSource.substr(open + 1, close - open - 1);
        if (looksLikeKey(text)) {
            keys.insert(text);
            open = close;
        }
    }
    return keys;
}

std::set<std::string> keysUsedIn(const fs::path& aFolder)
{
    std::set<std::string> keys;
    if (!fs::exists(aFolder)) return keys;
    for (const auto& entry : fs::recursive_directory_iterator(aFolder)) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h" && ext != ".hpp" && ext != ".cc")) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        keys.merge(literalKeys(text.str()));
    }
    return keys;
}

TEST(CatalogueKeysTest, EveryKeyTheCodeUsesIsInTheCatalogue)
{
    const fs::path root = POS_SOURCE_DIR;
    TSqlCatalogue catalogue;
    ASSERT_TRUE(catalogue.ReadSQLList(root / "db" / "POSSQL.ini"));

    std::set<std::string> used = keysUsedIn(root / "src");
    used.merge(keysUsedIn(root / "app"));
    ASSERT_TRUE(used.count("IZD000-CheckClosed-1")) << "the scan found none of the data module's keys";

    for (const std::string& key : used) {
        if (kLogOnlyNames.count(key)) continue;
        if (key.back() == '-') {
            // A prefix completed at run time: some key must complete it.
            bool completed = false;
            for (const TSQLList& entry : catalogue.Entries()) completed |= entry.Name.rfind(key, 0) == 0;
            EXPECT_TRUE(completed) << "no catalogue key starts with " << key;
            continue;
        }
        EXPECT_TRUE(catalogue.Contains(key)) << key << " is used in the code but missing from db/POSSQL.ini";
        EXPECT_NE(catalogue.GetSQL(key).find_first_not_of(" \t\r\n"), std::string::npos) << key << " has no SQL";
    }
}

}  // namespace
}  // namespace pos
