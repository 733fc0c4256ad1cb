#pragma once
// The demo resort's hotel guests, golf players, group contracts and credit
// customers in a test database (db/demo/50-53), and a terminal on the hotel
// buffet selling today, when those rows are current. Test programs that use
// it define POS_SOURCE_DIR.

#include "PayFixture.h"
#include "ServerTerminal.h"

#include <filesystem>

namespace pos::test {

inline void LoadDemoAccounts(const PgTestDatabase& aDb)
{
    PgConnHandle conn = aDb.connect();
    for (const char* name : {"50_hotel_guests.sql", "51_golf_lockers.sql", "52_group_contracts.sql",
                             "53_credit_customers.sql"}) {
        const auto sql = ReadWholeFile(std::filesystem::path(POS_SOURCE_DIR) / "db" / "demo" / name);
        ASSERT_TRUE(sql.has_value()) << name;
        PgTestDatabase::run(conn.get(), *sql);
    }
}

// The hotel buffet (3001), which charges rooms of both hotels, selling today.
inline void SetUpDemoBuffet(const PgTestDatabase& aDb, TTerminalContext& aContext, TMasterStore& aStore)
{
    LoadDemoAccounts(aDb);
    SetUpPayTerminal(aContext, aStore);
    aContext.gsMasterUpjangCode = aContext.gsUpjangCode = "3001";
    aContext.gsToday = aContext.gsSaleDate = aDb.query("SELECT to_char(current_date, 'YYYYMMDD')");
    aStore.glUpjangData.front().UpjangCode = "3001";
}

}  // namespace pos::test
