// A hotel restaurant's buffet bill recorded as the terminal records it (the
// real settlement writing its rows to the real server), then reprinted: the
// item lines of the reprint are those of the receipt printed at the sale,
// the entered net prices, although the rows store their units grossed up
// with service charge and VAT.

#include "recording/SettlementFixture.h"

#include "sales/printing/BillPlan.h"
#include "sales/receipt/ReceiptFormat.h"
#include "sales/reprint/ReprintReceipt.h"
#include "sales/reprint/ReprintUnit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace pos::test {
namespace {

using Texts = std::vector<std::string>;

// The receipt the sale printed: the stored bill planned for a receipt printer.
struct SaleReceiptPrinter final : TBillPrinter {
    SaleReceiptPrinter(const TTerminalContext& aContext, const TMasterStore& aStore) : ctx(aContext), store(aStore) {}
    void PrintBill(const TStoredBill& aBill, bool aDrawer) override
    {
        const TPrintPlan plan =
            PlanStoredBill(ctx, store, {TPrinterType::ptTSP600, TPrinterType::ptNone}, aBill, aDrawer, "12:30");
        for (const TPrintJob& job : plan)
            if (job.step == TPrintStep::Receipt && text.empty()) text = job.text;
    }
    const TTerminalContext& ctx;
    const TMasterStore& store;
    std::string text;
};

struct ReprintPrinter final : TReprintPrinter {
    TPrinters Printers() const override { return {TPrinterType::ptTSP600, TPrinterType::ptNone}; }
    void Print(const TReprintPrint& aPrint) override { text = aPrint.plan.at(0).text; }
    std::string text;
};

// The item lines of a receipt: those naming one of the bill's goods.
Texts itemLines(const std::string& aReceipt, const Texts& aNames)
{
    Texts out;
    for (const std::string& line : SplitLines(aReceipt))
        if (std::any_of(aNames.begin(), aNames.end(),
                        [&](const std::string& aName) { return line.find(aName) != std::string::npos; }))
            out.push_back(line);
    return out;
}

class ReprintRecordedBillTest : public SettlementFixture {
protected:
    ReprintRecordedBillTest()
    {
        ctx.gbVessa = true;
        db.query(R"sql(
INSERT INTO upjang (upjang_code, upjang_name) VALUES ('3101', '그린테이블 뷔페');
INSERT INTO upjang_pos (upjang_code, pos_no) VALUES ('3101', '01');
INSERT INTO cashier (emp_no, emp_name) VALUES ('1001', '김지배');
INSERT INTO pay_type (pay_code, pay_name) VALUES (110, '현금');
INSERT INTO goods (upjang_code, menu_code, menu_name, tax_yn, tax_calcu_code) VALUES
 ('3101', '2001', '디너 뷔페 성인', 'Y', '4'),
 ('3101', '2002', '디너 뷔페 소인', 'Y', '4'),
 ('3101', '2003', '생과일 주스', 'Y', '1'),
 ('3101', '2004', '생수', 'N', '2');
)sql");
        buffet("2001", "디너 뷔페 성인", "35000", "4");
        buffet("2002", "디너 뷔페 소인", "21005", "4");  // halves on the way to the gross unit
        buffet("2003", "생과일 주스", "7500", "1");
        buffet("2004", "생수", "2000", "2");
        payScreen.tenders.offeredKinds = {ctx.giPayCash};
        settlement = std::make_unique<TSettlement>(ctx, store, *data, queues, numbers, lookups, dialogs, payScreen,
                                                   saleReceipt);
    }
    void buffet(const std::string& aCode, const std::string& aName, const std::string& aPrice,
                const std::string& aTaxCode)
    {
        const int g = store.AddGoodsData();
        store.SetGoodsData(g, GoodsItem::UpjangCode, "3101");
        store.SetGoodsData(g, GoodsItem::MenuCode, aCode);
        store.SetGoodsData(g, GoodsItem::MenuName, aName);
        store.SetGoodsData(g, GoodsItem::SeasonCode, "1");
        store.SetGoodsData(g, GoodsItem::BusinessGubun, "1");
        store.SetGoodsData(g, GoodsItem::SaleUnitAmt, aPrice);
        store.SetGoodsData(g, GoodsItem::TaxCalcuCode, aTaxCode);
        store.SetGoodsData(g, GoodsItem::TaxYN, aTaxCode == "2" ? "N" : "Y");
    }
    std::string reprinted()
    {
        ReprintReceipt reprinter(*data, reprintPrinter, dialogs);
        EXPECT_TRUE(reprinter.Run({ctx.gsToday, "01", 1, true, false, false}).Printed()) << LogText(shown());
        return reprintPrinter.text;
    }
    static std::string LogText(const Texts& aTexts)
    {
        std::string out;
        for (const std::string& t : aTexts) out += t + "\n";
        return out;
    }

    SaleReceiptPrinter saleReceipt{ctx, store};
    ReprintPrinter reprintPrinter;
    const Texts names{"디너 뷔페", "생과일 주스", "생수"};
};

TEST_F(ReprintRecordedBillTest, TheReprintShowsTheSaleReceiptsItemLines)
{
    ringUp("2001", 2);
    ringUp("2002");
    ringUp("2003", 3);
    ringUp("2004");
    payScreen.cash(bill.Totals().due);
    ASSERT_EQ(settle(), TSettlement::TOutcome::Stored);
    // The rows keep the gross unit the guest pays.
    EXPECT_EQ(db.query("SELECT trim_scale(unit_amt) FROM sale WHERE menu_code = '2001'"), "42350");

    const Texts atSale = itemLines(saleReceipt.text, names);
    ASSERT_EQ(atSale, (Texts{" 디너 뷔페 성인      2    35,000    70,000", " 디너 뷔페 소인      1    21,005    21,005",
                             " 생과일 주스         3     7,500    22,500", "*생수                1     2,000     2,000"}))
        << saleReceipt.text;
    const std::string reprint = reprinted();
    EXPECT_EQ(itemLines(reprint, names), atSale) << reprint;
    // and they add up to the net figure of the tax block.
    const Texts lines = SplitLines(reprint);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "소  　　　　　　계 :               113,505"), lines.end()) << reprint;
}

// The stored unit back to the entered price, for every way the sale grosses
// it up: service charge and VAT, VAT alone, the bill's switches, tax-free,
// and outside the hotel restaurants (the unit as stored).
TEST(EnteredUnitPrice, UndoesTheGrossingUpOfEveryKindOfItem)
{
    TTerminalContext ctx;
    ctx.gbVessa = true;
    struct Case {
        const char* taxCode;
        bool noSvc, noVat;
        std::int64_t stored, entered;
    };
    const Case cases[] = {
        {"4", false, false, 42350, 35000}, {"4", false, false, 25417, 21005},  // 21005+2101=23106, +2311
        {"4", true, false, 38500, 35000},  {"4", false, true, 38500, 35000},
        {"4", true, true, 35000, 35000},   {"1", false, false, 8250, 7500},
        {"1", false, false, 6, 5},         {"1", false, true, 7500, 7500},
        {"2", false, false, 2000, 2000},   {"5", false, false, 11000, 10000},
        {"4", false, false, 10000, 8264},  // typed gross 10,000 on the open-price dialog (net 8,264 + 1 won)
    };
    for (const Case& c : cases)
        EXPECT_EQ(EnteredUnitPrice(ctx, c.taxCode, Currency(c.stored), c.noSvc, c.noVat), Currency(c.entered))
            << c.taxCode << " " << c.stored;
    ctx.gbVessa = false;
    EXPECT_EQ(EnteredUnitPrice(ctx, "4", Currency(42350), false, false), Currency(42350));
}

}  // namespace
}  // namespace pos::test
