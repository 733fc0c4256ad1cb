#include "core/ScriptedDialogService.h"

namespace pos {

void ScriptedDialogService::MsgBox(const std::string& aMsg, int) { shown.push_back({Kind::Msg, aMsg, false}); }

void ScriptedDialogService::ErrBox(const std::string& aMsg, bool aBeep, int) { shown.push_back({Kind::Err, aMsg, aBeep}); }

bool ScriptedDialogService::AskBox(const std::string& aMsg)
{
    shown.push_back({Kind::Ask, aMsg, false});
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

bool ScriptedDialogService::GetGuestCount(bool)
{
    ++guestCountAsked;
    if (guestCounts.empty() || context_ == nullptr) return false;
    context_->giKoreanCount = guestCounts.front().korean;
    context_->giForeignCount = guestCounts.front().foreign;
    guestCounts.pop_front();
    return true;
}

Currency ScriptedDialogService::GetOpenCodePrice(const std::string&, const std::string&, Currency, std::int64_t& aCorrectAmt,
                                                 const std::string&)
{
    if (openPrices.empty()) {
        aCorrectAmt = 0;
        return Currency(-1);
    }
    const OpenPrice p = openPrices.front();
    openPrices.pop_front();
    aCorrectAmt = p.price < Currency(0) ? 0 : p.correctAmt;
    return p.price;
}

}  // namespace pos
