#include "core/HotelPrices.h"

#include "core/TerminalContext.h"

namespace pos {

int HotelTenths(const TTerminalContext& aContext, const std::string& aTaxCalcuCode, bool aNoSvc, bool aNoVat)
{
    if (!aContext.gbVessa || aTaxCalcuCode == aContext.gsTaxGubunDutyfree) return 0;
    const bool withService = aTaxCalcuCode == aContext.gsTaxGubunDutyTip && !aNoSvc;
    return static_cast<int>(withService) + static_cast<int>(!aNoVat);
}

Currency AddTenths(Currency aNet, int aTenths)
{
    for (int i = 0; i < aTenths; ++i) aNet += RoundNumber(aNet / Currency(10), 1);
    return aNet;
}

}  // namespace pos
