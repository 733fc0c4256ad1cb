#pragma once
// The master-data download (module IAB030) as logic: one pass that replaces
// every master list of the store, table by table, from the server (writing
// the mirror files on request) or, off line, from the mirror files. The
// window "기초자료 다운로드" with its nine gauges runs a pass and shows the
// progress it is told; it closes when Run returns (by itself when the pass
// completed, with Esc when it stopped).
//
// A table is replaced whole or not at all. Its rows are read completely and
// its mirror file is written (atomically) before the list is swapped; when
// the statement fails, the file cannot be written, or off line the file is
// missing or unreadable, the list keeps what it held, the old mirror file
// stays, the failure is logged under the table's statement key, and the pass
// stops with the table and the reason in its result. Goods are never left
// half-loaded to be sold at price 0.

#include "db/DataModule.h"
#include "store/MasterStore.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace pos {

// The nine gauges of the window, in window order.
enum class TDownloadGauge { Cashier, Common, Upjang, Goods, MenuGroup, Menu, Pay, Calendar, DC, Count };
// "판매원 정보 DB", "공통코드 정보 DB", ...
std::string_view DownloadGaugeCaption(TDownloadGauge aGauge);

// The steps of the pass, in pass order.
enum class TDownloadStep {
    CountData, Cashier, Common, Upjang, Goods, MenuGroup, MenuSubGroup, Menu, Pay, Calendar, DC, EtcDC, Company, Done
};
// "CountData", "DownloadCashier", ... (the window's operation names).
std::string_view DownloadStepName(TDownloadStep aStep);

struct TDownloadResult {
    bool Completed = false;                          // every table replaced
    TDownloadStep StoppedAt = TDownloadStep::Done;   // the step that failed
    std::string Reason;                              // why, for the window and the log
};

class TDataDownload {
public:
    TDataDownload(TfrmData& aData, TMasterStore& aStore);

    // The window's flags: off line reload from the mirror files; on line
    // write the mirror files.
    bool isDownOnOffLine = true;
    bool isSaveSamFile = true;

    // Progress of a gauge: rows done and the table's total. Called when the
    // totals are known (count 0), then as rows arrive. The window repaints
    // from here; it may skip calls.
    std::function<void(TDownloadGauge aGauge, std::int64_t aCount, std::int64_t aTotal)> OnProgress;

    // The pass: CountData, then every table in order; the first table that
    // fails ends it.
    TDownloadResult Run();

    // The steps, one table each; false when the table could not be
    // replaced (LastReason() says why).
    bool CountData();
    bool DownloadCashier();
    bool DownloadCommon();
    bool DownloadUpjang();
    bool DownloadGoods();
    bool DownloadMenuGroup();
    bool DownloadMenuSubGroup();
    bool DownloadMenu();
    bool DownloadPay();
    bool DownloadCalendar();
    bool DownloadDC();
    bool DownloadEtcDC();
    bool DownloadCompany();

    const std::string& LastReason() const { return reason_; }
    std::int64_t Total(TDownloadGauge aGauge) const { return totals_[static_cast<std::size_t>(aGauge)]; }
    std::int64_t Count(TDownloadGauge aGauge) const { return counts_[static_cast<std::size_t>(aGauge)]; }

private:
    struct TTable;
    bool download(const TTable& aTable);
    bool fromServer(const TTable& aTable);
    bool fromServerRows(const TTable& aTable, const std::string& aKey);
    bool fromMirror(const TTable& aTable);
    bool fail(const std::string& aKey, std::string aReason);
    void progress(TDownloadGauge aGauge, std::int64_t aCount, std::int64_t aTotal);
    std::string skiFlag() const;

    TfrmData& data_;
    TMasterStore& store_;
    TTerminalContext& ctx_;
    std::string reason_;
    std::array<std::int64_t, static_cast<std::size_t>(TDownloadGauge::Count)> totals_{};
    std::array<std::int64_t, static_cast<std::size_t>(TDownloadGauge::Count)> counts_{};
};

// The number of record lines of a mirror file (0 when it does not exist).
std::int64_t CountMirrorLines(const std::filesystem::path& aFile);

}  // namespace pos
