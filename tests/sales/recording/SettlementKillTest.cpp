// Settling survives being killed anywhere: the harness settles bills on line
// and off line while this test kills it with SIGKILL at random moments (the
// server's commit is slowed, and printing takes a moment, so kills land in
// the middle of the settlement too) and starts it again. At the end every
// bill the server holds is whole (its payment rows add up to its sale rows
// and to the bill's amount), every bill the harness reported stored is
// there, no bill number was used twice (nothing was set aside as a
// conflicting second bill) and the queue is empty.

#include "KillSpawn.h"
#include "PgTestDatabase.h"
#include "SettlementKillBill.h"
#include "TempDir.h"
#include "core/FileIO.h"

#include <gtest/gtest.h>


namespace pos::test {
namespace {

constexpr int kBills = 60;
constexpr int kKills = 30;

TEST(SettlementKillTest, EveryBillIsStoredWholeOnceWhereverTheTerminalIsKilled)
{
    PgTestDatabase db;
    TempDir dir;
    const std::filesystem::path folder = dir / "terminal";
    std::filesystem::create_directories(folder);
    // A commit that takes a moment, so that kills land around it.
    db.query("CREATE FUNCTION slow_commit() RETURNS trigger LANGUAGE plpgsql AS "
             "$$BEGIN PERFORM pg_sleep(0.01); RETURN NULL; END$$");
    db.query("CREATE CONSTRAINT TRIGGER slow_commit AFTER INSERT ON pay DEFERRABLE INITIALLY DEFERRED "
             "FOR EACH ROW EXECUTE FUNCTION slow_commit()");

    const HarnessOutput printed = RunKilled(
        [&](const std::filesystem::path& aOut) {
            return SpawnHarness(POS_SETTLEMENT_HARNESS,
                                {folder.string(), db.name(), std::string(POS_SOURCE_DIR) + "/db/POSSQL.ini",
                                 std::to_string(kBills)},
                                aOut);
        },
        dir.path(), kKills, 20261210, {20, 400});
    ASSERT_TRUE(printed.done) << "the last run did not finish";

    // Every bill on the server is whole and as it was rung up.
    const std::string bad = db.query(
        "SELECT coalesce(string_agg(b, ','), '') FROM ("
        "  SELECT s.bill_no AS b FROM (SELECT bill_no, sum(sale_amt) AS amt FROM sale GROUP BY bill_no) s"
        "  FULL JOIN (SELECT bill_no, sum(amt) AS amt FROM pay GROUP BY bill_no) p USING (bill_no)"
        "  WHERE s.amt IS DISTINCT FROM p.amt) x");
    EXPECT_EQ(bad, "") << "bills whose payments differ from their sales";
    const int onServer = std::stoi(db.query("SELECT count(DISTINCT bill_no) FROM sale"));
    for (std::int64_t n = 1; n <= kBills; ++n) {
        char billNo[8];
        std::snprintf(billNo, sizeof billNo, "%04lld", static_cast<long long>(n));
        const std::string sum = db.query(std::string("SELECT coalesce(sum(sale_amt), 0)::bigint FROM sale WHERE bill_no = '") + billNo + "'");
        if (sum != "0") {
            EXPECT_EQ(std::stoll(sum), KillBillDue(n)) << "bill " << billNo;
        }
        if (printed.stored.count(n)) {
            EXPECT_NE(sum, "0") << "bill " << billNo << " was reported stored";
        }
    }
    EXPECT_GE(onServer, static_cast<int>(printed.stored.size()));
    // No second bill under a number that was in use: nothing set aside.
    for (const char* aside : {"Sale.bad", "Pay.bad"}) EXPECT_FALSE(std::filesystem::exists(folder / aside)) << aside;
    EXPECT_EQ(ReadWholeFile(folder / "Sale").value_or(""), "");
    EXPECT_EQ(ReadWholeFile(folder / "Pay").value_or(""), "");
    EXPECT_FALSE(std::filesystem::exists(folder / "Pending.bill"));
}

}  // namespace
}  // namespace pos::test
