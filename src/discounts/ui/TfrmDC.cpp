#include "discounts/ui/TfrmDC.h"

#include "controls/ZoColor.h"
#include "controls/ZoPosButton.h"
#include "controls/ZoPosLabel.h"
#include "controls/ZoRoundRect.h"
#include "core/ui/ModelActions.h"
#include "core/ui/TfrmListFrame.h"
#include "discounts/dc/DCModel.h"

#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QSignalBlocker>

#include <algorithm>

namespace pos {

namespace {

constexpr TColor kRed = 0x0000FF;
constexpr TColor kFuchsia = 0xFF00FF;
constexpr TColor kRowSelected = 0x6B2408;
constexpr TColor kLabelText = 0x633600;
constexpr const char* kNoPicture = "화상자료 없음";

// Column titles and widths of the list, in TDCColumn order.
struct TColumnLook {
    const char* title;
    int width;
    Qt::Alignment alignment;
};
constexpr TColumnLook kColumns[] = {
    {"우대번호", 70, Qt::AlignLeft},  {"성명", 60, Qt::AlignLeft},    {"회원구분", 90, Qt::AlignLeft},
    {"영업장", 65, Qt::AlignLeft},    {"할인", 25, Qt::AlignHCenter}, {"일회", 42, Qt::AlignRight},
    {"일", 42, Qt::AlignRight},       {"년", 42, Qt::AlignRight},     {"처리결과", 70, Qt::AlignLeft},
};

// Layout: entries on top, the list below them with the photo beside it, the
// buttons at the bottom.
constexpr int kLeft = 12;
constexpr int kTop = 72;
constexpr int kListTop = 152;
constexpr int kListWidth = 592;
constexpr int kListHeight = 234;
constexpr int kButtonsTop = 396;
constexpr int kButtonWidth = 62;
constexpr int kButtonHeight = 44;
constexpr int kButtonGap = 4;

TInheritOptions dcOptions()
{
    TInheritOptions o;
    o.caption = QStringLiteral("우대할인");
    return o;
}

TColor colorOf(TDCCellColor aColor) { return aColor == TDCCellColor::Red ? kRed : clBlack; }

}  // namespace

// The list of accepted discounts, read from the model's rows.
class TfrmDCFrame final : public TfrmListFrame {
public:
    TfrmDCFrame(const TDCModel& aModel, QWidget* aParent) : TfrmListFrame(aParent), model_(aModel) {}

    int GetCount() const override { return static_cast<int>(model_.State().rows.size()); }

    // Shows the model's rows with its selected one in view.
    void Redraw()
    {
        const int count = GetCount();
        const int rows = std::max(1, ListCount());
        const int current = model_.State().selected;
        if (current >= 0 && current < first_) first_ = current;
        if (current >= first_ + rows) first_ = current - rows + 1;
        first_ = std::clamp(first_, 0, std::max(0, count - rows));
        ShowPage(first_, current < 0 ? -1 : current - first_);
    }
    int First() const { return first_; }

protected:
    QString CellText(int aItem, int aIndex) const override
    {
        return QString::fromStdString(DCCellText(row(aIndex), static_cast<TDCColumn>(aItem)));
    }
    // Each showing colours every row afresh from its record.
    void StyleRow(int aIndex, TZoPosLabel& aRow) const override
    {
        auto& items = aRow.Items();
        for (std::size_t i = 0; i < items.size() && i < static_cast<std::size_t>(TDCColumn::Count); ++i) {
            const TDCCellColors colors = DCCellColors(row(aIndex), static_cast<TDCColumn>(i));
            items[i].color = colorOf(colors.normal);
            items[i].colorSelected =
                colors.selectedFuchsia ? kFuchsia : (colors.normal == TDCCellColor::Red ? kRed : clWhite);
        }
    }

private:
    const TDCList& row(int aIndex) const { return model_.State().rows.at(static_cast<std::size_t>(aIndex)); }

    const TDCModel& model_;
    int first_ = 0;
};

// Each cashier action runs on the model, then the screen shows the model and
// closes when the model says so. Focus moves the screen makes itself while
// showing are no action of the cashier.
TfrmDC::TfrmDC(const TScreenEnv& aEnv, TDCModel& aModel, QWidget* aParent)
    : TfrmInherit(aEnv, dcOptions(), aParent), model_(aModel),
      actions_(std::make_unique<TModelActions>(
          *this, [this] { ShowModel(); },
          [this] { return model_.State().closed ? std::optional<int>(QDialog::Accepted) : std::nullopt; }))
{
    const auto makeLabel = [this](const QString& aText, const QRect& aGeometry) {
        auto* label = new QLabel(aText, this);
        label->setGeometry(aGeometry);
        label->setFont(ZoFont(12, true));
        ZoSetTextColor(label, kLabelText);
        return label;
    };
    const auto makeEdit = [this](const QRect& aGeometry, TDCField aField) {
        auto* edit = new QLineEdit(this);
        edit->setGeometry(aGeometry);
        edit->setFont(ZoFont(13, true));
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, [this, aField](const QString& aText) {
            act([this, aField, text = aText.toStdString()] { model_.Change(aField, text); });
        });
        connect(edit, &QLineEdit::returnPressed, this, [this, aField] { act([this, aField] { model_.Enter(aField); }); });
        return edit;
    };

    auto* group = new TZoRoundRect(this);
    group->setGeometry(kLeft - 4, kTop - 6, kListWidth + 8, kListTop - kTop - 4);
    group->SetColors(clWhite, 0x9E6523, 0x5A3A10);
    group->SetRoundSize(12);
    lblMemberNo = makeLabel(QStringLiteral("우대번호"), QRect(kLeft + 6, kTop, 80, 34));
    edtMemberNo = makeEdit(QRect(kLeft + 88, kTop, 200, 34), TDCField::MemberNo);
    edtMemberNo->setMaxLength(40);  // a card's track comes through here
    lblMemberAddNo = makeLabel(QString::fromUtf8(kDCAddNoCaption), QRect(kLeft + 302, kTop, 104, 34));
    edtMemberAddNo = makeEdit(QRect(kLeft + 408, kTop, 176, 34), TDCField::MemberAddNo);
    edtMemberAddNo->setMaxLength(40);
    // Closed until a scheme asks for it, in money green.
    edtMemberAddNo->setStyleSheet(QStringLiteral("QLineEdit:disabled { background: #C0DCC0; }"));
    lblComment = makeLabel(QString(), QRect(kLeft + 6, kTop + 38, kListWidth - 12, 30));
    ZoSetTextColor(lblComment, 0x0000C0);

    fraList = new TfrmDCFrame(model_, this);
    fraList->setGeometry(kLeft, kListTop, kListWidth, kListHeight);
    fraList->CreateList(kRowSelected);
    for (const TColumnLook& column : kColumns)
        fraList->AddListItem(QString::fromUtf8(column.title), column.width, column.alignment);
    // The model keeps the selection: the page buttons and touches move it.
    disconnect(fraList->btnUp, &TZoPosButton::clicked, fraList, nullptr);
    disconnect(fraList->btnDown, &TZoPosButton::clicked, fraList, nullptr);
    connect(fraList->btnUp, &TZoPosButton::clicked, this, [this] { act([this] { model_.MoveSelection(-1); }); });
    connect(fraList->btnDown, &TZoPosButton::clicked, this, [this] { act([this] { model_.MoveSelection(1); }); });
    for (int row = 0; row < fraList->ListCount(); ++row) {
        connect(fraList->Row(row), &TZoPosLabel::clicked, this,
                [this, row] { act([this, row] { model_.Select(fraList->First() + row); }); });
    }

    panPicture = new TZoRoundRect(this);
    panPicture->setGeometry(kLeft + kListWidth + 10, kTop - 6, 800 - kLeft * 2 - kListWidth - 10,
                            kListTop + kListHeight - kTop + 6);
    static_cast<TZoRoundRect*>(panPicture)->SetColors(clWhite, 0x9E6523, 0x5A3A10);
    static_cast<TZoRoundRect*>(panPicture)->SetRoundSize(12);
    imgPicture = new QLabel(panPicture);
    imgPicture->setGeometry(8, 8, panPicture->width() - 16, panPicture->height() - 16);
    imgPicture->setAlignment(Qt::AlignCenter);
    imgPicture->setFont(ZoFont(11, true));
    ZoSetTextColor(imgPicture, 0x808080);

    CreateButtons();
}

TfrmDC::~TfrmDC() = default;

// 18 discount buttons in 6 columns and 3 rows, the page buttons beside them
// and the two delete commands at the right.
void TfrmDC::CreateButtons()
{
    for (int i = 0; i < kDCButtonCount; ++i) {
        auto* button = new TZoPosButton(this);
        button->setGeometry(kLeft + (i % 6) * (kButtonWidth + kButtonGap), kButtonsTop + (i / 6) * (kButtonHeight + kButtonGap),
                            kButtonWidth, kButtonHeight);
        button->setFont(ZoFont(9, true));
        connect(button, &TZoPosButton::clicked, this, [this, i] { act([this, i] { model_.PressButton(i + 1); }); });
        btnDC[static_cast<std::size_t>(i)] = button;
    }
    const int pageLeft = kLeft + 6 * (kButtonWidth + kButtonGap) + 4;
    const int height = 3 * kButtonHeight + 2 * kButtonGap;
    const auto makeCommand = [this](const QString& aCaption, const QRect& aGeometry) {
        auto* button = new TZoPosButton(this);
        button->setGeometry(aGeometry);
        button->setFont(ZoFont(12, true));
        button->SetCaption(aCaption);
        return button;
    };
    btnDCUp = makeCommand(QStringLiteral("▲"), QRect(pageLeft, kButtonsTop, 56, (height - kButtonGap) / 2));
    btnDCDown = makeCommand(QStringLiteral("▼"), QRect(pageLeft, kButtonsTop + (height + kButtonGap) / 2, 56,
                                                      (height - kButtonGap) / 2));
    const int commandLeft = pageLeft + 56 + 12;
    const int commandWidth = 800 - kLeft - commandLeft;
    btnDCDelete = makeCommand(QStringLiteral("우대할인 취소"), QRect(commandLeft, kButtonsTop, commandWidth,
                                                                   (height - kButtonGap) / 2));
    btnDCClear = makeCommand(QStringLiteral("우대할인 전체취소"),
                             QRect(commandLeft, kButtonsTop + (height + kButtonGap) / 2, commandWidth,
                                   (height - kButtonGap) / 2));
    connect(btnDCUp, &TZoPosButton::clicked, this, [this] { act([this] { model_.PageUp(); }); });
    connect(btnDCDown, &TZoPosButton::clicked, this, [this] { act([this] { model_.PageDown(); }); });
    connect(btnDCDelete, &TZoPosButton::clicked, this, [this] { act([this] { model_.DeleteSelected(); }); });
    connect(btnDCClear, &TZoPosButton::clicked, this, [this] { act([this] { model_.DeleteAll(); }); });
}

void TfrmDC::act(const std::function<void()>& aAction) { actions_->Act(aAction); }

void TfrmDC::ShowModel()
{
    const TDCState& state = model_.State();
    actions_->Following([&] {
        const auto setText = [](QLineEdit* aEdit, const std::string& aText) {
            const QString text = QString::fromStdString(aText);
            if (aEdit->text() == text) return;
            const QSignalBlocker blocker(aEdit);
            aEdit->setText(text);
        };
        setText(edtMemberNo, state.memberNo);
        edtMemberNo->setToolTip(QString::fromStdString(state.memberHint));
        setText(edtMemberAddNo, state.addNo);
        edtMemberAddNo->setEnabled(state.addNoEnabled);
        lblMemberAddNo->setText(QString::fromStdString(state.addNoCaption));
        lblMemberAddNo->setEnabled(state.addNoLabelEnabled);
        lblComment->setText(QString::fromStdString(state.comment));

        for (std::size_t i = 0; i < btnDC.size(); ++i) {
            btnDC[i]->SetCaption(QString::fromStdString(state.buttons[i].caption));
            btnDC[i]->setEnabled(state.buttons[i].enabled);
        }
        btnDCUp->setEnabled(state.pageUpEnabled);
        btnDCDown->setEnabled(state.pageDownEnabled);
        btnDCDelete->setEnabled(state.deleteEnabled);
        btnDCClear->setEnabled(state.clearEnabled);
        fraList->Redraw();
        showPhoto();

        QLineEdit* focused = state.focus == TDCField::MemberAddNo ? edtMemberAddNo : edtMemberNo;
        actions_->FollowFocus(focused, state.selectAll);
    });
}

// The photo comes as the server stored it, a JPEG picture.
void TfrmDC::showPhoto()
{
    const std::string& photo = model_.State().photo;
    if (photo == shownPhoto_ && !imgPicture->text().isEmpty() == photo.empty()) return;
    shownPhoto_ = photo;
    QImage image;
    if (!photo.empty())
        image.loadFromData(reinterpret_cast<const uchar*>(photo.data()), static_cast<int>(photo.size()), "JPEG");
    if (image.isNull()) {
        imgPicture->setPixmap(QPixmap());
        imgPicture->setText(QString::fromUtf8(kNoPicture));
        return;
    }
    imgPicture->setText(QString());
    imgPicture->setPixmap(QPixmap::fromImage(image.scaled(imgPicture->size(), Qt::KeepAspectRatio,
                                                          Qt::SmoothTransformation)));
}

void TfrmDC::showEvent(QShowEvent* aEvent)
{
    TfrmInherit::showEvent(aEvent);
    if (shown_) return;
    shown_ = true;
    act([this] { model_.Show(); });
}

void TfrmDC::reject()
{
    act([this] { model_.Escape(); });
}

bool TfrmDC::eventFilter(QObject* aWatched, QEvent* aEvent)
{
    const bool handled = TfrmInherit::eventFilter(aWatched, aEvent);
    const bool memberNo = aWatched == edtMemberNo;
    if ((memberNo || aWatched == edtMemberAddNo) && actions_->CashierFocusIn(aEvent)) {
        const TDCField field = memberNo ? TDCField::MemberNo : TDCField::MemberAddNo;
        if (field != model_.State().focus) act([this, field] { model_.SetFocus(field); });
    }
    if (aEvent->type() != QEvent::KeyPress || (!memberNo && aWatched != edtMemberAddNo)) return handled;
    const auto* key = static_cast<const QKeyEvent*>(aEvent);
    switch (key->key()) {
    case Qt::Key_Delete:
        if (key->modifiers() & Qt::ShiftModifier) {
            if (model_.State().clearEnabled) act([this] { model_.DeleteAll(); });
        } else if (model_.State().deleteEnabled) {
            act([this] { model_.DeleteSelected(); });
        }
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!memberNo) return handled;
        act([this, up = key->key() == Qt::Key_Up] { model_.MoveSelection(up ? -1 : 1); });
        return true;
    default: return handled;
    }
}

void ShowDC(TDCDeps& aDeps, std::vector<std::string>& aKeyInData)
{
    TDCModel model(aDeps.context, aDeps.store, aDeps.dialogs, aDeps.data, aDeps.lookups, aDeps.launchers, aKeyInData);
    TfrmDC screen(aDeps.env, model, aDeps.parent);
    screen.exec();
}

}  // namespace pos
