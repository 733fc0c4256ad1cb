#include "sales/reprint/ui/TfrmReprint.h"

#include "controls/ZoColor.h"
#include "controls/ZoGradient.h"
#include "controls/ZoPosButton.h"
#include "controls/ZoRoundRect.h"
#include "core/TextHelpers.h"
#include "core/ui/TfrmKeyFrame.h"
#include "sales/reprint/ReprintModel.h"

#include <QLabel>
#include <QLineEdit>

#include <memory>

namespace pos {
namespace {

TInheritOptions reprintOptions()
{
    TInheritOptions o;
    o.caption = QStringLiteral("영수증 재발행");
    o.width = TfrmReprint::kWidth;
    o.height = TfrmReprint::kHeight;
    return o;
}

constexpr int kGroupLeft = 14;
constexpr int kGroupTop = 62 + 14;
constexpr int kRowHeight = 44;

std::string digitsOf(const QLineEdit* aEdit) { return GetOnlyNumber(aEdit->text().toStdString()); }

}  // namespace

TfrmReprint::TfrmReprint(const TScreenEnv& aEnv, TReprintModel& aModel, QWidget* aParent)
    : TfrmGetBox(aEnv, reprintOptions(), aParent), model_(aModel)
{
    const int groupWidth = fraKeyPad->x() - kGroupLeft - 12;
    auto* group = new TZoRoundRect(this);
    group->setGeometry(kGroupLeft, kGroupTop, groupWidth, fraKeyPad->height());
    group->SetColors(clWhite, 0x9E6523, 0x5A3A10);
    group->SetShadow(true, 6);
    group->SetRoundSize(16);
    group->lower();
    if (graBack != nullptr) graBack->lower();

    const auto row = [&](int aRow, const char* aCaption, const char* aMask) {
        auto* caption = new QLabel(QString::fromUtf8(aCaption), this);
        caption->setGeometry(kGroupLeft + 12, kGroupTop + 20 + aRow * kRowHeight, 90, 36);
        caption->setFont(ZoFont(12, true));
        ZoSetTextColor(caption, 0x633600);
        auto* edit = new QLineEdit(this);
        edit->setGeometry(kGroupLeft + 102, kGroupTop + 20 + aRow * kRowHeight, groupWidth - 114, 36);
        edit->setFont(ZoFont(13, true));
        edit->setInputMask(QString::fromLatin1(aMask));
        caption->setBuddy(edit);
        connect(edit, &QLineEdit::returnPressed, this, &TfrmReprint::enter);
        return edit;
    };
    edtSaleDate = row(0, "판매일자", "0000-00-00");
    edtPosNo = row(1, "POS 번호", "00");
    edtBillNo = row(2, "전표번호", "0000");
    connect(edtSaleDate, &QLineEdit::editingFinished, this, &TfrmReprint::leaveSaleDate);

    const int buttonTop = kGroupTop + 20 + 3 * kRowHeight + 8;
    const int buttonWidth = (groupWidth - 36) / 2;
    const auto toggle = [&](int aColumn, const char* aCaption) {
        auto* button = new TZoPosButton(this);
        button->setGeometry(kGroupLeft + 12 + aColumn * (buttonWidth + 12), buttonTop, buttonWidth, 48);
        button->SetCaption(QString::fromUtf8(aCaption));
        button->SetCaptionStyle(12, true, clBlack, clWhite, true);
        button->SetColor(TZoPosButtonColor::Face, 0xC0FFFF);
        button->SetAllowAllUp(true);
        return button;
    };
    btnVoidBill = toggle(0, "Void빌");
    btnPrintEng = toggle(1, "영문빌");
    btnPrintEng->setVisible(model_.EnglishOffered());
    connect(btnVoidBill, &TZoPosButton::clicked, this, [this] {
        model_.voidBill = !model_.voidBill;
        ShowModel();
    });
    connect(btnPrintEng, &TZoPosButton::clicked, this, [this] {
        model_.english = !model_.english;
        ShowModel();
    });
    btnCashReceipt = new TZoPosButton(this);
    btnCashReceipt->setGeometry(kGroupLeft + 12, buttonTop + 48 + 10, groupWidth - 24, 48);
    btnCashReceipt->SetCaption(QStringLiteral("현금영수증 추후발행"));
    btnCashReceipt->SetCaptionStyle(12, true, clBlack, clWhite, true);
    btnCashReceipt->SetColor(TZoPosButtonColor::Face, 0xC0FFC0);
    connect(btnCashReceipt, &TZoPosButton::clicked, this, &TfrmReprint::cashReceipt);
    // The group frames the cash receipt button too, below the keypad's height.
    group->setGeometry(kGroupLeft, kGroupTop, groupWidth, btnCashReceipt->geometry().bottom() + 14 - kGroupTop);
    ShowModel();
}

QLineEdit* TfrmReprint::field(int aIndex) const
{
    QLineEdit* const fields[] = {edtSaleDate, edtPosNo, edtBillNo};
    return fields[aIndex];
}

void TfrmReprint::readFields()
{
    model_.saleDate = digitsOf(edtSaleDate);
    model_.posNo = digitsOf(edtPosNo);
    model_.billNo = digitsOf(edtBillNo);
}

void TfrmReprint::ShowModel()
{
    edtSaleDate->setText(QString::fromStdString(model_.saleDate));
    edtPosNo->setText(QString::fromStdString(model_.posNo));
    edtBillNo->setText(QString::fromStdString(model_.billNo));
    btnVoidBill->SetDown(model_.voidBill);
    btnPrintEng->SetDown(model_.english);
    QLineEdit* focused = field(static_cast<int>(model_.Focus()));
    focused->setFocus(Qt::OtherFocusReason);
    if (!model_.Message().empty()) ShowMsg(model_.Message(), true, 10);
    if (model_.SelectBillNo()) edtBillNo->selectAll();
}

void TfrmReprint::enter()
{
    for (int i = 0; i < 3; ++i)
        if (field(i)->hasFocus()) model_.SetFocus(static_cast<TReprintField>(i));
    step(&TReprintModel::Enter);
}

void TfrmReprint::cashReceipt() { step(&TReprintModel::CashReceipt); }

void TfrmReprint::step(bool (TReprintModel::*aStep)())
{
    if (busy_) return;
    busy_ = true;
    readFields();
    const bool done = (model_.*aStep)();
    busy_ = false;
    if (done) {
        accept();
        return;
    }
    ShowModel();
}

void TfrmReprint::leaveSaleDate()
{
    if (busy_ || !isVisible()) return;
    readFields();
    if (!model_.LeaveSaleDate()) ShowModel();
}

bool ShowReprint(const TScreenEnv& aEnv, TReprintModel& aModel, QWidget* aParent)
{
    auto screen = std::make_unique<TfrmReprint>(aEnv, aModel, aParent);
    return screen->exec() == QDialog::Accepted;
}

}  // namespace pos
