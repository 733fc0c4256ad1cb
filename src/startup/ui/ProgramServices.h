#pragma once
// The program's side of the collaborators the devices, the sale screen and
// the settlement cannot work without: the outlet's print information, the
// speaker, the services of the sale screen, the payment screen and the card
// approvals behind it.

#include "core/ui/ScreenEnv.h"
#include "devices/Devices.h"
#include "discounts/dc/DCModel.h"
#include "payment/approval/TerminalApprovalSetup.h"
#include "sales/SaleServices.h"
#include "sales/commands/DCCommand.h"
#include "sales/commands/ReprintCommand.h"
#include "sales/recording/Settlement.h"
#include "sales/reprint/ReprintModel.h"

#include <functional>

namespace pos {

class DialogService;
class TBillNumbers;
class TDiscountEngine;
class TfrmData;
class TLookups;
class TMasterStore;
class TOffLineStore;
class TReprintPrinter;
class TTicketJobList;
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
// answers (pre-sale, ski entry, guest count) come with their own work; each
// answer below is what the terminal does while the area does not exist.
class TProgramSaleServices final : public TSaleServices {
public:
    TProgramSaleServices(TScreenEnv aEnv, TTerminalContext& aContext, TMasterStore& aStore, TfrmData& aData,
                         TDiscountEngine& aDiscounts, TBillNumbers& aNumbers,
                         std::function<void(const std::string&, const std::string&)> aShowLineDisplay)
        : env_(std::move(aEnv)),
          context_(aContext),
          store_(aStore),
          data_(aData),
          discounts_(aDiscounts),
          numbers_(aNumbers),
          showLineDisplay_(std::move(aShowLineDisplay))
    {
    }

    void ExecDC(TSaleLines& aLines) override;
    void RecreateSaleList(TSaleLines& aLines) override;
    bool ClearDCModule() override;
    void ShowLineDisplay(const std::string& aLine1, const std::string& aLine2) override;
    // The tender print lists belong to each settlement's own receipt.
    void ClearPrintLists() override {}
    void EndPreSale() override {}                   // a pre-sale cannot be started yet
    void GetMaxBillNo() override;
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
    TDiscountEngine& discounts_;
    TBillNumbers& numbers_;
    std::function<void(const std::string&, const std::string&)> showLineDisplay_;
};

// The payment screen over the sale screen, with the card approvals behind it.
class TProgramPaymentScreen final : public TPaymentScreen {
public:
    TProgramPaymentScreen(TScreenEnv aEnv, TTerminalContext& aContext, TMasterStore& aStore, DialogService& aDialogs,
                          TLookups& aLookups, TTerminalApprovalSetup& aApprovals, TfrmData& aData,
                          const TOffLineStore& aQueues)
        : env_(std::move(aEnv)),
          context_(aContext),
          store_(aStore),
          dialogs_(aDialogs),
          lookups_(aLookups),
          approvals_(aApprovals),
          data_(aData),
          queues_(aQueues)
    {
    }

    bool OffersTenders() override;
    bool Run(TPayRecorder& aRecorder, Currency aDue, TPayShown& aShown) override;
    // The journal lets go of the approvals of the stored bill.
    void BillStored(const TPayLines& aLines) override;
    // The approvals of a bill that failed are undone (SettleLeftovers).
    void BillNotStored(const TPayLines& aLines) override;

private:
    TScreenEnv env_;
    TTerminalContext& context_;
    TMasterStore& store_;
    DialogService& dialogs_;
    TLookups& lookups_;
    TTerminalApprovalSetup& approvals_;
    TfrmData& data_;
    const TOffLineStore& queues_;
};

// Settles the approvals the journal holds without a stored bill (undoes
// what no stored bill holds) and tells the cashier what was undone and what
// is left to check; the day log keeps the same.
void SettleLeftovers(TTerminalContext& aContext, DialogService& aDialogs, TTerminalApprovalSetup& aApprovals,
                     TfrmData& aData, const TOffLineStore& aQueues);

// The own outlet's card terminal ID (CardTID), as the store holds it now.
std::string OwnCardTerminalId(const TMasterStore& aStore);

// The member discount screen the "우대할인" command opens, over the window
// in front, with the reason dialog of the payment area for a typed number.
class TProgramDCScreen final : public TDCLauncher, private TDCLaunchers {
public:
    TProgramDCScreen(TScreenEnv aEnv, TTerminalContext& aContext, TMasterStore& aStore, DialogService& aDialogs,
                     TfrmData& aData, TLookups& aLookups)
        : env_(std::move(aEnv)), context_(aContext), store_(aStore), dialogs_(aDialogs), data_(aData), lookups_(aLookups)
    {
    }
    void ShowDC(std::vector<std::string>& aKeyInData) override;

private:
    bool GetRemarks(const std::string& aCaption, std::string& aRemarks, int aMustInputSize, bool aDefMsg) override;

    TScreenEnv env_;
    TTerminalContext& context_;
    TMasterStore& store_;
    DialogService& dialogs_;
    TfrmData& data_;
    TLookups& lookups_;
};

// The reprint screen the "재발행" command opens, over the window in front:
// a stored bill read back from the server and printed on aPrinter, and the
// after-sale cash receipt approved through the terminal's approvals.
class TProgramReprintScreen final : public TReprintLauncher, public TAfterSaleCashReceipt {
public:
    TProgramReprintScreen(TScreenEnv aEnv, const TTerminalContext& aContext, TfrmData& aData, DialogService& aDialogs,
                          TReprintPrinter& aPrinter, TTerminalApprovalSetup& aApprovals, const TOffLineStore& aQueues)
        : env_(std::move(aEnv)),
          context_(aContext),
          data_(aData),
          dialogs_(aDialogs),
          printer_(aPrinter),
          approvals_(aApprovals),
          queues_(aQueues)
    {
    }
    void ShowReprint() override;
    std::int64_t ReceiptableAmount(const TBillKey& aBill) override;
    bool Issue(const TBillKey& aBill, std::int64_t aAmount) override;

private:
    TScreenEnv env_;
    const TTerminalContext& context_;
    TfrmData& data_;
    DialogService& dialogs_;
    TReprintPrinter& printer_;
    TTerminalApprovalSetup& approvals_;
    const TOffLineStore& queues_;
};

}  // namespace pos
