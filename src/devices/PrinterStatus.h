#pragma once
// Status replies of the printers: the Star automatic status answer to the
// request ESC ACK SOH, and the unsolicited status bytes of the ticket printers
// on port 1.

#include "core/TerminalConfig.h"

#include <optional>
#include <string>
#include <string_view>

namespace pos {

enum class TStarStatus { OnLine, CoverOpen, CutterError, Unrecoverable, HeadTooHot, BufferFull, PaperOut, OffLine };

// Looks for one complete status answer in the bytes received since the
// request. An answer starts with a header byte that carries its own length
// (7 bytes on the older firmware, 9 on the newer): when one is found, the
// answer is complete once that many bytes are there and the evaluated bytes
// are its first seven. Bytes that carry no such header count as an answer
// once seven are there (their last seven). nullopt: wait for more bytes.
std::optional<std::string> TakeStarStatusReply(std::string_view aReceived);

// Length a header byte announces; 0 when the byte is no status header.
int StarStatusLength(unsigned char aHeader);

// Seven status bytes, counted from 1: byte 3 bit 0x08 clear is on line;
// otherwise the first cause found, in the order the cashier should fix them.
TStarStatus EvaluateStarStatus(std::string_view aSeven);

// The message for a printer that is not on line (empty for OnLine).
std::string StarStatusMessage(TStarStatus aStatus, int aPrinterNo);

// A status byte sent on its own by a Boca or Flotec ticket printer on port 1:
// the message to show and whether it marks the paper as jammed.
struct TTicketStatusEvent {
    std::string message;
    bool jam = false;
};
std::optional<TTicketStatusEvent> InterpretTicketPrinterStatus(unsigned char aFirstByte, TPrinterType aType);

}  // namespace pos
