#include "sales/reprint/ui/TfrmCashReceipt.h"

#include "controls/ZoColor.h"
#include "controls/ZoGradient.h"
#include "controls/ZoPosButton.h"
#include "controls/ZoRoundRect.h"
#include "core/Currency.h"
#include "core/ui/TfrmKeyFrame.h"
#include "sales/reprint/CashReceiptModel.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

#include <memory>

namespace pos {
namespace {

TInheritOptions cashReceiptOptions()
{
    TInheritOptions o;
    o.caption = QStringLiteral("현금영수증");
    o.width = TfrmCashReceipt::kWidth;
    o.height = TfrmCashReceipt::kHeight;
    return o;
}

constexpr int kGroupLeft = 14;
constexpr int kGroupTop = 62 + 14;
constexpr int kRowHeight = 44;
constexpr TColor kCaptionColor = 0x633600;
constexpr TColor kToggleDown = 0x3399FF;  // the kind of receipt chosen
constexpr TColor kExecuteBack = 0xC0FFFF;

}  // namespace

TfrmCashReceipt::TfrmCashReceipt(const TScreenEnv& aEnv, TCashReceiptModel& aModel, QWidget* aParent)
    : TfrmGetBox(aEnv, cashReceiptOptions(), aParent), model_(aModel)
{
    const int groupWidth = fraKeyPad->x() - kGroupLeft - 12;
    auto* group = new TZoRoundRect(this);
    group->setGeometry(kGroupLeft, kGroupTop, groupWidth, fraKeyPad->height());
    group->SetColors(clWhite, 0x9E6523, 0x5A3A10);
    group->SetShadow(true, 6);
    group->SetRoundSize(16);
    group->lower();
    if (graBack != nullptr) graBack->lower();

    const auto caption = [&](int aRow, const char* aText) {
        auto* label = new QLabel(QString::fromUtf8(aText), this);
        label->setGeometry(kGroupLeft + 12, kGroupTop + 20 + aRow * kRowHeight, 90, 36);
        label->setFont(ZoFont(12, true));
        ZoSetTextColor(label, kCaptionColor);
        return label;
    };
    const auto edit = [&](int aRow) {
        auto* field = new QLineEdit(this);
        field->setGeometry(kGroupLeft + 102, kGroupTop + 20 + aRow * kRowHeight, groupWidth - 114, 36);
        field->setFont(ZoFont(13, true));
        return field;
    };
    caption(0, "결제금액");
    edtPayCashAmt = edit(0);
    edtPayCashAmt->setReadOnly(true);
    edtPayCashAmt->setFocusPolicy(Qt::NoFocus);
    edtPayCashAmt->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    const int buttonWidth = (groupWidth - 114 - 8) / 2;
    const auto toggle = [&](int aColumn, const char* aText) {
        auto* button = new TZoPosButton(this);
        button->setGeometry(kGroupLeft + 102 + aColumn * (buttonWidth + 8), kGroupTop + 20 + kRowHeight, buttonWidth,
                            38);
        button->SetCaption(QString::fromUtf8(aText));
        button->SetCaptionStyle(12, true, clBlack, clWhite, true);
        button->SetGroupIndex(1);
        button->SetColor(TZoPosButtonColor::FaceDown, kToggleDown);
        return button;
    };
    caption(1, "구    분");
    btnPayCashMan = toggle(0, "개인");
    btnPayCashComp = toggle(1, "사업자");
    connect(btnPayCashMan, &TZoPosButton::clicked, this, [this] {
        model_.individual = true;
        ShowModel();
    });
    connect(btnPayCashComp, &TZoPosButton::clicked, this, [this] {
        model_.individual = false;
        ShowModel();
    });

    QLabel* cashNo = caption(2, kCashNoCaption);
    edtPayCashNo = edit(2);
    edtPayCashNo->setMaxLength(40);
    cashNo->setBuddy(edtPayCashNo);
    connect(edtPayCashNo, &QLineEdit::returnPressed, this, &TfrmCashReceipt::enter);

    auto* hint = new QLabel(QStringLiteral("휴대폰·주민·사업자·카드번호"), this);
    hint->setGeometry(kGroupLeft + 102, kGroupTop + 20 + 3 * kRowHeight - 4, groupWidth - 114, 24);
    hint->setFont(ZoFont(9));
    ZoSetTextColor(hint, kCaptionColor);

    panPayCashExecute = new QLabel(QString::fromUtf8(kMsgCashReceiptWaiting), this);
    panPayCashExecute->setGeometry(kGroupLeft + 10, kGroupTop + 40, width() - 2 * kGroupLeft - 20, 100);
    panPayCashExecute->setFont(ZoFont(13, true));
    panPayCashExecute->setAlignment(Qt::AlignCenter);
    panPayCashExecute->setWordWrap(true);
    panPayCashExecute->setAutoFillBackground(true);
    panPayCashExecute->setFrameStyle(QFrame::Box | QFrame::Plain);
    panPayCashExecute->setLineWidth(2);
    ZoSetTextColor(panPayCashExecute, 0x000080);
    ZoSetBackColor(panPayCashExecute, kExecuteBack);
    // Shown while the screen is disabled: it keeps its colours.
    QPalette pal = panPayCashExecute->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Window})
        pal.setColor(QPalette::Disabled, role, pal.color(QPalette::Active, role));
    panPayCashExecute->setPalette(pal);
    panPayCashExecute->hide();
    ShowModel();
}

void TfrmCashReceipt::ShowModel()
{
    edtPayCashAmt->setText(QString::fromStdString(FormatThousands(Currency(model_.Amount()))));
    edtPayCashNo->setText(QString::fromStdString(model_.identity));
    btnPayCashMan->SetDown(model_.individual);
    btnPayCashComp->SetDown(!model_.individual);
    edtPayCashNo->setFocus(Qt::OtherFocusReason);
    if (!model_.Message().empty()) ShowMsg(model_.Message(), true, 10);
}

void TfrmCashReceipt::ShowExecute(bool aShow)
{
    if (aShow) {
        panPayCashExecute->show();
        panPayCashExecute->raise();
        setEnabled(false);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        panPayCashExecute->repaint();
    } else {
        panPayCashExecute->hide();
        setEnabled(true);
        QApplication::restoreOverrideCursor();
    }
}

void TfrmCashReceipt::enter()
{
    if (busy_) return;
    model_.identity = edtPayCashNo->text().toStdString();
    if (!model_.ReadyToApprove()) {
        ShowModel();
        return;
    }
    busy_ = true;
    ShowExecute(true);
    const TCashReceiptEnd end = model_.Execute();
    ShowExecute(false);
    busy_ = false;
    switch (end) {
    case TCashReceiptEnd::Stored: accept(); return;
    case TCashReceiptEnd::Abandoned: reject(); return;
    case TCashReceiptEnd::Open: break;
    }
    ShowModel();
}

bool ShowCashReceipt(const TScreenEnv& aEnv, TCashReceiptModel& aModel, QWidget* aParent)
{
    auto screen = std::make_unique<TfrmCashReceipt>(aEnv, aModel, aParent);
    return screen->exec() == QDialog::Accepted;
}

}  // namespace pos
