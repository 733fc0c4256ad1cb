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

}  // namespace pos
