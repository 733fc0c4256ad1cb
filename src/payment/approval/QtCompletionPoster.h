#pragma once
// Posts approval completions to the thread that created the poster (the GUI
// thread of the payment screen), through its event loop.

#include "payment/approval/ApprovalRunner.h"

#include <memory>

class QObject;

namespace pos {

class TQtCompletionPoster : public TCompletionPoster {
public:
    TQtCompletionPoster();
    ~TQtCompletionPoster() override;
    void Post(std::function<void()> aTask) override;

private:
    std::unique_ptr<QObject> receiver_;  // lives on the creating thread
};

}  // namespace pos
