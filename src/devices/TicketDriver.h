#pragma once
// The ticket printers behind the devices: prints the pending ticket jobs on
// printer 1 or 2 with the driver of that printer's kind. The devices take it
// as a collaborator; the ticket area provides it.

#include "core/TerminalConfig.h"

#include <cstdint>
#include <functional>

namespace pos {

class TTicketDriver {
public:
    virtual ~TTicketDriver() = default;
    // aDone(true) once every pending job for that printer is printed;
    // aDone(false) when the printer failed (the jobs not yet printed stay
    // pending, so printing can be resumed).
    virtual void PrintTickets(int aPrinterNo, TPrinterType aType, std::uint8_t aEnglish,
                              std::function<void(bool)> aDone) = 0;
};

}  // namespace pos
