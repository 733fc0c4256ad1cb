#pragma once
// The tender part of the customer receipt and the slips of the payment,
// composed while the payment is recorded, before the sale part.
//
// The recording makes one TPayReceipt per bill with the bill's header line,
// the received amount and the change, feeds it the tender lines in the order
// it writes them (tender kinds in button order, lines in list order, the
// card lines it skips as duplicates or of amount 0 left out) and calls
// Finish once. Pure: nothing is printed or queued here (see PrintPlan.h).

#include "core/Currency.h"
#include "sales/receipt/ReceiptRoute.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pos {

struct TTerminalContext;
class TMasterStore;
struct TPayCashList;
struct TPayCardList;
struct TPayRoomList;
struct TPayLockerList;
struct TPayEventList;
struct TPayGiftCardList;
struct TPayCreditList;

using TTicketLines = std::vector<std::string>;

// The detail a tender line prints after the tender's name.
std::string TenderDetail(const TPayCardList& aLine);
std::string TenderDetail(const TPayRoomList& aLine);
std::string TenderDetail(const TPayLockerList& aLine);
std::string TenderDetail(const TPayEventList& aLine);
std::string TenderDetail(const TPayGiftCardList& aLine);
std::string TenderDetail(const TPayCreditList& aLine);

struct TPayPart {
    std::string receiptText;              // gsPrintPayData1: for a receipt printer
    TTicketLines ticketLines;             // the tender lines of glPrintTicket: for a ticket list
    std::vector<std::string> cardSlips;   // glPrintCard: company and customer copy of each card line
    std::vector<TTicketLines> ticketJobs; // card slips and cash receipts printed as list tickets, in order
    std::vector<std::string> roomSlips, lockerSlips, eventSlips, creditSlips;  // glPrintRoom ... glPrintCredit
};

class TPayReceipt {
public:
    // aReceived: the sum of the tender lines (signed like the bill);
    // aChange: received minus due. The bill kind is the context's.
    TPayReceipt(const TTerminalContext& aContext, const TMasterStore& aStore, TPrinters aPrinters,
                std::string aHeader, Currency aReceived, Currency aChange);

    void AddCash(const TPayCashList& aLine);
    void AddCard(const TPayCardList& aLine);
    void AddEasyCheck(const TPayCardList& aLine);
    void AddRoom(const TPayRoomList& aLine);
    void AddLocker(const TPayLockerList& aLine);
    void AddEvent(const TPayEventList& aLine);
    void AddGiftCard(const TPayGiftCardList& aLine);
    void AddCredit(const TPayCreditList& aLine);

    TPayPart Finish() const;

private:
    std::string tenderName(std::int64_t aCode, std::string_view aFallback) const;
    void addTenderLine(std::string_view aName, std::string_view aDetail, Currency aAmount);
    void addCardSlips(const TPayCardList& aLine);

    const TTerminalContext& context_;
    const TMasterStore& store_;
    TPrinters printers_;
    TReceiptRoute route_;
    std::string header_;
    Currency received_, change_;
    std::vector<std::string> tenderLines_;
    std::vector<std::string> cashReceipts_;  // blocks closing the receipt, an empty line between two
    TPayPart slips_;                         // the slips and ticket jobs gathered so far
};

}  // namespace pos
