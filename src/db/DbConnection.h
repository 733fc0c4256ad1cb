#pragma once
// libpq handles and the opening of the terminal's one connection. The
// session is fixed at connect time (client_encoding UTF8, ISO dates, the
// resort's time zone, a statement timeout), and the socket carries a connect
// timeout, TCP keep-alives and a user timeout, so that a pulled cable turns
// into a failed call within seconds instead of a frozen terminal.
//
// The connection is always encrypted (TLS). How the server is checked comes
// from section "MAIN" of "POSIP.ini":
//   "SSLMode"      "require" (encrypted), "verify-ca" (and the server's
//                  certificate is signed by the root certificate) or
//                  "verify-full" (and it names the "Host" connected to).
//                  Missing: "verify-full" when "SSLRootCert" is given, else
//                  "require". Any other value ("disable", "allow", "prefer"
//                  among them, which may fall back to clear text) is refused:
//                  the terminal does not connect and says why.
//   "SSLRootCert"  the CA certificate(s) the server's certificate must be
//                  signed by; a relative path is relative to the program
//                  folder. Missing: libpq's default (~/.postgresql/root.crt).

#include "db/DbError.h"

#include <libpq-fe.h>

#include <filesystem>
#include <memory>
#include <string>

namespace pos {

class IniFile;

struct PgConnCloser {
    void operator()(PGconn* aConn) const { PQfinish(aConn); }
};
struct PgResultClearer {
    void operator()(PGresult* aResult) const { PQclear(aResult); }
};
using PgConnHandle = std::unique_ptr<PGconn, PgConnCloser>;
using PgResultHandle = std::unique_ptr<PGresult, PgResultClearer>;

struct TDbTls {
    std::string mode = "require";  // require, verify-ca or verify-full
    std::string rootCert;          // absolute path; empty for libpq's default
    std::string problem;           // why the settings forbid connecting; empty when they do not
};

// The TLS settings of "POSIP.ini" (see above); aFolder is the program folder.
TDbTls ReadDbTls(const IniFile& aPosIp, const std::filesystem::path& aFolder);

struct TDbLogin {
    std::string host;
    int port = 5432;
    std::string database;
    std::string user;
    std::string password;
    TDbTls tls;
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

// Opens a connection over TLS as aLogin.tls says; never waits longer than the
// connect timeout for the server to answer. The error of a refused
// connection carries the server's SQLSTATE (28P01, 53300, ...) when the
// server sent one; TLS settings with a problem fail before the server is
// contacted.
TConnectResult OpenConnection(const TDbLogin& aLogin, const TDbTimeouts& aTimeouts);

// The error of a failed call: SQLSTATE and primary message of aResult (or of
// the connection when there is no result), classed, logged under aKey.
TDbError ResultError(PGconn* aConn, const PGresult* aResult, const std::string& aKey);

}  // namespace pos
