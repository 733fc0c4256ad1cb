#pragma once
// The message boxes: notice ("알림"), error ("에러") and question ("질문").
// They are the only way the terminal reports to the cashier; logic reaches
// them through the dialog service (TQtDialogService).

#include "core/ui/ScreenRules.h"
#include "core/ui/TfrmInherit.h"

#include <string>

class QLabel;

namespace pos {

class TfrmMsgBox : public TfrmInherit {
    Q_OBJECT
public:
    // aMsg may break lines with "\r". aShowSecond > 0 closes the box by itself
    // after aShowSecond + 1 seconds.
    TfrmMsgBox(const TScreenEnv& aEnv, const std::string& aMsg, int aShowSecond = 0, QWidget* aParent = nullptr);

    QLabel* lblCaption = nullptr;
    QLabel* lblNotice = nullptr;
    QLabel* imgBack = nullptr;
    TZoPosButton* btnCancel = nullptr;
    TZoPosButton* btnYes = nullptr;  // question box only
    int liShowSecond = 0;
    bool isError = false;
    bool isAsk = false;

    // Ticks of the self-closing timer so far.
    int TimerTicks() const { return closeCount_.Count(); }

    static constexpr int kWidth = 420;
    static constexpr int kHeight = 240;

protected:
    TfrmMsgBox(const TScreenEnv& aEnv, const QString& aCaption, const QString& aBitmap, const std::string& aMsg,
               int aShowSecond, bool aError, bool aAsk, QWidget* aParent);
    void showEvent(QShowEvent* aEvent) override;
    void keyPressEvent(QKeyEvent* aEvent) override;

private:
    void timerTick();

    TSelfCloseCount closeCount_;
};

class TfrmErrBox : public TfrmMsgBox {
    Q_OBJECT
public:
    TfrmErrBox(const TScreenEnv& aEnv, const std::string& aMsg, int aShowSecond = 0, QWidget* aParent = nullptr);
};

class TfrmAskBox : public TfrmMsgBox {
    Q_OBJECT
public:
    // Accepted means yes.
    TfrmAskBox(const TScreenEnv& aEnv, const std::string& aMsg, QWidget* aParent = nullptr);
};

// The message box text as shown: "\r" (and "\r\n") break the line.
QString MsgBoxText(const std::string& aMsg);

}  // namespace pos
