#include "payment/ui/TfrmRemark.h"

#include "controls/ZoColor.h"
#include "controls/ZoPosButton.h"
#include "core/DialogService.h"
#include "payment/Remarks.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace pos {

namespace {

TInheritOptions remarkOptions()
{
    TInheritOptions o;
    o.caption = QStringLiteral("사유");
    o.width = 520;
    o.height = 260;
    o.noUpjang = true;
    o.noCashier = true;
    o.noDate = true;
    return o;
}

TZoPosButton* dialogButton(QWidget* aParent, const char* aCaption, const QRect& aRect)
{
    auto* button = new TZoPosButton(aParent);
    button->setGeometry(aRect);
    button->SetCaption(QString::fromUtf8(aCaption));
    button->SetCaptionStyle(11, true, clBlack, clWhite, true);
    return button;
}

}  // namespace

TfrmRemark::TfrmRemark(const TScreenEnv& aEnv, DialogService& aDialogs, const std::string& aNotice,
                       const std::string& aRemarks, int aMustInputSize, QWidget* aParent)
    : TfrmInherit(aEnv, remarkOptions(), aParent), dialogs_(aDialogs), mustInputSize_(aMustInputSize)
{
    lblNotice = new QLabel(QString::fromStdString(aNotice), this);
    lblNotice->setGeometry(24, 72, 472, 44);
    lblNotice->setWordWrap(true);
    lblNotice->setFont(ZoFont(11, true));
    ZoSetTextColor(lblNotice, clWhite);

    edtRemark = new QLineEdit(QString::fromStdString(aRemarks), this);
    edtRemark->setGeometry(24, 120, 472, 36);
    edtRemark->setFont(ZoFont(12, true));
    edtRemark->installEventFilter(this);

    btnOK = dialogButton(this, "확인\r(Enter)", QRect(290, 166, 100, 56));
    btnCancel = dialogButton(this, "취소\r(Esc)", QRect(396, 166, 100, 56));
    connect(btnOK, &TZoPosButton::clicked, this, [this] { accept(); });
    connect(btnCancel, &TZoPosButton::clicked, this, [this] { reject(); });
    edtRemark->setFocus();
}

std::string TfrmRemark::Remarks() const { return RemarkKept(edtRemark->text().toStdString()); }

void TfrmRemark::accept()
{
    const std::string refusal = RemarkRefusal(edtRemark->text().toStdString(), mustInputSize_);
    if (!refusal.empty()) {
        dialogs_.ErrBox(refusal, true);
        edtRemark->setFocus();
        return;
    }
    TfrmInherit::accept();
}

void TfrmRemark::reject()
{
    edtRemark->clear();
    TfrmInherit::reject();
}

bool TfrmRemark::eventFilter(QObject* aWatched, QEvent* aEvent)
{
    if (aWatched == edtRemark && aEvent->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(aEvent)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return TfrmInherit::eventFilter(aWatched, aEvent);
}

bool GetRemarks(const TScreenEnv& aEnv, DialogService& aDialogs, const std::string& aCaption, std::string& aRemarks,
                int aMustInputSize, bool aDefMsg, QWidget* aParent)
{
    TfrmRemark dialog(aEnv, aDialogs, RemarkNotice(aCaption, aDefMsg), aRemarks, aMustInputSize, aParent);
    if (dialog.exec() != QDialog::Accepted) return false;
    aRemarks = dialog.Remarks();
    return true;
}

}  // namespace pos
