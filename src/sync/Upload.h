#pragma once
// The upload of the off-line queues (UploadOffLineData of module IZC002,
// UploadData of module IZC000): each queue file is replayed line by line
// through its upload statement, all queues in one server transaction.
//
// A bill is on the server exactly once or still queued, whatever happens:
//   - every line runs under a savepoint, so a failing line (a duplicate, a
//     refused value) does not abort the transaction for the lines around it;
//   - the queue files are rewritten without the lines that left them only
//     after COMMIT has answered COMMIT; a failed or interrupted run leaves
//     every file as it was and can simply be repeated;
//   - a line the server already holds (unique violation) is compared with
//     the stored row: the same record is skipped as a duplicate, a different
//     record under the same key is a conflict, set aside and reported;
//   - a line that cannot be read back (wrong number of values, damaged
//     bytes) is set aside and reported, never sent with shifted values.
// Lines set aside go to the queue's aside file (name + ".bad") before the
// queue file lets them go, each with an entry in the day log.
//
// Lines are sent in batches under one savepoint; only a batch in which a
// line fails is replayed line by line, so the common case costs one round
// trip per line and the outcome per line is the same as line by line.

#include "db/DataModule.h"
#include "sync/OffLineQueue.h"

#include <string>
#include <vector>

namespace pos {

struct TUploadQueueReport {
    std::string Name;
    int Lines = 0;       // lines found in the file
    int Sent = 0;        // written to the server
    int Duplicates = 0;  // already on the server, identical
    int Conflicts = 0;   // a different record on the server under the same key (set aside)
    int Damaged = 0;     // could not be read back (set aside)
    int Failed = 0;      // refused by the server for another reason (stay queued)
    // Lines that left the queue file.
    int Left() const { return Sent + Duplicates + Conflicts + Damaged; }
};

struct TUploadReport {
    bool Committed = false;
    std::vector<TUploadQueueReport> Queues;
    TDbError Error;  // what ended a run that was not committed
    int Left() const;
    int Failed() const;
    int SetAside() const;
};

class TOffLineUpload {
public:
    TOffLineUpload(TfrmData& aData, TOffLineStore& aStore);

    // Lines sent under one savepoint before the next.
    int BatchSize = 256;

    // One queue file ("Sale", "Pay", "Card", "Cash", "SaleCancel") in the
    // open transaction or a new one, committed; the number of lines that
    // left the file (0 for no file, another name, or a run that failed).
    int UploadOffLineData(const std::string& aTableName);

    // The upload run: connect, every queue in upload order, commit, then the
    // files. Messages as the cashier knows them: "미전송 자료를 모두 서버로
    // 전송했습니다." when lines left and none stayed behind, "전송할 자료가
    // 없습니다." when there was nothing and aShowNoData is set, the server's
    // message for a refused line, the aside message for lines set aside. A
    // failed run shows "미전송 자료를 서버로 전송하지 못했습니다.\r" + the
    // message, logs "IZC000-UploadData" and rolls back. True when committed.
    bool UploadData(bool aShowNoData);

    const TUploadReport& Report() const { return report_; }

private:
    struct TPlan;
    bool run(const std::vector<TOffLineQueue>& aQueues);
    bool replay(TPlan& aPlan);
    bool sendBatch(TPlan& aPlan, std::size_t aFrom, std::size_t aTo, std::size_t& aFailedAt);
    bool sendOne(TPlan& aPlan, std::size_t aIndex);
    bool execControl(const char* aKey);
    void finish(std::vector<TPlan>& aPlans);

    TfrmData& data_;
    TOffLineStore& store_;
    TTerminalContext& ctx_;
    DialogService& dialogs_;
    TUploadReport report_;
    std::vector<std::string> messages_;  // distinct server messages of refused lines
    TDbError fatal_;                     // the error that ends the run
};

// The operations under the system's names, for callers holding the data
// module and the queues.
int UploadOffLineData(TfrmData& aData, TOffLineStore& aStore, const std::string& aTableName);
bool UploadData(TfrmData& aData, TOffLineStore& aStore, bool aShowNoData);

}  // namespace pos
