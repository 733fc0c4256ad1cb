#pragma once
// What went wrong with a server call, classed by SQLSTATE and connection
// status rather than by message text: message texts change with the server's
// language and version, the codes do not.

#include <string>

namespace pos {

class DialogService;

enum class TDbErrorKind {
    None,
    // The connection is gone: class 08, 57P01-57P03, or libpq finds the
    // connection dead. The terminal goes off line.
    ConnectionLost,
    // 53300: the server or the database takes no more sessions.
    TooManyConnections,
    // 28P01, 28000: wrong user or password, or the user may not log in.
    AuthenticationFailed,
    // The transaction the caller works in no longer exists on the server
    // (25P01, a COMMIT that was answered ROLLBACK, or a connection that was
    // made again since the transaction began): its work is lost.
    TransactionLost,
    // The statement key is not in the catalogue or its text is empty.
    StatementMissing,
    // Anything else (undefined table, constraint violation, timeout ...):
    // the connection is still usable.
    Other,
};

struct TDbError {
    TDbErrorKind kind = TDbErrorKind::None;
    std::string key;       // statement key or operation name it is logged under
    std::string sqlState;  // five characters, empty when the server sent none
    std::string message;   // primary message only, never the DETAIL line

    explicit operator bool() const { return kind != TDbErrorKind::None; }
};

// The kind a server error with this SQLSTATE belongs to. aConnectionDead
// tells that libpq reports the connection as broken after the call.
TDbErrorKind ClassifySqlState(const std::string& aSqlState, bool aConnectionDead);

// The line written to the day log: SQLSTATE and primary message, with any
// card, track or resident number in it masked (MaskNumbersForLog).
std::string LogText(const TDbError& aError);

// True when the error means the server lost the caller's transaction; the
// cashier is then told to cancel the work and restart the terminal.
bool CheckTransactionError(const TDbError& aError, DialogService& aDialogs);

}  // namespace pos
