#include "PageDecoder.h"

#include "PrinterDecoders.h"

#include "core/Codec.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <tuple>

namespace pos::virt {
namespace {

constexpr std::string_view kEnd{"\n\0", 2};
// A command that has not ended after this many bytes is noise, not a command.
constexpr std::size_t kLongestCommand = 4096;

std::vector<int> numbers(std::string_view aList)
{
    std::vector<int> out;
    std::size_t start = 0;
    while (start <= aList.size()) {
        const std::size_t comma = std::min(aList.find(',', start), aList.size());
        const std::string item(aList.substr(start, comma - start));
        out.push_back(item.empty() ? 0 : std::atoi(item.c_str()));
        start = comma + 1;
    }
    return out;
}

// "nn;rest": the number before the semicolon, or -1.
int numberBefore(std::string_view aBody, std::string_view* aRest)
{
    const std::size_t semi = aBody.find(';');
    if (semi == std::string_view::npos) return -1;
    *aRest = aBody.substr(semi + 1);
    return std::atoi(std::string(aBody.substr(0, semi)).c_str());
}

}  // namespace

std::string TPagePrint::readable() const
{
    struct Item {
        int y, x;
        std::string line;
    };
    std::vector<Item> items;
    char buf[96];
    for (const auto& [no, f] : fields) {
        if (!f.filled || f.text.empty()) continue;
        std::snprintf(buf, sizeof buf, "%04d,%04d [%02d] %dx%d%s  ", f.x, f.y, no, f.width, f.height,
                      f.rotation ? (" rot " + std::to_string(f.rotation)).c_str() : "");
        items.push_back({f.y, f.x, buf + f.text});
    }
    for (const auto& [no, r] : rules) {
        std::snprintf(buf, sizeof buf, "%04d,%04d [%02d] rule to %04d,%04d  ", r.x1, r.y1, no, r.x2, r.y2);
        items.push_back({r.y1, r.x1, buf + std::string(r.kind == 6 ? "==========" : "----------")});
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const Item& a, const Item& b) { return std::tie(a.y, a.x) < std::tie(b.y, b.x); });
    std::string out = "<PAGE " + std::to_string(length) + " dots>\n";
    for (const Item& i : items) out += i.line + "\n";
    for (const std::string& n : notes) out += n + "\n";
    out += cut ? "<CUT>\n" : "<PRINT, NO CUT>\n";
    return out;
}

std::string TPagePrint::text() const
{
    std::vector<const TPageField*> filled;
    for (const auto& [no, f] : fields)
        if (f.filled) filled.push_back(&f);
    std::stable_sort(filled.begin(), filled.end(),
                     [](const TPageField* a, const TPageField* b) { return std::tie(a->y, a->x) < std::tie(b->y, b->x); });
    std::string out;
    for (const TPageField* f : filled) out += f->text + "\n";
    return out;
}

void TStarPageDecoder::feed(std::string_view aBytes)
{
    pending_.append(aBytes);
    std::size_t pos = 0;
    while (pos < pending_.size()) {
        const std::size_t used = step(std::string_view(pending_).substr(pos));
        if (used == 0) break;
        pos += used;
    }
    pending_.erase(0, pos);
}

std::size_t TStarPageDecoder::step(std::string_view s)
{
    if (s[0] != '\x1b') {
        page_.notes.push_back("<stray " + HexNote(s.substr(0, 1)) + ">");
        return 1;
    }
    if (s.size() < 2) return 0;
    if (s[1] == '\x06') {
        if (s.size() < 3) return 0;
        if (s[2] == '\x01' && onStatusRequest) onStatusRequest();
        return 3;
    }
    const std::size_t end = s.find(kEnd, 2);
    if (end == std::string_view::npos) {
        if (s.size() < kLongestCommand) return 0;
        page_.notes.push_back("<unended " + HexNote(s.substr(0, 2)) + ">");
        return 2;
    }
    command(s[1], s.substr(2, end - 2));
    return end + kEnd.size();
}

void TStarPageDecoder::command(char aLetter, std::string_view aBody)
{
    std::string_view rest;
    switch (aLetter) {
    case 'C': page_ = TPagePrint{}; return;
    case 'D': page_.length = std::atoi(std::string(aBody).c_str()); return;
    case 'P': {
        const int no = aBody.starts_with('C') ? numberBefore(aBody.substr(1), &rest) : -1;
        const std::vector<int> v = numbers(rest);
        if (no < 0 || v.size() < 6) break;
        TPageField& f = page_.fields[no];
        f.x = v[0];
        f.y = v[1];
        f.width = v[2];
        f.height = v[3];
        f.font = v[4];
        f.rotation = 90 * (v[5] & 3);
        return;
    }
    case 'R': {
        const int no = aBody.starts_with('C') ? numberBefore(aBody.substr(1), &rest) : -1;
        if (no < 0) break;
        TPageField& f = page_.fields[no];
        f.filled = true;
        f.text = FromCp949(rest);
        return;
    }
    case 'L': {
        const int no = numberBefore(aBody, &rest);
        const std::vector<int> v = numbers(rest);
        if (no < 0 || v.size() < 6) break;
        page_.rules[no] = TPageRule{v[0], v[1], v[2], v[3], v[5]};
        return;
    }
    case 'B': {
        page_.cut = aBody.empty();
        if (!aBody.empty() && aBody != "@") page_.notes.push_back("<print " + HexNote(aBody) + ">");
        TPagePrint done = std::move(page_);
        page_ = TPagePrint{};
        page_.length = done.length;
        if (onPage) onPage(std::move(done));
        return;
    }
    case 'I': return;
    default: break;
    }
    page_.notes.push_back("<unknown " + HexNote(std::string("\x1b") + aLetter + std::string(aBody)) + ">");
}

}  // namespace pos::virt
