#pragma once
// The member discount screen ("우대할인") without its window. The cashier
// reads a member or employee card, types a member number, or touches one of
// the partner and employee schemes on the discount buttons; each accepted
// member is registered on the server for this POS's bill and the server's
// answer fills the bill's lists glDCMemberData and glDCMenuData, which the
// screen lists. Off line a card becomes the guest-type discounts of the local
// rate table. The discount engine applies the lists once the screen has
// closed (the sale screen's discount command recomputes the bill).
//
// The screen shows State() and hands every cashier action to the model: a
// focus move the cashier made (SetFocus), a change of an entry's text, Enter,
// Escape, a button, the list selection. The model answers with its state and
// the message boxes of the dialog service.
//
// Focus. Moving into the member number starts a new entry: it empties the
// number and the scheme's additional number. The model moves the focus
// itself after its actions; the screen only follows.
//
// Server. Every call goes through the data module's one transaction rule
// (db/DbWork.h): registrations, removals and the banquet clean-up each commit
// in their own transaction; reads run under a savepoint inside an open one.

#include "cards/CardRules.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pos {

struct TTerminalContext;
struct TEtcDCData;
struct TDCMemberData;
class DialogService;
class TMasterStore;
class TLookups;
class TfrmData;

// The reason dialog the screen asks for a member number typed by hand.
class TDCLaunchers {
public:
    virtual ~TDCLaunchers() = default;
    // "사유" with the notice aCaption (or "'" + aCaption + "' 사유를 입력하십시오."
    // with aDefMsg); true when confirmed, aRemarks then holding the reason.
    virtual bool GetRemarks(const std::string& aCaption, std::string& aRemarks, int aMustInputSize, bool aDefMsg) = 0;
};

inline constexpr int kDCButtonCount = 18;  // 6 columns x 3 rows a page
inline constexpr const char* kDCAddNoCaption = "부가번호";
inline constexpr const char* kDCKeyInCaption = "우대번호 키보드 입력";

inline constexpr const char* kMsgDCOffLineCard =
    "정상적인 카드를 읽지 않았거나, Off Line시 할인할 수 없는 카드입니다.";
inline constexpr const char* kMsgDCEnterCorrectly = "를 정확히 입력하십시오.";
inline constexpr const char* kMsgDCMasterUnknown = "등록되지 않은 우대번호입니다.";
inline constexpr const char* kMsgDCMasterOutlet = "현재 영업장에서는 사용할 수 없는 우대번호입니다.";
inline constexpr const char* kMsgDCMasterKeyIn = "키보드로 입력할 수 없는 우대번호입니다.";
inline constexpr const char* kMsgDCOffLineEmployee = "직원번호는 키보드로 입력할 수 없습니다.\r직원카드를 읽으십시오.";
inline constexpr const char* kMsgDCUnknownEmployee = "등록되지 않은 직원번호입니다.";
inline constexpr const char* kMsgDCNotSaved = "우대할인 자료를 저장하지 못했습니다.";
inline constexpr const char* kMsgDCNotCancelled = "우대할인 취소 처리를 하지 못했습니다.";
inline constexpr const char* kMsgDCBanquet =
    "연회는 다른 우대할인과 같이 적용할 수 없습니다.\r기존 우대할인을 모두 지웁니다.";
inline constexpr const char* kMsgDCCardSystem =
    " 번호체계가 아닙니다.\r임의로 할인할 경우 감사 대상이 될 수 있습니다.\r이 카드로 정말 할인 하시겠습니까?";
inline constexpr const char* kMsgDCAgeLimit = "만 할인이 적용됩니다.\r강제로 할인을 적용하시겠습니까?";
inline constexpr const char* kDCUnlimited = "무제한";

// One pressed discount button: the scheme the bill is to get.
struct TDCEtcInfo {
    std::string MemberNo, MemberAddNo;
    bool QtyAcceptYN = false;  // the additional number is a quantity
    std::string MemberCode, GuestType;
    std::int64_t DCRate = 0, OnceUseQty = -1, DailyUseQty = -1;
    std::int64_t LimitAge = 0;  // > 0 minimum age, < 0 maximum age (negated), 0 none
    std::string CardCompanyCode;  // the card-number system the additional number must follow
    std::int64_t SoDCRate = 0;    // child rate
};

// One row of the list of accepted discounts.
struct TDCList {
    std::string MemberNo, MemberName, MemberCodeName, UpjangName;
    std::int64_t DCRate = 0;
    std::string OnceUseCount, DailyUseCount, YearlyUseCount;  // display texts
    std::string Remark, MemberAddNo;
    bool DCYN = false, MasterYN = false;
    std::string UpjangCode;
};

// The list's columns, in order, and how a cell is coloured.
enum class TDCColumn { MemberNo, MemberName, MemberCodeName, UpjangName, DCRate, Once, Daily, Yearly, Remark, Count };
enum class TDCCellColor { Black, Red };
struct TDCCellColors {
    TDCCellColor normal = TDCCellColor::Black;
    bool selectedFuchsia = false;  // selected: fuchsia instead of white (black cells) or red (red cells)
};
// The text a row shows in a column: the rate with "%", a master number as
// eight "*".
std::string DCCellText(const TDCList& aRow, TDCColumn aColumn);
// Refused rows are red; a rate of 0 % and a count of 0 are red on every row
// and fuchsia when selected.
TDCCellColors DCCellColors(const TDCList& aRow, TDCColumn aColumn);

// One discount button of the current page.
struct TDCButton {
    std::string caption;  // the first 16 bytes of the scheme's name
    int entry = -1;       // the scheme's row in glEtcDCData; -1: an empty button
    bool enabled = false;
};

enum class TDCField { MemberNo, MemberAddNo };

struct TDCState {
    std::string memberNo;
    std::string memberHint;  // the scheme or member being entered; empty for a plain member number
    std::string addNo;
    bool addNoEnabled = false;
    std::string addNoFlags;        // identity number, quantity, gender (three characters)
    std::int64_t addNoLength = 0;  // the length the additional number must have (0 = any)
    std::string addNoCaption = kDCAddNoCaption;
    bool addNoLabelEnabled = false;
    std::string comment;  // the prompt line

    std::vector<TDCList> rows;
    int selected = -1;

    std::array<TDCButton, kDCButtonCount> buttons;
    int page = 0;
    bool pageUpEnabled = false, pageDownEnabled = false;
    bool deleteEnabled = false, clearEnabled = false;

    std::string photo;  // the member's photo as the server sent it (JPEG); empty: none

    TDCField focus = TDCField::MemberNo;
    bool selectAll = false;  // the focused entry's text is to be selected
    bool closed = false;
};

class TDCModel {
public:
    // aKeyInData is the bill's list of member numbers typed by hand (read
    // when the bill is recorded).
    TDCModel(TTerminalContext& aContext, TMasterStore& aStore, DialogService& aDialogs, TfrmData& aData,
             TLookups& aLookups, TDCLaunchers& aLaunchers, std::vector<std::string>& aKeyInData);

    const TDCState& State() const { return state_; }
    const std::vector<TDCEtcInfo>& PressedSchemes() const { return schemes_; }

    // ---- the cashier's actions
    // The screen opened: the list and the first page of buttons; a number
    // the sale screen handed over (a swiped card, or the group contract) is
    // entered as if typed.
    void Show();
    void SetFocus(TDCField aField);
    void Change(TDCField aField, const std::string& aText);
    void Enter(TDCField aField);
    void Escape() { state_.closed = true; }
    void PressButton(int aButton);  // 1 to 18
    void PageUp();
    void PageDown();
    void Select(int aRow);
    void MoveSelection(int aStep);
    void DeleteSelected();
    void DeleteAll();

private:
    void focusMemberNo();
    void focusAddNo();
    void readButtons();
    void pressScheme(const TEtcDCData& aScheme, bool aPrompt);
    void openAddNo(const TEtcDCData& aScheme, bool aPrompt);

    // Enter in either entry.
    bool readMemberCard();
    bool remarksForTypedNumber(const std::string& aNumber);
    bool readAddNoCard();
    void commonSteps();
    bool addNoValid();
    bool ageAccepted();
    void enterMemberNumber();
    void enterMasterNumber(const std::string& aMemberNo);
    void registerMember(const std::string& aMemberNo, std::int64_t aQty);
    void registerOffLine();
    bool registerScheme(TDCEtcInfo& aScheme);
    bool registerSchemeRows(const TDCEtcInfo& aScheme);
    void checkEventMode(const std::string& aMemberNo);
    void reloadLists(bool aClearAll);

    // The list, from glDCMemberData. With a quantity (aQty >= 0) the rows of
    // the scheme just registered (aMemberNo, aMemberAddNo) get it as their count.
    void readDCList(const std::string& aMemberNo = {}, const std::string& aMemberAddNo = {}, std::int64_t aQty = -1);
    TDCList listRow(TDCMemberData& aRow, bool aOnLine, bool aApplyQty, std::int64_t aQty);
    std::optional<std::int64_t> usedToday(const TDCMemberData& aRow, const TDCEtcInfo& aScheme);
    void showMemberImg(const std::string& aMemberNo);
    void updateCommands();

    TDCEtcInfo* pressed() { return schemes_.empty() ? nullptr : &schemes_.back(); }
    bool isMasterNumber(const std::string& aText) const;

    TTerminalContext& context_;
    TMasterStore& store_;
    DialogService& dialogs_;
    TfrmData& data_;
    TLookups& lookups_;
    TDCLaunchers& launchers_;
    std::vector<std::string>& keyInData_;
    TCardRules cards_;

    TDCState state_;
    std::vector<TDCEtcInfo> schemes_;  // one per button press of this opening
    std::string remarks_;              // the reason of a typed number, or the employee-discount text
    std::string guestType_;            // of the card read off line
    bool keyIn_ = true;                // the member number was typed, not read from a card
    bool keyInAddNo_ = true;
};

}  // namespace pos
