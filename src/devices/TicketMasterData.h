#pragma once
// What the ticket printers read from the master data, and the store behind
// both it and the ticket kinds of the job list.

#include "core/TerminalContext.h"
#include "devices/TicketJobs.h"

#include <string>

namespace pos {

class TMasterStore;

class TTicketMasterData {
public:
    virtual ~TTicketMasterData() = default;
    // The terminal's first outlet: its name (the first coupon line) and its
    // English name (the page header of an English bill).
    virtual std::string FirstOutletName() const = 0;
    virtual std::string FirstOutletEngName() const = 0;
    // The outlet's receipt remarks, printed after the cut of a line-mode
    // ticket like after any receipt.
    virtual std::string ReceiptRemark1() const = 0;
    virtual std::string ReceiptRemark2() const = 0;
};

// Both, read from the master-data store as it is at the time of asking.
class TStoreTicketData : public TTicketKinds, public TTicketMasterData {
public:
    TStoreTicketData(const TMasterStore& aStore, const TTerminalContext& aContext);

    int TicketTypeNumber(const std::string& aKindCode) const override;
    std::string FirstOutletName() const override;
    std::string FirstOutletEngName() const override;
    std::string ReceiptRemark1() const override;
    std::string ReceiptRemark2() const override;

private:
    const TMasterStore& store_;
    const TTerminalContext& context_;
};

}  // namespace pos
