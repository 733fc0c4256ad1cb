// The ticket journal, read from anything: no input makes the reader fail, a
// journal read whole says so only when its end line counts every line, and
// the jobs read (whole or not) are written and read back the same.

#include "FuzzSupport.h"

#include "devices/TicketJournal.h"

using namespace pos;
using namespace pos::fuzz;

namespace {

bool sameJobs(const std::vector<TTicketData>& aA, const std::vector<TTicketData>& aB)
{
    if (aA.size() != aB.size()) return false;
    for (std::size_t i = 0; i < aA.size(); ++i) {
        if (aA[i].TicketType != aB[i].TicketType || aA[i].Bill != aB[i].Bill || aA[i].Strs != aB[i].Strs ||
            aA[i].State != aB[i].State || aA[i].PapersPrinted != aB[i].PapersPrinted)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* aData, std::size_t aSize)
{
    const TTicketJournalRead read = DecodeTicketJournal(AsText(aData, aSize));
    FUZZ_CHECK(read.damagedLines >= 0);
    const std::string again = EncodeTicketJournal(std::deque<TTicketData>(read.jobs.begin(), read.jobs.end()));
    const TTicketJournalRead back = DecodeTicketJournal(again);
    FUZZ_CHECK(!back.damaged());
    FUZZ_CHECK(sameJobs(back.jobs, read.jobs));
    if (!read.damaged()) FUZZ_CHECK(again == std::string(AsText(aData, aSize)));
    return 0;
}
