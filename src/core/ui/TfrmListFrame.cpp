#include "core/ui/TfrmListFrame.h"

#include "controls/ZoPosButton.h"
#include "controls/ZoPosLabel.h"
#include "core/ui/ImageLibrary.h"

#include <QLabel>
#include <QResizeEvent>

namespace pos {

namespace {

constexpr TColor kBarColor = 0x9E6523;
constexpr TColor kStripeColor = 0xF1EAD6;
constexpr TColor kVLineColor = 0xAB8F31;
// All rows of one frame form one selection group.
constexpr int kRowGroup = 1;

// Colours are given as the platform's signed colour values: zero, negative
// (system colours) and unset all mean "keep the default".
bool unset(TColor aColor) { return aColor == 0 || (aColor & 0x80000000u) != 0; }

QWidget* makeBar(QWidget* aParent, TColor aColor)
{
    auto* bar = new QWidget(aParent);
    bar->setAutoFillBackground(true);
    ZoSetBackColor(bar, aColor);
    return bar;
}

QLabel* makeBarLabel(QWidget* aParent, const QString& aText, Qt::Alignment aAlign)
{
    auto* label = new QLabel(aText, aParent);
    label->setFont(ZoFont(10, true));
    label->setAlignment(aAlign | Qt::AlignVCenter);
    ZoSetTextColor(label, clWhite);
    return label;
}

}  // namespace

TfrmListFrame::TfrmListFrame(QWidget* aParent) : QFrame(aParent)
{
    InitImageLibrary();
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAutoFillBackground(true);
    ZoSetBackColor(this, clWhite);
    ZoSetTextColor(this, kBarColor);
    setFocusPolicy(Qt::NoFocus);

    btnUp = new TZoPosButton(this);
    btnUp->SetImage(ImageLibraryName(), QStringLiteral("ArrowUpBtn"), QStringLiteral("ArrowUpBtnD"));
    btnUp->setEnabled(false);
    btnDown = new TZoPosButton(this);
    btnDown->SetImage(ImageLibraryName(), QStringLiteral("ArrowDownBtn"), QStringLiteral("ArrowDownBtnD"));
    btnDown->setEnabled(false);
    connect(btnUp, &TZoPosButton::clicked, this, [this] { UpList(true); });
    connect(btnDown, &TZoPosButton::clicked, this, [this] { DownList(true); });

    panTitle = makeBar(this, kBarColor);
    panFooter = makeBar(this, kBarColor);
    panFooter->hide();
    lblCountTitle = makeBarLabel(panFooter, QStringLiteral("건수 :"), Qt::AlignLeft);
    lblCount = makeBarLabel(panFooter, QString(), Qt::AlignRight);
    lblSumCount = makeBarLabel(panFooter, QStringLiteral("합계 :"), Qt::AlignLeft);
    lblSum = makeBarLabel(panFooter, QString(), Qt::AlignRight);
}

TfrmListFrame::~TfrmListFrame() = default;

TZoPosLabelItem TfrmListFrame::rowItem(const Column& aColumn)
{
    TZoPosLabelItem item;
    item.width = aColumn.width == 0 ? -5 : aColumn.width;  // 0: the cell runs to the right edge
    item.alignment = aColumn.alignment;
    item.color = aColumn.color;
    item.colorSelected = aColumn.colorSelected;
    item.colorChecked = aColumn.colorChecked;
    item.colorSChecked = clWhite;
    return item;
}

int TfrmListFrame::titleWidth() const { return std::max(0, width() - kButtonWidth - 5); }

int TfrmListFrame::columnLeft(int aItem) const
{
    int left = 0;
    for (int j = 0; j < aItem; ++j) {
        const Column& c = columns_[static_cast<std::size_t>(j)];
        if (c.width > 0) left += c.width + ((c.alignment & Qt::AlignRight) ? 5 : 4);
    }
    return left;
}

QLabel* TfrmListFrame::ColumnTitle(int aItem) const { return columns_.at(static_cast<std::size_t>(aItem)).titleLabel; }

void TfrmListFrame::CreateList(TColor aColorSelected, TColor aColorChecked)
{
    rowSelected_ = aColorSelected;
    rowChecked_ = aColorChecked;
    created_ = true;
    DrawList();
}

void TfrmListFrame::AddListItem(const QString& aTitle, int aWidth, Qt::Alignment aAlignment, TColor aColor,
                                TColor aColorSelected, TColor aColorChecked)
{
    Column c{aTitle,
             aWidth,
             aAlignment,
             unset(aColor) ? clBlack : aColor,
             unset(aColorSelected) ? clWhite : aColorSelected,
             unset(aColorChecked) ? 0x808080 : aColorChecked,
             makeBarLabel(panTitle, aTitle, Qt::AlignCenter),
             nullptr};
    c.titleLabel->show();
    if (!columns_.empty()) {
        c.vline = makeBar(this, kVLineColor);
        c.vline->show();
    }
    columns_.push_back(c);
    for (TZoPosLabel* row : rows_) row->AddItem(rowItem(c));
    DrawList();
}

void TfrmListFrame::SetFooterVisible(bool aVisible)
{
    footerVisible_ = aVisible;
    panFooter->setVisible(aVisible);
    DrawList();
}

void TfrmListFrame::SetSumIndex(int aSum1, int aSum2, int aSum3) { sumIndex_ = {aSum1, aSum2, aSum3}; }

void TfrmListFrame::resizeEvent(QResizeEvent* aEvent)
{
    QFrame::resizeEvent(aEvent);
    if (created_) DrawList();
}

void TfrmListFrame::DrawList()
{
    const int w = width();
    const int h = height();
    const int tw = titleWidth();

    const int upHeight = (h - 4) / 2;
    btnUp->setGeometry(w - 4 - kButtonWidth, 2, kButtonWidth, upHeight);
    btnDown->setGeometry(w - 4 - kButtonWidth, 2 + upHeight, kButtonWidth, h - 4 - upHeight);
    panTitle->setGeometry(0, 0, tw, kTitleHeight);
    panFooter->setGeometry(0, h - kFooterHeight - 4, tw, kFooterHeight);
    lblCountTitle->setGeometry(8, 0, 50, kFooterHeight);
    lblCount->setGeometry(58, 0, 70, kFooterHeight);
    lblSumCount->setGeometry(std::max(140, tw - 230), 0, 50, kFooterHeight);
    lblSum->setGeometry(std::max(190, tw - 180), 0, 172, kFooterHeight);

    const int bottom = footerVisible_ ? h - kFooterHeight - 4 : h;
    for (int j = 0; j < ColumnCount(); ++j) {
        Column& c = columns_[static_cast<std::size_t>(j)];
        const int left = columnLeft(j);
        c.titleLabel->setGeometry(left, 0, c.width > 0 ? c.width + 4 : std::max(0, tw - left), kTitleHeight);
        if (c.vline != nullptr) c.vline->setGeometry(left, kTitleHeight, 1, std::max(0, bottom - kTitleHeight));
    }
    if (created_) layoutRows();
}

void TfrmListFrame::layoutRows()
{
    const int h = height();
    const int tw = titleWidth();
    const int footer = footerVisible_ ? kFooterHeight : 0;
    paging_.SetListCount(TListPaging::VisibleRowsFor(h, kTitleHeight, footer));

    const std::size_t stripeCount = static_cast<std::size_t>(std::max(0, ((h - kTitleHeight - footer - 4) / kRowHeight) / 2));
    while (stripes_.size() > stripeCount) {
        delete stripes_.back();
        stripes_.pop_back();
    }
    while (stripes_.size() < stripeCount) stripes_.push_back(makeBar(this, kStripeColor));
    for (std::size_t i = 0; i < stripes_.size(); ++i) {
        stripes_[i]->setGeometry(0, kTitleHeight + kRowHeight + 2 * kRowHeight * static_cast<int>(i), tw, kRowHeight);
        stripes_[i]->show();
        stripes_[i]->lower();
    }

    const std::size_t rowCount = static_cast<std::size_t>(paging_.ListCount());
    while (rows_.size() > rowCount) {
        delete rows_.back();
        rows_.pop_back();
    }
    while (rows_.size() < rowCount) {
        auto* row = new TZoPosLabel(this);
        const int index = static_cast<int>(rows_.size());
        row->setProperty("tag", index);
        row->SetGroupIndex(kRowGroup);
        row->SetFontSize(10);
        if (!unset(rowSelected_)) row->SetColorSelected(rowSelected_);
        if (!unset(rowChecked_)) row->SetColorChecked(rowChecked_);
        for (const Column& c : columns_) row->AddItem(rowItem(c));
        connect(row, &TZoPosLabel::clicked, this, [this, index] { TouchRow(index); });
        rows_.push_back(row);
    }
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        rows_[i]->setGeometry(0, kTitleHeight + kRowHeight * static_cast<int>(i), tw, kRowHeight);
        rows_[i]->show();
        rows_[i]->raise();
    }
    for (const Column& c : columns_)
        if (c.vline != nullptr) c.vline->raise();
    btnUp->raise();
    btnDown->raise();
    panFooter->raise();
    ShowList();
}

void TfrmListFrame::DestroyList()
{
    ClearDataList();
    for (TZoPosLabel* row : rows_) delete row;
    rows_.clear();
    for (QWidget* s : stripes_) delete s;
    stripes_.clear();
    for (Column& c : columns_) {
        delete c.titleLabel;
        delete c.vline;
    }
    columns_.clear();
    paging_.SetListCount(0);
    paging_.AfterClear();
    created_ = false;
}

// --- Records ---------------------------------------------------------------

bool TfrmListFrame::CheckIndex(int aIndex, const char* aOperation) const
{
    if (aIndex >= 0 && aIndex < GetCount()) return true;
    if (log_)
        log_(std::string("TfrmListFrame.") + aOperation,
             "index " + std::to_string(aIndex) + " out of range, count " + std::to_string(GetCount()));
    return false;
}

int TfrmListFrame::GetCount() const { return static_cast<int>(records_.size()); }

Variant TfrmListFrame::GetDataItem(int aItem, int aIndex) const
{
    if (aIndex == -1) {
        aIndex = CurrentRecord();
        if (aIndex < 0) return {};
    }
    if (!CheckIndex(aIndex, "GetDataItem")) return {};
    const auto& record = records_[static_cast<std::size_t>(aIndex)];
    if (aItem < 0 || aItem >= static_cast<int>(record.size())) return {};
    return record[static_cast<std::size_t>(aItem)];
}

bool TfrmListFrame::SetDataItem(int aItem, int aIndex, const Variant& aValue)
{
    aIndex = ResolveIndex(aIndex);
    if (aIndex < 0 || !CheckIndex(aIndex, "SetDataItem") || aItem < 0) return false;
    auto& record = records_[static_cast<std::size_t>(aIndex)];
    if (aItem >= static_cast<int>(record.size())) record.resize(static_cast<std::size_t>(aItem) + 1);
    record[static_cast<std::size_t>(aItem)] = aValue;
    return true;
}

bool TfrmListFrame::AddDataList(const std::vector<Variant>& aValues)
{
    records_.push_back(aValues);
    return true;
}

bool TfrmListFrame::ChangeDataList(int aIndex, const std::vector<Variant>& aValues)
{
    records_[static_cast<std::size_t>(aIndex)] = aValues;
    return true;
}

bool TfrmListFrame::DeleteDataList(int aIndex)
{
    records_.erase(records_.begin() + aIndex);
    return true;
}

void TfrmListFrame::ClearDataList() { records_.clear(); }

QString TfrmListFrame::CellText(int aItem, int aIndex) const
{
    return QString::fromStdString(ListCellText(GetDataItem(aItem, aIndex)));
}

bool TfrmListFrame::AddList(const std::vector<Variant>& aValues, bool aShow)
{
    if (!AddDataList(aValues)) return false;
    paging_.AfterAdd(GetCount());
    if (aShow) ShowList();
    emit changed();
    emit inserted();
    return true;
}

bool TfrmListFrame::ChangeList(const std::vector<Variant>& aValues, int aIndex, bool aShow)
{
    const int index = ResolveIndex(aIndex);
    if (index < 0 || !CheckIndex(index, "ChangeList")) return false;
    if (!ChangeDataList(index, aValues)) return false;
    if (aShow) ShowList();
    emit changed();
    emit updated();
    return true;
}

bool TfrmListFrame::DeleteList(int aIndex, bool aShow)
{
    const int index = ResolveIndex(aIndex);
    if (index < 0) return false;
    if (!CheckIndex(index, "DeleteList")) return false;
    if (!DeleteDataList(index)) return false;
    paging_.AfterDelete(GetCount());
    if (aShow) ShowList();
    emit changed();
    emit deleted();
    return true;
}

void TfrmListFrame::ClearList(bool aShow)
{
    ClearDataList();
    paging_.AfterClear();
    if (aShow) ShowList();
    emit changed();
    emit deleted();
}

void TfrmListFrame::ShowList()
{
    const int count = GetCount();
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        TZoPosLabel& row = *rows_[i];
        const int index = paging_.FirstIndex() + static_cast<int>(i);
        const bool hasRecord = index < count;
        for (int j = 0; j < ColumnCount(); ++j) row.SetText(j, hasRecord ? CellText(j, index) : QString());
        if (hasRecord) {
            StyleRow(index, row);
        } else {
            row.SetChecked(false);
            row.SetSelected(false);
        }
    }

    if (sumIndex_[0] >= 0 || sumIndex_[1] >= 0 || sumIndex_[2] >= 0) {
        const auto get = [this](int aItem, int aIndex) { return GetDataItem(aItem, aIndex); };
        for (std::size_t k = 0; k < sums_.size(); ++k) sums_[k] = ListColumnSum(count, sumIndex_[k], get);
    }
    if (footerVisible_) {
        lblCount->setText(QString::fromStdString(ListCountText(count)));
        lblSum->setText(QString::fromStdString(ListSumText(sums_[0])));
    }

    const int cur = paging_.CurIndex();
    if (cur >= 0 && cur < static_cast<int>(rows_.size()))
        rows_[static_cast<std::size_t>(cur)]->SetSelected(true);
    else
        for (TZoPosLabel* row : rows_) row->SetSelected(false);

    btnUp->setEnabled(paging_.CanUp());
    btnDown->setEnabled(paging_.CanDown(count));
}

// --- Moving ----------------------------------------------------------------

void TfrmListFrame::UpList(bool aShow)
{
    if (!paging_.Up()) return;
    if (aShow) ShowList();
    emit changed();
}

void TfrmListFrame::DownList(bool aShow)
{
    if (!paging_.Down(GetCount())) return;
    if (aShow) ShowList();
    emit changed();
}

void TfrmListFrame::FirstList(bool aShow)
{
    paging_.First(GetCount());
    if (aShow) ShowList();
    emit changed();
}

void TfrmListFrame::LastList(bool aShow)
{
    paging_.Last(GetCount());
    if (aShow) ShowList();
    emit changed();
}

void TfrmListFrame::TouchRow(int aRow)
{
    if (!paging_.Touch(aRow, GetCount())) return;
    ShowList();
    emit changed();
}

void TfrmListFrame::ShowPage(int aFirstIndex, int aCurIndex)
{
    paging_.SetPosition(aFirstIndex, aCurIndex, GetCount());
    ShowList();
}

}  // namespace pos
