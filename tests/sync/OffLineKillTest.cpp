// Queueing and upload survive being killed anywhere: the harness program
// queues and uploads bills while this test kills it with SIGKILL at random
// moments and starts it again from the last bill it reported queued. After
// every kill each reported bill's rows are on the server or still in the
// queue files, no bill is on the server in part, and every queue file reads
// back whole; at the end every bill is on the server exactly once and the
// queues are empty.

#include "OffLineKillBill.h"
#include "PgTestDatabase.h"
#include "TempDir.h"
#include "core/FileIO.h"
#include "db/DbPassword.h"
#include "sync/OffLineQueue.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <map>
#include <random>
#include <set>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace pos::test {
namespace {

constexpr int kBills = 150;
constexpr int kUploadEvery = 3;
constexpr int kKills = 40;

struct Child {
    pid_t pid = -1;
    std::filesystem::path out;
};

Child start(const std::filesystem::path& aFolder, const std::string& aDatabase, int aFrom, int aRun)
{
    Child child;
    child.out = aFolder.parent_path() / ("harness-" + std::to_string(aRun) + ".out");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, child.out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const std::string catalogue = std::string(POS_SOURCE_DIR) + "/db/POSSQL.ini";
    const std::string from = std::to_string(aFrom), to = std::to_string(kBills), every = std::to_string(kUploadEvery);
    const std::string folder = aFolder.string();
    std::vector<char*> argv = {const_cast<char*>(POS_KILL_HARNESS), const_cast<char*>(folder.c_str()),
                               const_cast<char*>(aDatabase.c_str()), const_cast<char*>(catalogue.c_str()),
                               const_cast<char*>(from.c_str()), const_cast<char*>(to.c_str()),
                               const_cast<char*>(every.c_str()), nullptr};
    EXPECT_EQ(posix_spawn(&child.pid, POS_KILL_HARNESS, &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    return child;
}

// What the child printed: the last bill it queued, whether it finished.
struct Printed {
    int lastQueued = 0;
    bool done = false;
    int duplicates = 0;  // lines an upload found on the server already
};

Printed printed(const std::filesystem::path& aOut)
{
    Printed p;
    std::istringstream in(ReadWholeFile(aOut).value_or(""));
    std::string word;
    while (in >> word) {
        int ok = 0, duplicates = 0;
        if (word == "Q") {
            in >> p.lastQueued;
        } else if (word == "U" && in >> ok >> duplicates) {
            p.duplicates += duplicates;
        } else if (word == "DONE") {
            p.done = true;
        }
    }
    return p;
}

// The rows of a bill by queue, as "queue|line", from the queue files.
std::multiset<std::string> queuedLines(const std::filesystem::path& aFolder, std::string& aDamage)
{
    std::multiset<std::string> lines;
    for (const char* name : {"Sale", "Pay"}) {
        const auto bytes = ReadWholeFile(aFolder / name);
        if (!bytes) continue;
        if (!bytes->empty() && bytes->substr(bytes->size() - 2) != "\r\n") aDamage += std::string(name) + " ends mid-line; ";
        for (const std::string& line : SplitQueueFile(*bytes)) {
            const TOffLineLine parsed = ParseOffLineLine(line, FindOffLineQueue(name)->FieldCount);
            if (!parsed.Sound()) aDamage += std::string(name) + ": " + parsed.Problem + "; ";
            lines.insert(std::string(name) + "|" + line);
        }
    }
    return lines;
}

TEST(OffLineKillTest, EveryBillEndsOnTheServerOnceOrStaysQueued)
{
    PgTestDatabase db;
    TempDir dir;
    const std::filesystem::path folder = dir / "pos";
    std::filesystem::create_directories(folder);
    ASSERT_TRUE(WriteDBPassword(folder / "ZoUpdate.ini", db.password()));

    // COMMIT takes a while, so that kills also land after the server has
    // committed an upload and before the queue files were rewritten: the
    // next run must then skip those lines as duplicates.
    db.query("CREATE FUNCTION slow_commit() RETURNS trigger LANGUAGE plpgsql AS $$ "
             "BEGIN PERFORM pg_sleep(0.004); RETURN NULL; END $$");
    db.query("CREATE CONSTRAINT TRIGGER slow_commit AFTER INSERT ON pay DEFERRABLE INITIALLY DEFERRED "
             "FOR EACH ROW EXECUTE FUNCTION slow_commit()");

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayMs(10, 400);

    int lastQueued = 0;
    bool done = false;
    int duplicates = 0;
    PgConnHandle conn = db.connect();
    for (int run = 0; !done && run < kKills + 5; ++run) {
        Child child = start(folder, db.name(), lastQueued + 1, run);
        ASSERT_GT(child.pid, 0);
        const bool kill = run < kKills;
        if (kill) {
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs(random)));
            ::kill(child.pid, SIGKILL);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child.pid, &status, 0), child.pid);
        if (!kill || !WIFSIGNALED(status)) {
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "run " << run << " status " << status;
        }
        const Printed p = printed(child.out);
        lastQueued = std::max(lastQueued, p.lastQueued);
        done = p.done;
        duplicates += p.duplicates;

        // After the kill: nothing half-written, nothing lost, nothing in part.
        std::string damage;
        const std::multiset<std::string> queued = queuedLines(folder, damage);
        EXPECT_EQ(damage, "") << "run " << run;
        std::map<std::string, int> rowsOnServer;  // bill -> rows (sale + pay)
        PgResultHandle rows(PQexec(conn.get(),
            "SELECT bill_no, count(*) FROM (SELECT bill_no FROM sale UNION ALL SELECT bill_no FROM pay) r GROUP BY bill_no"));
        ASSERT_EQ(PQresultStatus(rows.get()), PGRES_TUPLES_OK);
        for (int r = 0; r < PQntuples(rows.get()); ++r) rowsOnServer[PQgetvalue(rows.get(), r, 0)] = std::atoi(PQgetvalue(rows.get(), r, 1));
        for (const auto& [bill, n] : rowsOnServer) {
            EXPECT_EQ(n, 3) << "bill " << bill << " is on the server in part";
        }
        for (int bill = 1; bill <= lastQueued; ++bill) {
            if (rowsOnServer.count(KillBillNo(bill))) continue;
            for (const auto& [queue, values] : KillBillRecords(bill)) {
                EXPECT_EQ(queued.count(queue + "|" + BuildOffLineLine(values, "")), 1u)
                    << "run " << run << ": a row of bill " << bill << " is neither on the server nor queued";
            }
        }
        if (HasFailure()) return;
    }
    ASSERT_TRUE(done) << "the harness never finished";
    RecordProperty("duplicates_skipped", duplicates);
    EXPECT_EQ(lastQueued, kBills);

    EXPECT_EQ(db.query("SELECT count(*) FROM sale"), std::to_string(2 * kBills));
    EXPECT_EQ(db.query("SELECT count(*) FROM pay"), std::to_string(kBills));
    EXPECT_EQ(db.query("SELECT count(DISTINCT bill_no) FROM pay"), std::to_string(kBills));
    long expected = 0;
    for (int bill = 1; bill <= kBills; ++bill) expected += 10000 + bill * 100 + 7000;
    EXPECT_EQ(db.query("SELECT sum(amt)::bigint FROM pay"), std::to_string(expected));
    for (const char* name : {"Sale", "Pay"}) {
        const auto bytes = ReadWholeFile(folder / name);
        EXPECT_TRUE(!bytes || bytes->empty()) << name << " still holds lines";
        EXPECT_FALSE(std::filesystem::exists(folder / (std::string(name) + ".bad"))) << name;
    }
}

}  // namespace
}  // namespace pos::test
