#pragma once
// libpq handles and the opening of the terminal's one connection. The
// session is fixed at connect time (client_encoding UTF8, ISO dates, the
// resort's time zone, a statement timeout), and the socket carries a connect
// timeout, TCP keep-alives and a user timeout, so that a pulled cable turns
// into a failed call within seconds instead of a frozen terminal.

#include "db/DbError.h"

#include <libpq-fe.h>

#include <memory>
#include <string>

namespace pos {

struct PgConnCloser {
    void operator()(PGconn* aConn) const { PQfinish(aConn); }
};
struct PgResultClearer {
    void operator()(PGresult* aResult) const { PQclear(aResult); }
};
using PgConnHandle = std::unique_ptr<PGconn, PgConnCloser>;
using PgResultHandle = std::unique_ptr<PGresult, PgResultClearer>;

struct TDbLogin {
    std::string host;
    int port = 5432;
    std::string database;
    std::string user;
    std::string password;
};

struct TDbTimeouts {
    int connectSeconds = 5;
    int keepAliveIdleSeconds = 5;
    int keepAliveIntervalSeconds = 2;
    int keepAliveCount = 3;
    int userTimeoutMs = 10000;
    int statementTimeoutMs = 30000;
};

struct TConnectResult {
    PgConnHandle conn;  // null on failure
    TDbError error;
};

// Opens a connection; never waits longer than the connect timeout for the
// server to answer. The error of a refused connection carries the server's
// SQLSTATE (28P01, 53300, ...) when the server sent one.
TConnectResult OpenConnection(const TDbLogin& aLogin, const TDbTimeouts& aTimeouts);

// The error of a failed call: SQLSTATE and primary message of aResult (or of
// the connection when there is no result), classed, logged under aKey.
TDbError ResultError(PGconn* aConn, const PGresult* aResult, const std::string& aKey);

}  // namespace pos
