#pragma once
// The base of every screen: a borderless window centred on the 800 x 600
// display with a gradient title bar (emblem, outlet and POS, title, close
// button), a gradient background and a footer (message, cashier, sale date,
// clock). It also gives the screen's input fields their shared behaviour:
// focus colours, a prompt in the footer, Up/Down to move between fields and
// passing over read-only fields.

#include "core/ui/ScreenEnv.h"
#include "core/ui/ScreenRules.h"

#include <QDialog>
#include <QString>
#include <QDateTime>
#include <QTime>

#include <string>

class QLabel;
class QTimer;

namespace pos {

class TZoGradient;
class TZoPosButton;

// The terminal's clock: the computer's, moved by the offset that makes it
// follow the server (SetClockOffset). Screens show and filter by it.
QDateTime TerminalNow();

// The switches a screen sets before the base is built; each turns one
// element off.
struct TInheritOptions {
    QString caption;
    int width = 800;
    int height = 600;
    bool noCI = false;       // emblem
    bool noUpjang = false;   // outlet and POS in the title bar
    bool noClose = false;    // close button
    bool noMsg = false;      // footer message
    bool noCashier = false;  // footer cashier
    bool noDate = false;     // footer date and clock (and the timer)
    bool noBase = false;     // title bar, background and footer altogether (message boxes)
};

class TfrmInherit : public QDialog {
    Q_OBJECT
public:
    TfrmInherit(const TScreenEnv& aEnv, const TInheritOptions& aOptions, QWidget* aParent = nullptr);
    ~TfrmInherit() override;

    const TInheritOptions& Options() const { return options_; }
    void SetCaption(const QString& aCaption);

    // Footer message in purple when aError, else white; an empty message
    // clears. A message is cleared after aDispTime ticks of the clock.
    void ShowMsg(const std::string& aMsg, bool aError = false, int aDispTime = 10);
    void ShowCashier(const std::string& aCashierName = {}, const std::string& aCashier = {});
    void ShowDate(const std::string& aDate = {});
    void ShowTime(const QTime& aNow = TerminalNow().time());
    void ShowMasterUpjang();
    void ShowUpjang();

    // Gives every input field under aRoot (the screen when null) the shared
    // field behaviour. Runs by itself when the screen is first shown; a
    // screen that adds fields later calls it for them.
    void InstallFieldHandlers(QWidget* aRoot = nullptr);

    // One tick of the one-second clock at time aNow.
    void TimerTick(const QTime& aNow);
    const TFooterMessage& FooterMessage() const { return footerMessage_; }

    // The screen's elements, null when switched off.
    TZoGradient* graBack = nullptr;
    TZoGradient* graTitle = nullptr;
    QLabel* imgCI = nullptr;
    QLabel* lblTitleS = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblMasterUpjangNameTitle = nullptr;
    QLabel* lblMasterPosNoTitle = nullptr;
    QLabel* lblUpjangNameTitle = nullptr;
    QLabel* lblPosNoTitle = nullptr;
    QLabel* lblServer = nullptr;
    QWidget* panFooter = nullptr;
    QLabel* imgFooterMessage = nullptr;
    QLabel* lblFooterMessage = nullptr;
    QLabel* imgFooterCashier = nullptr;
    QLabel* lblFooterCashier = nullptr;
    QLabel* imgFooterDate = nullptr;
    QLabel* lblFooterDate = nullptr;
    QLabel* lblFooterTime = nullptr;
    TZoPosButton* btnClose = nullptr;
    QTimer* tmrTimer = nullptr;

    // Colours of the field behaviour ($BBGGRR).
    static constexpr unsigned kFocusColor = 0x90FFFF;
    static constexpr unsigned kPassedColor = 0xC0DCC0;

protected:
    // The close button's action.
    virtual void btnExitClick();
    bool eventFilter(QObject* aWatched, QEvent* aEvent) override;
    void showEvent(QShowEvent* aEvent) override;

    const TScreenEnv& Env() const { return env_; }

private:
    void buildTitle();
    void buildFooter();
    void fieldEnter(QWidget* aField);
    void fieldExit(QWidget* aField);
    void fieldChange();

    TScreenEnv env_;
    TInheritOptions options_;
    TFooterMessage footerMessage_;
    bool fieldsInstalled_ = false;
    int passOverChain_ = 0;
};

// Input fields get the shared behaviour: line edits, spin boxes, combo boxes
// and multi-line edits.
bool IsInputField(const QWidget* aWidget);

}  // namespace pos
