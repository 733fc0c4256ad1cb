#pragma once
// Reads a stored bill back from the server for its reprint, and counts the
// reprint.
//
// The read is one unit of work of its own (TDbWork::Read): outside a
// transaction it begins none; inside one somebody else opened it joins under
// a savepoint, so a failed statement takes back only the read and the
// owner's work stays open and untouched. Nothing here commits or rolls back
// what it did not begin.

#include "sales/reprint/ReprintBill.h"

#include <string>

namespace pos {

class TfrmData;

enum class TReprintStatus {
    Read,      // the whole bill was read
    OffLine,   // no server: nothing read
    NotFound,  // no bill with this number at this POS on this date
    Failed,    // a statement failed (logged, checked for a lost connection)
};

struct TReprintRead {
    TReprintStatus status = TReprintStatus::Failed;
    TReprintBill bill;
    std::string message;   // NotFound: the message naming the date and POS
};

TReprintRead ReadReprintBill(TfrmData& aData, const TReprintRequest& aRequest);

// Stores aBill.reprintCount as the bill's count in a short unit of work of
// its own; false when it could not (logged, checked for a lost connection).
bool CountReprint(TfrmData& aData, const TReprintBill& aBill);

}  // namespace pos
