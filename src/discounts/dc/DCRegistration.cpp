// The member discount screen's server side: registering a member or a
// scheme for the bill, the guest-type discounts of a card off line, the list
// with each scheme's uses of the day, removing discounts and the photo.

#include "discounts/dc/DCModel.h"

#include "core/TerminalContext.h"
#include "db/DbWork.h"
#include "discounts/DiscountRows.h"
#include "lookups/Lookups.h"
#include "store/MasterStore.h"

#include <algorithm>

namespace pos {
namespace {

constexpr const char* kEmployeeDiscount = ") 직원할인";

// "0," of the list's count texts: thousands grouped; below 0 no limit.
std::string countText(std::int64_t aCount)
{
    if (aCount < 0) return kDCUnlimited;
    std::string digits = std::to_string(aCount);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(static_cast<std::size_t>(i), ",");
    return digits;
}

std::optional<std::string> hexToBytes(const std::string& aHex)
{
    if (aHex.size() % 2 != 0) return std::nullopt;
    const auto nibble = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    std::string bytes;
    bytes.reserve(aHex.size() / 2);
    for (std::size_t i = 0; i < aHex.size(); i += 2) {
        const int high = nibble(aHex[i]), low = nibble(aHex[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes.push_back(static_cast<char>(high * 16 + low));
    }
    return bytes;
}

bool isEmployeeGuestType(const TTerminalContext& aContext, const std::string& aGuestType)
{
    return aGuestType == aContext.gsGuestTypeEmp || aGuestType == aContext.gsGuestTypeEmpContract ||
           aGuestType == aContext.gsGuestTypeEmpAlways;
}

// A row of the bill's lists that belongs to the discount (outlet, accepted
// member, member-add number) the cashier removes.
template <class Row>
bool sameDiscount(const Row& aRow, const TDCList& aListed)
{
    return aRow.MultiUpjangCode == aListed.UpjangCode && aRow.AcceptMemberNo == aListed.MemberNo &&
           aRow.MemberAddNo == aListed.MemberAddNo;
}

}  // namespace

// ---------------------------------------------------------------- registering

void TDCModel::registerMember(const std::string& aMemberNo, std::int64_t aQty)
{
    const std::string memberText = state_.memberNo;
    data_.ConnectDB(true, false);
    if (context_.gbOffLine) {
        registerOffLine();
        return;
    }
    if (lookups_.GetDCLimit(aMemberNo, context_.gsMasterUpjangCode)) return;

    TDCEtcInfo* scheme = state_.memberHint.empty() ? nullptr : pressed();
    if (scheme != nullptr && !registerScheme(*scheme)) return;

    // A scheme's rows are written above; only a member goes through the
    // server's registration.
    if (lookups_.CallDCModule(aMemberNo, keyIn_, state_.memberHint.empty())) {
        checkEventMode(aMemberNo);
        reloadLists(false);
        if (aQty >= 0 && scheme != nullptr) readDCList(memberText, scheme->MemberAddNo, aQty);
        else readDCList();
        focusMemberNo();
    } else {
        if (state_.focus != TDCField::MemberNo) focusMemberNo();
        state_.memberNo = aMemberNo;
        state_.selectAll = true;
    }
    keyIn_ = keyInAddNo_ = true;
    if (context_.gbCantSale) state_.closed = true;
}

// Off line a card gives the guest-type discounts of the local rate table; an
// employee number must come from the card itself.
void TDCModel::registerOffLine()
{
    if (keyIn_ && isEmployeeGuestType(context_, guestType_)) {
        dialogs_.ErrBox(kMsgDCOffLineEmployee, true);
        return;
    }
    const TDCEtcInfo* scheme = pressed();
    TOffLineCard card;
    card.memberNo = state_.memberNo;
    card.memberAddNo = scheme != nullptr && scheme->QtyAcceptYN ? std::string() : state_.addNo;
    card.guestType = guestType_;
    card.keyIn = keyIn_;
    for (TDCMemberData& row : OffLineGuestTypeDiscounts(context_, store_, card))
        store_.glDCMemberData.push_back(std::move(row));
    readDCList();
    focusMemberNo();
}

// The scheme's rows for the bill, one per outlet the scheme is valid at (two
// when its child rate differs), in one transaction. A scheme already on the
// bill with the same additional number is not registered twice.
bool TDCModel::registerScheme(TDCEtcInfo& aScheme)
{
    const bool registered = std::any_of(store_.glDCMemberData.begin(), store_.glDCMemberData.end(), [&](const auto& r) {
        return r.MemberNo == aScheme.MemberNo && r.MemberAddNo == aScheme.MemberAddNo;
    });
    if (registered) return true;
    if (!registerSchemeRows(aScheme)) return false;
    return true;
}

bool TDCModel::registerSchemeRows(const TDCEtcInfo& aScheme)
{
    TDbWork work(data_);
    const auto failed = [&](const TDbError& aError) {
        work.Fail(aError);
        dialogs_.ErrBox(kMsgDCNotSaved, true);
        return false;
    };
    if (!work.Active()) {
        dialogs_.ErrBox(kMsgDCNotSaved, true);
        return false;
    }

    if (aScheme.GuestType == context_.gsGuestTypeEmp) {
        TDbQuery query(data_);
        query.SetSQL("IBI010-CallDCProc-3");
        query.SetParam(0, aScheme.MemberAddNo);
        query.SetParam(1, aScheme.MemberCode == context_.gsMemberCodeOfficer ? context_.gsMemberCodeOfficer
                                                                            : context_.gsGuestTypeEmp);
        if (!query.Open()) return failed(query.Error());
        const std::string name = query.AsString(0);
        if (name.empty()) {
            // Nothing was written: the work ends with nothing to keep.
            dialogs_.ErrBox(kMsgDCUnknownEmployee, true, 1);
            focusAddNo();
            state_.selectAll = true;
            return false;
        }
        remarks_ = name + "(" + aScheme.MemberAddNo + kEmployeeDiscount;
        state_.memberHint += "(" + name + ")";
    }

    const std::string memberText = state_.memberNo;
    const auto insert = [&](const std::string& aUpjangCode, std::int64_t aSeq, const std::string& aDaeso,
                            std::int64_t aRate) {
        TDbQuery query(data_);
        query.SetSQL("IBI010-CallDCProc-2");
        query.SetParam(0, context_.gsMasterUpjangCode);
        query.SetParam(1, context_.gsMasterPosNo);
        query.SetParam(2, aUpjangCode);
        query.SetParam(3, memberText);
        query.SetParam(4, std::to_string(aSeq));
        query.SetParam(5, aScheme.MemberNo);
        query.SetParam(6, aScheme.MemberAddNo);
        query.SetParam(7, "");
        query.SetParam(8, state_.memberHint);
        query.SetParam(9, aScheme.MemberCode);
        query.SetParam(10, aScheme.GuestType);
        query.SetParam(11, aDaeso);
        query.SetParam(12, std::to_string(aRate));
        query.SetParam(13, std::to_string(aScheme.OnceUseQty));
        query.SetParam(14, std::to_string(aScheme.DailyUseQty));
        query.SetParam(15, "-1");
        query.SetParam(16, remarks_);
        query.SetParam(17, keyIn_ ? "Y" : "N");
        return query.ExecSQL() ? std::optional<TDbError>() : std::optional<TDbError>(query.Error());
    };

    for (const TEtcDCData& entry : store_.glEtcDCData) {
        if (entry.MemberNo != memberText) continue;
        TDbQuery next(data_);
        next.SetSQL("IBI010-CallDCProc-4");
        next.SetParam(0, context_.gsMasterUpjangCode);
        next.SetParam(1, context_.gsMasterPosNo);
        next.SetParam(2, entry.MultiUpjangCode);
        next.SetParam(3, aScheme.MemberNo);
        if (!next.Open()) return failed(next.Error());
        const std::int64_t seq = next.AsInteger(0);
        if (auto error = insert(entry.MultiUpjangCode, seq, context_.gsDaesoCodeAll, entry.DCRate)) return failed(*error);
        if (entry.SoDCRate != entry.DCRate) {
            if (auto error = insert(entry.MultiUpjangCode, seq + 1, context_.gsDaesoCodeChild, entry.SoDCRate))
                return failed(*error);
        }
    }
    if (!work.Commit()) {
        dialogs_.ErrBox(kMsgDCNotSaved, true);
        return false;
    }
    return true;
}

// A banquet (event membership) stands alone on the bill: the discounts
// registered before it are removed on the server, and leave the terminal's
// lists at the reload that follows.
void TDCModel::checkEventMode(const std::string& aMemberNo)
{
    const std::string& prefix = context_.gsMemberNoEvent;
    if (prefix.empty() || !aMemberNo.starts_with(prefix)) {
        context_.gbEventMode = false;
        return;
    }
    context_.gbEventMode = true;
    if (state_.rows.empty()) return;
    dialogs_.MsgBox(kMsgDCBanquet);
    if (!data_.ConnectDB(true, false)) return;
    TDbWork work(data_);
    if (!work.Active()) return;
    for (const char* key : {"IBI010-CheckEventMode-1", "IBI010-CheckEventMode-2"}) {
        TDbQuery query(data_);
        query.SetSQL(key);
        query.SetParam(0, context_.gsMasterUpjangCode);
        query.SetParam(1, context_.gsMasterPosNo);
        query.SetParam(2, aMemberNo);
        if (!query.ExecSQL()) {
            work.Fail(query.Error());
            return;
        }
    }
    work.Commit();
}

// The bill's lists as the server holds them now. Reading the menu
// discounts replaces them (MasterStore.h), so a reopened screen never
// doubles them.
void TDCModel::reloadLists(bool aClearAll)
{
    store_.ReadDCMemberData(aClearAll);
    store_.ReadDCMenuData();
}

// ---------------------------------------------------------------- the list

void TDCModel::readDCList(const std::string& aMemberNo, const std::string& aMemberAddNo, std::int64_t aQty)
{
    const bool onLine = !schemes_.empty() && data_.ConnectDB(true, false);
    state_.rows.clear();
    for (TDCMemberData& row : store_.glDCMemberData) {
        const bool applyQty = aQty >= 0 && row.AcceptMemberNo == aMemberNo && row.MemberAddNo == aMemberAddNo;
        state_.rows.push_back(listRow(row, onLine, applyQty, aQty));
    }
    if (state_.rows.empty()) state_.selected = -1;
    else state_.selected = std::clamp(state_.selected, 0, static_cast<int>(state_.rows.size()) - 1);
    updateCommands();
}

// One list row, and the counts of a scheme pressed in this opening: its
// limits less what was used of it today at the row's outlet.
TDCList TDCModel::listRow(TDCMemberData& aRow, bool aOnLine, bool aApplyQty, std::int64_t aQty)
{
    if (aOnLine) {
        const auto scheme = std::find_if(schemes_.begin(), schemes_.end(), [&](const TDCEtcInfo& s) {
            return s.MemberNo == aRow.AcceptMemberNo && s.MemberAddNo == aRow.MemberAddNo;
        });
        if (scheme != schemes_.end())
            ApplySchemeUseLimits(aRow, scheme->OnceUseQty, scheme->DailyUseQty, usedToday(aRow, *scheme));
    }
    // The quantity asked for a scheme is its count on this bill. A row the
    // server refused stays refused.
    if (aApplyQty) aRow.DailyUseCount = aQty;

    TDCList listed;
    listed.MemberNo = aRow.AcceptMemberNo;
    listed.MemberName = aRow.MemberName;
    listed.MemberCodeName = store_.GetCommonData(context_.gsCommonGuestType, aRow.GuestType, CommonItem::CodeName);
    if (aRow.DaesoGubun == context_.gsDaesoCodeChild) listed.MemberCodeName += "(소인)";
    else if (aRow.DaesoGubun != context_.gsDaesoCodeAll) listed.MemberCodeName += "(대인)";
    listed.UpjangName = store_.GetUpjangName(aRow.MultiUpjangCode);
    listed.DCRate = aRow.DCRate;
    listed.OnceUseCount = countText(aRow.OnceUseCount);
    listed.DailyUseCount = countText(aRow.DailyUseCount);
    listed.YearlyUseCount = countText(aRow.YearlyUseCount);
    listed.Remark = aRow.Remark;
    listed.MemberAddNo = aRow.MemberAddNo;
    listed.DCYN = aRow.DCYN;
    listed.MasterYN = aRow.MasterMemberYN;
    listed.UpjangCode = aRow.MultiUpjangCode;
    return listed;
}

// The scheme's quantity on today's stored bills at the row's outlet; 0 when
// none, nullopt when it could not be read (logged; the scheme's own limits
// then stand).
std::optional<std::int64_t> TDCModel::usedToday(const TDCMemberData& aRow, const TDCEtcInfo& aScheme)
{
    TDbWork read(data_, TDbWork::Read);
    TDbQuery query(data_);
    query.SetSQL("IBI010-ReadDCList");
    query.SetParam(0, context_.gsSaleDate);
    query.SetParam(1, aRow.MultiUpjangCode);
    query.SetParam(2, aScheme.MemberNo);
    query.SetParam(3, aScheme.MemberAddNo);
    if (!query.Open()) {
        read.Fail(query.Error());
        return std::nullopt;
    }
    return query.IsNull(0) ? 0 : query.AsInteger(0);
}

void TDCModel::updateCommands()
{
    state_.deleteEnabled = state_.clearEnabled = !state_.rows.empty();
}

void TDCModel::Select(int aRow)
{
    if (aRow >= 0 && aRow < static_cast<int>(state_.rows.size())) state_.selected = aRow;
}

void TDCModel::MoveSelection(int aStep)
{
    Select(state_.selected + aStep);
    state_.selectAll = true;
}

// ---------------------------------------------------------------- removing

// One discount off the bill: its rows on the server, then its rows in the
// terminal's lists. A master number lives only in the terminal, and off line
// the bill goes on with what the terminal lists (the work area on the server
// is cleared with the bill), so those are removed here alone.
void TDCModel::DeleteSelected()
{
    if (state_.selected < 0 || state_.selected >= static_cast<int>(state_.rows.size())) return;
    const TDCList row = state_.rows[static_cast<std::size_t>(state_.selected)];
    if (!row.MasterYN && data_.ConnectDB(true, false)) {
        TDbWork work(data_);
        bool done = work.Active();
        for (const char* key : {"IBI010-CallDCDeleteProc-1", "IBI010-CallDCDeleteProc-2"}) {
            if (!done) break;
            TDbQuery query(data_);
            query.SetSQL(key);
            query.SetParam(0, context_.gsMasterUpjangCode);
            query.SetParam(1, context_.gsMasterPosNo);
            query.SetParam(2, row.UpjangCode);
            query.SetParam(3, row.MemberNo);
            query.SetParam(4, row.MemberAddNo);
            if (!query.ExecSQL()) {
                work.Fail(query.Error());
                done = false;
            }
        }
        if (done) done = work.Commit();
        if (!done) {
            dialogs_.ErrBox(kMsgDCNotCancelled, true);
            return;
        }
    }

    std::erase_if(state_.rows, [&](const TDCList& r) {
        return r.UpjangCode == row.UpjangCode && r.MemberNo == row.MemberNo && r.MemberAddNo == row.MemberAddNo;
    });
    std::erase_if(store_.glDCMemberData, [&](const TDCMemberData& r) { return sameDiscount(r, row); });
    std::erase_if(store_.glDCMenuData, [&](const TDCMenuData& r) { return sameDiscount(r, row); });
    if (state_.rows.empty()) state_.selected = -1;
    else state_.selected = std::min(state_.selected, static_cast<int>(state_.rows.size()) - 1);
    updateCommands();

    // Back to a single member: the bill is a banquet again only when that
    // member is the banquet's (nothing else is left to remove).
    const auto& members = store_.glDCMemberData;
    const std::string& prefix = context_.gsMemberNoEvent;
    context_.gbEventMode = members.size() == 1 && members.front().Remark.empty() && !prefix.empty() &&
                           members.front().MemberNo.starts_with(prefix);
}

void TDCModel::DeleteAll()
{
    if (state_.rows.empty()) return;
    if (data_.ConnectDB(true, false)) {
        if (lookups_.ClearDCModule()) {
            reloadLists(true);
            readDCList();
        }
    } else {
        store_.glDCMemberData.clear();
        store_.glDCMenuData.clear();
        readDCList();
    }
    keyIn_ = keyInAddNo_ = true;
    context_.gbEventMode = false;
}

// ---------------------------------------------------------------- the photo

void TDCModel::showMemberImg(const std::string& aMemberNo)
{
    if (store_.glUpjangData.empty() || !store_.glUpjangData.front().MemberImgYN) return;
    if (!data_.ConnectDB(true, false)) return;
    TDbWork read(data_, TDbWork::Read);
    TDbQuery query(data_);
    query.SetSQL("IBI010-GetMemberImg");
    query.SetParam(0, aMemberNo);
    if (!query.Open()) {
        read.Fail(query.Error());
        return;
    }
    if (query.RecordCount() == 0 || query.IsNull(0)) return;
    if (auto bytes = hexToBytes(query.AsString(0))) state_.photo = std::move(*bytes);
}

}  // namespace pos
