#include "payment/Remarks.h"

#include "core/TextHelpers.h"

namespace pos {

namespace {

constexpr int kRemarkBytes = 30;

// Characters of a UTF-8 text (a Hangul syllable is one).
int characters(std::string_view aText)
{
    int count = 0;
    for (const char c : aText)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}

}  // namespace

std::string RemarkNotice(const std::string& aCaption, bool aDefMsg)
{
    return aDefMsg ? "'" + aCaption + "' 사유를 입력하십시오." : aCaption;
}

std::string RemarkRefusal(std::string_view aText, int aMustInputSize)
{
    if (aMustInputSize <= 0 || characters(Trim(aText)) >= aMustInputSize) return {};
    return "사유를 " + std::to_string(aMustInputSize) + " 글자 이상 입력하셔야 합니다.";
}

std::string RemarkKept(std::string_view aText)
{
    std::string kept = CopyStr(aText, 1, kRemarkBytes);
    while (!kept.empty() && kept.back() == ' ') kept.pop_back();
    return kept;
}

}  // namespace pos
