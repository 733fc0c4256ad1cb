#include "core/ui/TfrmInherit.h"

#include "controls/ZoColor.h"
#include "controls/ZoGradient.h"
#include "controls/ZoPosButton.h"
#include "core/DateHelpers.h"
#include "core/TerminalContext.h"
#include "core/ui/ImageLibrary.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>

namespace pos {

QDateTime TerminalNow() { return QDateTime::currentDateTime().addSecs(ClockOffset()); }

namespace {

constexpr int kTitleHeight = 62;
constexpr int kFooterHeight = 30;

QLabel* makeLabel(QWidget* aParent, const QRect& aRect, int aPointSize, bool aBold, TColor aColor,
                  Qt::Alignment aAlign = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* label = new QLabel(aParent);
    label->setGeometry(aRect);
    label->setFont(ZoFont(aPointSize, aBold));
    label->setAlignment(aAlign);
    ZoSetTextColor(label, aColor);
    return label;
}

QLabel* makePicture(QWidget* aParent, const QPoint& aAt, const QString& aName)
{
    auto* picture = new QLabel(aParent);
    const QPixmap pixmap = ImageMaskedPicture(aName);
    picture->setPixmap(pixmap);
    picture->setGeometry(QRect(aAt, pixmap.isNull() ? QSize(22, 22) : pixmap.size()));
    return picture;
}

bool fieldReadOnly(const QWidget* aField)
{
    if (auto* e = qobject_cast<const QLineEdit*>(aField)) return e->isReadOnly();
    if (auto* s = qobject_cast<const QAbstractSpinBox*>(aField)) return s->isReadOnly();
    if (auto* m = qobject_cast<const QPlainTextEdit*>(aField)) return m->isReadOnly();
    if (auto* t = qobject_cast<const QTextEdit*>(aField)) return t->isReadOnly();
    return false;
}

// Only single-line text and numeric fields are passed over; a combo box or
// a memo always takes the focus.
bool mayPassOver(const QWidget* aField)
{
    return qobject_cast<const QLineEdit*>(aField) != nullptr || qobject_cast<const QAbstractSpinBox*>(aField) != nullptr;
}

}  // namespace

bool IsInputField(const QWidget* aWidget)
{
    if (aWidget == nullptr) return false;
    // A spin box's inner line edit belongs to the spin box.
    if (qobject_cast<const QLineEdit*>(aWidget) != nullptr &&
        (qobject_cast<const QAbstractSpinBox*>(aWidget->parentWidget()) != nullptr ||
         qobject_cast<const QComboBox*>(aWidget->parentWidget()) != nullptr))
        return false;
    return qobject_cast<const QLineEdit*>(aWidget) != nullptr || qobject_cast<const QAbstractSpinBox*>(aWidget) != nullptr ||
           qobject_cast<const QComboBox*>(aWidget) != nullptr || qobject_cast<const QPlainTextEdit*>(aWidget) != nullptr ||
           qobject_cast<const QTextEdit*>(aWidget) != nullptr;
}

TfrmInherit::TfrmInherit(const TScreenEnv& aEnv, const TInheritOptions& aOptions, QWidget* aParent)
    : QDialog(aParent, Qt::Dialog | Qt::FramelessWindowHint), env_(aEnv), options_(aOptions)
{
    InitImageLibrary();
    if (options_.noBase) {
        options_.noCI = options_.noUpjang = options_.noClose = true;
        options_.noMsg = options_.noCashier = options_.noDate = true;
    }
    setModal(true);
    setFixedSize(options_.width, options_.height);
    setWindowTitle(options_.caption);
    setFont(ZoFont(9));
    // Centred on the 800 x 600 display the screens are laid out for.
    move((800 - options_.width) / 2, (600 - options_.height) / 2);

    tmrTimer = new QTimer(this);
    tmrTimer->setInterval(1000);

    if (!options_.noBase) {
        buildTitle();
        buildFooter();
    }

    if (env_.showLineDisplay) env_.showLineDisplay(std::string(), std::string());
}

TfrmInherit::~TfrmInherit()
{
    if (env_.showLineDisplay) env_.showLineDisplay(std::string(), std::string());
}

void TfrmInherit::buildTitle()
{
    const int w = options_.width;
    const int h = options_.height;

    graBack = new TZoGradient(this);
    graBack->setGeometry(0, kTitleHeight, w, std::max(0, h - kTitleHeight - kFooterHeight));
    graBack->SetVertical(true);
    graBack->SetColors(0x864913, 0xBE9923);
    graBack->SetStep(graBack->height() / 2);

    graTitle = new TZoGradient(this);
    graTitle->setGeometry(0, 0, w, kTitleHeight);
    graTitle->SetVertical(false);
    graTitle->SetColors(clWhite, 0xD2A54A);
    graTitle->SetStep(w / 2);
    graTitle->SetSkip(0, w / 2 - 200);

    imgCI = makePicture(this, QPoint(6, 6), QStringLiteral("CI"));
    imgCI->setVisible(!options_.noCI);

    // The title stands right of the middle; its shadow one pixel right and
    // down, under it.
    const QRect titleRect(w - 330, 12, 270, 36);
    lblTitleS = makeLabel(this, titleRect.translated(1, 1), 16, true, 0x3F2A10);
    lblTitle = makeLabel(this, titleRect, 16, true, clWhite);
    SetCaption(options_.caption);

    // Outlet and POS: laid out 50 pixels further left than they show, and
    // moved in only when the screen shows them.
    lblMasterUpjangNameTitle = makeLabel(this, QRect(10, 7, 200, 24), 11, true, 0x633600);
    lblMasterPosNoTitle = makeLabel(this, QRect(210, 7, 60, 24), 11, true, 0x633600);
    lblUpjangNameTitle = makeLabel(this, QRect(10, 32, 200, 24), 10, false, 0x633600);
    lblPosNoTitle = makeLabel(this, QRect(210, 32, 60, 24), 10, false, 0x633600);
    lblServer = makeLabel(this, QRect(280, 7, 120, 24), 9, false, 0x633600);
    for (QLabel* l : {lblMasterUpjangNameTitle, lblMasterPosNoTitle, lblUpjangNameTitle, lblPosNoTitle}) {
        if (options_.noUpjang) {
            l->hide();
        } else {
            l->move(l->x() + 50, l->y());
            l->show();
        }
    }
    if (!options_.noUpjang) {
        ShowMasterUpjang();
        ShowUpjang();
    }

    if (!options_.noClose) {
        btnClose = new TZoPosButton(this);
        btnClose->setGeometry(w - 9 - 48, 8, 48, 44);
        btnClose->SetImage(ImageLibraryName(), QStringLiteral("ExitBtn"), QStringLiteral("ExitBtnD"));
        TZoPosButtonColor colors;
        colors.colors = {0x633600, 0x060300, 0x957651, 0x190E00, 0x633600, 0x060300, 0x190E00, 0x957651};
        btnClose->SetColors(colors);
        connect(btnClose, &TZoPosButton::clicked, this, [this] { btnExitClick(); });
    }
}

void TfrmInherit::buildFooter()
{
    const int w = options_.width;
    panFooter = new QWidget(this);
    panFooter->setGeometry(0, options_.height - kFooterHeight, w, kFooterHeight);
    panFooter->setAutoFillBackground(true);
    ZoSetBackColor(panFooter, 0xCC9933);

    const bool right = !options_.noCashier || !options_.noDate;
    imgFooterMessage = makePicture(panFooter, QPoint(4, 4), QStringLiteral("FooterMemo"));
    lblFooterMessage = makeLabel(panFooter, QRect(30, 0, (right ? w - 350 : w - 4) - 30, kFooterHeight), 10, false, clWhite);
    imgFooterCashier = makePicture(panFooter, QPoint(w - 344, 4), QStringLiteral("FooterCashier"));
    lblFooterCashier = makeLabel(panFooter, QRect(w - 318, 0, 112, kFooterHeight), 10, false, clWhite);
    imgFooterDate = makePicture(panFooter, QPoint(w - 204, 4), QStringLiteral("FooterDate"));
    lblFooterDate = makeLabel(panFooter, QRect(w - 178, 0, 92, kFooterHeight), 10, false, clWhite);
    lblFooterTime = makeLabel(panFooter, QRect(w - 86, 0, 82, kFooterHeight), 10, false, clWhite,
                              Qt::AlignRight | Qt::AlignVCenter);

    imgFooterMessage->setVisible(!options_.noMsg);
    lblFooterMessage->setVisible(!options_.noMsg);
    imgFooterCashier->setVisible(!options_.noCashier);
    lblFooterCashier->setVisible(!options_.noCashier);
    if (!options_.noCashier) ShowCashier();
    imgFooterDate->setVisible(!options_.noDate);
    lblFooterDate->setVisible(!options_.noDate);
    lblFooterTime->setVisible(!options_.noDate);
    if (!options_.noDate) {
        connect(tmrTimer, &QTimer::timeout, this, [this] { TimerTick(TerminalNow().time()); });
        tmrTimer->start();
        ShowDate();
        ShowTime();
    }
}

void TfrmInherit::SetCaption(const QString& aCaption)
{
    options_.caption = aCaption;
    setWindowTitle(aCaption);
    if (lblTitle != nullptr) lblTitle->setText(aCaption);
    if (lblTitleS != nullptr) lblTitleS->setText(aCaption);
}

void TfrmInherit::ShowMsg(const std::string& aMsg, bool aError, int aDispTime)
{
    if (options_.noMsg || lblFooterMessage == nullptr) return;
    footerMessage_.Show(aMsg, aDispTime);
    ZoSetTextColor(lblFooterMessage, aError ? 0x800080 : clWhite);
    lblFooterMessage->setText(QString::fromStdString(aMsg));
}

void TfrmInherit::ShowCashier(const std::string& aCashierName, const std::string& aCashier)
{
    if (options_.noCashier || lblFooterCashier == nullptr) return;
    const TTerminalContext* c = env_.context;
    std::string name;
    if (!aCashier.empty())
        name = aCashierName;
    else if (c != nullptr && !c->gsCashier.empty())
        name = c->gsCashierName;
    ZoSetTextColor(lblFooterCashier, c != nullptr && c->gbTestMode ? 0x0000FF : clWhite);
    lblFooterCashier->setText(QString::fromStdString(name));
}

void TfrmInherit::ShowDate(const std::string& aDate)
{
    if (options_.noDate || lblFooterDate == nullptr) return;
    const TTerminalContext* c = env_.context;
    const std::string date = !aDate.empty() ? aDate : (c != nullptr ? c->gsSaleDate : std::string());
    ZoSetTextColor(lblFooterDate, c != nullptr && c->gbPreSale ? 0x0000FF : clWhite);
    lblFooterDate->setText(QString::fromStdString(DateToString(date, '-', true)));
}

void TfrmInherit::ShowTime(const QTime& aNow)
{
    if (options_.noDate || lblFooterTime == nullptr) return;
    const QLocale korean(QLocale::Korean, QLocale::SouthKorea);
    lblFooterTime->setText(QString::fromStdString(
        FooterTimeText(aNow.hour(), aNow.minute(), korean.amText().toStdString(), korean.pmText().toStdString())));
}

void TfrmInherit::ShowMasterUpjang()
{
    if (options_.noUpjang || lblMasterUpjangNameTitle == nullptr || env_.context == nullptr) return;
    lblMasterUpjangNameTitle->setText(QString::fromStdString(env_.context->gsMasterUpjangName));
    lblMasterPosNoTitle->setText(QString::fromStdString("#" + env_.context->gsMasterPosNo));
}

void TfrmInherit::ShowUpjang()
{
    if (options_.noUpjang || lblUpjangNameTitle == nullptr || env_.context == nullptr) return;
    lblUpjangNameTitle->setText(QString::fromStdString(env_.context->gsUpjangName));
    lblPosNoTitle->setText(QString::fromStdString("#" + env_.context->gsPosNo));
}

void TfrmInherit::TimerTick(const QTime& aNow)
{
    if (aNow.second() == 0) ShowTime(aNow);
    if (footerMessage_.Tick() && lblFooterMessage != nullptr) lblFooterMessage->clear();
}

void TfrmInherit::btnExitClick() { reject(); }

void TfrmInherit::showEvent(QShowEvent* aEvent)
{
    if (!fieldsInstalled_) {
        fieldsInstalled_ = true;
        InstallFieldHandlers();
    }
    QDialog::showEvent(aEvent);
}

void TfrmInherit::InstallFieldHandlers(QWidget* aRoot)
{
    QWidget* root = aRoot != nullptr ? aRoot : this;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!IsInputField(w) || w->property("posFieldHandlers").toBool()) continue;
        w->setProperty("posFieldHandlers", true);
        w->installEventFilter(this);
        if (auto* e = qobject_cast<QLineEdit*>(w))
            connect(e, &QLineEdit::textChanged, this, [this] { fieldChange(); });
        else if (auto* m = qobject_cast<QPlainTextEdit*>(w))
            connect(m, &QPlainTextEdit::textChanged, this, [this] { fieldChange(); });
        else if (auto* t = qobject_cast<QTextEdit*>(w))
            connect(t, &QTextEdit::textChanged, this, [this] { fieldChange(); });
        else if (auto* cb = qobject_cast<QComboBox*>(w))
            connect(cb, &QComboBox::currentTextChanged, this, [this] { fieldChange(); });
        else if (auto* s = qobject_cast<QAbstractSpinBox*>(w))
            connect(s, &QAbstractSpinBox::editingFinished, this, [this] { fieldChange(); });
    }
}

bool TfrmInherit::eventFilter(QObject* aWatched, QEvent* aEvent)
{
    auto* field = qobject_cast<QWidget*>(aWatched);
    if (field != nullptr && field->property("posFieldHandlers").toBool()) {
        switch (aEvent->type()) {
        case QEvent::FocusIn: fieldEnter(field); break;
        case QEvent::FocusOut: fieldExit(field); break;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(aEvent)->key();
            const bool multiLine = qobject_cast<QPlainTextEdit*>(field) != nullptr || qobject_cast<QTextEdit*>(field) != nullptr;
            if ((key == Qt::Key_Up || key == Qt::Key_Down) && !multiLine) {
                focusNextPrevChild(key == Qt::Key_Down);
                return true;
            }
            break;
        }
        default: break;
        }
    }
    return QDialog::eventFilter(aWatched, aEvent);
}

void TfrmInherit::fieldEnter(QWidget* aField)
{
    const bool blue = aField->palette().color(QPalette::Base) == ZoColor(0xFF0000);
    const TFieldEntry entry = mayPassOver(aField)
                                  ? FieldEntry(fieldReadOnly(aField), blue, aField->property("tag").toInt())
                                  : TFieldEntry::Stop;
    if (entry == TFieldEntry::PassOver) {
        ZoSetBaseColor(aField, kPassedColor);
        aField->setProperty("posPassedOver", true);
        // A screen whose fields are all passed over would otherwise send the
        // focus round for ever.
        const int fields = static_cast<int>(findChildren<QWidget*>().size());
        if (++passOverChain_ > fields) return;
        QPointer<QWidget> field(aField);
        QTimer::singleShot(0, this, [this, field] {
            if (!field.isNull() && field->hasFocus()) focusNextPrevChild(true);
        });
        return;
    }
    passOverChain_ = 0;
    aField->setProperty("posPassedOver", false);
    ZoSetBaseColor(aField, kFocusColor);
    for (QLabel* label : findChildren<QLabel*>()) {
        if (label->buddy() == aField) {
            ShowMsg(FieldPrompt(label->text().toStdString()), false, 10);
            break;
        }
    }
}

void TfrmInherit::fieldExit(QWidget* aField)
{
    if (aField->property("posPassedOver").toBool()) return;
    ZoSetBaseColor(aField, clWhite);
}

void TfrmInherit::fieldChange()
{
    if (!footerMessage_.Text().empty()) ShowMsg(std::string());
}

}  // namespace pos
