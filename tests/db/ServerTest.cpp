// The data module against a real PostgreSQL server: each test gets a fresh
// database from the migrated template and a terminal wired to it (its own
// program folder with "POSIP.ini" and a scrambled password in "ZoUpdate.ini",
// the shipped catalogue plus a few statements of the tests, scripted dialogs).

#include "PgTestDatabase.h"
#include "ServerFiles.h"
#include "TempDir.h"
#include "TestOffLinePolicy.h"
#include "core/Codec.h"
#include "core/FileIO.h"
#include "core/ScriptedDialogService.h"
#include "db/DataModule.h"
#include "db/DayLog.h"
#include "db/DbPassword.h"
#include "db/DbWork.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

namespace pos::test {
namespace {

const char* const kTestStatements =
    "[TEST-Sleep]\r\n"
    "SELECT pg_sleep(:P0::float8)\r\n"
    "[TEST-Echo]\r\n"
    "SELECT :P1::text, :P0::text, :P1::text, :P0::text IS NULL, :P10::text, ':P0 stays', 7::text\r\n"
    "[TEST-Session]\r\n"
    "SELECT current_setting('TimeZone'), current_setting('DateStyle'), current_setting('client_encoding')\r\n"
    "[TEST-UndefinedTable]\r\n"
    "SELECT * FROM no_such_table\r\n"
    "[TEST-Blank]\r\n"
    "\r\n"
    "[TEST-AddDayClose]\r\n"
    "INSERT INTO day_close (sale_date, upjang_code) VALUES (:P0, :P1)\r\n"
    "[TEST-AddCard]\r\n"
    "INSERT INTO test_card (card_no) VALUES (:P0)\r\n";

class ServerTest : public ::testing::Test {
protected:
    ServerTest()
    {
        ctx.gsFolder = dir.path().string() + "/";
        ctx.gsToday = "20240105";
        ctx.gsMasterUpjangCode = "1001";
        ctx.gsMasterUpjangName = "본관 식당";
        ctx.gsMasterPosNo = "01";
        ctx.gsCashier = "C01";
        ctx.gsServerIP = db.host();
        ctx.gsServerDB = db.name();
        WriteServerFiles(db, dir.path());
        LoadShippedCatalogue(catalogue, kTestStatements);
        data = makeData();
    }

    std::unique_ptr<TfrmData> makeData()
    {
        auto made = std::make_unique<TfrmData>(ctx, catalogue, dialogs, offLinePolicy);
        made->ConnectOnLineChanged([this](bool aOffLine) { notified.push_back(aOffLine); });
        EXPECT_TRUE(made->DataModuleCreate(db.user()));
        return made;
    }

    std::string log() const
    {
        const auto bytes = ReadWholeFile(DayLogPath(ctx));
        return bytes ? FromCp949(*bytes) : std::string();
    }

    std::vector<std::string> shownTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& shown : dialogs.shown) texts.push_back(shown.text);
        return texts;
    }

    PgTestDatabase db;
    TempDir dir;
    TTerminalContext ctx;
    TSqlCatalogue catalogue;
    ScriptedDialogService dialogs;
    TestOffLinePolicy offLinePolicy;
    std::vector<bool> notified;
    std::unique_ptr<TfrmData> data;
};


const char* const kMsgBadLogin =
    "DB 사용자 또는 비밀번호가 틀립니다.\r시스템을 껐다 켜시고, 같은 문제가 발생할 경우\r전산팀에 문의하십시오.";
const char* const kMsgTooMany = "현재 너무 많은 사용자가 사용 중이므로 연결할 수 없습니다.\r잠시 후 다시 시도하십시오.";
const char* const kMsgCannotConnect = "데이터베이스와 연결할 수 없습니다.\r";
const char* const kMsgFatal = "데이터 베이스에 치명적인 문제가 발생했습니다.\r현재 작업을 취소하고 시스템을 껏다 켜십시오.";
const char* const kMsgRetry = "지금 On Line을 다시 시도할까요?\r[예] : On Line 시도, [아니요] : 시스템 종료";
const char* const kMsgHeld = "Off Line 상태입니다.\r본관 식당은(는) Off Line시 판매를 할 수 없습니다.";

// Terminates the data module's backend as soon as it runs a statement.
std::thread terminateWhenActive(const PgTestDatabase& aDb, int aPid)
{
    return std::thread([&aDb, aPid] {
        try {
            PgConnHandle conn = aDb.connect();
            const std::string active =
                "SELECT count(*) FROM pg_stat_activity WHERE state = 'active' AND pid = " + std::to_string(aPid);
            for (int i = 0; i < 1000; ++i) {
                if (PgTestDatabase::run(conn.get(), active) == "1") {
                    PgTestDatabase::run(conn.get(), "SELECT pg_terminate_backend(" + std::to_string(aPid) + ")");
                    return;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        } catch (const std::exception& e) {
            ADD_FAILURE() << e.what();
        }
    });
}

// A statement that dies with its backend; the failure path of a reader.
void runSleepUntilTerminated(TfrmData& aData, const PgTestDatabase& aDb)
{
    std::thread killer = terminateWhenActive(aDb, aData.BackendPID());
    TDbQuery query(aData);
    query.SetSQL("TEST-Sleep");
    query.SetParam(0, "20");
    const bool ran = query.Open();
    killer.join();
    ASSERT_FALSE(ran);
    EXPECT_EQ(query.Error().kind, TDbErrorKind::ConnectionLost) << LogText(query.Error());
    aData.ReadFailed(query.Error());
}

TEST_F(ServerTest, ConnectsWithTheScrambledPasswordAndReads)
{
    ASSERT_TRUE(data->ConnectDB(true, false)) << log();
    EXPECT_FALSE(ctx.gbOffLine);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(notified.empty());

    TDbQuery& query = data->qryQuery;
    query.SetSQL("IZD000-CheckClosed-3");
    ASSERT_TRUE(query.Open()) << LogText(query.Error());
    ASSERT_FALSE(query.Eof());
    EXPECT_EQ(query.AsString(0), "0.0.0.0");
    query.Next();
    EXPECT_TRUE(query.Eof());

    // The session speaks the resort's time zone, ISO dates and UTF-8.
    query.SetSQL("TEST-Session");
    ASSERT_TRUE(query.Open()) << LogText(query.Error());
    EXPECT_EQ(query.AsString(0), "Asia/Seoul");
    EXPECT_EQ(query.AsString(1), "ISO, YMD");
    EXPECT_EQ(query.AsString(2), "UTF8");
}

TEST_F(ServerTest, RefusedConnectionsShowTheirMessageAndGoOffLine)
{
    PgConnHandle holder;
    struct Case {
        const char* name;
        std::function<void()> arrange;
        std::string message;  // whole text, or the start of it when startsWith
        bool startsWith;
        const char* sqlState;
    };
    const Case cases[] = {
        {"missing database", [&] { ctx.gsServerDB = "no_such_db"; }, kMsgCannotConnect, true, "3D000"},
        {"wrong password",
         [&] {
             ctx.gsServerDB = db.name();
             ASSERT_TRUE(WriteDBPassword(dir / "ZoUpdate.ini", "wrong-password"));
         },
         kMsgBadLogin, false, "28P01"},
        {"too many connections",
         [&] {
             ASSERT_TRUE(WriteDBPassword(dir / "ZoUpdate.ini", db.password()));
             holder = db.connect();
             PgTestDatabase::run(holder.get(), "ALTER DATABASE " + db.name() + " CONNECTION LIMIT 1");
         },
         kMsgTooMany, false, "53300"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ctx.gbOffLine = false;
        dialogs.clear();
        notified.clear();
        c.arrange();
        data = makeData();

        EXPECT_FALSE(data->ConnectDB(true, false));
        EXPECT_TRUE(ctx.gbOffLine);
        EXPECT_EQ(notified, std::vector<bool>{true});
        ASSERT_EQ(dialogs.shown.size(), 1u);
        const std::string& shown = dialogs.shown[0].text;
        if (c.startsWith) EXPECT_EQ(shown.rfind(c.message, 0), 0u) << shown;
        else EXPECT_EQ(shown, c.message);
        EXPECT_TRUE(dialogs.shown[0].beep);
        EXPECT_NE(log().find(std::string("IZD000-ConnectDB]\r\n[") + c.sqlState + "]"), std::string::npos) << log();
    }
    EXPECT_EQ(log().find("wrong-password"), std::string::npos);
    // Off line, an ordinary connect does not touch the server.
    dialogs.clear();
    EXPECT_FALSE(data->ConnectDB(true, false));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ServerTest, TerminatedBackendGoesOffLineAndAForcedConnectBringsItBack)
{
    ASSERT_TRUE(data->ConnectDB(true, false));
    const auto generation = data->Generation();
    runSleepUntilTerminated(*data, db);
    EXPECT_TRUE(ctx.gbOffLine);
    EXPECT_EQ(notified, std::vector<bool>{true});
    EXPECT_NE(log().find("TEST-Sleep]\r\n[57P01]"), std::string::npos) << log();

    EXPECT_FALSE(data->ConnectDB(true, false));
    ASSERT_TRUE(data->ConnectDB(true, true));
    EXPECT_FALSE(ctx.gbOffLine);
    EXPECT_EQ(notified, (std::vector<bool>{true, false}));
    EXPECT_GT(data->Generation(), generation);
    data->qryQuery.SetSQL("IZD000-CheckClosed-3");
    EXPECT_TRUE(data->qryQuery.Open());
}

TEST_F(ServerTest, OrdinaryAndMissingStatementsFailButStayOnLine)
{
    ASSERT_TRUE(data->ConnectDB(true, false));
    struct Case {
        const char* key;
        TDbErrorKind kind;
        const char* logged;
    };
    const Case cases[] = {
        {"TEST-UndefinedTable", TDbErrorKind::Other, "TEST-UndefinedTable]\r\n[42P01] relation \"no_such_table\""},
        // Not in the catalogue, or an entry without text: the empty query
        // the server would accept is a failure here.
        {"TEST-NotInTheCatalogue", TDbErrorKind::StatementMissing, "TEST-NotInTheCatalogue]\r\nstatement"},
        {"TEST-Blank", TDbErrorKind::StatementMissing, "TEST-Blank]\r\nstatement TEST-Blank is empty"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        TDbQuery query(*data);
        query.SetSQL(c.key);
        EXPECT_FALSE(query.ExecSQL());
        EXPECT_FALSE(query.Open());
        EXPECT_EQ(query.Error().kind, c.kind);
        data->ReadFailed(query.Error());
        EXPECT_FALSE(ctx.gbOffLine);
        EXPECT_NE(log().find(c.logged), std::string::npos) << log();
    }
    EXPECT_TRUE(notified.empty());
    EXPECT_TRUE(data->Connected());
}

TEST_F(ServerTest, ParametersBindAsTextByName)
{
    ASSERT_TRUE(data->ConnectDB(true, false));
    TDbQuery query(*data);
    query.SetSQL("TEST-Echo");
    query.SetParam(0, "");  // empty text travels as NULL
    query.SetParam(1, "둘");
    query.SetParam(10, Currency::fromRaw(123450));
    ASSERT_TRUE(query.Open()) << LogText(query.Error());
    EXPECT_EQ(query.AsString(0), "둘");
    EXPECT_TRUE(query.IsNull(1));
    EXPECT_EQ(query.AsString(1), "");
    EXPECT_EQ(query.AsString(2), "둘");
    EXPECT_EQ(query.AsString(3), "t");
    EXPECT_EQ(query.AsString(4), "12.345");
    EXPECT_EQ(query.AsCurrency(4), Currency::fromRaw(123450));
    EXPECT_EQ(query.AsInteger(4), 12);
    EXPECT_EQ(query.AsString(5), ":P0 stays");
    EXPECT_EQ(query.AsInteger(6), 7);
    // A column beyond the row reads as NULL.
    EXPECT_TRUE(query.IsNull(7));
}

TEST_F(ServerTest, CommitWritesRollbackForgetsAndOnlyCommitCounts)
{
    ASSERT_TRUE(data->ConnectDB(true, false));
    const auto addDayClose = [&](const char* aUpjang) {
        TDbQuery query(*data);
        query.SetSQL("TEST-AddDayClose");
        query.SetParam(0, "20240105");
        query.SetParam(1, aUpjang);
        return query.ExecSQL();
    };
    const auto stored = [&] { return db.query("SELECT string_agg(upjang_code, ',' ORDER BY upjang_code) FROM day_close"); };
    {
        TDbWork tx(*data);
        ASSERT_TRUE(tx.Active());
        ASSERT_TRUE(addDayClose("1001"));
        EXPECT_EQ(stored(), "");  // not visible before the commit
        EXPECT_TRUE(tx.Commit());
    }
    EXPECT_EQ(stored(), "1001");
    {
        TDbWork tx(*data);
        ASSERT_TRUE(addDayClose("1002"));
    }  // no commit: rolled back
    EXPECT_FALSE(data->InTransaction());
    EXPECT_EQ(stored(), "1001");
    {
        // A failed statement that the writer ignores aborts the transaction:
        // its COMMIT is answered ROLLBACK and must not count.
        TDbWork tx(*data);
        ASSERT_TRUE(addDayClose("1003"));
        EXPECT_FALSE(addDayClose("1001"));
        EXPECT_FALSE(tx.Commit());
        EXPECT_EQ(tx.Error().kind, TDbErrorKind::TransactionLost);
    }
    EXPECT_EQ(stored(), "1001");
    EXPECT_EQ(shownTexts(), std::vector<std::string>{kMsgFatal});
    EXPECT_FALSE(ctx.gbOffLine);
}

TEST_F(ServerTest, FailureLogHoldsKeyStateAndMessageButNoRowValues)
{
    ASSERT_TRUE(data->ConnectDB(true, false));
    db.query("CREATE TABLE test_card (card_no text PRIMARY KEY)");
    db.query("INSERT INTO test_card VALUES ('9410123412341234')");
    TDbWork tx(*data);
    TDbQuery query(*data);
    query.SetSQL("TEST-AddCard");
    query.SetParam(0, "9410123412341234");
    ASSERT_FALSE(query.ExecSQL());
    tx.Fail(query.Error());

    EXPECT_NE(log().find("TEST-AddCard]\r\n[23505] duplicate key value violates unique constraint"), std::string::npos)
        << log();
    EXPECT_EQ(log().find("9410123412341234"), std::string::npos) << log();
    EXPECT_FALSE(data->InTransaction());
    EXPECT_FALSE(ctx.gbOffLine);
}

TEST_F(ServerTest, WritesAfterAReconnectionFailInsteadOfCommittingHalfABill)
{
    ASSERT_TRUE(data->ConnectDB(true, false));
    TDbQuery query(*data);
    query.SetSQL("TEST-AddDayClose");
    query.SetParam(0, "20240105");
    {
        TDbWork bill(*data);
        query.SetParam(1, "1001");
        ASSERT_TRUE(query.ExecSQL());

        // The connection is made again in the middle of the bill (the
        // off-line retry loop or the on-line command).
        ASSERT_TRUE(data->ConnectDB(true, true));
        // A writer that begins a transaction only when none is open must not
        // get a new one now.
        EXPECT_TRUE(data->InTransaction());
        query.SetParam(1, "1002");
        EXPECT_FALSE(query.ExecSQL());
        EXPECT_EQ(query.Error().kind, TDbErrorKind::TransactionLost);
        EXPECT_FALSE(bill.Commit());
    }
    EXPECT_EQ(db.query("SELECT count(*) FROM day_close"), "0");
    EXPECT_EQ(shownTexts(), std::vector<std::string>{kMsgFatal});

    // The next bill works normally.
    TDbWork next(*data);
    query.SetParam(1, "1003");
    ASSERT_TRUE(query.ExecSQL()) << LogText(query.Error());
    EXPECT_TRUE(next.Commit());
    EXPECT_EQ(db.query("SELECT string_agg(upjang_code, ',') FROM day_close"), "1003");
}

TEST_F(ServerTest, OutletWithoutOffLineSellingRetriesInOneLoop)
{
    offLinePolicy.sellsOffLine = false;
    ASSERT_TRUE(WriteDBPassword(dir / "ZoUpdate.ini", "wrong-password"));
    ASSERT_TRUE(data->DataModuleCreate(db.user()));
    dialogs.answers = {true, true, false};

    EXPECT_FALSE(data->ConnectDB(true, false));
    // Every failed retry shows its message and asks again in the same loop:
    // the held-outlet notice appears once, not once per nested loop.
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{kMsgBadLogin, kMsgHeld, kMsgRetry, kMsgBadLogin, kMsgRetry,
                                                      kMsgBadLogin, kMsgRetry}));
    EXPECT_EQ(offLinePolicy.shutdowns, 1);
    EXPECT_TRUE(ctx.gbOffLine);
    EXPECT_EQ(notified, std::vector<bool>{true});
}

TEST_F(ServerTest, HeldOutletIsBackOnLineWhenTheRetrySucceeds)
{
    offLinePolicy.sellsOffLine = false;
    ASSERT_TRUE(data->ConnectDB(true, false));
    dialogs.answers = {true};

    runSleepUntilTerminated(*data, db);
    EXPECT_FALSE(ctx.gbOffLine);
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{kMsgHeld, kMsgRetry}));
    EXPECT_EQ(offLinePolicy.shutdowns, 0);
    EXPECT_TRUE(data->Connected());
}

TEST_F(ServerTest, ClosedDaySkipsThePosCheckButStillChecksTheVersion)
{
    db.query("INSERT INTO day_close (sale_date, upjang_code) VALUES ('20240105', '1001')");
    db.query("INSERT INTO pos_close (sale_date, upjang_code, pos_no) VALUES ('20240105', '1001', '01')");
    db.query("UPDATE program_version SET version = '2.0.10.3'");
    data->SetProgramVersion("2.0.9.7");
    const char* const old = "POS 프로그램이 업데이트 되었습니다. POS 프로그램을 껐다 켜십시오.";

    EXPECT_TRUE(data->CheckClosed("20240105", "1001", "01", true));
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{"오늘 영업회계가 마감되었습니다.", old}));
    EXPECT_TRUE(ctx.gbOldVersion);

    dialogs.clear();
    EXPECT_TRUE(data->CheckClosed("20240105", "1001", "01", false));
    EXPECT_EQ(shownTexts(), std::vector<std::string>{old});

    db.query("UPDATE program_version SET version = '2.0.9.7'");
    dialogs.clear();
    EXPECT_TRUE(data->CheckClosed("20240106", "1001", "01", true) == false);
    EXPECT_FALSE(ctx.gbOldVersion);
    db.query("INSERT INTO pos_close (sale_date, upjang_code, pos_no) VALUES ('20240106', '1001', '01')");
    EXPECT_TRUE(data->CheckClosed("20240106", "1001", "01", true));
    EXPECT_FALSE(data->CheckClosed("20240106", "1001", "02", true));
    EXPECT_EQ(shownTexts(), std::vector<std::string>{"오늘 POS 마감되었습니다."});
}

TEST_F(ServerTest, AClosingCheckThatFailsOnLineCountsAsClosed)
{
    db.query("DROP TABLE pos_close");
    EXPECT_TRUE(data->CheckClosed("20240105", "1001", "01", true));
    EXPECT_FALSE(ctx.gbOffLine);
    EXPECT_EQ(shownTexts(), std::vector<std::string>{"마감 여부를 확인할 수 없습니다.\r전산팀에 문의하십시오."});
    EXPECT_NE(log().find("IZD000-CheckClosed-2]\r\n[42P01]"), std::string::npos) << log();
}

TEST_F(ServerTest, CashierMayLeaveOnlyWithoutAnOpenShift)
{
    EXPECT_TRUE(data->CheckEmpClose());
    db.query("INSERT INTO cashier_signon (sale_date, upjang_code, pos_no, emp_no) VALUES ('20240105', '1001', '01', 'C01')");
    EXPECT_FALSE(data->CheckEmpClose());
    db.query("UPDATE cashier_signon SET closed_at = now()");
    EXPECT_TRUE(data->CheckEmpClose());
    db.query("DROP TABLE cashier_signon");
    EXPECT_FALSE(data->CheckEmpClose());
    EXPECT_NE(log().find("IZD000-CheckEmpClosed]\r\n[42P01]"), std::string::npos) << log();
}

TEST_F(ServerTest, StoredProceduresReturnTheirOutputs)
{
    ASSERT_TRUE(data->ConnectDB(true, false));
    db.query(
        "CREATE FUNCTION PR_TEST_ECHO(AIN text, ASECOND text, OUT AOUT text, OUT ANULL text) LANGUAGE plpgsql AS "
        "$$ BEGIN AOUT := upper(AIN) || coalesce(ASECOND, '-'); ANULL := NULL; END $$");
    TDbStoredProc proc(*data, "PR_TEST_ECHO", {"AIN", "ASECOND"}, {"AOUT", "ANULL"});
    proc.SetParam("ain", "abc");
    ASSERT_TRUE(proc.ExecProc()) << LogText(proc.Error());
    EXPECT_EQ(proc.Output("AOUT"), "ABC-");
    EXPECT_EQ(proc.Output("ANULL"), "");
    EXPECT_FALSE(ctx.gbOffLine);
}

TEST_F(ServerTest, EveryCatalogueStatementIsAcceptedByTheSchema)
{
    TSqlCatalogue shipped;
    ASSERT_TRUE(shipped.ReadSQLList(std::filesystem::path(POS_SOURCE_DIR) / "db" / "POSSQL.ini"));
    ASSERT_FALSE(shipped.Entries().empty());
    PgConnHandle conn = db.connect();
    int n = 0;
    for (const TSQLList& entry : shipped.Entries()) {
        const TBoundSql bound = RewriteParameters(shipped.GetSQL(entry.Name));
        PgResultHandle prepared(PQprepare(conn.get(), ("s" + std::to_string(n++)).c_str(), bound.text.c_str(), 0, nullptr));
        EXPECT_EQ(PQresultStatus(prepared.get()), PGRES_COMMAND_OK) << entry.Name << ": " << PQerrorMessage(conn.get());
    }
}

}  // namespace
}  // namespace pos::test
