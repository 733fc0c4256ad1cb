#include "sync/OffLineBill.h"

#include "core/FileIO.h"
#include "db/DayLog.h"

#include <algorithm>
#include <system_error>

namespace pos {
namespace {

const char* const kLogQueueBill = "IZC002-QueueBill";
// The pending file's first line: what the next start does with the lines.
const char* const kComplete = "complete";
const char* const kTakeBack = "take-back";

}  // namespace

std::filesystem::path TOffLineBill::PendingPath() const
{
    return std::filesystem::path(queues_.Context().gsFolder) / kPendingBillFile;
}

bool TOffLineBill::writePending(const std::vector<TLine>& aLines, bool aTakeBack)
{
    std::vector<std::string> file{aTakeBack ? kTakeBack : kComplete};
    for (const TLine& l : aLines) file.push_back(std::string(OffLineQueueInfo(l.queue).Name) + '\t' + l.line);
    std::string error;
    if (WriteFileAtomically(PendingPath(), JoinQueueFile(file), TFileAccess::OwnerOnly, &error)) return true;
    WriteLogFile(queues_.Context(), kLogQueueBill, kPendingBillFile + std::string(": ") + error);
    return false;
}

void TOffLineBill::removePending()
{
    std::error_code ec;
    std::filesystem::remove(PendingPath(), ec);
}

void TOffLineBill::takeBack(const std::vector<TLine>& aLines)
{
    for (const TLine& l : aLines) queues_.Forget(l.queue, {l.line});
}

bool TOffLineBill::QueueBill(const std::vector<TQueuedRecord>& aRecords)
{
    std::vector<TLine> added;
    for (const TQueuedRecord& r : aRecords) {
        std::string line;
        if (!queues_.AddOffLineData(r.queue, r.values, line)) {
            takeBack(added);
            return false;
        }
        if (!line.empty()) added.push_back({FindOffLineQueue(r.queue)->Queue, std::move(line)});
    }
    if (!writePending(added, false)) {
        takeBack(added);
        return false;
    }
    if (queues_.SaveOffLineData()) {
        removePending();
        return true;
    }
    // Some queue files may hold the bill now, others not: the bill comes
    // out of memory and the files are written again; should that fail too,
    // the pending file tells the next start to take the lines back.
    takeBack(added);
    writePending(added, true);
    if (queues_.SaveOffLineData()) removePending();
    return false;
}

int TOffLineBill::Recover()
{
    const auto bytes = ReadWholeFile(PendingPath());
    if (!bytes) return 0;
    const std::vector<std::string> file = SplitQueueFile(*bytes);
    if (file.empty()) {
        removePending();
        return 0;
    }
    const bool takeBackLines = file.front() == kTakeBack;
    int completed = 0;
    for (std::size_t i = 1; i < file.size(); ++i) {
        const std::size_t tab = file[i].find('\t');
        const TOffLineQueueInfo* info = tab == std::string::npos ? nullptr : FindOffLineQueue(file[i].substr(0, tab));
        if (info == nullptr) continue;
        const std::string line = file[i].substr(tab + 1);
        if (takeBackLines)
            queues_.Forget(info->Queue, {line});
        else if (queues_.Requeue(info->Queue, line))
            completed = 1;
    }
    if (!queues_.SaveOffLineData()) return 0;  // the pending file stays for the next start
    WriteLogFile(queues_.Context(), kLogQueueBill,
                 takeBackLines ? "a bill whose queuing failed was taken back out of the queues"
                               : "a bill a crash interrupted was completed in the queues");
    removePending();
    return completed;
}

}  // namespace pos
