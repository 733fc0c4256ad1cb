#pragma once
// How long the drivers wait. The terminal runs with the defaults; tests and
// the demo shorten them.

namespace pos {

struct TDeviceTimings {
    int statusDelayMs = 100;       // after a status request, before the wait starts
    int statusTimeoutMs = 8000;    // for a complete status answer
    int blockPauseMs = 50;         // after each full block of print lines
    int settleMs = 900;            // after the last block, before the final status check
    int easyCheckTimeoutMs = 2000; // for the card terminal's acknowledgement
    int connectTimeoutMs = 3000;   // for the kitchen printer's connection
    int sendTimeoutMs = 5000;      // for written bytes to leave before a port is closed
    int finishTimeoutMs = 5000;    // at the end, for the jobs still queued on the ports to finish
    int bocaStatusTimeoutMs = 5000; // for a Boca or Flotec to answer its status request
    int bocaRetryPauseMs = 1000;   // between two status requests to a Boca that is not ready
    int bocaAfterTicketMs = 300;   // after a ticket, before asking whether the Boca is ready again
};

}  // namespace pos
