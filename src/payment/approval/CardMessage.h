#pragma once
// The two fixed-width messages of the card server line: the 123-character
// request and the 213-character response. Both are kept as CP949 bytes, the
// way they travel; every field is read and written at its byte position (the
// positions below count from 1, as the line's layout is written down).
// Writing a field puts the value left-aligned at its position, padded with
// spaces to the field's width and cut at the width without splitting a
// Korean character. Reading gives UTF-8.
//
// Request (followed by CR LF on the line):
//    1- 2 AreaCode    3- 6 UpjangCode   7-14 UpjangSeq   15-18 SeqNo1 "0000"
//   19-22 SeqNo2 "0000"  23-30 spaces   31-32 "D1"/"D2"  33 KeyIn "@"/"A"
//   34-70 CardTrack2 (keyed in: 34-62 number, 63-70 expiry)
//   71-72 HalbuMonth "00"  73-80 SaleAmt "00000000"  81-88 OrgAgreeNo
//   89-98 TerminalID  99-104 SaleDate YYMMDD  105-112 MemberNo  113-123 PhoneNo
//
// Response:
//    1-30 not read  31-32 "D1"/"D2"  33-36 ErrCode ("0000" approved)
//   37-39 CompCode  40-53 CompName  54-67 BalgupsaName  68-73 AgreeDate YYMMDD
//   74-80 not read  81-88 AgreeNo  89-96 AgreeAmt  97-160 Note
//   161-175 KamaengNo  176-213 not read
//
// Pure functions and values: no sockets, no clock.

#include <cstdint>
#include <string>
#include <string_view>

namespace pos {

inline constexpr int kCardRequestLength = 123;
inline constexpr int kCardResponseLength = 213;

// The code of a response that holds no answer yet.
inline constexpr const char* kCardNoAnswerCode = ">.<;";
inline constexpr const char* kCardApprovedCode = "0000";

// What a caller puts into one request, in the order the fields are written.
struct TCardServerRequest {
    std::string UpjangCode;    // outlet code
    std::string UpjangSeq;     // POS number
    std::string SaleDate;      // "yyyymmdd"; sent as its characters 3 to 8
    std::int64_t SeqNo1 = 0;   // bill number
    std::int64_t SeqNo2 = 1;   // sequence within the bill
    std::string TerminalID;    // the outlet's card terminal ID
    std::int64_t SaleAmt = 0;  // whole won, positive
    bool Approval = true;      // true "D1" approval, false "D2" cancellation
    bool KeyIn = false;        // keyed-in card: CardTrack2 is number "=" expiry
    std::string CardTrack2;    // swiped: the track 2 data; keyed in: number "=" expiry
    std::int64_t HalbuMonth = 0;
    std::string OrgAgreeNo;    // original approval number of a cancellation
};

// The request being built. Field order matters where one field depends on
// another: KeyIn before CardTrack2, Approval before OrgAgreeNo.
class TCardRequestText {
public:
    TCardRequestText() { ClearAll(); }

    // Back to the empty request: 14 spaces, "00000000", 8 spaces, "D1A",
    // 37 spaces, "0000000000", spaces to the end.
    void ClearAll();

    void SetAreaCode(std::string_view aValue);
    void SetUpjangCode(std::string_view aValue);
    void SetUpjangSeq(std::string_view aValue);
    void SetSeqNo1(std::int64_t aValue);
    void SetSeqNo2(std::int64_t aValue);
    void SetApproval(bool aApproval);
    void SetKeyIn(bool aKeyIn);
    // Swiped: the whole track (sentinels dropped) at 34-70. Keyed in: what
    // stands before the first "=" at 34-62 and what follows it at 63-70;
    // without "=" both stay blank.
    void SetCardTrack2(std::string_view aValue);
    // Below 2 months is a lump sum "00"; above 99 is sent as 99.
    void SetHalbuMonth(std::int64_t aMonths);
    void SetSaleAmt(std::int64_t aWon);
    // Blank on an approval, whatever is written.
    void SetOrgAgreeNo(std::string_view aValue);
    void SetTerminalID(std::string_view aValue);
    void SetSaleDate(std::string_view aDate);
    void SetMemberNo(std::string_view aValue);
    void SetPhoneNo(std::string_view aValue);

    bool Approval() const;
    bool KeyIn() const;
    std::string CardTrack2() const;  // 34-70 trimmed
    std::int64_t SaleAmt() const;
    std::int64_t HalbuMonth() const;
    std::string OrgAgreeNo() const;  // empty on an approval
    std::string SaleDate() const;    // "20" + 99-104

    // The 123 CP949 bytes.
    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
};

// A whole request built in the calling order of every caller.
TCardRequestText BuildCardRequest(const TCardServerRequest& aRequest);

// The response: the empty one until an answer is accepted.
class TCardResponseText {
public:
    TCardResponseText() { ClearAll(); }

    // Back to the empty response: the empty request's first 30 characters,
    // "D1", ">.<;", "00000000" at 89-96, spaces elsewhere.
    void ClearAll();

    // Takes aBytes as the response when it is 213 bytes whose 31-32 are
    // "D1" for an approval (aApproval) or "D2" for a cancellation; anything
    // else turns the response into the failure "DATA". False in that case.
    bool Accept(std::string_view aBytes, bool aApproval);

    // Written by the client itself for its own failures. Four spaces store
    // ">.<;" (no answer).
    void SetErrCode(std::string_view aCode);
    void SetNote(std::string_view aNote);

    std::string ErrCode() const;
    std::string CompCode() const;
    std::string CompName() const;
    std::string BalgupsaCode() const { return {}; }  // the line carries none
    std::string BalgupsaName() const;
    std::string AgreeDate() const;  // "20" + 68-73
    std::string AgreeNo() const;    // trimmed
    std::int64_t AgreeAmt() const;
    std::string Note() const;       // trimmed
    std::string KamaengNo() const;

    bool Approved() const { return ErrCode() == kCardApprovedCode; }
    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
};

inline constexpr const char* kCardDataCode = "DATA";
inline constexpr const char* kCardDataNote = "수신 데이터에 이상이 있습니다.";

}  // namespace pos
