#pragma once
// What the fuzz targets share: a check that stops the run with a message
// (libFuzzer then keeps the input as a crash), and UTF-8 helpers of their own,
// so that a target does not judge the codec by the codec.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace pos::fuzz {

[[noreturn]] inline void Fail(const char* aWhat, const char* aFile, int aLine)
{
    std::fprintf(stderr, "fuzz check failed at %s:%d: %s\n", aFile, aLine, aWhat);
    std::abort();
}

#define FUZZ_CHECK(cond) ((cond) ? void(0) : ::pos::fuzz::Fail(#cond, __FILE__, __LINE__))

inline std::string_view AsText(const std::uint8_t* aData, std::size_t aSize)
{
    return {reinterpret_cast<const char*>(aData), aSize};
}

// True when aText is well-formed UTF-8: shortest forms only, no surrogates,
// nothing above U+10FFFF.
inline bool IsUtf8(std::string_view aText)
{
    std::size_t i = 0;
    while (i < aText.size()) {
        const auto b0 = static_cast<unsigned char>(aText[i]);
        std::size_t len;
        unsigned lo = 0x80, hi = 0xBF;  // range of the second byte
        if (b0 < 0x80) { ++i; continue; }
        if (b0 >= 0xC2 && b0 <= 0xDF) len = 2;
        else if (b0 == 0xE0) { len = 3; lo = 0xA0; }
        else if (b0 == 0xED) { len = 3; hi = 0x9F; }
        else if (b0 >= 0xE1 && b0 <= 0xEF) len = 3;
        else if (b0 == 0xF0) { len = 4; lo = 0x90; }
        else if (b0 == 0xF4) { len = 4; hi = 0x8F; }
        else if (b0 >= 0xF1 && b0 <= 0xF3) len = 4;
        else return false;
        if (i + len > aText.size()) return false;
        const auto b1 = static_cast<unsigned char>(aText[i + 1]);
        if (b1 < lo || b1 > hi) return false;
        for (std::size_t k = 2; k < len; ++k)
            if ((static_cast<unsigned char>(aText[i + k]) & 0xC0) != 0x80) return false;
        i += len;
    }
    return true;
}

inline void AppendUtf8(std::string& aOut, char32_t aCp)
{
    if (aCp < 0x80) {
        aOut += static_cast<char>(aCp);
    } else if (aCp < 0x800) {
        aOut += static_cast<char>(0xC0 | (aCp >> 6));
        aOut += static_cast<char>(0x80 | (aCp & 0x3F));
    } else if (aCp < 0x10000) {
        aOut += static_cast<char>(0xE0 | (aCp >> 12));
        aOut += static_cast<char>(0x80 | ((aCp >> 6) & 0x3F));
        aOut += static_cast<char>(0x80 | (aCp & 0x3F));
    } else {
        aOut += static_cast<char>(0xF0 | (aCp >> 18));
        aOut += static_cast<char>(0x80 | ((aCp >> 12) & 0x3F));
        aOut += static_cast<char>(0x80 | ((aCp >> 6) & 0x3F));
        aOut += static_cast<char>(0x80 | (aCp & 0x3F));
    }
}

// U+FFFD, what a damaged byte decodes to, and U+FF1F, the full-width question
// mark that stands for a character CP949 cannot hold.
inline constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
inline constexpr std::string_view kFullWidthQuestion = "\xEF\xBC\x9F";

// aText with every U+FFFD written as the full-width question mark: what a
// decoded text becomes after it has been encoded again.
inline std::string AsReEncoded(std::string_view aText)
{
    std::string out;
    out.reserve(aText.size());
    for (std::size_t i = 0; i < aText.size();) {
        if (aText.substr(i, kReplacement.size()) == kReplacement) {
            out += kFullWidthQuestion;
            i += kReplacement.size();
        } else {
            out += aText[i++];
        }
    }
    return out;
}

}  // namespace pos::fuzz
