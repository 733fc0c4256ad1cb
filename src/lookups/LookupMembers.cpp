// The integrated member base: members, restrictions, discount limits and the
// member card's issue count.

#include "lookups/Lookups.h"

#include "core/TextHelpers.h"
#include "db/DbWork.h"
#include "store/MasterStore.h"

namespace pos {
namespace {

const char* const kMsgMemberNotFound = "통합 고객 정보를 조회할 수 없습니다.";
const char* const kMsgMemberCancelled = "해약된 우대번호입니다.";
const char* const kMsgMemberExpired = "사용 유효기간이 지난 우대번호입니다.";
const char* const kMsgSpecialMember = "특별회원 입니다.\r\r본인 확인 후 판매하십시오.";
const char* const kMsgSportsStopped = "스포츠시설 카드사용이 중지된 회원 입니다.\r [회원팀]에 안내하십시오.";
const char* const kMsgLiftRestricted = "리프트 발권이 제한된 회원입니다.\r 본인 확인 후 판매하십시오.";
const char* const kMsgOverdue = "연체회원에게는 판매할 수 없습니다.\r회원팀에 문의하십시오.";
const char* const kMsgNoDiscountHere = "현재 영업장에서 할인을 할 수 없는 고객입니다.";
const char* const kMsgBlackListUnknown = "회원 제한 여부를 확인할 수 없습니다.\r전산팀에 문의하십시오.";
const char* const kMsgDCLimitUnknown = "할인 제한 여부를 확인할 수 없습니다.\r전산팀에 문의하십시오.";

// The century of birth carried by the 7th digit of a resident number: 1/2
// (5/6 for foreigners) the 1900s, 3/4 (7/8) the 2000s, 9/0 the 1800s.
const char* centuryOf(char aSeventh)
{
    switch (aSeventh) {
    case '1': case '2': case '5': case '6': return "19";
    case '9': case '0': return "18";
    default: return "20";
    }
}

}  // namespace

std::string DaesoCodeOf(const TTerminalContext& aContext, std::string_view aIDNo, std::string_view aSaleDate)
{
    if (aIDNo.size() != 13 || aSaleDate.size() != 8) return aContext.gsDaesoCodeAll;
    const std::string birth = centuryOf(aIDNo[6]) + std::string(aIDNo.substr(0, 6));
    const std::int64_t year = StringToInteger(aSaleDate.substr(0, 4));
    const std::string limit = std::to_string(year - 13) + std::string(aSaleDate.substr(4, 4));
    return limit > birth ? aContext.gsDaesoCodeAdult : aContext.gsDaesoCodeChild;
}

TMemberCardCountSource MakeMemberCardCountSource(TfrmData& aData)
{
    return [&aData](const std::string& aMemberNo) {
        TCardCountAnswer answer;
        if (!aData.ConnectDB(true, false)) return answer;  // OffLine
        TDbWork read(aData, TDbWork::Read);
        TDbQuery query(aData);
        query.SetSQL("IZC000-GetMemberCardCount");
        query.SetParam(0, aMemberNo);
        if (!query.Open()) {
            read.Fail(query.Error());
            answer.State = aData.Context().gbOffLine ? TCardCountState::OffLine : TCardCountState::Failed;
            return answer;
        }
        answer.State = TCardCountState::Answered;
        answer.CurrentCount = StringToInteger(query.AsString(0));
        return answer;
    };
}

bool TLookups::GetMemberInfo(const std::string& aAcceptMemberNo, TMemberInfo& aInfo)
{
    aInfo = {};
    if (!connect()) return false;
    TDbWork read(data_, TDbWork::Read);
    TDbQuery query(data_);
    query.SetSQL("IZD000-GetMemberInfo");
    query.SetParam(0, aAcceptMemberNo);
    if (!query.Open()) {
        read.Fail(query.Error());
        return false;
    }
    if (query.AsString(0).empty()) {
        dialogs().ErrBox(kMsgMemberNotFound, true);
        return false;
    }
    if (!query.AsString(6).empty()) {
        dialogs().ErrBox(kMsgMemberCancelled, true);
        return false;
    }
    const std::string& today = ctx().gsSaleDate;
    if (!(query.AsString(7) <= today && today <= query.AsString(8))) {
        dialogs().ErrBox(kMsgMemberExpired, true);
        return false;
    }
    aInfo.MemberNo = query.AsString(0);
    aInfo.IDNo = query.AsString(1);
    aInfo.MemberName = query.AsString(2);
    aInfo.MemberCode = query.AsString(3);
    aInfo.MemberCodeName = query.AsString(4);
    aInfo.GuestType = query.AsString(5);
    aInfo.DaesoCode = DaesoCodeOf(ctx(), aInfo.IDNo, today);
    return true;
}

// The card checks of the lift come first: only the lift outlet, and only when
// it does not sell to special members unchecked, looks at the black list.
// Overdue fees stop a sale at every outlet.
bool TLookups::GetBlackListInfo(const std::string& aMemberNo)
{
    if (!connect()) return false;
    // A check that cannot be made off line finds nothing, as off line; one
    // that fails on line refuses the member, without stopping the bill.
    TDbWork read(data_, TDbWork::Read);
    const auto failed = [this, &read](const TDbError& aError) {
        read.Fail(aError);
        if (ctx().gbOffLine) return false;
        dialogs().ErrBox(kMsgBlackListUnknown, true);
        return true;
    };

    const bool atLift = !store_.glUpjangData.empty() && store_.glUpjangData.front().UpjangCode == ctx().gsUpjangLift;
    if (atLift && store_.glUpjangData.front().SpecialMemberSaleYN) {
        ctx().gbCantSale = false;
    } else if (atLift) {
        TDbQuery query(data_);
        query.SetSQL("IZD000-GetBlackListInfo-1");
        query.SetParam(0, aMemberNo);
        query.SetParam(1, ctx().gsSaleDate);
        if (!query.Open()) return failed(query.Error());
        const std::string kind = query.AsString(0);
        if (kind == "L") {
            dialogs().ErrBox(kMsgSpecialMember, true);
            ctx().gbCantSale = false;
        } else if (kind == "Y") {
            dialogs().ErrBox(kMsgSportsStopped, true);
            ctx().gbCantSale = true;
            return true;
        } else if (kind == "F") {
            dialogs().ErrBox(kMsgLiftRestricted, true);
            ctx().gbCantSale = true;
        }
    }

    TDbQuery query(data_);
    query.SetSQL("IZD000-GetBlackListInfo-2");
    query.SetParam(0, aMemberNo);
    query.SetParam(1, ctx().gsSaleDate);
    if (!query.Open()) return failed(query.Error());
    if (query.AsString(0) == "연체") {
        dialogs().ErrBox(kMsgOverdue, true);
        ctx().gbCantSale = true;
        return true;
    }
    return false;
}

bool TLookups::GetDCLimit(const std::string& aMemberNo, const std::string& aUpjangCode)
{
    if (!connect()) return false;
    TDbWork read(data_, TDbWork::Read);
    TDbQuery query(data_);
    query.SetSQL("IZD000-GetDCLimit");
    query.SetParam(0, aMemberNo);
    query.SetParam(1, aUpjangCode);
    if (!query.Open()) {
        read.Fail(query.Error());
        if (ctx().gbOffLine) return false;
        dialogs().ErrBox(kMsgDCLimitUnknown, true);
        return true;
    }
    if (query.AsString(0) == "Y") {
        dialogs().ErrBox(kMsgNoDiscountHere, true);
        return true;
    }
    return false;
}

}  // namespace pos
