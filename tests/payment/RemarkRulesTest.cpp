// The reason dialog's rules: notice, minimum and what is kept.

#include "payment/Remarks.h"

#include <gtest/gtest.h>

namespace pos {
namespace {

TEST(RemarkRules, NoticeMinimumAndKeptText)
{
    EXPECT_EQ(RemarkNotice("외상 결제", true), "'외상 결제' 사유를 입력하십시오.");
    EXPECT_EQ(RemarkNotice("연회(단체)명을 입력하십시오.", false), "연회(단체)명을 입력하십시오.");

    EXPECT_EQ(RemarkRefusal("   ", 1), "사유를 1 글자 이상 입력하셔야 합니다.");
    EXPECT_EQ(RemarkRefusal(" 회 ", 2), "사유를 2 글자 이상 입력하셔야 합니다.");
    EXPECT_EQ(RemarkRefusal("회식", 2), "") << "two Hangul syllables are two characters";
    EXPECT_EQ(RemarkRefusal("", 0), "");

    // 30 bytes: 15 syllables; a syllable cut in half is dropped.
    EXPECT_EQ(RemarkKept("가나다라마바사아자차카타파하가나다"), "가나다라마바사아자차카타파하가");
    EXPECT_EQ(RemarkKept("a가나다라마바사아자차카타파하가나"), "a가나다라마바사아자차카타파하");
}

}  // namespace
}  // namespace pos
