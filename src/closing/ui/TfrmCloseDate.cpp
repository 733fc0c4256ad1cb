#include "closing/ui/TfrmCloseDate.h"

#include "closing/CloseDate.h"
#include "controls/ZoColor.h"
#include "controls/ZoGradient.h"
#include "controls/ZoRoundRect.h"
#include "core/ui/TfrmKeyFrame.h"

#include <QLabel>
#include <QLineEdit>

#include <memory>

namespace pos {
namespace {

TInheritOptions closeDateOptions()
{
    TInheritOptions o;
    o.caption = QStringLiteral("마감 일자");
    o.width = TfrmCloseDate::kWidth;
    o.height = TfrmCloseDate::kHeight;
    return o;
}

constexpr int kGroupLeft = 14;
constexpr int kGroupTop = 62 + 14;

}  // namespace

TfrmCloseDate::TfrmCloseDate(const TScreenEnv& aEnv, const std::string& aSaleDate, std::string aToday,
                             QWidget* aParent)
    : TfrmGetBox(aEnv, closeDateOptions(), aParent), today_(std::move(aToday))
{
    const int groupWidth = fraKeyPad->x() - kGroupLeft - 12;
    auto* group = new TZoRoundRect(this);
    group->setGeometry(kGroupLeft, kGroupTop, groupWidth, fraKeyPad->height());
    group->SetColors(clWhite, 0x9E6523, 0x5A3A10);
    group->SetShadow(true, 6);
    group->SetRoundSize(16);
    group->lower();
    if (graBack != nullptr) graBack->lower();

    auto* caption = new QLabel(QStringLiteral("마감일자"), this);
    caption->setGeometry(kGroupLeft + 12, kGroupTop + 30, 80, 36);
    caption->setFont(ZoFont(12, true));
    ZoSetTextColor(caption, 0x633600);

    edtCloseDate = new QLineEdit(this);
    edtCloseDate->setGeometry(kGroupLeft + 92, kGroupTop + 30, groupWidth - 104, 36);
    edtCloseDate->setFont(ZoFont(13, true));
    edtCloseDate->setInputMask(QStringLiteral("0000-00-00"));
    edtCloseDate->setText(QString::fromStdString(aSaleDate));
    caption->setBuddy(edtCloseDate);

    // The note wraps to the width of the group by itself.
    auto* note = new QLabel(QString::fromUtf8(kCloseDateNote).replace(QLatin1Char('\n'), QLatin1Char(' ')), this);
    note->setGeometry(kGroupLeft + 12, kGroupTop + 84, groupWidth - 24, 90);
    note->setFont(ZoFont(9, true));
    note->setWordWrap(true);
    ZoSetTextColor(note, 0xA04000);

    connect(edtCloseDate, &QLineEdit::returnPressed, this, &TfrmCloseDate::accept);
}

void TfrmCloseDate::accept()
{
    date_ = AcceptCloseDate(edtCloseDate->text().toStdString(), today_);
    if (!date_) {
        ShowMsg(kMsgWrongCloseDate, true, 10);
        edtCloseDate->setFocus(Qt::OtherFocusReason);
        return;
    }
    TfrmGetBox::accept();
}

std::optional<std::string> GetCloseDate(const TScreenEnv& aEnv, const std::string& aSaleDate,
                                        const std::string& aToday, QWidget* aParent)
{
    auto dialog = std::make_unique<TfrmCloseDate>(aEnv, aSaleDate, aToday, aParent);
    if (dialog->exec() != QDialog::Accepted) return std::nullopt;
    return dialog->Date();
}

}  // namespace pos
