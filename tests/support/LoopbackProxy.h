#pragma once
// A TCP forwarder on loopback between the terminal and the test's
// PostgreSQL server, on its own thread (the data module's statements block
// the test's thread). Cut() drops every connection and refuses new ones, as
// a pulled network cable would; Restore() serves again. The port stays the
// proxy's all along (while cut, a new connection is closed at once), so no
// other socket can take it in between. The shared server itself is never
// touched.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace pos::test {

class LoopbackProxy {
public:
    LoopbackProxy(std::string aHost, int aTargetPort) : host_(std::move(aHost)), targetPort_(aTargetPort)
    {
        listen(0);
        thread_ = std::thread([this] { run(); });
    }
    ~LoopbackProxy()
    {
        stop_ = true;
        thread_.join();
        std::lock_guard lock(mutex_);
        closeAll();
        if (listener_ >= 0) ::close(listener_);
    }
    LoopbackProxy(const LoopbackProxy&) = delete;
    LoopbackProxy& operator=(const LoopbackProxy&) = delete;

    int port() const { return port_; }

    void Cut()
    {
        std::lock_guard lock(mutex_);
        closeAll();
        cut_ = true;
    }

    void Restore()
    {
        std::lock_guard lock(mutex_);
        cut_ = false;
    }

private:
    struct Pair {
        int client, server;
    };

    void listen(int aPort)
    {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        const int one = 1;
        ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = htons(static_cast<uint16_t>(aPort));
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(listener_, 8) != 0)
            throw std::runtime_error("proxy: cannot listen");
        socklen_t len = sizeof addr;
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
    }

    int connectTarget() const
    {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(static_cast<uint16_t>(targetPort_));
        ::inet_pton(AF_INET, host_ == "localhost" ? "127.0.0.1" : host_.c_str(), &addr.sin_addr);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
            ::close(fd);
            return -1;
        }
        return fd;
    }

    void closeAll()
    {
        for (const Pair& p : pairs_) {
            ::close(p.client);
            ::close(p.server);
        }
        pairs_.clear();
    }

    void run()
    {
        while (!stop_) {
            std::vector<pollfd> fds;
            {
                std::lock_guard lock(mutex_);
                if (listener_ >= 0) fds.push_back({listener_, POLLIN, 0});
                for (const Pair& p : pairs_) {
                    fds.push_back({p.client, POLLIN, 0});
                    fds.push_back({p.server, POLLIN, 0});
                }
            }
            if (::poll(fds.data(), fds.size(), 20) <= 0) continue;
            std::lock_guard lock(mutex_);
            for (const pollfd& f : fds) {
                if ((f.revents & (POLLIN | POLLHUP | POLLERR)) == 0) continue;
                if (f.fd == listener_) {
                    const int client = ::accept(listener_, nullptr, nullptr);
                    const int server = client >= 0 && !cut_ ? connectTarget() : -1;
                    if (server >= 0) pairs_.push_back({client, server});
                    else if (client >= 0) ::close(client);
                    continue;
                }
                forward(f.fd);
            }
        }
    }

    // Copies what arrived on aFrom to its partner; a closed side ends the pair.
    void forward(int aFrom)
    {
        for (std::size_t i = 0; i < pairs_.size(); ++i) {
            const Pair p = pairs_[i];
            if (p.client != aFrom && p.server != aFrom) continue;
            const int to = aFrom == p.client ? p.server : p.client;
            char buffer[16384];
            const ssize_t n = ::recv(aFrom, buffer, sizeof buffer, 0);
            if (n <= 0 || ::send(to, buffer, static_cast<std::size_t>(n), MSG_NOSIGNAL) != n) {
                ::close(p.client);
                ::close(p.server);
                pairs_.erase(pairs_.begin() + static_cast<std::ptrdiff_t>(i));
            }
            return;
        }
    }

    std::string host_;
    int targetPort_;
    int port_ = 0;
    int listener_ = -1;
    std::vector<Pair> pairs_;
    std::mutex mutex_;
    bool cut_ = false;  // under mutex_
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace pos::test
