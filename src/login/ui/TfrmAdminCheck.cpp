#include "login/ui/TfrmAdminCheck.h"

#include "controls/ZoColor.h"
#include "controls/ZoGradient.h"
#include "controls/ZoRoundRect.h"
#include "core/ui/TfrmKeyFrame.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace pos {

namespace {

TInheritOptions adminCheckOptions()
{
    TInheritOptions o;
    o.caption = QStringLiteral("담당자 확인");
    o.width = TfrmAdminCheck::kWidth;
    o.height = TfrmAdminCheck::kHeight;
    return o;
}

// The fields stand left of the keypad, in a white group.
constexpr int kGroupLeft = 14;
constexpr int kGroupTop = 62 + 14;

}  // namespace

TfrmAdminCheck::TfrmAdminCheck(const TScreenEnv& aEnv, TAdminCheckModel& aModel, QWidget* aParent)
    : TfrmGetBox(aEnv, adminCheckOptions(), aParent), model_(aModel), link_(*this, aModel, [this] { ShowModel(); })
{
    auto* group = new TZoRoundRect(this);
    group->setGeometry(kGroupLeft, kGroupTop, fraKeyPad->x() - kGroupLeft - 12, fraKeyPad->height());
    group->SetColors(clWhite, 0x9E6523, 0x5A3A10);
    group->SetShadow(true, 6);
    group->SetRoundSize(16);
    group->lower();
    if (graBack != nullptr) graBack->lower();

    edtCashier = makeEdit(TAdminField::Cashier, kCaptionAdminCashier, kGroupTop + 44, 32, false);
    edtPassword = makeEdit(TAdminField::Password, kCaptionAdminPassword, kGroupTop + 104, 20, true);
}

TfrmAdminCheck::~TfrmAdminCheck() = default;

QLineEdit* TfrmAdminCheck::makeEdit(TAdminField aField, const char* aCaption, int aTop, int aMaxLength, bool aSecret)
{
    auto* edit = new QLineEdit(this);
    edit->setGeometry(kGroupLeft + 94, aTop, 122, 36);
    edit->setMaxLength(aMaxLength);
    edit->setFont(ZoFont(13, true));
    if (aSecret) {
        edit->setEchoMode(QLineEdit::Password);
        edit->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));  // "*"
    }
    auto* label = new QLabel(QString::fromUtf8(aCaption), this);
    label->setGeometry(kGroupLeft + 12, aTop, 80, 36);
    label->setFont(ZoFont(12, true));
    ZoSetTextColor(label, 0x633600);
    label->setBuddy(edit);

    connect(edit, &QLineEdit::textEdited, this, [this, aField](const QString& aText) {
        act([this, aField, text = aText.toStdString()] { model_.Change(aField, text); });
    });
    connect(edit, &QLineEdit::returnPressed, this, [this, aField] { act([this, aField] { model_.Enter(aField); }); });
    return edit;
}

QLineEdit* TfrmAdminCheck::edit(TAdminField aField) const
{
    switch (aField) {
    case TAdminField::Cashier: return edtCashier;
    case TAdminField::Password: return edtPassword;
    case TAdminField::None: break;
    }
    return nullptr;
}

TAdminField TfrmAdminCheck::fieldOf(const QObject* aWidget) const
{
    if (aWidget == edtCashier) return TAdminField::Cashier;
    if (aWidget == edtPassword) return TAdminField::Password;
    return TAdminField::None;
}

void TfrmAdminCheck::ShowModel()
{
    link_.Following([this] {
        for (const TAdminField field : {TAdminField::Cashier, TAdminField::Password}) {
            const QString text = QString::fromStdString(model_.Text(field));
            if (edit(field)->text() != text) {
                const QSignalBlocker blocker(edit(field));
                edit(field)->setText(text);
            }
        }
        link_.FollowFocus(edit(model_.Focused()));
    });
}

void TfrmAdminCheck::showEvent(QShowEvent* aEvent)
{
    TfrmGetBox::showEvent(aEvent);
    if (shown_) return;
    shown_ = true;
    model_.Show();
    ShowModel();
}

void TfrmAdminCheck::reject()
{
    act([this] { model_.Escape(); });
}

bool TfrmAdminCheck::eventFilter(QObject* aWatched, QEvent* aEvent)
{
    const bool handled = TfrmGetBox::eventFilter(aWatched, aEvent);
    if (link_.CashierFocusIn(aEvent)) {
        const TAdminField field = fieldOf(aWatched);
        if (field != TAdminField::None && field != model_.Focused()) act([this, field] { model_.SetFocus(field); });
    }
    return handled;
}

}  // namespace pos
