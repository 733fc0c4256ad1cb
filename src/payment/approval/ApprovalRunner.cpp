#include "payment/approval/ApprovalRunner.h"

namespace pos {

TApprovalRunner::TApprovalRunner(TCompletionPoster& aPoster) : poster_(aPoster) {}

TApprovalRunner::~TApprovalRunner()
{
    if (worker_.joinable()) worker_.join();
}

bool TApprovalRunner::start(std::function<void()> aWork, std::function<void()> aDone)
{
    bool idle = false;
    if (!busy_->compare_exchange_strong(idle, true)) return false;
    // The previous worker has posted its completion (that is how busy went
    // back to false), so it has ended or is about to.
    if (worker_.joinable()) worker_.join();
    worker_ = std::thread([work = std::move(aWork), done = std::move(aDone), busy = busy_, &poster = poster_]() mutable {
        work();
        poster.Post([done = std::move(done), busy]() mutable {
            busy->store(false);
            done();
        });
    });
    return true;
}

}  // namespace pos
