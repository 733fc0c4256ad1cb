#include "payment/GiftCards.h"

#include "core/TerminalContext.h"
#include "core/TextHelpers.h"
#include "store/MasterStore.h"

namespace pos {

std::vector<TGiftCardKind> GiftCardKinds(const TTerminalContext& aContext, const TMasterStore& aStore)
{
    std::vector<TGiftCardKind> kinds;
    for (const TCommonData& code : aStore.glCommonData) {
        if (code.Head != aContext.gsCommonGiftCardCode || code.Item1 != "Y" || code.Item2 != "N") continue;
        kinds.push_back({code.Item7, code.CodeName, Currency(StringToInteger(code.Item6))});
    }
    return kinds;
}

const TGiftCardKind* GiftCardKindOf(const std::vector<TGiftCardKind>& aKinds, std::string_view aNumber)
{
    const TGiftCardKind* best = nullptr;
    for (const TGiftCardKind& kind : aKinds) {
        if (kind.Code.empty() || !aNumber.starts_with(kind.Code)) continue;
        if (best == nullptr || kind.Code.size() > best->Code.size()) best = &kind;
    }
    return best;
}

void TGiftCardPages::Next()
{
    if (kinds_.empty()) return;
    ++page_;
    if (static_cast<std::size_t>(page_) * kButtons >= kinds_.size()) page_ = 0;
}

const TGiftCardKind* TGiftCardPages::Button(int aButton) const
{
    if (page_ < 0 || aButton < 0 || aButton >= kButtons) return nullptr;
    const std::size_t index = static_cast<std::size_t>(page_) * kButtons + static_cast<std::size_t>(aButton);
    return index < kinds_.size() ? &kinds_[index] : nullptr;
}

}  // namespace pos
