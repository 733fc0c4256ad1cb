#pragma once
// Decoders of the byte streams the virtual printers receive: Star line mode
// (receipt printers) and ESC/POS (the kitchen printer). Bytes may arrive in
// any pieces; a command or a Korean character cut between two pieces is
// completed by the next one.

#include "PrintDocument.h"

#include <functional>
#include <string>
#include <string_view>

namespace pos::virt {

class TPrinterDecoder {
public:
    virtual ~TPrinterDecoder() = default;

    std::function<void()> onStatusRequest;
    std::function<void()> onDrawerKick;
    std::function<void(TPrintDocument)> onDocument;  // a document ended by a cut

    void feed(std::string_view aBytes);
    const TDocumentBuilder& builder() const { return builder_; }

protected:
    // Decodes one command or character at the start of aBytes; the number of
    // bytes it took, 0 when more bytes are needed.
    virtual std::size_t step(std::string_view aBytes, bool aQuiet) = 0;
    // Shared by both: text, line ends and stray control bytes.
    std::size_t plain(std::string_view aBytes);
    void cut(std::string aKind);

    TDocumentBuilder builder_;

private:
    std::string pending_;
};

class TStarDecoder : public TPrinterDecoder {
protected:
    std::size_t step(std::string_view aBytes, bool aQuiet) override;
};

class TEscPosDecoder : public TPrinterDecoder {
protected:
    std::size_t step(std::string_view aBytes, bool aQuiet) override;
};

// "<1B 3F>": bytes no decoder knows, as a note.
std::string HexNote(std::string_view aBytes);

}  // namespace pos::virt
