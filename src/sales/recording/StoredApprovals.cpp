#include "sales/recording/StoredApprovals.h"

#include "core/DateHelpers.h"
#include "db/DataModule.h"
#include "db/DbQuery.h"
#include "db/DbWork.h"
#include "sync/OffLineQueue.h"

#include <algorithm>

namespace pos {
namespace {

// The values of a queued card or cash-receipt row that name its approval
// (the same in both layouts): outlet, POS, card or identity number, approval
// number.
constexpr std::size_t kUpjangValue = 1, kPosValue = 2, kCardNoValue = 8, kAgreeNoValue = 11;

bool sameApproval(const TJournalEntry& aEntry, const std::vector<std::string>& aValues)
{
    if (aValues[kUpjangValue] != aEntry.Bill.UpjangCode || aValues[kPosValue] != aEntry.Bill.PosNo ||
        aValues[kAgreeNoValue] != aEntry.AgreeNo)
        return false;
    return aEntry.Kind == TJournalKind::Cash || aValues[kCardNoValue] == aEntry.CardNo;
}

// Rows are dated by the terminal's day, which is the business date of the
// entry's bill or, at the latest, the day after its request was made.
std::string earliestRowDate(const TJournalEntry& aEntry)
{
    const std::string requested = AddDays(aEntry.Time.substr(0, 8), -1).value_or(std::string());
    if (requested.empty()) return {};
    return std::min(requested, aEntry.Bill.SaleDate.empty() ? requested : aEntry.Bill.SaleDate);
}

}  // namespace

std::optional<bool> TBillStoredApprovals::Holds(const TJournalEntry& aEntry)
{
    if (aEntry.AgreeNo.empty()) return std::nullopt;
    if (queued(aEntry)) return true;
    return onServer(aEntry);
}

bool TBillStoredApprovals::queued(const TJournalEntry& aEntry) const
{
    const TOffLineQueueInfo& info =
        OffLineQueueInfo(aEntry.Kind == TJournalKind::Cash ? TOffLineQueue::Cash : TOffLineQueue::Card);
    const std::vector<std::string>& lines = queues_.Lines(info.Queue);
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& aLine) {
        const TOffLineLine line = ParseOffLineLine(aLine, info.FieldCount);
        return line.Sound() && sameApproval(aEntry, line.Values);
    });
}

std::optional<bool> TBillStoredApprovals::onServer(const TJournalEntry& aEntry)
{
    if (data_.InTransaction() || !data_.ConnectDB(false, false)) return std::nullopt;
    TDbWork read(data_, TDbWork::Read);
    TDbQuery query(data_);
    const bool cash = aEntry.Kind == TJournalKind::Cash;
    query.SetSQL(cash ? "ICI010-StoredApproval-Cash" : "ICI010-StoredApproval-Card");
    query.SetParam(0, aEntry.Bill.UpjangCode);
    query.SetParam(1, aEntry.Bill.PosNo);
    query.SetParam(2, aEntry.AgreeNo);
    query.SetParam(3, earliestRowDate(aEntry));
    if (!cash) query.SetParam(4, aEntry.CardNo);
    if (!query.Open() || query.Eof()) {
        read.Fail(query.Error());
        return std::nullopt;
    }
    return query.AsInteger(0) > 0;
}

}  // namespace pos
