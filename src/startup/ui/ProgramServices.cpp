#include "startup/ui/ProgramServices.h"

#include "core/TerminalContext.h"
#include "lookups/Lookups.h"
#include "sales/ui/TfrmOpenPrice.h"
#include "store/MasterStore.h"

#include <QApplication>

namespace pos {

TOutletPrintInfo TStoreOutletPrintSource::OutletPrintInfo() const
{
    if (store_.glUpjangData.empty()) return {};
    const TUpjangData& own = store_.glUpjangData.front();
    return {own.ReceiptRemark1, own.ReceiptRemark2, own.CardTID,
            store_.GetCommonData(context_.gsCommonCardTID, own.CardTID, CommonItem::CodeName)};
}

void TSystemBeeper::Beep(TBeepType) { QApplication::beep(); }

bool TProgramSaleServices::ClearDCModule()
{
    TLookups lookups(data_, store_);
    return lookups.ClearDCModule();
}

void TProgramSaleServices::ShowLineDisplay(const std::string& aLine1, const std::string& aLine2)
{
    showLineDisplay_(aLine1, aLine2);
}

Currency TProgramSaleServices::GetOpenCodePrice(const std::string& aMenuName, const std::string& aTaxCalcuCode,
                                                Currency aPrice, std::int64_t& aCorrectAmt,
                                                const std::string& aComment)
{
    return pos::GetOpenCodePrice(env_, context_, aMenuName, aTaxCalcuCode, aPrice, aCorrectAmt, aComment,
                                 QApplication::activeModalWidget());
}

}  // namespace pos
