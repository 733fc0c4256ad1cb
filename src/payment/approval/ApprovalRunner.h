#pragma once
// Runs one approval request off the GUI thread and hands its result back.
//
// The payment screen shows its waiting panel, disables itself and calls
// Run(work, done): work (a TApprovalChannels call) runs on a worker thread; when
// it ends, done(result) runs wherever the poster puts it (on the GUI thread
// with TQtCompletionPoster). Only one request is outstanding at a time: Run
// refuses while the previous one has not reached its completion yet, and
// Busy() stays true until that completion starts, so a completion may start
// the next request itself (the cancel-all run).
//
// Whatever the request needs to survive (the journal entry) is written on
// the worker before done is posted, so a screen that goes away meanwhile
// loses nothing. The destructor waits for a running request to end; the
// poster must outlive the runner. Let the screen own both (poster first): a
// completion still queued when the screen goes is then dropped with the
// poster instead of running on a screen that is gone.

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <type_traits>

namespace pos {

class TCompletionPoster {
public:
    virtual ~TCompletionPoster() = default;
    // Runs aTask later on the thread that owns the completions.
    virtual void Post(std::function<void()> aTask) = 0;
};

class TApprovalRunner {
public:
    explicit TApprovalRunner(TCompletionPoster& aPoster);
    ~TApprovalRunner();
    TApprovalRunner(const TApprovalRunner&) = delete;
    TApprovalRunner& operator=(const TApprovalRunner&) = delete;

    bool Busy() const { return busy_->load(); }

    template <typename Work, typename Done>
    bool Run(Work aWork, Done aDone)
    {
        using Result = std::invoke_result_t<Work&>;
        auto result = std::make_shared<std::optional<Result>>();
        return start([result, work = std::move(aWork)]() mutable { result->emplace(work()); },
                     [result, done = std::move(aDone)]() mutable { done(std::move(**result)); });
    }

private:
    bool start(std::function<void()> aWork, std::function<void()> aDone);

    TCompletionPoster& poster_;
    std::shared_ptr<std::atomic<bool>> busy_ = std::make_shared<std::atomic<bool>>(false);
    std::thread worker_;
};

}  // namespace pos
