#include "payment/ui/TfrmPayFrame.h"

#include "controls/ZoPosButton.h"
#include "controls/ZoPosLabel.h"
#include "payment/PayModel.h"

#include <algorithm>

namespace pos {

namespace {

Qt::Alignment alignmentOf(TPayColumn::Align aAlign)
{
    switch (aAlign) {
    case TPayColumn::Center: return Qt::AlignHCenter;
    case TPayColumn::Right: return Qt::AlignRight;
    case TPayColumn::Left: break;
    }
    return Qt::AlignLeft;
}

constexpr TColor kRowSelected = 0x6B2408;

}  // namespace

TfrmPayFrame::TfrmPayFrame(const TPayModel& aModel, TPayKind aKind, const QRect& aGeometry, QWidget* aParent)
    : TfrmListFrame(aParent), model_(aModel), kind_(aKind)
{
    setGeometry(aGeometry);
    CreateList(kRowSelected);
    for (const TPayColumn& column : PayColumns(aKind))
        AddListItem(QString::fromUtf8(column.title), column.width, alignmentOf(column.align));
    SetFooterVisible(true);
    SetSumIndex(PaySumColumn(aKind));

    // The model keeps the current line: the page buttons move it there.
    disconnect(btnUp, &TZoPosButton::clicked, this, nullptr);
    disconnect(btnDown, &TZoPosButton::clicked, this, nullptr);
    connect(btnUp, &TZoPosButton::clicked, this, [this] { emit upPressed(); });
    connect(btnDown, &TZoPosButton::clicked, this, [this] { emit downPressed(); });
    routeTouches();
}

int TfrmPayFrame::GetCount() const { return PayLineCount(model_.Lines(), kind_); }

Variant TfrmPayFrame::GetDataItem(int aItem, int aIndex) const
{
    return PayListItem(model_.Lines(), kind_, aIndex == -1 ? model_.Current(kind_) : aIndex, aItem);
}

void TfrmPayFrame::Redraw()
{
    const int count = GetCount();
    const int rows = std::max(1, ListCount());
    const int current = model_.Current(kind_);
    // The current line stays in view; a list that shrank shows its end.
    if (current >= 0 && current < first_) first_ = current;
    if (current >= first_ + rows) first_ = current - rows + 1;
    first_ = std::clamp(first_, 0, std::max(0, count - rows));
    ShowPage(first_, current < 0 ? -1 : current - first_);
}

void TfrmPayFrame::resizeEvent(QResizeEvent* aEvent)
{
    TfrmListFrame::resizeEvent(aEvent);
    routeTouches();
    Redraw();
}

void TfrmPayFrame::routeTouches()
{
    for (int row = 0; row < ListCount(); ++row) {
        TZoPosLabel* label = Row(row);
        // The room list's seven columns take the numbers and dates only in
        // the smaller face.
        if (kind_ == TPayKind::Room) label->SetFontSize(8);
        disconnect(label, &TZoPosLabel::clicked, this, nullptr);
        connect(label, &TZoPosLabel::clicked, this, [this, row] { emit rowTouched(first_ + row); });
    }
}

}  // namespace pos
