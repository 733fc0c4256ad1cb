#include "core/Codec.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace pos {
namespace {

constexpr unsigned kLeadFirst = 0x81, kLeadLast = 0xFE;
constexpr unsigned kTrailFirst = 0x41, kTrailLast = 0xFE;
constexpr unsigned kTrailSpan = kTrailLast - kTrailFirst + 1;
constexpr std::uint16_t kFullWidthQuestion = 0xA3BF;

// Both directions of CP949 as glibc's iconv defines it, read once.
struct Tables {
    std::vector<char32_t> decode;        // (lead - 0x81) * span + (trail - 0x41) -> code point, 0 = none
    std::vector<std::uint16_t> encode;   // code point (BMP) -> CP949 double-byte code, 0 = none
};

const Tables& tables()
{
    static std::once_flag once;
    static std::unique_ptr<Tables> t;
    std::call_once(once, [] {
        t = std::make_unique<Tables>();
        t->decode.assign((kLeadLast - kLeadFirst + 1) * kTrailSpan, 0);
        t->encode.assign(0x10000, 0);
        iconv_t cd = iconv_open("UTF-32LE", "CP949");
        if (cd == reinterpret_cast<iconv_t>(-1)) return;  // no CP949 in this libc: only ASCII passes
        for (unsigned lead = kLeadFirst; lead <= kLeadLast; ++lead) {
            for (unsigned trail = kTrailFirst; trail <= kTrailLast; ++trail) {
                char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                char32_t out[2] = {0, 0};
                char* inPtr = in;
                char* outPtr = reinterpret_cast<char*>(out);
                size_t inLeft = 2, outLeft = sizeof out;
                iconv(cd, nullptr, nullptr, nullptr, nullptr);
                if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0 ||
                    outLeft != sizeof out - 4)
                    continue;
                const char32_t cp = out[0];
                t->decode[(lead - kLeadFirst) * kTrailSpan + (trail - kTrailFirst)] = cp;
                if (cp < 0x10000 && t->encode[cp] == 0) t->encode[cp] = static_cast<std::uint16_t>(lead << 8 | trail);
            }
        }
        iconv_close(cd);
    });
    return *t;
}

// The character of one double-byte code, 0 when the pair is none. Both bytes
// are checked against the table's ranges: a trail byte of 0xFF would
// otherwise index the next lead's first character, or run past the table
// after lead 0xFE.
char32_t decodePair(const Tables& t, unsigned lead, unsigned trail)
{
    if (lead < kLeadFirst || lead > kLeadLast || trail < kTrailFirst || trail > kTrailLast) return 0;
    return t.decode[(lead - kLeadFirst) * kTrailSpan + (trail - kTrailFirst)];
}

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 character at aPos; len 0 means the byte is not UTF-8.
struct Utf8Char {
    char32_t cp;
    std::size_t len;
};
Utf8Char decodeUtf8(std::string_view s, std::size_t pos)
{
    const auto b0 = static_cast<unsigned char>(s[pos]);
    if (b0 < 0x80) return {b0, 1};
    std::size_t len;
    char32_t cp;
    if ((b0 & 0xE0) == 0xC0) { len = 2; cp = b0 & 0x1F; }
    else if ((b0 & 0xF0) == 0xE0) { len = 3; cp = b0 & 0x0F; }
    else if ((b0 & 0xF8) == 0xF0) { len = 4; cp = b0 & 0x07; }
    else return {0, 0};
    if (pos + len > s.size()) return {0, 0};
    for (std::size_t i = 1; i < len; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + i]);
        if ((b & 0xC0) != 0x80) return {0, 0};
        cp = (cp << 6) | (b & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {0, 0};
    return {cp, len};
}

}  // namespace

bool IsAscii(std::string_view aText)
{
    for (char c : aText)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

std::string FromCp949(std::string_view aCp949, bool* aBad)
{
    if (IsAscii(aCp949)) return std::string(aCp949);
    const Tables& t = tables();
    std::string out;
    out.reserve(aCp949.size() + aCp949.size() / 2);
    for (std::size_t i = 0; i < aCp949.size();) {
        const auto lead = static_cast<unsigned char>(aCp949[i]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        const char32_t cp = i + 1 < aCp949.size() ? decodePair(t, lead, static_cast<unsigned char>(aCp949[i + 1])) : 0;
        if (cp != 0) {
            appendUtf8(out, cp);
            i += 2;
        } else {
            if (aBad) *aBad = true;
            appendUtf8(out, 0xFFFD);
            ++i;
        }
    }
    return out;
}

std::string ToCp949(std::string_view aUtf8)
{
    if (IsAscii(aUtf8)) return std::string(aUtf8);
    const Tables& t = tables();
    std::string out;
    out.reserve(aUtf8.size());
    for (std::size_t i = 0; i < aUtf8.size();) {
        const Utf8Char ch = decodeUtf8(aUtf8, i);
        if (ch.len == 0) {
            out += '?';
            ++i;
            continue;
        }
        i += ch.len;
        if (ch.cp < 0x80) {
            out += static_cast<char>(ch.cp);
            continue;
        }
        std::uint16_t code = ch.cp < 0x10000 ? t.encode[ch.cp] : 0;
        if (code == 0) code = kFullWidthQuestion;
        out += static_cast<char>(code >> 8);
        out += static_cast<char>(code & 0xFF);
    }
    return out;
}

CharStep NextChar(std::string_view aUtf8, std::size_t aPos)
{
    const Utf8Char ch = decodeUtf8(aUtf8, aPos);
    if (ch.len == 0) return {1, 1};
    return {ch.len, ch.cp < 0x80 ? 1 : 2};
}

int Cp949Width(std::string_view aUtf8)
{
    int width = 0;
    for (std::size_t i = 0; i < aUtf8.size();) {
        const CharStep step = NextChar(aUtf8, i);
        width += step.width;
        i += step.utf8Len;
    }
    return width;
}

}  // namespace pos
