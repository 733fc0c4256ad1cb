#pragma once
// The list of every screen that lists lines (bill lines, tenders, discounts,
// guests): a page of 26-pixel rows under column titles, up/down page buttons,
// a current row and an optional footer with the count and a sum.
//
// The frame keeps its records as rows of values. A list with records of its
// own type overrides the data operations (GetCount, GetDataItem, AddDataList,
// ...); a list whose model pages itself (the bill list) overrides GetCount and
// GetDataItem and hands its first and current row to ShowPage.

#include "controls/ZoColor.h"
#include "core/Currency.h"
#include "core/Variant.h"
#include "core/ui/ListPaging.h"

#include <QFrame>
#include <QString>

#include <array>
#include <functional>
#include <string>
#include <vector>

class QLabel;

namespace pos {

class TZoPosButton;
class TZoPosLabel;
struct TZoPosLabelItem;

class TfrmListFrame : public QFrame {
    Q_OBJECT
public:
    explicit TfrmListFrame(QWidget* aParent = nullptr);
    ~TfrmListFrame() override;

    static constexpr int kTitleHeight = 30;
    static constexpr int kFooterHeight = 26;
    static constexpr int kRowHeight = TListPaging::kRowHeight;
    static constexpr int kButtonWidth = 48;

    // --- Building: size the frame, CreateList, then one AddListItem per
    // column from left to right. Colours <= 0 keep the defaults.
    void CreateList(TColor aColorSelected = 0, TColor aColorChecked = 0);
    void AddListItem(const QString& aTitle, int aWidth, Qt::Alignment aAlignment = Qt::AlignLeft, TColor aColor = 0,
                     TColor aColorSelected = 0, TColor aColorChecked = 0);
    // Re-lays out buttons, title, footer and rows after a size change.
    void DrawList();
    void DestroyList();
    void SetFooterVisible(bool aVisible);
    bool FooterVisible() const { return footerVisible_; }
    // Columns whose amounts are summed into Sum(0..2); -1: no sum.
    void SetSumIndex(int aSum1, int aSum2 = -1, int aSum3 = -1);

    // --- Records. aShow redraws at the end; callers that make several
    // changes pass false and call ShowList once. An index of -1 means the
    // current record. An index beyond the records changes nothing, raises no
    // event and is written to the log; the answer is false.
    bool AddList(const std::vector<Variant>& aValues, bool aShow = true);
    bool ChangeList(const std::vector<Variant>& aValues, int aIndex = -1, bool aShow = true);
    bool DeleteList(int aIndex = -1, bool aShow = true);
    void ClearList(bool aShow = true);
    void ShowList();

    // --- Moving the current row.
    void UpList(bool aShow = true);
    void DownList(bool aShow = true);
    void FirstList(bool aShow = true);
    void LastList(bool aShow = true);
    // A touch on visible row aRow; rows without a record are inert.
    void TouchRow(int aRow);
    // First and current row from a model that pages itself.
    void ShowPage(int aFirstIndex, int aCurIndex);

    // --- Data operations; a list with records of its own type overrides
    // all of them.
    virtual int GetCount() const;
    // Value of column aItem of record aIndex (-1: the current one); empty when
    // there is no such record.
    virtual Variant GetDataItem(int aItem, int aIndex = -1) const;
    virtual bool SetDataItem(int aItem, int aIndex, const Variant& aValue);

    int ListCount() const { return paging_.ListCount(); }
    int FirstIndex() const { return paging_.FirstIndex(); }
    int CurIndex() const { return paging_.CurIndex(); }
    int CurrentRecord() const { return paging_.CurrentRecord(); }
    Currency Sum(int aWhich = 0) const { return sums_.at(static_cast<std::size_t>(aWhich)); }
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    TZoPosLabel* Row(int aRow) const { return rows_.at(static_cast<std::size_t>(aRow)); }
    QLabel* ColumnTitle(int aItem) const;

    // Day log for refused indices (procedure, message).
    void SetLog(std::function<void(const std::string&, const std::string&)> aLog) { log_ = std::move(aLog); }

    TZoPosButton* btnUp = nullptr;
    TZoPosButton* btnDown = nullptr;
    QWidget* panTitle = nullptr;
    QWidget* panFooter = nullptr;
    QLabel* lblCountTitle = nullptr;
    QLabel* lblCount = nullptr;
    QLabel* lblSumCount = nullptr;
    QLabel* lblSum = nullptr;

signals:
    void changed();   // records or current row changed
    void inserted();  // a record was added
    void updated();   // a record was replaced
    void deleted();   // records were deleted or cleared

protected:
    virtual bool AddDataList(const std::vector<Variant>& aValues);
    virtual bool ChangeDataList(int aIndex, const std::vector<Variant>& aValues);
    virtual bool DeleteDataList(int aIndex);
    virtual void ClearDataList();
    // Cell text of column aItem of record aIndex.
    virtual QString CellText(int aItem, int aIndex) const;
    // Lets a list colour or check a row for its record.
    virtual void StyleRow(int /*aIndex*/, TZoPosLabel& /*aRow*/) const {}

    // True when aIndex names a record; otherwise writes the refusal to the log.
    bool CheckIndex(int aIndex, const char* aOperation) const;
    int ResolveIndex(int aIndex) const { return aIndex == -1 ? CurrentRecord() : aIndex; }

    void resizeEvent(QResizeEvent* aEvent) override;

private:
    struct Column {
        QString title;
        int width;
        Qt::Alignment alignment;
        TColor color, colorSelected, colorChecked;
        QLabel* titleLabel;
        QWidget* vline;
    };

    // The cell of every row that shows column aColumn.
    static TZoPosLabelItem rowItem(const Column& aColumn);
    void layoutRows();
    int titleWidth() const;
    int columnLeft(int aItem) const;

    TListPaging paging_;
    std::vector<std::vector<Variant>> records_;
    std::vector<Column> columns_;
    std::vector<TZoPosLabel*> rows_;
    std::vector<QWidget*> stripes_;
    std::array<int, 3> sumIndex_{-1, -1, -1};
    std::array<Currency, 3> sums_{};
    TColor rowSelected_ = 0;
    TColor rowChecked_ = 0;
    bool created_ = false;
    bool footerVisible_ = false;
    std::function<void(const std::string&, const std::string&)> log_;
};

}  // namespace pos
