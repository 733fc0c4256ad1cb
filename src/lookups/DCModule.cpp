// The server's discount work area of this POS: a member is registered for
// the bill by PR_IAI010_01 and everything registered is cleared again with
// the bill.

#include "lookups/Lookups.h"

#include "db/DbWork.h"

namespace pos {
namespace {

const char* const kMsgCantSale = "현재 회원에게는 판매를 할 수 없습니다.\r사무실에 문의하십시오.";
const char* const kMsgDCModuleFailed = "우대할인 정보를 불러오지 못했습니다.\r전산팀에 문의하십시오.";

}  // namespace

bool TLookups::CallDCModule(const std::string& aMemberNo, bool aKeyIn, bool aProcCall)
{
    if (!aProcCall) return true;
    ctx().gbCantSale = false;
    if (!connect()) {
        dialogs().ErrBox(kMsgDCModuleFailed, true);
        return false;
    }

    std::string remarks, canSale;
    {
        TDbWork work(data_);
        bool done = work.Active();
        if (done) {
            TDbStoredProc& proc = data_.dbpProcDC;
            proc.ClearParams();
            proc.SetParam("ASALE_DATE", ctx().gsSaleDate);
            proc.SetParam("AUPJANG_CODE", ctx().gsMasterUpjangCode);
            proc.SetParam("APOS_NO", ctx().gsMasterPosNo);
            proc.SetParam("AMEMBER_NO", aMemberNo);
            proc.SetParam("ASALE_YN", ctx().giSaleGubun == 0 ? "Y" : "N");
            proc.SetParam("AKEYIN_YN", aKeyIn ? "Y" : "N");
            if (proc.ExecProc()) {
                remarks = proc.Output("AREMARKS");
                canSale = proc.Output("ACAN_SALE_YN");
                done = work.Commit();
            } else {
                work.Fail(proc.Error());
                done = false;
            }
        }
        // The registration is committed (or given back) before any message
        // box: nothing stays locked while the cashier reads.
        if (!done) {
            dialogs().ErrBox(kMsgDCModuleFailed, true);
            return false;
        }
    }

    if (!remarks.empty()) dialogs().ErrBox(remarks, true);
    if (canSale == "N") {
        dialogs().ErrBox(kMsgCantSale, true);
        ctx().gbCantSale = true;
        return false;
    }
    return true;
}

// Inside a bill's transaction the clearing becomes part of that bill's work
// and is committed or rolled back with it; it never commits the bill.
bool TLookups::ClearDCModule()
{
    if (!connect()) return false;
    TDbWork work(data_);
    if (!work.Active()) return false;
    for (const char* key : {"IZD000-ClearDCModule-1", "IZD000-ClearDCModule-2"}) {
        TDbQuery query(data_);
        query.SetSQL(key);
        query.SetParam(0, ctx().gsMasterUpjangCode);
        query.SetParam(1, ctx().gsMasterPosNo);
        if (!query.ExecSQL()) {
            work.Fail(query.Error());
            return false;
        }
    }
    return work.Commit();
}

}  // namespace pos
