#include "Pty.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace pos::virt {

TPty::TPty(QObject* aParent) : QObject(aParent) {}

TPty::~TPty() { closeAll(); }

void TPty::closeAll()
{
    delete notifier_;
    notifier_ = nullptr;
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
    slave_ = master_ = -1;
}

bool TPty::open(QString* aError)
{
    auto fail = [&](const char* aWhat) {
        if (aError) *aError = QStringLiteral("%1: %2").arg(aWhat, QString::fromLocal8Bit(std::strerror(errno)));
        closeAll();
        return false;
    };
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) return fail("posix_openpt");
    if (::grantpt(master_) != 0) return fail("grantpt");
    if (::unlockpt(master_) != 0) return fail("unlockpt");
    char name[128];
    if (::ptsname_r(master_, name, sizeof name) != 0) return fail("ptsname");
    slavePath_ = QString::fromLocal8Bit(name);
    slave_ = ::open(name, O_RDWR | O_NOCTTY);
    if (slave_ < 0) return fail("open slave");
    termios t{};
    if (::tcgetattr(slave_, &t) != 0) return fail("tcgetattr");
    ::cfmakeraw(&t);  // bytes pass as they are: no echo, no CR/LF translation
    if (::tcsetattr(slave_, TCSANOW, &t) != 0) return fail("tcsetattr");
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    notifier_ = new QSocketNotifier(master_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TPty::onReadable);
    return true;
}

void TPty::onReadable()
{
    QByteArray bytes;
    char buf[4096];
    while (true) {
        const ssize_t n = ::read(master_, buf, sizeof buf);
        if (n > 0) {
            bytes.append(buf, n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        break;  // EAGAIN: all there is for now
    }
    if (!bytes.isEmpty()) emit received(bytes);
}

bool TPty::write(std::string_view aBytes)
{
    if (master_ < 0) return false;
    std::size_t done = 0;
    while (done < aBytes.size()) {
        const ssize_t n = ::write(master_, aBytes.data() + done, aBytes.size() - done);
        if (n > 0) {
            done += std::size_t(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        return false;
    }
    return true;
}

}  // namespace pos::virt
