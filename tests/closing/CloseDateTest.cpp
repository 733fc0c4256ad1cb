// The date a POS close accepts: a real date, today or earlier.

#include "closing/CloseDate.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace pos {
namespace {

TEST(CloseDateTest, ARealDateNoLaterThanTodayIsTaken)
{
    const struct {
        const char* typed;
        std::optional<std::string> taken;
    } cases[] = {
        {"2026-12-09", "20261209"},  // today
        {"2026-11-30", "20261130"},  // an earlier day, closed again
        {"20261209", "20261209"},
        {"2026-12-10", std::nullopt},  // tomorrow
        {"2026-02-30", std::nullopt},
        {"2026-12-0", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(AcceptCloseDate(c.typed, "20261209"), c.taken) << c.typed;
}

}  // namespace
}  // namespace pos
