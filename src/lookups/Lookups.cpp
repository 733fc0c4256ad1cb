// Hotel rooms, golf lockers, group contracts and house credit.

#include "lookups/Lookups.h"

#include "core/DateHelpers.h"
#include "db/DbWork.h"

namespace pos {
namespace {

const char* const kMsgRoomOffLine = "객실후불는(은) Off Line 상태에서 할 수 없습니다.";
const char* const kMsgLockerOffLine = "락카후불는(은) Off Line 상태에서 할 수 없습니다.";
const char* const kMsgCreditOffLine = "외상는(은) Off Line 상태에서 할 수 없습니다.";
const char* const kMsgRoomTransferFailed = "객실 후불 이체처리를 하지 못했습니다.";

int twoDigits(std::string_view aText, std::size_t aPos)
{
    const char a = aText[aPos], b = aText[aPos + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9') return -1;
    return (a - '0') * 10 + (b - '0');
}

// Minutes after midnight of "hh:nn" (aColon) or "hhnn..." ; -1 when it is not a time of day.
int minutesOfDay(std::string_view aTime, bool aColon)
{
    if (aColon ? (aTime.size() != 5 || aTime[2] != ':') : aTime.size() < 4) return -1;
    const int hours = twoDigits(aTime, 0), minutes = twoDigits(aTime, aColon ? 3 : 2);
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59) return -1;
    return hours * 60 + minutes;
}

}  // namespace

std::string GetPassTime(std::string_view aTime, std::string_view aNow)
{
    const int start = minutesOfDay(aTime, true), now = minutesOfDay(aNow, false);
    if (start < 0 || now < 0) return {};
    const int passed = (now - start + 24 * 60) % (24 * 60);
    const int minutes = passed % 60;
    return std::to_string(passed / 60) + "시간 " + (minutes < 10 ? "0" : "") + std::to_string(minutes) + "분";
}

TLookups::TLookups(TfrmData& aData, const TMasterStore& aStore)
    : data_(aData), store_(aStore), cardRules_(aData.Context(), aStore, aData.Dialogs())
{
}

std::string TLookups::GetPassTime(const std::string& aTime) const { return pos::GetPassTime(aTime, GetSysTime()); }

// ---------------------------------------------------------------------------
// Hotel room

bool TLookups::GetRoomInfo(const std::string& aRoomNo, TRoomInfo& aInfo)
{
    aInfo = {};
    if (!connect()) {
        dialogs().ErrBox(kMsgRoomOffLine, true);
        return false;
    }
    TDbWork read(data_, TDbWork::Read);
    TDbQuery query(data_);
    query.SetSQL("IZD000-GetRoomInfo");
    query.SetParam(0, ctx().gsMasterUpjangCode);
    query.SetParam(1, ctx().gsSaleDate);
    query.SetParam(2, aRoomNo);
    if (!query.Open()) {
        read.Fail(query.Error());
        return false;
    }
    aInfo.MemberNo = query.AsString(0);
    aInfo.MemberName = query.AsString(1);
    aInfo.ComeName = query.AsString(2);
    aInfo.CheckInDate = DateToString(query.AsString(3), '-', true);
    aInfo.CheckOutDate = DateToString(query.AsString(4), '-', true);
    aInfo.UpjangCode = query.AsString(5);
    aInfo.RsvNo = query.AsString(6);
    aInfo.ManageNo = query.AsInteger(7);
    aInfo.GuestTypeName = query.AsString(10);
    aInfo.EventNo = query.AsString(11);

    if (query.AsString(3).empty()) {
        dialogs().ErrBox(aRoomNo + "번 객실에는 투숙객이 없습니다.", true);
        return false;
    }
    if (query.AsString(8) == "Y") {
        dialogs().ErrBox(aRoomNo + "번 객실 고객은 이미 퇴실했습니다.", true);
        return false;
    }
    if (query.AsString(9).empty()) {
        dialogs().ErrBox(aRoomNo + "번 객실로는 객실후불을 할 수 없습니다. 프런트에 문의하십시오.", true);
        return false;
    }
    return true;
}

std::string TLookups::GetRoomMemberInfo(const std::string& aMemberNo)
{
    if (!connect()) {
        dialogs().ErrBox(kMsgRoomOffLine, true);
        return {};
    }
    TDbWork read(data_, TDbWork::Read);
    TDbQuery query(data_);
    query.SetSQL("IZD000-GetRoomMemberInfo");
    query.SetParam(0, ctx().gsSaleDate);
    query.SetParam(1, aMemberNo);
    if (!query.Open()) {
        read.Fail(query.Error());
        return {};
    }
    std::string roomNo = query.AsString(0);
    if (roomNo.empty()) dialogs().ErrBox(aMemberNo + "번 우대번호로 입실한 자료가 없습니다.", true);
    return roomNo;
}

// The charge is already on the room's folio (the caller wrote it); a folio
// whose charges another folio pays (a group or company master account) has
// it moved there. A refusal of the procedure is a failure like any other:
// the charge stays where it is and the cashier is told.
bool TLookups::CallRoomModule(const std::string& aSaleDate, const std::string& aUpjangCode, const std::string& aRsv,
                              std::int64_t aManage, std::int64_t aSeq)
{
    if (!connect()) return false;
    TDbWork work(data_);
    if (!work.Active()) return false;

    TDbQuery query(data_);
    query.SetSQL("IZD000-CallRoomModule");
    query.SetParam(0, aUpjangCode);
    query.SetParam(1, aRsv);
    query.SetParam(2, std::to_string(aManage));
    query.SetParam(3, ctx().gsMasterUpjangCode);
    if (!query.Open()) {
        work.Fail(query.Error());
        return false;
    }
    const std::string toUpjang = query.AsString(0), toRsv = query.AsString(1), toManage = query.AsString(2);
    const bool sameFolio = toUpjang == aUpjangCode && toRsv == aRsv && toManage == std::to_string(aManage);
    if (toUpjang.empty() || toRsv.empty() || toManage.empty() || sameFolio) return work.Commit();

    TDbStoredProc& proc = data_.dbpProcRoom;
    proc.ClearParams();
    proc.SetParam("ATASK_DATE", aSaleDate);
    proc.SetParam("AFROM_UPJANG", aUpjangCode);
    proc.SetParam("AFROM_RSV", aRsv);
    proc.SetParam("AFROM_MANAGE", std::to_string(aManage));
    proc.SetParam("AFROM_TASK_DATE", aSaleDate);
    proc.SetParam("AFROM_SEQ", std::to_string(aSeq));
    proc.SetParam("ATO_UPJANG", toUpjang);
    proc.SetParam("ATO_RSV", toRsv);
    proc.SetParam("ATO_MANAGE", toManage);
    proc.SetParam("ARAISE_UPJANG_CODE", ctx().gsMasterUpjangCode);
    proc.SetParam("ATRANS_REASON", "");
    proc.SetParam("AU_EMP_NO", ctx().gsCashier);
    proc.SetParam("AU_IP", ctx().gsIP);
    bool moved = proc.ExecProc();
    if (!moved) {
        work.Fail(proc.Error());
    } else if (const std::string refusal = proc.Output("AERROR_MSG"); !refusal.empty()) {
        work.Fail({TDbErrorKind::Other, proc.Name(), {}, refusal});
        moved = false;
    } else {
        moved = work.Commit();
    }
    if (!moved) dialogs().ErrBox(kMsgRoomTransferFailed, true);
    return moved;
}

// ---------------------------------------------------------------------------
// Golf locker

bool TLookups::GetLockerInfo(const std::string& aLockerNo, TLockerInfo& aInfo)
{
    const std::int64_t askedSeq = aInfo.LockerSeq;
    aInfo = {};
    aInfo.LockerSeq = askedSeq;
    if (!connect()) {
        dialogs().ErrBox(kMsgLockerOffLine, true);
        return false;
    }
    TDbWork read(data_, TDbWork::Read);
    TDbQuery query(data_);
    query.SetSQL("IZD000-GetLockerInfo-1");
    query.SetParam(0, ctx().gsSaleDate);
    query.SetParam(1, aLockerNo);
    query.SetParam(2, std::to_string(askedSeq));
    if (!query.Open()) {
        read.Fail(query.Error());
        return false;
    }
    aInfo.MemberNo = query.AsString(0);
    aInfo.ComeName = query.AsString(1);
    aInfo.ComeTime = query.AsString(2);
    aInfo.PassTime = GetPassTime(aInfo.ComeTime);
    aInfo.LockerSeq = query.AsInteger(3);
    if (aInfo.ComeName.empty()) {
        dialogs().ErrBox(aLockerNo + "번 락카로 내장한 고객이 없습니다.", true);
        return false;
    }
    if (query.AsString(4) == "Y") {
        dialogs().ErrBox(aLockerNo + "번 락카는 이미 정산이 끝났습니다.", true);
        return false;
    }

    TDbWork frontRead(data_, TDbWork::Read);

    TDbQuery front(data_);
    front.SetSQL("IZD000-GetLockerInfo-2");
    front.SetParam(0, ctx().gsSaleDate);
    front.SetParam(1, aLockerNo);
    front.SetParam(2, std::to_string(aInfo.LockerSeq));
    if (!front.Open()) {
        read.Fail(front.Error());
        return false;
    }
    if (!front.AsString(0).empty()) {
        dialogs().ErrBox(aLockerNo + "번 락카는 현재 정산 중입니다.\r골프프런트에 문의하십시오.", true);
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------
// Group contract and house credit

bool TLookups::GetEventInfo(std::string& aEventNo, TEventInfo& aInfo)
{
    aInfo = {};
    aEventNo = cardRules_.CheckMemberNo(aEventNo, true);
    if (aEventNo.empty()) return false;
    if (!connect()) {
        dialogs().ErrBox(kMsgCreditOffLine, true);
        return false;
    }
    TDbWork read(data_, TDbWork::Read);
    TDbQuery query(data_);
    query.SetSQL("IZD000-GetEventInfo");
    query.SetParam(0, aEventNo);
    query.SetParam(1, ctx().gsSaleDate);
    if (!query.Open()) {
        read.Fail(query.Error());
        return false;
    }
    aInfo.EventName = query.AsString(0);
    aInfo.MemberNo = query.AsString(1);
    aInfo.MemberName = query.AsString(2);
    aInfo.Remark = query.AsString(3);
    aInfo.MemberCode = query.AsString(4);
    aInfo.MemberCodeName = query.AsString(5);
    aInfo.GuestType = query.AsString(6);
    if (aInfo.MemberNo.empty()) {
        dialogs().ErrBox(aInfo.MemberNo +
                             " 고객은 단체후불을 할 수 없는 고객이거나 계약기간이 만료되었습니다. 판촉팀에 문의하십시오.",
                         true);
        return false;
    }
    return true;
}

bool TLookups::GetCreditInfo(std::string& aMemberNo, TCreditInfo& aInfo)
{
    aInfo = {};
    aMemberNo = cardRules_.CheckMemberNo(aMemberNo, true);
    if (aMemberNo.empty()) return false;
    if (!connect()) {
        dialogs().ErrBox(kMsgCreditOffLine, true);
        return false;
    }
    TDbWork read(data_, TDbWork::Read);
    TDbQuery query(data_);
    query.SetSQL("IZD000-GetCreditInfo");
    query.SetParam(0, aMemberNo);
    query.SetParam(1, ctx().gsSaleDate);
    if (!query.Open()) {
        read.Fail(query.Error());
        return false;
    }
    aInfo.CustNo = query.AsString(0);
    aInfo.CustName = query.AsString(1);
    aInfo.Remark = query.AsString(2);
    aInfo.PrepayAmt = Currency(query.AsInteger(3));
    aInfo.RemainAmt = Currency(query.AsInteger(4));
    aInfo.JustDo = query.AsString(5) != "Y";
    if (aInfo.CustName.empty()) {
        dialogs().ErrBox(aMemberNo + " 고객은 외상을 할 수 없는 고객이거나 계약기간이 만료되었습니다.", true);
        return false;
    }
    return true;
}

}  // namespace pos
