#pragma once
// Server work of the look-ups and of the discount and room-charge modules
// that never decides about a transaction it did not begin.
//
// A look-up or module call may come while a bill's transaction is open (the
// payment re-checks its accounts, the room charge is moved while the bill is
// written). PostgreSQL aborts the whole transaction on a failed statement,
// and a COMMIT here would commit the bill's pending rows. So a unit of work
// begins its own transaction only when none is open; inside the caller's
// transaction it works under a savepoint, gives the savepoint up when it is
// done and goes back to it when it fails, which leaves the caller's rows
// exactly as they were either way.

#include "db/DataModule.h"

#include <string>
#include <string_view>

namespace pos {

// The failure path of a reader: the error is logged under its key, masked
// by LogText (card and resident numbers masked), and handed to CheckOffLine.
void LookupReadFailed(TfrmData& aData, const TDbError& aError);

class TLookupWork {
public:
    explicit TLookupWork(TfrmData& aData);
    ~TLookupWork();
    TLookupWork(const TLookupWork&) = delete;
    TLookupWork& operator=(const TLookupWork&) = delete;

    // False when the work could not begin (Fail() has run already).
    bool Active() const { return !done_; }
    // True when the work runs inside a transaction somebody else began.
    bool Joined() const { return joined_; }
    // Own transaction: COMMIT (only an answer of COMMIT counts). Joined: the
    // savepoint is given up; the caller's COMMIT decides.
    bool Commit();
    // Logged (masked), CheckTransactionError, CheckOffLine; then the own
    // transaction is rolled back, or the caller's one is taken back to the
    // savepoint while still on line.
    void Fail(const TDbError& aError);
    const TDbError& Error() const { return error_; }

private:
    bool run(const char* aKey);

    TfrmData& data_;
    bool joined_ = false;
    bool done_ = false;
    TDbError error_;
};

}  // namespace pos
