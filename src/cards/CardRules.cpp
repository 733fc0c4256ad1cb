#include "cards/CardRules.h"

#include "core/TextHelpers.h"
#include "cards/IdentityRules.h"
#include "store/MasterStore.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <vector>

namespace pos {
namespace {

constexpr const char* kMsgCardExpired = "카드 유효기간이 만료되었습니다.";
constexpr const char* kMsgCardReissued =
    "재발급되어 사용중지된 카드입니다.\r새로 발급된 회원카드를 다시 읽으시거나,\r"
    "회원관리팀에서 회원카드를 재발급후 사용하십시오.";
constexpr const char* kMsgCardOwnerChanged =
    "명의변경된 회원카드이므로 사용할 수 없음니다.\r신규 발급 회원카드를 사용하시기 바람니다.\r"
    "회원관리팀에 문의하시기 바랍니다.";
// The server could not be asked although the terminal is on line: the card
// may be a blocked one, so it is not taken on trust.
constexpr const char* kMsgCardCountUnknown = "회원카드 발급 정보를 확인할 수 없습니다.\r전산팀에 문의하십시오.";
constexpr const char* kMsgBadTrack = "카드 마그네틱이 손상되었거나 정상적인 카드가 아닙니다.";
constexpr const char* kMsgBadMemberNo = "우대번호 형식이 맞지 않습니다.";

// Member numbers of this series belong to house cards that are never reissued.
constexpr std::string_view kUncheckedMemberSeries = "90999999";
// Card numbers are stored in 20 bytes.
constexpr std::size_t kCardNoWidth = 20;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool allDigits(std::string_view aText) { return std::all_of(aText.begin(), aText.end(), isDigit); }

std::string beforeEquals(std::string_view aText) { return std::string(aText.substr(0, aText.find('='))); }

// How a card number of a given length is printed: its groups (joined with
// "-") and the bytes [MaskFrom, MaskTo) that masking turns into "*".
struct TCardLayout {
    std::vector<std::size_t> Groups;  // empty: printed in one piece
    std::size_t MaskFrom, MaskTo;
};

TCardLayout cardLayout(std::size_t aLength)
{
    switch (aLength) {
    case 14: return {{4, 6, 4}, 10, 14};
    case 15: return {{4, 6, 5}, 10, 15};
    case 16: return {{4, 4, 4, 4}, 12, 16};
    default: break;
    }
    // Other card lengths (13, 17-19 and longer typed texts) show the issuer
    // prefix and the last four digits, like the receipts of other terminals.
    if (aLength >= 13) return {{6, aLength - 10, 4}, 6, aLength - 4};
    // Shorter texts are no card numbers the terminal knows; their last four
    // bytes are what could identify a card.
    return {{}, aLength > 4 ? aLength - 4 : 0, aLength};
}

std::string joinGroups(const std::string& aText, const std::vector<std::size_t>& aGroups)
{
    if (aGroups.empty()) return aText;
    std::string out;
    std::size_t at = 0;
    for (std::size_t size : aGroups) {
        if (!out.empty()) out += '-';
        out += aText.substr(at, size);
        at += size;
    }
    return out;
}

bool isMobileNo(std::string_view aText)
{
    static constexpr std::array<std::string_view, 6> kPrefixes = {"010", "011", "016", "017", "018", "019"};
    if ((aText.size() != 10 && aText.size() != 11) || !allDigits(aText)) return false;
    return std::find(kPrefixes.begin(), kPrefixes.end(), aText.substr(0, 3)) != kPrefixes.end();
}

std::string masked(std::string_view aText, bool aHide) { return aHide ? std::string(aText.size(), '*') : std::string(aText); }

}  // namespace

std::optional<TCreditTrack> ParseCreditTrack(std::string_view aTrackTwo)
{
    const std::string track = StripSentinels(aTrackTwo);
    const std::size_t equals = track.find('=');
    // "=" at byte 15, 16 or 17: a card number of 14 to 16 digits.
    if (equals == std::string::npos || equals < 14 || equals > 16) return std::nullopt;
    TCreditTrack card{track.substr(0, equals), track.substr(equals + 1, 4)};
    if (!allDigits(card.CardNo) || card.ValidThru.size() != 4 || !allDigits(card.ValidThru)) return std::nullopt;
    return card;
}

std::string GetCreditCardNo(std::string_view aTrackTwo)
{
    if (auto card = ParseCreditTrack(aTrackTwo)) return card->CardNo;
    return beforeEquals(StripSentinels(aTrackTwo)).substr(0, kCardNoWidth);
}

std::string CardToString(std::string_view aCardNo, bool aHideLastNo)
{
    std::string card(aCardNo);
    const TCardLayout layout = cardLayout(card.size());
    if (aHideLastNo)
        std::fill(card.begin() + std::ptrdiff_t(layout.MaskFrom), card.begin() + std::ptrdiff_t(layout.MaskTo), '*');
    return joinGroups(card, layout.Groups);
}

std::string CashToString(std::string_view aCashNo, bool aHideLastNo)
{
    const std::string text = StripSentinels(aCashNo);
    const std::size_t n = text.size();
    if (n == 0) return {};
    if (isMobileNo(text))
        return "휴대폰 : " + text.substr(0, 3) + "-" + text.substr(3, n - 7) + "-" + masked(text.substr(n - 4), aHideLastNo);
    if (CheckIDNo(text))
        return "주민등록번호 : " + text.substr(0, 6) + "-" + text.substr(6, 1) + masked(text.substr(7), aHideLastNo);
    if (CheckSaupNo(text))
        return "사업자번호 : " + text.substr(0, 3) + "-" + text.substr(3, 2) + "-" + masked(text.substr(5), aHideLastNo);
    // Anything else identifies the customer by a card, whose number is
    // printed masked whatever the caller asked.
    return "카드 : " + CardToString(GetCreditCardNo(text), true);
}

TCardRules::TCardRules(const TTerminalContext& aContext, const TMasterStore& aStore, DialogService& aDialogs)
    : context_(aContext), store_(aStore), dialogs_(aDialogs)
{
}

std::string TCardRules::GetCardNumber(std::string_view aText, std::int64_t& aCount) const
{
    const std::string card = StripSentinels(aText);
    aCount = 0;
    switch (card.size()) {
    case 10:
        // Employee card: 8-digit body and a 2-digit issue count.
        if (!card.starts_with("10")) return card;
        aCount = StringToInteger(card.substr(8, 2));
        return card.substr(0, 8) + "00";
    case 13:
        if (card.starts_with("600133") || card.starts_with("600233") || card.starts_with("600333"))
            return card.substr(4, 8) + "00";
        return card;
    case 23:
    case 24:
        // A text of member-card length that holds "=" is a bank card's track
        // (14- to 16-digit number, "=", expiry and card data): it has no
        // member-card expiry to check, only a card number.
        if (card.find('=') == std::string::npos) return memberCardNumber(card, aCount);
        break;
    default: break;
    }
    return beforeEquals(card);
}

// A 23- or 24-byte member card: member number (1-10), issue count (11-12),
// guest type (2 or 3 bytes) and expiry date "yyyymmdd".
std::string TCardRules::memberCardNumber(std::string_view aCard, std::int64_t& aCount) const
{
    const std::string_view expiry = aCard.substr(aCard.size() == 23 ? 14 : 15, 8);
    if (expiry < std::string_view(context_.gsSaleDate)) {
        dialogs_.ErrBox(kMsgCardExpired, true, 1);
        return {};
    }
    aCount = StringToInteger(aCard.substr(10, 2));
    return std::string(aCard.substr(0, 10));
}

std::string TCardRules::GetCardGuestType(std::string_view aText) const
{
    const std::string card = StripSentinels(aText);
    if (card.find('=') != std::string::npos) return {};
    switch (card.size()) {
    case 10: return context_.gsGuestTypeEmp;
    case 23: return guestTypeOfKey(std::string_view(card).substr(12, 2));
    case 24: return card.substr(12, 3);
    default: return {};
    }
}

// 23-byte cards carry a two-byte key; the guest-type codes list the keys that
// stand for them in Item12.
std::string TCardRules::guestTypeOfKey(std::string_view aKey) const
{
    for (const TCommonData& row : store_.glCommonData)
        if (row.Head == context_.gsCommonGuestType && row.Item12.find(aKey) != std::string::npos) return row.Code;
    return {};
}

bool TCardRules::GetMemberCardCount(const std::string& aMemberNo, std::int64_t aCount) const
{
    if (aMemberNo.starts_with(kUncheckedMemberSeries) || !MemberCardCount) return true;
    const TCardCountAnswer answer = MemberCardCount(aMemberNo);
    switch (answer.State) {
    case TCardCountState::OffLine: return true;
    case TCardCountState::Failed: dialogs_.ErrBox(kMsgCardCountUnknown, true); return false;
    case TCardCountState::Answered: break;
    }
    // An older count: the card was replaced by a newer one. A newer count than
    // the server knows: the membership changed hands and this card went with it.
    if (aCount < answer.CurrentCount) {
        dialogs_.ErrBox(kMsgCardReissued, true);
        return false;
    }
    if (aCount > answer.CurrentCount) {
        dialogs_.ErrBox(kMsgCardOwnerChanged, true);
        return false;
    }
    return true;
}

bool TCardRules::GetCreditCardInfo(std::string_view aTrackTwo, std::string& aCardNo, std::string& aVaildThru,
                                   bool aShowMsg) const
{
    if (auto card = ParseCreditTrack(aTrackTwo)) {
        aCardNo = std::move(card->CardNo);
        aVaildThru = std::move(card->ValidThru);
        return true;
    }
    if (aShowMsg) dialogs_.ErrBox(kMsgBadTrack, true);
    return false;
}

// The first entry of the longest prefix (1 to 7 digits) that begins aCardNo
// and is registered for card numbers of its length.
const TCommonData* TCardRules::findCardPrefix(std::string_view aCardNo) const
{
    const TCommonData* best = nullptr;
    for (const TCommonData& row : store_.glCommonData) {
        if (row.Head != context_.gsCommonCardNo || row.Item1.empty() || row.Item1.size() > 7) continue;
        if (best != nullptr && row.Item1.size() <= best->Item1.size()) continue;
        if (aCardNo.starts_with(row.Item1) && StringToInteger(row.Item4) == std::int64_t(aCardNo.size())) best = &row;
    }
    return best;
}

TCardCompanyInfo TCardRules::GetCardCompanyInfo(std::string_view aCardNo) const
{
    constexpr int kName = CommonItem::CodeName;
    TCardCompanyInfo info;
    if (const TCommonData* prefix = findCardPrefix(aCardNo)) {
        info.CompCode = prefix->Item2;
        info.IssueCode = prefix->Item3;
        info.IssueName = prefix->CodeName;
        info.CompName = store_.GetCommonData(context_.gsCommonCardCompany, info.CompCode, kName);
        info.JoinNo = store_.GetCommonData(context_.gsCommonCardCompany, info.CompCode, CommonItem::Item1);
    } else {
        // Off line the card tables are not loaded, so every card ends here.
        info.CompCode = info.IssueCode = "999";
        info.CompName = store_.GetCommonData(context_.gsCommonCardCompany, "999", kName);
        info.IssueName = store_.GetCommonData(context_.gsCommonCardIssue, "999", kName);
    }
    if (info.CompCode.empty()) info.CompCode = "999";
    if (info.IssueCode.empty()) info.IssueCode = "999";
    if (info.CompName.empty()) info.CompName = "기타";
    if (info.IssueName.empty()) info.IssueName = "기타";
    return info;
}

bool TCardRules::CheckCardNo(std::string_view aCardCompanyCode, std::string_view aCardNo) const
{
    return GetCardCompanyInfo(aCardNo).IssueCode == aCardCompanyCode;
}

std::string TCardRules::CheckMemberNo(std::string_view aMemberNo, bool aShowMsg) const
{
    if (auto memberNo = NormaliseMemberNo(aMemberNo)) return *memberNo;
    if (aShowMsg) dialogs_.ErrBox(kMsgBadMemberNo, true);
    return {};
}

}  // namespace pos
