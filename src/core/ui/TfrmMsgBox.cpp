#include "core/ui/TfrmMsgBox.h"

#include "controls/ZoColor.h"
#include "controls/ZoPosButton.h"
#include "core/ui/ImageLibrary.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

namespace pos {

namespace {

TInheritOptions boxOptions(const QString& aCaption)
{
    TInheritOptions o;
    o.caption = aCaption;
    o.width = TfrmMsgBox::kWidth;
    o.height = TfrmMsgBox::kHeight;
    o.noBase = true;
    return o;
}

TZoPosButton* boxButton(QWidget* aParent)
{
    auto* b = new TZoPosButton(aParent);
    b->resize(130, 58);
    b->SetCaptionStyle(11, true, clBlack, clWhite, true);
    return b;
}

}  // namespace

QString MsgBoxText(const std::string& aMsg) { return ZoCaptionText(QString::fromStdString(aMsg)); }

TfrmMsgBox::TfrmMsgBox(const TScreenEnv& aEnv, const std::string& aMsg, int aShowSecond, QWidget* aParent)
    : TfrmMsgBox(aEnv, QStringLiteral("알림"), QStringLiteral("MsgImg"), aMsg, aShowSecond, false, false, aParent)
{
}

TfrmMsgBox::TfrmMsgBox(const TScreenEnv& aEnv, const QString& aCaption, const QString& aBitmap, const std::string& aMsg,
                       int aShowSecond, bool aError, bool aAsk, QWidget* aParent)
    : TfrmInherit(aEnv, boxOptions(aCaption), aParent),
      liShowSecond(aShowSecond),
      isError(aError),
      isAsk(aAsk),
      closeCount_(aShowSecond)
{
    imgBack = new QLabel(this);
    imgBack->setGeometry(0, 0, kWidth, kHeight);
    imgBack->setPixmap(ImagePicture(aBitmap));

    lblCaption = new QLabel(aCaption, this);
    lblCaption->setGeometry(50, 0, 300, 44);
    lblCaption->setFont(ZoFont(12, true));
    lblCaption->setStyleSheet(QStringLiteral("color: white;"));

    lblNotice = new QLabel(MsgBoxText(aMsg), this);
    lblNotice->setGeometry(16, 52, kWidth - 32, 104);
    lblNotice->setFont(ZoFont(11, true));
    lblNotice->setAlignment(Qt::AlignCenter);
    lblNotice->setWordWrap(true);
    lblNotice->setStyleSheet(QStringLiteral("color: black;"));

    btnCancel = boxButton(this);
    if (isAsk) {
        btnYes = boxButton(this);
        btnYes->move(70, 166);
        btnCancel->move(220, 166);
        connect(btnYes, &TZoPosButton::clicked, this, &QDialog::accept);
        connect(btnCancel, &TZoPosButton::clicked, this, &QDialog::reject);
    } else {
        btnCancel->move((kWidth - btnCancel->width()) / 2, 166);
        connect(btnCancel, &TZoPosButton::clicked, this, &QDialog::reject);
    }
    // Captions are set here rather than on show so that a box can be drawn
    // (and looked at) before it is shown.
    btnCancel->SetCaption(isError ? QStringLiteral("닫기\r(Esc)") : QStringLiteral("확인\r(Enter)"));
    if (isAsk) {
        btnYes->SetCaption(QStringLiteral("예\r(Enter)"));
        btnCancel->SetCaption(QStringLiteral("아니요\r(Esc)"));
    }

    connect(tmrTimer, &QTimer::timeout, this, &TfrmMsgBox::timerTick);
}

void TfrmMsgBox::showEvent(QShowEvent* aEvent)
{
    TfrmInherit::showEvent(aEvent);
    if (closeCount_.Running() && !tmrTimer->isActive()) tmrTimer->start();
}

void TfrmMsgBox::timerTick()
{
    if (closeCount_.Tick()) {
        tmrTimer->stop();
        reject();
    }
}

void TfrmMsgBox::keyPressEvent(QKeyEvent* aEvent)
{
    const int key = aEvent->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool esc = key == Qt::Key_Escape;
    if (isAsk) {
        if (enter) accept();
        else if (esc) reject();
    } else if (esc) {
        reject();
    } else if (enter && !isError) {
        accept();
    }
    // Every other key, and Enter on an error box, goes nowhere: the box
    // waits for its answer.
    aEvent->accept();
}

TfrmErrBox::TfrmErrBox(const TScreenEnv& aEnv, const std::string& aMsg, int aShowSecond, QWidget* aParent)
    : TfrmMsgBox(aEnv, QStringLiteral("에러"), QStringLiteral("ErrImg"), aMsg, aShowSecond, true, false, aParent)
{
}

TfrmAskBox::TfrmAskBox(const TScreenEnv& aEnv, const std::string& aMsg, QWidget* aParent)
    : TfrmMsgBox(aEnv, QStringLiteral("질문"), QStringLiteral("AskImg"), aMsg, 0, false, true, aParent)
{
}

}  // namespace pos
