#pragma once
// A fresh database per test, copied from the migrated template that
// scripts/db keeps. The server is named by the POS_DB_* settings that
// scripts/test exports (scripts/db env): host and port, the terminal's role
// (POS_DB_USER, POS_DB_PASSWORD), the schema's owner (POS_DB_OWNER,
// POS_DB_OWNER_PASSWORD), the template and the TLS settings (POS_DB_SSLMODE,
// POS_DB_SSLROOTCERT). Without them the test fails: server tests are never
// skipped.
//
// The database is made, set up and looked at behind the terminal's back as
// the owner, over TLS, as a resort's IT team would; the terminal itself logs
// in with user() and password(), which may use the tables but not change
// them.

#include "db/DbConnection.h"

#include <libpq-fe.h>

#include <cstdlib>
#include <random>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace pos::test {

class PgTestDatabase {
public:
    PgTestDatabase()
        : host_(setting("POS_DB_HOST")),
          port_(std::stoi(setting("POS_DB_PORT"))),
          user_(setting("POS_DB_USER")),
          password_(setting("POS_DB_PASSWORD")),
          owner_(setting("POS_DB_OWNER")),
          ownerPassword_(setting("POS_DB_OWNER_PASSWORD")),
          template_(setting("POS_DB_TEMPLATE")),
          sslMode_(setting("POS_DB_SSLMODE")),
          sslRootCert_(setting("POS_DB_SSLROOTCERT"))
    {
        std::random_device rd;
        name_ = "pos_t_" + std::to_string(::getpid()) + "_" + std::to_string(rd() % 1000000);
        execOn("postgres", "CREATE DATABASE " + name_ + " TEMPLATE " + template_);
    }
    ~PgTestDatabase()
    {
        try {
            execOn("postgres", "DROP DATABASE IF EXISTS " + name_ + " WITH (FORCE)");
        } catch (...) {
        }
    }
    PgTestDatabase(const PgTestDatabase&) = delete;
    PgTestDatabase& operator=(const PgTestDatabase&) = delete;

    const std::string& host() const { return host_; }
    int port() const { return port_; }
    const std::string& user() const { return user_; }
    const std::string& password() const { return password_; }
    const std::string& name() const { return name_; }
    const std::string& owner() const { return owner_; }
    const std::string& sslMode() const { return sslMode_; }
    const std::string& sslRootCert() const { return sslRootCert_; }

    // A plain libpq connection to the test database as the owner, for
    // setting up and looking at rows behind the terminal's back.
    PgConnHandle connect() const { return connectTo(name_); }

    // A connection attempt to the test database as the terminal's role with
    // the sslmode given; the caller looks at its status.
    PgConnHandle tryConnectAsTerminal(const std::string& aSslMode) const
    {
        return open(name_, user_, password_, aSslMode);
    }

    // Runs aSql; the first value of the first row ("" for none or NULL).
    std::string query(const std::string& aSql) const
    {
        PgConnHandle conn = connect();
        return run(conn.get(), aSql);
    }

    static std::string run(PGconn* aConn, const std::string& aSql)
    {
        PgResultHandle result(PQexec(aConn, aSql.c_str()));
        const ExecStatusType status = PQresultStatus(result.get());
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
            throw std::runtime_error(aSql + ": " + PQerrorMessage(aConn));
        if (status != PGRES_TUPLES_OK || PQntuples(result.get()) == 0) return {};
        return PQgetvalue(result.get(), 0, 0);
    }

private:
    static std::string setting(const char* aName)
    {
        const char* value = std::getenv(aName);
        if (value == nullptr || *value == '\0')
            throw std::runtime_error(std::string(aName) +
                                     " is not set: the server tests need the cluster of scripts/db. Run them through "
                                     "scripts/test, or: scripts/db start && eval \"$(scripts/db env)\"");
        return value;
    }

    PgConnHandle open(const std::string& aDatabase, const std::string& aUser, const std::string& aPassword,
                      const std::string& aSslMode) const
    {
        const std::string port = std::to_string(port_);
        const char* keys[] = {"host", "port", "dbname", "user", "password", "sslmode", "sslrootcert", nullptr};
        const char* values[] = {host_.c_str(),     port.c_str(),     aDatabase.c_str(),    aUser.c_str(),
                                aPassword.c_str(), aSslMode.c_str(), sslRootCert_.c_str(), nullptr};
        return PgConnHandle(PQconnectdbParams(keys, values, 0));
    }

    PgConnHandle connectTo(const std::string& aDatabase) const
    {
        PgConnHandle conn = open(aDatabase, owner_, ownerPassword_, sslMode_);
        if (PQstatus(conn.get()) != CONNECTION_OK)
            throw std::runtime_error("cannot connect to " + aDatabase + ": " + PQerrorMessage(conn.get()));
        return conn;
    }

    void execOn(const std::string& aDatabase, const std::string& aSql) const
    {
        PgConnHandle conn = connectTo(aDatabase);
        run(conn.get(), aSql);
    }

    std::string host_;
    int port_;
    std::string user_, password_, owner_, ownerPassword_, template_, sslMode_, sslRootCert_, name_;
};

}  // namespace pos::test
