#pragma once
// The ticket progress window: shown, without taking the event loop, while the
// pending tickets print, 20 pixels from the top of the screen and above every
// other window, with "index / count" refreshed ten times a second. It follows
// its model (TTicketPrintingModel): it shows when a run starts and hides when
// the last run ends; the sale screen follows the same model and is disabled
// meanwhile. While it shows it is the only window that takes input: its
// cancel asks the run to stop before the next ticket, and the tickets not
// printed stay pending.

#include <QWidget>

class QLabel;
class QTimer;

namespace pos {

class TTicketPrintingModel;
class TZoPosButton;

inline constexpr const char* kTicketPrintingCaption = "티켓 인쇄 중...";
inline constexpr const char* kTicketPrintingNotice =
    "티켓(영수증)을 인쇄하고 있습니다.\n인쇄가 끝날 때까지 잠시 기다리십시오.";

class TfrmTicketPrinting : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 420;
    static constexpr int kHeight = 200;
    static constexpr int kTop = 20;

    explicit TfrmTicketPrinting(TTicketPrintingModel& aModel, QWidget* aParent = nullptr);
    ~TfrmTicketPrinting() override;

    // Repaints the count from the model (the timer's tick).
    void Refresh();

    QLabel* lblCount = nullptr;
    TZoPosButton* btnCancel = nullptr;

private:
    void follow(bool aVisible);

    TTicketPrintingModel& model_;
    int observer_ = 0;
    QTimer* tmrRefresh_ = nullptr;
    QLabel* lblNotice_ = nullptr;
};

}  // namespace pos
