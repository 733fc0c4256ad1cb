#pragma once
// The kitchen side of the open table: the order bill and kitchen slip of the
// bill on the screen printed through the terminal's printers, and what they
// told kept in the bill's table state, so the kitchen hears of every change
// once, however often the table is put away.

#include <functional>
#include <string>

namespace pos {

struct TTerminalContext;
struct TTableBill;
class DialogService;
class TMasterStore;
class TPrintDevices;
class TSaleBill;
class TTicketJobList;

// The open table as the order bill composes it, from the bill and the
// store's discount lists.
TTableBill TableBillOf(const TSaleBill& aBill, const TMasterStore& aStore);

class TTableKitchen {
public:
    // aClock: the time of day as "hhnnss" (the printed time).
    TTableKitchen(const TTerminalContext& aContext, const TMasterStore& aStore, TPrintDevices& aDevices,
                  TTicketJobList& aTickets, DialogService& aDialogs, std::function<std::string()> aClock);

    // PrintOrderBill: the interim order bill and, when a kitchen line
    // changed, the kitchen slip.
    void PrintOrderBill(TSaleBill& aBill);
    // PrintKitchenBill: the kitchen slip alone (a cancelled table bill).
    void PrintKitchenBill(TSaleBill& aBill);

private:
    template <class Compose>
    void print(TSaleBill& aBill, Compose aCompose);

    const TTerminalContext& ctx_;
    const TMasterStore& store_;
    TPrintDevices& devices_;
    TTicketJobList& tickets_;
    DialogService& dialogs_;
    std::function<std::string()> clock_;
};

}  // namespace pos
