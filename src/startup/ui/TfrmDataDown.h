#pragma once
// The master-data download window ("기초자료 다운로드"): one gauge per table,
// each with its running count and total, while TDataDownload replaces the
// terminal's master data. The pass starts once the window shows. When every
// table is done the window closes by itself; when a table stops the pass,
// the window says why and stays until Esc. Esc while the pass runs is
// ignored (the pass is not interrupted half-way through a table).

#include "core/ui/TfrmInherit.h"
#include "sync/Download.h"

#include <QElapsedTimer>

#include <array>

class QLabel;
class QProgressBar;

namespace pos {

inline constexpr const char* kDataDownCaption = "기초자료 다운로드";
inline constexpr const char* kDataDownStopped = "기초자료를 받지 못했습니다. Esc를 누르십시오.";

class TfrmDataDown : public TfrmInherit {
    Q_OBJECT
public:
    TfrmDataDown(const TScreenEnv& aEnv, TDataDownload& aDownload, QWidget* aParent = nullptr);

    // 0 while the pass runs (closing is refused), 2 once the window may close.
    int Tag() const { return tag_; }
    const TDownloadResult& Result() const { return result_; }
    // The texts of one gauge: "count" and "total" with thousands separators.
    QString CountText(TDownloadGauge aGauge) const;
    QString TotalText(TDownloadGauge aGauge) const;
    int GaugePercent(TDownloadGauge aGauge) const;

    // Runs the pass (the window's one-shot timer calls it once shown).
    void RunPass();

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* aEvent) override;

private:
    struct TGaugeRow {
        QLabel* caption = nullptr;
        QProgressBar* bar = nullptr;
        QLabel* count = nullptr;
        QLabel* total = nullptr;
    };
    void buildGauges();
    void onProgress(TDownloadGauge aGauge, std::int64_t aCount, std::int64_t aTotal);
    void paintGauge(TDownloadGauge aGauge);

    TDataDownload& download_;
    std::array<TGaugeRow, static_cast<std::size_t>(TDownloadGauge::Count)> gauges_{};
    QElapsedTimer sinceRepaint_;
    TDownloadResult result_;
    int tag_ = 0;
    bool started_ = false;
};

// The launcher: runs the download pass with the window (or unseen with
// aHideForm) and gives its result.
TDownloadResult DownloadData(const TScreenEnv& aEnv, TDataDownload& aDownload, bool aHideForm);

}  // namespace pos
