#include "BocaDecoder.h"

#include "PrinterDecoders.h"

#include "core/Codec.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace pos::virt {
namespace {

// A "<" without its ">" this far on is a character, not a tag.
constexpr std::size_t kLongestTag = 32;

bool twoNumbers(std::string_view aText, int* aFirst, int* aSecond)
{
    const std::size_t comma = aText.find(',');
    if (comma == std::string_view::npos) return false;
    *aFirst = std::atoi(std::string(aText.substr(0, comma)).c_str());
    *aSecond = std::atoi(std::string(aText.substr(comma + 1)).c_str());
    return true;
}

}  // namespace

std::string TBocaTicket::readable() const
{
    std::string out;
    char buf[96];
    for (const TBocaPrintField& f : fields) {
        const std::string font = f.storedFont ? "stored" : "F" + std::to_string(f.font);
        std::snprintf(buf, sizeof buf, "%3d deg r%04d c%04d %-6s %dx%d  ", f.rotation, f.row, f.column, font.c_str(),
                      f.height, f.width);
        out += buf;
        if (f.barcode) out += "[bar code " + f.barcodeTags + "] ";
        out += f.text + "\n";
    }
    for (const std::string& n : notes) out += n + "\n";
    out += cut ? "<PRINT AND CUT>\n" : "<PRINT, NO CUT>\n";
    return out;
}

const TBocaPrintField* TBocaTicket::at(int aRow, int aColumn) const
{
    for (const TBocaPrintField& f : fields)
        if (f.row == aRow && f.column == aColumn) return &f;
    return nullptr;
}

void TBocaDecoder::feed(std::string_view aBytes)
{
    pending_.append(aBytes);
    std::size_t pos = 0;
    while (pos < pending_.size()) {
        if (pending_[pos] != '<') {
            const std::size_t next = std::min(pending_.find('<', pos), pending_.size());
            if (inText_) text_.append(pending_, pos, next - pos);
            else ticket_.notes.push_back("<stray " + HexNote(std::string_view(pending_).substr(pos, next - pos)) + ">");
            pos = next;
            continue;
        }
        const std::size_t close = pending_.find('>', pos);
        if (close == std::string::npos) {
            if (pending_.size() - pos < kLongestTag) break;  // the rest of the tag is still coming
            if (inText_) text_ += '<';
            ++pos;
            continue;
        }
        tag(std::string_view(pending_).substr(pos + 1, close - pos - 1));
        pos = close + 1;
    }
    pending_.erase(0, pos);
}

void TBocaDecoder::endField()
{
    if (!inField_) return;
    field_.text = FromCp949(text_);
    ticket_.fields.push_back(field_);
    inField_ = inText_ = false;
    text_.clear();
}

void TBocaDecoder::tag(std::string_view t)
{
    auto newField = [this](int aRotation) {
        endField();
        field_ = TBocaPrintField{};
        field_.rotation = aRotation;
        inField_ = true;
    };
    if (t == "S1") {
        if (onStatusRequest) onStatusRequest();
    } else if (t == "dpl") {
        if (onStart) onStart();
    } else if (t == "CB") {
        endField();
        if (!ticket_.fields.empty()) ticket_.notes.push_back("<cleared before printing>");
        ticket_.fields.clear();
    } else if (t == "NR" || t == "RR" || t == "RU" || t == "RL") {
        newField(t == "NR" ? 0 : t == "RR" ? 90 : t == "RU" ? 180 : 270);
    } else if (inField_ && t.starts_with("RC") && twoNumbers(t.substr(2), &field_.row, &field_.column)) {
        // the place is set
    } else if (inField_ && t.starts_with("HW") && twoNumbers(t.substr(2), &field_.height, &field_.width)) {
        // the magnification is set
    } else if (inField_ && t == "SF1") {
        field_.storedFont = true;
        inText_ = true;
    } else if (inField_ && t.size() > 1 && t[0] == 'F' && std::isdigit(static_cast<unsigned char>(t[1]))) {
        field_.font = std::atoi(std::string(t.substr(1)).c_str());
        inText_ = true;
    } else if (inText_ && (t.starts_with("NL") || t.starts_with("X"))) {
        field_.barcode = true;
        field_.barcodeTags += "<" + std::string(t) + ">";
    } else if (t == "p" || t == "q") {
        endField();
        ticket_.cut = t == "p";
        TBocaTicket done = std::move(ticket_);
        ticket_ = TBocaTicket{};
        if (onTicket) onTicket(std::move(done));
    } else {
        endField();
        ticket_.notes.push_back("<unknown tag <" + std::string(t) + ">>");
    }
}

}  // namespace pos::virt
