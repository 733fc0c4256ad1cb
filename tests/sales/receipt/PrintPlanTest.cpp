// The print plan of a settled bill for every printer kind: which documents
// go where, in which order.

#include "ReceiptFixture.h"

#include "payment/PayLines.h"
#include "sales/receipt/PayReceipt.h"
#include "sales/receipt/PrintPlan.h"

#include <algorithm>

namespace pos::test {
namespace {

using enum TPrinterType;

struct PlanCase {
    const char* name;
    TPrinters printers;
    std::int64_t saleGubun;
    std::vector<std::string> jobs;  // each job described (see describe)
};

// A bill of one meal at a ticket outlet, paid by card and room charge; the
// plan is described job by job, by which of the composed documents it holds.
class PrintPlanTest : public ReceiptFixture, public ::testing::WithParamInterface<PlanCase> {
protected:
    void SetUp() override
    {
        outlet().TicketPrtYN = true;
        const PlanCase& c = GetParam();
        if (c.saleGubun != 0) {
            context.giSaleGubun = c.saleGubun;
            context.giSign = -1;
        }
        const std::int64_t sign = context.giSign;
        TSaleList meal = Line("우동", sign, 60000);
        meal.TicketType = context.gsTicketTypeFnB;
        TSaleReceipt sale = receipt(c.printers);
        sale.AddLine(meal, TaxableRows(60000 * sign));
        TPayReceipt pay(context, store, c.printers, header(), 60000 * sign, 0);
        TPayCardList card;
        card.CardNo = "9410123456785678";
        card.Amt = 10000 * sign;
        TPayRoomList room;
        room.RoomNo = "01203";
        room.Amt = 50000 * sign;
        pay.AddCard(card);
        pay.AddRoom(room);
        bill = TSettledBill{c.printers, c.saleGubun, sale.Finish(0, 60000 * sign), pay.Finish(), true};
    }

    std::string describe(const TPrintJob& aJob) const
    {
        const std::string receiptText = bill.sale.receiptText + bill.pay.receiptText;
        std::vector<std::string> receiptLines = bill.sale.ticketLines;
        receiptLines.insert(receiptLines.end(), bill.pay.ticketLines.begin(), bill.pay.ticketLines.end());
        auto in = [](const auto& aList, const auto& aItem) {
            return std::find(aList.begin(), aList.end(), aItem) != aList.end();
        };
        switch (aJob.step) {
        case TPrintStep::Receipt: {
            const std::string at = "R" + std::to_string(aJob.printer) + ":";
            if (aJob.text == receiptText + ReceiptFooter()) return at + "receipt";
            if (aJob.text.starts_with(receiptText) && aJob.text.ends_with(std::string(5, '\r') + std::string(42, '=')))
                return at + "copy";
            if (in(bill.sale.mealSlips, aJob.text)) return at + "meal";
            if (in(bill.pay.cardSlips, aJob.text)) return at + "card";
            if (aJob.text == receiptText + bill.pay.roomSlips.at(0)) return at + "room";
            return at + "?";
        }
        case TPrintStep::ListTicket:
            if (aJob.header != bill.sale.header) return "T:?";
            if (aJob.lines == receiptLines) return "T:receipt";
            if (in(bill.pay.ticketJobs, aJob.lines)) return "T:card";
            if (std::equal(receiptLines.begin(), receiptLines.end(), aJob.lines.begin()) &&
                aJob.lines.size() > receiptLines.size() && aJob.lines[receiptLines.size()] == "{X}[객실후불]{S}")
                return "T:receipt+room";
            return "T:?";
        case TPrintStep::ItemTicket: return "I";  // queued from the stored bill, not by this plan
        case TPrintStep::PrintTickets: return "P";
        case TPrintStep::Message: return aJob.text == kMsgReturnDone && aJob.seconds == 2 ? "M" : "M?";
        case TPrintStep::OpenDrawer: return "D";
        }
        return "?";
    }

    TSettledBill bill;
};

TEST_P(PrintPlanTest, JobsInOrder)
{
    std::vector<std::string> jobs;
    for (const TPrintJob& job : PlanSettledBill(bill)) {
        jobs.push_back(describe(job));
        // The page-mode printer prints a signature slip under the receipt,
        // without the slip's empty lines and closing rule.
        if (jobs.back() == "T:receipt+room") {
            EXPECT_EQ(job.lines.back(), SignatureRule());
        }
    }
    EXPECT_EQ(jobs, GetParam().jobs);
}

INSTANTIATE_TEST_SUITE_P(
    PrinterKinds, PrintPlanTest,
    ::testing::Values(
        PlanCase{"TSP600", {ptTSP600, ptNone}, 0,
                 {"R1:meal", "R1:receipt", "R1:card", "R1:card", "R1:room", "D"}},
        PlanCase{"TSP600Return", {ptTSP600, ptNone}, 2,
                 {"R1:receipt", "R1:copy", "R1:card", "R1:card", "R1:room", "M", "D"}},
        PlanCase{"TSP600AndKitchenPrinter", {ptTSP600, ptSRP350}, 0,
                 {"R1:meal", "R1:receipt", "R1:card", "R1:card", "R1:room", "D"}},
        PlanCase{"TSP600AndTSP700", {ptTSP600, ptTSP700}, 0,
                 {"T:card", "T:card", "R1:meal", "R1:receipt", "R1:room", "P", "D"}},
        PlanCase{"TSP700", {ptTSP700, ptNone}, 0, {"T:card", "T:card", "T:receipt", "P", "D"}},
        PlanCase{"TSP800", {ptTSP800, ptNone}, 0,
                 {"T:card", "T:card", "T:receipt", "P", "T:receipt+room", "P", "D"}},
        PlanCase{"TSP800Return", {ptTSP800, ptNone}, 2,
                 {"T:card", "T:card", "T:receipt", "P", "T:receipt+room", "P", "M", "D"}},
        PlanCase{"Boca", {ptBoca, ptNone}, 0, {"T:receipt", "P", "D"}},
        PlanCase{"Flotec", {ptFlotec, ptNone}, 0, {"T:receipt", "P", "D"}},
        PlanCase{"SecondTSP600", {ptNone, ptTSP600}, 0, {"R2:receipt", "R2:card", "R2:card", "R2:room", "P", "D"}},
        PlanCase{"SecondTSP700", {ptNone, ptTSP700}, 0, {"T:card", "T:card", "T:receipt", "P", "D"}},
        PlanCase{"EasyCheckOnly", {ptNone, ptEasyCheck}, 0, {"D"}},
        PlanCase{"NoPrinter", {ptNone, ptNone}, 2, {"M", "D"}}),
    [](const auto& info) { return std::string(info.param.name); });

using PlanDrawerTest = ReceiptFixture;

TEST_F(PlanDrawerTest, NothingOpensTheDrawerUnlessAsked)
{
    TSettledBill bill{kTSP600, 0, receipt(kTSP600).Finish(0, 0), {}, false};
    const TPrintPlan plan = PlanSettledBill(bill);
    EXPECT_TRUE(std::none_of(plan.begin(), plan.end(), [](const TPrintJob& j) {
        return j.step == TPrintStep::OpenDrawer;
    }));
}

}  // namespace
}  // namespace pos::test
