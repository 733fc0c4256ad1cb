#pragma once
// The approval journal: every card approval, card refund and cash receipt
// that is not yet part of a stored bill, on disk, so that none is forgotten
// when the terminal stops, the bill is abandoned or its settlement fails.
//
// An entry is written before the request goes out (pending), completed when
// the answer comes (done, or uncertain when the request went out without a
// proper answer) and removed when the answer is a refusal, when the bill
// holding its line is stored, or when a cancellation of it is answered. What
// is left after a crash or a failed settlement is listed at the next start
// and can be reversed (the opposite request with the same data) or, once a
// person has checked it with the card company, discarded.
//
// An entry holds only what a cancellation needs: the card number and expiry
// (never track data), or for a cash receipt the identity number; the amount,
// instalment, approval numbers, bill and terminal ID; and a masked text for
// display (at most the first 6 and last 4 digits of a number).
//
// File: "<folder>/ApprovalJournal.dat", the folder owner-only (0700), the
// file owner-only (0600), replaced whole and atomically on every change. CP949
// text, lines ended by CR LF:
//   line 1   "ApprovalJournal 1"
//   entries  22 values separated by TAB, then TAB and the CRC-32 of the line's
//            bytes before that TAB as 8 lower-case hex digits. TAB, CR, LF and
//            backslash inside a value are written \t, \r, \n, \\.
//            Values: Id, State (P pending, D done, U uncertain), Kind ("CARD",
//            "CASH"), Approve (Y approval, N cancellation), Channel ("DRV",
//            "SRV" or empty), Time (yyyymmddhhnnss), SaleDate, UpjangCode,
//            PosNo, BillNo, Amount (whole won, positive), HalbuMonth, CardNo,
//            ValidThru (yymm), KeyIn (Y/N), AgreeNo, OrgAgreeNo, AgreeDate,
//            TerminalID, Individual (Y/N), Identity, Masked.
// A line that does not read back (wrong check sum, values, header) is never
// dropped: opening the journal appends it to "ApprovalJournal.bad" beside
// it, reports it, and keeps every readable entry. A journal that cannot be
// read, or whose damaged lines cannot be set aside, is not written at all:
// the requests that need it are refused until someone looks at it.
//
// Thread-safe: the worker that runs a request and the GUI thread that stores
// a bill may use it at the same time.

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace pos {

struct TPayLines;

// Bill identity: business date, outlet, POS and bill number.
struct TBillKey {
    std::string SaleDate, UpjangCode, PosNo;
    std::int64_t BillNo = 0;
    bool operator==(const TBillKey&) const = default;
};

enum class TJournalState {
    Pending,    // the request is going out; no answer yet
    Done,       // approved (or, for a cancellation, cancelled) as asked
    Uncertain,  // sent without a proper answer: the card company may have done it
};
enum class TJournalKind { Card, Cash };

struct TJournalEntry {
    std::int64_t Id = 0;
    TJournalState State = TJournalState::Pending;
    TJournalKind Kind = TJournalKind::Card;
    bool Approve = true;   // what was asked: approval, or cancellation (a refund)
    std::string Channel;   // "DRV" the approval driver, "SRV" the card server
    std::string Time;      // when the request was made, yyyymmddhhnnss
    TBillKey Bill;
    std::int64_t Amount = 0;
    std::int64_t HalbuMonth = 0;
    std::string CardNo;     // card number (a cash receipt read from a card: its number)
    std::string ValidThru;  // yymm
    bool KeyIn = false;
    std::string AgreeNo, OrgAgreeNo, AgreeDate;
    std::string TerminalID;
    bool Individual = true;  // cash receipt: income deduction (else expense proof)
    std::string Identity;    // cash receipt: the identity number, never a track
    std::string Masked;      // what a list shows
};

inline constexpr const char* kApprovalJournalFile = "ApprovalJournal.dat";
inline constexpr const char* kApprovalJournalAside = "ApprovalJournal.bad";
inline constexpr const char* kApprovalJournalHeader = "ApprovalJournal 1";

class TApprovalJournal {
public:
    explicit TApprovalJournal(std::filesystem::path aFolder);

    // Reads the file (a missing one is an empty journal). False when the
    // journal cannot be used; Problems() says why and names every damaged
    // line that was set aside.
    bool Open();
    bool Usable() const;
    std::vector<std::string> Problems() const;

    std::vector<TJournalEntry> Entries() const;
    std::optional<TJournalEntry> Find(std::int64_t aId) const;

    // Each change is on disk when it returns true; on false (aError set) the
    // journal is as it was.
    bool Add(TJournalEntry& aEntry, std::string* aError = nullptr);  // sets aEntry.Id
    bool Replace(const TJournalEntry& aEntry, std::string* aError = nullptr);
    bool Remove(std::int64_t aId, std::string* aError = nullptr);
    // The bill holding these tender lines is stored: the done entries of its
    // approved card lines and cash receipts go (matched by approval number,
    // card or identity number and amount, so a bill renumbered on the way
    // still clears its entries). Pending and uncertain entries stay.
    bool CommitLines(const TPayLines& aLines, std::string* aError = nullptr);

    std::filesystem::path FilePath() const;
    std::filesystem::path AsidePath() const;

private:
    bool writeLocked(const std::vector<TJournalEntry>& aEntries, std::string* aError);
    bool refuseWhenUnusable(std::string* aError) const;

    std::filesystem::path folder_;
    mutable std::mutex mutex_;
    std::vector<TJournalEntry> entries_;
    std::vector<std::string> problems_;
    bool opened_ = false;
    bool usable_ = false;
};

// One entry as a journal line (CP949, no line end) and back; nullopt for a
// line that does not read back whole.
std::string JournalLine(const TJournalEntry& aEntry);
std::optional<TJournalEntry> ParseJournalLine(std::string_view aLine);

}  // namespace pos
