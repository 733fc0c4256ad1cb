// One line of an off-line queue, both ways:
//
//   - the input read as a queued line (with every queue's value count and
//     with its own): a sound line, built again from its values, reads back
//     to the same values; a damaged one says why without its values;
//   - the input cut at its NUL bytes into values and queued: the line holds
//     no line end, and reads back to the values as CP949 can hold them.

#include "FuzzSupport.h"

#include "core/Codec.h"
#include "sync/OffLineQueue.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

using namespace pos;
using namespace pos::fuzz;

namespace {

const std::string kStamp = "20240105093000";

void checkQueuedLine(std::string_view aLine, int aFieldCount)
{
    const TOffLineLine parsed = ParseOffLineLine(aLine, aFieldCount);
    if (!parsed.Sound()) {
        FUZZ_CHECK(parsed.Values.empty());
        // The problem is logged: it names positions and counts, never a value.
        for (char c : parsed.Problem) FUZZ_CHECK(c != '\'' && c != '\t' && static_cast<unsigned char>(c) < 0x80);
        return;
    }
    FUZZ_CHECK(static_cast<int>(parsed.Values.size()) == aFieldCount);
    for (const std::string& v : parsed.Values) FUZZ_CHECK(IsUtf8(v));
    bool lossy = false;
    const std::string again = BuildOffLineLine(parsed.Values, "{-}", &lossy);
    FUZZ_CHECK(!lossy);
    const TOffLineLine back = ParseOffLineLine(again, aFieldCount);
    FUZZ_CHECK(back.Sound());
    FUZZ_CHECK(back.Values == parsed.Values);
}

void checkBuiltLine(const std::vector<std::string>& aValues)
{
    bool lossy = false;
    const std::string line = BuildOffLineLine(aValues, kStamp, &lossy);
    FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
    FUZZ_CHECK(SplitQueueFile(JoinQueueFile({line})) == std::vector<std::string>{line});

    std::vector<std::string> expected;
    bool changed = false;
    for (const std::string& v : aValues) {
        if (v == "{-}") {
            expected.push_back(kStamp);
            continue;
        }
        expected.push_back(FromCp949(ToCp949(v)));
        changed = changed || expected.back() != v;
    }
    FUZZ_CHECK(lossy == changed);

    const TOffLineLine parsed = ParseOffLineLine(line, static_cast<int>(aValues.size()));
    FUZZ_CHECK(parsed.Sound());
    FUZZ_CHECK(parsed.Values == expected);

    // The key of the line is the line of its first values.
    for (const TOffLineQueueInfo& queue : OffLineQueues()) {
        const auto keyFields = static_cast<std::size_t>(queue.KeyFields);
        if (aValues.size() < keyFields) continue;
        const std::vector<std::string> head(aValues.begin(), aValues.begin() + static_cast<std::ptrdiff_t>(keyFields));
        FUZZ_CHECK(OffLineKeyPrefix(line, queue.KeyFields) == BuildOffLineLine(head, kStamp));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* aData, std::size_t aSize)
{
    const std::string_view input = AsText(aData, aSize);

    for (const TOffLineQueueInfo& queue : OffLineQueues()) checkQueuedLine(input, queue.FieldCount);
    checkQueuedLine(input, static_cast<int>(std::count(input.begin(), input.end(), '\t')));

    std::vector<std::string> values;
    std::size_t start = 0;
    for (std::size_t nul = input.find('\0'); values.size() < 60; nul = input.find('\0', start)) {
        values.emplace_back(input.substr(start, nul == std::string_view::npos ? std::string_view::npos : nul - start));
        if (nul == std::string_view::npos) break;
        start = nul + 1;
    }
    checkBuiltLine(values);
    return 0;
}
