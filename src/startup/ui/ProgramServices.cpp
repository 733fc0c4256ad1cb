#include "startup/ui/ProgramServices.h"

#include "core/TerminalContext.h"
#include "devices/TicketJobs.h"
#include "discounts/DiscountEngine.h"
#include "lookups/Lookups.h"
#include "payment/PayTenders.h"
#include "payment/ui/PayScreen.h"
#include "payment/ui/TfrmPay.h"  // PayScreen.h assigns the screen to a QPointer inline
#include "sales/recording/BillNumbers.h"
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

void TProgramSaleServices::ExecDC(TSaleLines& aLines) { discounts_.ExecDC(aLines); }

void TProgramSaleServices::RecreateSaleList(TSaleLines& aLines) { discounts_.RecreateSaleList(aLines); }

void TProgramSaleServices::ClearTicketData() { tickets_.ClearTicketData(); }

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
    TPayDeps deps{env_, context_, store_, dialogs_, lookups_, aRecorder, approvals_, launchers, over};
    TPaySummary summary;
    if (!RunPayScreen(deps, aDue, &summary)) return false;
    aShown = {summary.received, summary.change, summary.Kind(TPayKind::Cash)};
    return true;
}

namespace {

const char* const kNoApprovalCode = "NONE";
const char* const kNoApprovalMessage = "카드 승인 장치가 설정되지 않았습니다.";

template <class Answer>
Answer refused()
{
    Answer answer;
    answer.Outcome = TApprovalOutcome::Refused;
    answer.ErrCode = kNoApprovalCode;
    answer.Message = kNoApprovalMessage;
    return answer;
}

}  // namespace

TCardAnswer TNoCardApprovals::ApproveCard(const TCardRequest&) { return refused<TCardAnswer>(); }
TCardAnswer TNoCardApprovals::CancelCard(const TCardRequest&) { return refused<TCardAnswer>(); }
TCashAnswer TNoCardApprovals::ApproveCash(const TCashRequest&) { return refused<TCashAnswer>(); }
TCashAnswer TNoCardApprovals::CancelCash(const TCashRequest&) { return refused<TCashAnswer>(); }

}  // namespace pos
