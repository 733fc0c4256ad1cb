#pragma once
// What a virtual printer has printed: one document per piece of paper (ended
// by a cut), as lines of runs with their print attributes, and as readable
// text in the terminal's own markup, so a person (or a test) can compare it
// with what the terminal meant to print.

#include <string>
#include <string_view>
#include <vector>

namespace pos::virt {

enum class TAlign { Left, Center, Right };

struct TPrintAttrs {
    bool bold = false;
    bool highlight = false;
    bool underline = false;
    int width = 1;   // character width factor
    int height = 1;  // character height factor
    bool operator==(const TPrintAttrs&) const = default;
};

struct TPrintRun {
    std::string text;  // UTF-8
    TPrintAttrs attrs;
};

struct TPrintLine {
    TAlign align = TAlign::Left;
    std::vector<TPrintRun> runs;
    int logo = 0;  // a stored logo printed on this line (its number), 0: none
    int feedDots = 0;
};

struct TPrintDocument {
    std::vector<TPrintLine> lines;
    std::string readable;  // markup text, one printed line per text line
    std::string cut;       // "partial", "feed and partial", "full"; empty: not cut yet
};

// Builds documents from decoded commands. Both printer decoders feed it.
class TDocumentBuilder {
public:
    TPrintAttrs attrs;
    TAlign align = TAlign::Left;

    // CP949 bytes of text in the current attributes.
    void text(std::string_view aCp949);
    // A command shown in the readable text as it is written in the markup (or
    // as a note in angle brackets).
    void note(std::string_view aReadable) { flushText(); doc_.readable += aReadable; }
    void endLine();
    void logo(int aNumber);
    void feed(int aDots);
    // Ends the document with a cut; returns it and starts the next one.
    TPrintDocument cut(std::string aKind);

    const TPrintDocument& current() const { return doc_; }
    bool empty() const { return doc_.lines.empty() && line_.runs.empty() && textBytes_.empty() && doc_.readable.empty(); }
    // The document so far, the open line included (for a printer that is
    // stopped before it cut).
    TPrintDocument snapshot() const;

private:
    void flushText();
    void closeOpenLine();

    TPrintDocument doc_;
    TPrintLine line_;
    std::string textBytes_;
    TPrintAttrs textAttrs_;
};

}  // namespace pos::virt
