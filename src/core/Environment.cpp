#include "core/Environment.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <unistd.h>

namespace pos {

std::string GetIP()
{
    char host[256] = {};
    if (::gethostname(host, sizeof host - 1) != 0) return {};
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host, nullptr, &hints, &found) != 0 || found == nullptr) return {};
    char text[INET_ADDRSTRLEN] = {};
    const auto* addr = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    const bool ok = ::inet_ntop(AF_INET, &addr->sin_addr, text, sizeof text) != nullptr;
    ::freeaddrinfo(found);
    return ok ? text : std::string();
}

std::string GetVersion() { return std::string(POS_VERSION) + ".0"; }

}  // namespace pos
