#pragma once
// Decoder of the Star page mode the TSP800 prints tickets and receipts in:
// numbered fields placed on the page in dots, filled with text, rules drawn
// between two points, and the page printed (with or without a cut). Every
// page-mode command is ESC, a letter, its parameters and LF NUL:
//
//   ESC C                      clear the page
//   ESC D nnnn                 page length in dots
//   ESC P C nn;x,y,w,h,f,r,02  define field nn at (x, y): magnification w x h,
//                              font f, rotation r (00, 01, 02, 03: 0, 90, 180
//                              or 270 degrees)
//   ESC R C nn;text            fill field nn
//   ESC L nn;x1,y1,x2,y2,0,k   draw rule nn (k 2 single, 6 double)
//   ESC B [@]                  print the page; cut unless "@" follows
//   ESC I                      end of the page
//
// ESC ACK SOH is the automatic-status request, as in line mode. Bytes may
// arrive in any pieces.

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace pos::virt {

struct TPageField {
    int x = 0, y = 0;
    int width = 1, height = 1;  // magnification
    int font = 0;
    int rotation = 0;  // degrees
    bool filled = false;
    std::string text;  // UTF-8
};

struct TPageRule {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int kind = 0;  // 2 single, 6 double
};

struct TPagePrint {
    int length = 0;  // dots
    std::map<int, TPageField> fields;
    std::map<int, TPageRule> rules;
    bool cut = false;
    std::vector<std::string> notes;  // commands the decoder did not know
    // The page as a person reads it: the filled fields and the rules, top to
    // bottom, each with its place on the page.
    std::string readable() const;
    // The texts of the filled fields in reading order, one per line.
    std::string text() const;
};

class TStarPageDecoder {
public:
    std::function<void()> onStatusRequest;
    std::function<void(TPagePrint)> onPage;

    void feed(std::string_view aBytes);

private:
    // Decodes one command at the start of the pending bytes: the bytes it
    // took, 0 when more are needed.
    std::size_t step(std::string_view aBytes);
    void command(char aLetter, std::string_view aBody);

    std::string pending_;
    TPagePrint page_;
};

}  // namespace pos::virt
