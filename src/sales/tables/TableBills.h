#pragma once
// The bill of a table at a table-service outlet, kept on the server by
// business date, own outlet and table number. Leaving a table stores its
// whole bill, replacing what was stored, in one transaction: a failure takes
// everything back and the table keeps the bill it had, so another terminal
// reading the table sees the old bill or the new one, never a mixture.
// Choosing a table loads its bill; settling or cancelling the bill deletes it.
//
// The table is stored under the business date it was opened on
// (TOpenTable::saleDate), never the calendar date: after midnight the two
// differ, and a bill stored under one and deleted under the other would stay
// open and could be settled again.

#include <string>

namespace pos {

struct TTerminalContext;
class DialogService;
class TfrmData;
class TMasterStore;
class TSaleBill;
class TDbQuery;
struct TSaleList;

inline constexpr const char* kMsgTableNotSaved = "주문 내역을 저장하지 못했습니다.";
inline constexpr const char* kMsgTableNotDeleted = "주문 내역을 삭제하지 못했습니다.";

// A table outlet (IsTableOutlet, sales/receipt/BillHeader.h) with a table open on this terminal.
bool IsTableOpen(const TTerminalContext& aContext, const TMasterStore& aStore);

// A stored line of a table as "IAI010-LoadTableData-2" gives it, with its
// goods' fields; what the kitchen was told of and the line's place are the
// caller's.
TSaleList StoredTableLine(const TDbQuery& aQuery);

// The business date the open table is stored under.
std::string TableDate(const TTerminalContext& aContext, const TSaleBill& aBill);

// DeleteTableData: what is stored for the open table deleted inside the
// caller's open transaction (under a savepoint of it). False after its
// message ("주문 내역을 삭제하지 못했습니다."); the caller rolls back.
bool DeleteTableData(const TTerminalContext& aContext, TfrmData& aData, DialogService& aDialogs,
                     const TSaleBill& aBill);

class TTableBills {
public:
    TTableBills(TTerminalContext& aContext, TMasterStore& aStore, TfrmData& aData, DialogService& aDialogs)
        : ctx_(aContext), store_(aStore), data_(aData), dialogs_(aDialogs)
    {
    }

    // SaveTableData: the bill on the screen stored for giTableNo, committed.
    // True also when there is nothing to store (no lines and none deleted
    // from the loaded bill). False, after its message, when the server could
    // not be reached or a statement failed; the bill stays as it is.
    bool SaveTableData(TSaleBill& aBill);

    // LoadTableData: the bill stored for giTableNo into the cleared bill,
    // with the table's kitchen state begun afresh (everything stored counts
    // as sent) and its discounts registered for this terminal. A failure is
    // logged only: what was read so far stays.
    void LoadTableData(TSaleBill& aBill);

    // DeleteTableData in a transaction of its own (the bill-cancel command),
    // when the server can be reached.
    bool DeleteTableDataAlone(const TSaleBill& aBill);

private:
    bool readAll(TSaleBill& aBill);
    void openTable(class TDbQuery& aQuery, const char* aKey, const TSaleBill& aBill) const;
    bool readHeader(TDbQuery& aQuery, TSaleBill& aBill);
    bool readLines(TDbQuery& aQuery, TSaleBill& aBill);
    bool readMemberDiscounts(TDbQuery& aQuery, TSaleBill& aBill);
    bool readMenuDiscounts(TDbQuery& aQuery, TSaleBill& aBill);
    void registerDiscounts(const TSaleBill& aBill);
    std::string TableDate(const TSaleBill& aBill) const { return pos::TableDate(ctx_, aBill); }

    TTerminalContext& ctx_;
    TMasterStore& store_;
    TfrmData& data_;
    DialogService& dialogs_;
};

}  // namespace pos
