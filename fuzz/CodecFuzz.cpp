// The CP949 codec in both directions and the width helpers over what it
// decodes. Every file, printer answer and network answer goes through it.
//
// The input is read twice: as CP949 bytes (a file) and as UTF-8 text (what
// the terminal sends); its last bytes also choose the widths for the helpers.

#include "FuzzSupport.h"

#include "core/Codec.h"
#include "core/TextHelpers.h"

#include <fuzzer/FuzzedDataProvider.h>
#include <iconv.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

using namespace pos;
using namespace pos::fuzz;

namespace {

// The character glibc's converter makes of one two-byte code, 0 when the pair
// is none; asked pair by pair, so it shares neither the codec's table nor its
// indexing.
char32_t referencePair(unsigned char aLead, unsigned char aTrail)
{
    static std::array<std::int32_t, 0x10000> known = [] {
        std::array<std::int32_t, 0x10000> a{};
        a.fill(-1);
        return a;
    }();
    static const iconv_t cd = iconv_open("UTF-32LE", "CP949");
    std::int32_t& slot = known[static_cast<std::size_t>(aLead << 8 | aTrail)];
    if (slot < 0) {
        char in[2] = {static_cast<char>(aLead), static_cast<char>(aTrail)};
        char32_t out[2] = {0, 0};
        char* inPtr = in;
        char* outPtr = reinterpret_cast<char*>(out);
        std::size_t inLeft = 2, outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        const bool whole = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1) &&
                           inLeft == 0 && outLeft == sizeof out - 4;
        slot = whole ? static_cast<std::int32_t>(out[0]) : 0;
    }
    return static_cast<char32_t>(slot);
}

// CP949 to UTF-8 as the code page describes it: ASCII bytes stand for
// themselves, a byte of 0x80 and up starts a two-byte code, and a byte that
// does not start one becomes U+FFFD, the next byte being read on its own.
std::string referenceDecode(std::string_view aBytes, bool& aBad)
{
    std::string out;
    for (std::size_t i = 0; i < aBytes.size();) {
        const auto b = static_cast<unsigned char>(aBytes[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        const char32_t cp = i + 1 < aBytes.size() ? referencePair(b, static_cast<unsigned char>(aBytes[i + 1])) : 0;
        if (cp != 0 && cp >= 0x80) {
            AppendUtf8(out, cp);
            i += 2;
        } else {
            aBad = true;
            out += kReplacement;
            ++i;
        }
    }
    return out;
}

void checkDecoding(std::string_view aBytes)
{
    bool bad = false, referenceBad = false;
    const std::string text = FromCp949(aBytes, &bad);
    FUZZ_CHECK(text == referenceDecode(aBytes, referenceBad));
    FUZZ_CHECK(bad == referenceBad);
    FUZZ_CHECK(IsUtf8(text));

    // Encoding it again: as wide as Cp949Width says, never damaged, and the
    // same text back apart from the U+FFFD the damage left.
    const std::string again = ToCp949(text);
    FUZZ_CHECK(static_cast<int>(again.size()) == Cp949Width(text));
    bool againBad = false;
    FUZZ_CHECK(FromCp949(again, &againBad) == AsReEncoded(text));
    FUZZ_CHECK(!againBad);
}

void checkEncoding(std::string_view aText)
{
    const std::string bytes = ToCp949(aText);
    FUZZ_CHECK(static_cast<int>(bytes.size()) == Cp949Width(aText));
    bool bad = false;
    const std::string back = FromCp949(bytes, &bad);
    FUZZ_CHECK(!bad);

    // Character by character: what comes back is the character itself, the
    // full-width '?' for one CP949 cannot hold, '?' for a byte that is not
    // UTF-8.
    std::string expected;
    for (std::size_t i = 0; i < aText.size();) {
        const CharStep step = NextChar(aText, i);
        FUZZ_CHECK(step.utf8Len >= 1 && i + step.utf8Len <= aText.size());
        const std::string_view ch = aText.substr(i, step.utf8Len);
        if (static_cast<unsigned char>(ch[0]) < 0x80) {
            FUZZ_CHECK(step.width == 1);
            expected += ch;
        } else if (!IsUtf8(ch)) {
            FUZZ_CHECK(step.utf8Len == 1 && step.width == 1);
            expected += '?';
        } else {
            FUZZ_CHECK(step.width == 2);
            const std::string one = FromCp949(ToCp949(ch));
            FUZZ_CHECK(one == ch || one == kFullWidthQuestion);
            expected += one;
        }
        i += step.utf8Len;
    }
    FUZZ_CHECK(back == expected);
}

// The CP949 bytes of aText from column aFrom (0-based) to aTo, a character
// cut by either end of the window written as a blank: the cut as the
// printer sees it.
std::string referenceWindow(std::string_view aText, long long aFrom, long long aTo)
{
    const std::string bytes = ToCp949(aText);
    std::string out;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t len = static_cast<unsigned char>(bytes[i]) < 0x80 ? 1 : 2;
        const auto start = static_cast<long long>(i), end = start + static_cast<long long>(len);
        if (start >= aFrom && end <= aTo) out.append(bytes, i, len);
        else if (end > aFrom && start < aTo) out += ' ';
        i += len;
    }
    return out;
}

void checkCut(std::string_view aText, int aIndex, int aCount)
{
    const std::string cut = CopyStr(aText, aIndex, aCount);
    if (aCount <= 0) {
        FUZZ_CHECK(cut.empty());
        return;
    }
    const long long from = std::max(aIndex, 1) - 1LL;
    FUZZ_CHECK(ToCp949(cut) == referenceWindow(aText, from, from + aCount));
    if (IsUtf8(aText)) FUZZ_CHECK(IsUtf8(cut));
}

void checkPadding(std::string_view aText, int aLength, bool aEnlargeX)
{
    const int width = Cp949Width(aText);
    const std::string right = RPad(aText, aLength, '.');
    FUZZ_CHECK(right.compare(0, aText.size(), aText) == 0);
    FUZZ_CHECK(Cp949Width(right) == std::max(width, aLength));
    FUZZ_CHECK(right.find_first_not_of('.', aText.size()) == std::string::npos);
    const std::string left = LPad(aText, aLength, '0');
    FUZZ_CHECK(left.size() >= aText.size() && left.compare(left.size() - aText.size(), aText.size(), aText) == 0);
    FUZZ_CHECK(Cp949Width(left) == std::max(width, aLength));

    const int field = aEnlargeX ? aLength / 2 : aLength;
    const std::string centred = StringCenterAlign(aText, aLength, aEnlargeX);
    FUZZ_CHECK(Cp949Width(centred) <= std::max(field, 0));
    if (IsUtf8(aText)) FUZZ_CHECK(IsUtf8(centred));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* aData, std::size_t aSize)
{
    FuzzedDataProvider provider(aData, aSize);
    // Widths as the layout code passes them, and one pair from the whole range.
    const int index = provider.ConsumeIntegralInRange(-2, 120);
    const int count = provider.ConsumeIntegralInRange(-2, 120);
    const int length = provider.ConsumeIntegralInRange(-2, 120);
    const bool enlarge = provider.ConsumeBool();
    const int wideIndex = provider.ConsumeIntegral<int>();
    const int wideCount = provider.ConsumeIntegral<int>();
    const std::string input = provider.ConsumeRemainingBytesAsString();

    checkDecoding(input);
    checkEncoding(input);

    const std::string decoded = FromCp949(input);
    for (std::string_view text : {std::string_view(decoded), std::string_view(input)}) {
        checkCut(text, index, count);
        checkCut(text, wideIndex, wideCount);
        checkPadding(text, length, enlarge);
    }
    return 0;
}
