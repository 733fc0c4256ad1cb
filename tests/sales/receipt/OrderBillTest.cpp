// The table's order bill and kitchen slip: golden texts written from the line
// formats, the printers they go to, the order bill's tax split, and the
// kitchen hearing of every change exactly once over a table's evening.

#include "ReceiptFixture.h"

#include "sales/receipt/OrderBill.h"

#include <gtest/gtest.h>

namespace pos::test {
namespace {

using enum TPrinterType;

const std::string kDouble(42, '=');
const std::string kSingle(42, '-');
const std::string kChangeColumns = " 주문   상 품 명            수량      금액";
constexpr TPrinters kWithKitchen{ptTSP600, ptSRP350};

class OrderBillTest : public ReceiptFixture {
protected:
    OrderBillTest() { context.giTableNo = 7; }

    static TSaleList Dish(const std::string& aName, std::int64_t aCount, std::int64_t aUnit, bool aKitchen = true)
    {
        TSaleList line = Line(aName, aCount, aUnit);
        line.KitchenPrtYN = aKitchen;
        return line;
    }

    TOrderBillPrint putAway(TPrinters aPrinters = kWithKitchen)
    {
        TOrderBillPrint print = PrintOrderBill(context, aPrinters, table, "193005");
        TakeSentState(table, print);
        return print;
    }

    TTableBill table;
};

// The changes a kitchen slip carries: the lines between its column header
// and the rule that closes them (without the empty line between added and
// cancelled ones).
std::vector<std::string> KitchenChanges(const TPrintPlan& aPlan)
{
    for (const TPrintJob& job : aPlan) {
        const std::vector<std::string> lines = job.step == TPrintStep::ListTicket ? job.lines : SplitLines(job.text);
        const auto columns = std::find(lines.begin(), lines.end(), kChangeColumns);
        if (columns == lines.end()) continue;
        std::vector<std::string> changes;
        for (auto it = columns + 2; it != lines.end() && *it != kDouble; ++it)
            if (!it->empty()) changes.push_back(*it);
        return changes;
    }
    return {};
}

bool HasKitchenSlip(const TPrintPlan& aPlan)
{
    return std::any_of(aPlan.begin(), aPlan.end(), [](const TPrintJob& job) {
        return job.text.find("최종내역") != std::string::npos ||
               std::find(job.lines.begin(), job.lines.end(), "[최종내역]") != job.lines.end();
    });
}

bool HasOrderBill(const TPrintPlan& aPlan)
{
    return std::any_of(aPlan.begin(), aPlan.end(), [](const TPrintJob& job) {
        return job.printer == 1 && job.text.find("주문 내역{S}") != std::string::npos;
    });
}

TEST_F(OrderBillTest, OrderBillAndKitchenSlipOnTheirPrinters)
{
    table.lines = {Dish("김치찌개", 2, 8000), Dish("생맥주", 1, 5000, false)};
    const TOrderBillPrint print = PrintOrderBill(context, kWithKitchen, table, "193005");
    ASSERT_EQ(print.plan.size(), 2u);
    EXPECT_EQ(print.plan[0].printer, 1);
    EXPECT_EQ(print.plan[0].text, std::string(
        "{Z}      주문 내역{S}\r"
        "{X}    (스키하우스){S}\r"
        "\r"
        "2024-01-05 19:30 담당:홍길동 Table:{X}7{S}\r" +
        kDouble + "\r" +
        " 상 품 명         수량      단가      금액\r" +
        kSingle + "\r" +
        " 김치찌개            2     8,000    16,000\r"
        " 생맥주              1     5,000     5,000\r" +
        kSingle + "\r" +
        "{X}합　　계 :     21,000{S}\r" +
        kDouble));
    // The network kitchen printer gets the slip; the printer adds its own
    // title under it.
    EXPECT_EQ(print.plan[1].printer, 2);
    EXPECT_EQ(print.plan[1].text, std::string(
        "{X}    (스키하우스){S}\r"
        "\r"
        "2024-01-05 19:30 담당:홍길동 Table:{X}7{S}\r" +
        kDouble + "\r" +
        kChangeColumns + "\r" +
        kSingle + "\r" +
        "      김치찌개               2건    16,000\r" +
        kDouble + "\r"
        "\r"
        "{X}최종내역{S}\r" +
        kDouble + "\r" +
        " 상 품 명                   수량      금액\r" +
        kSingle + "\r" +
        " 김치찌개                    2건    16,000\r" +
        kDouble));
    for (const TPrintJob& job : print.plan) ExpectReceiptWidth(job.text);
}

TEST_F(OrderBillTest, PageModeTicketPrinterGetsBothAsListTickets)
{
    table.lines = {Dish("김치찌개", 2, 8000), Dish("생수", 1, 1000, false)};
    table.lines[1].TaxCalcuCode = context.gsTaxGubunDutyfree;
    table.lines[0].DCAmt = 1000;
    table.lines[0].SaleAmt = 15000;
    const TOrderBillPrint print = PrintOrderBill(context, kTSP800, table, "193005");
    ASSERT_EQ(print.plan.size(), 4u);
    const std::string header = "2024-01-05 19:30 담당:홍길동 Table:{X}7{S}";
    EXPECT_EQ(print.plan[0], ListTicketJob(header, {
        kDouble,
        " 상 품 명         수량      단가      금액",
        kSingle,
        " 김치찌개            2     8,000    16,000",
        " 생수                1     1,000     1,000",
        kSingle,
        "할　 인　　금　 액 :                -1,000",
        "부가세 면세 물품가 :                 1,000",
        "부가세 과세 물품가 :                13,636",
        "부　　　가　　  세 :                 1,364",
        kSingle,
        "        합　　계  :                 16,000",
        kDouble}));
    EXPECT_EQ(print.plan[1], StepJob(TPrintStep::PrintTickets));
    EXPECT_EQ(print.plan[2], ListTicketJob("2024-01-05 19:30  담당:홍길동    Table:7", {
        "              주방 주문 내역",
        kDouble,
        kChangeColumns,
        kSingle,
        "      김치찌개               2건    16,000",
        kDouble,
        "",
        "[최종내역]",
        kDouble,
        " 상 품 명                   수량      금액",
        kSingle,
        " 김치찌개                    2건    15,000",
        kDouble}));
    EXPECT_EQ(print.plan[3], StepJob(TPrintStep::PrintTickets));
}

// Over one table's evening, with the state each plan hands over kept: every
// added or cancelled kitchen item reaches the kitchen once.
TEST_F(OrderBillTest, KitchenHearsOfEveryChangeOnce)
{
    TDCMemberData member;
    member.AcceptMemberNo = "M001";
    member.DCRate = 10;
    struct Step {
        const char* what;
        std::function<void(TTableBill&)> change;
        bool orderBill;
        std::vector<std::string> kitchen;
    };
    const Step steps[] = {
        {"add 2", [](TTableBill& t) { t.lines.push_back(Dish("김치찌개", 2, 8000)); },
         true, {"      김치찌개               2건    16,000"}},
        {"add 1 more", [](TTableBill& t) { t.lines[0].SaleCount = 3; },
         true, {"      김치찌개               1건     8,000"}},
        {"cancel 1", [](TTableBill& t) { t.lines[0].SaleCount = 2; },
         true, {"*취소 김치찌개              -1건    -8,000"}},
        {"no change", [](TTableBill&) {}, false, {}},
        {"a drink the kitchen does not make", [](TTableBill& t) { t.lines.push_back(Dish("생맥주", 1, 5000, false)); },
         true, {}},
        {"a discount alone", [&](TTableBill& t) { t.dcMember.push_back(member); }, true, {}},
        {"add and cancel at once",
         [](TTableBill& t) {
             t.lines.push_back(Dish("파전", 1, 12000));
             t.lines[0].SaleCount = 1;
         },
         true, {"      파전                   1건    12,000", "*취소 김치찌개              -1건    -8,000"}},
        {"remove a sent dish and one never sent",
         [](TTableBill& t) {
             t.lines.push_back(Dish("떡볶이", 1, 6000));
             t.deleteList = {t.lines[2], t.lines[3]};  // 파전 was sent, 떡볶이 not yet
             t.deleteList[1].OldSaleCount = 0;
             t.lines.resize(2);
         },
         true, {"*취소 파전                  -1건         0"}},
        {"remove the drink, which the kitchen never had",
         [](TTableBill& t) {
             t.deleteList = {t.lines[1]};
             t.lines.resize(1);
         },
         true, {}},
        {"put away again", [](TTableBill&) {}, false, {}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.change(table);
        const TOrderBillPrint print = putAway();
        EXPECT_EQ(HasOrderBill(print.plan), step.orderBill);
        EXPECT_EQ(KitchenChanges(print.plan), step.kitchen);
        EXPECT_EQ(HasKitchenSlip(print.plan), !step.kitchen.empty());
        EXPECT_EQ(print.handedOver, !print.plan.empty());
    }
}

TEST_F(OrderBillTest, PrintersDecideWhatGoesOut)
{
    struct Case {
        TPrinters printers;
        std::vector<TPrintStep> steps;
        std::vector<int> printerNos;
    };
    using enum TPrintStep;
    const Case cases[] = {
        {{ptTSP600, ptNone}, {Receipt, Receipt}, {1, 1}},
        {{ptTSP600, ptSRP350}, {Receipt, Receipt}, {1, 2}},
        {{ptTSP800, ptSRP350}, {ListTicket, PrintTickets, Receipt}, {0, 0, 2}},
        // No order bill without a receipt or page printer, and then no
        // kitchen slip either.
        {{ptTSP700, ptSRP350}, {}, {}},
        {{ptTSP700, ptNone}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.printers.printer1) * 10 + static_cast<int>(c.printers.printer2));
        table = {};
        table.lines = {Dish("김치찌개", 1, 8000)};
        const TOrderBillPrint print = putAway(c.printers);
        std::vector<TPrintStep> steps;
        std::vector<int> printerNos;
        for (const TPrintJob& job : print.plan) {
            steps.push_back(job.step);
            printerNos.push_back(job.printer);
        }
        EXPECT_EQ(steps, c.steps);
        EXPECT_EQ(printerNos, c.printerNos);
        // What could not be printed anywhere is still owed to the kitchen.
        EXPECT_EQ(table.lines[0].OldSaleCount, c.steps.empty() ? 0 : 1);
    }
}

// The bill-cancel command: sent lines at count 0, the rest removed. The
// slip cancels what the kitchen had and its list is empty.
TEST_F(OrderBillTest, CancelledTableTellsTheKitchenAlone)
{
    table.lines = {Dish("김치찌개", 0, 8000), Dish("생맥주", 0, 5000, false)};
    table.lines[0].OldSaleCount = 2;
    table.lines[1].OldSaleCount = 1;
    const TOrderBillPrint print = PrintKitchenBill(context, {ptTSP600, ptNone}, table, "2100");
    ASSERT_EQ(print.plan.size(), 1u);
    EXPECT_EQ(print.plan[0].printer, 1);
    EXPECT_EQ(KitchenChanges(print.plan), std::vector<std::string>{"*취소 김치찌개              -2건   -16,000"});
    const std::string& text = print.plan[0].text;
    EXPECT_NE(text.find("2024-01-05 21:00  담당:홍길동    Table:7\r"), std::string::npos);
    EXPECT_NE(text.find(" 주문 내역 없음\r" + kDouble), std::string::npos);
    // The kitchen's lines count as told; the drink is the order bill's.
    EXPECT_EQ(print.sentCounts, (std::vector<std::int64_t>{0, 1}));
    EXPECT_TRUE(PrintKitchenBill(context, {ptTSP600, ptNone}, {}, "2100").plan.empty());
}

TEST_F(OrderBillTest, LongNamesStayWithinThePaper)
{
    table.lines = {Dish("특선한우등심스테이크와계절야채구이", 12, 125000), Dish("(주방)해물파전대", 1, 1000)};
    table.lines[0].CaddyYN = true;
    context.giTableNo = 123;
    context.gsCashierName = "김수한무거북이";
    const TOrderBillPrint print = PrintOrderBill(context, kWithKitchen, table, "193005");
    ASSERT_EQ(print.plan.size(), 2u);
    for (const TPrintJob& job : print.plan) ExpectReceiptWidth(job.text);
    EXPECT_NE(print.plan[0].text.find(" (C)특선한우등      12   125,000 1,500,000\r"), std::string::npos);
}

// The order bill's split of its subtotals, line by line. Outside the hotel
// restaurants prices hold their VAT; at the hotel restaurants they are net
// and service charge and VAT come on top.
TEST_F(OrderBillTest, TaxSplitOfTheOrderBill)
{
    struct Case {
        const char* what;
        bool vessa, noSvc, noVat;
        std::vector<TSaleList> lines;
        TReceiptTaxes taxes;  // tax-free, net, service, VAT
    };
    const std::string tip = context.gsTaxGubunDutyTip;
    const std::string free = context.gsTaxGubunDutyfree;
    const Case cases[] = {
        {"taxable and tax-free", false, false, false,
         {Line("찌개", 2, 8000), Line("생수", 1, 1000, free)}, {1000, 14545, 0, 1455}},
        {"a service-charge line outside the hotel", false, false, false,
         {Line("찌개", 1, 11000), Line("봉사료", 1, 3000, tip)}, {0, 10000, 3000, 1000}},
        {"hotel, both switches up", true, false, false,
         {Line("스테이크", 1, 50000, tip), Line("와인", 1, 30000)}, {0, 80000, 5000, 8500}},
        {"hotel, No VAT down", true, false, true,
         {Line("스테이크", 1, 50000, tip), Line("와인", 1, 30000)}, {0, 80000, 5000, 0}},
        {"hotel, No SVC down", true, true, false,
         {Line("스테이크", 1, 50000, tip), Line("와인", 1, 30000)}, {0, 80000, 0, 8000}},
        {"hotel, both down", true, true, true,
         {Line("스테이크", 1, 50000, tip), Line("와인", 1, 30000)}, {0, 80000, 0, 0}},
        // Each line is charged its own rounded VAT (101 + 101); a split of
        // the subtotal 2,010 would give 201 and a total a won short.
        {"hotel, rounding per line", true, false, false,
         {Line("커피", 1, 1005), Line("차", 1, 1005)}, {0, 2010, 0, 202}},
        {"a line at count 0 counts nothing", false, false, false,
         {Line("찌개", 0, 8000)}, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        context.gbVessa = c.vessa;
        EXPECT_EQ(OrderBillTaxes(context, c.lines, c.noSvc, c.noVat), c.taxes);
    }
}

}  // namespace
}  // namespace pos::test
