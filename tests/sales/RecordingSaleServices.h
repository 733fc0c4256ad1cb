#pragma once
// The program's services of the sale screen for tests: the customer display
// and the discount runs recorded, open prices and guest counts answered from
// scripts (none left: cancelled, not taken).

#include "core/TerminalContext.h"
#include "sales/SaleServices.h"

#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace pos::test {

struct RecordingSaleServices : TSaleServices {
    explicit RecordingSaleServices(TTerminalContext& aContext) : context(aContext) {}

    void ExecDC(TSaleLines&) override { ++discountRuns; }
    void RecreateSaleList(TSaleLines&) override {}
    bool ClearDCModule() override { return false; }
    void ShowLineDisplay(const std::string& a, const std::string& b) override { display.emplace_back(a, b); }
    void ClearPrintLists() override {}
    void EndPreSale() override {}
    void GetMaxBillNo() override { ++billNumberReads; }
    void OpenSkiSchool() override {}
    bool AddSkiSaleList(std::int64_t, std::optional<Currency>) override { return false; }
    bool SkiPackageScreen() override { return true; }
    Currency GetOpenCodePrice(const std::string&, const std::string&, Currency, std::int64_t& aCorrectAmt,
                              const std::string&) override
    {
        ++openPriceAsked;
        if (openPrices.empty()) {
            aCorrectAmt = 0;
            return Currency(-1);
        }
        const auto [price, correct] = openPrices.front();
        openPrices.pop_front();
        aCorrectAmt = price < Currency(0) ? 0 : correct;
        return price;
    }
    bool GetGuestCount(bool) override
    {
        if (guestCounts.empty()) return false;
        context.giKoreanCount = guestCounts.front().first;
        context.giForeignCount = guestCounts.front().second;
        guestCounts.pop_front();
        return true;
    }

    TTerminalContext& context;
    std::vector<std::pair<std::string, std::string>> display;
    int discountRuns = 0;
    int billNumberReads = 0;
    int openPriceAsked = 0;
    std::deque<std::pair<Currency, std::int64_t>> openPrices;          // price (-1 cancels), correction
    std::deque<std::pair<std::int64_t, std::int64_t>> guestCounts;     // Korean, foreign
};

}  // namespace pos::test
