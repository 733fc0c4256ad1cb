#pragma once
// The dialog service the program installs: the message boxes are the real,
// modal boxes. Launchers of screens that are not built yet answer as a
// cancelled screen would (the DialogService defaults).

#include "core/DialogService.h"
#include "core/ui/ScreenEnv.h"

#include <QPointer>
#include <QWidget>

#include <functional>

namespace pos {

class TfrmMsgBox;

class TQtDialogService : public DialogService {
public:
    explicit TQtDialogService(TScreenEnv aEnv, QWidget* aParent = nullptr) : env_(std::move(aEnv)), parent_(aParent) {}

    void MsgBox(const std::string& aMsg, int aShowSecond = 0) override;
    void ErrBox(const std::string& aMsg, bool aBeep = false, int aShowSecond = 0) override;
    bool AskBox(const std::string& aMsg) override;

    void SetParent(QWidget* aParent) { parent_ = aParent; }
    // Called with each box just before it is shown (tests shorten the timer
    // or look at the box).
    std::function<void(TfrmMsgBox&)> beforeShow;
    // The system's information sound; QApplication::beep unless replaced.
    std::function<void()> beep;

private:
    int run(TfrmMsgBox& aBox);

    TScreenEnv env_;
    QPointer<QWidget> parent_;
};

}  // namespace pos
