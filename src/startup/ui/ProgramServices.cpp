#include "startup/ui/ProgramServices.h"

#include "discounts/ui/TfrmDC.h"
#include "payment/ui/TfrmRemark.h"

#include "core/TerminalContext.h"
#include "db/DayLog.h"
#include "devices/TicketJobs.h"
#include "discounts/DiscountEngine.h"
#include "lookups/Lookups.h"
#include "payment/PayTenders.h"
#include "payment/ui/PayScreen.h"
#include "payment/ui/TfrmPay.h"  // PayScreen.h assigns the screen to a QPointer inline
#include "sales/recording/BillNumbers.h"
#include "sales/recording/StoredApprovals.h"
#include "sales/reprint/CashReceiptModel.h"
#include "sales/reprint/CashReceiptRows.h"
#include "sales/reprint/ReprintModel.h"
#include "sales/reprint/ReprintReceipt.h"
#include "sales/reprint/ui/TfrmCashReceipt.h"
#include "sales/reprint/ui/TfrmReprint.h"
#include "sales/ui/TfrmOpenPrice.h"
#include "store/MasterStore.h"

#include <QApplication>

namespace pos {
namespace {

const char* const kLogApprovalJournal = "ICI010-ApprovalJournal";
const char* const kLogLeftovers = "ICI010-LeftoverApprovals";

}  // namespace

TOutletPrintInfo TStoreOutletPrintSource::OutletPrintInfo() const
{
    if (store_.glUpjangData.empty()) return {};
    const TUpjangData& own = store_.glUpjangData.front();
    return {own.ReceiptRemark1, own.ReceiptRemark2, own.CardTID,
            store_.GetCommonData(context_.gsCommonCardTID, own.CardTID, CommonItem::CodeName)};
}

void TSystemBeeper::Beep(TBeepType) { QApplication::beep(); }

void TProgramSaleServices::ExecDC(TSaleLines& aLines) { discounts_.ExecDC(aLines); }

void TProgramSaleServices::RecreateSaleList(TSaleLines& aLines) { discounts_.RecreateSaleList(aLines); }

void TProgramSaleServices::GetMaxBillNo() { numbers_.Load(); }

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

bool TProgramPaymentScreen::OffersTenders() { return !OfferedPayTenders(context_, store_).empty(); }

bool TProgramPaymentScreen::Run(TPayRecorder& aRecorder, Currency aDue, TPayShown& aShown)
{
    QWidget* over = QApplication::activeWindow();
    TPayScreenLaunchers launchers(env_, dialogs_, over);
    TPayDeps deps{env_, context_, store_, dialogs_, lookups_, aRecorder, approvals_.Approvals(), launchers, over};
    TPaySummary summary;
    if (!RunPayScreen(deps, aDue, &summary)) return false;
    aShown = {summary.received, summary.change, summary.Kind(TPayKind::Cash)};
    return true;
}

void TProgramPaymentScreen::BillStored(const TPayLines& aLines)
{
    std::string error;
    if (!approvals_.Journal().CommitLines(aLines, &error)) WriteLogFile(context_, kLogApprovalJournal, error);
}

void TProgramPaymentScreen::BillNotStored(const TPayLines&)
{
    SettleLeftovers(context_, dialogs_, approvals_, data_, queues_);
}

void SettleLeftovers(TTerminalContext& aContext, DialogService& aDialogs, TTerminalApprovalSetup& aApprovals,
                     TfrmData& aData, const TOffLineStore& aQueues)
{
    if (aApprovals.Journal().Entries().empty()) return;
    TBillStoredApprovals stored(aData, aQueues);
    const TLeftoverReport report = SettleLeftoverApprovals(aApprovals.Journal(), stored, aApprovals.Reverser());
    if (report.Quiet()) return;
    const std::string message = LeftoverMessage(report);
    WriteLogFile(aContext, kLogLeftovers, message);
    aDialogs.ErrBox(message, true);
}

std::string OwnCardTerminalId(const TMasterStore& aStore)
{
    return aStore.glUpjangData.empty() ? std::string() : aStore.glUpjangData.front().CardTID;
}

// ---------------------------------------------------------------- the member discount screen

void TProgramDCScreen::ShowDC(std::vector<std::string>& aKeyInData)
{
    TDCDeps deps{env_, context_, store_, dialogs_, data_, lookups_, *this, QApplication::activeWindow()};
    pos::ShowDC(deps, aKeyInData);
}

bool TProgramDCScreen::GetRemarks(const std::string& aCaption, std::string& aRemarks, int aMustInputSize,
                                  bool aDefMsg)
{
    return pos::GetRemarks(env_, dialogs_, aCaption, aRemarks, aMustInputSize, aDefMsg, QApplication::activeWindow());
}

// ---------------------------------------------------------------- the reprint screen

void TProgramReprintScreen::ShowReprint()
{
    ReprintReceipt reprint(data_, printer_, dialogs_);
    TReprintModel model(context_, reprint, *this);
    pos::ShowReprint(env_, model, QApplication::activeWindow());
}

std::int64_t TProgramReprintScreen::ReceiptableAmount(const TBillKey& aBill)
{
    return GetCashReceiptAmt(data_, dialogs_, aBill);
}

bool TProgramReprintScreen::Issue(const TBillKey& aBill, std::int64_t aAmount)
{
    TServerCashReceiptRows rows(data_);
    TBillStoredApprovals stored(data_, queues_);
    TCashReceiptModel model(aBill, aAmount,
                            TCashReceiptServices{approvals_.CashReceipts(), rows, approvals_.Journal(), stored,
                                                 approvals_.Reverser(), dialogs_});
    return ShowCashReceipt(env_, model, QApplication::activeWindow());
}

}  // namespace pos
