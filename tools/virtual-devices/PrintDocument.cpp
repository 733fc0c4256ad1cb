#include "PrintDocument.h"

#include "core/Codec.h"

namespace pos::virt {

void TDocumentBuilder::text(std::string_view aCp949)
{
    if (!textBytes_.empty() && !(textAttrs_ == attrs)) flushText();
    if (textBytes_.empty()) {
        textAttrs_ = attrs;
        if (line_.runs.empty()) line_.align = align;
    }
    textBytes_.append(aCp949);
}

void TDocumentBuilder::flushText()
{
    if (textBytes_.empty()) return;
    const std::string utf8 = FromCp949(textBytes_);
    textBytes_.clear();
    doc_.readable += utf8;
    if (!line_.runs.empty() && line_.runs.back().attrs == textAttrs_) line_.runs.back().text += utf8;
    else line_.runs.push_back({utf8, textAttrs_});
}

void TDocumentBuilder::endLine()
{
    flushText();
    if (line_.runs.empty()) line_.align = align;
    doc_.lines.push_back(std::move(line_));
    line_ = TPrintLine{};
    doc_.readable += '\n';
}

void TDocumentBuilder::closeOpenLine()
{
    // The printer prints what it holds before a logo or a cut, though no line
    // end was sent; the readable text shows the bytes as they came.
    flushText();
    if (line_.runs.empty()) return;
    doc_.lines.push_back(std::move(line_));
    line_ = TPrintLine{};
}

void TDocumentBuilder::logo(int aNumber)
{
    closeOpenLine();
    TPrintLine logoLine;
    logoLine.align = TAlign::Center;
    logoLine.logo = aNumber;
    doc_.lines.push_back(logoLine);
    doc_.readable += "<LOGO " + std::to_string(aNumber) + ">";
}

void TDocumentBuilder::feed(int aDots)
{
    flushText();
    line_.feedDots += aDots;
    doc_.readable += "<FEED " + std::to_string(aDots) + ">";
}

TPrintDocument TDocumentBuilder::cut(std::string aKind)
{
    closeOpenLine();
    doc_.readable += "<CUT " + aKind + ">\n";
    doc_.cut = std::move(aKind);
    TPrintDocument done = std::move(doc_);
    doc_ = TPrintDocument{};
    line_ = TPrintLine{};
    return done;
}

TPrintDocument TDocumentBuilder::snapshot() const
{
    TDocumentBuilder copy = *this;
    copy.closeOpenLine();
    return copy.doc_;
}

}  // namespace pos::virt
