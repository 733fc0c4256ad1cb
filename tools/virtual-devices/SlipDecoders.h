#pragma once
// Decoders of the small devices: the customer display's two lines and the
// card-slip frames of the EasyCheck terminal.

#include <functional>
#include <string>
#include <string_view>

namespace pos::virt {

class TDisplayDecoder {
public:
    std::function<void()> onChange;  // after a clear or a line was written

    void feed(std::string_view aBytes);
    const std::string& line1() const { return line1_; }  // UTF-8
    const std::string& line2() const { return line2_; }
    // The display as a person sees it: two lines of 20 columns in a frame.
    std::string readable() const;

private:
    std::string pending_;
    std::string line1_, line2_;
};

class TEasyCheckDecoder {
public:
    // A whole frame (STX ... ETX), with its readable text.
    std::function<void(const std::string& aFrame, const std::string& aReadable)> onFrame;

    void feed(std::string_view aBytes);
    // The slip as text: the control bytes dropped, each field line on a line.
    static std::string Readable(std::string_view aFrame);

private:
    std::string pending_;
};

}  // namespace pos::virt
