// Card settlements survive being killed anywhere: the harness settles bills
// by card on the dedicated line (the card server simulator runs here and
// keeps the card company's ledger) while this test kills it with SIGKILL at
// random moments and starts it again; the payment rows and the commit are
// slowed, so kills land between the approval and the stored bill too. At
// the end the card company and the stored bills agree: every bill is stored
// once with its card row, or not at all when a kill fell between taking its
// number and its commit (the number stays unused, its card is not charged);
// each card row names an approval that stands, and each card stands charged
// exactly its bill's amount. The one exception is a request a kill cut off
// before its answer: the card company may have approved it, and the journal
// keeps it for a person to check, so a card may stand charged more only by
// what the journal still names for that card.

#include "KillSpawn.h"
#include "PgTestDatabase.h"
#include "SettlementKillBill.h"
#include "TempDir.h"

#include "CardServerSim.h"
#include "payment/approval/ApprovalJournal.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace pos::test {
namespace {

constexpr int kBills = 30;
constexpr int kKills = 25;

std::string billNo(std::int64_t aBill)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04lld", static_cast<long long>(aBill));
    return text;
}

TEST(CardKillTest, EachCardStandsChargedExactlyWhatItsStoredBillHolds)
{
    PgTestDatabase db;
    TempDir dir;
    const std::filesystem::path folder = dir / "terminal";
    std::filesystem::create_directories(folder);
    // Writing the payment rows and the commit take a moment, so that kills
    // land after an approval both before its bill is stored and around the
    // commit.
    db.query("CREATE FUNCTION slow_row() RETURNS trigger LANGUAGE plpgsql AS "
             "$$BEGIN PERFORM pg_sleep(0.04); RETURN NEW; END$$");
    db.query("CREATE TRIGGER slow_pay BEFORE INSERT ON pay FOR EACH ROW EXECUTE FUNCTION slow_row()");
    db.query("CREATE FUNCTION slow_commit() RETURNS trigger LANGUAGE plpgsql AS "
             "$$BEGIN PERFORM pg_sleep(0.03); RETURN NULL; END$$");
    db.query("CREATE CONSTRAINT TRIGGER slow_commit AFTER INSERT ON card_approval DEFERRABLE INITIALLY DEFERRED "
             "FOR EACH ROW EXECUTE FUNCTION slow_commit()");
    sim::TCardServerSim cardCompany;
    ASSERT_TRUE(cardCompany.Listen());

    // Every other run is killed just after the card company answered its
    // first approval: its payment rows take longer than that, so the kill
    // falls between the approval and the stored bill, however slowly the
    // run started.
    std::size_t ledgerAtStart = 0;
    const HarnessOutput printed = RunKilled(
        [&](const std::filesystem::path& aOut) {
            ledgerAtStart = cardCompany.Ledger().size();
            return SpawnHarness(POS_CARD_KILL_HARNESS,
                                {folder.string(), db.name(), std::string(POS_SOURCE_DIR) + "/db/POSSQL.ini",
                                 std::to_string(kBills), std::to_string(cardCompany.Port())},
                                aOut);
        },
        dir.path(), kKills, 20261211, {30, 400},
        [&] {
            const std::vector<sim::TLedgerLine> ledger = cardCompany.Ledger();
            for (std::size_t i = ledgerAtStart; i < ledger.size(); ++i)
                if (ledger[i].Action == "APPROVE") return true;
            return false;
        },
        {0, 40});
    ASSERT_TRUE(printed.done) << "the last run did not finish";

    // What the journal still names: only requests without an answer.
    TApprovalJournal journal(folder / "Approvals");
    ASSERT_TRUE(journal.Open());
    std::map<std::string, std::int64_t> unanswered;
    for (const TJournalEntry& e : journal.Entries()) {
        EXPECT_NE(e.State, TJournalState::Done) << e.Masked << " was approved and neither stored nor undone";
        unanswered[e.CardNo] += e.Amount;
    }

    std::set<std::string> standing;
    int cancellations = 0;
    for (const sim::TLedgerLine& line : cardCompany.Ledger()) {
        if (line.Action == "APPROVE" && !line.Cancelled) standing.insert(line.AgreeNo);
        if (line.Action == "CANCEL") ++cancellations;
    }
    for (std::int64_t n = 1; n <= kBills; ++n) {
        const std::string where = " FROM card_approval WHERE bill_no = '" + billNo(n) + "'";
        const std::string card = KillCardNo(n);
        // A kill after the number was taken and before the commit leaves the
        // number unused: that bill's customer stands charged nothing beyond
        // what the journal still names.
        const std::string rows = db.query("SELECT count(*)" + where);
        if (rows == "0" && !printed.stored.count(n)) {
            EXPECT_LE(cardCompany.Charged(card), unanswered[card]) << "bill " << n << " was not stored";
            continue;
        }
        ASSERT_EQ(rows, "1") << "bill " << n;
        const std::int64_t stored = std::stoll(db.query("SELECT amt::bigint" + where));
        EXPECT_EQ(stored, KillBillDue(n)) << "bill " << n;
        EXPECT_EQ(standing.count(db.query("SELECT agree_no" + where)), 1u) << "bill " << n;
        const std::int64_t extra = cardCompany.Charged(card) - stored;
        EXPECT_GE(extra, 0) << "bill " << n;
        EXPECT_LE(extra, unanswered[card]) << "bill " << n << ": charged beyond its bill and the journal";
    }
    // Kills between an approval and its stored bill happened, and were undone.
    EXPECT_GT(cancellations, 0);
}

}  // namespace
}  // namespace pos::test
