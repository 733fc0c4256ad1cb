#include "closing/CloseRecorder.h"

#include "core/DialogService.h"
#include "db/DataModule.h"
#include "db/DbQuery.h"
#include "db/DbWork.h"

#include <initializer_list>

namespace pos {
namespace {

// A statement of the close with P0 date, P1 outlet, P2 POS and the further
// parameters from P3 on.
void Prepare(TDbQuery& aQuery, const TTerminalContext& ctx, const char* aKey, const std::string& aCloseDate,
             std::initializer_list<std::string> aFurther)
{
    aQuery.SetSQL(aKey);
    aQuery.SetParam(0, aCloseDate);
    aQuery.SetParam(1, ctx.gsMasterUpjangCode);
    aQuery.SetParam(2, ctx.gsMasterPosNo);
    int index = 3;
    for (const std::string& value : aFurther) aQuery.SetParam(index++, value);
}

// The first column of the first row as a close number; 0 when there is none.
int NumberOf(const TDbQuery& aQuery)
{
    return aQuery.Eof() ? 0 : static_cast<int>(aQuery.AsInteger(0));
}

TDbError RefusedBy(const std::string& aKey, const std::string& aMessage)
{
    return {TDbErrorKind::Other, aKey, "", aMessage};
}

}  // namespace

void TCloseRecorder::failed(const char* aMessage)
{
    dialogs_.ErrBox(aMessage, true);
}

// The cashier event of a float or deposit, after its own record, in one
// transaction; a float opens the cashier's shift when it has none yet.
bool TCloseRecorder::recordCashEvent(const std::string& aCloseDate, const std::string& aCashier, const char* aKind,
                                     Currency aAmount, const char* aKey)
{
    const std::string& ip = data_.Context().gsIP;
    TDbWork work(data_);
    if (!work.Active()) return false;
    TDbQuery query(data_);
    if (std::string(aKind) == "S") {
        Prepare(query, data_.Context(), "IAH010-SaveLoginInfo-2", aCloseDate, {aCashier});
        if (!query.Open()) return work.Fail(query.Error()), false;
        const bool noShift = query.Eof() || query.IsNull(0);
        if (noShift) {
            Prepare(query, data_.Context(), "IAH010-SaveLoginInfo-3", aCloseDate, {aCashier, ip});
            if (!query.ExecSQL()) return work.Fail(query.Error()), false;
        }
    }
    Prepare(query, data_.Context(), aKey, aCloseDate, {aCashier, aAmount.toText(), ip});
    if (!query.ExecSQL()) return work.Fail(query.Error()), false;
    Prepare(query, data_.Context(), "IAH010-SaveLoginInfo-4", aCloseDate, {aCashier, aKind, aAmount.toText(), ip});
    if (!query.ExecSQL()) return work.Fail(query.Error()), false;
    return work.Commit();
}

bool TCloseRecorder::SaveOpenData(const std::string& aCloseDate, Currency aAmount)
{
    const bool saved = data_.ConnectDB(true, false) &&
                       recordCashEvent(aCloseDate, data_.Context().gsCashier, "S", aAmount, "IEB010-SaveOpenData");
    if (!saved) failed(kMsgFloatNotSaved);
    return saved;
}

bool TCloseRecorder::SaveIpgumData(const std::string& aCloseDate, Currency aSum)
{
    const bool saved = data_.ConnectDB(true, false) &&
                       recordCashEvent(aCloseDate, data_.Context().gsCashier, "I", aSum, "IEB010-SaveIpgumData");
    if (!saved) failed(kMsgDepositNotSaved);
    return saved;
}

int TCloseRecorder::SaveCloseData(const std::string& aCloseDate, const std::string& aCashier,
                                  const TCloseFigures& aFigures)
{
    const std::string cashier = aCashier.empty() ? data_.Context().gsCashier : aCashier;
    const std::string& ip = data_.Context().gsIP;
    int closeNo = 0;
    if (data_.ConnectDB(true, false)) {
        TDbWork work(data_);
        TDbQuery query(data_);
        const auto step = [&](const char* aKey, std::initializer_list<std::string> aFurther, bool aRows) {
            Prepare(query, data_.Context(), aKey, aCloseDate, aFurther);
            if (aRows ? query.Open() : query.ExecSQL()) return true;
            work.Fail(query.Error());
            return false;
        };
        if (work.Active() &&
            step("IEB010-SaveCloseData-1", {cashier, aFigures.CashSales().toText(), aFigures.salesTotal.toText(), ip},
                 false) &&
            step("IAH010-SaveLoginInfo-4", {cashier, "C", aFigures.salesTotal.toText(), ip}, false) &&
            step("IEB010-SaveCloseData-2", {cashier}, true)) {
            const int number = NumberOf(query);
            if (number <= 0)
                work.Fail(RefusedBy("IEB010-SaveCloseData-2", "no close number"));
            else if (work.Commit())
                closeNo = number;
        }
    }
    if (closeNo == 0) failed(kMsgCloseNotSaved);
    return closeNo;
}

// The pre-sale cashier's sales of the date are closed under their own
// number before the POS: a shift is made for them when they have none.
bool TCloseRecorder::closePreSaleCashier(const std::string& aCloseDate)
{
    const std::string& preSale = data_.Context().gsCashierPreSale;
    {
        TDbWork work(data_);
        TDbQuery query(data_);
        if (work.Active()) {
            Prepare(query, data_.Context(), "IEB010-SavePosCloseData-6", aCloseDate, {preSale});
            if (!query.Open()) {
                work.Fail(query.Error());
            } else {
                const bool noShift = query.Eof() || query.IsNull(0);
                Prepare(query, data_.Context(), "IAH010-SaveLoginInfo-3", aCloseDate, {preSale, data_.Context().gsIP});
                if (noShift && !query.ExecSQL())
                    work.Fail(query.Error());
                else
                    work.Commit();  // a shift that could not be made still lets the close try
            }
        }
    }
    const TCloseRead read = ReadCloseData(data_, {aCloseDate, preSale, true});
    if (!read.Complete()) {
        dialogs_.ErrBox(UnreadFiguresMessage(read.unread, true), true);
        return false;
    }
    return SaveCloseData(aCloseDate, preSale, read.figures) > 0;
}

// The POS close record, the day-end of each outlet and the number, in one
// transaction.
int TCloseRecorder::closePos(const std::string& aCloseDate, const std::vector<std::string>& aUpjangCodes)
{
    const TTerminalContext& ctx = data_.Context();
    TDbWork work(data_);
    if (!work.Active()) return 0;
    TDbQuery query(data_);
    Prepare(query, data_.Context(), "IEB010-SavePosCloseData-1", aCloseDate, {});
    if (!query.Open()) return work.Fail(query.Error()), 0;
    const char* record = NumberOf(query) == 0 ? "IEB010-SavePosCloseData-2" : "IEB010-SavePosCloseData-3";
    Prepare(query, data_.Context(), record, aCloseDate, {ctx.gsCashier, ctx.gsIP});
    if (!query.ExecSQL()) return work.Fail(query.Error()), 0;

    TDbStoredProc& dayEnd = data_.dbpProcClose;
    for (const std::string& upjang : aUpjangCodes) {
        dayEnd.ClearParams();
        dayEnd.SetParam("ASALE_DATE", aCloseDate);
        dayEnd.SetParam("AUPJANG_CODE", upjang);
        dayEnd.SetParam("AU_EMP_NO", ctx.gsCashier);
        dayEnd.SetParam("AU_IP", ctx.gsIP);
        dayEnd.SetParam("AEDITSTATUS", "2");
        if (!dayEnd.ExecProc()) return work.Fail(dayEnd.Error()), 0;
        // A day-end that answers with an error did not do its work.
        const std::string error = dayEnd.Output("AERROR_MSG");
        if (!error.empty()) return work.Fail(RefusedBy(dayEnd.Name(), upjang + ": " + error)), 0;
    }

    Prepare(query, data_.Context(), "IEB010-SavePosCloseData-4", aCloseDate, {});
    if (!query.Open()) return work.Fail(query.Error()), 0;
    const int number = NumberOf(query);
    if (number <= 0) return work.Fail(RefusedBy("IEB010-SavePosCloseData-4", "no close number")), 0;
    return work.Commit() ? number : 0;
}

int TCloseRecorder::SavePosCloseData(const std::string& aCloseDate, const std::vector<std::string>& aUpjangCodes,
                                     TCloseRead& aRead)
{
    if (!data_.ConnectDB(true, false)) return failed(kMsgCloseNotSaved), 0;
    bool preSaleSold = false;
    {
        TDbWork read(data_, TDbWork::Read);
        TDbQuery query(data_);
        Prepare(query, data_.Context(), "IEB010-SavePosCloseData-5", aCloseDate, {data_.Context().gsCashierPreSale});
        if (!query.Open()) {
            read.Fail(query.Error());
            return failed(kMsgCloseNotSaved), 0;
        }
        preSaleSold = !query.Eof() && !query.IsNull(0);
    }
    // Every cashier is closed before the POS, the pre-sale cashier too.
    if (preSaleSold && !closePreSaleCashier(aCloseDate)) return 0;

    // The report's figures are read before anything is recorded, so a POS
    // close never stands with a report that left figures out.
    aRead = ReadCloseData(data_, {aCloseDate, "", true});
    if (!aRead.Complete()) {
        dialogs_.ErrBox(UnreadFiguresMessage(aRead.unread, true), true);
        return 0;
    }
    const int closeNo = closePos(aCloseDate, aUpjangCodes);
    if (closeNo == 0) failed(kMsgCloseNotSaved);
    return closeNo;
}

}  // namespace pos
