#include "sales/recording/RowWriter.h"

#include "db/DataModule.h"
#include "db/DbQuery.h"
#include "db/DbWork.h"
#include "sync/OffLineBill.h"

namespace pos {

TWriteResult WriteRowsOnLine(TfrmData& aData, const TBillRows& aRows)
{
    TWriteResult result;
    TDbWork work(aData);
    if (!work.Active()) {
        result.error = work.Error();
        return result;
    }
    TDbQuery query(aData);
    for (const TStoredRow& row : aRows) {
        query.SetSQL(row.key);
        for (std::size_t i = 0; i < row.params.size(); ++i) query.SetParam(static_cast<int>(i), row.params[i]);
        if (!query.ExecSQL()) {
            result.error = query.Error();
            result.duplicateKey = result.error.sqlState == "23505";
            work.Fail(result.error);
            return result;
        }
    }
    result.ok = work.Commit();
    if (!result.ok) result.error = work.Error();
    return result;
}

bool QueueRows(TOffLineStore& aQueues, const TBillRows& aRows)
{
    std::vector<TQueuedRecord> records;
    records.reserve(aRows.size());
    for (const TStoredRow& row : aRows) {
        if (!row.queue) return false;
        records.push_back({OffLineQueueInfo(*row.queue).Name, QueueValues(row)});
    }
    return TOffLineBill(aQueues).QueueBill(records);
}

}  // namespace pos
