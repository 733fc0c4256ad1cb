#include "sales/reprint/CashReceiptRows.h"

#include "cards/CardRules.h"
#include "core/DialogService.h"
#include "core/TerminalContext.h"
#include "db/DataModule.h"
#include "db/DbQuery.h"
#include "db/DbWork.h"

#include <cstdio>

namespace pos {
namespace {

constexpr const char* kKeyAmount = "IFH050-GetCashReceiptAmt";
constexpr const char* kKeyLastSeq = "IFH051-SuccessCash";
constexpr const char* kKeyRow = "ICI010-SavePayData-Cash-1";

std::string digits(std::int64_t aValue, int aWidth)
{
    char text[32];
    std::snprintf(text, sizeof text, "%0*lld", aWidth, static_cast<long long>(aValue));
    return text;
}

void setBill(TDbQuery& aQuery, const TBillKey& aBill)
{
    aQuery.SetParam(0, aBill.SaleDate);
    aQuery.SetParam(1, aBill.UpjangCode);
    aQuery.SetParam(2, aBill.PosNo);
    aQuery.SetParam(3, digits(aBill.BillNo, 4));
}

// What the bill has left to receipt, read in aWork (failed on an error).
TCashReceiptAmount readAmount(TfrmData& aData, TDbWork& aWork, const TBillKey& aBill)
{
    TCashReceiptAmount out;
    TDbQuery query(aData);
    query.SetSQL(kKeyAmount);
    setBill(query, aBill);
    query.SetParam(4, digits(aData.Context().giPayCash, 3));
    if (!query.Open() || query.Eof()) {
        out.error = query.Error();
        aWork.Fail(query.Error());
        return out;
    }
    if (query.IsNull(0)) {
        out.status = TCashReceiptAmount::NotSold;
    } else if (const std::int64_t won = query.AsCurrency(0).truncWon(); won > 0) {
        out.status = TCashReceiptAmount::Receiptable;
        out.amount = won;
    } else {
        out.status = TCashReceiptAmount::NothingLeft;
    }
    return out;
}

}  // namespace

TCashReceiptAmount ReadCashReceiptAmount(TfrmData& aData, const TBillKey& aBill)
{
    if (!aData.ConnectDB(true, false)) return {};
    TDbWork read(aData, TDbWork::Read);
    if (!read.Active()) {
        TCashReceiptAmount out;
        out.error = read.Error();
        return out;
    }
    const TCashReceiptAmount out = readAmount(aData, read, aBill);
    if (out.status != TCashReceiptAmount::Failed) read.Commit();
    return out;
}

std::int64_t GetCashReceiptAmt(TfrmData& aData, DialogService& aDialogs, const TBillKey& aBill)
{
    const TCashReceiptAmount read = ReadCashReceiptAmount(aData, aBill);
    switch (read.status) {
    case TCashReceiptAmount::Receiptable: return read.amount;
    case TCashReceiptAmount::NotSold: aDialogs.ErrBox(kMsgCashReceiptNotSold); break;
    case TCashReceiptAmount::NothingLeft: aDialogs.ErrBox(kMsgCashReceiptNothingLeft); break;
    case TCashReceiptAmount::Failed:
        if (read.error) aDialogs.ErrBox(read.error.message);
        break;
    }
    return 0;
}

TCashReceiptStored TServerCashReceiptRows::Store(const TCashReceiptRow& aRow)
{
    TCashReceiptStored out;
    if (!data_.ConnectDB(false, false)) return out;
    TDbWork work(data_);
    if (!work.Active()) {
        out.error = work.Error();
        return out;
    }
    const auto fail = [&](const TDbQuery& aQuery) {
        out.error = aQuery.Error();
        work.Fail(aQuery.Error());
        return out;
    };
    TDbQuery last(data_);
    last.SetSQL(kKeyLastSeq);
    setBill(last, aRow.bill);
    if (!last.Open() || last.Eof()) return fail(last);
    const std::int64_t seq = last.IsNull(0) ? 1 : last.AsInteger(0) + 1;
    // Checked again with the bill locked: another terminal may have issued
    // a receipt for it since the amount was offered.
    const TCashReceiptAmount left = readAmount(data_, work, aRow.bill);
    if (left.status == TCashReceiptAmount::Failed) {
        out.error = left.error;
        return out;
    }
    if (left.amount < aRow.amount) {
        out.error = {TDbErrorKind::Other, kKeyAmount, "", kMsgCashReceiptNothingLeft};
        work.Fail(out.error);
        return out;
    }

    const TTerminalContext& ctx = data_.Context();
    TDbQuery row(data_);
    row.SetSQL(kKeyRow);
    setBill(row, aRow.bill);
    const std::string values[] = {"Y", std::to_string(seq), "Y", aRow.individual ? "Y" : "N",
                                  // the number stands in the card number; the identity as typed is not kept
                                  GetCreditCardNo(aRow.identity), "", std::to_string(aRow.amount),
                                  aRow.agreeNo, aRow.agreeDate, ctx.gsCashier, ctx.gsIP};
    for (int i = 0; i < 11; ++i) row.SetParam(4 + i, values[i]);
    if (!row.ExecSQL()) return fail(row);
    if (!work.Commit()) {
        out.error = work.Error();
        return out;
    }
    out.stored = true;
    return out;
}

}  // namespace pos
