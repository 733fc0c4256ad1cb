#include "lookups/LookupWork.h"

#include "db/DayLog.h"

namespace pos {
namespace {

const char* const kSavePoint = "IZD000-SavePoint";
const char* const kReleaseSavePoint = "IZD000-ReleaseSavePoint";
const char* const kRollbackToSavePoint = "IZD000-RollbackToSavePoint";

}  // namespace

void LookupReadFailed(TfrmData& aData, const TDbError& aError)
{
    WriteLogFile(aData.Context(), aError.key, LogText(aError));
    aData.CheckOffLine(aError);
}

TLookupWork::TLookupWork(TfrmData& aData) : data_(aData), joined_(aData.InTransaction())
{
    if (!joined_) {
        if (TDbError error = data_.StartTransaction()) Fail(error);
        return;
    }
    run(kSavePoint);
}

TLookupWork::~TLookupWork()
{
    if (done_) return;
    done_ = true;
    if (!joined_) data_.Rollback();
    else if (data_.Connected()) {
        TDbQuery back(data_);
        back.SetSQL(kRollbackToSavePoint);
        back.ExecSQL();
    }
}

bool TLookupWork::run(const char* aKey)
{
    TDbQuery query(data_);
    query.SetSQL(aKey);
    if (query.ExecSQL()) return true;
    Fail(query.Error());
    return false;
}

bool TLookupWork::Commit()
{
    if (done_) return false;
    if (joined_) {
        if (!run(kReleaseSavePoint)) return false;
    } else if (TDbError error = data_.Commit()) {
        Fail(error);
        return false;
    }
    done_ = true;
    return true;
}

void TLookupWork::Fail(const TDbError& aError)
{
    if (done_) return;
    done_ = true;
    error_ = aError;
    WriteLogFile(data_.Context(), aError.key, LogText(aError));
    CheckTransactionError(aError, data_.Dialogs());
    data_.CheckOffLine(aError);
    if (!joined_) {
        data_.Rollback();
    } else if (!data_.Context().gbOffLine && data_.Connected()) {
        TDbQuery back(data_);
        back.SetSQL(kRollbackToSavePoint);
        back.ExecSQL();
    }
}

}  // namespace pos
