#pragma once
// The one place where text changes encoding. In memory text is UTF-8; the
// files the terminal owns and the bytes sent to devices are CP949, where a
// Korean character takes two bytes and an ASCII character one. Widths,
// padding and cutting are counted in those CP949 bytes (which are also
// printer columns), so the width helpers live here too.

#include <cstddef>
#include <string>
#include <string_view>

namespace pos {

// CP949 bytes to UTF-8. A byte that does not begin a CP949 character (a stray
// trail byte, a lead byte whose next byte cannot finish it, a lead byte at the
// end) becomes U+FFFD and sets *aBad when given; the byte after such a lead
// byte is read on its own.
std::string FromCp949(std::string_view aCp949, bool* aBad = nullptr);

// UTF-8 to CP949 bytes. A character CP949 cannot hold becomes the two-byte
// full-width question mark, so the printed width stays what Cp949Width said;
// a byte that is not UTF-8 becomes '?'.
std::string ToCp949(std::string_view aUtf8);

// True when the text is plain ASCII (both encodings agree byte for byte).
bool IsAscii(std::string_view aText);

// One character of a UTF-8 text: its byte length in the UTF-8 text and its
// width in CP949 bytes (1 for ASCII and for a byte that is not UTF-8, 2 for
// everything else).
struct CharStep {
    std::size_t utf8Len;
    int width;
};
CharStep NextChar(std::string_view aUtf8, std::size_t aPos);

// Width of a UTF-8 text in CP949 bytes.
int Cp949Width(std::string_view aUtf8);

}  // namespace pos
