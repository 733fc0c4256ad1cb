#pragma once
// A dialog service for tests and unattended runs: records every message box
// and answers questions and launchers from scripted queues.

#include "core/DialogService.h"
#include "core/TerminalContext.h"

#include <deque>
#include <string>
#include <vector>

namespace pos {

class ScriptedDialogService : public DialogService {
public:
    enum class Kind { Msg, Err, Ask };
    struct Shown {
        Kind kind;
        std::string text;
        bool beep = false;
    };

    explicit ScriptedDialogService(TTerminalContext* aContext = nullptr) : context_(aContext) {}

    void MsgBox(const std::string& aMsg, int aShowSecond = 0) override;
    void ErrBox(const std::string& aMsg, bool aBeep = false, int aShowSecond = 0) override;
    bool AskBox(const std::string& aMsg) override;  // next scripted answer; false when none
    bool GetGuestCount(bool aMustInput) override;   // next scripted counts; not taken when none
    Currency GetOpenCodePrice(const std::string& aMenuName, const std::string& aTaxCalcuCode, Currency aPrice,
                              std::int64_t& aCorrectAmt, const std::string& aComment) override;

    std::deque<bool> answers;
    struct GuestCount {
        std::int64_t korean, foreign;
    };
    std::deque<GuestCount> guestCounts;
    struct OpenPrice {
        Currency price;  // -1 cancels
        std::int64_t correctAmt;
    };
    std::deque<OpenPrice> openPrices;

    std::vector<Shown> shown;
    int guestCountAsked = 0;
    const Shown* last() const { return shown.empty() ? nullptr : &shown.back(); }
    void clear() { shown.clear(); }

private:
    TTerminalContext* context_;
};

}  // namespace pos
