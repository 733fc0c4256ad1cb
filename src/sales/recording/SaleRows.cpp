#include "sales/recording/SaleRows.h"

#include "core/TerminalContext.h"
#include "sales/SaleBill.h"
#include "store/MasterStore.h"

#include <algorithm>
#include <cstdio>
#include <deque>

namespace pos {
namespace {

std::string text(Currency aValue) { return aValue.toText(); }
std::string text(std::int64_t aValue) { return std::to_string(aValue); }
std::string yn(bool aValue) { return aValue ? "Y" : "N"; }

// Tender codes of the transfer rows are written with three digits.
std::string code3(std::int64_t aCode)
{
    char buf[24];
    std::snprintf(buf, sizeof buf, "%03lld", static_cast<long long>(aCode));
    return buf;
}

}  // namespace

bool TSaleRowsBuilder::preSale() const { return ctx_.gbPreSale; }
std::string TSaleRowsBuilder::rowDate() const { return preSale() ? ctx_.gsSaleDate : ctx_.gsToday; }
std::string TSaleRowsBuilder::rowBillNo() const { return preSale() ? ctx_.gsPreBillNo : ctx_.gsBillNo; }

std::string TSaleRowsBuilder::remarks(const std::string& aOwn, bool aOffLine) const
{
    if (ctx_.gbEventMode && aOwn.empty()) return ctx_.gsEventName;
    if (aOffLine) return "Off Line";
    return aOwn;
}

TSaleRowsBuilder::TMemberFields TSaleRowsBuilder::memberFields(const TSaleList& aLine) const
{
    TMemberFields m{aLine.MemberCode, aLine.GuestType, aLine.AcceptMemberNo, aLine.MemberNo, aLine.MemberAddNo};
    if (!ctx_.gbEventMode || !aLine.AcceptMemberNo.empty()) return m;
    if (!ctx_.gsEventNo.empty())
        return {ctx_.gsEventMemberCode, ctx_.gsEventGuestType, ctx_.gsEventNo, ctx_.gsEventMemberNo, ""};
    if (!store_.glDCMemberData.empty()) {
        const TDCMemberData& first = store_.glDCMemberData.front();
        return {first.MemberCode, first.GuestType, first.AcceptMemberNo, first.MemberNo, first.MemberAddNo};
    }
    return m;
}

std::vector<std::string> TSaleRowsBuilder::lineRow(const TSaleList& aLine, const TStoredLine& aStored, int aSeq,
                                                   std::int64_t aKorean, std::int64_t aForeign, bool aOffLine) const
{
    const TCommandBar& bar = bill_.screen.commands;
    const TMemberFields m = memberFields(aLine);
    const bool keyedIn = std::find(bill_.glKeyInData.begin(), bill_.glKeyInData.end(), m.acceptMemberNo) !=
                         bill_.glKeyInData.end() && !m.acceptMemberNo.empty();
    const bool reverses = ctx_.giSaleGubun == 0 ? aLine.SaleCount < Currency() : aLine.SaleCount > Currency();
    std::string caddy;
    if (bar[TSaleCommand::GuestCount].enabled && bar.guestCountMode == TGuestCountMode::Caddy) caddy = yn(aLine.CaddyYN);
    // At the hotel restaurants the bill's switches travel with each row.
    const std::string seriesCode = ctx_.gbVessa ? yn(bar.NoSvcDown()) : aLine.SeriesTicketCode;
    const std::string seriesName = ctx_.gbVessa ? yn(bar.NoVatDown()) : aLine.SeriesTicketName;
    const TTaxSplit& t = aStored.split;
    return {
        rowDate(), aLine.UpjangCode, aLine.PosNo, rowBillNo(), text(std::int64_t{aSeq}), "Y",
        aLine.MenuCode, aLine.SeasonCode, aLine.BusinessGubun, TaxFlag(ctx_, aLine.TaxCalcuCode),
        aLine.TaxCalcuCode, text(aStored.unit), text(aLine.SaleCount), text(aLine.DCRate), text(aLine.DCAmt),
        text(aStored.sale), text(t.net), text(t.vat), text(t.excise), text(t.eduTax),
        "0", "0", "0", "0", text(t.service), "0", "0",
        text(aKorean), text(aForeign), aLine.TicketKind, text(ctx_.giTableNo),
        m.memberCode, m.guestType, m.acceptMemberNo, m.memberNo, m.memberAddNo,
        yn(keyedIn), yn(aLine.ModifyYN && reverses), caddy, "", bar.GroupTicketDown() ? "1" : "0",
        "", "", "", "", seriesCode, seriesName, remarks("", aOffLine), aLine.DCRemarks,
        preSale() ? ctx_.gsCashierPreSale : ctx_.gsCashier, ctx_.gsIP,
    };
}

std::vector<std::string> TSaleRowsBuilder::linkRow(bool aOffLine) const
{
    std::vector<std::string> row{ctx_.gsToday, ctx_.gsMasterUpjangCode, ctx_.gsMasterPosNo, ctx_.gsBillNo,
                                 std::string("0"), std::string("Y"), std::string("00000000"), std::string("1"),
                                 std::string("1"), std::string("N"), std::string("1")};
    row.resize(31, std::string("0"));   // amounts, counts, ticket kind and table: 0
    row[29] = std::string("00");
    row.resize(51);                      // member fields to the cashier: empty
    row[40] = std::string(bill_.screen.commands.GroupTicketDown() ? "1" : "0");
    row[47] = remarks(ctx_.gsSaleDate + "-" + ctx_.gsPreBillNo + "에서 판매", aOffLine);
    row[49] = ctx_.gsCashier;
    row[50] = ctx_.gsIP;
    return row;
}

// The event-sale row of a sale row: accepted member, the bill's identity,
// the member number, the goods, the amounts and the remarks.
std::vector<std::string> TSaleRowsBuilder::eventSaleRow(const std::vector<std::string>& s) const
{
    return {s[33], s[0],  s[1],  s[2],  s[3],  s[4],  "Y",   s[34], s[6],  s[7],  s[8],
            s[9],  s[11], s[12], s[13], s[14], s[15], s[16], s[17], s[18], s[19], s[20],
            s[21], s[22], s[23], s[24], s[25], s[26], s[47], ctx_.gsCashier, ctx_.gsIP};
}

TSaleRows TSaleRowsBuilder::SaleRows(TSaleRowsMode aMode) const
{
    const TUpjangData* own = store_.glUpjangData.empty() ? nullptr : &store_.glUpjangData.front();
    const bool ticketOutlet = own != nullptr && own->TicketPrtYN;
    const bool restaurant = own != nullptr && own->UpjangType == ctx_.gsUpjangTypeFnB;
    const TSaleLines& lines = bill_.Lines();

    // Guest counts at ticket outlets that are not restaurants: one guest per
    // run of lines of one outlet.
    std::deque<std::string> outletRuns;
    if (ticketOutlet && !restaurant) {
        if (store_.glUpjangData.size() > 1) {
            for (int i = 0; i < lines.GetCount(); ++i)
                if (outletRuns.empty() || outletRuns.back() != lines.Line(i).UpjangCode)
                    outletRuns.push_back(lines.Line(i).UpjangCode);
        } else {
            outletRuns.push_back(ctx_.gsMasterUpjangCode);
        }
    }
    const bool countsEntered = ctx_.giKoreanCount != 0 || ctx_.giForeignCount != 0;
    const TCommandBar& bar = bill_.screen.commands;
    const char* saleKey = aMode.cancel ? kKeySaveSaleCancel : kKeySaveSale;
    const TOffLineQueue saleQueue = aMode.cancel ? TOffLineQueue::SaleCancel : TOffLineQueue::Sale;

    TSaleRows out;
    for (int i = 0; i < lines.GetCount(); ++i) {
        const TSaleList& line = lines.Line(i);
        if (line.SaleCount == Currency()) continue;
        TStoredLine stored;
        stored.line = &line;
        stored.unit = bill_.LineUnitAmount(line);
        stored.sale = bill_.LineSaleAmount(line);
        stored.split = SplitSaleTax(ctx_, line.TaxCalcuCode, stored.sale, bar.NoSvcDown(), bar.NoVatDown());
        stored.taxFree = line.TaxCalcuCode == ctx_.gsTaxGubunDutyfree;
        stored.seq = out.nextSeq;
        const TMemberFields member = memberFields(line);
        stored.guestType = member.guestType;
        stored.acceptMemberNo = member.acceptMemberNo;
        stored.memberAddNo = member.memberAddNo;

        const std::int64_t count = line.SaleCount.truncWon();
        std::int64_t korean = 0, foreign = 0;
        if (countsEntered) {
            if (out.nextSeq == 1) korean = ctx_.giKoreanCount, foreign = ctx_.giForeignCount;
        } else if (restaurant) {
            korean = count;
        } else if (line.TicketType != ctx_.gsTicketPrtYNNone) {
            korean = count;
        } else if (!outletRuns.empty() && outletRuns.front() == line.UpjangCode) {
            korean = 1;
            outletRuns.pop_front();
        }

        out.rows.push_back({saleKey, lineRow(line, stored, out.nextSeq, korean, foreign, aMode.offLine), saleQueue});
        if (ctx_.gbEventMode)
            out.rows.push_back({kKeySaveSaleEvent, eventSaleRow(out.rows.back().params), TOffLineQueue::SaleEvent});
        out.total += stored.sale;
        out.lines.push_back(stored);
        ++out.nextSeq;
    }
    if (preSale()) out.rows.push_back({saleKey, linkRow(aMode.offLine), saleQueue});
    return out;
}

std::vector<std::string> TSaleRowsBuilder::PayRowParams(std::int64_t aTenderCode, const std::string& aSeq,
                                                        Currency aAmount) const
{
    std::vector<std::string> p{ctx_.gsToday, ctx_.gsMasterUpjangCode, ctx_.gsMasterPosNo, ctx_.gsBillNo,
                               std::string("Y"), std::to_string(aTenderCode), aSeq, text(aAmount)};
    p.resize(18);  // the tender details P8 .. P17: empty
    p.push_back(ctx_.gsCashier);
    p.push_back(ctx_.gsIP);
    return p;
}

std::vector<TStoredRow> TSaleRowsBuilder::EventPayRow(std::int64_t aTenderCode, const std::string& aSeq,
                                                      Currency aAmount) const
{
    if (!ctx_.gbEventMode) return {};
    const bool ski = ctx_.gbSki;
    const TDCMemberData* first = store_.glDCMemberData.empty() ? nullptr : &store_.glDCMemberData.front();
    const std::string eventNo = ski ? ctx_.gsEventNo : (first ? first->AcceptMemberNo : std::string());
    const std::string groupNo = ski ? ctx_.gsEventMemberNo : (first ? first->MemberNo : std::string());
    std::vector<std::string> p{eventNo,           ctx_.gsSaleDate,     ctx_.gsMasterUpjangCode, ctx_.gsMasterPosNo,
                               ctx_.gsBillNo,     "Y",                 std::to_string(aTenderCode), aSeq,
                               groupNo,           text(aAmount),       ctx_.gsCashier,         ctx_.gsIP};
    return {{kKeySavePayEvent, std::move(p), TOffLineQueue::PayEvent}};
}

TBillRows TSaleRowsBuilder::PreSaleRows(Currency aDue) const
{
    if (!preSale()) return {};
    std::vector<std::string> transfer = PayRowParams(ctx_.giPayPreSaleTransfer, "1", -aDue);
    transfer[5] = code3(ctx_.giPayPreSaleTransfer);
    transfer[17] = ctx_.gsSaleDate + "-" + ctx_.gsPreBillNo;
    std::vector<std::string> presale = PayRowParams(ctx_.giPayPreSale, "1", aDue);
    presale[0] = ctx_.gsSaleDate;
    presale[3] = ctx_.gsPreBillNo;
    presale[5] = code3(ctx_.giPayPreSale);
    presale[17] = ctx_.gsToday + "-" + ctx_.gsBillNo;
    presale[18] = ctx_.gsCashierPreSale;
    return {{kKeySavePay, std::move(transfer), TOffLineQueue::Pay}, {kKeySavePay, std::move(presale), TOffLineQueue::Pay}};
}

TBillRows TSaleRowsBuilder::QuickCashRows(bool aOffLine, Currency aTendered, Currency aChange) const
{
    TBillRows rows;
    const auto add = [&](const std::string& aSeq, Currency aAmount) {
        std::vector<std::string> p = PayRowParams(ctx_.giPayCash, aSeq, aAmount);
        if (aOffLine) p[17] = "Off Line";
        rows.push_back({kKeySavePay, std::move(p), TOffLineQueue::Pay});
        for (TStoredRow& event : EventPayRow(ctx_.giPayCash, aSeq, aAmount)) rows.push_back(std::move(event));
    };
    add("1", aTendered * Currency(ctx_.giSign));
    if (aChange != Currency()) add("0", -aChange);
    const TBillRows presale = PreSaleRows(bill_.Totals().due);
    rows.insert(rows.end(), presale.begin(), presale.end());
    return rows;
}

TBillRows TSaleRowsBuilder::TransferRows(const TPosNoOf& aPosNoOf) const
{
    TBillRows rows;
    if (store_.glUpjangData.size() <= 1) return rows;
    std::vector<std::pair<std::string, Currency>> shares;
    const TSaleLines& lines = bill_.Lines();
    for (int i = 0; i < lines.GetCount(); ++i) {
        const TSaleList& line = lines.Line(i);
        if (line.UpjangCode == ctx_.gsMasterUpjangCode) continue;
        const Currency amount = Currency(bill_.CalcSaleAmt(line.TaxCalcuCode, line.SaleAmt).truncWon());
        auto found = std::find_if(shares.begin(), shares.end(), [&](const auto& s) { return s.first == line.UpjangCode; });
        if (found == shares.end()) shares.emplace_back(line.UpjangCode, amount);
        else found->second += amount;
    }
    const std::string billNo = preSale() ? ctx_.gsPreBillNo : ctx_.gsBillNo;
    const std::string cashier = preSale() ? ctx_.gsCashierPreSale : ctx_.gsCashier;
    for (std::size_t i = 0; i < shares.size(); ++i) {
        const std::string seq = std::to_string(i + 1);
        for (const bool toOutlet : {true, false}) {
            std::vector<std::string> p = PayRowParams(ctx_.giPayTransfer, seq, toOutlet ? shares[i].second : -shares[i].second);
            p[0] = ctx_.gsSaleDate;
            p[1] = toOutlet ? shares[i].first : ctx_.gsMasterUpjangCode;
            p[2] = toOutlet ? aPosNoOf(shares[i].first) : ctx_.gsMasterPosNo;
            p[3] = billNo;
            p[5] = code3(ctx_.giPayTransfer);
            p[18] = cashier;
            rows.push_back({kKeySavePay, std::move(p), TOffLineQueue::Pay});
        }
    }
    return rows;
}

}  // namespace pos
