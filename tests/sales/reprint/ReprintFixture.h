#pragma once
// Bill 0012 of POS 01 at the ski house restaurant, 5 January 2024 at 14:30,
// as the server gives it back: two stews and a tax-free water, paid by card
// and by cash with a cash receipt; reprinted for the second time.

#include "core/TerminalContext.h"
#include "sales/reprint/ReprintBill.h"

namespace pos::test {

inline void SkiHouseTerminal(TTerminalContext& aContext)
{
    aContext.gsMasterUpjangCode = "3101";
    aContext.gsMasterUpjangName = "스키하우스";
}

inline TReprintBill SkiHouseBill(const TTerminalContext& aContext)
{
    TReprintBill bill;
    bill.date = bill.itemDate = "20240105";
    bill.posNo = "01";
    bill.billNo = bill.itemBillNo = "0012";
    bill.title = "스키하우스";
    bill.time = "14:30";
    bill.cashierName = "홍길동";
    bill.reprintCount = 2;
    bill.items = {{" ", "김치찌개", 2, 8000, 16000, "1"}, {"*", "생수", 1, 1000, 1000, "2"}};
    bill.tenders = {{aContext.giPayCard, "신용카드", 12000, "", "9410123456785678=2612", "", ""},
                    {aContext.giPayCash, "현금", 5000, "87654321", "01012345678", "", ""}};
    bill.cashReceipts = {{false, "01012345678", 5000, "87654321"}};
    bill.cards = {{12000, "9410123456785678", "20240105", "2612", "00", "30001234", "KB국민", "국민카드", "00112233",
                   false}};
    return bill;
}

}  // namespace pos::test
