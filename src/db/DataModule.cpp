#include "db/DataModule.h"

#include "core/Environment.h"
#include "core/IniFile.h"
#include "db/DayLog.h"
#include "db/DbPassword.h"

#include <algorithm>
#include <charconv>

namespace pos {
namespace {

const char* const kMsgNoDbUser = "DB 사용자를 설정하지 않았습니다.\r전산팀에 문의하십시오.";
const char* const kMsgTooManySessions =
    "현재 너무 많은 사용자가 사용 중이므로 연결할 수 없습니다.\r잠시 후 다시 시도하십시오.";
const char* const kMsgBadLogin =
    "DB 사용자 또는 비밀번호가 틀립니다.\r시스템을 껐다 켜시고, 같은 문제가 발생할 경우\r전산팀에 문의하십시오.";
const char* const kMsgCannotConnect = "데이터베이스와 연결할 수 없습니다.\r";
const char* const kMsgDayClosed = "오늘 영업회계가 마감되었습니다.";
const char* const kMsgPosClosed = "오늘 POS 마감되었습니다.";
const char* const kMsgOldVersion = "POS 프로그램이 업데이트 되었습니다. POS 프로그램을 껐다 켜십시오.";
const char* const kMsgRetryOnLine = "지금 On Line을 다시 시도할까요?\r[예] : On Line 시도, [아니요] : 시스템 종료";

const char* const kLogConnect = "IZD000-ConnectDB";

std::string connectFailureMessage(const TDbError& aError)
{
    switch (aError.kind) {
    case TDbErrorKind::TooManyConnections: return kMsgTooManySessions;
    case TDbErrorKind::AuthenticationFailed: return kMsgBadLogin;
    default: return kMsgCannotConnect + aError.message;
    }
}

std::vector<std::int64_t> versionParts(const std::string& aVersion)
{
    std::vector<std::int64_t> parts;
    std::size_t pos = 0;
    while (pos <= aVersion.size()) {
        std::size_t dot = aVersion.find('.', pos);
        if (dot == std::string::npos) dot = aVersion.size();
        std::int64_t value = 0;
        const char* first = aVersion.data() + pos;
        const auto [end, ec] = std::from_chars(first, aVersion.data() + dot, value);
        parts.push_back(ec == std::errc() && end == aVersion.data() + dot ? value : 0);
        pos = dot + 1;
    }
    return parts;
}

}  // namespace

int CompareVersions(const std::string& aLeft, const std::string& aRight)
{
    std::vector<std::int64_t> left = versionParts(aLeft), right = versionParts(aRight);
    const std::size_t n = std::max(left.size(), right.size());
    left.resize(n, 0);
    right.resize(n, 0);
    for (std::size_t i = 0; i < n; ++i)
        if (left[i] != right[i]) return left[i] < right[i] ? -1 : 1;
    return 0;
}

TfrmData::TfrmData(TTerminalContext& aContext, const TSqlCatalogue& aCatalogue, DialogService& aDialogs,
                   TOffLinePolicy& aPolicy)
    : dbpProcDC(*this, "PR_IAI010_01",
                {"ASALE_DATE", "AUPJANG_CODE", "APOS_NO", "AMEMBER_NO", "ASALE_YN", "AKEYIN_YN"},
                {"AREMARKS", "ACAN_SALE_YN"}),
      dbpProcClose(*this, "PR_KEI010_99", {"ASALE_DATE", "AUPJANG_CODE", "AU_EMP_NO", "AU_IP", "AEDITSTATUS"},
                   {"AERROR_MSG"}),
      dbpProcRoom(*this, "PR_DCI030_02",
                  {"ATASK_DATE", "AFROM_UPJANG", "AFROM_RSV", "AFROM_MANAGE", "AFROM_TASK_DATE", "AFROM_SEQ",
                   "ATO_UPJANG", "ATO_RSV", "ATO_MANAGE", "ARAISE_UPJANG_CODE", "ATRANS_REASON", "AU_EMP_NO",
                   "AU_IP"},
                  {"AERROR_MSG"}),
      ctx_(aContext),
      catalogue_(aCatalogue),
      dialogs_(aDialogs),
      policy_(aPolicy),
      programVersion_(GetVersion()),
      notifiedOffLine_(aContext.gbOffLine)
{
}

TfrmData::~TfrmData() = default;

bool TfrmData::DataModuleCreate(const std::string& aDbUser)
{
    if (aDbUser.empty()) {
        dialogs_.ErrBox(kMsgNoDbUser, true);
        return false;
    }
    const IniFile posIp = IniFile::load(std::filesystem::path(ctx_.gsFolder) / "POSIP.ini");
    login_.host = ctx_.gsServerIP;
    login_.database = ctx_.gsServerDB;
    login_.port = static_cast<int>(posIp.readInteger("MAIN", "Port", 5432));
    login_.user = aDbUser;
    login_.password = GetDBPassword(ctx_.gsFolder, aDbUser);
    login_.tls = ReadDbTls(posIp, ctx_.gsFolder);
    return true;
}

// ---------------------------------------------------------------------------
// Connection and the on-line state

bool TfrmData::Connected() const { return conn_ && PQstatus(conn_.get()) == CONNECTION_OK; }

int TfrmData::BackendPID() const { return conn_ ? PQbackendPID(conn_.get()) : 0; }

// Off line, only a forced attempt (aTryOnOffLine) touches the server; a forced
// attempt always makes a fresh connection.
bool TfrmData::ConnectDB(bool aShowMsg, bool aTryOnOffLine)
{
    if (ctx_.gbOffLine && !aTryOnOffLine) return false;
    if (aTryOnOffLine) DisconnectDB();
    if (!Connected() && !TryConnect(aShowMsg)) {
        SetOffLine();
        return false;
    }
    SetOnLine();
    return true;
}

// One connection attempt, reported but with no change of the on-line state,
// so that the off-line retry loop can use it without starting another loop.
bool TfrmData::TryConnect(bool aShowMsg)
{
    conn_.reset();
    TConnectResult opened = OpenConnection(login_, timeouts_);
    if (opened.conn) {
        conn_ = std::move(opened.conn);
        ++generation_;
        return true;
    }
    WriteLogFile(ctx_, kLogConnect, LogText(opened.error));
    if (aShowMsg) dialogs_.ErrBox(connectFailureMessage(opened.error), true);
    return false;
}

bool TfrmData::DisconnectDB()
{
    conn_.reset();
    return true;
}

void TfrmData::SetOffLine()
{
    ctx_.gbOffLine = true;
    DisconnectDB();
    if (holdingOffLine_) return;  // the retry loop below is already running
    const std::optional<bool> mayOffLine = policy_.OutletSellsOffLine();
    if (mayOffLine.has_value() && !*mayOffLine) HoldUntilOnLine();
    else policy_.CloseOrderTable();
    NotifyIfChanged();
}

// An outlet that may not sell off line keeps the cashier here until the
// terminal is on line again or the program ends. Every retry is one plain
// connection attempt in this one loop.
void TfrmData::HoldUntilOnLine()
{
    holdingOffLine_ = true;
    const std::string outlet = ctx_.gsMasterUpjangName.empty() ? policy_.OutletName() : ctx_.gsMasterUpjangName;
    dialogs_.ErrBox("Off Line 상태입니다.\r" + outlet + "은(는) Off Line시 판매를 할 수 없습니다.", true);
    while (ctx_.gbOffLine) {
        if (dialogs_.AskBox(kMsgRetryOnLine)) {
            if (TryConnect(true)) SetOnLine();
        } else if (policy_.Shutdown()) {
            break;
        }
    }
    holdingOffLine_ = false;
}

void TfrmData::SetOnLine()
{
    ctx_.gbOffLine = false;
    NotifyIfChanged();
}

void TfrmData::NotifyIfChanged()
{
    if (notifiedOffLine_ == ctx_.gbOffLine) return;
    notifiedOffLine_ = ctx_.gbOffLine;
    // Copied: an observer may disconnect itself.
    const auto observers = observers_;
    for (const auto& [id, observer] : observers) observer(ctx_.gbOffLine);
}

void TfrmData::CheckOffLine(const TDbError& aError)
{
    if (aError.kind == TDbErrorKind::ConnectionLost && !ctx_.gbOffLine) SetOffLine();
}

int TfrmData::ConnectOnLineChanged(TOnLineObserver aObserver)
{
    observers_[nextObserverId_] = std::move(aObserver);
    return nextObserverId_++;
}

void TfrmData::DisconnectOnLineChanged(int aId) { observers_.erase(aId); }

// ---------------------------------------------------------------------------
// Failure paths

void TfrmData::ReadFailed(const TDbError& aError)
{
    WriteLogFile(ctx_, aError.key, LogText(aError));
    CheckOffLine(aError);
}

void TfrmData::WriteFailed(const TDbError& aError)
{
    WriteLogFile(ctx_, aError.key, LogText(aError));
    CheckTransactionError(aError, dialogs_);
    CheckOffLine(aError);
    Rollback();
}

// ---------------------------------------------------------------------------
// Statements and transactions

const TBoundSql* TfrmData::BoundStatement(const std::string& aKey)
{
    if (const auto found = bound_.find(aKey); found != bound_.end()) return &found->second;
    if (!catalogue_.Contains(aKey)) return nullptr;
    return &bound_.emplace(aKey, RewriteParameters(catalogue_.GetSQL(aKey))).first->second;
}

TfrmData::TRunResult TfrmData::RunStatement(const std::string& aKey, const std::map<int, std::string>& aParams,
                                            bool aWantRows)
{
    const TBoundSql* sql = BoundStatement(aKey);
    if (sql == nullptr)
        return {nullptr, {TDbErrorKind::StatementMissing, aKey, {}, "statement " + aKey + " is not in the catalogue"}};
    return Run(aKey, *sql, aParams, aWantRows);
}

TDbError TfrmData::TransactionLostError(const std::string& aKey) const
{
    if (!txGeneration_) return {};
    const bool sameConnection = Connected() && *txGeneration_ == generation_;
    if (sameConnection && PQtransactionStatus(conn_.get()) != PQTRANS_IDLE) return {};
    return {TDbErrorKind::TransactionLost, aKey, {}, "the transaction was lost with the connection it was begun on"};
}

TfrmData::TRunResult TfrmData::Run(const std::string& aKey, const TBoundSql& aSql,
                                   const std::map<int, std::string>& aParams, bool aWantRows)
{
    if (TDbError lost = TransactionLostError(aKey)) return {nullptr, lost};
    if (!conn_) return {nullptr, {TDbErrorKind::ConnectionLost, aKey, {}, "not connected"}};

    std::vector<const char*> values;
    values.reserve(aSql.parameters.size());
    for (int index : aSql.parameters) {
        const auto found = aParams.find(index);
        values.push_back(found == aParams.end() || found->second.empty() ? nullptr : found->second.c_str());
    }
    PgResultHandle result(PQexecParams(conn_.get(), aSql.text.c_str(), static_cast<int>(values.size()), nullptr,
                                       values.data(), nullptr, nullptr, 0));
    const ExecStatusType status = result ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
    if (status == PGRES_TUPLES_OK || (status == PGRES_COMMAND_OK && !aWantRows)) return {std::move(result), {}};
    if (status == PGRES_EMPTY_QUERY)
        return {nullptr, {TDbErrorKind::StatementMissing, aKey, {}, "statement " + aKey + " is empty"}};
    if (status == PGRES_COMMAND_OK)
        return {nullptr, {TDbErrorKind::Other, aKey, {}, "statement " + aKey + " returned no rows"}};
    return {nullptr, ResultError(conn_.get(), result.get(), aKey)};
}

TDbError TfrmData::ExecBatch(const std::vector<TBatchStatement>& aStatements)
{
    const std::string firstKey = aStatements.empty() ? std::string("BATCH") : aStatements.front().key;
    if (TDbError lost = TransactionLostError(firstKey)) return lost;
    if (!conn_) return {TDbErrorKind::ConnectionLost, firstKey, {}, "not connected"};
    // Every statement is looked up before anything is sent.
    std::vector<const TBoundSql*> bound;
    for (const TBatchStatement& s : aStatements) {
        if (s.text != nullptr) {
            bound.push_back(nullptr);
            continue;
        }
        const TBoundSql* sql = BoundStatement(s.key);
        if (sql == nullptr) return {TDbErrorKind::StatementMissing, s.key, {}, "statement " + s.key + " is not in the catalogue"};
        bound.push_back(sql);
    }
    PGconn* conn = conn_.get();
    if (PQenterPipelineMode(conn) != 1) return ResultError(conn, nullptr, firstKey);
    TDbError error;
    for (std::size_t i = 0; i < aStatements.size() && !error; ++i) {
        int sent = 0;
        if (bound[i] == nullptr) {
            sent = PQsendQueryParams(conn, aStatements[i].text, 0, nullptr, nullptr, nullptr, nullptr, 0);
        } else {
            std::vector<const char*> values;
            for (int index : bound[i]->parameters) {
                const std::vector<std::string>* params = aStatements[i].params;
                const bool present = params != nullptr && index >= 0 && static_cast<std::size_t>(index) < params->size();
                values.push_back(present && !(*params)[static_cast<std::size_t>(index)].empty()
                                     ? (*params)[static_cast<std::size_t>(index)].c_str()
                                     : nullptr);
            }
            sent = PQsendQueryParams(conn, bound[i]->text.c_str(), static_cast<int>(values.size()), nullptr,
                                     values.data(), nullptr, nullptr, 0);
        }
        if (sent != 1) error = ResultError(conn, nullptr, aStatements[i].key);
    }
    if (PQpipelineSync(conn) != 1 && !error) error = ResultError(conn, nullptr, firstKey);
    // One result (and its end) per statement, then the sync; a statement
    // after a failure comes back as aborted.
    for (std::size_t i = 0; i < aStatements.size(); ++i) {
        PgResultHandle result(PQgetResult(conn));
        if (!result) break;  // the connection broke: nothing more comes
        const ExecStatusType status = PQresultStatus(result.get());
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK && status != PGRES_PIPELINE_ABORTED && !error)
            error = ResultError(conn, result.get(), aStatements[i].key.empty() ? firstKey : aStatements[i].key);
        while (PgResultHandle(PQgetResult(conn))) {
        }
    }
    for (PgResultHandle sync(PQgetResult(conn)); sync && PQresultStatus(sync.get()) != PGRES_PIPELINE_SYNC;
         sync.reset(PQgetResult(conn))) {
    }
    if (PQexitPipelineMode(conn) != 1 && !error) error = ResultError(conn, nullptr, firstKey);
    return error;
}

TDbError TfrmData::SimpleCommand(const char* aCommand, const std::string& aKey)
{
    if (!conn_) return {TDbErrorKind::ConnectionLost, aKey, {}, "not connected"};
    PgResultHandle result(PQexec(conn_.get(), aCommand));
    if (result && PQresultStatus(result.get()) == PGRES_COMMAND_OK) return {};
    return ResultError(conn_.get(), result.get(), aKey);
}

TDbError TfrmData::StartTransaction()
{
    if (txGeneration_) return {TDbErrorKind::Other, "BEGIN", {}, "a transaction is already open"};
    if (TDbError error = SimpleCommand("BEGIN ISOLATION LEVEL READ COMMITTED", "BEGIN")) return error;
    txGeneration_ = generation_;
    return {};
}

// Only an answer of COMMIT counts: a transaction that failed on the way is
// answered ROLLBACK, and then nothing of it was written.
TDbError TfrmData::Commit()
{
    if (!txGeneration_) return {TDbErrorKind::TransactionLost, "COMMIT", {}, "no transaction is open"};
    if (TDbError lost = TransactionLostError("COMMIT")) {
        txGeneration_.reset();
        return lost;
    }
    txGeneration_.reset();
    PgResultHandle result(PQexec(conn_.get(), "COMMIT"));
    if (!result || PQresultStatus(result.get()) != PGRES_COMMAND_OK) return ResultError(conn_.get(), result.get(), "COMMIT");
    if (std::string(PQcmdStatus(result.get())) != "COMMIT")
        return {TDbErrorKind::TransactionLost, "COMMIT", {}, "the server rolled the transaction back"};
    return {};
}

void TfrmData::Rollback()
{
    const bool ownConnection = txGeneration_ && *txGeneration_ == generation_ && Connected();
    txGeneration_.reset();
    if (ownConnection && PQtransactionStatus(conn_.get()) != PQTRANS_IDLE) PgResultHandle(PQexec(conn_.get(), "ROLLBACK"));
}

// ---------------------------------------------------------------------------
// Closing checks

std::optional<std::int64_t> TfrmData::ReadCount(const std::string& aKey, const std::vector<std::string>& aParams)
{
    TDbQuery query(*this);
    query.SetSQL(aKey);
    for (std::size_t i = 0; i < aParams.size(); ++i) query.SetParam(static_cast<int>(i), aParams[i]);
    if (!query.Open()) {
        ReadFailed(query.Error());
        return std::nullopt;
    }
    return query.Eof() ? 0 : query.AsInteger(0);
}

// Day close, then POS close; nullopt when a statement failed.
std::optional<bool> TfrmData::ReadClosedState(const std::string& aCloseDate, const std::string& aUpjangCode,
                                              const std::string& aPosNo, bool aShowMsg)
{
    const std::optional<std::int64_t> dayClosed = ReadCount("IZD000-CheckClosed-1", {aCloseDate, aUpjangCode});
    if (!dayClosed) return std::nullopt;
    if (*dayClosed > 0) {
        if (aShowMsg) dialogs_.ErrBox(kMsgDayClosed, true);
        return true;
    }
    const std::optional<std::int64_t> posClosed = ReadCount("IZD000-CheckClosed-2", {aCloseDate, aUpjangCode, aPosNo});
    if (!posClosed) return std::nullopt;
    if (*posClosed > 0) {
        if (aShowMsg) dialogs_.ErrBox(kMsgPosClosed, true);
        return true;
    }
    return false;
}

// A closing statement that fails while the terminal stays on line leaves the
// state unknown; CheckClosed takes it as closed, so that no sale goes into a
// day or POS that may have been closed. A failure that took the terminal off
// line leaves the decision to the off-line path.
bool TfrmData::CheckClosed(const std::string& aCloseDate, const std::string& aUpjangCode, const std::string& aPosNo,
                           bool aShowMsg)
{
    return ClosedState(aCloseDate, aUpjangCode, aPosNo, aShowMsg) != TClosedState::Open;
}

TClosedState TfrmData::ClosedState(const std::string& aCloseDate, const std::string& aUpjangCode,
                                   const std::string& aPosNo, bool aShowMsg)
{
    if (!ConnectDB(true, false)) return TClosedState::Open;
    const std::optional<bool> closed = ReadClosedState(aCloseDate, aUpjangCode, aPosNo, aShowMsg);
    if (ctx_.gbOffLine) return TClosedState::Open;
    CheckProgramVersion();
    if (!closed.has_value()) {
        if (aShowMsg) dialogs_.ErrBox(kMsgCloseUnknown, true);
        return TClosedState::Unknown;
    }
    return *closed ? TClosedState::Closed : TClosedState::Open;
}

void TfrmData::CheckProgramVersion()
{
    TDbQuery query(*this);
    query.SetSQL("IZD000-CheckClosed-3");
    if (!query.Open()) {
        ReadFailed(query.Error());
        return;
    }
    const std::string serverVersion = query.Eof() ? std::string() : query.AsString(0);
    ctx_.gbOldVersion = !serverVersion.empty() && CompareVersions(programVersion_, serverVersion) < 0;
    if (ctx_.gbOldVersion) dialogs_.ErrBox(kMsgOldVersion, true, 1);
}

// True when the cashier has no open shift on this POS for the day.
bool TfrmData::CheckEmpClose()
{
    if (!ConnectDB(true, false)) return false;
    TDbQuery query(*this);
    query.SetSQL("IZD000-CheckEmpClosed");
    query.SetParam(0, ctx_.gsToday);
    query.SetParam(1, ctx_.gsMasterUpjangCode);
    query.SetParam(2, ctx_.gsMasterPosNo);
    query.SetParam(3, ctx_.gsCashier);
    if (!query.Open()) {
        ReadFailed(query.Error());
        return false;
    }
    return query.Eof() || query.IsNull(0);
}

}  // namespace pos
