#pragma once
// The code table: the resort's code values the terminal compares with codes
// from the database, the master files and the menu buttons. Read once at
// start-up from section "DEFAULT" of "POSData.ini" (never written); a missing
// key or file keeps the default. A text key K becomes member gsK, an integer
// key giK.

#include <cstdint>
#include <filesystem>
#include <string>

namespace pos {

class IniFile;

// POS_CODE_TEXT(key, default) / POS_CODE_INT(key, default), in file order.
#define POS_CODE_TABLE(POS_CODE_TEXT, POS_CODE_INT) \
    POS_CODE_INT(CardMemberNoPos, 1) \
    POS_CODE_TEXT(CashierPreSale, "PRESALE") \
    POS_CODE_TEXT(CashierPosVoid, "POSVOID") \
    POS_CODE_TEXT(CommonBusFee, "I0011") \
    POS_CODE_TEXT(CommonCardCompany, "Z0021") \
    POS_CODE_TEXT(CommonCardIssue, "Z0022") \
    POS_CODE_TEXT(CommonCardNo, "Z0023") \
    POS_CODE_TEXT(CommonCardTID, "Z0024") \
    POS_CODE_TEXT(CommonDCCalcuCode, "I0006") \
    POS_CODE_TEXT(CommonGiftCardCode, "K0006") \
    POS_CODE_TEXT(CommonGuestType, "Z0006") \
    POS_CODE_TEXT(CommonMasterKey, "I0010") \
    POS_CODE_TEXT(CommonSODGubunCode, "I0001") \
    POS_CODE_TEXT(CommonTicketKind, "I0005") \
    POS_CODE_TEXT(CommonTicketType, "I0004") \
    POS_CODE_TEXT(CommonDBUser, "Z9999") \
    POS_CODE_TEXT(DaesoCodeAll, "Z") \
    POS_CODE_TEXT(DaesoCodeAdult, "1") \
    POS_CODE_TEXT(DaesoCodeChild, "2") \
    POS_CODE_TEXT(EventTempMemberNo, "4103121001") \
    POS_CODE_TEXT(FormOrderTable, "2") \
    POS_CODE_TEXT(FormSkiSchool, "3") \
    POS_CODE_TEXT(GuestTypeEmp, "100") \
    POS_CODE_TEXT(GuestTypeEmpContract, "104") \
    POS_CODE_TEXT(GuestTypeEmpAlways, "105") \
    POS_CODE_TEXT(GuestTypeLiftTicket, "503") \
    POS_CODE_TEXT(GuestTypeMasterNamed, "010") \
    POS_CODE_TEXT(GuestTypeSkiPackage, "790") \
    POS_CODE_TEXT(GuestTypeSkiCamp, "780") \
    POS_CODE_TEXT(MasterMemberNo, "") \
    POS_CODE_TEXT(MemberCodeCoupon, "51") \
    POS_CODE_TEXT(MemberCodeEvent, "41") \
    POS_CODE_TEXT(MemberCodeTour, "42") \
    POS_CODE_TEXT(MemberCodeBus, "43") \
    POS_CODE_TEXT(MemberCodeEtcGroup, "44") \
    POS_CODE_TEXT(MemberCodeOfficer, "13") \
    POS_CODE_TEXT(MemberNoEvent, "41") \
    POS_CODE_TEXT(MenuGubunBeverage, "33") \
    POS_CODE_TEXT(MenuGubunBreakfast, "32") \
    POS_CODE_TEXT(MenuGubunPartRental, "53") \
    POS_CODE_INT(OrderReadInterval, 5) \
    POS_CODE_INT(PayCash, 110) \
    POS_CODE_INT(PayCard, 120) \
    POS_CODE_INT(PayEasyCheck, 125) \
    POS_CODE_INT(PayRoom, 130) \
    POS_CODE_INT(PayLocker, 140) \
    POS_CODE_INT(PayEvent, 150) \
    POS_CODE_INT(PayGiftCard, 160) \
    POS_CODE_INT(PayCredit, 170) \
    POS_CODE_INT(PayTransfer, 0) \
    POS_CODE_INT(PayPrepay, 430) \
    POS_CODE_INT(PayPreSale, 1) \
    POS_CODE_INT(PayPreSaleTransfer, 2) \
    POS_CODE_INT(PDAOrderBillPrint, 8) \
    POS_CODE_TEXT(ScaleMenuCode, "21") \
    POS_CODE_TEXT(TaxGubunDutyfree, "2") \
    POS_CODE_TEXT(TaxGubunDutyTip, "4") \
    POS_CODE_TEXT(TaxGubunDutySaloon, "5") \
    POS_CODE_TEXT(TicketKindDaytime, "22") \
    POS_CODE_TEXT(TicketKindOnce, "01") \
    POS_CODE_TEXT(TicketKindUse, "00") \
    POS_CODE_TEXT(TicketTypeList, "05") \
    POS_CODE_TEXT(TicketTypeFnB, "06") \
    POS_CODE_TEXT(TicketTypeLift, "01") \
    POS_CODE_TEXT(TicketTypeRental, "02") \
    POS_CODE_TEXT(TicketTypeEtc, "03") \
    POS_CODE_TEXT(TicketPrtYNNone, "0") \
    POS_CODE_TEXT(TicketPrtYNUnit, "1") \
    POS_CODE_TEXT(TicketPrtYNMenu, "2") \
    POS_CODE_TEXT(TicketPrtYNGroup, "3") \
    POS_CODE_TEXT(UpjangBig3Gondola, "5025") \
    POS_CODE_TEXT(UpjangBig3WaterSled, "5026") \
    POS_CODE_TEXT(UpjangLift, "5001") \
    POS_CODE_TEXT(UpjangRental, "5003") \
    POS_CODE_TEXT(UpjangSkiSchool, "5004") \
    POS_CODE_TEXT(UpjangSkiKeeping, "5007") \
    POS_CODE_TEXT(UpjangSkiCamp, "5097") \
    POS_CODE_TEXT(UpjangSkiPackage, "5099") \
    POS_CODE_TEXT(UpjangSkiPackageBus, "5098") \
    POS_CODE_TEXT(UpjangVessaFnB1, "3001") \
    POS_CODE_TEXT(UpjangVessaFnB2, "3002") \
    POS_CODE_TEXT(UpjangVessaFnB3, "3003") \
    POS_CODE_TEXT(UpjangVessaFnB4, "3004") \
    POS_CODE_TEXT(UpjangVessaFnB5, "3005") \
    POS_CODE_TEXT(UpjangVessaFnB7, "3029") \
    POS_CODE_TEXT(UpjangTypeFnB, "30") \
    POS_CODE_TEXT(UpjangTypeLeisure, "40") \
    POS_CODE_TEXT(UpjangTypeSki, "50") \
    POS_CODE_TEXT(UpjangTypeSuper, "60")

struct TCodeTable {
#define POS_CODE_TEXT_MEMBER(key, def) std::string gs##key = def;
#define POS_CODE_INT_MEMBER(key, def) std::int64_t gi##key = def;
    POS_CODE_TABLE(POS_CODE_TEXT_MEMBER, POS_CODE_INT_MEMBER)
#undef POS_CODE_TEXT_MEMBER
#undef POS_CODE_INT_MEMBER

    // Reads section "DEFAULT"; keys not present keep their current value.
    void ReadIniData(const IniFile& aIni);
    void ReadIniData(const std::filesystem::path& aPosDataIni);
};

}  // namespace pos
