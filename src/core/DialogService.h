#pragma once
// The only way the terminal talks to the cashier in a message box: the three
// boxes. Logic calls this interface; the program installs the real dialogs,
// tests install ScriptedDialogService. The screens each area opens are
// launched through that area's own launcher interface, not through here.

#include <string>

namespace pos {

class DialogService {
public:
    virtual ~DialogService() = default;

    // Message boxes. aShowSecond > 0 closes the box by itself after
    // aShowSecond + 1 seconds. "\r" in a message breaks the line.
    virtual void MsgBox(const std::string& aMsg, int aShowSecond = 0) = 0;
    virtual void ErrBox(const std::string& aMsg, bool aBeep = false, int aShowSecond = 0) = 0;
    virtual bool AskBox(const std::string& aMsg) = 0;
};

}  // namespace pos
