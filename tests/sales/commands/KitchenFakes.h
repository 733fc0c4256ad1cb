#pragma once
// The printers a table's kitchen slips and order bills go to, recorded: a
// receipt printer at position 1, every text kept in order.

#include "TicketFakes.h"

#include "devices/TicketJobs.h"
#include "sales/commands/TableKitchen.h"
#include "sales/printing/DeviceBillPrinter.h"

#include <algorithm>
#include <string>
#include <vector>

namespace pos::test {

struct RecordedPrinters final : TPrintDevices {
    TPrinters Printers() const override { return {TPrinterType::ptTSP600, TPrinterType::ptNone}; }
    void PrintReceipt(int, const std::string& aText, Done aDone) override
    {
        receipts.push_back(aText);
        aDone(true);
    }
    void PrintTickets(Done aDone) override { aDone(true); }
    void OpenCashDrawer(Done aDone) override { aDone(true); }

    // Kitchen slips end with the table's whole kitchen list.
    int KitchenSlips() const
    {
        return static_cast<int>(std::count_if(receipts.begin(), receipts.end(), [](const std::string& r) {
            return r.find("최종내역") != std::string::npos;
        }));
    }
    std::vector<std::string> receipts;
};

struct KitchenParts {
    KitchenParts(const TTerminalContext& aContext, const TMasterStore& aStore, DialogService& aDialogs)
        : tickets(kinds, aContext, TPrinterType::ptTSP600, journal),
          kitchen(aContext, aStore, printers, tickets, aDialogs, [] { return std::string("193000"); })
    {
    }
    FakeTicketKinds kinds;
    TNoTicketJournal journal;
    TTicketJobList tickets;
    RecordedPrinters printers;
    TTableKitchen kitchen;
};

}  // namespace pos::test
