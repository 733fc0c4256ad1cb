#pragma once
// The terminal's day log goes to the server after every close report, so the
// resort's IT team can read what went wrong at a terminal without visiting
// it. The log holds only masked numbers; it is uploaded as it stands.

namespace pos {

class TfrmData;

// Replaces the server's copy of today's log of this terminal by the entries
// of the day log file, in one transaction. Nothing to do without a log file
// or without entries; a failure is logged and rolled back without a word to
// the cashier (the report is printed already). True when the server holds
// the log.
bool SaveErrorLog(TfrmData& aData);

}  // namespace pos
