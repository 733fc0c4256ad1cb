#pragma once
// The on-screen keypad: twelve touch keys that type into the focused field
// exactly as the keyboard would, so an Enter from the keypad runs the same
// handling as the Enter key.

#include <QFrame>

#include <array>

namespace pos {

class TZoPosButton;

class TfrmKeyFrame : public QFrame {
    Q_OBJECT
public:
    explicit TfrmKeyFrame(QWidget* aParent = nullptr);

    static constexpr int kKeyWidth = 64;
    static constexpr int kKeyHeight = 46;
    static constexpr int kGap = 3;

    // Keys in reading order: 7 8 9 / 4 5 6 / 1 2 3 / 0 ← Enter.
    TZoPosButton* Key(int aIndex) const { return keys_.at(static_cast<std::size_t>(aIndex)); }
    // The key with caption aCaption ("5", "←", "Enter"); null when none.
    TZoPosButton* KeyByCaption(const QString& aCaption) const;

private:
    std::array<TZoPosButton*, 12> keys_{};
};

}  // namespace pos
