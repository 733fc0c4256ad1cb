#include "sales/ItemEntry.h"

#include "core/DialogService.h"
#include "core/TerminalContext.h"
#include "cards/IdentityRules.h"
#include "store/MasterStore.h"
#include "sales/SaleNavigator.h"

#include <algorithm>

namespace pos {

namespace {

bool allDigits(const std::string& aText)
{
    return std::all_of(aText.begin(), aText.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

TCodeKind ClassifyCode(const std::string& aText, const std::string& aScalePrefix)
{
    const std::size_t n = aText.size();
    if (n == 0) return TCodeKind::Empty;
    if (!(n <= 4 || n == 8 || n == 13)) return TCodeKind::CardSwipe;
    if (n == 13 && !aScalePrefix.empty() && aText.compare(0, aScalePrefix.size(), aScalePrefix) == 0)
        return TCodeKind::Scale;
    return TCodeKind::Code;
}

std::optional<TScaleCode> ParseScaleCode(const std::string& aText, const std::string& aScalePrefix)
{
    if (ClassifyCode(aText, aScalePrefix) != TCodeKind::Scale) return std::nullopt;
    // A scanned label whose check digit does not match was misread: its
    // price digits cannot be trusted.
    if (!allDigits(aText) || !CheckBarCode(aText)) return std::nullopt;
    TScaleCode scale;
    scale.articleCode = BarCode(aText.substr(0, 7) + "000000");
    scale.price = RoundNumber(Currency(std::stoll(aText.substr(7, 5))), 10);
    return scale;
}

TCardRoute RouteCardSwipe(const std::string& aText, const std::string& aCardNumber, bool aSki)
{
    if (aCardNumber == aText) return TCardRoute::Ignore;
    if (aCardNumber.size() == 10) return aSki ? TCardRoute::MemberCardSki : TCardRoute::MemberCard;
    if (aCardNumber.size() >= 14 && aCardNumber.size() <= 16) return TCardRoute::CreditCard;
    return TCardRoute::Ignore;
}

TItemEntry::TItemEntry(TTerminalContext& aContext, const TMasterStore& aStore, TSaleBill& aBill,
                       TSaleNavigator& aNavigator, DialogService& aDialogs, TEntryHooks& aHooks,
                       TOpenPriceFunction aOpenPrice, TCardNumberFunction aCardNumber)
    : context_(aContext),
      store_(aStore),
      bill_(aBill),
      navigator_(aNavigator),
      dialogs_(aDialogs),
      hooks_(aHooks),
      openPrice_(std::move(aOpenPrice)),
      cardNumber_(std::move(aCardNumber))
{
}

const TGoodsData* TItemEntry::GoodsFor(const std::string& aCode) const
{
    const std::string& outlet = bill_.entry.modifyMode ? bill_.entry.upjangCode : context_.gsUpjangCode;
    int row = store_.GetGoodsDataIndex(outlet, aCode);
    if (row < 0) {
        std::string upjang, posNo;
        row = store_.GetGoodsDataIndex(aCode, upjang, posNo);
    }
    return row < 0 ? nullptr : &store_.glGoodsData.at(static_cast<std::size_t>(row));
}

bool TItemEntry::directSelect() const
{
    return !store_.glUpjangData.empty() && store_.glUpjangData.front().DirectSelectYN;
}

bool TItemEntry::unitPriceToggleDown() const
{
    return bill_.screen.commands.UnitPriceDown();
}

bool TItemEntry::needsOpenPrice(const TGoodsData& aGoods) const
{
    return aGoods.OpenCodeYN || context_.gbEventMode || unitPriceToggleDown();
}

std::optional<Currency> TItemEntry::askOpenPrice(const std::string& aName, const TGoodsData& aGoods,
                                                 std::int64_t& aCorrect)
{
    aCorrect = 0;
    if (!openPrice_) return std::nullopt;
    const Currency price = openPrice_(aName, aGoods.TaxCalcuCode, aGoods.SaleUnitAmt, aCorrect, "");
    if (price < Currency()) {
        aCorrect = 0;
        return std::nullopt;
    }
    return price;
}

TEntryOutcome TItemEntry::add(std::int64_t aCorrect, std::optional<Currency> aPrice)
{
    // The unit-price correction applies to one item.
    if (bill_.screen.commands.groupPrintMode == TGroupPrintMode::UnitPrice)
        bill_.screen.commands[TSaleCommand::GroupPrint].down = false;
    if (context_.gbSki && hooks_.AddSkiSaleList(aCorrect, aPrice)) return {TEntryOutcome::Added};
    if (bill_.AddSaleList(aCorrect, aPrice) == TAddResult::UnknownCode) return wrongCode();
    return {TEntryOutcome::Added};
}

TEntryOutcome TItemEntry::wrongCode()
{
    bill_.entry.menuSelect = false;
    return {TEntryOutcome::WrongCode, std::string(kCodeFieldCaption) + kWrongInputSuffix, true};
}

// A cancelled open price sells nothing: the entry is dropped as a whole.
static TEntryOutcome cancelEntry(TSaleBill& aBill)
{
    aBill.CalcSaleList(false);
    aBill.entry.menuSelect = false;
    aBill.screen.menuNameText.clear();
    return {TEntryOutcome::Cancelled};
}

void TItemEntry::leaveModifyModeFor(const std::string& aCode)
{
    // A selected line is re-counted only by confirming its own code; any
    // other code is a fresh entry and must not take over the selected
    // line's member key or price.
    if (!bill_.entry.modifyMode) return;
    const int row = bill_.Lines().CurrentRow();
    if (bill_.Lines().ValidRow(row) && bill_.Lines().Line(row).MenuCode == aCode) return;
    startFreshEntry();
}

void TItemEntry::startFreshEntry()
{
    TSaleEntry& entry = bill_.entry;
    entry.modifyMode = false;
    entry.acceptMemberNo.clear();
    entry.memberAddNo.clear();
    entry.lineUnitAmt.reset();
    entry.upjangCode = context_.gsUpjangCode;
    entry.posNo = context_.gsPosNo;
}

TEntryOutcome TItemEntry::cardSwipe(const std::string& aText)
{
    std::int64_t count = 0;
    const std::string number = cardNumber_ ? cardNumber_(aText, count) : aText;
    TEntryOutcome outcome{TEntryOutcome::CardDone};
    bill_.entry.menuCode.clear();
    switch (RouteCardSwipe(aText, number, context_.gbSki)) {
    case TCardRoute::MemberCard:
        context_.gsTempMemberNo = number;
        hooks_.MemberCardRead();
        break;
    case TCardRoute::MemberCardSki:
        outcome.notice = kSkiMemberCardNotice;
        break;
    case TCardRoute::CreditCard:
        context_.gsTempMemberNo = aText;
        hooks_.CreditCardRead();
        break;
    case TCardRoute::Ignore: break;
    }
    return outcome;
}

TEntryOutcome TItemEntry::directEntry()
{
    const TGoodsData* goods = GoodsFor(bill_.entry.menuCode);
    std::optional<Currency> price;
    std::int64_t correct = 0;
    if (goods != nullptr && needsOpenPrice(*goods) && !bill_.entry.scalePrice) {
        price = askOpenPrice(goods->MenuName, *goods, correct);
        if (!price) return cancelEntry(bill_);
    }
    TEntryOutcome outcome = add(correct, price);
    if (!bill_.entry.menuCode.empty()) return wrongCode();  // the code was not accepted
    return outcome;
}

TEntryOutcome TItemEntry::CodeEnter()
{
    TSaleEntry& entry = bill_.entry;
    std::string text = entry.menuCode;
    if (text.empty()) {
        const bool moveOn = !bill_.Lines().IsEmpty() && !bill_.IsFinished();
        return {moveOn ? TEntryOutcome::ToTendered : TEntryOutcome::Nothing};
    }
    // A menu button's code is a real code: it is never read as a card or a
    // number shortcut.
    if (!entry.menuSelect) {
        const TCodeKind kind = ClassifyCode(text, context_.gsScaleMenuCode);
        if (kind == TCodeKind::CardSwipe) return cardSwipe(text);
        leaveModifyModeFor(text);
        if (kind == TCodeKind::Scale) {
            if (const auto scale = ParseScaleCode(text, context_.gsScaleMenuCode)) {
                entry.scalePrice = scale->price;
                text = scale->articleCode;
            }
        }
    }
    entry.menuCode = text;
    if (directSelect()) return directEntry();

    if (!entry.menuSelect && text.size() <= 4) {
        const std::string resolved = navigator_.ResolveShortcut(text);
        if (resolved != text) {
            entry.upjangCode = context_.gsUpjangCode;
            entry.posNo = context_.gsPosNo;
            entry.menuCode = text = resolved;
        }
    }
    const TGoodsData* goods = GoodsFor(text);
    bill_.screen.menuNameText = goods != nullptr ? goods->MenuName : std::string();
    if (bill_.screen.menuNameText.empty()) return wrongCode();
    if (entry.saleCount == Currency()) entry.saleCount = Currency(1);
    return {TEntryOutcome::AskCount};
}

TEntryOutcome TItemEntry::CountEnter()
{
    TSaleEntry& entry = bill_.entry;
    if (bill_.screen.menuNameText.empty() || bill_.IsFinished()) return {TEntryOutcome::Nothing};
    const TGoodsData* goods = GoodsFor(entry.menuCode);
    std::optional<Currency> price;
    std::int64_t correct = 0;
    if (goods != nullptr && needsOpenPrice(*goods) && !entry.scalePrice) {
        if (entry.modifyMode && entry.lineUnitAmt) {
            price = entry.lineUnitAmt;  // re-counting a line keeps its price
        } else {
            // A typed code is priced exactly like a menu tap: an open-price
            // item, an event price or a unit-price correction is asked for.
            price = askOpenPrice(bill_.screen.menuNameText, *goods, correct);
            if (!price) return cancelEntry(bill_);
        }
    }
    return add(correct, price);
}

bool TItemEntry::separateOutletRefused()
{
    const std::string& outlet = context_.gsUpjangCode;
    const bool package = outlet == context_.gsUpjangSkiPackage;
    if (!package && outlet != context_.gsUpjangSkiCamp) return false;
    for (int row = 0; row < bill_.Lines().GetCount(); ++row) {
        if (bill_.Lines().Line(row).UpjangCode != outlet) {
            dialogs_.ErrBox(context_.gsUpjangName + kSeparateSaleSuffix, true);
            return true;
        }
    }
    return package && !hooks_.SkiPackageScreen();
}

TEntryOutcome TItemEntry::MenuTap(int aButton)
{
    bill_.StartSale();
    const std::optional<std::string> code = navigator_.PressMenu(aButton);
    if (!code) return {TEntryOutcome::Nothing};
    if (separateOutletRefused()) return {TEntryOutcome::Refused};
    // A tap always starts a fresh entry, even while a line is selected.
    startFreshEntry();
    TSaleEntry& entry = bill_.entry;
    entry.scalePrice.reset();
    entry.menuSelect = true;
    entry.menuCode = *code;
    return CodeEnter();
}

}  // namespace pos
