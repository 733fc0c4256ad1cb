#include "payment/approval/LeftoverApprovals.h"

#include "core/Currency.h"
#include "core/TextHelpers.h"

namespace pos {
namespace {

std::string keptLine(const TJournalEntry& aEntry, const std::string& aReason)
{
    const char* kind = aEntry.Kind == TJournalKind::Cash ? "현금영수증" : "카드";
    return std::string(kind) + " " + aEntry.Masked + " " + FormatThousands(Currency(aEntry.Amount)) + "원 (" +
           aReason + ")";
}

}  // namespace

TReversalAnswer TChannelReverser::Reverse(const TJournalEntry& aEntry)
{
    if (aEntry.Kind == TJournalKind::Cash) return ReversalAnswerOf(channels_.ReverseCash(aEntry, context_));
    return ReversalAnswerOf(channels_.ReverseCard(aEntry, context_));
}

TLeftoverOutcome SettleLeftoverApproval(TApprovalJournal& aJournal, const TJournalEntry& aEntry,
                                        TStoredApprovals& aStored, TApprovalReverser& aReverser,
                                        TLeftoverReport& aReport)
{
    const auto kept = [&](const std::string& aReason) {
        aReport.kept.push_back(keptLine(aEntry, aReason));
        return TLeftoverOutcome::Kept;
    };
    const auto cleared = [&] {
        if (!aJournal.Remove(aEntry.Id, &aReport.journalProblem)) return TLeftoverOutcome::Kept;
        ++aReport.cleared;
        return TLeftoverOutcome::Cleared;
    };
    if (aEntry.State != TJournalState::Done) return kept("승인 결과 미확인");
    const std::optional<bool> held = aStored.Holds(aEntry);
    if (!held) return kept("전표 확인 불가");
    // The bill is stored; only the journal's clean-up was missed.
    if (*held) return cleared();
    const TReversalAnswer answer = aReverser.Reverse(aEntry);
    if (answer.Reversed) {
        ++aReport.reversed;
        return TLeftoverOutcome::Reversed;
    }
    // A cancellation that went out before a crash was taken: the card no
    // longer stands charged.
    if (aEntry.Approve && answer.ErrCode == kCodeAlreadyCancelled) return cleared();
    return kept(TrimCopy("취소 안 됨 " + answer.ErrCode + " " + answer.Message));
}

TLeftoverReport SettleLeftoverApprovals(TApprovalJournal& aJournal, TStoredApprovals& aStored,
                                        TApprovalReverser& aReverser)
{
    TLeftoverReport report;
    for (const TJournalEntry& entry : aJournal.Entries())
        SettleLeftoverApproval(aJournal, entry, aStored, aReverser, report);
    return report;
}

std::string LeftoverMessage(const TLeftoverReport& aReport)
{
    std::string text;
    const auto add = [&text](const std::string& aLine) {
        if (!text.empty()) text += "\r";
        text += aLine;
    };
    if (aReport.reversed > 0)
        add("저장되지 않은 전표의 승인 " + std::to_string(aReport.reversed) + "건을 취소했습니다.");
    if (!aReport.kept.empty()) {
        add("저장된 전표가 없는 승인 " + std::to_string(aReport.kept.size()) + "건이 남아 있습니다.");
        for (const std::string& line : aReport.kept) add(line);
        add(kMsgLeftoverCheck);
    }
    if (!aReport.journalProblem.empty()) add(aReport.journalProblem);
    return text;
}

}  // namespace pos
