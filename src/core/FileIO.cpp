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

mode_t modeOf(TFileAccess aAccess) { return aAccess == TFileAccess::OwnerOnly ? 0600 : 0644; }

// The rights of the group and of others taken from an open file.
bool restrictToOwner(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0) return false;
    if ((st.st_mode & 077) == 0) return true;
    return ::fchmod(fd, st.st_mode & 0700) == 0;
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

bool WriteFileAtomically(const std::filesystem::path& aPath, std::string_view aBytes, TFileAccess aAccess,
                         std::string* aError)
{
    std::filesystem::path tmp = aPath;
    tmp += ".tmp." + std::to_string(::getpid());
    // A temporary file left by a crash keeps its old mode: it goes first.
    ::unlink(tmp.c_str());
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, modeOf(aAccess));
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

bool WriteFileAtomically(const std::filesystem::path& aPath, std::string_view aBytes, std::string* aError)
{
    return WriteFileAtomically(aPath, aBytes, TFileAccess::Shared, aError);
}

bool AppendToFile(const std::filesystem::path& aPath, std::string_view aBytes, TFileAccess aAccess, std::string* aError)
{
    const int fd = ::open(aPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, modeOf(aAccess));
    if (fd < 0) {
        setError(aError, "cannot open", aPath);
        return false;
    }
    // Not being able to tighten a file someone else owns does not stop the
    // entry from being written.
    if (aAccess == TFileAccess::OwnerOnly) restrictToOwner(fd);
    const bool ok = writeAll(fd, aBytes);
    if (!ok) setError(aError, "cannot append to", aPath);
    ::close(fd);
    return ok;
}

bool AppendToFile(const std::filesystem::path& aPath, std::string_view aBytes, std::string* aError)
{
    return AppendToFile(aPath, aBytes, TFileAccess::Shared, aError);
}

bool RestrictToOwner(const std::filesystem::path& aPath)
{
    const int fd = ::open(aPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return false;
    const bool ok = restrictToOwner(fd);
    ::close(fd);
    return ok;
}

}  // namespace pos
