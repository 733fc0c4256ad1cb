#pragma once
// Decoder of the Boca ticket language (also spoken by the Flotec): commands
// are tags in angle brackets, a field's text follows its font tag up to the
// next tag.
//
//   <S1>                 status request (the printer answers one byte)
//   <dpl>                start command, sent once the printer is ready
//   <CB>                 clear: a new ticket begins
//   <NR> <RR> <RU> <RL>  a new field, rotated 0, 90, 180 or 270 degrees
//   <RCrow,column>       its place in dots
//   <HWh,w>              its magnification, height and width
//   <SF1>                the stored font (Korean); the text follows
//   <Fn>                 printer font n; the text follows
//   <NLn> <Xn>           inside a field's text: a bar code (the text between
//                        the two asterisks is the code)
//   <p>                  print the ticket and cut
//   <q>                  print the ticket without cutting (more follow)
//
// Bytes may arrive in any pieces.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pos::virt {

struct TBocaPrintField {
    int rotation = 0;
    int row = 0, column = 0;
    int height = 1, width = 1;
    int font = 0;  // 0 with storedFont
    bool storedFont = false;
    bool barcode = false;
    std::string barcodeTags;  // as sent, "<NL7><X2>"
    std::string text;         // UTF-8
};

struct TBocaTicket {
    std::vector<TBocaPrintField> fields;
    bool cut = false;
    std::vector<std::string> notes;  // tags the decoder did not know
    // One line per field in the order they came: rotation, place, font, size
    // and text.
    std::string readable() const;
    // The field at that place, or nullptr.
    const TBocaPrintField* at(int aRow, int aColumn) const;
};

class TBocaDecoder {
public:
    std::function<void()> onStatusRequest;
    std::function<void()> onStart;
    std::function<void(TBocaTicket)> onTicket;

    void feed(std::string_view aBytes);

private:
    void tag(std::string_view aTag);
    void endField();

    std::string pending_;
    TBocaTicket ticket_;
    bool inField_ = false;
    bool inText_ = false;
    TBocaPrintField field_;
    std::string text_;  // CP949 of the open field
};

}  // namespace pos::virt
