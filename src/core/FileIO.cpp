#include "core/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace pos {
namespace {

void setError(std::string* aError, const std::string& what, const std::filesystem::path& p)
{
    if (aError) *aError = what + " " + p.string() + ": " + std::strerror(errno);
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void syncFolder(const std::filesystem::path& aFolder)
{
    const int fd = ::open(aFolder.empty() ? "." : aFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::filesystem::path& aPath)
{
    const int fd = ::open(aPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string data;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_size > 0) data.reserve(static_cast<std::size_t>(st.st_size));
    char buf[1 << 16];
    while (true) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        data.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return data;
}

bool WriteFileAtomically(const std::filesystem::path& aPath, std::string_view aBytes, std::string* aError)
{
    std::filesystem::path tmp = aPath;
    tmp += ".tmp." + std::to_string(::getpid());
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        setError(aError, "cannot create", tmp);
        return false;
    }
    if (!writeAll(fd, aBytes) || ::fsync(fd) != 0) {
        setError(aError, "cannot write", tmp);
        ::close(fd);
        ::unlink(tmp.c_str());
        return false;
    }
    if (::close(fd) != 0 || ::rename(tmp.c_str(), aPath.c_str()) != 0) {
        setError(aError, "cannot replace", aPath);
        ::unlink(tmp.c_str());
        return false;
    }
    syncFolder(aPath.parent_path());
    return true;
}

bool AppendToFile(const std::filesystem::path& aPath, std::string_view aBytes, std::string* aError)
{
    const int fd = ::open(aPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) {
        setError(aError, "cannot open", aPath);
        return false;
    }
    const bool ok = writeAll(fd, aBytes);
    if (!ok) setError(aError, "cannot append to", aPath);
    ::close(fd);
    return ok;
}

}  // namespace pos
