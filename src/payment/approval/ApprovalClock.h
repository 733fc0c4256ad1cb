#pragma once
// The clock the repeat rule of the card client measures with. A steady
// clock: setting the computer's time (the terminal takes the server's) never
// makes ten seconds longer or shorter.

#include <chrono>

namespace pos {

class TApprovalClock {
public:
    using time_point = std::chrono::steady_clock::time_point;
    virtual ~TApprovalClock() = default;
    virtual time_point Now() const = 0;
};

class TSteadyApprovalClock : public TApprovalClock {
public:
    time_point Now() const override { return std::chrono::steady_clock::now(); }
};

}  // namespace pos
