#pragma once
// Card rules: what a swipe or a typed card number means to the terminal.
// Member and employee cards give a member number, an issue count and a guest
// type; credit-card tracks give a card number and expiry; card numbers give
// their card company and issuer from the common codes; and card and identity
// numbers are grouped and masked for printing and for logs.
//
// The screens that read cards (sale, discount, payment, login) call these and
// keep no card logic of their own. Rules that need the terminal (business
// date, code heads, common codes, message boxes) are members of TCardRules;
// the others are plain functions. Identity numbers and bar codes are in
// IdentityRules.h.
//
// Card and resident numbers never appear in full in a message box: the texts
// shown here carry no numbers at all, and anything that logs a swipe or a
// number goes through MaskForLog.

#include "core/DialogService.h"
#include "core/TerminalContext.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/IdentityNumbers.h"

namespace pos {

class TMasterStore;
struct TCommonData;


struct TCreditTrack {
    std::string CardNo;     // 14 to 16 digits
    std::string ValidThru;  // expiry "yymm"
};

// A credit-card track 2 (sentinels allowed): "=" right after a card number of
// 14 to 16 digits, followed by the 4-digit expiry. nullopt for anything else.
std::optional<TCreditTrack> ParseCreditTrack(std::string_view aTrackTwo);

// Card number of a swiped or typed card: the number of a credit track; else
// what stands before "=" (the data behind it is never part of the number);
// else the text as typed. At most 20 bytes (the width the number is stored in).
std::string GetCreditCardNo(std::string_view aTrackTwo);

// A card number grouped with "-" for printing. Lengths 14 (4-6-4), 15 (4-6-5)
// and 16 (4-4-4-4) keep their usual grouping and hide their last group when
// aHideLastNo; other lengths of 13 or more read 6-middle-4 and hide the middle;
// shorter texts stay ungrouped and hide their last 4 bytes.
std::string CardToString(std::string_view aCardNo, bool aHideLastNo);

// The printed identity of a cash-receipt customer ("휴대폰 : ...",
// "주민등록번호 : ...", "사업자번호 : ...", "카드 : ..."); aHideLastNo masks the
// mobile and identity numbers; a card number is masked always. Empty for
// empty input.
std::string CashToString(std::string_view aCashNo, bool aHideLastNo);


struct TCardCompanyInfo {
    std::string CompCode;   // card company (acquirer), "999" when unknown
    std::string CompName;   // "기타" when unknown
    std::string IssueCode;  // card issuer, "999" when unknown
    std::string IssueName;  // "기타" when unknown
    std::string JoinNo;     // the outlet group's merchant number at the company
};

// What the central database says about a member's cards: the issue count of
// the member's current card, or why it could not say. The database layer
// answers this for the statement "IZC000-GetMemberCardCount" (P0 member
// number; column 0 of the first row, read with StringToInteger, 0 when there
// is no row or it is NULL): it connects first (ConnectDB), and on a failing
// statement logs it under its key and hands it to CheckOffLine.
enum class TCardCountState {
    Answered,  // CurrentCount holds the answer
    OffLine,   // no connection, or the failure took the terminal off line
    Failed,    // the statement failed while the terminal stays on line
};
struct TCardCountAnswer {
    TCardCountState State = TCardCountState::OffLine;
    std::int64_t CurrentCount = 0;
};
using TMemberCardCountSource = std::function<TCardCountAnswer(const std::string& aMemberNo)>;

class TCardRules {
public:
    TCardRules(const TTerminalContext& aContext, const TMasterStore& aStore, DialogService& aDialogs);

    // Installed by the database layer; while empty the terminal behaves as
    // off line (member cards are not checked against the server).
    TMemberCardCountSource MemberCardCount;

    // Member number of a member or employee card; empty (after the expiry
    // message) when the card expired before gsSaleDate. aCount gets the card's
    // issue count, or 0 when the card carries none.
    std::string GetCardNumber(std::string_view aText, std::int64_t& aCount) const;

    // Guest type a member or employee card carries; empty when none.
    std::string GetCardGuestType(std::string_view aText) const;

    // False (after a message) when the card with issue count aCount is not
    // the member's current card, or when the server could not be asked while
    // on line. Off line the card is let through.
    bool GetMemberCardCount(const std::string& aMemberNo, std::int64_t aCount) const;

    // Card number and expiry ("yymm") of a credit-card track; false, with a
    // message when aShowMsg, for a track that is not one.
    bool GetCreditCardInfo(std::string_view aTrackTwo, std::string& aCardNo, std::string& aVaildThru,
                           bool aShowMsg) const;

    // Card company, issuer and merchant number of a card number from the
    // prefix table of the common codes (longest prefix wins); never empty.
    TCardCompanyInfo GetCardCompanyInfo(std::string_view aCardNo) const;

    // True when the issuer found for aCardNo is aCardCompanyCode.
    bool CheckCardNo(std::string_view aCardCompanyCode, std::string_view aCardNo) const;

    // A typed member number normalised to 10 digits (NormaliseMemberNo);
    // empty, with a message when aShowMsg, when it has no member-number length.
    std::string CheckMemberNo(std::string_view aMemberNo, bool aShowMsg) const;

private:
    std::string memberCardNumber(std::string_view aCard, std::int64_t& aCount) const;
    std::string guestTypeOfKey(std::string_view aKey) const;
    const TCommonData* findCardPrefix(std::string_view aCardNo) const;

    const TTerminalContext& context_;
    const TMasterStore& store_;
    DialogService& dialogs_;
};

}  // namespace pos
