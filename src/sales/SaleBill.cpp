#include "sales/SaleBill.h"

#include "core/DialogService.h"
#include "core/HotelPrices.h"
#include "core/TerminalContext.h"
#include "core/TextHelpers.h"
#include "store/MasterStore.h"

#include <cstdlib>

namespace pos {
namespace {

constexpr std::int64_t kMaxBillAmount = 2'000'000'000;

// "Price:" / "Total:" followed by the amount right-aligned in 14 columns.
std::string displayAmount(const char* aLabel, Currency aAmount)
{
    return aLabel + LPad(FormatThousands(aAmount), 14);
}

Currency wholeTowardZero(Currency aValue) { return Currency(aValue.truncWon()); }

}  // namespace

TSaleBill::TSaleBill(TTerminalContext& aContext, TMasterStore& aStore, DialogService& aDialogs, TSaleHooks& aHooks)
    : context_(aContext), store_(aStore), dialogs_(aDialogs), hooks_(aHooks), lines_(aContext, aStore)
{
    lines_.Subscribe([this](TSaleLinesEvent aEvent) {
        if (aEvent == TSaleLinesEvent::Change) ListChanged();
    });
}

const TUpjangData* TSaleBill::ownUpjang() const
{
    return store_.glUpjangData.empty() ? nullptr : &store_.glUpjangData.front();
}

// ---------------------------------------------------------------- entry

void TSaleBill::askGuestCountFirst()
{
    if (!screen.commands[TSaleCommand::GuestCount].enabled) return;
    if (context_.giKoreanCount != 0 || context_.giForeignCount != 0) return;
    if (hooks_.GetGuestCount(true)) hooks_.ShowWaitCount();
}

int TSaleBill::findMergeableLine(const std::optional<Currency>& aOpenPrice, bool aCaddy) const
{
    for (int row = 0; row < lines_.GetCount(); ++row) {
        const TSaleList& line = lines_.Line(row);
        if (line.UpjangCode == entry.upjangCode && line.MenuCode == entry.menuCode &&
            line.AcceptMemberNo == entry.acceptMemberNo && line.MemberAddNo == entry.memberAddNo &&
            (!aOpenPrice || line.SaleUnitAmt == *aOpenPrice) && !line.ModifyYN && line.CaddyYN == aCaddy)
            return row;
    }
    return -1;
}

TSaleList TSaleBill::newLine(int aGoodsRow, Currency aCount, Currency aPrice, std::int64_t aOrder,
                             std::int64_t aCorrectAmt, bool aCaddy) const
{
    const TGoodsData& goods = store_.glGoodsData.at(static_cast<std::size_t>(aGoodsRow));
    TSaleList line;
    line.MenuCode = entry.menuCode;
    line.MenuName = goods.MenuName;
    line.MenuEngName = goods.MenuEngName;
    line.SaleCount = aCount;
    line.SaleAmt = aCount * aPrice;
    line.SaleUnitAmt = aPrice;
    line.UpjangCode = entry.upjangCode;
    line.PosNo = entry.posNo;
    line.SaleGubun = context_.giSaleGubun;
    line.SeasonCode = goods.SeasonCode;
    line.BusinessGubun = goods.BusinessGubun;
    line.TaxYN = goods.TaxYN;
    line.TaxCalcuCode = goods.TaxCalcuCode;
    line.TicketKind = goods.TicketKind;
    line.KitchenPrtYN = goods.KitchenPrtYN;
    line.DaesoCode = goods.DaesoCode;
    line.TicketType = goods.TicketType;
    line.DCYN = goods.DCYN;
    line.DCCalcuCode = goods.DCCalcuCode;
    line.MenuGubunCode = goods.MenuGubun;
    line.Order = aOrder;
    line.CorrectAmt = aCorrectAmt;
    line.CaddyYN = aCaddy;
    return line;
}

void TSaleBill::showPrice(Currency aPrice) { hooks_.ShowLineDisplay(displayAmount("Price:", aPrice), " "); }

TAddResult TSaleBill::AddSaleList(std::int64_t aCorrectAmt, std::optional<Currency> aOpenPrice)
{
    askGuestCountFirst();
    // A selected line keeps its own outlet: re-counting a line sold for
    // another outlet must find that line, not append a new one.
    if (!entry.modifyMode) {
        entry.upjangCode = context_.gsUpjangCode;
        entry.posNo = context_.gsPosNo;
    }
    if (entry.menuCode.size() == 13 && entry.menuCode.compare(0, 2, context_.gsScaleMenuCode) == 0 && entry.scalePrice)
        aOpenPrice = entry.scalePrice;
    entry.menuSelect = false;
    const std::int64_t order = lines_.MaxOrder() + 1;
    const bool caddy = screen.commands[TSaleCommand::GuestCount].enabled && screen.commands.CaddyMode();
    const Currency quantity = entry.saleCount;
    const Currency sign(context_.giSign);

    if (const int row = findMergeableLine(aOpenPrice, caddy); row >= 0) {
        const TSaleList found = lines_.Line(row);
        if (entry.modifyMode && found.SaleCount.abs() == quantity) {
            lines_.LastList(true);
            CalcSaleList(false);
            return TAddResult::Unchanged;
        }
        const TUpjangData* own = ownUpjang();
        if (own && own->MidifySaveYN && entry.modifyMode && found.SaleCount.abs() > quantity) {
            // Modify-save keeps the quantity already rung up visible: the line
            // is reduced and two closed lines record the change. The
            // difference is taken in the bill's own sign, so a return line
            // of -3 changed to 1 becomes -1, never -5.
            const Currency diff = wholeTowardZero(quantity * sign - found.SaleCount);
            for (const Currency count : {diff, -diff}) {
                TSaleList correction = found;
                correction.ClearDiscount();
                correction.SaleCount = count;
                correction.SaleAmt = found.SaleUnitAmt * count;
                correction.Order = order;
                correction.ModifyYN = true;
                correction.OldSaleCount = 0;
                lines_.AddList(std::move(correction), false);
            }
            TSaleList& reduced = lines_.Line(row);  // appending without redraw keeps rows in place
            reduced.SaleCount = reduced.SaleCount + diff;
            reduced.SaleAmt = reduced.SaleCount * reduced.SaleUnitAmt;
            lines_.LastList(true);
            CalcSaleList(true);
            return TAddResult::Corrected;
        }
        const Currency count = wholeTowardZero(entry.modifyMode ? quantity * sign : quantity * sign + found.SaleCount);
        const Currency price = aOpenPrice.value_or(found.SaleUnitAmt);
        showPrice(price);
        TSaleList merged = found;
        merged.ClearDiscount();
        merged.SaleCount = count;
        merged.SaleUnitAmt = price;
        merged.SaleAmt = count * price;
        merged.Order = order;
        lines_.AddList(std::move(merged), false);
        lines_.DeleteList(row, false);
        lines_.LastList(true);
        CalcSaleList(true);
        return TAddResult::Merged;
    }

    const Currency count = wholeTowardZero(quantity) * sign;
    int goodsRow = store_.GetGoodsDataIndex(entry.upjangCode, entry.menuCode);
    if (goodsRow < 0) {
        std::string upjang, posNo;
        goodsRow = store_.GetGoodsDataIndex(entry.menuCode, upjang, posNo);
        if (goodsRow < 0) return TAddResult::UnknownCode;
        entry.upjangCode = upjang;
        entry.posNo = posNo;
    }
    const Currency price = aOpenPrice.value_or(store_.glGoodsData.at(static_cast<std::size_t>(goodsRow)).SaleUnitAmt);
    showPrice(price);
    lines_.AddList(newLine(goodsRow, count, price, order, aCorrectAmt, caddy), true);
    CalcSaleList(true);
    return TAddResult::Added;
}

// ---------------------------------------------------------------- totals

Currency TSaleBill::CalcSaleAmt(const std::string& aTaxCalcuCode, Currency aAmt) const
{
    return AddTenths(aAmt, HotelTenths(context_, aTaxCalcuCode, screen.commands.NoSvcDown(), screen.commands.NoVatDown()));
}

Currency TSaleBill::LineUnitAmount(const TSaleList& aLine) const
{
    if (!context_.gbVessa) return aLine.SaleUnitAmt;
    const Currency gross = CalcSaleAmt(aLine.TaxCalcuCode, aLine.SaleUnitAmt);
    if (aLine.DCAmt == Currency() && aLine.CorrectAmt != 0) return RoundNumber(gross, 1) + Currency(aLine.CorrectAmt);
    return gross;
}

Currency TSaleBill::LineSaleAmount(const TSaleList& aLine) const
{
    if (!context_.gbVessa) return aLine.SaleAmt;
    if (aLine.DCAmt == Currency() && aLine.CorrectAmt != 0) return LineUnitAmount(aLine) * aLine.SaleCount;
    return RoundNumber(CalcSaleAmt(aLine.TaxCalcuCode, aLine.SaleAmt), 1);
}

Currency TSaleBill::dueAmount() const
{
    Currency due;
    for (int row = 0; row < lines_.GetCount(); ++row) due += LineSaleAmount(lines_.Line(row));
    return due;
}

Currency TSaleBill::changeFor(Currency aTendered) const
{
    // On a return the cashier hands money out: what was typed counts as paid
    // back whatever its sign.
    if (context_.giSaleGubun == 0) return aTendered - totals_.due;
    return -aTendered.abs() - totals_.due;
}

void TSaleBill::CalcSaleList(bool aCalc)
{
    if (aCalc) {
        if (!context_.gbSki) {
            hooks_.ExecDC(lines_);
            hooks_.RecreateSaleList(lines_);
        }
        totals_.due = dueAmount();
        totals_.discount = Currency();
        for (int row = 0; row < lines_.GetCount(); ++row) totals_.discount += lines_.Line(row).DCAmt;
        totals_.total = totals_.due + totals_.discount;
        totals_.change = changeFor(totals_.tendered);
        hooks_.ShowLineDisplay(" ", displayAmount("Total:", totals_.due));
        if (totals_.due.abs() > Currency(kMaxBillAmount)) dialogs_.ErrBox(kSaleAmountTooLarge, true);
    }
    resetEntry();
}

void TSaleBill::resetEntry()
{
    entry.menuCode.clear();
    entry.upjangCode.clear();
    entry.posNo.clear();
    entry.acceptMemberNo.clear();
    entry.memberAddNo.clear();
    entry.modifyMode = false;
    entry.saleCount = Currency(1);
    entry.lineUnitAmt.reset();
    entry.scalePrice.reset();
    if (screen.showing) screen.focus = TSaleScreenState::Focus::Code;
}

void TSaleBill::SetTendered(Currency aTendered)
{
    totals_.tendered = aTendered;
    totals_.change = changeFor(aTendered);
}

void TSaleBill::TenderedEntered()
{
    if (totals_.tendered == Currency()) {
        SetTendered(wholeTowardZero(totals_.due.abs()));
        screen.focusTextSelected = true;
    }
}

void TSaleBill::CodeEntered()
{
    if (entry.saleCount == Currency()) entry.saleCount = Currency(1);
    if (!IsFinished()) screen.menuNameText.clear();
}

// ---------------------------------------------------------------- modify mode and delete

void TSaleBill::ListChanged()
{
    const int row = lines_.CurrentRow();
    bool allowed = !IsFinished() && lines_.ValidRow(row) && !lines_.Line(row).ModifyYN;
    if (allowed && context_.gbSki && !context_.gbEventMode) {
        const std::string& guestType = lines_.Line(row).GuestType;
        allowed = guestType.empty() || guestType == context_.gsGuestTypeSkiPackage ||
                  guestType == context_.gsGuestTypeSkiCamp;
    }
    if (!allowed) {
        entry.menuCode.clear();
        screen.focus = TSaleScreenState::Focus::Code;
        return;
    }
    const TSaleList& line = lines_.Line(row);
    entry.menuCode = line.MenuCode;
    entry.upjangCode = line.UpjangCode;
    entry.posNo = line.PosNo;
    entry.acceptMemberNo = line.AcceptMemberNo;
    entry.memberAddNo = line.MemberAddNo;
    entry.saleCount = Currency(line.SaleCount.abs().truncWon());
    entry.lineUnitAmt = line.SaleUnitAmt;
    entry.modifyMode = true;
    screen.menuNameText = line.MenuName;
    screen.focus = TSaleScreenState::Focus::Count;
    screen.focusTextSelected = true;
}

void TSaleBill::DeleteCurrentLine()
{
    StartSale();
    const int row = lines_.CurrentRow();
    if (!lines_.ValidRow(row)) return;  // nothing selected, e.g. the finished bill was just cleared
    const TSaleList& line = lines_.Line(row);
    if (line.OldSaleCount != 0) {
        // The stored table order still holds this line: remember it so the
        // table's rows can be taken back when the bill is stored again.
        TSaleList removed = line;
        removed.ClearDiscount();
        removed.SaleCount = Currency();
        removed.SaleAmt = Currency();
        removed.Order = 0;
        table.llDeleteList.push_back(std::move(removed));
    }
    lines_.DeleteList(row, true);
    CalcSaleList(true);
    if (lines_.IsEmpty()) ClearBill();
}

// ---------------------------------------------------------------- bill life

void TSaleBill::ClearBill()
{
    lines_.ClearList(true);
    screen.menuNameText.clear();
    screen.menuNameRed = false;
    if (!context_.gbSki) {
        store_.glDCMemberData.clear();
        store_.glDCMenuData.clear();
        if (hooks_.ClearDCModule()) {
            store_.ReadDCMemberData(true);
            store_.ReadDCMenuData();
        }
    }
    glKeyInData.clear();
    if (context_.gbPreSale) hooks_.EndPreSale();
    entry.modifyMode = false;
    context_.ResetBill();
    totals_.tendered = Currency();
    screen.lockerLabel.clear();
    CalcSaleList(true);
    hooks_.ClearPrintLists();
    screen.daesoDown = false;
    screen.commands[TSaleCommand::DC].down = false;
    if (screen.commands.groupPrintMode == TGroupPrintMode::Tickets) {
        const TUpjangData* own = ownUpjang();
        screen.commands[TSaleCommand::GroupPrint].down = own && own->GroupTicketYN;
    }
    hooks_.GetMaxBillNo();
    hooks_.ShowSaleGubun();
    hooks_.ShowWaitCount();
    hooks_.ShowBillNo();
}

void TSaleBill::StartSale()
{
    if (IsFinished()) ClearBill();
}

void TSaleBill::EndSale()
{
    const TUpjangData* own = ownUpjang();
    if (screen.showing && own && own->UpjangType != context_.gsUpjangTypeFnB) hooks_.PressFirstMenuButtons();
    for (int row = 0; row < lines_.GetCount(); ++row) lines_.Line(row).ModifyYN = true;
    lines_.ShowList();
    screen.menuNameText = kEndOfSaleText;
    screen.menuNameRed = true;
    if (screen.showing && screen.enabled) screen.focus = TSaleScreenState::Focus::Code;
    if (own && own->FirstFormCode == context_.gsFormSkiSchool) {
        context_.ClearSchoolCustomer();
        hooks_.OpenSkiSchool();
    }
}

}  // namespace pos
