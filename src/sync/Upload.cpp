#include "sync/Upload.h"

#include "core/FileIO.h"
#include "core/IdentityNumbers.h"
#include "db/DayLog.h"

#include <algorithm>
#include <cstdint>
#include <system_error>

namespace pos {
namespace {

const char* const kLogUploadData = "IZC000-UploadData";
const char* const kKeySavepoint = "IZC002-UploadOffLineData-Savepoint";
const char* const kKeyRelease = "IZC002-UploadOffLineData-Release";
const char* const kKeyRollback = "IZC002-UploadOffLineData-Rollback";
const char* const kSqlStateUnique = "23505";

const char* const kMsgAllSent = "미전송 자료를 모두 서버로 전송했습니다.";
const char* const kMsgNothing = "전송할 자료가 없습니다.";
const char* const kMsgRunFailed = "미전송 자료를 서버로 전송하지 못했습니다.\r";

std::string asideMessage(int aCount)
{
    return "서버에 보내지 못한 자료 " + std::to_string(aCount) +
           "건을 별도 파일(.bad)에 보관했습니다.\r전산팀에 문의하십시오.";
}

// Errors after which the transaction is gone: nothing more can be sent.
bool endsTheRun(const TDbError& aError)
{
    return aError.kind == TDbErrorKind::ConnectionLost || aError.kind == TDbErrorKind::TransactionLost ||
           aError.kind == TDbErrorKind::StatementMissing;
}

}  // namespace

int TUploadReport::Left() const
{
    int n = 0;
    for (const auto& q : Queues) n += q.Left();
    return n;
}

int TUploadReport::Failed() const
{
    int n = 0;
    for (const auto& q : Queues) n += q.Failed;
    return n;
}

int TUploadReport::SetAside() const
{
    int n = 0;
    for (const auto& q : Queues) n += q.Conflicts + q.Damaged;
    return n;
}

// ---------------------------------------------------------------------------

struct TOffLineUpload::TPlan {
    enum TOutcome : std::uint8_t { Pending, Sent, Duplicate, Conflict, Damaged, Failed };

    explicit TPlan(TfrmData& aData, const TOffLineQueueInfo& aInfo) : info(&aInfo), insert(aData), compare(aData) {}

    const TOffLineQueueInfo* info;
    bool fileExists = false;
    bool blanked = false;                    // track data was blanked: the file is written again
    std::vector<std::string> lines;          // as in the file
    std::vector<TOffLineLine> parsed;        // per line
    std::vector<TOutcome> outcome;           // per line
    std::vector<std::string> why;            // per line: what the log says about it
    std::vector<std::size_t> sendable;       // sound lines, in file order
    TDbQuery insert, compare;
};

TOffLineUpload::TOffLineUpload(TfrmData& aData, TOffLineStore& aStore)
    : data_(aData), store_(aStore), ctx_(aData.Context()), dialogs_(aData.Dialogs())
{
}

bool TOffLineUpload::execControl(const char* aKey)
{
    TDbQuery query(data_);
    query.SetSQL(aKey);
    if (query.ExecSQL()) return true;
    fatal_ = query.Error();
    return false;
}

// [aFrom, aTo) of the sendable lines under one savepoint. False when a line
// failed (aFailedAt; the batch is rolled back to its savepoint) or the run
// must end (fatal_ set).
bool TOffLineUpload::sendBatch(TPlan& aPlan, std::size_t aFrom, std::size_t aTo, std::size_t& aFailedAt)
{
    if (aFrom >= aTo) return true;
    if (!execControl(kKeySavepoint)) return false;
    for (std::size_t k = aFrom; k < aTo; ++k) {
        const std::vector<std::string>& values = aPlan.parsed[aPlan.sendable[k]].Values;
        for (std::size_t p = 0; p < values.size(); ++p) aPlan.insert.SetParam(static_cast<int>(p), values[p]);
        if (!aPlan.insert.ExecSQL()) {
            aFailedAt = k;
            if (endsTheRun(aPlan.insert.Error())) {
                fatal_ = aPlan.insert.Error();
                return false;
            }
            if (execControl(kKeyRollback)) execControl(kKeyRelease);
            return false;
        }
    }
    if (!execControl(kKeyRelease)) return false;
    for (std::size_t k = aFrom; k < aTo; ++k) aPlan.outcome[aPlan.sendable[k]] = TPlan::Sent;
    return true;
}

// One sendable line under its own savepoint; its outcome is recorded. False
// only when the run must end.
bool TOffLineUpload::sendOne(TPlan& aPlan, std::size_t aIndex)
{
    const std::size_t line = aPlan.sendable[aIndex];
    const std::vector<std::string>& values = aPlan.parsed[line].Values;
    const std::string where = std::string(aPlan.info->Name) + " line " + std::to_string(line + 1) + ": ";

    if (!execControl(kKeySavepoint)) return false;
    for (std::size_t p = 0; p < values.size(); ++p) aPlan.insert.SetParam(static_cast<int>(p), values[p]);
    if (aPlan.insert.ExecSQL()) {
        if (!execControl(kKeyRelease)) return false;
        aPlan.outcome[line] = TPlan::Sent;
        return true;
    }
    const TDbError error = aPlan.insert.Error();
    if (endsTheRun(error)) {
        fatal_ = error;
        return false;
    }
    if (!execControl(kKeyRollback) || !execControl(kKeyRelease)) return false;

    if (error.sqlState == kSqlStateUnique) {
        // Already on the server: the same record (sent by a run whose file
        // rewrite did not happen) or a different one under the same key.
        if (!execControl(kKeySavepoint)) return false;
        aPlan.compare.SetSQL(aPlan.info->CompareKey);
        for (std::size_t p = 0; p < values.size(); ++p) aPlan.compare.SetParam(static_cast<int>(p), values[p]);
        const bool compared = aPlan.compare.Open();
        if (!compared) {
            const TDbError cmp = aPlan.compare.Error();
            if (endsTheRun(cmp)) {
                fatal_ = cmp;
                return false;
            }
            if (!execControl(kKeyRollback) || !execControl(kKeyRelease)) return false;
            aPlan.outcome[line] = TPlan::Failed;
            aPlan.why[line] = where + LogText(cmp);
            WriteLogFile(ctx_, aPlan.info->CompareKey, aPlan.why[line]);
            return true;
        }
        const std::string same = aPlan.compare.Eof() ? std::string() : aPlan.compare.AsString(0);
        aPlan.compare.Close();
        if (!execControl(kKeyRelease)) return false;
        if (same == "Y") {
            aPlan.outcome[line] = TPlan::Duplicate;
        } else {
            aPlan.outcome[line] = TPlan::Conflict;
            aPlan.why[line] = where + "the server holds a different record under the same key; set aside in " +
                              aPlan.info->Name + ".bad";
        }
        return true;
    }

    aPlan.outcome[line] = TPlan::Failed;
    aPlan.why[line] = where + LogText(error);
    WriteLogFile(ctx_, aPlan.info->UploadKey, aPlan.why[line]);
    const std::string shown = MaskNumbersForLog(error.message);
    if (std::find(messages_.begin(), messages_.end(), shown) == messages_.end()) messages_.push_back(shown);
    return true;
}

bool TOffLineUpload::replay(TPlan& aPlan)
{
    const std::filesystem::path path = store_.QueuePath(aPlan.info->Queue);
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) {
        std::error_code ec;
        if (std::filesystem::exists(path, ec)) {
            fatal_ = {TDbErrorKind::Other, aPlan.info->UploadKey, {}, "the queue file " + path.filename().string() + " cannot be read"};
            return false;
        }
        return true;
    }
    aPlan.fileExists = true;
    aPlan.lines = SplitQueueFile(*bytes);
    // Loading the queues blanks track data in the files; a file that could
    // not be written again then still holds it, and neither the file written
    // after the run nor the aside file may keep it.
    if (const int blanked = BlankTrackData(*aPlan.info, aPlan.lines); blanked > 0) {
        aPlan.blanked = true;
        WriteLogFile(ctx_, aPlan.info->UploadKey,
                     std::string(aPlan.info->Name) + ": card track data blanked in " + std::to_string(blanked) +
                         (blanked == 1 ? " line" : " lines") + " before the upload");
    }
    const std::size_t n = aPlan.lines.size();
    aPlan.parsed.reserve(n);
    aPlan.outcome.assign(n, TPlan::Pending);
    aPlan.why.assign(n, {});
    for (std::size_t i = 0; i < n; ++i) {
        aPlan.parsed.push_back(ParseOffLineLine(aPlan.lines[i], aPlan.info->FieldCount));
        if (aPlan.parsed.back().Sound()) {
            aPlan.sendable.push_back(i);
        } else {
            aPlan.outcome[i] = TPlan::Damaged;
            aPlan.why[i] = std::string(aPlan.info->Name) + " line " + std::to_string(i + 1) + ": " +
                           aPlan.parsed.back().Problem + "; set aside in " + aPlan.info->Name + ".bad";
        }
    }
    aPlan.insert.SetSQL(aPlan.info->UploadKey);

    const std::size_t count = aPlan.sendable.size();
    const std::size_t batch = static_cast<std::size_t>(std::max(1, BatchSize));
    std::size_t i = 0;
    while (i < count) {
        const std::size_t to = std::min(count, i + batch);
        std::size_t failedAt = to;
        if (sendBatch(aPlan, i, to, failedAt)) {
            i = to;
            continue;
        }
        if (fatal_) return false;
        // The lines before the failing one went through: send them again as
        // a batch, then the failing one alone, then go on after it.
        std::size_t again = failedAt;
        if (!sendBatch(aPlan, i, failedAt, again)) {
            if (fatal_) return false;
            for (std::size_t k = i; k < failedAt; ++k)
                if (!sendOne(aPlan, k)) return false;
        }
        if (!sendOne(aPlan, failedAt)) return false;
        i = failedAt + 1;
    }
    return true;
}

void TOffLineUpload::finish(std::vector<TPlan>& aPlans)
{
    for (TPlan& plan : aPlans) {
        TUploadQueueReport& report = report_.Queues.emplace_back();
        report.Name = plan.info->Name;
        if (!plan.fileExists) continue;
        const TOffLineQueue queue = plan.info->Queue;

        std::vector<std::string> aside;
        for (std::size_t i = 0; i < plan.lines.size(); ++i)
            if (plan.outcome[i] == TPlan::Conflict || plan.outcome[i] == TPlan::Damaged) aside.push_back(plan.lines[i]);
        std::string error;
        if (!store_.KeepAside(queue, aside, &error)) {
            // Not kept aside, so not let go either: the lines stay queued.
            WriteLogFile(ctx_, plan.info->UploadKey, error);
            for (auto& o : plan.outcome)
                if (o == TPlan::Conflict || o == TPlan::Damaged) o = TPlan::Failed;
        } else {
            for (std::size_t i = 0; i < plan.lines.size(); ++i)
                if (plan.outcome[i] == TPlan::Conflict || plan.outcome[i] == TPlan::Damaged)
                    WriteLogFile(ctx_, plan.info->UploadKey, plan.why[i]);
        }

        std::vector<std::string> stay, left;
        for (std::size_t i = 0; i < plan.lines.size(); ++i) {
            switch (plan.outcome[i]) {
            case TPlan::Sent: ++report.Sent; break;
            case TPlan::Duplicate: ++report.Duplicates; break;
            case TPlan::Conflict: ++report.Conflicts; break;
            case TPlan::Damaged: ++report.Damaged; break;
            default: ++report.Failed; break;
            }
            const bool stays = plan.outcome[i] == TPlan::Failed || plan.outcome[i] == TPlan::Pending;
            (stays ? stay : left).push_back(std::move(plan.lines[i]));
        }
        report.Lines = static_cast<int>(stay.size() + left.size());
        if (left.empty() && !plan.blanked) continue;
        if (!WriteFileAtomically(store_.QueuePath(queue), JoinQueueFile(stay), TFileAccess::OwnerOnly, &error)) {
            // The server has the lines; the next run finds them there and
            // skips them as duplicates.
            WriteLogFile(ctx_, plan.info->UploadKey, error);
            continue;
        }
        store_.Forget(queue, left);
    }
}

bool TOffLineUpload::run(const std::vector<TOffLineQueue>& aQueues)
{
    report_ = {};
    messages_.clear();
    fatal_ = {};
    if (!data_.ConnectDB(true, false)) {
        report_.Error = {TDbErrorKind::ConnectionLost, kLogUploadData, {}, "the server cannot be reached"};
        return false;
    }
    if (!data_.InTransaction()) fatal_ = data_.StartTransaction();

    std::vector<TPlan> plans;
    plans.reserve(aQueues.size());
    for (TOffLineQueue q : aQueues) plans.emplace_back(data_, OffLineQueueInfo(q));
    if (!fatal_)
        for (TPlan& plan : plans)
            if (!replay(plan)) break;
    if (!fatal_) fatal_ = data_.Commit();
    if (fatal_) {
        report_.Error = fatal_;
        WriteLogFile(ctx_, kLogUploadData, LogText(fatal_));
        dialogs_.ErrBox(kMsgRunFailed + MaskNumbersForLog(fatal_.message), true);
        CheckTransactionError(fatal_, dialogs_);
        data_.CheckOffLine(fatal_);
        data_.Rollback();
        return false;
    }
    report_.Committed = true;
    finish(plans);
    for (const std::string& message : messages_) dialogs_.ErrBox(message, true);
    if (const int aside = report_.SetAside(); aside > 0) dialogs_.ErrBox(asideMessage(aside), true);
    return true;
}

int TOffLineUpload::UploadOffLineData(const std::string& aTableName)
{
    const TOffLineQueueInfo* info = FindOffLineQueue(aTableName);
    if (!info) return 0;
    std::error_code ec;
    if (!std::filesystem::exists(store_.QueuePath(info->Queue), ec)) return 0;
    if (!run({info->Queue})) return 0;
    return report_.Left();
}

bool TOffLineUpload::UploadData(bool aShowNoData)
{
    std::vector<TOffLineQueue> queues;
    for (const auto& q : OffLineQueues()) queues.push_back(q.Queue);
    if (!run(queues)) return false;
    const int sent = report_.Left() - report_.SetAside();
    if (report_.Failed() == 0 && report_.SetAside() == 0) {
        if (sent > 0) dialogs_.MsgBox(kMsgAllSent);
        else if (aShowNoData) dialogs_.MsgBox(kMsgNothing);
    }
    return true;
}

int UploadOffLineData(TfrmData& aData, TOffLineStore& aStore, const std::string& aTableName)
{
    return TOffLineUpload(aData, aStore).UploadOffLineData(aTableName);
}

bool UploadData(TfrmData& aData, TOffLineStore& aStore, bool aShowNoData)
{
    return TOffLineUpload(aData, aStore).UploadData(aShowNoData);
}

}  // namespace pos
