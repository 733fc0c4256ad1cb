#pragma once
// The master-data records of the local store, one plain structure
// per record with the field names of the data model in item order. The item
// number of a field (its position) is at the same time the column of the
// server row, the field position in the mirror file and the aItem argument of
// the store's Get/Set operations; the <Record>Item namespaces name them
// (GoodsItem::SaleUnitAmt == 9). The default member values are the values of a
// freshly added record, except TMenuData::DaesoCode, which the store sets to
// the code table's gsDaesoCodeAll when it adds a menu.
//
// Types: "text" std::string (UTF-8 in memory), "flag" bool (from "Y"; the menu
// series-ticket column from "2"), "integer" std::int64_t, "amount" Currency.
// How each item is converted and written is in MasterFields.h.

#include "core/Currency.h"

#include <cstdint>
#include <string>

namespace pos {

struct TCashierData {
    std::string CashierNo;
    std::string CashierName;
    std::string Password;
    std::string LastLoginDate;
    std::int64_t RemainDay = 0;
    bool AdminYN = false;
};

namespace CashierItem {
enum : int {
    CashierNo = 0,
    CashierName = 1,
    Password = 2,
    LastLoginDate = 3,
    RemainDay = 4,
    AdminYN = 5,
    Count = 6
};
}  // namespace CashierItem

struct TCommonData {
    std::string Head;
    std::string Code;
    std::string CodeName;
    std::string Item1;
    std::string Item2;
    std::string Item3;
    std::string Item4;
    std::string Item5;
    std::string Item6;
    std::string Item7;
    std::string Item8;
    std::string Item9;
    std::string Item10;
    std::string Item11;
    std::string Item12;
    std::string Item13;
    std::string Item14;
    std::string Item15;
};

namespace CommonItem {
enum : int {
    Head = 0,
    Code = 1,
    CodeName = 2,
    Item1 = 3,
    Item2 = 4,
    Item3 = 5,
    Item4 = 6,
    Item5 = 7,
    Item6 = 8,
    Item7 = 9,
    Item8 = 10,
    Item9 = 11,
    Item10 = 12,
    Item11 = 13,
    Item12 = 14,
    Item13 = 15,
    Item14 = 16,
    Item15 = 17,
    Count = 18
};
}  // namespace CommonItem

struct TUpjangData {
    std::string UpjangCode;
    std::string PosNo;
    std::string UpjangName;
    std::string UpjangEngName;
    std::string UpjangType;
    std::string SodGubunCode;
    std::string FirstFormCode;
    bool TicketPrtYN = false;
    bool GroupTicketYN = false;
    bool CancelYN = false;
    bool CancelSaveYN = false;
    bool CloseYN = false;
    bool OffLineYN = false;
    bool MidifySaveYN = false;
    bool VoidYN = false;
    bool ReturnYN = false;
    bool OrderRestoreYN = false;
    bool WaitYN = false;
    bool MemberImgYN = false;
    bool PreSaleYN = false;
    bool GuestCountYN = false;
    bool DirectSelectYN = false;
    std::string CardTID;
    std::string ReceiptRemark1;
    std::string ReceiptRemark2;
    bool KeyInYN = false;
    bool MasterKeyYN = false;
    bool VoidPriceChangeYN = false;
    bool SeasonCodeYN = false;
    bool BusinessGubunYN = false;
    bool SpecialMemberSaleYN = true;
};

namespace UpjangItem {
enum : int {
    UpjangCode = 0,
    PosNo = 1,
    UpjangName = 2,
    UpjangEngName = 3,
    UpjangType = 4,
    SodGubunCode = 5,
    FirstFormCode = 6,
    TicketPrtYN = 7,
    GroupTicketYN = 8,
    CancelYN = 9,
    CancelSaveYN = 10,
    CloseYN = 11,
    OffLineYN = 12,
    MidifySaveYN = 13,
    VoidYN = 14,
    ReturnYN = 15,
    OrderRestoreYN = 16,
    WaitYN = 17,
    MemberImgYN = 18,
    PreSaleYN = 19,
    GuestCountYN = 20,
    DirectSelectYN = 21,
    CardTID = 22,
    ReceiptRemark1 = 23,
    ReceiptRemark2 = 24,
    KeyInYN = 25,
    MasterKeyYN = 26,
    VoidPriceChangeYN = 27,
    SeasonCodeYN = 28,
    BusinessGubunYN = 29,
    SpecialMemberSaleYN = 30,
    Count = 31
};
}  // namespace UpjangItem

struct TGoodsData {
    std::string UpjangCode;
    std::string MenuCode;
    std::string SeasonCode;
    std::string BusinessGubun;
    std::string MenuName;
    std::string MenuEngName;
    std::string MenuGubun;
    bool TaxYN = true;
    std::string TaxCalcuCode;
    Currency SaleUnitAmt;
    std::string TicketKind;
    std::string DaesoCode;
    std::string DispTimeFrom;
    std::string DispTimeTo;
    bool DCYN = false;
    std::string DCCalcuCode;
    bool OpenCodeYN = false;
    bool KitchenPrtYN = false;
    std::string TicketType;
    std::string CookMethod;
    std::string SetMenu1;
    std::string SetMenu2;
    std::string SetMenu3;
    std::string SetMenu4;
    std::string SetMenu5;
    std::string TypeCode1;
    std::string TypeCode2;
    std::string TypeCode3;
};

namespace GoodsItem {
enum : int {
    UpjangCode = 0,
    MenuCode = 1,
    SeasonCode = 2,
    BusinessGubun = 3,
    MenuName = 4,
    MenuEngName = 5,
    MenuGubun = 6,
    TaxYN = 7,
    TaxCalcuCode = 8,
    SaleUnitAmt = 9,
    TicketKind = 10,
    DaesoCode = 11,
    DispTimeFrom = 12,
    DispTimeTo = 13,
    DCYN = 14,
    DCCalcuCode = 15,
    OpenCodeYN = 16,
    KitchenPrtYN = 17,
    TicketType = 18,
    CookMethod = 19,
    SetMenu1 = 20,
    SetMenu2 = 21,
    SetMenu3 = 22,
    SetMenu4 = 23,
    SetMenu5 = 24,
    TypeCode1 = 25,
    TypeCode2 = 26,
    TypeCode3 = 27,
    Count = 28
};
}  // namespace GoodsItem

struct TMenuGroupData {
    std::string UpjangCode;
    std::string MenuGroupNo;
    std::string MenuGroupName;
};

namespace MenuGroupItem {
enum : int {
    UpjangCode = 0,
    MenuGroupNo = 1,
    MenuGroupName = 2,
    Count = 3
};
}  // namespace MenuGroupItem

struct TMenuSubGroupData {
    std::string UpjangCode;
    std::string MenuGroupNo;
    std::string MenuSubGroupNo;
    std::string MenuSubGroupName;
};

namespace MenuSubGroupItem {
enum : int {
    UpjangCode = 0,
    MenuGroupNo = 1,
    MenuSubGroupNo = 2,
    MenuSubGroupName = 3,
    Count = 4
};
}  // namespace MenuSubGroupItem

struct TMenuData {
    std::string UpjangCode;
    std::string MenuGroupNo;
    std::int64_t MenuNo = 0;
    std::string MenuCode;
    std::string SeasonCode;
    std::string BusinessGubun;
    std::string MenuName;
    Currency SaleUnitAmt;
    std::string DispTimeFrom;
    std::string DispTimeTo;
    bool SeriesTicket = false;
    std::string DaesoCode = "Z";
    std::string TypeCode1;
    std::string TypeCode2;
    std::string TypeCode3;
};

namespace MenuItem {
enum : int {
    UpjangCode = 0,
    MenuGroupNo = 1,
    MenuNo = 2,
    MenuCode = 3,
    SeasonCode = 4,
    BusinessGubun = 5,
    MenuName = 6,
    SaleUnitAmt = 7,
    DispTimeFrom = 8,
    DispTimeTo = 9,
    SeriesTicket = 10,
    DaesoCode = 11,
    TypeCode1 = 12,
    TypeCode2 = 13,
    TypeCode3 = 14,
    Count = 15
};
}  // namespace MenuItem

struct TCalendarData {
    std::string Date;
    std::string SeasonCode;
    std::string BusinessGubun;
    std::string SecretCode;
};

namespace CalendarItem {
enum : int {
    Date = 0,
    SeasonCode = 1,
    BusinessGubun = 2,
    SecretCode = 3,
    Count = 4
};
}  // namespace CalendarItem

struct TDCData {
    std::string GuestType;
    std::string UpjangCode;
    std::string SeasonCode;
    std::string BusinessGubun;
    std::int64_t DCRate = 0;
    std::int64_t OnceUseQty = -1;
    std::int64_t DailyUseQty = -1;
};

namespace DCItem {
enum : int {
    GuestType = 0,
    UpjangCode = 1,
    SeasonCode = 2,
    BusinessGubun = 3,
    DCRate = 4,
    OnceUseQty = 5,
    DailyUseQty = 6,
    Count = 7
};
}  // namespace DCItem

struct TEtcDCData {
    std::string MultiUpjangCode;
    std::string MemberNo;
    std::string MemberName;
    std::string MemberAddNoTitle;
    std::int64_t MemberAddNoLength = 0;
    std::string MemberAddNoIDNoYN;
    std::string QtyAcceptYN;
    std::string GenderCode;
    std::string MemberCode;
    std::string GuestType;
    std::int64_t DCRate = 0;
    std::int64_t OnceUseQty = -1;
    std::int64_t DailyUseQty = -1;
    std::int64_t LimitAge = 0;
    std::string CardCompanyCode;
    std::int64_t SoDCRate = 0;
};

namespace EtcDCItem {
enum : int {
    MultiUpjangCode = 0,
    MemberNo = 1,
    MemberName = 2,
    MemberAddNoTitle = 3,
    MemberAddNoLength = 4,
    MemberAddNoIDNoYN = 5,
    QtyAcceptYN = 6,
    GenderCode = 7,
    MemberCode = 8,
    GuestType = 9,
    DCRate = 10,
    OnceUseQty = 11,
    DailyUseQty = 12,
    LimitAge = 13,
    CardCompanyCode = 14,
    SoDCRate = 15,
    Count = 16
};
}  // namespace EtcDCItem

struct TDCMemberData {
    std::string MultiUpjangCode;
    std::string AcceptMemberNo;
    std::int64_t Seq = 0;
    std::string MemberNo;
    std::string MemberAddNo;
    std::string IDNo;
    std::string MemberName;
    std::string MemberCode;
    std::string GuestType;
    std::string DaesoGubun;
    std::int64_t DCRate = 0;
    std::int64_t OnceUseCount = 0;
    std::int64_t DailyUseCount = 0;
    std::int64_t YearlyUseCount = 0;
    std::string Remark;
    bool KeyInYN = false;
    bool DCYN = false;
    bool MasterMemberYN = false;

    bool operator==(const TDCMemberData&) const = default;
};

namespace DCMemberItem {
enum : int {
    MultiUpjangCode = 0,
    AcceptMemberNo = 1,
    Seq = 2,
    MemberNo = 3,
    MemberAddNo = 4,
    IDNo = 5,
    MemberName = 6,
    MemberCode = 7,
    GuestType = 8,
    DaesoGubun = 9,
    DCRate = 10,
    OnceUseCount = 11,
    DailyUseCount = 12,
    YearlyUseCount = 13,
    Remark = 14,
    KeyInYN = 15,
    DCYN = 16,
    MasterMemberYN = 17,
    Count = 18
};
}  // namespace DCMemberItem

struct TDCMenuData {
    std::string MultiUpjangCode;
    std::string AcceptMemberNo;
    std::int64_t Seq = 0;
    std::string MenuCode;
    std::string SeasonCode;
    std::string BusinessGubun;
    std::string MemberNo;
    std::string MemberAddNo;
    std::string IDNo;
    std::string MemberName;
    std::string MemberCode;
    std::string GuestType;
    std::string DaesoGubun;
    Currency DCAmt;
    std::int64_t OnceUseCount = 0;
    std::int64_t DailyUseCount = 0;
    bool KeyInYN = false;

    bool operator==(const TDCMenuData&) const = default;
};

namespace DCMenuItem {
enum : int {
    MultiUpjangCode = 0,
    AcceptMemberNo = 1,
    Seq = 2,
    MenuCode = 3,
    SeasonCode = 4,
    BusinessGubun = 5,
    MemberNo = 6,
    MemberAddNo = 7,
    IDNo = 8,
    MemberName = 9,
    MemberCode = 10,
    GuestType = 11,
    DaesoGubun = 12,
    DCAmt = 13,
    OnceUseCount = 14,
    DailyUseCount = 15,
    KeyInYN = 16,
    Count = 17
};
}  // namespace DCMenuItem

struct TWaitData {
    std::int64_t WaitNo = 0;
    std::string Time;
    Currency Amt;
    std::string List;
    std::string Footer;
    std::int64_t SaleGubun = 0;
    std::int64_t KoreanQty = 0;
    std::int64_t ForeignQty = 0;
    std::string LockerNo;
    bool OrderYN = false;
};

namespace WaitItem {
enum : int {
    WaitNo = 0,
    Time = 1,
    Amt = 2,
    List = 3,
    Footer = 4,
    SaleGubun = 5,
    KoreanQty = 6,
    ForeignQty = 7,
    LockerNo = 8,
    OrderYN = 9,
    Count = 10
};
}  // namespace WaitItem

struct TWaitListData {
    std::int64_t WaitNo = 0;
    std::string UpjangCode;
    std::string PosNo;
    std::string MenuCode;
    std::string SeasonCode;
    std::string BusinessGubun;
    std::int64_t SaleCount = 0;
    bool ModifyYN = false;
    Currency UnitAmt;
    std::int64_t CorrectAmt = 0;
    bool CaddyYN = false;
};

namespace WaitListItem {
enum : int {
    WaitNo = 0,
    UpjangCode = 1,
    PosNo = 2,
    MenuCode = 3,
    SeasonCode = 4,
    BusinessGubun = 5,
    SaleCount = 6,
    ModifyYN = 7,
    UnitAmt = 8,
    CorrectAmt = 9,
    CaddyYN = 10,
    Count = 11
};
}  // namespace WaitListItem

struct TWaitDCMemberData {
    std::int64_t WaitNo = 0;
    std::string MultiUpjangCode;
    std::string AcceptMemberNo;
    std::int64_t Seq = 0;
    std::string MemberNo;
    std::string MemberAddNo;
    std::string IDNo;
    std::string MemberName;
    std::string MemberCode;
    std::string GuestType;
    std::string DaesoGubun;
    std::int64_t DCRate = 0;
    std::int64_t OnceUseCount = 0;
    std::int64_t DailyUseCount = 0;
    std::int64_t YearlyUseCount = 0;
    std::string Remark;
    bool KeyInYN = false;
    bool DCYN = false;
    bool MasterMemberYN = false;
};

namespace WaitDCMemberItem {
enum : int {
    WaitNo = 0,
    MultiUpjangCode = 1,
    AcceptMemberNo = 2,
    Seq = 3,
    MemberNo = 4,
    MemberAddNo = 5,
    IDNo = 6,
    MemberName = 7,
    MemberCode = 8,
    GuestType = 9,
    DaesoGubun = 10,
    DCRate = 11,
    OnceUseCount = 12,
    DailyUseCount = 13,
    YearlyUseCount = 14,
    Remark = 15,
    KeyInYN = 16,
    DCYN = 17,
    MasterMemberYN = 18,
    Count = 19
};
}  // namespace WaitDCMemberItem

struct TWaitDCMenuData {
    std::int64_t WaitNo = 0;
    std::string MultiUpjangCode;
    std::string AcceptMemberNo;
    std::int64_t Seq = 0;
    std::string MenuCode;
    std::string SeasonCode;
    std::string BusinessGubun;
    std::string MemberNo;
    std::string MemberAddNo;
    std::string IDNo;
    std::string MemberName;
    std::string MemberCode;
    std::string GuestType;
    std::string DaesoGubun;
    Currency DCAmt;
    std::int64_t OnceUseCount = 0;
    std::int64_t DailyUseCount = 0;
    bool KeyInYN = false;
};

namespace WaitDCMenuItem {
enum : int {
    WaitNo = 0,
    MultiUpjangCode = 1,
    AcceptMemberNo = 2,
    Seq = 3,
    MenuCode = 4,
    SeasonCode = 5,
    BusinessGubun = 6,
    MemberNo = 7,
    MemberAddNo = 8,
    IDNo = 9,
    MemberName = 10,
    MemberCode = 11,
    GuestType = 12,
    DaesoGubun = 13,
    DCAmt = 14,
    OnceUseCount = 15,
    DailyUseCount = 16,
    KeyInYN = 17,
    Count = 18
};
}  // namespace WaitDCMenuItem

// One entry of the tender list (glPayData): tender name and its code.
struct TPayData {
    std::string Name;
    std::int64_t Code = 0;
};

}  // namespace pos
