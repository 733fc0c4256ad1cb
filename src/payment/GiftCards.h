#pragma once
// The gift-voucher kinds the payment screen takes, and the voucher buttons
// that show them five to a page.

#include "core/Currency.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pos {

struct TTerminalContext;
class TMasterStore;

struct TGiftCardKind {
    std::string Code;  // voucher code (the first characters of its vouchers' numbers)
    std::string Name;
    Currency Face;     // face value
};

// The common codes of head gsCommonGiftCardCode in use ("Y" in Item1) and
// not retired ("N" in Item2), in list order: CodeName is the name, Item7 the
// code and Item6 the face value in whole won.
std::vector<TGiftCardKind> GiftCardKinds(const TTerminalContext& aContext, const TMasterStore& aStore);

// The kind of a typed voucher number: the kind whose code the number begins
// with (the longest such code); nullptr when none.
const TGiftCardKind* GiftCardKindOf(const std::vector<TGiftCardKind>& aKinds, std::string_view aNumber);

// Five voucher buttons showing one page of the kinds. Before the first
// Next nothing shows; each Next shows the next page, and after the last page
// the first one again.
class TGiftCardPages {
public:
    static constexpr int kButtons = 5;

    explicit TGiftCardPages(std::vector<TGiftCardKind> aKinds) : kinds_(std::move(aKinds)) {}

    void Next();
    // The kind on button aButton (0-based); nullptr for an empty button.
    const TGiftCardKind* Button(int aButton) const;
    int Page() const { return page_; }
    const std::vector<TGiftCardKind>& Kinds() const { return kinds_; }

private:
    std::vector<TGiftCardKind> kinds_;
    int page_ = -1;
};

}  // namespace pos
