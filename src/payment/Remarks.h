#pragma once
// The rules of the reason dialog ("사유"): its notice, the minimum it takes
// and what of the text is kept.

#include <string>
#include <string_view>

namespace pos {

// aCaption itself, or "'" + aCaption + "' 사유를 입력하십시오." with aDefMsg.
std::string RemarkNotice(const std::string& aCaption, bool aDefMsg);

// Empty when aText (blanks trimmed) has at least aMustInputSize characters;
// otherwise the refusal "사유를 N 글자 이상 입력하셔야 합니다.".
std::string RemarkRefusal(std::string_view aText, int aMustInputSize);

// What a confirmed reason keeps: its first 30 bytes (CP949), never half a
// character.
std::string RemarkKept(std::string_view aText);

}  // namespace pos
