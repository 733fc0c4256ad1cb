#pragma once
// The figures of a cashier's day as the server computes them from the stored
// rows, and the few the terminal derives from them. The close screen shows
// them, the close records two of them and the close reports print them.

#include "core/Currency.h"

#include <cstdint>
#include <string>

namespace pos {

// The close screen's modes, in this order.
enum class TCloseMode { cmIpgumOpen, cmIpgumClose, cmClose, cmPosClose };

// A count with its amount.
struct TCountAmount {
    std::int64_t count = 0;
    Currency amount;

    bool operator==(const TCountAmount&) const = default;
};

struct TCloseFigures {
    // The cash position: floats entered and interim deposits.
    TCountAmount floats;
    TCountAmount deposits;
    std::int64_t floatEntries = 0;    // float entries recorded (CheckOpen)
    std::int64_t depositEntries = 0;  // deposits recorded (CheckIpgum)

    // Bills in the period.
    TCountAmount sales, returns, voids, corrections, cancelledBills;
    Currency salesTotal;
    // The tax breakdown of the sales total, kept for the record, not printed:
    // net, VAT, special excise, education, rural special, sports fund,
    // association fee.
    Currency taxes[7];

    // Complimentary bills: counts only.
    std::int64_t compSales = 0, compReturns = 0, compVoids = 0, compCorrections = 0;

    // Tenders by pay code.
    TCountAmount cash, card, room, locker, event, giftCard, credit;
    TCountAmount preSale;          // the pre-sale rows under the reserved date
    TCountAmount preSaleTransfer;  // the pre-sale rows on the day it was paid

    // The cash sales are the cash tender's amount.
    Currency CashSales() const { return cash.amount; }
    // The cash in hand is what was deposited.
    Currency CashInHand() const { return deposits.amount; }
    // Above 0 a surplus, below 0 a shortage.
    Currency OverShort() const { return CashInHand() - floats.amount - CashSales(); }
    // The seven tenders from cash to credit; the amount also takes both
    // pre-sale amounts, the count does not.
    std::int64_t TenderCount() const;
    Currency TenderAmount() const;
    // A COMP section is printed only for a COMP sale, return or void.
    bool HasComp() const { return compSales != 0 || compReturns != 0 || compVoids != 0; }
};

inline std::int64_t TCloseFigures::TenderCount() const
{
    return cash.count + card.count + room.count + locker.count + event.count + giftCard.count + credit.count;
}

inline Currency TCloseFigures::TenderAmount() const
{
    return cash.amount + card.amount + room.amount + locker.amount + event.amount + giftCard.amount +
           credit.amount + preSale.amount + preSaleTransfer.amount;
}

}  // namespace pos
