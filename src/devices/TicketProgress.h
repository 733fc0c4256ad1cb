#pragma once
// What the cashier sees of a ticket run: the ticket printers report to a
// TTicketProgress while they print; TTicketPrintingModel is the progress
// window's state (shown, "index / count", cancel) as plain data, so the rule
// that the sale screen is disabled exactly while tickets print is tested
// without a window.

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace pos {

class TTicketProgress {
public:
    virtual ~TTicketProgress() = default;
    // A print of the pending tickets begins with aPending jobs waiting (runs
    // may overlap: every start has its end).
    virtual void TicketsStarted(int aPending) = 0;
    // One more ticket (or page) of the run is out.
    virtual void TicketPrinted() = 0;
    virtual void TicketsEnded() = 0;
    // The cashier asked to stop: no further ticket is started, and the
    // tickets not printed stay pending.
    virtual bool StopRequested() const = 0;
};

// Pairs a TicketsStarted with its TicketsEnded whatever way the run ends:
// normally (End), or when the run is dropped without a word (the last copy
// of the guard goes), so the sale screen is never left disabled.
class TTicketRunShown {
public:
    TTicketRunShown(TTicketProgress& aProgress, int aPending) : progress_(aProgress) { progress_.TicketsStarted(aPending); }
    ~TTicketRunShown() { End(); }
    TTicketRunShown(const TTicketRunShown&) = delete;
    TTicketRunShown& operator=(const TTicketRunShown&) = delete;
    void End()
    {
        if (ended_) return;
        ended_ = true;
        progress_.TicketsEnded();
    }

private:
    TTicketProgress& progress_;
    bool ended_ = false;
};

class TTicketPrintingModel final : public TTicketProgress {
public:
    void TicketsStarted(int aPending) override;
    void TicketPrinted() override;
    void TicketsEnded() override;
    bool StopRequested() const override { return stop_; }

    // The cancel command of the window.
    void Cancel() { stop_ = visible_; }

    bool visible() const { return visible_; }
    int index() const { return index_; }  // of the ticket printing now, from 0
    int count() const { return count_; }
    // "%d / %d": the ticket printing now, of how many.
    std::string CountText() const;

    // aObserver(true) when the window is to show (the sale screen is then
    // disabled), aObserver(false) when it is to hide. The returned number
    // forgets it again.
    int Observe(std::function<void(bool aVisible)> aObserver);
    void Forget(int aObserver) { observers_.erase(aObserver); }

private:
    void tell(bool aVisible);

    int runs_ = 0;
    bool visible_ = false;
    bool stop_ = false;
    int index_ = 0;
    int count_ = 0;
    std::map<int, std::function<void(bool)>> observers_;
    int nextObserver_ = 1;
};

}  // namespace pos
