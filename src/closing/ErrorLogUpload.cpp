#include "closing/ErrorLogUpload.h"

#include "closing/ErrorLog.h"
#include "core/FileIO.h"
#include "db/DataModule.h"
#include "db/DayLog.h"
#include "db/DbWork.h"

namespace pos {
namespace {

std::string JoinedText(const std::vector<std::string>& aLines)
{
    std::string text;
    for (const std::string& line : aLines) text += (text.empty() ? "" : "\n") + line;
    return text;
}

}  // namespace

bool SaveErrorLog(TfrmData& aData)
{
    const TTerminalContext& ctx = aData.Context();
    const std::optional<std::string> bytes = ReadWholeFile(DayLogPath(ctx));
    if (!bytes) return true;
    const std::vector<TErrLog> entries = ParseErrorLog(*bytes);
    if (entries.empty()) return true;
    if (!aData.ConnectDB(false, false)) return false;

    // One round trip for the whole log: the clearing and every entry.
    std::vector<std::vector<std::string>> params;
    params.reserve(entries.size() + 1);
    params.push_back({ctx.gsSaleDate, ctx.gsMasterUpjangCode, ctx.gsMasterPosNo});
    int number = 0;
    for (const TErrLog& entry : entries)
        params.push_back({ctx.gsSaleDate, ctx.gsMasterUpjangCode, ctx.gsMasterPosNo, std::to_string(++number),
                          entry.Time, entry.Proc, JoinedText(entry.Text)});
    std::vector<TfrmData::TBatchStatement> statements;
    statements.reserve(params.size());
    statements.push_back({"IEB010-SaveErrorLog-1", &params[0]});
    for (std::size_t i = 1; i < params.size(); ++i) statements.push_back({"IEB010-SaveErrorLog-2", &params[i]});
    return !TDbWork::Batch(aData, statements);
}

}  // namespace pos
