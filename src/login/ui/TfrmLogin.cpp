#include "login/ui/TfrmLogin.h"

#include "controls/ZoColor.h"
#include "controls/ZoPosButton.h"
#include "controls/ZoRoundRect.h"
#include "core/ui/ImageLibrary.h"
#include "core/ui/TfrmKeyFrame.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace pos {

namespace {

using F = TLoginField;

// Layout of the 800 x 600 screen: the login fields at the top left, the
// keypad and the two buttons at the right, the open panel below the fields.
constexpr QRect kLoginRect(20, 80, 546, 262);
constexpr int kRowTop = 16;
constexpr int kRowStep = 48;
constexpr int kRowHeight = 36;
constexpr QRect kPanelRect(20, 352, 546, 214);
constexpr int kKeyPadLeft = 800 - 20 - 198;

constexpr TColor kCaptionColor = 0x633600;
constexpr TColor kNameColor = 0x9E6523;
constexpr TColor kReadOnlyColor = 0xEBE5E0;
constexpr TColor kPanelColor = 0xFFF8F0;

TInheritOptions loginOptions()
{
    TInheritOptions o;
    o.caption = QStringLiteral("Login");
    o.noUpjang = true;
    o.noCashier = true;
    o.noDate = true;
    return o;
}

// The sale date is kept as "yyyymmdd" and shown as "0000-00-00". What the
// cashier types goes to the model without the dashes and the blanks after the
// last digit; a blank between digits goes as it is, and the model refuses it.
constexpr TLoginField kMaskedField = F::SaleDate;
const QString kSaleDateMask = QStringLiteral("9999-99-99;_");

QString typedText(TLoginField aField, const QLineEdit* aEdit)
{
    if (aField != kMaskedField) return aEdit->text();
    QString text = aEdit->displayText();  // text() would drop the blanks between digits too
    text.remove(QLatin1Char('-'));
    while (text.endsWith(QLatin1Char('_'))) text.chop(1);
    return text;
}

TZoRoundRect* makeGroup(QWidget* aParent, const QRect& aRect, TColor aColor)
{
    auto* group = new TZoRoundRect(aParent);
    group->setGeometry(aRect);
    group->SetColors(aColor, 0x9E6523, 0x5A3A10);
    group->SetShadow(true, 6);
    group->SetRoundSize(16);
    return group;
}

QRect rowRect(int aRow, int aLeft, int aWidth, int aStep = kRowStep, int aTop = kRowTop, int aHeight = kRowHeight)
{
    return QRect(aLeft, aTop + aRow * aStep, aWidth, aHeight);
}

TZoPosButton* makeButton(QWidget* aParent, const char* aCaption, const QRect& aRect)
{
    auto* button = new TZoPosButton(aParent);
    button->setGeometry(aRect);
    button->SetCaption(QString::fromUtf8(aCaption));
    button->SetCaptionStyle(12, true, 0x000000, 0xFFFFFF, true);
    return button;
}

}  // namespace

TfrmLogin::TfrmLogin(const TScreenEnv& aEnv, TLoginModel& aModel, QWidget* aParent)
    : TfrmInherit(aEnv, loginOptions(), aParent), model_(aModel), link_(*this, aModel, [this] { ShowModel(); })
{
    imgBack = new QLabel(this);
    imgBack->setGeometry(0, 62, 800, 600 - 62 - 30);
    imgBack->setPixmap(ImagePicture(QStringLiteral("LoginImg")));
    imgBack->setScaledContents(true);

    buildLoginFields();
    buildButtons();
    buildPasswordPanel();
    buildConfigPanel();
}

TfrmLogin::~TfrmLogin() = default;

void TfrmLogin::buildLoginFields()
{
    panLogin = makeGroup(this, kLoginRect, clWhite);
    struct Row {
        const char* caption;
        F field;
        int maxLength;
        bool secret;
        QLineEdit** edit;
    };
    const Row rows[] = {
        {kCaptionUpjang, F::UpjangCode, 4, false, &edtUpjangCode},
        {kCaptionPosNo, F::PosNo, 2, false, &edtPosNo},
        {kCaptionSaleDate, F::SaleDate, 8, false, &edtSaleDate},
        {kCaptionCashier, F::Cashier, 32, false, &edtCashier},
        {kCaptionPassword, F::Password, 20, true, &edtPassword},
    };
    for (int i = 0; i < 5; ++i) {
        const Row& r = rows[i];
        *r.edit = makeEdit(panLogin, r.field, rowRect(i, 170, 160), r.maxLength, r.secret);
        makeCaption(panLogin, r.caption, rowRect(i, 22, 140), *r.edit);
    }
    lblUpjangName = new QLabel(panLogin);
    lblUpjangName->setGeometry(rowRect(0, 342, 190));
    lblCashierName = new QLabel(panLogin);
    lblCashierName->setGeometry(rowRect(3, 342, 190));
    for (QLabel* name : {lblUpjangName, lblCashierName}) {
        name->setFont(ZoFont(12, true));
        ZoSetTextColor(name, kNameColor);
    }
}

void TfrmLogin::buildButtons()
{
    fraKeyPad = new TfrmKeyFrame(this);
    fraKeyPad->move(kKeyPadLeft, kLoginRect.top());
    const int top = kLoginRect.top() + fraKeyPad->height() + 16;
    btnPasswordChange = makeButton(this, kCaptionPasswordChange, QRect(kKeyPadLeft, top, 198, 56));
    btnConfig = makeButton(this, kCaptionConfig, QRect(kKeyPadLeft, top + 66, 198, 56));
    connect(btnPasswordChange, &TZoPosButton::clicked, this, [this] { act([this] { model_.PasswordChangeClick(); }); });
    connect(btnConfig, &TZoPosButton::clicked, this, [this] { act([this] { model_.ConfigClick(); }); });
}

void TfrmLogin::buildPasswordPanel()
{
    panPasswordChange = makeGroup(this, QRect(kPanelRect.topLeft(), QSize(kPanelRect.width(), 170)), kPanelColor);
    panPasswordChange->hide();
    const struct {
        const char* caption;
        F field;
        QLineEdit** edit;
    } rows[] = {
        {kCaptionPasswordOld, F::PasswordOld, &edtPasswordOld},
        {kCaptionPasswordNew, F::PasswordNew, &edtPasswordNew},
        {kCaptionPasswordConfirm, F::PasswordConfirm, &edtPasswordConfirm},
    };
    for (int i = 0; i < 3; ++i) {
        *rows[i].edit = makeEdit(panPasswordChange, rows[i].field, rowRect(i, 170, 220), 20, true);
        makeCaption(panPasswordChange, rows[i].caption, rowRect(i, 22, 140), *rows[i].edit);
    }
}

void TfrmLogin::buildConfigPanel()
{
    panConfig = makeGroup(this, kPanelRect, kPanelColor);
    panConfig->hide();
    constexpr int step = 40, top = 12, height = 32;
    const auto row = [&](int aRow, int aLeft, int aWidth) { return rowRect(aRow, aLeft, aWidth, step, top, height); };
    const auto caption = [&](int aRow, int aLeft, int aWidth, const char* aText, QLineEdit* aBuddy) {
        QLabel* label = makeCaption(panConfig, aText, row(aRow, aLeft, aWidth), aBuddy);
        label->setFont(ZoFont(10, true));
        return label;
    };

    edtUpjang = makeEdit(panConfig, F::SetupUpjang, row(0, 150, 70), 4, false);
    caption(0, 18, 128, "영업장 - POS", edtUpjang);
    caption(0, 226, 16, "-", nullptr);
    edtPos = makeEdit(panConfig, F::SetupPos, row(0, 246, 46), 2, false);

    const struct {
        const char* caption;
        const std::vector<std::string>& choices;
        std::string TLoginSetupChoices::*choice;
        QComboBox** box;
        F port, rate;
        QLineEdit **portEdit, **rateEdit;
    } printers[] = {
        {"프린터 1", kPrinter1Choices, &TLoginSetupChoices::Printer1, &cbbPrinter1, F::Printer1Port, F::Printer1Rate,
         &edtPrinter1Port, &edtPrinter1Rate},
        {"프린터 2", kPrinter2Choices, &TLoginSetupChoices::Printer2, &cbbPrinter2, F::Printer2Port, F::Printer2Rate,
         &edtPrinter2Port, &edtPrinter2Rate},
    };
    for (int i = 0; i < 2; ++i) {
        const auto& p = printers[i];
        *p.box = makeChoices(panConfig, p.choices, row(i + 1, 150, 120), p.choice);
        caption(i + 1, 18, 128, p.caption, nullptr);
        *p.portEdit = makeEdit(panConfig, p.port, row(i + 1, 318, 46), 3, false);
        caption(i + 1, 278, 38, "COM", *p.portEdit);
        *p.rateEdit = makeEdit(panConfig, p.rate, row(i + 1, 448, 80), 7, false);
        caption(i + 1, 372, 74, "BaudRate", *p.rateEdit);
    }

    ckbDisplay = new QCheckBox(QStringLiteral("커스터머 디스플레이"), panConfig);
    ckbDisplay->setGeometry(row(3, 18, 300));
    ckbDisplay->setFont(ZoFont(10, true));
    ckbDisplay->resize(ckbDisplay->sizeHint().width(), ckbDisplay->height());  // all of it takes the touch
    ckbDisplay->setFocusPolicy(Qt::NoFocus);
    ZoSetTextColor(ckbDisplay, kCaptionColor);
    connect(ckbDisplay, &QCheckBox::toggled, this,
            [this](bool aOn) { act([this, aOn] { model_.SetupChoices().Display = aOn; }); });

    cbbSignPad = makeChoices(panConfig, kSignPadChoices, row(4, 150, 120), &TLoginSetupChoices::SignPad);
    caption(4, 18, 128, "전자서명패드", nullptr);
    edtSignPadPort = makeEdit(panConfig, F::SignPadPort, row(4, 318, 46), 3, false);
    caption(4, 278, 38, "COM", edtSignPadPort);
}

QLineEdit* TfrmLogin::makeEdit(QWidget* aParent, TLoginField aField, const QRect& aRect, int aMaxLength, bool aSecret)
{
    auto* edit = new QLineEdit(aParent);
    edit->setGeometry(aRect);
    edit->setMaxLength(aMaxLength);
    edit->setFont(ZoFont(aRect.height() >= kRowHeight ? 13 : 11, true));
    if (aSecret) {
        edit->setEchoMode(QLineEdit::Password);
        edit->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));  // "*"
    }
    edits_[static_cast<std::size_t>(aField)] = edit;
    if (aField == kMaskedField) edit->setInputMask(kSaleDateMask);
    connect(edit, &QLineEdit::textEdited, this, [this, aField, edit] {
        act([this, aField, text = typedText(aField, edit).toStdString()] { model_.Change(aField, text); });
    });
    connect(edit, &QLineEdit::returnPressed, this, [this, aField] { act([this, aField] { model_.Enter(aField); }); });
    return edit;
}

QLabel* TfrmLogin::makeCaption(QWidget* aParent, const char* aCaption, const QRect& aRect, QLineEdit* aBuddy)
{
    auto* label = new QLabel(QString::fromUtf8(aCaption), aParent);
    label->setGeometry(aRect);
    label->setFont(ZoFont(12, true));
    ZoSetTextColor(label, kCaptionColor);
    if (aBuddy != nullptr) label->setBuddy(aBuddy);
    return label;
}

QComboBox* TfrmLogin::makeChoices(QWidget* aParent, const std::vector<std::string>& aChoices, const QRect& aRect,
                                  std::string TLoginSetupChoices::*aChoice)
{
    auto* box = new QComboBox(aParent);
    box->setGeometry(aRect);
    box->setFont(ZoFont(11, true));
    // A touch opens the list without taking the focus from the field the
    // keypad types into.
    box->setFocusPolicy(Qt::NoFocus);
    for (const std::string& choice : aChoices) box->addItem(QString::fromStdString(choice));
    connect(box, &QComboBox::currentTextChanged, this, [this, aChoice](const QString& aText) {
        act([this, aChoice, text = aText.toStdString()] { model_.SetupChoices().*aChoice = text; });
    });
    return box;
}

QLineEdit* TfrmLogin::Edit(TLoginField aField) const
{
    if (aField == F::None || aField == F::Count) return nullptr;
    return edits_[static_cast<std::size_t>(aField)];
}

TLoginField TfrmLogin::fieldOf(const QObject* aWidget) const
{
    for (std::size_t i = 0; i < edits_.size(); ++i)
        if (edits_[i] != nullptr && edits_[i] == aWidget) return static_cast<TLoginField>(i);
    return F::None;
}

void TfrmLogin::ShowModel()
{
    link_.Following([this] {
        showFields();
        showChoices();
        lblUpjangName->setText(QString::fromStdString(model_.UpjangName()));
        lblCashierName->setText(QString::fromStdString(model_.CashierName()));
        btnPasswordChange->setEnabled(model_.PasswordChangeEnabled());
        btnConfig->setEnabled(model_.ConfigEnabled());
        panPasswordChange->setVisible(model_.Panel() == TLoginPanel::PasswordChange);
        panConfig->setVisible(model_.Panel() == TLoginPanel::Config);
        followFocus();
    });
}

void TfrmLogin::showFields()
{
    for (std::size_t i = 0; i < edits_.size(); ++i) {
        QLineEdit* edit = edits_[i];
        if (edit == nullptr) continue;
        const auto field = static_cast<F>(i);
        const QString text = QString::fromStdString(model_.Text(field));
        if (typedText(field, edit) != text) {
            // The screen's own writing is no typing: no change handling.
            const QSignalBlocker blocker(edit);
            edit->setText(text);
        }
        // A read-only field is no Tab stop and takes no touch; it becomes
        // white when it is made editable.
        const bool editable = model_.Editable(field);
        if (!editable)
            ZoSetBaseColor(edit, kReadOnlyColor);
        else if (edit->isReadOnly())
            ZoSetBaseColor(edit, clWhite);
        edit->setReadOnly(!editable);
        edit->setFocusPolicy(editable ? Qt::StrongFocus : Qt::NoFocus);
        edit->setEnabled(model_.Enabled(field));
    }
}

void TfrmLogin::showChoices()
{
    const TLoginSetupChoices& choices = model_.SetupChoices();
    const auto choose = [](QComboBox* aBox, const std::string& aChoice) {
        const QSignalBlocker blocker(aBox);
        aBox->setCurrentText(QString::fromStdString(aChoice));
    };
    choose(cbbPrinter1, choices.Printer1);
    choose(cbbPrinter2, choices.Printer2);
    choose(cbbSignPad, choices.SignPad);
    const QSignalBlocker blocker(ckbDisplay);
    ckbDisplay->setChecked(choices.Display);
}

void TfrmLogin::followFocus()
{
    QLineEdit* target = Edit(model_.Focused());
    if (target != nullptr && target->isEnabled()) link_.FollowFocus(target);
}

void TfrmLogin::showEvent(QShowEvent* aEvent)
{
    TfrmInherit::showEvent(aEvent);
    if (shown_) return;
    shown_ = true;
    model_.Show();
    ShowModel();
}

void TfrmLogin::keyPressEvent(QKeyEvent* aEvent)
{
    if (aEvent->key() == Qt::Key_Escape && aEvent->modifiers() == Qt::NoModifier) {
        act([this] { model_.Escape(); });
        return;
    }
    TfrmInherit::keyPressEvent(aEvent);
}

void TfrmLogin::reject()
{
    act([this] { model_.CloseQuery(); });
}

bool TfrmLogin::eventFilter(QObject* aWatched, QEvent* aEvent)
{
    const bool handled = TfrmInherit::eventFilter(aWatched, aEvent);
    if (link_.CashierFocusIn(aEvent)) {
        // A touch or Tab into a field: the model runs the exit handling of
        // the field left and may send the focus elsewhere.
        const TLoginField field = fieldOf(aWatched);
        if (field != F::None && field != model_.Focused()) act([this, field] { model_.SetFocus(field); });
    }
    return handled;
}

}  // namespace pos
