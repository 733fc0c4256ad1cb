#include "cards/CardRules.h"

#include "core/ScriptedDialogService.h"
#include "core/TerminalContext.h"
#include "cards/IdentityRules.h"
#include "store/MasterStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pos {
namespace {

constexpr const char* kExpired = "카드 유효기간이 만료되었습니다.";
constexpr const char* kBadTrack = "카드 마그네틱이 손상되었거나 정상적인 카드가 아닙니다.";
constexpr const char* kBadMemberNo = "우대번호 형식이 맞지 않습니다.";
constexpr const char* kReissued =
    "재발급되어 사용중지된 카드입니다.\r새로 발급된 회원카드를 다시 읽으시거나,\r회원관리팀에서 회원카드를 재발급후 사용하십시오.";
constexpr const char* kOwnerChanged =
    "명의변경된 회원카드이므로 사용할 수 없음니다.\r신규 발급 회원카드를 사용하시기 바람니다.\r회원관리팀에 문의하시기 바랍니다.";
constexpr const char* kCountUnknown = "회원카드 발급 정보를 확인할 수 없습니다.\r전산팀에 문의하십시오.";

std::string withSentinels(const std::string& aText) { return ";" + aText + "?"; }

// A terminal on 2026-03-15 with the card tables of the common codes: prefixes
// (head Z0023), companies (Z0021), issuers (Z0022) and guest types (Z0006).
class CardRulesFixture : public ::testing::Test {
protected:
    CardRulesFixture() : store(context, dialogs, noServer), rules(context, store, dialogs)
    {
        context.gsSaleDate = "20260315";
    }

    void addCommon(const std::string& head, const std::string& code, const std::string& name,
                   const std::vector<std::pair<int, std::string>>& items = {})
    {
        const int row = store.AddCommonData();
        store.SetCommonData(row, CommonItem::Head, head);
        store.SetCommonData(row, CommonItem::Code, code);
        store.SetCommonData(row, CommonItem::CodeName, name);
        for (const auto& [item, value] : items) store.SetCommonData(row, item, value);
    }
    // Prefix entry: issuer name, prefix, company, issuer, card length.
    void addPrefix(const std::string& code, const std::string& issuer, const std::string& prefix,
                   const std::string& company, const std::string& issueCode, const std::string& length)
    {
        addCommon(context.gsCommonCardNo, code, issuer,
                  {{CommonItem::Item1, prefix}, {CommonItem::Item2, company}, {CommonItem::Item3, issueCode},
                   {CommonItem::Item4, length}});
    }
    void addCardTables()
    {
        addPrefix("01", "국민", "4", "01", "11", "16");
        addPrefix("02", "신한", "411111", "02", "12", "16");
        addPrefix("03", "삼성", "4111", "03", "13", "16");
        addPrefix("04", "현대", "411111", "04", "14", "15");  // same prefix, other length
        addPrefix("05", "하나", "411111", "05", "15", "16");  // later entry of the same length
        addCommon(context.gsCommonCardCompany, "01", "KB매입", {{CommonItem::Item1, "00100"}});
        addCommon(context.gsCommonCardCompany, "02", "신한매입", {{CommonItem::Item1, "00200"}});
        addCommon(context.gsCommonCardCompany, "999", "기타매입");
        addCommon(context.gsCommonCardIssue, "999", "기타발급");
    }

    std::vector<std::string> messages() const
    {
        std::vector<std::string> texts;
        for (const auto& shown : dialogs.shown) texts.push_back(shown.text);
        return texts;
    }

    TTerminalContext context;
    ScriptedDialogService dialogs;
    TNoMasterServer noServer;
    TMasterStore store;
    TCardRules rules;
};

// ---- member and employee cards ------------------------------------------------

struct MemberCardCase {
    std::string text;
    std::string number;
    std::int64_t count;
    bool expired;
};

void PrintTo(const MemberCardCase& c, std::ostream* os) { *os << "card \"" << c.text << "\""; }

class MemberCardTest : public CardRulesFixture, public ::testing::WithParamInterface<MemberCardCase> {};

// Every case is read once as typed and once with the sentinels of a swipe.
TEST_P(MemberCardTest, NumberAndIssueCount)
{
    const MemberCardCase& c = GetParam();
    for (const std::string& text : {c.text, withSentinels(c.text)}) {
        SCOPED_TRACE(text);
        dialogs.clear();
        std::int64_t count = -1;
        EXPECT_EQ(rules.GetCardNumber(text, count), c.number);
        EXPECT_EQ(count, c.count);
        if (c.expired) {
            ASSERT_EQ(dialogs.shown.size(), 1u);
            EXPECT_EQ(dialogs.shown[0].text, kExpired);
            EXPECT_TRUE(dialogs.shown[0].beep);
        } else {
            EXPECT_TRUE(dialogs.shown.empty());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Lengths, MemberCardTest, ::testing::Values(
    MemberCardCase{"1012345603", "1012345600", 3, false},          // employee card
    MemberCardCase{"2012345603", "2012345603", 0, false},          // 10 bytes, not an employee card
    MemberCardCase{"6001331234567", "3312345600", 0, false},       // 13 bytes, member series
    MemberCardCase{"6003331234567", "3312345600", 0, false},
    MemberCardCase{"6004331234567", "6004331234567", 0, false},    // 13 bytes, other series
    MemberCardCase{"1234567890" "02" "A1" "20261231" "0", "1234567890", 2, false},   // 23 bytes
    MemberCardCase{"1234567890" "07" "100" "20261231" "0", "1234567890", 7, false},  // 24 bytes
    MemberCardCase{"1234567890" "02" "A1" "20260315" "0", "1234567890", 2, false},   // expires today
    MemberCardCase{"1234567890" "02" "A1" "20260314" "0", "", 0, true},              // expired yesterday
    MemberCardCase{"1234567890" "07" "100" "20260314" "0", "", 0, true},
    MemberCardCase{"12345", "12345", 0, false},                                      // any other length
    MemberCardCase{"1234567890123=45", "1234567890123", 0, false}));

// A bank card swiped where member cards are read: its track can have the
// length of a member card, but the bytes where a member card keeps its expiry
// hold the end of the card number and "=". It is a card number, not an
// expired member card.
INSTANTIATE_TEST_SUITE_P(BankCardTracks, MemberCardTest, ::testing::Values(
    MemberCardCase{"4111111111111111=2512101", "4111111111111111", 0, false},  // 24 bytes
    MemberCardCase{"411111111111110=25121011", "411111111111110", 0, false},   // 24 bytes, 15 digits
    MemberCardCase{"41111111111110=25121010", "41111111111110", 0, false},     // 23 bytes
    MemberCardCase{"4111111111111111=25121015678", "4111111111111111", 0, false}));

TEST_F(CardRulesFixture, GuestTypeOfCards)
{
    addCommon(context.gsCommonGuestType, "301", "골드회원", {{CommonItem::Item12, "A1,A2"}});
    addCommon(context.gsCommonGuestType, "302", "실버회원", {{CommonItem::Item12, "A1,B1"}});
    addCommon("Z0099", "999", "다른 코드", {{CommonItem::Item12, "C1"}});  // not a guest type
    const std::string body = "1234567890" "02";
    const struct {
        std::string text, guestType;
    } cases[] = {
        {"1012345603", "100"},
        {"2012345603", "100"},  // any 10-byte card is an employee card
        {body + "A1" + "20261231" + "0", "301"},  // first guest type listing the key
        {body + "B1" + "20261231" + "0", "302"},
        {body + "C1" + "20261231" + "0", ""},
        {"1234567890" "07" "105" "20261231" "0", "105"},
        {"4111111111111111=2512101", ""},  // a track with "=" carries no guest type
        {"6001331234567", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rules.GetCardGuestType(c.text), c.guestType) << c.text;
        EXPECT_EQ(rules.GetCardGuestType(withSentinels(c.text)), c.guestType) << c.text;
    }
}

// ---- the member's current card on the server ----------------------------------

struct CardCountCase {
    const char* name;
    TCardCountAnswer answer;
    std::int64_t cardCount;
    bool allowed;
    const char* message;  // nullptr: none
};

void PrintTo(const CardCountCase& c, std::ostream* os) { *os << c.name; }

class MemberCardCountTest : public CardRulesFixture, public ::testing::WithParamInterface<CardCountCase> {};

TEST_P(MemberCardCountTest, CurrentCardOnly)
{
    const CardCountCase& c = GetParam();
    std::vector<std::string> asked;
    rules.MemberCardCount = [&](const std::string& aMemberNo) {
        asked.push_back(aMemberNo);
        return c.answer;
    };
    EXPECT_EQ(rules.GetMemberCardCount("1234567890", c.cardCount), c.allowed);
    EXPECT_EQ(asked, std::vector<std::string>{"1234567890"});
    if (c.message == nullptr) {
        EXPECT_TRUE(dialogs.shown.empty());
    } else {
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text, c.message);
        EXPECT_EQ(dialogs.shown[0].kind, ScriptedDialogService::Kind::Err);
        EXPECT_TRUE(dialogs.shown[0].beep);
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, MemberCardCountTest, ::testing::Values(
    CardCountCase{"Current", {TCardCountState::Answered, 2}, 2, true, nullptr},
    CardCountCase{"Reissued", {TCardCountState::Answered, 3}, 2, false, kReissued},
    CardCountCase{"OwnerChanged", {TCardCountState::Answered, 1}, 2, false, kOwnerChanged},
    CardCountCase{"NoRow", {TCardCountState::Answered, 0}, 1, false, kOwnerChanged},
    CardCountCase{"OffLine", {TCardCountState::OffLine, 0}, 2, true, nullptr},
    // A statement that fails while on line is no answer: the card could be a
    // blocked one, so it is refused rather than waved through.
    CardCountCase{"FailedOnLine", {TCardCountState::Failed, 0}, 2, false, kCountUnknown}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CardRulesFixture, HouseSeriesAndMissingServerAreNotChecked)
{
    int asked = 0;
    EXPECT_TRUE(rules.GetMemberCardCount("9099999912", 5));  // no source installed: as off line
    rules.MemberCardCount = [&](const std::string&) {
        ++asked;
        return TCardCountAnswer{TCardCountState::Failed, 0};
    };
    EXPECT_TRUE(rules.GetMemberCardCount("9099999912", 5));
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(dialogs.shown.empty());
}

// ---- credit cards -----------------------------------------------------------

TEST_F(CardRulesFixture, CreditCardTracks)
{
    const struct {
        std::string track;
        bool ok;
        std::string cardNo, validThru;
    } cases[] = {
        {"41111111111110=2512101", true, "41111111111110", "2512"},      // 14 digits
        {"411111111111110=2512101", true, "411111111111110", "2512"},    // 15 digits
        {"4111111111111111=2512101123", true, "4111111111111111", "2512"},  // 16 digits
        {"4111111111111=2512101", false, "", ""},     // "=" at byte 14: 13 digits
        {"41111111111111111=2512101", false, "", ""},  // 17 digits
        {"4111111111111111=25", false, "", ""},       // expiry cut short
        {"4111111111111111=25AB", false, "", ""},
        {"41111111111X1111=2512101", false, "", ""},
        {"4111111111111111", false, "", ""},           // typed number, no track
        {"", false, "", ""},
    };
    for (const auto& c : cases) {
        for (const std::string& track : {c.track, withSentinels(c.track)}) {
            SCOPED_TRACE(track);
            dialogs.clear();
            std::string cardNo = "old", validThru = "old";
            EXPECT_EQ(rules.GetCreditCardInfo(track, cardNo, validThru, true), c.ok);
            if (c.ok) {
                EXPECT_EQ(cardNo, c.cardNo);
                EXPECT_EQ(validThru, c.validThru);
                EXPECT_TRUE(dialogs.shown.empty());
            } else {
                ASSERT_EQ(dialogs.shown.size(), 1u);
                EXPECT_EQ(dialogs.shown[0].text, kBadTrack);
                EXPECT_TRUE(dialogs.shown[0].beep);
            }
            dialogs.clear();
            rules.GetCreditCardInfo(track, cardNo, validThru, false);
            EXPECT_TRUE(dialogs.shown.empty());
        }
    }
}

TEST(CardNumberTest, CardNumberIsWhatStandsBeforeEquals)
{
    EXPECT_EQ(GetCreditCardNo("4111111111111111=2512101123"), "4111111111111111");
    EXPECT_EQ(GetCreditCardNo(";4111111111111111=2512101123?"), "4111111111111111");
    // Not a parsable track, but expiry and service code still stay out.
    EXPECT_EQ(GetCreditCardNo("4111111111111=25121011234"), "4111111111111");
    EXPECT_EQ(GetCreditCardNo("4111111111111111111=2512"), "4111111111111111111");
    // Typed numbers are taken as typed, up to the stored width.
    EXPECT_EQ(GetCreditCardNo("4111111111111111"), "4111111111111111");
    EXPECT_EQ(GetCreditCardNo("01012345678"), "01012345678");
    EXPECT_EQ(GetCreditCardNo("1234567890123456789012345"), "12345678901234567890");
    EXPECT_EQ(GetCreditCardNo(""), "");
}

// ---- printing ---------------------------------------------------------------

struct CardPrintCase {
    std::string cardNo;
    std::string plain;
    std::string masked;
};

void PrintTo(const CardPrintCase& c, std::ostream* os) { *os << c.cardNo.size() << " digits"; }

class CardToStringTest : public ::testing::TestWithParam<CardPrintCase> {};

TEST_P(CardToStringTest, GroupedAndMasked)
{
    const CardPrintCase& c = GetParam();
    EXPECT_EQ(CardToString(c.cardNo, false), c.plain);
    EXPECT_EQ(CardToString(c.cardNo, true), c.masked);
    // Whatever the length, a masked number can no longer be read back.
    std::string digits = c.masked;
    std::erase(digits, '-');
    EXPECT_NE(digits, c.cardNo);
    EXPECT_EQ(digits.size(), c.cardNo.size());
}

INSTANTIATE_TEST_SUITE_P(Lengths, CardToStringTest, ::testing::Values(
    CardPrintCase{"1234", "1234", "****"},
    CardPrintCase{"123456789012", "123456789012", "12345678****"},
    CardPrintCase{"1234567890123", "123456-789-0123", "123456-***-0123"},
    CardPrintCase{"12345678901234", "1234-567890-1234", "1234-567890-****"},
    CardPrintCase{"123456789012345", "1234-567890-12345", "1234-567890-*****"},
    CardPrintCase{"1234567890123456", "1234-5678-9012-3456", "1234-5678-9012-****"},
    CardPrintCase{"12345678901234567", "123456-7890123-4567", "123456-*******-4567"},
    CardPrintCase{"123456789012345678", "123456-78901234-5678", "123456-********-5678"},
    CardPrintCase{"1234567890123456789", "123456-789012345-6789", "123456-*********-6789"}));

TEST(CardToStringTest, EmptyStaysEmpty)
{
    EXPECT_EQ(CardToString("", true), "");
    EXPECT_EQ(CardToString("", false), "");
}

TEST(CashToStringTest, IdentityKinds)
{
    const struct {
        std::string text;
        std::string plain, masked;
    } cases[] = {
        {"01012345678", "휴대폰 : 010-1234-5678", "휴대폰 : 010-1234-****"},
        {"0161234567", "휴대폰 : 016-123-4567", "휴대폰 : 016-123-****"},
        {"8503151234566", "주민등록번호 : 850315-1234566", "주민등록번호 : 850315-1******"},
        {"1234567891", "사업자번호 : 123-45-67891", "사업자번호 : 123-45-*****"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CashToString(c.text, false), c.plain) << c.text;
        EXPECT_EQ(CashToString(c.text, true), c.masked) << c.text;
    }
    // A card is printed masked even when the caller asks for it plain.
    for (bool hide : {false, true}) {
        EXPECT_EQ(CashToString(";4111111111111111=2512101?", hide), "카드 : 4111-1111-1111-****");
        EXPECT_EQ(CashToString("123456789012", hide), "카드 : 12345678****");
        EXPECT_EQ(CashToString("1234567890123456789", hide), "카드 : 123456-*********-6789");
        // A track that is no credit-card track still prints only its number.
        EXPECT_EQ(CashToString("4111111111111=25121011234", hide), "카드 : 411111-***-1111");
        // Neither a mobile number nor a valid identity number: a card.
        EXPECT_EQ(CashToString("0201234567", hide), "카드 : 020123****");
        EXPECT_EQ(CashToString("8503151234567", hide), "카드 : 850315-***-4567");
        EXPECT_EQ(CashToString("0-01234567", hide), "카드 : 0-0123****");
    }
}

TEST(MaskForLogTest, OnlyPrefixAndLastFourSurvive)
{
    EXPECT_EQ(MaskForLog(";4111111111111111=2512101123?"), "411111******1111=**********");
    EXPECT_EQ(MaskForLog("1234567890123456789"), "123456*********6789");
    EXPECT_EQ(MaskForLog("4111-1111-1111-1111"), "4111-11**-****-1111");
    EXPECT_EQ(MaskForLog("8503151234566"), "8503151******");
    EXPECT_EQ(MaskForLog("850315-1234566"), "850315-1******");
    EXPECT_EQ(MaskForLog("01012345678"), "*******5678");
    EXPECT_EQ(MaskForLog("1234567"), "*******");
    EXPECT_EQ(MaskForLog(""), "");
}

TEST(MaskForLogTest, ATextKeepsShortNumbersAndMasksLongOnes)
{
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"duplicate card 9410123412341234 for bill 0012", "duplicate card 941012******1234 for bill 0012"},
        {"track 9410123412341234=2512101", "track 941012******1234=*******"},
        {"card 9410-1234-1234-1234 refused", "card 9410-12**-****-1234 refused"},
        {"resident 8506151234562", "resident 8506151******"},
        // Member, room and locker numbers are what the help desk needs.
        {"member 1012345600 room 01203 locker 0412", "member 1012345600 room 01203 locker 0412"},
        {"[42P01] relation \"member\" does not exist", "[42P01] relation \"member\" does not exist"},
    };
    for (const Case& c : cases) EXPECT_EQ(MaskNumbersForLog(c.text), c.expected) << c.text;
}

// ---- card companies ---------------------------------------------------------

TEST_F(CardRulesFixture, CardCompanyByLongestPrefix)
{
    addCardTables();
    const struct {
        std::string cardNo;
        TCardCompanyInfo info;
    } cases[] = {
        // 6-digit prefix beats the 4- and 1-digit ones; of two 6-digit
        // entries for 16-digit cards the first in list order wins.
        {"4111111111111111", {"02", "신한매입", "12", "신한", "00200"}},
        // The 6-digit entry for 15-digit cards is not this card's.
        {"4111121111111111", {"03", "기타", "13", "삼성", ""}},  // company 03 has no entry
        {"4211111111111111", {"01", "KB매입", "11", "국민", "00100"}},
        {"411111111111111", {"04", "기타", "14", "현대", ""}},
        // No prefix fits: the catch-all company and issuer.
        {"5111111111111111", {"999", "기타매입", "999", "기타발급", ""}},
        {"41111111111111", {"999", "기타매입", "999", "기타발급", ""}},
        {"", {"999", "기타매입", "999", "기타발급", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cardNo);
        const TCardCompanyInfo info = rules.GetCardCompanyInfo(c.cardNo);
        EXPECT_EQ(info.CompCode, c.info.CompCode);
        EXPECT_EQ(info.CompName, c.info.CompName);
        EXPECT_EQ(info.IssueCode, c.info.IssueCode);
        EXPECT_EQ(info.IssueName, c.info.IssueName);
        EXPECT_EQ(info.JoinNo, c.info.JoinNo);
    }
    EXPECT_TRUE(rules.CheckCardNo("12", "4111111111111111"));
    EXPECT_FALSE(rules.CheckCardNo("11", "4111111111111111"));
    EXPECT_TRUE(rules.CheckCardNo("999", "5111111111111111"));
}

// Off line only the outlet-group codes are loaded: no card tables at all.
TEST_F(CardRulesFixture, CardCompanyWithoutCardTables)
{
    addCommon(context.gsCommonSODGubunCode, "01", "리조트");
    const TCardCompanyInfo info = rules.GetCardCompanyInfo("4111111111111111");
    EXPECT_EQ(info.CompCode, "999");
    EXPECT_EQ(info.CompName, "기타");
    EXPECT_EQ(info.IssueCode, "999");
    EXPECT_EQ(info.IssueName, "기타");
    EXPECT_EQ(info.JoinNo, "");
}

// ---- member numbers ---------------------------------------------------------

TEST_F(CardRulesFixture, CheckMemberNoNormalisesOrComplains)
{
    const struct {
        std::string typed, memberNo;
    } cases[] = {
        {"123456", "1012345600"}, {"1234567", "0012345670"}, {"00123456", "0012345600"},
        {"12345678", "0012345678"}, {"1234567890", "1234567890"}, {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(rules.CheckMemberNo(c.typed, true), c.memberNo) << c.typed;
    EXPECT_TRUE(dialogs.shown.empty());

    for (const std::string typed : {"12345", "123456789", "12345678901"}) {
        dialogs.clear();
        EXPECT_EQ(rules.CheckMemberNo(typed, true), "") << typed;
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text, kBadMemberNo);
        EXPECT_TRUE(dialogs.shown[0].beep);
        dialogs.clear();
        EXPECT_EQ(rules.CheckMemberNo(typed, false), "");
        EXPECT_TRUE(dialogs.shown.empty());
    }
}

// ---- no number in full in any message -----------------------------------------

TEST_F(CardRulesFixture, NoFullNumberReachesAMessage)
{
    addCardTables();
    rules.MemberCardCount = [](const std::string&) { return TCardCountAnswer{TCardCountState::Failed, 0}; };
    const std::vector<std::string> secrets = {
        "4111111111111111", "411111111111110", "41111111111110", "4111111111111", "1234567890123456789",
        "8503151234566", "1307097123453",
    };
    const std::vector<std::string> inputs = {
        ";4111111111111111=2512101?", "4111111111111=2512101", "41111111111111111=2512101", "4111111111111111=25",
        "1234567890123456789", "8503151234566", "1307097123453", "8503151234" "02" "A1" "20260101" "0",
    };
    std::vector<std::string> texts;
    for (const std::string& input : inputs) {
        std::int64_t count = 0;
        std::string cardNo, validThru;
        rules.GetCardNumber(input, count);
        rules.GetCardGuestType(input);
        rules.GetCreditCardInfo(input, cardNo, validThru, true);
        rules.GetMemberCardCount(GetCreditCardNo(input), 1);
        rules.CheckMemberNo(input, true);
        texts.push_back(CashToString(input, true));
        texts.push_back(CardToString(GetCreditCardNo(input), true));
        texts.push_back(MaskForLog(input));
    }
    ASSERT_FALSE(dialogs.shown.empty());  // the failure paths did speak
    for (const std::string& message : messages()) texts.push_back(message);
    for (const std::string& text : texts) {
        std::string digits;
        for (char c : text)
            if (c >= '0' && c <= '9') digits += c;
        for (const std::string& secret : secrets) {
            EXPECT_EQ(text.find(secret), std::string::npos) << text;
            EXPECT_EQ(digits.find(secret), std::string::npos) << text;  // not even split by "-"
        }
    }
}

}  // namespace
}  // namespace pos
