#include "SlipDecoders.h"

#include "core/Codec.h"
#include "core/TextHelpers.h"

namespace pos::virt {

void TDisplayDecoder::feed(std::string_view aBytes)
{
    pending_.append(aBytes);
    std::size_t pos = 0;
    while (pos < pending_.size()) {
        const char c = pending_[pos];
        if (c == '\x0c') {
            line1_.clear();
            line2_.clear();
            ++pos;
            if (onChange) onChange();
            continue;
        }
        if (c == '\x1b') {
            if (pending_.size() - pos < 3) break;
            const std::size_t end = pending_.find('\r', pos + 3);
            if (end == std::string::npos) break;
            const std::string text = FromCp949(std::string_view(pending_).substr(pos + 3, end - pos - 3));
            if (pending_[pos + 1] == 'Q' && pending_[pos + 2] == 'A') line1_ = text;
            else if (pending_[pos + 1] == 'Q' && pending_[pos + 2] == 'B') line2_ = text;
            pos = end + 1;
            if (onChange) onChange();
            continue;
        }
        ++pos;  // nothing else means anything to the display
    }
    pending_.erase(0, pos);
}

std::string TDisplayDecoder::readable() const
{
    const std::string edge = "+" + std::string(20, '-') + "+\n";
    return edge + "|" + RPad(line1_, 20) + "|\n|" + RPad(line2_, 20) + "|\n" + edge;
}

void TEasyCheckDecoder::feed(std::string_view aBytes)
{
    pending_.append(aBytes);
    while (true) {
        const std::size_t start = pending_.find('\x02');
        if (start == std::string::npos) {
            pending_.clear();
            return;
        }
        const std::size_t end = pending_.find('\x03', start);
        if (end == std::string::npos) {
            pending_.erase(0, start);
            return;
        }
        const std::string frame = pending_.substr(start, end - start + 1);
        pending_.erase(0, end + 1);
        if (onFrame) onFrame(frame, Readable(frame));
    }
}

std::string TEasyCheckDecoder::Readable(std::string_view aFrame)
{
    std::string body(aFrame);
    if (body.rfind("\x02\x11" "1", 0) == 0) body.erase(0, 3);
    if (body.size() >= 3 && body.compare(body.size() - 3, 3, "\x11" "2" "\x03") == 0) body.resize(body.size() - 3);
    std::string text;
    for (char c : body)
        if (c != '\x0e' && c != '\x0f') text += c;
    text = Replace(text, "\n\n", "\n");
    return FromCp949(text);
}

}  // namespace pos::virt
