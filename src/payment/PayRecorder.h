#pragma once
// The recording of a settled payment: the payment screen hands it the tender
// lines once they cover the bill. It writes the payment rows into the bill's
// open transaction (or queues them off line), re-checks the account tenders
// first and never commits. The program installs the real recording; tests
// install a fake that keeps what it was handed.

#include "payment/PayLines.h"

#include <cstdint>

namespace pos {

struct TPaySaveResult {
    bool saved = false;
    std::int64_t selectKind = 0;
};

class TPayRecorder {
public:
    virtual ~TPayRecorder() = default;
    virtual TPaySaveResult SavePayData(const TPayLines& aLines) = 0;
};

}  // namespace pos
