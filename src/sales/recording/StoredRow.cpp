#include "sales/recording/StoredRow.h"

namespace pos {

std::vector<std::string> QueueValues(const TStoredRow& aRow)
{
    std::vector<std::string> values = aRow.params;
    values.insert(values.empty() ? values.end() : values.end() - 1, "{-}");
    return values;
}

}  // namespace pos
