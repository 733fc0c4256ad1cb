// An off-line queue file ("Sale", "Pay", "Card", "Cash", "SaleCancel") as it
// is found at start-up: cut into lines, each line checked against every
// queue's value count and key.

#include "FuzzSupport.h"

#include "sync/OffLineQueue.h"

#include <string>
#include <string_view>
#include <vector>

using namespace pos;
using namespace pos::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* aData, std::size_t aSize)
{
    const std::string_view bytes = AsText(aData, aSize);
    const std::vector<std::string> lines = SplitQueueFile(bytes);

    // The lines are the file's bytes without its line ends: nothing lost,
    // nothing empty, nothing of a line end left inside.
    std::string joined, withoutEnds;
    for (const std::string& line : lines) {
        FUZZ_CHECK(!line.empty());
        FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
        joined += line;
    }
    for (char c : bytes)
        if (c != '\r' && c != '\n') withoutEnds += c;
    FUZZ_CHECK(joined == withoutEnds);

    // Saving the queue and loading it again gives the same lines.
    FUZZ_CHECK(SplitQueueFile(JoinQueueFile(lines)) == lines);

    for (const std::string& line : lines) {
        for (const TOffLineQueueInfo& queue : OffLineQueues()) {
            const TOffLineLine parsed = ParseOffLineLine(line, queue.FieldCount);
            FUZZ_CHECK(parsed.Sound() ? static_cast<int>(parsed.Values.size()) == queue.FieldCount
                                      : parsed.Values.empty());
            const std::string_view key = OffLineKeyPrefix(line, queue.KeyFields);
            FUZZ_CHECK(std::string_view(line).substr(0, key.size()) == key);
            FUZZ_CHECK(key.empty() || key.back() == '\t');
            if (parsed.Sound()) FUZZ_CHECK(!key.empty());
        }
    }
    return 0;
}
