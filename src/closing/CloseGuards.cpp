#include "closing/CloseGuards.h"

#include "core/FileIO.h"
#include "sync/OffLineQueue.h"


namespace pos {
namespace {

int LinesInFile(const std::filesystem::path& aPath)
{
    const std::optional<std::string> bytes = ReadWholeFile(aPath);
    if (!bytes) return 0;
    int lines = 0;
    bool inLine = false;
    for (const char c : *bytes) {
        if (c == '\r' || c == '\n') {
            inLine = false;
        } else if (!inLine) {
            inLine = true;
            ++lines;
        }
    }
    return lines;
}

}  // namespace

TUnsentLines CountUnsentLines(const TOffLineStore& aStore)
{
    TUnsentLines lines;
    for (std::size_t i = 0; i < kOffLineQueueCount; ++i) {
        const auto queue = static_cast<TOffLineQueue>(i);
        lines.queued += static_cast<int>(aStore.Lines(queue).size());
        lines.setAside += LinesInFile(aStore.AsidePath(queue));
    }
    return lines;
}

std::string UnsentWorkMessage(const TUnsentLines& aLines)
{
    std::string message;
    if (aLines.queued > 0)
        message = "서버로 전송되지 않은 자료가 " + std::to_string(aLines.queued) +
                  "건 있습니다.\r미전송 자료를 전송한 뒤 마감하십시오.";
    if (aLines.setAside > 0)
        message += (message.empty() ? "" : "\r") + std::string("서버에 반영되지 못하고 따로 보관된 자료가 ") +
                   std::to_string(aLines.setAside) + "건 있습니다.\r전산팀에 확인한 뒤 마감하십시오.";
    return message;
}

std::string OpenApprovalsMessage(const std::vector<std::string>& aLines)
{
    if (aLines.empty()) return {};
    std::string message = "저장된 전표가 없는 승인이 " + std::to_string(aLines.size()) + "건 있습니다.";
    for (const std::string& line : aLines) message += "\r" + line;
    return message + "\r카드사에 확인한 뒤 정리하십시오.";
}

}  // namespace pos
