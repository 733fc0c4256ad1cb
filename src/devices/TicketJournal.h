#pragma once
// The journal of the pending ticket jobs: "Tickets.jnl" in the program folder,
// rewritten whole (atomically) on every change of the job list, so a terminal
// that is killed while tickets print finds at its next start the tickets it
// had not printed, and the one that was going to the printer at that moment.
//
// The file is UTF-8 text, readable by the terminal's user only:
//   TICKETS 1
//   <state>\t<type>\t<papers>\t<bill>\t<Str1>...\t<Str26>\t<check>   one line per job, in order
//   END\t<number of jobs>
// state "P" pending or "S" sending (its next paper may be on paper or not),
// type the TTicketType number, papers the papers of the job already out,
// values escaped as in the mirror files (\t \r \n \\), check the FNV-1a hash
// of the line before it in eight hexadecimal digits. A file without its end
// line, or a line that does not check, is damaged: what can be read is read,
// the file is kept aside and the cashier is told.

#include "devices/TicketJobs.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace pos {

class DialogService;

struct TTicketJournalRead {
    std::vector<TTicketData> jobs;  // the jobs read, in order, with their state
    int damagedLines = 0;           // job lines that could not be read
    bool torn = false;              // the first or the end line is missing or wrong
    bool damaged() const { return torn || damagedLines > 0; }
};

std::string EncodeTicketJournal(const std::deque<TTicketData>& aJobs);
TTicketJournalRead DecodeTicketJournal(std::string_view aBytes);

inline constexpr const char* kTicketJournalName = "Tickets.jnl";

class TTicketJournalFile final : public TTicketJobStore {
public:
    TTicketJournalFile(std::filesystem::path aPath, DialogService& aDialogs);

    // A journal that cannot be written is reported once, until a write
    // succeeds again: the tickets are then only in memory.
    void SaveTicketJobs(const std::deque<TTicketData>& aJobs) override;

    // What the journal holds (nothing when there is none). A damaged journal
    // is added to its aside file (AsidePath) and the cashier is told; the
    // jobs that could be read are returned all the same.
    TTicketJournalRead Load();

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path AsidePath() const;

private:
    std::filesystem::path path_;
    DialogService& dialogs_;
    bool failing_ = false;
};

// What the cashier reads.
std::string MsgTicketJournalDamaged(const std::string& aAsideName);
std::string MsgTicketJournalNotWritten();
std::string MsgTicketInDoubt(const TTicketData& aJob);
std::string MsgTicketsNotPrinted(int aCount);

// A job named for the cashier and the day log: its bill text and title.
std::string TicketJobName(const TTicketData& aJob);

struct TTicketRecovery {
    bool printNow = false;              // the cashier wants the pending tickets printed now
    std::vector<std::string> notPrinted; // jobs left out at the cashier's word, by TicketJobName, for the day log
};

// At start-up, once the devices are open: the jobs read from the journal go
// back on the list. A job that was sending is never printed again on its own:
// it is named and the cashier says whether to print it again (yes) or to count
// it as printed (no). Then, when tickets are pending, the cashier is asked
// whether to print them now; a no leaves them out (they are named in
// notPrinted), since the next bill would clear them unprinted anyway.
TTicketRecovery RecoverTicketJobs(TTicketJobList& aJobs, const TTicketJournalRead& aRead, DialogService& aDialogs);

}  // namespace pos
