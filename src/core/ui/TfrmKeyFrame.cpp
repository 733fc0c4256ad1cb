#include "core/ui/TfrmKeyFrame.h"

#include "controls/ZoKeys.h"
#include "controls/ZoPosButton.h"

namespace pos {

namespace {

struct KeyDef {
    const char* caption;
    int virtualKey;
};

// The digits type the numeric keypad's codes, as the keypad of a keyboard.
constexpr std::array<KeyDef, 12> kKeys{{{"7", 103}, {"8", 104}, {"9", 105},
                                        {"4", 100}, {"5", 101}, {"6", 102},
                                        {"1", 97},  {"2", 98},  {"3", 99},
                                        {"0", 96},  {"←", VK_BACK}, {"Enter", VK_RETURN}}};

}  // namespace

TfrmKeyFrame::TfrmKeyFrame(QWidget* aParent) : QFrame(aParent)
{
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(3 * kKeyWidth + 2 * kGap, 4 * kKeyHeight + 3 * kGap);
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        auto* key = new TZoPosButton(this);
        const int row = static_cast<int>(i) / 3;
        const int col = static_cast<int>(i) % 3;
        key->setGeometry(col * (kKeyWidth + kGap), row * (kKeyHeight + kGap), kKeyWidth, kKeyHeight);
        key->SetCaption(QString::fromUtf8(kKeys[i].caption));
        key->SetKey(kKeys[i].virtualKey);
        const bool enter = kKeys[i].virtualKey == VK_RETURN;
        key->SetCaptionStyle(enter ? 11 : 14, true, 0x000000, 0xFFFFFF, true);
        key->setObjectName(QStringLiteral("btnKey%1").arg(i));
        keys_[i] = key;
    }
}

TZoPosButton* TfrmKeyFrame::KeyByCaption(const QString& aCaption) const
{
    for (TZoPosButton* key : keys_)
        if (key->CurrentCaption() == aCaption) return key;
    return nullptr;
}

}  // namespace pos
