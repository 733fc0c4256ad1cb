#pragma once
// One row a settlement stores: the catalogue statement that writes it on
// line with its parameters P0 .. Pn, and the off-line queue that keeps the
// same values instead, when the row has an off-line form. A bill is a list
// of such rows, built in full before anything is written, so the same bill
// can be written on line, or queued off line, or queued again after the
// connection was lost in the middle.

#include "sync/OffLineQueue.h"

#include <optional>
#include <string>
#include <vector>

namespace pos {

struct TStoredRow {
    std::string key;                     // the statement that writes the row on line
    std::vector<std::string> params;     // P0 .. Pn, as text
    std::optional<TOffLineQueue> queue;  // its off-line form; none: written on line only
};

using TBillRows = std::vector<TStoredRow>;

// The queued values of a row: its parameters, with the queuing-time marker
// "{-}" before the last one (the terminal's address), as every queue keeps
// them.
std::vector<std::string> QueueValues(const TStoredRow& aRow);

}  // namespace pos
