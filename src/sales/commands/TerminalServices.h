#pragma once
// What the sale-screen commands ask of the program as a whole: ending it,
// and the screens of other areas they open.

#include "core/TerminalConfig.h"

namespace pos {

class TTerminalShutdown {
public:
    virtual ~TTerminalShutdown() = default;
    // Signs the cashier off and decides how the program ends (asking the
    // shut-down question first with aAskShutdown); KeepRunning when the
    // cashier chose to stay.
    virtual TShutdownAction Shutdown(bool aAskShutdown) = 0;
};

// The login area's screens.
class TLoginLaunchers {
public:
    virtual ~TLoginLaunchers() = default;
    // The login screen: a change of cashier when aCanClose (it may be
    // abandoned). True when a cashier signed on.
    virtual bool Login(bool aCanClose) = 0;
    // The manager check; true when a manager confirmed.
    virtual bool CheckAdmin() = 0;
};

// The master-data download window.
class TDownloadLauncher {
public:
    virtual ~TDownloadLauncher() = default;
    virtual void DownloadData(bool aDownOnOffLine, bool aSaveSamFile, bool aHideForm) = 0;
};

// The table order screen of a table-service outlet ("주문 테이블").
class TOrderTableLauncher {
public:
    virtual ~TOrderTableLauncher() = default;
    enum class TOutcome {
        Chosen,       // a table was chosen: giTableNo names it
        NoTable,      // the screen closed without a table (the server was lost)
        ProgramEnds,  // the program was shut down from the screen
    };
    // Shown modally until one of the outcomes.
    virtual TOutcome ShowOrderTable() = 0;
};

}  // namespace pos
