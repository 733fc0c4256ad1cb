#pragma once
// Catalogue statements name their parameters :P0, :P1, ...; libpq numbers
// them $1, $2, .... The rewrite turns each distinct :Pn into one $k (a
// parameter used twice gets the same number) and leaves alone what only
// looks like a parameter: "::" casts, string literals, quoted names,
// comments and dollar-quoted bodies. :P1 and :P10 are different parameters.

#include <string>
#include <string_view>
#include <vector>

namespace pos {

struct TBoundSql {
    std::string text;              // with $1, $2, ...
    std::vector<int> parameters;   // $k is parameter P<parameters[k-1]>
};

TBoundSql RewriteParameters(std::string_view aSql);

}  // namespace pos
