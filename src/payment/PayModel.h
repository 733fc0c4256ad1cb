#pragma once
// The payment screen (ICI010) without its window: the tender kinds the
// terminal offers, the tender lists of the bill, the received, remaining and
// change amounts, what Enter, Escape, PageUp, PageDown and Delete do in each
// field, the card-reader capture, the gift-voucher buttons, the card handed
// over from the sale screen, the settling of the bill and the close rules.
//
// A screen shows what the model holds (field texts, which fields are
// enabled, the focus, the selected tender, the summary, the looked-up
// accounts, the lists) and hands it every cashier action; the model answers
// with its own state and the message boxes of the dialog service.
//
// Focus. The screen reports a focus change the cashier made (touch, Tab,
// Up/Down) with SetFocus; when the model moves the focus itself it runs the
// entered field's handling (an amount field proposes the remaining amount, a
// card number field clears itself, ...) and the screen only follows.
//
// Amounts. An amount field holds the typed magnitude; the summary shows for
// each tender kind its list's sum plus the amount typed on its panel (with
// the bill's sign), so the received total and the change read what they will
// be once the typed amount is accepted. The lists settle the bill: when they
// cover it the recording runs and, once it stored the payment, the result is
// Settled and nothing changes any more.

#include "cards/CardRules.h"
#include "core/Currency.h"
#include "core/DialogService.h"
#include "core/TerminalContext.h"
#include "lookups/Lookups.h"
#include "payment/CardApprovals.h"
#include "payment/GiftCards.h"
#include "payment/PayLaunchers.h"
#include "payment/PayLines.h"
#include "payment/PayRecorder.h"
#include "payment/PayTenders.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace pos {

class TMasterStore;

// Open while the screen runs; Settled ends it with the OK result (the payment
// was recorded); Cancelled ends it without a payment.
enum class TPayResult { Open, Settled, Cancelled };

// The summary panel: due ("받을금액"), received ("받은금액"), change
// ("거 스 름") and each tender kind's amount label.
struct TPaySummary {
    Currency due, received, change;
    std::array<Currency, kPayKindCount> kinds{};
    Currency Kind(TPayKind aKind) const { return kinds[static_cast<std::size_t>(KindIndex(aKind))]; }
};

// Messages of the payment screen.
inline constexpr const char* kMsgGroupRoom = "단체 객실입니다. 단체후불로 결제하십시오.";
inline constexpr const char* kMsgLockerMember =
    "현재 내장객은 회원입니다. 회원할인을 적용하려면 \"판매\"화면에서 [락카]버튼을 눌러 락카 조회를 먼저 하십시오. "
    "현재는 할인이 적용되지 않은 상태입니다.";
inline constexpr const char* kMsgOneLocker = "현재 락카후불은 한 전표당 한 건만 할 수 있습니다.";
inline constexpr const char* kMsgEventNeedsDC = "단체후불을 하려면 먼저 해당 연회번호로 우대할인을 적용하십시오.";
inline constexpr const char* kMsgPrepayShort = "선납금액이 부족합니다.";
inline constexpr const char* kAskEasyCheck =
    "이지체크 결제 상태입니다(신용카드 승인요청을 하지 않습니다).\r이지체크로 이미 승인이 난 상태면 [예], 신용카드 "
    "승인을 원하는데 이지체크에 잘못 등록한 것이면 [아니요]를 누르십시오.";
inline constexpr const char* kCaptionCreditRemarks = "외상 결제";
inline constexpr const char* kAskCancelCards = "신용카드 승인건이 있습니다.\r지금 승인을 모두 취소하시겠습니까?";
inline constexpr const char* kMsgCardsLeft =
    "신용카드 승인을 취소하지 않고 종료합니다.\r해당 승인건이 잘못 청구될 수 있으므로 재무팀에 알려주십시오.";
inline constexpr const char* kMsgCancelKept = "취소되지 않은 승인은 목록에 남겨 두었습니다.";
inline constexpr const char* kAskCancelCash = "현금영수증 승인건이 있습니다.\r지금 승인을 모두 취소하시겠습니까?";
inline constexpr const char* kMsgCardError = "카드 승인 에러 :\r";
inline constexpr const char* kMsgCashError = "현금영수증 승인 에러 :\r";
inline constexpr const char* kMsgDedicatedLine =
    "인터넷 승인에러로 전용선으로 우회 승인을 했습니다.\r반드시 \"신용카드전표\"에 \"고객 사인\"을 받으십시오.";
inline constexpr const char* kAskPayEasyCheck = "이지체크로 결제하시겠습니까?";
inline constexpr const char* kAskForceRefund =
    "이미 취소된 전표입니다. 실수로 다시 취소를 하려는 것은 아닌지 다시 한 번 확인해 주십시오.\r취소 내용을 강제로 "
    "저장하려면 [예]를 누르십시오.";
inline constexpr const char* kAskCancelCard = " 카드를 승인 취소 하시겠습니까?";
inline constexpr const char* kAskCancelCashReceipt = " 현금영수증을 승인 취소 하시겠습니까?";
inline constexpr const char* kMsgNoGiftCard = "등록되지 않은 상품권입니다.";
inline constexpr const char* kEasyCheckAgreeNo = "이지체크";
// "기존 연회(<current>)를 새로 선택한 연회(<new>)로 변경하시겠습니까?"
std::string AskChangeEvent(const std::string& aCurrent, const std::string& aNew);

class TPayModel {
public:
    TPayModel(TTerminalContext& aContext, TMasterStore& aStore, DialogService& aDialogs, TLookups& aLookups,
              TPayRecorder& aRecorder, TCardApprovals& aApprovals, TPayLaunchers& aLaunchers);

    // ---- opening (the sale screen's pay command)
    // The tender buttons; empty: the screen is not shown.
    const std::vector<TPayTender>& Tenders() const { return tenders_; }
    bool Offers(TPayKind aKind) const;
    // The bill's signed total ("받을금액"), set before Show.
    void SetSumAmt(Currency aDue);
    // The screen shows: the first tender is selected, or the card tender
    // with the card swiped on the sale screen (gsTempMemberNo).
    void Show();

    // ---- what the cashier does
    void Select(TPayKind aKind);  // a tender button, title or amount label
    void SelectPrior();           // PageUp (from the first to the last)
    void SelectNext();            // PageDown (from the last to the first)
    void SetFocus(TPayField aField);
    void Change(TPayField aField, const std::string& aText);
    // Characters a key typed into a card or EasyCheck amount field or the
    // cash identity number (the card reader types there too).
    void KeyPress(TPayField aField, const std::string& aTyped);
    void Enter(TPayField aField);
    void DeleteKey(TPayField aField);  // Delete in a field: its panel's delete button, when enabled
    void DeleteClick(TPayKind aKind);  // the panel's delete button
    void TouchRow(TPayKind aKind, int aRow);  // a touch on line aRow of a list
    void RowUp(TPayKind aKind);
    void RowDown(TPayKind aKind);
    void CashManClick(bool aIndividual);  // "개인" / "사업자"
    void GiftCardClick(int aButton);      // voucher button 0..4
    void GiftCardNextClick();
    void RoomListClick();    // the look-up screens put the chosen number in the field
    void LockerListClick();
    void EventListClick();
    // Escape, the close button, the window's close: true when the screen may
    // close (the result is then Cancelled unless the payment was recorded).
    bool CloseQuery();

    // ---- what the screen shows
    const std::string& Text(TPayField aField) const { return text_[static_cast<std::size_t>(FieldIndex(aField))]; }
    bool Enabled(TPayField aField) const;
    TPayField Focused() const { return focus_; }
    bool SelectAll() const { return selectAll_; }
    std::optional<TPayKind> Selected() const { return selected_; }
    TPaySummary Summary() const;
    Currency PayAmt(TPayKind aKind) const { return Summary().Kind(aKind); }
    const TPayLines& Lines() const { return lines_; }
    int Current(TPayKind aKind) const { return current_[static_cast<std::size_t>(KindIndex(aKind))]; }
    bool DeleteEnabled(TPayKind aKind) const { return PayLineCount(lines_, aKind) > 0; }
    bool CashIndividual() const { return cashIndividual_; }
    // "할부" for 2 months or more, else "일시불" (card and EasyCheck panels).
    std::string HalbuCaption(TPayKind aKind) const;
    const TRoomInfo* Room() const { return room_ ? &*room_ : nullptr; }
    const TLockerInfo* Locker() const { return locker_ ? &*locker_ : nullptr; }
    const TEventInfo* Event() const { return event_ ? &*event_ : nullptr; }
    const TCreditInfo* Credit() const { return credit_ ? &*credit_ : nullptr; }
    const TGiftCardPages& GiftCardPages() const { return giftPages_; }
    const TGiftCardKind* GiftCard() const { return giftCard_ ? &*giftCard_ : nullptr; }
    Currency GiftCardAmt() const { return giftCardAmt_; }  // the voucher amount label
    TPayResult Result() const { return result_; }

private:
    std::string& text(TPayField aField) { return text_[static_cast<std::size_t>(FieldIndex(aField))]; }
    int& current(TPayKind aKind) { return current_[static_cast<std::size_t>(KindIndex(aKind))]; }
    bool open() const { return result_ == TPayResult::Open; }
    bool sale() const { return context_.giSaleGubun == 0; }
    Currency signedAmt(Currency aMagnitude) const { return context_.giSign < 0 ? -aMagnitude : aMagnitude; }
    Currency typedAmt(TPayField aField) const;
    Currency remainingAmt() const;
    bool changeBeyondCash() const;

    // Field handling.
    void setText(TPayField aField, const std::string& aText);
    void changed(TPayField aField);
    void moveFocus(TPayField aField, bool aEnter = true);
    void enterField(TPayField aField);
    void proposeAmount(TPayKind aKind);
    void proposeGiftCount();
    void updateGiftAmount();
    void enterPanel(TPayKind aKind);
    void exitPanel(TPayKind aKind);
    void reenterPanel(TPayKind aKind);

    // Enter, by field.
    void enterAmount(TPayKind aKind);
    void enterCashAmt();
    void enterCashNo();
    void enterCardNo(TPayKind aKind);
    void enterHalbuMonth();
    void addEasyCheck();
    bool reduceMemberCard(TPayField aField);
    void enterRoomNo();
    void enterLockerNo();
    void enterEventNo();
    void enterGiftCardNo();
    void enterGiftCardCount();
    void enterCreditMemberNo();
    bool prepayCovers(Currency aAmt) const;
    void handOverCard();

    // Approvals.
    void execCard();
    bool cardRefused(const TCardAnswer& aAnswer, const TCardRequest& aRequest);
    void copyCardToEasyCheck();
    bool cancelCard(bool aByCashier);
    void cancelAllCards();
    void execCash();
    bool cancelCash(bool aByCashier);
    void cancelAllCash();
    bool hasCashReceipt() const;

    // Lines.
    bool addCardLine(TPayKind aKind, const TPayCardList& aLine);
    template <class T>
    bool addLine(TPayKind aKind, std::vector<T>& aList, T aLine);
    void eraseCurrent(TPayKind aKind);
    void deleteLine(TPayKind aKind);
    bool settle();
    Currency listTotal() const;

    TTerminalContext& context_;
    TMasterStore& store_;
    DialogService& dialogs_;
    TLookups& lookups_;
    TPayRecorder& recorder_;
    TCardApprovals& approvals_;
    TPayLaunchers& launchers_;
    TCardRules cardRules_;

    std::vector<TPayTender> tenders_;
    TPayLines lines_;
    std::array<int, kPayKindCount> current_;
    std::array<std::string, kPayFieldCount> text_{};
    std::array<bool, kPayFieldCount> enabled_{};
    TPayField focus_ = TPayField::None;
    bool selectAll_ = false;
    std::optional<TPayKind> selected_;
    TPayResult result_ = TPayResult::Open;
    std::optional<TPaySummary> settled_;  // the summary as the payment was recorded

    // The panels' working state.
    bool cashIndividual_ = true;                  // "개인" is down
    std::array<std::string, 2> cardTrack_{};      // kept track of the card and EasyCheck panels
    std::string cardNoTemp_;                      // what was typed while an amount field had the focus
    Currency cardAmtBack_;                        // the amount proposed when it was entered
    std::optional<TRoomInfo> room_;
    std::string roomNo_;  // "00000" of the room shown
    std::optional<TLockerInfo> locker_;
    std::optional<TEventInfo> event_;
    std::string eventNo_;  // the event shown
    std::optional<TCreditInfo> credit_;
    std::string creditNo_;  // the preferential number shown
    TGiftCardPages giftPages_;
    std::optional<TGiftCardKind> giftCard_;
    Currency giftCardAmt_;  // the voucher amount label
};

}  // namespace pos
