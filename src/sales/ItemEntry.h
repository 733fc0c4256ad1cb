#pragma once
// Item entry on the sale screen: what happens when the cashier presses Enter
// in the code field (typed or scanned code, number shortcut, scale bar code,
// card swipe), confirms a quantity, or taps a menu button; up to the bill's
// AddSaleList. The screen copies its fields into the bill's entry, calls
// these, and shows the outcome (focus, footer notice).

#include "core/Currency.h"
#include "sales/SaleBill.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace pos {

struct TTerminalContext;
struct TGoodsData;
class TMasterStore;
class DialogService;
class TSaleNavigator;

inline constexpr const char* kCodeFieldCaption = "메뉴코드";
inline constexpr const char* kWrongInputSuffix = "를(을) 잘못 입력하셨습니다.";
inline constexpr const char* kSkiMemberCardNotice = "[우대할인]을 누른 상태에서, 메뉴를 선택하고 카드를 읽으십시오.";
inline constexpr const char* kSeparateSaleSuffix = " 매출은 다른 영업장 매출과 별도로 처리해야 합니다.";

// How an entered text is read, by its length and shape.
enum class TCodeKind {
    Empty,
    CardSwipe,  // neither 1-4, 8 nor 13 characters
    Scale,      // 13 characters starting with the scale prefix
    Code,       // a menu code or a number shortcut
};
TCodeKind ClassifyCode(const std::string& aText, const std::string& aScalePrefix);

// A scale label: the article's code (first seven digits, five zeros and a
// fresh check digit) and the price of digits 8-12 rounded to 10 won.
struct TScaleCode {
    std::string articleCode;
    Currency price;
};
std::optional<TScaleCode> ParseScaleCode(const std::string& aText, const std::string& aScalePrefix);

// Where a card swipe in the code field goes, from the number the card rules
// read (aCardNumber) and the swiped text.
enum class TCardRoute {
    Ignore,          // not a card the screen knows, or refused (expired): cleared
    MemberCard,      // discount command for the member
    MemberCardSki,   // at ski outlets: the footer notice only
    CreditCard,      // payment command
};
TCardRoute RouteCardSwipe(const std::string& aText, const std::string& aCardNumber, bool aSki);

// The commands a card swipe or an entry leads to that live elsewhere. Every
// default does nothing (or declines), so entry works before they exist.
class TEntryHooks {
public:
    virtual ~TEntryHooks() = default;
    // A member card was read: the discount command with gsTempMemberNo.
    virtual void MemberCardRead() = 0;
    // A credit card was swiped: the payment command with gsTempMemberNo.
    virtual void CreditCardRead() = 0;
    // Ski lift items take their own entry path; false: not handled, the
    // ordinary path adds the line.
    virtual bool AddSkiSaleList(std::int64_t aCorrectAmt, std::optional<Currency> aOpenPrice) = 0;
    // The ski package screen shown before a package menu; false: cancelled.
    virtual bool SkiPackageScreen() = 0;
};

// The open-price launcher: the entered sale price, or below 0 on cancel;
// aCorrectAmt gets the correction.
using TOpenPriceFunction = std::function<Currency(const std::string& aMenuName, const std::string& aTaxCalcuCode,
                                                  Currency aPrice, std::int64_t& aCorrectAmt,
                                                  const std::string& aComment)>;
// The card rules' GetCardNumber.
using TCardNumberFunction = std::function<std::string(const std::string& aText, std::int64_t& aCount)>;

struct TEntryOutcome {
    enum Kind {
        Nothing,     // nothing to do (empty field, finished bill, ...)
        ToTendered,  // move to the tendered amount
        CardDone,    // a swipe was handled; the code field is cleared
        Added,       // a line was added, merged or re-counted
        AskCount,    // the quantity field takes over
        WrongCode,   // the code is not known: notice, the code selected
        Cancelled,   // the open price was cancelled: nothing sold
        Refused,     // an error box was shown
    };
    TEntryOutcome(Kind aKind = Nothing, std::string aNotice = {}, bool aAlert = false)
        : kind(aKind), notice(std::move(aNotice)), alert(aAlert)
    {
    }
    Kind kind;
    std::string notice;  // footer notice (10 seconds)
    bool alert;
};

class TItemEntry {
public:
    TItemEntry(TTerminalContext& aContext, const TMasterStore& aStore, TSaleBill& aBill, TSaleNavigator& aNavigator,
               DialogService& aDialogs, TEntryHooks& aHooks, TOpenPriceFunction aOpenPrice,
               TCardNumberFunction aCardNumber);

    // Enter in the code field with the code in the bill's entry.
    TEntryOutcome CodeEnter();
    // Enter in the quantity field with the name label's text.
    TEntryOutcome CountEnter();
    // A tap on menu button aButton (0-based).
    TEntryOutcome MenuTap(int aButton);

    // The goods record a code is sold from: the current outlet's, else any
    // outlet's. Null when the code is unknown.
    const TGoodsData* GoodsFor(const std::string& aCode) const;

private:
    bool directSelect() const;
    bool unitPriceToggleDown() const;
    bool needsOpenPrice(const TGoodsData& aGoods) const;
    // Asks the open price; nullopt when cancelled.
    std::optional<Currency> askOpenPrice(const std::string& aName, const TGoodsData& aGoods, std::int64_t& aCorrect);
    TEntryOutcome add(std::int64_t aCorrect, std::optional<Currency> aPrice);
    TEntryOutcome cardSwipe(const std::string& aText);
    TEntryOutcome directEntry();
    TEntryOutcome wrongCode();
    void leaveModifyModeFor(const std::string& aCode);
    // A fresh entry for the terminal's outlet: no selected line, no member
    // key, no line price.
    void startFreshEntry();
    bool separateOutletRefused();

    TTerminalContext& context_;
    const TMasterStore& store_;
    TSaleBill& bill_;
    TSaleNavigator& navigator_;
    DialogService& dialogs_;
    TEntryHooks& hooks_;
    TOpenPriceFunction openPrice_;
    TCardNumberFunction cardNumber_;
};

}  // namespace pos
