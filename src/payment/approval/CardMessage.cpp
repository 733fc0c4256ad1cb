#include "payment/approval/CardMessage.h"

#include "core/Codec.h"
#include "core/IdentityNumbers.h"
#include "core/TextHelpers.h"

namespace pos {
namespace {

struct Field {
    int pos;    // first byte, counted from 1
    int width;  // bytes
};

// Request fields.
constexpr Field kAreaCode{1, 2}, kUpjangCode{3, 4}, kUpjangSeq{7, 8}, kSeqNo1{15, 4}, kSeqNo2{19, 4},
    kApproval{31, 2}, kKeyIn{33, 1}, kCardTrack2{34, 37}, kKeyedNumber{34, 29}, kKeyedExpiry{63, 8},
    kHalbuMonth{71, 2}, kSaleAmt{73, 8}, kOrgAgreeNo{81, 8}, kTerminalID{89, 10}, kSaleDate{99, 6},
    kMemberNo{105, 8}, kPhoneNo{113, 11};

// Response fields.
constexpr Field kHead{1, 30}, kAnswerKind{31, 2}, kErrCode{33, 4}, kCompCode{37, 3}, kCompName{40, 14},
    kBalgupsaName{54, 14}, kAgreeDate{68, 6}, kAgreeNo{81, 8}, kAgreeAmt{89, 8}, kNote{97, 64},
    kKamaengNo{161, 15};

// aValue (UTF-8) at its field: left-aligned, blank-padded, cut at the width
// (a Korean character cut in two becomes a blank).
void put(std::string& aBytes, Field aField, std::string_view aValue)
{
    const std::string cell = ToCp949(RPad(CopyStr(aValue, 1, aField.width), aField.width));
    aBytes.replace(static_cast<std::size_t>(aField.pos - 1), static_cast<std::size_t>(aField.width), cell);
}

std::string raw(const std::string& aBytes, Field aField)
{
    return aBytes.substr(static_cast<std::size_t>(aField.pos - 1), static_cast<std::size_t>(aField.width));
}

std::string get(const std::string& aBytes, Field aField) { return FromCp949(raw(aBytes, aField)); }
std::string getTrimmed(const std::string& aBytes, Field aField) { return TrimCopy(get(aBytes, aField)); }
std::int64_t getNumber(const std::string& aBytes, Field aField) { return StringToInteger(Trim(raw(aBytes, aField))); }

// Delphi's FormatFloat with a pattern of aDigits zeros.
std::string zeroFilled(std::int64_t aValue, int aDigits)
{
    const std::string digits = std::to_string(aValue < 0 ? -aValue : aValue);
    const std::string filled = LPad(digits, aDigits, '0');
    return aValue < 0 ? "-" + filled : filled;
}

}  // namespace

void TCardRequestText::ClearAll()
{
    bytes_.assign(kCardRequestLength, ' ');
    SetSeqNo1(0);
    SetSeqNo2(0);
    SetApproval(true);
    SetKeyIn(false);
    SetHalbuMonth(0);
    SetSaleAmt(0);
}

void TCardRequestText::SetAreaCode(std::string_view aValue) { put(bytes_, kAreaCode, aValue); }
void TCardRequestText::SetUpjangCode(std::string_view aValue) { put(bytes_, kUpjangCode, aValue); }
void TCardRequestText::SetUpjangSeq(std::string_view aValue) { put(bytes_, kUpjangSeq, aValue); }
void TCardRequestText::SetSeqNo1(std::int64_t aValue) { put(bytes_, kSeqNo1, zeroFilled(aValue, 4)); }
void TCardRequestText::SetSeqNo2(std::int64_t aValue) { put(bytes_, kSeqNo2, zeroFilled(aValue, 4)); }
void TCardRequestText::SetApproval(bool aApproval) { put(bytes_, kApproval, aApproval ? "D1" : "D2"); }
void TCardRequestText::SetKeyIn(bool aKeyIn) { put(bytes_, kKeyIn, aKeyIn ? "@" : "A"); }

void TCardRequestText::SetCardTrack2(std::string_view aValue)
{
    if (!KeyIn()) {
        put(bytes_, kCardTrack2, StripSentinels(aValue));
        return;
    }
    const std::size_t equals = aValue.find('=');
    const std::string_view number = equals == std::string_view::npos ? std::string_view{} : aValue.substr(0, equals);
    const std::string_view expiry = equals == std::string_view::npos ? std::string_view{} : aValue.substr(equals + 1);
    put(bytes_, kKeyedNumber, number);
    put(bytes_, kKeyedExpiry, expiry);
}

void TCardRequestText::SetHalbuMonth(std::int64_t aMonths)
{
    const std::int64_t months = aMonths < 2 ? 0 : aMonths > 99 ? 99 : aMonths;
    put(bytes_, kHalbuMonth, zeroFilled(months, 2));
}

void TCardRequestText::SetSaleAmt(std::int64_t aWon) { put(bytes_, kSaleAmt, zeroFilled(aWon, 8)); }

void TCardRequestText::SetOrgAgreeNo(std::string_view aValue)
{
    put(bytes_, kOrgAgreeNo, Approval() ? std::string_view{} : aValue);
}

void TCardRequestText::SetTerminalID(std::string_view aValue) { put(bytes_, kTerminalID, aValue); }
void TCardRequestText::SetSaleDate(std::string_view aDate) { put(bytes_, kSaleDate, CopyStr(aDate, 3, 6)); }
void TCardRequestText::SetMemberNo(std::string_view aValue) { put(bytes_, kMemberNo, aValue); }
void TCardRequestText::SetPhoneNo(std::string_view aValue) { put(bytes_, kPhoneNo, aValue); }

bool TCardRequestText::Approval() const { return raw(bytes_, kApproval) == "D1"; }
bool TCardRequestText::KeyIn() const { return raw(bytes_, kKeyIn) == "@"; }
std::string TCardRequestText::CardTrack2() const { return getTrimmed(bytes_, kCardTrack2); }
std::int64_t TCardRequestText::SaleAmt() const { return getNumber(bytes_, kSaleAmt); }
std::int64_t TCardRequestText::HalbuMonth() const { return getNumber(bytes_, kHalbuMonth); }
std::string TCardRequestText::OrgAgreeNo() const { return Approval() ? std::string{} : getTrimmed(bytes_, kOrgAgreeNo); }
std::string TCardRequestText::SaleDate() const { return "20" + get(bytes_, kSaleDate); }

TCardRequestText BuildCardRequest(const TCardServerRequest& aRequest)
{
    TCardRequestText text;
    text.SetUpjangCode(aRequest.UpjangCode);
    text.SetUpjangSeq(aRequest.UpjangSeq);
    text.SetSaleDate(aRequest.SaleDate);
    text.SetSeqNo1(aRequest.SeqNo1);
    text.SetSeqNo2(aRequest.SeqNo2);
    text.SetTerminalID(aRequest.TerminalID);
    text.SetSaleAmt(aRequest.SaleAmt);
    text.SetApproval(aRequest.Approval);
    text.SetKeyIn(aRequest.KeyIn);
    text.SetCardTrack2(aRequest.CardTrack2);
    text.SetHalbuMonth(aRequest.HalbuMonth);
    text.SetOrgAgreeNo(aRequest.OrgAgreeNo);
    return text;
}

void TCardResponseText::ClearAll()
{
    bytes_.assign(kCardResponseLength, ' ');
    bytes_.replace(0, kHead.width, TCardRequestText().Bytes().substr(0, kHead.width));
    put(bytes_, kAnswerKind, "D1");
    put(bytes_, kErrCode, kCardNoAnswerCode);
    put(bytes_, kAgreeAmt, "00000000");
}

bool TCardResponseText::Accept(std::string_view aBytes, bool aApproval)
{
    if (aBytes == bytes_) return true;  // the answer already held
    if (aBytes.size() == kCardResponseLength &&
        aBytes.substr(kAnswerKind.pos - 1, kAnswerKind.width) == (aApproval ? "D1" : "D2")) {
        bytes_ = std::string(aBytes);
        return true;
    }
    SetErrCode(kCardDataCode);
    SetNote(kCardDataNote);
    return false;
}

void TCardResponseText::SetErrCode(std::string_view aCode)
{
    put(bytes_, kErrCode, aCode == "    " ? std::string_view(kCardNoAnswerCode) : aCode);
}

void TCardResponseText::SetNote(std::string_view aNote) { put(bytes_, kNote, aNote); }

std::string TCardResponseText::ErrCode() const { return get(bytes_, kErrCode); }
std::string TCardResponseText::CompCode() const { return getTrimmed(bytes_, kCompCode); }
std::string TCardResponseText::CompName() const { return getTrimmed(bytes_, kCompName); }
std::string TCardResponseText::BalgupsaName() const { return getTrimmed(bytes_, kBalgupsaName); }
std::string TCardResponseText::AgreeDate() const { return "20" + get(bytes_, kAgreeDate); }
std::string TCardResponseText::AgreeNo() const { return getTrimmed(bytes_, kAgreeNo); }
std::int64_t TCardResponseText::AgreeAmt() const { return getNumber(bytes_, kAgreeAmt); }
std::string TCardResponseText::Note() const { return getTrimmed(bytes_, kNote); }
std::string TCardResponseText::KamaengNo() const { return getTrimmed(bytes_, kKamaengNo); }

}  // namespace pos
