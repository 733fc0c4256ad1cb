#include "closing/ui/TfrmClose.h"

#include "closing/CloseModel.h"
#include "controls/ZoColor.h"
#include "controls/ZoPosButton.h"
#include "controls/ZoRoundRect.h"
#include "core/Currency.h"
#include "core/TextHelpers.h"
#include "core/ui/TfrmKeyFrame.h"

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

#include <memory>

namespace pos {
namespace {

constexpr TColor kCaptionColor = 0x633600;
constexpr TColor kValueBack = 0xF8F4EE;
constexpr TColor kPanelTitle = 0x9E6523;

constexpr int kPanelTop = 74;
constexpr int kPanelHeight = 470;
constexpr QRect kFloatPanel{14, kPanelTop, 330, kPanelHeight};
constexpr QRect kDepositPanel{356, kPanelTop, 430, kPanelHeight};
constexpr int kRowHeight = 30;
constexpr int kRowStep = 33;

TInheritOptions closeOptions()
{
    TInheritOptions o;
    o.caption = QStringLiteral("마감");
    return o;
}

QString Thousands(Currency aAmount) { return QString::fromStdString(FormatThousands(aAmount)); }

QLabel* makeLabel(QWidget* aParent, const QString& aText, const QRect& aRect, int aPoint, TColor aColor,
                  Qt::Alignment aAlign = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* label = new QLabel(aText, aParent);
    label->setGeometry(aRect);
    label->setFont(ZoFont(aPoint, true));
    label->setAlignment(aAlign);
    ZoSetTextColor(label, aColor);
    return label;
}

QLabel* valueLabel(QWidget* aParent, const QRect& aRect)
{
    QLabel* label = makeLabel(aParent, QString(), aRect, 12, clBlack, Qt::AlignRight | Qt::AlignVCenter);
    label->setAutoFillBackground(true);
    ZoSetBackColor(label, kValueBack);
    label->setContentsMargins(0, 0, 6, 0);
    return label;
}

TZoRoundRect* makePanel(QWidget* aParent, const QRect& aRect, const char* aTitle)
{
    auto* panel = new TZoRoundRect(aParent);
    panel->setGeometry(aRect);
    panel->SetColors(clWhite, 0x9E6523, 0x5A3A10);
    panel->SetShadow(true, 4);
    panel->SetRoundSize(12);
    makeLabel(panel, QString::fromUtf8(aTitle), QRect(0, 6, aRect.width(), 30), 15, kPanelTitle, Qt::AlignCenter);
    return panel;
}

TZoPosButton* makeButton(QWidget* aParent, const char* aCaption, const QRect& aRect)
{
    auto* button = new TZoPosButton(aParent);
    button->setGeometry(aRect);
    button->SetCaption(QString::fromUtf8(aCaption));
    button->SetCaptionStyle(12, true, clBlack, clWhite, true);
    button->SetColor(TZoPosButtonColor::Face, 0xC0FFFF);
    return button;
}

// The digits of an entry as a number ("1,000" and "-5000" both read).
std::int64_t Digits(const QString& aText)
{
    QString digits = aText;
    digits.remove(QLatin1Char(','));
    return digits.toLongLong();
}

}  // namespace

TfrmClose::TfrmClose(const TScreenEnv& aEnv, TCloseModel& aModel, QWidget* aParent)
    : TfrmInherit(aEnv, closeOptions(), aParent),
      model_(aModel),
      actions_(*this, [this] { ShowModel(); },
               [this] { return model_.Finished() ? std::optional<int>(QDialog::Accepted) : std::nullopt; })
{
    buildFloatPanel();
    buildDepositPanel();
}

TfrmClose::~TfrmClose() = default;

void TfrmClose::buildFloatPanel()
{
    TZoRoundRect* panel = makePanel(this, kFloatPanel, "준 비 금");
    const struct {
        const char* caption;
        QLabel** value;
    } rows[] = {{"입력횟수", &lblOpenCount}, {"준 비 금", &lblOpenAmt}};
    int top = 44;
    for (const auto& row : rows) {
        makeLabel(panel, QString::fromUtf8(row.caption), QRect(16, top, 100, kRowHeight), 12, kCaptionColor);
        *row.value = valueLabel(panel, QRect(120, top, 190, kRowHeight));
        top += kRowStep;
    }
    makeLabel(panel, QStringLiteral("입력금액"), QRect(16, top, 100, kRowHeight), 12, kCaptionColor);
    edtOpenAmt = makeEdit(panel, QRect(120, top, 190, kRowHeight), 10);
    edtOpenAmt->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9,]*")), edtOpenAmt));
    connect(edtOpenAmt, &QLineEdit::textEdited, this,
            [this](const QString& aText) { act([this, n = Digits(aText)] { model_.SetFloatAmount(Currency(n)); }); });
    connect(edtOpenAmt, &QLineEdit::returnPressed, this,
            [this] { act([this] { model_.Enter({TCloseEntry::Float, 0}); }); });
    top += kRowStep;
    makeLabel(panel, QStringLiteral("합　　계"), QRect(16, top, 100, kRowHeight), 12, kCaptionColor);
    lblOpenTotal = valueLabel(panel, QRect(120, top, 190, kRowHeight));

    fraKeyPad = new TfrmKeyFrame(panel);
    fraKeyPad->move((kFloatPanel.width() - fraKeyPad->width()) / 2, top + 44);

    btnOpen = makeButton(panel, "준비금 입력", QRect(16, kPanelHeight - 66, kFloatPanel.width() - 32, 52));
    connect(btnOpen, &TZoPosButton::clicked, this, [this] { act([this] { model_.FloatCommand(); }); });
}

void TfrmClose::buildDepositPanel()
{
    TZoRoundRect* panel = makePanel(this, kDepositPanel, "중간입금");
    int top = 40;
    for (std::size_t i = 0; i < kDenominations.size(); ++i) {
        const TDenomination& d = kDenominations[i];
        makeLabel(panel, QString::fromUtf8(d.caption.data(), static_cast<int>(d.caption.size())),
                  QRect(14, top, 96, 26), 12, kCaptionColor);
        edtIpgum[i] = makeEdit(panel, QRect(112, top, 90, 26), d.maxDigits);
        edtIpgum[i]->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edtIpgum[i]));
        lblIpgumPiece[i] = valueLabel(panel, QRect(210, top, 200, 26));
        connect(edtIpgum[i], &QLineEdit::textEdited, this, [this, i](const QString& aText) {
            act([this, i, n = Digits(aText)] { model_.SetCount(i, n); });
        });
        connect(edtIpgum[i], &QLineEdit::returnPressed, this,
                [this, i] { act([this, i] { model_.Enter({TCloseEntry::Count, i}); }); });
        top += 29;
    }
    const struct {
        const char* caption;
        QLabel** value;
    } rows[] = {{"입금합계", &lblIpgumSum}, {"입금횟수", &lblIpgumCount}, {"중간입금", &lblIpgumAmt},
                {"최종합계", &lblIpgumTotal}};
    top += 4;
    for (std::size_t r = 0; r < std::size(rows); ++r) {
        const int left = r % 2 == 0 ? 14 : 214;
        makeLabel(panel, QString::fromUtf8(rows[r].caption), QRect(left, top, 72, 26), 11, kCaptionColor);
        *rows[r].value = valueLabel(panel, QRect(left + 74, top, 122, 26));
        if (r % 2 == 1) top += 29;
    }
    btnIpgum = makeButton(panel, "중간 입금", QRect(14, kPanelHeight - 66, 196, 52));
    connect(btnIpgum, &TZoPosButton::clicked, this, [this] { act([this] { model_.DepositCommand(); }); });
    btnClose = makeButton(panel, "사용자 마감", QRect(220, kPanelHeight - 66, 196, 52));
    connect(btnClose, &TZoPosButton::clicked, this, [this] { act([this] { model_.CloseCommand(); }); });
}

QLineEdit* TfrmClose::makeEdit(QWidget* aParent, const QRect& aRect, int aMaxLength)
{
    auto* edit = new QLineEdit(aParent);
    edit->setGeometry(aRect);
    edit->setMaxLength(aMaxLength);
    edit->setFont(ZoFont(12, true));
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return edit;
}

QLineEdit* TfrmClose::focusedEdit() const
{
    const TCloseFocus at = model_.Focus();
    return at.entry == TCloseEntry::Float ? edtOpenAmt : edtIpgum[at.count];
}

std::optional<TCloseFocus> TfrmClose::entryOf(const QObject* aWidget) const
{
    if (aWidget == edtOpenAmt) return TCloseFocus{TCloseEntry::Float, 0};
    for (std::size_t i = 0; i < edtIpgum.size(); ++i)
        if (aWidget == edtIpgum[i]) return TCloseFocus{TCloseEntry::Count, i};
    return std::nullopt;
}

// A touch or Up/Down into an entry moves the model's focus there, so that
// showing the model keeps the focus where the cashier put it.
bool TfrmClose::eventFilter(QObject* aWatched, QEvent* aEvent)
{
    const bool handled = TfrmInherit::eventFilter(aWatched, aEvent);
    if (actions_.CashierFocusIn(aEvent)) {
        const std::optional<TCloseFocus> at = entryOf(aWatched);
        if (at && *at != model_.Focus()) act([this, at] { model_.SetFocus(*at); });
    }
    return handled;
}

void TfrmClose::ShowModel()
{
    actions_.Following([this] {
        const TCloseFigures& f = model_.Figures();
        const auto setEntry = [](QLineEdit* aEdit, const QString& aText) {
            if (aEdit->text() == aText || (aText.isEmpty() && aEdit->text() == QStringLiteral("-"))) return;
            const QSignalBlocker blocker(aEdit);
            aEdit->setText(aText);
        };
        setEntry(edtOpenAmt, model_.FloatAmount() == 0 ? QString() : Thousands(model_.FloatAmount()));
        lblOpenCount->setText(QString::number(f.floats.count));
        lblOpenAmt->setText(Thousands(f.floats.amount));
        lblOpenTotal->setText(Thousands(model_.FloatTotal()));
        for (std::size_t i = 0; i < kDenominations.size(); ++i) {
            const std::int64_t count = model_.Count(i);
            setEntry(edtIpgum[i], count == 0 ? QString() : QString::number(count));
            lblIpgumPiece[i]->setText(Thousands(model_.PieceAmount(i)));
        }
        lblIpgumSum->setText(Thousands(model_.CountedSum()));
        lblIpgumCount->setText(QString::number(f.deposits.count));
        lblIpgumAmt->setText(Thousands(f.deposits.amount));
        lblIpgumTotal->setText(Thousands(model_.DepositTotal()));
        actions_.FollowFocus(focusedEdit(), false);
    });
}

void TfrmClose::showEvent(QShowEvent* aEvent)
{
    TfrmInherit::showEvent(aEvent);
    if (shown_) return;
    shown_ = true;
    ShowModel();
}

void TfrmClose::reject() { done(QDialog::Rejected); }

void ShowClose(const TScreenEnv& aEnv, TCloseModel& aModel, QWidget* aParent)
{
    auto screen = std::make_unique<TfrmClose>(aEnv, aModel, aParent);
    screen->exec();
}

}  // namespace pos
