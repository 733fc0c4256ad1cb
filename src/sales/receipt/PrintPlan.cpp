#include "sales/receipt/PrintPlan.h"

#include "sales/receipt/PaySlips.h"
#include "sales/receipt/ReceiptFormat.h"

namespace pos {
namespace {

using enum TPrinterType;

// The copy a void or return keeps, signed by the guest.
std::string signatureCopy() { return SignatureRule() + std::string(5, kLineEnd) + Rule('='); }

class TPlanBuilder {
public:
    explicit TPlanBuilder(const TSettledBill& aBill)
        : bill_(aBill), receiptText_(aBill.sale.receiptText + aBill.pay.receiptText)
    {
        receiptLines_ = aBill.sale.ticketLines;
        receiptLines_.insert(receiptLines_.end(), aBill.pay.ticketLines.begin(), aBill.pay.ticketLines.end());
        for (const auto* slips : {&aBill.pay.roomSlips, &aBill.pay.lockerSlips, &aBill.pay.eventSlips,
                                  &aBill.pay.creditSlips})
            signatureSlips_.insert(signatureSlips_.end(), slips->begin(), slips->end());
    }

    TPrintPlan Build()
    {
        queueTickets();
        printOnPrinter1();
        printOnPrinter2();
        if (bill_.saleGubun == 2) {
            TPrintJob message = StepJob(TPrintStep::Message);
            message.text = kMsgReturnDone;
            message.seconds = 2;
            plan_.push_back(std::move(message));
        }
        if (bill_.openDrawer) plan_.push_back(StepJob(TPrintStep::OpenDrawer));
        return std::move(plan_);
    }

private:
    const std::string& header() const { return bill_.sale.header; }
    const TPrinters& printers() const { return bill_.printers; }

    // The payment's slips and cash receipts were composed first and are
    // queued first; the receipt follows as one list, sale lines then tender
    // lines.
    void queueTickets()
    {
        for (const TTicketLines& lines : bill_.pay.ticketJobs) plan_.push_back(ListTicketJob(header(), lines));
        if (bill_.sale.route == TReceiptRoute::TicketList && !receiptLines_.empty())
            plan_.push_back(ListTicketJob(header(), receiptLines_));
    }

    void printOnPrinter1()
    {
        switch (printers().printer1) {
        case ptTSP600:
            for (const std::string& slip : bill_.sale.mealSlips) plan_.push_back(ReceiptJob(1, slip));
            printReceipts(1);
            break;
        case ptTSP700:
        case ptBoca:
        case ptFlotec: plan_.push_back(StepJob(TPrintStep::PrintTickets)); break;
        case ptTSP800:
            plan_.push_back(StepJob(TPrintStep::PrintTickets));
            // Each signature slip under the receipt, without its closing
            // lines (the page ends there).
            for (const std::string& slip : signatureSlips_) {
                std::vector<std::string> lines = receiptLines_;
                std::vector<std::string> slipLines = SplitLines(slip);
                const std::size_t keep =
                    slipLines.size() > kSignatureSlipTail ? slipLines.size() - kSignatureSlipTail : 0;
                lines.insert(lines.end(), slipLines.begin(), slipLines.begin() + static_cast<std::ptrdiff_t>(keep));
                plan_.push_back(ListTicketJob(header(), std::move(lines)));
                plan_.push_back(StepJob(TPrintStep::PrintTickets));
            }
            break;
        default: break;
        }
    }

    void printOnPrinter2()
    {
        if (!printers().Is1(ptTSP700) && printers().Is2(ptTSP700)) {
            plan_.push_back(StepJob(TPrintStep::PrintTickets));
        } else if (!printers().Is1(ptTSP600) && printers().Is2(ptTSP600)) {
            printReceipts(2);
            plan_.push_back(StepJob(TPrintStep::PrintTickets));
        }
    }

    // The receipt, the signature copy of a void or return, the card slips,
    // and the receipt once more with each signature slip.
    void printReceipts(int aPrinter)
    {
        plan_.push_back(ReceiptJob(aPrinter, receiptText_ + ReceiptFooter()));
        if (bill_.saleGubun != 0) plan_.push_back(ReceiptJob(aPrinter, receiptText_ + signatureCopy()));
        for (const std::string& slip : bill_.pay.cardSlips) plan_.push_back(ReceiptJob(aPrinter, slip));
        for (const std::string& slip : signatureSlips_) plan_.push_back(ReceiptJob(aPrinter, receiptText_ + slip));
    }

    const TSettledBill& bill_;
    std::string receiptText_;
    std::vector<std::string> receiptLines_;
    std::vector<std::string> signatureSlips_;  // room, locker, group and credit, in this order
    TPrintPlan plan_;
};

}  // namespace

TPrintJob ReceiptJob(int aPrinter, std::string aText)
{
    TPrintJob job;
    job.step = TPrintStep::Receipt;
    job.printer = aPrinter;
    job.text = std::move(aText);
    return job;
}

TPrintJob ListTicketJob(const std::string& aHeader, std::vector<std::string> aLines)
{
    TPrintJob job;
    job.step = TPrintStep::ListTicket;
    job.header = aHeader;
    job.lines = std::move(aLines);
    return job;
}

TPrintJob StepJob(TPrintStep aStep)
{
    TPrintJob job;
    job.step = aStep;
    return job;
}

TPrintJob ItemTicketJob(std::string aKind, std::vector<std::string> aValues, bool aMerge)
{
    TPrintJob job;
    job.step = TPrintStep::ItemTicket;
    job.kind = std::move(aKind);
    job.lines = std::move(aValues);
    job.merge = aMerge;
    return job;
}

std::string ReceiptFooter()
{
    return JoinLines({"교환, 환불시 영수증을 반드시 지참하십시오.", "상품명 앞 * 가 있는 상품은 면세상품입니다."});
}

TPrintPlan PlanSettledBill(const TSettledBill& aBill) { return TPlanBuilder(aBill).Build(); }

TPrintPlan PlanCancelledBill(TPrinters aPrinters, const TSalePart& aSale)
{
    TPrintPlan plan;
    if (aPrinters.Is1(ptTSP600)) {
        plan.push_back(ReceiptJob(1, aSale.receiptText));
    } else if (aPrinters.Is2(ptTSP600)) {
        plan.push_back(ReceiptJob(2, aSale.receiptText));
    } else if (aSale.route == TReceiptRoute::TicketList && !aSale.ticketLines.empty()) {
        plan.push_back(ListTicketJob(aSale.header, aSale.ticketLines));
        plan.push_back(StepJob(TPrintStep::PrintTickets));
    }
    return plan;
}

}  // namespace pos
