#include "devices/ui/TfrmTicketPrinting.h"

#include "controls/ZoColor.h"
#include "controls/ZoPosButton.h"
#include "devices/TicketProgress.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

namespace pos {

TfrmTicketPrinting::TfrmTicketPrinting(TTicketPrintingModel& aModel, QWidget* aParent)
    : QWidget(aParent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), model_(aModel)
{
    setWindowTitle(QString::fromUtf8(kTicketPrintingCaption));
    setFixedSize(kWidth, kHeight);
    // Shown without a loop of its own, it still keeps input to itself.
    setWindowModality(Qt::ApplicationModal);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0xF5, 0xEE, 0xE6));
    setPalette(palette);

    auto* caption = new QLabel(QString::fromUtf8(kTicketPrintingCaption), this);
    caption->setGeometry(0, 0, kWidth, 40);
    caption->setIndent(16);
    caption->setFont(ZoFont(12, true));
    caption->setStyleSheet(QStringLiteral("color: white; background: #1F4E8C;"));

    lblNotice_ = new QLabel(QString::fromUtf8(kTicketPrintingNotice), this);
    lblNotice_->setGeometry(16, 48, kWidth - 32, 56);
    lblNotice_->setFont(ZoFont(11, true));
    lblNotice_->setAlignment(Qt::AlignCenter);

    lblCount = new QLabel(this);
    lblCount->setGeometry(16, 108, kWidth - 180, 80);
    lblCount->setFont(ZoFont(20, true));
    lblCount->setAlignment(Qt::AlignCenter);
    lblCount->setStyleSheet(QStringLiteral("color: #1F4E8C;"));

    btnCancel = new TZoPosButton(this);
    btnCancel->setGeometry(kWidth - 150, 118, 130, 58);
    btnCancel->SetCaptionStyle(11, true, clBlack, clWhite, true);
    btnCancel->SetCaption(QStringLiteral("인쇄 중지"));
    connect(btnCancel, &TZoPosButton::clicked, this, [this] {
        model_.Cancel();
        Refresh();
    });

    tmrRefresh_ = new QTimer(this);
    tmrRefresh_->setInterval(100);
    connect(tmrRefresh_, &QTimer::timeout, this, [this] {
        if (!isActiveWindow()) activateWindow();
        Refresh();
    });

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center().x() - kWidth / 2, screen->availableGeometry().top() + kTop);
    observer_ = model_.Observe([this](bool aVisible) { follow(aVisible); });
    Refresh();
}

TfrmTicketPrinting::~TfrmTicketPrinting()
{
    model_.Forget(observer_);
}

void TfrmTicketPrinting::Refresh()
{
    lblCount->setText(QString::fromStdString(model_.CountText()));
    btnCancel->setEnabled(!model_.StopRequested());
}

void TfrmTicketPrinting::follow(bool aVisible)
{
    if (aVisible) {
        Refresh();
        show();
        raise();
        tmrRefresh_->start();
        return;
    }
    tmrRefresh_->stop();
    hide();
}

}  // namespace pos
