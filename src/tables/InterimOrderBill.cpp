#include "tables/InterimOrderBill.h"

#include "core/DateHelpers.h"
#include "core/TerminalContext.h"
#include "db/DataModule.h"
#include "db/DbQuery.h"
#include "db/DbWork.h"
#include "sales/printing/DeviceBillPrinter.h"
#include "sales/tables/TableBills.h"

namespace pos {
namespace {

bool open(TDbWork& aWork, TDbQuery& aQuery, const char* aKey, const std::vector<std::string>& aParams)
{
    aQuery.SetSQL(aKey);
    for (std::size_t i = 0; i < aParams.size(); ++i) aQuery.SetParam(static_cast<int>(i), aParams[i]);
    if (aQuery.Open()) return true;
    aWork.Fail(aQuery.Error());
    return false;
}

}  // namespace

std::optional<TTableBill> ReadTableBill(TfrmData& aData, int aTableNo)
{
    const TTerminalContext& ctx = aData.Context();
    const std::string table = std::to_string(aTableNo);
    TDbWork work(aData, TDbWork::Read);
    TDbQuery query(aData);
    if (!work.Active() || !open(work, query, "IAI010-LoadTableData-1", {ctx.gsSaleDate, ctx.gsMasterUpjangCode, table}))
        return std::nullopt;
    if (query.Eof() || query.IsNull(0)) return std::nullopt;
    TTableBill bill;
    bill.noSvc = query.AsString(4) == "Y";
    bill.noVat = query.AsString(5) == "Y";
    if (!open(work, query, "IAI010-LoadTableData-2",
              {ctx.gsSaleDate, ctx.gsMasterUpjangCode, table, ctx.gsMasterPosNo}))
        return std::nullopt;
    for (; !query.Eof(); query.Next()) bill.lines.push_back(StoredTableLine(query));
    work.Commit();
    return bill;
}

TPrintPlan InterimOrderBill(const TTerminalContext& aContext, TPrinters aPrinters, int aTableNo,
                            const TTableBill& aBill, const std::string& aTime)
{
    // The composer prints an order bill for what the kitchen has not been
    // told of: handing it every line as new and none as a kitchen line gives
    // the whole bill and no kitchen slip.
    TTableBill whole;
    whole.noSvc = aBill.noSvc;
    whole.noVat = aBill.noVat;
    for (TSaleList line : aBill.lines) {
        line.OldSaleCount = 0;
        line.KitchenPrtYN = false;
        whole.lines.push_back(std::move(line));
    }
    TTerminalContext context = aContext;
    context.giTableNo = aTableNo;
    return PrintOrderBill(context, aPrinters, whole, aTime).plan;
}

void TDeviceOrderBillPrinter::PrintOrderBill(int aTableNo)
{
    const TPrinters printers = devices_.Printers();
    if (!printers.Is1(TPrinterType::ptTSP600) && !printers.Is1(TPrinterType::ptTSP800)) return;
    if (!data_.ConnectDB(true, false)) return;
    const std::optional<TTableBill> bill = ReadTableBill(data_, aTableNo);
    if (!bill) return;
    const TPrintPlan plan = InterimOrderBill(data_.Context(), printers, aTableNo, *bill, GetSysTime());
    if (!plan.empty()) RunPrintPlan(plan, data_.Context(), devices_, tickets_, dialogs_, TPlanKind::Report);
}

}  // namespace pos
