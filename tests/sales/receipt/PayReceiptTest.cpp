// The tender part, the card and signature slips, the cash-receipt block and
// the quick cash part: golden texts written from the line formats.

#include "ReceiptFixture.h"

#include "payment/PayLines.h"
#include "sales/receipt/PayReceipt.h"
#include "sales/receipt/QuickCashReceipt.h"

#include <functional>

namespace pos::test {
namespace {

const std::string kDouble(42, '=');
const std::string kSingle(42, '-');
const std::string kHeader = "2024-01-05 14:30 3101-01-0012  담당:홍길동";
const std::string kSignature = "--- 고객서명 -----------------------------";

TPayCardList CardLine()
{
    TPayCardList card;
    card.CardNo = "9410123456785678";
    card.VaildThru = "27/12";
    card.HalbuMonth = "0개월";
    card.AgreeNo = "12345678";
    card.Amt = 11000;
    card.AgreeDate = "20240105143000";
    card.CompanyName = "비씨카드";
    card.BankName = "우리카드";
    card.CardJoinNo = "00112233";
    return card;
}

TPayRoomList RoomLine()
{
    TPayRoomList room;
    room.RoomNo = "01203";
    room.MemberNo = "1234567890";
    room.MemberName = "김회원";
    room.ComeName = "김투숙";
    room.Amt = 50000;
    return room;
}

TPayCashList CashReceiptLine()
{
    TPayCashList cash;
    cash.ManYNName = "개인";
    cash.CardName = "휴대폰 : 010-1234-****";
    cash.AgreeNo = "87654321";
    cash.AgreeAmt = 21000;
    cash.Amt = 21000;
    cash.ManYN = true;
    return cash;
}

class PayReceiptTest : public ReceiptFixture {
protected:
    TPayReceipt pay(TPrinters aPrinters, Currency aReceived, Currency aChange = 0)
    {
        return TPayReceipt(context, store, aPrinters, header(), aReceived, aChange);
    }
};

TEST_F(PayReceiptTest, CardSlipPairOnAReceiptPrinter)
{
    TPayReceipt receipt = pay(kTSP600, 11000);
    receipt.AddCard(CardLine());
    const TPayPart part = receipt.Finish();
    ASSERT_EQ(part.cardSlips.size(), 2u);
    const std::string company = "{Z}신용카드 승인전표{S}(회사용)\r"
                                "\r" +
                                kHeader + "\r" + kDouble + "\r" +
                                "\r"
                                "    품　　목 : 스키하우스 이용료\r"
                                "    카드종류 : 우리카드(비씨카드)\r"
                                "    카드번호 : 9410-12**-****-5678\r"
                                "    유효기간 : 27/12\r"
                                "    승인일자 : 2024-01-05\r"
                                "    할부기간 : 일시불\r"
                                "    승인금액 : 11,000원(VAT 1,000포함)\r"
                                "    승인번호 : 12345678\r"
                                "    가맹번호 : 00112233\r"
                                "\r" +
                                kSignature + "\r\r\r\r\r" + kDouble + "\r";
    const std::string customer = "{Z}신용카드 승인전표{S}(고객용)\r"
                                 "\r" +
                                 kHeader + "\r" + kDouble + "\r" +
                                 "\r"
                                 "    품　　목 : 스키하우스 이용료\r"
                                 "    카드종류 : 우리카드(비씨카드)\r"
                                 "    카드번호 : 9410-12**-****-5678\r"
                                 "    승인일자 : 2024-01-05\r"
                                 "    할부기간 : 일시불\r"
                                 "    승인금액 : 11,000원(VAT 1,000포함)\r"
                                 "    승인번호 : 12345678\r"
                                 "    가맹번호 : 00112233\r"
                                 "\r" +
                                 kDouble + "\r";
    EXPECT_EQ(part.cardSlips[0], company);
    EXPECT_EQ(part.cardSlips[1], customer);
    ExpectReceiptWidth(company);
    // The receipt's tender line shows the card masked the same way.
    EXPECT_NE(part.receiptText.find("신용카드  9410-12**-****-5678       11,000\r"), std::string::npos)
        << part.receiptText;
}

TEST_F(PayReceiptTest, CardSlipsOfAReturnAreCancellationsAndSignedOnThePadNeedNoRule)
{
    startReturnBill();
    TPayCardList card = CardLine();
    card.Amt = -11000;
    card.SignYN = true;
    card.HalbuMonth = "3개월";
    TPayReceipt receipt = pay(kTSP600, -11000);
    receipt.AddCard(card);
    const TPayPart part = receipt.Finish();
    ASSERT_EQ(part.cardSlips.size(), 2u);
    const std::vector<std::string> lines = SplitLines(part.cardSlips[0]);
    EXPECT_EQ(lines[0], "{Z}신용카드 취소전표{S}(회사용)");
    EXPECT_EQ(lines[10], "    할부기간 : 3개월 할부");
    EXPECT_EQ(lines[11], "    승인금액 : -11,000원(VAT -1,000포함)");
    EXPECT_EQ(part.cardSlips[0].find(kSignature), std::string::npos);
}

// On a ticket printer both copies are list tickets, titled by a plain
// centred line, with three empty lines after the signature rule.
TEST_F(PayReceiptTest, CardSlipsAsListTicketsOnATicketPrinter)
{
    TPayReceipt receipt = pay(kTSP800, 11000);
    receipt.AddCard(CardLine());
    const TPayPart part = receipt.Finish();
    EXPECT_TRUE(part.cardSlips.empty());
    ASSERT_EQ(part.ticketJobs.size(), 2u);
    const TTicketLines& company = part.ticketJobs[0];
    EXPECT_EQ(company.front(), "       [신용카드 승인전표] (회사용)");
    EXPECT_EQ(std::vector<std::string>(company.end() - 5, company.end()),
              (std::vector<std::string>{kSignature, "", "", "", kDouble}));
    EXPECT_EQ(part.ticketJobs[1].front(), "       [신용카드 승인전표] (고객용)");
    EXPECT_EQ(part.ticketLines[2], "신용카드  9410-12**-****-5678       11,000");
}

TEST_F(PayReceiptTest, CardNumbersShowAtMostSixAndFourDigits)
{
    EXPECT_EQ(MaskedCardNo("9410123456785678"), "9410-12**-****-5678");
    EXPECT_EQ(MaskedCardNo("37123456789012"), "3712-34****-9012");
    EXPECT_EQ(MaskedCardNo("371234567890123"), "3712-34****-*0123");
    EXPECT_EQ(MaskedCardNo("12345678"), "****5678");
}

TEST_F(PayReceiptTest, RoomSignatureSlip)
{
    TPayReceipt receipt = pay(kTSP600, 50000);
    receipt.AddRoom(RoomLine());
    const TPayPart part = receipt.Finish();
    ASSERT_EQ(part.roomSlips.size(), 1u);
    const std::string slip = "{X}[객실후불]{S}\r"
                             "{X}객실번호 : 01203     {S}\r"
                             "{X}회원번호 : 1234567890{S}\r"
                             "{X}회원성명 : 김회원    {S}\r"
                             "{X}투숙객명 : 김투숙    {S}\r" +
                             kSignature + "\r\r\r\r\r\r" + kDouble + "\r";
    EXPECT_EQ(part.roomSlips[0], slip);
    ExpectReceiptWidth(slip);
    EXPECT_NE(part.receiptText.find("\r객실후불  01203 김회원(123456789    50,000\r"), std::string::npos)
        << part.receiptText;
}

TEST_F(PayReceiptTest, CashReceiptBlockClosesTheTenderPart)
{
    TPayReceipt receipt = pay(kTSP600, 21000);
    receipt.AddCash(CashReceiptLine());
    const std::string expected = "{X}받은금액 :     21,000{S}\r" + kSingle + "\r" +
                                 "현금                                21,000\r" + kSingle + "\r" +
                                 "{C}{X}현금(소득공제){S}\r"
                                 "{L}  식별번호 : 휴대폰\r"
                                 "{X}       010-1234-**** {S}\r"
                                 "                 승인금액 :       21,000\r"
                                 "                 승인번호 :     87654321\r" +
                                 kSingle + "\r" +
                                 "현금영수증 국세청 문의처 : 126\r"
                                 "현금영수증 홈페이지 : www.hometax.go.kr\r" +
                                 kDouble + "\r";
    EXPECT_EQ(receipt.Finish().receiptText, expected);
    ExpectReceiptWidth(expected);
}

TEST_F(PayReceiptTest, TwoCashReceiptsAreSeparatedByAnEmptyLine)
{
    TPayReceipt receipt = pay(kTSP600, 42000);
    TPayCashList business = CashReceiptLine();
    business.ManYN = false;
    business.CardName = "사업자번호 : 123-45-*****";
    receipt.AddCash(CashReceiptLine());
    receipt.AddCash(business);
    const std::vector<std::string> lines = SplitLines(receipt.Finish().receiptText);
    EXPECT_EQ(lines[10], "");
    EXPECT_EQ(lines[11], "{C}{X}현금(지출증빙){S}");
    EXPECT_EQ(lines[12], "{L}  식별번호 : 사업자번호");
    EXPECT_EQ(lines[13], "{X}        123-45-***** {S}");
}

// With a TSP700 the cash receipt is a list ticket of its own and stays out
// of the receipt.
TEST_F(PayReceiptTest, CashReceiptIsATicketOfItsOwnWithATSP700)
{
    TPayReceipt receipt = pay({TPrinterType::ptTSP600, TPrinterType::ptTSP700}, 21000);
    receipt.AddCash(CashReceiptLine());
    const TPayPart part = receipt.Finish();
    EXPECT_EQ(part.receiptText.find("현금(소득공제)"), std::string::npos);
    ASSERT_EQ(part.ticketJobs.size(), 1u);
    EXPECT_EQ(part.ticketJobs[0], (TTicketLines{
                                      "{C}{X}현금(소득공제){S}",
                                      "{L}  식별번호 : 휴대폰",
                                      "{X}       010-1234-**** {S}",
                                      "                 승인금액 :       21,000",
                                      "                 승인번호 :     87654321",
                                      kSingle,
                                      "현금영수증 국세청 문의처 : 126",
                                      "현금영수증 홈페이지 : www.hometax.go.kr",
                                  }));
}

TEST_F(PayReceiptTest, TenderLinesNameEachKind)
{
    TPayReceipt receipt = pay(kTSP600, 100000);
    TPayLockerList locker;
    locker.LockerNo = "A123";
    locker.ComeName = "박선수";
    locker.MemberNo = "M001";
    locker.Amt = 10000;
    TPayEventList event;
    event.EventNo = "E2401";
    event.EventName = "동계연수";
    event.Amt = 20000;
    TPayGiftCardList voucher;
    voucher.GiftCardName = "리조트상품권";
    voucher.Amt = 30000;
    TPayCreditList credit;
    credit.MemberNo = "0000012345";
    credit.CustName = "이우대";
    credit.Amt = 40000;
    receipt.AddLocker(locker);
    receipt.AddEvent(event);
    receipt.AddGiftCard(voucher);
    receipt.AddCredit(credit);
    const TPayPart part = receipt.Finish();
    const std::vector<std::string> lines = SplitLines(part.receiptText);
    EXPECT_EQ(lines[2], "락카후불  A123 박선수(M001)         10,000");
    EXPECT_EQ(lines[3], "단체후불  동계연수 (E2401)          20,000");
    EXPECT_EQ(lines[4], "상품권    리조트상품권              30,000");
    EXPECT_EQ(lines[5], "외상      이우대 (0000012345)       40,000");
    EXPECT_EQ(part.lockerSlips.size(), 1u);
    EXPECT_EQ(part.eventSlips.size(), 1u);
    EXPECT_EQ(part.creditSlips.size(), 1u);
    EXPECT_EQ(SplitLines(part.creditSlips[0])[1], "{X}우대번호 : 0000012345{S}");
}

// ---- the sign of a refund: one rule for both tender parts

struct RefundCase {
    const char* name;
    std::function<TPayPart(const TTerminalContext&, const TMasterStore&)> compose;
    std::string cashLine;
};

class RefundSignTest : public ReceiptFixture, public ::testing::WithParamInterface<RefundCase> {};

TEST_P(RefundSignTest, RefundPrintsNegative)
{
    startReturnBill();
    const TPayPart part = GetParam().compose(context, store);
    const std::vector<std::string> lines = SplitLines(part.receiptText);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "{X}받은금액 :    -10,000{S}");
    EXPECT_EQ(lines[2], GetParam().cashLine);
}

INSTANTIATE_TEST_SUITE_P(
    Parts, RefundSignTest,
    ::testing::Values(
        RefundCase{"PaymentScreen",
                   [](const TTerminalContext& c, const TMasterStore& s) {
                       TPayReceipt receipt(c, s, kTSP600, "", -10000, 0);
                       TPayCashList cash;
                       cash.Amt = -10000;
                       receipt.AddCash(cash);
                       return receipt.Finish();
                   },
                   "현금                               -10,000"},
        RefundCase{"QuickCash",
                   [](const TTerminalContext& c, const TMasterStore&) {
                       return QuickCashPart(c, kTSP600, 10000, 0);
                   },
                   "현　　금                           -10,000"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- the quick cash part

using QuickCashTest = ReceiptFixture;

TEST_F(QuickCashTest, SaleWithChange)
{
    EXPECT_EQ(QuickCashPart(context, kTSP600, 50000, 7000).receiptText,
              "{X}받은금액 :     50,000{S}\r"
              "{X}거스름돈 :      7,000{S}\r" +
                  kSingle + "\r" + "현　　금                            43,000\r" + kDouble + "\r");
}

TEST_F(QuickCashTest, ReturnWithoutChange)
{
    startReturnBill();
    EXPECT_EQ(QuickCashPart(context, kTSP600, 10000, 0).receiptText,
              "{X}받은금액 :    -10,000{S}\r" + kSingle + "\r" + "현　　금                           -10,000\r" +
                  kDouble + "\r");
}

TEST_F(QuickCashTest, PageModeTicketLines)
{
    const TPayPart part = QuickCashPart(context, kTSP800, 50000, 7000);
    EXPECT_TRUE(part.receiptText.empty());
    EXPECT_EQ(part.ticketLines, (TTicketLines{
                                    "        받은금액  :                 50,000",
                                    "        거스름돈  :                  7,000",
                                    kSingle,
                                    "현　　금                            43,000",
                                    kDouble,
                                }));
}

}  // namespace
}  // namespace pos::test
