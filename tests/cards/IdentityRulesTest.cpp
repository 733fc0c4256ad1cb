#include "cards/IdentityRules.h"

#include <gtest/gtest.h>

#include <string>

namespace pos {
namespace {

TEST(IdentityRulesTest, ResidentNumberCheckDigit)
{
    EXPECT_TRUE(CheckIDNo("8503151234566"));
    EXPECT_TRUE(CheckIDNo("1307097123453"));  // foreigner born in the 2000s
    EXPECT_FALSE(CheckIDNo("8503151234567"));  // last digit off by one
    EXPECT_FALSE(CheckIDNo("8503151234"));      // 10 digits
    EXPECT_FALSE(CheckIDNo("85031512345660"));  // 14 digits
    EXPECT_FALSE(CheckIDNo("850315-1234566"));  // as typed with a hyphen: not 13 bytes
    EXPECT_FALSE(CheckIDNo("85031512345A6"));
    EXPECT_FALSE(CheckIDNo(""));
}

struct AgeCase {
    const char* idNo;
    const char* today;
    int age;
};

void PrintTo(const AgeCase& c, std::ostream* os) { *os << "GetAge(" << c.idNo << ") on " << c.today; }

class AgeTest : public ::testing::TestWithParam<AgeCase> {};

TEST_P(AgeTest, WholeYearsOnTheGivenDay)
{
    EXPECT_EQ(GetAge(GetParam().idNo, GetParam().today), GetParam().age);
}

INSTANTIATE_TEST_SUITE_P(EverySeventhDigit, AgeTest, ::testing::Values(
    AgeCase{"9901019123456", "20260315", 127},  // 9: 1899
    AgeCase{"9901010123451", "20260315", 127},  // 0: 1899
    AgeCase{"8503151234566", "20260315", 41},   // 1: 1985, on the birthday
    AgeCase{"8503152234569", "20260314", 40},   // 2: 1985, the day before
    AgeCase{"1307093123452", "20260315", 12},   // 3: 2013
    AgeCase{"1307094123455", "20260315", 12},   // 4: 2013
    AgeCase{"8503155123458", "20260315", 41},   // 5: foreigner, 1985
    AgeCase{"8503156123451", "20260315", 41},   // 6: foreigner, 1985
    AgeCase{"1307097123453", "20260315", 12},   // 7: foreigner, 2013
    AgeCase{"1307098123456", "20260315", 12}));  // 8: foreigner, 2013

// Child and adult prices part at 13: the day before the 13th birthday is 12,
// although more than 13 x 365 days have passed by then.
INSTANTIATE_TEST_SUITE_P(ThirteenthBirthday, AgeTest, ::testing::Values(
    AgeCase{"1307093123452", "20260708", 12},
    AgeCase{"1307093123452", "20260709", 13},
    AgeCase{"1307093123452", "20260710", 13},
    AgeCase{"1307093123452", "20251231", 12},
    AgeCase{"1307093123452", "20270708", 13}));

INSTANTIATE_TEST_SUITE_P(BadInput, AgeTest, ::testing::Values(
    AgeCase{"850315-1234566", "20260315", 41},  // the hyphen is dropped
    AgeCase{"850315123456", "20260315", 0},     // 12 digits
    AgeCase{"8513151234566", "20260315", 0},    // month 13
    AgeCase{"2701013123456", "20260315", 0},    // born after today
    AgeCase{"850315A234566", "20260315", 0},    // no century digit
    AgeCase{"8503151234566", "2026031", 0},     // no today
    AgeCase{"", "20260315", 0}));

TEST(IdentityRulesTest, BusinessNumberCheckDigit)
{
    EXPECT_TRUE(CheckSaupNo("1234567891"));
    EXPECT_TRUE(CheckSaupNo("2208112341"));
    EXPECT_FALSE(CheckSaupNo("1234567890"));
    EXPECT_FALSE(CheckSaupNo("123-45-67891"));
    EXPECT_FALSE(CheckSaupNo("123456789"));
}

TEST(IdentityRulesTest, MemberNumberLengths)
{
    EXPECT_EQ(NormaliseMemberNo("123456"), "1012345600");
    EXPECT_EQ(NormaliseMemberNo("1234567"), "0012345670");
    EXPECT_EQ(NormaliseMemberNo("00123456"), "0012345600");
    EXPECT_EQ(NormaliseMemberNo("12345678"), "0012345678");
    EXPECT_EQ(NormaliseMemberNo("1234567890"), "1234567890");
    EXPECT_EQ(NormaliseMemberNo("12-3456"), "1012345600");  // signs are dropped before counting
    EXPECT_EQ(NormaliseMemberNo(""), "");
    EXPECT_EQ(NormaliseMemberNo("12345"), std::nullopt);
    EXPECT_EQ(NormaliseMemberNo("123456789"), std::nullopt);
    EXPECT_EQ(NormaliseMemberNo("12345678901"), std::nullopt);
}

TEST(IdentityRulesTest, BarCodeAppendsOrRebuildsTheCheckDigit)
{
    EXPECT_EQ(BarCode("400638133393"), "4006381333931");   // EAN-13 body
    EXPECT_EQ(BarCode("9638507"), "96385074");             // EAN-8 body
    EXPECT_EQ(BarCode("4006381333930"), "4006381333931");  // a built code gets a fresh check digit
    EXPECT_EQ(BarCode("96385070"), "96385074");
    EXPECT_EQ(BarCode("4006381-333931"), "4006381333931");
    // The scale label's article code: first 7 digits and a zeroed price.
    EXPECT_EQ(BarCode(std::string("2112345012345").substr(0, 7) + "000000"), "2112345000008");
    EXPECT_EQ(BarCode("123456"), "");
    EXPECT_EQ(BarCode("123456789"), "");
    EXPECT_EQ(BarCode("40063813339A"), "");  // letters make no EAN code
    EXPECT_EQ(BarCode(""), "");
}

TEST(IdentityRulesTest, ScannedCodesAreCheckedNotRepaired)
{
    EXPECT_TRUE(CheckBarCode("4006381333931"));
    EXPECT_TRUE(CheckBarCode("96385074"));
    EXPECT_TRUE(CheckBarCode("8801234567893"));
    EXPECT_FALSE(CheckBarCode("4006381333932"));
    EXPECT_FALSE(CheckBarCode("96385075"));
    EXPECT_FALSE(CheckBarCode("400638133393"));  // no check digit
    EXPECT_FALSE(CheckBarCode("400638133393A"));
}

}  // namespace
}  // namespace pos
