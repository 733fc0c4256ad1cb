#include "TempDir.h"
#include "core/Codec.h"
#include "core/FileIO.h"
#include "db/Catalogue.h"

#include <gtest/gtest.h>

namespace pos {
namespace {

TEST(CatalogueTest, ReadsEntriesByTheLineRules)
{
    TSqlCatalogue catalogue;
    catalogue.LoadFromText(
        "SELECT 'before any entry'\r\n"
        "[IZD000-First]\r\n"
        "\r\n"
        "\r\n"
        "SELECT 1\r\n"
        "  FROM dual  \r\n"
        "[IZD000-Cut\r\n"
        "SELECT 2\r\n"
        "[IZD000-First]\r\n"
        "SELECT 'second of the name'\r\n"
        "[izd000-first]\r\n"
        "SELECT 'other case'\r\n"
        "[Last]\r\n"
        "SELECT 3");

    // Empty lines and blanks are kept; every line ends in CR LF.
    EXPECT_EQ(catalogue.GetSQL("IZD000-First"), "\r\n\r\nSELECT 1\r\n  FROM dual  \r\n");
    // The last character goes whatever it is.
    EXPECT_EQ(catalogue.GetSQL("IZD000-Cu"), "SELECT 2\r\n");
    EXPECT_FALSE(catalogue.Contains("IZD000-Cut"));
    EXPECT_EQ(catalogue.GetSQL("izd000-first"), "SELECT 'other case'\r\n");
    EXPECT_EQ(catalogue.GetSQL("Last"), "SELECT 3\r\n");
    EXPECT_EQ(catalogue.GetSQL("Missing"), "");

    // Nothing kept the text before the first entry; both entries of one name stay listed.
    ASSERT_EQ(catalogue.Entries().size(), 5u);
    for (const TSQLList& entry : catalogue.Entries())
        for (const std::string& line : entry.SQL) EXPECT_EQ(line.find("before any entry"), std::string::npos);
}

TEST(CatalogueTest, AFinalLineBreakAddsNoLine)
{
    TSqlCatalogue catalogue;
    catalogue.LoadFromText("[A]\nSELECT 1\n[B]\nSELECT 2\n\n");
    EXPECT_EQ(catalogue.GetSQL("A"), "SELECT 1\r\n");
    EXPECT_EQ(catalogue.GetSQL("B"), "SELECT 2\r\n\r\n");
}

TEST(CatalogueTest, ReadsTheFileAsCp949)
{
    test::TempDir dir;
    const auto path = dir / "POSSQL.ini";
    ASSERT_TRUE(WriteFileAtomically(path, ToCp949("[IZD000-Name]\r\nSELECT '영업장'\r\n")));

    TSqlCatalogue catalogue;
    ASSERT_TRUE(catalogue.ReadSQLList(path));
    EXPECT_EQ(catalogue.GetSQL("IZD000-Name"), "SELECT '영업장'\r\n");
    EXPECT_FALSE(catalogue.ReadSQLList(dir / "missing.ini"));
}

}  // namespace
}  // namespace pos
