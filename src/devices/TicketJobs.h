#pragma once
// The pending ticket jobs of the terminal: one job per ticket, or one per page
// of a document printed on a ticket printer. Callers add jobs while a bill is
// settled; the ticket printers print them and take each job off the list as
// soon as its bytes have gone to the printer. A run that stops part-way thus
// leaves exactly the jobs that did not print, and printing again resumes
// there: no ticket is printed twice.
//
// The list lives as long as the program (one for the whole terminal) and owns
// its jobs. Every change is written to its journal at once, so the jobs a
// killed terminal had not printed are pending again when it starts.

#include "core/TerminalConfig.h"
#include "core/TerminalContext.h"

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace pos {

// In this order (numbers 0-8): ttList is a page of a document, the others are
// single tickets.
enum class TTicketType { ttNone, ttLift, ttRental, ttEtc, ttMini, ttList, ttFnB, ttBig3, ttEvent };

// Sending: the job's next paper is going to the printer and may be on paper
// or not; the terminal cannot tell after a crash.
enum class TTicketJobState { Pending, Sending };

// One job. On a single ticket the fields have fixed roles: Str1 title, Str2
// ticket kind text ("종일권"), Str3 first day of validity "yyyymmdd", Str4
// guest class ("대인", "소인", optionally with a note in brackets), Str5,
// Str11-Str13 small texts (Str11 member number, Str12 name, Str13 day code),
// Str6 amount text, Str7 menu code, Str10 member flag ("Y"), Str14 days of
// validity, Str15 persons on the ticket. On a list page Str1-Str25 are the
// page's lines. Str21-Str26 of coupon tickets are filled by the printer.
struct TTicketData {
    TTicketType TicketType = TTicketType::ttNone;
    std::string Bill;
    std::array<std::string, 26> Strs;  // Str1 ... Str26

    std::string& Str(int aNo) { return Strs[static_cast<std::size_t>(aNo - 1)]; }
    const std::string& Str(int aNo) const { return Strs[static_cast<std::size_t>(aNo - 1)]; }

    // Given by the list: names the job while it is pending, whatever is
    // added or removed around it.
    std::uint64_t JobId = 0;
    // Papers of this job already printed: a job of two tickets that stopped
    // after the first resumes with the second.
    int PapersPrinted = 0;
    TTicketJobState State = TTicketJobState::Pending;
};

// Where the list keeps its jobs so that they outlive the process.
class TTicketJobStore {
public:
    virtual ~TTicketJobStore() = default;
    // The whole list as it stands now, replacing what was kept before.
    virtual void SaveTicketJobs(const std::deque<TTicketData>& aJobs) = 0;
};

// For lists that need not outlive their process (tests, tools).
class TNoTicketJournal final : public TTicketJobStore {
public:
    void SaveTicketJobs(const std::deque<TTicketData>&) override {}
};

// Papers one job of this kind prints: an event package is two tickets, every
// other job one.
inline int TicketPapers(TTicketType aType) { return aType == TTicketType::ttEvent ? 2 : 1; }

// What the list needs to know of a ticket kind code.
class TTicketKinds {
public:
    virtual ~TTicketKinds() = default;
    // The TTicketType number a kind code names (item 3 of its common code in
    // the ticket-type group); 0 for an unknown code.
    virtual int TicketTypeNumber(const std::string& aKindCode) const = 0;
};

class TTicketJobList {
public:
    // aPrinter1: the model at printer 1 (ptNone when none is in use); it
    // decides the bill text of the jobs and the page length of documents.
    // aJournal hears every change of the list.
    TTicketJobList(const TTicketKinds& aKinds, const TTerminalContext& aContext, TPrinterType aPrinter1,
                   TTicketJobStore& aJournal);
    // The devices were set up again with another model at printer 1; jobs
    // added from now on follow it.
    void UsePrinter1(TPrinterType aPrinter1) { printer1_ = aPrinter1; }

    // One ticket: aValues[0] is the bill text, aValues[1..25] Str1-Str25 as
    // far as given. Nothing is added when the kind names no ticket type (an
    // unknown code, or type 0). True when a job was added.
    bool AddTicketData(const std::string& aTicketType, const std::vector<std::string>& aValues);
    // A document: one list page per page length of lines, the header as every
    // page's bill text (size tags removed), markup tags removed from the
    // lines; a page whose lines are all empty is not added. The number of
    // pages added.
    int AddTicketData(const std::string& aTicketType, const std::string& aHeader, const std::vector<std::string>& aLines);
    // The same ticket as a pending one (equal Str1, Str7, Str8, Str9, Str11):
    // that job counts one person more and adds the amount; otherwise the
    // ticket is added.
    void ChangeTicketData(const std::string& aTicketType, const std::vector<std::string>& aValues);

    // Item 0 is the bill text, 1-25 Str1-Str25; empty outside the list.
    std::string GetTicketData(int aItem, int aIndex) const;
    // Nothing happens for an index outside the list.
    void DeleteTicketData(int aIndex);
    void ClearTicketData();
    int GetTicketCount() const { return static_cast<int>(jobs_.size()); }

    // For the printers: the pending jobs in order, a job by its id (nullptr
    // once it is gone), and taking one off the list.
    const std::deque<TTicketData>& jobs() const { return jobs_; }
    const TTicketData* find(std::uint64_t aJobId) const;
    void remove(std::uint64_t aJobId);
    // The job's next paper is about to go to the printer.
    void MarkSending(std::uint64_t aJobId);
    // Its bytes did not go out: the paper is still to print.
    void MarkPending(std::uint64_t aJobId);
    // The paper went out: the job is taken off once all aPapers of it are.
    void PaperPrinted(std::uint64_t aJobId, int aPapers);

    // Jobs read back from the journal, after the ones pending now, under new
    // ids; their state and papers printed as they were kept.
    void Restore(const std::vector<TTicketData>& aJobs);

    // Jobs added while a batch is open reach the journal together when the
    // last batch closes: the tickets of one bill are all kept, or none.
    class TBatch {
    public:
        explicit TBatch(TTicketJobList& aList) : list_(aList) { ++list_.batches_; }
        ~TBatch();
        TBatch(const TBatch&) = delete;
        TBatch& operator=(const TBatch&) = delete;

    private:
        TTicketJobList& list_;
    };

    // Lines per page of a document of this kind on this terminal.
    int PageLength(const std::string& aTicketType) const;

private:
    bool append(TTicketType aType, const std::vector<std::string>& aValues);
    TTicketData* findJob(std::uint64_t aJobId);
    void save();

    const TTicketKinds& kinds_;
    const TTerminalContext& context_;
    TPrinterType printer1_;
    std::deque<TTicketData> jobs_;
    TTicketJobStore& journal_;
    std::uint64_t nextId_ = 1;
    int batches_ = 0;
};

// The number a text holds, read the way amounts and counts are written on
// tickets ("10,000원", " 2 "): its digits, negative when a minus stands before
// the first digit; 0 when it holds none.
std::int64_t NumberInText(const std::string& aText);

}  // namespace pos
