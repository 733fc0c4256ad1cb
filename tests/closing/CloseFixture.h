#pragma once
// Cashier 1234 (홍길동전) at POS 01 of the ski house restaurant (3101),
// closing 5 January 2024 at 14:30, and the comparison of print texts line by
// line, so that a failure names the line that differs.

#include "closing/CloseReports.h"
#include "sales/receipt/ReceiptFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace pos::test {

inline TCloseHeader SkiHouseHeader()
{
    return {"스키하우스", "20240105", "14:30", "3101", "01", "1234", "홍길동전"};
}

// The header line of the slips and reports for SkiHouseHeader: the name
// keeps its first 6 columns.
inline const std::string kSlipHeader = "2024-01-05 14:30 3101  POS:01  담당:홍길동";

inline const std::string kDouble(42, '=');
inline const std::string kSingle(42, '-');

inline void ExpectLines(const std::vector<std::string>& aActual, const std::vector<std::string>& aExpected)
{
    for (std::size_t k = 0; k < std::max(aActual.size(), aExpected.size()); ++k) {
        const std::string actual = k < aActual.size() ? aActual[k] : "<none>";
        const std::string expected = k < aExpected.size() ? aExpected[k] : "<none>";
        EXPECT_EQ(actual, expected) << "line " << k + 1;
    }
}

// A plan described job by job: "R1", "R2" (receipt printer 1 or 2), "T"
// (a list ticket) and "P" (print the tickets).
inline std::vector<std::string> Steps(const TPrintPlan& aPlan)
{
    std::vector<std::string> steps;
    for (const TPrintJob& job : aPlan) {
        switch (job.step) {
        case TPrintStep::Receipt: steps.push_back("R" + std::to_string(job.printer)); break;
        case TPrintStep::ListTicket: steps.push_back("T"); break;
        case TPrintStep::PrintTickets: steps.push_back("P"); break;
        default: steps.push_back("?"); break;
        }
    }
    return steps;
}

}  // namespace pos::test
