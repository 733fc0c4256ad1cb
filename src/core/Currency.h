#pragma once
// Exact money: a signed 64-bit fixed-point number with four decimals
// (stored value = amount x 10,000). No floating point touches an amount.
// Products and quotients are rounded to four decimals, ties to even, as the
// terminal's arithmetic always has been; the named rounding helpers
// (RoundNumber, TruncNumber, RaiseNumber) are the only other rounding points.

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pos {

class Currency {
public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Currency() = default;
    // Whole won.
    constexpr Currency(std::int64_t won) : raw_(won * kScale) {}  // NOLINT: implicit on purpose, amounts mix with counts

    static constexpr Currency fromRaw(std::int64_t raw) { Currency c; c.raw_ = raw; return c; }
    // Decimal text ("1234", "-12.5", " 7 ") to an amount; nullopt when the
    // text is not a number or has more than four decimals or overflows.
    static std::optional<Currency> parse(std::string_view text);
    // As parse, 0 when the text is not a number.
    static Currency fromText(std::string_view text);

    constexpr std::int64_t raw() const { return raw_; }
    // Whole won toward zero.
    constexpr std::int64_t truncWon() const { return raw_ / kScale; }
    constexpr bool isWhole() const { return raw_ % kScale == 0; }
    constexpr Currency abs() const { return fromRaw(raw_ < 0 ? -raw_ : raw_); }

    // Plain decimal text: "1234", "-12.5" (no thousands separators, no
    // trailing zeros). This is how amounts travel to the server and files.
    std::string toText() const;

    constexpr Currency operator-() const { return fromRaw(-raw_); }
    constexpr Currency& operator+=(Currency o) { raw_ += o.raw_; return *this; }
    constexpr Currency& operator-=(Currency o) { raw_ -= o.raw_; return *this; }
    friend constexpr Currency operator+(Currency a, Currency b) { return a += b; }
    friend constexpr Currency operator-(Currency a, Currency b) { return a -= b; }
    friend Currency operator*(Currency a, Currency b);
    // Quotient rounded to four decimals, ties to even; division by zero gives 0.
    friend Currency operator/(Currency a, Currency b);

    friend constexpr bool operator==(Currency, Currency) = default;
    friend constexpr auto operator<=>(Currency, Currency) = default;

private:
    std::int64_t raw_ = 0;
};

// Rounding of amounts to a unit in won (1, 10, 100, 500, 1000, 5000 ...).
// aUnit below 1 is treated as 1.
Currency RoundNumber(Currency aNum, std::int64_t aUnit);  // halves away from zero
Currency TruncNumber(Currency aNum, std::int64_t aUnit);  // toward zero
Currency RaiseNumber(Currency aNum, std::int64_t aUnit);  // up to the unit; see the .cpp

// "0," display format: whole won rounded half away from zero, with thousands
// separators ("1,234,000", "-5,000").
std::string FormatThousands(Currency aValue);

}  // namespace pos
