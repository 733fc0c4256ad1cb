#include "db/DbConnection.h"

#include "core/IniFile.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>

#include <chrono>
#include <vector>

namespace pos {
namespace {

std::string firstLine(std::string_view aText)
{
    const std::size_t end = aText.find('\n');
    std::string line(aText.substr(0, end));
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    return line;
}

bool isSqlStateChar(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'); }

// Where libpq has no result to read fields from (a refused connection, a
// backend that died mid-statement), the connection runs in verbose mode and
// writes the server's report as "<severity>:  <SQLSTATE>: <message>". The
// code is found by that shape, never by the wording of the message.
TDbError parseReport(const std::string& aText, TDbErrorKind aKindWithoutCode, const std::string& aKey, bool aDead)
{
    TDbError error{aKindWithoutCode, aKey, {}, firstLine(aText)};
    for (std::size_t at = aText.find(":  "); at != std::string::npos; at = aText.find(":  ", at + 1)) {
        const std::size_t code = at + 3;
        if (code + 7 > aText.size() || aText.compare(code + 5, 2, ": ") != 0) continue;
        if (!std::all_of(aText.begin() + code, aText.begin() + code + 5, isSqlStateChar)) continue;
        error.sqlState = aText.substr(code, 5);
        error.message = firstLine(std::string_view(aText).substr(code + 7));
        error.kind = ClassifySqlState(error.sqlState, aDead);
        break;
    }
    return error;
}

// A connection that could not be made; without a code from the server the
// server was not reached at all.
TDbError connectError(PGconn* aConn)
{
    return parseReport(aConn ? PQerrorMessage(aConn) : "out of memory", TDbErrorKind::ConnectionLost,
                       "IZD000-ConnectDB", false);
}

// Waits until libpq's socket is ready for what PQconnectPoll asked; false at
// the deadline.
bool waitForSocket(PGconn* aConn, PostgresPollingStatusType aWaitFor, std::chrono::steady_clock::time_point aDeadline)
{
    pollfd fd{PQsocket(aConn), static_cast<short>(aWaitFor == PGRES_POLLING_READING ? POLLIN : POLLOUT), 0};
    while (true) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(aDeadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        const int ready = ::poll(&fd, 1, static_cast<int>(left.count()));
        if (ready > 0) return true;
        if (ready == 0) return false;
        if (errno != EINTR) return true;  // let PQconnectPoll report the socket error
    }
}

std::string lowerAscii(std::string aText)
{
    for (char& c : aText)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return aText;
}

}  // namespace

TDbTls ReadDbTls(const IniFile& aPosIp, const std::filesystem::path& aFolder)
{
    TDbTls tls;
    const std::string rootCert = aPosIp.readString("MAIN", "SSLRootCert");
    if (!rootCert.empty()) {
        const std::filesystem::path path(rootCert);
        tls.rootCert = (path.is_absolute() ? path : aFolder / path).lexically_normal().string();
    }
    // Without a mode the connection is never weaker than encrypted, and a
    // root certificate given is a root certificate used.
    const std::string given = aPosIp.readString("MAIN", "SSLMode");
    tls.mode = given.empty() ? (tls.rootCert.empty() ? "require" : "verify-full") : lowerAscii(given);
    if (tls.mode != "require" && tls.mode != "verify-ca" && tls.mode != "verify-full")
        tls.problem = "SSLMode \"" + given + "\" of POSIP.ini is not allowed: the connection to the server is always "
                      "encrypted (require, verify-ca or verify-full)";
    return tls;
}

TConnectResult OpenConnection(const TDbLogin& aLogin, const TDbTimeouts& aTimeouts)
{
    if (!aLogin.tls.problem.empty())
        return {nullptr, {TDbErrorKind::ConnectionLost, "IZD000-ConnectDB", {}, aLogin.tls.problem}};

    const std::string port = std::to_string(aLogin.port);
    const std::string options = "-c DateStyle=ISO,YMD -c TimeZone=Asia/Seoul -c statement_timeout=" +
                                std::to_string(aTimeouts.statementTimeoutMs);
    const std::string idle = std::to_string(aTimeouts.keepAliveIdleSeconds);
    const std::string interval = std::to_string(aTimeouts.keepAliveIntervalSeconds);
    const std::string count = std::to_string(aTimeouts.keepAliveCount);
    const std::string userTimeout = std::to_string(aTimeouts.userTimeoutMs);
    const std::vector<std::pair<const char*, const char*>> params = {
        {"host", aLogin.host.c_str()},
        {"port", port.c_str()},
        {"dbname", aLogin.database.c_str()},
        {"user", aLogin.user.c_str()},
        {"password", aLogin.password.c_str()},
        {"client_encoding", "UTF8"},
        {"application_name", "resortpos"},
        {"options", options.c_str()},
        {"keepalives", "1"},
        {"keepalives_idle", idle.c_str()},
        {"keepalives_interval", interval.c_str()},
        {"keepalives_count", count.c_str()},
        {"tcp_user_timeout", userTimeout.c_str()},
        {"sslmode", aLogin.tls.mode.c_str()},
    };
    std::vector<const char*> keys, values;
    for (const auto& [key, value] : params) {
        keys.push_back(key);
        values.push_back(value);
    }
    if (!aLogin.tls.rootCert.empty()) {
        keys.push_back("sslrootcert");
        values.push_back(aLogin.tls.rootCert.c_str());
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);

    TConnectResult result;
    result.conn.reset(PQconnectStartParams(keys.data(), values.data(), 0));
    PGconn* conn = result.conn.get();
    if (conn == nullptr || PQstatus(conn) == CONNECTION_BAD) {
        result.error = connectError(conn);
        result.conn.reset();
        return result;
    }
    // Verbose reports carry the SQLSTATE where there is no result to read
    // it from (see parseReport).
    PQsetErrorVerbosity(conn, PQERRORS_VERBOSE);
    // PQconnectPoll ignores connect_timeout: the deadline is kept here.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(aTimeouts.connectSeconds);
    PostgresPollingStatusType state = PGRES_POLLING_WRITING;
    while (state != PGRES_POLLING_OK && state != PGRES_POLLING_FAILED) {
        if (!waitForSocket(conn, state, deadline)) {
            result.error = {TDbErrorKind::ConnectionLost, "IZD000-ConnectDB", {}, "timeout expired"};
            result.conn.reset();
            return result;
        }
        state = PQconnectPoll(conn);
    }
    if (state == PGRES_POLLING_FAILED) {
        result.error = connectError(conn);
        result.conn.reset();
        return result;
    }
    return result;
}

TDbError ResultError(PGconn* aConn, const PGresult* aResult, const std::string& aKey)
{
    const bool dead = aConn == nullptr || PQstatus(aConn) == CONNECTION_BAD;
    const char* state = aResult ? PQresultErrorField(aResult, PG_DIAG_SQLSTATE) : nullptr;
    const char* primary = aResult ? PQresultErrorField(aResult, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    if (state == nullptr || primary == nullptr)
        return parseReport(aConn ? PQerrorMessage(aConn) : "no connection", dead ? TDbErrorKind::ConnectionLost : TDbErrorKind::Other,
                           aKey, dead);
    return {ClassifySqlState(state, dead), aKey, state, primary};
}

}  // namespace pos
