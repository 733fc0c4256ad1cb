// The connection to the central database is encrypted and the terminal's
// role may use the schema but not change it. Against the cluster of
// scripts/db, which is set up as a resort's server should be: TLS on, TCP
// only over TLS, the schema owned by the owner role, the terminal's login a
// member of pos_terminal.

#include "PgTestDatabase.h"
#include "TestOffLinePolicy.h"
#include "ServerFiles.h"
#include "TempDir.h"
#include "core/Codec.h"
#include "core/FileIO.h"
#include "core/IniFile.h"
#include "core/ScriptedDialogService.h"
#include "db/DataModule.h"
#include "db/DayLog.h"
#include "db/DbPassword.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace pos::test {
namespace {

// ---------------------------------------------------------------------------
// The TLS settings of "POSIP.ini"

struct TlsCase {
    const char* name;
    const char* ini;  // section "MAIN"
    const char* mode;
    const char* rootCert;  // "" for none; a relative one is under /pos
    bool refused;
};

class ReadDbTlsTest : public ::testing::TestWithParam<TlsCase> {};

TEST_P(ReadDbTlsTest, NeverWeakerThanEncrypted)
{
    const TlsCase& c = GetParam();
    const TDbTls tls = ReadDbTls(IniFile::fromText(std::string("[MAIN]\r\n") + c.ini), "/pos/");
    EXPECT_EQ(tls.problem.empty(), !c.refused) << tls.problem;
    if (!c.refused) {
        EXPECT_EQ(tls.mode, c.mode);
    }
    EXPECT_EQ(tls.rootCert, c.rootCert);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, ReadDbTlsTest,
    ::testing::Values(
        TlsCase{"NothingGiven", "Host=db\r\n", "require", "", false},
        TlsCase{"RootCertAloneVerifiesTheName", "SSLRootCert=certs/ca.crt\r\n", "verify-full", "/pos/certs/ca.crt", false},
        TlsCase{"AbsoluteRootCert", "SSLMode=verify-ca\r\nSSLRootCert=/etc/resort/ca.pem\r\n", "verify-ca",
                "/etc/resort/ca.pem", false},
        TlsCase{"ModeInAnyCase", "sslmode = Verify-Full\r\n", "verify-full", "", false},
        TlsCase{"RequireWithRootCert", "SSLMode=require\r\nSSLRootCert=ca.crt\r\n", "require", "/pos/ca.crt", false},
        TlsCase{"Disable", "SSLMode=disable\r\n", "", "", true},
        TlsCase{"PreferMayFallBack", "SSLMode=prefer\r\n", "", "", true},
        TlsCase{"Allow", "SSLMode=allow\r\n", "", "", true},
        TlsCase{"Unknown", "SSLMode=yes\r\n", "", "", true}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// The server

std::string sqlState(const PGresult* aResult)
{
    const char* state = PQresultErrorField(aResult, PG_DIAG_SQLSTATE);
    return state ? state : "";
}

TEST(DbTlsServerTest, TheTerminalsRoleIsRefusedInClearTextAndServedOverTls)
{
    PgTestDatabase db;
    const PgConnHandle clear = db.tryConnectAsTerminal("disable");
    EXPECT_EQ(PQstatus(clear.get()), CONNECTION_BAD);
    EXPECT_NE(std::string(PQerrorMessage(clear.get())).find("no encryption"), std::string::npos)
        << PQerrorMessage(clear.get());

    const PgConnHandle tls = db.tryConnectAsTerminal(db.sslMode());
    ASSERT_EQ(PQstatus(tls.get()), CONNECTION_OK) << PQerrorMessage(tls.get());
    EXPECT_EQ(PgTestDatabase::run(tls.get(), "SELECT ssl::text FROM pg_stat_ssl WHERE pid = pg_backend_pid()"), "true");
}

// The data module as the program makes it: "POSIP.ini" of its folder.
class TerminalTlsTest : public ::testing::Test {
protected:
    TerminalTlsTest()
    {
        ctx.gsFolder = dir.path().string() + "/";
        ctx.gsToday = "20240105";
        ctx.gsServerIP = db.host();
        ctx.gsServerDB = db.name();
        EXPECT_TRUE(WriteDBPassword(dir / "ZoUpdate.ini", db.password()));
        catalogue.LoadFromText("[TEST-Ssl]\r\nSELECT ssl::text FROM pg_stat_ssl WHERE pid = pg_backend_pid()\r\n");
    }

    // POSIP.ini with the server's address and aTls lines in section MAIN;
    // true when the data module then connects.
    bool connectWith(const std::string& aTls)
    {
        EXPECT_TRUE(WriteFileAtomically(dir / "POSIP.ini", "[MAIN]\r\nPort=" + std::to_string(db.port()) + "\r\n" + aTls));
        data = std::make_unique<TfrmData>(ctx, catalogue, dialogs, offLinePolicy);
        EXPECT_TRUE(data->DataModuleCreate(db.user()));
        ctx.gbOffLine = false;
        dialogs.clear();
        return data->ConnectDB(true, false);
    }

    std::string sslInUse()
    {
        TDbQuery query(*data);
        query.SetSQL("TEST-Ssl");
        EXPECT_TRUE(query.Open()) << LogText(query.Error());
        return query.Eof() ? std::string() : query.AsString(0);
    }

    std::string log() const { return FromCp949(ReadWholeFile(DayLogPath(ctx)).value_or("")); }

    PgTestDatabase db;
    TempDir dir;
    TTerminalContext ctx;
    TSqlCatalogue catalogue;
    ScriptedDialogService dialogs;
    TestOffLinePolicy offLinePolicy;
    std::unique_ptr<TfrmData> data;
};

TEST_F(TerminalTlsTest, ChecksTheServerAgainstARootCertificateBesideTheProgram)
{
    std::filesystem::create_directories(dir / "certs");
    std::filesystem::copy_file(db.sslRootCert(), dir / "certs" / "ca.crt");
    // Relative to the program folder, not to the current folder.
    ASSERT_TRUE(connectWith("SSLRootCert=certs/ca.crt\r\n")) << log();
    EXPECT_EQ(data->Login().tls.mode, "verify-full");
    EXPECT_EQ(sslInUse(), "true");

    // A root certificate that is not there is not skipped.
    EXPECT_FALSE(connectWith("SSLMode=verify-ca\r\nSSLRootCert=certs/other.crt\r\n"));
    EXPECT_TRUE(ctx.gbOffLine);
    EXPECT_NE(log().find("other.crt"), std::string::npos) << log();
}

TEST_F(TerminalTlsTest, WithoutSettingsTheConnectionIsStillEncrypted)
{
    ASSERT_TRUE(connectWith("")) << log();
    EXPECT_EQ(data->Login().tls.mode, "require");
    EXPECT_EQ(sslInUse(), "true");
}

TEST_F(TerminalTlsTest, AClearTextModeIsRefusedWithoutAskingTheServer)
{
    EXPECT_FALSE(connectWith("SSLMode=disable\r\n"));
    EXPECT_TRUE(ctx.gbOffLine);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text.rfind("데이터베이스와 연결할 수 없습니다.\r", 0), 0u);
    EXPECT_NE(dialogs.shown[0].text.find("SSLMode \"disable\""), std::string::npos) << dialogs.shown[0].text;
    EXPECT_NE(log().find("IZD000-ConnectDB]\r\nSSLMode \"disable\""), std::string::npos) << log();
    // The server never saw the terminal's role.
    EXPECT_EQ(db.query("SELECT count(*) FROM pg_stat_activity WHERE usename = '" + db.user() + "' AND datname = '" + db.name() + "'"), "0");
}

// ---------------------------------------------------------------------------
// The terminal's role: rows yes, schema no

class TerminalRoleTest : public ::testing::Test {
protected:
    TerminalRoleTest() : conn(db.tryConnectAsTerminal(db.sslMode()))
    {
        EXPECT_EQ(PQstatus(conn.get()), CONNECTION_OK) << PQerrorMessage(conn.get());
    }

    // The SQLSTATE of aSql run as the terminal's role ("" when it ran).
    std::string refusal(const std::string& aSql)
    {
        PgResultHandle result(PQexec(conn.get(), aSql.c_str()));
        const ExecStatusType status = PQresultStatus(result.get());
        if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return {};
        return sqlState(result.get());
    }
    std::string asTerminal(const std::string& aSql) { return PgTestDatabase::run(conn.get(), aSql); }

    PgTestDatabase db;
    PgConnHandle conn;
};

TEST_F(TerminalRoleTest, CannotCreateDropOrChangeTables)
{
    const char* const statements[] = {
        "CREATE TABLE terminal_table (a integer)",
        "DROP TABLE cashier",
        "ALTER TABLE cashier ADD COLUMN note text",
        "TRUNCATE pay",
        "CREATE FUNCTION terminal_function() RETURNS integer LANGUAGE sql AS 'SELECT 1'",
        "CREATE SCHEMA terminal_schema",
        "SELECT * FROM schema_version",
    };
    for (const char* sql : statements) EXPECT_EQ(refusal(sql), "42501") << sql;  // insufficient privilege

    EXPECT_EQ(asTerminal("SELECT has_schema_privilege('public', 'CREATE')::text"), "false");
    EXPECT_EQ(asTerminal("SELECT has_database_privilege(current_database(), 'CREATE')::text"), "false");
    EXPECT_EQ(asTerminal("SELECT rolcreatedb::text FROM pg_roles WHERE rolname = current_user"), "false");
    EXPECT_EQ(asTerminal("SELECT count(*) FROM pg_class c JOIN pg_roles r ON r.oid = c.relowner "
                         "WHERE r.rolname = current_user"),
              "0");
}

TEST_F(TerminalRoleTest, UsesEveryTableAndProcedure)
{
    // Tables and views of the schema, by oid (a name alone may be looked up
    // in another schema before the filter applies).
    const std::string relations = "FROM pg_class c WHERE c.relnamespace = 'public'::regnamespace AND c.relkind IN "
                                  "('r', 'v', 'p') AND c.relname <> 'schema_version'";
    EXPECT_EQ(asTerminal("SELECT string_agg(c.relname, ', ') " + relations +
                         " AND NOT (has_table_privilege(c.oid, 'SELECT') AND has_table_privilege(c.oid, 'INSERT') "
                         "AND has_table_privilege(c.oid, 'UPDATE') AND has_table_privilege(c.oid, 'DELETE'))"),
              "");
    EXPECT_EQ(asTerminal("SELECT string_agg(c.relname, ', ') " + relations +
                         " AND has_table_privilege(c.oid, 'TRUNCATE, REFERENCES, TRIGGER')"),
              "");
    EXPECT_GT(std::stoi(asTerminal("SELECT count(*) " + relations)), 20);
    EXPECT_EQ(asTerminal("SELECT string_agg(p.oid::regprocedure::text, ', ') FROM pg_proc p "
                         "WHERE p.pronamespace = 'public'::regnamespace AND NOT has_function_privilege(p.oid, 'EXECUTE')"),
              "");
    EXPECT_EQ(asTerminal("SELECT count(*) FROM pg_proc WHERE proname IN ('pr_iai010_01', 'pr_kei010_99', 'pr_dci030_02')"),
              "3");
}

// What a later migration adds is usable by the terminals without a grant of
// its own (the owner's default privileges, carried into every copy of the
// template).
TEST_F(TerminalRoleTest, TablesAndSequencesTheOwnerAddsLaterAreUsable)
{
    db.query("CREATE TABLE later_table (id bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY, note text)");
    db.query("CREATE SEQUENCE later_seq");
    db.query("CREATE VIEW later_view AS SELECT id FROM later_table");

    EXPECT_EQ(refusal("INSERT INTO later_table (note) VALUES ('one')"), "");
    EXPECT_EQ(refusal("UPDATE later_table SET note = 'two'"), "");
    EXPECT_EQ(asTerminal("SELECT note FROM later_table"), "two");
    EXPECT_EQ(asTerminal("SELECT count(*) FROM later_view"), "1");
    EXPECT_EQ(asTerminal("SELECT nextval('later_seq')"), "1");
    EXPECT_EQ(refusal("DELETE FROM later_table"), "");
    EXPECT_EQ(refusal("DROP TABLE later_table CASCADE"), "42501");
}

}  // namespace
}  // namespace pos::test
