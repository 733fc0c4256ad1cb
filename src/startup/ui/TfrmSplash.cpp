#include "startup/ui/TfrmSplash.h"

#include "core/ui/ImageLibrary.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace pos {

namespace {
constexpr int kWidth = 480;
constexpr int kHeight = 300;
}  // namespace

std::string SplashStatusText(const std::string& aStep)
{
    return aStep.empty() ? std::string() : aStep + kStatusSuffix;
}

TfrmSplash::TfrmSplash(const std::string& aVersion, QWidget* aParent) : QWidget(aParent, Qt::FramelessWindowHint)
{
    InitImageLibrary();
    setWindowTitle(QString::fromUtf8(kSplashCaption));
    setFixedSize(kWidth, kHeight);

    auto* picture = new QLabel(this);
    picture->setGeometry(0, 0, kWidth, kHeight);
    picture->setPixmap(ImagePicture(QStringLiteral("SplashImg")));

    auto* title = new QLabel(QStringLiteral("POS"), this);
    title->setGeometry(28, 24, 300, 48);
    title->setStyleSheet(QStringLiteral("color: white; font: bold 34px 'NanumGothic';"));

    auto* version = new QLabel(QStringLiteral("Ver %1").arg(QString::fromStdString(aVersion)), this);
    version->setGeometry(30, 74, 300, 22);
    version->setStyleSheet(QStringLiteral("color: white; font: 14px 'NanumGothic';"));

    lblStatus_ = new QLabel(this);
    lblStatus_->setGeometry(0, kHeight - 34, kWidth, 34);
    lblStatus_->setIndent(14);
    lblStatus_->setStyleSheet(
        QStringLiteral("color: white; background: rgba(10, 40, 80, 170); font: bold 14px 'NanumGothic';"));

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfrmSplash::ShowStatus(const std::string& aText)
{
    lblStatus_->setText(QString::fromStdString(SplashStatusText(aText)));
    if (isVisible()) lblStatus_->repaint();
}

QString TfrmSplash::StatusText() const { return lblStatus_->text(); }

}  // namespace pos
