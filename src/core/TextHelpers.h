#pragma once
// Text helpers of the terminal. Every length, pad and cut is counted in CP949
// bytes (printer columns) over UTF-8 text and never splits a character.

#include <cstdint>
#include <string>
#include <string_view>

namespace pos {

// 0 for blank text; the decimal value of the text, leading blanks allowed;
// 0 for anything else (trailing blanks included). Never fails.
std::int64_t StringToInteger(std::string_view aValue);

// Keeps only "0".."9" and "A".."Z".
std::string GetOnlyNumber(std::string_view aStr);

// Every aSourceChar replaced by aDestChar; a destination of '\0' deletes.
std::string ChangeSubChar(std::string_view aStr, char aSourceChar, char aDestChar);

// Pads to aLength CP949 bytes; text already that wide or wider is unchanged.
std::string RPad(std::string_view aStr, int aLength, char aPadChar = ' ');
std::string LPad(std::string_view aStr, int aLength, char aPadChar = ' ');

// aCount CP949 bytes from byte position aIndex (1-based). A character cut by
// either end of the window is replaced by a blank, so the result is exactly
// aCount bytes wide when the text reaches that far and never holds half a
// character. Shorter text gives what there is.
std::string CopyStr(std::string_view aStr, int aIndex, int aCount);

// aStr centred in aTotalLen bytes (aTotalLen / 2 when aEnlargeX, for double
// width print); leading blanks only, cut with CopyStr.
std::string StringCenterAlign(std::string_view aStr, int aTotalLen, bool aEnlargeX);

// Every occurrence of aOld replaced, left to right, without re-scanning.
std::string Replace(std::string_view aStr, std::string_view aOld, std::string_view aNew);

// Blanks (space, tab) removed at both ends.
std::string_view Trim(std::string_view aStr);
std::string TrimCopy(std::string_view aStr);

// ASCII upper case; other bytes untouched.
std::string UpperAscii(std::string_view aStr);
bool EqualsNoCase(std::string_view a, std::string_view b);

}  // namespace pos
