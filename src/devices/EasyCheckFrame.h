#pragma once
// The card-slip frame of the EasyCheck terminal on printer 2. The terminal
// prints the slip from fixed fields; the frame carries them in a fixed order
// with its own control bytes, and the terminal answers three ACKs.

#include <cstdint>
#include <string>
#include <string_view>

namespace pos {

// One slip as the payment record holds it (UTF-8 text).
struct TEasyCheckSlip {
    std::int64_t billNo = 0;
    bool agree = true;             // approval slip; false: cancellation slip
    std::int64_t amount = 0;       // won, as approved (made negative on a cancellation)
    std::string cardNo;            // as stored; masked here
    std::string validThru;         // expiry digits, "yymm"
    std::int64_t instalment = 0;   // months
    std::string approvalNo;
    std::string issuerName;
    std::string cardCompanyName;
    std::string merchantNo;
    std::string approvalDate;      // "yyyymmdd"
};

// The terminal and the outlet the slip is printed for.
struct TEasyCheckHeader {
    std::string upjangCode;        // gsMasterUpjangCode
    std::string posNo;             // gsMasterPosNo
    std::string ceoName, saupName, saupNo, address, tel;
    std::string cardTid;           // the outlet's card terminal id
    std::string cardTidName;       // its name among the terminal-id codes; empty when unknown
    std::string receiptRemark1;    // the outlet's first receipt remark
};

// Supply value (amount / 1.1, whole won, halves away from zero) and VAT.
struct TVatSplit {
    std::int64_t supply = 0;
    std::int64_t vat = 0;
};
TVatSplit SplitVat(std::int64_t aAmount);

// The instalment field: " **" for 0 or 1 month, else the months right-aligned
// in 11 columns and a blank.
std::string InstalmentText(std::int64_t aMonths);

// The whole frame, STX ... ETX, in CP949 bytes.
std::string BuildEasyCheckFrame(const TEasyCheckSlip& aSlip, const TEasyCheckHeader& aHeader);

// The terminal's answer: complete at three bytes, or as soon as a byte that is
// no ACK shows that the answer cannot be the acknowledgement.
bool EasyCheckReplyComplete(std::string_view aReceived);
bool IsEasyCheckAck(std::string_view aReceived);

inline constexpr std::string_view kEasyCheckAck{"\x06\x06\x06", 3};

}  // namespace pos
