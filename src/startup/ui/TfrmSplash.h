#pragma once
// The host window ("POS 메인") shown while the terminal starts: the splash
// picture, the program's version and one status line telling which device
// or list is being prepared. It stays behind the login and the sale screen
// and closes when the program ends.

#include <QWidget>

#include <string>

class QLabel;

namespace pos {

inline constexpr const char* kSplashCaption = "POS 메인";
inline constexpr const char* kStatusSuffix = "를 초기화 하고 있습니다.";

class TfrmSplash : public QWidget {
    Q_OBJECT
public:
    explicit TfrmSplash(const std::string& aVersion, QWidget* aParent = nullptr);

    // aText + "를 초기화 하고 있습니다." on the status line; an empty text
    // clears it. Painted at once: the start-up is busy and does not return
    // to the event loop before the next step.
    void ShowStatus(const std::string& aText);
    QString StatusText() const;

private:
    QLabel* lblStatus_ = nullptr;
};

// The status line's text for a step (empty for none).
std::string SplashStatusText(const std::string& aStep);

}  // namespace pos
