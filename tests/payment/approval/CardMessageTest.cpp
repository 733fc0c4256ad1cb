// The card server messages byte for byte. Every expected text is laid out by
// hand from the line's layout, field by field, in position order.
#include "core/Codec.h"
#include "payment/approval/CardMessage.h"

#include <gtest/gtest.h>

#include <string>

namespace pos {
namespace {

std::string spaces(int aCount) { return std::string(static_cast<std::size_t>(aCount), ' '); }

TCardServerRequest keyedInApproval()
{
    TCardServerRequest r;
    r.UpjangCode = "3101";
    r.UpjangSeq = "01";
    r.SaleDate = "20240105";
    r.SeqNo1 = 12;
    r.SeqNo2 = 1;
    r.TerminalID = "1234567890";
    r.SaleAmt = 15000;
    r.Approval = true;
    r.KeyIn = true;
    r.CardTrack2 = "4111111111111111=2512";
    r.HalbuMonth = 1;
    r.OrgAgreeNo = "12345678";  // written, but an approval carries none
    return r;
}

TEST(CardMessageTest, EmptyRequestAndResponse)
{
    const std::string request = spaces(14) + "00000000" + spaces(8) + "D1A" + spaces(37) + "0000000000" + spaces(43);
    ASSERT_EQ(request.size(), 123u);
    EXPECT_EQ(TCardRequestText().Bytes(), request);

    const std::string response = spaces(14) + "00000000" + spaces(8)  // 1-30 as the empty request
                                 + "D1" + ">.<;" + spaces(52)        // 31-88
                                 + "00000000" + spaces(117);         // 89-213
    ASSERT_EQ(response.size(), 213u);
    TCardResponseText empty;
    EXPECT_EQ(empty.Bytes(), response);
    EXPECT_EQ(empty.ErrCode(), ">.<;");
    EXPECT_FALSE(empty.Approved());

    empty.SetErrCode("    ");  // four blanks stand for "no answer yet"
    EXPECT_EQ(empty.ErrCode(), ">.<;");
}

struct RequestCase {
    const char* name;
    TCardServerRequest request;
    std::string expected;
};

void PrintTo(const RequestCase& aCase, std::ostream* aOut) { *aOut << aCase.name; }

class CardRequestBytes : public ::testing::TestWithParam<RequestCase> {};

TEST_P(CardRequestBytes, AreLaidOutByPosition)
{
    const RequestCase& c = GetParam();
    ASSERT_EQ(c.expected.size(), 123u) << "the expected text itself";
    EXPECT_EQ(BuildCardRequest(c.request).Bytes(), c.expected);
}

RequestCase swipedInstalments()
{
    RequestCase c{"SwipedCardWithInstalment120", keyedInApproval(), {}};
    c.request.KeyIn = false;
    c.request.CardTrack2 = ";4111111111111111=25121010000000000000?";  // sentinels come off
    c.request.HalbuMonth = 120;
    c.request.SaleAmt = 1234567;
    c.request.SeqNo1 = 7;
    c.expected = std::string("  ") + "3101" + "01      " + "0007" + "0001" + spaces(8) + "D1" + "A" +
                 "4111111111111111=25121010000000000000"  // 34-70, all 37
                 + "99" + "01234567" + spaces(8) + "1234567890" + "240105" + spaces(8) + spaces(11);
    return c;
}

RequestCase cancellation()
{
    RequestCase c{"KeyedInCancellation", keyedInApproval(), {}};
    c.request.Approval = false;
    c.request.OrgAgreeNo = "87654321";
    c.request.HalbuMonth = 3;
    c.request.CardTrack2 = "36123456789012=2701";  // 14 digits
    c.expected = std::string("  ") + "3101" + "01      " + "0012" + "0001" + spaces(8) + "D2" + "@" +
                 "36123456789012" + spaces(15)  // 34-62
                 + "2701" + spaces(4)           // 63-70
                 + "03" + "00015000" + "87654321" + "1234567890" + "240105" + spaces(19);
    return c;
}

RequestCase keyedInWithoutEquals()
{
    RequestCase c{"KeyedInWithoutEqualsSendsNoCard", keyedInApproval(), {}};
    c.request.CardTrack2 = "4111111111111111";
    c.expected = std::string("  ") + "3101" + "01      " + "0012" + "0001" + spaces(8) + "D1" + "@" + spaces(37) +
                 "00" + "00015000" + spaces(8) + "1234567890" + "240105" + spaces(19);
    return c;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CardRequestBytes,
    ::testing::Values(
        RequestCase{"KeyedInApprovalInstalment1", keyedInApproval(),
                    std::string("  ")       // 1-2 area code, set by no caller
                        + "3101"            // 3-6 outlet
                        + "01      "        // 7-14 POS number
                        + "0012" + "0001"   // 15-22 bill and sequence
                        + spaces(8)         // 23-30
                        + "D1" + "@"        // 31-33
                        + "4111111111111111" + spaces(13)  // 34-62 number
                        + "2512" + spaces(4)               // 63-70 expiry
                        + "00"                             // 71-72 one month is a lump sum
                        + "00015000"                       // 73-80
                        + spaces(8)                        // 81-88 no original number on an approval
                        + "1234567890" + "240105"          // 89-104
                        + spaces(8) + spaces(11)},         // 105-123
        swipedInstalments(), cancellation(), keyedInWithoutEquals()),
    [](const auto& aInfo) { return std::string(aInfo.param.name); });

TEST(CardMessageTest, RequestFieldsReadBack)
{
    const TCardRequestText text = BuildCardRequest(cancellation().request);
    EXPECT_FALSE(text.Approval());
    EXPECT_TRUE(text.KeyIn());
    EXPECT_EQ(text.CardTrack2(), "36123456789012               2701");
    EXPECT_EQ(text.SaleAmt(), 15000);
    EXPECT_EQ(text.HalbuMonth(), 3);
    EXPECT_EQ(text.OrgAgreeNo(), "87654321");
    EXPECT_EQ(text.SaleDate(), "20240105");
    EXPECT_EQ(BuildCardRequest(keyedInApproval()).OrgAgreeNo(), "");
}

// An answer as the card server sends it, laid out by hand.
std::string approvalAnswer(const char* aKind = "D1")
{
    return std::string(30, 'x')                       // 1-30 not read
           + aKind + "0000"                           // 31-36
           + "016" + ToCp949("비씨카드") + spaces(6)  // 37-53 company (Korean: 2 bytes a character)
           + ToCp949("국민카드") + spaces(6)          // 54-67 issuer
           + "240105" + spaces(7)                     // 68-80
           + "00012345"                               // 81-88 approval number
           + "00015000"                               // 89-96
           + ToCp949("정상승인") + spaces(56)         // 97-160
           + "7012345678" + spaces(5)                 // 161-175 merchant number
           + spaces(38);                              // 176-213
}

TEST(CardMessageTest, ApprovalAnswerIsReadByPosition)
{
    const std::string answer = approvalAnswer();
    ASSERT_EQ(answer.size(), 213u);
    TCardResponseText response;
    ASSERT_TRUE(response.Accept(answer, true));
    EXPECT_TRUE(response.Approved());
    EXPECT_EQ(response.ErrCode(), "0000");
    EXPECT_EQ(response.CompCode(), "016");
    EXPECT_EQ(response.CompName(), "비씨카드");
    EXPECT_EQ(response.BalgupsaCode(), "");
    EXPECT_EQ(response.BalgupsaName(), "국민카드");
    EXPECT_EQ(response.AgreeDate(), "20240105");
    EXPECT_EQ(response.AgreeNo(), "00012345");
    EXPECT_EQ(response.AgreeAmt(), 15000);
    EXPECT_EQ(response.Note(), "정상승인");
    EXPECT_EQ(response.KamaengNo(), "7012345678");
}

TEST(CardMessageTest, AnswerOfTheWrongLengthOrKindIsData)
{
    const std::string good = approvalAnswer();
    struct Case {
        const char* name;
        std::string answer;
        bool approval;
    } cases[] = {
        {"212 bytes", good.substr(0, 212), true},
        {"214 bytes", good + " ", true},
        {"D2 to a D1", approvalAnswer("D2"), true},
        {"D1 to a D2", good, false},
        {"nothing", "", true},
    };
    for (const Case& c : cases) {
        TCardResponseText response;
        EXPECT_FALSE(response.Accept(c.answer, c.approval)) << c.name;
        EXPECT_EQ(response.ErrCode(), "DATA") << c.name;
        EXPECT_EQ(response.Note(), "수신 데이터에 이상이 있습니다.") << c.name;
        EXPECT_FALSE(response.Approved()) << c.name;
        EXPECT_EQ(response.Bytes().size(), 213u) << c.name;
    }
}

TEST(CardMessageTest, LongKoreanValuesAreCutBetweenCharacters)
{
    std::string note, fits;
    for (int i = 0; i < 33; ++i) note += "가";  // 66 bytes
    for (int i = 0; i < 32; ++i) fits += "가";  // the 64 the note field holds
    TCardResponseText response;
    response.SetNote(note);
    EXPECT_EQ(response.Bytes().size(), 213u);
    EXPECT_EQ(response.Note(), fits);

    TCardRequestText request;
    request.SetUpjangCode("가나다");  // 6 bytes into 4: the third character is cut to a blank
    EXPECT_EQ(request.Bytes().size(), 123u);
    EXPECT_EQ(request.Bytes().substr(2, 4), ToCp949("가나"));
}

}  // namespace
}  // namespace pos
