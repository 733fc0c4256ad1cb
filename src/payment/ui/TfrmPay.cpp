#include "payment/ui/TfrmPay.h"

#include "controls/ZoColor.h"
#include "controls/ZoPosButton.h"
#include "controls/ZoRoundRect.h"
#include "core/ui/TfrmKeyFrame.h"
#include "payment/ui/TPayTenderButton.h"
#include "payment/ui/TfrmPayFrame.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

namespace pos {

namespace {

using F = TPayField;
using K = TPayKind;

// Layout of the 800 x 600 screen: tender buttons at the left, the panel of
// the selected tender over its list in the middle, the summary over the
// keypad at the right.
constexpr int kTenderLeft = 7;
constexpr int kTenderTop = 71;
constexpr QRect kPanelRect(126, 66, 468, 226);
constexpr QRect kListRect(126, 296, 468, 30 + 26 * 8 + 26 + 4);
constexpr QRect kSummaryRect(598, 66, 198, 302);
constexpr QPoint kKeyPadAt(598, 372);

// Inside a panel: fields in rows at the left, the looked-up account at the
// right, the delete button at the bottom right.
constexpr int kFieldTop = 12;
constexpr int kFieldStep = 41;
constexpr int kFieldHeight = 32;
constexpr int kCaptionLeft = 12;
constexpr int kCaptionWidth = 84;
constexpr int kEditLeft = 98;
constexpr int kInfoTop = 12;
constexpr int kInfoStep = 27;
constexpr int kInfoCaptionLeft = 262;
constexpr int kInfoValueLeft = 326;
constexpr int kInfoValueWidth = 132;
constexpr QRect kDeleteRect(352, 172, 100, 42);

constexpr TColor kCaptionColor = 0x633600;
constexpr TColor kTitleColor = 6562338;      // the tender names of the summary
constexpr TColor kAmountColor = 0x0000C0;    // the amounts of the summary, as "받을금액"
constexpr TColor kSumBack = 0xE1FFFF;
constexpr TColor kDisabledColor = 12639424;  // a closed field
constexpr TColor kInfoBack = 0xF8F4EE;
constexpr TColor kExecuteBack = 0xC0FFFF;
constexpr TColor kToggleDown = 0x3399FF;     // the kind of cash receipt chosen

TInheritOptions payOptions()
{
    TInheritOptions o;
    o.caption = QStringLiteral("결제");
    return o;
}

QLabel* makeLabel(QWidget* aParent, const QString& aText, const QRect& aRect, int aPoint, bool aBold, TColor aColor,
                  Qt::Alignment aAlign = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* label = new QLabel(aText, aParent);
    label->setGeometry(aRect);
    label->setFont(ZoFont(aPoint, aBold));
    label->setAlignment(aAlign);
    ZoSetTextColor(label, aColor);
    return label;
}

QLabel* valueLabel(QWidget* aParent, const QRect& aRect, int aPoint, TColor aText, TColor aBack,
                   Qt::Alignment aAlign = Qt::AlignLeft)
{
    QLabel* label = makeLabel(aParent, QString(), aRect, aPoint, true, aText, aAlign | Qt::AlignVCenter);
    label->setAutoFillBackground(true);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setContentsMargins(4, 0, 4, 0);
    ZoSetBackColor(label, aBack);
    return label;
}

QRect fieldRect(int aRow, int aLeft, int aWidth) { return QRect(aLeft, kFieldTop + aRow * kFieldStep, aWidth, kFieldHeight); }

QString amountText(Currency aAmount) { return QString::fromStdString(FormatThousands(aAmount)); }

// Fields whose panel says "do not read cards here": the reader would type
// the card into an amount that takes no card.
bool warnsOfCards(TPayField aField)
{
    return aField == F::CashAmt || aField == F::RoomAmt || aField == F::LockerAmt || aField == F::EventAmt ||
           aField == F::CreditAmt;
}

}  // namespace

TfrmPay::TfrmPay(const TScreenEnv& aEnv, TPayModel& aModel, QWidget* aParent)
    : TfrmInherit(aEnv, payOptions(), aParent), model_(aModel), link_(*this, aModel, [this] { ShowModel(); })
{
    buildSummary();
    const std::vector<TPayTender>& tenders = model_.Tenders();
    for (std::size_t i = 0; i < tenders.size(); ++i) {
        buildTender(tenders[i], static_cast<int>(i));
        buildPanel(tenders[i].kind);
    }
    fraKeyPad = new TfrmKeyFrame(this);
    fraKeyPad->move(kKeyPadAt);
    buildExecutePanels();
}

TfrmPay::~TfrmPay() = default;

// ---------------------------------------------------------------- building

void TfrmPay::buildSummary()
{
    auto* summary = new TZoRoundRect(this);
    summary->setGeometry(kSummaryRect);
    summary->SetColors(clWhite, 0x9E6523, 0x5A3A10);
    summary->SetShadow(true, 4);
    summary->SetRoundSize(12);
    panPay = summary;
    const struct {
        const char* caption;
        QLabel** value;
        int point;
    } totals[] = {{"받을금액", &lblSumAmt, 13}, {"받은금액", &lblGetAmt, 13}, {"거 스 름", &lblChangeAmt, 13}};
    for (int i = 0; i < 3; ++i) {
        const int top = 212 + 28 * i;
        makeLabel(panPay, QString::fromUtf8(totals[i].caption), QRect(8, top, 68, 26), 10, true, kCaptionColor);
        *totals[i].value = valueLabel(panPay, QRect(76, top, 112, 26), totals[i].point, kAmountColor, kSumBack, Qt::AlignRight);
    }
    ZoSetTextColor(lblChangeAmt, 0xC00000);
}

void TfrmPay::buildTender(const TPayTender& aTender, int aPosition)
{
    TKindWidgets& w = kinds_[index(aTender.kind)];
    const QString name = QString::fromStdString(aTender.name);
    w.tender = new TPayTenderButton(aTender.kind, name, this);
    w.tender->move(kTenderLeft, kTenderTop + TPayTenderButton::kHeight * aPosition);
    w.tender->setObjectName(QStringLiteral("imgPay%1").arg(aPosition));
    connect(w.tender, &TPayTenderButton::clicked, this, [this, kind = aTender.kind] { act([=, this] { model_.Select(kind); }); });
    imgPay.push_back(w.tender);

    // The summary's title and amount of the tender select it too.
    w.title = makeLabel(panPay, name, QRect(15, 10 + 25 * aPosition - 2, 62, 21), 9, true, kTitleColor);
    w.amount = makeLabel(panPay, QStringLiteral("0"), QRect(78, 5 + 25 * aPosition, 92, 21), 11, true, kAmountColor,
                         Qt::AlignRight | Qt::AlignVCenter);
    for (QLabel* label : {w.title, w.amount}) {
        label->setProperty("payKind", KindIndex(aTender.kind));
        label->installEventFilter(this);
    }
    lblPayTitle.push_back(w.title);
    lblPayAmt.push_back(w.amount);
}

void TfrmPay::buildPanel(TPayKind aKind)
{
    TKindWidgets& w = kinds_[index(aKind)];
    w.panel = new TZoRoundRect(this);
    w.panel->setGeometry(kPanelRect);
    w.panel->SetColors(clWhite, 0x9E6523, 0x5A3A10);
    w.panel->SetShadow(true, 4);
    w.panel->SetRoundSize(14);
    w.panel->hide();
    switch (aKind) {
    case K::Cash: buildCashPanel(w.panel); break;
    case K::Card:
    case K::EasyCheck: buildCardPanel(w.panel, aKind); break;
    case K::GiftCard: buildGiftCardPanel(w.panel); break;
    default: buildAccountPanel(w.panel, aKind); break;
    }
    // Group lines go with the button only; a card line's approval is cancelled first.
    const char* deleteCaption = aKind == K::Card ? "승인취소\r(Del)" : aKind == K::Event ? "삭제" : "삭제\r(Del)";
    w.deleteButton = makeButton(w.panel, deleteCaption, kDeleteRect);
    connect(w.deleteButton, &TZoPosButton::clicked, this, [this, aKind] { act([=, this] { model_.DeleteClick(aKind); }); });

    w.frame = new TfrmPayFrame(model_, aKind, kListRect, this);
    w.frame->hide();
    w.frame->SetLog(Env().writeLog);
    connect(w.frame, &TfrmPayFrame::rowTouched, this, [this, aKind](int aRow) { act([=, this] { model_.TouchRow(aKind, aRow); }); });
    connect(w.frame, &TfrmPayFrame::upPressed, this, [this, aKind] { act([=, this] { model_.RowUp(aKind); }); });
    connect(w.frame, &TfrmPayFrame::downPressed, this, [this, aKind] { act([=, this] { model_.RowDown(aKind); }); });
}

void TfrmPay::buildCashPanel(TZoRoundRect* aPanel)
{
    makeEdit(aPanel, F::CashAmt, "결제금액", 0, 150, true, 10);
    makeEdit(aPanel, F::CashNo, "식별번호", 1, 220, false, 40);
    btnPayCashMan = makeButton(aPanel, "개인", QRect(kEditLeft, kFieldTop + 2 * kFieldStep, 80, 40));
    btnPayCashComp = makeButton(aPanel, "사업자", QRect(kEditLeft + 86, kFieldTop + 2 * kFieldStep, 80, 40));
    for (TZoPosButton* b : {btnPayCashMan, btnPayCashComp}) {
        b->SetGroupIndex(1);
        b->SetColor(TZoPosButtonColor::FaceDown, kToggleDown);
    }
    connect(btnPayCashMan, &TZoPosButton::clicked, this, [this] { act([this] { model_.CashManClick(true); }); });
    connect(btnPayCashComp, &TZoPosButton::clicked, this, [this] { act([this] { model_.CashManClick(false); }); });
    makeLabel(aPanel, QStringLiteral("현금영수증: 휴대폰·주민·사업자·카드번호"), QRect(kCaptionLeft, 176, 330, 24), 9,
              false, kCaptionColor);
}

void TfrmPay::buildCardPanel(TZoRoundRect* aPanel, TPayKind aKind)
{
    const bool card = aKind == K::Card;
    makeEdit(aPanel, card ? F::CardAmt : F::EasyCheckAmt, "결제금액", 0, 150, true, 10);
    makeEdit(aPanel, card ? F::CardNo : F::EasyCheckNo, "카드번호", 1, 220, false, 60);
    makeEdit(aPanel, card ? F::CardValidThru : F::EasyCheckValidThru, "유효기간", 2, 70, true, 4);
    makeEdit(aPanel, card ? F::CardHalbuMonth : F::EasyCheckHalbuMonth, "할부개월", 3, 50, true, 2);
    QLabel* halbu = makeLabel(aPanel, QStringLiteral("일시불"), fieldRect(3, kEditLeft + 58, 80), 11, true, 0x9E6523);
    (card ? lblPayCardHalbu : lblPayEasyCheckHalbu) = halbu;
    if (card) makeEdit(aPanel, F::CardAgreeNo, "원승인번호", 4, 120, true, 12);
    else
        makeLabel(aPanel, QStringLiteral("이지체크 단말기에서 승인된 카드를 등록합니다."), QRect(kCaptionLeft, 182, 330, 24),
                  9, false, kCaptionColor);
}

void TfrmPay::buildAccountPanel(TZoRoundRect* aPanel, TPayKind aKind)
{
    struct Layout {
        const char* numberCaption;
        std::vector<const char*> info;
        TZoPosButton** lookup;
    };
    Layout layout;
    switch (aKind) {
    case K::Room:
        layout = {"객실번호", {"회원번호", "회원성명", "투숙객명", "입실일자", "퇴실일자", "고객구분"}, &btnPayRoom};
        break;
    case K::Locker: layout = {"락카번호", {"회원번호", "내장객명", "내장시간", "경과시간"}, &btnLocker}; break;
    case K::Event: layout = {"연회번호", {"연 회 명", "단체번호", "단 체 명", "비    고"}, &btnPayEvent}; break;
    default: layout = {"우대번호", {"회원번호", "회원성명", "선납금액", "잔    액", "비    고"}, nullptr}; break;
    }
    makeEdit(aPanel, AmountField(aKind), "결제금액", 0, 150, true, 10);
    makeEdit(aPanel, NumberField(aKind), layout.numberCaption, 1, 110, false, 40);
    if (layout.lookup != nullptr) {
        *layout.lookup = makeButton(aPanel, "조회", QRect(kEditLeft + 114, kFieldTop + kFieldStep, 46, kFieldHeight));
        connect(*layout.lookup, &TZoPosButton::clicked, this, [this, aKind] {
            act([=, this] {
                if (aKind == K::Room) model_.RoomListClick();
                else if (aKind == K::Locker) model_.LockerListClick();
                else model_.EventListClick();
            });
        });
    }
    for (std::size_t i = 0; i < layout.info.size(); ++i) addInfo(aKind, aPanel, layout.info[i], static_cast<int>(i));
}

void TfrmPay::buildGiftCardPanel(TZoRoundRect* aPanel)
{
    makeEdit(aPanel, F::GiftCardNo, "상품권번호", 0, 140, false, 20);
    makeEdit(aPanel, F::GiftCardCount, "매    수", 1, 60, true, 4);
    for (const char* caption : {"상품권명", "액 면 가", "결제금액"})
        addInfo(K::GiftCard, aPanel, caption, static_cast<int>(InfoLabels(K::GiftCard).size()));
    for (int i = 0; i < TGiftCardPages::kButtons; ++i) {
        btnPayGiftCard[static_cast<std::size_t>(i)] = makeButton(aPanel, "", QRect(kCaptionLeft + 70 * i, 96, 66, 64));
        btnPayGiftCard[static_cast<std::size_t>(i)]->SetCaptionStyle(9, true, clBlack, clWhite, true);
        connect(btnPayGiftCard[static_cast<std::size_t>(i)], &TZoPosButton::clicked, this,
                [this, i] { act([=, this] { model_.GiftCardClick(i); }); });
    }
    btnPayGiftCardNext = makeButton(aPanel, "다음", QRect(kCaptionLeft + 70 * 5, 96, 88, 64));
    connect(btnPayGiftCardNext, &TZoPosButton::clicked, this, [this] { act([this] { model_.GiftCardNextClick(); }); });
}

void TfrmPay::buildExecutePanels()
{
    const auto panel = [this](const char* aText) {
        QLabel* label = valueLabel(this, QRect(150, 250, 500, 100), 13, 0x000080, kExecuteBack, Qt::AlignHCenter);
        label->setText(QString::fromUtf8(aText));
        label->setWordWrap(true);
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setLineWidth(2);
        // Shown while the screen is disabled: it keeps its colours.
        QPalette pal = label->palette();
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Window})
            pal.setColor(QPalette::Disabled, role, pal.color(QPalette::Active, role));
        label->setPalette(pal);
        label->hide();
        return label;
    };
    panPayCardExecute = panel("신용카드 승인 요청 중입니다. 잠시(최대 30초) 기다리십시오.");
    panPayCashExecute = panel("현금영수증 승인 요청 중입니다. 잠시(최대 30초) 기다리십시오.");
}

QLineEdit* TfrmPay::makeEdit(QWidget* aParent, TPayField aField, const char* aCaption, int aRow, int aWidth,
                             bool aNumeric, int aMaxLength)
{
    auto* edit = new QLineEdit(aParent);
    edit->setGeometry(fieldRect(aRow, kEditLeft, aWidth));
    edit->setFont(ZoFont(12, true));
    edit->setMaxLength(aMaxLength);
    if (aNumeric) {
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    }
    if (warnsOfCards(aField)) edit->setToolTip(QStringLiteral("이곳에서 신용카드를 읽지 마십시오"));
    QLabel* caption = makeLabel(aParent, QString::fromUtf8(aCaption), fieldRect(aRow, kCaptionLeft, kCaptionWidth), 11,
                                true, kCaptionColor);
    caption->setBuddy(edit);
    edits_[static_cast<std::size_t>(FieldIndex(aField))] = edit;
    connect(edit, &QLineEdit::textEdited, this,
            [this, aField](const QString& aText) { act([=, this] { model_.Change(aField, aText.toStdString()); }); });
    return edit;
}

TZoPosButton* TfrmPay::makeButton(QWidget* aParent, const char* aCaption, const QRect& aRect)
{
    auto* button = new TZoPosButton(aParent);
    button->setGeometry(aRect);
    button->SetCaption(QString::fromUtf8(aCaption));
    button->SetCaptionStyle(10, true, clBlack, clWhite, true);
    return button;
}

void TfrmPay::addInfo(TPayKind aKind, QWidget* aParent, const char* aCaption, int aRow)
{
    const int top = kInfoTop + aRow * kInfoStep;
    makeLabel(aParent, QString::fromUtf8(aCaption), QRect(kInfoCaptionLeft, top, 62, 24), 10, true, kCaptionColor);
    const bool amount = aKind == K::GiftCard ? aRow >= 1 : (aKind == K::Credit && (aRow == 2 || aRow == 3));
    kinds_[index(aKind)].info.push_back(valueLabel(aParent, QRect(kInfoValueLeft, top, kInfoValueWidth, 24), 9,
                                                   clBlack, kInfoBack, amount ? Qt::AlignRight : Qt::AlignLeft));
}

// ---------------------------------------------------------------- showing

void TfrmPay::ShowModel()
{
    link_.Following([this] {
        showSummary();
        showPanels();
        showFields();
        followFocus();
    });
}

void TfrmPay::showSummary()
{
    const TPaySummary s = model_.Summary();
    lblSumAmt->setText(amountText(s.due));
    lblGetAmt->setText(amountText(s.received));
    lblChangeAmt->setText(amountText(s.change));
    for (const TPayTender& tender : model_.Tenders()) {
        const TKindWidgets& w = kinds_[index(tender.kind)];
        w.tender->SetSelected(model_.Selected() == tender.kind);
        w.amount->setText(amountText(s.Kind(tender.kind)));
    }
}

void TfrmPay::showPanels()
{
    for (const TPayTender& tender : model_.Tenders()) {
        const TKindWidgets& w = kinds_[index(tender.kind)];
        const bool selected = model_.Selected() == tender.kind;
        w.panel->setVisible(selected);
        w.frame->setVisible(selected);
        w.deleteButton->setEnabled(model_.DeleteEnabled(tender.kind));
        if (selected) w.frame->Redraw();
        const std::vector<std::string> texts = infoTexts(tender.kind);
        for (std::size_t i = 0; i < w.info.size() && i < texts.size(); ++i)
            w.info[i]->setText(QString::fromStdString(texts[i]));
    }
    if (lblPayCardHalbu != nullptr) lblPayCardHalbu->setText(QString::fromStdString(model_.HalbuCaption(K::Card)));
    if (lblPayEasyCheckHalbu != nullptr)
        lblPayEasyCheckHalbu->setText(QString::fromStdString(model_.HalbuCaption(K::EasyCheck)));
    if (btnPayCashMan != nullptr) {
        btnPayCashMan->SetDown(model_.CashIndividual());
        btnPayCashComp->SetDown(!model_.CashIndividual());
    }
    if (btnPayGiftCardNext != nullptr) {
        for (int i = 0; i < TGiftCardPages::kButtons; ++i) {
            const TGiftCardKind* kind = model_.GiftCardPages().Button(i);
            TZoPosButton* button = btnPayGiftCard[static_cast<std::size_t>(i)];
            button->SetCaption(kind != nullptr ? QString::fromStdString(kind->Name) : QString());
            button->SetNumber(kind != nullptr ? i + 1 : 0);
            button->setEnabled(kind != nullptr);
        }
        btnPayGiftCardNext->setEnabled(model_.GiftCardPages().Kinds().size() > TGiftCardPages::kButtons);
    }
}

std::vector<std::string> TfrmPay::infoTexts(TPayKind aKind) const
{
    switch (aKind) {
    case K::Room:
        if (const TRoomInfo* r = model_.Room())
            return {r->MemberNo, r->MemberName, r->ComeName, r->CheckInDate, r->CheckOutDate, r->GuestTypeName};
        break;
    case K::Locker:
        if (const TLockerInfo* l = model_.Locker()) return {l->MemberNo, l->ComeName, l->ComeTime, l->PassTime};
        break;
    case K::Event:
        if (const TEventInfo* e = model_.Event()) return {e->EventName, e->MemberNo, e->MemberName, e->Remark};
        break;
    case K::Credit:
        if (const TCreditInfo* c = model_.Credit())
            return {c->CustNo, c->CustName, FormatThousands(c->PrepayAmt), FormatThousands(c->RemainAmt), c->Remark};
        break;
    case K::GiftCard:
        if (const TGiftCardKind* g = model_.GiftCard())
            return {g->Name, FormatThousands(g->Face), FormatThousands(model_.GiftCardAmt())};
        return {"", "", ""};
    default: return {};
    }
    return std::vector<std::string>(kinds_[index(aKind)].info.size());
}

void TfrmPay::showFields()
{
    for (int i = 1; i < kPayFieldCount; ++i) {
        QLineEdit* edit = edits_[static_cast<std::size_t>(i)];
        if (edit == nullptr) continue;
        const auto field = static_cast<TPayField>(i);
        const QString text = QString::fromStdString(model_.Text(field));
        if (edit->text() != text) {
            // The screen's own writing is no typing: no change handling.
            const QSignalBlocker blocker(edit);
            edit->setText(text);
        }
        const bool enabled = model_.Enabled(field);
        if (enabled != edit->isEnabled()) ZoSetBaseColor(edit, enabled ? clWhite : kDisabledColor);
        edit->setEnabled(enabled);
    }
}

void TfrmPay::followFocus()
{
    QLineEdit* target = Edit(model_.Focused());
    if (target != nullptr && target->isEnabled() && target->isVisibleTo(this)) link_.FollowFocus(target);
}

void TfrmPay::ShowExecute(bool aCard, bool aShow)
{
    QLabel* panel = aCard ? panPayCardExecute : panPayCashExecute;
    if (aShow) {
        panel->show();
        panel->raise();
        setEnabled(false);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        panel->repaint();
    } else {
        panel->hide();
        setEnabled(true);
        QApplication::restoreOverrideCursor();
    }
}

// ---------------------------------------------------------------- events

void TfrmPay::showEvent(QShowEvent* aEvent)
{
    TfrmInherit::showEvent(aEvent);
    if (shown_) return;
    shown_ = true;
    model_.Show();
    ShowModel();
}

void TfrmPay::reject()
{
    act([this] { model_.CloseQuery(); });
}

TPayField TfrmPay::fieldOf(const QObject* aWidget) const
{
    for (std::size_t i = 0; i < edits_.size(); ++i)
        if (edits_[i] != nullptr && edits_[i] == aWidget) return static_cast<TPayField>(i);
    return F::None;
}

bool TfrmPay::eventFilter(QObject* aWatched, QEvent* aEvent)
{
    const QVariant kind = aWatched->property("payKind");
    if (kind.isValid() && aEvent->type() == QEvent::MouseButtonRelease) {
        act([this, kind = static_cast<TPayKind>(kind.toInt())] { model_.Select(kind); });
        return true;
    }
    if (aEvent->type() == QEvent::MouseButtonPress && aWatched == keepSelection_) {
        keepSelection_ = nullptr;
        return true;
    }
    const bool handled = TfrmInherit::eventFilter(aWatched, aEvent);
    const TPayField field = fieldOf(aWatched);
    if (field == F::None) return handled;
    // A touch, Tab or Up/Down into a field: the model runs its entry (an
    // amount field proposes what is left to pay).
    if (link_.CashierFocusIn(aEvent) && field != model_.Focused()) {
        act([this, field] { model_.SetFocus(field); });
        const bool touched = static_cast<QFocusEvent*>(aEvent)->reason() == Qt::MouseFocusReason;
        keepSelection_ = touched && model_.Focused() == field && model_.SelectAll() ? aWatched : nullptr;
    }
    if (aEvent->type() == QEvent::KeyPress && !handled) return keyPress(field, static_cast<QKeyEvent*>(aEvent));
    return handled;
}

bool TfrmPay::keyPress(TPayField aField, QKeyEvent* aKey)
{
    // The card reader types wherever the focus is; the amount fields keep
    // what it typed.
    if (!aKey->text().isEmpty()) model_.KeyPress(aField, aKey->text().toStdString());
    switch (aKey->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: act([this, aField] { model_.Enter(aField); }); return true;
    case Qt::Key_Escape: act([this] { model_.CloseQuery(); }); return true;
    case Qt::Key_PageUp: act([this] { model_.SelectPrior(); }); return true;
    case Qt::Key_PageDown: act([this] { model_.SelectNext(); }); return true;
    case Qt::Key_Delete: {
        const TPayKind kind = KindOfField(aField);
        if (kind == K::Event || !model_.DeleteEnabled(kind)) return false;
        act([this, aField] { model_.DeleteKey(aField); });
        return true;
    }
    default: return false;
    }
}

}  // namespace pos
