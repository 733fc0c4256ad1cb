#pragma once
// A stored bill as the reprint reads it back from the server: which bill is
// printed (after its pre-sale link), its header, items, tenders, cash
// receipts and card approvals. Plain data; the reader fills it, the layout
// prints it.

#include "core/Currency.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pos {

// What the cashier asked for.
struct TReprintRequest {
    std::string saleDate;    // "yyyymmdd"
    std::string posNo;       // two digits
    std::int64_t billNo = 0;
    bool sale = true;        // false: the void form ("반품", cancellation slips)
    bool english = false;
    bool saveCount = true;   // count this reprint on the server
};

struct TReprintItem {
    std::string mark;        // "*" before a tax-free item
    std::string name;
    std::int64_t count = 0;
    Currency unit;           // the entered unit price, as the sale's receipt showed it
    Currency amount;         // the stored sale amount of the row
    std::string taxCode;
};

// One tender line with the details it was stored with (columns 3 to 6 of
// its row: number, name or card, locker, room).
struct TReprintTender {
    std::int64_t code = 0;
    std::string name;
    Currency amount;
    std::string number, nameOrCard, locker, room;
};

struct TReprintCashReceipt {
    bool business = false;   // expense proof; otherwise income deduction
    std::string identity;    // the number as stored
    Currency amount;
    std::string approvalNo;
};

struct TReprintCard {
    Currency amount;
    std::string cardNo, approvalDate, validThru, instalment, approvalNo, issuer, company, merchantNo;
    bool signedOnPad = false;  // the company copy needs no signature line
};

struct TReprintBill {
    std::string date, posNo, billNo;   // the bill printed (D, P, B)
    std::string itemDate, itemBillNo;  // where its items and count are stored (HD, HB)
    std::string title, time, cashierName;
    std::int64_t tableNo = 0;
    std::int64_t reprintCount = 0;     // the number of this reprint
    bool noSvc = false, noVat = false;
    std::vector<TReprintItem> items;
    std::vector<TReprintTender> tenders;
    std::vector<TReprintCashReceipt> cashReceipts;
    std::vector<TReprintCard> cards;
};

}  // namespace pos
