#include "devices/TicketJobs.h"

#include "core/Currency.h"
#include "core/TextHelpers.h"
#include "devices/PrintMarkup.h"

#include <algorithm>

namespace pos {
namespace {

constexpr int kValueFields = 25;  // Str1-Str25 come from the caller; Str26 only from a coupon table

// On these printers the bill text is printed as a short number.
bool shortBillNumber(TPrinterType aPrinter1)
{
    return aPrinter1 == TPrinterType::ptTSP700 || aPrinter1 == TPrinterType::ptBoca ||
           aPrinter1 == TPrinterType::ptFlotec;
}

std::string value(const std::vector<std::string>& aValues, std::size_t aNo)
{
    return aNo < aValues.size() ? aValues[aNo] : std::string();
}

}  // namespace

std::int64_t NumberInText(const std::string& aText)
{
    std::int64_t number = 0;
    bool negative = false, digits = false;
    for (char c : aText) {
        if (c == '-' && !digits) negative = true;
        if (c < '0' || c > '9') continue;
        digits = true;
        if (number < (INT64_MAX - 9) / 10) number = number * 10 + (c - '0');
    }
    return negative ? -number : number;
}

TTicketJobList::TTicketJobList(const TTicketKinds& aKinds, const TTerminalContext& aContext, TPrinterType aPrinter1,
                               TTicketJobStore& aJournal)
    : kinds_(aKinds), context_(aContext), printer1_(aPrinter1), journal_(aJournal)
{
}

void TTicketJobList::save()
{
    if (batches_ == 0) journal_.SaveTicketJobs(jobs_);
}

TTicketJobList::TBatch::~TBatch()
{
    if (--list_.batches_ == 0) list_.save();
}

bool TTicketJobList::AddTicketData(const std::string& aTicketType, const std::vector<std::string>& aValues)
{
    const int number = kinds_.TicketTypeNumber(aTicketType);
    if (number <= 0 || number > static_cast<int>(TTicketType::ttEvent)) return false;
    return append(static_cast<TTicketType>(number), aValues);
}

bool TTicketJobList::append(TTicketType aType, const std::vector<std::string>& aValues)
{
    TTicketData job;
    job.TicketType = aType;
    job.JobId = nextId_++;
    job.Bill = value(aValues, 0);
    if (shortBillNumber(printer1_)) {
        const std::string digits = GetOnlyNumber(job.Bill);
        job.Bill = digits.size() > 2 ? digits.substr(2) : std::string();
    }
    for (int i = 1; i <= kValueFields; ++i) job.Str(i) = value(aValues, static_cast<std::size_t>(i));
    // A master number in the member field marks a member ticket and is not
    // printed. The lines of a document page are printed as they are: a line
    // that happens to begin like a master number is still a line.
    const std::string& master = context_.gsMasterMemberNo;
    if (aType != TTicketType::ttList && !master.empty() && job.Str(11).starts_with(master)) {
        if (job.Str(11) == master + "00") job.Str(10) = "Y";
        job.Str(11).clear();
    }
    jobs_.push_back(std::move(job));
    save();
    return true;
}

void TTicketJobList::ChangeTicketData(const std::string& aTicketType, const std::vector<std::string>& aValues)
{
    for (TTicketData& job : jobs_) {
        if (job.PapersPrinted > 0) continue;  // partly out: it is no longer the same ticket
        const bool same = job.Str(1) == value(aValues, 1) && job.Str(7) == value(aValues, 7) &&
                          job.Str(8) == value(aValues, 8) && job.Str(9) == value(aValues, 9) &&
                          job.Str(11) == value(aValues, 11);
        if (!same) continue;
        const std::int64_t persons = NumberInText(job.Str(15));
        job.Str(15) = std::to_string(persons == 0 ? 2 : persons + 1);
        const Currency amount = Currency(NumberInText(job.Str(6))) + Currency(NumberInText(value(aValues, 6)));
        job.Str(6) = FormatThousands(amount) + "원";
        save();
        return;
    }
    AddTicketData(aTicketType, aValues);
}

int TTicketJobList::PageLength(const std::string& aTicketType) const
{
    if (printer1_ == TPrinterType::ptTSP700) return 20;
    if (printer1_ == TPrinterType::ptFlotec && aTicketType == context_.gsTicketTypeList &&
        context_.gsMasterUpjangCode != context_.gsUpjangSkiSchool)
        return 8;
    return 25;
}

int TTicketJobList::AddTicketData(const std::string& aTicketType, const std::string& aHeader,
                                  const std::vector<std::string>& aLines)
{
    const auto length = static_cast<std::size_t>(PageLength(aTicketType));
    TBatch pages(*this);  // a document is kept whole or not at all
    std::string bill = aHeader;
    for (const char* tag : {"{N}", "{S}", "{X}", "{Y}", "{Z}"}) bill = Replace(bill, tag, "");

    int added = 0;
    for (std::size_t first = 0; first < aLines.size(); first += length) {
        std::vector<std::string> page(kValueFields + 1);
        page[0] = bill;
        bool printed = false;
        for (std::size_t k = 0; k < length && first + k < aLines.size(); ++k) {
            page[k + 1] = StripMarkupTags(aLines[first + k]);
            printed = printed || !page[k + 1].empty();
        }
        if (printed && AddTicketData(aTicketType, page)) ++added;
    }
    return added;
}

std::string TTicketJobList::GetTicketData(int aItem, int aIndex) const
{
    if (aIndex < 0 || aIndex >= GetTicketCount() || aItem < 0 || aItem > kValueFields) return {};
    const TTicketData& job = jobs_[static_cast<std::size_t>(aIndex)];
    return aItem == 0 ? job.Bill : job.Str(aItem);
}

void TTicketJobList::DeleteTicketData(int aIndex)
{
    if (aIndex < 0 || aIndex >= GetTicketCount()) return;
    jobs_.erase(jobs_.begin() + aIndex);
    save();
}

void TTicketJobList::ClearTicketData()
{
    jobs_.clear();
    save();
}

TTicketData* TTicketJobList::findJob(std::uint64_t aJobId)
{
    const auto it = std::find_if(jobs_.begin(), jobs_.end(), [&](const TTicketData& j) { return j.JobId == aJobId; });
    return it == jobs_.end() ? nullptr : &*it;
}

const TTicketData* TTicketJobList::find(std::uint64_t aJobId) const
{
    const auto it = std::find_if(jobs_.begin(), jobs_.end(), [&](const TTicketData& j) { return j.JobId == aJobId; });
    return it == jobs_.end() ? nullptr : &*it;
}

void TTicketJobList::remove(std::uint64_t aJobId)
{
    const auto it = std::find_if(jobs_.begin(), jobs_.end(), [&](const TTicketData& j) { return j.JobId == aJobId; });
    if (it == jobs_.end()) return;
    jobs_.erase(it);
    save();
}

void TTicketJobList::MarkSending(std::uint64_t aJobId)
{
    if (TTicketData* job = findJob(aJobId)) {
        job->State = TTicketJobState::Sending;
        save();
    }
}

void TTicketJobList::MarkPending(std::uint64_t aJobId)
{
    if (TTicketData* job = findJob(aJobId)) {
        job->State = TTicketJobState::Pending;
        save();
    }
}

void TTicketJobList::PaperPrinted(std::uint64_t aJobId, int aPapers)
{
    TTicketData* job = findJob(aJobId);
    if (!job) return;
    if (++job->PapersPrinted >= aPapers) {
        remove(aJobId);
        return;
    }
    job->State = TTicketJobState::Pending;
    save();
}

void TTicketJobList::Restore(const std::vector<TTicketData>& aJobs)
{
    for (TTicketData job : aJobs) {
        job.JobId = nextId_++;
        jobs_.push_back(std::move(job));
    }
    save();
}

}  // namespace pos
