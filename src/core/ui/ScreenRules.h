#pragma once
// The timing and field rules of the screens, apart from the screens: the
// footer message countdown, the self-closing message box, the field prompt
// and which fields the focus passes over.

#include <string>

namespace pos {

// Footer message of a screen: untimed (-1), counting down, or cleared.
class TFooterMessage {
public:
    // A non-empty message with aDispTime seconds; an empty one clears.
    void Show(const std::string& aMsg, int aDispTime);
    // One tick of the screen's one-second timer; true when it cleared the
    // message. A message shown for 10 seconds goes on the 10th tick, so 10 to
    // 11 seconds after it appeared.
    bool Tick();
    const std::string& Text() const { return text_; }
    int DispTime() const { return dispTime_; }

private:
    std::string text_;
    int dispTime_ = -1;
};

// A message box's self-closing count. Each tick of its one-second timer counts
// up until the count reaches aShowSecond; the next tick closes the box, which
// therefore closes after aShowSecond + 1 seconds. Below 1 it never closes.
class TSelfCloseCount {
public:
    explicit TSelfCloseCount(int aShowSecond) : showSecond_(aShowSecond) {}
    bool Running() const { return showSecond_ > 0; }
    // True when this tick closes the box.
    bool Tick();
    int Count() const { return count_; }

private:
    int showSecond_;
    int count_ = 0;
};

// Footer prompt of a field: the caption of its label with every blank removed
// and "을(를) 입력하십시오." after it.
std::string FieldPrompt(const std::string& aLabelCaption);

// Whether the focus stops at a field when it enters: an input field that is
// read-only, or painted blue ($FF0000), is passed over unless its tag is set.
enum class TFieldEntry { Stop, PassOver };
TFieldEntry FieldEntry(bool aReadOnly, bool aBlue, int aTag);

// Footer clock: the morning/afternoon word, then hours (12-hour clock, 12 for
// 0) and minutes: "오후03:05".
std::string FooterTimeText(int aHour, int aMinute, const std::string& aAm = "오전", const std::string& aPm = "오후");

}  // namespace pos
