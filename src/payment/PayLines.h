#pragma once
// The tender lines of one bill on the payment screen, one record type per
// tender kind, and the whole set that the recording reads. Amounts, counts
// and approved amounts carry the bill's sign (giSign): negative on a return.
// Plain data: the payment model fills it, the recording writes it.

#include "core/Currency.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pos {

// One cash payment, with or without a cash receipt.
struct TPayCashList {
    std::string ManYNName;  // "현금" plain cash, "개인" individual, "사업자" business
    std::string CardName;   // identity as shown (masked); empty for plain cash
    std::string AgreeNo;    // cash-receipt approval number; empty for plain cash
    Currency AgreeAmt;      // approved amount
    Currency Amt;           // paid amount
    std::string AgreeDate;  // approval date (gsToday for plain cash)
    bool ManYN = true;      // individual (or plain cash); false for business
    std::string Track2;     // identity number or track as read, for the approval request only
    std::string CardNo;     // card number taken from the track
};

// One approved card payment; the EasyCheck list uses the same record.
struct TPayCardList {
    std::string CardNo;
    std::string VaildThru;   // "YY/MM"
    std::string HalbuMonth;  // instalment months + "개월"
    std::string AgreeNo;     // "이지체크" for EasyCheck lines
    Currency Amt;
    std::string AgreeDate;   // as the approval returned it; gsToday for EasyCheck
    std::string OldAgreeNo;  // original approval number of a refund
    std::string CompanyCode, CompanyName;  // card company (acquirer), name at most 20 characters
    std::string BankCode, BankName;        // issuer, name at most 20 characters
    std::string CardJoinNo;                // merchant number
    std::string TrackTwo;    // track as read, for the approval request only; never recorded
    bool KeyIn = false;      // keyed in (expiry typed by hand)
    bool SignYN = false;     // the customer signed on the sign pad
};

struct TPayRoomList {
    std::string RoomNo;  // five digits, zero-filled
    std::string MemberNo, MemberName, ComeName, CheckIn, CheckOut;
    Currency Amt;
    std::string UpjangCode;  // the hotel's outlet
    std::string RsvNo;       // reservation number
    std::int64_t ManageNo = 0;
};

struct TPayLockerList {
    std::string LockerNo, MemberNo, ComeName, ComeTime, PassTime;
    Currency Amt;
    std::int64_t Seq = 0;  // the locker visit's sequence number
};

struct TPayEventList {
    std::string EventNo, EventName, MemberNo, MemberName, Remark;  // MemberNo/Name: the group
    Currency Amt;
};

struct TPayGiftCardList {
    std::string GiftCardNo, GiftCardName;  // name at most 30 characters
    Currency UnitAmt;                      // face value
    Currency Count;                        // signed
    Currency Amt;                          // count x face value, signed
};

struct TPayCreditList {
    std::string MemberNo;  // ten-digit preferential number
    std::string CustNo, CustName, Remark;
    Currency Amt;
    Currency PrepayAmt;   // prepaid balance
    Currency RemainAmt;   // remaining balance
    std::string Remarks;  // reason typed by the cashier
};

// Everything the payment screen hands to the recording when the lines cover
// the bill.
struct TPayLines {
    std::vector<std::int64_t> offeredKinds;  // tender codes in button order
    std::vector<TPayCashList> cash;
    std::vector<TPayCardList> card, easyCheck;
    std::vector<TPayRoomList> room;
    std::vector<TPayLockerList> locker;
    std::vector<TPayEventList> event;
    std::vector<TPayGiftCardList> giftCard;
    std::vector<TPayCreditList> credit;
    Currency due;       // "받을금액": the bill's signed total
    Currency received;  // "받은금액": sum of every line
    Currency change;    // "거 스 름": received - due
};

}  // namespace pos
