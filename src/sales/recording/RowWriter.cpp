#include "sales/recording/RowWriter.h"

#include "db/DataModule.h"
#include "db/DbQuery.h"
#include "db/DbWork.h"
#include "sync/OffLineBill.h"

namespace pos {

TWriteResult WriteRowsOnLine(TfrmData& aData, const TBillRows& aRows)
{
    std::vector<TfrmData::TBatchStatement> batch;
    batch.reserve(aRows.size());
    for (const TStoredRow& row : aRows) batch.push_back({row.key, &row.params, nullptr});
    TWriteResult result;
    result.error = TDbWork::Batch(aData, batch);
    result.ok = !result.error;
    result.duplicateKey = result.error.sqlState == "23505";
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
