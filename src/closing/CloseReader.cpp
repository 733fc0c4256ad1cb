#include "closing/CloseReader.h"

#include "core/DateHelpers.h"
#include "db/DataModule.h"
#include "db/DbQuery.h"
#include "db/DbWork.h"

#include <functional>

namespace pos {
namespace {

// One figure statement on its own: the terminal's date, outlet, POS and
// cashier, and the period start where the statement takes one. A failure
// is logged and checked for a lost connection by the read's own work.
class TFigureRead {
public:
    TFigureRead(TfrmData& aData, const TCloseScope& aScope) : data_(aData), scope_(aScope) {}

    // Runs aKey and hands each row to aRow; false when it failed.
    bool Run(const char* aKey, const std::string* aOpenTime, const std::function<void(TDbQuery&)>& aRow)
    {
        TDbWork read(data_, TDbWork::Read);
        TDbQuery query(data_);
        query.SetSQL(aKey);
        const TTerminalContext& ctx = data_.Context();
        query.SetParam(0, scope_.closeDate);
        query.SetParam(1, ctx.gsMasterUpjangCode);
        query.SetParam(2, ctx.gsMasterPosNo);
        query.SetParam(3, scope_.cashier);
        if (aOpenTime) query.SetParam(4, *aOpenTime);
        if (!query.Open()) {
            read.Fail(query.Error());
            return false;
        }
        for (; !query.Eof(); query.Next()) aRow(query);
        return true;
    }

private:
    TfrmData& data_;
    const TCloseScope& scope_;
};

TCountAmount CountAmountAt(const TDbQuery& aQuery, int aCountColumn)
{
    return {aQuery.AsInteger(aCountColumn), aQuery.AsCurrency(aCountColumn + 1)};
}

void ReadCashPosition(const TDbQuery& q, TCloseFigures& f)
{
    f.floats = CountAmountAt(q, 0);
    f.deposits = CountAmountAt(q, 2);
    f.floatEntries = q.AsInteger(4);
    f.depositEntries = q.AsInteger(5);
}

void ReadSales(const TDbQuery& q, TCloseFigures& f)
{
    f.sales = CountAmountAt(q, 0);
    f.returns = CountAmountAt(q, 2);
    f.voids = CountAmountAt(q, 4);
    f.corrections = CountAmountAt(q, 6);
    f.salesTotal = q.AsCurrency(8);
    for (int i = 0; i < 7; ++i) f.taxes[i] = q.AsCurrency(9 + i);
}

void ReadComp(const TDbQuery& q, TCloseFigures& f)
{
    f.compSales = q.AsInteger(0);
    f.compReturns = q.AsInteger(1);
    f.compVoids = q.AsInteger(2);
    f.compCorrections = q.AsInteger(3);
}

// The tender a pay code counts under; nullptr for codes the close does not
// sum (transfers between outlets). A card paid on the separate card terminal
// is stored as a card payment.
TCountAmount* TenderOf(const TCodeTable& aCodes, std::int64_t aPayCode, TCloseFigures& f)
{
    if (aPayCode == aCodes.giPayCash) return &f.cash;
    if (aPayCode == aCodes.giPayCard) return &f.card;
    if (aPayCode == aCodes.giPayRoom) return &f.room;
    if (aPayCode == aCodes.giPayLocker) return &f.locker;
    if (aPayCode == aCodes.giPayEvent) return &f.event;
    if (aPayCode == aCodes.giPayGiftCard) return &f.giftCard;
    if (aPayCode == aCodes.giPayCredit) return &f.credit;
    if (aPayCode == aCodes.giPayPreSaleTransfer) return &f.preSaleTransfer;
    if (aPayCode == aCodes.giPayPreSale) return &f.preSale;
    return nullptr;
}

std::string DayBefore(const std::string& aDate)
{
    return AddDays(aDate, -1).value_or(aDate) + "000000";
}

}  // namespace

std::string UnreadFiguresMessage(const std::vector<std::string>& aUnread, bool aRefused)
{
    std::string names;
    for (const std::string& name : aUnread) names += (names.empty() ? "" : ", ") + name;
    return "마감 자료를 읽지 못했습니다.\r(" + names + ")" + (aRefused ? "\r마감하지 않았습니다." : "");
}

TCloseRead ReadCloseData(TfrmData& aData, const TCloseScope& aScope)
{
    TCloseRead read;
    if (!aData.ConnectDB(true, false)) {
        read.unread = {figure::kCashPosition, figure::kPeriod, figure::kSales, figure::kComp, figure::kCancelled,
                       figure::kTenders};
        return read;
    }
    TCloseFigures& f = read.figures;
    TFigureRead run(aData, aScope);
    const auto readOne = [&](const char* aKey, const char* aName, const std::string* aOpenTime,
                             const std::function<void(TDbQuery&)>& aRow) {
        if (!run.Run(aKey, aOpenTime, aRow)) read.unread.push_back(aName);
    };

    readOne("IEB010-ReadCloseData-1", figure::kCashPosition, nullptr, [&](TDbQuery& q) { ReadCashPosition(q, f); });

    read.openTime = aScope.closeDate + "000000";
    if (aScope.fromDayBefore) {
        read.openTime = DayBefore(aScope.closeDate);
    } else {
        readOne("IEB010-ReadCloseData-6", figure::kPeriod, nullptr, [&](TDbQuery& q) {
            if (!q.IsNull(0)) read.openTime = q.AsString(0);
        });
    }

    readOne("IEB010-ReadCloseData-2", figure::kSales, &read.openTime, [&](TDbQuery& q) { ReadSales(q, f); });
    readOne("IEB010-ReadCloseData-3", figure::kComp, &read.openTime, [&](TDbQuery& q) { ReadComp(q, f); });
    readOne("IEB010-ReadCloseData-4", figure::kCancelled, &read.openTime,
            [&](TDbQuery& q) { f.cancelledBills = CountAmountAt(q, 0); });
    const TCodeTable& codes = aData.Context();
    readOne("IEB010-ReadCloseData-5", figure::kTenders, &read.openTime, [&](TDbQuery& q) {
        if (TCountAmount* tender = TenderOf(codes, q.AsInteger(0), f)) {
            tender->count += q.AsInteger(1);
            tender->amount += q.AsCurrency(2);
        }
    });
    return read;
}

std::optional<TMenuDetail> ReadMenuDetail(TfrmData& aData, const TCloseScope& aScope, const std::string& aOpenTime,
                                          bool aWithGuests, bool aWithVoids)
{
    if (!aData.ConnectDB(true, false)) return std::nullopt;
    TMenuDetail detail;
    TFigureRead run(aData, aScope);
    const auto menuRows = [](std::vector<TMenuRow>& aRows) {
        return [&aRows](TDbQuery& q) {
            aRows.push_back({q.AsString(0), q.AsString(1), q.AsInteger(2), q.AsCurrency(3)});
        };
    };
    if (!run.Run("IEB010-PrintCloseData-1", &aOpenTime, menuRows(detail.sales))) return std::nullopt;
    if (!run.Run("IEB010-PrintCloseData-2", &aOpenTime, menuRows(detail.compSales))) return std::nullopt;
    if (aWithGuests && !run.Run("IEB010-PrintCloseData-3", nullptr, [&](TDbQuery& q) {
            detail.guests.push_back({q.AsString(0), q.AsString(1), q.AsInteger(2), q.AsInteger(3), q.AsCurrency(4)});
        }))
        return std::nullopt;
    if (aWithVoids && !run.Run("IEB010-PrintCloseData-4", nullptr, [&](TDbQuery& q) {
            detail.voids.push_back({q.AsString(0), q.AsString(1), q.AsCurrency(2)});
        }))
        return std::nullopt;
    return detail;
}

}  // namespace pos
