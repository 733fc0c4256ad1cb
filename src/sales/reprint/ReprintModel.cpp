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

TReprintModel::TReprintModel(const TTerminalContext& aContext, TReprinter& aReprinter)
    : saleDate(aContext.gsSaleDate),
      posNo(aContext.gsMasterPosNo),
      billNo(aContext.giBillNo > 1 ? digits(aContext.giBillNo - 1, 4) : std::string("0001")),
      reprinter_(aReprinter),
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
    if (!dateValid()) {
        focus_ = TReprintField::SaleDate;
        return false;
    }
    if (number(posNo) <= 0) {
        focus_ = TReprintField::PosNo;
        return false;
    }
    if (number(billNo) <= 0) return false;
    return reprint();
}

bool TReprintModel::reprint()
{
    const TReprintRequest request{saleDate, digits(number(posNo), 2), number(billNo), !voidBill,
                                  englishOffered_ && english, true};
    const TReprintResult result = reprinter_.Reprint(request);
    if (result.Printed()) return true;
    // Off line the cashier learns why, not only that it failed.
    message_ = result.status == TReprintStatus::OffLine ? kMsgReprintOffLine : kMsgReprintFailed;
    selectBillNo_ = true;
    return false;
}

}  // namespace pos
