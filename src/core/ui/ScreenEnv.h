#pragma once
// What a screen needs from the rest of the terminal, handed to it when it is
// made: the terminal context for the title bar and the footer, the customer
// display (cleared when a screen opens and closes) and the day log.

#include <functional>
#include <string>

namespace pos {

struct TTerminalContext;

struct TScreenEnv {
    // Outlet, POS, cashier and sale date; without it those labels stay empty.
    const TTerminalContext* context = nullptr;
    // Shows two lines on the customer display; unset while none is configured.
    std::function<void(const std::string& aLine1, const std::string& aLine2)> showLineDisplay;
    // Appends to the day log (procedure name, message); unset: not logged.
    std::function<void(const std::string& aProcedure, const std::string& aMessage)> writeLog;
};

}  // namespace pos
