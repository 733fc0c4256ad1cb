#pragma once
// Helpers of the approval tests: a clock the test moves, a loopback port no
// one listens on, and the approval driver simulator's script and log.

#include "TempDir.h"
#include "core/FileIO.h"
#include "payment/approval/ApprovalClock.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace pos::test {

class ManualClock : public TApprovalClock {
public:
    time_point Now() const override { return now_; }
    void Advance(std::chrono::steady_clock::duration aBy) { now_ += aBy; }

private:
    time_point now_ = std::chrono::steady_clock::now();
};

// A loopback port that was free a moment ago and has no listener.
inline std::uint16_t UnusedPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t len = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &len);
    ::close(fd);
    return ntohs(address.sin_port);
}

// The approval driver simulator's script and call log for one test, set
// through its environment variables. Each script starts with a line naming
// the test, so two tests with the same answers still count as new scripts.
class DriverScript {
public:
    explicit DriverScript(const TempDir& aDir) : script_(aDir / "driver.script"), log_(aDir / "driver.log")
    {
        ::setenv("POS_APPROVAL_SIM_SCRIPT", script_.c_str(), 1);
        ::setenv("POS_APPROVAL_SIM_LOG", log_.c_str(), 1);
        Set({});
    }
    ~DriverScript()
    {
        ::unsetenv("POS_APPROVAL_SIM_SCRIPT");
        ::unsetenv("POS_APPROVAL_SIM_LOG");
    }

    void Set(const std::vector<std::string>& aLines)
    {
        std::string text = "# " + script_.parent_path().filename().string() + " " + std::to_string(++version_) + "\n";
        for (const std::string& l : aLines) text += l + "\n";
        WriteFileAtomically(script_, text);
    }

    // The calls the driver was given so far, one TAB-separated line each.
    std::vector<std::string> Calls() const
    {
        std::vector<std::string> calls;
        const auto text = ReadWholeFile(log_);
        if (!text) return calls;
        std::size_t from = 0;
        for (std::size_t nl; (nl = text->find('\n', from)) != std::string::npos; from = nl + 1)
            calls.push_back(text->substr(from, nl - from));
        return calls;
    }

private:
    std::filesystem::path script_, log_;
    int version_ = 0;
};

}  // namespace pos::test
