#pragma once
// "판매": the sale screen, the terminal's hub. The bill list and entry fields
// at the left, the outlet, menu-group and menu buttons at the right, the
// commands below. The bill, the navigation and the item entry are plain
// logic (TSaleBill, TSaleNavigator, TItemEntry); this screen copies its
// fields into them, calls them and paints what they say.

// Qt's headers come first: moc reads the standard headers after them
// without tripping over the library's C++20 parts.
#include "core/ui/TfrmInherit.h"

#include "core/TerminalConfig.h"
#include "cards/CardRules.h"
#include "sales/ItemEntry.h"
#include "sales/MenuPaging.h"
#include "sales/SaleBill.h"
#include "sales/SaleNavigator.h"
#include "sales/SaleServices.h"
#include "sales/commands/SaleCommand.h"
#include "sales/SaleView.h"

#include <QDateTime>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;

namespace pos {

class TfrmData;
class TfrmSale;
class TTicketPrintingModel;
class TfrmSaleFrame;
class TZoPosButton;

// Everything the sale screen needs. The references must outlive the screen.
struct TSaleScreenDeps {
    TSaleScreenDeps(TScreenEnv aEnv, TTerminalContext& aContext, DialogService& aDialogs, TMasterStore& aStore,
                    TfrmData& aData, TSaleServices& aServices, TSaleCommandSet& aCommands,
                    TTicketPrintingModel& aTicketPrinting)
        : env(std::move(aEnv)),
          context(aContext),
          dialogs(aDialogs),
          store(aStore),
          data(aData),
          services(aServices),
          commands(aCommands),
          ticketPrinting(aTicketPrinting)
    {
    }
    TScreenEnv env;                 // title, footer, customer display clearing, day log
    TTerminalContext& context;
    DialogService& dialogs;
    TMasterStore& store;
    TfrmData& data;                 // on-line state and the closed-day check
    TSaleServices& services;        // discount engine, bill numbers, display, entry screens, ...
    TSaleCommandSet& commands;      // what the command buttons run; an unregistered one is inert
    TTicketPrintingModel& ticketPrinting;  // the screen is disabled while its progress window shows
    TPrinterType printer1 = TPrinterType::ptNone;  // chooses 10 or 25 menu buttons
    TCardNumberFunction cardNumber; // empty: the card rules of the store
    std::string version;            // shown in the version label
};

class TfrmSale : public TfrmInherit, public TSaleView {
    Q_OBJECT
public:
    explicit TfrmSale(TSaleScreenDeps& aDeps, QWidget* aParent = nullptr);
    ~TfrmSale() override;

    TSaleNavigator& Navigator() { return nav_; }
    TItemEntry& Entry() { return entry_; }
    TfrmSaleFrame* List() const { return fraList; }

    // The view the commands see.
    TSaleBill& Bill() override { return bill_; }
    void ShowBillNo() override;
    void ShowSaleGubun() override;
    void ShowCashier() override;
    void ReloadMenus() override;
    void Refresh() override;
    void ShowMessage(const std::string& aText, bool aAlert, int aSeconds) override;
    void SetEnabled(bool aEnabled) override { WMEnable(aEnabled); }
    void CloseScreen() override;
    void ShowWaitCount() override;
    void PressFirstMenuGroup() override;

    // Status displays.
    void ShowOffLine();
    void ShowLockerNo();
    // The message label (touching it hides it).
    void ShowMessageLabel(const QString& aText);

    // One tick of the one-second timer at aNow (after the base's clock).
    void SaleTick(const QDateTime& aNow);
    // A long job runs (settlement, device): the clock's refills wait.
    void SetBusy(bool aBusy) { busy_ = aBusy; }
    // Runs a command button's command, as a press of the button does.
    void RunCommand(TSaleCommand aCommand);

    // The widgets. "마감" is btnCashClose: the base screen's close button
    // already has the name btnClose.
    TfrmSaleFrame* fraList = nullptr;
    std::vector<TZoPosButton*> btnUpjang, btnMenuGroup, btnMenu;
    TZoPosButton* btnUpjangNext = nullptr;
    TZoPosButton* btnMenuGroupNext = nullptr;
    TZoPosButton* btnMenuUp = nullptr;
    TZoPosButton* btnMenuDown = nullptr;
    TZoPosButton* btnDaeso = nullptr;
    QWidget* panMenu1 = nullptr;
    QWidget* panMenu2 = nullptr;
    QLabel* lblMenuName = nullptr;
    QLineEdit* edtMenuCode = nullptr;
    QLineEdit* edtSaleCount = nullptr;
    QLineEdit* edtGetAmt = nullptr;
    QLabel* lblTotalAmt = nullptr;
    QLabel* lblDCAmt = nullptr;
    QLabel* lblSumAmt = nullptr;
    QLabel* lblChangeAmt = nullptr;
    QLabel* lblSaleGubun = nullptr;
    QLabel* lblBillNo = nullptr;
    QLabel* lblWaitCount = nullptr;
    QLabel* lblOffLine = nullptr;
    QLabel* lblLocker = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblMsg = nullptr;
    TZoPosButton *btnPay = nullptr, *btnPayCash = nullptr, *btnDelete = nullptr, *btnOrderTable = nullptr,
                 *btnBillCancel = nullptr, *btnReturn = nullptr, *btnVoid = nullptr, *btnDC = nullptr,
                 *btnLocker = nullptr, *btnEvent = nullptr, *btnPreSale = nullptr, *btnGuestCount = nullptr,
                 *btnGroupPrint = nullptr, *btnMenuToggle = nullptr, *btnPayModify = nullptr, *btnReprint = nullptr,
                 *btnDCList = nullptr, *btnDownload = nullptr, *btnIpgumOpen = nullptr, *btnIpgumClose = nullptr,
                 *btnCashClose = nullptr, *btnPOSClose = nullptr, *btnLogin = nullptr, *btnOnLine = nullptr,
                 *btnShutdown = nullptr;

signals:
    // The screen's window messages.
    void enableRequested(bool aEnable);  // ticket printing progress shows (false) or hides (true)
    void onLineChanged(bool aOffLine);   // the data module's on-line state changed
    void addBillNoRequested();           // a duplicate bill number was met

public slots:
    void WMEnable(bool aEnable);
    void WMAddBillNo();

protected:
    bool eventFilter(QObject* aWatched, QEvent* aEvent) override;
    void showEvent(QShowEvent* aEvent) override;
    void hideEvent(QHideEvent* aEvent) override;
    void reject() override;

private:
    class Hooks;

    void buildStatus();
    void buildEntry();
    void buildTiers();
    void buildCommands();
    void applyOutletFlags();
    TZoPosButton* command(QWidget* aParent, QRect aRect, TSaleCommand aCommand);

    void paintTiers();
    void paintTier(const TButtonTier& aTier, const std::vector<TZoPosButton*>& aButtons, bool aExclusive);
    void paintCommands();

    // Fields to the bill's entry, and the bill back to the fields.
    void pullEntry();
    void applyOutcome(const TEntryOutcome& aOutcome);
    void applyFocus();
    void syncDaeso();
    bool handleKey(QLineEdit* aField, QKeyEvent* aKey);
    void codeEnter();
    void countEnter();
    void menuTap(int aButton);
    void deleteLine();
    void toggleMenuPanel();
    void blink();
    void showVersion();
    bool blockedByDialog() const;

    TSaleScreenDeps& deps_;
    std::unique_ptr<Hooks> hooks_;
    TCardRules cardRules_;
    TSaleBill bill_;
    TSaleNavigator nav_;
    TItemEntry entry_;
    TMenuRefresh menuRefresh_;
    int onLineObserver_ = -1;
    int ticketObserver_ = 0;
    std::array<TZoPosButton*, kSaleCommandCount> commandButtons_{};
    bool busy_ = false;
    bool closing_ = false;
    bool tableScreenOpened_ = false;  // the table screen opened once, when the sale screen was first shown
    bool blinkPhase_ = false;
    std::optional<bool> versionShown_;  // the old-version state the label shows
};

// The launcher: creates the screen, runs it until it is closed, deletes it.
void RunSaleScreen(TSaleScreenDeps& aDeps);

}  // namespace pos
