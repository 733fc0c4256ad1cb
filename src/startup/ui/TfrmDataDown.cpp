#include "startup/ui/TfrmDataDown.h"

#include "core/Currency.h"
#include "core/ui/ImageLibrary.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>

namespace pos {

namespace {

constexpr int kRowTop = 150;
constexpr int kRowHeight = 34;
// A gauge is repainted at most this often while rows stream in; the last
// row of a table always paints.
constexpr qint64 kRepaintMs = 40;

std::size_t at(TDownloadGauge aGauge) { return static_cast<std::size_t>(aGauge); }

TInheritOptions downOptions()
{
    TInheritOptions o;
    o.caption = QString::fromUtf8(kDataDownCaption);
    o.width = 560;
    o.height = 520;
    o.noClose = true;
    o.noUpjang = true;  // the narrow title bar holds only the caption
    return o;
}

QString thousands(std::int64_t aValue) { return QString::fromStdString(FormatThousands(Currency(aValue))); }

}  // namespace

TfrmDataDown::TfrmDataDown(const TScreenEnv& aEnv, TDataDownload& aDownload, QWidget* aParent)
    : TfrmInherit(aEnv, downOptions(), aParent), download_(aDownload)
{
    auto* picture = new QLabel(this);
    picture->setGeometry(30, 60, 96, 96);
    picture->setPixmap(ImageMaskedPicture(QStringLiteral("DownloadImg")));
    auto* heading = new QLabel(QStringLiteral("기초자료를 받고 있습니다."), this);
    heading->setGeometry(140, 90, 380, 30);
    heading->setStyleSheet(QStringLiteral("color: white; font: bold 18px 'NanumGothic';"));
    buildGauges();
    download_.OnProgress = [this](TDownloadGauge aGauge, std::int64_t aCount, std::int64_t aTotal) {
        onProgress(aGauge, aCount, aTotal);
    };
}

void TfrmDataDown::buildGauges()
{
    const QString labelStyle = QStringLiteral("color: white; font: 14px 'NanumGothic';");
    for (std::size_t i = 0; i < gauges_.size(); ++i) {
        const auto gauge = static_cast<TDownloadGauge>(i);
        const int y = kRowTop + static_cast<int>(i) * kRowHeight;
        TGaugeRow& row = gauges_[i];
        row.caption = new QLabel(QString::fromUtf8(DownloadGaugeCaption(gauge).data(),
                                                   static_cast<qsizetype>(DownloadGaugeCaption(gauge).size())),
                                 this);
        row.caption->setGeometry(30, y, 130, 26);
        row.caption->setStyleSheet(labelStyle);
        row.bar = new QProgressBar(this);
        row.bar->setGeometry(165, y + 3, 200, 20);
        row.bar->setTextVisible(false);
        row.bar->setRange(0, 1);
        row.bar->setValue(0);
        row.count = new QLabel(QStringLiteral("0"), this);
        row.count->setGeometry(372, y, 72, 26);
        row.count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        row.count->setStyleSheet(labelStyle);
        row.total = new QLabel(QStringLiteral("/ 0"), this);
        row.total->setGeometry(448, y, 86, 26);
        row.total->setStyleSheet(labelStyle);
    }
}

QString TfrmDataDown::CountText(TDownloadGauge aGauge) const { return gauges_[at(aGauge)].count->text(); }
QString TfrmDataDown::TotalText(TDownloadGauge aGauge) const
{
    return gauges_[at(aGauge)].total->text().mid(2);
}
int TfrmDataDown::GaugePercent(TDownloadGauge aGauge) const
{
    const QProgressBar* bar = gauges_[at(aGauge)].bar;
    return bar->maximum() > 0 ? bar->value() * 100 / bar->maximum() : 0;
}

void TfrmDataDown::onProgress(TDownloadGauge aGauge, std::int64_t aCount, std::int64_t aTotal)
{
    TGaugeRow& row = gauges_[at(aGauge)];
    // A table can hold more rows than it counted (rows added meanwhile): the
    // bar then runs full instead of past its end.
    const std::int64_t total = std::max<std::int64_t>({aTotal, aCount, 1});
    const bool last = aCount >= aTotal;
    if (!last && sinceRepaint_.isValid() && sinceRepaint_.elapsed() < kRepaintMs) return;
    row.bar->setRange(0, static_cast<int>(std::min<std::int64_t>(total, INT32_MAX)));
    row.bar->setValue(static_cast<int>(std::min<std::int64_t>(aCount, INT32_MAX)));
    row.count->setText(thousands(aCount));
    row.total->setText(QStringLiteral("/ ") + thousands(aTotal));
    if (isVisible()) paintGauge(aGauge);
}

void TfrmDataDown::paintGauge(TDownloadGauge aGauge)
{
    // The pass runs on this thread without returning to the event loop, so
    // the gauge is painted directly; input waits until the pass ends.
    TGaugeRow& row = gauges_[at(aGauge)];
    row.bar->repaint();
    row.count->repaint();
    row.total->repaint();
    sinceRepaint_.start();
}

void TfrmDataDown::showEvent(QShowEvent* aEvent)
{
    TfrmInherit::showEvent(aEvent);
    if (started_) return;
    started_ = true;
    QTimer::singleShot(0, this, &TfrmDataDown::RunPass);
}

void TfrmDataDown::RunPass()
{
    if (tag_ == 2) return;  // the pass runs once
    tag_ = 0;
    result_ = download_.Run();
    tag_ = 2;
    if (result_.Completed) {
        accept();
        return;
    }
    ShowMsg(kDataDownStopped, true, 0);
}

void TfrmDataDown::reject()
{
    // Closing is allowed only once the pass has ended.
    if (tag_ != 2) {
        tag_ = 1;
        return;
    }
    QDialog::reject();
}

TDownloadResult DownloadData(const TScreenEnv& aEnv, TDataDownload& aDownload, bool aHideForm)
{
    if (aHideForm) return aDownload.Run();
    TfrmDataDown window(aEnv, aDownload);
    window.exec();
    aDownload.OnProgress = nullptr;
    return window.Result();
}

}  // namespace pos
