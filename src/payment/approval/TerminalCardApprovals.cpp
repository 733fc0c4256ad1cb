#include "payment/approval/TerminalCardApprovals.h"

#include "core/TerminalContext.h"
#include "db/DayLog.h"

#include <QEventLoop>

#include <optional>

namespace pos {
namespace {

constexpr const char* kLogApproval = "ICI010-ExecCard";
constexpr const char* kBusyCode = "BUSY";
constexpr const char* kBusyMessage = "이전 승인 요청이 끝나지 않았습니다.";

}  // namespace

TApprovalOutcome ScreenOutcome(TCardOutcome aOutcome)
{
    switch (aOutcome) {
    case TCardOutcome::Approved: return TApprovalOutcome::Approved;
    case TCardOutcome::Uncertain: return TApprovalOutcome::Uncertain;
    case TCardOutcome::Refused: break;
    }
    return TApprovalOutcome::Refused;
}

TDriverCardRequest TTerminalCardApprovals::DriverRequest(const TCardRequest& aRequest) const
{
    TDriverCardRequest r;
    r.Live = !ctx_.gbTestMode;
    r.Approve = aRequest.Approval;
    r.Today = ctx_.gsToday;
    r.UpjangCode = ctx_.gsMasterUpjangCode;
    r.PosNo = ctx_.gsMasterPosNo;
    r.BillNo = ctx_.giBillNo;
    r.CardData = aRequest.CardData;
    r.KeyIn = aRequest.KeyIn;
    r.Amount = aRequest.Amount.truncWon();
    r.HalbuMonth = aRequest.HalbuMonth;
    r.SaleDate = ctx_.gsSaleDate;
    r.OrgAgreeNo = aRequest.OrgAgreeNo;
    r.TerminalID = terminalId_();
    r.SignPadType = ctx_.gbSignPadType;
    r.SignPadPort = ctx_.giSignPadPort;
    return r;
}

TDriverCashRequest TTerminalCardApprovals::DriverRequest(const TCashRequest& aRequest) const
{
    TDriverCashRequest r;
    r.Live = !ctx_.gbTestMode;
    r.Approve = aRequest.Approval;
    r.SaleDate = ctx_.gsSaleDate;
    r.UpjangCode = ctx_.gsMasterUpjangCode;
    r.PosNo = ctx_.gsMasterPosNo;
    r.BillNo = ctx_.giBillNo;
    r.Individual = aRequest.Individual;
    r.Identity = aRequest.Identity;
    r.Amount = aRequest.Amount.truncWon();
    r.TerminalID = terminalId_();
    return r;
}

template <class Result, class Work>
Result TTerminalCardApprovals::await(Work aWork)
{
    std::optional<Result> result;
    QEventLoop loop;
    const bool started = runner_.Run(std::move(aWork), [&](Result aResult) {
        result = std::move(aResult);
        loop.quit();
    });
    if (!started) {
        Result busy;
        busy.ErrCode = kBusyCode;
        busy.Message = kBusyMessage;
        return busy;
    }
    if (!result) loop.exec();
    if (!result->JournalProblem.empty()) WriteLogFile(ctx_, kLogApproval, result->JournalProblem);
    return std::move(*result);
}

TCardAnswer TTerminalCardApprovals::card(const TCardRequest& aRequest)
{
    const TDriverCardRequest request = DriverRequest(aRequest);
    const TCardApprovalResult result =
        await<TCardApprovalResult>([this, request] { return channels_.ApproveCard(request); });
    TCardAnswer answer;
    answer.Outcome = ScreenOutcome(result.Outcome);
    answer.ErrCode = result.ErrCode;
    answer.Message = result.Message;
    answer.DedicatedLine = result.Channel == TApprovalChannel::CardServer;
    TPayCardList& line = answer.Line;
    line.AgreeNo = result.AgreeNo;
    line.AgreeDate = result.AgreeDate;
    line.CompanyCode = result.CompCode;
    line.CompanyName = result.CompName;
    line.BankCode = result.IssueCode;
    line.BankName = result.IssueName;
    line.CardJoinNo = result.JoinNo;
    // Over the dedicated line the customer signs the paper slip instead.
    line.SignYN = !answer.DedicatedLine && ctx_.giSignPadPort > 0;
    return answer;
}

TReversalAnswer TTerminalCardApprovals::Reverse(const TJournalEntry& aEntry)
{
    const TReversalContext context{!ctx_.gbTestMode, ctx_.gsToday, ctx_.gbSignPadType, ctx_.giSignPadPort};
    if (aEntry.Kind == TJournalKind::Cash)
        return ReversalAnswerOf(
            await<TCashApprovalResult>([this, aEntry, context] { return channels_.ReverseCash(aEntry, context); }));
    return ReversalAnswerOf(
        await<TCardApprovalResult>([this, aEntry, context] { return channels_.ReverseCard(aEntry, context); }));
}

TCashApprovalResult TTerminalCardApprovals::ApproveBillCash(const TBillKey& aBill, const TCashRequest& aRequest)
{
    const TCashApprovalRequest request = BillCashRequest(aBill, aRequest, !ctx_.gbTestMode, terminalId_());
    return await<TCashApprovalResult>([this, request] { return channels_.ApproveCash(request); });
}

TCashAnswer TTerminalCardApprovals::cash(const TCashRequest& aRequest)
{
    const TDriverCashRequest request = DriverRequest(aRequest);
    const TCashApprovalResult result =
        await<TCashApprovalResult>([this, request] { return channels_.ApproveCash(request); });
    TCashAnswer answer;
    answer.Outcome = ScreenOutcome(result.Outcome);
    answer.ErrCode = result.ErrCode;
    answer.Message = result.Message;
    answer.Line.AgreeNo = result.AgreeNo;
    answer.Line.AgreeDate = result.AgreeDate;
    return answer;
}

}  // namespace pos
