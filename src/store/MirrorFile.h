#pragma once
// The mirror files of the master lists (written by the master-data download):
// "Cashier.dat", "Common.dat", "Upjang.dat", "Goods.dat", "MenuGroup.dat",
// "MenuSub.dat", "Menu.dat", "Pay.dat", "Calendar.dat", "DC.dat", "EtcDC.dat",
// "Company.dat".
//
// Bytes on disk: CP949, one record per line, lines ended by CR LF, every field
// followed by one TAB (so a line ends with a TAB). Text fields are written
// between single quotes; the numeric fields (cashier RemainDay,
// menu MenuNo and SaleUnitAmt, the guest-type discount numbers, the partner
// discount numbers, the tender code) are written bare and trimmed; goods
// amounts and all flags are written quoted like text. "Pay.dat" lines are
// "'" name "'" TAB code TAB; "Company.dat" is one line of the eight company
// header fields, quoted.
//
// Escaping (a TAB or line break inside a value would shift every later
// field): inside a written value TAB becomes the two
// characters \t, CR \r, LF \n and a backslash \\ . On reading only those four
// sequences are decoded; a backslash followed by anything else stays as it is.
// A file written by the old terminal whose values hold the text "\t", "\r",
// "\n" or "\\" literally would therefore read differently; such values do not
// occur in the resort's master data.
//
// Reading (one parser for every master file, ParseMirror below):
//   1. every line (CR LF, LF or a lone CR ends a line) makes one record;
//   2. the line is cut at each TAB; text after the last TAB is ignored;
//   3. each piece is trimmed of blanks; an empty piece leaves the item at its
//      default;
//   4. a piece longer than one byte that starts and ends with "'" loses them;
//   5. the four escapes are decoded and the piece is turned from CP949 into
//      UTF-8; it is then stored through the list's Set conversion.
// Damaged lines are reported, never dropped silently: a byte sequence that is
// not CP949 (the record is still loaded, the character becomes U+FFFD), a
// field count other than the record's (missing items keep their defaults,
// extra ones are ignored), text after the last TAB, an empty line (skipped).

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pos {

enum class TMirrorKind { Cashier, Common, Upjang, Goods, MenuGroup, MenuSub, Menu, Pay, Calendar, DC, EtcDC, Company };

// The file name ("Goods.dat") and the number of fields of a line.
std::string_view MirrorFileName(TMirrorKind aKind);
int MirrorFieldCount(TMirrorKind aKind);
// True when field aItem of the kind is written bare (unquoted, trimmed).
bool MirrorFieldBare(TMirrorKind aKind, int aItem);

// One reported problem of a mirror file: the file name, the 1-based line (or
// row, when writing; 0 for the whole file) and what is wrong.
struct TMirrorProblem {
    std::string File;
    int Line = 0;
    std::string Message;
};
std::string FormatMirrorProblem(const TMirrorProblem& aProblem);

// The four escapes of a written value, and their decoding.
std::string EscapeMirrorValue(std::string_view aValue);
std::string UnescapeMirrorValue(std::string_view aValue);

// Password scramble hooks: identity when empty. The login area installs
// EncryptPassword / DecryptPassword under the cashier-file key (login).
using TPasswordHook = std::function<std::string(const std::string&)>;

// Rows of server text values (UTF-8), one inner vector per record, in the
// server column order (which is the item order of the records), except:
//   Pay     rows are the server's [tender code, tender name];
//   Company has one row of the eight header fields.
using TMirrorRows = std::vector<std::vector<std::string>>;

// The one writer of mirror-file lines: a text value quoted, a number bare,
// each escaped and followed by a TAB; the line ended by CR LF and appended
// in CP949. Every writer of mirror files goes through it.
class TMirrorLineWriter {
public:
    explicit TMirrorLineWriter(TMirrorKind aKind) : kind_(aKind) {}
    // The value of item aItem, in item order.
    void Field(int aItem, std::string_view aValue);
    // Ends the line and appends it to aOut; false when a character CP949
    // cannot hold was written as the full-width question mark.
    bool EndLine(std::string& aOut);

private:
    TMirrorKind kind_;
    std::string line_;
};

// The CP949 bytes of a mirror file of that kind built from server rows. A row
// with fewer columns than the record is written with empty fields, extra
// columns are not written; both are reported. The cashier password (column 2)
// goes through aScramble. A character CP949 cannot hold is written as the
// full-width question mark and reported.
std::string BuildMirrorBytes(TMirrorKind aKind, const TMirrorRows& aRows, const TPasswordHook& aScramble = {},
                             std::vector<TMirrorProblem>* aProblems = nullptr);

// BuildMirrorBytes written to aFolder / MirrorFileName(aKind) through
// WriteFileAtomically. False with aError set when the file cannot be written.
bool WriteMirrorFile(const std::filesystem::path& aFolder, TMirrorKind aKind, const TMirrorRows& aRows,
                     const TPasswordHook& aScramble = {}, std::vector<TMirrorProblem>* aProblems = nullptr,
                     std::string* aError = nullptr);

// One field of a line being read. Present is false for an empty piece (the
// item keeps its default). Text is the UTF-8 value after trimming, quote
// removal and unescaping; when Owned is set Text views *Owned, which the
// reader may move from (it is rebuilt for the next line).
struct TMirrorPiece {
    std::string_view Text;
    std::string* Owned = nullptr;
    bool Present = false;
};

// Line-by-line reader over the bytes of one mirror file (the parser of the
// Part). The bytes must outlive the reader. Problems go to aProblems.
class TMirrorReader {
public:
    TMirrorReader(std::string_view aBytes, std::string aFileName, int aExpectedFields,
                  std::vector<TMirrorProblem>* aProblems);

    // Advances to the next line that makes a record; false at the end.
    bool Next();
    int LineNumber() const { return lineNo_; }
    // Number of fields (TABs) of the current line.
    int FieldCount() const { return static_cast<int>(count_); }
    // Piece aIndex (0 <= aIndex < FieldCount()) of the current line.
    TMirrorPiece& Piece(int aIndex) { return pieces_[static_cast<std::size_t>(aIndex)]; }
    // A number of lines the bytes hold at most (for reserving).
    static std::size_t CountLines(std::string_view aBytes);

private:
    // A piece as cut from the line, with what the scan saw inside it.
    struct RawPiece {
        const char* begin;
        std::size_t size;
        bool high;       // a byte >= 0x80 (needs CP949 decoding)
        bool backslash;  // may hold an escape
    };
    void report(std::string aMessage);
    // Cuts the next line into raw_ from pos_; false at the end of the bytes.
    bool cutLine(std::string_view& aTail);

    std::string_view bytes_;
    std::string file_;
    int expected_;
    std::vector<TMirrorProblem>* problems_;
    std::size_t pos_ = 0;
    int lineNo_ = 0;
    std::vector<RawPiece> raw_;  // pieces of the line as in the file
    std::vector<TMirrorPiece> pieces_;
    std::vector<std::string> owned_;
    std::size_t count_ = 0;
};

// "Pay.dat": the name is the trimmed text between the first quote and the
// quote before the first TAB, the code the integer in the field after that
// TAB, trimmed and read whole: every tender code is three digits or less, and a
// longer one is read whole rather than cut.
struct TMirrorPayEntry {
    std::string Name;
    std::int64_t Code = 0;
};
std::vector<TMirrorPayEntry> ParsePayFile(std::string_view aBytes, std::vector<TMirrorProblem>* aProblems = nullptr);

// "Company.dat": the eight fields of its first line, without their quotes,
// trimmed. Missing fields come back empty (reported).
std::vector<std::string> ParseCompanyFile(std::string_view aBytes, std::vector<TMirrorProblem>* aProblems = nullptr);

}  // namespace pos
