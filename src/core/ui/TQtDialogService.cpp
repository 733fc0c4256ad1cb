#include "core/ui/TQtDialogService.h"

#include "core/ui/TfrmMsgBox.h"

#include <QApplication>

namespace pos {

int TQtDialogService::run(TfrmMsgBox& aBox)
{
    if (beforeShow) beforeShow(aBox);
    return aBox.exec();
}

void TQtDialogService::MsgBox(const std::string& aMsg, int aShowSecond)
{
    TfrmMsgBox box(env_, aMsg, aShowSecond, parent_);
    run(box);
}

void TQtDialogService::ErrBox(const std::string& aMsg, bool aBeep, int aShowSecond)
{
    if (aBeep) {
        if (beep)
            beep();
        else
            QApplication::beep();
    }
    TfrmErrBox box(env_, aMsg, aShowSecond, parent_);
    run(box);
}

bool TQtDialogService::AskBox(const std::string& aMsg)
{
    TfrmAskBox box(env_, aMsg, parent_);
    return run(box) == QDialog::Accepted;
}

}  // namespace pos
