// The ticket drivers as bytes: every expected byte here is written out by
// hand from the printers' command layouts (field places, fonts, formats), not
// taken from the drivers' own tables.

#include "ByteText.h"

#include "core/Codec.h"
#include "devices/BocaTickets.h"
#include "devices/LineTickets.h"
#include "devices/PageTickets.h"
#include "devices/TicketRules.h"

#include <gtest/gtest.h>

namespace pos {
namespace {

// The page-mode commands of a TSP800 job: what stands between ESC and LF NUL,
// in order; a stray byte outside a command fails the test.
std::vector<std::string> pageCommands(const std::string& aBytes)
{
    std::vector<std::string> out;
    std::size_t pos = 0;
    while (pos < aBytes.size()) {
        EXPECT_EQ(aBytes[pos], '\x1b') << "at byte " << pos;
        const std::size_t end = aBytes.find(std::string("\n\0", 2), pos);
        if (end == std::string::npos) {
            ADD_FAILURE() << "unended command at byte " << pos;
            break;
        }
        out.push_back(FromCp949(aBytes.substr(pos + 1, end - pos - 1)));
        pos = end + 2;
    }
    return out;
}

TTicketData job(TTicketType aType, std::initializer_list<std::pair<int, std::string>> aFields, std::string aBill = "")
{
    TTicketData t;
    t.TicketType = aType;
    t.Bill = std::move(aBill);
    for (const auto& [no, text] : aFields) t.Str(no) = text;
    return t;
}

TTicketEnv env()
{
    TTicketEnv e;
    e.saleDate = "20061105";
    e.today = "20061105";
    e.upjangCode = e.masterUpjangCode = "5001";
    e.upjangSkiCamp = "5097";
    e.upjangSkiSchool = "5004";
    e.firstOutletName = "솔바람 스키장";
    e.firstOutletEngName = "Solbaram Ski";
    e.masterUpjangName = "솔바람";
    e.ceoName = "김대표";
    e.ceoEngName = "Kim";
    return e;
}

// ---- TSP800 page mode --------------------------------------------------------

TEST(Tsp800PageTest, WholePageOfAReceipt)
{
    const TTicketData page = job(TTicketType::ttList, {{1, "영수증"}, {2, std::string(42, '=')}, {3, "합계 9,000"}},
                                 "2024-01-05 5001");
    const std::vector<std::string> expected = {
        "C",
        "D1980",
        "PC30;0200,0010,2,2,3,00,02",
        "PC31;0770,0240,1,1,3,00,02",
        "PC00;0140,0430,1,1,3,00,02",
        "PC01;0140,0485,1,1,3,00,02",
        "PC02;0140,0540,1,1,3,00,02",
        "PC03;0140,0595,1,1,3,00,02",
        "PC04;0140,0650,1,1,3,00,02",
        "PC05;0140,0705,1,1,3,00,02",
        "PC06;0140,0760,1,1,3,00,02",
        "PC07;0140,0815,1,1,3,00,02",
        "PC08;0140,0870,1,1,3,00,02",
        "PC09;0140,0925,1,1,3,00,02",
        "PC10;0140,0980,1,1,3,00,02",
        "PC11;0140,1035,1,1,3,00,02",
        "PC12;0140,1090,1,1,3,00,02",
        "PC13;0140,1145,1,1,3,00,02",
        "PC14;0140,1200,1,1,3,00,02",
        "PC15;0140,1255,1,1,3,00,02",
        "PC16;0140,1310,1,1,3,00,02",
        "PC17;0140,1365,1,1,3,00,02",
        "PC18;0140,1420,1,1,3,00,02",
        "PC19;0140,1475,1,1,3,00,02",
        "PC20;0140,1530,1,1,3,00,02",
        "PC21;0140,1585,1,1,3,00,02",
        "PC22;0140,1640,1,1,3,00,02",
        "PC23;0140,1695,1,1,3,00,02",
        "PC24;0140,1750,1,1,3,00,02",
        "PC25;0140,1805,1,1,3,00,02",
        "RC00;2024-01-05 5001",
        "RC30;       솔바람",  // centred in 20 columns
        "RC31;김대표",
        "RC01;영수증",
        "L02;0140,0550,0880,0550,0,6",  // 42 "=": a double rule 10 dots below the line
        "RC03;합계 9,000",
        "RC04;", "RC05;", "RC06;", "RC07;", "RC08;", "RC09;", "RC10;", "RC11;", "RC12;", "RC13;", "RC14;",
        "RC15;", "RC16;", "RC17;", "RC18;", "RC19;", "RC20;", "RC21;", "RC22;", "RC23;", "RC24;", "RC25;",
        "B",
        "I",
    };
    EXPECT_EQ(pageCommands(Tsp800PageBytes(page, env(), false, true, true)), expected);
    // The end of each command is LF NUL, byte for byte.
    EXPECT_EQ(test::ToHex(Tsp800PageBytes(page, env(), false, true, true).substr(0, 12)),
              "1B 43 0A 00 1B 44 31 39 38 30 0A 00");
}

struct PagePlaceCase {
    const char* name;
    bool first, last;
    std::int64_t margin;
    std::string line1, line2;
    const char* headerField;  // field 30's definition: its top is the offset
    const char* end;          // the print command
};

class Tsp800PlaceTest : public ::testing::TestWithParam<PagePlaceCase> {};

TEST_P(Tsp800PlaceTest, TopOffsetAndCut)
{
    const PagePlaceCase& c = GetParam();
    TTicketEnv e = env();
    e.tsp800TopMargin = c.margin;
    const auto commands = pageCommands(
        Tsp800PageBytes(job(TTicketType::ttList, {{1, c.line1}, {2, c.line2}}), e, false, c.first, c.last));
    ASSERT_GE(commands.size(), 4u);
    EXPECT_EQ(commands[2], c.headerField);
    EXPECT_EQ(commands[commands.size() - 2], c.end);
    EXPECT_EQ(commands.back(), "I");
}

INSTANTIATE_TEST_SUITE_P(
    Pages, Tsp800PlaceTest,
    ::testing::Values(
        PagePlaceCase{"first", true, false, 0, "줄", "줄", "PC30;0200,0010,2,2,3,00,02", "B@"},
        PagePlaceCase{"following", false, false, 0, "줄", "줄", "PC30;0200,0140,2,2,3,00,02", "B@"},
        PagePlaceCase{"margin", false, false, 3, "줄", "줄", "PC30;0200,0170,2,2,3,00,02", "B@"},
        PagePlaceCase{"cardSlip", false, false, 0, "[신용카드 승인전표]", "줄", "PC30;0200,0010,2,2,3,00,02", "B"},
        PagePlaceCase{"receiptStart", false, false, 0, "====", " 상 품 명         수량      단가      금액",
                      "PC30;0200,0010,2,2,3,00,02", "B@"},
        PagePlaceCase{"last", false, true, 0, "줄", "줄", "PC30;0200,0140,2,2,3,00,02", "B"}),
    [](const auto& aInfo) { return aInfo.param.name; });

TEST(Tsp800PageTest, EnglishNamesSampleAndSingleRule)
{
    TTicketEnv e = env();
    e.testMode = true;
    const TTicketData page = job(TTicketType::ttList, {{7, std::string(42, '-')}, {8, std::string(41, '-')}}, "B");
    const auto commands = pageCommands(Tsp800PageBytes(page, e, true, true, true));
    auto has = [&](const std::string& aCommand) {
        return std::find(commands.begin(), commands.end(), aCommand) != commands.end();
    };
    EXPECT_TRUE(has("RC30;    Solbaram Ski"));
    EXPECT_TRUE(has("RC31;Kim"));
    EXPECT_TRUE(has("L07;0140,0825,0880,0825,0,2"));
    EXPECT_TRUE(has("RC08;" + std::string(41, '-')));  // not a rule: printed as it is
    ASSERT_GE(commands.size(), 4u);
    EXPECT_EQ(commands[commands.size() - 4], "PC32;0350,1010,4,4,3,00,02");
    EXPECT_EQ(commands[commands.size() - 3], "RC32;SAMPLE");
}

// ---- Boca and Flotec ---------------------------------------------------------

TEST(BocaTicketTest, LiftPassOnABoca)
{
    const TTicketData lift = job(TTicketType::ttLift,
                                 {{1, "리프트"}, {2, "3일권"}, {3, "20061105"}, {4, "대인(성인)"}, {6, "0원"}, {13, "A1"}},
                                 "12345");
    const TBocaJob out = BocaJobBytes(lift, env(), true, true);
    ASSERT_FALSE(out.passOver);
    EXPECT_EQ(FromCp949(out.bytes), "<CB>"
                                    "<RL><RC510,145><HW5,4><F1>2006/2007"
                                    "<RL><RC250,140><HW2,2><SF1>리프트"
                                    "<RL><RC540,370><HW2,1><SF1>-사용기간-"
                                    "<RL><RC540,420><HW2,1><SF1>(05일-07일)"
                                    "<RL><RC420,195><HW2,3><SF1>3일대     "
                                    "<RL><RC520,280><HW3,3><SF1>11"
                                    "<RL><RC360,270><HW3,3><F12>05"
                                    "<RL><RC500,490><HW2,2><SF1>대인"
                                    "<RL><RC410,255><HW1,1><SF1>"
                                    "<RL><RC550,545><HW1,1><SF1> "
                                    "<RL><RC540,115><HW1,1><SF1>"
                                    "<RL><RC230,580><HW1,1><SF1>"
                                    "<RL><RC510,190><HW2,2><F6>A1"
                                    "<RL><RC520,580><HW2,1><F2>12345"
                                    "<RL><RC750,670><HW1,1><SF1><NL7><X2>*200611059001*"
                                    "<p>");
    // Korean text goes as CP949: "리" is B8 AE.
    EXPECT_NE(out.bytes.find("\xb8\xae"), std::string::npos);
}

TEST(BocaTicketTest, LiftPassOnAFlotecBetweenTickets)
{
    const TTicketData lift = job(TTicketType::ttLift,
                                 {{1, "리프트"}, {2, "3일권"}, {3, "20061105"}, {4, "대인(성인)"}, {6, "0원"}, {13, "A1"}},
                                 "12345");
    EXPECT_EQ(FromCp949(BocaJobBytes(lift, env(), false, false).bytes),
              "<CB>"
              "<RL><RC270,50><HW2,2><F2>2006/2007"
              "<RL><RC220,140><HW2,2><F3>리프트"
              "<RL><RC510,370><HW2,1><F3>-사용기간-"
              "<RL><RC510,420><HW2,1><F3>(05일-07일)"
              "<RL><RC390,195><HW2,3><F3>3일대     "
              "<RR><RC300,850><HW5,3><F9>11"
              "<RR><RC150,880><HW7,8><F3>05"
              "<RL><RC470,490><HW2,2><F3>대인"
              "<RL><RC380,255><HW1,1><F3>"
              "<RL><RC520,545><HW1,1><F3> "
              "<RL><RC510,115><HW1,1><F3>"
              "<RL><RC200,580><HW1,1><F3>"
              "<RR><RC30,980><HW3,3><F3>A1"
              "<RL><RC490,580><HW2,1><F2>12345"
              "<RL><RC720,670><HW1,1><F3><NL7><X2>*200611059001*"
              "<q>");
}

// The fields of aBytes contain aFields in this order.
void expectFieldsInOrder(const std::string& aBytes, const std::vector<std::string>& aFields)
{
    const std::string text = FromCp949(aBytes);
    std::size_t pos = 0;
    for (const std::string& f : aFields) {
        const std::size_t hit = text.find(f, pos);
        ASSERT_NE(hit, std::string::npos) << f << "\nin " << text;
        pos = hit + f.size();
    }
}

TEST(BocaTicketTest, MemberLiftPassHasNoPeriodAndMarksTheBarCode)
{
    TTicketEnv e = env();
    e.testMode = e.preSale = true;
    const TTicketData lift = job(TTicketType::ttLift,
                                 {{1, "리프트"}, {2, "3일권"}, {3, "20061105"}, {4, "소인"}, {10, "Y"}, {15, "2"}}, "1");
    const std::string bytes = BocaJobBytes(lift, e, true, true).bytes;
    EXPECT_EQ(FromCp949(bytes).find("사용기간"), std::string::npos);
    expectFieldsInOrder(bytes, {"<RL><RC420,195><HW2,3><SF1>회원3일소 ", "<RL><RC230,530><HW2,2><SF1>2권",
                                "<RL><RC530,340><HW3,4><SF1>SAMPLE", "<RL><RC520,390><HW2,2><SF1>(예매)",
                                "<SF1><NL7><X2>*200611059000*<p>"});
}

TEST(BocaTicketTest, KindCodesOfTheBarCode)
{
    EXPECT_EQ(LiftKindCode("새벽권"), "11");
    EXPECT_EQ(LiftKindCode("종일권"), "33");
    EXPECT_EQ(LiftKindCode("새주권"), "50");
    EXPECT_EQ(LiftKindCode("3일권"), "90");
}

TEST(BocaTicketTest, RentalTicket)
{
    const TTicketData rental =
        job(TTicketType::ttRental,
            {{1, "렌탈"}, {2, "3일권"}, {3, "20061105"}, {4, "대인"}, {14, "3"}, {15, "2"}, {6, "30,000원"}}, "77");
    TTicketEnv e = env();
    e.preSale = true;
    expectFieldsInOrder(BocaJobBytes(rental, e, true, false).bytes,
                        {"<CB><RL><RC480,140><HW5,4><F1>2006/2007", "<RL><RC445,420><HW2,1><SF1>(사용기간 :",
                         "<RL><RC270,420><HW2,1><SF1>05일-07일)", "<RL><RC200,130><HW2,2><SF1>렌탈",
                         "<RL><RC380,190><HW2,3><SF1>3일권", "<RL><RC520,250><HW2,1><SF1>신 장 :",
                         "<RL><RC250,250><HW2,1><SF1>발크기 :", "<RL><RC520,310><HW2,1><SF1>폴크기 :",
                         "<RL><RC520,370><HW2,1><SF1>신분증번호 :", "<RL><RC450,490><HW1,1><F6>2006.11.05-07",
                         "<RL><RC470,540><HW2,2><SF1>대인", "<RL><RC180,630><HW1,1><SF1>30,000원",
                         "<RL><RC230,570><HW3,2><SF1>2권", "<RL><RC510,630><HW2,1><F2>77",
                         "<RL><RC410,420><HW2,2><SF1>예  매<q>"});
    // One person: the date alone, a little higher; the Flotec's own places.
    TTicketData single = rental;
    single.Str(15).clear();
    expectFieldsInOrder(BocaJobBytes(single, env(), true, true).bytes, {"<RL><RC450,480><HW1,1><F6>2006.11.05<"});
    expectFieldsInOrder(BocaJobBytes(rental, env(), false, true).bytes,
                        {"<RR><RC530,100><HW2,2><F3>2006/2007", "<RR><RC500,460><HW2,3><F5>2006.11.05-07",
                         "<RR><RC500,520><HW1,2><F3>대인"});
}

TEST(BocaTicketTest, EtcTicket)
{
    const TTicketData etc = job(TTicketType::ttEtc, {{1, "눈썰매"}, {3, "20061105"}, {4, "대인"}, {10, "Y"}}, "9");
    const std::string boca = BocaJobBytes(etc, env(), true, true).bytes;
    expectFieldsInOrder(boca, {"<RL><RC510,160><HW5,4><F1>2006/2007", "<RL><RC250,155><HW2,2><SF1>눈썰매",
                               "<RL><RC400,230><HW3,3><SF1>회원이용권", "<RL><RC420,330><HW3,3><SF1>11.05",
                               "<RL><RC470,490><HW2,2><SF1>대인", "<RL><RC500,610><HW2,1><F2>9<p>"});
    // A kind with a period: only a Boca prints it on this ticket.
    TTicketData twoDays = etc;
    twoDays.Str(2) = "2일권";
    EXPECT_NE(FromCp949(BocaJobBytes(twoDays, env(), true, true).bytes).find("<SF1>05일-06일)"), std::string::npos);
    const std::string flotec = BocaJobBytes(twoDays, env(), false, true).bytes;
    EXPECT_EQ(FromCp949(flotec).find("사용기간"), std::string::npos);
    expectFieldsInOrder(flotec, {"<RL><RC440,160><HW5,4><F1>2006/2007", "<RL><RC130,160><HW2,2><F3>눈썰매",
                                 "<RL><RC340,210><HW3,3><F3>회원2일권", "<RL><RC25,200><HW1,1><F3>11.05",
                                 "<RL><RC400,450><HW2,2><F3>대인"});
}

TEST(BocaTicketTest, MiniTicketWithItsStub)
{
    const TTicketData mini = job(TTicketType::ttMini,
                                 {{1, "눈썰매"}, {2, "자유이용권"}, {3, "20240105"}, {4, "소인"}, {6, "20,000원"},
                                  {10, "Y"}, {15, "2"}},
                                 "123456789012345678901234567");
    // Not the last job, and still cut: a mini ticket always is.
    EXPECT_EQ(FromCp949(BocaJobBytes(mini, env(), true, false).bytes),
              "<CB>"
              "<NR><RC10,100><HW3,4><SF1>눈썰매"
              "<NR><RC10,700><HW2,2><SF1>눈썰매"
              "<NR><RC110,260><HW2,1><SF1>회원자유이용권"
              "<NR><RC110,815><HW2,1><SF1>회원자유이용권"
              "<NR><RC175,100><HW2,1><SF1>소인"
              "<NR><RC155,750><HW2,1><SF1>소인"
              "<NR><RC240,100><HW1,1><SF1>인원 2명"
              "<NR><RC200,750><HW1,1><SF1>인원 2명"
              "<NR><RC200,350><HW1,1><SF1>단가:   10,000원"
              "<NR><RC240,750><HW1,1><SF1>단가:   10,000원"
              "<NR><RC240,350><HW1,1><SF1>금액:   20,000원"
              "<NR><RC280,750><HW1,1><SF1>금액:   20,000원"
              "<NR><RC310,80><HW1,1><F2>123456789012345678901234567"
              "<NR><RC320,750><HW1,1><F2>1234567890"
              "<NR><RC340,750><HW1,1><F2>12345678901234"
              "<p>");
    expectFieldsInOrder(BocaJobBytes(mini, env(), false, false).bytes,
                        {"<NR><RC0,80><HW3,4><F3>눈썰매", "<NR><RC0,700><HW2,2><F3>눈썰매",
                         "<NR><RC40,140><HW3,3><F9>01.05", "<NR><RC40,730><HW2,2><F9>01.05",
                         "<NR><RC105,190><HW2,1><F3>회원자유이용권", "<NR><RC95,745><HW2,1><F3>회원자유이용권",
                         "<NR><RC165,80>", "<NR><RC135,680>", "<NR><RC230,80>", "<NR><RC180,680>",
                         "<NR><RC190,380>", "<NR><RC220,680>", "<NR><RC230,380>", "<NR><RC260,680>",
                         "<NR><RC290,30>", "<NR><RC300,680>", "<NR><RC320,680><HW1,1><F2>12345678901234<p>"});
}

TEST(BocaTicketTest, ListPage)
{
    TTicketData page = job(TTicketType::ttList, {{1, "첫 줄"}, {2, "둘째 줄"}, {25, "끝 줄"}}, "2024 01 05");
    const std::string boca = FromCp949(BocaJobBytes(page, env(), true, false).bytes);
    std::string expected = "<CB><RR><RC500,1320><HW1,1><F2>2024_01_05<RL><RC500,670><HW1,1><SF1>끝_줄";
    for (int column = 645; column >= 120; column -= 25)
        expected += "<RL><RC500," + std::to_string(column) + "><HW1,1><SF1>";
    expected += "<RL><RC500,95><HW1,1><SF1>둘째_줄<RL><RC500,70><HW1,1><SF1>첫_줄<p>";
    EXPECT_EQ(boca, expected);

    // A Flotec prints pages only at the ski school; elsewhere it feeds.
    EXPECT_EQ(BocaJobBytes(page, env(), false, false).bytes, "<CB><p>");
    TTicketEnv school = env();
    school.masterUpjangCode = "5004";
    school.testMode = true;
    expectFieldsInOrder(BocaJobBytes(page, school, false, false).bytes,
                        {"<RR><RC470,1320><HW1,1><F2>2024 01 05", "<RL><RC470,670><HW1,1><F3>끝 줄",
                         "<RL><RC470,70><HW1,1><F3>첫 줄", "<RR><RC40,900><HW4,3><F3>SAMPLE<p>"});
}

TEST(BocaTicketTest, TicketsWithoutDayOrGuestClassArePassedOver)
{
    EXPECT_TRUE(BocaJobBytes(job(TTicketType::ttRental, {{1, "렌탈"}}), env(), true, true).passOver);
    EXPECT_TRUE(BocaJobBytes(job(TTicketType::ttLift, {{3, "20061105"}, {4, "(단체)"}}), env(), true, true).passOver);
    EXPECT_FALSE(BocaJobBytes(job(TTicketType::ttEtc, {{3, "20061105"}}), env(), true, true).passOver);
}

TEST(BocaTicketTest, AmountIsEmptyAtTheSkiCamp)
{
    TTicketEnv camp = env();
    camp.upjangCode = "5097";
    const TTicketData etc = job(TTicketType::ttEtc, {{3, "20061105"}, {6, "30,000원"}});
    EXPECT_NE(FromCp949(BocaJobBytes(etc, env(), true, true).bytes).find("<RC220,610><HW1,1><SF1>30,000원"),
              std::string::npos);
    EXPECT_NE(FromCp949(BocaJobBytes(etc, camp, true, true).bytes).find("<RC220,610><HW1,1><SF1><"), std::string::npos);
}

struct FieldCase {
    TBocaField field;
    bool boca;
    std::int64_t margin;
    const char* bytes;
};

class BocaFieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(BocaFieldTest, FieldCommand)
{
    const FieldCase& c = GetParam();
    EXPECT_EQ(FromCp949(FormatBoca(c.field, c.boca, c.margin)), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, BocaFieldTest,
    ::testing::Values(FieldCase{{10, 145, 0, -1, 1, 2, "가"}, true, 0, "<NR><RC10,145><HW1,2><SF1>가"},
                      FieldCase{{10, 145, 90, -2, 1, 1, "가"}, false, 0, "<RR><RC0,145><HW1,1><F3>가"},
                      FieldCase{{40, 145, 180, 2, 1, 1, "1"}, false, 0, "<RU><RC10,145><HW1,1><F2>1"},
                      FieldCase{{10, 145, 270, 6, 2, 2, "x"}, true, 2, "<RL><RC10,125><HW2,2><F6>x"},
                      FieldCase{{10, 15, 270, 6, 2, 2, "x"}, true, 2, "<RL><RC10,0><HW2,2><F6>x"}));

// ---- rules shared by the layouts ---------------------------------------------

TEST(TicketRulesTest, SeasonOfTheDay)
{
    EXPECT_EQ(SeasonText("20061105"), "2006/2007");
    EXPECT_EQ(SeasonText("20070205"), "2006/2007");
    EXPECT_EQ(SeasonText("20070930"), "2006/2007");
    EXPECT_EQ(SeasonText("20071001"), "2007/2008");
}

TEST(TicketRulesTest, PeriodOfValidity)
{
    struct Case {
        const char* kind;
        const char* saleDate;
        const char* first;  // nullptr: no period
        const char* last;
    };
    for (const Case& c : {Case{"3일권", "20240130", "30", "01"}, Case{"30일권", "20240101", "01", "30"},
                          Case{"2일권", "20240228", "28", "29"}, Case{"7일권", "20241226", "26", "01"},
                          Case{"5", "20240101", "01", "05"}, Case{"1일권", "20240101", nullptr, nullptr},
                          Case{"종일권", "20240101", nullptr, nullptr}, Case{"6일권", "20240101", nullptr, nullptr}}) {
        SCOPED_TRACE(c.kind);
        const auto period = ValidityPeriod(c.kind, c.saleDate);
        ASSERT_EQ(period.has_value(), c.first != nullptr);
        if (!period) continue;
        EXPECT_EQ(period->first, c.first);
        EXPECT_EQ(period->last, c.last);
    }
    EXPECT_EQ(LastDayText("20240130", "3"), "-01");
    EXPECT_EQ(LastDayText("20240130", "1"), "");
    EXPECT_EQ(LastDayText("20240130", ""), "");
}

TEST(TicketRulesTest, WhichPrinterPrintsWhat)
{
    using enum TTicketType;
    using R = TTicketRoute;
    EXPECT_EQ(RouteTicket(1, TPrinterType::ptTSP800, ttList), R::Print);
    EXPECT_EQ(RouteTicket(1, TPrinterType::ptTSP800, ttLift), R::CannotPrint);
    EXPECT_EQ(RouteTicket(1, TPrinterType::ptBoca, ttMini), R::Print);
    EXPECT_EQ(RouteTicket(1, TPrinterType::ptFlotec, ttBig3), R::CannotPrint);
    EXPECT_EQ(RouteTicket(1, TPrinterType::ptTSP700, ttEvent), R::Print);
    EXPECT_EQ(RouteTicket(1, TPrinterType::ptTSP700, ttFnB), R::CannotPrint);
    EXPECT_EQ(RouteTicket(2, TPrinterType::ptTSP600, ttRental), R::Print);
    EXPECT_EQ(RouteTicket(2, TPrinterType::ptTSP600, ttLift), R::LeaveForOtherPrinter);
    EXPECT_EQ(RouteTicket(2, TPrinterType::ptTSP700, ttList), R::Print);
    EXPECT_EQ(RouteTicket(2, TPrinterType::ptTSP700, ttFnB), R::LeaveForOtherPrinter);
}

// ---- line-mode tickets ---------------------------------------------------------

TTicketData liftTicket()
{
    return job(TTicketType::ttLift,
               {{1, "스키리프트"}, {2, "종일권"}, {3, "20240105"}, {4, "대인(성인)"}, {6, "50,000원"}, {10, "Y"},
                {11, "1234"}, {12, "홍길동"}, {14, "3"}},
               "0105123450010100120001");
}

TEST(LineTicketTest, SingleTicketWithItsStub)
{
    const auto texts = LineTicketTexts(1, TPrinterType::ptTSP700, liftTicket(), env());
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], "{Z}     스키리프트{S}\r"
                        " {3}   01.05-07{S}\r"
                        "{Z}     회원종일권{S}\r"
                        "{Z}        대인{S}\r"
                        "{Z}인원 1명      50,000원{S}\r"
                        "1234 홍길동\r"
                        "0105123450010100120001\r"
                        "\r"
                        "{X}     스키리프트{S}\r"
                        "{X}      01.05-07{S}\r"
                        "{X}     회원종일권{S}\r"
                        "{X}        대인{S}\r"
                        "{X}인원 1명      50,000원{S}\r"
                        "1234 홍길동\r"
                        "0105123450010100120001\r");
    EXPECT_FALSE(LineTicketCutsAtOnce(1, TPrinterType::ptTSP700));
    EXPECT_TRUE(LineTicketCutsAtOnce(2, TPrinterType::ptTSP600));
}

TEST(LineTicketTest, OneDayTicketInTestMode)
{
    TTicketData t = liftTicket();
    t.Str(14) = "1";
    t.Str(15) = "3";
    TTicketEnv e = env();
    e.testMode = true;
    const std::string text = LineTicketTexts(1, TPrinterType::ptTSP700, t, e)[0];
    EXPECT_TRUE(text.starts_with("{Z}       SAMPLE{S}\r {3}    01.05{S}\r"));
    EXPECT_NE(text.find("{Z}인원 3명      50,000원{S}\r"), std::string::npos);
    EXPECT_NE(text.find("{X}        01.05{S}\r"), std::string::npos);
}

TEST(LineTicketTest, CouponTicketTakesItsLinesFromTheTable)
{
    TTicketData t = liftTicket();
    t.TicketType = TTicketType::ttBig3;
    t.Str(7) = "50300007";
    const auto texts = LineTicketTexts(1, TPrinterType::ptTSP700, t, env());
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_TRUE(texts[0].starts_with("{Z}        대인{S}\r"
                                     " {3}   01.05-07{S}\r"
                                     "{X}  [ ] 물썰매{S}\r"
                                     "{X}  [ ] 바이킹{S}\r"
                                     "{X}  [ ] 미니골프{S}\r"
                                     "{X}  [ ] 후룸라이드{S}\r"
                                     "{X}  [ ] 회전목마{S}\r"
                                     "{X}인원 1명      50,000원{S}\r"))
        << texts[0];
    // A code the table does not know: the outlet name, then the caller's lines.
    t.Str(7) = "12345678";
    t.Str(22) = "  [ ] 직접 적은 줄";
    const std::string other = LineTicketTexts(1, TPrinterType::ptTSP700, t, env())[0];
    EXPECT_NE(other.find("{X}솔바람 스키장{S}\r{X}  [ ] 직접 적은 줄{S}\r{X}{S}\r"), std::string::npos) << other;
}

TEST(LineTicketTest, PackageOfTwoTickets)
{
    TTicketData t = liftTicket();
    t.TicketType = TTicketType::ttEvent;
    t.Str(7) = "50300270";
    const auto texts = LineTicketTexts(1, TPrinterType::ptTSP700, t, env());
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_NE(texts[0].find("{X}  [ ] 관광곤도라{S}\r{X}  [ ] 후룸라이드{S}\r{X}  [ ] 미니골프{S}\r"
                            "{X}  [ ] 회전목마{S}\r{X}  [ ] 바이킹{S}\r{X}  [ ] 물썰매{S}\r"
                            "{X}인원 1명      50,000원{S}\r"),
              std::string::npos)
        << texts[0];
    // The second ticket is the meal, without an amount.
    EXPECT_NE(texts[1].find(" {3}   01.05-07{S}\r{X}        {S}\r{X}        {S}\r{X}  식사 이용권  {S}\r"
                            "{X}        {S}\r{X}        {S}\r{X}인원 1명              {S}\r"),
              std::string::npos)
        << texts[1];
    EXPECT_EQ(texts[1].find("50,000원"), std::string::npos);
}

TEST(LineTicketTest, RentalTicketOnPrinterTwo)
{
    TTicketData t = liftTicket();
    t.TicketType = TTicketType::ttRental;
    t.Str(1) = "렌탈";
    t.Str(5) = "스키 세트 대여 (부츠 포함)";
    t.Str(11).clear();
    TTicketEnv e = env();
    e.preSale = e.testMode = true;
    const auto texts = LineTicketTexts(2, TPrinterType::ptTSP600, t, e);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], "{Z}렌탈 [SAMPLE] (예매){S}\r"
                        "{Z}    2024.01.05-07{S}\r"
                        "{Z}    종일권 (회원){S}\r"
                        "{Z}        대인{S}\r"
                        "\r"
                        "{Y}   신 장 (키) :\r"
                        "{Y}   발  크  기 :\r"
                        "{Y}   폴  크  기 :\r"
                        "{Y}   신분증번호 :\r"
                        "\r"
                        "{X}인원 1명      50,000원{S}\r"
                        "스키 세트 대\r"
                        "0105123450010100120001\r");
    // Kinds it does not take stay for printer 1.
    EXPECT_TRUE(LineTicketTexts(2, TPrinterType::ptTSP600, liftTicket(), e).empty());
}

TEST(LineTicketTest, ListPages)
{
    TTicketData page = job(TTicketType::ttList, {{1, "[신용카드 취소전표] (회사용)"}, {2, " 식별번호 : 주민"}, {3, " 0101 "}});
    EXPECT_EQ(LineTicketTexts(1, TPrinterType::ptTSP700, page, env())[0],
              "{Z}신용카드 취소전표{S}(회사용)\r 식별번호 : 주민\r 0101 \r" + std::string(17, '\r'));
    EXPECT_TRUE(LineTicketTexts(2, TPrinterType::ptTSP700, page, env())[0].starts_with(
        "{Z}신용카드 취소전표{S}(회사용)\r 식별번호 : 주민\r{X}        0101{S}\r"));

    TTicketData close = job(TTicketType::ttList, {{1, "  캐셔 마감  "}, {23, "23번째 줄"}});
    TTicketEnv e = env();
    e.testMode = true;
    const std::string text = LineTicketTexts(1, TPrinterType::ptTSP700, close, e)[0];
    EXPECT_TRUE(text.starts_with("{Z}      캐셔 마감{S}\r{Z}       SAMPLE{S}\r\r")) << text;
    // A page of more than 20 lines keeps them.
    EXPECT_TRUE(text.ends_with("\r23번째 줄\r"));
}

}  // namespace
}  // namespace pos
