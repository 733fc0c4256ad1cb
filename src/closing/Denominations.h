#pragma once
// The notes and coins of an interim deposit, largest first: the count entry's
// caption (printed on the deposit slip as it stands), the face value and the
// digits a count may have.

#include <array>
#include <cstdint>
#include <string_view>

namespace pos {

struct TDenomination {
    std::string_view caption;
    std::int64_t faceValue;
    int maxDigits;
};

inline constexpr std::array<TDenomination, 10> kDenominations{{
    {"백 만 원", 1000000, 2},
    {"오십만원", 500000, 2},
    {"십 만 원", 100000, 2},
    {"만    원", 10000, 4},
    {"오 천 원", 5000, 4},
    {"천    원", 1000, 4},
    {"오 백 원", 500, 4},
    {"백    원", 100, 4},
    {"오 십 원", 50, 4},
    {"십    원", 10, 4},
}};

// The pieces counted per denomination, in the order of kDenominations.
using TDenominationCounts = std::array<std::int64_t, kDenominations.size()>;

}  // namespace pos
