#include "payment/approval/CardServerLink.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace pos {
namespace {

using Clock = std::chrono::steady_clock;

// A socket that closes itself.
class Socket {
public:
    Socket() = default;
    explicit Socket(int aFd) : fd_(aFd) {}
    ~Socket() { reset(); }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    Socket(Socket&& aOther) noexcept : fd_(aOther.fd_) { aOther.fd_ = -1; }
    Socket& operator=(Socket&& aOther) noexcept
    {
        reset();
        fd_ = aOther.fd_;
        aOther.fd_ = -1;
        return *this;
    }
    int fd() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    void reset()
    {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
};

int msLeft(Clock::time_point aDeadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(aDeadline - Clock::now()).count();
    return left <= 0 ? 0 : static_cast<int>(left);
}

// Waits for aEvents on aFd until aDeadline; false on time-out or error.
bool waitFor(int aFd, short aEvents, Clock::time_point aDeadline)
{
    while (true) {
        pollfd p{aFd, aEvents, 0};
        const int n = ::poll(&p, 1, msLeft(aDeadline));
        if (n > 0) return true;
        if (n == 0) return false;
        if (errno != EINTR) return false;
    }
}

// A non-blocking connection to one address, or an empty socket.
Socket connectTo(const addrinfo& aAddress, Clock::time_point aDeadline)
{
    Socket s(::socket(aAddress.ai_family, aAddress.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, aAddress.ai_protocol));
    if (!s) return {};
    if (::connect(s.fd(), aAddress.ai_addr, aAddress.ai_addrlen) == 0) return s;
    if (errno != EINPROGRESS || !waitFor(s.fd(), POLLOUT, aDeadline)) return {};
    int error = 0;
    socklen_t len = sizeof error;
    if (::getsockopt(s.fd(), SOL_SOCKET, SO_ERROR, &error, &len) != 0 || error != 0) return {};
    return s;
}

Socket connectToServer(const std::string& aHost, std::int64_t aPort, Clock::time_point aDeadline)
{
    if (aHost.empty() || aPort <= 0 || aPort > 65535) return {};
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(aHost.c_str(), std::to_string(aPort).c_str(), &hints, &found) != 0) return {};
    Socket s;
    for (const addrinfo* a = found; a && !s && msLeft(aDeadline) > 0; a = a->ai_next) s = connectTo(*a, aDeadline);
    ::freeaddrinfo(found);
    return s;
}

bool sendAll(int aFd, std::string_view aBytes, Clock::time_point aDeadline)
{
    while (!aBytes.empty()) {
        const ssize_t n = ::send(aFd, aBytes.data(), aBytes.size(), MSG_NOSIGNAL);
        if (n > 0) {
            aBytes.remove_prefix(static_cast<std::size_t>(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!waitFor(aFd, POLLOUT, aDeadline)) return false;
        } else {
            return false;
        }
    }
    return true;
}

enum class ReadEnd { Reached, Closed, TimedOut, Failed };

// Appends what arrives to aInto until it holds aStopAt bytes (or more: a read
// takes what is there), the peer closes, the deadline passes or the
// connection fails.
ReadEnd readUntil(int aFd, std::string& aInto, std::size_t aStopAt, Clock::time_point aDeadline)
{
    char buf[512];
    while (aInto.size() < aStopAt) {
        if (!waitFor(aFd, POLLIN, aDeadline)) return ReadEnd::TimedOut;
        const ssize_t n = ::recv(aFd, buf, sizeof buf, 0);
        if (n > 0) {
            aInto.append(buf, static_cast<std::size_t>(n));
        } else if (n == 0) {
            return ReadEnd::Closed;
        } else if (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK) {
            return ReadEnd::Failed;
        }
    }
    return ReadEnd::Reached;
}

}  // namespace

TCardExchange TTcpCardServerLink::Exchange(const std::string& aHost, std::int64_t aPort, std::string_view aRequestLine,
                                           std::size_t aAnswerLength)
{
    TCardExchange result;
    Socket s = connectToServer(aHost, aPort, Clock::now() + timeouts_.connect);
    if (!s) return result;

    result.Stage = TCardExchangeStage::NotSent;
    if (!sendAll(s.fd(), aRequestLine, Clock::now() + timeouts_.send)) return result;

    // The answer may come in pieces; it is whole once aAnswerLength bytes are
    // in. A connection that ends before that, or a time-out, leaves the
    // request unanswered as far as the terminal can tell.
    result.Stage = TCardExchangeStage::NoAnswer;
    const ReadEnd end = readUntil(s.fd(), result.Answer, aAnswerLength, Clock::now() + timeouts_.read);
    if (result.Answer.size() < aAnswerLength) {
        if (end == ReadEnd::Closed && !result.Answer.empty()) result.Stage = TCardExchangeStage::Answered;
        return result;
    }
    // Whole: anything the server sends beyond the answer's length makes it a
    // faulty answer, so wait a moment for more, or for the server to close.
    if (end != ReadEnd::Closed) readUntil(s.fd(), result.Answer, aAnswerLength + 1, Clock::now() + timeouts_.trailing);
    result.Stage = TCardExchangeStage::Answered;
    return result;
}

}  // namespace pos
