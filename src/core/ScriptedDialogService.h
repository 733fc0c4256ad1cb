#pragma once
// A dialog service for tests and unattended runs: records every message box
// and answers questions from a scripted queue.

#include "core/DialogService.h"

#include <deque>
#include <string>
#include <vector>

namespace pos {

class ScriptedDialogService : public DialogService {
public:
    enum class Kind { Msg, Err, Ask };
    struct Shown {
        Kind kind;
        std::string text;
        bool beep = false;
    };


    void MsgBox(const std::string& aMsg, int aShowSecond = 0) override;
    void ErrBox(const std::string& aMsg, bool aBeep = false, int aShowSecond = 0) override;
    bool AskBox(const std::string& aMsg) override;  // next scripted answer; false when none

    std::deque<bool> answers;
    std::vector<Shown> shown;
    const Shown* last() const { return shown.empty() ? nullptr : &shown.back(); }
    void clear() { shown.clear(); }
};

}  // namespace pos
