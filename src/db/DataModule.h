#pragma once
// The data module: the terminal's one connection to the central database,
// its query objects and stored procedures, the credentials, and the on-line /
// off-line state of the terminal (gbOffLine of the terminal context).
//
// One explicit read-committed transaction at a time. Every (re)connection
// gets a new generation number; a transaction remembers the generation it was
// begun on, so work written after a reconnection can never slip into a new
// transaction and be committed without the half written before it.
//
// State changes are announced to observers (the sale screen connects its
// Qt signal here); questions and messages go through the dialog service.

#include "core/DialogService.h"
#include "core/TerminalContext.h"
#include "db/Catalogue.h"
#include "db/DbConnection.h"
#include "db/DbError.h"
#include "db/DbQuery.h"
#include "db/OffLinePolicy.h"
#include "db/SqlParams.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace pos {

// The closing state of a business day and POS as the closing checks read it.
// Unknown: a closing statement failed while the terminal stayed on line.
enum class TClosedState { Open, Closed, Unknown };
inline constexpr const char* kMsgCloseUnknown = "마감 여부를 확인할 수 없습니다.\r전산팀에 문의하십시오.";

// Numeric comparison of "major.minor.release.build" texts: <0, 0, >0.
// Missing or unreadable parts count as 0.
int CompareVersions(const std::string& aLeft, const std::string& aRight);

class TfrmData {
public:
    using TOnLineObserver = std::function<void(bool aOffLine)>;

    TfrmData(TTerminalContext& aContext, const TSqlCatalogue& aCatalogue, DialogService& aDialogs,
             TOffLinePolicy& aPolicy);
    ~TfrmData();
    TfrmData(const TfrmData&) = delete;
    TfrmData& operator=(const TfrmData&) = delete;

    // Credentials: server and database from the context (gsServerIP,
    // gsServerDB), the port from "Port" of section "MAIN" of "POSIP.ini"
    // (5432 when missing), user = the first program argument, password from
    // "ZoUpdate.ini" (GetDBPassword), TLS from "SSLMode" and "SSLRootCert"
    // of section "MAIN" (ReadDbTls). Without a user: the missing-user
    // message and false (the program ends).
    bool DataModuleCreate(const std::string& aDbUser);
    void SetTimeouts(const TDbTimeouts& aTimeouts) { timeouts_ = aTimeouts; }
    // The program's version compared by CheckClosed (GetVersion() unless set).
    void SetProgramVersion(std::string aVersion) { programVersion_ = std::move(aVersion); }
    const TDbLogin& Login() const { return login_; }

    // Makes sure the connection is usable; see the .cpp.
    bool ConnectDB(bool aShowMsg, bool aTryOnOffLine);
    bool DisconnectDB();
    void SetOffLine();
    void SetOnLine();
    // Every failed statement comes here: a lost connection goes off line.
    void CheckOffLine(const TDbError& aError);

    // True when the day or the POS is closed, or when that could not be read
    // on line (ClosedState tells the two apart).
    bool CheckClosed(const std::string& aCloseDate, const std::string& aUpjangCode, const std::string& aPosNo,
                     bool aShowMsg);
    TClosedState ClosedState(const std::string& aCloseDate, const std::string& aUpjangCode, const std::string& aPosNo,
                             bool aShowMsg);
    bool CheckEmpClose();

    // Transactions. Rollback is safe at any time: after a lost connection
    // it only forgets the transaction.
    [[nodiscard]] TDbError StartTransaction();
    [[nodiscard]] TDbError Commit();
    void Rollback();
    bool InTransaction() const { return txGeneration_.has_value(); }

    // Statements sent together in one round trip (libpq's pipeline mode),
    // each a catalogue key with its parameters P0 .. Pn by position; a
    // statement given as text (aKey empty, aText set) is sent as it stands.
    // The first failure is returned; the server skips the statements after
    // it. For writes whose results nobody reads (see TDbWork::Batch).
    struct TBatchStatement {
        std::string key;
        const std::vector<std::string>* params = nullptr;
        const char* text = nullptr;
    };
    [[nodiscard]] TDbError ExecBatch(const std::vector<TBatchStatement>& aStatements);

    // The failure paths of a reader and of a writer: log under the key
    // (SQLSTATE and primary message only), then CheckOffLine; a writer also
    // reports a lost transaction and rolls back.
    void ReadFailed(const TDbError& aError);
    void WriteFailed(const TDbError& aError);

    // On-line state observers; the id removes one again.
    int ConnectOnLineChanged(TOnLineObserver aObserver);
    void DisconnectOnLineChanged(int aId);

    bool Connected() const;
    std::uint64_t Generation() const { return generation_; }
    int BackendPID() const;

    TTerminalContext& Context() { return ctx_; }
    DialogService& Dialogs() { return dialogs_; }

    TDbQuery qryQuery{*this}, qryQuery2{*this}, qryQuery3{*this}, qryQueryPDA{*this}, qryQueryDown{*this};
    TDbStoredProc dbpProcDC, dbpProcClose, dbpProcRoom;

private:
    friend class TDbQuery;
    friend class TDbStoredProc;

    struct TRunResult {
        PgResultHandle result;
        TDbError error;
    };
    // Runs catalogue statement aKey / ready text aSql with parameters by P
    // number; aWantRows asks for a result set.
    TRunResult RunStatement(const std::string& aKey, const std::map<int, std::string>& aParams, bool aWantRows);
    TRunResult Run(const std::string& aKey, const TBoundSql& aSql, const std::map<int, std::string>& aParams,
                   bool aWantRows);
    const TBoundSql* BoundStatement(const std::string& aKey);
    TDbError TransactionLostError(const std::string& aKey) const;
    TDbError SimpleCommand(const char* aCommand, const std::string& aKey);

    bool TryConnect(bool aShowMsg);
    void HoldUntilOnLine();
    void NotifyIfChanged();
    // The first column of the first row of aKey as a count; nullopt when the
    // statement failed (already logged and checked).
    std::optional<std::int64_t> ReadCount(const std::string& aKey, const std::vector<std::string>& aParams);
    std::optional<bool> ReadClosedState(const std::string& aCloseDate, const std::string& aUpjangCode,
                                        const std::string& aPosNo, bool aShowMsg);
    void CheckProgramVersion();

    TTerminalContext& ctx_;
    const TSqlCatalogue& catalogue_;
    DialogService& dialogs_;
    TOffLinePolicy& policy_;
    TDbLogin login_;
    TDbTimeouts timeouts_;
    std::string programVersion_;

    PgConnHandle conn_;
    std::uint64_t generation_ = 0;
    std::optional<std::uint64_t> txGeneration_;
    std::unordered_map<std::string, TBoundSql> bound_;

    std::map<int, TOnLineObserver> observers_;
    int nextObserverId_ = 1;
    bool notifiedOffLine_ = false;
    bool holdingOffLine_ = false;
};

}  // namespace pos
