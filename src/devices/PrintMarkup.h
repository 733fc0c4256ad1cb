#pragma once
// The print markup and the byte streams of the receipt printers.
//
// Documents are composed as UTF-8 text with three-character tags ("{B}",
// "{Z}", ...) and lines ended by a carriage return. The functions here turn
// such a text into the exact bytes one printer kind needs: CP949 text (through
// the codec, never cut) with the tags replaced by that printer's commands.
// Nothing here touches a port; the transports send what these return.

#include <string>
#include <string_view>
#include <vector>

namespace pos {

// One markup tag and its commands on the Star line-mode printers and on the
// ESC/POS kitchen printer (empty: the tag is not replaced and prints as text).
struct TMarkupTag {
    std::string_view tag;
    std::string_view star;
    std::string_view escPos;
};

// The twelve tags, in the order the Star job replaces them.
const std::vector<TMarkupTag>& MarkupTags();

// Every known tag replaced by its Star (ESC/POS) command; other braces stay.
// The input is CP949 bytes; a tag is plain ASCII, which a CP949 trail byte can
// never complete, so replacing on the bytes is safe.
std::string ReplaceStarTags(std::string_view aCp949);
std::string ReplaceEscPosTags(std::string_view aCp949);
// All twelve tags removed (texts kept for ticket jobs).
std::string StripMarkupTags(std::string_view aText);

namespace star {
inline constexpr std::string_view kInit{"\x1b\x40", 2};
inline constexpr std::string_view kLogo1{"\x1b\x1c\x70\x01\x30", 5};
inline constexpr std::string_view kCutHere{"\x1b\x64\x31", 3};
inline constexpr std::string_view kFeedAndCut{"\x1b\x64\x33", 3};
inline constexpr std::string_view kStatusRequest{"\x1b\x06\x01", 3};
}  // namespace star

namespace escpos {
inline constexpr std::string_view kInit{"\x1b\x40", 2};
inline constexpr std::string_view kFeedZero{"\x1b\x4a\x00", 3};
inline constexpr std::string_view kPartialCut{"\x1d\x56\x01", 3};
}  // namespace escpos

// The whole Star job for aUtf8Text: initialise, the text, stored logo 1, the
// cut (at once, or after feeding to the cutter), then the outlet's two receipt
// remarks, each followed by a line end when it is not empty (they print at the
// head of the next paper). Tags replaced, every CR made CR LF. CP949 bytes.
std::string ComposeStarJob(std::string_view aUtf8Text, bool aCutImmediate, std::string_view aRemark1Utf8,
                           std::string_view aRemark2Utf8);

// A composed job as it goes on the wire: split into lines (a line ends at CR,
// LF or CR LF; a line end at the very end opens no further line), each line
// followed by LF alone, gathered in blocks of aLinesPerBlock lines. The
// printers have small receive buffers, so the sender pauses after every full
// block.
struct TWireBlock {
    std::string bytes;
    int lines = 0;
};
inline constexpr int kLinesPerBlock = 20;
std::vector<TWireBlock> SplitIntoBlocks(std::string_view aJob, int aLinesPerBlock = kLinesPerBlock);

// The kitchen slip for the network printer: initialise, the text, three line
// ends, the title ("주방 주문 내역", or "SAMPLE" on the test database) centred
// for double width over 42 columns in double size, normal size, feed 0, the
// partial cut, every CR made CR LF, the four size tags replaced, and the CR LF
// the line write adds. Other tags print as they are. CP949 bytes, one write.
std::string ComposeSrp350Job(std::string_view aUtf8Text, bool aTestMode);

inline constexpr int kReceiptColumns = 42;

}  // namespace pos
