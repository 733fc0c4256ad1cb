#pragma once
// Guest and account look-ups on the server (module IZD000): hotel rooms,
// golf lockers, group contracts, house credit, the integrated member base,
// member restrictions and discount limits; the room-charge transfer
// (PR_DCI030_02) and the server's discount work area of the POS
// (PR_IAI010_01, ClearDCModule).
//
// Every one needs the server. Off line the account look-ups refuse with their
// message, the member look-ups and the transfer answer false silently, and
// the restriction checks find no restriction. A statement that fails is
// logged under its key (numbers masked) and handed to CheckOffLine; a check
// that fails while the terminal stays on line refuses the member rather than
// let a restriction through unseen.
//
// Look-ups only read and may run inside a bill's transaction, each under a
// savepoint there, so a failed look-up never aborts the bill. The modules
// that write work in their own transaction when none is open and under a
// savepoint inside the caller's, so they never commit or abort the caller's
// rows (db/DbWork.h).

#include "core/Currency.h"
#include "cards/CardRules.h"
#include "db/DataModule.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace pos {

class TMasterStore;

struct TRoomInfo {
    std::string MemberNo, MemberName;
    std::string ComeName;                   // the guest staying in the room
    std::string CheckInDate, CheckOutDate;  // "yyyy-mm-dd"
    std::string UpjangCode;                 // the hotel's outlet
    std::string RsvNo;                      // reservation
    std::int64_t ManageNo = 0;              // folio
    std::string GuestTypeName, EventNo;
};

struct TLockerInfo {
    std::int64_t LockerSeq = 0;  // in: the visit asked for (0: the latest); out: the visit found
    std::string MemberNo;
    std::string ComeName;  // the player
    std::string ComeTime;  // "hh:nn"
    std::string PassTime;  // GetPassTime(ComeTime)
};

struct TEventInfo {
    std::string EventName;
    std::string MemberNo, MemberName;  // the group's number and name
    std::string Remark, MemberCode, MemberCodeName, GuestType;
};

struct TCreditInfo {
    std::string CustNo, CustName, Remark;
    Currency PrepayAmt, RemainAmt;
    bool JustDo = true;  // may charge beyond the prepaid balance
};

struct TMemberInfo {
    std::string MemberNo, IDNo, MemberName, MemberCode, MemberCodeName, GuestType;
    std::string DaesoCode;  // adult or child code of the code table
};

// Elapsed time from aTime ("hh:nn", today) to aNow ("hhnnss" or "hhnn") as
// hours + "시간 " + two-digit minutes + "분" ("2시간 05분"); "" for anything
// that is not a time of day. A start later in the day than aNow began the day
// before (a round past midnight).
std::string GetPassTime(std::string_view aTime, std::string_view aNow);

// Adult or child code of a resident number on aSaleDate: all-ages code for a
// number that is not 13 bytes; a guest is a child up to and including the day
// of the 13th birthday.
std::string DaesoCodeOf(const TTerminalContext& aContext, std::string_view aIDNo, std::string_view aSaleDate);

// The server side of TCardRules::MemberCardCount: "IZC000-GetMemberCardCount"
// after ConnectDB. A failure that took the terminal off line answers OffLine,
// any other failure Failed. The source keeps a reference to aData.
TMemberCardCountSource MakeMemberCardCountSource(TfrmData& aData);

class TLookups {
public:
    TLookups(TfrmData& aData, const TMasterStore& aStore);

    // ---- hotel room
    // aRoomNo as the caller formats it ("01203"). True when a guest stays in
    // the room today and the room may be charged.
    bool GetRoomInfo(const std::string& aRoomNo, TRoomInfo& aInfo);
    // Room of the member staying in the hotel today; empty (after a message)
    // when none.
    std::string GetRoomMemberInfo(const std::string& aMemberNo);
    // Moves the charge aSeq of the folio to the folio that pays for it, when
    // another one does. True when nothing had to move or it moved.
    bool CallRoomModule(const std::string& aSaleDate, const std::string& aUpjangCode, const std::string& aRsv,
                        std::int64_t aManage, std::int64_t aSeq);

    // ---- golf locker
    bool GetLockerInfo(const std::string& aLockerNo, TLockerInfo& aInfo);
    // Elapsed time from aTime to now.
    std::string GetPassTime(const std::string& aTime) const;

    // ---- group contract and house credit; the number is normalised in place
    bool GetEventInfo(std::string& aEventNo, TEventInfo& aInfo);
    bool GetCreditInfo(std::string& aMemberNo, TCreditInfo& aInfo);

    // ---- members
    bool GetMemberInfo(const std::string& aAcceptMemberNo, TMemberInfo& aInfo);
    // True when the member must not be sold to (sets gbCantSale as it goes).
    bool GetBlackListInfo(const std::string& aMemberNo);
    // True when the member may not be discounted at aUpjangCode.
    bool GetDCLimit(const std::string& aMemberNo, const std::string& aUpjangCode);

    // ---- the discount work area of this POS
    bool CallDCModule(const std::string& aMemberNo, bool aKeyIn, bool aProcCall);
    bool ClearDCModule();

private:
    TTerminalContext& ctx() { return data_.Context(); }
    DialogService& dialogs() { return data_.Dialogs(); }
    bool connect() { return data_.ConnectDB(true, false); }

    TfrmData& data_;
    const TMasterStore& store_;
    TCardRules cardRules_;
};

}  // namespace pos
