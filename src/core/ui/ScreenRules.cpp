#include "core/ui/ScreenRules.h"

#include <cstdio>

namespace pos {

void TFooterMessage::Show(const std::string& aMsg, int aDispTime)
{
    text_ = aMsg;
    dispTime_ = aMsg.empty() ? -1 : aDispTime;
}

bool TFooterMessage::Tick()
{
    if (dispTime_ > 0) --dispTime_;
    if (dispTime_ != 0) return false;
    Show(std::string(), 0);
    return true;
}

bool TSelfCloseCount::Tick()
{
    if (!Running()) return false;
    if (count_ >= showSecond_) return true;
    ++count_;
    return false;
}

std::string FieldPrompt(const std::string& aLabelCaption)
{
    std::string caption;
    for (char c : aLabelCaption)
        if (c != ' ' && c != '\t' && c != '&' && c != '\r' && c != '\n') caption += c;
    return caption + "을(를) 입력하십시오.";
}

TFieldEntry FieldEntry(bool aReadOnly, bool aBlue, int aTag)
{
    return (aReadOnly || aBlue) && aTag == 0 ? TFieldEntry::PassOver : TFieldEntry::Stop;
}

std::string FooterTimeText(int aHour, int aMinute, const std::string& aAm, const std::string& aPm)
{
    const int hour12 = aHour % 12 == 0 ? 12 : aHour % 12;
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d:%02d", hour12, aMinute);
    return (aHour < 12 ? aAm : aPm) + buf;
}

}  // namespace pos
