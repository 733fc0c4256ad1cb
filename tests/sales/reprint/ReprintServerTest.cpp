// The reprint against the real server: the statements over a bill written
// by hand (a taxable, a tax-free and a service-charge item; card, room and
// cash tenders with change and a cash receipt), and the whole reprint: what
// reaches the printers, the count, the caller's transaction, a missing bill,
// a failing statement and the off-line terminal.

#include "ServerTerminal.h"
#include "db/DbQuery.h"
#include "sales/receipt/ReceiptFormat.h"
#include "sales/reprint/ReprintReceipt.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pos::test {
namespace {

using Texts = std::vector<std::string>;

const char* const kBill = R"sql(
INSERT INTO upjang (upjang_code, upjang_name, upjang_eng_name) VALUES ('3101', '스키하우스', 'Ski House');
INSERT INTO upjang_pos (upjang_code, pos_no) VALUES ('3101', '01');
INSERT INTO cashier (emp_no, emp_name) VALUES ('C01', '홍길동');
INSERT INTO goods (upjang_code, menu_code, menu_name, menu_eng_name, tax_yn, tax_calcu_code) VALUES
 ('3101', '10000001', '김치찌개', 'Kimchi Stew', 'Y', '1'),
 ('3101', '10000002', '생수', '', 'N', '2'),
 ('3101', '10000003', '연회 코스', 'Banquet', 'Y', '4');
INSERT INTO pay_type (pay_code, pay_name) VALUES (110, '현금'), (120, '신용카드'), (130, '객실후불');
INSERT INTO upjang_pay (upjang_code, pay_code, sort_order) VALUES ('3101', 120, 1), ('3101', 130, 2), ('3101', 110, 3);

INSERT INTO sale (sale_date, upjang_code, pos_no, bill_no, bill_seq, sale_yn, menu_code, tax_yn, tax_calcu_code,
                  unit_amt, sale_qty, sale_amt, net_amt, vat_amt, svc_amt, emp_no, created_at) VALUES
 ('20240105', '3101', '01', '0007', 1, 'Y', '10000001', 'Y', '1',  8000, 2, 16000, 14545, 1455,    0, 'C01', '2024-01-05 14:30+09'),
 ('20240105', '3101', '01', '0007', 2, 'Y', '10000002', 'N', '2',  1000, 1,  1000,  1000,    0,    0, 'C01', '2024-01-05 14:30+09'),
 ('20240105', '3101', '01', '0007', 3, 'Y', '10000003', 'Y', '4', 12100, 1, 12100, 10000, 1100, 1000, 'C01', '2024-01-05 14:30+09');

INSERT INTO pay (sale_date, upjang_code, pos_no, bill_no, pay_yn, pay_code, pay_seq, amt, detail1, detail2, detail9, emp_no) VALUES
 ('20240105', '3101', '01', '0007', 'Y', '110', 1,  10000, '87654321', '01012345678', NULL, 'C01'),
 ('20240105', '3101', '01', '0007', 'Y', '110', 0,  -5000, NULL, NULL, NULL, 'C01'),
 ('20240105', '3101', '01', '0007', 'Y', '120', 1,  12000, NULL, '9410123456785678=2612', NULL, 'C01'),
 ('20240105', '3101', '01', '0007', 'Y', '130', 1,  12100, 'M0001', '김투숙', '01203', 'C01'),
 -- bill 0008 was settled from the pre-sale bill 0003 of 2 January
 ('20240105', '3101', '01', '0008', 'Y', '002', 1, -20000, NULL, NULL, NULL, 'C01');
UPDATE pay SET remarks = '20240102-0003' WHERE bill_no = '0008';

INSERT INTO card_approval (sale_date, upjang_code, pos_no, bill_no, card_yn, card_seq, agree_yn, amt, card_no,
                           valid_thru, halbu_month, agree_no, company_name, bank_name, card_join_no, agree_date) VALUES
 ('20240105', '3101', '01', '0007', 'Y', 1, 'Y', 12000, '9410123456785678', '2612', '00', '30001234', 'KB국민',
  '국민카드', '00112233', '20240105');
INSERT INTO cash_receipt (sale_date, upjang_code, pos_no, bill_no, cash_yn, cash_seq, sale_kind, man_yn, card_no,
                          agree_amt, agree_no, agree_date) VALUES
 ('20240105', '3101', '01', '0007', 'Y', 1, 'Y', 'Y', '01012345678', 5000, '87654321', '20240105');
)sql";

// What the printers were handed.
struct RecordedPrinter final : TReprintPrinter {
    TPrinters Printers() const override { return printers; }
    void Print(const TReprintPrint& aPrint) override { prints.push_back(aPrint); }
    TPrinters printers{TPrinterType::ptTSP600, TPrinterType::ptNone};
    std::vector<TReprintPrint> prints;
};

class ReprintServerTest : public ServerTerminal {
protected:
    ReprintServerTest()
    {
        db.query(kBill);
        ctx.gsToday = ctx.gsSaleDate = "20240105";
        ctx.gsMasterUpjangCode = "3101";
        ctx.gsMasterUpjangName = "스키하우스";
        ctx.gsMasterPosNo = "01";
        ctx.gsCashier = "C01";
        EXPECT_TRUE(data->ConnectDB(true, false));
    }

    // The rows of a statement, each as its first aColumns columns joined by
    // "|" (a NULL reads as nothing).
    Texts rows(const std::string& aKey, const Texts& aParams, int aColumns)
    {
        TDbQuery query(*data);
        query.SetSQL(aKey);
        for (std::size_t i = 0; i < aParams.size(); ++i) query.SetParam(static_cast<int>(i), aParams[i]);
        if (!query.Open()) {
            ADD_FAILURE() << aKey << ": " << LogText(query.Error());
            return {"<failed>"};
        }
        Texts out;
        for (; !query.Eof(); query.Next()) {
            std::string row;
            for (int c = 0; c < aColumns; ++c) row += (c ? "|" : "") + query.AsString(c);
            out.push_back(row);
        }
        return out;
    }
    static Texts bill7(const Texts& aFurther)
    {
        Texts p{"20240105", "3101", "01", "0007"};
        p.insert(p.end(), aFurther.begin(), aFurther.end());
        return p;
    }
    std::string storedCount() const
    {
        return db.query("SELECT reprint_count FROM bill_reprint WHERE sale_date = '20240105' AND bill_no = '0007'");
    }

    TReprintResult reprint(std::int64_t aBillNo = 7, bool aSaveCount = true)
    {
        ReprintReceipt reprinter(*data, printer, dialogs);
        return reprinter.Run({"20240105", "01", aBillNo, true, false, aSaveCount});
    }
    std::string receiptText() const { return printer.prints.empty() ? "" : printer.prints.back().plan.at(0).text; }

    RecordedPrinter printer;
};

TEST_F(ReprintServerTest, StatementsReadTheStoredBill)
{
    EXPECT_EQ(rows("IZC000-ReprintReceipt-5", bill7({"001", "002"}), 2), Texts{});
    EXPECT_EQ(rows("IZC000-ReprintReceipt-5", {"20240105", "3101", "01", "0008", "001", "002"}, 2),
              Texts{"2|20240102-0003"});
    EXPECT_EQ(rows("IZC000-ReprintReceipt-6", bill7({}), 2), Texts{});
    EXPECT_EQ(rows("IZC000-ReprintReceipt-1", bill7({"Y", "20240105", "0007"}), 10),
              Texts{"스키하우스||20240105|14:30||||홍길동|0|0"});
    EXPECT_EQ(rows("IZC000-ReprintReceipt-1", bill7({"N", "20240105", "0007"}), 1), Texts{"Ski House"});
    EXPECT_EQ(rows("IZC000-ReprintReceipt-1", {"20240105", "3101", "01", "0099", "Y", "20240105", "0099"}, 1),
              Texts{});
    EXPECT_EQ(rows("IZC000-ReprintReceipt-2", {"20240105", "3101", "01", "0007", "Y", "Y", "Y"}, 9),
              (Texts{" |김치찌개|2||8000|16000|1|N|N", "*|생수|1||1000|1000|2|N|N", " |연회 코스|1||12100|12100|4|N|N"}));
    EXPECT_EQ(rows("IZC000-ReprintReceipt-2", {"20240105", "3101", "01", "0007", "Y", "Y", "N"}, 2),
              (Texts{" |Kimchi Stew", "*|생수", " |Banquet"}));
    EXPECT_EQ(rows("IZC000-ReprintReceipt-2", {"20240105", "3101", "01", "0007", "N", "Y", "Y"}, 2), Texts{});
    // Button order; the change is taken off the cash it was given from.
    EXPECT_EQ(rows("IZC000-ReprintReceipt-3", bill7({"Y", "Y"}), 7),
              (Texts{"120|신용카드|12000||9410123456785678=2612||", "130|객실후불|12100|M0001|김투숙||01203",
                     "110|현금|5000|87654321|01012345678||"}));
    EXPECT_EQ(rows("IZC000-ReprintReceipt-10", bill7({"Y"}), 4), Texts{"Y|01012345678|5000|87654321"});
    EXPECT_EQ(rows("IZC000-ReprintReceipt-4", bill7({"Y", "120", "Y"}), 9),
              Texts{"12000|9410123456785678|20240105|2612|00|30001234|KB국민|국민카드|00112233"});
    EXPECT_EQ(rows("IZC000-ReprintReceipt-4", bill7({"Y", "120", "N"}), 1), Texts{});
    EXPECT_EQ(rows("IZC000-ReprintReceipt-9", bill7({"Y"}), 3), Texts{});
    db.query("UPDATE card_approval SET sign_yn = 'Y'");
    EXPECT_EQ(rows("IZC000-ReprintReceipt-9", bill7({"Y"}), 3), Texts{"12000|9410123456785678|30001234"});
}

TEST_F(ReprintServerTest, TheCountNeverGoesBack)
{
    TDbQuery query(*data);
    for (const char* count : {"1", "1", "5"}) {
        query.SetSQL("IZC000-ReprintReceipt-8");
        for (int i = 0; i < 4; ++i) query.SetParam(i, bill7({})[static_cast<std::size_t>(i)]);
        query.SetParam(4, count);
        ASSERT_TRUE(query.ExecSQL()) << LogText(query.Error());
    }
    // 1, then 1 again (another terminal counted in between: one more), then 5.
    EXPECT_EQ(storedCount(), "5");
}

TEST_F(ReprintServerTest, TheStoredBillIsPrintedAndCounted)
{
    ASSERT_TRUE(reprint().Printed());
    ASSERT_EQ(printer.prints.size(), 1u);
    EXPECT_EQ(storedCount(), "1");
    const std::vector<std::string> lines = SplitLines(receiptText());
    const auto has = [&](const std::string& aLine) { return std::find(lines.begin(), lines.end(), aLine) != lines.end(); };
    EXPECT_TRUE(has("2024-01-05 14:30 3101-01-0007  담당:홍길동")) << receiptText();
    EXPECT_TRUE(has("*생수                1     1,000     1,000")) << receiptText();
    EXPECT_TRUE(has("신용카드  9410-12**-****-5678       12,000")) << receiptText();
    EXPECT_TRUE(has("객실후불  01203 김투숙(M0001)       12,100")) << receiptText();
    EXPECT_TRUE(has("현금                                 5,000")) << receiptText();
    EXPECT_TRUE(has("{X}합　　계 :     29,100{S}")) << receiptText();
    EXPECT_TRUE(has("이 영수증은 1번째 재발행 된 영수증입니다.")) << receiptText();
    // The receipt, the receipt with the room slip, the card slip's two copies.
    EXPECT_EQ(printer.prints[0].plan.size(), 4u);

    ASSERT_TRUE(reprint().Printed());
    EXPECT_EQ(storedCount(), "2");
    EXPECT_NE(receiptText().find("이 영수증은 2번째 재발행 된 영수증입니다."), std::string::npos);
    EXPECT_TRUE(shown().empty());
}

// The tax-free water stands on its exempt line alone: net, service charge
// and VAT come from the stew and the banquet, and the lines add up to the
// bill (1,000 + 24,545 + 1,000 + 2,555 = 29,100).
TEST_F(ReprintServerTest, TheTaxFreeItemIsNotTaxedBesideAServiceCharge)
{
    ASSERT_TRUE(reprint(7, false).Printed());
    const std::vector<std::string> lines = SplitLines(receiptText());
    const std::vector<std::string> block{
        "부가세 면세 물품가 :                 1,000",
        "부가세 과세 물품가 :                24,545",
        "봉　　　사　　  료 :                 1,000",
        "부　　　가　　  세 :                 2,555",
    };
    const auto at = std::search(lines.begin(), lines.end(), block.begin(), block.end());
    EXPECT_NE(at, lines.end()) << receiptText();
    EXPECT_EQ(storedCount(), "");  // not counted when not asked
}

TEST_F(ReprintServerTest, TheCallersTransactionStaysOpenAndItsWorkUncommitted)
{
    ASSERT_FALSE(data->StartTransaction());
    TDbQuery insert(*data);
    insert.SetSQL("IAI010-SavePayData-1");
    const Texts row{"20240105", "3101", "01", "0009", "Y", "110", "1", "3000"};
    for (std::size_t i = 0; i < row.size(); ++i) insert.SetParam(static_cast<int>(i), row[i]);
    ASSERT_TRUE(insert.ExecSQL()) << LogText(insert.Error());

    // A read failing inside it is taken back to its own savepoint. (The
    // table goes away before the transaction touched it: a table it read
    // stays locked until the caller ends it.)
    db.query("ALTER TABLE cash_receipt RENAME TO cash_receipt_away");
    EXPECT_EQ(reprint().status, TReprintStatus::Failed);
    db.query("ALTER TABLE cash_receipt_away RENAME TO cash_receipt");
    EXPECT_TRUE(data->InTransaction());

    ASSERT_TRUE(reprint().Printed());
    EXPECT_TRUE(data->InTransaction());
    EXPECT_EQ(count("SELECT count(*) FROM pay WHERE bill_no = '0009'"), 0);  // nobody committed it
    EXPECT_EQ(storedCount(), "");  // the count waits for the caller's commit too

    EXPECT_FALSE(data->Commit());
    EXPECT_EQ(count("SELECT count(*) FROM pay WHERE bill_no = '0009'"), 1);
    EXPECT_EQ(storedCount(), "1");  // the count of the reprint that printed
}

TEST_F(ReprintServerTest, AStatementFailingMidReadPrintsNothingAndCountsNothing)
{
    db.query("ALTER TABLE cash_receipt RENAME TO cash_receipt_away");
    EXPECT_EQ(reprint().status, TReprintStatus::Failed);
    EXPECT_TRUE(printer.prints.empty());
    EXPECT_EQ(storedCount(), "");
    EXPECT_NE(log().find("IZC000-ReprintReceipt-10"), std::string::npos) << log();
    EXPECT_FALSE(data->InTransaction());
}

TEST_F(ReprintServerTest, AMissingBillIsNamedAndNothingPrints)
{
    EXPECT_EQ(reprint(99).status, TReprintStatus::NotFound);
    EXPECT_EQ(shown(), Texts{"2024-01-05일 01번 POS에서 판매되지 않은 전표번호입니다."});
    EXPECT_TRUE(printer.prints.empty());
}

TEST_F(ReprintServerTest, OffLineNothingIsReadOrPrinted)
{
    data->SetOffLine();
    EXPECT_EQ(reprint().status, TReprintStatus::OffLine);
    EXPECT_TRUE(printer.prints.empty());
    EXPECT_EQ(storedCount(), "");
}

}  // namespace
}  // namespace pos::test
