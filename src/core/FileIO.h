#pragma once
// Whole-file reads and the one atomic writer. Every file that holds money,
// queued work or the terminal's set-up is replaced through WriteFileAtomically:
// a temporary file beside the target is written, flushed to disk and renamed
// over it, so a crash leaves either the old file or the new one, never half.
//
// Files that hold queued work, card data or logs (queue files and their
// ".bad" files, "POSBill.ini", the day logs) are written OwnerOnly: readable
// and writable by the terminal's own user and nobody else. The temporary
// file of a replacement is made with that mode from the start, so the bytes
// are never readable by others, not even for a moment.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace pos {

enum class TFileAccess {
    Shared,     // 0644 before the umask: set-up, catalogue, mirror files
    OwnerOnly,  // 0600: queued work, card data, logs
};

// The bytes of a file; nullopt when it does not exist or cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& aPath);

// Replaces aPath with aBytes atomically; the new file has the mode aAccess
// gives, whatever the old one had. False with aError set on failure; the old
// file is then untouched and no temporary file is left behind.
bool WriteFileAtomically(const std::filesystem::path& aPath, std::string_view aBytes, TFileAccess aAccess,
                         std::string* aError = nullptr);
bool WriteFileAtomically(const std::filesystem::path& aPath, std::string_view aBytes, std::string* aError = nullptr);

// Appends aBytes to aPath (created when missing) with one write; for logs.
// OwnerOnly also takes the group's and others' rights from a file that
// already exists.
bool AppendToFile(const std::filesystem::path& aPath, std::string_view aBytes, TFileAccess aAccess,
                  std::string* aError = nullptr);
bool AppendToFile(const std::filesystem::path& aPath, std::string_view aBytes, std::string* aError = nullptr);

// Takes the group's and others' rights from an existing file (an older
// terminal made its files readable by all). False when the file is missing
// or its mode cannot be changed.
bool RestrictToOwner(const std::filesystem::path& aPath);

}  // namespace pos
