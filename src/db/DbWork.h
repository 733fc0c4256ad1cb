#pragma once
// One unit of server work, and the terminal's one rule for transactions.
//
// The terminal has one connection and one transaction at a time. A unit of
// work begins that transaction when none is open and then owns it: Commit()
// commits, anything else rolls it back. When a transaction is open already
// (a bill being settled, which the sale screen opened before the payment
// screen), the work joins it under a savepoint: Commit() gives the savepoint
// up and leaves the decision to the owner; a failure, or leaving the scope
// without Commit(), goes back to the savepoint, so the owner's rows stay
// exactly as they were. PostgreSQL aborts a whole transaction at its first
// failed statement, so any read or write that may fail without failing the
// bill (a look-up, a module call, one attempt of a recording) runs inside a
// TDbWork of its own.
//
// A read (TDbWork::Read) never begins a transaction: outside one it runs on
// its own; inside one it joins under a savepoint like any other work.

#include "db/DataModule.h"
#include "db/DbError.h"

#include <vector>

namespace pos {

class TDbWork {
public:
    enum TKind { Write, Read };

    explicit TDbWork(TfrmData& aData, TKind aKind = Write);
    ~TDbWork();
    TDbWork(const TDbWork&) = delete;
    TDbWork& operator=(const TDbWork&) = delete;

    // False when the work could not begin (already reported through Fail),
    // or has ended.
    bool Active() const { return !done_; }
    // True when the work runs under a savepoint of a transaction it did not
    // begin.
    bool Joined() const { return joined_; }
    // Owned: COMMIT (only an answer of COMMIT counts). Joined: the savepoint
    // is released; the owner's COMMIT decides. A read outside a transaction
    // has nothing to commit. False (after Fail) otherwise.
    bool Commit();
    // The one failure path: logged under the error's key (masked), a lost
    // transaction reported, a lost connection taken off line; then the owned
    // transaction is rolled back, or the joined one taken back to the
    // savepoint while still on line.
    void Fail(const TDbError& aError);
    const TDbError& Error() const { return error_; }

    // The same rule in one round trip, for writes whose results nobody
    // reads: inside an open transaction the statements run between a
    // savepoint and its release, otherwise between BEGIN and COMMIT. A
    // failure takes all of them back and goes the one failure path (logged,
    // reported, CheckOffLine).
    static TDbError Batch(TfrmData& aData, const std::vector<TfrmData::TBatchStatement>& aStatements);

private:
    bool control(const char* aKey);
    void backToSavepoint();

    TfrmData& data_;
    bool owned_ = false;
    bool joined_ = false;
    bool done_ = false;
    TDbError error_;
};

}  // namespace pos
