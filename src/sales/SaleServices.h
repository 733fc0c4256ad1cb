#pragma once
// What the sale screen needs of the rest of the terminal besides its own
// widgets: the discount engine, the customer display, the ticket and print
// lists, the bill numbers, the pre-sale and ski flows, and the screens it
// opens for an entry (open price, guest count). The program provides it;
// the screen cannot be made without it.

#include "core/Currency.h"

#include <cstdint>
#include <optional>
#include <string>

namespace pos {

class TSaleLines;

class TSaleServices {
public:
    virtual ~TSaleServices() = default;

    // The discount engine.
    virtual void ExecDC(TSaleLines& aLines) = 0;
    virtual void RecreateSaleList(TSaleLines& aLines) = 0;
    // The server's discount work area of the terminal was cleared; true when
    // the member lists must be read again.
    virtual bool ClearDCModule() = 0;

    virtual void ShowLineDisplay(const std::string& aLine1, const std::string& aLine2) = 0;
    virtual void ClearPrintLists() = 0;  // tender print lists and joined cards
    virtual void EndPreSale() = 0;
    // The bill number of the next bill from the bill-number file.
    virtual void GetMaxBillNo() = 0;
    virtual void OpenSkiSchool() = 0;

    // Ski lift items' own entry path; false: not handled, the ordinary
    // path adds the line.
    virtual bool AddSkiSaleList(std::int64_t aCorrectAmt, std::optional<Currency> aOpenPrice) = 0;
    // The ski package screen shown before a package menu; false: cancelled.
    virtual bool SkiPackageScreen() = 0;

    // The open-price screen: the entered sale price, or -1 when cancelled
    // (aCorrectAmt then 0).
    virtual Currency GetOpenCodePrice(const std::string& aMenuName, const std::string& aTaxCalcuCode, Currency aPrice,
                                      std::int64_t& aCorrectAmt, const std::string& aComment) = 0;
    // The guest-count screen: the bill's Korean and foreign counts into the
    // context; true when they were taken.
    virtual bool GetGuestCount(bool aMustInput) = 0;
};

}  // namespace pos
