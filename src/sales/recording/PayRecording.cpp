#include "sales/recording/PayRecording.h"

#include "core/DialogService.h"
#include "core/IdentityNumbers.h"
#include "core/TerminalContext.h"
#include "core/TextHelpers.h"
#include "db/DataModule.h"
#include "db/DayLog.h"
#include "db/DbQuery.h"
#include "db/DbWork.h"
#include "lookups/Lookups.h"
#include "sales/SaleBill.h"
#include "sales/recording/SaleRows.h"
#include "store/MasterStore.h"

namespace pos {
namespace {

const char* const kKeyCash = "ICI010-SavePayData-Cash-1";
const char* const kKeyCardBase = "ICI010-SavePayData-Card-1";
const char* const kKeyCard = "ICI010-SavePayData-Card-2";
const char* const kKeyRoomSeq = "ICI010-SavePayData-Room-1";
const char* const kKeyRoom = "ICI010-SavePayData-Room-2";
const char* const kKeyGiftCard = "ICI010-SavePayData-GiftCard-1";
const char* const kKeyLocker = "ICI010-SavePayData-Locker";
const char* const kEasyCheck = "이지체크";
const char* const kPrepayShort = "선납금액이 부족합니다.";

std::string digits(const std::string& aText)
{
    std::string out;
    for (char c : aText)
        if (c >= '0' && c <= '9') out += c;
    return out;
}

std::string text(Currency aValue) { return aValue.toText(); }

// The bill's identity and the cashier, as the tender statements begin.
std::vector<std::string> head(const TTerminalContext& aCtx, std::size_t aCount)
{
    std::vector<std::string> p(aCount, std::string());
    p[0] = aCtx.gsToday;
    p[1] = aCtx.gsMasterUpjangCode;
    p[2] = aCtx.gsMasterPosNo;
    p[3] = aCtx.gsBillNo;
    p[4] = "Y";
    return p;
}

bool sameCard(const TPayCardList& a, const TPayCardList& b)
{
    return a.CardNo == b.CardNo && digits(a.VaildThru) == digits(b.VaildThru) && a.AgreeNo == b.AgreeNo &&
           a.Amt == b.Amt;
}

// One step of the on-line write: rows, and after them the room transfer of
// a room charge.
struct TStep {
    TBillRows rows;
    const TPayRoomList* roomTransfer = nullptr;
    std::int64_t roomSeq = 0;
};

}  // namespace

bool CardLineStored(const std::vector<TPayCardList>& aLines, std::size_t aIndex)
{
    const TPayCardList& line = aLines[aIndex];
    if (line.Amt == Currency()) return false;
    return aIndex == 0 || !sameCard(aLines[aIndex - 1], line);
}

TPayRecording::TPayRecording(TTerminalContext& aContext, const TMasterStore& aStore, const TSaleBill& aBill,
                             TfrmData& aData, TLookups& aLookups, DialogService& aDialogs,
                             std::function<void()> aDuplicateBillNo)
    : ctx_(aContext),
      store_(aStore),
      bill_(aBill),
      data_(aData),
      lookups_(aLookups),
      dialogs_(aDialogs),
      duplicateBillNo_(std::move(aDuplicateBillNo))
{
}

void TPayRecording::Clear()
{
    lines_ = {};
    offLineRows_.clear();
    saved_ = false;
}

// A server's message may quote the row it refused, card number included.
void TPayRecording::failed(const std::string& aKey, const std::string& aMessage)
{
    const std::string masked = MaskNumbersForLog(aMessage);
    WriteLogFile(ctx_, "ICI010-" + aKey, masked);
    dialogs_.ErrBox(kMsgPayNotSaved + masked, true);
}

// Every account tender is asked again just before the payment is stored: a
// guest may have checked out or a balance been used up since it was looked
// up. The first refusal selects that tender; its own message was shown.
std::int64_t TPayRecording::recheckAccounts(const TPayLines& aLines)
{
    for (const TPayRoomList& r : aLines.room) {
        TRoomInfo info;
        if (!lookups_.GetRoomInfo(r.RoomNo, info)) return ctx_.giPayRoom;
    }
    for (const TPayLockerList& l : aLines.locker) {
        TLockerInfo info;
        info.LockerSeq = l.Seq;
        if (!lookups_.GetLockerInfo(l.LockerNo, info)) return ctx_.giPayLocker;
    }
    for (const TPayEventList& e : aLines.event) {
        std::string eventNo = e.EventNo;
        TEventInfo info;
        if (!lookups_.GetEventInfo(eventNo, info)) return ctx_.giPayEvent;
    }
    for (const TPayCreditList& c : aLines.credit) {
        std::string memberNo = c.MemberNo;
        TCreditInfo info;
        if (!lookups_.GetCreditInfo(memberNo, info)) return ctx_.giPayCredit;
        // The prepaid balance as it stands now, not as it stood at look-up.
        if (info.PrepayAmt > Currency() && !info.JustDo && info.RemainAmt < c.Amt) {
            dialogs_.ErrBox(kPrepayShort, true);
            return ctx_.giPayCredit;
        }
    }
    return 0;
}

TPaySaveResult TPayRecording::SavePayData(const TPayLines& aLines)
{
    Clear();
    TPaySaveResult result;
    const TUpjangData* own = store_.glUpjangData.empty() ? nullptr : &store_.glUpjangData.front();
    if (ctx_.gbOffLine) {
        if (own == nullptr || !own->OffLineYN) return result;  // this outlet does not sell off line
    } else if ((result.selectKind = recheckAccounts(aLines)) != 0) {
        return result;
    }
    lines_ = aLines;
    offLineRows_ = buildRows(aLines, true, 0, std::vector<std::int64_t>(aLines.room.size(), 0));
    if (!ctx_.gbOffLine && !writeOnLine(aLines, result.selectKind)) {
        Clear();
        return result;
    }
    saved_ = true;
    result.saved = true;
    return result;
}

TBillRows TPayRecording::buildRows(const TPayLines& aLines, bool aOffLine, std::int64_t aCardBase,
                                   const std::vector<std::int64_t>& aRoomSeqs) const
{
    const TSaleRowsBuilder sale(ctx_, store_, bill_);
    TBillRows rows;
    const auto pay = [&](std::int64_t aCode, const std::string& aSeq, Currency aAmount,
                         const std::function<void(std::vector<std::string>&)>& aDetail) {
        std::vector<std::string> p = sale.PayRowParams(aCode, aSeq, aAmount);
        aDetail(p);
        rows.push_back({kKeySavePay, std::move(p), TOffLineQueue::Pay});
        for (TStoredRow& e : sale.EventPayRow(aCode, aSeq, aAmount)) rows.push_back(std::move(e));
    };
    const auto cardRows = [&](const std::vector<TPayCardList>& aList, bool aEasyCheck, std::int64_t aBase) {
        for (std::size_t i = 0; i < aList.size(); ++i) {
            if (!CardLineStored(aList, i)) continue;
            const TPayCardList& c = aList[i];
            const std::string seq = std::to_string(aBase + static_cast<std::int64_t>(i) + 1);
            pay(ctx_.giPayCard, seq, c.Amt, [&](std::vector<std::string>& p) {
                if (aEasyCheck) p[8] = kEasyCheck;
                p[9] = c.CardNo + "=" + digits(c.VaildThru);
                if (aOffLine) p[17] = "Off Line";
            });
            std::vector<std::string> a = head(ctx_, 23);
            a[5] = seq;
            a[6] = c.OldAgreeNo.empty() ? "Y" : "N";
            a[7] = text(c.Amt);
            a[8] = c.CardNo;
            a[9] = digits(c.VaildThru);
            a[10] = digits(c.HalbuMonth);
            a[11] = aEasyCheck ? kEasyCheck : c.AgreeNo;
            a[12] = c.OldAgreeNo;
            a[13] = c.CompanyCode;
            a[14] = c.CompanyName;
            a[15] = c.BankCode;
            a[16] = c.BankName;
            a[17] = c.CardJoinNo;
            a[18] = c.AgreeDate;
            a[19] = aEasyCheck ? "N" : "Y";
            a[20] = "";  // track data is never stored once an approval is answered
            a[21] = ctx_.gsCashier;
            a[22] = ctx_.gsIP;
            rows.push_back({kKeyCard, std::move(a), TOffLineQueue::Card});
        }
    };

    for (const std::int64_t kind : aLines.offeredKinds) {
        if (kind == ctx_.giPayCash) {
            for (std::size_t i = 0; i < aLines.cash.size(); ++i) {
                const TPayCashList& c = aLines.cash[i];
                const std::string seq = std::to_string(i + 1);
                pay(ctx_.giPayCash, seq, c.Amt, [&](std::vector<std::string>& p) {
                    p[8] = c.AgreeNo;
                    p[9] = c.CardNo;
                    p[11] = c.ManYN ? "0" : "1";
                    if (aOffLine || !c.CardNo.empty()) p[17] = text(c.AgreeAmt);
                });
                if (c.AgreeNo.empty()) continue;
                std::vector<std::string> r = head(ctx_, 15);
                r[5] = seq;
                r[6] = ctx_.giSaleGubun == 0 ? "Y" : "N";
                r[7] = c.ManYN ? "Y" : "N";
                r[8] = c.CardNo;
                r[9] = "";  // the identity as typed or read is not kept; the number stands in CardNo
                r[10] = text(c.AgreeAmt);
                r[11] = c.AgreeNo;
                r[12] = c.AgreeDate;
                r[13] = ctx_.gsCashier;
                r[14] = ctx_.gsIP;
                rows.push_back({kKeyCash, std::move(r), TOffLineQueue::Cash});
            }
        } else if (kind == ctx_.giPayCard) {
            cardRows(aLines.card, false, aCardBase);
        } else if (kind == ctx_.giPayEasyCheck) {
            // EasyCheck lines continue the card sequence, so their card rows
            // never share a key with the bill's card lines.
            cardRows(aLines.easyCheck, true, aCardBase + static_cast<std::int64_t>(aLines.card.size()));
        } else if (kind == ctx_.giPayRoom) {
            for (std::size_t i = 0; i < aLines.room.size(); ++i) {
                const TPayRoomList& r = aLines.room[i];
                const std::int64_t seq = aRoomSeqs[i];
                pay(ctx_.giPayRoom, std::to_string(i + 1), r.Amt, [&](std::vector<std::string>& p) {
                    p[8] = r.MemberNo;
                    p[9] = r.MemberName;
                    p[12] = r.UpjangCode;
                    p[13] = r.RsvNo;
                    p[14] = std::to_string(r.ManageNo);
                    p[15] = std::to_string(seq);
                    p[16] = r.RoomNo;
                });
                rows.push_back({kKeyRoom,
                                {r.UpjangCode, r.RsvNo, std::to_string(r.ManageNo), ctx_.gsToday, std::to_string(seq),
                                 ctx_.gsMasterUpjangCode, ctx_.gsMasterPosNo, ctx_.gsBillNo, text(r.Amt), ctx_.gsCashier,
                                 ctx_.gsIP},
                                std::nullopt});
            }
        } else if (kind == ctx_.giPayGiftCard) {
            for (std::size_t i = 0; i < aLines.giftCard.size(); ++i) {
                const TPayGiftCardList& g = aLines.giftCard[i];
                const std::string seq = std::to_string(i + 1);
                pay(ctx_.giPayGiftCard, seq, g.Amt, [&](std::vector<std::string>& p) {
                    p[8] = g.GiftCardNo;
                    p[9] = g.GiftCardName;
                });
                std::vector<std::string> v = head(ctx_, 11);
                v[5] = seq;
                v[6] = g.GiftCardNo;
                v[7] = CopyStr(g.GiftCardNo, 1, 3);
                v[8] = text(g.Amt);
                v[9] = ctx_.gsCashier;
                v[10] = ctx_.gsIP;
                rows.push_back({kKeyGiftCard, std::move(v), std::nullopt});
            }
        } else if (kind == ctx_.giPayCredit) {
            for (std::size_t i = 0; i < aLines.credit.size(); ++i) {
                const TPayCreditList& c = aLines.credit[i];
                const std::int64_t code = c.PrepayAmt > Currency() ? ctx_.giPayPrepay : ctx_.giPayCredit;
                pay(code, std::to_string(i + 1), c.Amt, [&](std::vector<std::string>& p) {
                    p[8] = c.MemberNo;
                    p[9] = c.CustName;
                    p[17] = c.Remarks;
                });
            }
        } else if (kind == ctx_.giPayEvent) {
            for (std::size_t i = 0; i < aLines.event.size(); ++i) {
                const TPayEventList& e = aLines.event[i];
                pay(ctx_.giPayEvent, std::to_string(i + 1), e.Amt, [&](std::vector<std::string>& p) {
                    p[8] = e.EventNo;
                    p[9] = e.EventName;
                });
            }
        } else if (kind == ctx_.giPayLocker) {
            for (std::size_t i = 0; i < aLines.locker.size(); ++i) {
                const TPayLockerList& l = aLines.locker[i];
                pay(ctx_.giPayLocker, std::to_string(i + 1), l.Amt, [&](std::vector<std::string>& p) {
                    p[8] = l.MemberNo;
                    p[9] = l.ComeName;
                    p[10] = l.LockerNo;
                    p[11] = std::to_string(l.Seq);
                });
                std::vector<std::string> v = head(ctx_, 11);
                v[5] = text(l.Amt);
                v[6] = l.LockerNo;
                v[7] = std::to_string(l.Seq);
                v[8] = ctx_.gsCashier;
                v[9] = ctx_.gsIP;
                v[10] = "1";
                rows.push_back({kKeyLocker, std::move(v), std::nullopt});
            }
        }
    }
    if (aLines.change != Currency()) pay(ctx_.giPayCash, "0", -aLines.change, [](std::vector<std::string>&) {});
    for (TStoredRow& r : sale.PreSaleRows(aLines.due)) rows.push_back(std::move(r));
    return rows;
}

// One attempt under a savepoint of the settlement's transaction: the card
// base and each room's charge sequence are read where they are needed, each
// room charge is moved to the folio that pays it at once, and anything that
// fails takes the attempt back.
bool TPayRecording::writeOnLine(const TPayLines& aLines, std::int64_t& aSelectKind)
{
    if (aLines.room.empty()) return writeBatch(aLines);
    TDbWork attempt(data_);
    if (!attempt.Active()) {
        failed(kKeySavePay, attempt.Error().message);
        return false;
    }
    TDbQuery query(data_);
    const auto readNumber = [&](const char* aKey, const std::vector<std::string>& aParams,
                                std::int64_t& aValue) -> bool {
        query.SetSQL(aKey);
        for (std::size_t i = 0; i < aParams.size(); ++i) query.SetParam(static_cast<int>(i), aParams[i]);
        if (!query.Open()) return false;
        aValue = query.Eof() ? 0 : query.AsInteger(0);
        query.Close();
        return true;
    };
    std::int64_t cardBase = 0;
    if ((!aLines.card.empty() || !aLines.easyCheck.empty()) &&
        !readNumber(kKeyCardBase, {ctx_.gsToday, ctx_.gsMasterUpjangCode, ctx_.gsMasterPosNo, ctx_.gsBillNo, "Y"},
                    cardBase)) {
        const TDbError error = query.Error();
        attempt.Fail(error);
        failed(error.key, error.message);
        return false;
    }
    std::vector<std::int64_t> roomSeqs(aLines.room.size(), 0);
    TBillRows rows = buildRows(aLines, false, cardBase, roomSeqs);
    // Each room line's new charge sequence, read as its turn comes (two
    // charges to one folio must not share a number): the rows are written
    // up to a room charge, the next sequence read, and so on.
    std::size_t room = 0;
    for (TStoredRow& row : rows) {
        if (row.key == kKeySavePay && row.params[5] == std::to_string(ctx_.giPayRoom) && room < aLines.room.size()) {
            const TPayRoomList& r = aLines.room[room];
            std::int64_t last = 0;
            if (!readNumber(kKeyRoomSeq, {r.UpjangCode, r.RsvNo, std::to_string(r.ManageNo), ctx_.gsToday}, last)) {
                const TDbError error = query.Error();
                attempt.Fail(error);
                failed(error.key, error.message);
                return false;
            }
            roomSeqs[room] = last + 1;
            row.params[15] = std::to_string(last + 1);
        }
        if (row.key == kKeyRoom) row.params[4] = std::to_string(roomSeqs[room]);
        query.SetSQL(row.key);
        for (std::size_t i = 0; i < row.params.size(); ++i) query.SetParam(static_cast<int>(i), row.params[i]);
        if (!query.ExecSQL()) {
            const TDbError error = query.Error();
            attempt.Fail(error);
            if (error.sqlState == "23505" && duplicateBillNo_) duplicateBillNo_();
            failed(error.key, error.message);
            return false;
        }
        if (row.key == kKeyRoom) {
            const TPayRoomList& r = aLines.room[room];
            // A charge the hotel did not take is no payment: the tender is
            // refused and the payment screen stays open.
            if (!lookups_.CallRoomModule(ctx_.gsToday, r.UpjangCode, r.RsvNo, r.ManageNo, roomSeqs[room])) {
                attempt.Fail({TDbErrorKind::Other, "IZD000-CallRoomModule", {}, "room transfer refused"});
                aSelectKind = ctx_.giPayRoom;
                return false;
            }
            ++room;
        }
    }
    if (attempt.Commit()) return true;
    failed(kKeySavePay, attempt.Error().message);
    return false;
}

// Without a room charge nothing needs to happen between the rows: the card
// base is read, then every row goes in one round trip.
bool TPayRecording::writeBatch(const TPayLines& aLines)
{
    std::int64_t cardBase = 0;
    if (!aLines.card.empty() || !aLines.easyCheck.empty()) {
        TDbWork read(data_, TDbWork::Read);
        TDbQuery query(data_);
        query.SetSQL(kKeyCardBase);
        const std::vector<std::string> bill{ctx_.gsToday, ctx_.gsMasterUpjangCode, ctx_.gsMasterPosNo, ctx_.gsBillNo, "Y"};
        for (std::size_t i = 0; i < bill.size(); ++i) query.SetParam(static_cast<int>(i), bill[i]);
        if (!query.Open()) {
            const TDbError error = query.Error();
            read.Fail(error);
            failed(error.key, error.message);
            return false;
        }
        cardBase = query.Eof() ? 0 : query.AsInteger(0);
        read.Commit();
    }
    const TBillRows rows = buildRows(aLines, false, cardBase, {});
    std::vector<TfrmData::TBatchStatement> batch;
    for (const TStoredRow& row : rows) batch.push_back({row.key, &row.params, nullptr});
    if (const TDbError error = TDbWork::Batch(data_, batch)) {
        if (error.sqlState == "23505" && duplicateBillNo_) duplicateBillNo_();
        failed(error.key, error.message);
        return false;
    }
    return true;
}

}  // namespace pos
