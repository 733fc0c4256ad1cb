#pragma once
// A program folder pointed at the test database, as a terminal's would be:
// "POSIP.ini" with the server's address and TLS settings (the server's
// certificate checked against the CA of the test cluster) and "ZoUpdate.ini"
// with its scrambled password; the shipped statement catalogue; and the demo
// resort's master data in the database.
// Test programs that use it define POS_SOURCE_DIR.

#include "PgTestDatabase.h"
#include "core/Codec.h"
#include "core/FileIO.h"
#include "core/IniFile.h"
#include "db/Catalogue.h"
#include "db/DbPassword.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace pos::test {

inline void WriteServerFiles(const PgTestDatabase& aDb, const std::filesystem::path& aFolder)
{
    IniFile posIp;
    posIp.writeString("MAIN", "ServerDB", aDb.name());
    posIp.writeString("MAIN", "Host", aDb.host());
    posIp.writeInteger("MAIN", "Port", aDb.port());
    posIp.writeString("MAIN", "SSLMode", aDb.sslMode());
    posIp.writeString("MAIN", "SSLRootCert", aDb.sslRootCert());
    EXPECT_TRUE(posIp.save(aFolder / "POSIP.ini"));
    EXPECT_TRUE(WriteDBPassword(aFolder / "ZoUpdate.ini", aDb.password()));
}

// The shipped statement catalogue, with a test's own statements
// (catalogue text, UTF-8) after it.
inline void LoadShippedCatalogue(TSqlCatalogue& aCatalogue, std::string_view aTestStatements = {})
{
    const auto shipped = ReadWholeFile(std::filesystem::path(POS_SOURCE_DIR) / "db" / "POSSQL.ini");
    EXPECT_TRUE(shipped.has_value());
    aCatalogue.LoadFromText(FromCp949(shipped.value_or("")) + std::string(aTestStatements));
}

// The shipped statement catalogue, copied into the folder.
inline void CopyCatalogue(const std::filesystem::path& aFolder)
{
    const auto shipped = ReadWholeFile(std::filesystem::path(POS_SOURCE_DIR) / "db" / "POSSQL.ini");
    EXPECT_TRUE(shipped && WriteFileAtomically(aFolder / "POSSQL.ini", *shipped));
}

// Outlets, POS terminals, cashiers, goods, menus, calendar, tenders,
// discounts and the company header of the demo resort.
inline void LoadDemoMasterData(const PgTestDatabase& aDb)
{
    PgConnHandle conn = aDb.connect();
    for (const char* name : {"10_outlets.sql", "20_goods_menus.sql", "30_calendar_tenders.sql", "40_discounts_company.sql"}) {
        const auto sql = ReadWholeFile(std::filesystem::path(POS_SOURCE_DIR) / "db" / "demo" / name);
        EXPECT_TRUE(sql.has_value()) << name;
        PgTestDatabase::run(conn.get(), sql.value_or(""));
    }
}

}  // namespace pos::test
