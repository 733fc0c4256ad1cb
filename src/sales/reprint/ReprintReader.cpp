#include "sales/reprint/ReprintReader.h"

#include "core/DateHelpers.h"
#include "core/TerminalContext.h"
#include "db/DataModule.h"
#include "db/DbQuery.h"
#include "db/DbWork.h"
#include "sales/reprint/ReprintUnit.h"

#include <cstdio>
#include <functional>
#include <vector>

namespace pos {
namespace {

std::string fourDigits(std::int64_t aValue)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04lld", static_cast<long long>(aValue));
    return text;
}

std::string threeDigits(std::int64_t aValue)
{
    char text[32];
    std::snprintf(text, sizeof text, "%03lld", static_cast<long long>(aValue));
    return text;
}

// The statements of one read, each run with its parameters by position; the
// first failure ends the read through the work's one failure path.
class TBillRead {
public:
    TBillRead(TfrmData& aData, TDbWork& aWork) : data_(aData), work_(aWork) {}

    bool Run(const char* aKey, const std::vector<std::string>& aParams, const std::function<void(TDbQuery&)>& aRow)
    {
        TDbQuery query(data_);
        query.SetSQL(aKey);
        for (std::size_t i = 0; i < aParams.size(); ++i) query.SetParam(static_cast<int>(i), aParams[i]);
        if (!query.Open()) {
            work_.Fail(query.Error());
            return false;
        }
        for (; !query.Eof(); query.Next()) aRow(query);
        return true;
    }

private:
    TfrmData& data_;
    TDbWork& work_;
};

class TReprintReader {
public:
    TReprintReader(TfrmData& aData, const TReprintRequest& aRequest)
        : data_(aData), ctx_(aData.Context()), request_(aRequest)
    {
    }

    TReprintRead Read()
    {
        TReprintRead out;
        TDbWork work(data_, TDbWork::Read);
        if (!work.Active()) return out;
        TBillRead read(data_, work);
        TReprintBill& bill = out.bill;
        bill.date = bill.itemDate = request_.saleDate;
        bill.billNo = bill.itemBillNo = fourDigits(request_.billNo);
        bill.posNo = request_.posNo;

        bool found = false;
        const bool ok = readLink(read, bill) && readMove(read, bill) && readHeader(read, bill, found);
        if (!ok) return out;
        if (!found) {
            out.status = TReprintStatus::NotFound;
            out.message = DateToString(bill.date, '-') + "일 " + bill.posNo + "번 POS에서 판매되지 않은 전표번호입니다.";
            return out;
        }
        if (!readItems(read, bill) || !readTenders(read, bill) || !readCashReceipts(read, bill) ||
            !readCards(read, bill))
            return out;
        if (!work.Commit()) return out;
        out.status = TReprintStatus::Read;
        return out;
    }

private:
    std::string saleYN() const { return request_.sale ? "Y" : "N"; }
    std::string engBill() const { return request_.english ? "N" : "Y"; }
    std::vector<std::string> own(const TReprintBill& aBill, std::vector<std::string> aFurther = {}) const
    {
        std::vector<std::string> p{aBill.date, ctx_.gsMasterUpjangCode, aBill.posNo, aBill.billNo};
        p.insert(p.end(), aFurther.begin(), aFurther.end());
        return p;
    }

    // A bill settled from a pre-sale prints the pre-sale's receipt; a bill
    // linked otherwise keeps its number and reads its items from the link.
    bool readLink(TBillRead& aRead, TReprintBill& aBill)
    {
        return aRead.Run("IZC000-ReprintReceipt-5",
                         own(aBill, {threeDigits(ctx_.giPayPreSale), threeDigits(ctx_.giPayPreSaleTransfer)}),
                         [&](TDbQuery& q) {
                             const std::string link = q.AsString(1);
                             if (link.size() != 13) return;
                             if (q.AsInteger(0) == ctx_.giPayPreSale) {
                                 aBill.date = aBill.itemDate = link.substr(0, 8);
                                 aBill.billNo = aBill.itemBillNo = link.substr(9, 4);
                             } else {
                                 aBill.itemDate = link.substr(0, 8);
                                 aBill.itemBillNo = link.substr(9, 4);
                             }
                         });
    }

    bool readMove(TBillRead& aRead, TReprintBill& aBill)
    {
        return aRead.Run("IZC000-ReprintReceipt-6", own(aBill), [&](TDbQuery& q) {
            const std::string moved = q.AsString(1);
            if (q.IsNull(0) || q.AsInteger(0) <= 0 || moved.size() < 7) return;
            aBill.posNo = moved.substr(0, 2);
            aBill.billNo = aBill.itemBillNo = moved.substr(3, 4);
        });
    }

    bool readHeader(TBillRead& aRead, TReprintBill& aBill, bool& aFound)
    {
        return aRead.Run("IZC000-ReprintReceipt-1", own(aBill, {engBill(), aBill.itemDate, aBill.itemBillNo}),
                         [&](TDbQuery& q) {
                             if (aFound || q.IsNull(0)) return;
                             aFound = true;
                             aBill.title = q.AsString(0);
                             aBill.time = q.AsString(3);
                             aBill.cashierName = q.AsString(7);
                             aBill.tableNo = q.AsInteger(8);
                             aBill.reprintCount = q.AsInteger(9) + 1;
                         });
    }

    bool readItems(TBillRead& aRead, TReprintBill& aBill)
    {
        const std::vector<std::string> params{aBill.itemDate, ctx_.gsMasterUpjangCode, aBill.posNo, aBill.itemBillNo,
                                              saleYN(), ctx_.gbSki ? "N" : "Y", engBill()};
        return aRead.Run("IZC000-ReprintReceipt-2", params, [&](TDbQuery& q) {
            if (aBill.items.empty()) {
                aBill.noSvc = q.AsString(7) == "Y";
                aBill.noVat = q.AsString(8) == "Y";
            }
            const std::string taxCode = q.AsString(6);
            const Currency unit =
                EnteredUnitPrice(ctx_, taxCode, q.AsCurrency(4), q.AsString(7) == "Y", q.AsString(8) == "Y");
            aBill.items.push_back({q.AsString(0), q.AsString(1), q.AsInteger(2), unit, q.AsCurrency(5), taxCode});
        });
    }

    bool readTenders(TBillRead& aRead, TReprintBill& aBill)
    {
        return aRead.Run("IZC000-ReprintReceipt-3", own(aBill, {saleYN(), engBill()}), [&](TDbQuery& q) {
            aBill.tenders.push_back({q.AsInteger(0), q.AsString(1), q.AsCurrency(2), q.AsString(3), q.AsString(4),
                                     q.AsString(5), q.AsString(6)});
        });
    }

    bool readCashReceipts(TBillRead& aRead, TReprintBill& aBill)
    {
        return aRead.Run("IZC000-ReprintReceipt-10", own(aBill, {saleYN()}), [&](TDbQuery& q) {
            aBill.cashReceipts.push_back({q.AsString(0) == "N", q.AsString(1), q.AsCurrency(2), q.AsString(3)});
        });
    }

    // The card approvals, each marked when the guest signed it on the pad:
    // the same amount, card number and approval number.
    bool readCards(TBillRead& aRead, TReprintBill& aBill)
    {
        struct TSigned {
            Currency amount;
            std::string cardNo, approvalNo;
        };
        std::vector<TSigned> signedOnPad;
        const bool ok =
            aRead.Run("IZC000-ReprintReceipt-9", own(aBill, {saleYN()}), [&](TDbQuery& q) {
                signedOnPad.push_back({q.AsCurrency(0), q.AsString(1), q.AsString(2)});
            }) &&
            aRead.Run("IZC000-ReprintReceipt-4",
                      own(aBill, {saleYN(), std::to_string(ctx_.giPayCard), request_.sale ? "Y" : "N"}),
                      [&](TDbQuery& q) {
                          TReprintCard card{q.AsCurrency(0), q.AsString(1), q.AsString(2), q.AsString(3),
                                            q.AsString(4),   q.AsString(5), q.AsString(6), q.AsString(7),
                                            q.AsString(8),   false};
                          for (const TSigned& s : signedOnPad)
                              if (s.amount == card.amount && s.cardNo == card.cardNo && s.approvalNo == card.approvalNo)
                                  card.signedOnPad = true;
                          aBill.cards.push_back(std::move(card));
                      });
        return ok;
    }

    TfrmData& data_;
    const TTerminalContext& ctx_;
    const TReprintRequest& request_;
};

}  // namespace

TReprintRead ReadReprintBill(TfrmData& aData, const TReprintRequest& aRequest)
{
    if (!aData.ConnectDB(false, false)) {
        TReprintRead out;
        out.status = TReprintStatus::OffLine;
        return out;
    }
    return TReprintReader(aData, aRequest).Read();
}

bool CountReprint(TfrmData& aData, const TReprintBill& aBill)
{
    TDbWork work(aData);
    if (!work.Active()) return false;
    TDbQuery query(aData);
    query.SetSQL("IZC000-ReprintReceipt-8");
    query.SetParam(0, aBill.itemDate);
    query.SetParam(1, aData.Context().gsMasterUpjangCode);
    query.SetParam(2, aBill.posNo);
    query.SetParam(3, aBill.itemBillNo);
    query.SetParam(4, std::to_string(aBill.reprintCount));
    if (!query.ExecSQL()) {
        work.Fail(query.Error());
        return false;
    }
    return work.Commit();
}

}  // namespace pos
