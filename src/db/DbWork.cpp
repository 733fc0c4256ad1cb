#include "db/DbWork.h"

#include "db/DataModule.h"
#include "db/DayLog.h"
#include "db/DbQuery.h"

namespace pos {
namespace {

const char* const kSavePoint = "IZD000-SavePoint";
const char* const kReleaseSavePoint = "IZD000-ReleaseSavePoint";
const char* const kRollbackToSavePoint = "IZD000-RollbackToSavePoint";

// The one failure path's report: logged (masked), a lost transaction told,
// a lost connection taken off line.
void report(TfrmData& aData, const TDbError& aError)
{
    WriteLogFile(aData.Context(), aError.key, LogText(aError));
    CheckTransactionError(aError, aData.Dialogs());
    aData.CheckOffLine(aError);
}

}  // namespace

TDbWork::TDbWork(TfrmData& aData, TKind aKind) : data_(aData), joined_(aData.InTransaction())
{
    if (joined_) {
        control(kSavePoint);
    } else if (aKind == Write) {
        owned_ = true;
        if (TDbError error = data_.StartTransaction()) Fail(error);
    }
}

TDbWork::~TDbWork()
{
    if (done_) return;
    done_ = true;
    if (joined_) backToSavepoint();
    else if (owned_) data_.Rollback();
}

bool TDbWork::control(const char* aKey)
{
    TDbQuery query(data_);
    query.SetSQL(aKey);
    if (query.ExecSQL()) return true;
    Fail(query.Error());
    return false;
}

// Back to the savepoint and give it up, so savepoints never pile up in a
// long transaction. After a lost connection there is nothing to go back to.
void TDbWork::backToSavepoint()
{
    if (data_.Context().gbOffLine || !data_.Connected()) return;
    for (const char* key : {kRollbackToSavePoint, kReleaseSavePoint}) {
        TDbQuery query(data_);
        query.SetSQL(key);
        if (!query.ExecSQL()) return;
    }
}

bool TDbWork::Commit()
{
    if (done_) return false;
    if (joined_) {
        if (!control(kReleaseSavePoint)) return false;
    } else if (owned_) {
        if (TDbError error = data_.Commit()) {
            Fail(error);
            return false;
        }
    }
    done_ = true;
    return true;
}

void TDbWork::Fail(const TDbError& aError)
{
    if (done_) return;
    done_ = true;
    error_ = aError;
    report(data_, aError);
    if (joined_) backToSavepoint();
    else if (owned_) data_.Rollback();
}

TDbError TDbWork::Batch(TfrmData& aData, const std::vector<TfrmData::TBatchStatement>& aStatements)
{
    const bool joined = aData.InTransaction();
    if (!joined) {
        if (TDbError error = aData.StartTransaction()) {
            report(aData, error);
            return error;
        }
    }
    std::vector<TfrmData::TBatchStatement> batch;
    batch.reserve(aStatements.size() + 2);
    if (joined) batch.push_back({kSavePoint, nullptr, nullptr});
    batch.insert(batch.end(), aStatements.begin(), aStatements.end());
    if (joined) batch.push_back({kReleaseSavePoint, nullptr, nullptr});
    TDbError error = aData.ExecBatch(batch);
    if (!error && !joined) error = aData.Commit();
    if (!error) return error;
    report(aData, error);
    if (!joined) {
        aData.Rollback();
    } else if (!aData.Context().gbOffLine && aData.Connected()) {
        for (const char* key : {kRollbackToSavePoint, kReleaseSavePoint}) {
            TDbQuery query(aData);
            query.SetSQL(key);
            if (!query.ExecSQL()) break;
        }
    }
    return error;
}

}  // namespace pos
