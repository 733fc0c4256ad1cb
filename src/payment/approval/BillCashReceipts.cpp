#include "payment/approval/BillCashReceipts.h"

namespace pos {

TCashApprovalRequest BillCashRequest(const TBillKey& aBill, const TCashRequest& aRequest, bool aLive,
                                     std::string aTerminalId)
{
    TCashApprovalRequest r;
    r.Live = aLive;
    r.Approve = aRequest.Approval;
    r.SaleDate = aBill.SaleDate;
    r.UpjangCode = aBill.UpjangCode;
    r.PosNo = aBill.PosNo;
    r.BillNo = aBill.BillNo;
    r.Individual = aRequest.Individual;
    r.Identity = aRequest.Identity;
    r.Amount = aRequest.Amount.truncWon();
    r.TerminalID = std::move(aTerminalId);
    return r;
}

}  // namespace pos
