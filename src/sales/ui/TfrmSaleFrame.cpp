#include "sales/ui/TfrmSaleFrame.h"

#include "controls/ZoPosButton.h"
#include "controls/ZoPosLabel.h"
#include "sales/SaleLines.h"

#include <QEvent>
#include <QLabel>
#include <QResizeEvent>

namespace pos {

namespace {

constexpr TColor kChildPriceColor = 0x0000FF;       // red name: a child price variant
constexpr TColor kChildPriceSelected = 0xFF00FF;    // on a fuchsia selection
constexpr TColor kDiscountColor = 0xFF0000;         // blue discount cell
constexpr TColor kDiscountSelected = 0x00FFFF;      // on a yellow selection
constexpr TColor kRowSelected = 0x6B2408;           // dark blue selection of an ordinary row

}  // namespace

namespace {

Qt::Alignment columnAlignment(int aColumn)
{
    if (aColumn == SaleCol::SaleCount || aColumn == SaleCol::DCRate || aColumn == SaleCol::SaleAmt)
        return Qt::AlignRight;
    if (aColumn == SaleCol::AcceptMemberNo) return Qt::AlignHCenter;
    return Qt::AlignLeft;
}

}  // namespace

TfrmSaleFrame::TfrmSaleFrame(TSaleLines& aLines, bool aShopOutlet, int aWidth, QWidget* aParent)
    : TfrmListFrame(aParent), lines_(aLines), showCode_(aShopOutlet)
{
    const TSaleColumnWidths w = SaleColumnWidths(aShopOutlet);
    int widths[] = {w.code, w.name, w.count, w.discount, w.amount, w.memberNo, w.memberName, w.guestType};
    // The page buttons take room the bill's layout gives to the columns: the
    // name column, the only one whose text may be cut, gives it up so that
    // the amounts are never cut.
    int used = 0;
    for (int column = 0; column <= SaleCol::SaleAmt; ++column)
        if (widths[column] > 0) used += widths[column] + ((columnAlignment(column) & Qt::AlignRight) ? 5 : 4);
    const int room = aWidth - kButtonWidth - 5;
    if (used > room) widths[SaleCol::MenuName] -= used - room;

    resize(aWidth, height());
    CreateList(kRowSelected);
    for (int column = 0; column < 8; ++column)
        AddListItem(QString::fromUtf8(TSaleLines::ColumnTitle(column)), widths[column], columnAlignment(column));
    // Outside the shops the code column has no width: it is not shown.
    ColumnTitle(SaleCol::MenuCode)->setVisible(showCode_);
    SetSumIndex(SaleCol::SaleAmt, SaleCol::DCAmt);

    // The page buttons move the bill's current line, not a page of the frame.
    disconnect(btnUp, &TZoPosButton::clicked, this, nullptr);
    disconnect(btnDown, &TZoPosButton::clicked, this, nullptr);
    connect(btnUp, &TZoPosButton::clicked, this, [this] {
        lines_.UpList();
        emit currentMoved();
    });
    connect(btnDown, &TZoPosButton::clicked, this, [this] {
        lines_.DownList();
        emit currentMoved();
    });

    panTitle->installEventFilter(this);
    for (QLabel* title : panTitle->findChildren<QLabel*>()) title->installEventFilter(this);

    lines_.Subscribe([this](TSaleLinesEvent) { Redraw(); });
    routeTouches();
}

int TfrmSaleFrame::GetCount() const { return lines_.GetCount(); }

Variant TfrmSaleFrame::GetDataItem(int aItem, int aIndex) const
{
    return lines_.GetDataItem(aItem, aIndex == -1 ? lines_.CurrentRow() : aIndex);
}

QString TfrmSaleFrame::CellText(int aItem, int aIndex) const
{
    if (aItem == SaleCol::MenuCode && !showCode_) return {};
    return QString::fromStdString(lines_.CellText(aIndex, aItem));
}

void TfrmSaleFrame::StyleRow(int aIndex, TZoPosLabel& aRow) const
{
    const TSaleRowStyle style = lines_.RowStyle(aIndex);
    auto& items = aRow.Items();
    // White text is read on the dark blue and fuchsia selections; on the
    // yellow one of a discounted line it would vanish, so text is black there.
    const bool yellowSelection = style.discounted && !style.childPrice;
    const TColor selectedText = yellowSelection ? clBlack : clWhite;
    for (TZoPosLabelItem& item : items) item.colorSelected = yellowSelection ? clBlack : TZoPosLabelItem{}.colorSelected;
    TZoPosLabelItem& name = items.at(SaleCol::MenuName);
    name.color = style.childPrice ? kChildPriceColor : clBlack;
    name.colorSelected = style.childPrice ? kChildPriceColor : selectedText;
    TZoPosLabelItem& discount = items.at(SaleCol::DCRate);
    discount.color = style.discounted ? kDiscountColor : clBlack;
    discount.colorSelected = style.discounted ? kDiscountColor : clWhite;
    TColor selection = kRowSelected;
    if (style.childPrice) selection = kChildPriceSelected;
    else if (style.discounted) selection = kDiscountSelected;
    aRow.SetColorSelected(selection);
    aRow.SetChecked(style.checked);
    aRow.update();
}

void TfrmSaleFrame::Redraw()
{
    lines_.SetVisibleRows(ListCount());
    ShowPage(lines_.FirstRow(), lines_.CurrentRow() < 0 ? -1 : lines_.CurrentRow() - lines_.FirstRow());
}

void TfrmSaleFrame::SetWide(bool aWide)
{
    if (aWide == wide_) return;
    if (!wide_) normalWidth_ = width();
    wide_ = aWide;
    resize(wide_ ? normalWidth_ + kWideExtra : normalWidth_, height());
    raise();
    emit wideChanged(wide_);
}

void TfrmSaleFrame::resizeEvent(QResizeEvent* aEvent)
{
    TfrmListFrame::resizeEvent(aEvent);
    routeTouches();
    Redraw();
}

void TfrmSaleFrame::routeTouches()
{
    // Rows made by the frame report touches to the frame's own paging; the
    // bill's lines keep the current row, so every row is sent there instead.
    for (int row = 0; row < ListCount(); ++row) {
        TZoPosLabel* label = Row(row);
        // A row normally goes inert when its first cell is empty; the hidden
        // code column is always empty, so rows stay live (the lines ignore
        // touches below the last line).
        label->SetAlwaysEnabled(!showCode_);
        disconnect(label, &TZoPosLabel::clicked, this, nullptr);
        connect(label, &TZoPosLabel::clicked, this, [this, row] {
            lines_.TouchRow(row);
            Redraw();  // a touch below the last line selects nothing
            emit currentMoved();
        });
    }
}

bool TfrmSaleFrame::eventFilter(QObject* aWatched, QEvent* aEvent)
{
    if (aEvent->type() == QEvent::MouseButtonRelease) {
        SetWide(!wide_);
        return true;
    }
    return TfrmListFrame::eventFilter(aWatched, aEvent);
}

}  // namespace pos
