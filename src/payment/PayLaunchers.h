#pragma once
// The screens the payment screen opens: the guest look-up lists of the room,
// locker and group tenders and the reason dialog of house credit. Each runs
// modally and answers false when nothing was chosen (or the dialog was
// cancelled), leaving its arguments as they were.

#include <string>

namespace pos {

// The group contract chosen on the contract list.
struct TEventChoice {
    std::string EventNo, EventName;
    std::string MemberNo;  // the group's number
    std::string MemberCode, MemberCodeName, GuestType;
};

class TPayLaunchers {
public:
    virtual ~TPayLaunchers() = default;

    // "호텔 투숙객 조회": aRoomNo in is the search text, out the chosen room.
    virtual bool GetRoomList(std::string& aRoomNo) = 0;
    // "Golf 내장객": aLockerNo in is the search text; out the chosen locker
    // and its player's member number. aMustCome: only players on the course.
    virtual bool GetGolfList(std::string& aLockerNo, std::string& aMemberNo, bool aMustCome) = 0;
    // "단체 계약 사항": the chosen group contract.
    virtual bool GetEventList(TEventChoice& aChoice) = 0;
    // "사유": the notice is aCaption, or "'" + aCaption + "' 사유를 입력하십시오."
    // with aDefMsg; the edit starts with aRemarks; a confirmation needs at
    // least aMustInputSize characters (blanks trimmed). Confirmed: aRemarks
    // takes the first 30 bytes of the text and the answer is true.
    virtual bool GetRemarks(const std::string& aCaption, std::string& aRemarks, int aMustInputSize, bool aDefMsg) = 0;
};

}  // namespace pos
