#include "tables/ui/TfrmOrder.h"

#include "controls/ZoColor.h"
#include "controls/ZoPosButton.h"
#include "controls/ZoRoundRect.h"
#include "tables/OrderTableModel.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTimer>

namespace pos {
namespace {

constexpr TColor kBadge = 0x9E6523;
constexpr TColor kBadgeDisabled = 0x969696;
constexpr TColor kTimeBack = 0xEC9F00;
constexpr TColor kTileEnabled = 0xE8D1BB;
constexpr TColor kTileDisabled = 0xC0C0C0;
constexpr TColor kBlue = 0xFF0000;
constexpr TColor kRed = 0x0000FF;
constexpr TColor kFuchsia = 0xFF00FF;
constexpr TColor kGrey = 0x808080;
constexpr TColor kCaptionColor = 0x633600;

constexpr QRect kTablePanel{8, 72, 610, 490};
constexpr int kModeButtonHeight = 48;
constexpr int kRight = 626;
constexpr int kRightWidth = 166;

TInheritOptions orderOptions()
{
    TInheritOptions o;
    o.caption = QStringLiteral("주문 테이블");
    o.noClose = true;
    return o;
}

QLabel* label(QWidget* aParent, const QRect& aRect, int aPoint, bool aBold, Qt::Alignment aAlign)
{
    auto* l = new QLabel(aParent);
    l->setGeometry(aRect);
    l->setFont(ZoFont(aPoint, aBold));
    l->setAlignment(aAlign);
    return l;
}

void fill(QWidget* aWidget, TColor aColor)
{
    aWidget->setAutoFillBackground(true);
    ZoSetBackColor(aWidget, aColor);
}

QString q(const std::string& aText) { return QString::fromStdString(aText); }

}  // namespace

TfrmOrder::TfrmOrder(const TScreenEnv& aEnv, TOrderTableModel& aModel, QWidget* aParent)
    : TfrmInherit(aEnv, orderOptions(), aParent),
      model_(aModel),
      actions_(*this, [this] { ShowModel(); },
               [this] { return model_.Finished() ? std::optional<int>(QDialog::Accepted) : std::nullopt; })
{
    CreateButtons();
    buildSummary();
    buildCommands();
    tmrOrder = new QTimer(this);
    tmrOrder->setInterval(100);
    connect(tmrOrder, &QTimer::timeout, this, [this] { act([this] { model_.Tick(); }); });
}

TfrmOrder::~TfrmOrder() = default;

// 5 rows of 5 tiles above the mode commands.
void TfrmOrder::CreateButtons()
{
    panTable = new QFrame(this);
    panTable->setGeometry(kTablePanel);
    panTable->setFrameShape(QFrame::StyledPanel);
    const int width = (kTablePanel.width() - 12) / 5;
    const int height = (kTablePanel.height() - kModeButtonHeight - 14) / 5;
    for (int i = 0; i < kTiles; ++i) {
        TTile& t = tiles[i];
        t.panel = new QFrame(panTable);
        t.panel->setGeometry(6 + (i % 5) * width, 6 + (i / 5) * height, width - 2, height - 2);
        t.panel->setFrameShape(QFrame::Box);
        t.panel->installEventFilter(this);
        const int w = width - 2;
        t.number = label(t.panel, QRect(1, 1, 31, 18), 10, true, Qt::AlignRight | Qt::AlignVCenter);
        ZoSetTextColor(t.number, clWhite);
        t.number->setContentsMargins(0, 0, 3, 0);
        t.time = label(t.panel, QRect(33, 1, w - 34, 18), 10, false, Qt::AlignCenter);
        fill(t.time, kTimeBack);
        t.amount = label(t.panel, QRect(2, 20, w - 4, 18), 11, true, Qt::AlignRight | Qt::AlignVCenter);
        t.list = label(t.panel, QRect(3, 39, w - 6, height - 2 - 39 - 17), 9, false, Qt::AlignLeft | Qt::AlignTop);
        t.list->setWordWrap(true);
        t.list->setFrameShape(QFrame::Panel);
        t.list->setFrameShadow(QFrame::Sunken);
        fill(t.list, clWhite);
        t.footer = label(t.panel, QRect(2, height - 2 - 17, w - 4, 16), 9, false, Qt::AlignCenter);
        ZoSetTextColor(t.footer, kGrey);
        for (QLabel* l : {t.number, t.time, t.amount, t.list, t.footer}) l->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    const int top = 6 + 5 * height + 2;
    const int bw = (kTablePanel.width() - 12) / 4;
    btnTableMove = command(panTable, "이동", QRect(6, top, bw - 4, kModeButtonHeight),
                           [this] { model_.ModeCommand(TOrderCommand::Move); });
    btnTableJoin = command(panTable, "합석", QRect(6 + bw, top, bw - 4, kModeButtonHeight),
                           [this] { model_.ModeCommand(TOrderCommand::Join); });
    btnTableSplit = command(panTable, "분리", QRect(6 + 2 * bw, top, bw - 4, kModeButtonHeight),
                            [this] { model_.ModeCommand(TOrderCommand::Split); });
    btnTableRestore = command(panTable, "환원", QRect(6 + 3 * bw, top, bw - 4, kModeButtonHeight),
                              [this] { model_.ModeCommand(TOrderCommand::Restore); });
}

void TfrmOrder::buildSummary()
{
    auto* panel = new TZoRoundRect(this);
    panel->setGeometry(kRight, 72, kRightWidth, 214);
    panel->SetColors(clWhite, 0x9E6523, 0x5A3A10);
    panel->SetRoundSize(10);
    panSum = panel;
    const char* captions[] = {"주문중 :", "주문중 합계 :", "계산완료:", "계산완료 합계 :", "총 건수 :", "총 합계 :", "테이블 단가 :"};
    for (int i = 0; i < 7; ++i) {
        QLabel* caption = label(panel, QRect(8, 6 + i * 28, 150, 14), 9, true, Qt::AlignLeft | Qt::AlignVCenter);
        caption->setText(QString::fromUtf8(captions[i]));
        ZoSetTextColor(caption, kCaptionColor);
        lblSum[i] = label(panel, QRect(8, 19 + i * 28, 150, 14), 10, true, Qt::AlignRight | Qt::AlignVCenter);
    }
}

void TfrmOrder::buildCommands()
{
    QLabel* caption = label(this, QRect(kRight, 292, 70, 30), 10, true, Qt::AlignLeft | Qt::AlignVCenter);
    caption->setText(QStringLiteral("테이블 번호"));
    ZoSetTextColor(caption, clWhite);
    edtTableNo = new QLineEdit(this);
    edtTableNo->setGeometry(kRight + 74, 292, kRightWidth - 74, 30);
    edtTableNo->setFont(ZoFont(12, true));
    edtTableNo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edtTableNo->setMaxLength(4);
    edtTableNo->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edtTableNo));
    edtTableNo->installEventFilter(this);

    const int half = kRightWidth / 2;
    btnForward = command(this, "◀ 이전", QRect(kRight, 328, half - 2, 40), [this] { model_.Forward(); });
    btnBackward = command(this, "다음 ▶", QRect(kRight + half, 328, half - 2, 40), [this] { model_.Backward(); });
    btnPageUp = command(this, "◀◀", QRect(kRight, 370, half - 2, 40), [this] { model_.PageUp(); });
    btnPageDown = command(this, "▶▶", QRect(kRight + half, 370, half - 2, 40), [this] { model_.PageDown(); });

    btnLogin = command(this, "Login", QRect(kRight, 416, half - 2, 44), [this] { model_.LoginCommand(); });
    btnIpgumOpen = command(this, "준비금 입력", QRect(kRight + half, 416, half - 2, 44), [this] { model_.FloatCommand(); });
    btnIpgumClose = command(this, "중간 입금", QRect(kRight, 462, half - 2, 44), [this] { model_.DepositCommand(); });
    btnClose = command(this, "마감", QRect(kRight + half, 462, half - 2, 44), [this] { model_.CloseCommand(); });
    btnShutdown = command(this, "시스템 종료", QRect(kRight, 508, kRightWidth - 2, 44), [this] { model_.ShutdownCommand(); });
}

TZoPosButton* TfrmOrder::command(QWidget* aParent, const char* aCaption, const QRect& aRect,
                                 const std::function<void()>& aAction)
{
    auto* button = new TZoPosButton(aParent);
    button->setGeometry(aRect);
    button->SetCaption(QString::fromUtf8(aCaption));
    button->SetCaptionStyle(11, true, clBlack, clWhite, true);
    button->SetColor(TZoPosButtonColor::Face, 0xC0FFFF);
    connect(button, &TZoPosButton::clicked, this, [this, aAction] { act(aAction); });
    return button;
}

void TfrmOrder::showTile(int aIndex)
{
    const TOrderTile& m = model_.Tiles()[aIndex];
    TTile& t = tiles[aIndex];
    t.number->setText(QString::number(m.tableNo));
    t.time->setText(q(m.time));
    t.amount->setText(q(m.amount));
    ZoSetTextColor(t.amount, m.negative ? kRed : kBlue);
    t.list->setText(q(m.listText));
    ZoSetTextColor(t.list, m.ordering ? kFuchsia : clBlack);
    t.footer->setText(q(m.footer));
    fill(t.panel, m.enabled ? kTileEnabled : kTileDisabled);
    fill(t.number, m.enabled ? kBadge : kBadgeDisabled);
    t.panel->setEnabled(m.enabled);
}

void TfrmOrder::ShowModel()
{
    for (int i = 0; i < kTiles; ++i) showTile(i);
    for (int i = 0; i < 7; ++i) lblSum[i]->setText(q(model_.SummaryTexts()[i]));
    const TOrderCommands& c = model_.Commands();
    btnForward->setEnabled(c.forward);
    btnBackward->setEnabled(c.backward);
    btnPageUp->setEnabled(c.pageUp);
    btnPageDown->setEnabled(c.pageDown);
    btnTableMove->setEnabled(c.move);
    btnTableJoin->setEnabled(c.join);
    btnTableSplit->setEnabled(c.split);
    btnTableRestore->setEnabled(c.restore);
    btnIpgumOpen->setEnabled(c.ipgum);
    btnIpgumClose->setEnabled(c.ipgum);
    const TOrderPrompt& p = model_.Prompt();
    if (p.serial != promptShown_) {
        promptShown_ = p.serial;
        ShowMsg(p.text, p.alert, p.dispTime);
    }
    if (model_.TakeBringToFront()) {
        raise();
        activateWindow();
    }
}

void TfrmOrder::CloseWhenOffLine()
{
    model_.CloseWhenOffLine();
    if (!actions_.InModel() && isVisible()) done(QDialog::Accepted);
}

void TfrmOrder::showEvent(QShowEvent* aEvent)
{
    TfrmInherit::showEvent(aEvent);
    if (shown_) return;
    shown_ = true;
    edtTableNo->setFocus();
    // Once the screen runs its own loop, so that a model that ends at once
    // (off line) can end the screen.
    QTimer::singleShot(0, this, [this] {
        act([this] { model_.Open(); });
        tmrOrder->start();
    });
}

bool TfrmOrder::eventFilter(QObject* aWatched, QEvent* aEvent)
{
    if (aEvent->type() == QEvent::MouseButtonRelease) {
        for (int i = 0; i < kTiles; ++i) {
            if (aWatched != tiles[i].panel || !tiles[i].panel->isEnabled()) continue;
            act([this, i] { model_.TouchTable(model_.Tiles()[i].tableNo); });
            return true;
        }
    }
    if (aWatched == edtTableNo && aEvent->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(aEvent)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const std::string text = edtTableNo->text().toStdString();
            edtTableNo->clear();
            act([this, text] { model_.EnterTableNo(text); });
            return true;
        }
        if (key == Qt::Key_Escape) {
            act([this] { model_.Escape(); });
            return true;
        }
    }
    return TfrmInherit::eventFilter(aWatched, aEvent);
}

void TfrmOrder::reject() { act([this] { model_.Escape(); }); }

}  // namespace pos
