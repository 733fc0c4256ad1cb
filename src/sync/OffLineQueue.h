#pragma once
// The off-line queue (module IZC002): while the terminal works without the
// server, every sale, payment, card-approval, cash-receipt and cancelled-bill
// row that would have gone to a server statement is queued as one text line,
// kept in memory and in a file of the program folder, and uploaded once the
// terminal is on line again (Upload.h).
//
// Queues, by the name the recording code uses:
//
//   name          file          upload statement               values  key
//   "Sale"        "Sale"        "IZC002-UploadOffLineData-1"   52      7
//   "Pay"         "Pay"         "IZC002-UploadOffLineData-2"   21      8
//   "Card"        "Card"        "IZC002-UploadOffLineData-3"   24      7
//   "SaleCancel"  "SaleCancel"  "IZC002-UploadOffLineData-4"   52      7
//   "Cash"        "Cash"        "IZC002-UploadOffLineData-5"   16      7
//   "SaleEvent"   "SaleEvent"   "IZC002-UploadOffLineData-6"   32      6
//   "PayEvent"    "PayEvent"    "IZC002-UploadOffLineData-7"   13      8
//
// Value k of a line binds parameter Pk of the queue's upload statement. The
// last two values of every line are the queuing time (given as "{-}") and
// the terminal's address; what the others mean is fixed by the statements
// the rows replace (sale recording: P0..P49 of the sale statement; payment
// recording: P0..P18 of the payment row, P0..P13 of the cash receipt, P0..P21
// of the card approval; P0..P29 of the event-sale row and P0..P10 of the
// event-account row of a bill with a group discount).
//
// Line format (CP949 on disk and in memory, lines ended by CR LF in the
// file): every value is written as "'" + value + "'" followed by one TAB, so a
// line ends with a TAB. Inside a value TAB, CR, LF and backslash are written
// as \t, \r, \n and \\ (as in the mirror files), so a remark typed with a line
// break cannot split a record. "{-}" becomes the local time "yyyymmddhhnnss".
//
// The first "key" values name the record: the queue never holds two lines
// with the same key. Adding a line whose key is queued already is accepted
// when it repeats the queued line (apart from the queuing time) and refused
// as a conflict when it differs: a second, different bill under the same
// number must not vanish behind the first.
//
// Card track data is never kept once an approval is answered. The "Card"
// line keeps its track value (P20) and the "Cash" line its identity-as-read
// value (P9), so that the layout stays the one queue files on terminals
// already have, but the value is always written empty: what a cancellation
// needs is the card number and expiry (Card P8, P9; sent as a keyed-in card)
// or the identity number (Cash P8). A queue or aside file that still holds
// such values (written by an older terminal) has them blanked when it is
// loaded and is rewritten; the log says how many lines, never what was in
// them.
//
// Queue files and aside files are readable by the terminal's user only.
//
// Every queue file is replaced atomically. A line that cannot be read back
// (damaged file, wrong number of values) is never dropped: it is logged when
// the queue is loaded and the upload moves it, like a conflicting line, into
// the queue's aside file (name + ".bad") with a log entry.

#include "core/DialogService.h"
#include "core/TerminalContext.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pos {

enum class TOffLineQueue { Sale, Pay, Card, SaleCancel, Cash, SaleEvent, PayEvent };
inline constexpr std::size_t kOffLineQueueCount = 7;

struct TOffLineQueueInfo {
    TOffLineQueue Queue;
    const char* Name;        // queue name and file name
    const char* UploadKey;   // statement that replays a line
    const char* CompareKey;  // 'Y' when the stored row equals the line
    int FieldCount;          // values per line
    int KeyFields;           // leading values that name the record
    int TimeField;           // the value that holds the queuing time
    int TrackField;          // the value once holding card track data, always empty; -1 for none
};

// The queues in upload order: sales, payments, card approvals, cash
// receipts, cancelled bills, event-sale and event-account rows.
std::span<const TOffLineQueueInfo> OffLineQueues();
const TOffLineQueueInfo& OffLineQueueInfo(TOffLineQueue aQueue);
// The queue of that name (exact spelling); nullptr for any other name.
const TOffLineQueueInfo* FindOffLineQueue(std::string_view aName);

// One line (CP949, without its line end) from UTF-8 values; "{-}" becomes
// aTimeStamp. aLossy is set when a value holds a character CP949 cannot
// hold (it is written as a full-width '?').
std::string BuildOffLineLine(const std::vector<std::string>& aValues, const std::string& aTimeStamp,
                             bool* aLossy = nullptr);

// A queued line read back: its UTF-8 values, or why it cannot be replayed.
struct TOffLineLine {
    std::vector<std::string> Values;
    std::string Problem;  // empty when the line is sound
    bool Sound() const { return Problem.empty(); }
};
// Checks and cuts a line (CP949, without line end): exactly aFieldCount
// values, each quoted and followed by a TAB, nothing after the last TAB,
// valid CP949. Problem texts never hold the line's values.
TOffLineLine ParseOffLineLine(std::string_view aLine, int aFieldCount);

// Makes the track value of aInfo's queue empty in every line (see the header
// comment); in a damaged line, whose values may have moved, every value that
// looks like card track data is made empty instead. The number of lines
// changed; queues without a track value are left alone.
int BlankTrackData(const TOffLineQueueInfo& aInfo, std::vector<std::string>& aLines);

// The lines of a queue file's bytes (CR LF, LF or a lone CR end a line;
// empty lines are not lines).
std::vector<std::string> SplitQueueFile(std::string_view aBytes);
// The bytes of a queue file holding aLines.
std::string JoinQueueFile(const std::vector<std::string>& aLines);

class TOffLineStore {
public:
    TOffLineStore(TTerminalContext& aContext, DialogService& aDialogs);

    // A queue in memory: CP949 lines as they stand in its file. Lines change
    // only through the operations below, which keep the key index right.
    const std::vector<std::string>& Lines(TOffLineQueue aQueue) const;

    // The queuing time for "{-}"; the local time stamp when empty.
    std::function<std::string()> Now;

    std::filesystem::path QueuePath(TOffLineQueue aQueue) const;  // gsFolder + name
    std::filesystem::path AsidePath(TOffLineQueue aQueue) const;  // gsFolder + name + ".bad"

    // Start-up: every queue from its file (a missing file is an empty
    // queue), and the temporary files a crash left beside them removed.
    // Damaged lines are kept and logged. Track data is blanked in the queue
    // and aside files, and files readable by others are made private. False
    // when a file exists but cannot be read; that queue is then never written
    // over (see Save).
    bool LoadOffLineData();

    // Queues one record; see the header comment. False, logged under
    // "IZC002-AddOffLineData-" + aFileName, for a name that is no queue, a
    // wrong number of values, or a different record under a queued key.
    bool AddOffLineData(const std::string& aFileName, const std::vector<std::string>& aValues);
    // The same; aAdded gets the line when one was added (empty when the same
    // record was queued already), so that a caller can take it back.
    bool AddOffLineData(const std::string& aFileName, const std::vector<std::string>& aValues, std::string& aAdded);

    // Writes every queue to its file: a queue with lines replaces its file
    // atomically, an empty queue removes it. A failure leaves that file as
    // it was, shows its message (with beep), is logged under
    // "IZC002-SaveOffLineData-1" (writing) or "-2" (removing), and makes
    // the result false; the other queues are still written.
    bool SaveOffLineData();

    // Adds lines to the queue's aside file (lines already there are not
    // added twice). False with aError when the file cannot be written, or
    // when it exists but cannot be read (it is then left as it is).
    bool KeepAside(TOffLineQueue aQueue, const std::vector<std::string>& aLines, std::string* aError = nullptr);

    // Removes from memory one queued line equal to each of aLines (the lines
    // an upload took out of the file), so the next save does not bring them
    // back.
    void Forget(TOffLineQueue aQueue, const std::vector<std::string>& aLines);
    // Puts a line back in memory unless it is queued already (a bill a
    // crash interrupted, completed from its pending file); the next save
    // writes it. True when it was added.
    bool Requeue(TOffLineQueue aQueue, const std::string& aLine);

    TTerminalContext& Context() { return context_; }
    DialogService& Dialogs() { return dialogs_; }

private:
    std::vector<std::string>& queueLines(TOffLineQueue aQueue);

    // Reads a queue's file into memory the first time the queue is touched,
    // in front of anything added before; false when the file exists but
    // cannot be read.
    bool ensureLoaded(TOffLineQueue aQueue);
    void loadLines(TOffLineQueue aQueue, std::vector<std::string>&& aFileLines);
    void scrubFile(TOffLineQueue aQueue, const std::filesystem::path& aPath, std::vector<std::string>& aLines);
    void scrubAsideFile(TOffLineQueue aQueue);
    // Line index of the queued record with that key, if any.
    std::optional<std::size_t> findKey(TOffLineQueue aQueue, std::string_view aKey);
    std::string stamp() const;

    TTerminalContext& context_;
    DialogService& dialogs_;
    std::array<bool, kOffLineQueueCount> loaded_{};
    std::array<std::vector<std::string>, kOffLineQueueCount> lines_;
    // Key prefix -> line index, rebuilt when the queue was changed behind it.
    struct TKeyIndex {
        std::unordered_map<std::string, std::size_t> rows;
        std::size_t size = static_cast<std::size_t>(-1);
    };
    std::array<TKeyIndex, kOffLineQueueCount> keys_;
};

// The key prefix of a line: the text up to and including the TAB after its
// aKeyFields-th value; empty when the line has fewer values.
std::string_view OffLineKeyPrefix(std::string_view aLine, int aKeyFields);

}  // namespace pos
