#include "devices/PrintMarkup.h"

#include "core/Codec.h"
#include "core/TextHelpers.h"

namespace pos {
namespace {

using namespace std::string_view_literals;

std::string crToCrLf(std::string_view aBytes) { return Replace(aBytes, "\r", "\r\n"); }

}  // namespace

const std::vector<TMarkupTag>& MarkupTags()
{
    static const std::vector<TMarkupTag> tags = {
        {"{N}", "\x1b\x46\x1b\x35\x1b\x2d\x30"sv, {}},
        {"{B}", "\x1b\x45"sv, {}},
        {"{I}", "\x1b\x34"sv, {}},
        {"{U}", "\x1b\x2d\x31"sv, {}},
        {"{L}", "\x1b\x1d\x61\x30"sv, {}},
        {"{C}", "\x1b\x1d\x61\x31"sv, {}},
        {"{R}", "\x1b\x1d\x61\x32"sv, {}},
        {"{S}", "\x1b\x69\x30\x30"sv, "\x1d\x21\x00"sv},
        {"{X}", "\x1b\x69\x30\x31"sv, "\x1d\x21\x10"sv},
        {"{Y}", "\x1b\x69\x31\x30"sv, "\x1d\x21\x01"sv},
        {"{Z}", "\x1b\x69\x31\x31"sv, "\x1d\x21\x11"sv},
        {"{3}", "\x1b\x69\x32\x32"sv, {}},
    };
    return tags;
}

std::string ReplaceStarTags(std::string_view aCp949)
{
    std::string out(aCp949);
    for (const TMarkupTag& t : MarkupTags()) out = Replace(out, t.tag, t.star);
    return out;
}

std::string ReplaceEscPosTags(std::string_view aCp949)
{
    std::string out(aCp949);
    for (const TMarkupTag& t : MarkupTags())
        if (!t.escPos.empty()) out = Replace(out, t.tag, t.escPos);
    return out;
}

std::string StripMarkupTags(std::string_view aText)
{
    std::string out(aText);
    for (const TMarkupTag& t : MarkupTags()) out = Replace(out, t.tag, "");
    return out;
}

std::string ComposeStarJob(std::string_view aUtf8Text, bool aCutImmediate, std::string_view aRemark1Utf8,
                           std::string_view aRemark2Utf8)
{
    std::string job(star::kInit);
    job += ToCp949(aUtf8Text);
    job += star::kLogo1;
    job += aCutImmediate ? star::kCutHere : star::kFeedAndCut;
    if (!aRemark1Utf8.empty()) job += ToCp949(aRemark1Utf8) + "\r";
    if (!aRemark2Utf8.empty()) job += ToCp949(aRemark2Utf8) + "\r";
    return crToCrLf(ReplaceStarTags(job));
}

std::vector<TWireBlock> SplitIntoBlocks(std::string_view aJob, int aLinesPerBlock)
{
    if (aLinesPerBlock < 1) aLinesPerBlock = 1;
    std::vector<TWireBlock> blocks;
    TWireBlock block;
    auto addLine = [&](std::string_view aLine) {
        block.bytes.append(aLine);
        block.bytes += '\n';
        if (++block.lines == aLinesPerBlock) {
            blocks.push_back(std::move(block));
            block = TWireBlock{};
        }
    };
    std::size_t start = 0;
    for (std::size_t i = 0; i < aJob.size(); ++i) {
        if (aJob[i] != '\r' && aJob[i] != '\n') continue;
        addLine(aJob.substr(start, i - start));
        if (aJob[i] == '\r' && i + 1 < aJob.size() && aJob[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < aJob.size()) addLine(aJob.substr(start));
    if (block.lines > 0) blocks.push_back(std::move(block));
    return blocks;
}

std::string ComposeSrp350Job(std::string_view aUtf8Text, bool aTestMode)
{
    const std::string title = StringCenterAlign(aTestMode ? "SAMPLE" : "주방 주문 내역", kReceiptColumns, true);
    std::string job(escpos::kInit);
    job += ToCp949(aUtf8Text);
    job += "\r\r\r{Z}";
    job += ToCp949(title);
    job += "{S}\r";
    job += escpos::kFeedZero;
    job += escpos::kPartialCut;
    job = ReplaceEscPosTags(crToCrLf(job));
    job += "\r\n";
    return job;
}

}  // namespace pos
