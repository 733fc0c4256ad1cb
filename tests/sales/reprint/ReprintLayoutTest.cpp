// The reprint of a stored bill, composed from the bill as the server gave it
// back: the whole Korean and English receipt against receipts written out by
// hand, what goes to which printer for each printer model, and the tax block
// worked out from the stored amounts.

#include "ReprintFixture.h"

#include "core/TerminalContext.h"
#include "sales/receipt/ReceiptFormat.h"
#include "sales/reprint/ReprintLayout.h"
#include "sales/reprint/ReprintTaxBlock.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace pos::test {
namespace {

using enum TPrinterType;
using Lines = std::vector<std::string>;

constexpr TPrinters kTSP600{ptTSP600, ptNone};

class ReprintLayoutTest : public ::testing::Test {
protected:
    ReprintLayoutTest() { SkiHouseTerminal(ctx); }

    TReprintPrint compose(TPrinters aPrinters) const { return ComposeReprint(ctx, aPrinters, bill, request); }

    TTerminalContext ctx;
    TReprintBill bill = SkiHouseBill(ctx);
    TReprintRequest request{"20240105", "01", 12, true, false, true};
};

const char* const kHeaderLine = "2024-01-05 14:30 3101-01-0012  담당:홍길동";

TEST_F(ReprintLayoutTest, KoreanReceiptReadsAsWrittenByHand)
{
    const TReprintPrint print = compose(kTSP600);
    ASSERT_GE(print.plan.size(), 1u);
    const Lines expected{
        "{X}     스키하우스    {S}",
        "",
        kHeaderLine,
        "==========================================",
        " 상 품 명         수량      단가      금액",
        "------------------------------------------",
        " 김치찌개            2     8,000    16,000",
        "*생수                1     1,000     1,000",
        "==========================================",
        "부가세 면세 물품가 :                 1,000",
        "부가세 과세 물품가 :                14,545",
        "부　　　가　　  세 :                 1,455",
        "------------------------------------------",
        "{X}합　　계 :     17,000{S}",
        "------------------------------------------",
        "신용카드  9410-12**-****-5678       12,000",
        "현금                                 5,000",
        "------------------------------------------",
        "{C}{X}현금(소득공제){S}",
        "{L}  식별번호 : 휴대폰",
        "{X}       010-1234-**** {S}",
        "                 승인금액 :        5,000",
        "                 승인번호 :     87654321",
        "------------------------------------------",
        "현금영수증 국세청 문의처 : 126",
        "현금영수증 홈페이지 : www.hometax.go.kr",
        "==========================================",
        "이 영수증은 2번째 재발행 된 영수증입니다.",
        "교환, 환불시 영수증을 반드시 지참하십시오.",
        "상품명 앞 * 가 있는 상품은 면세상품입니다.",
    };
    EXPECT_EQ(print.plan[0], ReceiptJob(1, JoinLines(expected)));
}

TEST_F(ReprintLayoutTest, EnglishReceiptHasEnglishLabelsAndNoReprintLine)
{
    request.english = true;
    bill.cashReceipts.clear();
    bill.tenders.pop_back();
    const TReprintPrint print = compose(kTSP600);
    ASSERT_GE(print.plan.size(), 1u);
    const Lines expected{
        "{X}     스키하우스    {S}",
        "",
        kHeaderLine,
        "==========================================",
        " Menu              Qty      Unit    Amount",
        "------------------------------------------",
        " 김치찌개            2     8,000    16,000",
        "*생수                1     1,000     1,000",
        "==========================================",
        "Tax Exemption Price:                 1,000",
        "Net Price          :                14,545",
        "VAT                :                 1,455",
        "------------------------------------------",
        "    Total Amount  :                 17,000",
        "------------------------------------------",
        "신용카드  9410-12**-****-5678       12,000",
        "==========================================",
        "교환, 환불시 영수증을 반드시 지참하십시오.",
        "상품명 앞 * 가 있는 상품은 면세상품입니다.",
    };
    EXPECT_EQ(print.plan[0], ReceiptJob(1, JoinLines(expected)));
}

TEST_F(ReprintLayoutTest, TheVoidFormIsMarkedAndItsCardSlipsAreCancellations)
{
    request.sale = false;
    const TReprintPrint print = compose(kTSP600);
    ASSERT_EQ(print.plan.size(), 3u);
    EXPECT_EQ(SplitLines(print.plan[0].text).front(), "{X}     스키하우스    {S}반품");
    for (const std::size_t slip : {1u, 2u})
        EXPECT_NE(print.plan[slip].text.find("{Z}신용카드 취소전표{S}"), std::string::npos) << print.plan[slip].text;
}

TEST_F(ReprintLayoutTest, ATableBillNamesItsTableInTheHeader)
{
    bill.tableNo = 12;
    const Lines lines = SplitLines(compose(kTSP600).plan[0].text);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[2], "2024-01-05 14:30 3101-01-0012(T0012)홍길동");
}

TEST_F(ReprintLayoutTest, CardSlipsOfBothCopiesFollowTheReceipt)
{
    const TReprintPrint print = compose(kTSP600);
    ASSERT_EQ(print.plan.size(), 3u);
    const Lines company = SplitLines(print.plan[1].text);
    const Lines customer = SplitLines(print.plan[2].text);
    ASSERT_FALSE(company.empty());
    ASSERT_FALSE(customer.empty());
    EXPECT_EQ(company[0], "{Z}신용카드 승인전표{S}(회사용)");
    EXPECT_EQ(customer[0], "{Z}신용카드 승인전표{S}(고객용)");
    EXPECT_EQ(company[2], kHeaderLine);
    const std::string text = print.plan[1].text;
    EXPECT_NE(text.find("    카드종류 : 국민카드(KB국민)"), std::string::npos) << text;
    EXPECT_NE(text.find("    카드번호 : 9410-12**-****-5678"), std::string::npos) << text;
    EXPECT_NE(text.find("    승인금액 : 12,000원(VAT 1,091포함)"), std::string::npos) << text;
    EXPECT_NE(text.find("--- 고객서명 "), std::string::npos) << text;
    EXPECT_EQ(print.plan[2].text.find("고객서명"), std::string::npos);
    EXPECT_TRUE(print.easyCheckSlips.empty());
}

TEST_F(ReprintLayoutTest, ACardSignedOnThePadAndABillWithoutVatPrintTheirSlipAccordingly)
{
    bill.cards[0].signedOnPad = true;
    bill.noVat = true;
    const std::string company = compose(kTSP600).plan.at(1).text;
    EXPECT_EQ(company.find("고객서명"), std::string::npos) << company;
    EXPECT_NE(company.find("    승인금액 : 12,000원\r"), std::string::npos) << company;
}

TEST_F(ReprintLayoutTest, ARoomChargePrintsTheReceiptOnceMoreWithItsSignatureSlip)
{
    bill.cards.clear();
    bill.cashReceipts.clear();
    bill.tenders = {{ctx.giPayRoom, "객실후불", 17000, "M0001", "김투숙", "", "01203"}};
    const TReprintPrint print = compose(kTSP600);
    ASSERT_EQ(print.plan.size(), 2u);
    const std::string receipt = print.plan[0].text;
    EXPECT_NE(receipt.find("객실후불  01203 김투숙(M0001)       17,000"), std::string::npos) << receipt;
    const std::string footer = ReceiptFooter();
    const std::string withoutFooter = receipt.substr(0, receipt.size() - footer.size());
    const Lines slip{"{X}[객실후불]{S}", "{X}객실번호 : 01203     {S}", "{X}회원번호 : M0001     {S}",
                     "{X}투숙객명 : 김투숙    {S}", SignatureRule(), "", "", "", "", "", Rule('=')};
    EXPECT_EQ(print.plan[1], ReceiptJob(1, withoutFooter + JoinLines(slip)));
}

// Every printer model of the terminal, as the jobs it is given: "R1"/"R2"
// a receipt printer's text, "L" a list ticket queued, "P" the tickets
// printed, "E" an EasyCheck slip.
std::string jobsOf(const TReprintPrint& aPrint)
{
    std::string out;
    for (const TPrintJob& job : aPrint.plan) {
        if (!out.empty()) out += " ";
        switch (job.step) {
        case TPrintStep::Receipt: out += "R" + std::to_string(job.printer); break;
        case TPrintStep::ListTicket: out += "L"; break;
        case TPrintStep::PrintTickets: out += "P"; break;
        default: out += "?"; break;
        }
    }
    for (std::size_t i = 0; i < aPrint.easyCheckSlips.size(); ++i) out += out.empty() ? "E" : " E";
    return out;
}

TEST_F(ReprintLayoutTest, EachPrinterModelGetsTheReceiptItsWay)
{
    bill.cashReceipts.clear();
    bill.tenders.push_back({ctx.giPayRoom, "객실후불", 5000, "M0001", "김투숙", "", "01203"});
    struct Case {
        TPrinters printers;
        const char* jobs;
    };
    const Case cases[] = {
        // receipt, receipt with the room slip, card company and customer copy
        {{ptTSP600, ptNone}, "R1 R1 R1 R1"},
        {{ptNone, ptTSP600}, "R2 R2 R2 R2"},
        {{ptTSP700, ptTSP600}, "L P L P R2 R2 L L P"},
        // the body as a ticket, the body with the slip, both card copies
        {{ptTSP800, ptNone}, "L P L P L L P"},
        {{ptTSP700, ptNone}, "L P L P L L P"},
        {{ptNone, ptTSP700}, "L P L P L L P"},
        // no receipt printer: the card slip on the EasyCheck terminal alone
        {{ptNone, ptEasyCheck}, "E"},
        {{ptNone, ptNone}, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(jobsOf(compose(c.printers)), c.jobs)
            << static_cast<int>(c.printers.printer1) << "/" << static_cast<int>(c.printers.printer2);
    }
}

TEST_F(ReprintLayoutTest, TheTicketFormsCarryTheLinesTheirPrinterPrints)
{
    bill.cashReceipts.clear();
    bill.cards.clear();
    bill.tenders = {{ctx.giPayRoom, "객실후불", 17000, "M0001", "김투숙", "", "01203"}};
    const TReprintPrint page = compose({ptTSP800, ptNone});
    ASSERT_EQ(page.plan.size(), 4u);
    const Lines body = page.plan[0].lines;
    EXPECT_EQ(page.plan[0].header, kHeaderLine);
    ASSERT_FALSE(body.empty());
    EXPECT_EQ(body.front(), Rule('='));  // no title: the ticket prints its own header
    EXPECT_NE(std::find(body.begin(), body.end(), TicketTotalLine(label::kTotal, 17000)), body.end());
    // The slip under the body, without its empty lines and closing rule.
    Lines withSlip = body;
    for (const char* line : {"{X}[객실후불]{S}", "{X}객실번호 : 01203     {S}", "{X}회원번호 : M0001     {S}",
                             "{X}투숙객명 : 김투숙    {S}"})
        withSlip.push_back(line);
    withSlip.push_back(SignatureRule());
    EXPECT_EQ(page.plan[2].lines, withSlip);

    const TReprintPrint line = compose({ptTSP700, ptNone});
    ASSERT_FALSE(line.plan.empty());
    ASSERT_GE(line.plan[0].lines.size(), 3u);
    EXPECT_EQ(line.plan[0].lines[2], kHeaderLine);  // the whole receipt, title first
}

TEST_F(ReprintLayoutTest, CashReceiptsPrintAsTicketsOfTheirOwnWhereATSP700Prints)
{
    bill.cards.clear();
    const TReprintPrint print = compose({ptTSP700, ptNone});
    ASSERT_GE(print.plan.size(), 1u);
    const Lines expected{"{C}{X}현금(소득공제){S}",
                         "{L}  식별번호 : 휴대폰",
                         "{X}       010-1234-**** {S}",
                         "                 승인금액 :        5,000",
                         "                 승인번호 :     87654321",
                         Rule('-'),
                         "현금영수증 국세청 문의처 : 126",
                         "현금영수증 홈페이지 : www.hometax.go.kr"};
    EXPECT_EQ(print.plan[0], ListTicketJob(kHeaderLine, expected));
    for (const std::string& line : print.plan[1].lines) EXPECT_EQ(line.find("현금(소득공제)"), std::string::npos);
}

TEST_F(ReprintLayoutTest, TheEasyCheckSlipCarriesTheStoredApproval)
{
    request.sale = false;
    const TReprintPrint print = compose({ptNone, ptEasyCheck});
    ASSERT_EQ(print.easyCheckSlips.size(), 1u);
    const TEasyCheckSlip& slip = print.easyCheckSlips[0];
    EXPECT_EQ(slip.billNo, 12);
    EXPECT_FALSE(slip.agree);
    EXPECT_EQ(slip.amount, 12000);
    EXPECT_EQ(slip.cardNo, "9410123456785678");
    EXPECT_EQ(slip.validThru, "2612");
    EXPECT_EQ(slip.instalment, 0);
    EXPECT_EQ(slip.approvalNo, "30001234");
    EXPECT_EQ(slip.issuerName, "KB국민");
    EXPECT_EQ(slip.cardCompanyName, "국민카드");
    EXPECT_EQ(slip.merchantNo, "00112233");
    EXPECT_EQ(slip.approvalDate, "20240105");
}

// The tax block from the stored amounts, as net / service / VAT ("" when the
// line is not printed).
struct TaxCase {
    const char* name;
    TReprintSums sums;
    bool noSvc, noVat;
    const char *net, *service, *vat;
};

TEST(ReprintTaxBlockTest, FiguresFollowTheServiceChargeAndTheSwitches)
{
    const TaxCase cases[] = {
        {"taxable 11,000", {0, 11000, 0}, false, false, "10,000", "", "1,000"},
        {"taxable 1,005", {0, 1005, 0}, false, false, "914", "", "91"},
        {"taxable, switches down: not consulted", {0, 11000, 0}, true, true, "10,000", "", "1,000"},
        {"service item 12,100", {0, 0, 12100}, false, false, "10,000", "1,000", "1,100"},
        {"service item, both switches", {0, 5000, 12100}, true, true, "17,100", "*0", "*0"},
        {"service item, no service charge", {0, 0, 12100}, true, false, "11,000", "*0", "1,100"},
        {"service item, no VAT", {0, 0, 12100}, false, true, "11,000", "1,100", "*0"},
        {"service and taxable", {0, 11000, 12100}, false, false, "20,000", "1,000", "2,100"},
        {"tax-free only", {3000, 0, 0}, false, false, "", "", ""},
    };
    for (const TaxCase& c : cases) {
        const TReprintTaxFigures f = ReprintTaxFigures(c.sums, c.noSvc, c.noVat);
        EXPECT_EQ(f.shown ? f.net : "", c.net) << c.name;
        EXPECT_EQ(f.withService ? f.service : "", c.service) << c.name;
        EXPECT_EQ(f.shown ? f.vat : "", c.vat) << c.name;
    }
}

// A tax-free item next to a service-charge item: the exempt amount stands on
// its own line and takes no share of the net, service or VAT figures, in
// every position of the switches; the lines add up to the bill.
TEST(ReprintTaxBlockTest, ATaxFreeAmountIsNeverTaxed)
{
    const TReprintSums withFree{3000, 0, 12100};
    const TReprintSums withoutFree{0, 0, 12100};
    for (const bool noSvc : {false, true}) {
        for (const bool noVat : {false, true}) {
            const TReprintTaxFigures a = ReprintTaxFigures(withFree, noSvc, noVat);
            const TReprintTaxFigures b = ReprintTaxFigures(withoutFree, noSvc, noVat);
            EXPECT_EQ(a.net, b.net) << noSvc << noVat;
            EXPECT_EQ(a.service, b.service) << noSvc << noVat;
            EXPECT_EQ(a.vat, b.vat) << noSvc << noVat;
        }
    }
    const std::vector<std::string> lines = ReprintTaxBlockLines(withFree, {});
    const std::vector<std::string> expected{
        "부가세 면세 물품가 :                 3,000",
        "부가세 과세 물품가 :                10,000",
        "봉　　　사　　  료 :                 1,000",
        "부　　　가　　  세 :                 1,100",
    };
    EXPECT_EQ(lines, expected);
}

TEST(ReprintTaxBlockTest, TheHotelRestaurantsLabelTheNetAsSubtotal)
{
    const std::vector<std::string> lines = ReprintTaxBlockLines({0, 11000, 0}, {true, false, false, false});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "소  　　　　　　계 :                10,000");
}

TEST(ReprintTaxBlockTest, NothingTaxedPrintsNoNetOrVat)
{
    EXPECT_TRUE(ReprintTaxBlockLines({0, 0, 0}, {}).empty());
}

}  // namespace
}  // namespace pos::test
