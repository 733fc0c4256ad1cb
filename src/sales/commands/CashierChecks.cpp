#include "sales/commands/CashierChecks.h"

#include "core/TextHelpers.h"
#include "db/DataModule.h"
#include "db/DbQuery.h"
#include "db/DbWork.h"

namespace pos {

std::string CheckNotCloseCashier(TfrmData& aData)
{
    if (!aData.ConnectDB(true, false)) return {};
    const TTerminalContext& ctx = aData.Context();
    TDbWork read(aData, TDbWork::Read);
    TDbQuery query(aData);
    query.SetSQL("IAI010-CheckNotCloseCashier");
    query.SetParam(0, ctx.gsSaleDate);
    query.SetParam(1, ctx.gsMasterUpjangCode);
    query.SetParam(2, ctx.gsMasterPosNo);
    if (!query.Open()) {
        read.Fail(query.Error());
        return {};
    }
    if (query.Eof() || query.IsNull(0)) return {};
    return query.AsString(1) + "(" + CopyStr(query.AsString(0), 1, 6) + ")";
}

}  // namespace pos
