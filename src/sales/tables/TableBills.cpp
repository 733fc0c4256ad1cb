#include "sales/tables/TableBills.h"

#include "core/DialogService.h"
#include "core/TerminalContext.h"
#include "db/DataModule.h"
#include "db/DbQuery.h"
#include "db/DbWork.h"
#include "sales/SaleBill.h"
#include "sales/receipt/BillHeader.h"
#include "store/MasterStore.h"

#include <algorithm>
#include <deque>
#include <vector>

namespace pos {
namespace {

const char* const kDeleteKeys[] = {"IDH011-ExecOrderSplit-1", "IDH011-ExecOrderSplit-2", "IDH011-ExecOrderSplit-3",
                                   "IDH011-ExecOrderSplit-4"};

std::string yn(bool aFlag) { return aFlag ? "Y" : "N"; }
std::string text(std::int64_t aValue) { return std::to_string(aValue); }

bool typed(const std::vector<std::string>& aKeyInData, const std::string& aMemberNo)
{
    return std::find(aKeyInData.begin(), aKeyInData.end(), aMemberNo) != aKeyInData.end();
}

// A member number read back with its not-typed flag "N" was keyed in by
// hand on the bill: it goes back into the bill's typed list.
void keepTyped(std::vector<std::string>& aKeyInData, const std::string& aMemberNo, const std::string& aNotTyped)
{
    if (aNotTyped == "N" && !typed(aKeyInData, aMemberNo)) aKeyInData.push_back(aMemberNo);
}

// Statements with parameters that live as long as the batch.
class TStatements {
public:
    std::vector<std::string>& Add(const char* aKey, std::vector<std::string> aParams)
    {
        params_.push_back(std::move(aParams));
        batch_.push_back({aKey, &params_.back(), nullptr});
        return params_.back();
    }
    const std::vector<TfrmData::TBatchStatement>& Batch() const { return batch_; }

private:
    std::deque<std::vector<std::string>> params_;
    std::vector<TfrmData::TBatchStatement> batch_;
};

void addDeletes(TStatements& aStatements, const std::vector<std::string>& aTable)
{
    for (const char* key : kDeleteKeys) aStatements.Add(key, aTable);
}

std::vector<std::string> columns(const TDbQuery& aQuery, int aCount)
{
    std::vector<std::string> values;
    values.reserve(static_cast<std::size_t>(aCount));
    for (int c = 0; c < aCount; ++c) values.push_back(aQuery.AsString(c));
    return values;
}

}  // namespace

bool IsTableOpen(const TTerminalContext& aContext, const TMasterStore& aStore)
{
    return IsTableOutlet(aContext, aStore) && aContext.giTableNo > 0;
}

std::string TableDate(const TTerminalContext& aContext, const TSaleBill& aBill)
{
    return aBill.table.saleDate.empty() ? aContext.gsSaleDate : aBill.table.saleDate;
}

// ---------------------------------------------------------------- storing

bool TTableBills::SaveTableData(TSaleBill& aBill)
{
    const TSaleLines& lines = aBill.Lines();
    if (lines.IsEmpty() && aBill.table.llDeleteList.empty()) return true;
    if (!data_.ConnectDB(true, false)) return false;

    const std::string date = TableDate(aBill);
    const std::vector<std::string> table{date, ctx_.gsMasterUpjangCode, text(ctx_.giTableNo)};
    const auto withTable = [&table](std::vector<std::string> aRest) {
        std::vector<std::string> p = table;
        p.insert(p.end(), aRest.begin(), aRest.end());
        return p;
    };
    const TCommandBar& bar = aBill.screen.commands;
    TStatements s;
    addDeletes(s, table);
    s.Add("IAI010-SaveTableData-1",
          withTable({ctx_.gsMasterPosNo, text(ctx_.giSaleGubun), aBill.Totals().due.toText(), ctx_.gsLockerNo, "0",
                     text(ctx_.giKoreanCount), text(ctx_.giForeignCount), yn(bar.NoSvcDown()), yn(bar.NoVatDown())}));
    // The caddy flag is kept only where the guest-count button is the caddy toggle.
    const bool caddyMode = bar[TSaleCommand::GuestCount].enabled && bar.guestCountMode == TGuestCountMode::Caddy;
    for (int row = 0; row < lines.GetCount(); ++row) {
        const TSaleList& l = lines.Line(row);
        std::vector<std::string>& p =
            s.Add("IAI010-SaveTableData-2",
                  withTable({text(row + 1), l.UpjangCode, l.MenuCode, l.SeasonCode, l.BusinessGubun,
                             l.SaleCount.toText(), text(l.OldSaleCount), l.SaleUnitAmt.toText(), yn(l.ModifyYN),
                             caddyMode ? yn(l.CaddyYN) : std::string()}));
        p.resize(23);
        p.push_back(text(l.CorrectAmt));  // P23
    }
    for (std::size_t i = 0; i < store_.glDCMemberData.size(); ++i) {
        const TDCMemberData& d = store_.glDCMemberData[i];
        s.Add("IAI010-SaveTableData-3",
              withTable({text(static_cast<std::int64_t>(i + 1)), d.MultiUpjangCode, d.AcceptMemberNo, d.MemberNo,
                         d.MemberAddNo, d.IDNo, d.MemberName, d.MemberCode, d.GuestType, d.DaesoGubun, text(d.DCRate),
                         text(d.OnceUseCount), text(d.DailyUseCount), text(d.YearlyUseCount), d.Remark,
                         yn(!typed(aBill.glKeyInData, d.AcceptMemberNo)), yn(d.DCYN), yn(d.MasterMemberYN)}));
    }
    for (std::size_t i = 0; i < store_.glDCMenuData.size(); ++i) {
        const TDCMenuData& d = store_.glDCMenuData[i];
        s.Add("IAI010-SaveTableData-4",
              withTable({text(static_cast<std::int64_t>(i + 1)), d.MultiUpjangCode, d.AcceptMemberNo, d.MenuCode,
                         d.SeasonCode, d.BusinessGubun, d.MemberNo, d.MemberAddNo, d.IDNo, d.MemberName,
                         d.MemberCode, d.GuestType, d.DaesoGubun, d.DCAmt.toText(), text(d.OnceUseCount),
                         text(d.DailyUseCount), yn(!typed(aBill.glKeyInData, d.AcceptMemberNo))}));
    }
    // One transaction: the old bill is deleted and the new one written, or
    // neither (the failure is logged under the failing statement's key).
    if (TDbWork::Batch(data_, s.Batch())) {
        dialogs_.ErrBox(kMsgTableNotSaved, true);
        return false;
    }
    aBill.table.saleDate = date;
    aBill.glKeyInData.clear();
    return true;
}

// ---------------------------------------------------------------- loading

bool TTableBills::readHeader(TDbQuery& aQuery, TSaleBill& aBill)
{
    openTable(aQuery, "IAI010-LoadTableData-1", aBill);
    if (!aQuery.Open()) return false;
    if (aQuery.Eof() || aQuery.IsNull(0)) return true;  // nothing stored: the cleared values stay
    ctx_.giSaleGubun = aQuery.AsInteger(0);
    ctx_.giSign = ctx_.giSaleGubun != 0 ? -1 : 1;
    ctx_.giKoreanCount = aQuery.AsInteger(1);
    ctx_.giForeignCount = aQuery.AsInteger(2);
    ctx_.gsLockerNo = aQuery.AsString(3);
    aBill.screen.commands[TSaleCommand::IpgumOpen].down = aQuery.AsString(4) == "Y";
    aBill.screen.commands[TSaleCommand::IpgumClose].down = aQuery.AsString(5) == "Y";
    return true;
}

TSaleList StoredTableLine(const TDbQuery& aQuery)
{
    TSaleList l;
    l.MenuCode = aQuery.AsString(0);
    l.MenuName = aQuery.AsString(1);
    l.SaleCount = Currency(aQuery.AsInteger(2));
    l.SaleUnitAmt = aQuery.AsCurrency(3);
    l.SaleAmt = aQuery.AsCurrency(4);
    l.ModifyYN = aQuery.AsString(5) == "Y";
    l.UpjangCode = aQuery.AsString(6);
    l.PosNo = aQuery.AsString(7);
    l.SeasonCode = aQuery.AsString(8);
    l.BusinessGubun = aQuery.AsString(9);
    l.MenuEngName = aQuery.AsString(10);
    l.TaxYN = aQuery.AsString(11) == "Y";
    l.TaxCalcuCode = aQuery.AsString(12);
    l.TicketKind = aQuery.AsString(13);
    l.KitchenPrtYN = aQuery.AsString(15) == "Y";
    l.DaesoCode = aQuery.AsString(16);
    l.TicketType = aQuery.AsString(17);
    l.DCYN = aQuery.AsString(18) == "Y";
    l.DCCalcuCode = aQuery.AsString(19);
    l.MenuGubunCode = aQuery.AsString(20);
    l.CorrectAmt = aQuery.AsInteger(21);
    l.CaddyYN = aQuery.AsString(22) == "Y";
    return l;
}

bool TTableBills::readLines(TDbQuery& aQuery, TSaleBill& aBill)
{
    openTable(aQuery, "IAI010-LoadTableData-2", aBill);
    aQuery.SetParam(3, ctx_.gsMasterPosNo);
    if (!aQuery.Open()) return false;
    std::int64_t k = 0;
    for (aQuery.First(); !aQuery.Eof(); aQuery.Next()) {
        ++k;  // a line stored with no count is not loaded, but its number is used up
        if (aQuery.AsInteger(2) == 0) continue;
        TSaleList l = StoredTableLine(aQuery);
        // Everything stored counts as told to the kitchen: the table was
        // left through a put-away that printed its kitchen slip.
        l.OldSaleCount = aQuery.AsInteger(2);
        l.Order = k;
        l.SaleGubun = ctx_.giSaleGubun;
        aBill.Lines().AddList(std::move(l), false);
    }
    return true;
}

bool TTableBills::readMemberDiscounts(TDbQuery& aQuery, TSaleBill& aBill)
{
    store_.glDCMemberData.clear();
    ctx_.gbEventMode = false;
    openTable(aQuery, "IAI010-LoadTableData-3", aBill);
    if (!aQuery.Open()) return false;
    for (aQuery.First(); !aQuery.Eof(); aQuery.Next()) {
        store_.AddDCMemberData(columns(aQuery, 18));
        keepTyped(aBill.glKeyInData, aQuery.AsString(1), aQuery.AsString(15));
        if (aQuery.AsString(7) != ctx_.gsMemberNoEvent) continue;
        // A banquet's bill: the group's membership is the bill's only discount.
        ctx_.gbEventMode = true;
        ctx_.gsEventNo = aQuery.AsString(1);
        ctx_.gsEventName = aQuery.AsString(6);
        ctx_.gsEventMemberNo = aQuery.AsString(3);
        ctx_.gsEventMemberCode = aQuery.AsString(7);
        ctx_.gsEventMemberCodeName = "연회";
        ctx_.gsEventGuestType = aQuery.AsString(8);
        break;
    }
    return true;
}

bool TTableBills::readMenuDiscounts(TDbQuery& aQuery, TSaleBill& aBill)
{
    store_.glDCMenuData.clear();
    openTable(aQuery, "IAI010-LoadTableData-4", aBill);
    if (!aQuery.Open()) return false;
    for (aQuery.First(); !aQuery.Eof(); aQuery.Next()) {
        store_.AddDCMenuData(columns(aQuery, 17));
        keepTyped(aBill.glKeyInData, aQuery.AsString(1), aQuery.AsString(16));
    }
    return true;
}

// The terminal's discount work area holds the loaded table's discounts
// only, so the discount screen works on this table's members.
void TTableBills::registerDiscounts(const TSaleBill& aBill)
{
    const std::vector<std::string> terminal{ctx_.gsMasterUpjangCode, ctx_.gsMasterPosNo, "", "", ""};
    const std::vector<std::string> table{TableDate(aBill), ctx_.gsMasterUpjangCode, text(ctx_.giTableNo),
                                         ctx_.gsMasterPosNo};
    TStatements s;
    s.Add("IBI010-CallDCDeleteProc-1", terminal);
    s.Add("IBI010-CallDCDeleteProc-2", terminal);
    s.Add("IAI010-LoadTableData-5", table);
    s.Add("IAI010-LoadTableData-6", table);
    (void)TDbWork::Batch(data_, s.Batch());  // a failure is logged and taken back there
}

void TTableBills::LoadTableData(TSaleBill& aBill)
{
    aBill.table = TOpenTable{};
    aBill.table.saleDate = ctx_.gsSaleDate;
    if (data_.ConnectDB(true, false) && readAll(aBill)) registerDiscounts(aBill);
    aBill.Lines().ShowList();
    aBill.table.llDCMemberData = store_.glDCMemberData;
    aBill.table.llDCMenuData = store_.glDCMenuData;
    aBill.CalcSaleList(true);
}

// Header, lines, member and menu discounts, stopping at the first failure
// (logged under the statement's key); what was read so far stays.
bool TTableBills::readAll(TSaleBill& aBill)
{
    TDbWork work(data_, TDbWork::Read);
    TDbQuery query(data_);
    for (auto step : {&TTableBills::readHeader, &TTableBills::readLines, &TTableBills::readMemberDiscounts,
                      &TTableBills::readMenuDiscounts}) {
        if ((this->*step)(query, aBill)) continue;
        work.Fail(query.Error());
        return false;
    }
    return true;
}

void TTableBills::openTable(TDbQuery& aQuery, const char* aKey, const TSaleBill& aBill) const
{
    aQuery.SetSQL(aKey);
    aQuery.SetParam(0, TableDate(aBill));
    aQuery.SetParam(1, ctx_.gsMasterUpjangCode);
    aQuery.SetParam(2, text(ctx_.giTableNo));
}

// ---------------------------------------------------------------- deleting

bool DeleteTableData(const TTerminalContext& aContext, TfrmData& aData, DialogService& aDialogs,
                     const TSaleBill& aBill)
{
    TStatements s;
    addDeletes(s, {TableDate(aContext, aBill), aContext.gsMasterUpjangCode, text(aContext.giTableNo)});
    if (TDbWork::Batch(aData, s.Batch())) {
        aDialogs.ErrBox(kMsgTableNotDeleted, true);
        return false;
    }
    return true;
}

bool TTableBills::DeleteTableDataAlone(const TSaleBill& aBill)
{
    if (!data_.ConnectDB(true, false)) return false;
    return DeleteTableData(ctx_, data_, dialogs_, aBill);
}

}  // namespace pos
