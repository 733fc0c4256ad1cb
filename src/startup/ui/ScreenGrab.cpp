#include "startup/ui/ScreenGrab.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace pos {

namespace {

// The signal handler may only write to a descriptor; the notifier does the
// rest on the GUI thread.
int gGrabPipe[2] = {-1, -1};

void onGrabSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(gGrabPipe[1], &c, 1);
}

}  // namespace

TScreenGrabOnSignal::TScreenGrabOnSignal(QString aFile, QObject* aParent) : QObject(aParent), file_(std::move(aFile))
{
    if (gGrabPipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, gGrabPipe) != 0) return;
    notifier_ = new QSocketNotifier(gGrabPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TScreenGrabOnSignal::onSignal);
    struct sigaction action {};
    action.sa_handler = onGrabSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGUSR1, &action, nullptr);
}

TScreenGrabOnSignal::~TScreenGrabOnSignal()
{
    if (!notifier_) return;
    ::signal(SIGUSR1, SIG_DFL);
    ::close(gGrabPipe[0]);
    ::close(gGrabPipe[1]);
    gGrabPipe[0] = gGrabPipe[1] = -1;
}

void TScreenGrabOnSignal::onSignal()
{
    char buffer[16];
    [[maybe_unused]] const ssize_t n = ::read(gGrabPipe[0], buffer, sizeof buffer);
    Grab();
}

bool TScreenGrabOnSignal::Grab() const
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return false;
    const QPixmap picture = screen->grabWindow(0);
    const QString part = file_ + QStringLiteral(".part.png");
    if (picture.isNull() || !picture.save(part, "PNG")) return false;
    QFile::remove(file_);
    return QFile::rename(part, file_);
}

}  // namespace pos
