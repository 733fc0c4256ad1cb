#pragma once
// The program's side of the collaborators the devices and the sale screen
// cannot work without: the outlet's print information, the speaker, the
// ticket printers, and the services of the sale screen.

#include "core/ui/ScreenEnv.h"
#include "devices/Devices.h"
#include "sales/SaleServices.h"

#include <functional>

namespace pos {

class TfrmData;
class TMasterStore;
struct TTerminalContext;

// The receipt remarks and card terminal of the own outlet (the first of the
// outlet list), as the store holds it now.
class TStoreOutletPrintSource final : public TOutletPrintSource {
public:
    TStoreOutletPrintSource(const TTerminalContext& aContext, const TMasterStore& aStore)
        : context_(aContext), store_(aStore)
    {
    }
    TOutletPrintInfo OutletPrintInfo() const override;

private:
    const TTerminalContext& context_;
    const TMasterStore& store_;
};

// The computer's bell.
class TSystemBeeper final : public TBeeper {
public:
    void Beep(TBeepType aType) override;
};

// What the sale screen asks of the program. The areas behind the empty
// answers (discount engine, ticket and print lists, bill numbers, pre-sale,
// ski entry, guest count) come with their own work; each answer below is
// what the terminal does while the area does not exist.
class TProgramSaleServices final : public TSaleServices {
public:
    TProgramSaleServices(TScreenEnv aEnv, TTerminalContext& aContext, TMasterStore& aStore, TfrmData& aData,
                         std::function<void(const std::string&, const std::string&)> aShowLineDisplay)
        : env_(std::move(aEnv)),
          context_(aContext),
          store_(aStore),
          data_(aData),
          showLineDisplay_(std::move(aShowLineDisplay))
    {
    }

    void ExecDC(TSaleLines&) override {}            // no discounts are applied yet
    void RecreateSaleList(TSaleLines&) override {}
    bool ClearDCModule() override;
    void ShowLineDisplay(const std::string& aLine1, const std::string& aLine2) override;
    void ClearTicketData() override {}              // no ticket jobs are made yet
    void ClearPrintLists() override {}              // no tender print lists are made yet
    void EndPreSale() override {}                   // a pre-sale cannot be started yet
    void GetMaxBillNo() override {}                 // bills are not numbered yet
    void OpenSkiSchool() override {}                // the registration screen does not exist yet
    bool AddSkiSaleList(std::int64_t, std::optional<Currency>) override { return false; }
    bool SkiPackageScreen() override { return true; }
    Currency GetOpenCodePrice(const std::string& aMenuName, const std::string& aTaxCalcuCode, Currency aPrice,
                              std::int64_t& aCorrectAmt, const std::string& aComment) override;
    bool GetGuestCount(bool) override { return false; }  // the guest-count screen does not exist yet

private:
    TScreenEnv env_;
    TTerminalContext& context_;
    TMasterStore& store_;
    TfrmData& data_;
    std::function<void(const std::string&, const std::string&)> showLineDisplay_;
};

}  // namespace pos
