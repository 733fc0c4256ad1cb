#include "db/SqlParams.h"

#include <gtest/gtest.h>

namespace pos {
namespace {

TEST(SqlParamsTest, RewritesOnlyRealParameters)
{
    struct Case {
        const char* sql;
        const char* text;
        std::vector<int> parameters;
    };
    const Case cases[] = {
        {"SELECT :P0, :P1", "SELECT $1, $2", {0, 1}},
        // The same parameter twice is one $n; order of first use.
        {"WHERE a = :P1 AND b = :P0 AND c = :P1", "WHERE a = $1 AND b = $2 AND c = $1", {1, 0}},
        // P1 and P10 are different parameters.
        {":P1 :P10 :P1", "$1 $2 $1", {1, 10}},
        // Casts, also straight after a parameter.
        {"SELECT :P0::int, x::text", "SELECT $1::int, x::text", {0}},
        // String literals, quoted names and comments keep their text.
        {"SELECT ':P0', 'it''s :P1', \":P2\", :P3", "SELECT ':P0', 'it''s :P1', \":P2\", $1", {3}},
        {"SELECT E'\\' :P0', :P1", "SELECT E'\\' :P0', $1", {1}},
        {"SELECT 1 -- :P0\n, :P1 /* :P2 /* :P3 */ :P4 */", "SELECT 1 -- :P0\n, $1 /* :P2 /* :P3 */ :P4 */", {1}},
        {"DO $body$ :P0 $body$; SELECT $$:P1$$, :P2", "DO $body$ :P0 $body$; SELECT $$:P1$$, $1", {2}},
        // Not parameters: a longer name, no digits.
        {"SELECT :P0x, :P, :Q1", "SELECT :P0x, :P, :Q1", {}},
        {"", "", {}},
    };
    for (const Case& c : cases) {
        const TBoundSql bound = RewriteParameters(c.sql);
        EXPECT_EQ(bound.text, c.text) << c.sql;
        EXPECT_EQ(bound.parameters, c.parameters) << c.sql;
    }
}

}  // namespace
}  // namespace pos
