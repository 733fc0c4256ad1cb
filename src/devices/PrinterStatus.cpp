#include "devices/PrinterStatus.h"

#include "devices/DeviceMessages.h"

namespace pos {

int StarStatusLength(unsigned char aHeader)
{
    // Bits 7 and 4 are always clear and bit 0 always set in a header; bits
    // 1-3 and 5 give the number of bytes of the answer, header included.
    if ((aHeader & 0x91) != 0x01) return 0;
    const int length = ((aHeader >> 1) & 0x07) | ((aHeader >> 2) & 0x08);
    return length >= 7 ? length : 0;
}

std::optional<std::string> TakeStarStatusReply(std::string_view aReceived)
{
    for (std::size_t i = 0; i < aReceived.size(); ++i) {
        const int length = StarStatusLength(static_cast<unsigned char>(aReceived[i]));
        if (length == 0) continue;
        if (aReceived.size() - i < std::size_t(length)) return std::nullopt;
        return std::string(aReceived.substr(i, 7));
    }
    if (aReceived.size() >= 7) return std::string(aReceived.substr(aReceived.size() - 7));
    return std::nullopt;
}

TStarStatus EvaluateStarStatus(std::string_view aSeven)
{
    auto byte = [&](std::size_t aNo) { return aNo <= aSeven.size() ? static_cast<unsigned char>(aSeven[aNo - 1]) : 0; };
    if ((byte(3) & 0x08) == 0) return TStarStatus::OnLine;
    if (byte(3) & 0x20) return TStarStatus::CoverOpen;
    if (byte(4) & 0x08) return TStarStatus::CutterError;
    if (byte(4) & 0x20) return TStarStatus::Unrecoverable;
    if (byte(4) & 0x40) return TStarStatus::HeadTooHot;
    if (byte(5) & 0x40) return TStarStatus::BufferFull;
    if (byte(6) & 0x08) return TStarStatus::PaperOut;
    return TStarStatus::OffLine;
}

std::string StarStatusMessage(TStarStatus aStatus, int aPrinterNo)
{
    const std::string name = PrinterName(aPrinterNo);
    switch (aStatus) {
    case TStarStatus::OnLine: return {};
    case TStarStatus::CoverOpen: return name + " 덮개가 열려 있습니다.";
    case TStarStatus::CutterError: return name + " 커터에 문제가 있습니다.";
    case TStarStatus::Unrecoverable: return name + "에 심각한 문제가 있습니다.\r전원을 껐다 다시 켜십시오.";
    case TStarStatus::HeadTooHot: return name + " 헤드 온도가 높습니다.\r전원을 끄고 10분 후 다시 시도하십시오.";
    case TStarStatus::BufferFull: return name + " 버퍼가 꽉 찼습니다.\r잠시 후 다시 시도하십시오.";
    case TStarStatus::PaperOut: return name + " 용지가 없거나 잘못 끼워져 있습니다.";
    case TStarStatus::OffLine: return name + "가 Off Line 상태입니다.";
    }
    return {};
}

std::optional<TTicketStatusEvent> InterpretTicketPrinterStatus(unsigned char aFirstByte, TPrinterType aType)
{
    if (aType != TPrinterType::ptBoca && aType != TPrinterType::ptFlotec) return std::nullopt;
    switch (aFirstByte) {
    case 3: case 4: case 24: case 252:
        return TTicketStatusEvent{"프린터(COM1) 용지가 걸렸습니다.", aFirstByte == 24};
    case 8: case 21: case 25:
        return TTicketStatusEvent{MsgCannotSend(1), aFirstByte == 21 && aType == TPrinterType::ptFlotec};
    case 10: case 11: case 12: case 13: case 16:
        return TTicketStatusEvent{"프린터(COM1) 용지가 없거나 잘못 끼워져 있습니다.", false};
    case 19: return TTicketStatusEvent{"프린터(COM1)가 Off Line 상태입니다.", false};
    case 29: return TTicketStatusEvent{"프린터(COM1) 커터에 문제가 있습니다.", false};
    default: return std::nullopt;
    }
}

}  // namespace pos
