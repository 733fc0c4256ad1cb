#include "sales/recording/BillNumbers.h"

#include "core/DialogService.h"
#include "core/IniFile.h"
#include "core/TerminalContext.h"
#include "core/TextHelpers.h"
#include "db/DataModule.h"
#include "db/DayLog.h"
#include "db/DbQuery.h"
#include "db/DbWork.h"

#include <cstdio>

namespace pos {

std::string FormatBillNo(std::int64_t aBillNo)
{
    char buf[24];
    std::snprintf(buf, sizeof buf, "%04lld", static_cast<long long>(aBillNo));
    return buf;
}

std::filesystem::path TBillNumbers::Path() const { return std::filesystem::path(ctx_.gsFolder) / kBillNoFile; }

std::int64_t TBillNumbers::NextOf(const std::string& aDate) const
{
    const std::int64_t next = IniFile::load(Path()).readInteger(ctx_.gsMasterUpjangCode, aDate, 1);
    return next < 1 ? 1 : next;
}

void TBillNumbers::Load()
{
    ctx_.giBillNo = NextOf(ctx_.gbPreSale ? ctx_.gsToday : ctx_.gsSaleDate);
    ctx_.gsBillNo = FormatBillNo(ctx_.giBillNo);
    if (ctx_.gbPreSale) ctx_.gsPreBillNo = FormatBillNo(NextOf(ctx_.gsSaleDate));
}

bool TBillNumbers::store(const std::string& aDate, std::int64_t aNext)
{
    IniFile file = IniFile::load(Path());
    file.writeInteger(ctx_.gsMasterUpjangCode, aDate, aNext);
    std::string error;
    if (file.save(Path(), TFileAccess::OwnerOnly, &error)) return true;
    WriteLogFile(ctx_, "IAI010-SaveBillNo", error);
    dialogs_.ErrBox(kMsgBillNoNotSaved, true);
    return false;
}

bool TBillNumbers::TakeCurrent()
{
    if (!ctx_.gbPreSale) return store(ctx_.gsSaleDate, ctx_.giBillNo + 1);
    return store(ctx_.gsToday, ctx_.giBillNo + 1) &&
           store(ctx_.gsSaleDate, StringToInteger(ctx_.gsPreBillNo) + 1);
}

bool TBillNumbers::Advance()
{
    if (!TakeCurrent()) return false;
    Load();
    return true;
}

// The server's number is taken in one step, not climbed to one by one: the
// numbers in between are the server's already.
bool TBillNumbers::CatchUpWithServer(TfrmData& aData)
{
    const std::string date = ctx_.gbPreSale ? ctx_.gsToday : ctx_.gsSaleDate;
    TDbWork read(aData, TDbWork::Read);
    TDbQuery query(aData);
    query.SetSQL("IAI010-CheckMaxBillNo");
    query.SetParam(0, date);
    query.SetParam(1, ctx_.gsMasterUpjangCode);
    query.SetParam(2, ctx_.gsMasterPosNo);
    if (!query.Open()) {
        read.Fail(query.Error());
        return true;
    }
    const std::int64_t expected = query.Eof() ? 0 : query.AsInteger(0);
    read.Commit();
    if (expected <= ctx_.giBillNo) return true;
    if (!store(date, expected)) return false;
    Load();
    return true;
}

}  // namespace pos
