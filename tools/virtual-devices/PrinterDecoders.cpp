#include "PrinterDecoders.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace pos::virt {
namespace {

// A size digit of ESC i: "0".."5" (or 0..5) is factor 1..6.
int factor(unsigned char aDigit) { return (aDigit >= '0' ? aDigit - '0' : aDigit) + 1; }

TAlign alignOf(unsigned char n)
{
    switch (n & 0x0F) {
    case 1: return TAlign::Center;
    case 2: return TAlign::Right;
    default: return TAlign::Left;
    }
}

// What the print markup looks like on the wire, as the printers' manuals
// give the command of each tag. Kept here apart from the terminal's own
// encoder, so a wrong byte in the encoder shows as a wrong tag (or a note of
// unknown bytes) in the readable text instead of reading back as meant.
struct TTagBytes {
    std::string tag;
    std::string bytes;
};

std::string fromHex(std::string_view aHex)
{
    std::string out;
    for (std::size_t i = 0; i + 1 < aHex.size(); i += 3)
        out += static_cast<char>(std::stoi(std::string(aHex.substr(i, 2)), nullptr, 16));
    return out;
}

const std::vector<TTagBytes>& starTags()
{
    static const std::vector<TTagBytes> tags = [] {
        const std::pair<const char*, const char*> table[] = {
            {"{N}", "1B 46 1B 35 1B 2D 30"}, {"{B}", "1B 45"},       {"{I}", "1B 34"},
            {"{U}", "1B 2D 31"},             {"{L}", "1B 1D 61 30"}, {"{C}", "1B 1D 61 31"},
            {"{R}", "1B 1D 61 32"},          {"{S}", "1B 69 30 30"}, {"{X}", "1B 69 30 31"},
            {"{Y}", "1B 69 31 30"},          {"{Z}", "1B 69 31 31"}, {"{3}", "1B 69 32 32"},
        };
        std::vector<TTagBytes> out;
        for (const auto& [tag, hex] : table) out.push_back({tag, fromHex(hex)});
        return out;
    }();
    return tags;
}

// The kitchen printer knows only the four size tags.
const std::vector<TTagBytes>& escPosTags()
{
    static const std::vector<TTagBytes> tags = {
        {"{S}", fromHex("1D 21 00")}, {"{X}", fromHex("1D 21 10")},
        {"{Y}", fromHex("1D 21 01")}, {"{Z}", fromHex("1D 21 11")},
    };
    return tags;
}

// The tag whose command starts aBytes: its length, or 0; -1 when aBytes is
// the beginning of a tag's command and more bytes are needed.
int matchTag(std::string_view aBytes, const std::vector<TTagBytes>& aTags, std::string_view* aTag)
{
    int best = 0;
    for (const TTagBytes& t : aTags) {
        const std::string_view cmd = t.bytes;
        if (aBytes.size() < cmd.size()) {
            if (cmd.substr(0, aBytes.size()) == aBytes) return -1;
            continue;
        }
        if (aBytes.substr(0, cmd.size()) == cmd && int(cmd.size()) > best) {
            best = int(cmd.size());
            *aTag = t.tag;
        }
    }
    return best;
}

}  // namespace

std::string HexNote(std::string_view aBytes)
{
    std::string out = "<";
    char buf[4];
    for (unsigned char c : aBytes) {
        std::snprintf(buf, sizeof buf, "%02X ", c);
        out += buf;
    }
    out.back() = '>';
    return out;
}

void TPrinterDecoder::feed(std::string_view aBytes)
{
    pending_.append(aBytes);
    std::size_t pos = 0;
    while (pos < pending_.size()) {
        const std::size_t used = step(std::string_view(pending_).substr(pos), false);
        if (used == 0) break;
        pos += used;
    }
    pending_.erase(0, pos);
}

void TPrinterDecoder::cut(std::string aKind)
{
    TPrintDocument doc = builder_.cut(std::move(aKind));
    if (onDocument) onDocument(std::move(doc));
}

std::size_t TPrinterDecoder::plain(std::string_view s)
{
    const auto c = static_cast<unsigned char>(s[0]);
    if (c == 0x0A) {
        builder_.endLine();
        return 1;
    }
    if (c == 0x0D) return 1;  // the line ends at LF
    if (c < 0x20 || c == 0x7F || c == 0x80 || c == 0xFF) {
        builder_.note(HexNote(s.substr(0, 1)));
        return 1;
    }
    if (c >= 0x81) {  // a CP949 lead byte: the character is two bytes
        if (s.size() < 2) return 0;
        builder_.text(s.substr(0, 2));
        return 2;
    }
    builder_.text(s.substr(0, 1));
    return 1;
}

std::size_t TStarDecoder::step(std::string_view s, bool aQuiet)
{
    const auto c = static_cast<unsigned char>(s[0]);
    if (c == 0x1C) {  // FS on its own: the drawer
        if (onDrawerKick) onDrawerKick();
        return 1;
    }
    if (c != 0x1B) return plain(s);

    if (!aQuiet) {
        std::string_view tag;
        const int n = matchTag(s, starTags(), &tag);
        if (n < 0) return 0;
        if (n > 0) {
            // Apply each command of the tag, then show the tag itself.
            for (std::size_t pos = 0, used = 1; pos < std::size_t(n) && used > 0; pos += used)
                used = step(s.substr(pos, n - pos), true);
            builder_.note(tag);
            return std::size_t(n);
        }
    }
    auto note = [&](std::string_view aText) {
        if (!aQuiet) builder_.note(aText);
    };
    if (s.size() < 2) return 0;
    TPrintAttrs& a = builder_.attrs;
    switch (static_cast<unsigned char>(s[1])) {
    case '@': a = {}; builder_.align = TAlign::Left; return 2;
    case 'E': a.bold = true; note("<bold on>"); return 2;
    case 'F': a.bold = false; note("<bold off>"); return 2;
    case '4': a.highlight = true; note("<highlight on>"); return 2;
    case '5': a.highlight = false; note("<highlight off>"); return 2;
    case '-':
        if (s.size() < 3) return 0;
        a.underline = (s[2] & 1) != 0;
        note(a.underline ? "<underline on>" : "<underline off>");
        return 3;
    case 'i':
        if (s.size() < 4) return 0;
        a.height = factor(static_cast<unsigned char>(s[2]));
        a.width = factor(static_cast<unsigned char>(s[3]));
        note("<size " + std::to_string(a.width) + "x" + std::to_string(a.height) + ">");
        return 4;
    case 'd': {
        if (s.size() < 3) return 0;
        const unsigned char n = static_cast<unsigned char>(s[2]) & 0x0F;
        cut(n == 0 ? "full" : n == 1 ? "partial" : n == 2 ? "feed and full" : "feed and partial");
        return 3;
    }
    case 0x06:
        if (s.size() < 3) return 0;
        if (s[2] == 0x01) {
            if (onStatusRequest) onStatusRequest();
            return 3;
        }
        note(HexNote(s.substr(0, 3)));
        return 3;
    case 0x1D:
        if (s.size() < 3) return 0;
        if (s[2] == 'a') {
            if (s.size() < 4) return 0;
            builder_.align = alignOf(static_cast<unsigned char>(s[3]));
            note("<align>");
            return 4;
        }
        note(HexNote(s.substr(0, 3)));
        return 3;
    case 0x1C:
        if (s.size() < 3) return 0;
        if (s[2] == 'p') {
            if (s.size() < 5) return 0;
            builder_.logo(static_cast<unsigned char>(s[3]));
            return 5;
        }
        note(HexNote(s.substr(0, 3)));
        return 3;
    default: note(HexNote(s.substr(0, 2))); return 2;
    }
}

std::size_t TEscPosDecoder::step(std::string_view s, bool aQuiet)
{
    const auto c = static_cast<unsigned char>(s[0]);
    if (c != 0x1B && c != 0x1D && c != 0x10) return plain(s);

    if (!aQuiet && c == 0x1D) {
        std::string_view tag;
        const int n = matchTag(s, escPosTags(), &tag);
        if (n < 0) return 0;
        if (n > 0) {
            step(s.substr(0, n), true);
            builder_.note(tag);
            return std::size_t(n);
        }
    }
    auto note = [&](std::string_view aText) {
        if (!aQuiet) builder_.note(aText);
    };
    TPrintAttrs& a = builder_.attrs;
    if (s.size() < 2) return 0;
    if (c == 0x1B && s[1] == '@') {
        a = {};
        builder_.align = TAlign::Left;
        return 2;
    }
    if (s.size() < 3) return 0;
    const auto n = static_cast<unsigned char>(s[2]);
    if (c == 0x10) {  // DLE EOT n: real-time status
        if (s[1] == 0x04 && onStatusRequest) onStatusRequest();
        return 3;
    }
    if (c == 0x1B) {
        switch (s[1]) {
        case 'J': builder_.feed(n); return 3;
        case 'E': a.bold = n & 1; note(a.bold ? "<bold on>" : "<bold off>"); return 3;
        case '-': a.underline = n & 3; note(a.underline ? "<underline on>" : "<underline off>"); return 3;
        case 'a': builder_.align = alignOf(n); note("<align>"); return 3;
        default: note(HexNote(s.substr(0, 2))); return 2;
        }
    }
    switch (s[1]) {  // GS
    case '!':
        a.width = ((n >> 4) & 0x07) + 1;
        a.height = (n & 0x07) + 1;
        note("<size " + std::to_string(a.width) + "x" + std::to_string(a.height) + ">");
        return 3;
    case 'V':
        if (n == 65 || n == 66) {
            if (s.size() < 4) return 0;
            cut(n == 65 ? "feed and full" : "feed and partial");
            return 4;
        }
        cut((n & 1) ? "partial" : "full");
        return 3;
    case 'B': a.highlight = n & 1; note(a.highlight ? "<highlight on>" : "<highlight off>"); return 3;
    default: note(HexNote(s.substr(0, 2))); return 2;
    }
}

}  // namespace pos::virt
