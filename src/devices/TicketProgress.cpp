#include "devices/TicketProgress.h"

#include <algorithm>

namespace pos {

void TTicketPrintingModel::TicketsStarted(int aPending)
{
    aPending = std::max(aPending, 0);
    if (runs_++ > 0) {
        // A run joined while the window shows: its tickets come after the
        // ones counted so far.
        count_ = std::max(count_, index_ + aPending);
        return;
    }
    index_ = 0;
    count_ = aPending;
    stop_ = false;
    visible_ = true;
    tell(true);
}

void TTicketPrintingModel::TicketPrinted()
{
    if (!visible_) return;
    if (index_ + 1 < count_) ++index_;
}

void TTicketPrintingModel::TicketsEnded()
{
    if (runs_ == 0 || --runs_ > 0) return;
    visible_ = false;
    stop_ = false;
    tell(false);
}

std::string TTicketPrintingModel::CountText() const
{
    return std::to_string(std::min(index_ + 1, count_)) + " / " + std::to_string(count_);
}

int TTicketPrintingModel::Observe(std::function<void(bool)> aObserver)
{
    const int id = nextObserver_++;
    observers_.emplace(id, std::move(aObserver));
    return id;
}

void TTicketPrintingModel::tell(bool aVisible)
{
    // An observer may forget itself while it is told.
    const auto observers = observers_;
    for (const auto& [id, observer] : observers)
        if (observer) observer(aVisible);
}

}  // namespace pos
