#include "db/DbError.h"

#include "core/DialogService.h"
#include "core/IdentityNumbers.h"

namespace pos {

TDbErrorKind ClassifySqlState(const std::string& aSqlState, bool aConnectionDead)
{
    if (aSqlState.rfind("08", 0) == 0 || aSqlState == "57P01" || aSqlState == "57P02" || aSqlState == "57P03")
        return TDbErrorKind::ConnectionLost;
    // A FATAL error of any other class also ends the session.
    if (aConnectionDead) return TDbErrorKind::ConnectionLost;
    if (aSqlState == "53300") return TDbErrorKind::TooManyConnections;
    if (aSqlState == "28P01" || aSqlState == "28000") return TDbErrorKind::AuthenticationFailed;
    if (aSqlState == "25P01") return TDbErrorKind::TransactionLost;
    return TDbErrorKind::Other;
}

std::string LogText(const TDbError& aError)
{
    // A server's primary message can quote the value it refused, and that
    // value can be a card or resident number.
    if (aError.sqlState.empty()) return MaskNumbersForLog(aError.message);
    return MaskNumbersForLog("[" + aError.sqlState + "] " + aError.message);
}

bool CheckTransactionError(const TDbError& aError, DialogService& aDialogs)
{
    if (aError.kind != TDbErrorKind::TransactionLost) return false;
    aDialogs.ErrBox("데이터 베이스에 치명적인 문제가 발생했습니다.\r현재 작업을 취소하고 시스템을 껏다 켜십시오.", true);
    return true;
}

}  // namespace pos
