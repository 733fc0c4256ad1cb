#include "sales/reprint/ReprintModel.h"

#include "core/DateHelpers.h"
#include "core/TerminalContext.h"
#include "core/TextHelpers.h"

#include <cstdio>

namespace pos {
namespace {

std::string digits(std::int64_t aValue, int aWidth)
{
    char text[32];
    std::snprintf(text, sizeof text, "%0*lld", aWidth, static_cast<long long>(aValue));
    return text;
}

}  // namespace

TReprintModel::TReprintModel(const TTerminalContext& aContext, TReprinter& aReprinter,
                             TAfterSaleCashReceipt& aCashReceipt)
    : saleDate(aContext.gsSaleDate),
      posNo(aContext.gsMasterPosNo),
      billNo(aContext.giBillNo > 1 ? digits(aContext.giBillNo - 1, 4) : std::string("0001")),
      reprinter_(aReprinter),
      cashReceipt_(aCashReceipt),
      upjangCode_(aContext.gsMasterUpjangCode),
      englishOffered_(aContext.gbVessa)
{
}

bool TReprintModel::dateValid() const { return !DateToString(saleDate, '-', true).empty(); }

std::int64_t TReprintModel::number(const std::string& aText) const { return StringToInteger(GetOnlyNumber(aText)); }

bool TReprintModel::LeaveSaleDate()
{
    if (dateValid()) return true;
    message_ = kMsgWrongSaleDate;
    focus_ = TReprintField::SaleDate;
    return false;
}

bool TReprintModel::Enter()
{
    ClearMessage();
    switch (focus_) {
    case TReprintField::SaleDate: focus_ = TReprintField::PosNo; return false;
    case TReprintField::PosNo: focus_ = TReprintField::BillNo; return false;
    case TReprintField::BillNo: break;
    }
    return billTyped() && reprint(!voidBill, english);
}

bool TReprintModel::billTyped()
{
    if (!dateValid()) {
        focus_ = TReprintField::SaleDate;
        return false;
    }
    if (number(posNo) <= 0) {
        focus_ = TReprintField::PosNo;
        return false;
    }
    if (number(billNo) > 0) return true;
    focus_ = TReprintField::BillNo;
    return false;
}

TBillKey TReprintModel::bill() const { return {saleDate, upjangCode_, digits(number(posNo), 2), number(billNo)}; }

bool TReprintModel::CashReceipt()
{
    ClearMessage();
    if (!billTyped()) return false;
    const TBillKey key = bill();
    const std::int64_t amount = cashReceipt_.ReceiptableAmount(key);
    if (amount <= 0) return false;
    if (!cashReceipt_.Issue(key, amount)) return false;
    // The receipt again, now with its cash-receipt block.
    return reprint(true, english);
}

bool TReprintModel::reprint(bool aSale, bool aEnglish)
{
    const TReprintRequest request{saleDate, digits(number(posNo), 2), number(billNo), aSale,
                                  englishOffered_ && aEnglish, true};
    const TReprintResult result = reprinter_.Reprint(request);
    if (result.Printed()) return true;
    // Off line the cashier learns why, not only that it failed.
    message_ = result.status == TReprintStatus::OffLine ? kMsgReprintOffLine : kMsgReprintFailed;
    selectBillNo_ = true;
    return false;
}

}  // namespace pos
