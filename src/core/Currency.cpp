#include "core/Currency.h"

#include <charconv>
#include <limits>

namespace pos {
namespace {

__extension__ typedef __int128 i128;  // exact intermediate products

std::int64_t clampToInt64(i128 v)
{
    constexpr i128 hi = std::numeric_limits<std::int64_t>::max();
    constexpr i128 lo = std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(v > hi ? hi : (v < lo ? lo : v));
}

// n / d rounded to the nearest integer, ties to even (d > 0).
i128 divRoundHalfEven(i128 n, i128 d)
{
    i128 q = n / d;
    i128 r = n % d;  // same sign as n
    i128 twice = (r < 0 ? -r : r) * 2;
    if (twice > d || (twice == d && (q % 2 != 0)))
        q += (n < 0) ? -1 : 1;
    return q;
}

// n / d toward zero, and floor for the non-negative half-up cases.
i128 divTrunc(i128 n, i128 d) { return n / d; }

std::int64_t unitOf(std::int64_t aUnit) { return aUnit < 1 ? 1 : aUnit; }

}  // namespace

std::optional<Currency> Currency::parse(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (text.empty()) return std::nullopt;
    bool negative = false;
    if (text.front() == '-' || text.front() == '+') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::string_view whole = text, frac;
    if (auto dot = text.find('.'); dot != std::string_view::npos) {
        whole = text.substr(0, dot);
        frac = text.substr(dot + 1);
    }
    if (whole.empty() && frac.empty()) return std::nullopt;
    if (frac.size() > 4) {
        // Extra decimals are accepted only when they are zeros.
        for (char c : frac.substr(4))
            if (c != '0') return std::nullopt;
        frac = frac.substr(0, 4);
    }
    i128 value = 0;
    for (char c : whole) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > i128(std::numeric_limits<std::int64_t>::max())) return std::nullopt;
    }
    value *= kScale;
    std::int64_t fracRaw = 0;
    int digits = 0;
    for (char c : frac) {
        if (c < '0' || c > '9') return std::nullopt;
        fracRaw = fracRaw * 10 + (c - '0');
        ++digits;
    }
    for (; digits < 4; ++digits) fracRaw *= 10;
    value += fracRaw;
    if (value > i128(std::numeric_limits<std::int64_t>::max())) return std::nullopt;
    return fromRaw(static_cast<std::int64_t>(negative ? -value : value));
}

Currency Currency::fromText(std::string_view text) { return parse(text).value_or(Currency()); }

std::string Currency::toText() const
{
    i128 v = raw_;
    bool negative = v < 0;
    if (negative) v = -v;
    auto whole = static_cast<unsigned long long>(v / kScale);
    auto frac = static_cast<unsigned>(v % kScale);
    std::string out = negative ? "-" : "";
    out += std::to_string(whole);
    if (frac != 0) {
        char buf[5] = {char('0' + frac / 1000), char('0' + frac / 100 % 10), char('0' + frac / 10 % 10),
                       char('0' + frac % 10), 0};
        std::string f(buf);
        while (!f.empty() && f.back() == '0') f.pop_back();
        out += '.' + f;
    }
    return out;
}

Currency operator*(Currency a, Currency b)
{
    return Currency::fromRaw(clampToInt64(divRoundHalfEven(i128(a.raw_) * b.raw_, Currency::kScale)));
}

Currency operator/(Currency a, Currency b)
{
    if (b.raw_ == 0) return Currency();
    i128 n = i128(a.raw_) * Currency::kScale;
    i128 d = b.raw_;
    if (d < 0) { n = -n; d = -d; }
    return Currency::fromRaw(clampToInt64(divRoundHalfEven(n, d)));
}

// q = aNum / aUnit exactly; RoundNumber gives trunc(q + 0.5) x aUnit for
// aNum >= 0 and trunc(q - 0.5) x aUnit below zero.
Currency RoundNumber(Currency aNum, std::int64_t aUnit)
{
    const i128 unitRaw = i128(unitOf(aUnit)) * Currency::kScale;
    const i128 raw = aNum.raw();
    const i128 mag = raw < 0 ? -raw : raw;
    i128 q = divTrunc(2 * mag + unitRaw, 2 * unitRaw);
    if (raw < 0) q = -q;
    return Currency::fromRaw(clampToInt64(q * unitRaw));
}

Currency TruncNumber(Currency aNum, std::int64_t aUnit)
{
    const i128 unitRaw = i128(unitOf(aUnit)) * Currency::kScale;
    return Currency::fromRaw(clampToInt64(divTrunc(aNum.raw(), unitRaw) * unitRaw));
}

// q is first rounded to four decimals (ties to even). A whole q stays. For
// units 500 and 5000 a fraction of 0.5 or more goes up to the next unit and
// anything less is cut; negative amounts have a negative fraction and are
// therefore always cut toward zero. Every other unit goes one unit away from
// zero.
Currency RaiseNumber(Currency aNum, std::int64_t aUnit)
{
    const std::int64_t unit = unitOf(aUnit);
    const i128 q4 = divRoundHalfEven(aNum.raw(), unit);  // q in 1/10000
    const i128 frac = q4 % Currency::kScale;              // sign of q
    i128 whole = q4 / Currency::kScale;                   // trunc(q)
    if (frac != 0) {
        if (unit == 500 || unit == 5000) {
            if (frac >= Currency::kScale / 2) whole += 1;
        } else {
            whole += q4 > 0 ? 1 : -1;
        }
    }
    return Currency::fromRaw(clampToInt64(whole * unit * Currency::kScale));
}

std::string FormatThousands(Currency aValue)
{
    const std::int64_t won = RoundNumber(aValue, 1).truncWon();
    const unsigned long long magnitude =
        won < 0 ? 0ULL - static_cast<unsigned long long>(won) : static_cast<unsigned long long>(won);
    const std::string digits = std::to_string(magnitude);
    std::string out;
    const int n = static_cast<int>(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += ',';
        out += digits[static_cast<std::size_t>(i)];
    }
    return won < 0 ? "-" + out : out;
}

}  // namespace pos
