#include "sales/recording/Settlement.h"

#include "core/DialogService.h"
#include "core/IdentityNumbers.h"
#include "core/TerminalContext.h"
#include "db/DataModule.h"
#include "db/DayLog.h"
#include "db/DbError.h"
#include "db/DbQuery.h"
#include "db/DbWork.h"
#include "lookups/Lookups.h"
#include "sales/SaleBill.h"
#include "sales/SaleView.h"
#include "sales/recording/BillNumbers.h"
#include "sales/recording/PayRecording.h"
#include "sales/recording/RowWriter.h"
#include "sales/tables/TableBills.h"
#include "store/MasterStore.h"

#include <optional>

namespace pos {
namespace {

const char* const kLogPay = "IAI010-btnPayClick";

TBillRows joined(std::initializer_list<const TBillRows*> aParts)
{
    TBillRows all;
    for (const TBillRows* part : aParts) all.insert(all.end(), part->begin(), part->end());
    return all;
}

}  // namespace

TStoredBill TSettlement::storedBill(const TSaleBill& aBill, const TSaleRows& aSale) const
{
    TStoredBill stored;
    stored.sale = aSale;
    stored.commands = aBill.screen.commands;
    stored.discount = aBill.Totals().discount;
    stored.due = aBill.Totals().due;
    stored.offLine = ctx_.gbOffLine;
    return stored;
}

bool TSettlement::nothingToPay(TSaleView& aView) const
{
    const TSaleBill& bill = aView.Bill();
    const Currency due = bill.Totals().due;
    const bool nothing = bill.Lines().GetCount() == 0 || (ctx_.giSaleGubun == 0 && due < Currency()) ||
                         (ctx_.giSaleGubun != 0 && due > Currency());
    if (nothing) aView.ShowMessage(kMsgNothingToPay, true, 10);
    return nothing;
}

bool TSettlement::dayClosed() const
{
    return data_.CheckClosed(ctx_.gsSaleDate, ctx_.gsMasterUpjangCode, ctx_.gsMasterPosNo, true);
}

bool TSettlement::sellsOffLine() const
{
    return !store_.glUpjangData.empty() && store_.glUpjangData.front().OffLineYN;
}

std::string TSettlement::posNoOf(const std::string& aUpjangCode)
{
    const std::string own = store_.GetUpjangData(aUpjangCode, UpjangItem::PosNo).asText();
    if (!own.empty() || !data_.ConnectDB(true, false)) return own;
    TDbWork read(data_, TDbWork::Read);
    TDbQuery query(data_);
    query.SetSQL("IAI010-GetPosNo");
    query.SetParam(0, ctx_.gsMasterUpjangCode);
    query.SetParam(1, ctx_.gsMasterPosNo);
    query.SetParam(2, aUpjangCode);
    if (!query.Open()) {
        read.Fail(query.Error());
        return {};
    }
    return query.Eof() ? std::string() : query.AsString(0);
}

TSettlement::TOutcome TSettlement::queueOffLine(const TBillRows& aRows)
{
    if (!sellsOffLine()) {
        dialogs_.ErrBox("Off Line 상태입니다.\r" + ctx_.gsMasterUpjangName + kMsgNotSoldOffLine, true);
        return TOutcome::Failed;
    }
    // The number is taken first: a bill in the queue never shares it.
    if (!numbers_.TakeCurrent()) return TOutcome::Failed;
    return QueueRows(queues_, aRows) ? TOutcome::Stored : TOutcome::Failed;
}

bool TSettlement::freesTable() const { return IsTableOpen(ctx_, store_); }

TSettlement::TOutcome TSettlement::tableNotSettledOffLine()
{
    dialogs_.ErrBox(kMsgTableNotSettledOffLine, true);
    return TOutcome::Failed;
}

TSettlement::TOutcome TSettlement::store(TSaleView& aView, TDbWork* aBill, const TBillRows& aRows,
                                         const std::function<TBillRows()>& aOffLineRows, bool aFreesTable)
{
    if (ctx_.gbOffLine || aBill == nullptr)
        return aFreesTable ? tableNotSettledOffLine() : queueOffLine(aOffLineRows());
    const TWriteResult written = WriteRowsOnLine(data_, aRows);
    if (!written.ok) {
        // Lost on the way: nothing of the bill is on the server.
        if (ctx_.gbOffLine) return aFreesTable ? tableNotSettledOffLine() : queueOffLine(aOffLineRows());
        if (written.duplicateKey) {
            numbers_.Advance();
            aView.ShowBillNo();
        }
        // The server's message may quote the row it refused: masked.
        WriteLogFile(ctx_, kLogPay, written.error.key + ": " + LogText(written.error));
        dialogs_.ErrBox(kMsgSaleNotSaved + MaskNumbersForLog(written.error.message), true);
        return TOutcome::Failed;
    }
    // The table is freed with its bill or not at all.
    if (aFreesTable && !DeleteTableData(ctx_, data_, dialogs_, aView.Bill())) return TOutcome::Failed;
    if (!numbers_.TakeCurrent()) return TOutcome::Failed;
    if (aBill->Commit()) {
        if (aFreesTable) aView.Bill().table = TOpenTable{};  // nothing is stored for it any more
        return TOutcome::Stored;
    }
    // Lost at the commit itself: the server may or may not hold the bill.
    // Queued, it is uploaded later, and a bill the server holds already is
    // met there under its key and set aside, not stored twice. (An open
    // table's bill is queued too: refused, its approvals would be undone
    // for a bill the server may hold.)
    if (ctx_.gbOffLine) return queueOffLine(aOffLineRows());
    dialogs_.ErrBox(kMsgLostWhileSettling, true);
    return TOutcome::Failed;
}

TSettlement::TOutcome TSettlement::Pay(TSaleView& aView)
{
    TSaleBill& bill = aView.Bill();
    if (nothingToPay(aView)) return TOutcome::NothingToPay;
    std::optional<TDbWork> transaction;
    if (data_.ConnectDB(true, false)) {
        if (dayClosed()) {
            bill.ClearBill();
            return TOutcome::DayClosed;
        }
        // The number check reads outside the bill's transaction: it needs no
        // savepoint there.
        if (!numbers_.CatchUpWithServer(data_)) return TOutcome::Failed;
        aView.ShowBillNo();
        transaction.emplace(data_);
        if (!transaction->Active()) return TOutcome::Failed;
    } else if (!sellsOffLine()) {
        dialogs_.ErrBox("Off Line 상태입니다.\r" + ctx_.gsMasterUpjangName + kMsgNotSoldOffLine, true);
        return TOutcome::Failed;
    } else if (freesTable()) {
        return tableNotSettledOffLine();  // before anything is charged
    }
    if (!payScreen_.OffersTenders()) {
        dialogs_.ErrBox(kMsgNoTenders, true);
        return TOutcome::NoTenders;
    }

    TPayRecording recording(ctx_, store_, bill, data_, lookups_, dialogs_, [&] {
        numbers_.Advance();
        aView.ShowBillNo();
    });
    TPayShown shown;
    if (!payScreen_.Run(recording, bill.Totals().due, shown)) return TOutcome::Cancelled;

    bill.SetTendered(Currency(shown.received.truncWon()));
    const TSaleRowsBuilder rows(ctx_, store_, bill);
    const TSaleRows sale = rows.SaleRows({ctx_.gbOffLine, false});
    const auto notStored = [&] {
        transaction.reset();  // taken back before anything asks the server again
        payScreen_.BillNotStored(recording.Lines());
        return TOutcome::Failed;
    };
    if (sale.total.abs() > Currency(kMaxBillAmount)) {
        dialogs_.ErrBox(kMsgSaleTooLarge, true);
        return notStored();
    }
    const TBillRows transfer = rows.TransferRows([this](const std::string& aUpjang) { return posNoOf(aUpjang); });
    const auto offLineRows = [&] {
        const TBillRows offLineSale = rows.SaleRows({true, false}).rows;
        return joined({&recording.OffLineRows(), &offLineSale, &transfer});
    };
    const TOutcome stored = store(aView, transaction ? &*transaction : nullptr, joined({&sale.rows, &transfer}),
                                  offLineRows, freesTable());
    if (stored != TOutcome::Stored) return notStored();
    payScreen_.BillStored(recording.Lines());

    // The drawer opens after every settlement, except at the hotel
    // restaurants when no cash changed hands.
    const bool cashMoved = shown.change != Currency() ||
                           (!recording.Lines().cash.empty() && recording.Lines().cash.front().Amt != Currency());
    TStoredBill printed = storedBill(bill, sale);
    printed.pay = recording.Lines();
    printed.tendered = shown.received;
    printed.change = shown.change;
    printer_.PrintBill(printed, !ctx_.gbVessa || cashMoved);
    bill.EndSale();
    numbers_.Load();
    aView.ShowBillNo();
    return TOutcome::Stored;
}

TSettlement::TOutcome TSettlement::PayCash(TSaleView& aView)
{
    TSaleBill& bill = aView.Bill();
    if (nothingToPay(aView)) return TOutcome::NothingToPay;
    const TBillTotals& totals = bill.Totals();
    const bool covered = ctx_.giSaleGubun == 0 ? totals.change >= Currency() : totals.change == Currency();
    if (!covered) bill.SetTendered(Currency(totals.due.abs().truncWon()));
    if (dayClosed()) {
        bill.ClearBill();
        return TOutcome::DayClosed;
    }
    std::optional<TDbWork> transaction;
    if (data_.ConnectDB(true, false)) {
        if (!numbers_.CatchUpWithServer(data_)) return TOutcome::Failed;
        aView.ShowBillNo();
        transaction.emplace(data_);
        if (!transaction->Active()) return TOutcome::Failed;
    }
    const Currency tendered = bill.Totals().tendered, change = bill.Totals().change;
    const TSaleRowsBuilder rows(ctx_, store_, bill);
    const TSaleRows sale = rows.SaleRows({ctx_.gbOffLine, false});
    if (sale.total.abs() > Currency(kMaxBillAmount)) {
        dialogs_.ErrBox(kMsgSaleTooLarge, true);
        return TOutcome::Failed;
    }
    const TBillRows transfer = rows.TransferRows([this](const std::string& aUpjang) { return posNoOf(aUpjang); });
    const TBillRows cash = rows.QuickCashRows(ctx_.gbOffLine, tendered, change);
    const auto offLineRows = [&] {
        const TBillRows offLineSale = rows.SaleRows({true, false}).rows;
        const TBillRows offLineCash = rows.QuickCashRows(true, tendered, change);
        return joined({&offLineSale, &transfer, &offLineCash});
    };
    const TOutcome stored = store(aView, transaction ? &*transaction : nullptr,
                                  joined({&sale.rows, &transfer, &cash}), offLineRows, freesTable());
    if (stored != TOutcome::Stored) return stored;

    TStoredBill printed = storedBill(bill, sale);
    printed.quickCash = true;
    printed.tendered = tendered;
    printed.change = change;
    TPayCashList line;
    line.ManYNName = "현금";
    line.Amt = tendered * Currency(ctx_.giSign) - change;
    line.AgreeAmt = line.Amt;
    line.AgreeDate = ctx_.gsToday;
    printed.pay.cash.push_back(line);
    printed.pay.offeredKinds = {ctx_.giPayCash};
    printed.pay.due = totals.due;
    printed.pay.received = tendered * Currency(ctx_.giSign);
    printed.pay.change = change;
    printer_.PrintBill(printed, true);
    bill.EndSale();
    numbers_.Load();
    aView.ShowBillNo();
    return TOutcome::Stored;
}

TSettlement::TOutcome TSettlement::SaveCancelData(TSaleView& aView)
{
    TSaleBill& bill = aView.Bill();
    std::optional<TDbWork> transaction;
    if (data_.ConnectDB(true, false)) {
        transaction.emplace(data_);
        if (!transaction->Active()) return TOutcome::Failed;
    }
    const TSaleRowsBuilder rows(ctx_, store_, bill);
    const TSaleRows sale = rows.SaleRows({ctx_.gbOffLine, true});
    const auto offLineRows = [&] { return rows.SaleRows({true, true}).rows; };
    const TOutcome stored = store(aView, transaction ? &*transaction : nullptr, sale.rows, offLineRows, false);
    if (stored != TOutcome::Stored) return stored;
    TStoredBill printed = storedBill(bill, sale);
    printed.cancelled = true;
    printer_.PrintBill(printed, false);
    numbers_.Load();
    aView.ShowBillNo();
    return TOutcome::Stored;
}

}  // namespace pos
