#include "core/Currency.h"

#include <gtest/gtest.h>

namespace pos {
namespace {

Currency C(const char* text) { return Currency::parse(text).value(); }

struct RoundCase {
    const char* fn;
    const char* amount;
    int unit;
    const char* expected;
};

void PrintTo(const RoundCase& c, std::ostream* os) { *os << c.fn << "(" << c.amount << ", " << c.unit << ")"; }

class RoundingTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundingTest, MatchesTheTerminalRules)
{
    const RoundCase& c = GetParam();
    const std::string fn = c.fn;
    Currency got = fn == "Round" ? RoundNumber(C(c.amount), c.unit)
                 : fn == "Trunc" ? TruncNumber(C(c.amount), c.unit)
                                 : RaiseNumber(C(c.amount), c.unit);
    EXPECT_EQ(got, C(c.expected)) << fn << "(" << c.amount << ", " << c.unit << ") gave " << got.toText();
}

INSTANTIATE_TEST_SUITE_P(Cases, RoundingTest, ::testing::Values(
    // Halves go away from zero.
    RoundCase{"Round", "15", 10, "20"}, RoundCase{"Round", "-15", 10, "-20"},
    RoundCase{"Round", "14", 10, "10"}, RoundCase{"Round", "-14", 10, "-10"},
    RoundCase{"Round", "1249", 500, "1000"}, RoundCase{"Round", "1250", 500, "1500"},
    RoundCase{"Round", "-1250", 500, "-1500"}, RoundCase{"Round", "7499", 5000, "5000"},
    RoundCase{"Round", "7500", 5000, "10000"}, RoundCase{"Round", "0.5", 1, "1"},
    RoundCase{"Round", "-0.5", 1, "-1"}, RoundCase{"Round", "1100.4999", 1, "1100"},
    // Toward zero.
    RoundCase{"Trunc", "19", 10, "10"}, RoundCase{"Trunc", "-19", 10, "-10"},
    RoundCase{"Trunc", "4999", 5000, "0"}, RoundCase{"Trunc", "-1499", 500, "-1000"},
    RoundCase{"Trunc", "12.9999", 1, "12"},
    // One unit away from zero, except 500 and 5000 which go up only from the half.
    RoundCase{"Raise", "11", 10, "20"}, RoundCase{"Raise", "-11", 10, "-20"},
    RoundCase{"Raise", "20", 10, "20"}, RoundCase{"Raise", "-20", 10, "-20"},
    RoundCase{"Raise", "1200", 500, "1000"}, RoundCase{"Raise", "1250", 500, "1500"},
    RoundCase{"Raise", "1249", 500, "1000"}, RoundCase{"Raise", "-1250", 500, "-1000"},
    RoundCase{"Raise", "-1400", 500, "-1000"}, RoundCase{"Raise", "1500", 500, "1500"},
    RoundCase{"Raise", "12500", 5000, "15000"}, RoundCase{"Raise", "12499", 5000, "10000"},
    RoundCase{"Raise", "-12500", 5000, "-10000"}, RoundCase{"Raise", "100.0001", 1, "101"},
    // q is rounded to four decimals (ties to even) before the test for a fraction.
    RoundCase{"Raise", "100.0001", 10, "100"}));

TEST(CurrencyTest, ParsesAndPrintsPlainDecimalText)
{
    EXPECT_EQ(C("1234").raw(), 12340000);
    EXPECT_EQ(C(" -12.5 ").raw(), -125000);
    EXPECT_EQ(C("0.0001").raw(), 1);
    EXPECT_EQ(C("3.50000").raw(), 35000);  // trailing zeros beyond four decimals are harmless
    EXPECT_EQ(C("-12.5").toText(), "-12.5");
    EXPECT_EQ(C("1000").toText(), "1000");
    EXPECT_EQ(C("0.0001").toText(), "0.0001");
    for (const char* bad : {"", " ", "1,000", "12a", "1.00001", "-", ".", "99999999999999999999"})
        EXPECT_FALSE(Currency::parse(bad).has_value()) << bad;
    EXPECT_EQ(Currency::fromText("x"), Currency(0));
}

TEST(CurrencyTest, ArithmeticIsExactAndRoundsProductsToFourDecimalsTiesToEven)
{
    EXPECT_EQ(Currency(3) * Currency(-2500), Currency(-7500));
    EXPECT_EQ(C("0.0001") * C("0.5"), Currency(0));          // 0.00005 -> tie to even 0
    EXPECT_EQ(C("0.0003") * C("0.5"), C("0.0002"));         // 0.00015 -> tie to even 0.0002
    EXPECT_EQ(Currency(10) / Currency(3), C("3.3333"));
    EXPECT_EQ(Currency(-10) / Currency(4), C("-2.5"));
    EXPECT_EQ(Currency(1) / Currency(0), Currency(0));
    // Large bills stay exact: 922 billion won fits.
    const Currency big = Currency(2'000'000'000) * Currency(400);
    EXPECT_EQ(big.truncWon(), 800'000'000'000);
}

TEST(CurrencyTest, FormatsWithThousandsSeparators)
{
    EXPECT_EQ(FormatThousands(Currency(0)), "0");
    EXPECT_EQ(FormatThousands(Currency(999)), "999");
    EXPECT_EQ(FormatThousands(Currency(1000)), "1,000");
    EXPECT_EQ(FormatThousands(Currency(-1234567)), "-1,234,567");
    EXPECT_EQ(FormatThousands(C("1499.5")), "1,500");
}

}  // namespace
}  // namespace pos
