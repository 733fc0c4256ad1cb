#pragma once
// Writes the rows of a bill: on line, each through its statement inside the
// settlement's open transaction, all under one savepoint, so an attempt that
// fails half way takes back every row it wrote; off line, as one bill into
// the queue (sync/OffLineBill.h). A row without an off-line form is never
// queued: a bill that needs one cannot be stored off line.

#include "db/DbError.h"
#include "sales/recording/StoredRow.h"

#include <string>

namespace pos {

class TfrmData;
class TOffLineStore;

struct TWriteResult {
    bool ok = false;
    TDbError error;            // on line: the statement that failed
    bool duplicateKey = false; // the server refused a row under a key it holds (a bill number in use)
};

// On line, inside the open transaction (or a transaction of its own when
// none is open, committed when every row was written).
TWriteResult WriteRowsOnLine(TfrmData& aData, const TBillRows& aRows);

// Off line: every row into its queue, and the queue files saved, as one
// bill. False when a row has no off-line form, or the queue refuses it.
bool QueueRows(TOffLineStore& aQueues, const TBillRows& aRows);

}  // namespace pos
