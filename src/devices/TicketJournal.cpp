#include "devices/TicketJournal.h"

#include "core/DialogService.h"
#include "core/FileIO.h"
#include "core/TextHelpers.h"
#include "store/MirrorFile.h"

#include <charconv>
#include <optional>
#include <cstdint>
#include <cstdio>

namespace pos {
namespace {

constexpr std::string_view kHeader = "TICKETS 1";
constexpr std::string_view kEnd = "END\t";
constexpr std::size_t kValues = 26;                 // Str1 ... Str26
constexpr std::size_t kFields = 4 + kValues + 1;    // state, type, papers, bill, values, check

std::uint32_t fnv1a(std::string_view aText)
{
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : aText) {
        hash ^= c;
        hash *= 16777619u;
    }
    return hash;
}

std::string hex8(std::uint32_t aValue)
{
    char buf[9];
    std::snprintf(buf, sizeof buf, "%08x", aValue);
    return buf;
}

std::vector<std::string_view> splitOn(std::string_view aText, char aSeparator)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t at = aText.find(aSeparator, start);
        if (at == std::string_view::npos) {
            parts.push_back(aText.substr(start));
            return parts;
        }
        parts.push_back(aText.substr(start, at - start));
        start = at + 1;
    }
}

// Only a number as the journal writes it: digits, no sign, no leading zero.
// Any other spelling is damage, so that a journal read whole is the very
// text it would be written as.
bool readNumber(std::string_view aText, int& aNumber)
{
    if (aText.empty() || aText.find_first_not_of("0123456789") != std::string_view::npos) return false;
    if (aText.size() > 1 && aText.front() == '0') return false;
    const auto [end, error] = std::from_chars(aText.data(), aText.data() + aText.size(), aNumber);
    return error == std::errc() && end == aText.data() + aText.size();
}

std::string jobLine(const TTicketData& aJob)
{
    std::string line = aJob.State == TTicketJobState::Sending ? "S" : "P";
    line += '\t' + std::to_string(static_cast<int>(aJob.TicketType));
    line += '\t' + std::to_string(aJob.PapersPrinted);
    line += '\t' + EscapeMirrorValue(aJob.Bill);
    for (const std::string& value : aJob.Strs) line += '\t' + EscapeMirrorValue(value);
    return line + '\t' + hex8(fnv1a(line));
}

// One job line, or nothing when it does not check.
std::optional<TTicketData> readJobLine(std::string_view aLine)
{
    const std::size_t lastTab = aLine.rfind('\t');
    if (lastTab == std::string_view::npos || aLine.substr(lastTab + 1) != hex8(fnv1a(aLine.substr(0, lastTab))))
        return std::nullopt;
    const std::vector<std::string_view> fields = splitOn(aLine, '\t');
    if (fields.size() != kFields || (fields[0] != "P" && fields[0] != "S")) return std::nullopt;
    int type = 0, papers = 0;
    if (!readNumber(fields[1], type) || type < 1 || type > static_cast<int>(TTicketType::ttEvent)) return std::nullopt;
    if (!readNumber(fields[2], papers) || papers < 0) return std::nullopt;
    TTicketData job;
    job.State = fields[0] == "S" ? TTicketJobState::Sending : TTicketJobState::Pending;
    job.TicketType = static_cast<TTicketType>(type);
    job.PapersPrinted = papers;
    job.Bill = UnescapeMirrorValue(fields[3]);
    for (std::size_t i = 0; i < kValues; ++i) job.Strs[i] = UnescapeMirrorValue(fields[4 + i]);
    return job;
}

}  // namespace

std::string EncodeTicketJournal(const std::deque<TTicketData>& aJobs)
{
    std::string text(kHeader);
    text += '\n';
    for (const TTicketData& job : aJobs) text += jobLine(job) + '\n';
    text += std::string(kEnd) + std::to_string(aJobs.size()) + '\n';
    return text;
}

TTicketJournalRead DecodeTicketJournal(std::string_view aBytes)
{
    TTicketJournalRead read;
    std::vector<std::string_view> lines = splitOn(aBytes, '\n');
    if (!lines.empty() && lines.back().empty()) lines.pop_back();  // the last line's end
    if (lines.empty() || lines.front() != kHeader) {
        read.torn = true;
        lines.insert(lines.begin(), std::string_view());  // every line may still be a job
    }
    std::optional<int> endCount;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line.starts_with(kEnd) && i + 1 == lines.size()) {
            int count = 0;
            if (readNumber(line.substr(kEnd.size()), count)) endCount = count;
            continue;
        }
        if (std::optional<TTicketData> job = readJobLine(line)) read.jobs.push_back(std::move(*job));
        else ++read.damagedLines;
    }
    const int counted = static_cast<int>(read.jobs.size()) + read.damagedLines;
    // The writer ends every line, the end line too: without its line end the
    // journal was cut, however right its count.
    if (!endCount || *endCount != counted || !aBytes.ends_with('\n')) read.torn = true;
    return read;
}

TTicketJournalFile::TTicketJournalFile(std::filesystem::path aPath, DialogService& aDialogs)
    : path_(std::move(aPath)), dialogs_(aDialogs)
{
}

std::filesystem::path TTicketJournalFile::AsidePath() const
{
    std::filesystem::path aside = path_;
    aside += ".bad";
    return aside;
}

void TTicketJournalFile::SaveTicketJobs(const std::deque<TTicketData>& aJobs)
{
    if (WriteFileAtomically(path_, EncodeTicketJournal(aJobs), TFileAccess::OwnerOnly)) {
        failing_ = false;
        return;
    }
    if (failing_) return;
    failing_ = true;
    dialogs_.ErrBox(MsgTicketJournalNotWritten(), true);
}

TTicketJournalRead TTicketJournalFile::Load()
{
    const std::optional<std::string> bytes = ReadWholeFile(path_);
    if (!bytes) return {};
    TTicketJournalRead read = DecodeTicketJournal(*bytes);
    if (read.damaged()) {
        AppendToFile(AsidePath(), *bytes, TFileAccess::OwnerOnly);
        dialogs_.ErrBox(MsgTicketJournalDamaged(AsidePath().filename().string()), true);
    }
    return read;
}

std::string MsgTicketJournalDamaged(const std::string& aAsideName)
{
    return "인쇄 대기 티켓 기록이 손상되어 일부를 읽지 못했습니다.\r기록은 " + aAsideName +
           "에 보관했습니다. 전산실에 연락하십시오.";
}

std::string MsgTicketJournalNotWritten()
{
    return "인쇄 대기 티켓을 기록할 수 없습니다.\r프로그램을 끄기 전에 티켓 인쇄를 마치십시오.";
}

std::string TicketJobName(const TTicketData& aJob)
{
    std::string title;
    for (const std::string& value : aJob.Strs) {
        title = TrimCopy(value);
        if (!title.empty()) break;
    }
    return "영수증 " + TrimCopy(aJob.Bill) + " " + title;
}

std::string MsgTicketInDoubt(const TTicketData& aJob)
{
    return "인쇄하는 도중에 프로그램이 종료된 티켓이 있습니다.\r" + TicketJobName(aJob) +
           "\r인쇄되었는지 확인하십시오. 다시 인쇄하시겠습니까?";
}

std::string MsgTicketsNotPrinted(int aCount)
{
    return "인쇄하지 못한 티켓이 " + std::to_string(aCount) + "장 있습니다.\r지금 인쇄하시겠습니까?";
}

TTicketRecovery RecoverTicketJobs(TTicketJobList& aJobs, const TTicketJournalRead& aRead, DialogService& aDialogs)
{
    TTicketRecovery recovery;
    std::vector<TTicketData> jobs;
    for (TTicketData job : aRead.jobs) {
        if (job.State == TTicketJobState::Sending) {
            job.State = TTicketJobState::Pending;
            if (!aDialogs.AskBox(MsgTicketInDoubt(job))) {
                // Counted as out; a package goes on with its next ticket.
                recovery.notPrinted.push_back(TicketJobName(job));
                if (++job.PapersPrinted >= TicketPapers(job.TicketType)) continue;
            }
        }
        jobs.push_back(std::move(job));
    }
    aJobs.Restore(jobs);
    if (jobs.empty()) return recovery;
    recovery.printNow = aDialogs.AskBox(MsgTicketsNotPrinted(static_cast<int>(jobs.size())));
    if (!recovery.printNow) {
        for (const TTicketData& job : jobs) recovery.notPrinted.push_back(TicketJobName(job));
        aJobs.ClearTicketData();
    }
    return recovery;
}

}  // namespace pos
